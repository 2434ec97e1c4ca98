// "Find" and "Advanced Find": they set up the program's find settings and start a find in the
// view or editor that has the focus, or only take the settings for the disk search's criteria.
#include "find/finddlg_win.h"

#include <string.h>

#include "editor/editwnd_win.h"
#include "find/findinput.h"
#include "find/findrun_win.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/ctlbar_win.h"
#include "shell/dlgbox_win.h"
#include "shell/frame_win.h"
#include "shell/startup_win.h"
#include "shell/uiseam_win.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

constexpr UINT kPressMoreMessage = WM_APP + 20;

struct FindDlgRecord {
    FindDlgUse use;
    WindowTarget target;        // the view or editor found in; kind none for the criteria
    char string2[kFindTextMax]; // string 2 as last typed (its hex text in hex mode)
};

struct AdvFindRecord {
    char string1[kFindTextMax];
    char string2[kFindTextMax];
    int32_t regularExpression; // from the Find dialog's box, for as long as this one is up
};

FindDlgRecord* RecordOf(HWND dialog) {
    return reinterpret_cast<FindDlgRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void FocusFindString(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_FIND_STRING);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

// ---- Advanced Find ---------------------------------------------------------------------------

void AdvFind_OnInit(HWND dialog, AdvFindRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    SendDlgItemMessageA(dialog, IDC_ADVFIND_STRING1, EM_LIMITTEXT, kFindTextMax - 1, 0);
    SendDlgItemMessageA(dialog, IDC_ADVFIND_STRING2, EM_LIMITTEXT, kFindTextMax - 1, 0);
    SetDlgItemTextA(dialog, IDC_ADVFIND_STRING1, record->string1);
    SetDlgItemTextA(dialog, IDC_ADVFIND_STRING2, record->string2);
    // A regular expression has its own negated sets; the NOT flags keep their values meanwhile.
    if (record->regularExpression) {
        EnableWindow(GetDlgItem(dialog, IDC_ADVFIND_NOT1), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_ADVFIND_NOT2), FALSE);
    } else {
        Dlg_Check(dialog, IDC_ADVFIND_NOT1, gFind.not1 != 0);
        Dlg_Check(dialog, IDC_ADVFIND_NOT2, gFind.not2 != 0);
    }
    const bool isOr = gFind.orMode && !gFind.andMode; // AND unless OR alone is set
    CheckRadioButton(dialog, IDC_ADVFIND_AND, IDC_ADVFIND_OR,
                     isOr ? IDC_ADVFIND_OR : IDC_ADVFIND_AND);
    HWND edit = GetDlgItem(dialog, IDC_ADVFIND_STRING2);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

void AdvFind_OnOk(HWND dialog) {
    AdvFindRecord* record = reinterpret_cast<AdvFindRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    GetDlgItemTextA(dialog, IDC_ADVFIND_STRING1, record->string1, kFindTextMax);
    GetDlgItemTextA(dialog, IDC_ADVFIND_STRING2, record->string2, kFindTextMax);
    if (!record->regularExpression) {
        gFind.not1 = Dlg_Checked(dialog, IDC_ADVFIND_NOT1);
        gFind.not2 = Dlg_Checked(dialog, IDC_ADVFIND_NOT2);
    }
    gFind.orMode = Dlg_Checked(dialog, IDC_ADVFIND_OR);
    gFind.andMode = !gFind.orMode;
    EndDialog(dialog, 1);
}

// ---- Find ------------------------------------------------------------------------------------

void ShowFindString(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, IDC_FIND_STRING, text);
}

void Find_OnInit(HWND dialog, FindDlgRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    if (record->use != kFindDlgCriteria)
        UiWin_SetFindDialog(dialog); // a replace run closes it before its first prompt
    SendDlgItemMessageA(dialog, IDC_FIND_STRING, EM_LIMITTEXT, kFindTextMax - 1, 0);
    SendDlgItemMessageA(dialog, IDC_FIND_REPLACE_TEXT, EM_LIMITTEXT, kFindTextMax - 1, 0);
    lstrcpynA(record->string2, gFind.hexFind ? gFind.hexText2 : gFind.string2, kFindTextMax);

    if (record->target.kind == kKindEditor) {
        SetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, gFind.replaceText);
        Dlg_Check(dialog, IDC_FIND_REPLACE, gFind.replaceEnabled != 0);
    } else {
        ShowWindow(GetDlgItem(dialog, IDC_FIND_REPLACE), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_FIND_REPLACE_TEXT), SW_HIDE);
        gFind.replaceEnabled = 0;
    }
    std::string selected;
    if (record->target.kind != kKindNone && FindDlg_SelectionText(record->target.window, &selected))
        ShowFindString(dialog, selected.c_str());
    else
        ShowFindString(dialog, gFind.hexFind ? gFind.hexText1 : gFind.string1);
    FocusFindString(dialog);

    Dlg_Check(dialog, IDC_FIND_IGNORE_CASE, gFind.ignoreCase != 0);
    if (gFind.hexFind) {
        Dlg_Check(dialog, IDC_FIND_HEX, true);
        gFind.regularExpression = 0;
        EnableWindow(GetDlgItem(dialog, IDC_FIND_REGEX), FALSE);
    }
    Dlg_Check(dialog, IDC_FIND_START_AT_TOP, gFind.startAtTop != 0);
    Dlg_Check(dialog, IDC_FIND_REGEX, gFind.regularExpression != 0);
    if (gFind.regularExpression)
        EnableWindow(GetDlgItem(dialog, IDC_FIND_HEX), FALSE);
    Dlg_Check(dialog, IDC_FIND_BOOLEAN, gFind.booleanFind != 0);
    // Posted, so that "Advanced Find" comes up over a "Find" already on the screen.
    if (record->use == kFindDlgFindMore)
        PostMessageA(dialog, kPressMoreMessage, 0, 0);
}

// Hex bytes and regular expressions exclude each other: checking one clears and disables the
// other, clearing it lets the other be chosen again.
void Find_OnModeBox(HWND dialog, int box) {
    const int other = box == IDC_FIND_HEX ? IDC_FIND_REGEX : IDC_FIND_HEX;
    const bool on = Dlg_Checked(dialog, box);
    if (on)
        Dlg_Check(dialog, other, false);
    EnableWindow(GetDlgItem(dialog, other), !on);
}

void Find_OnMore(HWND dialog) {
    FindDlgRecord* record = RecordOf(dialog);
    AdvFindRecord adv = {};
    GetDlgItemTextA(dialog, IDC_FIND_STRING, adv.string1, kFindTextMax);
    lstrcpynA(adv.string2, record->string2, kFindTextMax);
    adv.regularExpression = Dlg_Checked(dialog, IDC_FIND_REGEX);
    const INT_PTR answer =
        DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "AdvFindBox", dialog,
                        AdvFindDlg, reinterpret_cast<LPARAM>(&adv));
    if (answer == 1) {
        lstrcpynA(record->string2, adv.string2, kFindTextMax);
        Dlg_Check(dialog, IDC_FIND_BOOLEAN, true);
        ShowFindString(dialog, adv.string1);
        FocusFindString(dialog);
    } else {
        Dlg_Check(dialog, IDC_FIND_BOOLEAN, false);
    }
}

// The history's view of the control bar's "Find:" box (none before the bar is made).
const HistoryCombo* BarCombo() {
    return ControlBar_HistoryCombo();
}

void Find_OnOk(HWND dialog) {
    FindDlgRecord* record = RecordOf(dialog);
    char findText[kFindTextMax] = "";
    char replaceText[kFindTextMax] = "";
    GetDlgItemTextA(dialog, IDC_FIND_STRING, findText, sizeof findText);
    GetDlgItemTextA(dialog, IDC_FIND_REPLACE_TEXT, replaceText, sizeof replaceText);
    const bool editor = record->target.kind == kKindEditor;
    FindDialogValues values = {};
    values.findText = findText;
    values.string2 = record->string2;
    values.replaceText = editor ? replaceText : nullptr;
    values.hexFind = Dlg_Checked(dialog, IDC_FIND_HEX);
    values.ignoreCase = Dlg_Checked(dialog, IDC_FIND_IGNORE_CASE);
    values.startAtTop = Dlg_Checked(dialog, IDC_FIND_START_AT_TOP);
    values.regularExpression = Dlg_Checked(dialog, IDC_FIND_REGEX);
    values.booleanFind = Dlg_Checked(dialog, IDC_FIND_BOOLEAN);
    values.replaceEnabled = editor && Dlg_Checked(dialog, IDC_FIND_REPLACE);
    const FindStartResult start = FindStart_Prepare(&gFind, values, &gFindHistory, BarCombo());
    // The answers may have switched a mode off (or regular expressions on): the boxes follow.
    Dlg_Check(dialog, IDC_FIND_REGEX, gFind.regularExpression != 0);
    Dlg_Check(dialog, IDC_FIND_HEX, gFind.hexFind != 0);
    EnableWindow(GetDlgItem(dialog, IDC_FIND_REGEX), !gFind.hexFind);
    EnableWindow(GetDlgItem(dialog, IDC_FIND_HEX), !gFind.regularExpression);
    if (start != kFindStartGo) {
        FocusFindString(dialog);
        return;
    }
    if (gFrame)
        EnableMenuItem(GetMenu(gFrame), IDM_FIND_NEXT, MF_BYCOMMAND | MF_ENABLED);
    if (record->use == kFindDlgCriteria) {
        EndDialog(dialog, 1);
        return;
    }
    // Only a find that will run moves the window to the top: a refused one leaves it alone.
    if (gFind.startAtTop)
        FindRun_StartAtTop(record->target);
    if (FindRun_Find(record->target, false)) {
        UiWin_SetFindDialog(NULL); // closed here, or already by the replace run
        EndDialog(dialog, 1);
        return;
    }
    // Not found: the dialog stays for another try, unless a replace run has closed it.
    FocusFindString(dialog);
}

} // namespace

INT_PTR CALLBACK AdvFindDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AdvFind_OnInit(dialog, reinterpret_cast<AdvFindRecord*>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AdvFind_OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

INT_PTR CALLBACK FindDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Find_OnInit(dialog, reinterpret_cast<FindDlgRecord*>(lParam));
        return FALSE; // the focus is set
    case kPressMoreMessage:
        Find_OnMore(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FIND_HEX:
        case IDC_FIND_REGEX:
            if (HIWORD(wParam) == BN_CLICKED)
                Find_OnModeBox(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_FIND_MORE:
            Find_OnMore(dialog);
            return TRUE;
        case IDOK:
            Find_OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (RecordOf(dialog) && RecordOf(dialog)->use != kFindDlgCriteria)
            UiWin_SetFindDialog(NULL);
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int FindDlg_Run(HWND owner, FindDlgUse use) {
    FindDlgRecord record = {};
    record.use = use;
    if (use != kFindDlgCriteria) {
        record.target = Orv_FocusTarget();
        if (record.target.kind != kKindView && record.target.kind != kKindEditor)
            return 0;
    }
    const INT_PTR result =
        DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "FindBox", owner, FindDlg,
                        reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}

bool FindDlg_SelectionText(HWND window, std::string* text) {
    const WindowTarget target = Orv_ClassifyWindow(window);
    if (target.kind == kKindEditor) {
        HWND edit = Editor_Control(target.window);
        if (!edit)
            return false;
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        if (end <= start || end - start > (DWORD)kFindPrefillMax)
            return false;
        const int length = GetWindowTextLengthA(edit);
        std::string all((size_t)length + 1, 0);
        all.resize((size_t)GetWindowTextA(edit, &all[0], length + 1));
        if (end > all.size())
            return false;
        const std::string selected = all.substr(start, end - start);
        if (!FindPrefill_Accepts(selected.data(), (int64_t)selected.size()))
            return false;
        *text = selected;
        return true;
    }
    if (target.kind == kKindView)
        return View_SelectionForFind(target.window, text) == 1;
    return false;
}
