#include "search/selqueue_win.h"

#include <stdlib.h>

#include "lister/dirwnd_win.h"
#include "shell/frame_win.h"
#include "shell/menustate_win.h"
#include "platform/uiseam.h"

namespace {

const char kNoQueueMemory[] = "Not enough free memory\nfor multiple selection";
const char kMemoryCaption[] = "Memory";

// The selected entries' texts and list indexes; false when memory for them ran out.
bool ReadSelection(HWND list, std::vector<std::string>* texts, std::vector<int>* indexes) {
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR) { // a list of single selection
        LRESULT current = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (current != LB_ERR)
            indexes->assign(1, (int)current);
    } else if (count > 0) {
        // The one block whose size the user decides (every entry of a huge list selected).
        int* selected = static_cast<int*>(malloc((size_t)count * sizeof(int)));
        if (!selected)
            return false;
        count = SendMessageA(list, LB_GETSELITEMS, (WPARAM)count, reinterpret_cast<LPARAM>(selected));
        if (count > 0)
            indexes->assign(selected, selected + count);
        free(selected);
    }
    texts->reserve(indexes->size());
    for (int index : *indexes)
        texts->push_back(List_ItemText(list, index));
    return true;
}

} // namespace

void SelQueue_SetNextEnabled(bool enabled) {
    gNextPending = enabled;
    if (!gFrame)
        return;
    // "&Edit" and "&Launch..." of a list follow the queue too: the whole row is applied again.
    HWND active = Frame_ActiveChild();
    Menu_ApplyState(gFrame, active ? active : gFrame);
}

int SelQueue_BuildFromList(HWND list, const char* dirPrefix, QueueMode mode) {
    std::vector<std::string> texts;
    std::vector<int> indexes;
    if (ReadSelection(list, &texts, &indexes)) {
        SelQueue_Set(texts, indexes, dirPrefix, mode, list);
    } else {
        SelQueue_Drop();
        SelQueue_SetNextEnabled(false);
        PromptRequest request = {kNoQueueMemory, kMemoryCaption, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return -1;
    }
    SelQueue_SetNextEnabled(!gSelQueue.entries.empty());
    return (int)gSelQueue.entries.size();
}

void SelQueue_DropAndGrey() {
    SelQueue_Drop();
    SelQueue_SetNextEnabled(false);
}

std::string List_ItemText(HWND list, int index) {
    // A directory window's file list holds no strings; its window has the names.
    if (const char* name = DirWindow_ListedName(list, index))
        return name;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (length == LB_ERR || length <= 0)
        return std::string();
    std::string text((size_t)length + 1, '\0');
    const LRESULT got =
        SendMessageA(list, LB_GETTEXT, (WPARAM)index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

void List_ClearSelection(HWND list) {
    if (!list || !IsWindow(list))
        return;
    if (SendMessageA(list, LB_SETSEL, FALSE, -1) == LB_ERR)
        SendMessageA(list, LB_SETCURSEL, (WPARAM)-1, 0);
}

void SelQueue_ClearListSelection() {
    List_ClearSelection(static_cast<HWND>(gSelQueue.list));
}
