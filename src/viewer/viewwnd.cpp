// The file view window. Until it shows files, a view is a plain MDI child, so that the frame's
// handling of its kind of window can already be driven.
#include "viewer/viewwnd.h"

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(title, message, wParam, lParam);
}
