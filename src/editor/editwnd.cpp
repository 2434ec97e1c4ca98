// The editor window. Until it edits files, it is a plain MDI child, so that the frame's handling
// of its kind of window can already be driven.
#include "editor/editwnd.h"

#include "shell/frame.h"
#include "shell/menustate.h"

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == editor)
        Menu_ApplyState(gFrame, editor);
    return DefMDIChildProcA(editor, message, wParam, lParam);
}
