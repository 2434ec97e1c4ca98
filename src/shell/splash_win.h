// The start-up splash: the program icon, "ORV File Utility", a few lines of credit and
// "Initializing...", centred on the frame until the first view paints or a second passes
// after the first window was made (or after start-up, without "AutoOpen").
#pragma once

#include <windows.h>

constexpr UINT_PTR kSplashTimer = 1222;
constexpr UINT kSplashTimeoutMs = 1000;

LRESULT CALLBACK ORVSplashWndProc(HWND splash, UINT message, WPARAM wParam, LPARAM lParam);

// Where the splash stands over a frame with this window rectangle, for text whose widest line
// and line height are given, under an icon of this height.
RECT Splash_Placement(const RECT& frame, int widestLine, int lineHeight, int iconHeight);
// Shows the splash over the frame (gSplash); starts the timer that removes it when "AutoOpen"
// is off. Nothing happens when it cannot be made.
void Splash_Show(HINSTANCE instance, HWND frame);
// Starts the timer that removes the splash, unless it runs already (a view or a directory
// window made while the splash is up).
void Splash_StartTimer(HWND frame);
// Removes the splash and its timer, if they are there.
void Splash_Dismiss(HWND frame);
