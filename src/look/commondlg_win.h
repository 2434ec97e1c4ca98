// The hook ORV hands the system's printer-setup and font dialogs.
#pragma once

#include <windows.h>

// Lets the system's own dialog procedure do everything, so those dialogs behave as in any
// other program; it only asks for the first control to get the focus.
UINT_PTR CALLBACK CommonDlgHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
