// Splitting the block in the buffer into lines (text) or rows (hex, binary), and the "Mode?"
// question when a block does not look like text.
#include <string.h>

#include "platform/uiseam.h"
#include "viewer/engine.h"

namespace {

const char kModeCaption[] = "Mode?";
const char kModeText[] =
    "This does not look like text.\n(Could not find ends of lines.)\nSwitch to Hex mode?";

// Hex rows are 16 bytes each: a row starts every 16 bytes.
int32_t SplitHexRows(ViewEngine* e, int32_t capacity) {
    int32_t count = 0;
    for (int32_t at = 0; at < e->bytesInBuffer && count < capacity; at += 16)
        e->lineStart[count++] = at;
    return count;
}

// Binary rows end after a line feed (or, with crIsNewLine, a carriage return) among their next
// 77 bytes; otherwise they are 77 bytes long. The buffer is left as it is.
int32_t SplitBinaryRows(ViewEngine* e, int32_t capacity, int32_t* used) {
    const char* buf = e->buffer;
    int32_t n = e->bytesInBuffer;
    int32_t at = 0;
    int32_t count = 0;
    while (at < n && count < capacity) {
        e->lineStart[count++] = at;
        int32_t span = n - at < kBinaryRowBytes ? n - at : kBinaryRowBytes;
        const char* end = (const char*)memchr(buf + at, '\n', (size_t)span);
        // Without the whole 77 bytes the line feed may lie beyond the data: the row is the
        // block's cut last row then, not one ended early at a carriage return.
        if (!end && e->settings.crIsNewLine && (span == kBinaryRowBytes || e->atEnd))
            end = (const char*)memchr(buf + at, '\r', (size_t)span);
        at = end ? (int32_t)(end - buf) + 1 : at + span;
    }
    *used = at;
    return count;
}

bool AllNul(const char* p, int32_t length) {
    for (int32_t i = 0; i < length; i++)
        if (p[i])
            return false;
    return true;
}

enum TextSplit { kTextDone, kTextNotText };

// Text lines end at a line feed, which is overwritten with 0 so that each line is a
// zero-terminated string in place. A run of NULs inside a line splits it, and a line longer
// than LineLength with more data after it means the block is not text.
TextSplit SplitTextLines(ViewEngine* e, int32_t capacity, int32_t* countOut, int32_t* used) {
    char* buf = e->buffer;
    int32_t* lineStart = e->lineStart; // a local: stores through char* would reload the member
    const int32_t n = e->bytesInBuffer;
    const int32_t lineLength = e->sizes.lineLength;
    // Text almost never holds NULs: find the next one once, not once per line. The 0 set after
    // the data stops the search at n.
    auto findNul = [&](int32_t from) {
        return (int32_t)((char*)memchr(buf + from, 0, (size_t)(n - from + 1)) - buf);
    };
    int32_t nextNul = findNul(0);
    int32_t p = 0;
    int32_t count = 0;
    TextSplit result = kTextDone;
    while (p < n && count < capacity) {
        lineStart[count++] = p;
        if (nextNul < p)
            nextNul = findNul(p);
        int32_t left = n - p;
        int32_t span = left < lineLength ? left : lineLength;
        char* lf = (char*)memchr(buf + p, '\n', (size_t)span);
        int32_t endAt;
        if (lf) {
            endAt = (int32_t)(lf - buf);
        } else if (e->atEnd && buf[p] == 0 && AllNul(buf + p, left)) {
            p = n; // trailing NULs are one empty line, however many there are
            break;
        } else if (left > lineLength || (buf[p] == 0 && e->atEnd)) {
            result = kTextNotText; // too long for a line, or NULs with text after them
            break;
        } else if (!e->atEnd || nextNul >= n) {
            p = n; // the last line runs to the end of the data (cut, if the file goes on)
            break;
        } else {
            endAt = nextNul;
        }
        if (nextNul < endAt || (nextNul == endAt && !lf)) {
            // A run of NULs splits the line; the next line begins after the run.
            e->nulsSeen = true;
            int32_t next = nextNul;
            while (next < n && buf[next] == 0)
                next++;
            p = next < n ? next : nextNul + 1;
        } else {
            buf[endAt] = 0;
            p = endAt + 1;
        }
    }
    *countOut = count;
    *used = p;
    return result;
}

} // namespace

int64_t SplitLines(ViewEngine* e) {
    if (e->settings.stripBit7) {
        // The count in a local: a store through the byte pointer could change the member, and
        // the compiler would load it again on every byte rather than clear many at once.
        unsigned char* p = (unsigned char*)e->buffer;
        const int32_t n = e->bytesInBuffer;
        for (int32_t i = 0; i < n; i++)
            p[i] &= 0x7F;
    }
    int32_t capacity = (int32_t)(e->sizes.indexEntries - 1);
    int32_t count = 0;
    int32_t used = e->bytesInBuffer;
    if (e->settings.hexMode) {
        count = SplitHexRows(e, capacity);
        used = count * 16 < used ? count * 16 : used;
    } else if (e->settings.binaryMode) {
        count = SplitBinaryRows(e, capacity, &used);
    } else if (SplitTextLines(e, capacity, &count, &used) == kTextNotText) {
        // Keep the lines found so far, so the question can note where the top line begins.
        e->lineStart[count] = -1;
        e->lineCount = count;
        return OfferHexMode(e) < 0 ? -1 : 0;
    }
    e->lineStart[count] = -1;
    e->lineCount = count;
    e->lastLine = e->firstLine + count - 1 > 1 ? e->firstLine + count - 1 : 1;
    if (e->atEnd) {
        if (count == capacity && used < e->bytesInBuffer) {
            // The line table filled before the data ran out: the rest comes in a next block.
            e->atEnd = false;
            e->lastBlockKnown = false;
        } else {
            e->totalLines = e->lastLine;
        }
    }
    return e->lastLine;
}

int OfferHexMode(ViewEngine* e) {
    Ui_DismissSplash();
    int64_t topOffset = TopLineOffset(e);
    int answer;
    if (e->modePolicy == kModeAnswerNo) {
        answer = kAnswerNo;
    } else if (e->modePolicy == kModeAnswerYes) {
        answer = kAnswerYes;
    } else {
        PromptRequest request = {kModeText, kModeCaption,
                                 e->openingNewView ? kButtonsYesNoCancel : kButtonsYesNo,
                                 kIconQuestion, kPromptTaskModal | kPromptNoOwner};
        answer = Ui_Ask(request);
        if (answer == kAnswerCancel && e->openingNewView)
            return -1;
    }
    if (answer == kAnswerYes) {
        e->settings.hexMode = 1;
        e->settings.binaryMode = 0;
        e->settings.crIsNewLine = 0;
    } else {
        e->settings.binaryMode = 1;
        e->settings.hexMode = 0;
    }
    // Lines counted as text before this block (or lines split at NULs) do not number the new
    // rows: lay the blocks out again from the top line's offset under the new mode.
    if (e->nulsSeen || e->firstLine > 1) {
        bool toEnd = e->file.topLine == END_LINE;
        if (ResetEngine(e, false) < 0)
            return -1;
        GoToOffset(e, topOffset);
        if (toEnd)
            e->file.topLine = END_LINE;
        return 0;
    }
    // The block was split as text up to here (line ends overwritten): read it again and split
    // it in the new mode, so the buffer and the line table agree whatever comes next.
    if (ReadBlock(e) < 0 || SplitLines(e) < 0)
        return -1;
    if (e->file.topLine != END_LINE)
        BuildRows(e);
    return 0;
}
