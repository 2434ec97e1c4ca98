// Collecting a view's selection as text. The text is what the view shows (tabs expanded, hex
// rows with their offsets), so it is taken from the display rows the engine builds, moving the
// window through the file when the selection is longer than the window.
#include "viewer/selcopy.h"

#include <string.h>

#include <algorithm>
#include <new>

#include "platform/uiseam.h"
#include "viewer/engine.h"

const char kTextNotEnoughMemory[] = "Not Enough Memory";

namespace {

constexpr size_t kFirstBlockBytes = 1024;

size_t gLimitForTests = 0;

// std::string reports an exhausted heap by throwing; the collector turns that into its result.
bool Append(std::string* text, const char* bytes, size_t count) {
    if (gLimitForTests && text->size() + count > gLimitForTests)
        return false;
    try {
        if (text->capacity() < text->size() + count)
            text->reserve(2 * (text->size() + count));
        text->append(bytes, count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void SayNoMemory() {
    PromptRequest request = {kTextNotEnoughMemory, nullptr, kButtonsOk, kIconError,
                             kPromptSystemModal};
    Ui_Ask(request);
}

} // namespace

void SelCopy_LimitForTests(size_t maxBytes) {
    gLimitForTests = maxBytes;
}

int CollectSelection(ViewEngine* e, const ViewSelection& selection, SelectionPurpose purpose,
                     CollectedText* out) {
    out->text.clear();
    out->firstLine = 0;
    out->lineCount = 0;
    if (selection.state != kSelectionLines && selection.state != kSelectionRange)
        return 0;

    // First line first; within one line, the columns in order (-1, the line's end, last).
    int64_t first = selection.fromLine, last = selection.toLine;
    int64_t startColumn = selection.fromColumn, endColumn = selection.toColumn;
    if (first > last) {
        std::swap(first, last);
        std::swap(startColumn, endColumn);
    } else if (first == last) {
        int64_t a = startColumn < 0 ? INT64_MAX : startColumn;
        int64_t b = endColumn < 0 ? INT64_MAX : endColumn;
        if (a > b)
            std::swap(startColumn, endColumn);
    }
    if (first < 1)
        first = 1;
    const bool isTitle = purpose == kCollectTitle;
    const bool wholeLines = selection.state == kSelectionLines || isTitle;
    if (wholeLines) {
        startColumn = 0;
        endColumn = -1;
    }
    if (startColumn < 0)
        startColumn = INT64_MAX; // from the line's end: nothing of the first line
    if (startColumn < 1)
        startColumn = 1;

    const int64_t selectionLast = last; // the end column belongs to this line alone
    const int64_t topBefore = e->file.topLine;
    bool moved = false;
    int result = 1;
    try {
        out->text.reserve(kFirstBlockBytes);
    } catch (const std::bad_alloc&) {
        result = -1;
    }
    for (int64_t line = first; result == 1 && line <= last; line++) {
        bool isLastOfFile = false;
        const char* row = SelCopy_BuiltRow(e, line, &isLastOfFile);
        if (!row) {
            e->file.topLine = line;
            moved = true;
            if (EnsureWindow(e, false) < 0)
                break;
            row = SelCopy_BuiltRow(e, line, &isLastOfFile);
            if (!row)
                break;
        }
        if (isLastOfFile)
            last = line;

        size_t length = strlen(row);
        size_t from =
            line == first ? (size_t)std::min<int64_t>(startColumn - 1, (int64_t)length) : 0;
        size_t to = length;
        if (line == selectionLast && !wholeLines && endColumn >= 0 && (size_t)endColumn < length)
            to = (size_t)endColumn;
        if (to < from)
            to = from;

        // A range joins its lines with line breaks; whole lines each end with one.
        bool appended = true;
        if (!isTitle && !wholeLines && out->lineCount > 0)
            appended = Append(&out->text, "\r\n", 2);
        appended = appended && Append(&out->text, row + from, to - from);
        if (appended && isTitle)
            appended = Append(&out->text, "\n", 2); // the line feed and its 0 byte
        else if (appended && wholeLines)
            appended = Append(&out->text, "\r\n", 2);
        if (!appended) {
            result = -1;
            break;
        }
        if (out->lineCount == 0)
            out->firstLine = line;
        out->lineCount++;
    }

    if (moved) {
        e->file.topLine = topBefore;
        EnsureWindow(e, false);
    }
    if (result < 0) {
        out->text.clear();
        out->text.shrink_to_fit();
        out->firstLine = 0;
        out->lineCount = 0;
        SayNoMemory();
        return -1;
    }
    return out->lineCount > 0 ? 1 : 0;
}

const char* SelCopy_BuiltRow(const ViewEngine* e, int64_t line, bool* isLastOfFile) {
    if (e->lastBuiltTop != e->file.topLine || e->file.topLine == END_LINE)
        return nullptr;
    int64_t r = line - e->file.topLine;
    int64_t j = line - e->firstLine;
    if (r < 0 || r > e->pageLines || j < 0 || j >= e->lineCount)
        return nullptr;
    // Text rows end early when the display buffer is full; the rows after that are not built.
    for (int64_t i = 0; i <= r; i++)
        if (e->rowOffset[i] < 0)
            return nullptr;
    *isLastOfFile = e->atEnd && j == e->lineCount - 1;
    return e->displayText + e->rowOffset[r];
}
