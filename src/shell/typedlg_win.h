// "Settings by Type" (TYPESBOX): the file types' editor, opened by "File &Types..." (255).
#pragma once

#include <windows.h>

INT_PTR CALLBACK TypeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 for "&OK", 0 for "&Cancel".
int TypeDlg_Run(HWND owner);
