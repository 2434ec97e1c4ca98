// ORV32.EXE's entry: one instance per desktop, then start-up, the message loop and shutdown.
#include <windows.h>

#include "shell/startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int showCmd) {
    const std::string path = Orv_PathFromCommandLine(cmdLine);
    if (Orv_HandOverToRunningInstance(path.c_str()))
        return 0;
    if (Orv_Startup(instance, path.c_str(), showCmd))
        Orv_RunMessageLoop();
    Orv_Shutdown();
    return 0;
}
