// Save As of a results list: the selected entries written to a file the user names in the
// system's Save As dialog.
#pragma once

#include <windows.h>

#include <stddef.h>

// Asks for a name (proposed "untitled.txt") and writes text there. 1 when written; 0 when the
// user cancelled or the write failed (after telling the user; the named file is as it was).
int ListSave_AskAndWrite(HWND owner, const char* text, size_t length);
// Writes text to path so that no failure can leave the file half written: the text goes to a
// new file beside it, which then takes the old file's place. 1, or 0 after telling the user
// ("Could not open the file for writing.", "Unsuccessful file write.").
int ListSave_WriteFile(const char* path, const char* text, size_t length);

// Tests make the next writes fail after this many bytes (-1: writes succeed again).
void ListSave_FailWritesForTests(long long afterBytes);
