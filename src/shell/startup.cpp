#include "shell/startup.h"

#include <stdio.h>
#include <string.h>

#include "look/fonts_win.h"
#include "resources/resource.h"
#include "shell/frame.h"
#include "shell/settings.h"
#include "shell/settings_win.h"
#include "shell/uiseam.h"
#include "shell/uiseam_win.h"
#include "viewer/engine.h"

HINSTANCE gInstance = NULL;
HWND gSplash = NULL;
HACCEL gAccel = NULL;

namespace {

bool gEngineCreated = false;

// A command line of two numbers (as a launcher may pass) names nothing to open.
bool IsTwoNumbers(const char* text) {
    int first = 0;
    int second = 0;
    return sscanf(text, "%d %d", &first, &second) == 2;
}

bool NamesSomethingToOpen(const char* cmdLine) {
    return cmdLine && cmdLine[0] && !IsTwoNumbers(cmdLine);
}

// What the loop runs once the frame is up, posted so that it runs inside the loop.
void PostStartupCommands(const char* cmdLine) {
    if (gSettings.autoSaveOptions)
        CheckMenuItem(GetMenu(gFrame), IDM_SAVE_ON_EXIT, MF_BYCOMMAND | MF_CHECKED);
    if (NamesSomethingToOpen(cmdLine))
        Frame_PostOpen(gFrame, cmdLine);
}

// Every message is dispatched with the engine's shared blocks in place. False when the message
// must not be dispatched: the engine has taken the fatal exit.
bool LockForDispatch() {
    int postScriptOk = 1;
    if (!LockSharedBlocks(&gEngine, &postScriptOk))
        return false;
    if (!postScriptOk)
        EnableMenuItem(GetMenu(gFrame), IDM_POSTSCRIPT, MF_BYCOMMAND | MF_GRAYED);
    return true;
}

} // namespace

void Orv_PathFromCommandLine(const char* cmdLine, char* path, int size) {
    if (size <= 0)
        return;
    path[0] = 0;
    if (!cmdLine)
        return;
    const char* start = cmdLine;
    while (*start == ' ' || *start == '\t')
        start++;
    const char* end = start + lstrlenA(start);
    while (end > start && (end[-1] == ' ' || end[-1] == '\t'))
        end--;
    if (end - start >= 2 && *start == '"' && end[-1] == '"') {
        start++;
        end--;
    }
    int length = (int)(end - start) < size - 1 ? (int)(end - start) : size - 1;
    memcpy(path, start, (size_t)length);
    path[length] = 0;
}

int Orv_HandOverToRunningInstance(const char* cmdLine) {
    HWND running = FindWindowA(kFrameClassName, NULL);
    if (!running)
        return 0;
    SetForegroundWindow(running);
    BringWindowToTop(running);
    ShowWindow(running, SW_SHOWNORMAL);
    if (NamesSomethingToOpen(cmdLine))
        Frame_SendOpenToRunning(running, cmdLine);
    return 1;
}

int Orv_Startup(HINSTANCE instance, const char* cmdLine, int showCmd) {
    gInstance = instance;
    // ORV tells the user itself when a file or drive cannot be opened.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    UiWin_InstallHooks();
    SettingsWin_InstallHooks();
    Settings_EnsureFile();
    Settings_Load();

    if (!Frame_RegisterClass(instance))
        return 0;
    const FramePlacement placement = Frame_PlacementFromSettings();
    if (!Frame_Create(instance, placement))
        return 0;
    ShowWindow(gFrame, placement.maximised ? SW_SHOWMAXIMIZED : showCmd);
    UpdateWindow(gFrame);

    // A failure here is reported by the first LockSharedBlocks, inside the loop.
    Engine_Create(&gEngine, gSettings.memory);
    gEngineCreated = true;
    gAccel = LoadAcceleratorsA(instance, "ORVMENU");
    if (!Fonts_Load())
        return 0;
    PostStartupCommands(cmdLine);
    return 1;
}

int Orv_RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!LockForDispatch())
            continue;
        if (gMdiClient && TranslateMDISysAccel(gMdiClient, &msg))
            continue;
        if (gFrame && gAccel && TranslateAcceleratorA(gFrame, gAccel, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Frame_UnregisterClass(gInstance);
    return static_cast<int>(msg.wParam);
}

void Orv_Shutdown() {
    if (gFrame)
        DestroyWindow(gFrame);
    // The quit message a destroyed frame leaves behind must not end a later loop (the GUI tests
    // start the frame again in the same thread).
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    }
    Frame_UnregisterClass(gInstance);
    if (gEngineCreated) {
        Engine_Destroy(&gEngine);
        gEngineCreated = false;
    }
    gAccel = NULL;
    Fonts_Free();
    Ui_SetHooks(nullptr);
    Settings_SetHooks(nullptr);
}
