// Find in a file view, block by block through the shared engine.
#include "find/findengine.h"

#include <string.h>

#include "platform/uiseam.h"

namespace {

const char kNotFoundText[] = "Not Found.";
const char kNotFoundCaption[] = "FIND";
const char kSpecialText[] = "Must 'View Hex' to enable the\nsearch for binary zero, CR, or LF";
const char kSpecialCaption[] = "Special Search";
const char kContinueText[] = "Continue Search?";
const char kContinueCaption[] = "Abort?";

bool PostScriptShown(const ViewEngine* e) {
    return (e->settings.postScriptState & kPostScriptShown) != 0;
}

void Tell(const char* text, const char* caption) {
    PromptRequest request = {text, caption, kButtonsOk, kIconInformation, kPromptOwnedByFocus};
    Ui_Ask(request);
}

// A key press or click waiting in the queue offers to stop; true when the user takes it.
bool UserStops() {
    if (!Ui_PendingInput(kPendingKey | kPendingClick))
        return false;
    PromptRequest request = {kContinueText, kContinueCaption, kButtonsYesNo, kIconQuestion,
                             kPromptOwnedByFocus};
    return Ui_Ask(request) == kAnswerNo;
}

// Index of the line of the buffer that holds byte `at`.
int32_t LineHolding(const ViewEngine* e, int32_t at) {
    int32_t lo = 0, hi = e->lineCount - 1;
    while (lo < hi) {
        int32_t mid = lo + (hi - lo + 1) / 2;
        if (e->lineStart[mid] <= at)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// Where the search of the block in the buffer ends: the last line is usually cut by the block's
// end and is searched whole with the next block; at the end of the file, the end of the data.
int32_t RegionEnd(const ViewEngine* e) {
    if (e->lineCount == 0 || (e->atEnd && !PostScriptShown(e)))
        return e->bytesInBuffer;
    return e->lineStart[e->lineCount - 1];
}

// How far before the first byte not yet searched the next block's search begins, so that a
// match across the cut is found. Text lines end in zero bytes and no match spans two of them;
// in hex and binary views a plain pattern may straddle the cut by its length less one, and a
// regular expression or a pair of strings by up to LineLength.
int32_t Carry(const ViewEngine* e, const FindSettings& s, int32_t patternLength) {
    if (!e->settings.hexMode && !e->settings.binaryMode)
        return 0;
    if (s.regularExpression || s.booleanFind)
        return e->sizes.lineLength - 1;
    return patternLength > 1 ? patternLength - 1 : 0;
}

// Moves the engine to the next block (the one that holds the cut last line whole).
// False when the file ended, a read failed or the block did not advance.
bool NextBlock(ViewEngine* e) {
    if (e->atEnd)
        return false;
    int64_t before = e->file.bufferOffset;
    int64_t cutLine = e->lastLine;
    e->file.topLine = e->lastLine + 1;
    if (EnsureWindow(e, false) < 0)
        return false;
    return e->file.bufferOffset > before && cutLine >= e->firstLine;
}

} // namespace

bool HasSpecialBytes(const FindSettings& s) {
    if (!s.hexFind)
        return false;
    auto special = [](const char* p, int32_t n) {
        for (int32_t i = 0; i < n && i < kFindTextMax; i++)
            if (p[i] == 0 || p[i] == '\r' || p[i] == '\n')
                return true;
        return false;
    };
    return special(s.string1, s.byteCount1) || (s.booleanFind && special(s.string2, s.byteCount2));
}

int FindInView(ViewEngine* e, FindSettings* s, bool repeat, int32_t patternLength,
               bool interactive) {
    if (!e->settings.hexMode && HasSpecialBytes(*s)) {
        Tell(kSpecialText, kSpecialCaption);
        return 0;
    }
    if (repeat)
        patternLength = s->findNextLength;
    else
        s->findNextLength = patternLength;

    void* cursor = Ui_BeginBusy(e->file.path);
    Engine_BeginWalk(e);
    if (EnsureWindow(e, false) < 0) {
        Engine_EndWalk(e);
        Ui_EndBusy(cursor);
        return 0;
    }
    const int64_t shownTop = e->file.topLine;
    const FindScope scope = {e->sizes.lineLength,
                             !e->settings.hexMode && !e->settings.binaryMode};
    const bool absolute = !PostScriptShown(e); // buffer offsets are file offsets

    // The first byte to search, as an index into the buffer.
    int32_t start;
    if (repeat && e->matchLine > 0 && e->matchLine >= e->firstLine &&
        e->matchLine <= e->lastLine) {
        int32_t j = (int32_t)(e->matchLine - e->firstLine);
        if (e->matchColumn < 0)
            start = j + 1 < e->lineCount ? e->lineStart[j + 1] : e->bytesInBuffer;
        else
            start = e->lineStart[j] + e->matchColumn + 1;
    } else {
        int64_t j = e->file.topLine - e->firstLine;
        start = j >= 0 && j < e->lineCount ? e->lineStart[j] : 0;
    }
    if (start > e->bytesInBuffer)
        start = e->bytesInBuffer;
    // Nothing before this file offset is searched again: carrying back across a block's cut
    // must not find the match that Find Next moves on from.
    int64_t resumeAt = e->file.bufferOffset + start;

    bool stopped = false;
    for (;;) {
        const int32_t end = RegionEnd(e);
        if (interactive && UserStops()) {
            stopped = true;
            break;
        }
        int32_t length = 0;
        bool wholeLine = false;
        const char* m = end > start ? FindMatch(*s, scope, e->buffer + start, end - start,
                                                &length, &wholeLine)
                                    : nullptr;
        if (m) {
            int32_t at = (int32_t)(m - e->buffer);
            int32_t j = LineHolding(e, at);
            if (j == e->lineCount - 1 && !e->atEnd) {
                // In the cut last line: show it from the next block, where it is whole.
                int64_t cutLine = e->lastLine;
                resumeAt = e->file.bufferOffset + at;
                if (!NextBlock(e))
                    break;
                start = e->lineStart[cutLine - e->firstLine];
                if (absolute && resumeAt - e->file.bufferOffset > start)
                    start = (int32_t)(resumeAt - e->file.bufferOffset);
                continue;
            }
            e->matchLine = e->firstLine + j;
            if (wholeLine) {
                e->matchColumn = -1;
                e->matchLength = -1;
                e->displayColumn = -1;
            } else {
                e->matchColumn = at - e->lineStart[j];
                e->matchLength = length;
                e->displayColumn = e->matchColumn + 1;
            }
            if (e->matchLine < shownTop || e->matchLine >= shownTop + e->pageLines) {
                int64_t top = e->matchLine - e->pageLines / 2;
                e->file.topLine = top > 1 ? top : 1;
            } else {
                e->file.topLine = shownTop;
            }
            EnsureWindow(e, false);
            Engine_EndWalk(e);
            Ui_EndBusy(cursor);
            return 1;
        }
        const int64_t cutLine = e->lastLine;
        const int32_t carry = Carry(e, *s, patternLength);
        if (!NextBlock(e))
            break;
        int64_t from = e->lineStart[cutLine - e->firstLine] - (int64_t)carry;
        if (absolute && resumeAt - e->file.bufferOffset > from)
            from = resumeAt - e->file.bufferOffset;
        start = from > 0 ? (int32_t)from : 0;
    }

    e->file.topLine = shownTop;
    e->matchLine = 0;
    e->matchColumn = 0;
    EnsureWindow(e, false);
    Engine_EndWalk(e);
    Ui_EndBusy(cursor);
    if (!stopped && interactive)
        Tell(kNotFoundText, kNotFoundCaption);
    return 0;
}
