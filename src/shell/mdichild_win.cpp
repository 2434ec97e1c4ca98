// The frame's MDI children: a new one made and placed as "NextFile" asks (maximised, tiled or
// cascaded), one closed or all of them, the active one left for the next file ("PreviousFile"),
// stepping to the next window (the frame's command, or the MDI client's request, which the
// frame watches for), the Window menu's commands, and "AutoOpen" when the last one is gone;
// and the focus and close rules the editor and results windows share as children.
#include "shell/mdichild_win.h"

#include <vector>

#include "resources/resource.h"
#include "search/searchcmd_win.h"
#include "search/selqueue_win.h"
#include "shell/ctlbar_win.h"
#include "shell/frame_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

// Commands closing windows one after another hold the auto-open rule off meanwhile.
int gAutoOpenHolds = 0;

// The MDI children of one kind, in the client's order (none when kind is kKindNone).
std::vector<HWND> ChildrenOfKind(WindowKind kind) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!GetWindow(child, GW_OWNER) && Orv_ClassifyWindow(child).kind == kind)
            children.push_back(child);
    }
    return children;
}

bool AnyChild() {
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!GetWindow(child, GW_OWNER)) // an icon title is owned by its window
            return true;
    }
    return false;
}

// Walks under way (Frame_BeginWalk): the windows are arranged once, when the last ends.
int gWalks = 0;
// The MDI client's own procedure, under the frame's watch (null until it is watched).
WNDPROC gClientProc = NULL;

// "&Close": the window named (null: the one with the focus). The control bar's find box is
// never closed.
void CloseOne(HWND named) {
    HWND window = named ? named : GetFocus();
    WindowTarget target = Orv_ClassifyWindow(window);
    if (target.kind == kKindView)
        View_Close(target.window, true);
    else if (target.kind != kKindNone)
        Frame_CloseChild(target.window, true);
}

// "Close A&ll": every editor first, stopping at the first that refuses, then the rest. Only
// the last window closed finds the frame empty, so the auto-open rule runs once, at the end.
void CloseAll() {
    if (Frame_CloseEditors()) {
        for (HWND child : ChildrenOfKind(kKindResults))
            Frame_CloseChild(child, false);
        for (HWND child : ChildrenOfKind(kKindView))
            View_Close(child, false);
        for (HWND child : ChildrenOfKind(kKindDir))
            Frame_CloseChild(child, false);
    }
}

// Goes to the next child; the one left is treated as a file being left for another, and a
// minimised one that comes up is restored and the children arranged again.
void NextWindow() {
    // The MDI client's watch applies "PreviousFile" to the active child, as for Ctrl+F6.
    SendMessageA(gMdiClient, WM_MDINEXT, reinterpret_cast<WPARAM>(Frame_ActiveChild()), 0);
    HWND now = Frame_ActiveChild();
    if (now && IsIconic(now)) {
        SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(now), 0);
        if (gSettings.tileNew)
            SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
        else if (gSettings.cascadeNew)
            SendMessageA(gMdiClient, WM_MDICASCADE, 0, 0);
    }
}

// Ctrl+F6, Ctrl+Tab and "Next" of a maximised child's system menu reach the frame only as the
// MDI client's next-window request (the child's system command sends it there). The window
// left is treated as a file left for another. A request that names some other window than the
// active one (the frame's own next-window command, having done this already) goes on as it is.
LRESULT CALLBACK MdiClientSubClassProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = gClientProc;
    if (message == WM_MDINEXT) {
        HWND active = Frame_ActiveChild();
        HWND named = wParam ? reinterpret_cast<HWND>(wParam) : active;
        if (active && named == active) {
            Frame_BeforeOpening(active);
            // Closing it brought up its neighbour already; stepping on from a window that is
            // gone would lead the client astray.
            if (!IsWindow(active))
                return 0;
        }
    }
    return CallWindowProcA(own, client, message, wParam, lParam);
}

} // namespace

void Frame_WatchClient(HWND client) {
    if (!client || gClientProc)
        return;
    gClientProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientSubClassProc)));
}

void Frame_ForgetClient() {
    gClientProc = NULL;
}

int Frame_ChildCommand(WORD id, LPARAM lParam) {
    switch (id) {
    case IDM_CLOSE:
        CloseOne(reinterpret_cast<HWND>(lParam));
        return 1;
    case IDM_CLOSE_ALL:
        CloseAll();
        return 1;
    case IDM_TILE_VERTICAL:
        SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
        return 1;
    case IDM_TILE_HORIZONTAL:
        SendMessageA(gMdiClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return 1;
    case IDM_CASCADE:
        SendMessageA(gMdiClient, WM_MDICASCADE, 0, 0);
        return 1;
    case IDM_ARRANGE_ICONS:
        SendMessageA(gMdiClient, WM_MDIICONARRANGE, 0, 0);
        return 1;
    case IDM_RESTORE_CHILD:
        SendMessageA(gMdiClient, WM_MDIRESTORE, static_cast<WPARAM>(lParam), 0);
        return 1;
    case IDM_NEXT_WINDOW:
        NextWindow();
        return 1;
    }
    return 0;
}

int Frame_CloseEditors() {
    for (HWND editor : ChildrenOfKind(kKindEditor)) {
        if (!Frame_CloseChild(editor, false))
            return 0;
    }
    return 1;
}

void Frame_BeginWalk() {
    gWalks++;
}

void Frame_EndWalk() {
    if (gWalks > 0)
        gWalks--;
}

void Frame_TileIfAsked() {
    if (gSettings.tileNew && gMdiClient && gWalks == 0)
        SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void Frame_RetileLater() {
    if (gSettings.tileNew)
        PostMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void Frame_PlaceReopened(HWND child) {
    if (gSettings.tileNew)
        Frame_RetileLater();
    else if (gSettings.maximiseNew)
        PostMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
}

HWND Frame_NewChild(const char* className, const char* title, LPARAM createParam) {
    MDICREATESTRUCTA create = {};
    create.szClass = className;
    create.szTitle = title;
    create.hOwner = GetModuleHandleA(NULL);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = gSettings.maximiseNew ? WS_MAXIMIZE : 0;
    create.lParam = createParam;
    HWND child = reinterpret_cast<HWND>(
        SendMessageA(gMdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (child)
        Frame_TileIfAsked();
    return child;
}

HWND Frame_ActiveChild() {
    return gMdiClient ? reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0))
                      : NULL;
}

void Frame_HoldAutoOpen(bool hold) {
    gAutoOpenHolds += hold ? 1 : -1;
    if (gAutoOpenHolds < 0)
        gAutoOpenHolds = 0;
}

void Frame_AutoOpen(HWND frame, bool restoring) {
    if (!gSettings.autoOpen || gAutoOpenHolds > 0 || (IsIconic(frame) && !restoring) ||
        AnyChild() || FileSearch_IsRunning())
        return;
    if (Frame_ItemEnabled(frame, IDM_NEXT))
        PostMessageA(frame, WM_COMMAND, IDM_NEXT, 0);
    else
        Frame_PostOpen(frame, "");
}

void Frame_BeforeOpening(HWND child) {
    if (!child)
        child = Frame_ActiveChild();
    if (!child)
        return;
    if (gSettings.closePrevious) {
        Frame_HoldAutoOpen(true);
        if (Orv_ClassifyWindow(child).kind == kKindView)
            View_Close(child, false);
        else
            Frame_CloseChild(child, false);
        Frame_HoldAutoOpen(false);
    } else if (gSettings.minimisePrevious) {
        ShowWindow(child, SW_MINIMIZE);
    }
}

int Frame_CloseChild(HWND child, bool activateNeighbour) {
    if (!child || child == gFrame || child == gMdiClient || !IsWindow(child))
        return 0;
    ShowWindow(child, SW_HIDE);
    SendMessageA(child, WM_SETREDRAW, FALSE, 0);
    SendMessageA(child, WM_CLOSE, 0, 0);
    if (IsWindow(child)) {
        // Its own procedure kept it (an editor whose save was cancelled).
        SendMessageA(child, WM_SETREDRAW, TRUE, 0);
        ShowWindow(child, SW_SHOWNORMAL);
        RedrawWindow(child, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    }
    if (!AnyChild()) {
        Menu_ApplyState(gFrame, gFrame);
        // A window closed to make room for the next file leaves the queue for that file; a
        // search paused on a match keeps "&Next", which carries it on.
        if (gAutoOpenHolds == 0) {
            SelQueue_Drop();
            SelQueue_SetNextEnabled(FileSearch_IsPaused());
        }
        Frame_AutoOpen(gFrame, false);
    } else if (activateNeighbour) {
        HWND now = Frame_ActiveChild();
        if (now && IsIconic(now))
            SendMessageA(gFrame, WM_COMMAND, IDM_RESTORE_CHILD, reinterpret_cast<LPARAM>(now));
    }
    Frame_TileIfAsked();
    return 1;
}

void MdiChild_TakeFocus(HWND child, HWND control, bool findable, void (*becomeCurrent)(HWND)) {
    ControlBar_EnableFind(findable);
    becomeCurrent(child);
    if (control)
        SetFocus(control);
}

bool MdiChild_CloseThroughFrame(HWND child) {
    if (!IsWindowVisible(child) || !gFrame)
        return false;
    PostMessageA(gFrame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(child));
    return true;
}
