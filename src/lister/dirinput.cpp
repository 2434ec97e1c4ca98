// What the user does in a directory window: the mask, sort and Sum buttons under the mouse and
// the keys, the tab order, opening what is typed or selected, and the tree and file lists'
// notifications.
#include <stdio.h>
#include <string.h>

#include "find/selqueue_win.h"
#include "find/srchrun.h"
#include "lister/dirsnap.h"
#include "lister/dirstate.h"
#include "lister/drive.h"
#include "lister/dirwnd.h"
#include "lister/pathclass.h"
#include "platform/uiseam.h"
#include "shell/frame.h"
#include "shell/settings.h"
#include "viewer/viewwnd.h"

bool gDirPressedInside = false;

namespace {

const char kMustSpecifyText[] = "Must specify a filename.";
const char kMustSpecifyCaption[] = "?";
const char kSumFormat[] = "%s %s in %s %s (%s bytes)";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

void RedrawButtons(HWND dir) {
    const DirLayout& l = gDir.state->layout;
    RECT strip = {0, l.masks[0].top, 0, l.statusRow.bottom + 1};
    RECT client;
    GetClientRect(dir, &client);
    strip.right = client.right;
    InvalidateRect(dir, &strip, TRUE);
    UpdateWindow(dir);
}

std::string ComboText() {
    char text[kPlatNameMax] = "";
    GetWindowTextA(gDir.state->combo, text, sizeof text);
    return text;
}

void SetComboText(const char* text) {
    SetWindowTextA(gDir.state->combo, text);
    SendMessageA(gDir.state->combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// Sum: the selected directory and everything below it are read and counted.
void RunSum(HWND dir) {
    const std::string path = DirWindow_SelectedTreeDir(dir);
    if (path.empty())
        return;
    HCURSOR old = SetCursor(LoadCursor(NULL, IDC_WAIT));
    DirTree sub = {};
    ReadTreeLevel(&sub, path.c_str(), kTreeReadSeparate, kTreeReadAbsolute | kTreeReadWholeSubtree,
                  nullptr);
    WalkCounters counters = {};
    if (sub.nodes) {
        WalkOptions options = {};
        WalkSubtree(&sub, 0, kWalkSum, &counters, &options);
    }
    DirTree_Release(&sub);
    SetCursor(old);
    Dir_Load(dir);
    char files[kCountTextMax], dirs[kCountTextMax], bytes[kCountTextMax];
    FormatCount((uint64_t)counters.files, false, files, sizeof files);
    FormatCount((uint64_t)counters.directories, false, dirs, sizeof dirs);
    FormatCount(counters.bytes, false, bytes, sizeof bytes);
    snprintf(gDirSumText, sizeof gDirSumText, kSumFormat, files,
             counters.files == 1 ? "File" : "Files", dirs,
             counters.directories == 1 ? "Dir" : "Dirs", bytes);
    gDirSelectionInfo[0] = 0;
    gDir.state->sumShown = false;
    Dir_RepaintStatus();
}

// The listing directory, and its row in the tree: the tree is read down to it (the drive
// switched first when it lies on another drive).
void GoToDirectory(HWND dir, const char* directory) {
    char letter = directory[1] == ':' ? directory[0] : 0;
    const char treeLetter = gDir.tree && gDir.tree->nodes ? gDir.tree->nodes[0].path[0] : 0;
    if (letter && (letter | 0x20) != (treeLetter | 0x20)) {
        if (!ChangeDrive(letter))
            return;
    }
    if (Plat_SetCurrentDir(directory) != 0) {
        PromptRequest request = {kInvalidFilespecText, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return;
    }
    char current[kPlatNameMax];
    if (!Plat_GetCurrentDir(0, current, sizeof current))
        return;
    letter = current[0];
    if ((letter | 0x20) != (treeLetter | 0x20)) {
        char root[4] = {letter, ':', '\\', 0};
        SwitchDrive(dir, root);
        return;
    }
    char listing[kPlatNameMax];
    const TreeRows rows = Dir_TreeRows(gDir.state->tree);
    ExpandToPath(gDir.tree, letter, &rows, listing, sizeof listing, kTreeReadFlagsLater);
    Dir_SetListingDir(listing);
    Dir_FillTree();
}

void OpenMaskOrDirectory(HWND dir, const char* text, int flags) {
    DirInput_AddHistory(gDir.state->combo, text);
    std::string directory, mask;
    PlatFileInfo info;
    if (Plat_GetFileInfo(text, &info) && (info.attributes & kPlatAttrDirectory) &&
        !(flags & kPathPattern)) {
        directory = text;
    } else {
        const char* name = text + strlen(text);
        while (name > text && !IsSeparator(name[-1]) && name[-1] != ':')
            name--;
        directory.assign(text, (size_t)(name - text));
        mask = name;
    }
    const bool namesDirectory = !directory.empty();
    DirSnapshotScope snapshot; // the listing replays the tree's read of its directory
    if (namesDirectory && mask.find(';') == std::string::npos)
        GoToDirectory(dir, directory.c_str());
    if (!Dir_Load(dir))
        return;
    lstrcpynA(gDirMaskList, mask.empty() ? "*.*" : mask.c_str(), sizeof gDirMaskList);
    Dir_ListFiles();
    SetComboText(text);
}

// A text that is the name of a listed file (bare, or after the listing directory, as a
// selection puts it in the box) names that file: a "?" in it stands for what the code page
// lacks, and taken as a mask it would list other files. True when it is refused so.
bool RefuseListedUnusable(const char* text) {
    const DirWindowState* s = gDir.state;
    const size_t dirLength = strlen(s->listingDir);
    const char* name = _strnicmp(text, s->listingDir, dirLength) == 0 ? text + dirLength : text;
    if (FileListing_Find(&s->listing, name) < 0)
        return false;
    return RefuseUnusableName((std::string(s->listingDir) + name).c_str());
}

void OpenFile(HWND dir, std::string text) {
    const size_t cut = text.find(';');
    if (cut != std::string::npos)
        text.resize(cut);
    if (text.empty()) {
        PromptRequest request = {kMustSpecifyText, kMustSpecifyCaption, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return;
    }
    std::string path = text;
    if (!Plat_IsAbsolutePath(path.c_str()))
        path = gDir.state->listingDir + text;
    HWND combo = gDir.state->combo;
    // A name that is not there is offered to the disk search, which looks for it everywhere.
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path.c_str(), &info)) {
        FileSearch_FindFile(gFrame, path.c_str(), kPlatErrFileNotFound);
        return;
    }
    Frame_BeforeOpening(NULL);
    HWND view = View_OpenFile(path.c_str());
    if (view && IsWindow(dir) && Dir_Load(dir))
        DirInput_AddHistory(combo, path.c_str());
}

} // namespace

// ---- Buttons --------------------------------------------------------------------------------

void DirInput_MouseDown(HWND dir, int x, int y) {
    const int hit = DirLayout_Hit(gDir.state->layout, x, y, gDir.state->sumShown);
    if (hit == kHitNone)
        return;
    SetCapture(dir);
    gDirPressed = hit;
    gDirPressedInside = true;
    RedrawButtons(dir);
}

void DirInput_MouseMove(HWND dir, int x, int y) {
    if (!gDirPressed || GetCapture() != dir)
        return;
    const bool inside = DirLayout_Hit(gDir.state->layout, x, y, gDir.state->sumShown) == gDirPressed;
    if (inside != gDirPressedInside) {
        gDirPressedInside = inside;
        RedrawButtons(dir);
    }
}

void DirInput_MouseUp(HWND dir, int x, int y) {
    if (!gDirPressed)
        return;
    const int pressed = gDirPressed;
    const bool same = DirLayout_Hit(gDir.state->layout, x, y, gDir.state->sumShown) == pressed;
    gDirPressed = 0;
    gDirPressedInside = false;
    if (GetCapture() == dir)
        ReleaseCapture();
    RedrawButtons(dir);
    if (same)
        DirInput_Press(dir, pressed);
}

void DirInput_Press(HWND dir, int hit) {
    DirWindowState* s = gDir.state;
    if (hit >= kHitMask1 && hit < kHitMask1 + kDirButtons) {
        SetComboText(Settings_Mask(hit - kHitMask1));
        List_ClearSelection(s->files);
        PostMessageA(dir, WM_COMMAND, kDirOpenCommand, 0);
        gDirButtonRow = kRowNone;
        SetFocus(s->combo);
    } else if (hit >= kHitSort1 && hit < kHitSort1 + kDirButtons) {
        s->sortKey = DirSort_Toggle(s->sortKey, hit);
        List_ClearSelection(s->files);
        SetComboText(gDirMaskList);
        Dir_ListFiles();
        RedrawButtons(dir);
        gDirButtonRow = kRowNone;
        SetFocus(s->combo);
    } else if (hit == kHitSum) {
        RunSum(dir);
    }
}

bool DirInput_Key(HWND dir, WPARAM key) {
    if (gDirButtonRow == kRowNone)
        return false;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        gDirButtonFocus = DirButtons_Step(gDirButtonFocus, key == VK_RIGHT);
        InvalidateRect(dir, NULL, FALSE);
        return true;
    case VK_RETURN:
        DirInput_Press(dir, (gDirButtonRow == kRowMasks ? kHitMask1 : kHitSort1) + gDirButtonFocus - 1);
        return true;
    case VK_TAB:
        DirInput_TabKey(dir, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return false;
}

bool DirInput_TabKey(HWND from, bool backwards) {
    if (!gDir.state)
        return false;
    const bool empty = SendMessageA(gDir.state->files, LB_GETCOUNT, 0, 0) <= 0;
    HWND focus = from;
    if (GetParent(from) == gDir.state->combo)
        focus = gDir.state->combo;
    Dir_SwitchFocus(DirTab_Next(Dir_FocusStop(focus), backwards, empty));
    return true;
}

// ---- Opening what is typed or selected ----------------------------------------------------

void DirInput_AddHistory(HWND combo, const char* text) {
    std::string entry = text;
    const int flags = ClassifyPath(text);
    if (!(flags & (kPathDirectory | kPathDrive | kPathPattern))) {
        char listing[kPlatNameMax];
        lstrcpynA(listing, gDir.state ? gDir.state->listingDir : "", sizeof listing);
        CharLowerA(listing);
        entry = listing + entry;
    }
    for (size_t i = 0; i < gDirNameHistory.size(); i++) {
        if (lstrcmpiA(gDirNameHistory[i].c_str(), entry.c_str()) == 0) {
            gDirNameHistory.erase(gDirNameHistory.begin() + (long)i);
            break;
        }
    }
    gDirNameHistory.insert(gDirNameHistory.begin(), entry);
    const LRESULT old = SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                     reinterpret_cast<LPARAM>(entry.c_str()));
    if (old != CB_ERR)
        SendMessageA(combo, CB_DELETESTRING, (WPARAM)old, 0);
    for (;;) {
        const LRESULT r = SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (r != CB_ERRSPACE && r != CB_ERR)
            break;
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        if (count <= 0)
            break;
        SendMessageA(combo, CB_DELETESTRING, (WPARAM)(count - 1), 0);
    }
    SetWindowTextA(combo, entry.c_str());
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void DirInput_Open(HWND dir) {
    DirWindowState* s = gDir.state;
    if (SendMessageA(s->files, LB_GETSELCOUNT, 0, 0) > 1 &&
        SelQueue_BuildFromList(s->files, s->listingDir, kQueueView) > 1) {
        gSelQueue.next = 1;
        SetComboText(gSelQueue.entries[0].path.c_str());
        SelQueue_SetNextEnabled(true);
    }
    const std::string typed = ComboText();
    if (RefuseListedUnusable(typed.c_str()))
        return;
    char text[kPlatNameMax + 8];
    DirOpen_RewriteTyped(typed.c_str(), text, sizeof text);
    Plat_SetCurrentDir(s->listingDir);
    const int flags = ClassifyPath(text);
    if (text[0] && flags == 0) {
        InvalidateRect(s->files, NULL, TRUE);
        return;
    }
    if (text[0] && !((flags & kPathFile) && !(flags & kPathPattern)))
        OpenMaskOrDirectory(dir, text, flags);
    else
        OpenFile(dir, text);
}

// ---- The lists --------------------------------------------------------------------------------

void DirInput_TreeChanged(HWND dir, bool doubleClick) {
    DirWindowState* s = gDir.state;
    DirTree* tree = gDir.tree;
    if (!tree || !tree->nodes)
        return;
    Dir_ClearSum();
    const LRESULT row = SendMessageA(s->tree, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR)
        return;
    const int32_t node = (int32_t)SendMessageA(s->tree, LB_GETITEMDATA, (WPARAM)row, 0);
    if (node < 0 || node >= tree->capacity)
        return;
    const DWORD now = GetTickCount();
    const bool sameClick = node == s->lastNode && now - s->lastNodeTime <= GetDoubleClickTime();
    if (!doubleClick && sameClick)
        return;
    if (!doubleClick) {
        s->lastNodeExpanded = false;
        s->lastNodeCollapsed = false;
    }
    s->lastNode = node;
    s->lastNodeTime = now;
    // A directory by a name the code page could not hold: listing it would list a mask.
    if (RefuseUnusableName(tree->nodes[node].path))
        return;
    Dir_SetListingDir(tree->nodes[node].path);

    const TreeRows rows = Dir_TreeRows(s->tree);
    DirSnapshotScope snapshot; // the listing replays the level read here
    if (doubleClick && tree->nodes[node].firstChild && !s->lastNodeExpanded) {
        CollapseNode(tree, node, &rows, false);
        TreeRows_Renumber(tree, &rows);
        s->lastNodeCollapsed = true;
    } else if (!tree->nodes[node].firstChild && !s->lastNodeCollapsed) {
        void* busy = Dir_BeginBusy(tree->nodes[node].path);
        char path[kTreePathMax];
        lstrcpynA(path, tree->nodes[node].path, sizeof path);
        ReadTreeLevel(tree, path, kTreeReadAgainKeepRows, kTreeReadAbsolute | kTreeReadFlagsLater,
                      nullptr);
        Dir_ScanFlagsLater();
        Dir_EndBusy(busy);
        const int added = TreeRows_InsertSubtree(tree, &rows, node);
        if (added > 0) {
            s->lastNodeExpanded = !doubleClick;
            const int visible = (s->layout.tree.bottom - s->layout.tree.top) /
                                (s->lineHeight > 0 ? s->lineHeight : 1);
            const int top = (int)SendMessageA(s->tree, LB_GETTOPINDEX, 0, 0);
            const int newTop = TreeRows_TopAfterInsert(top, visible, (int)row, added);
            SendMessageA(s->tree, LB_SETTOPINDEX, (WPARAM)newTop, 0);
        }
        SendMessageA(s->tree, LB_SETCURSEL, (WPARAM)tree->nodes[node].row, 0);
    }
    InvalidateRect(s->tree, NULL, TRUE);
    if (!doubleClick)
        Dir_ListFiles();
    gDirSelectionInfo[0] = 0;
    Dir_RepaintStatus();
    SetComboText(gDirMaskList);
    (void)dir;
}

void DirInput_FilesChanged(HWND dir) {
    DirWindowState* s = gDir.state;
    DirPaint_RecomputeInfo();
    const LRESULT n = SendMessageA(s->files, LB_GETSELCOUNT, 0, 0);

    if (n == 1) {
        int index = 0;
        SendMessageA(s->files, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index));
        SetWindowTextA(s->combo, List_ItemText(s->files, index).c_str());
    }
    if (n > 0)
        SelQueue_BuildFromList(s->files, s->listingDir, kQueueView);
    else
        SelQueue_DropAndGrey();
    Dir_RepaintStatus();
    (void)dir;
}

void DirInput_FilesDoubleClick(HWND dir) {
    DirWindowState* s = gDir.state;
    if (SendMessageA(s->files, LB_GETSELCOUNT, 0, 0) <= 0)
        return;
    Dir_ClearSum();
    if (SelQueue_BuildFromList(s->files, s->listingDir, kQueueView) <= 0)
        return;
    gSelQueue.next = 0;
    gSelQueue.openAll = true;
    for (const QueuedEntry& entry : gSelQueue.entries)
        DirInput_AddHistory(s->combo, entry.path.c_str());
    Frame_PostOpen(gFrame, "");
    (void)dir;
}
