// The directory window. Until it lists directories, it is a plain MDI child, so that the frame's
// handling of its kind of window can already be driven.
#include "lister/dirwnd.h"

#include "shell/classes.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/platform.h"
#include "shell/winkind.h"

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

HWND DirWindow_Open(const char* spec) {
    char root[kPlatNameMax];
    if (!Plat_DriveRoot(spec, root, sizeof root))
        return NULL;
    return Frame_NewChild(kDirClassName, root);
}

HWND DirWindow_FindForRoot(const char* root) {
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char title[kPlatNameMax] = "";
        GetWindowTextA(child, title, sizeof title);
        if (Orv_ClassifyWindow(child).kind == kKindDir && lstrcmpiA(title, root) == 0)
            return child;
    }
    return NULL;
}
