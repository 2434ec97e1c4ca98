#include "shell/frame_win.h"

#include <shellapi.h>

#include <deque>
#include <string>

#include "resources/resource.h"
#include "shell/ctlbar_win.h"
#include "shell/framemsg_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/splash_win.h"
#include "shell/startup_win.h"
#include "viewer/engine.h"

HWND gFrame = NULL;
HWND gMdiClient = NULL;
char gCurrentDirSpec[MAX_PATH] = "";

namespace {

// A posted "&Open/Dir..." carries this notification code when it is to take the oldest queued
// path (menus send 0, accelerators 1).
constexpr WORD kOpenTakesQueuedPath = 2;
// A second start waits this long for a busy first instance to take its path.
constexpr UINT kHandOverTimeoutMs = 10000;
// The longest command line the system passes to a program.
constexpr DWORD kHandOverMax = 32768;

struct FrameState {
    std::deque<std::string> openQueue; // paths handed over, waiting for their Open/Dir command
    char lastOpenPath[kPathMax];
    int openCount; // "&Open/Dir..." commands carried out since the frame was made
    WindowRect createdRect; // just after creation: the exit save keeps a moved frame's place
};

FrameState gFrameState;

int Frame_OnCreate(HWND frame, const CREATESTRUCTA* create) {
    gFrame = frame;
    gFrameState.lastOpenPath[0] = 0;
    gFrameState.openCount = 0;
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = GetSubMenu(GetMenu(frame), kWindowMenuPosition);
    client.idFirstChild = IDM_FIRST_CHILD;
    gMdiClient = CreateWindowExA(
        0, "mdiclient", NULL, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
        frame, reinterpret_cast<HMENU>(IDC_MDI_CLIENT), create->hInstance, &client);
    if (!gMdiClient)
        return -1;
    ShowWindow(gMdiClient, SW_SHOW);
    Settings_LoadDriveList();
    return 0;
}

WindowRect RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The settings saved at exit: changed options, and the frame's place if it moved.
void Frame_SaveAtExit(HWND frame) {
    FrameExitState state = {IsIconic(frame) ? 1 : 0, RectOf(frame), gFrameState.createdRect};
    Settings_ExitSave(state);
}

// Asked to close (or whether the session may end): the settings are saved, then every editor is
// closed, and any may refuse, which keeps the program running with all its windows.
bool Frame_CloseEverything(HWND frame) {
    Frame_SaveAtExit(frame);
    ShowWindow(gMdiClient, SW_HIDE);
    Frame_HoldAutoOpen(true);
    bool closed = Frame_CloseEditors() != 0;
    if (closed)
        SendMessageA(frame, WM_COMMAND, IDM_CLOSE_ALL, 0);
    Frame_HoldAutoOpen(false);
    ShowWindow(gMdiClient, SW_SHOW);
    return closed;
}

void Frame_OnClose(HWND frame) {
    if (!Frame_CloseEverything(frame))
        return;
    if (gControlBar)
        DestroyWindow(gControlBar);
    DestroyWindow(frame);
}

void Frame_OnDestroy(HWND frame) {
    DragAcceptFiles(frame, FALSE);
    Splash_Dismiss(frame);
    PostQuitMessage(0);
}

// The children are gone by now, so their classes can be unregistered.
void Frame_OnNcDestroy(HWND frame) {
    Orv_Teardown();
    gFrame = NULL;
    gMdiClient = NULL;
    gFrameState.openQueue.clear();
}

// A second start of ORV sends its command line here, whole (up to what a command line can
// hold); it is opened from the message loop, so the sender is not kept waiting on what the open
// may ask.
BOOL Frame_OnCopyData(HWND frame, const COPYDATASTRUCT* data) {
    if (data->dwData != IDM_OPEN_DIR || !data->lpData || data->cbData > kHandOverMax)
        return FALSE;
    const char* text = static_cast<const char*>(data->lpData);
    size_t length = 0;
    while (length < data->cbData && text[length])
        length++;
    Frame_PostOpen(frame, std::string(text, length).c_str());
    return TRUE;
}

} // namespace

LRESULT CALLBACK ORVFrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        FrameMsg_Reset();
        Frame_ForgetClient();
        break;
    case WM_CREATE:
        return Frame_OnCreate(frame, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_PARENTNOTIFY:
        FrameMsg_OnParentNotify(wParam, lParam);
        break;
    case WM_SIZE:
        if (FrameMsg_OnSize(frame, wParam))
            return 0;
        break;
    case WM_QUERYOPEN:
        FrameMsg_OnQueryOpen(frame);
        return TRUE;
    case WM_TIMER:
        Splash_Dismiss(frame);
        return 0;
    case WM_INITMENU:
        Menu_OnInitMenu(frame, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        FrameMsg_OnInitMenuPopup(frame, reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        FrameMsg_OnMenuSelect(wParam, lParam);
        break;
    case WM_ENTERIDLE:
        FrameMsg_OnEnterIdle(wParam);
        break;
    case WM_ACTIVATEAPP:
        FrameMsg_OnActivateApp(frame, wParam != 0);
        break;
    case WM_NCLBUTTONDBLCLK:
        if (FrameMsg_OnNcDoubleClick(frame, wParam, lParam))
            return 0;
        break;
    case WM_LBUTTONDOWN:
        ControlBar_EndFindEdit();
        break;
    case WM_DROPFILES:
        FrameMsg_OnDropFiles(frame, reinterpret_cast<HDROP>(wParam));
        return 0;
    case kFrameFreeBlockMessage:
        GlobalFree(reinterpret_cast<HGLOBAL>(wParam));
        return 0;
    case WM_COMMAND:
        if (Frame_Command(frame, LOWORD(wParam), HIWORD(wParam), lParam))
            return 0;
        break;
    case WM_COPYDATA:
        return Frame_OnCopyData(frame, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_CLOSE:
        Frame_OnClose(frame);
        return 0;
    case WM_QUERYENDSESSION:
        return Frame_CloseEverything(frame) ? TRUE : FALSE;
    case WM_DESTROY:
        Frame_OnDestroy(frame);
        return 0;
    case WM_NCDESTROY:
        Frame_OnNcDestroy(frame);
        break;
    }
    return DefFrameProcA(frame, gMdiClient, message, wParam, lParam);
}

int Frame_RegisterClass(HINSTANCE instance) {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = ORVFrameWndProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, "APgmIcon");
    frameClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszMenuName = "ORVMENU";
    frameClass.lpszClassName = kFrameClassName;
    return RegisterClassA(&frameClass) != 0;
}

void Frame_UnregisterClass(HINSTANCE instance) {
    UnregisterClassA(kFrameClassName, instance);
}

HWND Frame_Create(HINSTANCE instance, const FramePlacement& placement) {
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (!placement.useDefault) {
        x = placement.x;
        y = placement.y;
        width = placement.width;
        height = placement.height;
    }
    HWND frame = CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClassName, kFrameTitle,
                                 WS_OVERLAPPEDWINDOW, x, y, width, height, NULL, NULL, instance,
                                 NULL);
    if (frame)
        gFrameState.createdRect = RectOf(frame);
    return frame;
}

FramePlacement Frame_PlacementFromSettings() {
    return Settings_FramePlacement(gSettings.window, GetSystemMetrics(SM_CXFULLSCREEN),
                                   GetSystemMetrics(SM_CYFULLSCREEN));
}

void Frame_PostOpen(HWND frame, const char* path) {
    gFrameState.openQueue.push_back(path);
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(IDM_OPEN_DIR, kOpenTakesQueuedPath), 0);
}

void Frame_SendOpen(HWND frame, const char* path) {
    gFrameState.openQueue.push_front(path);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDM_OPEN_DIR, kOpenTakesQueuedPath), 0);
}

int Frame_SendOpenToRunning(HWND runningFrame, const char* path) {
    COPYDATASTRUCT data = {};
    data.dwData = IDM_OPEN_DIR;
    data.cbData = static_cast<DWORD>(lstrlenA(path) + 1);
    data.lpData = const_cast<char*>(path);
    DWORD_PTR taken = 0;
    if (!SendMessageTimeoutA(runningFrame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, kHandOverTimeoutMs, &taken))
        return 0;
    return taken != 0;
}

std::string Frame_TakeQueuedPath(WORD code) {
    std::string path;
    if (code == kOpenTakesQueuedPath && !gFrameState.openQueue.empty()) {
        path = gFrameState.openQueue.front();
        gFrameState.openQueue.pop_front();
    }
    return path;
}

void Frame_NoteOpened(const std::string& path) {
    lstrcpynA(gFrameState.lastOpenPath, path.c_str(), kPathMax);
    gFrameState.openCount++;
}

int Frame_OpenCount() {
    return gFrameState.openCount;
}

const char* Frame_LastOpenPath() {
    return gFrameState.lastOpenPath;
}
