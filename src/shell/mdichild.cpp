// The focus and close rules the editor and results windows share as MDI children of the frame.
#include "shell/mdichild.h"

#include "resources/resource.h"
#include "shell/ctlbar.h"
#include "shell/frame.h"

void MdiChild_TakeFocus(HWND child, HWND control, bool findable, void (*becomeCurrent)(HWND)) {
    ControlBar_EnableFind(findable);
    becomeCurrent(child);
    if (control)
        SetFocus(control);
}

bool MdiChild_CloseThroughFrame(HWND child) {
    if (!IsWindowVisible(child) || !gFrame)
        return false;
    PostMessageA(gFrame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(child));
    return true;
}
