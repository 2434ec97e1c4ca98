// "Save Options" (SAVEBOX): which groups of settings "Save Settings &Now..." writes.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SaveOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the dialog over owner; "&Window position" saves frame's rectangle. 1 when the user
// pressed "&OK" (the settings were written, or the user was told they could not be), 0 when
// cancelled.
int SaveOpts_Run(HWND owner, HWND frame);
