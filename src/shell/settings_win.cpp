#include "shell/settings_win.h"

#include <windows.h>

#include "shell/settings.h"

namespace {

int Win_HasMouse() {
    return GetSystemMetrics(SM_MOUSEPRESENT) != 0;
}

OrvColor Win_NearestScreenColor(OrvColor color) {
    HDC screen = GetDC(NULL);
    COLORREF nearest = screen ? GetNearestColor(screen, color) : CLR_INVALID;
    if (screen)
        ReleaseDC(NULL, screen);
    return nearest == CLR_INVALID ? color : nearest;
}

} // namespace

void SettingsWin_InstallHooks() {
    static const SettingsHooks kWin32Hooks = {Win_HasMouse, Win_NearestScreenColor};
    Settings_SetHooks(&kWin32Hooks);
}
