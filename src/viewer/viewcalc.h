// The figures a view window draws and moves by, worked out without a window: grouped numbers,
// the status band's panes, the position circle, hex columns, where a match must be scrolled to,
// and the top line after a key.
#pragma once

#include <stdint.h>

#include "viewer/engine.h"

// ---- Numbers ----------------------------------------------------------------------------------

// Copies text with its first run of digits grouped in threes from the right ("Line:1234567" ->
// "Line:1,234,567"); a run of three digits or fewer is left alone. Cut to destSize - 1.
void GroupDigits(const char* text, char* dest, int destSize);
// The line pane's text: "Line:" and the top line, grouped.
void FormatLinePane(int64_t topLine, char* dest, int destSize);
// 0..100: how far offset lies into a file of this size, in 64 bits. 0 for an empty file.
int32_t PercentOf(int64_t offset, int64_t size);

// ---- Status band ------------------------------------------------------------------------------

struct PaneBox {
    int32_t left, top, right, bottom; // right == left: no room, not drawn
};

struct StatusPanes {
    PaneBox circle, line, page, strip, facts;
};

// The five panes of a band from left to right, on a screen of dpiX x dpiY pixels per inch.
// bandRight is where the panes must end (before a short vertical scroll bar, if any).
StatusPanes LayOutStatusBand(int32_t dpiX, int32_t dpiY, int32_t leftMargin, int32_t bandTop,
                             int32_t bandRight, int32_t clientBottom, int64_t fileSize);

// Measures a text's width in pixels (the view's font).
typedef int32_t (*MeasureTextFn)(const char* text, int32_t length, void* context);
// "Size:" and the grouped size, then " " and the stamp, then " Attr:" and the letters: each piece
// only while the pane is wide enough for all so far. "" when not even the size fits.
void FormatFactsPane(int64_t fileSize, const char* stamp, const char* attributes,
                     int32_t paneWidth, MeasureTextFn measure, void* context, char* dest,
                     int destSize);

// ---- Position circle --------------------------------------------------------------------------

struct CirclePoint {
    int32_t x, y; // in 1/128 pixel from the pane's top-left corner
};
// Point p (0..100; 100 is point 0 again) of the 100 around a pane's rectangle, clockwise from the
// middle of its top edge.
CirclePoint PositionCirclePoint(int32_t percent, int32_t width, int32_t height);
// A slice of 0 or 1 points widened to 2 (towards the start near 100).
void WidenSlice(int32_t* topPercent, int32_t* bottomPercent);

// ---- Hex columns and the match --------------------------------------------------------------

// The byte (0..15) of a hex row that the 0-based display column c shows.
int32_t HexColumnToByte(int32_t column);
// The highlight entries of a hex match: its cells on each row from `row` on, shifted left by
// hScroll, at most maxRows rows. Returns the number written (the list is not ended).
int32_t HexMatchFields(int32_t row, int32_t matchColumn, int32_t matchLength, int32_t hScroll,
                       MatchField* out, int32_t maxFields);
// The rows a match needs: hex rows of 16 bytes, binary pieces as listed, one text row.
int32_t MatchRows(const ViewEngine* e);

struct MatchView {
    int64_t topLine;
    int32_t pageLines;
    int64_t bottomLine; // topLine + pageLines, or the last line when that is smaller
    bool bottomIsLastLine;
};
// The top line that shows all rows of a match starting on matchLine, or 0 when the window shows
// it already.
int64_t TopLineForMatch(const MatchView& view, int64_t matchLine, int32_t rows);
// hScroll that shows columns start .. start + length - 1 (1-based) in a width of visible columns.
int32_t HScrollForMatch(int32_t hScroll, int32_t start, int32_t length, int32_t visible);

// ---- Moves ------------------------------------------------------------------------------------

// Page Up: a page back, or to line 1 from within the first page.
int64_t PageUpTop(int64_t topLine, int32_t pageLines);

// ---- Position strip ---------------------------------------------------------------------------

// "Line:%ld  Char:%d  FileOffset: %lXh      " with 64-bit figures.
void FormatPositionStrip(int64_t line, int64_t character, int64_t offset, char* dest,
                         int destSize);
