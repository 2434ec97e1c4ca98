// The commands an editor carries out when it (or its edit control) has the focus, and "&Save".
#pragma once

#include <windows.h>

// Undo, Cut, Copy, Paste, Deselect, Home and End in its edit control; "Ta&bs...", "Save
// &As...", "&Delete..." of its file and "&Edit" (back to a view). 1 when the command is one of
// these (done), 0 for the frame to carry out.
int Editor_Command(HWND frame, HWND editor, WORD id);
// "&Save": the editor that last had the focus writes its file; a new one asks for a name.
void Editor_SaveCurrent();
