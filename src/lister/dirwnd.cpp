// The directory window. Until it lists directories, it is an MDI child with an empty file list
// and its listing directory, so that the frame's handling of its kind of window (and of the
// files chosen in it) can already be driven.
#include "lister/dirwnd.h"

#include <string>

#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "platform/platform.h"
#include "shell/winkind.h"

namespace {

constexpr int kFileListId = 2;

struct DirWindowState {
    HWND fileList;
    std::string directory; // the listing directory, ending in a separator ("" when unknown)
};

DirWindowState* State(HWND dir) {
    return reinterpret_cast<DirWindowState*>(GetWindowLongPtrA(dir, 0));
}

// The directory window itself, not one of its controls.
DirWindowState* StateOfDirWindow(HWND dir) {
    return Orv_IsProgramWindow(dir, kKindDir) ? State(dir) : nullptr;
}

// The directory part of a specification such as "C:\DATA\*.TXT".
std::string DirectoryOfSpec(const char* spec) {
    std::string directory = spec ? spec : "";
    size_t cut = directory.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : directory.substr(0, cut + 1);
}

void OnCreate(HWND dir, const char* spec) {
    DirWindowState* state = new DirWindowState();
    state->directory = DirectoryOfSpec(spec);
    SetWindowLongPtrA(dir, 0, reinterpret_cast<LONG_PTR>(state));
    RECT client;
    GetClientRect(dir, &client);
    state->fileList = CreateWindowExA(
        0, "listbox", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0,
        0, client.right, client.bottom, dir, reinterpret_cast<HMENU>(kFileListId),
        GetModuleHandleA(NULL), NULL);
}

} // namespace

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
        OnCreate(dir, reinterpret_cast<const char*>(mdi->lParam));
        break;
    }
    case WM_SIZE:
        if (State(dir) && State(dir)->fileList && wParam != SIZE_MINIMIZED)
            MoveWindow(State(dir)->fileList, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_SETFOCUS:
        ControlBar_EnableFind(false);
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == dir)
            Menu_ApplyState(gFrame, dir);
        break;
    case WM_NCDESTROY:
        delete State(dir);
        SetWindowLongPtrA(dir, 0, 0);
        break;
    }
    return DefMDIChildProcA(dir, message, wParam, lParam);
}

LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(disk, message, wParam, lParam);
}

LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(split, message, wParam, lParam);
}

HWND DirWindow_Open(const char* spec) {
    char root[kPlatNameMax];
    if (!Plat_DriveRoot(spec, root, sizeof root))
        return NULL;
    return Frame_NewChild(kDirClassName, root, reinterpret_cast<LPARAM>(spec));
}

HWND DirWindow_FileList(HWND dir) {
    DirWindowState* state = StateOfDirWindow(dir);
    return state ? state->fileList : NULL;
}

const char* DirWindow_Directory(HWND dir) {
    DirWindowState* state = StateOfDirWindow(dir);
    return state ? state->directory.c_str() : "";
}

HWND DirWindow_FindForRoot(const char* root) {
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char title[kPlatNameMax] = "";
        GetWindowTextA(child, title, sizeof title);
        if (Orv_ClassifyWindow(child).kind == kKindDir && lstrcmpiA(title, root) == 0)
            return child;
    }
    return NULL;
}

// Until the window has its tree and its "File Name:" box these ask nothing of it.
bool DirWindow_TreeHasFocus(HWND dir) { return GetFocus() == dir; } // the window for its tree
std::string DirWindow_SelectedTreeDir(HWND dir) { return DirWindow_Directory(dir); }
std::string DirWindow_ComboText(HWND) { return std::string(); }
void DirWindow_ResetComboToMasks(HWND) {}
void DirWindow_ClearSum(HWND) {}
void DirWindows_FileDeleted(const char*, uint64_t) {}
void DirWindow_DirectoryRemoved(HWND, const char*) {}
