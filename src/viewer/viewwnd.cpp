// The file view window. Until it shows files, a view is a plain MDI child, so that the frame's
// handling of its kind of window can already be driven.
#include "viewer/viewwnd.h"

#include "shell/classes.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/platform.h"

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == view)
        Menu_ApplyState(gFrame, view);
    return DefMDIChildProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(title, message, wParam, lParam);
}

HWND View_OpenFile(const char* path) {
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory))
        return NULL;
    return Frame_NewChild(kViewClassName, path);
}
