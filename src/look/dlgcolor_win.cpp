#include "look/dlgcolor_win.h"

#include "shell/drawobjects.h"
#include "shell/startup.h"

HBRUSH DlgColor_OnCtlColor(UINT message, HDC dc, HWND control) {
    if (gPlainDialogs || !gDraw.dialogBrush)
        return NULL;
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        break;
    default:
        return NULL; // edit boxes and scroll bars keep the system's colours
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    bool greyed = message == WM_CTLCOLORBTN && control && !IsWindowEnabled(control);
    SetTextColor(dc, GetSysColor(greyed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    // A brush is aligned to the window it first painted; each control paints from its own origin.
    SetBrushOrgEx(dc, 0, 0, NULL);
    return gDraw.dialogBrush;
}
