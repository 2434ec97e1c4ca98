#include "shell/startup_win.h"

#include "lister/dirwnd_win.h"

#include <stdio.h>
#include <string.h>

#include "search/resultswnd_win.h"
#include "lister/dirwnd_win.h"
#include "lister/fileops.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/help_win.h"
#include "shell/helpwnd_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/settings_win.h"
#include "shell/splash_win.h"
#include "platform/uiseam.h"
#include "shell/uiseam_win.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

HINSTANCE gInstance = NULL;
HWND gSplash = NULL;
HACCEL gAccel = NULL;
bool gPlainDialogs = false;
char gModulePath[MAX_PATH];

namespace {

bool gEngineCreated = false;
bool gClassesRegistered = false;
char gAddedFontPath[MAX_PATH]; // "" when no font file was added

const char kScreenFontFile[] = "vga128.fon";

// The Windows 95 family shows its dialogs in its own 3-D look: they are not coloured there.
bool PlainDialogPlatform() {
    DWORD version = GetVersion();
    return (version & 0x80000000u) && LOBYTE(LOWORD(version)) >= 4;
}

// The optional screen font beside the program, else along the search path. It is added for
// this process only: telling every other window of a new font could hang on a program that
// does not answer.
void AddScreenFont() {
    gAddedFontPath[0] = 0;
    char path[MAX_PATH];
    lstrcpynA(path, gModulePath, MAX_PATH);
    char* slash = strrchr(path, '\\');
    bool found = false;
    if (slash && (slash - path) + 1 + sizeof kScreenFontFile <= MAX_PATH) {
        lstrcpyA(slash + 1, kScreenFontFile);
        found = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }
    if (!found) {
        char* name = nullptr;
        found = SearchPathA(NULL, kScreenFontFile, NULL, MAX_PATH, path, &name) > 0;
    }
    if (found && AddFontResourceExA(path, FR_PRIVATE, NULL) > 0)
        lstrcpynA(gAddedFontPath, path, MAX_PATH);
}

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
    if (gSettings.buttonBar) {
        // The command shows the bar and sets the option again.
        gSettings.buttonBar = 0;
        PostMessageA(gFrame, WM_COMMAND, IDM_BUTTON_BAR, 0);
    }
    const bool given = cmdLine && cmdLine[0];
    if (given && !IsTwoNumbers(cmdLine))
        Frame_PostOpen(gFrame, cmdLine);
    else if (gSettings.autoOpen)
        Frame_PostOpen(gFrame, ""); // the current drive's directory window
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

// A file deleted "with continue afterwards" leaves the frame to open the next file, or the
// directory, when its window was the last one.
void InstallFileOpsHooks() {
    FileOpsHooks hooks = {};
    // The last view of the file closing must not open the next file before the file is gone.
    hooks.closeViewsOf = [](const char* path) {
        Frame_HoldAutoOpen(true);
        View_CloseViewsOf(path);
        Frame_HoldAutoOpen(false);
    };
    hooks.fileDeleted = [](const char* path, uint64_t size) {
        Results_FileDeleted(path);
        DirWindows_FileDeleted(path, size);
    };
    hooks.autoOpen = [] {
        if (gFrame)
            Frame_AutoOpen(gFrame, false);
    };
    FileOps_SetHooks(&hooks);
}

} // namespace

std::string Orv_PathFromCommandLine(const char* cmdLine) {
    if (!cmdLine)
        return "";
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
    return std::string(start, (size_t)(end - start));
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
    gPlainDialogs = PlainDialogPlatform();
    // ORV tells the user itself when a file or drive cannot be opened.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!GetModuleFileNameA(NULL, gModulePath, MAX_PATH))
        gModulePath[0] = 0;
    UiWin_InstallHooks();
    SettingsWin_InstallHooks();
    InstallFileOpsHooks();
    Settings_EnsureFile();
    Settings_Load();

    DrawObjects_Create();
    if (!Classes_Register(instance))
        return 0;
    gClassesRegistered = true;
    DrawObjects_LoadBitmaps(instance);
    AddScreenFont();

    const FramePlacement placement = Frame_PlacementFromSettings();
    if (!Frame_Create(instance, placement))
        return 0;
    DrawObjects_CreateBarFace();
    Splash_Show(instance, gFrame);
    ControlBar_Create(instance, gFrame);
    ShowWindow(gFrame, placement.maximised ? SW_SHOWMAXIMIZED : showCmd);
    UpdateWindow(gFrame);
    Menu_AdjustAtStartup(gFrame);
    Menu_ApplyState(gFrame, NULL);
    DrawObjects_LoadCursors(instance);

    // Sizes from the INI that cannot be had give way to the defaults (said once); a failure
    // even then is reported by the first LockSharedBlocks, inside the loop.
    Engine_CreateFitting(&gEngine, &gSettings.memory);
    gEngineCreated = true;
    gAccel = LoadAcceleratorsA(instance, "ORVMENU");
    if (!Fonts_Load())
        return 0;
    PostStartupCommands(cmdLine);
    return 1;
}

void Orv_Teardown() {
    Help_Quit();
    DrawObjects_DeleteAll();
    if (gClassesRegistered) {
        Classes_UnregisterChildren(gInstance);
        gClassesRegistered = false;
    }
    if (gAddedFontPath[0]) {
        RemoveFontResourceExA(gAddedFontPath, FR_PRIVATE, NULL);
        gAddedFontPath[0] = 0;
    }
}

int Orv_RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!LockForDispatch())
            continue;
        if (HelpWnd_IsKeyForIt(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (gMdiClient && TranslateMDISysAccel(gMdiClient, &msg))
            continue;
        if (Frame_TranslateGreyedKeys(&msg))
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
    Orv_Teardown(); // when start-up failed before the frame was there to be destroyed
    if (gEngineCreated) {
        Engine_Destroy(&gEngine);
        gEngineCreated = false;
    }
    gAccel = NULL;
    Fonts_Free();
    Ui_SetHooks(nullptr);
    Settings_SetHooks(nullptr);
    FileOps_SetHooks(nullptr);
}
