// The Match box (MATCHBOX): what to do with one file the disk search found.
#pragma once

#include <windows.h>

// What ShowMatchBox answers, numbered as the disk search takes them.
enum MatchAnswer {
    kMatchView = 6,
    kMatchSkip = 7,
    kMatchErase = 883,
    kMatchLaunch = 885,
    kMatchEdit = 886,
    kMatchCancel = 2,
};
constexpr int kMatchDefaultSkip = 256; // Skip, not View, has the first focus

// Shows the box for the file: a kMatch* answer. Launch launches the file once the box has
// closed (through the Launch box when "ConfirmLaunch" is on). viewAll: the disk search views
// every match, so the answer is View without a box.
int ShowMatchBox(HWND owner, const char* path, int defaultButton, bool viewAll);
INT_PTR CALLBACK MatchDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
