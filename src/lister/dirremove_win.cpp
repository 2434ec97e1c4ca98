#include "lister/dirremove_win.h"

#include <string>

#include "lister/dirremove.h"
#include "lister/dirwnd_win.h"
#include "lister/fileops.h"
#include "lister/pathclass.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

namespace {

struct DelDeepRecord {
    const char* dir;
    DirTree tree; // the directory's whole subtree, the box's own
};

DelDeepRecord* RecordOf(HWND dialog) {
    return reinterpret_cast<DelDeepRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL DelDeepDlg_OnInit(HWND dialog, DelDeepRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    if (!DeleteDeep_Read(&record->tree, record->dir)) {
        EndDialog(dialog, -1);
        return TRUE;
    }
    const bool confirm = gDeleteDeepConfirmEach || gSettings.confirmDelete == 1;
    CheckDlgButton(dialog, IDC_DELDEEP_CONFIRM, confirm ? BST_CHECKED : BST_UNCHECKED);
    // Cancel is the safe answer: Enter must not delete a whole tree.
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    return FALSE;
}

void DelDeepDlg_OnDelete(HWND dialog, DelDeepRecord* record) {
    gDeleteDeepConfirmEach = IsDlgButtonChecked(dialog, IDC_DELDEEP_CONFIRM) == BST_CHECKED;
    const int result = DeleteDeep_Run(&record->tree, gDeleteDeepConfirmEach);
    DirTree_Release(&record->tree);
    EndDialog(dialog, result);
}

int RunDeleteDeep(void* context, const char* dir) {
    return DelDeep_Run(static_cast<HWND>(context), dir);
}

void DirectoryRemoved(void* context, const char* dir) {
    DirWindow_DirectoryRemoved(static_cast<HWND>(context), dir);
}

} // namespace

INT_PTR CALLBACK DelDeepDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return DelDeepDlg_OnInit(dialog, reinterpret_cast<DelDeepRecord*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DELDEEP_DELETE:
            DelDeepDlg_OnDelete(dialog, RecordOf(dialog));
            return TRUE;
        case IDCANCEL:
            DirTree_Release(&RecordOf(dialog)->tree);
            EndDialog(dialog, -1);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int DelDeep_Run(HWND owner, const char* dir) {
    DelDeepRecord record = {dir, {}};
    const INT_PTR result =
        DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "TreeBox", owner,
                        DelDeepDlg, reinterpret_cast<LPARAM>(&record));
    DirTree_Release(&record.tree); // the box may have closed before it was read to the end
    return result == 0 ? 0 : -1;
}

int DirWindow_RemoveDirectory(HWND dir, const char* path, bool chosenInTree) {
    RemoveDirHooks hooks = {RunDeleteDeep, DirectoryRemoved, dir};
    return RemoveOneDirectory(path, DirWindow_Directory(dir), chosenInTree, hooks);
}

void DirWindow_DeleteUnselected(HWND dir) {
    if (DirWindow_TreeHasFocus(dir)) {
        const std::string chosen = DirWindow_SelectedTreeDir(dir);
        if (!chosen.empty() && !RefuseUnusableName(chosen.c_str()))
            DirWindow_RemoveDirectory(dir, chosen.c_str(), true);
        return;
    }
    const std::string typed = DirWindow_ComboText(dir);
    const int flags = typed.empty() ? kPathFile : ClassifyPath(typed.c_str());
    if (flags & (kPathFile | kPathPattern)) {
        DirWindow_ResetComboToMasks(dir);
        FileOps_TellNoSelection();
        return;
    }
    DirWindow_RemoveDirectory(dir, typed.c_str(), false);
}
