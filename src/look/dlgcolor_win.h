// The uniform look of ORV's dialogs: every dialog procedure hands its control-colour messages
// here.
#pragma once

#include <windows.h>

// For WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORLISTBOX: sets the text
// colours in dc and returns the dialog brush to paint with. Null for other messages and on the
// Windows 95 family, whose dialogs keep the system's own look.
HBRUSH DlgColor_OnCtlColor(UINT message, HDC dc, HWND control);

// The dialog-procedure answer for any message: the brush for a colour message, else FALSE.
inline INT_PTR DlgColor_Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<INT_PTR>(DlgColor_OnCtlColor(message, reinterpret_cast<HDC>(wParam),
                                                         reinterpret_cast<HWND>(lParam)));
}
