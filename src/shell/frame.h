// The MDI frame window: ORVFrameWndProc, class OrvMainClass, its MDI client, and the hand-over
// of a path from a second start of the program.
#pragma once

#include <windows.h>

#include "shell/settings.h"

constexpr char kFrameClassName[] = "OrvMainClass";
constexpr char kFrameTitle[] = "ORV";
constexpr int kWindowMenuPosition = 5; // "&Window", the sixth top-level menu of "ORVMENU"

extern HWND gFrame; // null until the frame is created and after it is gone
extern HWND gMdiClient;

LRESULT CALLBACK ORVFrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// 1, or 0 when OrvMainClass could not be registered.
int Frame_RegisterClass(HINSTANCE instance);
void Frame_UnregisterClass(HINSTANCE instance);
// Where "Window" places the frame on this screen.
FramePlacement Frame_PlacementFromSettings();
// Creates the frame with its MDI client at the placement, not yet shown, and records its
// rectangle for the exit save. Null on failure.
HWND Frame_Create(HINSTANCE instance, const FramePlacement& placement);

// Queues path for "&Open/Dir..." and posts the command to the frame, which takes the oldest
// queued path when the command arrives.
void Frame_PostOpen(HWND frame, const char* path);
// Gives path to the frame of an ORV already running in another process, which then opens it.
// 1 when the frame took it.
int Frame_SendOpenToRunning(HWND runningFrame, const char* path);
// The path the last "&Open/Dir..." was given; "" when none was.
const char* Frame_LastOpenPath();
// How many "&Open/Dir..." commands the frame has carried out.
int Frame_OpenCount();
