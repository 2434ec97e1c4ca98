// The commands a search-results window carries out when it (or its list) has the focus.
#pragma once

#include <windows.h>

#include "shell/winkind_win.h"

// Copy, Deselect, Home and End on its list; "Save &As...", "&Edit", "&Launch..." and
// "&Delete..." of its selected entries. 1 when the command is one of these (done), 0 for the
// frame to carry out.
int Results_Command(HWND frame, const WindowTarget& target, WORD id);
