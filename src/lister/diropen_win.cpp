// Opening directory windows and finding them, and what the frame and the file operations ask of
// an open one.
#include <stdio.h>
#include <string.h>

#include "lister/dirsnap.h"
#include "lister/dirstate_win.h"
#include "lister/dirwnd_win.h"
#include "platform/platform.h"
#include "shell/classes_win.h"
#include "shell/frame_win.h"
#include "shell/winkind_win.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// A new window on the drive of root, its tree opened down to the drive's current directory,
// which it lists; a directory given (else null) is made current first. Null when the drive's
// root cannot be read.
HWND OpenOnDrive(const char* root, const char* makeCurrent) {
    // The listing of the new window replays the tree's read of its directory.
    DirSnapshotScope snapshot;
    void* busy = Dir_BeginBusy(root);
    if (makeCurrent)
        Plat_SetCurrentDir(makeCurrent);
    DirCreateParams params = {};
    ReadTreeLevel(&params.tree, root, kTreeReadSeparate, kTreeReadAbsolute | kTreeReadFlagsLater,
                  nullptr);
    if (params.tree.nodes)
        ExpandToPath(&params.tree, root[0], nullptr, params.listing, sizeof params.listing,
                     kTreeReadFlagsLater);
    Dir_EndBusy(busy);
    if (!params.tree.nodes)
        return NULL;
    Frame_BeforeOpening(NULL);
    HWND dir = Frame_NewChild(kDirClassName, root, reinterpret_cast<LPARAM>(&params));
    if (!dir) {
        DirTree_Release(&params.tree);
        return NULL;
    }
    if (DirWindowState* s = Dir_StateOf(dir))
        SetFocus(s->combo);
    return dir;
}

} // namespace

// A drive chosen on the disk bar opens where the user last was on it; the program's own
// current directory stays where it is.
HWND DirWindow_OpenOnDrive(const char* path) {
    char root[kPlatNameMax];
    if (!path || !Plat_DriveRoot(path, root, sizeof root))
        return NULL;
    return OpenOnDrive(root, nullptr);
}

HWND DirWindow_Open(const char* path) {
    char root[kPlatNameMax];
    if (!path || !Plat_DriveRoot(path, root, sizeof root))
        return NULL;
    // The directory named becomes the drive's current one, so the tree opens down to it; a
    // mask after it becomes the mask list.
    char directory[kPlatNameMax];
    lstrcpynA(directory, path, sizeof directory);
    PlatFileInfo info;
    if (!Plat_GetFileInfo(directory, &info) || !(info.attributes & kPlatAttrDirectory)) {
        char* cut = directory + strlen(directory);
        while (cut > directory && !IsSeparator(cut[-1]) && cut[-1] != ':')
            cut--;
        if (*cut)
            lstrcpynA(gDirMaskList, cut, sizeof gDirMaskList);
        *cut = 0;
    }
    return OpenOnDrive(root, directory[0] ? directory : nullptr);
}

HWND FindWindowFor(const char* path, const char* className) {
    for (HWND child = gMdiClient ? GetWindow(gMdiClient, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) != 0)
            continue;
        if (lstrcmpiA(className, kDirClassName) == 0) {
            const DirTree* tree = Dir_TreeOf(child);
            char title[kPlatNameMax] = "";
            if (tree && tree->nodes)
                lstrcpynA(title, tree->nodes[0].path, sizeof title);
            else
                GetWindowTextA(child, title, sizeof title);
            if (lstrcmpiA(title, path) == 0)
                return child;
        } else {
            char title[kPlatNameMax] = "";
            GetWindowTextA(child, title, sizeof title);
            if (lstrcmpiA(title, path) == 0)
                return child;
        }
    }
    return NULL;
}

HWND DirWindow_FindForRoot(const char* root) {
    return FindWindowFor(root, kDirClassName);
}

HWND DirWindow_FileList(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    return s ? s->files : NULL;
}

const char* DirWindow_ListedName(HWND list, int index) {
    DirWindowState* s = list ? Dir_StateOf(GetParent(list)) : nullptr;
    return s && s->files == list ? FileListing_Name(&s->listing, index) : nullptr;
}

int DirWindow_FindListed(HWND list, const char* name) {
    DirWindowState* s = list ? Dir_StateOf(GetParent(list)) : nullptr;
    return s && s->files == list ? FileListing_Find(&s->listing, name) : -1;
}

const char* DirWindow_Directory(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    return s ? s->listingDir : "";
}

// ---- What the file operations ask of directory windows --------------------------------------

bool DirWindow_TreeHasFocus(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    return s && s->tree && GetFocus() == s->tree;
}

std::string DirWindow_SelectedTreeDir(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    const DirTree* tree = s ? s->dirTree : nullptr;
    if (!s || !tree || !tree->nodes || !s->tree)
        return s ? s->listingDir : "";
    const LRESULT row = SendMessageA(s->tree, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR)
        return std::string();
    const LRESULT node = SendMessageA(s->tree, LB_GETITEMDATA, (WPARAM)row, 0);
    if (node < 0 || node >= tree->capacity)
        return std::string();
    return tree->nodes[node].path;
}

std::string DirWindow_ComboText(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    if (!s || !s->combo)
        return std::string();
    char text[kPlatNameMax] = "";
    GetWindowTextA(s->combo, text, sizeof text);
    return text;
}

void DirWindow_ResetComboToMasks(HWND dir) {
    DirWindowState* s = Dir_StateOf(dir);
    if (!s || !s->combo)
        return;
    SetWindowTextA(s->combo, gDirMaskList);
    SendMessageA(s->combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void DirWindow_ClearSum(HWND dir) {
    Dir_ClearSum(Dir_StateOf(dir));
}

void DirWindows_FileDeleted(const char* path, uint64_t size) {
    const char* name = path + strlen(path);
    while (name > path && !IsSeparator(name[-1]))
        name--;
    const size_t dirLength = (size_t)(name - path);
    for (HWND child = gMdiClient ? GetWindow(gMdiClient, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        DirWindowState* s = Dir_StateOf(child);
        if (!s)
            continue;
        if (strlen(s->listingDir) != dirLength || _strnicmp(s->listingDir, path, dirLength) != 0)
            continue;
        const int32_t row = FileListing_Find(&s->listing, name);
        if (row < 0)
            continue;
        FileListing_Remove(&s->listing, row);
        SendMessageA(s->files, LB_DELETESTRING, (WPARAM)row, 0);
        s->figures.listedBytes = s->figures.listedBytes > size ? s->figures.listedBytes - size : 0;
        char root[kPlatNameMax];
        uint64_t freeBytes = 0, diskBytes = 0;
        if (Plat_DriveRoot(path, root, sizeof root) &&
            Plat_DiskSpace(root, &freeBytes, &diskBytes)) {
            s->figures.freeBytes = freeBytes;
            s->figures.diskBytes = diskBytes;
        }
        s->selectionInfo[0] = 0;
        Dir_RepaintStatus(s);
    }
}

void DirWindows_FileSaved(const char* path, bool treeToo) {
    const char* name = path + strlen(path);
    while (name > path && !IsSeparator(name[-1]))
        name--;
    const std::string folder(path, (size_t)(name - path));
    if (folder.empty())
        return;
    auto same = [&](std::string dir) {
        if (!dir.empty() && !IsSeparator(dir.back()))
            dir += '\\';
        return _stricmp(dir.c_str(), folder.c_str()) == 0;
    };
    for (HWND child = gMdiClient ? GetWindow(gMdiClient, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        DirWindowState* s = Dir_StateOf(child);
        if (!s || !(same(s->listingDir) || (treeToo && same(DirWindow_SelectedTreeDir(child)))))
            continue;
        Dir_ListFiles(s);
        Dir_RepaintStatus(s);
    }
}

void DirWindow_DirectoryRemoved(HWND dir, const char* path) {
    DirWindowState* s = Dir_StateOf(dir);
    if (!s || !s->dirTree || !s->dirTree->nodes)
        return;
    char listing[kPlatNameMax];
    lstrcpynA(listing, s->listingDir, sizeof listing);
    size_t length = strlen(listing);
    if (length > 3 && IsSeparator(listing[length - 1]))
        listing[--length] = 0;
    const TreeRows rows = Dir_TreeRows(s->tree);
    const int32_t parent = TreeRows_RemoveDir(s->dirTree, &rows, path);
    if (lstrcmpiA(listing, path) == 0 && parent >= 0) {
        Dir_SetListingDir(s, s->dirTree->nodes[parent].path);
        Dir_ListFiles(s);
    }
    InvalidateRect(s->tree, NULL, TRUE);
}
