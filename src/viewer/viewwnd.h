// The file view window (class OrvViewClass, an MDI child) and its title pane (OrvTitleClass).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a file view on a file that can be read: until the view shows files it is an empty
// window titled with the file's path. Null when the file cannot be read.
HWND View_OpenFile(const char* path);
