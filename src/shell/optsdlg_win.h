// The shell's option dialogs of the Options menu - "File Open Options" (FILEOPTIONSBOX),
// "Options" (OPTSBOX), "Default File Names" (DEFNAMESBOX) - the About box (ABOUTBOXSHARE),
// and the frame's Options and Help commands that open them.
#pragma once

#include <windows.h>

INT_PTR CALLBACK FileOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DefOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when "&OK" changed any of the five file-handling switches, else 0.
int FileOptsDlg_Run(HWND owner);
// 1 for "&OK" (the menu's Launch and Delete texts follow), 0 for "&Cancel".
int OptsDlg_Run(HWND owner);
// 1 for "&OK" (directory windows repainted with the new masks), 0 for "&Cancel" or when the
// masks are not in memory ("Not enough memory").
int DefOptsDlg_Run(HWND owner);
void About_Run(HWND owner);

// Commands 100, 250, 251, 253, 254 and 300 to 303. false for any other.
bool Options_Command(HWND frame, WORD id);
