// The "Find" dialog (FINDBOX) and, behind its "&More..." button, "Advanced Find" (ADVFINDBOX).
#pragma once

#include <windows.h>

#include <string>

enum FindDlgUse {
    kFindDlgFind,     // a find in the view or editor that has the focus
    kFindDlgFindMore, // the same, with "&More..." pressed at once
    kFindDlgCriteria, // the disk search's containing string: the settings only, no find
};

INT_PTR CALLBACK FindDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AdvFindDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows "Find". 1 when a find was started and found something (for the criteria, when the
// settings were taken), 0 on Cancel or when the focus is on no view or editor.
int FindDlg_Run(HWND owner, FindDlgUse use);
// The selection of a view or editor that the find string starts with: one line of at most 79
// characters. False when there is none.
bool FindDlg_SelectionText(HWND window, std::string* text);
