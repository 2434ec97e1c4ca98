#include "shell/menustate_win.h"

#include <stdio.h>

#include "find/findpat.h"
#include "search/resultswnd_win.h"
#include "lister/dirwnd_win.h"
#include "shell/frame_win.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"
#include "resources/resource.h"
#include "shell/settings.h"

bool gNextPending = false;

namespace {

// The 27 items that every kind of window sets, in the order of the rows below.
const UINT kStateItems[] = {
    IDM_SAVE,         IDM_SAVE_AS,   IDM_CLOSE,       IDM_CLOSE_ALL,     IDM_NEXT,
    IDM_DELETE,       IDM_PRINT,     IDM_UNDO,        IDM_CUT,           IDM_COPY,
    IDM_PASTE,        IDM_DESELECT,  IDM_EDIT,        IDM_LAUNCH,        IDM_HEX,
    IDM_TEXT,         IDM_STRIP,     IDM_SPECIAL_CHARS, IDM_COLORS,      IDM_FIND,
    IDM_FIND_NEXT,    IDM_GO_TO_LINE, IDM_HOME,       IDM_END,           IDM_TITLE_LOCK,
    IDM_TITLE_UNLOCK, IDM_VERT_SCROLL_BAR};
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

WindowKind gActiveKind = kKindNone;

// Whether the row of a kind enables the item (one of the items above).
bool RowEnables(WindowKind kind, UINT item) {
    const char* row = RowOf(kind);
    for (int i = 0; i < kStateItemCount; i++)
        if (kStateItems[i] == item)
            return row[i] == 'E';
    return false;
}

void Check(HMENU menu, UINT item, bool on) {
    CheckMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Enable(HMENU menu, UINT item, bool on) {
    EnableMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool FindIsSetUp() {
    return gFind.typedLength > 0 || gFind.byteCount1 > 0;
}

void SetDeleteText(HMENU menu, DeleteText which) {
    char text[40];
    Menu_DeleteText(which, gSettings.confirmDelete != 0, text, sizeof text);
    ModifyMenuA(menu, IDM_DELETE, MF_BYCOMMAND | MF_STRING, IDM_DELETE, text);
}

void RefineForEditor(HMENU menu, HWND edit) {
    SetDeleteText(menu, kDeleteFile);
    Check(menu, IDM_STRIP, false);
    Check(menu, IDM_HEX, false);
    Check(menu, IDM_POSTSCRIPT, false);
    Enable(menu, IDM_POSTSCRIPT, false);
    Enable(menu, IDM_PRINT, true);
    DWORD start = 0, end = 0;
    if (edit)
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    const bool selection = start != end;
    Enable(menu, IDM_UNDO, edit && SendMessageA(edit, EM_CANUNDO, 0, 0));
    Enable(menu, IDM_CUT, selection);
    Enable(menu, IDM_COPY, selection);
    Enable(menu, IDM_DESELECT, selection);
    Enable(menu, IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT) != 0);
}

void RefineForList(HMENU menu, const WindowTarget& target, bool directory) {
    // The focused list, else the window's own: the results list or the directory's file list.
    HWND list = directory ? DirWindow_FileList(target.window)
                          : target.control ? target.control : Results_List(target.window);
    int selected = list ? static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0)) : 0;
    if (selected < 0) // a single-selection list
        selected = SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
    const bool any = selected > 0;
    Enable(menu, IDM_PRINT, any || !directory);
    Enable(menu, IDM_DESELECT, any);
    if (directory) {
        // With nothing selected, Delete removes the directory chosen in the tree (the tree has
        // the focus when no list control does) or the one named in the name box.
        if (any)
            SetDeleteText(menu, selected == 1 ? kDeleteFile : kDeleteFiles);
        else
            SetDeleteText(menu, target.control ? kDeletePlain : kDeleteDir);
        Enable(menu, IDM_DELETE, true);
        return;
    }
    Enable(menu, IDM_COPY, any);
    Enable(menu, IDM_SAVE_AS, any);
    Enable(menu, IDM_DELETE, any);
    if (any)
        SetDeleteText(menu, selected == 1 ? kDeleteFile : kDeleteFiles);
}

// The view with the focus owns the engine: its display settings are the engine's.
void RefineForView(HMENU menu) {
    const DisplaySettings& display = gEngine.settings;
    SetDeleteText(menu, kDeleteFile);
    Check(menu, IDM_STRIP, display.stripBit7 != 0);
    Check(menu, IDM_HEX, display.hexMode != 0);
    Check(menu, IDM_TEXT, !display.hexMode && !display.binaryMode && !display.all256Chars &&
                              !display.crIsNewLine);
    Check(menu, IDM_POSTSCRIPT, (display.postScriptState & kPostScriptShown) != 0);
    Enable(menu, IDM_POSTSCRIPT, gEngine.psLineOffset != nullptr);
    Enable(menu, IDM_PRINT, true);
    ViewInfo view = {};
    const bool selected = View_GetInfo(Frame_ActiveChild(), &view) && view.selectionState != 0;
    Enable(menu, IDM_SAVE_AS, selected);
    Enable(menu, IDM_DESELECT, selected);
}

} // namespace

void Menu_DeleteText(DeleteText which, bool confirm, char* dest, int size) {
    static const char* const kTails[] = {"", " Dir", " File", " Files"};
    snprintf(dest, (size_t)size, "&Delete%s%s\tCtrl+D", kTails[which], confirm ? "..." : "");
}

void Menu_AdjustAtStartup(HWND frame) {
    HMENU menu = GetMenu(frame);
    if (!gSettings.confirmLaunch)
        ModifyMenuA(menu, IDM_LAUNCH, MF_BYCOMMAND | MF_STRING, IDM_LAUNCH, "&Launch\tCtrl+L");
    SetDeleteText(menu, kDeletePlain);
    if (!gSettings.confirmDelete)
        Enable(menu, IDM_DELETE, false);
    if (!GetSystemMetrics(SM_MOUSEPRESENT))
        Enable(menu, IDM_BUTTON_BAR, false);
    InsertMenuA(menu, IDM_COLORS, MF_BYCOMMAND | MF_STRING, IDM_CONNECT_NET,
                "Connect &Net Drive...");
    InsertMenuA(menu, IDM_COLORS, MF_BYCOMMAND | MF_STRING, IDM_DISCONNECT_NET,
                "&Disconnect Net Drive...");
    InsertMenuA(menu, IDM_COLORS, MF_BYCOMMAND | MF_SEPARATOR, 0, NULL);
    InsertMenuA(menu, IDM_CASCADE, MF_BYCOMMAND | MF_STRING, IDM_TILE_HORIZONTAL,
                "Tile &Horizontal");
    DrawMenuBar(frame);
}

void Menu_ApplyState(HWND frame, HWND activeChild) {
    HMENU menu = GetMenu(frame);
    WindowTarget target = Orv_ClassifyWindow(activeChild == frame ? NULL : activeChild);
    gActiveKind = target.kind;
    const char* row = RowOf(gActiveKind);
    for (int i = 0; i < kStateItemCount; i++)
        Enable(menu, kStateItems[i], row[i] == 'E');
    Enable(menu, IDM_NEXT, gNextPending);
    if (gActiveKind == kKindView || gActiveKind == kKindEditor)
        Enable(menu, IDM_FIND_NEXT, FindIsSetUp());
    if ((gActiveKind == kKindResults || gActiveKind == kKindDir) && gNextPending) {
        Enable(menu, IDM_EDIT, true);
        Enable(menu, IDM_LAUNCH, true);
    }
    DrawMenuBar(frame);
}

void Menu_ResetDeleteItem(HWND frame) {
    HMENU menu = GetMenu(frame);
    SetDeleteText(menu, kDeletePlain);
    Enable(menu, IDM_DELETE, RowEnables(gActiveKind, IDM_DELETE));
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
        RefineForView(menu);
        break;
    case kKindNone:
        break;
    }
}
