// The file view window (class OrvViewClass, an MDI child) and its title pane (OrvTitleClass).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam);
