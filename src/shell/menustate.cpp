#include "shell/menustate.h"

#include <stdio.h>

#include "find/findpat.h"
#include "shell/settings.h"

bool gNextPending = false;

namespace {

// The 27 items that every kind of window sets, in the order of the rows below.
const UINT kStateItems[] = {143, 144, 102, 96,  140, 141, 99,  330, 331, 220, 332, 221, 223, 222,
                            104, 107, 105, 108, 115, 200, 203, 205, 201, 202, 109, 111, 1001};
constexpr int kStateItemCount = sizeof kStateItems / sizeof kStateItems[0];

// E enabled, G greyed, for the items above.
const char* RowOf(WindowKind kind) {
    switch (kind) {
    case kKindView:
        return "GGEEGEEGGGGGEEEEEEEEGEEEGGE";
    case kKindEditor:
        return "EEEEGEEGGGGEGGGGGGEEGEEEGGG";
    case kKindResults:
    case kKindDir:
        return "GGEEGEEGGGGEGGGGGGEGGGEEGGG";
    case kKindNone:
        break;
    }
    return "GGGGGGGGGGGGGGGGGGGGGGGGGGG";
}

constexpr UINT kItemCopy = 220, kItemDeselect = 221, kItemFindNext = 203, kItemNext = 140,
               kItemEdit = 223, kItemLaunch = 222, kItemDelete = 141, kItemPrint = 99,
               kItemUndo = 330, kItemCut = 331, kItemPaste = 332, kItemStrip = 105,
               kItemHex = 104, kItemPostScript = 113, kItemSaveAs = 144;

WindowKind gActiveKind = kKindNone;

void Enable(HMENU menu, UINT item, bool on) {
    EnableMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool FindIsSetUp() {
    return gFind.typedLength > 0 || gFind.byteCount1 > 0;
}

void SetDeleteText(HMENU menu, DeleteText which) {
    char text[40];
    Menu_DeleteText(which, gSettings.confirmDelete != 0, text, sizeof text);
    ModifyMenuA(menu, kItemDelete, MF_BYCOMMAND | MF_STRING, kItemDelete, text);
}

void RefineForEditor(HMENU menu, HWND edit) {
    SetDeleteText(menu, kDeleteFile);
    CheckMenuItem(menu, kItemStrip, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu, kItemHex, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu, kItemPostScript, MF_BYCOMMAND | MF_UNCHECKED);
    Enable(menu, kItemPostScript, false);
    Enable(menu, kItemPrint, true);
    DWORD start = 0, end = 0;
    if (edit)
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    const bool selection = start != end;
    Enable(menu, kItemUndo, edit && SendMessageA(edit, EM_CANUNDO, 0, 0));
    Enable(menu, kItemCut, selection);
    Enable(menu, kItemCopy, selection);
    Enable(menu, kItemDeselect, selection);
    Enable(menu, kItemPaste, IsClipboardFormatAvailable(CF_TEXT) != 0);
}

void RefineForList(HMENU menu, const WindowTarget& target, bool directory) {
    HWND list = target.control && !directory ? target.control : NULL;
    int selected = list ? static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0)) : 0;
    if (selected < 0) // a single-selection list
        selected = SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
    if (directory) {
        // The directory window keeps its own file list; until it says otherwise, nothing is
        // selected there, and the tree has the focus when no list control does.
        Enable(menu, kItemPrint, false);
        SetDeleteText(menu, target.control ? kDeletePlain : kDeleteDir);
        Enable(menu, kItemDelete, true);
        Enable(menu, kItemDeselect, false);
        return;
    }
    Enable(menu, kItemPrint, true);
    const bool any = selected > 0;
    Enable(menu, kItemCopy, any);
    Enable(menu, kItemDeselect, any);
    Enable(menu, kItemSaveAs, any);
    Enable(menu, kItemDelete, any);
    if (any)
        SetDeleteText(menu, selected == 1 ? kDeleteFile : kDeleteFiles);
}

} // namespace

void Menu_DeleteText(DeleteText which, bool confirm, char* dest, int size) {
    static const char* const kTails[] = {"", " Dir", " File", " Files"};
    snprintf(dest, (size_t)size, "&Delete%s%s\tCtrl+D", kTails[which], confirm ? "..." : "");
}

void Menu_ApplyState(HWND frame, HWND activeChild) {
    HMENU menu = GetMenu(frame);
    WindowTarget target = Orv_ClassifyWindow(activeChild == frame ? NULL : activeChild);
    gActiveKind = target.kind;
    const char* row = RowOf(gActiveKind);
    for (int i = 0; i < kStateItemCount; i++)
        Enable(menu, kStateItems[i], row[i] == 'E');
    Enable(menu, kItemNext, gNextPending);
    if (gActiveKind == kKindView || gActiveKind == kKindEditor)
        Enable(menu, kItemFindNext, FindIsSetUp());
    if ((gActiveKind == kKindResults || gActiveKind == kKindDir) && gNextPending) {
        Enable(menu, kItemEdit, true);
        Enable(menu, kItemLaunch, true);
    }
    DrawMenuBar(frame);
}

WindowKind Menu_ActiveKind() {
    return gActiveKind;
}

void Menu_OnInitMenu(HWND frame, HMENU menu) {
    WindowTarget focus = Orv_FocusTarget();
    switch (gActiveKind) {
    case kKindEditor:
        RefineForEditor(menu, focus.kind == kKindEditor ? focus.control : NULL);
        break;
    case kKindDir:
        RefineForList(menu, focus, true);
        break;
    case kKindResults:
        RefineForList(menu, focus, false);
        break;
    case kKindView:
        SetDeleteText(menu, kDeleteFile);
        Enable(menu, kItemPrint, true);
        break;
    case kKindNone:
        break;
    }
}
