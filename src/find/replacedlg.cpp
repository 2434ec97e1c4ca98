#include "find/replacedlg.h"

#include "resources/resource.h"

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
    return FALSE;
}

int ReplaceDlg_Ask() {
    INT_PTR answer =
        DialogBoxParamA(GetModuleHandleA(NULL), "ReplaceDlg", GetFocus(), ReplaceDlg, 0);
    return answer == IDYES || answer == IDNO || answer == IDC_REPLACE_ALL ? (int)answer
                                                                          : IDCANCEL;
}
