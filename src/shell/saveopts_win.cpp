#include "shell/saveopts_win.h"

#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

namespace {

// The check boxes in the order of the groups they save.
const int kGroupBoxes[kSaveGroups] = {IDC_SAVE_VIEW,  IDC_SAVE_OPERATIONAL, IDC_SAVE_PRINT_PAGE,
                                      IDC_SAVE_DISKS, IDC_SAVE_FILE_OPEN,   IDC_SAVE_WINDOW,
                                      IDC_SAVE_NAMES};

struct SaveOptsRecord {
    HWND frame; // whose rectangle "&Window position" saves; may be null
};

void SaveOpts_OnInit(HWND dialog, SaveOptsRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    for (int box : kGroupBoxes)
        CheckDlgButton(dialog, box, BST_CHECKED);
}

void SaveOpts_OnOk(HWND dialog) {
    const SaveOptsRecord* record =
        reinterpret_cast<const SaveOptsRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    int32_t checked[kSaveGroups];
    for (int group = 0; group < kSaveGroups; group++)
        checked[group] = IsDlgButtonChecked(dialog, kGroupBoxes[group]) == BST_CHECKED;
    RECT rect;
    WindowRect frame;
    const WindowRect* frameRect = nullptr;
    if (record && record->frame && GetWindowRect(record->frame, &rect)) {
        frame = {rect.left, rect.top, rect.right, rect.bottom};
        frameRect = &frame;
    }
    Settings_SaveOptions(checked, frameRect); // a failed write has told the user itself
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK SaveOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SaveOpts_OnInit(dialog, reinterpret_cast<SaveOptsRecord*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            SaveOpts_OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int SaveOpts_Run(HWND owner, HWND frame) {
    SaveOptsRecord record = {frame};
    INT_PTR result = DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "SaveBox",
                                     owner, SaveOptsDlg, reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}
