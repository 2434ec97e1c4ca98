// The commands a file view carries out on its file as a whole, besides its own (View_Command).
#pragma once

#include <windows.h>

// "&Delete..." of the viewed file, "Save &As..." of the selection, "&Edit" (the view becomes an
// editor) and "&Launch..." of the viewed file. 1 when the command is one of these (done), 0 for
// the frame to carry out.
int View_FileCommand(HWND frame, HWND view, WORD id);
