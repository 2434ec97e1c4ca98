// The frame's own messages besides its commands: sizing under the control bar, minimising and
// restoring, the Window menu's marks and F1 in a menu, the check for files changed while ORV was
// in the background and dropped files. ORVFrameWndProc (frame_win.cpp) calls these.
#include "shell/framemsg_win.h"

#include <windows.h>

#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "resources/resource.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/help_win.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "platform/uiseam.h"
#include "shell/winkind_win.h"
#include "viewer/engine.h"

bool gViewFileChanged = false;

namespace {

constexpr int kKeptCaptionMax = 274;
// A caption this long or longer is cut to its file name while the frame is an icon.
constexpr int kShortenFrom = 16;
// The window list shows nine windows at most; the MDI client's "More Windows..." comes after.
constexpr int kMarkedListItems = 9;

// What the frame remembers between its messages.
struct FrameMsgState {
    UINT highlightedItem; // the menu item under the bar, 0 for a popup or none
    HWND captionOwner;    // the child whose caption was cut while the frame is an icon
    char keptCaption[kKeptCaptionMax + 1];
    char cutCaption[kKeptCaptionMax + 1]; // what it shows meanwhile
    bool activatedBefore;
};

FrameMsgState gMsgState;

// ---- Sizing --------------------------------------------------------------------------------

// The part of a path after its last "\" or "/".
const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* c = path; *c; c++) {
        if (*c == '\\' || *c == '/')
            name = c + 1;
    }
    return name;
}

// The frame becomes an icon: the active child's caption is kept and, when long, cut to its
// file name. A caption too long to keep whole stays as it is, since it could not be put back,
// and so does one whose file-name part is empty (a directory ending in "\"). A second minimise
// notice keeps the caption kept at the first, not the cut one.
void KeepActiveCaption() {
    if (gMsgState.captionOwner && IsWindow(gMsgState.captionOwner))
        return;
    gMsgState.captionOwner = NULL;
    HWND child = Frame_ActiveChild();
    if (!child || Orv_ClassifyWindow(child).kind == kKindNone)
        return;
    if (GetWindowTextLengthA(child) > kKeptCaptionMax)
        return;
    GetWindowTextA(child, gMsgState.keptCaption, sizeof gMsgState.keptCaption);
    const char* name = FileNamePart(gMsgState.keptCaption);
    if (lstrlenA(gMsgState.keptCaption) < kShortenFrom || !*name)
        return;
    gMsgState.captionOwner = child;
    lstrcpynA(gMsgState.cutCaption, name, sizeof gMsgState.cutCaption);
    SetWindowTextA(child, gMsgState.cutCaption);
}

} // namespace

void FrameMsg_Reset() {
    gMsgState = FrameMsgState{};
}

bool FrameMsg_OnSize(HWND frame, WPARAM how) {
    if (how == SIZE_MINIMIZED) {
        KeepActiveCaption();
        return false;
    }
    Frame_Layout(frame); // the default would give the MDI client the bar's place too
    Frame_TileIfAsked();
    return true;
}

void FrameMsg_OnQueryOpen(HWND frame) {
    HWND owner = gMsgState.captionOwner;
    gMsgState.captionOwner = NULL;
    if (owner && IsWindow(owner)) {
        char now[kKeptCaptionMax + 1] = "";
        GetWindowTextA(owner, now, sizeof now);
        if (lstrcmpA(now, gMsgState.cutCaption) == 0)
            SetWindowTextA(owner, gMsgState.keptCaption);
    }
    if (!Frame_ActiveChild())
        Frame_AutoOpen(frame, true);
}

// ---- Menus ---------------------------------------------------------------------------------

namespace {

// The "&Window" menu moves one place right while a maximised child's system menu leads the bar.
HMENU WindowMenu(HWND frame) {
    HMENU bar = GetMenu(frame);
    int position = kWindowMenuPosition;
    BOOL maximised = FALSE;
    if (gMdiClient)
        SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    MENUITEMINFOA first = {};
    first.cbSize = sizeof first;
    first.fMask = MIIM_FTYPE;
    if (maximised && GetMenuItemInfoA(bar, 0, TRUE, &first) && (first.fType & MFT_BITMAP))
        position++;
    return GetSubMenu(bar, position);
}

HWND ChildWithId(UINT id) {
    for (HWND child = gMdiClient ? GetWindow(gMdiClient, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!GetWindow(child, GW_OWNER) && static_cast<UINT>(GetDlgCtrlID(child)) == id)
            return child;
    }
    return NULL;
}

HBITMAP MarkOfKind(WindowKind kind) {
    switch (kind) {
    case kKindView:
        return gBitmaps[kBmpMenuView];
    case kKindDir:
        return gBitmaps[kBmpMenuDir];
    case kKindResults:
        return gBitmaps[kBmpMenuList];
    case kKindEditor:
        return gBitmaps[kBmpMenuEdit];
    case kKindNone:
        break;
    }
    return NULL;
}

} // namespace

void FrameMsg_OnInitMenuPopup(HWND frame, HMENU popup) {
    if (!popup || popup != WindowMenu(frame))
        return;
    const int count = GetMenuItemCount(popup);
    int toMark = count - 2 < kMarkedListItems ? count - 2 : kMarkedListItems;
    for (int i = 0; i < count && toMark > 0; i++) {
        const UINT id = GetMenuItemID(popup, i);
        if (id == static_cast<UINT>(-1) || id < IDM_FIRST_CHILD)
            continue;
        toMark--;
        HBITMAP mark = MarkOfKind(Orv_ClassifyWindow(ChildWithId(id)).kind);
        if (mark)
            SetMenuItemBitmaps(popup, id, MF_BYCOMMAND, mark, gBitmaps[kBmpMenuCheck]);
    }
}

void FrameMsg_OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    const bool closed = flags == 0xFFFF && !lParam;
    const bool command = !closed && !(flags & (MF_POPUP | MF_SEPARATOR));
    gMsgState.highlightedItem = command ? LOWORD(wParam) : 0;
}

void FrameMsg_OnEnterIdle(WPARAM source) {
    if (source == MSGF_MENU && (GetKeyState(VK_F1) & 0x8000))
        Help_ForMenuItem(gMsgState.highlightedItem);
}

// ---- Coming back to ORV --------------------------------------------------------------------

namespace {

enum ViewFileState { kViewFileGone, kViewFileChanged, kViewFileSame };

// Reads a view's file again: gone when it can no longer be opened for reading, changed when its
// size or last-write time differs from what the view recorded on opening it. The recorded size
// and time stay, so the view still sees the change when it reloads; the date text follows the
// file at once.
ViewFileState CheckViewFile(ViewFileBlock* file) {
    PlatFile* opened = Plat_OpenRead(file->path);
    if (!opened)
        return kViewFileGone;
    Plat_Close(opened);
    ViewEngine probe = {}; // read the way the view read it, so the times compare alike
    if (!Engine_SetFile(&probe, file->path))
        return kViewFileGone;
    lstrcpynA(file->fileStamp, probe.file.fileStamp, sizeof file->fileStamp);
    const bool changed =
        probe.file.fileSize != file->fileSize || probe.file.fileTime != file->fileTime;
    return changed ? kViewFileChanged : kViewFileSame;
}

} // namespace

void FrameMsg_OnActivateApp(HWND frame, bool active) {
    if (!active)
        return;
    if (!gMsgState.activatedBefore) {
        gMsgState.activatedBefore = true;
        return;
    }
    HWND child = Frame_ActiveChild();
    if (Orv_ClassifyWindow(child).kind != kKindView) {
        gViewFileChanged = true;
        return;
    }
    if (gEngine.file.validMarker == -1 || !gEngine.file.path[0])
        return; // the view has no file yet
    switch (CheckViewFile(&gEngine.file)) {
    case kViewFileGone:
        gViewFileChanged = true;
        PostMessageA(frame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(child));
        break;
    case kViewFileChanged:
        gViewFileChanged = true;
        break;
    case kViewFileSame:
        break;
    }
}

// ---- Mouse ---------------------------------------------------------------------------------

bool FrameMsg_OnNcDoubleClick(HWND frame, WPARAM hit, LPARAM where) {
    BOOL maximised = FALSE;
    HWND child = gMdiClient
                     ? reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0,
                                                           reinterpret_cast<LPARAM>(&maximised)))
                     : NULL;
    if (!child || !maximised || hit != HTMENU)
        return false;
    POINT clientLeft = {0, 0};
    ClientToScreen(frame, &clientLeft);
    const int x = static_cast<short>(LOWORD(where));
    if (x < clientLeft.x || x >= clientLeft.x + GetSystemMetrics(SM_CXSIZE))
        return false;
    SendMessageA(frame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(child));
    return true;
}

// ---- The MDI client's birth ---------------------------------------------------------------

void FrameMsg_OnParentNotify(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WM_CREATE && HIWORD(wParam) == IDC_MDI_CLIENT)
        Frame_WatchClient(reinterpret_cast<HWND>(lParam));
}

// ---- Dropped files -------------------------------------------------------------------------

void FrameMsg_OnDropFiles(HWND frame, HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
    for (UINT i = count; i-- > 0;) {
        // Taken whole: "&Open/Dir..." refuses a name too long for a path rather than open a
        // shorter one that could be another file.
        const UINT length = DragQueryFileA(drop, i, NULL, 0);
        if (length == 0)
            continue;
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(length);
        Frame_BeforeOpening(NULL);
        gCurrentDirSpec[0] = 0;
        Frame_BeginWalk();
        Frame_SendOpen(frame, path.c_str());
        Frame_EndWalk();
    }
    DragFinish(drop);
    Frame_TileIfAsked();
}

void Frame_Layout(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    int top = 0;
    if (gControlBar && IsWindowVisible(gControlBar)) {
        top = ControlBar_Height();
        MoveWindow(gControlBar, 0, 0, client.right, top, TRUE);
    }
    if (gMdiClient)
        MoveWindow(gMdiClient, 0, top, client.right,
                   client.bottom - top > 0 ? client.bottom - top : 0, TRUE);
}
