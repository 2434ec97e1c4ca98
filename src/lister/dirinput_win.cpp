// What the user does in a directory window: the mask, sort and Sum buttons under the mouse and
// the keys, the tab order, opening what is typed or selected, and the tree and file lists'
// notifications.
#include <stdio.h>
#include <string.h>

#include "search/selqueue_win.h"
#include "search/searchcmd_win.h"
#include "lister/dirsnap.h"
#include "lister/dirstate_win.h"
#include "lister/drive.h"
#include "lister/dirwnd_win.h"
#include "lister/pathclass.h"
#include "platform/uiseam.h"
#include "shell/frame_win.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kMustSpecifyText[] = "Must specify a filename.";
const char kMustSpecifyCaption[] = "?";
const char kSumFormat[] = "%s %s in %s %s (%s bytes)";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

void RedrawButtons(const DirWindowState* s) {
    HWND dir = s->window;
    const DirLayout& l = s->layout;
    RECT strip = {0, l.masks[0].top, 0, l.statusRow.bottom + 1};
    RECT client;
    GetClientRect(dir, &client);
    strip.right = client.right;
    InvalidateRect(dir, &strip, TRUE);
    UpdateWindow(dir);
}

std::string ComboText(const DirWindowState* s) {
    char text[kPlatNameMax] = "";
    GetWindowTextA(s->combo, text, sizeof text);
    return text;
}

void SetComboText(const DirWindowState* s, const char* text) {
    SetWindowTextA(s->combo, text);
    SendMessageA(s->combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// Sum: the selected directory and everything below it are read and counted.
void RunSum(DirWindowState* s) {
    const std::string path = DirWindow_SelectedTreeDir(s->window);
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
    char files[kCountTextMax], dirs[kCountTextMax], bytes[kCountTextMax];
    FormatCount((uint64_t)counters.files, false, files, sizeof files);
    FormatCount((uint64_t)counters.directories, false, dirs, sizeof dirs);
    FormatCount(counters.bytes, false, bytes, sizeof bytes);
    snprintf(s->sumText, sizeof s->sumText, kSumFormat, files,
             counters.files == 1 ? "File" : "Files", dirs,
             counters.directories == 1 ? "Dir" : "Dirs", bytes);
    s->selectionInfo[0] = 0;
    s->sumShown = false;
    Dir_RepaintStatus(s);
}

// The listing directory, and its row in the tree: the tree is read down to it (the drive
// switched first when it lies on another drive).
void GoToDirectory(DirWindowState* s, const char* directory) {
    DirTree* tree = s->dirTree;
    char letter = directory[1] == ':' ? directory[0] : 0;
    const char treeLetter = tree && tree->nodes ? tree->nodes[0].path[0] : 0;
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
        SwitchDrive(s, root);
        return;
    }
    char listing[kPlatNameMax];
    const TreeRows rows = Dir_TreeRows(s->tree);
    ExpandToPath(tree, letter, &rows, listing, sizeof listing, kTreeReadFlagsLater);
    Dir_SetListingDir(s, listing);
    Dir_FillTree(s);
}

void OpenMaskOrDirectory(DirWindowState* s, const char* text, int flags) {
    HWND dir = s->window;
    DirInput_AddHistory(s, text);
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
        GoToDirectory(s, directory.c_str());
    // A prompt on the way lets other messages through: the window may be gone.
    if (Dir_StateOf(dir) != s)
        return;
    lstrcpynA(gDirMaskList, mask.empty() ? "*.*" : mask.c_str(), sizeof gDirMaskList);
    Dir_ListFiles(s);
    SetComboText(s, text);
}

// A text that is the name of a listed file (bare, or after the listing directory, as a
// selection puts it in the box) names that file: a "?" in it stands for what the code page
// lacks, and taken as a mask it would list other files. True when it is refused so.
bool RefuseListedUnusable(const DirWindowState* s, const char* text) {
    const size_t dirLength = strlen(s->listingDir);
    const char* name = _strnicmp(text, s->listingDir, dirLength) == 0 ? text + dirLength : text;
    if (FileListing_Find(&s->listing, name) < 0)
        return false;
    return RefuseUnusableName((std::string(s->listingDir) + name).c_str());
}

void OpenFile(DirWindowState* s, std::string text) {
    HWND dir = s->window;
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
        path = s->listingDir + text;
    // A name that is not there is offered to the disk search, which looks for it everywhere.
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path.c_str(), &info)) {
        FileSearch_FindFile(gFrame, path.c_str(), kPlatErrFileNotFound);
        return;
    }
    Frame_BeforeOpening(NULL);
    HWND view = View_OpenFile(path.c_str());
    // Opening a view may have closed the directory window.
    if (view && IsWindow(dir) && Dir_StateOf(dir) == s)
        DirInput_AddHistory(s, path.c_str());
}

} // namespace

// ---- Buttons --------------------------------------------------------------------------------

void DirInput_MouseDown(DirWindowState* s, int x, int y) {
    const int hit = DirLayout_Hit(s->layout, x, y, s->sumShown);
    if (hit == kHitNone)
        return;
    SetCapture(s->window);
    s->pressed = hit;
    s->pressedInside = true;
    RedrawButtons(s);
}

void DirInput_MouseMove(DirWindowState* s, int x, int y) {
    if (!s->pressed || GetCapture() != s->window)
        return;
    const bool inside = DirLayout_Hit(s->layout, x, y, s->sumShown) == s->pressed;
    if (inside != s->pressedInside) {
        s->pressedInside = inside;
        RedrawButtons(s);
    }
}

void DirInput_MouseUp(DirWindowState* s, int x, int y) {
    if (!s->pressed)
        return;
    const int pressed = s->pressed;
    const bool same = DirLayout_Hit(s->layout, x, y, s->sumShown) == pressed;
    s->pressed = 0;
    s->pressedInside = false;
    if (GetCapture() == s->window)
        ReleaseCapture();
    RedrawButtons(s);
    if (same)
        DirInput_Press(s, pressed);
}

void DirInput_Press(DirWindowState* s, int hit) {
    if (hit >= kHitMask1 && hit < kHitMask1 + kDirButtons) {
        SetComboText(s, Settings_Mask(hit - kHitMask1));
        List_ClearSelection(s->files);
        PostMessageA(s->window, WM_COMMAND, kDirOpenCommand, 0);
        s->buttonRow = kRowNone;
        SetFocus(s->combo);
    } else if (hit >= kHitSort1 && hit < kHitSort1 + kDirButtons) {
        s->sortKey = DirSort_Toggle(s->sortKey, hit);
        List_ClearSelection(s->files);
        SetComboText(s, gDirMaskList);
        Dir_ListFiles(s);
        RedrawButtons(s);
        s->buttonRow = kRowNone;
        SetFocus(s->combo);
    } else if (hit == kHitSum) {
        RunSum(s);
    }
}

bool DirInput_Key(DirWindowState* s, WPARAM key) {
    if (s->buttonRow == kRowNone)
        return false;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        s->buttonFocus = DirButtons_Step(s->buttonFocus, key == VK_RIGHT);
        InvalidateRect(s->window, NULL, FALSE);
        return true;
    case VK_RETURN:
        DirInput_Press(s, (s->buttonRow == kRowMasks ? kHitMask1 : kHitSort1) + s->buttonFocus - 1);
        return true;
    case VK_TAB:
        DirInput_TabKey(s, s->window, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return false;
}

bool DirInput_TabKey(DirWindowState* s, HWND from, bool backwards) {
    if (!s)
        return false;
    const bool empty = SendMessageA(s->files, LB_GETCOUNT, 0, 0) <= 0;
    HWND focus = from;
    if (GetParent(from) == s->combo)
        focus = s->combo;
    Dir_SwitchFocus(s, DirTab_Next(Dir_FocusStop(s, focus), backwards, empty));
    return true;
}

// ---- Opening what is typed or selected ----------------------------------------------------

void DirInput_AddHistory(DirWindowState* s, const char* text) {
    HWND combo = s->combo;
    std::string entry = text;
    const int flags = ClassifyPath(text);
    if (!(flags & (kPathDirectory | kPathDrive | kPathPattern))) {
        char listing[kPlatNameMax];
        lstrcpynA(listing, s->listingDir, sizeof listing);
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

void DirInput_Open(DirWindowState* s) {
    if (SendMessageA(s->files, LB_GETSELCOUNT, 0, 0) > 1 &&
        SelQueue_BuildFromList(s->files, s->listingDir, kQueueView) > 1) {
        gSelQueue.next = 1;
        SetComboText(s, gSelQueue.entries[0].path.c_str());
        SelQueue_SetNextEnabled(true);
    }
    const std::string typed = ComboText(s);
    if (RefuseListedUnusable(s, typed.c_str()))
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
        OpenMaskOrDirectory(s, text, flags);
    else
        OpenFile(s, text);
}

// ---- The lists --------------------------------------------------------------------------------

void DirInput_TreeChanged(DirWindowState* s, bool doubleClick) {
    DirTree* tree = s->dirTree;
    if (!tree || !tree->nodes)
        return;
    Dir_ClearSum(s);
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
    Dir_SetListingDir(s, tree->nodes[node].path);

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
        Dir_ScanFlagsLater(s);
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
        Dir_ListFiles(s);
    s->selectionInfo[0] = 0;
    Dir_RepaintStatus(s);
    SetComboText(s, gDirMaskList);
}

void DirInput_FilesChanged(DirWindowState* s) {
    DirPaint_RecomputeInfo(s);
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
    Dir_RepaintStatus(s);
}

void DirInput_FilesDoubleClick(DirWindowState* s) {
    if (SendMessageA(s->files, LB_GETSELCOUNT, 0, 0) <= 0)
        return;
    Dir_ClearSum(s);
    if (SelQueue_BuildFromList(s->files, s->listingDir, kQueueView) <= 0)
        return;
    gSelQueue.next = 0;
    gSelQueue.openAll = true;
    for (const QueuedEntry& entry : gSelQueue.entries)
        DirInput_AddHistory(s, entry.path.c_str());
    Frame_PostOpen(gFrame, "");
}
