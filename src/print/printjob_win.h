// Printing the focused window: a file view, an editor or a results list.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/winkind_win.h"

// "&Print..." (IDM_PRINT, with the print dialog) and IDM_PRINT_NOW (the saved printer, all of
// it, no dialog) for the window target holds. 1 printed, 0 not.
int Print_Window(HWND frame, WORD id, const WindowTarget& target);
// A directory window's selected files, each opened in a view and printed in turn.
void Print_Files(HWND frame, const std::vector<std::string>& paths);

INT_PTR CALLBACK AbortDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CALLBACK AbortProc(HDC dc, int error);

// Tests see each row's text as it is drawn (empty: stop watching).
void Print_WatchRowsForTests(std::function<void(const std::string& row)> watch);
