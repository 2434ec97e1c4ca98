// The rules the editor and results windows share as MDI children of the frame that are each
// filled by one control: where the focus goes when they get it, and how a close from their own
// system menu reaches the frame.
#pragma once

#include <windows.h>

// The child has the focus: Find on the control bar is offered when the child's text can be
// searched (findable), the child becomes the current one of its kind (becomeCurrent also sets
// the menus for it), and the keys go on to its control (none while the control is not there).
void MdiChild_TakeFocus(HWND child, HWND control, bool findable, void (*becomeCurrent)(HWND));
// Closed from its own system menu, a child is closed by the frame instead, so that the frame's
// bookkeeping for the last window (menus, the queue, "AutoOpen") runs; the frame hides what it
// closes. True when the close went to the frame: the child answers WM_CLOSE with 0 and stays.
bool MdiChild_CloseThroughFrame(HWND child);
