// The three small dialogs that change what a view shows: Go To Line (LINEBOX), Tab Stops
// (TABBOX) and Extended Char Handling (EXTCBOX). They act on the engine, which the focused view
// holds.
#pragma once

#include <windows.h>

#include <stdint.h>

INT_PTR CALLBACK GoLineDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TabDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExtcDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// target is the window that had the focus: a view moves the engine's top line, an editor its caret.
// 1 for "&Go", 0 for "&Cancel".
int ViewDlg_GoToLine(HWND owner, HWND target);
// *value in: the spacing shown; out: the spacing confirmed (1 or more). 1 for "&OK", 0 for
// "&Cancel".
int ViewDlg_TabStops(HWND owner, int32_t* value);
// 1 when "&OK" changed something, 0 otherwise.
int ViewDlg_SpecialChars(HWND owner);

// The line number Go To Line offers next (0: none yet).
int64_t ViewDlg_LastGoLine();
void ViewDlg_SetLastGoLine(int64_t line);
// The number typed into Go To Line: leading digits as the C library reads them, below 1 taken
// as 1, beyond the largest line number taken as END_LINE (the end of the file).
int64_t ViewDlg_ParseLineNumber(const char* text);
