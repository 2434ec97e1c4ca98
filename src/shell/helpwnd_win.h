// ORV's help window (class OrvHelpClass): one topic of orv.hlp at a time, with its links, the
// Index, Commands, Procedures and Using Help buttons, and Back.
#pragma once

#include <windows.h>

#include <stdint.h>

// Shows the topic of the context, opening the window (and reading the file) when it is not up.
// A missing or damaged file, or a context it has no topic for, is said in a message box and
// nothing is shown. 1 when the topic is shown.
int HelpWnd_Show(HWND owner, const char* path, uint32_t context);
void HelpWnd_Close();
// Keys typed in the help window are its own: the program's loop gives them to it before the
// frame's accelerators can take them.
bool HelpWnd_IsKeyForIt(const MSG* msg);

// What the window shows, for tests: the window (null when none), its topic, its focused link
// (-1 for none) and the first line shown.
HWND HelpWnd_Window();
uint32_t HelpWnd_Context();
int HelpWnd_FocusedLink();
int HelpWnd_TopLine();
// A point of the client area inside link number `link`, when a line of it is shown.
bool HelpWnd_LinkSpot(int link, POINT* at);
// As on a system without a hand cursor (LoadCursor(NULL, IDC_HAND) gives NULL).
void HelpWnd_HideHandCursorForTests(bool hide);
