// Painting a view: the rows that meet the update area with the match highlighted and the
// selection inverted, and the status band with its position circle, line number, page picture,
// Strip indicator and file facts.
#include <string.h>

#include "shell/drawobjects_win.h"
#include "viewer/viewcalc.h"
#include "viewer/windata_win.h"

namespace {

constexpr int kMaxHighlight = 64;

bool PostScriptShown(const ViewEngine* e) {
    return (e->settings.postScriptState & kPostScriptShown) != 0;
}

// The text of row r, or null past the rows built.
const char* RowText(const ViewEngine* e, int32_t r) {
    if (r < 0 || r > e->pageLines + 1)
        return nullptr;
    for (int32_t i = 0; i <= r; i++)
        if (e->rowOffset[i] == -1)
            return nullptr;
    if (e->atEnd && e->file.topLine + r > e->lastLine)
        return nullptr;
    return e->displayText + e->rowOffset[r];
}

int32_t TextWidth(HDC dc, const char* text, int32_t length) {
    if (length <= 0)
        return 0;
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

int32_t MeasureWithDc(const char* text, int32_t length, void* context) {
    return TextWidth(static_cast<HDC>(context), text, length);
}

// The selection ordered so that its first line comes first (and, within one line, its columns).
struct OrderedSelection {
    int64_t fromLine, toLine;
    int32_t fromColumn, toColumn;
    int32_t state;
};

OrderedSelection Ordered(const WinData* w) {
    OrderedSelection s = {w->selFromLine, w->selToLine, w->selFromColumn, w->selToColumn,
                          w->selectionState};
    if (s.fromLine > s.toLine) {
        int64_t l = s.fromLine;
        s.fromLine = s.toLine;
        s.toLine = l;
        int32_t c = s.fromColumn;
        s.fromColumn = s.toColumn;
        s.toColumn = c;
    } else if (s.fromLine == s.toLine && s.toColumn != -1 && s.fromColumn > s.toColumn) {
        int32_t c = s.fromColumn;
        s.fromColumn = s.toColumn;
        s.toColumn = c;
    }
    if (s.toColumn == -1 && s.fromColumn == -1)
        s.fromColumn = 1;
    return s;
}

// Inverts the selected part of row r (line `line`) whose text is given.
void InvertSelectedPart(WinData* w, HDC dc, const OrderedSelection& s, int64_t line,
                        const char* text, int32_t y) {
    if (!s.state || line < s.fromLine || line > s.toLine)
        return;
    const ViewEngine* e = View_Engine();
    const int32_t length = (int32_t)strlen(text);
    const int32_t h = e->file.hScroll;
    // 0-based character range [first, end) of the line.
    int32_t first = 0, end = length;
    if (s.state == 2) {
        if (line == s.fromLine)
            first = s.fromColumn - 1;
        if (line == s.toLine && s.toColumn != -1)
            end = s.toColumn;
    }
    if (end > length)
        end = length;
    int32_t left, right;
    const char* shown = text + (h < length ? h : length);
    if (first < h)
        first = h;
    if (end <= first) {
        // A selected line with nothing to show still shows that it is selected.
        if (s.state != 1 && !(line > s.fromLine && line < s.toLine))
            return;
        left = w->geo.leftMargin + TextWidth(dc, shown, length > h ? length - h : 0);
        right = left + w->geo.charWidth;
    } else {
        left = w->geo.leftMargin + TextWidth(dc, shown, first - h);
        right = left + TextWidth(dc, text + first, end - first);
    }
    RECT r = {left, y, right, y + w->geo.lineHeight};
    InvertRect(dc, &r);
}

// Draws one row from hScroll: before the match, the match in swapped colours, then the rest.
void DrawRow(WinData* w, HDC dc, const char* text, int32_t y, const MatchField* match) {
    const int32_t h = View_Engine()->file.hScroll;
    const int32_t length = (int32_t)strlen(text);
    if (length <= h)
        return;
    const char* shown = text + h;
    const int32_t n = length - h;
    const int32_t x = w->geo.leftMargin;
    if (!match) {
        TextOutA(dc, x, y, shown, n);
        return;
    }
    // The entry's 1-based display column, shifted by hScroll; length -1 runs to the row's end.
    int32_t start = match->column - 1 - h; // 0-based within the shown text
    int32_t count = match->length < 0 ? n - (start > 0 ? start : 0) : match->length;
    if (start < 0) {
        if (match->length >= 0)
            count += start;
        start = 0;
    }
    if (start > n)
        start = n;
    if (count > n - start)
        count = n - start;
    if (count < 0)
        count = 0;
    TextOutA(dc, x, y, shown, start);
    int32_t matchX = x + TextWidth(dc, shown, start);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, w->backgroundColor);
    SetBkColor(dc, w->textColor);
    TextOutA(dc, matchX, y, shown + start, count);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, w->textColor);
    SetBkColor(dc, w->backgroundColor);
    int32_t restX = matchX + TextWidth(dc, shown + start, count);
    TextOutA(dc, restX, y, shown + start + count, n - start - count);
}

// Fills the highlight list for text and hex rows (binary rows list their pieces when built).
void FillHighlight(ViewEngine* e) {
    if (e->settings.binaryMode && !e->settings.hexMode)
        return;
    e->matches.clear();
    int64_t row = e->matchLine - e->file.topLine;
    if (e->matchLine > 0 && row >= 0 && row <= e->pageLines) {
        if (e->settings.hexMode) {
            MatchField fields[kMaxHighlight];
            int32_t n = HexMatchFields((int32_t)row, e->matchColumn, e->matchLength, 0, fields,
                                       kMaxHighlight);
            for (int32_t i = 0; i < n; i++)
                e->matches.push_back(fields[i]);
        } else if (e->matchColumn == -1) {
            e->matches.push_back(MatchField{(int32_t)row, 1, -1});
        } else {
            e->matches.push_back(MatchField{(int32_t)row, e->displayColumn, e->matchLength});
        }
    }
    e->matches.push_back(MatchField{-1, 0, 0});
}

const MatchField* HighlightOfRow(const ViewEngine* e, int32_t r) {
    for (const MatchField& m : e->matches) {
        if (m.row < 0)
            break;
        if (m.row == r)
            return &m;
    }
    return nullptr;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const PaneBox& pane) {
    if (!bitmap || pane.right <= pane.left)
        return;
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info))
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const int width = pane.right - pane.left, height = pane.bottom - pane.top;
    if (info.bmWidth <= width && info.bmHeight <= height)
        BitBlt(dc, pane.left, pane.top, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    else
        StretchBlt(dc, pane.left, pane.top, width, height, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

StatusPanes Panes(const WinData* w) {
    const ViewGeometry& g = w->geo;
    return LayOutStatusBand(g.dpiX, g.dpiY, g.leftMargin, g.band.top, g.bandRight,
                            g.client.bottom, View_Engine()->file.fileSize);
}

// The two percentages of the circle: where the top line and the bottom line lie in the file.
void Percentages(const WinData* w, int32_t* top, int32_t* bottom) {
    const ViewEngine* e = View_Engine();
    const int64_t size = e->file.fileSize;
    *top = PercentOf(TopLineOffset(e), size);
    int64_t bottomLine = e->file.topLine + w->geo.pageLines;
    int64_t bottomOffset;
    if (e->atEnd && bottomLine > e->lastLine) {
        bottomOffset = size;
    } else {
        int64_t j = bottomLine - e->firstLine;
        bottomOffset = j >= 0 && j < e->lineCount ? ViewPaint_LineOffset(e, (int32_t)j)
                                                  : e->file.bufferOffset + e->bytesInBuffer;
    }
    *bottom = PercentOf(bottomOffset, size);
}

void DrawCircle(WinData* w, HDC dc, const PaneBox& pane, int32_t top, int32_t bottom) {
    if (pane.right <= pane.left)
        return;
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, pane.left, pane.top, pane.right, pane.bottom);
    WidenSlice(&top, &bottom);
    const int width = pane.right - pane.left, height = pane.bottom - pane.top;
    CirclePoint from = PositionCirclePoint(top, width, height);
    CirclePoint to = PositionCirclePoint(bottom, width, height);
    SelectObject(dc, gDraw.highlightBrush ? static_cast<HGDIOBJ>(gDraw.highlightBrush)
                                          : GetStockObject(GRAY_BRUSH));
    // The system draws a pie counterclockwise: from the bottom percentage back to the top.
    Pie(dc, pane.left, pane.top, pane.right, pane.bottom, pane.left + (to.x + 64) / 128,
        pane.top + (to.y + 64) / 128, pane.left + (from.x + 64) / 128,
        pane.top + (from.y + 64) / 128);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    w->lastTopPercent = top;
    w->lastBottomPercent = bottom;
}

void ClearPane(WinData* w, HDC dc, const PaneBox& pane) {
    RECT r = {pane.left, pane.top, pane.right, pane.bottom};
    FillRect(dc, &r, w->backgroundBrush);
}

void PaintStatus(WinData* w, HDC dc, const RECT& update) {
    ViewEngine* e = View_Engine();
    const ViewGeometry& g = w->geo;
    StatusPanes p = Panes(w);
    // The band's edge.
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, g.band.top, NULL);
    LineTo(dc, g.bandRight, g.band.top);
    SelectObject(dc, oldPen);

    // Line pane.
    FormatLinePane(e->file.topLine == END_LINE ? e->lastLine : e->file.topLine, w->lineText,
                   sizeof w->lineText);
    if (p.line.right > p.line.left) {
        ClearPane(w, dc, p.line);
        RECT r = {p.line.left, p.line.top, p.line.right, p.line.bottom};
        DrawTextA(dc, w->lineText, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    // Page picture.
    const int64_t top = e->file.topLine;
    const bool fits = top == 1 && e->atEnd && e->totalLines != END_LINE &&
                      w->geo.pageLines >= e->totalLines;
    const bool lastBelow = !(e->atEnd && e->lastLine <= top + w->geo.pageLines - 1);
    HBITMAP page;
    if (fits) {
        page = gBitmaps[kBmpTBOF];
        w->atEndOfView = 1;
    } else if (top == 1 || lastBelow) {
        page = top == 1 ? gBitmaps[kBmpTOF] : gBitmaps[kBmpMOF];
        w->atEndOfView = 0;
    } else {
        page = gBitmaps[kBmpBOF];
        w->atEndOfView = 1;
    }
    DrawBitmap(dc, page, p.page);
    DrawBitmap(dc, e->settings.stripBit7 ? gBitmaps[kBmpNo7] : gBitmaps[kBmpYes7], p.strip);

    // File facts.
    if (p.facts.right > p.facts.left) {
        FormatFactsPane(e->file.fileSize, e->file.fileStamp, e->file.attributes,
                        p.facts.right - p.facts.left, MeasureWithDc, dc, w->factsText,
                        sizeof w->factsText);
        ClearPane(w, dc, p.facts);
        RECT r = {p.facts.left, p.facts.top, p.facts.right, p.facts.bottom};
        DrawTextA(dc, w->factsText, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        w->factsText[0] = 0;
    }

    // Position circle and thumb: nothing for an empty file.
    if (e->file.fileSize <= 0)
        return;
    int32_t topPercent, bottomPercent;
    Percentages(w, &topPercent, &bottomPercent);
    if (!w->thumbDragging)
        SetScrollPos(w->vScrollBar, SB_CTL,
                     bottomPercent >= 100 && topPercent > 0 ? 100 : topPercent, TRUE);
    RECT circle = {p.circle.left, p.circle.top, p.circle.right, p.circle.bottom}, meet;
    int32_t wideTop = topPercent, wideBottom = bottomPercent;
    WidenSlice(&wideTop, &wideBottom);
    if (IntersectRect(&meet, &circle, &update) || wideTop != w->lastTopPercent ||
        wideBottom != w->lastBottomPercent)
        DrawCircle(w, dc, p.circle, topPercent, bottomPercent);
}

} // namespace

int64_t ViewPaint_LineOffset(const ViewEngine* e, int32_t j) {
    if (PostScriptShown(e) && e->psLineOffset)
        return e->psLineOffset[j];
    return e->file.bufferOffset + e->lineStart[j];
}

int64_t ViewPaint_Paint(WinData* w, HDC dc, const RECT& update) {
    ViewEngine* e = View_Engine();
    const ViewGeometry& g = w->geo;
    EnsureWindow(e, false);
    const int64_t top = e->file.topLine;
    int64_t bottom = top + g.pageLines;
    if (e->atEnd && e->totalLines != END_LINE && e->totalLines < bottom)
        bottom = e->totalLines;

    // A match in the window: every row of it is brought into view, and sideways too.
    if (e->matchLine >= top && e->matchLine <= bottom && e->matchLine > 0 &&
        e->matchColumn != -1) {
        const int32_t rows = MatchRows(e);
        MatchView view = {top, g.pageLines, bottom, e->atEnd && bottom == e->lastLine};
        int64_t newTop = TopLineForMatch(view, e->matchLine, rows);
        if (newTop > 0 && newTop != top) {
            e->file.topLine = newTop;
            EnsureWindow(e, false);
            InvalidateRect(w->window, &g.text, TRUE);
            InvalidateRect(w->window, &g.band, TRUE);
            return bottom;
        }
        int32_t start, length;
        if (e->settings.hexMode) {
            MatchField first;
            HexMatchFields(0, e->matchColumn, e->matchLength, 0, &first, 1);
            start = first.column;
            length = first.length;
        } else {
            start = e->displayColumn > 0 ? e->displayColumn : e->matchColumn + 1;
            length = e->matchLength;
        }
        int32_t h = HScrollForMatch(e->file.hScroll, start, length, g.columns);
        if (h != e->file.hScroll) {
            e->file.hScroll = h;
            w->file.hScroll = h;
            SetScrollPos(w->hScrollBar, SB_CTL, h, TRUE);
            InvalidateRect(w->window, &g.text, TRUE);
            if (w->titlePane)
                InvalidateRect(w->titlePane, NULL, TRUE);
            PaintStatus(w, dc, update);
            return bottom;
        }
    }

    RECT meet;
    if (IntersectRect(&meet, &update, &g.band))
        PaintStatus(w, dc, update);
    else
        PaintStatus(w, dc, RECT{0, 0, 0, 0});

    if (IntersectRect(&meet, &update, &g.text) && g.lineHeight > 0) {
        int32_t first = (update.top - g.text.top) / g.lineHeight;
        if (first > 0)
            first--;
        if (first < 0)
            first = 0;
        int32_t last = (update.bottom - g.text.top) / g.lineHeight + 1;
        if (last > bottom - top)
            last = (int32_t)(bottom - top);
        FillHighlight(e);
        const OrderedSelection s = Ordered(w);
        SaveDC(dc);
        IntersectClipRect(dc, g.text.left, g.text.top, g.text.right, g.text.bottom);
        for (int32_t r = first; r <= last; r++) {
            const char* text = RowText(e, r);
            if (!text)
                break;
            const int32_t y = g.text.top + r * g.lineHeight;
            RECT row = {g.text.left, y, g.text.right, y + g.lineHeight};
            FillRect(dc, &row, w->backgroundBrush);
            DrawRow(w, dc, text, y, HighlightOfRow(e, r));
            InvertSelectedPart(w, dc, s, top + r, text, y);
        }
        RestoreDC(dc, -1);
    }
    e->lastPaintMode = e->settings.hexMode ? 1 : 2;
    e->lastPaintTop = top;
    e->lastPaintBottom = bottom;
    return bottom;
}

void ViewPaint_PositionStrip(WinData* w, HDC dc) {
    RECT band = w->geo.band;
    band.right = w->geo.bandRight;
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, w->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, band.left + 3, band.top + 3, w->positionStrip, lstrlenA(w->positionStrip));
    SelectObject(dc, old);
}

void ViewPaint_RemoveMatchHighlight(WinData* w, int32_t rowShift, bool updateNow) {
    ViewEngine* e = View_Engine();
    const ViewGeometry& g = w->geo;
    bool any = false;
    for (const MatchField& m : e->matches) {
        if (m.row < 0)
            break;
        int32_t row = m.row + rowShift;
        if (row < 0 || row > g.pageLines)
            continue;
        // The whole row: cheaper than measuring, and the same to the eye.
        RECT r = {g.text.left, g.text.top + row * g.lineHeight, g.text.right,
                  g.text.top + (row + 1) * g.lineHeight};
        InvalidateRect(w->window, &r, TRUE);
        any = true;
    }
    e->matches.assign(1, MatchField{-1, 0, 0});
    if (any && updateNow)
        UpdateWindow(w->window);
}

void ViewPaint_InvalidateLines(WinData* w, int64_t from, int64_t to) {
    if (from > to) {
        int64_t t = from;
        from = to;
        to = t;
    }
    const ViewGeometry& g = w->geo;
    const int64_t top = View_Engine()->file.topLine;
    int64_t first = from - top, last = to - top;
    if (last < 0 || first > g.pageLines)
        return;
    if (first < 0)
        first = 0;
    if (last > g.pageLines)
        last = g.pageLines;
    RECT r = {g.text.left, g.text.top + (int)first * g.lineHeight, g.text.right,
              g.text.top + (int)(last + 1) * g.lineHeight};
    if (r.bottom > g.text.bottom)
        r.bottom = g.text.bottom;
    InvalidateRect(w->window, &r, TRUE);
}

void ViewPaint_PositionChanged(WinData* w) {
    StatusPanes p = Panes(w);
    RECT line = {p.line.left, p.line.top, p.line.right, p.line.bottom};
    RECT page = {p.page.left, p.page.top, p.page.right, p.page.bottom};
    InvalidateRect(w->window, &line, TRUE);
    InvalidateRect(w->window, &page, TRUE);
    if (View_Engine()->file.fileSize <= 0)
        return;
    int32_t top, bottom;
    Percentages(w, &top, &bottom);
    int32_t wideTop = top, wideBottom = bottom;
    WidenSlice(&wideTop, &wideBottom);
    if (wideTop != w->lastTopPercent || wideBottom != w->lastBottomPercent) {
        RECT circle = {p.circle.left, p.circle.top, p.circle.right, p.circle.bottom};
        InvalidateRect(w->window, &circle, TRUE);
    }
    if (!w->thumbDragging)
        SetScrollPos(w->vScrollBar, SB_CTL, bottom >= 100 && top > 0 ? 100 : top, TRUE);
}
