// The search results window: a sorted list box filling the window. Selecting entries queues
// them for "&Next"; a double click opens the first at once.
#include "find/srchwnd.h"

#include <string>
#include <vector>

#include "find/selqueue_win.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/drawobjects.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/settings.h"
#include "platform/uiseam.h"
#include "shell/winkind.h"
#include "viewer/selcopy_win.h"

namespace {

const char kNoListWindow[] = "Could not create list window";
constexpr int kListId = 1;
constexpr int kExtentSlack = 5; // pixels past the widest entry, so its last letter shows whole

struct ResultsWindow {
    HWND list;
    COLORREF textColor;
    COLORREF backgroundColor;
    HBRUSH backgroundBrush;
    int widestEntry; // pixels, in the list's font
};

ResultsWindow* Data(HWND results) {
    return reinterpret_cast<ResultsWindow*>(GetWindowLongPtrA(results, 0));
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

void OnSize(HWND results, WPARAM how, int width, int height) {
    ResultsWindow* data = Data(results);
    if (data && data->list && how != SIZE_MINIMIZED)
        MoveWindow(data->list, 0, 0, width, height, TRUE);
}

} // namespace

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!OnCreate(results))
            return -1;
        break;
    case WM_SIZE:
        OnSize(results, wParam, LOWORD(lParam), HIWORD(lParam));
        break; // the MDI child procedure keeps the frame's maximised state
    case WM_SETFOCUS:
        ControlBar_EnableFind(false);
        if (Data(results) && Data(results)->list)
            SetFocus(Data(results)->list);
        return 0;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == results)
            Menu_ApplyState(gFrame, results);
        else if (reinterpret_cast<HWND>(wParam) == results && Data(results))
            List_ClearSelection(Data(results)->list); // a window left keeps no stale marks
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kListId) {
            OnListNotice(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORLISTBOX:
        if (ResultsWindow* data = Data(results)) {
            if (LRESULT brush = Orv_ColorControl(wParam, data->textColor, data->backgroundColor,
                                                 data->backgroundBrush))
                return brush;
        }
        break;
    case WM_NCDESTROY:
        delete Data(results);
        SetWindowLongPtrA(results, 0, 0);
        break;
    }
    return DefMDIChildProcA(results, message, wParam, lParam);
}

HWND Results_Create(const char* mask) {
    HWND results = Frame_NewChild(kSrchClassName, mask);
    if (results)
        SetFocus(results);
    return results;
}

HWND Results_List(HWND results) {
    if (!Orv_IsProgramWindow(results, kKindResults) || !Data(results))
        return NULL;
    return Data(results)->list;
}

int Results_AddEntry(HWND results, const char* text) {
    HWND list = Results_List(results);
    if (!list)
        return -1;
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index == LB_ERR || index == LB_ERRSPACE)
        return -1;
    ResultsWindow* data = Data(results);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    if (extent.cx > data->widestEntry) {
        data->widestEntry = extent.cx;
        SendMessageA(list, LB_SETHORIZONTALEXTENT, (WPARAM)(extent.cx + kExtentSlack), 0);
    }
    return (int)index;
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
