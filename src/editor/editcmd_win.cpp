// The commands an editor carries out when it (or its edit control) has the focus: the frame
// routes them here by the kind of the focused window. "&Save" goes to the editor that last
// had the focus, wherever the focus is now.
#include "editor/editcmd_win.h"

#include <stdint.h>

#include <string>

#include "editor/editwnd_win.h"
#include "lister/fileops.h"
#include "resources/resource.h"
#include "shell/frame_win.h"
#include "viewer/viewdlgs_win.h"
#include "viewer/viewwnd_win.h"

namespace {

// Undo, Cut, Copy, Paste, Deselect, Home and End in the edit control.
void EditControlCommand(HWND edit, WORD id) {
    DWORD start = 0, end = 0;
    switch (id) {
    case IDM_UNDO:
        SendMessageA(edit, EM_UNDO, 0, 0);
        break;
    case IDM_CUT:
        SendMessageA(edit, WM_CUT, 0, 0);
        break;
    case IDM_COPY:
        SendMessageA(edit, WM_COPY, 0, 0);
        break;
    case IDM_PASTE:
        SendMessageA(edit, WM_PASTE, 0, 0);
        break;
    case IDM_DESELECT: // the selection shrinks to its start, where the caret stays
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        SendMessageA(edit, EM_SETSEL, start, start);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        break;
    case IDM_HOME:
        SendMessageA(edit, EM_SETSEL, 0, 0);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        break;
    case IDM_END: {
        const LPARAM length = GetWindowTextLengthA(edit);
        SendMessageA(edit, EM_SETSEL, (WPARAM)length, length);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        break;
    }
    }
}

// "Ta&bs...": the editor's own tab width.
void SetTabWidth(HWND frame, HWND editor) {
    int32_t width = Editor_TabWidth(editor);
    if (ViewDlg_TabStops(frame, &width))
        Editor_SetTabWidth(editor, width);
}

// Deleting an editor's file: asked before anything happens to the editor, so that No leaves it
// and its unsaved text as they were. An untitled editor has no file to delete.
void DeleteEditorFile(HWND editor) {
    if (Editor_IsUntitled(editor) || !Editor_Path(editor)[0])
        return;
    const std::string path = Editor_Path(editor);
    if (!AskDeleteFile(path.c_str()))
        return;
    Editor_MarkUnmodified(editor);
    Frame_HoldAutoOpen(true);
    const int closed = Frame_CloseChild(editor, false);
    Frame_HoldAutoOpen(false);
    if (closed)
        DeleteOneFile(path.c_str(), true, true);
}

// "&Edit": the editor becomes a view of its file again, at its first visible line.
void BackToView(HWND editor) {
    if (Editor_IsUntitled(editor))
        return; // a new text has no file to view yet
    const std::string path = Editor_Path(editor);
    const int64_t line = Editor_FirstVisibleLine(editor);
    Frame_HoldAutoOpen(true); // the view takes the editor's place
    const int closed = Frame_CloseChild(editor, false);
    Frame_HoldAutoOpen(false);
    if (closed) {
        if (HWND view = View_OpenFile(path.c_str(), line))
            SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view), 0);
        Frame_TileIfAsked();
        if (!Frame_ActiveChild())
            Frame_AutoOpen(gFrame, false);
    }
}

} // namespace

int Editor_Command(HWND frame, HWND editor, WORD id) {
    switch (id) {
    case IDM_UNDO:
    case IDM_CUT:
    case IDM_COPY:
    case IDM_PASTE:
    case IDM_DESELECT:
    case IDM_HOME:
    case IDM_END:
        if (HWND edit = Editor_Control(editor))
            EditControlCommand(edit, id);
        return 1;
    case IDM_TABS:
        SetTabWidth(frame, editor);
        return 1;
    case IDM_SAVE_AS:
        Editor_Save(editor, kSaveAsNew);
        return 1;
    case IDM_DELETE:
        DeleteEditorFile(editor);
        return 1;
    case IDM_EDIT:
        BackToView(editor);
        return 1;
    }
    return 0;
}

void Editor_SaveCurrent() {
    if (HWND editor = Editor_Current())
        Editor_Save(editor, Editor_IsUntitled(editor) ? kSaveAsNew : kSaveToPath);
}
