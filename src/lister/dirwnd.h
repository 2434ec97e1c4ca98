// The directory window (class OrvDirClass, an MDI child), its disk bar (OrvDiskClass) and its
// splitter (OrvSplitClass).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a directory window on a directory specification (a directory and its mask): until the
// window lists directories it is an empty window titled with the drive root. Null on failure.
HWND DirWindow_Open(const char* spec);
// The directory window whose tree is rooted at this drive root, or null.
HWND DirWindow_FindForRoot(const char* root);
// The window's file list (null for a window that is not a directory window).
HWND DirWindow_FileList(HWND dir);
// The directory the window lists, ending in a separator ("" when it lists none).
const char* DirWindow_Directory(HWND dir);
