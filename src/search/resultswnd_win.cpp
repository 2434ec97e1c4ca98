// The search results window: a sorted list box filling the window. Selecting entries queues
// them for "&Next"; a double click opens the first at once. A list that fills up hands the
// entry it refused to another window, where the search goes on.
#include "search/resultswnd_win.h"

#include <string>
#include <vector>

#include "search/selqueue_win.h"
#include "search/resultssave_win.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/mdichild_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "platform/uiseam.h"
#include "shell/winkind_win.h"
#include "viewer/selcopy_win.h"

namespace {

const char kNoListWindow[] = "Could not create list window";
const char kListFull[] = "List box is full.\nContinue in another window?";
const char kListFullCaption[] = "List Full";
constexpr int kListId = 1;
constexpr int kExtentSlack = 5; // pixels past the widest entry, so its last letter shows whole

struct ResultsWindow {
    HWND list;
    COLORREF textColor;
    COLORREF backgroundColor;
    HBRUSH backgroundBrush;
    int widestEntry; // pixels, in the list's font
    HDC measure; // a memory context with the list's font
    std::string mask; // the title, which the search borrows to show its directory
};

HWND gCurrentResults = NULL;
ResultsContinuation gPending = {"", "", 0};
int gEntryLimit = 0; // 0: the list control's own
ResultsRun gRun = nullptr;

ResultsWindow* Data(HWND results) {
    return reinterpret_cast<ResultsWindow*>(GetWindowLongPtrA(results, 0));
}

// The width of a text in the list's font.
// A search lists thousands of entries, and a window's own device context is a trip to the system
// each time it is had: entries are measured on a memory context holding the list's font.
void MeasureWithFont(ResultsWindow* data, HFONT font) {
    if (!data->measure)
        data->measure = CreateCompatibleDC(NULL);
    if (data->measure)
        SelectObject(data->measure, font);
}

int EntryWidth(ResultsWindow* data, const char* text) {
    SIZE extent = {0, 0};
    if (data->measure)
        GetTextExtentPoint32A(data->measure, text, lstrlenA(text), &extent);
    return extent.cx;
}

void Widen(ResultsWindow* data, int width) {
    if (width <= data->widestEntry)
        return;
    data->widestEntry = width;
    SendMessageA(data->list, LB_SETHORIZONTALEXTENT, (WPARAM)(width + kExtentSlack), 0);
}

void WidenFor(ResultsWindow* data, const char* text) {
    Widen(data, EntryWidth(data, text));
}

bool OnCreate(HWND results) {
    ResultsWindow* data = new ResultsWindow();
    data->textColor = gSettings.colors[kColorSrchText];
    data->backgroundColor = gSettings.colors[kColorSrchBackgnd];
    data->backgroundBrush = gDraw.srchBrush;
    SetWindowLongPtrA(results, 0, reinterpret_cast<LONG_PTR>(data));
    RECT client;
    GetClientRect(results, &client);
    data->list = CreateWindowExA(
        0, "listbox", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY |
            LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
        0, 0, client.right, client.bottom, results, reinterpret_cast<HMENU>(kListId),
        GetModuleHandleA(NULL), NULL);
    if (!data->list) {
        PromptRequest request = {kNoListWindow, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return false;
    }
    SendMessageA(data->list, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts_Get(kFontSearch)), FALSE);
    MeasureWithFont(data, Fonts_Get(kFontSearch));
    return true;
}

void OnListNotice(HWND list, WORD notice) {
    if (notice == LBN_SELCHANGE) {
        // Nothing selected empties the queue and greys "&Next" too.
        SelQueue_BuildFromList(list, "", kQueueView);
    } else if (notice == LBN_DBLCLK) {
        if (SelQueue_BuildFromList(list, "", kQueueView) > 0)
            PostMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    }
}

void OnSize(HWND results, const ResultsWindow* data, WPARAM how, int width, int height) {
    if (how == SIZE_MINIMIZED) {
        Frame_RetileLater();
        return;
    }
    if (data && data->list)
        MoveWindow(data->list, 0, 0, width, height, TRUE);
}

// An icon opened again takes its place as new windows do.
void OnQueryOpen(HWND results) {
    Frame_PlaceReopened(results);
}

void BecomeCurrent(HWND results) {
    gCurrentResults = results;
    Menu_ApplyState(gFrame, results);
}

// Refuses past the limit a test set, as the list control itself does when it is full.
bool ListIsFull(HWND list) {
    return gEntryLimit > 0 && SendMessageA(list, LB_GETCOUNT, 0, 0) >= gEntryLimit;
}

void KeepRefused(const char* text) {
    gPending.entry = text;
    SplitListEntry(text, &gPending.path, &gPending.lastLine);
}

} // namespace

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam) {
    ResultsWindow* data = Data(results); // null until WM_CREATE has made it
    switch (message) {
    case WM_CREATE:
        if (!OnCreate(results))
            return -1;
        break;
    case WM_SIZE:
        OnSize(results, data, wParam, LOWORD(lParam), HIWORD(lParam));
        break; // the MDI child procedure keeps the frame's maximised state
    case WM_QUERYOPEN:
        OnQueryOpen(results);
        return TRUE;
    case WM_SETFOCUS:
        MdiChild_TakeFocus(results, data ? data->list : NULL, false, BecomeCurrent);
        return 0;
    case WM_PARENTNOTIFY:
        // A button pressed in the list makes it the one the commands work on.
        if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN ||
            LOWORD(wParam) == WM_MBUTTONDOWN)
            BecomeCurrent(results);
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == results)
            Menu_ApplyState(gFrame, results);
        else if (reinterpret_cast<HWND>(wParam) == results && data)
            List_ClearSelection(data->list); // a window left keeps no stale marks
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kListId && lParam) {
            OnListNotice(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        if (LOWORD(wParam) == kResultsRunCommand && !lParam) {
            if (gRun)
                gRun(results);
            return 0;
        }
        if (LOWORD(wParam) == kResultsMinimizeCommand && !lParam) {
            ShowWindow(results, SW_MINIMIZE);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (MdiChild_CloseThroughFrame(results))
            return 0;
        break;
    case WM_DESTROY:
        Frame_RetileLater();
        break;
    case WM_CTLCOLORLISTBOX:
        if (data) {
            if (LRESULT brush = Orv_ColorControl(wParam, data->textColor, data->backgroundColor,
                                                 data->backgroundBrush))
                return brush;
        }
        break;
    case WM_NCDESTROY:
        if (gCurrentResults == results)
            gCurrentResults = NULL;
        if (data && data->measure)
            DeleteDC(data->measure);
        delete data;
        SetWindowLongPtrA(results, 0, 0);
        break;
    }
    return DefMDIChildProcA(results, message, wParam, lParam);
}

void Results_SetRun(ResultsRun run) {
    gRun = run;
}

HWND Results_Create(const char* mask) {
    HWND results = Frame_NewChild(kSrchClassName, mask);
    if (!results)
        return NULL;
    Data(results)->mask = mask;
    SetFocus(results);
    return results;
}

HWND Results_List(HWND results) {
    if (!Orv_IsProgramWindow(results, kKindResults) || !Data(results))
        return NULL;
    return Data(results)->list;
}

HWND Results_Current() {
    return gCurrentResults && IsWindow(gCurrentResults) ? gCurrentResults : NULL;
}

int Results_AddEntry(HWND results, const char* text) {
    HWND list = Results_List(results);
    if (!list)
        return -1;
    const LRESULT index = ListIsFull(list)
                              ? LB_ERRSPACE
                              : SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        KeepRefused(text);
        return -1;
    }
    WidenFor(Data(results), text);
    return (int)index;
}

void Results_ShowSearching(HWND results, const char* directory) {
    ResultsWindow* data = Results_List(results) ? Data(results) : nullptr;
    if (!data)
        return;
    SetWindowTextA(results, directory ? directory : data->mask.c_str());
}

HWND Results_Continue(HWND full) {
    PromptRequest request = {kListFull, kListFullCaption, kButtonsYesNo, kIconQuestion,
                             kPromptOwnedByFocus};
    ResultsWindow* data = Results_List(full) ? Data(full) : nullptr;
    const std::string mask = data ? data->mask : std::string("*.*");
    HWND next = NULL;
    if (Ui_Ask(request) == kAnswerYes)
        next = Results_Create(mask.c_str());
    if (next && !gPending.entry.empty()) {
        // The refused entry leads the new list.
        const ResultsContinuation carried = gPending;
        Results_AddEntry(next, carried.entry.c_str());
    }
    gPending = {"", "", 0};
    return next;
}

const ResultsContinuation& Results_Pending() {
    return gPending;
}

void Results_FileDeleted(const char* path) {
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        HWND list = Results_List(child);
        if (!list)
            continue;
        // From the end, so that deleting a row leaves the rows still to be checked in place.
        for (LRESULT row = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1; row >= 0; row--) {
            const std::string text = List_ItemText(list, (int)row);
            std::string entryPath;
            int64_t line = 0;
            SplitListEntry(text.c_str(), &entryPath, &line);
            if (lstrcmpiA(entryPath.c_str(), path) == 0)
                SendMessageA(list, LB_DELETESTRING, (WPARAM)row, 0);
        }
    }
}

int Results_CollectSelected(HWND owner, HWND list, bool toClipboard, std::string* text) {
    text->clear();
    const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0)
        return 0;
    std::vector<int> rows((size_t)count);
    const LRESULT got =
        SendMessageA(list, LB_GETSELITEMS, (WPARAM)count, reinterpret_cast<LPARAM>(rows.data()));
    for (LRESULT i = 0; i < got; i++)
        *text += List_ItemText(list, rows[(size_t)i]) + "\r\n";
    // The same copy a view makes: plain and OEM text, the clipboard always closed again.
    if (toClipboard && !Clipboard_PutText(owner, text->data(), text->size()))
        return 0;
    List_ClearSelection(list);
    return 1;
}

int Results_SaveSelected(HWND owner, HWND list) {
    std::string text;
    if (!list || !Results_CollectSelected(owner, list, false, &text))
        return 0;
    return ListSave_AskAndWrite(owner, text.data(), text.size());
}

void Results_ApplyColors(HWND results) {
    ResultsWindow* data = Results_List(results) ? Data(results) : nullptr;
    if (!data)
        return;
    data->textColor = gSettings.colors[kColorSrchText];
    data->backgroundColor = gSettings.colors[kColorSrchBackgnd];
    data->backgroundBrush = gDraw.srchBrush;
    InvalidateRect(data->list, NULL, TRUE);
}

void Results_ApplyFont(HWND results, HFONT font) {
    ResultsWindow* data = Results_List(results) ? Data(results) : nullptr;
    if (!data)
        return;
    SendMessageA(data->list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The widest entry in the new font sets the extent again.
    MeasureWithFont(data, font);
    data->widestEntry = 0;
    SendMessageA(data->list, LB_SETHORIZONTALEXTENT, 0, 0);
    const LRESULT count = SendMessageA(data->list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; row++)
        WidenFor(data, List_ItemText(data->list, (int)row).c_str());
}

void Results_SetEntryLimitForTests(int entries) {
    gEntryLimit = entries;
}
