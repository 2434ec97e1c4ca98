// Removing directories from a directory window: the Delete Deep box (TREEBOX) for one that is
// not empty, and the Delete command when no file is selected.
#pragma once

#include <windows.h>

// The Delete Deep box for a directory: 0 when all of it was deleted, -1 otherwise (cancelled,
// a file kept or not deleted, or the directory could not be read).
int DelDeep_Run(HWND owner, const char* dir);
INT_PTR CALLBACK DelDeepDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Removes a directory for the window (a name typed into it, or the tree's own path when
// chosenInTree), the window following when it is gone. 1 when removed.
int DirWindow_RemoveDirectory(HWND dir, const char* path, bool chosenInTree);
// Delete with no file selected: the tree's directory when the tree has the focus, else the
// directory the "File Name:" box names; a file name or a pattern there is no directory, and
// "No selected file(s)." follows with the box showing the masks again.
void DirWindow_DeleteUnselected(HWND dir);
