// "Page Se&tup...": the margins, the header and the footer.
#pragma once

#include <windows.h>

INT_PTR CALLBACK PrnPageDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows "PageBox" owned by owner; 1 after OK, 0 after Cancel.
int PageSetup_Run(HWND owner);
