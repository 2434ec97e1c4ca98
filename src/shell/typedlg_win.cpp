// The file types' editor. What is shown comes from ORV32.INI; "Sa&ve", "&OK" and "U&ndefine"
// write there at once, and the extension list is reloaded after each.
#include "shell/typedlg_win.h"

#include <stdlib.h>

#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/dlgbox_win.h"
#include "shell/startup_win.h"
#include "platform/uiseam.h"
#include "viewer/filetypes.h"

namespace {

const int kDisplayTypes[] = {IDC_TYPE_TEXT, IDC_TYPE_HEX, IDC_TYPE_BINARY, IDC_TYPE_POSTSCRIPT};

void Enable(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled);
}

// Each display type leaves only the options that mean something for it.
void Type_SelectDisplay(HWND dialog, int type) {
    for (int id : kDisplayTypes)
        Dlg_Check(dialog, id, id == type);
    const bool binary = type == IDC_TYPE_BINARY;
    const bool postScript = type == IDC_TYPE_POSTSCRIPT;
    Dlg_Check(dialog, IDC_TYPE_ALL256, binary);
    Enable(dialog, IDC_TYPE_ALL256, type == IDC_TYPE_HEX);
    Dlg_Check(dialog, IDC_TYPE_CR_NEW_LINE, false);
    Enable(dialog, IDC_TYPE_CR_NEW_LINE, type == IDC_TYPE_TEXT || binary);
    Dlg_Check(dialog, IDC_TYPE_SHOW_CRLF, false);
    Enable(dialog, IDC_TYPE_SHOW_CRLF, binary);
    if (postScript)
        Dlg_Check(dialog, IDC_TYPE_STRIP7, false);
    Enable(dialog, IDC_TYPE_STRIP7, !postScript);
}

void Type_Show(HWND dialog, const char* extension, const TypeSettings& t) {
    // In this order, so the last flag set wins.
    if (t.hex)
        Type_SelectDisplay(dialog, IDC_TYPE_HEX);
    if (t.text)
        Type_SelectDisplay(dialog, IDC_TYPE_TEXT);
    if (t.binary)
        Type_SelectDisplay(dialog, IDC_TYPE_BINARY);
    const bool lock = t.lockStart != 0;
    Dlg_Check(dialog, IDC_TYPE_AUTO_LOCK, lock);
    if (lock) {
        SetDlgItemInt(dialog, IDC_TYPE_LOCK_START, (UINT)t.lockStart, TRUE);
        SetDlgItemInt(dialog, IDC_TYPE_LOCK_END, (UINT)t.lockEnd, TRUE);
    } else {
        SetDlgItemTextA(dialog, IDC_TYPE_LOCK_START, "");
        SetDlgItemTextA(dialog, IDC_TYPE_LOCK_END, "");
    }
    if (t.newLineCR)
        Dlg_Check(dialog, IDC_TYPE_CR_NEW_LINE, true);
    if (t.showAllChars)
        Dlg_Check(dialog, IDC_TYPE_ALL256, true);
    if (t.showCRLF)
        Dlg_Check(dialog, IDC_TYPE_SHOW_CRLF, true);
    Dlg_Check(dialog, IDC_TYPE_STRIP7, t.strip7 != 0);
    SetDlgItemInt(dialog, IDC_TYPE_TABS, (UINT)t.tab, TRUE);
    SetDlgItemTextA(dialog, IDC_TYPE_EXTENSION, extension);
}

void Type_ShowFirst(HWND dialog) {
    TypeSettings t;
    const char* first = FileTypes_At(0);
    if (first && FileTypes_Read(first, &t)) {
        SendDlgItemMessageA(dialog, IDC_TYPE_EXTENSION, CB_SETCURSEL, 0, 0);
        Type_Show(dialog, first, t);
    }
}

void Type_OnInit(HWND dialog) {
    FileTypes_Load();
    for (int i = 0; i < FileTypes_Count(); i++)
        SendDlgItemMessageA(dialog, IDC_TYPE_EXTENSION, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(FileTypes_At(i)));
    SendDlgItemMessageA(dialog, IDC_TYPE_EXTENSION, CB_LIMITTEXT, kTypeNameMax - 1, 0);
    // A new type starts as plain text with the usual tab spacing.
    Type_SelectDisplay(dialog, IDC_TYPE_TEXT);
    SetDlgItemInt(dialog, IDC_TYPE_TABS, 8, FALSE);
    Type_ShowFirst(dialog);
}

void Type_OnPick(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_TYPE_EXTENSION);
    LRESULT pick = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    char name[kTypeNameMax] = "";
    if (pick < 0 || SendMessageA(combo, CB_GETLBTEXTLEN, (WPARAM)pick, 0) >= kTypeNameMax)
        return;
    SendMessageA(combo, CB_GETLBTEXT, (WPARAM)pick, reinterpret_cast<LPARAM>(name));
    TypeSettings t;
    if (FileTypes_Read(name, &t))
        Type_Show(dialog, name, t);
}

// A number of an edit box; 0 when it holds none.
int32_t NumberOf(HWND dialog, int id) {
    BOOL ok = FALSE;
    int value = (int)GetDlgItemInt(dialog, id, &ok, TRUE);
    return ok ? value : 0;
}

void SayBadExtent() {
    PromptRequest request = {kTextBadExtent, nullptr, kButtonsOk, kIconWarning,
                             kPromptOwnedByFocus};
    Ui_Ask(request);
}

// 1 stored (or nothing to store), 0 the dialog stays open.
int Type_OnSave(HWND dialog, bool keepOpen) {
    char name[kTypeNameMax] = "";
    GetDlgItemTextA(dialog, IDC_TYPE_EXTENSION, name, sizeof name);
    if (!name[0])
        return 1;
    if (!FileTypes_IsValidName(name)) {
        SayBadExtent();
        return 0;
    }
    TypeSettings t = {};
    t.text = Dlg_Checked(dialog, IDC_TYPE_TEXT);
    t.hex = Dlg_Checked(dialog, IDC_TYPE_HEX);
    t.binary = Dlg_Checked(dialog, IDC_TYPE_BINARY);
    t.newLineCR = Dlg_Checked(dialog, IDC_TYPE_CR_NEW_LINE);
    t.showAllChars = Dlg_Checked(dialog, IDC_TYPE_ALL256);
    t.showCRLF = Dlg_Checked(dialog, IDC_TYPE_SHOW_CRLF);
    t.strip7 = Dlg_Checked(dialog, IDC_TYPE_STRIP7);
    t.tab = NumberOf(dialog, IDC_TYPE_TABS); // 0 or below is stored as 8
    if (Dlg_Checked(dialog, IDC_TYPE_AUTO_LOCK)) {
        t.lockStart = NumberOf(dialog, IDC_TYPE_LOCK_START);
        t.lockEnd = t.lockStart ? NumberOf(dialog, IDC_TYPE_LOCK_END) : 0;
    }
    void* restore = Ui_BeginBusy(name);
    FileTypes_Save(name, t); // a write that failed leaves the type as it was
    Ui_EndBusy(restore);
    if (keepOpen) {
        HWND combo = GetDlgItem(dialog, IDC_TYPE_EXTENSION);
        if (SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name)) ==
            CB_ERR)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    return 1;
}

void Type_OnUndefine(HWND dialog) {
    char name[kTypeNameMax] = "";
    GetDlgItemTextA(dialog, IDC_TYPE_EXTENSION, name, sizeof name);
    if (!name[0])
        return;
    if (!FileTypes_IsValidName(name)) {
        SayBadExtent();
        return;
    }
    FileTypes_Undefine(name);
    HWND combo = GetDlgItem(dialog, IDC_TYPE_EXTENSION);
    LRESULT at =
        SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name));
    if (at != CB_ERR)
        SendMessageA(combo, CB_DELETESTRING, (WPARAM)at, 0);
    if (SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0) {
        Type_ShowFirst(dialog);
    } else {
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SetWindowTextA(combo, "");
    }
}

void Type_OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDC_TYPE_TEXT:
    case IDC_TYPE_HEX:
    case IDC_TYPE_BINARY:
    case IDC_TYPE_POSTSCRIPT:
        if (code == BN_CLICKED)
            Type_SelectDisplay(dialog, id);
        break;
    case IDC_TYPE_EXTENSION:
        if (code == CBN_SELCHANGE)
            Type_OnPick(dialog);
        break;
    case IDC_TYPE_SAVE:
        Type_OnSave(dialog, true);
        break;
    case IDC_TYPE_UNDEFINE:
        Type_OnUndefine(dialog);
        break;
    case IDOK:
        if (Type_OnSave(dialog, false))
            EndDialog(dialog, 1);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    }
}

} // namespace

INT_PTR CALLBACK TypeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Type_OnInit(dialog);
        return TRUE;
    case WM_COMMAND:
        Type_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int TypeDlg_Run(HWND owner) {
    INT_PTR result = DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "TypesBox",
                                     owner, TypeDlg, 0);
    return result == 1 ? 1 : 0;
}
