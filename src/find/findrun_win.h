// The find of the program's find settings run in a file view or an editor: a new find started by
// the Find dialog, or "Find &Next".
#pragma once

#include <windows.h>

#include "find/editfind.h"
#include "shell/winkind_win.h"

// An editor's edit control as the editor find reaches it.
EditTarget FindRun_EditTarget(HWND edit);
// Before a find that starts from the top of the file: a view forgets its match and goes to its
// first line, an editor's caret to the start of the text.
void FindRun_StartAtTop(const WindowTarget& target);
// Runs a new find (repeat false) or Find Next in a view or an editor. 1 when something was found
// (a view is then repainted to show it), 0 otherwise.
int FindRun_Find(const WindowTarget& target, bool repeat);
