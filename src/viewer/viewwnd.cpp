// The file view window: its record, opening a file into a new view, handing the one engine from
// view to view, the keys, scroll bars and mouse, the frame's commands, and closing.
#include "viewer/viewwnd.h"

#include <string.h>

#include <new>
#include <vector>

#include "find/findengine.h"
#include "look/fonts_win.h"
#include "lister/dirwnd.h"
#include "lister/pathclass.h"
#include "print/psview.h"
#include "resources/resource.h"
#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/drawobjects.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "shell/splash.h"
#include "shell/startup.h"
#include "platform/uiseam.h"
#include "shell/uiseam_win.h"
#include "shell/winkind.h"
#include "viewer/filetypes.h"
#include "viewer/viewcalc.h"
#include "viewer/viewdlgs.h"
#include "viewer/windata.h"

namespace {

const char kTextNoRecord[] = "Critical memory shortage. Cannot continue.";
const char kTextConfused[] = "I'm confused and I can't take it anymore.";
const char kTextSaveError[] = "Error saving WinData";

constexpr int kRecordSlot = 0; // window data: the record's address, then its memory handle
constexpr int kHandleSlot = sizeof(LONG_PTR);
constexpr WORD kMinimizeCommand = 32;

HWND gEngineView = NULL; // the view whose state the engine holds
bool gPrinting = false;  // a print job reads its view's lines through the engine
bool gOpeningFile = false; // a file is being opened: focus changes leave the engine alone
// Every view, in the order made (grows by 16 entries at a time).
std::vector<HWND> gWindowList;

ViewEngine* Engine() {
    return &gEngine;
}

void WindowList_Add(HWND window) {
    for (HWND w : gWindowList)
        if (w == window)
            return;
    if (gWindowList.size() == gWindowList.capacity())
        gWindowList.reserve(gWindowList.size() + 16);
    gWindowList.push_back(window);
}

void WindowList_Remove(HWND window) {
    for (size_t i = 0; i < gWindowList.size(); i++) {
        if (gWindowList[i] == window) {
            gWindowList.erase(gWindowList.begin() + (ptrdiff_t)i);
            return;
        }
    }
}

// The first view still there, dropping the handles of windows that are gone.
HWND WindowList_FirstView(HWND except) {
    for (size_t i = 0; i < gWindowList.size();) {
        HWND w = gWindowList[i];
        if (!IsWindow(w)) {
            gWindowList.erase(gWindowList.begin() + (ptrdiff_t)i);
            continue;
        }
        if (w != except && View_Data(w))
            return w;
        i++;
    }
    return NULL;
}

bool EngineIsMine(const WinData* w) {
    return gEngineView == w->window;
}

// ---- The engine and the record -----------------------------------------------------------

// Saves the engine into the record of the view that owns it. The match highlight goes first when
// asked (it belongs to the window that loses the focus).
void SaveEngine(WinData* w, bool removeHighlight) {
    ViewEngine* e = Engine();
    if (e->file.validMarker == -1 || !EngineIsMine(w))
        return;
    if (w->window != gEngineView || View_Data(w->window) != w) {
        Ui_FatalExit(kTextSaveError);
        return;
    }
    if (removeHighlight)
        ViewPaint_RemoveMatchHighlight(w, 0, false);
    e->matchLine = 0;
    e->matchColumn = 0;
    e->matchLength = 0;
    w->file = e->file;
    w->display = e->settings;
    w->lastPaintMode = e->lastPaintMode;
    w->topOffset = TopLineOffset(e);
    w->totalLines = e->totalLines;
}

// Whether the file differs from what the record knows: its size or its last write (seconds).
bool FileChanged(WinData* w, bool* gone) {
    *gone = false;
    PlatFile* opened = Plat_OpenRead(w->file.path);
    if (!opened) {
        *gone = true;
        return false;
    }
    Plat_Close(opened);
    ViewEngine probe = {}; // read the way the view read it, so the times compare alike
    if (!Engine_SetFile(&probe, w->file.path)) {
        *gone = true;
        return false;
    }
    if (probe.file.fileSize == w->file.fileSize && probe.file.fileTime == w->file.fileTime &&
        strcmp(probe.file.fileStamp, w->file.fileStamp) == 0)
        return false;
    w->file.fileSize = probe.file.fileSize;
    w->file.fileTime = probe.file.fileTime;
    memcpy(w->file.fileStamp, probe.file.fileStamp, sizeof w->file.fileStamp);
    memcpy(w->file.attributes, probe.file.attributes, sizeof w->file.attributes);
    return true;
}

void ClearSelection(WinData* w) {
    w->selectionState = 0;
    w->selFromLine = w->selToLine = 0;
    w->selFromColumn = w->selToColumn = 0;
}

void CloseLater(WinData* w) {
    PostMessageA(gFrame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(w->window));
}

// ---- Scrolling ---------------------------------------------------------------------------

void ClearMatch() {
    ViewEngine* e = Engine();
    e->matchLine = 0;
    e->matchColumn = 0;
    e->matchLength = 0;
    e->matches.assign(1, MatchField{-1, 0, 0});
}

// The top line was set: the engine is brought to it, and the window either moves its pixels (a
// move within a page) or is drawn again.
void AfterMove(WinData* w, int64_t oldTop) {
    ViewEngine* e = Engine();
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

void MoveTo(WinData* w, int64_t top) {
    ViewEngine* e = Engine();
    int64_t old = e->file.topLine;
    ViewPaint_RemoveMatchHighlight(w, 0, false);
    ClearMatch();
    e->file.topLine = top < 1 ? 1 : top;
    AfterMove(w, old);
}

bool LastLineShown(const WinData* w) {
    const ViewEngine* e = Engine();
    return e->atEnd && e->totalLines != END_LINE &&
           e->totalLines <= e->file.topLine + w->geo.pageLines - 1;
}

void SetHScroll(WinData* w, int32_t value) {
    ViewEngine* e = Engine();
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

void Redisplay(WinData* w) {
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, NULL, TRUE);
}

// A display setting changed: the top line keeps its file offset.
void Relayout(WinData* w) {
    Reposition(Engine());
    w->display = Engine()->settings;
    Redisplay(w);
}

void ToggleStrip(WinData* w) {
    ViewEngine* e = Engine();
    e->settings.stripBit7 = !e->settings.stripBit7;
    Relayout(w);
}

void ToggleHex(WinData* w) {
    ViewEngine* e = Engine();
    // Hex rows show the file itself: PostScript text goes first, keeping the place.
    if (e->settings.postScriptState & kPostScriptShown)
        PsView_Toggle(w);
    const bool leaving = e->settings.hexMode != 0;
    e->settings.hexMode = !leaving;
    if (!leaving)
        e->settings.binaryMode = 0;
    ModeQuestionPolicy policy = e->modePolicy;
    if (leaving)
        e->modePolicy = kModeAnswerNo; // a file that is not text goes to binary rows unasked
    Relayout(w);
    e->modePolicy = policy;
}

void OnKey(WinData* w, WPARAM key, int repeat) {
    ViewEngine* e = Engine();
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (repeat < 1)
        repeat = 1;
    const int64_t top = e->file.topLine;
    switch (key) {
    case VK_PRIOR:
        if (top > 1)
            MoveTo(w, PageUpTop(top, w->geo.pageLines));
        return;
    case VK_NEXT:
        if (!(e->atEnd && LastLineShown(w)))
            MoveTo(w, top + w->geo.pageLines);
        return;
    case VK_END:
        if (!(e->atEnd && LastLineShown(w)))
            MoveTo(w, END_LINE);
        return;
    case VK_HOME:
        if (top != 1)
            MoveTo(w, 1);
        return;
    case VK_UP:
        MoveTo(w, top - repeat);
        return;
    case VK_DOWN:
        if (!w->atEndOfView)
            MoveTo(w, top + repeat);
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
        ClearMatch();
        GoToPercent(e, 10.0 * (double)(key - '0'));
        AfterMove(w, old);
    } else if (key == 'S') {
        ToggleStrip(w);
    } else if (key == 'X') {
        ToggleHex(w);
    }
}

void OnVScroll(WinData* w, int code, int position) {
    ViewEngine* e = Engine();
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return;
    switch (code) {
    case SB_LINEUP:
        OnKey(w, VK_UP, 1);
        break;
    case SB_LINEDOWN:
        OnKey(w, VK_DOWN, 1);
        break;
    case SB_PAGEUP:
        OnKey(w, VK_PRIOR, 1);
        break;
    case SB_PAGEDOWN:
        OnKey(w, VK_NEXT, 1);
        break;
    case SB_THUMBTRACK: {
        int current = GetScrollPos(w->vScrollBar, SB_CTL);
        w->thumbDragging = true;
        if (position > current && w->atEndOfView)
            break;
        int64_t old = e->file.topLine;
        ViewPaint_RemoveMatchHighlight(w, 0, false);
        ClearMatch();
        GoToPercent(e, (double)position);
        AfterMove(w, old);
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

void OnHScroll(WinData* w, int code, int position) {
    ViewEngine* e = Engine();
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return;
    switch (code) {
    case SB_LINELEFT:
        OnKey(w, VK_LEFT, 1);
        break;
    case SB_LINERIGHT:
        OnKey(w, VK_RIGHT, 1);
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

// ---- Mouse -------------------------------------------------------------------------------

// The row (0-based, clamped to the rows present) and the 1-based column under a point of the
// text area; the column counts from the line's start (hScroll included).
void HitTest(WinData* w, POINT at, int32_t* row, int32_t* column) {
    ViewEngine* e = Engine();
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

void EnableSelectionItems(bool on) {
    HMENU menu = GetMenu(gFrame);
    for (UINT id : {IDM_COPY, IDM_DESELECT, IDM_TITLE_LOCK})
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void DropSelection(WinData* w) {
    if (w->selectionState)
        ViewPaint_InvalidateLines(w, w->selFromLine, w->selToLine);
    ClearSelection(w);
    EnableSelectionItems(false);
}

// The selection's end moves to the point (clamped to the text area's rows).
void ExtendTo(WinData* w, POINT at) {
    int32_t row, column;
    HitTest(w, at, &row, &column);
    int64_t line = Engine()->file.topLine + row;
    int64_t oldEnd = w->selToLine;
    w->selToLine = line;
    w->selToColumn = w->selectionState == 1 ? -1 : column;
    ViewPaint_InvalidateLines(w, oldEnd, line);
}

void OnLButtonDown(WinData* w, POINT at, WPARAM keys) {
    if (w->activatingClick) {
        w->activatingClick = false;
        return;
    }
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return;
    const ViewGeometry& g = w->geo;
    if (at.y >= g.band.top) {
        StatusPanes p = LayOutStatusBand(g.dpiX, g.dpiY, g.leftMargin, g.band.top, g.bandRight,
                                         g.client.bottom, Engine()->file.fileSize);
        if (at.x >= p.strip.left && at.x < p.strip.right)
            SendMessageA(gFrame, WM_COMMAND, IDM_STRIP, 0);
        else if (at.x >= p.line.left && at.x < p.line.right)
            SendMessageA(gFrame, WM_COMMAND, IDM_GO_TO_LINE, 0);
        else if (at.x >= p.page.left && at.x < p.page.right)
            OnKey(w, at.x > (p.page.left + p.page.right) / 2 ? VK_NEXT : VK_PRIOR, 1);
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
        w->selFromLine = w->selToLine = Engine()->file.topLine + row;
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

void ScrollForSelection(WinData* w, int32_t direction) {
    ViewEngine* e = Engine();
    if (direction < 0 && e->file.topLine > 1)
        MoveTo(w, e->file.topLine - 1);
    else if (direction > 0 && !w->atEndOfView)
        MoveTo(w, e->file.topLine + 1);
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

void OnMouseMove(WinData* w, POINT at, WPARAM keys) {
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

void OnSelectTimer(WinData* w) {
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

void OnLButtonUp(WinData* w) {
    if (!w->selecting)
        return;
    w->selecting = false;
    SetScrollTimer(w, 0);
    ReleaseCapture();
    if (w->selectionState) {
        if (w->selectionState == 1)
            w->selToColumn = -1;
        EnableSelectionItems(true);
    }
}

// The right-button strip: where the character under the pointer lies in the file.
void UpdatePositionStrip(WinData* w, POINT at) {
    ViewEngine* e = Engine();
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

void OnRButtonDown(WinData* w, POINT at) {
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return;
    if (at.y < w->geo.text.top || at.y >= w->geo.text.bottom)
        return;
    SetCapture(w->window);
    UpdatePositionStrip(w, at);
}

void OnRButtonUp(WinData* w) {
    if (!w->positionStripShown)
        return;
    w->positionStripShown = false;
    w->positionStrip[0] = 0;
    ReleaseCapture();
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, &w->geo.band, TRUE);
}

// ---- Window messages ---------------------------------------------------------------------

const char* FileNameOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}

int OnCreate(HWND view) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(WinData));
    WinData* w = memory ? static_cast<WinData*>(GlobalLock(memory)) : nullptr;
    if (!w) {
        if (memory)
            GlobalFree(memory);
        Ui_FatalExit(kTextNoRecord);
        return -1;
    }
    new (w) WinData();
    w->memory = memory;
    w->window = view;
    SetWindowLongPtrA(view, kRecordSlot, reinterpret_cast<LONG_PTR>(w));
    SetWindowLongPtrA(view, kHandleSlot, reinterpret_cast<LONG_PTR>(memory));
    WindowList_Add(view);
    w->font = Fonts_Get(kFontView);
    w->textColor = gSettings.colors[kColorText];
    w->backgroundColor = gSettings.colors[kColorBackgnd];
    w->backgroundBrush = gDraw.viewBrush ? gDraw.viewBrush
                                         : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    w->vScrollShown = gSettings.vertScrollBar;
    w->lastTopPercent = w->lastBottomPercent = -1;
    HINSTANCE instance = GetModuleHandleA(NULL);
    w->vScrollBar = CreateWindowExA(0, "Scrollbar", NULL, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0,
                                    0, 0, view, reinterpret_cast<HMENU>(kVScrollBarId), instance,
                                    NULL);
    w->hScrollBar = CreateWindowExA(0, "Scrollbar", NULL, WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0,
                                    0, 0, view, reinterpret_cast<HMENU>(kHScrollBarId), instance,
                                    NULL);
    SetScrollRange(w->vScrollBar, SB_CTL, 0, 100, FALSE);
    SetScrollRange(w->hScrollBar, SB_CTL, 0, gEngine.sizes.lineLength, FALSE);
    View_Layout(w);
    if (!gOpeningFile) {
        // Made by someone other than View_OpenFile: a view without a file, which paints
        // nothing but its background and never takes the engine.
        w->file.validMarker = -1;
        return 0;
    }
    // The engine holds the file just opened: the record starts as its copy.
    ViewEngine* e = Engine();
    w->file = e->file;
    w->display = e->settings;
    w->totalLines = e->totalLines;
    w->topOffset = TopLineOffset(e);
    if (gSplash)
        Splash_StartTimer(gFrame);
    return 0;
}

// The view goes: out of the list, and the engine forgets it.
void OnDestroy(WinData* w) {
    if (w->closing)
        return;
    w->closing = true;
    if (w->selecting)
        ReleaseCapture();
    if (w->scrollTimerDirection)
        KillTimer(w->window, kSelectScrollTimer);
    WindowList_Remove(w->window);
    if (EngineIsMine(w)) {
        gEngineView = NULL;
        if (!gMessageBoxUp) {
            HWND next = WindowList_FirstView(w->window);
            WinData* other = next ? View_Data(next) : nullptr;
            if (!other || !View_Activate(other, false))
                gEngine.file.validMarker = -1;
        }
    }
    if (w->titleText) {
        GlobalFree(w->titleText);
        w->titleText = NULL;
    }
}

void OnNcDestroy(HWND view) {
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    HGLOBAL memory = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(view, kHandleSlot));
    SetWindowLongPtrA(view, kRecordSlot, 0);
    SetWindowLongPtrA(view, kHandleSlot, 0);
    if (w) {
        w->~WinData();
        GlobalUnlock(memory);
        GlobalFree(memory);
    }
}

void OnSize(WinData* w, WPARAM how) {
    if (how == SIZE_MINIMIZED) {
        SetWindowTextA(w->window, FileNameOf(w->file.path));
        Frame_RetileLater();
        return;
    }
    View_Layout(w);
    if (EngineIsMine(w))
        Engine()->pageLines = w->geo.pageLines;
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, NULL, TRUE);
}

void OnQueryOpen(WinData* w) {
    SetWindowTextA(w->window, w->file.path);
    Frame_PlaceReopened(w->window);
}

void ApplyViewMenuState(WinData* w) {
    Menu_ApplyState(gFrame, w->window);
    EnableSelectionItems(w->selectionState != 0);
    EnableMenuItem(GetMenu(gFrame), IDM_TITLE_UNLOCK,
                   MF_BYCOMMAND | (w->titlePane ? MF_ENABLED : MF_GRAYED));
}

void OnSetFocus(WinData* w) {
    ControlBar_EnableFind(true);
    if (!gOpeningFile && !gMessageBoxUp) {
        if (!View_Activate(w, false))
            return;
    }
    ApplyViewMenuState(w);
}

void OnKillFocus(WinData* w, HWND next) {
    if (gOpeningFile || gMessageBoxUp || w->closing)
        return;
    if (w->selecting)
        OnLButtonUp(w);
    // The focus going to a dialog or the control bar's find box leaves the view in charge of
    // the engine: its match stays highlighted, and Find Next goes on from it.
    if (Orv_ClassifyWindow(next).kind == kKindNone)
        return;
    SaveEngine(w, true);
}

void OnPaint(WinData* w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w->window, &ps);
    if (w->file.validMarker == -1) {
        EndPaint(w->window, &ps);
        return;
    }
    if (w->positionStripShown) {
        ViewPaint_PositionStrip(w, dc);
        EndPaint(w->window, &ps);
        return;
    }
    if (gPrinting) {
        // The engine is walking the lines being printed: painting now would show them, or
        // take the engine to another file. The job repaints the view when it ends.
        w->paintDue = true;
        EndPaint(w->window, &ps);
        return;
    }
    HWND owner = gEngineView;
    WinData* ownerData = owner && owner != w->window ? View_Data(owner) : nullptr;
    ViewEngine* e = Engine();
    int64_t keptMatchLine = e->matchLine;
    int32_t keptMatchColumn = e->matchColumn, keptMatchLength = e->matchLength,
            keptDisplayColumn = e->displayColumn;
    bool painted = true;
    if (ownerData) {
        SaveEngine(ownerData, false);
        if (!View_Activate(w, true))
            painted = false;
    } else if (!View_Activate(w, true)) {
        painted = false;
    }
    if (painted) {
        HGDIOBJ oldFont = SelectObject(dc, w->font);
        SetTextColor(dc, w->textColor);
        SetBkColor(dc, w->backgroundColor);
        SetBkMode(dc, TRANSPARENT);
        ViewPaint_Paint(w, dc, ps.rcPaint);
        SelectObject(dc, oldFont);
    }
    EndPaint(w->window, &ps);
    if (painted && gSplash)
        Splash_Dismiss(gFrame); // the first view painted: the program is up

    if (w->titlePane) {
        RECT title;
        GetWindowRect(w->titlePane, &title);
        MapWindowPoints(NULL, w->window, reinterpret_cast<POINT*>(&title), 2);
        RECT meet;
        if (IntersectRect(&meet, &title, &ps.rcPaint))
            InvalidateRect(w->titlePane, NULL, FALSE);
    }
    if (ownerData && IsWindow(owner)) {
        View_Activate(ownerData, false);
        e->matchLine = keptMatchLine;
        e->matchColumn = keptMatchColumn;
        e->matchLength = keptMatchLength;
        e->displayColumn = keptDisplayColumn;
        if (e->file.topLine != END_LINE)
            BuildRows(e);
    }
    if (w->closeAfterPaint) {
        w->closeAfterPaint = false;
        CloseLater(w);
    }
}

void OnEraseBackground(WinData* w) {
    SetClassLongPtrA(w->window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(w->backgroundBrush));
}

// The view that has the focus, found for a command.
WinData* FocusedView(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return nullptr;
    if (!EngineIsMine(w) && !View_Activate(w, false))
        return nullptr;
    return w;
}

void TurnPostScriptOff(WinData* w, bool reset) {
    ViewEngine* e = Engine();
    if (!(e->settings.postScriptState & kPostScriptShown))
        return;
    e->settings.postScriptState &= ~(kPostScriptShown | kPostScriptDialect);
    if (reset) {
        ResetEngine(e, false);
        Redisplay(w);
    }
}

// A type with "Auto Loc&k": its lines are locked as the title and the view starts after them.
void AutoLock(WinData* w, int64_t first, int64_t last) {
    w->selectionState = 1;
    w->selFromLine = first;
    w->selToLine = last;
    w->selFromColumn = 1;
    w->selToColumn = -1;
    if (!Title_Lock(w))
        return;
    MoveTo(w, last + 1);
}

// A find in this view: the old highlight goes, and a match found is brought into the window.
int Find(WinData* w, bool repeat, int32_t patternLength) {
    ViewPaint_RemoveMatchHighlight(w, 0, false);
    if (!FindInView(Engine(), &gFind, repeat, patternLength, true))
        return 0;
    Redisplay(w);
    return 1;
}

} // namespace

// ---- Shared with the view's other files ------------------------------------------------------

void View_DropSelection(WinData* w) {
    DropSelection(w);
}

void View_Redisplay(WinData* w) {
    Redisplay(w);
}

WinData* View_Data(HWND view) {
    if (!view || !IsWindow(view) || Orv_ClassifyWindow(view).kind != kKindView ||
        Orv_ClassifyWindow(view).window != view)
        return nullptr;
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    return w && !w->closing ? w : nullptr;
}

HWND View_EngineView() {
    return gEngineView;
}

HWND View_LendEngine() {
    HWND view = gEngineView;
    WinData* w = view ? View_Data(view) : nullptr;
    if (w)
        SaveEngine(w, false);
    gEngineView = NULL;
    return w ? view : NULL;
}

void View_SetPrinting(bool printing) {
    gPrinting = printing;
    if (printing)
        return;
    for (HWND view : std::vector<HWND>(gWindowList)) {
        WinData* w = View_Data(view);
        if (w && w->paintDue) {
            w->paintDue = false;
            InvalidateRect(view, NULL, TRUE);
        }
    }
}

void View_ReclaimEngine(HWND view) {
    if (WinData* w = View_Data(view))
        View_Activate(w, false);
}

void View_Layout(WinData* w) {
    ViewGeometry& g = w->geo;
    HWND view = w->window;
    GetClientRect(view, &g.client);
    HDC dc = GetDC(view);
    g.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    g.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    HGDIOBJ old = SelectObject(dc, w->font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(view, dc);
    g.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    if (g.lineHeight < 1)
        g.lineHeight = 1;
    g.charWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
    g.leftMargin = g.dpiX / 20;
    g.topMargin = g.dpiY / 20;

    const int vWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int hHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int bandHeight = g.dpiY / 4;
    const RECT& c = g.client;
    g.band = {0, c.bottom - bandHeight, c.right, c.bottom};
    const int textRight = w->vScrollShown ? c.right - vWidth : c.right;
    g.hBar = {0, g.band.top - hHeight, textRight, g.band.top};
    g.text = {g.leftMargin, g.topMargin + w->titleHeight, textRight, g.hBar.top};
    if (g.text.bottom < g.text.top)
        g.text.bottom = g.text.top;
    if (w->vScrollShown) {
        g.vBar = {c.right - vWidth, 0, c.right, g.text.bottom};
        g.bandRight = c.right;
    } else {
        g.vBar = {c.right - vWidth, g.band.top, c.right, c.bottom};
        g.bandRight = c.right - vWidth;
    }
    g.pageLines = (g.text.bottom - g.text.top) / g.lineHeight;
    if (g.pageLines < 2)
        g.pageLines = 2;
    g.columns = (g.text.right - g.text.left) / g.charWidth;
    if (g.columns < 1)
        g.columns = 1;
    if (w->vScrollBar)
        MoveWindow(w->vScrollBar, g.vBar.left, g.vBar.top, g.vBar.right - g.vBar.left,
                   g.vBar.bottom - g.vBar.top, TRUE);
    if (w->hScrollBar)
        MoveWindow(w->hScrollBar, g.hBar.left, g.hBar.top, g.hBar.right - g.hBar.left,
                   g.hBar.bottom - g.hBar.top, TRUE);
    if (w->titlePane)
        MoveWindow(w->titlePane, 0, 0, g.text.right, w->titleHeight, TRUE);
    if (gEngineView == view)
        PsView_TakeScreen(w);
}

int View_Activate(WinData* w, bool painting) {
    ViewEngine* e = Engine();
    if (w->file.validMarker == -1) {
        View_Layout(w);
        return 1;
    }
    if (EngineIsMine(w) && !gViewFileChanged) {
        View_Layout(w);
        e->pageLines = w->geo.pageLines;
        if (e->file.validMarker != -1 && e->loaded)
            EnsureWindow(e, false);
        return 1;
    }
    if (View_Data(w->window) != w) {
        Ui_FatalExit(kTextConfused);
        return 0;
    }
    if (gEngineView && gEngineView != w->window) {
        WinData* other = View_Data(gEngineView);
        if (other)
            SaveEngine(other, !painting); // a view left for good loses its highlight
    }
    bool gone = false;
    const bool changed = FileChanged(w, &gone);
    if (changed) {
        w->topOffset = 0;
        w->file.topLine = 1;
        ClearSelection(w);
        w->atEndOfView = 0;
        w->lastTopPercent = w->lastBottomPercent = -1;
        if (w->titlePane)
            InvalidateRect(w->titlePane, NULL, TRUE);
        SetScrollPos(w->vScrollBar, SB_CTL, 0, TRUE);
        InvalidateRect(w->window, NULL, TRUE);
    }
    if (gone) {
        if (gEngineView == w->window)
            gEngineView = NULL;
        if (painting)
            w->closeAfterPaint = true;
        else
            CloseLater(w);
        return 0;
    }
    gViewFileChanged = false;
    e->file = w->file;
    e->settings = w->display;
    e->lastPaintMode = w->lastPaintMode;
    gEngineView = w->window;
    View_Layout(w);
    e->pageLines = w->geo.pageLines;
    if (ResetEngine(e, false) < 0) {
        gEngineView = NULL;
        e->file.validMarker = -1;
        return 0;
    }
    GoToOffset(e, w->topOffset);
    EnsureWindow(e, false);
    if (changed && w->titlePane)
        Title_Relock(w); // the locked lines as the file now has them
    return 1;
}

// ---- The window procedures -------------------------------------------------------------------

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE)
        return OnCreate(view) < 0 ? -1 : DefMDIChildProcA(view, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        OnNcDestroy(view);
        return DefMDIChildProcA(view, message, wParam, lParam);
    }
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    if (!w || w->closing)
        return DefMDIChildProcA(view, message, wParam, lParam);
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_DESTROY:
        OnDestroy(w);
        break;
    case WM_SIZE:
        OnSize(w, wParam);
        break; // the default procedure keeps the MDI client's maximised state
    case WM_QUERYOPEN:
        OnQueryOpen(w);
        return TRUE;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == view)
            ApplyViewMenuState(w);
        break;
    case WM_MOUSEACTIVATE:
        w->activatingClick = Frame_ActiveChild() != view;
        break;
    case WM_SETFOCUS:
        OnSetFocus(w);
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(w, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(w);
        return 0;
    case WM_ERASEBKGND:
        OnEraseBackground(w);
        break;
    case WM_KEYDOWN:
        OnKey(w, wParam, LOWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kMinimizeCommand) {
            ShowWindow(view, SW_MINIMIZE);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            View_Close(view, true);
            return 0;
        }
        break;
    case WM_VSCROLL:
        OnVScroll(w, LOWORD(wParam), (short)HIWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(w, LOWORD(wParam), (short)HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(w, at, wParam);
        return 0;
    case WM_MOUSEMOVE:
        if (w->positionStripShown && (wParam & MK_RBUTTON))
            UpdatePositionStrip(w, at);
        else
            OnMouseMove(w, at, wParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(w);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(w, at);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(w);
        return 0;
    case WM_TIMER:
        if (wParam == kSelectScrollTimer) {
            OnSelectTimer(w);
            return 0;
        }
        break;
    }
    return DefMDIChildProcA(view, message, wParam, lParam);
}

// ---- Entry points ----------------------------------------------------------------------------

HWND View_OpenFile(const char* path, int64_t topLine) {
    if (RefuseUnusableName(path))
        return NULL;
    ViewEngine* e = Engine();
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory))
        return NULL;
    // The view that had the engine keeps its state; it gets it back if this open fails.
    HWND previous = gEngineView;
    WinData* previousData = previous ? View_Data(previous) : nullptr;
    if (previousData)
        SaveEngine(previousData, true);
    if (!previousData || e->file.validMarker == -1) {
        // The first view takes the settings' starting values.
        e->settings.stripBit7 = gSettings.bitStrip;
        e->settings.tabSpacing = gSettings.tabs;
    }
    gOpeningFile = true;
    gEngineView = NULL;
    int rc = Engine_SetFile(e, path) ? 0 : -1;
    TypeSettings type = {};
    const bool typed = rc == 0 && FileTypes_FindForPath(path, &type) == 1;
    if (rc == 0) {
        e->settings.postScriptState = 0;
        e->file.topLine = 1;
        e->file.hScroll = 0;
        const ModeQuestionPolicy policy = e->modePolicy;
        if (typed) {
            // The type says how to show the file: no question about it.
            FileTypes_ApplyToView(type, &e->settings, &e->showCrLf);
            if (e->modePolicy == kModeAsk)
                e->modePolicy = kModeAnswerNo;
        } else if (!strchr(FileNameOf(path), '.')) {
            e->settings.tabSpacing = type.tab > 0 ? type.tab : gSettings.tabs;
        }
        e->openingNewView = true;
        rc = ResetEngine(e, !typed);
        e->openingNewView = false;
        e->modePolicy = policy;
    }
    if (rc < 0) {
        gOpeningFile = false;
        e->file.validMarker = -1;
        if (previousData && IsWindow(previous)) {
            View_Activate(previousData, false);
            SetFocus(previous);
        }
        return NULL;
    }
    if (topLine > 1) {
        e->file.topLine = topLine;
        EnsureWindow(e, false);
    }
    HWND view = Frame_NewChild(kViewClassName, path);
    WinData* w = view ? View_Data(view) : nullptr;
    if (!w) {
        gOpeningFile = false;
        e->file.validMarker = -1;
        if (previousData && IsWindow(previous))
            View_Activate(previousData, false);
        return NULL;
    }
    gEngineView = view;
    View_Layout(w);
    e->pageLines = w->geo.pageLines;
    EnsureWindow(e, false);
    gOpeningFile = false;
    SetFocus(view);
    w->display = e->settings;
    if (typed && type.lockStart > 0 && type.lockEnd >= type.lockStart)
        AutoLock(w, type.lockStart, type.lockEnd);
    ApplyViewMenuState(w);
    if (e->modePolicy == kModeAnswerYes)
        PostMessageA(gFrame, WM_COMMAND, IDM_FIND_NEXT, 0);
    return view;
}

const char* View_Path(HWND view) {
    WinData* w = View_Data(view);
    return w ? w->file.path : "";
}

int64_t View_TopLine(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return 1;
    return EngineIsMine(w) ? gEngine.file.topLine : w->file.topLine;
}

void View_Close(HWND view, bool closedByUser) {
    WinData* w = View_Data(view);
    char root[kPlatNameMax] = "";
    if (w)
        Plat_DriveRoot(w->file.path, root, sizeof root);
    Frame_CloseChild(view, closedByUser);
    if (IsWindow(view) || !closedByUser || !root[0])
        return;
    HWND dir = DirWindow_FindForRoot(root);
    if (dir) {
        if (IsIconic(dir))
            SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(dir), 0);
        SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(dir), 0);
    }
}

void View_CloseViewsOf(const char* path) {
    std::vector<HWND> views(gWindowList);
    for (HWND view : views) {
        if (lstrcmpiA(View_Path(view), path) == 0)
            View_Close(view, false);
    }
}

void View_ApplyScrollBarFlag(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return;
    w->vScrollShown = gSettings.vertScrollBar;
    View_Layout(w);
    if (EngineIsMine(w))
        Engine()->pageLines = w->geo.pageLines;
    Redisplay(w);
}

void View_ApplyLook(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return;
    w->font = Fonts_Get(kFontView);
    w->textColor = gSettings.colors[kColorText];
    w->backgroundColor = gSettings.colors[kColorBackgnd];
    if (gDraw.viewBrush)
        w->backgroundBrush = gDraw.viewBrush;
    View_Layout(w);
    if (w->titlePane) {
        // The locked lines keep their number; their pane takes the new line height.
        w->titleHeight = w->titleLineCount * w->geo.lineHeight + w->geo.topMargin + 2;
        View_Layout(w);
    }
    if (EngineIsMine(w)) {
        Engine()->pageLines = w->geo.pageLines;
        if (Engine()->file.topLine != END_LINE)
            BuildRows(Engine());
    }
    Redisplay(w);
    if (w->titlePane)
        InvalidateRect(w->titlePane, NULL, TRUE);
}

int View_List(HWND* views, int most) {
    int n = 0;
    for (HWND view : gWindowList)
        if (n < most && View_Data(view))
            views[n++] = view;
    return n;
}

int View_Command(HWND view, WORD id) {
    WinData* w = FocusedView(view);
    if (!w)
        return 0;
    ViewEngine* e = Engine();
    switch (id) {
    case IDM_HEX:
        TurnPostScriptOff(w, true);
        if (!e->settings.hexMode)
            ToggleHex(w);
        DropSelection(w);
        return 1;
    case IDM_TEXT:
        TurnPostScriptOff(w, false);
        if (e->settings.hexMode)
            ToggleHex(w);
        else
            Relayout(w);
        DropSelection(w);
        return 1;
    case IDM_STRIP:
        ToggleStrip(w);
        return 1;
    case IDM_POSTSCRIPT:
        PsView_Toggle(w);
        return 1;
    case IDM_HOME:
        OnKey(w, VK_HOME, 1);
        return 1;
    case IDM_END:
        OnKey(w, VK_END, 1);
        return 1;
    case IDM_DESELECT:
        DropSelection(w);
        return 1;
    case IDM_COPY:
        View_CopySelection(w);
        return 1;
    case IDM_TITLE_LOCK:
        Title_Lock(w);
        return 1;
    case IDM_TITLE_UNLOCK:
        Title_Remove(w);
        return 1;
    case IDM_FIND_NEXT:
        Find(w, true, gFind.findNextLength);
        return 1;
    case IDM_GO_TO_LINE: {
        int64_t old = e->file.topLine;
        ViewPaint_RemoveMatchHighlight(w, 0, false);
        if (ViewDlg_GoToLine(gFrame, view)) {
            ClearMatch();
            AfterMove(w, old);
        }
        return 1;
    }
    case IDM_TABS: {
        int32_t spacing = e->settings.tabSpacing;
        if (ViewDlg_TabStops(gFrame, &spacing)) {
            e->settings.tabSpacing = spacing > 0 ? spacing : 1;
            w->display.tabSpacing = e->settings.tabSpacing;
            e->lastBuiltTop = -1; // the text rows are expanded anew
            EnsureWindow(e, false);
            Title_Relock(w);
            Redisplay(w);
        }
        return 1;
    }
    case IDM_SPECIAL_CHARS:
        if (ViewDlg_SpecialChars(gFrame)) {
            w->display = e->settings;
            Title_Relock(w);
            Redisplay(w);
        }
        return 1;
    }
    return 0;
}

int View_Find(HWND view, bool repeat, int32_t patternLength) {
    WinData* w = FocusedView(view);
    return w ? Find(w, repeat, patternLength) : 0;
}

int View_GetInfo(HWND view, ViewInfo* info) {
    WinData* w = View_Data(view);
    if (!w)
        return 0;
    const bool mine = EngineIsMine(w);
    const ViewFileBlock& file = mine ? gEngine.file : w->file;
    const DisplaySettings& display = mine ? gEngine.settings : w->display;
    *info = ViewInfo();
    info->topLine = file.topLine;
    info->pageLines = w->geo.pageLines;
    info->lineHeight = w->geo.lineHeight;
    info->charWidth = w->geo.charWidth;
    info->leftMargin = w->geo.leftMargin;
    info->textArea = w->geo.text;
    info->statusBand = w->geo.band;
    info->hScroll = file.hScroll;
    info->hexMode = display.hexMode;
    info->binaryMode = display.binaryMode;
    info->stripBit7 = display.stripBit7;
    info->atEndOfView = w->atEndOfView;
    info->selectionState = w->selectionState;
    info->selFromLine = w->selFromLine;
    info->selToLine = w->selToLine;
    info->selFromColumn = w->selFromColumn;
    info->selToColumn = w->selToColumn;
    info->titleLineCount = w->titlePane ? w->titleLineCount : 0;
    info->fileSize = file.fileSize;
    info->ownsEngine = mine;
    lstrcpynA(info->lineText, w->lineText, sizeof info->lineText);
    lstrcpynA(info->factsText, w->factsText, sizeof info->factsText);
    lstrcpynA(info->positionStrip, w->positionStripShown ? w->positionStrip : "",
              sizeof info->positionStrip);
    return 1;
}

