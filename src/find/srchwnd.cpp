// The search results window. Until it lists results, it is a plain MDI child, so that the
// frame's handling of its kind of window can already be driven.
#include "find/srchwnd.h"

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(results, message, wParam, lParam);
}
