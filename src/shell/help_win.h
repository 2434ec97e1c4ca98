// Help: ORV's own help window on the topics of "orv.hlp", for the Help menu, the Help buttons
// of dialogs and F1 on a highlighted menu item. Every request passes through here, so tests see
// what was asked for.
#pragma once

#include <windows.h>

// Help at a context number: the help window shows that topic, and help counts as used.
void Help_Show(HWND owner, UINT context);
// Help for the menu item with this command number (F1 while it is highlighted): its topic, or
// "No help available." for an item without one.
void Help_ForMenuItem(UINT id);
// Help at a context number, for a dialog's "&Help" button.
void Help_ForTopic(HWND owner, UINT topic);
// "&Using Help": how the help window itself is used.
void Help_UsingHelp(HWND owner);
// The help window is closed at teardown if help was used during the run.
void Help_Quit();
bool Help_WasUsed();

// The last context asked for by any of the above (0 for none).
UINT Help_LastTopic();
// The command number of the last menu help asked for, and how many were asked for since
// start-up.
UINT Help_LastMenuItem();
int Help_MenuRequestCount();
// The help file: "orv.hlp" beside the program when it is there, else the bare name. Tests give
// another path (null: back to the program's own).
const char* Help_FilePath();
void Help_SetFileForTests(const char* path);
