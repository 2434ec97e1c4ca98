// What a print job takes from a file view: the lines of the range as the view shows them (tabs
// expanded, hex rows in hex mode), read through the engine window by window.
#pragma once

#include <stdint.h>

struct ViewEngine;
struct ViewSelection;

constexpr int64_t kPrintAllLines = 99999999; // "all": the end of the file ends it first

struct PrintViewRange {
    int64_t firstLine, lastLine; // 1-based, inclusive
    bool charwise;
    int32_t startColumn; // 1-based, on the first line; charwise only
    int32_t endColumn;   // 1-based, inclusive, on the last line; -1 to the line's end
};

// The range of a view's selection; 0 when nothing is selected (the job then prints all).
int PrintView_SelectionRange(const ViewSelection& selection, PrintViewRange* range);
void PrintView_AllRange(PrintViewRange* range);

// Called with each line's shown text; returns 1 to go on, 0 to stop.
typedef int (*PrintLineFn)(void* context, int64_t line, const char* text, int32_t count);

// Feeds the range's lines to sink in order, until its last line, the end of the file or a 0
// from sink; the engine's top line and window are put back afterwards. Returns the number of
// lines fed.
int64_t PrintView_Walk(ViewEngine* engine, const PrintViewRange& range, PrintLineFn sink,
                       void* context);
