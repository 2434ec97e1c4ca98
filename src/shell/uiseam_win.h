// The Win32 side of the core's seam (uiseam.h): message boxes, the wait cursor, FatalAppExit.
#pragma once

#include <windows.h>

// Set while a box is up that nothing may disturb (the fatal exit's): file views and directory
// windows then leave their saved state alone on focus changes and on destruction.
extern bool gMessageBoxUp;

// The open Find dialog, which a replace run closes before its first prompt (null: none).
void UiWin_SetFindDialog(HWND dialog);

// Points the core's questions and messages at real message boxes, its busy marks at the wait
// cursor and its fatal exit at FatalAppExit.
void UiWin_InstallHooks();
