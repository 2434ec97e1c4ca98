// The frame's own messages besides its commands: sizing under the control bar, the splash
// timer, and the menu about to open.
#include "shell/ctlbar.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/splash.h"

namespace {

// The bar's height: half an icon and a margin, or the find box's height if that is more; a
// height past 32 means the icon height was wrong at first, and it is read again.
int BarHeight() {
    int height = GetSystemMetrics(SM_CYICON) / 2 + 12;
    if (gFindCombo) {
        // The closed box's own height, not its drop-down list's.
        int comboHeight = static_cast<int>(SendMessageA(gFindCombo, CB_GETITEMHEIGHT, -1, 0)) + 8;
        if (comboHeight + 4 > height)
            height = comboHeight + 4;
    }
    if (height > 32)
        height = GetSystemMetrics(SM_CYICON) / 2 + 12;
    return height;
}

} // namespace

void Frame_Layout(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    int top = 0;
    if (gControlBar && IsWindowVisible(gControlBar)) {
        top = BarHeight();
        MoveWindow(gControlBar, 0, 0, client.right, top, TRUE);
    }
    if (gMdiClient)
        MoveWindow(gMdiClient, 0, top, client.right,
                   client.bottom - top > 0 ? client.bottom - top : 0, TRUE);
}

bool FrameMsg_Handle(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            return false;
        Frame_Layout(frame); // the default would give the MDI client the bar's place too
        *result = 0;
        return true;
    case WM_TIMER:
        Splash_Dismiss(frame);
        *result = 0;
        return true;
    case WM_INITMENU:
        Menu_OnInitMenu(frame, reinterpret_cast<HMENU>(wParam));
        *result = 0;
        return true;
    }
    return false;
}
