#include "search/searchcmd_win.h"

#include <string>

#include "editor/editwnd_win.h"
#include "find/findengine.h"
#include "find/findpat.h"
#include "lister/dirwnd_win.h"
#include "lister/fileops.h"
#include "lister/launch_win.h"
#include "look/dlgcolor_win.h"
#include "platform/uiseam.h"
#include "resources/resource.h"
#include "search/matchdlg_win.h"
#include "search/resultswnd_win.h"
#include "search/searchdlg_win.h"
#include "search/searchwalk.h"
#include "search/selqueue_win.h"
#include "shell/frame_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kNoMoreFiles[] = "No more matching files.";
const char kNoMoreCaption[] = "Search Results";
constexpr UINT kMsgStartSearch = WM_APP + 42;

// The progress box's run: the first search of a File Search, or the one Next resumes.
struct SearchBoxRun {
    HWND frame;
    HWND dialog;
    bool started;
    bool findFile; // Find File has asked its question and begun the search already
    int result;    // what the engine answered
};

void ShowDir(void* context, const char* directory) {
    SearchBoxRun* run = static_cast<SearchBoxRun*>(context);
    SetDlgItemTextA(run->dialog, IDC_SRCHFILE_DIR, directory);
    UpdateWindow(run->dialog);
}

int Offer(void* context, const char* path, bool defaultSkip) {
    SearchBoxRun* run = static_cast<SearchBoxRun*>(context);
    // The walk's busy spell goes on behind the box; the user answers it with the arrow.
    const HCURSOR during = SetCursor(LoadCursor(NULL, IDC_ARROW));
    const int answer = ShowMatchBox(run->dialog, path, defaultSkip ? kMatchDefaultSkip : 0, false);
    SetCursor(during);
    return answer;
}

void Erase(void*, const char* path) {
    DeleteOneFile(path, false, true);
}

void EnableNext(void*, bool enabled) {
    SelQueue_SetNextEnabled(enabled);
}

SearchHooks HooksFor(SearchBoxRun* run) {
    SearchHooks hooks = {};
    hooks.context = run;
    hooks.offer = Offer;
    hooks.erase = Erase;
    hooks.showDirectory = ShowDir;
    hooks.enableNext = EnableNext;
    return hooks;
}

// The match, or the end of the search, as the frame carries it out once the box is gone.
int TakeResult(SearchBoxRun* run) {
    const std::string path = gSearchWalk.foundPath;
    switch (run->result) {
    case kSearchFound: {
        HWND view = View_OpenFile(path.c_str(), 1);
        if (!view)
            return 0;
        if (gSearchCriteria.containingString && !gSearchWalk.findFile) {
            // CR, LF and zero bytes are found only in hex, as the search itself found them.
            if (HasSpecialBytes(gFind))
                View_Command(view, IDM_HEX);
            View_Find(view, true, 0); // lands the view on the match
        }
        return 1;
    }
    case kSearchLaunch:
        Launch_Files(run->frame, {path});
        return 0;
    case kSearchEdit:
        Editor_Open(path.c_str(), false);
        return 0;
    default: {
        PromptRequest request = {kNoMoreFiles, kNoMoreCaption, kButtonsOk, kIconInformation,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        SearchHooks hooks = HooksFor(run);
        Search_Reset(&gSearchWalk, hooks);
        gSearchCriteria.containingString = false;
        return 0;
    }
    }
}

// The contents test reads files through the one engine: the view that holds it lends it to the
// search and has its own state back afterwards, before any match is opened beside it.
void EndLoan(HWND lender) {
    if (lender && IsWindow(lender))
        View_ReclaimEngine(lender);
}

void SearchBox_Run(SearchBoxRun* run) {
    SearchHooks hooks = HooksFor(run);
    // One busy spell up to the next match: the reads inside it leave the pointer as it is.
    void* busy = Ui_BeginBusy(gSearchWalk.startDirectory);
    const HWND lender = View_LendEngine();
    run->result = Search_NextMatch(&gSearchWalk, gSearchCriteria, kSearchMatchBoxMode, hooks);
    EndLoan(lender);
    Ui_EndBusy(busy);
    EndDialog(run->dialog, 1);
}

BOOL SearchBox_OnInit(HWND dialog, SearchBoxRun* run) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    run->dialog = dialog;
    const char* shown = gSearchWalk.currentDirectory[0] ? gSearchWalk.currentDirectory
                                                        : gSearchCriteria.startDirectory;
    char current[MAX_PATH] = "";
    if (!shown[0] && GetCurrentDirectoryA(sizeof current, current))
        shown = current;
    SetDlgItemTextA(dialog, IDC_SRCHFILE_DIR, shown);
    return TRUE;
}

int SearchBox_Show(HWND frame, bool findFile) {
    SearchBoxRun run = {frame, NULL, false, findFile, kSearchEnded};
    if (DialogBoxParamA(gInstance ? gInstance : GetModuleHandleA(NULL), "SrchBox", frame,
                        SrchFileDlg, reinterpret_cast<LPARAM>(&run)) != 1)
        return 0;
    const int opened = TakeResult(&run);
    if (opened > 0)
        Frame_TileIfAsked();
    return opened;
}

// The list a list-mode search fills; the entry a continuing window already leads with is not
// listed twice.
struct ResultsSink {
    HWND window;
    std::string leading;
};

int AddToResults(void* context, const char* entry) {
    ResultsSink* sink = static_cast<ResultsSink*>(context);
    if (!sink->leading.empty() && sink->leading == entry) {
        sink->leading.clear();
        return 1;
    }
    return Results_AddEntry(sink->window, entry) >= 0 ? 1 : 0;
}

// List mode, run by the results window once it is up: every match into its list, and on into
// another window each time one fills up and the user asks for it.
// A list being filled is not drawn entry by entry (each entry would redraw its scroll bar);
// it is drawn whole when its part of the search is over.
void DrawWhileFilling(HWND results, bool draw) {
    HWND list = Results_List(results);
    if (!list)
        return;
    SendMessageA(list, WM_SETREDRAW, draw ? TRUE : FALSE, 0);
    if (draw)
        InvalidateRect(list, NULL, TRUE);
}

// The directory being searched, in the title of the window being filled.
void ShowInTitle(void* context, const char* directory) {
    Results_ShowSearching(static_cast<ResultsSink*>(context)->window, directory);
}

void RunIntoResults(HWND results) {
    ResultsSink into = {results, std::string()};
    SearchHooks hooks = {};
    hooks.context = &into;
    hooks.erase = Erase;
    hooks.showDirectory = ShowInTitle;
    hooks.enableNext = EnableNext;
    SearchContinuation cont = {};
    const HWND lender = View_LendEngine();
    for (;;) {
        const SearchListSink sink = {&into, AddToResults, nullptr};
        DrawWhileFilling(into.window, false);
        Search_ListMatches(&gSearchWalk, gSearchCriteria, hooks, sink, &cont);
        Results_ShowSearching(into.window, nullptr);
        DrawWhileFilling(into.window, true);
        if (!cont.full)
            break;
        HWND next = Results_Continue(into.window);
        if (!next)
            break;
        into = {next, cont.entry};
    }
    EndLoan(lender);
    Search_Reset(&gSearchWalk, hooks);
}

} // namespace

void FileSearch_OpenResults() {
    if (!gSearchCriteria.mask[0])
        return;
    Results_SetRun(RunIntoResults);
    HWND results = Results_Create(gSearchCriteria.mask);
    if (results)
        PostMessageA(results, WM_COMMAND, kResultsRunCommand, 0);
}

INT_PTR CALLBACK SrchFileDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SearchBoxRun* run = reinterpret_cast<SearchBoxRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        return SearchBox_OnInit(dialog, reinterpret_cast<SearchBoxRun*>(lParam));
    case WM_PAINT:
        // The search starts once the box has shown itself.
        if (run && !run->started) {
            run->started = true;
            PostMessageA(dialog, kMsgStartSearch, 0, 0);
        }
        break;
    case kMsgStartSearch:
        if (run)
            SearchBox_Run(run);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            SearchHooks hooks = run ? HooksFor(run) : SearchHooks();
            Search_Reset(&gSearchWalk, hooks);
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

void FileSearch_Command(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    std::string mask;
    std::string dir;
    if (target.kind == kKindDir) {
        mask = DirWindow_ComboText(target.window);
        dir = DirWindow_Directory(target.window);
    }
    const int rc = GrepDlg_Run(frame, mask.empty() ? nullptr : mask.c_str(), dir.c_str());
    if (rc == 0)
        return;
    // A new File Search always starts afresh.
    SearchBoxRun quiet = {frame, NULL, false, false, kSearchEnded};
    SearchHooks hooks = HooksFor(&quiet);
    hooks.showDirectory = nullptr;
    Search_Reset(&gSearchWalk, hooks);
    if (rc == -1)
        FileSearch_OpenResults();
    else
        SearchBox_Show(frame, false);
}

bool FileSearch_IsPaused() {
    return gSearchWalk.phase != kPhaseIdle && gSearchWalk.mode == kSearchMatchBoxMode;
}

bool FileSearch_IsRunning() {
    return gSearchWalk.running;
}

int FileSearch_Resume(HWND frame) {
    if (!FileSearch_IsPaused())
        return 0;
    return SearchBox_Show(frame, gSearchWalk.findFile);
}

int FileSearch_FindFile(HWND frame, const char* path, int openError) {
    // The disks to search are the setting's, whether or not File Search ran before.
    int n = 0;
    for (; n < kSearchDisksMax && gSettings.searchDisks[n] != kDriveListEnd; n++)
        gSearchCriteria.disks[n] = (char)gSettings.searchDisks[n];
    gSearchCriteria.disks[n] = 0;
    SearchBoxRun run = {frame, NULL, true, true, kSearchEnded};
    SearchHooks hooks = HooksFor(&run);
    hooks.showDirectory = nullptr;
    hooks.offer = [](void*, const char* found, bool defaultSkip) {
        return ShowMatchBox(gFrame, found, defaultSkip ? kMatchDefaultSkip : 0, false);
    };
    run.result = Search_FindFile(&gSearchWalk, path, openError, gSearchCriteria, hooks);
    if (run.result == kSearchDeclined)
        return 0; // the directory window goes on in the start directory
    return TakeResult(&run);
}
