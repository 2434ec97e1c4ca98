// The file view window (class OrvViewClass, an MDI child) and its title pane (OrvTitleClass).
#pragma once

#include <windows.h>

#include <stdint.h>

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a file in a new view that starts at topLine (1 for the top of the file) and gets the
// focus. Null when no view was made (the file cannot be read, or the user cancelled).
HWND View_OpenFile(const char* path, int64_t topLine = 1);
// The full path of the file a view shows; "" for a window that is not a view.
const char* View_Path(HWND view);
// The first line a view shows (1 for a window that is not a view).
int64_t View_TopLine(HWND view);
// Closes a view the way its own close does. closedByUser lets the focus go to the directory
// window of the same drive.
void View_Close(HWND view, bool closedByUser);
// Closes every view that shows this file (before the file is deleted).
void View_CloseViewsOf(const char* path);
// The process-wide "Vert S&croll Bar" flag changed: the view takes it and lays itself out again.
void View_ApplyScrollBarFlag(HWND view);
