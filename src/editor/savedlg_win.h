// The system's Save As dialog as the editor and the lists ask for a name.
#pragma once

#include <windows.h>

// Asks for a name, proposing `proposed` (a bare name starts where the last directory window
// listed). Always asks before an existing file is replaced, and gives the long name. 1 and
// the full path in name; 0 when the user cancelled.
int SaveDlg_AskName(HWND owner, const char* proposed, char* name, int nameSize);
