// Each dialog edits gSettings in memory only and marks the options as changed; "Save Options"
// or the exit save write them.
#include "shell/optsdlg_win.h"

#include <stdio.h>
#include <string.h>

#include "look/dlgcolor_win.h"
#include "platform/uiseam.h"
#include "resources/resource.h"
#include "search/searchdlg_win.h"
#include "shell/dlgbox_win.h"
#include "shell/frame_win.h"
#include "shell/help_win.h"
#include "shell/helpfile.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

namespace {

const char kNoMemory[] = "Not enough memory";
const char kLaunchConfirmed[] = "&Launch...\tCtrl+L";
const char kLaunchDirect[] = "&Launch\tCtrl+L";
const char kDirClass[] = "OrvDirClass";
const int kMaskEdits[kMaskCount] = {IDC_DEFNAMES_MASK1, IDC_DEFNAMES_MASK2, IDC_DEFNAMES_MASK3,
                                    IDC_DEFNAMES_MASK4};

// A new text for a menu item that keeps its greyed or enabled state.
void RenameItem(HMENU menu, UINT id, const char* text) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    if (state == (UINT)-1)
        return;
    ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING | (state & (MF_GRAYED | MF_DISABLED)), id,
                text);
}

// ---- File Open Options -------------------------------------------------------------------------

BOOL FileOpts_OnInit(HWND dialog) {
    const Settings& s = gSettings;
    CheckRadioButton(dialog, IDC_FILEOPTS_CLOSE, IDC_FILEOPTS_LEAVE,
                     s.closePrevious      ? IDC_FILEOPTS_CLOSE
                     : s.minimisePrevious ? IDC_FILEOPTS_MINIMIZE
                                          : IDC_FILEOPTS_LEAVE);
    CheckRadioButton(dialog, IDC_FILEOPTS_MAXIMIZE, IDC_FILEOPTS_TILE,
                     s.maximiseNew  ? IDC_FILEOPTS_MAXIMIZE
                     : s.cascadeNew ? IDC_FILEOPTS_CASCADE
                     : s.tileNew    ? IDC_FILEOPTS_TILE
                                    : 0);
    Dlg_Check(dialog, IDC_FILEOPTS_AUTO_OPEN, s.autoOpen != 0);
    return TRUE;
}

void FileOpts_OnOk(HWND dialog) {
    Settings& s = gSettings;
    const int32_t before[] = {s.closePrevious, s.minimisePrevious, s.maximiseNew, s.cascadeNew,
                              s.tileNew};
    s.optionsChanged = 1;
    // "Lea&ve current file open" is the third button of the group: neither of the other two.
    s.closePrevious = Dlg_Checked(dialog, IDC_FILEOPTS_CLOSE);
    s.minimisePrevious = Dlg_Checked(dialog, IDC_FILEOPTS_MINIMIZE);
    s.maximiseNew = Dlg_Checked(dialog, IDC_FILEOPTS_MAXIMIZE);
    s.cascadeNew = Dlg_Checked(dialog, IDC_FILEOPTS_CASCADE);
    s.tileNew = Dlg_Checked(dialog, IDC_FILEOPTS_TILE);
    s.autoOpen = Dlg_Checked(dialog, IDC_FILEOPTS_AUTO_OPEN);
    const int32_t after[] = {s.closePrevious, s.minimisePrevious, s.maximiseNew, s.cascadeNew,
                             s.tileNew};
    EndDialog(dialog, memcmp(before, after, sizeof before) != 0 ? 1 : 0);
}

// ---- Options -----------------------------------------------------------------------------------

BOOL Opts_OnInit(HWND dialog) {
    const Settings& s = gSettings;
    Dlg_Check(dialog, IDC_OPTS_CONFIRM_LAUNCH, s.confirmLaunch != 0);
    Dlg_Check(dialog, IDC_OPTS_MIN_ON_LAUNCH, s.minOnLaunch != 0);
    Dlg_Check(dialog, IDC_OPTS_CONFIRM_DELETE, s.confirmDelete != 0);
    Dlg_Check(dialog, IDC_OPTS_HIDDEN, s.hiddenFiles != 0);
    Dlg_Check(dialog, IDC_OPTS_SYSTEM, s.systemFiles != 0);
    SendDlgItemMessageA(dialog, IDC_OPTS_EDITOR, EM_LIMITTEXT, kEditorPathMax - 1, 0);
    SetDlgItemTextA(dialog, IDC_OPTS_EDITOR, s.editor);
    return TRUE;
}

void Opts_OnOk(HWND dialog) {
    Settings& s = gSettings;
    s.optionsChanged = 1;
    HMENU menu = gFrame ? GetMenu(gFrame) : NULL;
    s.confirmLaunch = Dlg_Checked(dialog, IDC_OPTS_CONFIRM_LAUNCH);
    if (menu)
        RenameItem(menu, IDM_LAUNCH, s.confirmLaunch ? kLaunchConfirmed : kLaunchDirect);
    s.minOnLaunch = Dlg_Checked(dialog, IDC_OPTS_MIN_ON_LAUNCH);
    s.confirmDelete = Dlg_Checked(dialog, IDC_OPTS_CONFIRM_DELETE);
    if (menu)
        Menu_ResetDeleteItem(gFrame);
    GetDlgItemTextA(dialog, IDC_OPTS_EDITOR, s.editor, kEditorPathMax);
    s.hiddenFiles = Dlg_Checked(dialog, IDC_OPTS_HIDDEN);
    s.systemFiles = Dlg_Checked(dialog, IDC_OPTS_SYSTEM);
    EndDialog(dialog, 1);
}

// ---- Default File Names -----------------------------------------------------------------------

BOOL DefNames_OnInit(HWND dialog) {
    if (!gSettings.masks.text) {
        // The masks never came into memory: there is nothing to edit.
        PromptRequest request = {kNoMemory, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        EndDialog(dialog, 0);
        return TRUE;
    }
    for (int i = 0; i < kMaskCount; i++) {
        SendDlgItemMessageA(dialog, kMaskEdits[i], EM_LIMITTEXT, kMaskTextMax - 1, 0);
        SetDlgItemTextA(dialog, kMaskEdits[i], Settings_Mask(i));
    }
    HWND first = GetDlgItem(dialog, kMaskEdits[0]);
    SendMessageA(first, EM_SETSEL, 0, -1);
    SendMessageA(first, EM_SCROLLCARET, 0, 0);
    SetFocus(first);
    return FALSE; // the focus is set
}

BOOL CALLBACK RepaintDirWindow(HWND window, LPARAM) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, kDirClass) == 0)
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
}

void DefNames_OnOk(HWND dialog) {
    gSettings.optionsChanged = 1;
    char texts[kMaskCount][kMaskTextMax];
    const char* masks[kMaskCount];
    for (int i = 0; i < kMaskCount; i++) {
        GetDlgItemTextA(dialog, kMaskEdits[i], texts[i], kMaskTextMax);
        masks[i] = texts[i];
    }
    // Without memory for the new block the old masks stay, and the dialog closes all the same.
    Settings_SetMasks(masks);
    if (gMdiClient)
        EnumChildWindows(gMdiClient, RepaintDirWindow, 0);
    EndDialog(dialog, 1);
}

// The procedures share their shape: the opening, "&OK" and "&Cancel".
INT_PTR Options_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                     BOOL (*onInit)(HWND), void (*onOk)(HWND)) {
    switch (message) {
    case WM_INITDIALOG:
        return onInit(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            onOk(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int Options_Run(HWND owner, const char* box, DLGPROC proc) {
    const INT_PTR rc = DialogBoxParamA(Dlg_Instance(), box, owner, proc, 0);
    return rc == 1 ? 1 : 0;
}

BOOL About_OnInit(HWND dialog) {
    char version[64] = "";
    LoadStringA(Dlg_Instance(), IDS_VERSION, version, sizeof version);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version);
    return TRUE;
}

void About_OnOk(HWND dialog) {
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK FileOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Options_Proc(dialog, message, wParam, lParam, FileOpts_OnInit, FileOpts_OnOk);
}

INT_PTR CALLBACK OptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Options_Proc(dialog, message, wParam, lParam, Opts_OnInit, Opts_OnOk);
}

INT_PTR CALLBACK DefOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Options_Proc(dialog, message, wParam, lParam, DefNames_OnInit, DefNames_OnOk);
}

INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Options_Proc(dialog, message, wParam, lParam, About_OnInit, About_OnOk);
}

int FileOptsDlg_Run(HWND owner) {
    // A new window's placement is read from the settings each time one is made, so the new
    // choice holds from the next file opened on.
    return Options_Run(owner, "FileOptionsBox", FileOptsDlg);
}

int OptsDlg_Run(HWND owner) {
    return Options_Run(owner, "OptsBox", OptsDlg);
}

int DefOptsDlg_Run(HWND owner) {
    return Options_Run(owner, "DefNamesBox", DefOptsDlg);
}

void About_Run(HWND owner) {
    Options_Run(owner, "AboutBoxShare", About);
}

bool Options_Command(HWND frame, WORD id) {
    switch (id) {
    case IDM_FILE_OPEN_OPTIONS:
        FileOptsDlg_Run(frame);
        return true;
    case IDM_FILE_SEARCH_OPTIONS:
        SrchOptsDlg_RunForSettings(frame);
        return true;
    case IDM_OPTIONS:
        OptsDlg_Run(frame);
        return true;
    case IDM_FILE_DEFAULTS:
        DefOptsDlg_Run(frame);
        return true;
    case IDM_ABOUT:
        About_Run(frame);
        return true;
    case IDM_HELP_INDEX:
        Help_Show(frame, kHelpIndexContext);
        return true;
    case IDM_HELP_COMMANDS:
        Help_Show(frame, kHelpCommandsContext);
        return true;
    case IDM_HELP_PROCEDURES:
        Help_Show(frame, kHelpProceduresContext);
        return true;
    case IDM_HELP_USING:
        Help_UsingHelp(frame);
        return true;
    }
    return false;
}
