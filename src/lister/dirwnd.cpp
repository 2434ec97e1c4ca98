// The directory window. Until it lists directories, it is a plain MDI child, so that the frame's
// handling of its kind of window can already be driven.
#include "lister/dirwnd.h"

#include "shell/frame.h"
#include "shell/menustate.h"

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == dir)
        Menu_ApplyState(gFrame, dir);
    return DefMDIChildProcA(dir, message, wParam, lParam);
}

LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(disk, message, wParam, lParam);
}

LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(split, message, wParam, lParam);
}
