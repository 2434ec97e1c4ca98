// Feeding a view's lines to the print job from the rows the engine builds, as Copy takes them.
#include "print/printview.h"

#include <string.h>

#include <algorithm>

#include "viewer/engine.h"
#include "viewer/selcopy.h"

int PrintView_SelectionRange(const ViewSelection& s, PrintViewRange* range) {
    if (s.state != kSelectionLines && s.state != kSelectionRange)
        return 0;
    range->firstLine = std::min(s.fromLine, s.toLine);
    range->lastLine = std::max(s.fromLine, s.toLine);
    range->charwise = s.state == kSelectionRange;
    int32_t start = s.fromColumn, end = s.toColumn;
    if (s.fromLine > s.toLine)
        std::swap(start, end);
    else if (s.fromLine == s.toLine) {
        const int64_t a = start < 0 ? INT64_MAX : start, b = end < 0 ? INT64_MAX : end;
        if (a > b)
            std::swap(start, end);
    }
    range->startColumn = start < 1 ? (start < 0 ? INT32_MAX : 1) : start;
    range->endColumn = end;
    if (range->firstLine < 1)
        range->firstLine = 1;
    return 1;
}

void PrintView_AllRange(PrintViewRange* range) {
    *range = PrintViewRange{1, kPrintAllLines, false, 1, -1};
}

int64_t PrintView_Walk(ViewEngine* e, const PrintViewRange& range, PrintLineFn sink,
                       void* context) {
    const int64_t topBefore = e->file.topLine;
    int64_t fed = 0;
    Engine_BeginWalk(e);
    for (int64_t line = range.firstLine; line <= range.lastLine; line++) {
        bool isLast = false;
        const char* row = SelCopy_BuiltRow(e, line, &isLast);
        if (!row) {
            // The next window of rows begins at this line.
            e->file.topLine = line;
            if (EnsureWindow(e, false) < 0)
                break;
            row = SelCopy_BuiltRow(e, line, &isLast);
            if (!row)
                break;
        }
        const int64_t length = (int64_t)strlen(row);
        int64_t from = 0, to = length;
        if (range.charwise) {
            if (line == range.firstLine)
                from = std::min<int64_t>((int64_t)range.startColumn - 1, length);
            if (line == range.lastLine && range.endColumn >= 0)
                to = std::min<int64_t>(range.endColumn, length);
            if (to < from)
                to = from;
        }
        fed++;
        if (!sink(context, line, row + from, (int32_t)(to - from)) || isLast)
            break;
    }
    e->file.topLine = topBefore;
    EnsureWindow(e, false);
    Engine_EndWalk(e);
    return fed;
}
