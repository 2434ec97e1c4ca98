// Finds in the windows that have something to find in: a view searches the shared engine's
// file, an editor its edit control's text.
#include "find/findrun_win.h"

#include <stdlib.h>
#include <string.h>

#include "editor/editwnd_win.h"
#include "find/findengine.h"
#include "resources/resource.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

namespace {

HWND EditOf(void* context) {
    return static_cast<HWND>(context);
}

char* CopyEditText(void* context, int64_t* length) {
    const int n = GetWindowTextLengthA(EditOf(context));
    char* text = static_cast<char*>(malloc((size_t)n + 1));
    if (!text)
        return nullptr;
    *length = GetWindowTextA(EditOf(context), text, n + 1);
    return text;
}

void GetEditSelection(void* context, int64_t* start, int64_t* end) {
    DWORD from = 0, to = 0;
    SendMessageA(EditOf(context), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    *start = from;
    *end = to;
}

void SelectEditText(void* context, int64_t start, int64_t end) {
    SendMessageA(EditOf(context), EM_SETSEL, (WPARAM)start, (LPARAM)end);
    SendMessageA(EditOf(context), EM_SCROLLCARET, 0, 0);
}

void ReplaceEditSelection(void* context, const char* text, int32_t length) {
    char* copy = static_cast<char*>(malloc((size_t)length + 1));
    if (!copy)
        return;
    memcpy(copy, text, (size_t)length);
    copy[length] = 0;
    SendMessageA(EditOf(context), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy));
    free(copy);
}

// Drawing goes off for a Replace All and comes back once, with the whole text redrawn.
void SetEditRedraw(void* context, bool on) {
    SendMessageA(EditOf(context), WM_SETREDRAW, on, 0);
    if (on)
        InvalidateRect(EditOf(context), NULL, TRUE);
}

} // namespace

EditTarget FindRun_EditTarget(HWND edit) {
    EditTarget target;
    target.context = edit;
    target.copyText = CopyEditText;
    target.getSelection = GetEditSelection;
    target.select = SelectEditText;
    target.replaceSelection = ReplaceEditSelection;
    target.setRedraw = SetEditRedraw;
    return target;
}

void FindRun_StartAtTop(const WindowTarget& target) {
    if (target.kind == kKindView) {
        gEngine.matchLine = 0;
        gEngine.matchColumn = 0;
        View_Command(target.window, IDM_HOME); // as the Home key moves it
    } else if (target.kind == kKindEditor) {
        if (HWND edit = Editor_Control(target.window)) {
            SendMessageA(edit, EM_SETSEL, 0, 0);
            SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        }
    }
}

int FindRun_Find(const WindowTarget& target, bool repeat) {
    const int32_t length = repeat ? gFind.findNextLength : FindPatternLength(gFind);
    if (target.kind == kKindView)
        return View_Find(target.window, repeat, length);
    if (target.kind == kKindEditor) {
        HWND edit = Editor_Control(target.window);
        if (!edit)
            return 0;
        const EditTarget editTarget = FindRun_EditTarget(edit);
        // LineLength bounds a match in an editor as in a view (256 before the engine is made).
        const int32_t lineLength = gEngine.sizes.lineLength > 0 ? gEngine.sizes.lineLength : 256;
        return FindInEditor(&editTarget, &gFind, repeat, length, true, lineLength) ? 1 : 0;
    }
    return 0;
}
