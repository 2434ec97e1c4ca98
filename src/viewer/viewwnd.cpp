// The file view window. Until it shows files, a view is a plain MDI child titled with its path,
// so that the frame's handling of its kind of window can already be driven.
#include "viewer/viewwnd.h"

#include "shell/classes.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/platform.h"
#include "shell/winkind.h"

namespace {

// What a view knows of its file until it has a record of its own.
struct StandInView {
    char path[MAX_PATH];
    int64_t topLine;
};

StandInView* Data(HWND view) {
    if (Orv_ClassifyWindow(view).kind != kKindView || Orv_ClassifyWindow(view).window != view)
        return nullptr;
    return reinterpret_cast<StandInView*>(GetWindowLongPtrA(view, GWLP_USERDATA));
}

} // namespace

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == view)
        Menu_ApplyState(gFrame, view);
    if (message == WM_NCDESTROY)
        delete reinterpret_cast<StandInView*>(SetWindowLongPtrA(view, GWLP_USERDATA, 0));
    return DefMDIChildProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(title, message, wParam, lParam);
}

HWND View_OpenFile(const char* path, int64_t topLine) {
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory))
        return NULL;
    HWND view = Frame_NewChild(kViewClassName, path);
    if (view) {
        StandInView* data = new StandInView();
        lstrcpynA(data->path, path, sizeof data->path);
        data->topLine = topLine < 1 ? 1 : topLine;
        SetWindowLongPtrA(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    }
    return view;
}

const char* View_Path(HWND view) {
    StandInView* data = Data(view);
    return data ? data->path : "";
}

int64_t View_TopLine(HWND view) {
    StandInView* data = Data(view);
    return data ? data->topLine : 1;
}

void View_Close(HWND view, bool closedByUser) {
    Frame_CloseChild(view, closedByUser);
}

void View_CloseViewsOf(const char* path) {
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (lstrcmpiA(View_Path(child), path) == 0)
            View_Close(child, false);
        child = next;
    }
}

void View_ApplyScrollBarFlag(HWND) {}
