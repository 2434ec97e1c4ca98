// Help: the help file "orv.hlp" opened at a context number, for the Help menu, the Help buttons
// of dialogs and F1 on a highlighted menu item.
#pragma once

#include <windows.h>

// Help for the menu item with this command number (F1 while it is highlighted).
void Help_ForMenuItem(UINT id);
// Help at a context number, for a dialog's "&Help" button.
void Help_ForTopic(HWND owner, UINT topic);
// The last topic a dialog asked for (0 for none).
UINT Help_LastTopic();
// The command number of the last menu help asked for, and how many were asked for since
// start-up.
UINT Help_LastMenuItem();
int Help_MenuRequestCount();
