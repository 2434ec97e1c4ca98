// "&Colors..." (115): the "Set Colors" dialog for the kind of the focused window.
#pragma once

#include <windows.h>

// Edits the colours of the focused window's kind; on OK every window of the kind takes them.
// 1 when confirmed, 0 when cancelled or when the focus is in no window with colours.
int Colors_Command(HWND frame);
// The dialog procedure of COMMONCOLORBOX.
INT_PTR CALLBACK CommonColorBox(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
