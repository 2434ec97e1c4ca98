// The prompt of an editor's replace run: "Replace?" with Yes, No, All and Cancel.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ReplaceDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows REPLACEDLG owned by the editor being changed (else the window with the focus): IDYES,
// IDNO, IDC_REPLACE_ALL or IDCANCEL (also when it is closed, or cannot be shown).
int ReplaceDlg_Ask();
