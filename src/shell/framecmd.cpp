// The frame's commands: each goes to the kind of window that has the focus, or is carried out
// by the frame itself (arranging the windows, closing them, the options and the bar).
#include <vector>

#include "resources/resource.h"
#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/frame.h"
#include "editor/editwnd.h"
#include "find/finddlg.h"
#include "find/findrun.h"
#include "find/selqueue_win.h"
#include "find/srchrun.h"
#include "find/srchwnd.h"
#include "lister/dirremove_win.h"
#include "lister/dirwnd.h"
#include "lister/filelist.h"
#include "lister/fileops.h"
#include "lister/launch_win.h"
#include "lister/pathclass.h"
#include "look/colordlg_win.h"
#include "look/fontdlg_win.h"
#include "shell/menustate.h"
#include "shell/optsdlg.h"
#include "platform/platform.h"
#include "shell/saveopts.h"
#include "shell/settings.h"
#include "shell/typedlg.h"
#include "platform/uiseam.h"
#include "print/pagedlg_win.h"
#include "print/printjob_win.h"
#include "print/prnsetup_win.h"
#include "shell/winkind.h"
#include "viewer/viewdlgs.h"
#include "viewer/viewwnd.h"

namespace {

const char kNoNextFile[] = "No next file.";
const char kUntitledName[] = "UNTITLED.TXT";

WORD gLastCommand = 0;

void Grey(HWND frame, UINT id) {
    EnableMenuItem(GetMenu(frame), id, MF_BYCOMMAND | MF_GRAYED);
}

void OnToggleSaveOnExit(HWND frame) {
    Settings_ToggleSaveOnExit();
    CheckMenuItem(GetMenu(frame), IDM_SAVE_ON_EXIT,
                  MF_BYCOMMAND | (gSettings.autoSaveOptions ? MF_CHECKED : MF_UNCHECKED));
}

void OnToggleButtonBar(HWND frame) {
    if (!gControlBar || !gMdiClient)
        return;
    if (!GetSystemMetrics(SM_MOUSEPRESENT)) {
        Grey(frame, IDM_BUTTON_BAR);
        ShowWindow(gControlBar, SW_HIDE);
        gSettings.buttonBar = 0;
    } else {
        bool show = !IsWindowVisible(gControlBar);
        ShowWindow(gControlBar, show ? SW_SHOW : SW_HIDE);
        gSettings.buttonBar = show ? 1 : 0;
    }
    Frame_Layout(frame);
}

// The commands a file view carries out itself when it has the focus.
bool IsViewCommand(WORD id) {
    switch (id) {
    case IDM_HEX:
    case IDM_STRIP:
    case IDM_TEXT:
    case IDM_HOME:
    case IDM_END:
    case IDM_FIND_NEXT:
    case IDM_DESELECT:
    case IDM_COPY:
    case IDM_TITLE_LOCK:
    case IDM_TITLE_UNLOCK:
    case IDM_TABS:
    case IDM_SPECIAL_CHARS:
    case IDM_GO_TO_LINE:
    case IDM_POSTSCRIPT:
        return true;
    }
    return false;
}

void OnToggleVertScrollBar(HWND frame) {
    gSettings.vertScrollBar = !gSettings.vertScrollBar;
    CheckMenuItem(GetMenu(frame), IDM_VERT_SCROLL_BAR,
                  MF_BYCOMMAND | (gSettings.vertScrollBar ? MF_CHECKED : MF_UNCHECKED));
    HWND views[256];
    const int n = View_List(views, 256);
    for (int i = 0; i < n; i++)
        View_ApplyScrollBarFlag(views[i]);
}

// A directory or a pattern becomes the current directory specification: completed from the
// current directory, and a bare directory given the mask "*.*".
std::string DirectorySpec(const std::string& path, int flags) {
    std::string spec = path;
    if (!Plat_IsAbsolutePath(spec.c_str())) {
        char dir[kPlatNameMax];
        int n = Plat_GetCurrentDir(0, dir, sizeof dir);
        if (n > 0) {
            std::string base(dir, (size_t)n);
            if (base.back() != kPlatDirSeparator)
                base += kPlatDirSeparator;
            spec = base + spec;
        }
    }
    if ((flags & kPathDirectory) && !(flags & (kPathPattern | kPathFile))) {
        PlatFileInfo info;
        if (Plat_GetFileInfo(spec.c_str(), &info) && (info.attributes & kPlatAttrDirectory)) {
            if (spec.back() != kPlatDirSeparator)
                spec += kPlatDirSeparator;
            spec += "*.*";
        }
    }
    return spec;
}

// The current directory specification, or the current drive's root.
std::string CurrentSpec() {
    if (gCurrentDirSpec[0])
        return gCurrentDirSpec;
    char dir[kPlatNameMax], root[kPlatNameMax];
    if (Plat_GetCurrentDir(0, dir, sizeof dir) > 0 && Plat_DriveRoot(dir, root, sizeof root))
        return std::string(root) + "*.*";
    return "";
}

// Several files chosen in a list and taken with Enter: every one still queued opens in a view,
// and the windows are arranged once, at the end.
void OpenAllQueued() {
    Frame_BeginWalk();
    QueuedEntry entry;
    while (SelQueue_Take(&entry))
        View_OpenFile(entry.path.c_str(), entry.line > 0 ? entry.line : 1);
    Frame_EndWalk();
    SelQueue_ClearListSelection();
    SelQueue_DropAndGrey();
    Frame_TileIfAsked();
}

// "&Open/Dir..." with the path it carries: a file opens in a view; a directory or a pattern in
// a directory window; no path (or a file that cannot be opened) the directory window of the
// current specification, which is brought up if one is open already. A path too long for the
// program is refused whole: cut short, it could name another file.
void OnOpenDir(WORD code) {
    const std::string path = Frame_TakeQueuedPath(code);
    if (path.size() >= (size_t)kPlatNameMax) {
        PromptRequest request = {kInvalidFilespecText, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return;
    }
    Frame_NoteOpened(path);
    if (!path.empty()) {
        const int flags = ClassifyPath(path.c_str());
        if ((flags & kPathFile) && !(flags & kPathPattern)) {
            if (View_OpenFile(path.c_str()))
                return;
        } else {
            const std::string spec = DirectorySpec(path, flags);
            lstrcpynA(gCurrentDirSpec, spec.c_str(), sizeof gCurrentDirSpec);
            char root[kPlatNameMax];
            if (Plat_DriveRoot(spec.c_str(), root, sizeof root))
                Plat_SetCurrentDir(root);
            DirWindow_Open(spec.c_str());
            return;
        }
    }
    if (gSelQueue.openAll && SelQueue_HasNext()) {
        OpenAllQueued();
        return;
    }
    const std::string spec = CurrentSpec();
    char root[kPlatNameMax];
    HWND open = Plat_DriveRoot(spec.c_str(), root, sizeof root) ? DirWindow_FindForRoot(root)
                                                                 : NULL;
    if (open) {
        if (IsIconic(open))
            SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(open), 0);
        SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open), 0);
    } else {
        DirWindow_Open(spec.c_str());
    }
}

// The list a command on a search-results or directory window works on, and what its entries
// need in front of them to be paths (a directory list holds bare names).
struct ListTarget {
    HWND list;
    std::string prefix;
};

ListTarget ListOf(const WindowTarget& target) {
    if (target.kind == kKindResults)
        return {Results_List(target.window), ""};
    if (target.kind == kKindDir)
        return {DirWindow_FileList(target.window), DirWindow_Directory(target.window)};
    return {NULL, ""};
}

// The selected entries of a list, queued in the given mode; none when nothing is selected (or
// memory ran out, which the queue has told the user).
std::vector<QueuedEntry> SelectedEntries(const ListTarget& target, QueueMode mode) {
    if (!target.list || SelQueue_BuildFromList(target.list, target.prefix.c_str(), mode) <= 0)
        return {};
    return gSelQueue.entries;
}

// After a command has taken a list's files: no marks left in the list and nothing for "&Next".
void EndListCommand(const ListTarget& target) {
    List_ClearSelection(target.list);
    SelQueue_DropAndGrey();
}

// "&Next": the next queued file, opened the way its list asked (view, edit or launch).
void OnNext(HWND frame) {
    if (FileSearch_IsPaused()) {
        Frame_BeforeOpening(NULL); // the next match opens as any file does
        FileSearch_Resume(frame);
        return;
    }
    QueuedEntry entry;
    if (!SelQueue_Take(&entry)) {
        PromptRequest request = {kNoNextFile, nullptr, kButtonsOk, kIconNone,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        SelQueue_DropAndGrey();
        return;
    }
    SelQueue_ClearListSelection();
    const QueueMode mode = gSelQueue.mode;
    if (!SelQueue_HasNext())
        SelQueue_SetNextEnabled(false);
    Frame_BeforeOpening(NULL);
    switch (mode) {
    case kQueueView:
        View_OpenFile(entry.path.c_str(), entry.line > 0 ? entry.line : 1);
        break;
    case kQueueEdit:
        if (HWND editor = Editor_Open(entry.path.c_str(), false))
            Editor_ShowLine(editor, entry.line);
        break;
    case kQueueLaunch:
        Launch_Files(frame, {entry.path});
        break;
    }
    Frame_TileIfAsked();
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

// "&Delete...": the viewed file, the editor's file, or the files selected in a list.
void OnDelete() {
    const WindowTarget target = Orv_FocusTarget();
    switch (target.kind) {
    case kKindView: {
        const std::string path = View_Path(target.window); // the view goes before its file
        DeleteOneFile(path.c_str(), false, true);
        break;
    }
    case kKindEditor:
        DeleteEditorFile(target.window);
        break;
    case kKindResults:
    case kKindDir: {
        if (target.kind == kKindDir)
            DirWindow_ClearSum(target.window);
        const ListTarget list = ListOf(target);
        std::vector<std::string> paths;
        for (const QueuedEntry& entry : SelectedEntries(list, kQueueView))
            paths.push_back(entry.path);
        // With no file selected a directory window removes a directory instead.
        if (paths.empty() && target.kind == kKindDir) {
            DirWindow_DeleteUnselected(target.window);
            break;
        }
        // A directory window's list drops its rows one by one: it is drawn once, at the end.
        const bool quiet = target.kind == kKindDir && list.list;
        if (quiet)
            SendMessageA(list.list, WM_SETREDRAW, FALSE, 0);
        if (DeleteSelectedFiles(paths)) {
            List_ClearSelection(list.list);
            SelQueue_Drop();
            // A paused disk search keeps "&Next": it is how that search goes on.
            SelQueue_SetNextEnabled(FileSearch_IsPaused());
        }
        if (quiet) {
            SendMessageA(list.list, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(target.window, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
        break;
    }
    case kKindNone:
        break;
    }
}

// "&Print..." and the print button: the focused window, or each file selected in a directory
// window in turn.
void OnPrint(HWND frame, WORD id) {
    const WindowTarget target = Orv_FocusTarget();
    if (target.kind != kKindDir) {
        Print_Window(frame, id, target);
        return;
    }
    std::vector<std::string> paths;
    for (const QueuedEntry& entry : SelectedEntries(ListOf(target), kQueueView))
        paths.push_back(entry.path);
    Print_Files(frame, paths);
}

// "&Edit": a view becomes an editor at the same line and an editor a view again; files
// selected in a list each open in an editor, until one cannot.
void OnEdit() {
    const WindowTarget target = Orv_FocusTarget();
    switch (target.kind) {
    case kKindView: {
        const std::string path = View_Path(target.window);
        const int64_t top = View_TopLine(target.window);
        if (HWND editor = Editor_Open(path.c_str(), false)) {
            View_Close(target.window, false);
            Editor_ShowLine(editor, top);
        }
        break;
    }
    case kKindEditor: {
        if (Editor_IsUntitled(target.window))
            break; // a new text has no file to view yet
        const std::string path = Editor_Path(target.window);
        const int64_t line = Editor_FirstVisibleLine(target.window);
        Frame_HoldAutoOpen(true); // the view takes the editor's place
        const int closed = Frame_CloseChild(target.window, false);
        Frame_HoldAutoOpen(false);
        if (closed) {
            if (HWND view = View_OpenFile(path.c_str(), line))
                SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view), 0);
            Frame_TileIfAsked();
            if (!Frame_ActiveChild())
                Frame_AutoOpen(gFrame, false);
        }
        break;
    }
    case kKindResults:
    case kKindDir: {
        const ListTarget list = ListOf(target);
        const std::vector<QueuedEntry> entries = SelectedEntries(list, kQueueEdit);
        if (entries.empty()) {
            FileOps_TellNoSelection();
            break;
        }
        Frame_BeginWalk();
        for (const QueuedEntry& entry : entries) {
            HWND editor = Editor_Open(entry.path.c_str(), false);
            if (!editor)
                break;
            Editor_ShowLine(editor, entry.line);
        }
        Frame_EndWalk();
        EndListCommand(list);
        Frame_TileIfAsked();
        break;
    }
    case kKindNone:
        break;
    }
}

// "&Launch...": the viewed file, or the files selected in a list.
void OnLaunch(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    if (target.kind == kKindView) {
        Launch_Files(frame, {View_Path(target.window)});
    } else if (target.kind == kKindResults || target.kind == kKindDir) {
        const ListTarget list = ListOf(target);
        std::vector<std::string> paths;
        for (const QueuedEntry& entry : SelectedEntries(list, kQueueLaunch))
            paths.push_back(entry.path);
        if (paths.empty()) {
            FileOps_TellNoSelection();
            return;
        }
        Launch_Files(frame, paths);
        EndListCommand(list);
    }
}

// Undo, Cut, Copy, Paste, Deselect, Home and End in an editor's edit control.
void EditorCommand(HWND edit, WORD id) {
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

// Copy, Deselect, Home and End in a search-results or directory window: on the focused list,
// else on the window's own list.
void ListCommand(HWND frame, const WindowTarget& target, WORD id) {
    const ListTarget own = ListOf(target);
    HWND list = target.control ? target.control : own.list;
    if (!list)
        return;
    std::string text;
    switch (id) {
    case IDM_COPY:
        if (target.kind == kKindResults)
            Results_CollectSelected(frame, list, true, &text);
        break;
    case IDM_DESELECT:
        List_ClearSelection(own.list);
        if (target.kind == kKindResults)
            SelQueue_DropAndGrey();
        break;
    case IDM_HOME:
        SendMessageA(list, LB_SETTOPINDEX, 0, 0);
        break;
    case IDM_END: {
        // A directory's name box or tree scrolls down; its file list, when the focus is
        // elsewhere, scrolls to its right end, where the last columns are.
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (target.kind == kKindDir && !target.control)
            SendMessageA(list, WM_HSCROLL, SB_RIGHT, 0);
        else if (count > 0)
            SendMessageA(list, LB_SETTOPINDEX, (WPARAM)(count - 1), 0);
        break;
    }
    }
}

// Commands that act on the text or list of the window with the focus (a view handles its own).
void OnEditingCommand(HWND frame, WORD id) {
    const WindowTarget target = Orv_FocusTarget();
    if (target.kind == kKindEditor) {
        if (HWND edit = Editor_Control(target.window))
            EditorCommand(edit, id);
    } else if (target.kind == kKindResults || target.kind == kKindDir) {
        ListCommand(frame, target, id);
    }
}

// "Save &As...": an editor's text under a new name; a view's selection, or the entries selected
// in a results or directory list, to a file the user names.
void OnSaveAs(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    switch (target.kind) {
    case kKindEditor:
        Editor_Save(target.window, kSaveAsNew);
        break;
    case kKindView: {
        std::string text;
        if (View_SelectionForSave(target.window, &text))
            Editor_Save(target.window, kSavePrepared, text.data(), (int64_t)text.size());
        break;
    }
    case kKindResults:
        Results_SaveSelected(frame, target.control ? target.control : Results_List(target.window));
        break;
    case kKindDir: {
        // The selected files, one full path a line.
        const ListTarget list = ListOf(target);
        std::string text;
        for (const QueuedEntry& entry : SelectedEntries(list, kQueueView))
            text += entry.path + "\r\n";
        if (text.empty())
            break;
        EndListCommand(list);
        Editor_Save(target.window, kSavePrepared, text.data(), (int64_t)text.size());
        break;
    }
    case kKindNone:
        break;
    }
}

// "&Save": the editor that last had the focus writes its file; a new one asks for a name.
void OnSave() {
    if (HWND editor = Editor_Current())
        Editor_Save(editor, Editor_IsUntitled(editor) ? kSaveAsNew : kSaveToPath);
}

// "Ta&bs..." for an editor (a view takes the command itself): its own tab width.
void OnEditorTabs(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    if (target.kind != kKindEditor)
        return;
    int32_t width = Editor_TabWidth(target.window);
    if (ViewDlg_TabStops(frame, &width))
        Editor_SetTabWidth(target.window, width);
}

// "&Find...", Alt+F3 (the same with "&More..." pressed) and "Find &Next", for the view or
// editor that has the focus; nothing for other windows.
void OnFind(HWND frame, WORD id) {
    const WindowTarget target = Orv_FocusTarget();
    if (target.kind != kKindView && target.kind != kKindEditor)
        return;
    if (id == IDM_FIND_NEXT)
        FindRun_Find(target, true);
    else
        FindDlg_Run(frame, id == IDM_FIND_BACKWARD ? kFindDlgFindMore : kFindDlgFind);
}

} // namespace

bool Frame_ItemEnabled(HWND frame, UINT id) {
    UINT state = GetMenuState(GetMenu(frame), id, MF_BYCOMMAND);
    return state != (UINT)-1 && !(state & (MF_GRAYED | MF_DISABLED));
}

WORD Frame_LastCommand() {
    return gLastCommand;
}

bool Frame_TranslateGreyedKeys(const MSG* msg) {
    if (!gFrame || msg->message != WM_KEYDOWN)
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0,
               alt = GetKeyState(VK_MENU) < 0;
    WORD command = 0;
    if (msg->wParam == VK_F3 && !shift && !ctrl && !alt &&
        !Frame_ItemEnabled(gFrame, IDM_FIND_NEXT))
        command = IDM_FIND_NEXT; // nothing to find again: the command asks for something to find
    else if (msg->wParam == 'E' && ctrl && !shift && !alt && !Frame_ItemEnabled(gFrame, IDM_EDIT) &&
             Orv_FocusTarget().kind == kKindEditor)
        command = IDM_EDIT; // an editor becomes a view again, although the item is greyed
    if (!command)
        return false;
    SendMessageA(gFrame, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return true;
}

int Frame_Command(HWND frame, WORD id, WORD code, LPARAM lParam) {
    // Commands whose item is greyed do nothing; Find Next with nothing to find again asks for
    // something to find.
    switch (id) {
    case IDM_STRIP:
    case IDM_FIND:
    case IDM_HOME:
    case IDM_END:
    case IDM_LAUNCH:
        if (!Frame_ItemEnabled(frame, id)) {
            gLastCommand = 0;
            return 1;
        }
        break;
    case IDM_FIND_BACKWARD:
        if (!Frame_ItemEnabled(frame, IDM_FIND)) {
            gLastCommand = 0;
            return 1;
        }
        break;
    case IDM_EDIT:
        if (!Frame_ItemEnabled(frame, id) && Orv_FocusTarget().kind != kKindEditor) {
            gLastCommand = 0;
            return 1;
        }
        break;
    case IDM_FIND_NEXT:
        if (!Frame_ItemEnabled(frame, id))
            id = IDM_FIND;
        break;
    }

    gLastCommand = id;
    if (IsViewCommand(id)) {
        const WindowTarget target = Orv_FocusTarget();
        if (target.kind == kKindView && View_Command(target.window, id))
            return 1;
    }
    if (Options_Command(frame, id))
        return 1;
    switch (id) {
    case IDM_OPEN_DIR:
        OnOpenDir(code);
        return 1;
    case IDM_CLOSE:
        Frame_CloseWindow(reinterpret_cast<HWND>(lParam));
        return 1;
    case IDM_CONNECT_NET:
    case IDM_DISCONNECT_NET:
        DirWindow_ConnectNet(frame, id == IDM_CONNECT_NET);
        return 1;
    case IDM_CLOSE_ALL:
        Frame_CloseAll();
        return 1;
    case IDM_NEXT:
        OnNext(frame);
        return 1;
    case IDM_SEARCH:
        FileSearch_Command(frame);
        return 1;
    case IDM_EXIT:
        SendMessageA(frame, WM_CLOSE, 0, 0);
        return 1;
    case IDM_SAVE_SETTINGS_NOW:
        SaveOpts_Run(frame, frame);
        return 1;
    case IDM_SAVE_ON_EXIT:
        OnToggleSaveOnExit(frame);
        return 1;
    case IDM_FILE_TYPES:
        TypeDlg_Run(frame);
        return 1;
    case IDM_BUTTON_BAR:
        OnToggleButtonBar(frame);
        return 1;
    case IDM_VERT_SCROLL_BAR:
        OnToggleVertScrollBar(frame);
        return 1;
    case IDM_DELETE:
        OnDelete();
        return 1;
    case IDM_NEW:
        Editor_Open(kUntitledName, true);
        return 1;
    case IDM_SAVE:
        OnSave();
        return 1;
    case IDM_SAVE_AS:
        OnSaveAs(frame);
        return 1;
    case IDM_TABS:
        OnEditorTabs(frame);
        return 1;
    case IDM_UNDO:
    case IDM_CUT:
    case IDM_COPY:
    case IDM_PASTE:
    case IDM_DESELECT:
    case IDM_HOME:
    case IDM_END:
        OnEditingCommand(frame, id);
        return 1;
    case IDM_EDIT:
        OnEdit();
        return 1;
    case IDM_LAUNCH:
        OnLaunch(frame);
        return 1;
    case IDM_TILE_VERTICAL:
        SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
        return 1;
    case IDM_TILE_HORIZONTAL:
        SendMessageA(gMdiClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return 1;
    case IDM_CASCADE:
        SendMessageA(gMdiClient, WM_MDICASCADE, 0, 0);
        return 1;
    case IDM_ARRANGE_ICONS:
        SendMessageA(gMdiClient, WM_MDIICONARRANGE, 0, 0);
        return 1;
    case IDM_RESTORE_CHILD:
        SendMessageA(gMdiClient, WM_MDIRESTORE, static_cast<WPARAM>(lParam), 0);
        return 1;
    case IDM_NEXT_WINDOW:
        Frame_NextWindow();
        return 1;
    case IDM_COLORS:
        Colors_Command(frame);
        return 1;
    case IDM_FONT:
        Font_Command(frame);
        return 1;
    case IDM_FIND:
    case IDM_FIND_BACKWARD:
    case IDM_FIND_NEXT:
        OnFind(frame, id);
        return 1;
    case IDM_PRINT:
    case IDM_PRINT_NOW:
        OnPrint(frame, id);
        return 1;
    case IDM_PAGE_SETUP:
        PageSetup_Run(frame);
        return 1;
    case IDM_PRINTER_SETUP:
        Printer_Setup(frame);
        return 1;
    }
    if (id >= IDM_FIRST_CHILD && id < IDM_FIRST_CHILD + 10) {
        // Picking a window from the list leaves the active one as opening another file does;
        // the default processing then activates the pick.
        Frame_BeforeOpening(NULL);
        return 0;
    }
    return 0;
}
