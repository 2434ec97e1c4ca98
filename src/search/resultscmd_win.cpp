// The commands a search-results window carries out when it (or its list) has the focus: the
// frame routes them here by the kind of the focused window.
#include "search/resultscmd_win.h"

#include <string>

#include "resources/resource.h"
#include "search/listcmd_win.h"
#include "search/resultswnd_win.h"
#include "search/selqueue_win.h"

namespace {

// Copy, Deselect, Home and End: on the focused list, else on the window's own list.
void ListCommand(HWND frame, const WindowTarget& target, WORD id) {
    HWND own = Results_List(target.window);
    HWND list = target.control ? target.control : own;
    if (!list)
        return;
    std::string text;
    switch (id) {
    case IDM_COPY:
        Results_CollectSelected(frame, list, true, &text);
        break;
    case IDM_DESELECT:
        List_ClearSelection(own);
        SelQueue_DropAndGrey();
        break;
    case IDM_HOME:
        SendMessageA(list, LB_SETTOPINDEX, 0, 0);
        break;
    case IDM_END: {
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (count > 0)
            SendMessageA(list, LB_SETTOPINDEX, (WPARAM)(count - 1), 0);
        break;
    }
    }
}

} // namespace

int Results_Command(HWND frame, const WindowTarget& target, WORD id) {
    // The entries of a results list are whole paths: they need nothing in front of them.
    HWND list = Results_List(target.window);
    switch (id) {
    case IDM_COPY:
    case IDM_DESELECT:
    case IDM_HOME:
    case IDM_END:
        ListCommand(frame, target, id);
        return 1;
    case IDM_SAVE_AS:
        Results_SaveSelected(frame, target.control ? target.control : list);
        return 1;
    case IDM_EDIT:
        ListCmd_Edit(list, "");
        return 1;
    case IDM_LAUNCH:
        ListCmd_Launch(frame, list, "");
        return 1;
    case IDM_DELETE:
        ListCmd_DeleteFiles(list, ListCmd_SelectedPaths(list, "", kQueueView));
        return 1;
    }
    return 0;
}
