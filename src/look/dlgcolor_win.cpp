#include "look/dlgcolor_win.h"

#include "shell/drawobjects_win.h"
#include "shell/startup_win.h"

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
    // Text is backed in the brush's own colour: the system's button face is another grey on
    // today's systems, and each label would stand in a box of its own.
    LOGBRUSH brush = {};
    const bool solid = GetObjectA(gDraw.dialogBrush, sizeof brush, &brush) == sizeof brush &&
                       brush.lbStyle == BS_SOLID;
    SetBkColor(dc, solid ? brush.lbColor : GetSysColor(COLOR_BTNFACE));
    bool greyed = message == WM_CTLCOLORBTN && control && !IsWindowEnabled(control);
    SetTextColor(dc, GetSysColor(greyed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    // A brush is aligned to the window it first painted; each control paints from its own origin.
    SetBrushOrgEx(dc, 0, 0, NULL);
    return gDraw.dialogBrush;
}
