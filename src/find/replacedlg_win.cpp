#include "find/replacedlg_win.h"

#include "editor/editwnd_win.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/startup_win.h"

INT_PTR CALLBACK ReplaceDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDYES:
        case IDNO:
        case IDC_REPLACE_ALL:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

// Owned by the editor being changed: the Find dialog that had the focus is closed by now.
int ReplaceDlg_Ask() {
    HWND owner = Editor_Current();
    INT_PTR answer = DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "ReplaceDlg",
                                     owner ? owner : GetFocus(), ReplaceDlg, 0);
    return answer == IDYES || answer == IDNO || answer == IDC_REPLACE_ALL ? (int)answer
                                                                          : IDCANCEL;
}
