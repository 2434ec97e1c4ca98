// The editor window. Until it edits files, it is a plain MDI child, so that the frame's handling
// of its kind of window can already be driven.
#include "editor/editwnd.h"

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(editor, message, wParam, lParam);
}
