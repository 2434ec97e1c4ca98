// The frame's commands: each goes to the kind of window that has the focus, whose command
// procedure lives with that kind, or is carried out by the frame itself (opening, "&Next",
// arranging and closing the windows, finding, printing, the options and the bar).
#include <string>

#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/frame_win.h"
#include "editor/editcmd_win.h"
#include "editor/editwnd_win.h"
#include "find/finddlg_win.h"
#include "find/findrun_win.h"
#include "search/selqueue_win.h"
#include "search/searchcmd_win.h"
#include "search/resultscmd_win.h"
#include "lister/dircmd_win.h"
#include "lister/dirwnd_win.h"
#include "lister/filelist.h"
#include "lister/launch_win.h"
#include "lister/pathclass.h"
#include "look/colordlg_win.h"
#include "look/fontdlg_win.h"
#include "shell/menustate_win.h"
#include "shell/optsdlg_win.h"
#include "platform/platform.h"
#include "shell/saveopts_win.h"
#include "shell/settings.h"
#include "shell/typedlg_win.h"
#include "platform/uiseam.h"
#include "print/pagedlg_win.h"
#include "print/printjob_win.h"
#include "print/prnsetup_win.h"
#include "shell/winkind_win.h"
#include "viewer/viewfilecmd_win.h"
#include "viewer/viewwnd_win.h"

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

// Commands whose item is greyed do nothing (true: dropped); Find Next with nothing to find again
// asks for something to find.
bool DroppedWhenGreyed(HWND frame, WORD* id) {
    switch (*id) {
    case IDM_STRIP:
    case IDM_FIND:
    case IDM_HOME:
    case IDM_END:
    case IDM_LAUNCH:
        return !Frame_ItemEnabled(frame, *id);
    case IDM_FIND_BACKWARD:
        return !Frame_ItemEnabled(frame, IDM_FIND);
    case IDM_EDIT:
        return !Frame_ItemEnabled(frame, *id) && Orv_FocusTarget().kind != kKindEditor;
    case IDM_FIND_NEXT:
        if (!Frame_ItemEnabled(frame, *id))
            *id = IDM_FIND;
        break;
    }
    return false;
}

// The command bodies of each kind of window live with that kind; the frame hands a command to
// the kind of the window with the focus. 1 when that window took it.
int KindCommand(HWND frame, const WindowTarget& target, WORD id) {
    switch (target.kind) {
    case kKindView:
        return View_FileCommand(frame, target.window, id);
    case kKindEditor:
        return Editor_Command(frame, target.window, id);
    case kKindResults:
        return Results_Command(frame, target, id);
    case kKindDir:
        return DirWindow_Command(frame, target, id);
    case kKindNone:
        break;
    }
    return 0;
}

// "&Find...", Alt+F3 (the same with "&More..." pressed) and "Find &Next", for the view or
// editor that has the focus; nothing for other windows.
void OnFind(HWND frame, const WindowTarget& target, WORD id) {
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
    if (DroppedWhenGreyed(frame, &id)) {
        gLastCommand = 0;
        return 1;
    }
    gLastCommand = id;
    const WindowTarget target = Orv_FocusTarget();
    if (IsViewCommand(id) && target.kind == kKindView && View_Command(target.window, id))
        return 1;
    if (Options_Command(frame, id))
        return 1;
    if (KindCommand(frame, target, id) || Frame_ChildCommand(id, lParam))
        return 1;
    switch (id) {
    case IDM_OPEN_DIR:
        OnOpenDir(code);
        return 1;
    case IDM_CONNECT_NET:
    case IDM_DISCONNECT_NET:
        DirWindow_ConnectNet(frame, id == IDM_CONNECT_NET);
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
    case IDM_NEW:
        Editor_Open(kUntitledName, true);
        return 1;
    case IDM_SAVE:
        Editor_SaveCurrent();
        return 1;
    case IDM_DELETE:
    case IDM_SAVE_AS:
    case IDM_TABS:
    case IDM_UNDO:
    case IDM_CUT:
    case IDM_COPY:
    case IDM_PASTE:
    case IDM_DESELECT:
    case IDM_HOME:
    case IDM_END:
    case IDM_EDIT:
    case IDM_LAUNCH:
        return 1; // a command of the window kinds that the focused one does not have
    case IDM_COLORS:
        Colors_Command(frame);
        return 1;
    case IDM_FONT:
        Font_Command(frame);
        return 1;
    case IDM_FIND:
    case IDM_FIND_BACKWARD:
    case IDM_FIND_NEXT:
        OnFind(frame, target, id);
        return 1;
    case IDM_PRINT:
    case IDM_PRINT_NOW:
        Print_Window(frame, id, target);
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
