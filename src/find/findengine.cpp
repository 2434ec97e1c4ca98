// Find in a file view, block by block through the shared engine.
#include "find/findengine.h"

#include <string.h>

#include <vector>

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

// How many bytes before a block's cut a match may begin and still reach past it. Text lines end
// in zero bytes and no match spans two of them, so a text find carries nothing. In hex and
// binary views a plain pattern may straddle the cut by its length less one, a regular
// expression by LineLength, and a pair of strings (or a NOT stretch and a string) by LineLength
// and the second's own reach.
int32_t Carry(const ViewEngine* e, const FindSettings& s, int32_t patternLength) {
    if (!e->settings.hexMode && !e->settings.binaryMode)
        return 0;
    const int32_t lineLength = e->sizes.lineLength;
    if (s.booleanFind)
        return 2 * lineLength + 1;
    if (s.regularExpression && !s.hexFind)
        return lineLength;
    return patternLength > 1 ? patternLength - 1 : 0;
}

// The bytes a hex or binary find carries across a block's cut: the last Carry bytes before the
// cut, where their rows begin, and then the next block's first bytes after the cut, so that a
// match begun before the cut is judged on the file's own bytes whatever the two blocks share.
// The blocks overlap by a page of rows, which in small windows (or rows of one line feed) is
// far less than a match may span.
struct Seam {
    std::vector<char> bytes; // from the file offset `from`, and one byte more that may be read
    int64_t from;
    int32_t before; // bytes before the cut
    std::vector<int64_t> rowOffsets; // file offsets of the rows that hold those bytes
    int64_t firstRowLine; // line number of rowOffsets[0]
};

// Keeps buffer[from .. cut) and its rows, before the engine moves on.
void Seam_Keep(Seam* seam, const ViewEngine* e, int32_t from, int32_t cut, int32_t j0) {
    seam->from = e->file.bufferOffset + from;
    seam->before = cut - from;
    seam->bytes.assign(e->buffer + from, e->buffer + cut);
    seam->rowOffsets.clear();
    for (int32_t j = j0; j < e->lineCount && e->lineStart[j] < cut; j++)
        seam->rowOffsets.push_back(e->file.bufferOffset + e->lineStart[j]);
    seam->firstRowLine = e->firstLine + j0;
}

// Adds the bytes after the cut from the block now in the buffer (which holds the cut).
void Seam_Join(Seam* seam, const ViewEngine* e, int32_t cutAt, int32_t after) {
    int32_t left = e->bytesInBuffer - cutAt;
    if (after > left)
        after = left;
    // The byte after them is the file's next one, or the 0 after the data.
    seam->bytes.insert(seam->bytes.end(), e->buffer + cutAt, e->buffer + cutAt + after + 1);
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

namespace {

// Marks the match (line, column and length, or a whole line) and moves the window to show it:
// a line off the window that was shown goes half a window from the top.
void ShowMatch(ViewEngine* e, int64_t line, int32_t column, int32_t length, bool wholeLine,
               int64_t shownTop) {
    e->matchLine = line;
    if (wholeLine) {
        e->matchColumn = -1;
        e->matchLength = -1;
        e->displayColumn = -1;
    } else {
        e->matchColumn = column;
        e->matchLength = length;
        e->displayColumn = column + 1;
    }
    if (line < shownTop || line >= shownTop + e->pageLines) {
        int64_t top = line - e->pageLines / 2;
        e->file.topLine = top > 1 ? top : 1;
    } else {
        e->file.topLine = shownTop;
    }
    EnsureWindow(e, false);
}

int64_t ScanForPiece(const char* bytes, int64_t n, void* skip) {
    return FindSkip_Next(*(const FindSkip*)skip, bytes, n);
}

// How many blocks in a row may each hold a piece before the walk stops looking ahead.
constexpr int32_t kMostNearPieces = 16;
// How much of the file one look ahead takes before a key press or click may stop the find.
constexpr int64_t kSkipSlice = INT64_C(16) << 20;

enum SkipEnd {
    kSkipFound,   // *at: the first place at or after `from` where a piece stands
    kSkipNone,    // no piece from there to the file's end: no match either
    kSkipStopped, // the user stopped the find
    kSkipUnknown, // the file's bytes cannot tell: the walk must look at every line
};

// Where the file may next hold a match, found from its own bytes rather than from its lines.
SkipEnd SkipAhead(ViewEngine* e, const FindSkip& skip, int64_t from, bool interactive,
                  int64_t* at) {
    const int32_t overlap = FindSkip_Span(skip) - 1;
    for (;;) {
        bool toFileEnd = false;
        const int64_t hit = Engine_ScanAhead(e, from, from + kSkipSlice, overlap, ScanForPiece,
                                             (void*)&skip, &toFileEnd);
        if (hit >= 0) {
            *at = hit;
            return kSkipFound;
        }
        if (hit == kScanUnknown)
            return kSkipUnknown;
        if (toFileEnd)
            return kSkipNone;
        if (interactive && UserStops())
            return kSkipStopped;
        from += kSkipSlice;
    }
}

enum WalkEnd {
    kWalkFound,    // the match is marked and shown
    kWalkNotFound, // the file holds no match past the start
    kWalkQuiet,    // the user stopped the walk, or the file could not be read: nothing to tell
};

// Walks the file block by block from where the find starts (a repeat: past the match shown)
// until a match, the file's end or the user stops it. Unless a match is shown, the window goes
// back to the lines it showed and no match is marked.
WalkEnd SearchBlocks(ViewEngine* e, const FindSettings* s, bool repeat, int32_t patternLength,
                     bool interactive) {
    const int64_t shownTop = e->file.topLine;
    const bool textLines = !e->settings.hexMode && !e->settings.binaryMode;
    FindScope scope = {e->sizes.lineLength, textLines, 0};
    const bool absolute = !PostScriptShown(e); // buffer offsets are file offsets
    const int32_t carry = absolute ? Carry(e, *s, patternLength) : 0;

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

    // Where every match holds a literal piece, stretches of the file without one are passed
    // over from the file's own bytes, not read into blocks and split into lines.
    FindSkip skip;
    bool skipping = absolute && FindSkip_Init(*s, scope, &skip);
    int32_t nearPieces = 0;

    bool stopped = false;
    Seam seam;
    for (;;) {
        const int32_t end = RegionEnd(e);
        if (interactive && UserStops()) {
            stopped = true;
            break;
        }
        // A match that begins within the carry of a cut may reach past it: the seam judges it.
        const int32_t judged = e->atEnd || carry == 0 ? end : end - carry;
        scope.lineBegun = textLines ? FindLineBegun(e->buffer, start) : 0;
        int32_t length = 0;
        bool wholeLine = false;
        const char* m = end > start ? FindMatch(*s, scope, e->buffer + start, end - start,
                                                &length, &wholeLine)
                                    : nullptr;
        if (m && m - e->buffer < judged) {
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
            ShowMatch(e, e->firstLine + j, at - e->lineStart[j], length, wholeLine, shownTop);
            return kWalkFound;
        }
        const int32_t kept = judged > start ? judged : start;
        if (skipping && !e->atEnd) {
            int64_t piece = 0;
            const SkipEnd ahead =
                SkipAhead(e, skip, e->file.bufferOffset + kept, interactive, &piece);
            if (ahead == kSkipNone)
                break;
            if (ahead == kSkipStopped) {
                stopped = true;
                break;
            }
            skipping = ahead == kSkipFound;
            // A match begins on its piece's line, or in hex and binary rows up to the reach
            // before it; never before what is judged already, nor before where the find began.
            int64_t land = textLines ? piece : piece - skip.reach;
            land = land > e->file.bufferOffset + kept ? land : e->file.bufferOffset + kept;
            land = land > resumeAt ? land : resumeAt;
            // A piece in the bytes the buffer holds is met by the next block anyway (one begun
            // before the cut, within the carry, is judged across it below). Where pieces stand
            // that close, block after block, the look ahead only costs: the walk goes on alone.
            const bool near = land < e->file.bufferOffset + e->bytesInBuffer;
            nearPieces = near ? nearPieces + 1 : 0;
            if (nearPieces > kMostNearPieces)
                skipping = false;
            if (skipping && !near) {
                if (Engine_AdvanceTo(e, land) < 0)
                    break;
                const int32_t at = (int32_t)(land - e->file.bufferOffset);
                start = textLines ? e->lineStart[LineHolding(e, at)] : at;
                if (resumeAt - e->file.bufferOffset > start)
                    start = (int32_t)(resumeAt - e->file.bufferOffset);
                continue;
            }
        }
        const int64_t cutLine = e->lastLine;
        const int64_t cutOffset = e->file.bufferOffset + end;
        const bool seamed = carry > 0 && !e->atEnd && kept < end;
        if (seamed)
            Seam_Keep(&seam, e, kept, end, LineHolding(e, kept));
        if (!NextBlock(e))
            break;
        const int32_t cutAt = absolute ? (int32_t)(cutOffset - e->file.bufferOffset)
                                       : e->lineStart[cutLine - e->firstLine];
        if (seamed) {
            Seam_Join(&seam, e, cutAt, carry + 1);
            const int64_t n = (int64_t)seam.bytes.size() - 1;
            m = FindMatch(*s, scope, seam.bytes.data(), n, &length, &wholeLine);
            if (m && m - seam.bytes.data() < seam.before) {
                const int64_t at = seam.from + (m - seam.bytes.data());
                size_t row = seam.rowOffsets.size() - 1;
                while (row > 0 && seam.rowOffsets[row] > at)
                    row--;
                ShowMatch(e, seam.firstRowLine + (int64_t)row,
                          (int32_t)(at - seam.rowOffsets[row]), length, wholeLine, shownTop);
                return kWalkFound;
            }
        }
        int64_t from = cutAt;
        if (absolute && resumeAt - e->file.bufferOffset > from)
            from = resumeAt - e->file.bufferOffset;
        start = from > 0 ? (int32_t)from : 0;
    }

    e->file.topLine = shownTop;
    e->matchLine = 0;
    e->matchColumn = 0;
    EnsureWindow(e, false);
    return stopped ? kWalkQuiet : kWalkNotFound;
}

} // namespace

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
    const WalkEnd end = EnsureWindow(e, false) < 0
                            ? kWalkQuiet
                            : SearchBlocks(e, s, repeat, patternLength, interactive);
    Engine_EndWalk(e);
    Ui_EndBusy(cursor);
    if (end == kWalkNotFound && interactive)
        Tell(kNotFoundText, kNotFoundCaption);
    return end == kWalkFound ? 1 : 0;
}
