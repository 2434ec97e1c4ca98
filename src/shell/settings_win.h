// The Win32 side of the settings store's hooks (settings.h).
#pragma once

// Points the store at the mouse and the screen: a bar needs a mouse to be clicked, and the
// backgrounds painted with solid brushes take the nearest colour the screen can show.
void SettingsWin_InstallHooks();
