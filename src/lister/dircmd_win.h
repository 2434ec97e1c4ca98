// The commands a directory window carries out when it (or a control in it) has the focus.
#pragma once

#include <windows.h>

#include "shell/winkind_win.h"

// Deselect, Home and End on its lists; "Save &As...", "&Edit", "&Launch...", "&Delete..." and
// "&Print..." of its selected files. 1 when the command is one of these (done), 0 for the frame
// to carry out.
int DirWindow_Command(HWND frame, const WindowTarget& target, WORD id);
