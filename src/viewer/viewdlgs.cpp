// Go To Line, Tab Stops and Extended Char Handling. Each dialog reads its controls only when
// confirmed, and changes the engine only then.
#include "viewer/viewdlgs.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/dlgbox.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/winkind.h"
#include "viewer/engine.h"

namespace {

constexpr int kLineTextMax = 260;

int64_t gLastGoLine = 0; // offered again the next time

void ClearMatch() {
    gEngine.matchLine = 0;
    gEngine.matchColumn = 0;
}

// The edit box gets the focus with its text selected, so typing replaces it.
void FocusNumber(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

// ---- Go To Line ----------------------------------------------------------------------------

struct GoLineRecord {
    HWND target;
};

void GoLine_OnInit(HWND dialog, GoLineRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    SendDlgItemMessageA(dialog, IDC_GOLINE_NUMBER, EM_LIMITTEXT, kLineTextMax - 1, 0);
    if (gLastGoLine != 0) {
        char text[32];
        snprintf(text, sizeof text, "%lld", (long long)gLastGoLine);
        SetDlgItemTextA(dialog, IDC_GOLINE_NUMBER, text);
    }
    FocusNumber(dialog, IDC_GOLINE_NUMBER);
}

// The editor's own edit control: the control that had the focus, or the editor's child.
HWND EditorControl(const WindowTarget& target) {
    if (target.control)
        return target.control;
    return FindWindowExA(target.window, NULL, "Edit", NULL);
}

void GoLine_MoveEditor(HWND edit, int64_t line) {
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    int64_t index = line - 1 < lines - 1 ? line - 1 : lines - 1;
    LRESULT start = SendMessageA(edit, EM_LINEINDEX, (WPARAM)(index > 0 ? index : 0), 0);
    if (start < 0)
        return;
    SendMessageA(edit, EM_SETSEL, (WPARAM)start, (LPARAM)start);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void GoLine_OnGo(HWND dialog) {
    const GoLineRecord* record =
        reinterpret_cast<const GoLineRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    char text[kLineTextMax] = "";
    GetDlgItemTextA(dialog, IDC_GOLINE_NUMBER, text, sizeof text);
    int64_t line = ViewDlg_ParseLineNumber(text);
    gLastGoLine = line;

    WindowTarget target = Orv_ClassifyWindow(record ? record->target : NULL);
    if (target.kind == kKindView) {
        if (gEngine.atEnd && line > gEngine.totalLines)
            line = gEngine.totalLines;
        gEngine.file.topLine = line;
        ClearMatch();
        EnsureWindow(&gEngine, false); // a failed read has told the user itself
    } else if (target.kind == kKindEditor) {
        HWND edit = EditorControl(target);
        if (edit)
            GoLine_MoveEditor(edit, line);
    }
    EndDialog(dialog, 1);
}

// ---- Tab Stops -----------------------------------------------------------------------------

void Tab_OnInit(HWND dialog, int32_t* value) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(value));
    SetDlgItemInt(dialog, IDC_TABS_SPACING, (UINT)*value, FALSE);
    FocusNumber(dialog, IDC_TABS_SPACING);
}

void Tab_OnOk(HWND dialog) {
    int32_t* value = reinterpret_cast<int32_t*>(GetWindowLongPtrA(dialog, DWLP_USER));
    gSettings.optionsChanged = 1;
    // Text that is no number, or one too large to hold, reads as 0.
    int32_t spacing = (int32_t)GetDlgItemInt(dialog, IDC_TABS_SPACING, NULL, FALSE);
    *value = spacing > 0 ? spacing : 1;
    ClearMatch();
    EndDialog(dialog, 1);
}

// ---- Extended Char Handling ------------------------------------------------------------------

void Extc_OnInit(HWND dialog) {
    const DisplaySettings& s = gEngine.settings;
    if (s.hexMode) {
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CR_NEW_LINE), FALSE);
        Dlg_Check(dialog, IDC_EXTC_DUMP, s.all256Chars != 0);
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), FALSE);
    } else if (s.binaryMode) {
        Dlg_Check(dialog, IDC_EXTC_CR_NEW_LINE, s.crIsNewLine != 0);
        Dlg_Check(dialog, IDC_EXTC_DUMP, true);
        Dlg_Check(dialog, IDC_EXTC_CRLF, gEngine.showCrLf != 0);
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), FALSE);
    }
}

// Outside hex mode "Display CR/&LF" belongs to the raw rows and follows "&Dump raw characters".
void Extc_OnDumpClicked(HWND dialog) {
    if (gEngine.settings.hexMode)
        return;
    bool dump = Dlg_Checked(dialog, IDC_EXTC_DUMP);
    Dlg_Check(dialog, IDC_EXTC_CRLF, dump && gEngine.showCrLf);
    EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), dump);
}

// Applies one change; the rows are laid out again from the top line's offset after each.
bool Extc_Apply(int32_t* field, bool checked) {
    if ((*field != 0) == checked)
        return false;
    *field = checked ? 1 : 0;
    Reposition(&gEngine); // a failed read has told the user itself
    return true;
}

void Extc_OnOk(HWND dialog) {
    DisplaySettings& s = gEngine.settings;
    const bool hex = s.hexMode != 0;
    const bool crlf = Dlg_Checked(dialog, IDC_EXTC_CRLF);
    const bool crNewLine = Dlg_Checked(dialog, IDC_EXTC_CR_NEW_LINE);
    const bool dump = Dlg_Checked(dialog, IDC_EXTC_DUMP);
    ClearMatch();
    // Turning the raw rows off asks "Mode?" of a file that does not look like text, as the
    // view the user is looking at would.
    const ModeQuestionPolicy policy = gEngine.modePolicy;
    const bool openingNewView = gEngine.openingNewView;
    gEngine.modePolicy = kModeAsk;
    gEngine.openingNewView = false;
    bool changed = false;
    // "Display CR/&LF" and "CR = &new line" count for the raw rows only, also when they are
    // switched on together with them; a greyed box leaves the setting shared by all views alone.
    if (!hex && dump) {
        changed |= Extc_Apply(&gEngine.showCrLf, crlf);
        changed |= Extc_Apply(&s.crIsNewLine, crNewLine);
    }
    if (!hex)
        changed |= Extc_Apply(&s.binaryMode, dump);
    else
        changed |= Extc_Apply(&s.all256Chars, dump);
    gEngine.modePolicy = policy;
    gEngine.openingNewView = openingNewView;
    EndDialog(dialog, changed ? 1 : 0);
}

} // namespace

int64_t ViewDlg_ParseLineNumber(const char* text) {
    errno = 0;
    long long value = strtoll(text, NULL, 10); // saturates rather than wraps
    if (value < 1)
        return 1;
    if (value >= END_LINE)
        return END_LINE;
    return value;
}

int64_t ViewDlg_LastGoLine() {
    return gLastGoLine;
}

void ViewDlg_SetLastGoLine(int64_t line) {
    gLastGoLine = line;
}

INT_PTR CALLBACK GoLineDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        GoLine_OnInit(dialog, reinterpret_cast<GoLineRecord*>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            GoLine_OnGo(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

INT_PTR CALLBACK TabDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Tab_OnInit(dialog, reinterpret_cast<int32_t*>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Tab_OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

INT_PTR CALLBACK ExtcDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Extc_OnInit(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EXTC_DUMP:
            if (HIWORD(wParam) == BN_CLICKED)
                Extc_OnDumpClicked(dialog);
            return TRUE;
        case IDOK:
            Extc_OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int ViewDlg_GoToLine(HWND owner, HWND target) {
    GoLineRecord record = {target};
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "LineBox", owner, GoLineDlg,
                                     reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}

int ViewDlg_TabStops(HWND owner, int32_t* value) {
    int32_t spacing = *value;
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "TabBox", owner, TabDlg,
                                     reinterpret_cast<LPARAM>(&spacing));
    if (result != 1)
        return 0;
    *value = spacing;
    return 1;
}

int ViewDlg_SpecialChars(HWND owner) {
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "ExtcBox", owner, ExtcDlg, 0);
    return result == 1 ? 1 : 0;
}
