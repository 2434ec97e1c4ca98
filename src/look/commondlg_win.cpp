#include "look/commondlg_win.h"

UINT_PTR CALLBACK CommonDlgHook(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
