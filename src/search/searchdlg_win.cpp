#include "search/searchdlg_win.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include "find/finddlg_win.h"
#include "find/findpat.h"
#include "look/dlgcolor_win.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "resources/resource.h"
#include "shell/dlgbox_win.h"
#include "shell/help_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

SearchQualifierTexts gSearchTexts;

namespace {

const char kSizeMissing[] = "Must enter a size in the ";
const char kDateMissing[] = "Must enter a date in the ";
const char kBoxSuffix[] = " box";
const char kSizeError[] = "Error in size. Press 'Help' for help.";
const char kDateError[] = "Error in date. Press 'Help' for help.";
const char kDiskEntryFormat[] = "[-%c-]";
constexpr UINT kSizeHelpTopic = 225;
constexpr UINT kDateHelpTopic = 226;
// Dialog results that stand for -1: DialogBoxParam answers -1 itself when a box cannot be shown.
constexpr INT_PTR kEndedNoneSet = 2;
constexpr INT_PTR kEndedListMode = 2;

void Enable(HWND dialog, int id, bool on) {
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

void FocusAndSelect(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

void Warn(HWND dialog, const char* text) {
    PromptRequest request = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
}

bool FindStringGiven() {
    return gFind.string1[0] != 0 || (gFind.hexFind && gFind.byteCount1 > 0);
}

// ---- The size and date boxes share one shape ---------------------------------------------------

// One of the two qualifier dialogs: its controls, texts and parser.
struct QualifierDialog {
    int first, second, sharedText; // "&Equal to" / "&Dated", "(or) ... than", their box
    int third, thirdText;          // "(and) ... than" and its box
    int help;
    UINT helpTopic;
    const char* missing;
    const char* names[3];
    const char* error;
};

const QualifierDialog kSizeDialog = {
    IDC_SRCHSIZE_EQUAL, IDC_SRCHSIZE_LARGER, IDC_SRCHSIZE_TEXT, IDC_SRCHSIZE_SMALLER,
    IDC_SRCHSIZE_SMALLER_TEXT, IDC_SRCHSIZE_HELP, kSizeHelpTopic, kSizeMissing,
    {"'Equal to'", "'Larger than'", "'Smaller Than'"}, kSizeError};
const QualifierDialog kDateDialog = {
    IDC_SRCHDATE_DATED, IDC_SRCHDATE_NEWER, IDC_SRCHDATE_TEXT, IDC_SRCHDATE_OLDER,
    IDC_SRCHDATE_OLDER_TEXT, IDC_SRCHDATE_HELP, kDateHelpTopic, kDateMissing,
    {"'Dated'", "'Newer than'", "'Older than'"}, kDateError};

struct QualifierRun {
    const QualifierDialog* shape;
    GrepRecord* record;
};

bool IsSizeDialog(const QualifierRun* run) {
    return run->shape == &kSizeDialog;
}

// The third box means nothing beside an exact value alone.
void Qualifier_UpdateThird(HWND dialog, const QualifierDialog& q) {
    const bool on = !(Dlg_Checked(dialog, q.first) && !Dlg_Checked(dialog, q.second));
    Enable(dialog, q.third, on);
    Enable(dialog, q.thirdText, on);
}

BOOL Qualifier_OnInit(HWND dialog, QualifierRun* run) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    const QualifierDialog& q = *run->shape;
    const SearchCriteria& c = run->record->criteria;
    const SearchQualifierTexts& t = run->record->texts;
    const bool size = IsSizeDialog(run);
    const bool first = size ? c.equalSize.isSet : c.datedTime.isSet;
    const bool second = size ? c.largerSize.isSet : c.newerTime.isSet;
    const bool third = size ? c.smallerSize.isSet : c.olderTime.isSet;
    SendDlgItemMessageA(dialog, q.sharedText, EM_LIMITTEXT, kSearchQualifierTextMax - 1, 0);
    SendDlgItemMessageA(dialog, q.thirdText, EM_LIMITTEXT, kSearchQualifierTextMax - 1, 0);
    SetDlgItemTextA(dialog, q.sharedText, size ? t.size : t.date);
    SetDlgItemTextA(dialog, q.thirdText, size ? t.smaller : t.older);
    Dlg_Check(dialog, q.first, first);
    Dlg_Check(dialog, q.second, second);
    Dlg_Check(dialog, q.third, third && !(first && !second));
    Qualifier_UpdateThird(dialog, q);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE; // the focus is set
}

// Reads one checked box: false (after the message, the box focused) when it is empty or does
// not parse.
bool Qualifier_Read(HWND dialog, const QualifierRun* run, int box, int nameIndex, char* text,
                    int64_t* value, DatePrecision* precision) {
    const QualifierDialog& q = *run->shape;
    GetDlgItemTextA(dialog, box, text, kSearchQualifierTextMax);
    if (!text[0]) {
        char message[96];
        snprintf(message, sizeof message, "%s%s%s", q.missing, q.names[nameIndex], kBoxSuffix);
        Warn(dialog, message);
        FocusAndSelect(dialog, box);
        return false;
    }
    bool ok;
    if (IsSizeDialog(run)) {
        ok = ParseSearchSize(text, value) == 1;
    } else {
        PlatLocalTime now;
        Plat_Now(&now);
        ParsedDate date;
        ok = ParseSearchDate(text, now, &date) == 1;
        *value = date.seconds;
        *precision = date.precision;
    }
    if (!ok) {
        Warn(dialog, q.error);
        FocusAndSelect(dialog, box);
    }
    return ok;
}

// OK: every checked box must hold a value that parses; then all are stored at once.
void Qualifier_OnOk(HWND dialog, QualifierRun* run) {
    const QualifierDialog& q = *run->shape;
    const bool first = Dlg_Checked(dialog, q.first);
    const bool second = Dlg_Checked(dialog, q.second);
    const bool third = IsWindowEnabled(GetDlgItem(dialog, q.third)) && Dlg_Checked(dialog, q.third);
    char shared[kSearchQualifierTextMax] = "";
    char thirdText[kSearchQualifierTextMax] = "";
    int64_t sharedValue = 0, thirdValue = 0;
    DatePrecision precision = kPrecisionDay, unused = kPrecisionDay;
    if ((first || second) &&
        !Qualifier_Read(dialog, run, q.sharedText, first ? 0 : 1, shared, &sharedValue,
                        &precision))
        return;
    if (third && !Qualifier_Read(dialog, run, q.thirdText, 2, thirdText, &thirdValue, &unused))
        return;

    SearchCriteria& c = run->record->criteria;
    SearchQualifierTexts& t = run->record->texts;
    if (IsSizeDialog(run)) {
        c.equalSize = {first, first ? sharedValue : 0};
        c.largerSize = {second, second ? sharedValue : 0};
        c.smallerSize = {third, third ? thirdValue : 0};
        snprintf(t.size, sizeof t.size, "%s", shared);
        snprintf(t.smaller, sizeof t.smaller, "%s", thirdText);
    } else {
        c.datedTime = {first, first ? sharedValue : 0};
        c.newerTime = {second, second ? sharedValue : 0};
        c.olderTime = {third, third ? thirdValue : 0};
        c.datedPrecision = first ? precision : kPrecisionDay;
        snprintf(t.date, sizeof t.date, "%s", shared);
        snprintf(t.older, sizeof t.older, "%s", thirdText);
    }
    EndDialog(dialog, first || second || third ? 1 : kEndedNoneSet);
}

INT_PTR Qualifier_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    QualifierRun* run = reinterpret_cast<QualifierRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        return Qualifier_OnInit(dialog, reinterpret_cast<QualifierRun*>(lParam));
    case WM_COMMAND: {
        if (!run)
            break;
        const int id = LOWORD(wParam);
        if (id == run->shape->first || id == run->shape->second) {
            Qualifier_UpdateThird(dialog, *run->shape);
        } else if (id == run->shape->help) {
            Help_ForTopic(dialog, run->shape->helpTopic);
        } else if (id == IDOK) {
            Qualifier_OnOk(dialog, run);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    }
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int Qualifier_Run(HWND owner, GrepRecord* record, const QualifierDialog* shape, const char* name,
                  DLGPROC proc) {
    QualifierRun run = {shape, record};
    const INT_PTR rc =
        DialogBoxParamA(Dlg_Instance(), name, owner, proc, reinterpret_cast<LPARAM>(&run));
    return rc == kEndedNoneSet ? -1 : rc == 1 ? 1 : 0; // -1 here: the box could not be shown
}

// ---- Disks to search --------------------------------------------------------------------------

struct DisksRun {
    GrepRecord* record;
    char disks[kSearchDisksMax + 1]; // the copy edited
};

void AddDiskEntry(HWND list, char letter) {
    char entry[8];
    snprintf(entry, sizeof entry, kDiskEntryFormat, letter);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

// The letter of the selected "[-x-]" entry, or 0.
char SelectedDisk(HWND list) {
    const LRESULT i = SendMessageA(list, LB_GETCURSEL, 0, 0);
    char entry[16] = "";
    if (i == LB_ERR || SendMessageA(list, LB_GETTEXTLEN, (WPARAM)i, 0) >= (LRESULT)sizeof entry)
        return 0;
    SendMessageA(list, LB_GETTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(entry));
    return entry[0] == '[' && entry[1] == '-' ? (char)tolower((unsigned char)entry[2]) : 0;
}

void Disks_Add(HWND dialog, DisksRun* run) {
    const char letter = SelectedDisk(GetDlgItem(dialog, IDC_SRCHOPTS_DISK_LIST));
    const size_t n = strlen(run->disks);
    if (!letter || strchr(run->disks, letter) || n >= kSearchDisksMax)
        return;
    run->disks[n] = letter;
    run->disks[n + 1] = 0;
    AddDiskEntry(GetDlgItem(dialog, IDC_SRCHOPTS_SEARCH), letter);
}

void Disks_Remove(HWND dialog, DisksRun* run) {
    HWND list = GetDlgItem(dialog, IDC_SRCHOPTS_SEARCH);
    const char letter = SelectedDisk(list);
    char* at = letter ? strchr(run->disks, letter) : nullptr;
    if (!at)
        return;
    memmove(at, at + 1, strlen(at + 1) + 1);
    SendMessageA(list, LB_DELETESTRING, (WPARAM)SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

BOOL Disks_OnInit(HWND dialog, DisksRun* run) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    HWND all = GetDlgItem(dialog, IDC_SRCHOPTS_DISK_LIST);
    const uint32_t drives = Plat_LogicalDrives();
    for (int d = 0; d < 26; d++)
        if (drives >> d & 1)
            AddDiskEntry(all, (char)('a' + d));
    HWND chosen = GetDlgItem(dialog, IDC_SRCHOPTS_SEARCH);
    for (const char* p = run->disks; *p; p++)
        AddDiskEntry(chosen, *p);
    return TRUE;
}

// ---- Search Criteria --------------------------------------------------------------------------

const int kMaskButtons[kMaskCount] = {IDC_GREP_MASK1, IDC_GREP_MASK2, IDC_GREP_MASK3,
                                      IDC_GREP_MASK4};

struct GrepRun {
    GrepRecord record;
    bool startEdited;
    bool settingStart; // the dialog itself is filling the start directory box
};

// "List &Matching lines" goes with a containing string in a list window.
void Grep_UpdateListLines(HWND dialog, bool restore) {
    const bool on =
        Dlg_Checked(dialog, IDC_GREP_CONTAINING) && Dlg_Checked(dialog, IDC_GREP_LIST_WINDOW);
    Enable(dialog, IDC_GREP_LIST_LINES, on);
    if (!on)
        Dlg_Check(dialog, IDC_GREP_LIST_LINES, false);
    else if (restore)
        Dlg_Check(dialog, IDC_GREP_LIST_LINES, gSearchCriteria.listMatchingLines);
}

void Grep_UpdateContaining(HWND dialog) {
    if (FindStringGiven())
        return;
    Dlg_Check(dialog, IDC_GREP_CONTAINING, false);
    Enable(dialog, IDC_GREP_CONTAINING, false);
    Dlg_Check(dialog, IDC_GREP_LIST_LINES, false);
    Enable(dialog, IDC_GREP_LIST_LINES, false);
}

// What a qualifier dialog answered: 1 checks and enables the box, -1 unchecks and greys it.
void Grep_TakeQualifier(HWND dialog, int box, int answer) {
    if (answer == 0)
        return;
    Dlg_Check(dialog, box, answer == 1);
    Enable(dialog, box, answer == 1);
}

BOOL Grep_OnInit(HWND dialog, GrepRun* run) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    const SearchCriteria& c = run->record.criteria;
    Dlg_Check(dialog, IDC_GREP_CONTAINING, c.containingString);
    Dlg_Check(dialog, IDC_GREP_LIST_WINDOW, true);
    Grep_UpdateListLines(dialog, true);
    Dlg_Check(dialog, IDC_GREP_ONLY_LIMB, c.onlyLimb);
    Dlg_Check(dialog, IDC_GREP_ONLY_START, c.onlyStartDir);
    Grep_UpdateContaining(dialog);

    const bool anySize = c.equalSize.isSet || c.largerSize.isSet || c.smallerSize.isSet;
    Dlg_Check(dialog, IDC_GREP_LIMIT_SIZE, anySize && c.limitSize);
    Enable(dialog, IDC_GREP_LIMIT_SIZE, anySize);
    const bool anyDate = c.datedTime.isSet || c.newerTime.isSet || c.olderTime.isSet;
    Dlg_Check(dialog, IDC_GREP_MATCH_DATES, anyDate && c.matchDates);
    Enable(dialog, IDC_GREP_MATCH_DATES, anyDate);

    for (int i = 0; i < kMaskCount; i++)
        SetDlgItemTextA(dialog, kMaskButtons[i], Settings_Mask(i));

    char start[kSearchTextMax] = "";
    if (run->record.directoryWindowDir[0]) {
        snprintf(start, sizeof start, "%s", run->record.directoryWindowDir);
        Plat_SetCurrentDir(start);
    } else {
        Plat_GetCurrentDir(0, start, sizeof start);
    }
    run->settingStart = true;
    SendDlgItemMessageA(dialog, IDC_GREP_START_DIR, EM_LIMITTEXT, kSearchTextMax - 1, 0);
    SetDlgItemTextA(dialog, IDC_GREP_START_DIR, start);
    run->settingStart = false;

    SendDlgItemMessageA(dialog, IDC_GREP_MASK, EM_LIMITTEXT, kSearchTextMax - 1, 0);
    SetDlgItemTextA(dialog, IDC_GREP_MASK, c.mask[0] ? c.mask : "*.*");
    FocusAndSelect(dialog, IDC_GREP_MASK);
    return FALSE; // the focus is set
}

void Grep_OnString(HWND dialog) {
    if (FindDlg_Run(dialog, kFindDlgCriteria)) {
        Enable(dialog, IDC_GREP_CONTAINING, true);
        Dlg_Check(dialog, IDC_GREP_CONTAINING, true);
    } else {
        Dlg_Check(dialog, IDC_GREP_CONTAINING, false);
    }
    Grep_UpdateListLines(dialog, false);
    Grep_UpdateContaining(dialog);
}

void Grep_OnSearch(HWND dialog, GrepRun* run) {
    SearchCriteria& c = run->record.criteria;
    char start[kSearchTextMax] = "";
    GetDlgItemTextA(dialog, IDC_GREP_START_DIR, start, sizeof start);
    c.startTyped = false;
    if (run->startEdited && start[0]) {
        const size_t n = strlen(start);
        if (start[n - 1] != kPlatDirSeparator && n + 1 < sizeof start) {
            start[n] = kPlatDirSeparator;
            start[n + 1] = 0;
        }
        if (Plat_SetCurrentDir(start) == 0)
            c.startTyped = true;
    }
    snprintf(c.startDirectory, sizeof c.startDirectory, "%s", start);
    c.onlyStartDir = Dlg_Checked(dialog, IDC_GREP_ONLY_START);
    c.onlyLimb = Dlg_Checked(dialog, IDC_GREP_ONLY_LIMB);
    GetDlgItemTextA(dialog, IDC_GREP_MASK, c.mask, sizeof c.mask);
    c.limitSize = Dlg_Checked(dialog, IDC_GREP_LIMIT_SIZE);
    c.matchDates = Dlg_Checked(dialog, IDC_GREP_MATCH_DATES);
    c.containingString = Dlg_Checked(dialog, IDC_GREP_CONTAINING) && FindStringGiven();
    c.listMatchingLines = Dlg_Checked(dialog, IDC_GREP_LIST_LINES);
    c.listWindow = Dlg_Checked(dialog, IDC_GREP_LIST_WINDOW);
    gSearchCriteria = c;
    gSearchTexts = run->record.texts;
    EndDialog(dialog, c.listWindow ? kEndedListMode : 1);
}

void Grep_OnCommand(HWND dialog, GrepRun* run, int id, int code) {
    switch (id) {
    case IDC_GREP_MASK1:
    case IDC_GREP_MASK2:
    case IDC_GREP_MASK3:
    case IDC_GREP_MASK4: {
        char label[kSearchTextMax] = "";
        GetDlgItemTextA(dialog, id, label, sizeof label);
        SetDlgItemTextA(dialog, IDC_GREP_MASK, label);
        FocusAndSelect(dialog, IDC_GREP_MASK);
        break;
    }
    case IDC_GREP_ONLY_START:
        if (Dlg_Checked(dialog, id))
            Dlg_Check(dialog, IDC_GREP_ONLY_LIMB, false);
        break;
    case IDC_GREP_ONLY_LIMB:
        if (Dlg_Checked(dialog, id))
            Dlg_Check(dialog, IDC_GREP_ONLY_START, false);
        break;
    case IDC_GREP_CONTAINING:
    case IDC_GREP_LIST_WINDOW:
        Grep_UpdateListLines(dialog, true);
        break;
    case IDC_GREP_START_DIR:
        if (code == EN_CHANGE && !run->settingStart)
            run->startEdited = true;
        break;
    case IDC_GREP_STRING:
        Grep_OnString(dialog);
        break;
    case IDC_GREP_DISKS:
        SrchOptsDlg_Run(dialog, &run->record);
        break;
    case IDC_GREP_SIZE:
        Grep_TakeQualifier(dialog, IDC_GREP_LIMIT_SIZE, SrchSizeDlg_Run(dialog, &run->record));
        break;
    case IDC_GREP_DATE:
        Grep_TakeQualifier(dialog, IDC_GREP_MATCH_DATES, SrchDateDlg_Run(dialog, &run->record));
        break;
    case IDOK:
        Grep_OnSearch(dialog, run);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    }
}

} // namespace

INT_PTR CALLBACK SrchSizeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Qualifier_Proc(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK SrchDateDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Qualifier_Proc(dialog, message, wParam, lParam);
}

int SrchSizeDlg_Run(HWND owner, GrepRecord* record) {
    return Qualifier_Run(owner, record, &kSizeDialog, "SrchSizeBox", SrchSizeDlg);
}

int SrchDateDlg_Run(HWND owner, GrepRecord* record) {
    return Qualifier_Run(owner, record, &kDateDialog, "SrchDateBox", SrchDateDlg);
}

INT_PTR CALLBACK SrchOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DisksRun* run = reinterpret_cast<DisksRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        return Disks_OnInit(dialog, reinterpret_cast<DisksRun*>(lParam));
    case WM_COMMAND:
        if (!run)
            break;
        switch (LOWORD(wParam)) {
        case IDC_SRCHOPTS_DISK_LIST:
            if (HIWORD(wParam) == LBN_DBLCLK)
                Disks_Add(dialog, run);
            break;
        case IDC_SRCHOPTS_SEARCH:
            if (HIWORD(wParam) == LBN_DBLCLK)
                Disks_Remove(dialog, run);
            break;
        case IDC_SRCHOPTS_ADD:
            Disks_Add(dialog, run);
            break;
        case IDC_SRCHOPTS_REMOVE:
            Disks_Remove(dialog, run);
            break;
        case IDC_SRCHOPTS_LOGGED:
            run->disks[0] = 0;
            SendDlgItemMessageA(dialog, IDC_SRCHOPTS_SEARCH, LB_RESETCONTENT, 0, 0);
            break;
        case IDOK:
            EndDialog(dialog, 1);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        }
        return TRUE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int SrchOptsDlg_Run(HWND owner, GrepRecord* record) {
    DisksRun run = {record, ""};
    snprintf(run.disks, sizeof run.disks, "%s", record->criteria.disks);
    if (DialogBoxParamA(Dlg_Instance(), "SrchOptsBox", owner, SrchOptsDlg,
                        reinterpret_cast<LPARAM>(&run)) != 1)
        return 0;
    snprintf(record->criteria.disks, sizeof record->criteria.disks, "%s", run.disks);
    // The list is a setting of its own, saved with the others.
    const size_t n = strlen(run.disks);
    memcpy(gSettings.searchDisks, run.disks, n);
    gSettings.searchDisks[n] = kDriveListEnd;
    snprintf(gSearchCriteria.disks, sizeof gSearchCriteria.disks, "%s", run.disks);
    gSettings.optionsChanged = 1;
    return 1;
}

int SrchOptsDlg_RunForSettings(HWND owner) {
    GrepRecord* record = new GrepRecord();
    int n = 0;
    for (; n < kSearchDisksMax && gSettings.searchDisks[n] != kDriveListEnd; n++)
        record->criteria.disks[n] = (char)gSettings.searchDisks[n];
    record->criteria.disks[n] = 0;
    const int rc = SrchOptsDlg_Run(owner, record);
    delete record;
    return rc;
}

INT_PTR CALLBACK GrepDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    GrepRun* run = reinterpret_cast<GrepRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        return Grep_OnInit(dialog, reinterpret_cast<GrepRun*>(lParam));
    case WM_COMMAND:
        if (!run)
            break;
        Grep_OnCommand(dialog, run, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int GrepDlg_Run(HWND owner, const char* mask, const char* directoryWindowDir) {
    GrepRun* run = new GrepRun();
    run->record.criteria = gSearchCriteria;
    run->record.texts = gSearchTexts;
    // The disks come from the settings, which the options and the INI may have changed.
    int n = 0;
    for (; n < kSearchDisksMax && gSettings.searchDisks[n] != kDriveListEnd; n++)
        run->record.criteria.disks[n] = (char)gSettings.searchDisks[n];
    run->record.criteria.disks[n] = 0;
    if (mask && mask[0])
        snprintf(run->record.criteria.mask, sizeof run->record.criteria.mask, "%s", mask);
    snprintf(run->record.directoryWindowDir, sizeof run->record.directoryWindowDir, "%s",
             directoryWindowDir ? directoryWindowDir : "");
    const int rc = (int)DialogBoxParamA(Dlg_Instance(), "GrepBox", owner, GrepDlg,
                                        reinterpret_cast<LPARAM>(run));
    delete run;
    return rc == kEndedListMode ? -1 : rc == 1 ? 1 : 0; // -1 here: the box could not be shown
}
