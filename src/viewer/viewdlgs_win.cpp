// Go To Line, Tab Stops and Extended Char Handling. Each dialog reads its controls only when
// confirmed, and changes the engine only then.
#include "viewer/viewdlgs_win.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/dlgbox_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"
#include "shell/winkind_win.h"
#include "viewer/engine.h"
#include "viewer/viewlend_win.h"

namespace {

constexpr int kLineTextMax = 260;

int64_t gLastGoLine = 0; // offered again the next time

void ClearMatch(ViewEngine* e) {
    e->matchLine = 0;
    e->matchColumn = 0;
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
    ViewEngine* engine; // moved to the line when the target is a view
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
        ViewEngine* e = record->engine;
        if (e->atEnd && line > e->totalLines)
            line = e->totalLines;
        e->file.topLine = line;
        ClearMatch(e);
        EnsureWindow(e, false); // a failed read has told the user itself
    } else if (target.kind == kKindEditor) {
        HWND edit = EditorControl(target);
        if (edit)
            GoLine_MoveEditor(edit, line);
    }
    EndDialog(dialog, 1);
}

// ---- Tab Stops -----------------------------------------------------------------------------

struct TabRecord {
    int32_t value; // the spacing shown, then the one confirmed
    ViewEngine* engine;
};

void Tab_OnInit(HWND dialog, TabRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    SetDlgItemInt(dialog, IDC_TABS_SPACING, (UINT)record->value, FALSE);
    FocusNumber(dialog, IDC_TABS_SPACING);
}

void Tab_OnOk(HWND dialog) {
    TabRecord* record = reinterpret_cast<TabRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    gSettings.optionsChanged = 1;
    // Text that is no number, or one too large to hold, reads as 0.
    int32_t spacing = (int32_t)GetDlgItemInt(dialog, IDC_TABS_SPACING, NULL, FALSE);
    record->value = spacing > 0 ? spacing : 1;
    ClearMatch(record->engine);
    EndDialog(dialog, 1);
}

// ---- Extended Char Handling ------------------------------------------------------------------

struct ExtcRecord {
    ViewEngine* engine; // its settings are the ones changed
};

ViewEngine* Extc_Engine(HWND dialog) {
    return reinterpret_cast<ExtcRecord*>(GetWindowLongPtrA(dialog, DWLP_USER))->engine;
}

void Extc_OnInit(HWND dialog, ExtcRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    const ViewEngine* e = record->engine;
    const DisplaySettings& s = e->settings;
    if (s.hexMode) {
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CR_NEW_LINE), FALSE);
        Dlg_Check(dialog, IDC_EXTC_DUMP, s.all256Chars != 0);
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), FALSE);
    } else if (s.binaryMode) {
        Dlg_Check(dialog, IDC_EXTC_CR_NEW_LINE, s.crIsNewLine != 0);
        Dlg_Check(dialog, IDC_EXTC_DUMP, true);
        Dlg_Check(dialog, IDC_EXTC_CRLF, e->showCrLf != 0);
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), FALSE);
    }
}

// Outside hex mode "Display CR/&LF" belongs to the raw rows and follows "&Dump raw characters".
void Extc_OnDumpClicked(HWND dialog) {
    const ViewEngine* e = Extc_Engine(dialog);
    if (e->settings.hexMode)
        return;
    bool dump = Dlg_Checked(dialog, IDC_EXTC_DUMP);
    Dlg_Check(dialog, IDC_EXTC_CRLF, dump && e->showCrLf);
    EnableWindow(GetDlgItem(dialog, IDC_EXTC_CRLF), dump);
}

// Applies one change; the rows are laid out again from the top line's offset after each.
bool Extc_Apply(ViewEngine* e, int32_t* field, bool checked) {
    if ((*field != 0) == checked)
        return false;
    *field = checked ? 1 : 0;
    Reposition(e); // a failed read has told the user itself
    return true;
}

void Extc_OnOk(HWND dialog) {
    ViewEngine* e = Extc_Engine(dialog);
    DisplaySettings& s = e->settings;
    const bool hex = s.hexMode != 0;
    const bool crlf = Dlg_Checked(dialog, IDC_EXTC_CRLF);
    const bool crNewLine = Dlg_Checked(dialog, IDC_EXTC_CR_NEW_LINE);
    const bool dump = Dlg_Checked(dialog, IDC_EXTC_DUMP);
    ClearMatch(e);
    // Turning the raw rows off asks "Mode?" of a file that does not look like text, as the
    // view the user is looking at would.
    const ModeQuestionPolicy policy = e->modePolicy;
    const bool openingNewView = e->openingNewView;
    e->modePolicy = kModeAsk;
    e->openingNewView = false;
    bool changed = false;
    // "Display CR/&LF" and "CR = &new line" count for the raw rows only, also when they are
    // switched on together with them; a greyed box leaves the setting shared by all views alone.
    if (!hex && dump) {
        changed |= Extc_Apply(e, &e->showCrLf, crlf);
        changed |= Extc_Apply(e, &s.crIsNewLine, crNewLine);
    }
    if (!hex)
        changed |= Extc_Apply(e, &s.binaryMode, dump);
    else
        changed |= Extc_Apply(e, &s.all256Chars, dump);
    e->modePolicy = policy;
    e->openingNewView = openingNewView;
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
        Tab_OnInit(dialog, reinterpret_cast<TabRecord*>(lParam));
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
        Extc_OnInit(dialog, reinterpret_cast<ExtcRecord*>(lParam));
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
    GoLineRecord record = {target, View_Engine()};
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "LineBox", owner, GoLineDlg,
                                     reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}

int ViewDlg_TabStops(HWND owner, int32_t* value) {
    TabRecord record = {*value, View_Engine()};
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "TabBox", owner, TabDlg,
                                     reinterpret_cast<LPARAM>(&record));
    if (result != 1)
        return 0;
    *value = record.value;
    return 1;
}

int ViewDlg_SpecialChars(HWND owner) {
    ExtcRecord record = {View_Engine()};
    INT_PTR result = DialogBoxParamA(Dlg_Instance(), "ExtcBox", owner, ExtcDlg,
                                     reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}
