// The search results window. Until it lists results, it is a plain MDI child, so that the
// frame's handling of its kind of window can already be driven.
#include "find/srchwnd.h"

#include "shell/frame.h"
#include "shell/menustate.h"

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == results)
        Menu_ApplyState(gFrame, results);
    return DefMDIChildProcA(results, message, wParam, lParam);
}
