// What the user does in a view: the keys, the scroll bars, the left button's selection (with
// the timer that scrolls while it is dragged past the rows), the status band's panes under the
// mouse, and the right button's position strip.
#include <string.h>

#include "print/psview_win.h"
#include "resources/resource.h"
#include "shell/frame_win.h"
#include "viewer/viewcalc.h"
#include "viewer/windata_win.h"

namespace {

bool LastLineShown(const WinData* w) {
    const ViewEngine* e = View_Engine();
    return e->atEnd && e->totalLines != END_LINE &&
           e->totalLines <= e->file.topLine + w->geo.pageLines - 1;
}

void SetHScroll(WinData* w, int32_t value) {
    ViewEngine* e = View_Engine();
    int32_t most = e->sizes.lineLength - 1;
    if (value > most)
        value = most;
    if (value < 0)
        value = 0;
    if (value == e->file.hScroll)
        return;
    e->file.hScroll = value;
    w->file.hScroll = value;
    SetScrollPos(w->hScrollBar, SB_CTL, value, TRUE);
    InvalidateRect(w->window, &w->geo.text, TRUE);
    if (w->titlePane)
        InvalidateRect(w->titlePane, NULL, TRUE);
}

// The row (0-based, clamped to the rows present) and the 1-based column under a point of the
// text area; the column counts from the line's start (hScroll included).
void HitTest(WinData* w, POINT at, int32_t* row, int32_t* column) {
    ViewEngine* e = View_Engine();
    int32_t r = (at.y - w->geo.text.top) / (w->geo.lineHeight > 0 ? w->geo.lineHeight : 1);
    if (at.y < w->geo.text.top)
        r = 0;
    int32_t rows = 0;
    while (rows <= w->geo.pageLines && e->rowOffset[rows] != -1 &&
           e->file.topLine + rows <= (e->atEnd ? e->lastLine : END_LINE))
        rows++;
    if (r > rows - 1)
        r = rows - 1;
    if (r < 0)
        r = 0;
    *row = r;
    const char* text = rows > 0 ? e->displayText + e->rowOffset[r] : "";
    int32_t length = (int32_t)strlen(text);
    int32_t from = e->file.hScroll < length ? e->file.hScroll : length;
    int32_t fit = 0;
    int width = at.x - w->geo.leftMargin;
    if (width > 0 && length > from) {
        HDC dc = GetDC(w->window);
        HGDIOBJ old = SelectObject(dc, w->font);
        SIZE size;
        INT fitCount = 0;
        GetTextExtentExPointA(dc, text + from, length - from, width, &fitCount, NULL, &size);
        fit = fitCount;
        SelectObject(dc, old);
        ReleaseDC(w->window, dc);
        if (fit > length - from)
            fit = length - from; // past the row's end: its end
    }
    *column = e->file.hScroll + fit + 1;
}

// The selection's end moves to the point (clamped to the text area's rows).
void ExtendTo(WinData* w, POINT at) {
    int32_t row, column;
    HitTest(w, at, &row, &column);
    int64_t line = View_Engine()->file.topLine + row;
    int64_t oldEnd = w->selToLine;
    w->selToLine = line;
    w->selToColumn = w->selectionState == 1 ? -1 : column;
    ViewPaint_InvalidateLines(w, oldEnd, line);
}

void ScrollForSelection(WinData* w, int32_t direction) {
    ViewEngine* e = View_Engine();
    if (direction < 0 && e->file.topLine > 1)
        ViewInput_MoveTo(w, e->file.topLine - 1);
    else if (direction > 0 && !w->atEndOfView)
        ViewInput_MoveTo(w, e->file.topLine + 1);
}

void SetScrollTimer(WinData* w, int32_t direction) {
    if (direction == w->scrollTimerDirection)
        return;
    if (w->scrollTimerDirection)
        KillTimer(w->window, kSelectScrollTimer);
    w->scrollTimerDirection = direction;
    if (direction)
        SetTimer(w->window, kSelectScrollTimer, kSelectScrollMs, NULL);
}

void DragSelection(WinData* w, POINT at, WPARAM keys) {
    if (w->positionStripShown && (keys & MK_RBUTTON)) {
        // handled by the strip below
    }
    if (w->selecting) {
        int32_t direction = at.y < w->geo.text.top ? -1 : at.y >= w->geo.text.bottom ? 1 : 0;
        if (direction)
            ScrollForSelection(w, direction);
        SetScrollTimer(w, direction);
        ExtendTo(w, at);
    }
}

// The right-button strip: where the character under the pointer lies in the file.
void UpdatePositionStrip(WinData* w, POINT at) {
    ViewEngine* e = View_Engine();
    int32_t row, column;
    HitTest(w, at, &row, &column);
    int32_t c = column - 1; // 0-based within the row
    if (at.x >= w->geo.leftMargin) {
        HDC dc = GetDC(w->window);
        HGDIOBJ old = SelectObject(dc, w->font);
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(w->window, dc);
        // Past the end of a row the pointer still names a column, counted in average widths.
        const char* text = e->displayText + e->rowOffset[row];
        int32_t length = (int32_t)strlen(text);
        if (c >= length && tm.tmAveCharWidth > 0) {
            SIZE size = {};
            HDC dc2 = GetDC(w->window);
            HGDIOBJ old2 = SelectObject(dc2, w->font);
            int32_t from = e->file.hScroll < length ? e->file.hScroll : length;
            GetTextExtentPoint32A(dc2, text + from, length - from, &size);
            SelectObject(dc2, old2);
            ReleaseDC(w->window, dc2);
            c = length + (at.x - w->geo.leftMargin - size.cx) / tm.tmAveCharWidth;
            if (c < length)
                c = length;
        }
    }
    int64_t j = e->file.topLine - e->firstLine + row;
    int64_t rowOffset =
        j >= 0 && j < e->lineCount ? ViewPaint_LineOffset(e, (int32_t)j) : e->file.bufferOffset;
    int64_t character;
    int64_t offset;
    if (e->settings.hexMode) {
        int32_t b = HexColumnToByte(c);
        character = b + 1;
        offset = rowOffset + b;
    } else {
        character = (int64_t)c + 1;
        offset = rowOffset + c;
    }
    int64_t last = e->file.fileSize > 0 ? e->file.fileSize - 1 : 0;
    if (offset > last) {
        character -= offset - last;
        offset = last;
        if (character < 1)
            character = 1;
    }
    FormatPositionStrip(e->file.topLine + row, character, offset, w->positionStrip,
                        sizeof w->positionStrip);
    w->positionStripShown = true;
    InvalidateRect(w->window, &w->geo.band, FALSE);
}

} // namespace

// ---- Scrolling ----------------------------------------------------------------------------------

void ViewInput_ClearMatch() {
    ViewEngine* e = View_Engine();
    e->matchLine = 0;
    e->matchColumn = 0;
    e->matchLength = 0;
    e->matches.assign(1, MatchField{-1, 0, 0});
}

// The top line was set: the engine is brought to it, and the window either moves its pixels (a
// move within a page) or is drawn again.
void ViewInput_AfterMove(WinData* w, int64_t oldTop) {
    ViewEngine* e = View_Engine();
    EnsureWindow(e, false);
    int64_t moved = e->file.topLine - oldTop;
    if (moved != 0 && moved > -w->geo.pageLines && moved < w->geo.pageLines) {
        ScrollWindowEx(w->window, 0, (int)(-moved * w->geo.lineHeight), &w->geo.text,
                       &w->geo.text, NULL, NULL, SW_INVALIDATE | SW_ERASE);
    } else if (moved != 0) {
        InvalidateRect(w->window, &w->geo.text, TRUE);
    }
    ViewPaint_PositionChanged(w);
}

void ViewInput_MoveTo(WinData* w, int64_t top) {
    ViewEngine* e = View_Engine();
    int64_t old = e->file.topLine;
    ViewPaint_RemoveMatchHighlight(w, 0, false);
    ViewInput_ClearMatch();
    e->file.topLine = top < 1 ? 1 : top;
    ViewInput_AfterMove(w, old);
}

// A display setting changed: the top line keeps its file offset.
void ViewInput_Relayout(WinData* w, bool binaryUnasked) {
    Engine_Load(View_Engine(), EngineLoad{true, false, binaryUnasked, false});
    w->display = View_Engine()->settings;
    View_Redisplay(w);
}

void ViewInput_ToggleStrip(WinData* w) {
    ViewEngine* e = View_Engine();
    e->settings.stripBit7 = !e->settings.stripBit7;
    ViewInput_Relayout(w);
}

void ViewInput_ToggleHex(WinData* w) {
    ViewEngine* e = View_Engine();
    // Hex rows show the file itself: PostScript text goes first, keeping the place.
    if (e->settings.postScriptState & kPostScriptShown)
        PsView_Toggle(w);
    const bool leaving = e->settings.hexMode != 0;
    e->settings.hexMode = !leaving;
    if (!leaving)
        e->settings.binaryMode = 0;
    // Turned off, a file that is not text goes to binary rows unasked.
    ViewInput_Relayout(w, leaving);
}

void ViewInput_Key(WinData* w, WPARAM key, int repeat) {
    ViewEngine* e = View_Engine();
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (repeat < 1)
        repeat = 1;
    const int64_t top = e->file.topLine;
    switch (key) {
    case VK_PRIOR:
        if (top > 1)
            ViewInput_MoveTo(w, PageUpTop(top, w->geo.pageLines));
        return;
    case VK_NEXT:
        if (!(e->atEnd && LastLineShown(w)))
            ViewInput_MoveTo(w, top + w->geo.pageLines);
        return;
    case VK_END:
        if (!(e->atEnd && LastLineShown(w)))
            ViewInput_MoveTo(w, END_LINE);
        return;
    case VK_HOME:
        if (top != 1)
            ViewInput_MoveTo(w, 1);
        return;
    case VK_UP:
        ViewInput_MoveTo(w, top - repeat);
        return;
    case VK_DOWN:
        if (!w->atEndOfView)
            ViewInput_MoveTo(w, top + repeat);
        return;
    case VK_LEFT:
        SetHScroll(w, e->file.hScroll - 1);
        return;
    case VK_RIGHT:
        SetHScroll(w, e->file.hScroll + 1);
        return;
    }
    if (ctrl || alt)
        return;
    if (key >= '0' && key <= '9') {
        int64_t old = e->file.topLine;
        ViewPaint_RemoveMatchHighlight(w, 0, false);
        ViewInput_ClearMatch();
        GoToPercent(e, 10.0 * (double)(key - '0'));
        ViewInput_AfterMove(w, old);
    } else if (key == 'S') {
        ViewInput_ToggleStrip(w);
    } else if (key == 'X') {
        ViewInput_ToggleHex(w);
    }
}

void ViewInput_VScroll(WinData* w, int code, int position) {
    ViewEngine* e = View_Engine();
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return;
    switch (code) {
    case SB_LINEUP:
        ViewInput_Key(w, VK_UP, 1);
        break;
    case SB_LINEDOWN:
        ViewInput_Key(w, VK_DOWN, 1);
        break;
    case SB_PAGEUP:
        ViewInput_Key(w, VK_PRIOR, 1);
        break;
    case SB_PAGEDOWN:
        ViewInput_Key(w, VK_NEXT, 1);
        break;
    case SB_THUMBTRACK: {
        int current = GetScrollPos(w->vScrollBar, SB_CTL);
        w->thumbDragging = true;
        if (position > current && w->atEndOfView)
            break;
        int64_t old = e->file.topLine;
        ViewPaint_RemoveMatchHighlight(w, 0, false);
        ViewInput_ClearMatch();
        GoToPercent(e, (double)position);
        ViewInput_AfterMove(w, old);
        SetScrollPos(w->vScrollBar, SB_CTL, w->atEndOfView && position > current ? 100 : position,
                     TRUE);
        break;
    }
    case SB_THUMBPOSITION:
        SetScrollPos(w->vScrollBar, SB_CTL, position, TRUE);
        w->thumbDragging = false;
        break;
    case SB_ENDSCROLL:
        w->thumbDragging = false;
        break;
    }
}

void ViewInput_HScroll(WinData* w, int code, int position) {
    ViewEngine* e = View_Engine();
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return;
    switch (code) {
    case SB_LINELEFT:
        ViewInput_Key(w, VK_LEFT, 1);
        break;
    case SB_LINERIGHT:
        ViewInput_Key(w, VK_RIGHT, 1);
        break;
    case SB_PAGELEFT:
        SetHScroll(w, e->file.hScroll - e->settings.tabSpacing);
        break;
    case SB_PAGERIGHT:
        SetHScroll(w, e->file.hScroll + e->settings.tabSpacing);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetHScroll(w, position);
        break;
    }
}

// ---- Mouse --------------------------------------------------------------------------------------

void View_ClearSelection(WinData* w) {
    w->selectionState = 0;
    w->selFromLine = w->selToLine = 0;
    w->selFromColumn = w->selToColumn = 0;
}

void ViewInput_EnableSelectionItems(bool on) {
    HMENU menu = GetMenu(gFrame);
    for (UINT id : {IDM_COPY, IDM_DESELECT, IDM_TITLE_LOCK})
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void View_DropSelection(WinData* w) {
    if (w->selectionState)
        ViewPaint_InvalidateLines(w, w->selFromLine, w->selToLine);
    View_ClearSelection(w);
    ViewInput_EnableSelectionItems(false);
}

void ViewInput_LButtonDown(WinData* w, POINT at, WPARAM keys) {
    if (w->activatingClick) {
        w->activatingClick = false;
        return;
    }
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return;
    const ViewGeometry& g = w->geo;
    if (at.y >= g.band.top) {
        StatusPanes p = LayOutStatusBand(g.dpiX, g.dpiY, g.leftMargin, g.band.top, g.bandRight,
                                         g.client.bottom, View_Engine()->file.fileSize);
        if (at.x >= p.strip.left && at.x < p.strip.right)
            SendMessageA(gFrame, WM_COMMAND, IDM_STRIP, 0);
        else if (at.x >= p.line.left && at.x < p.line.right)
            SendMessageA(gFrame, WM_COMMAND, IDM_GO_TO_LINE, 0);
        else if (at.x >= p.page.left && at.x < p.page.right)
            ViewInput_Key(w, at.x > (p.page.left + p.page.right) / 2 ? VK_NEXT : VK_PRIOR, 1);
        return;
    }
    if (at.y < g.text.top || at.y >= g.text.bottom || at.x >= g.text.right)
        return;
    if (w->selectionState && (keys & MK_SHIFT)) {
        ExtendTo(w, at);
    } else {
        if (w->selectionState)
            ViewPaint_InvalidateLines(w, w->selFromLine, w->selToLine);
        int32_t row, column;
        HitTest(w, at, &row, &column);
        w->selFromLine = w->selToLine = View_Engine()->file.topLine + row;
        if (at.x < g.leftMargin) {
            w->selectionState = 1;
            w->selFromColumn = 1;
            w->selToColumn = -1;
        } else {
            w->selectionState = 2;
            w->selFromColumn = w->selToColumn = column;
        }
        ViewPaint_InvalidateLines(w, w->selFromLine, w->selToLine);
    }
    w->selecting = true;
    SetCapture(w->window);
}

void ViewInput_MouseMove(WinData* w, POINT at, WPARAM keys) {
    if (w->positionStripShown && (keys & MK_RBUTTON))
        UpdatePositionStrip(w, at);
    else
        DragSelection(w, at, keys);
}

void ViewInput_SelectTimer(WinData* w) {
    if (!w->selecting || !w->scrollTimerDirection) {
        SetScrollTimer(w, 0);
        return;
    }
    ScrollForSelection(w, w->scrollTimerDirection);
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(w->window, &at);
    ExtendTo(w, at);
}

void ViewInput_LButtonUp(WinData* w) {
    if (!w->selecting)
        return;
    w->selecting = false;
    SetScrollTimer(w, 0);
    ReleaseCapture();
    if (w->selectionState) {
        if (w->selectionState == 1)
            w->selToColumn = -1;
        ViewInput_EnableSelectionItems(true);
    }
}

void ViewInput_RButtonDown(WinData* w, POINT at) {
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return;
    if (at.y < w->geo.text.top || at.y >= w->geo.text.bottom)
        return;
    SetCapture(w->window);
    UpdatePositionStrip(w, at);
}

void ViewInput_RButtonUp(WinData* w) {
    if (!w->positionStripShown)
        return;
    w->positionStripShown = false;
    w->positionStrip[0] = 0;
    ReleaseCapture();
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, &w->geo.band, TRUE);
}
