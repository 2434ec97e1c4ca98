// ORV32.EXE's entry: one instance per desktop, then start-up, the message loop and shutdown.
#include <windows.h>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int showCmd) {
    if (Orv_HandOverToRunningInstance(cmdLine))
        return 0;
    if (Orv_Startup(instance, cmdLine, showCmd))
        Orv_RunMessageLoop();
    Orv_Shutdown();
    return 0;
}
