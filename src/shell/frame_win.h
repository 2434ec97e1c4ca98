// The MDI frame window: ORVFrameWndProc, class OrvMainClass, its MDI client, and the hand-over
// of a path from a second start of the program.
#pragma once

#include <windows.h>

#include <string>

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
// Queues path for "&Open/Dir..." ahead of any posted one and carries the command out at once.
void Frame_SendOpen(HWND frame, const char* path);
// Gives path to the frame of an ORV already running in another process, which then opens it.
// 1 when the frame took it.
int Frame_SendOpenToRunning(HWND runningFrame, const char* path);
// The path the last "&Open/Dir..." was given; "" when none was.
const char* Frame_LastOpenPath();
// How many "&Open/Dir..." commands the frame has carried out.
int Frame_OpenCount();

// The frame frees the global memory block given as the first parameter: a block handed over
// with a posted message is freed once the message has been taken.
constexpr UINT kFrameFreeBlockMessage = WM_USER + 17;

// The current directory specification: what the last directory window or dropped file set,
// "" when none; "&Open/Dir..." without a path opens it.
extern char gCurrentDirSpec[MAX_PATH];
// Set when the current view's file may have changed while ORV was in the background (or when
// no view was current then): the view reads its file again when it next comes up.
extern bool gViewFileChanged;

// ---- Shared by the frame's files (frame_win, framecmd_win, framemsg_win, mdichild_win) ----------

// The frame's commands: 1 when the command was the frame's own or went to its kind of window;
// 0 for the default frame processing (the window list, the active child's system menu).
int Frame_Command(HWND frame, WORD id, WORD code, LPARAM lParam);
// Keys whose menu item is greyed still act for two commands: F3 asks for something to find
// when there is nothing to find again, and Ctrl+E turns an editor back into a view. The system's
// accelerators drop keys of greyed items, so the message loop offers each key here first.
bool Frame_TranslateGreyedKeys(const MSG* msg);
// The command the frame last carried out (after the greyed-item rules; 0 when one was dropped).
WORD Frame_LastCommand();
// The path an "&Open/Dir..." command carries ("" for none), whole.
std::string Frame_TakeQueuedPath(WORD code);
// Records a path "&Open/Dir..." took (Frame_LastOpenPath, Frame_OpenCount).
void Frame_NoteOpened(const std::string& path);
// Lays the MDI client out below the control bar when the bar is shown.
void Frame_Layout(HWND frame);
// The frame's menu has the item and it is not greyed.
bool Frame_ItemEnabled(HWND frame, UINT id);

// ---- The MDI children (mdichild_win.cpp) --------------------------------------------------------

// The active MDI child, or null.
HWND Frame_ActiveChild();
// "PreviousFile" applied to a child (null: the active one) before another is opened or picked:
// closed, minimised or left.
void Frame_BeforeOpening(HWND child);
// Closes a child (never the frame or its MDI client); the child's own procedure may refuse.
// 1 when it is gone, 0 when it stayed.
int Frame_CloseChild(HWND child, bool activateNeighbour);
// Set while a command walks a list of files, opening or closing a window for each: the windows
// are then arranged once, at the end, rather than once per window.
void Frame_BeginWalk();
void Frame_EndWalk();
// Tiles the children when new windows are tiled ("NextFile"), unless a walk is under way.
void Frame_TileIfAsked();
// A child was minimised or closed: the others are tiled again once the message is done, when
// new windows are tiled.
void Frame_RetileLater();
// A minimised child opened again takes its place as a new window does: tiled or maximised.
void Frame_PlaceReopened(HWND child);
// Creates an MDI child of one of the program's classes, placed by "NextFile": maximised,
// tiled with the others, or cascaded; createParam reaches the child's WM_CREATE as the MDI
// creation's lParam. Null on failure.
HWND Frame_NewChild(const char* className, const char* title, LPARAM createParam = 0);
// Closes every editor, stopping at the first that refuses: 1 when all are gone.
int Frame_CloseEditors();
// With "AutoOpen", a frame with no child left opens the next pending file or the current drive.
void Frame_AutoOpen(HWND frame, bool restoring);
// Holds the auto-open rule off while a command closes windows one after another.
void Frame_HoldAutoOpen(bool hold);
// The Window menu's commands and "&Close", "Close A&ll": closing, arranging, restoring and
// stepping through the children. 1 when the command is one of these (done), else 0.
int Frame_ChildCommand(WORD id, LPARAM lParam);
// Ctrl+F6, Ctrl+Tab and "Next" of a maximised child's system menu reach the frame only as the
// MDI client's next-window request: the frame watches the client for it, from the client's
// birth, and a new frame forgets the last one's client.
void Frame_WatchClient(HWND client);
void Frame_ForgetClient();
