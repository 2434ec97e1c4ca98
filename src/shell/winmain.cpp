// ORV32.EXE's entry: one instance per desktop, then start-up, the message loop and shutdown.
#include <windows.h>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int showCmd) {
    // Room for a path and then some, so that a too-long path still arrives cut, not dropped.
    char path[2 * MAX_PATH];
    Orv_PathFromCommandLine(cmdLine, path, sizeof path);
    if (Orv_HandOverToRunningInstance(path))
        return 0;
    if (Orv_Startup(instance, path, showCmd))
        Orv_RunMessageLoop();
    Orv_Shutdown();
    return 0;
}
