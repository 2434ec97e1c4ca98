// A view's selection turned into text: copied to the clipboard, or locked as title lines in a
// pane (OrvTitleClass) that stays at the top of the view while the rest scrolls.
#include <string.h>

#include "find/findinput.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/frame_win.h"
#include "viewer/selcopy.h"
#include "viewer/selcopy_win.h"
#include "viewer/viewwnd_win.h"
#include "viewer/windata_win.h"

namespace {

ViewSelection SelectionOf(const WinData* w) {
    return ViewSelection{w->selFromLine, w->selToLine, w->selFromColumn, w->selToColumn,
                         w->selectionState};
}

void EnableUnlock(bool on) {
    if (gFrame)
        EnableMenuItem(GetMenu(gFrame), IDM_TITLE_UNLOCK,
                       MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

// The view's engine rows may have been rebuilt at other top lines while collecting.
void AfterCollect(WinData* w) {
    EnsureWindow(View_Engine(), false);
    View_DropSelection(w);
    View_Redisplay(w);
}

} // namespace

int View_CopySelection(WinData* w) {
    if (!w->selectionState)
        return 0;
    CollectedText out;
    int rc = CollectSelection(View_Engine(), SelectionOf(w), kCollectClipboard, &out);
    if (rc == 1)
        rc = Clipboard_PutText(w->window, out.text.data(), out.text.size());
    AfterCollect(w);
    return rc == 1 ? 1 : 0;
}

int View_SelectionForFind(HWND view, std::string* text) {
    WinData* w = View_Data(view);
    if (!w || View_EngineView() != view || w->selectionState != 2)
        return 0;
    // Dragged right to left, the anchor is the later column.
    const int32_t from = w->selFromColumn <= w->selToColumn ? w->selFromColumn : w->selToColumn;
    const int32_t to = w->selFromColumn <= w->selToColumn ? w->selToColumn : w->selFromColumn;
    if (!FindPrefill_ViewSelectionFits(w->selFromLine, from, w->selToLine, to))
        return 0;
    CollectedText out;
    const int rc = CollectSelection(View_Engine(), SelectionOf(w), kCollectFind, &out);
    AfterCollect(w);
    if (rc != 1 || !FindPrefill_Accepts(out.text.data(), (int64_t)out.text.size()))
        return 0;
    *text = out.text;
    return 1;
}

int View_SelectionForSave(HWND view, std::string* text) {
    WinData* w = View_Data(view);
    if (!w || !w->selectionState)
        return 0;
    if (View_EngineView() != view && !View_Activate(w, false))
        return 0;
    CollectedText out;
    const int rc = CollectSelection(View_Engine(), SelectionOf(w), kCollectSave, &out);
    AfterCollect(w);
    if (rc != 1)
        return 0;
    text->swap(out.text);
    return 1;
}

void Title_Remove(WinData* w) {
    if (!w->titlePane)
        return;
    HWND pane = w->titlePane;
    w->titlePane = NULL;
    w->titleHeight = 0;
    DestroyWindow(pane); // its WM_DESTROY frees the text
    if (w->titleText) {
        GlobalFree(w->titleText);
        w->titleText = NULL;
    }
    w->titleLineCount = 0;
    View_Layout(w);
    View_Engine()->pageLines = w->geo.pageLines;
    EnableUnlock(false);
    View_Redisplay(w);
}

int Title_Lock(WinData* w) {
    if (!w->selectionState)
        return 0;
    ViewSelection selection = SelectionOf(w);
    Title_Remove(w);
    CollectedText out;
    if (CollectSelection(View_Engine(), selection, kCollectTitle, &out) != 1) {
        AfterCollect(w);
        return 0;
    }
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, out.text.size() + 1);
    char* p = text ? static_cast<char*>(GlobalLock(text)) : nullptr;
    if (!p) {
        if (text)
            GlobalFree(text);
        AfterCollect(w);
        return 0;
    }
    memcpy(p, out.text.data(), out.text.size());
    p[out.text.size()] = 0;
    GlobalUnlock(text);
    w->titleText = text;
    w->titleFirstLine = out.firstLine;
    w->titleLineCount = out.lineCount;
    w->titleHeight = out.lineCount * w->geo.lineHeight + w->geo.topMargin + 2;
    View_Layout(w);
    w->titlePane = CreateWindowExA(0, kTitleClassName, NULL, WS_CHILD | WS_VISIBLE, 0, 0,
                                   w->geo.text.right, w->titleHeight, w->window, NULL,
                                   GetModuleHandleA(NULL), NULL);
    View_Engine()->pageLines = w->geo.pageLines;
    EnableUnlock(w->titlePane != NULL);
    AfterCollect(w);
    return w->titlePane ? 1 : 0;
}

void Title_Relock(WinData* w) {
    View_Redisplay(w);
    if (!w->titlePane)
        return;
    WinData kept = *w; // the user's own selection comes back afterwards
    w->selectionState = 1;
    w->selFromLine = w->titleFirstLine;
    w->selToLine = w->titleFirstLine + w->titleLineCount - 1;
    w->selFromColumn = 1;
    w->selToColumn = -1;
    Title_Lock(w);
    w->selectionState = kept.selectionState;
    w->selFromLine = kept.selFromLine;
    w->selToLine = kept.selToLine;
    w->selFromColumn = kept.selFromColumn;
    w->selToColumn = kept.selToColumn;
}

LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam) {
    WinData* w = View_Data(GetParent(title));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(title, &ps);
        if (w && w->titleText) {
            const char* text = static_cast<const char*>(GlobalLock(w->titleText));
            HGDIOBJ oldFont = SelectObject(dc, w->font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, w->textColor);
            const int32_t h = View_EngineView() == w->window ? View_Engine()->file.hScroll
                                                             : w->file.hScroll;
            const char* line = text;
            for (int32_t i = 0; text && i < w->titleLineCount; i++) {
                int32_t length = (int32_t)strlen(line);
                int32_t shown = length > 0 && line[length - 1] == '\n' ? length - 1 : length;
                if (shown > h)
                    TextOutA(dc, w->geo.leftMargin, w->geo.topMargin + i * w->geo.lineHeight,
                             line + h, shown - h);
                line += length + 1;
            }
            SelectObject(dc, oldFont);
            GlobalUnlock(w->titleText);
            RECT client;
            GetClientRect(title, &client);
            MoveToEx(dc, 0, client.bottom - 2, NULL);
            LineTo(dc, client.right, client.bottom - 2);
        }
        EndPaint(title, &ps);
        return 0;
    }
    case WM_DESTROY:
        if (w && w->titlePane == title && w->titleText) {
            GlobalFree(w->titleText);
            w->titleText = NULL;
        }
        EnableUnlock(false);
        return 0;
    }
    return DefWindowProcA(title, message, wParam, lParam);
}
