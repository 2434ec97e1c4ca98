// A view window's own record, WinData, and what the view's files (window, input, painting, title
// pane) share about it. Every view has one; the engine (one for all views) holds the file state
// of the view that owns it, and the record keeps it meanwhile for the others.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "viewer/engine.h"
#include "viewer/viewlend_win.h"

// Where things are in a view's client area, worked out again on every size change, activation
// and font change.
struct ViewGeometry {
    int32_t dpiX, dpiY;
    int32_t leftMargin, topMargin;
    RECT client;
    RECT text; // the rows; begins below the title pane
    RECT band; // the status band along the bottom
    int32_t bandRight; // where its panes must end
    RECT hBar, vBar; // the scroll bars' places
    int32_t lineHeight, charWidth;
    int32_t pageLines; // at least 2
    int32_t columns; // characters per row
};

struct WinData {
    ViewFileBlock file; // the engine's file block, kept while another view owns the engine
    DisplaySettings display;
    int32_t lastPaintMode; // 1 hex, 2 text, 0 none
    int64_t topOffset; // file offset of the top line, written on deactivation
    HWND window; // this view; checked on every activation
    HWND vScrollBar;
    int32_t vScrollShown;
    HWND hScrollBar;
    HWND titlePane;
    HGLOBAL titleText; // locked lines, each its text, a line feed and a 0
    int64_t titleFirstLine;
    int32_t titleLineCount;
    int32_t titleHeight; // pixels; 0 with no pane
    HFONT font;
    int64_t totalLines;
    COLORREF textColor;
    HBRUSH backgroundBrush;
    int32_t colorOption;
    COLORREF backgroundColor;
    int32_t atEndOfView;
    int64_t selFromLine, selToLine; // anchor and end
    int32_t selFromColumn, selToColumn; // 1-based; -1 as end: to the end of the line
    int32_t selectionState; // 0 none, 1 whole lines, 2 a character range

    // ---- The window's own state, never part of the engine ----
    HGLOBAL memory; // this record's block
    ViewGeometry geo;
    bool closing;
    bool activatingClick; // the button-down that only brings the view up starts nothing
    bool selecting; // the left button is down and the mouse is captured
    int32_t scrollTimerDirection; // -1 up, +1 down, 0 the timer is off
    bool thumbDragging;
    bool positionStripShown;
    char positionStrip[96];
    int32_t lastTopPercent, lastBottomPercent; // -1: not drawn yet
    char lineText[40]; // the panes' texts as last painted
    char factsText[96];
    bool closeAfterPaint; // the file vanished while the view was being painted
    bool paintDue; // a paint came while a print job had the engine
};

constexpr UINT_PTR kSelectScrollTimer = 1234;
constexpr UINT kSelectScrollMs = 100;
constexpr int kVScrollBarId = 9000;
constexpr int kHScrollBarId = 9001;

// ---- The window (viewwnd_win.cpp) ----

// The record of a view window; null for any other window or a view being torn down.
WinData* View_Data(HWND view);
// Lays the view out from its client rectangle and font.
void View_Layout(WinData* w);
// The frame closes the view once the message under way is done.
void View_CloseLater(WinData* w);
// Everything is drawn again, the position circle too.
void View_Redisplay(WinData* w);

// ---- Keys, scroll bars and mouse (viewinput_win.cpp) ----

void ViewInput_Key(WinData* w, WPARAM key, int repeat);
void ViewInput_VScroll(WinData* w, int code, int position);
void ViewInput_HScroll(WinData* w, int code, int position);
void ViewInput_LButtonDown(WinData* w, POINT at, WPARAM keys);
void ViewInput_MouseMove(WinData* w, POINT at, WPARAM keys);
void ViewInput_LButtonUp(WinData* w);
void ViewInput_RButtonDown(WinData* w, POINT at);
void ViewInput_RButtonUp(WinData* w);
// The selection scroll timer ticked.
void ViewInput_SelectTimer(WinData* w);
// The engine's match goes (the screen's highlight is the caller's).
void ViewInput_ClearMatch();
// The top line was set: the engine is brought to it, and the window either moves its pixels (a
// move within a page) or is drawn again.
void ViewInput_AfterMove(WinData* w, int64_t oldTop);
// The view starts at line top (the match highlight goes).
void ViewInput_MoveTo(WinData* w, int64_t top);
// A display setting changed: the top line keeps its file offset. binaryUnasked: a file that
// does not look like text gets binary rows without "Mode?".
void ViewInput_Relayout(WinData* w, bool binaryUnasked = false);
void ViewInput_ToggleStrip(WinData* w);
void ViewInput_ToggleHex(WinData* w);
// Copy, Deselect and Title Lock follow whether there is a selection.
void ViewInput_EnableSelectionItems(bool on);
// The record forgets the selection (the screen is the caller's).
void View_ClearSelection(WinData* w);
// Drops the selection from the screen and the record; greys Copy, Deselect and Title Lock.
void View_DropSelection(WinData* w);

// ---- Painting (viewpaint_win.cpp) ----

// Paints the rows meeting the update area and the status band, with the view's font and
// colours selected. The bottom line.
int64_t ViewPaint_Paint(WinData* w, HDC dc, const RECT& update);
// Draws the right-button position strip across the status band.
void ViewPaint_PositionStrip(WinData* w, HDC dc);
// Invalidates the rectangles the match highlight covers (rows shifted by rowShift), empties the
// highlight list, and repaints at once when asked.
void ViewPaint_RemoveMatchHighlight(WinData* w, int32_t rowShift, bool updateNow);
// Invalidates the rows of lines from .. to (in any order) that the window shows.
void ViewPaint_InvalidateLines(WinData* w, int64_t from, int64_t to);
// After the top line moved: invalidates the line pane and page picture, and the circle only when
// a percentage changed; moves the vertical thumb.
void ViewPaint_PositionChanged(WinData* w);
// The absolute file offset where line index j of the buffer begins.
int64_t ViewPaint_LineOffset(const ViewEngine* e, int32_t j);

// ---- Title pane and copy (viewtitle_win.cpp) ----

// Copies the selection to the clipboard. 1 when copied.
int View_CopySelection(WinData* w);
// Locks the selected lines in a title pane (a pane already there goes first). 1 when locked.
int Title_Lock(WinData* w);
// Removes the pane and gives its room back to the rows.
void Title_Remove(WinData* w);
// The locked lines may show differently now: they are locked again as the view decodes them.
void Title_Relock(WinData* w);
