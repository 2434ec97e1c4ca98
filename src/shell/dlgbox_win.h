// What the program's dialog procedures ask of every dialog: the instance its template comes
// from, and its check boxes as true or false.
#pragma once

#include <windows.h>

#include "shell/startup_win.h"

// The program's instance, or the module's own before start-up has set it (the GUI tests).
inline HINSTANCE Dlg_Instance() {
    return gInstance ? gInstance : GetModuleHandleA(NULL);
}

inline bool Dlg_Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline void Dlg_Check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
