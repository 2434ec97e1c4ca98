// ORV's start-up, message loop and shutdown: WinMain runs them in order, and the GUI tests
// start the real frame through the same procedures.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE gInstance;
extern HWND gSplash;  // the start-up splash window; null while none is shown
extern HACCEL gAccel; // "ORVMENU"
// Set on the Windows 95 family: its dialogs keep the system's own look.
extern bool gPlainDialogs;
extern char gModulePath[MAX_PATH];

// The path a command line names: blanks around it and one pair of enclosing quotes removed (the
// shell quotes a path with spaces). Whole, however long: "&Open/Dir..." refuses a path too long
// for the program rather than open a shorter name that could be another file.
std::string Orv_PathFromCommandLine(const char* cmdLine);
// When ORV already runs, brings its frame to the top, shows it normally, hands it cmdLine to
// open (unless empty or two numbers) and returns 1: this start is then to end. 0 otherwise.
int Orv_HandOverToRunningInstance(const char* cmdLine);
// Installs the UI hooks, creates the engine, registers the classes, creates and shows the frame
// (setting gFrame and gMdiClient), loads the accelerators and posts the start-up commands.
// 1, or 0 when the program cannot start. Call Orv_Shutdown afterwards in either case.
int Orv_Startup(HINSTANCE instance, const char* cmdLine, int showCmd);
// The frame is being destroyed: deletes the drawing objects, unregisters the child classes and
// removes the added font. Safe to call more than once.
void Orv_Teardown();
// Runs until the quit message, then unregisters OrvMainClass. Returns the quit code.
int Orv_RunMessageLoop();
// Frees what start-up made; destroys the frame if it is still there. Safe to call more than once.
void Orv_Shutdown();
