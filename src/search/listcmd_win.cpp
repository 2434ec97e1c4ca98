// The commands a search-results window and a directory window carry out alike on the files
// selected in their list (each window's own command procedure picks them).
#include "search/listcmd_win.h"

#include "editor/editwnd_win.h"
#include "lister/fileops.h"
#include "lister/launch_win.h"
#include "search/searchcmd_win.h"
#include "search/selqueue_win.h"
#include "shell/frame_win.h"

std::vector<QueuedEntry> ListCmd_Selected(HWND list, const char* prefix, QueueMode mode) {
    if (!list || SelQueue_BuildFromList(list, prefix, mode) <= 0)
        return {};
    return gSelQueue.entries;
}

std::vector<std::string> ListCmd_SelectedPaths(HWND list, const char* prefix, QueueMode mode) {
    std::vector<std::string> paths;
    for (const QueuedEntry& entry : ListCmd_Selected(list, prefix, mode))
        paths.push_back(entry.path);
    return paths;
}

void ListCmd_End(HWND list) {
    List_ClearSelection(list);
    SelQueue_DropAndGrey();
}

void ListCmd_Edit(HWND list, const char* prefix) {
    const std::vector<QueuedEntry> entries = ListCmd_Selected(list, prefix, kQueueEdit);
    if (entries.empty()) {
        FileOps_TellNoSelection();
        return;
    }
    Frame_BeginWalk();
    for (const QueuedEntry& entry : entries) {
        HWND editor = Editor_Open(entry.path.c_str(), false);
        if (!editor)
            break;
        Editor_ShowLine(editor, entry.line);
    }
    Frame_EndWalk();
    ListCmd_End(list);
    Frame_TileIfAsked();
}

void ListCmd_Launch(HWND frame, HWND list, const char* prefix) {
    const std::vector<std::string> paths = ListCmd_SelectedPaths(list, prefix, kQueueLaunch);
    if (paths.empty()) {
        FileOps_TellNoSelection();
        return;
    }
    Launch_Files(frame, paths);
    ListCmd_End(list);
}

void ListCmd_DeleteFiles(HWND list, const std::vector<std::string>& paths) {
    if (DeleteSelectedFiles(paths)) {
        List_ClearSelection(list);
        SelQueue_Drop();
        SelQueue_SetNextEnabled(FileSearch_IsPaused());
    }
}
