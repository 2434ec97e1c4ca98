#include "search/matchdlg_win.h"

#include <string>

#include "lister/launch_win.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/startup_win.h"

namespace {

struct MatchRecord {
    const char* path;
    int defaultButton;
};

BOOL MatchDlg_OnInit(HWND dialog, const MatchRecord* record) {
    const std::string path = record->path;
    const size_t cut = path.find_last_of("\\/:");
    const std::string dir = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    SetDlgItemTextA(dialog, IDC_MATCH_DIR, dir.c_str());
    SetDlgItemTextA(dialog, IDC_MATCH_NAME, path.substr(dir.size()).c_str());
    const int first = record->defaultButton == kMatchDefaultSkip ? IDC_MATCH_SKIP : IDC_MATCH_VIEW;
    SendMessageA(dialog, DM_SETDEFID, (WPARAM)first, 0);
    SetFocus(GetDlgItem(dialog, first));
    return FALSE;
}

int AnswerOf(WORD id) {
    switch (id) {
    case IDC_MATCH_VIEW:
        return kMatchView;
    case IDC_MATCH_SKIP:
        return kMatchSkip;
    case IDC_MATCH_ERASE:
        return kMatchErase;
    case IDC_MATCH_LAUNCH:
        return kMatchLaunch;
    case IDC_MATCH_EDIT:
        return kMatchEdit;
    case IDCANCEL:
        return kMatchCancel;
    }
    return 0;
}

} // namespace

INT_PTR CALLBACK MatchDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return MatchDlg_OnInit(dialog, reinterpret_cast<const MatchRecord*>(lParam));
    case WM_COMMAND:
        if (const int answer = AnswerOf(LOWORD(wParam))) {
            EndDialog(dialog, answer);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int ShowMatchBox(HWND owner, const char* path, int defaultButton, bool viewAll) {
    if (viewAll)
        return kMatchView;
    MatchRecord record = {path, defaultButton};
    int answer = (int)DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "MatchBox",
                                      owner, MatchDlg, reinterpret_cast<LPARAM>(&record));
    if (answer <= 0)
        answer = kMatchCancel; // the box could not be shown: stop rather than go on unasked
    if (answer == kMatchLaunch)
        Launch_Files(owner, {path});
    return answer;
}
