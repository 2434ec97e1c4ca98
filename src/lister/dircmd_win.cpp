// The commands a directory window carries out when it (or a control in it) has the focus: the
// frame routes them here by the kind of the focused window. The file list holds bare names, so
// each selected file takes the listed directory in front of it.
#include "lister/dircmd_win.h"

#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "lister/dirremove_win.h"
#include "lister/dirwnd_win.h"
#include "print/printjob_win.h"
#include "resources/resource.h"
#include "search/listcmd_win.h"
#include "search/selqueue_win.h"

namespace {

// The window's file list and the directory it lists, which its bare names need in front.
struct DirList {
    HWND list;
    std::string prefix;
};

DirList ListOf(HWND dir) {
    return {DirWindow_FileList(dir), DirWindow_Directory(dir)};
}

// Deselect, Home and End: on the focused list, else on the window's file list.
void ListCommand(const WindowTarget& target, HWND own, WORD id) {
    HWND list = target.control ? target.control : own;
    if (!list)
        return;
    switch (id) {
    case IDM_DESELECT:
        List_ClearSelection(own);
        break;
    case IDM_HOME:
        SendMessageA(list, LB_SETTOPINDEX, 0, 0);
        break;
    case IDM_END: {
        // A directory's name box or tree scrolls down; its file list, when the focus is
        // elsewhere, scrolls to its right end, where the last columns are.
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (!target.control)
            SendMessageA(list, WM_HSCROLL, SB_RIGHT, 0);
        else if (count > 0)
            SendMessageA(list, LB_SETTOPINDEX, (WPARAM)(count - 1), 0);
        break;
    }
    }
}

// "&Delete...": the selected files, or with none selected a directory instead. The list drops
// its rows one by one: it is drawn once, at the end.
void DeleteSelected(HWND dir) {
    DirWindow_ClearSum(dir);
    const DirList own = ListOf(dir);
    HWND list = own.list;
    const std::vector<std::string> paths =
        ListCmd_SelectedPaths(list, own.prefix.c_str(), kQueueView);
    if (paths.empty()) {
        DirWindow_DeleteUnselected(dir);
        return;
    }
    if (list)
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListCmd_DeleteFiles(list, paths);
    if (list) {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(dir, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

// "Save &As...": the selected files, one full path a line, to a file the user names.
void SaveSelected(HWND dir) {
    const DirList own = ListOf(dir);
    std::string text;
    for (const std::string& path : ListCmd_SelectedPaths(own.list, own.prefix.c_str(), kQueueView))
        text += path + "\r\n";
    if (text.empty())
        return;
    ListCmd_End(own.list);
    Editor_Save(dir, kSavePrepared, text.data(), (int64_t)text.size());
}

} // namespace

int DirWindow_Command(HWND frame, const WindowTarget& target, WORD id) {
    switch (id) {
    case IDM_DESELECT:
    case IDM_HOME:
    case IDM_END:
        ListCommand(target, DirWindow_FileList(target.window), id);
        return 1;
    case IDM_SAVE_AS:
        SaveSelected(target.window);
        return 1;
    case IDM_DELETE:
        DeleteSelected(target.window);
        return 1;
    case IDM_EDIT: {
        const DirList own = ListOf(target.window);
        ListCmd_Edit(own.list, own.prefix.c_str());
        return 1;
    }
    case IDM_LAUNCH: {
        const DirList own = ListOf(target.window);
        ListCmd_Launch(frame, own.list, own.prefix.c_str());
        return 1;
    }
    case IDM_PRINT:
    case IDM_PRINT_NOW: {
        const DirList own = ListOf(target.window);
        Print_Files(frame, ListCmd_SelectedPaths(own.list, own.prefix.c_str(), kQueueView));
        return 1;
    }
    }
    return 0;
}
