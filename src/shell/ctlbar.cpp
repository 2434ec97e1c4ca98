#include "shell/ctlbar.h"

#include "shell/classes.h"

HWND gControlBar = NULL;
HWND gFindCombo = NULL;

LRESULT CALLBACK ControlBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        gControlBar = NULL;
        gFindCombo = NULL;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}

int ControlBar_Create(HINSTANCE instance, HWND frame) {
    gControlBar = CreateWindowExA(0, kBarClassName, kControlBarTitle, WS_CHILD | WS_CLIPSIBLINGS,
                                  0, 0, 0, 0, frame, NULL, instance, NULL);
    if (!gControlBar)
        return 0;
    // The find box sits one and a half icons in, after the bar's first button.
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    gFindCombo = CreateWindowExA(
        0, "combobox", NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        iconWidth * 3 / 2, 2, iconWidth * 3, iconHeight * 4, gControlBar,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindComboId)), instance, NULL);
    return gFindCombo ? 1 : 0;
}

// The find box does not take typing of its own yet, so there is no edit to end.
void ControlBar_EndFindEdit() {
}
