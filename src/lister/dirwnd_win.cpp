// The directory window: its record and children, the layout, activation, the listing and the
// tree list, and what the frame and the file operations ask of it. The window procedure fetches
// the window's record from its slot once and hands it on: MDI means two of everything.
#include "lister/dirwnd_win.h"

#include <stdio.h>
#include <string.h>

#include "lister/dirstate_win.h"
#include "lister/drive.h"
#include "look/fonts_win.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "search/searchwalk.h"
#include "search/selqueue_win.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/splash_win.h"
#include "shell/startup_win.h"
#include "shell/winkind_win.h"

char gDirMaskList[kMaskListMax + 1] = "*.*";
std::vector<std::string> gDirNameHistory;

namespace {

const char kNoRecordMemory[] = "Not enough free memory";
const char kNoListWindow[] = "Could not create list window";

DirCreateFailure gFailCreate = kDirFailNothing; // tests

// The system's procedures of every combo box and edit field, which the subclasses call on.
WNDPROC gComboProc = nullptr;
WNDPROC gComboEditProc = nullptr;
// A new window takes the split of the directory window laid out last.
int32_t gLastSplit = 0;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// ---- The tree list as the tree sees it -----------------------------------------------------

int RowsCount(void* context) {
    return (int)SendMessageA(static_cast<HWND>(context), LB_GETCOUNT, 0, 0);
}
int RowsInsert(void* context, int position, int32_t node) {
    const LRESULT r = SendMessageA(static_cast<HWND>(context), LB_INSERTSTRING, (WPARAM)position,
                                   (LPARAM)node);
    return r != LB_ERR && r != LB_ERRSPACE;
}
void RowsRemove(void* context, int position) {
    SendMessageA(static_cast<HWND>(context), LB_DELETESTRING, (WPARAM)position, 0);
}
int32_t RowsNodeAt(void* context, int position) {
    return (int32_t)SendMessageA(static_cast<HWND>(context), LB_GETITEMDATA, (WPARAM)position, 0);
}
void RowsSelect(void* context, int position) {
    SendMessageA(static_cast<HWND>(context), LB_SETCURSEL, (WPARAM)position, 0);
}

// ---- The listing's side of the window ----------------------------------------------------------

struct ListContext {
    DirWindowState* s;
    HWND files;
    HDC dc;
    int maxCharWidth; // of the list font: no name of n characters is wider than n of these
    int mmWidth;      // "MM"
    int widest;
};

// The list keeps no strings: it is told how many rows it has, and each row is drawn from the
// window's listing. A folder of 100,000 files is listed without a string copied into it.
int SinkTake(void* context, FileListing* listing) {
    DirWindowState* s = static_cast<ListContext*>(context)->s;
    const LRESULT r = SendMessageA(s->files, LB_SETCOUNT, (WPARAM)listing->count, 0);
    if (r == LB_ERR || r == LB_ERRSPACE)
        return 0;
    s->listing = *listing;
    *listing = FileListing{};
    return 1;
}

int SinkMeasure(void* context, const char* name) {
    ListContext* c = static_cast<ListContext*>(context);
    // A name too short to be wider than the widest so far is not measured: a large folder
    // lists much faster.
    const int bound = (int)strlen(name) * c->maxCharWidth + c->mmWidth;
    if (bound <= c->widest)
        return 0;
    char text[kEntryTextMax + 2];
    const int length = snprintf(text, sizeof text, "%sMM", name);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(c->dc, text, length, &size);
    if (size.cx > c->widest)
        c->widest = size.cx;
    return size.cx;
}

// The listing directory has gone: its node leaves the tree and the parent's row is selected.
void SinkDirectoryGone(void* context) {
    DirWindowState* s = static_cast<ListContext*>(context)->s;
    if (!s->dirTree || !s->dirTree->nodes)
        return;
    char path[kPlatNameMax];
    lstrcpynA(path, s->listingDir, sizeof path);
    const size_t length = strlen(path);
    if (length > 3 && IsSeparator(path[length - 1]))
        path[length - 1] = 0;
    const TreeRows rows = Dir_TreeRows(s->tree);
    const int32_t parent = TreeRows_RemoveDir(s->dirTree, &rows, path);
    // The parent's row is selected and its path shown in the caption: it is what the window
    // lists from now on, not a directory that is no longer there.
    if (parent >= 0)
        Dir_SetListingDir(s, s->dirTree->nodes[parent].path);
}

// ---- Creation -----------------------------------------------------------------------------------

// A child made where the layout puts it.
HWND MakeChild(HWND dir, const char* className, DWORD style, int id, const DirRect& r) {
    return CreateWindowExA(0, className, "", style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, dir, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(NULL), NULL);
}

// The combo box's window: as tall as the box with its list dropped down.
DirRect ComboWindow(const DirLayout& l) {
    return DirRect{l.combo.left, l.combo.top, l.combo.right, l.combo.top + l.comboDropHeight};
}

LRESULT CALLBACK ComboSubClassProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam);

int LineHeightOf(HFONT font) {
    const TEXTMETRICA metrics = Fonts_ScreenMetrics(font);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void ApplyFont(DirWindowState* s, HFONT font) {
    s->font = font;
    s->lineHeight = LineHeightOf(font);
    if (s->tree)
        SendMessageA(s->tree, LB_SETITEMHEIGHT, 0, MAKELPARAM(s->lineHeight, 0));
    SendMessageA(s->combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(s->files, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Owner-drawn rows keep the height a list of strings takes from its font.
    SendMessageA(s->files, LB_SETITEMHEIGHT, 0, MAKELPARAM(DirPaint_FileRowHeight(font), 0));
}

void ApplyColors(DirWindowState* s) {
    s->textColor = gSettings.colors[kColorDirText];
    s->backColor = gSettings.colors[kColorDirBackgnd];
    if (s->backBrush)
        DeleteObject(s->backBrush);
    s->backBrush = CreateSolidBrush(s->backColor);
}

void Subclass(DirWindowState* s) {
    WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        s->combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboSubClassProc)));
    if (!gComboProc)
        gComboProc = old;
    HWND edit = FindWindowExA(s->combo, NULL, "Edit", NULL);
    if (edit) {
        SendMessageA(edit, EM_LIMITTEXT, kPlatNameMax - 1, 0);
        old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CBarSubClassProc)));
        if (!gComboEditProc)
            gComboEditProc = old;
    }
}

// The layout of the window's client area as it is now, into the record; nothing is moved.
void ComputeLayout(DirWindowState* s) {
    HWND dir = s->window;
    RECT client;
    GetClientRect(dir, &client);
    HDC dc = GetDC(dir);
    HGDIOBJ old = SelectObject(dc, s->font);
    const int sumWidth = DirPaint_TextWidth(dc, kDirSumLabel);
    SelectObject(dc, old);
    ReleaseDC(dir, dc);
    const DirLayoutInput in = {client.right, client.bottom, s->split, s->lineHeight,
                               DiskBar_HeightFor(client.right), sumWidth};
    DirLayout_Compute(in, &s->layout);
    if (s->split > 0)
        gLastSplit = s->split;
}

// False when the window cannot be built; the tree is then still the opener's.
bool OnCreate(HWND dir, const DirCreateParams* params) {
    HGLOBAL memory =
        gFailCreate == kDirFailRecord ? NULL : GlobalAlloc(GHND, sizeof(DirWindowState));
    DirWindowState* s = memory ? static_cast<DirWindowState*>(GlobalLock(memory)) : nullptr;
    if (!s) {
        if (memory)
            GlobalFree(memory);
        PromptRequest request = {kNoRecordMemory, nullptr, kButtonsOk, kIconError,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return false;
    }
    DirTree* tree = static_cast<DirTree*>(calloc(1, sizeof(DirTree)));
    if (tree && params)
        *tree = params->tree;
    s->window = dir;
    s->dirTree = tree;
    s->memory = memory;
    SetWindowLongPtrA(dir, kDirSlotState * sizeof(LONG_PTR), reinterpret_cast<LONG_PTR>(s));
    s->buttonFocus = 1;
    s->sortKey = kSortName;
    s->lastNode = -1;
    s->split = IsIconic(gFrame) ? 0 : gLastSplit;
    ApplyColors(s);
    s->font = Fonts_Get(kFontDir);
    s->lineHeight = LineHeightOf(s->font);
    if (tree && tree->nodes)
        lstrcpynA(s->volumeText, tree->volumeText, sizeof s->volumeText);
    if (params && params->listing[0])
        Dir_SetListingDir(s, params->listing);

    ComputeLayout(s);
    const DirLayout& l = s->layout;
    s->disk = MakeChild(dir, kDiskClassName, WS_CHILD | WS_VISIBLE, kDirDiskId, l.diskBar);
    s->tree = MakeChild(dir, "listbox",
                        WS_CHILD | WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                            LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                        kDirTreeId, l.tree);
    s->splitter =
        MakeChild(dir, kSplitClassName, WS_CHILD | WS_VISIBLE, kDirSplitId, l.splitter);
    s->files = MakeChild(dir, "listbox",
                         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                             LBS_MULTICOLUMN | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT |
                             LBS_WANTKEYBOARDINPUT | LBS_OWNERDRAWFIXED | LBS_NODATA,
                         kDirFilesId, l.files);
    s->combo = MakeChild(dir, "combobox",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN |
                             CBS_AUTOHSCROLL | CBS_OEMCONVERT,
                         kDirComboId, ComboWindow(l));
    if (!s->tree || !s->files || gFailCreate == kDirFailList) {
        PromptRequest request = {kNoListWindow, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        // The opener releases the tree it read; the rest goes with the window.
        s->dirTree = nullptr;
        free(tree);
        return false;
    }
    for (const std::string& entry : gDirNameHistory)
        SendMessageA(s->combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    Subclass(s);
    ApplyFont(s, s->font);
    Dir_Layout(s);
    if (tree && tree->nodes) {
        Dir_FillTree(s);
        Dir_ListFiles(s);
    }
    SetWindowTextA(s->combo, gDirMaskList);
    SendMessageA(s->combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    // The program is up: the splash goes a second from now.
    if (gSplash)
        Splash_StartTimer(gFrame);
    return true;
}

void OnNcDestroy(HWND dir, DirWindowState* s) {
    SetWindowLongPtrA(dir, kDirSlotState * sizeof(LONG_PTR), 0);
    if (!s)
        return;
    if (s->dirTree) {
        DirTree_Release(s->dirTree);
        free(s->dirTree);
    }
    if (s->backBrush)
        DeleteObject(s->backBrush);
    FileListing_Free(&s->listing);
    HGLOBAL memory = s->memory;
    GlobalUnlock(memory);
    GlobalFree(memory);
}

// The window's drive has gone from the drive table: the window is of no use any more.
bool DriveGone(const DirTree* tree) {
    if (!tree || !tree->nodes)
        return false;
    const char letter = tree->nodes[0].path[0];
    if (tree->nodes[0].path[1] != ':')
        return false;
    char list[kMaxDrives + 1];
    const int n = Settings_BuildDriveList(Plat_LogicalDrives(), gSettings.ignoredDrives, list);
    for (int i = 0; i < n; i++)
        if ((list[i] | 0x20) == (letter | 0x20))
            return false;
    return true;
}

void OnActivate(DirWindowState* s, bool active) {
    if (!active) {
        Dir_ClearSum(s);
        return;
    }
    ControlBar_EnableFind(false);
    if (DriveGone(s->dirTree)) {
        PostMessageA(gMdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(s->window), 0);
        return;
    }
    Menu_ApplyState(gFrame, s->window);
    DirPaint_RecomputeInfo(s);
    if (SendMessageA(s->files, LB_GETSELCOUNT, 0, 0) > 0)
        SelQueue_BuildFromList(s->files, s->listingDir, kQueueView);
}

void OnSetFocus(DirWindowState* s) {
    ControlBar_EnableFind(false);
    if (!s)
        return;
    if (s->buttonRow != kRowNone) {
        InvalidateRect(s->window, NULL, FALSE);
        return;
    }
    // A window made without a tree (by the frame, before any directory) keeps the focus.
    if (s->combo && s->dirTree && s->dirTree->nodes)
        SetFocus(s->combo);
}

void OnKillFocus(HWND dir, DirWindowState* s, HWND to) {
    if (s && to && (IsChild(dir, to)))
        s->buttonRow = kRowNone;
    InvalidateRect(dir, NULL, FALSE);
}

void OnSize(DirWindowState* s, WPARAM how) {
    HWND dir = s->window;
    if (how == SIZE_MINIMIZED) {
        char title[kDirIconTitleMax];
        DirWindow_IconTitle(s->listingDir[0] ? s->listingDir : "", title, sizeof title);
        if (title[0])
            SetWindowTextA(dir, title);
        Frame_RetileLater();
        return;
    }
    Dir_Layout(s);
    InvalidateRect(dir, NULL, TRUE);
}

void OnQueryOpen(HWND dir, const DirWindowState* s) {
    if (s && s->listingDir[0]) {
        char path[kPlatNameMax];
        lstrcpynA(path, s->listingDir, sizeof path);
        const size_t length = strlen(path);
        if (length > 3 && IsSeparator(path[length - 1]))
            path[length - 1] = 0;
        SetWindowTextA(dir, path);
    }
    Frame_PlaceReopened(dir);
}

void OnCommand(DirWindowState* s, WORD id, WORD code, HWND control) {
    switch (id) {
    case kDirOpenCommand:
        if (!control)
            DirInput_Open(s);
        break;
    case kDirTreeId:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
            DirInput_TreeChanged(s, code == LBN_DBLCLK);
        break;
    case kDirFilesId:
        if (code == LBN_SELCHANGE)
            DirInput_FilesChanged(s);
        else if (code == LBN_DBLCLK)
            DirInput_FilesDoubleClick(s);
        else if (code == LBN_SETFOCUS)
            Dir_ClearSum(s);
        break;
    case kDirComboId:
        if (code == CBN_SELENDOK)
            PostMessageA(s->window, WM_COMMAND, kDirOpenCommand, 0);
        else if (code == CBN_EDITCHANGE)
            List_ClearSelection(s->files);
        break;
    }
}

// Tab leaves a list for the next stop; Enter in the file list opens what is selected.
LRESULT OnVKeyToItem(DirWindowState* s, WORD key, HWND list) {
    if (key == VK_TAB) {
        DirInput_TabKey(s, list, GetKeyState(VK_SHIFT) < 0);
        return -2;
    }
    if (key == VK_RETURN && list == s->files) {
        PostMessageA(s->window, WM_COMMAND, kDirOpenCommand, 0);
        return -2;
    }
    return -1;
}

LRESULT OnCharToItem(DirWindowState* s, char c, HWND list, int caret) {
    if (list == s->files) {
        // The list has no strings to search: the next name starting with the letter is found
        // in the listing, as a list of strings finds it.
        const int32_t row = FileListing_NextStartingWith(&s->listing, caret, c);
        return row < 0 ? -2 : row;
    }
    if (list != s->tree || !s->dirTree || !s->dirTree->nodes)
        return -1;
    const TreeRows rows = Dir_TreeRows(list);
    const int current = (int)SendMessageA(list, LB_GETCURSEL, 0, 0);
    const int row = TreeRows_TypeAhead(s->dirTree, &rows, current, c);
    return row < 0 ? -2 : row;
}

LRESULT CALLBACK ComboSubClassProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORLISTBOX) {
        DirWindowState* s = Dir_StateOf(GetParent(combo));
        if (s)
            return Orv_ColorControl(wParam, s->textColor, s->backColor, s->backBrush);
    }
    return CallWindowProcA(gComboProc, combo, message, wParam, lParam);
}

// In a narrow tree a deep row lies right of what shows: the selected one is scrolled into
// view, with its parent's connector still at the left.
void ShowSelectedRow(DirWindowState* s, const DirTree* tree) {
    const LRESULT selected = s->tree ? SendMessageA(s->tree, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (selected == LB_ERR || !tree || !tree->nodes)
        return;
    RECT inside;
    GetClientRect(s->tree, &inside);
    const int32_t node = (int32_t)SendMessageA(s->tree, LB_GETITEMDATA, (WPARAM)selected, 0);
    const int indent = node >= 0 && node < tree->capacity ? tree->nodes[node].indent : 0;
    const int left = indent + 3 * kTreeIndentStep > inside.right ? indent - kTreeIndentStep : 0;
    SendMessageA(s->tree, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, left > 0 ? left : 0), 0);
}

} // namespace

// ---- Shared with the window's other files --------------------------------------------------

DirWindowState* Dir_StateOf(HWND dir) {
    if (!dir || !Orv_IsProgramWindow(dir, kKindDir))
        return nullptr;
    return reinterpret_cast<DirWindowState*>(GetWindowLongPtrA(dir, kDirSlotState * sizeof(LONG_PTR)));
}

DirTree* Dir_TreeOf(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    return s ? s->dirTree : nullptr;
}

void Dir_Layout(DirWindowState* s) {
    if (!s || IsIconic(s->window))
        return;
    // The children stand where the last layout put them. Each move is a round trip to the
    // system, and a list of many files lays itself out again: only what changed is moved.
    const DirLayout was = s->layout;
    ComputeLayout(s);
    const DirLayout& l = s->layout;
    auto place = [](HWND w, const DirRect& from, const DirRect& r) {
        if (w && memcmp(&from, &r, sizeof r) != 0)
            MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    place(s->disk, was.diskBar, l.diskBar);
    place(s->tree, was.tree, l.tree);
    place(s->splitter, was.splitter, l.splitter);
    place(s->files, was.files, l.files);
    place(s->combo, ComboWindow(was), ComboWindow(l));
    ShowSelectedRow(s, s->dirTree);
}

int Dir_ListFiles(DirWindowState* s) {
    if (!s || !s->files || !s->listingDir[0])
        return 0;
    void* busy = Dir_BeginBusy(s->listingDir);
    SendMessageA(s->files, WM_SETREDRAW, FALSE, 0);
    SendMessageA(s->files, LB_RESETCONTENT, 0, 0);
    FileListing_Free(&s->listing);
    ListContext context = {s, s->files, GetDC(s->files), 0, 0, 0};
    HGDIOBJ old = SelectObject(context.dc, s->font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(context.dc, &metrics);
    context.maxCharWidth = metrics.tmMaxCharWidth;
    SIZE mm = {0, 0};
    GetTextExtentPoint32A(context.dc, "MM", 2, &mm);
    context.mmWidth = mm.cx;
    const FileListSink sink = {&context, nullptr, SinkMeasure, SinkDirectoryGone, nullptr,
                               SinkTake};
    ListOutcome outcome = {};
    const int shown = ListFiles(s->listingDir, gDirMaskList, static_cast<FileSortKey>(s->sortKey),
                                sink, &s->figures, &outcome);
    SelectObject(context.dc, old);
    ReleaseDC(s->files, context.dc);
    if (outcome.widest > 0)
        SendMessageA(s->files, LB_SETCOLUMNWIDTH, (WPARAM)outcome.widest, 0);
    SendMessageA(s->files, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(s->files, NULL, TRUE);
    Dir_EndBusy(busy);
    s->selectionInfo[0] = 0;
    Dir_RepaintStatus(s);
    return shown;
}

TreeRows Dir_TreeRows(HWND treeList) {
    return TreeRows{treeList, RowsCount, RowsInsert, RowsRemove, RowsNodeAt, RowsSelect};
}

void Dir_FillTree(DirWindowState* s) {
    if (!s || !s->dirTree || !s->dirTree->nodes)
        return;
    char path[kPlatNameMax];
    lstrcpynA(path, s->listingDir, sizeof path);
    const size_t length = strlen(path);
    if (length > 3 && IsSeparator(path[length - 1]))
        path[length - 1] = 0;
    const TreeRows rows = Dir_TreeRows(s->tree);
    SendMessageA(s->tree, WM_SETREDRAW, FALSE, 0);
    const int selected = TreeRows_Fill(s->dirTree, &rows, path);
    SendMessageA(s->tree, WM_SETREDRAW, TRUE, 0);
    if (selected >= 0) {
        const int visible = (s->layout.tree.bottom - s->layout.tree.top) / (s->lineHeight ? s->lineHeight : 1);
        const int top = (int)SendMessageA(s->tree, LB_GETTOPINDEX, 0, 0);
        if (selected < top || selected >= top + visible)
            SendMessageA(s->tree, LB_SETTOPINDEX, (WPARAM)(selected > visible / 2 ? selected - visible / 2 : 0), 0);
        ShowSelectedRow(s, s->dirTree);
    }
    InvalidateRect(s->tree, NULL, TRUE);
    Dir_ScanFlagsLater(s);
}

void Dir_ScanFlagsLater(DirWindowState* s) {
    if (s)
        SetTimer(s->window, kDirFlagsTimer, 0, NULL);
}

void Dir_RepaintStatus(DirWindowState* s) {
    if (!s)
        return;
    RECT below;
    GetClientRect(s->window, &below);
    below.top = s->layout.statusRow.top - 2;
    InvalidateRect(s->window, &below, TRUE);
}

void Dir_ClearSum(DirWindowState* s) {
    if (!s || !s->sumText[0])
        return;
    s->sumText[0] = 0;
    Dir_RepaintStatus(s);
}

void Dir_SetListingDir(DirWindowState* s, const char* path) {
    if (!s)
        return;
    const size_t length = strlen(path);
    const bool separated = length > 0 && IsSeparator(path[length - 1]);
    snprintf(s->listingDir, sizeof s->listingDir, "%s%s", path, separated ? "" : "\\");
}

DirTabStop Dir_FocusStop(const DirWindowState* s, HWND focus) {
    if (!s)
        return kTabCombo;
    if (focus == s->tree)
        return kTabTree;
    if (focus == s->files)
        return kTabFiles;
    if (focus == s->disk)
        return kTabDisk;
    if (focus == s->window)
        return s->buttonRow == kRowSorts ? kTabSorts : kTabMasks;
    return kTabCombo;
}

void Dir_SwitchFocus(DirWindowState* s, DirTabStop to) {
    if (!s)
        return;
    switch (to) {
    case kTabTree:
        s->buttonRow = kRowNone;
        SetFocus(s->tree);
        break;
    case kTabFiles:
        s->buttonRow = kRowNone;
        SetFocus(s->files);
        break;
    case kTabCombo:
        s->buttonRow = kRowNone;
        SetFocus(s->combo);
        break;
    case kTabMasks:
    case kTabSorts:
        s->buttonRow = to == kTabMasks ? kRowMasks : kRowSorts;
        s->buttonFocus = 1;
        if (GetFocus() == s->window)
            InvalidateRect(s->window, NULL, FALSE);
        else
            SetFocus(s->window);
        break;
    case kTabDisk:
        s->buttonRow = kRowNone;
        SetFocus(s->disk);
        InvalidateRect(s->window, NULL, FALSE);
        break;
    case kTabStops:
        break;
    }
}

namespace {
// A mark for a busy spell that left the cursor alone.
char gCursorLeft;
} // namespace

// While a directory is read the cursor shows the kind of drive it lies on: "FloppyCursor" for
// a removable drive, "HardCursor" for any other; only while the pointer is over the program's
// windows. The cursor shown before is what the end of the spell puts back.
void* Dir_BeginBusy(const char* path) {
    POINT at;
    HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : NULL;
    // A disk search shows its own progress; the pointer is left to it.
    if (!gFrame || !under || GetAncestor(under, GA_ROOT) != gFrame ||
        gSearchWalk.phase != kPhaseIdle)
        return &gCursorLeft;
    char root[kPlatNameMax] = "";
    HCURSOR busy = NULL;
    if (path && Plat_DriveRoot(path, root, sizeof root))
        busy = gCursors[Plat_DriveType(root) == kPlatDriveRemovable ? kCurFloppy : kCurHard];
    return SetCursor(busy ? busy : LoadCursor(NULL, IDC_WAIT));
}

void Dir_EndBusy(void* restore) {
    if (restore != &gCursorLeft)
        SetCursor(static_cast<HCURSOR>(restore));
}

// ---- The window procedure --------------------------------------------------------------------

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window is a directory window: its slot is read without asking its kind, as a page of
    // a large file list is hundreds of rows drawn. Null until it is made and once it is gone.
    DirWindowState* s =
        reinterpret_cast<DirWindowState*>(GetWindowLongPtrA(dir, kDirSlotState * sizeof(LONG_PTR)));
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
        if (!OnCreate(dir, reinterpret_cast<const DirCreateParams*>(mdi ? mdi->lParam : 0)))
            return -1;
        break;
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlID == kDirFilesId)
            measure->itemHeight = DirPaint_FileRowHeight(s ? s->font : NULL);
        else
            measure->itemHeight = s && s->lineHeight > 0 ? s->lineHeight : 16;
        return TRUE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!s)
            return TRUE;
        if (item->CtlID == kDirFilesId)
            DirPaint_FileRow(s->listing, item);
        else
            DirPaint_TreeRow(s, item);
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        if (s)
            return Orv_ColorControl(wParam, s->textColor, s->backColor, s->backBrush);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dir, &paint);
        if (s)
            DirPaint_Window(s, dc);
        EndPaint(dir, &paint);
        return 0;
    }
    case WM_SIZE:
        if (s)
            OnSize(s, wParam);
        break;
    case kDirApplyTreeExtent:
        if (s) {
            s->treeExtentPosted = false;
            SendMessageA(s->tree, LB_SETHORIZONTALEXTENT, (WPARAM)(s->treeExtent + 8), 0);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kDirFlagsTimer) {
            DirTree* tree = s ? s->dirTree : nullptr;
            if (tree && tree->nodes && DirTree_ScanLaterFlags(tree, kDirFlagsPerTick) > 0)
                InvalidateRect(s->tree, NULL, FALSE);
            else
                KillTimer(dir, kDirFlagsTimer);
            return 0;
        }
        break;
    case WM_QUERYOPEN:
        OnQueryOpen(dir, s);
        break;
    case WM_COMMAND:
        if (s)
            OnCommand(s, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VKEYTOITEM:
        return s ? OnVKeyToItem(s, LOWORD(wParam), reinterpret_cast<HWND>(lParam)) : -1;
    case WM_CHARTOITEM:
        return s ? OnCharToItem(s, (char)LOWORD(wParam), reinterpret_cast<HWND>(lParam),
                                (short)HIWORD(wParam))
                 : -1;
    case WM_LBUTTONDOWN:
        if (s)
            DirInput_MouseDown(s, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (s)
            DirInput_MouseMove(s, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (s)
            DirInput_MouseUp(s, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_KEYDOWN:
        if (s && DirInput_Key(s, wParam))
            return 0;
        break;
    case WM_SETFOCUS:
        OnSetFocus(s);
        break;
    case WM_KILLFOCUS:
        OnKillFocus(dir, s, reinterpret_cast<HWND>(wParam));
        break;
    case WM_MDIACTIVATE:
        if (s && reinterpret_cast<HWND>(lParam) == dir)
            OnActivate(s, true);
        else if (s && reinterpret_cast<HWND>(wParam) == dir)
            OnActivate(s, false);
        else if (reinterpret_cast<HWND>(lParam) == dir)
            ControlBar_EnableFind(false);
        break;
    case WM_DESTROY:
        Frame_RetileLater();
        break;
    case WM_NCDESTROY:
        OnNcDestroy(dir, s);
        break;
    }
    return DefMDIChildProcA(dir, message, wParam, lParam);
}

// ---- For the frame ----------------------------------------------------------------------------

LRESULT DirWindow_ComboEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND dir = GetParent(GetParent(edit));
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP;
    if ((key && wParam == VK_TAB) || (message == WM_CHAR && wParam == '\t')) {
        DirWindowState* s = message == WM_KEYDOWN ? Dir_StateOf(dir) : nullptr;
        if (s)
            DirInput_TabKey(s, edit, GetKeyState(VK_SHIFT) < 0);
        return 0;
    }
    if (((key && wParam == VK_RETURN) || (message == WM_CHAR && wParam == '\r')) &&
        !SendMessageA(GetParent(edit), CB_GETDROPPEDSTATE, 0, 0)) {
        if (message == WM_KEYDOWN)
            PostMessageA(dir, WM_COMMAND, kDirOpenCommand, 0);
        return 0;
    }
    return CallWindowProcA(gComboEditProc, edit, message, wParam, lParam);
}

void DirWindow_ApplyFont(HWND dir, HFONT font) {
    DirWindowState* s = Dir_StateOf(dir);
    if (!s || !font)
        return;
    ApplyFont(s, font);
    Dir_ListFiles(s);
    Dir_Layout(s);
    InvalidateRect(dir, NULL, TRUE);
}

void DirWindow_ApplyColors(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    if (!s)
        return;
    ApplyColors(s);
    InvalidateRect(dir, NULL, TRUE);
    InvalidateRect(s->tree, NULL, TRUE);
    InvalidateRect(s->files, NULL, TRUE);
}

void DirWindow_FailCreateForTests(DirCreateFailure failure) {
    gFailCreate = failure;
}
