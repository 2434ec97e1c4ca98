// The PostScript print-file reader: the line reader with its read-ahead buffer, recognising the
// driver from the first lines, and rebuilding the printed text of a block from the driver's text
// records, in rows and columns of the view's font.
#include "print/psread.h"

#include <stdlib.h>
#include <string.h>

#include "platform/platform.h"

PsScreenMetrics gPsScreen = {16, 8, 96, 96};

namespace {

// The read-ahead buffer is filled again once a line starts this far into it, so that a whole
// line of kPsLineMax always lies within the data.
constexpr int32_t kRefillPast = 32000;
constexpr int32_t kOutputMargin = 512; // a block stops this far short of its capacity
// Coordinates are taken no larger than this, so scaling them never overflows.
constexpr int64_t kCoordinateMax = INT64_C(1000000000000);
// A dialect 2.0 text may run over a few lines; one that does not close by then is no record.
constexpr int kMaxRecordLines = 8;
constexpr char kOctalPlaceholder = 127;

PsLineReader gReader; // the engine's reader: one read-ahead buffer for the whole program

bool StartsWith(const char* s, int32_t n, const char* prefix) {
    int32_t k = (int32_t)strlen(prefix);
    return n >= k && memcmp(s, prefix, (size_t)k) == 0;
}

bool EndsWith(const char* s, int32_t n, const char* suffix) {
    int32_t k = (int32_t)strlen(suffix);
    return n >= k && memcmp(s + n - k, suffix, (size_t)k) == 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool SameLetters(const char* s, const char* t, int32_t n) {
    for (int32_t i = 0; i < n; i++) {
        char a = s[i] >= 'a' && s[i] <= 'z' ? (char)(s[i] - 32) : s[i];
        char c = t[i] >= 'a' && t[i] <= 'z' ? (char)(t[i] - 32) : t[i];
        if (a != c)
            return false;
    }
    return true;
}

const char* Find(const char* s, int32_t n, const char* what) {
    int32_t k = (int32_t)strlen(what);
    for (int32_t i = 0; i + k <= n; i++)
        if (memcmp(s + i, what, (size_t)k) == 0)
            return s + i;
    return nullptr;
}

// Fills the buffer from `offset`: up to kPsReadAhead - 1 bytes. 1, or -1 on a read error.
int Refill(PsLineReader* r, PlatFile* file, const char* name, int64_t offset) {
    r->name[0] = 0;
    r->count = 0;
    if (!Plat_Seek(file, offset))
        return -1;
    const int32_t want = kPsReadAhead - 1;
    int32_t got = 0;
    while (got < want) {
        int64_t n = Plat_Read(file, r->data + got, want - got);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += (int32_t)n;
    }
    r->start = offset;
    r->count = got;
    r->endInside = got < want;
    strncpy(r->name, name, sizeof r->name - 1);
    r->name[sizeof r->name - 1] = 0;
    return 1;
}

// Makes sure the buffer holds the data at `offset` (with a line's worth after it, unless the file
// ends first). 1, or -1.
int Cover(PsLineReader* r, PlatFile* file, const char* name, int64_t offset) {
    if (!r->data) {
        r->data = (char*)malloc(kPsReadAhead);
        if (!r->data)
            return -1;
        r->name[0] = 0;
    }
    if (r->name[0] && strcmp(r->name, name) == 0 && offset >= r->start &&
        offset <= r->start + kRefillPast && offset <= r->start + r->count)
        return 1;
    return Refill(r, file, name, offset);
}

// ---- Numbers and texts of the records -------------------------------------------------------

// Reads a number (sign, digits, a fraction that is dropped) at *at, after blanks. false when
// there is none.
bool ReadNumber(const char* s, int32_t n, int32_t* at, int64_t* value) {
    int32_t i = *at;
    while (i < n && IsBlank(s[i]))
        i++;
    bool negative = false;
    if (i < n && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    if (i >= n || !IsDigit(s[i]))
        return false;
    int64_t v = 0;
    while (i < n && IsDigit(s[i])) {
        if (v < kCoordinateMax)
            v = v * 10 + (s[i] - '0');
        i++;
    }
    if (v > kCoordinateMax)
        v = kCoordinateMax;
    if (i < n && s[i] == '.') {
        i++;
        while (i < n && IsDigit(s[i]))
            i++;
    }
    *at = i;
    *value = negative ? -v : v;
    return true;
}

// A scan for the closing ")" that goes on where it stopped when more text is appended: where
// the text stopped (past a backslash that ended it, the next character is skipped) and how
// deep in pairs it was.
struct ParenScan {
    int32_t at;
    int depth;
};

int32_t ScanToClosingParen(const char* s, int32_t n, ParenScan* scan) {
    int32_t i = scan->at;
    for (; i < n; i++) {
        if (s[i] == '\\') {
            i++;
        } else if (s[i] == '(') {
            scan->depth++;
        } else if (s[i] == ')' && --scan->depth == 0) {
            scan->at = i;
            return i;
        }
    }
    scan->at = i;
    return -1;
}

// The index of the ")" that closes the "(" at `open`, skipping escaped characters and nested
// pairs; -1 when the text does not close within n.
int32_t ClosingParen(const char* s, int32_t n, int32_t open) {
    ParenScan scan = {open, 0};
    return ScanToClosingParen(s, n, &scan);
}

// Unescapes a record's text into dest (at most room characters): a backslash and a digit start
// an octal escape, shown as the placeholder 127; a backslash and any other character stand for
// that character. Bytes a text line cannot hold (NUL, CR, LF) are shown as the placeholder and
// blanks. The driver's bullet glyph alone stands for a space. Returns the length.
int32_t Unescape(const char* s, int32_t n, char bullet, char* dest, int32_t room) {
    int32_t k = 0;
    for (int32_t i = 0; i < n && k < room;) {
        // The run up to the next backslash goes over whole.
        const char* slash = (const char*)memchr(s + i, '\\', (size_t)(n - i));
        int32_t run = (slash ? (int32_t)(slash - s) : n) - i;
        if (run > room - k)
            run = room - k;
        memcpy(dest + k, s + i, (size_t)run);
        k += run;
        i += run;
        if (!slash || k >= room)
            break;
        if (++i >= n)
            break; // a backslash that ends the text stands for nothing
        char c = s[i++];
        if (IsDigit(c)) {
            for (int more = 0; more < 2 && i < n && s[i] >= '0' && s[i] <= '7'; more++)
                i++;
            c = kOctalPlaceholder;
        }
        dest[k++] = c;
    }
    for (int32_t j = 0; j < k; j++) {
        const char c = dest[j];
        dest[j] = c == 0 ? kOctalPlaceholder : c == '\r' || c == '\n' ? ' ' : c;
    }
    if (k == 1 && dest[0] == bullet)
        dest[0] = ' ';
    return k;
}

// ---- Rebuilding a block -----------------------------------------------------------------------

// The output of one block and the record before the one being placed.
struct Builder {
    const PsOutput* out;
    int dialect;
    PsScreenMetrics screen;
    int64_t pos; // next character of the output
    int32_t lines; // lines begun (closed with CR LF) so far
    int32_t maxLines; // the last output line may be a cut one after these
    int64_t lineStart; // where the last closed line begins
    int64_t openStart; // where the line after it begins (a form feed may stand there)
    bool pageTop;
    int64_t prevX, prevY;
    int32_t prevLength;
    int64_t psOffset; // the PostScript line being handled
    int64_t openOffset; // the page break whose form feed begins the open line
    int32_t runRows; // rows so far that map to the last row's PostScript line
    int64_t runBegin; // where the first of those rows begins
    // The rows one PostScript line may make (its record's, the empty lines below it and, in 2.0,
    // the rows of its other records): a block that begins at the line must still reach the rows
    // of a page after them to step on to. Only a position far off any page comes near this.
    int64_t runRowsMost, runBytesMost;
    bool full; // the empty lines above the next record go on in the next block
};

// Columns for a horizontal position or distance, at least 0.
int64_t Columns(const Builder& b, int64_t x) {
    if (x <= 0)
        return 0;
    if (b.dialect == kPs20)
        return x / b.screen.charWidth;
    return x * b.screen.dpiX / 300 / b.screen.charWidth;
}

// How far the record lies below the previous one, in screen pixels (negative: above it).
int64_t PixelsDown(const Builder& b, int64_t y) {
    switch (b.dialect) {
    case kPs10:
        return (b.prevY - y) * b.screen.dpiY / 300; // 1.0 counts up the page
    case kPs30:
        return (y - b.prevY) * b.screen.dpiY / 300;
    default:
        return y - b.prevY;
    }
}

// Bytes a line may still take: it stays within the view's line length and leaves room for its
// CR LF in the output.
int64_t LineRoom(const Builder& b, int64_t lineBegin) {
    int64_t byLine = (int64_t)b.out->lineLength - 2 - (b.pos - lineBegin);
    int64_t byOutput = b.out->capacity - 2 - b.pos;
    int64_t room = byLine < byOutput ? byLine : byOutput;
    return room > 0 ? room : 0;
}

void PutSpaces(Builder* b, int64_t count, int64_t lineBegin) {
    int64_t room = LineRoom(*b, lineBegin);
    if (count > room)
        count = room;
    if (count <= 0)
        return;
    memset(b->out->text + b->pos, ' ', (size_t)count);
    b->pos += count;
}

void PutText(Builder* b, const char* text, int32_t length, int64_t lineBegin) {
    int64_t room = LineRoom(*b, lineBegin);
    int64_t count = length < room ? length : room;
    if (count <= 0)
        return;
    memcpy(b->out->text + b->pos, text, (size_t)count);
    b->pos += count;
}

// Closes the line begun at lineBegin, which maps to the file at `offset`.
void CloseLine(Builder* b, int64_t lineBegin, int64_t offset) {
    b->out->text[b->pos++] = '\r';
    b->out->text[b->pos++] = '\n';
    b->out->lineOffsets[b->lines] = offset;
    if (b->lines > 0 && b->out->lineOffsets[b->lines - 1] == offset) {
        b->runRows++;
    } else {
        b->runRows = 1;
        b->runBegin = lineBegin;
    }
    b->lineStart = lineBegin;
    b->openStart = b->pos;
    b->lines++;
}

// Whether the run of the last row's PostScript line takes more rows of these bytes.
bool RunTakes(const Builder& b, int64_t rows, int64_t bytes) {
    return b.runRows + rows <= b.runRowsMost && b.pos - b.runBegin + bytes <= b.runBytesMost;
}

// Empty lines above a record further down the page. They belong to the row above them, so that
// a block beginning at that row's PostScript line lays out the same rows again. When the block
// cannot hold them all, it ends with those it holds and the next block, beginning at that row
// or before it, continues them. false then: the record is left to the next block.
bool PutEmptyLines(Builder* b, int64_t count) {
    int64_t byRun = b->runRowsMost - b->runRows;
    const int64_t byRunBytes = (b->runBytesMost - (b->pos - b->runBegin)) / 2;
    if (byRun > byRunBytes)
        byRun = byRunBytes;
    if (count > byRun)
        count = byRun > 0 ? byRun : 0;
    // The block's limits: its line table, and its output up to the margin.
    int64_t fits = (int64_t)b->maxLines - b->lines;
    const int64_t byBytes = (b->out->capacity - kOutputMargin - b->pos + 1) / 2;
    if (fits > byBytes)
        fits = byBytes;
    const bool whole = count < fits;
    if (!whole) {
        count = fits;
        b->full = true;
    }
    const int64_t above = b->out->lineOffsets[b->lines - 1];
    for (int64_t i = 0; i < count && b->openStart == b->pos; i++)
        CloseLine(b, b->pos, above);
    return whole;
}

// Places one text record at (x, y) of the page.
void PlaceRecord(Builder* b, int64_t x, int64_t y, const char* text, int32_t length) {
    if (b->full)
        return;
    const int64_t down = b->pageTop ? 0 : PixelsDown(*b, y);
    const int64_t half = b->screen.lineHeight / 2;
    bool sameRow = !b->pageTop && b->lines > 0 && (down <= half && down >= -half);
    // A 2.0 record that moves up the page stays on the row it came to.
    if (!b->pageTop && b->lines > 0 && b->dialect == kPs20 && down < 0)
        sameRow = true;
    sameRow = sameRow && b->openStart == b->pos;
    if (sameRow) {
        b->pos -= 2; // the line's CR LF is taken back
        b->lines--;
        const int64_t offset = b->out->lineOffsets[b->lines];
        b->runRows--;
        int64_t gap = Columns(*b, x - b->prevX) - b->prevLength + 2;
        PutSpaces(b, gap, b->lineStart);
        PutText(b, text, length, b->lineStart);
        CloseLine(b, b->lineStart, offset);
    } else {
        // A row of its own needs a line of the table and room for its CR LF; a line that has
        // given all the rows one line may have keeps its other records off the page.
        const int64_t offset = b->openStart < b->pos ? b->openOffset : b->psOffset;
        const bool sameRun = b->lines > 0 && b->out->lineOffsets[b->lines - 1] == offset;
        const int64_t lineLength = b->out->lineLength;
        if (b->lines >= b->maxLines || b->out->capacity - b->pos < 4 ||
            (sameRun && !RunTakes(*b, 1, lineLength)))
            return;
        if (!b->pageTop && down > 0 && b->lines > 0 &&
            !PutEmptyLines(b, (half + down) / b->screen.lineHeight - 1))
            return;
        if (b->lines >= b->maxLines ||
            (b->lines > 0 && b->out->lineOffsets[b->lines - 1] == offset &&
             !RunTakes(*b, 1, lineLength)))
            return;
        const int64_t begin = b->openStart;
        PutSpaces(b, Columns(*b, x), begin);
        PutText(b, text, length, begin);
        CloseLine(b, begin, offset);
    }
    b->pageTop = false;
    b->prevX = x;
    b->prevY = y;
    b->prevLength = length;
}

// The form feed begins the next line, which maps to the page break: a block beginning there
// shows it again.
void PageBreak(Builder* b) {
    if (b->full)
        return;
    if (b->pos < b->out->capacity - 2 && b->pos - b->openStart < b->out->lineLength - 2) {
        if (b->openStart == b->pos) {
            b->openOffset = b->psOffset;
            b->out->lineOffsets[b->lines] = b->psOffset; // for a cut last line
        }
        b->out->text[b->pos++] = '\f';
    }
    b->pageTop = true;
}

// A record's text between s[open] = "(" and s[close] = ")", unescaped and placed.
void PlaceText(Builder* b, int64_t x, int64_t y, const char* s, int32_t open, int32_t close) {
    char text[kPsLineMax];
    const char bullet = b->dialect == kPs10 ? 'n' : b->dialect == kPs30 ? 'u' : 0;
    int32_t length = Unescape(s + open + 1, close - open - 1, bullet, text, (int32_t)sizeof text);
    PlaceRecord(b, x, y, text, length);
}

// Dialect 1.0: "x y a b (text)fjt", "(text) a b x y fet" and "%End Page".
void HandleLine10(Builder* b, const char* s, int32_t n) {
    if (n - 2 == 9 && SameLetters(s, "%End Page", 9)) {
        PageBreak(b);
        return;
    }
    int32_t at = 0;
    int64_t x, y;
    if (IsDigit(s[0]) && EndsWith(s, n, ")fjt\r\n")) {
        if (!ReadNumber(s, n, &at, &x) || !ReadNumber(s, n, &at, &y))
            return;
        const char* open = (const char*)memchr(s + at, '(', (size_t)(n - at));
        if (open && open - s < n - 6)
            PlaceText(b, x, y, s, (int32_t)(open - s), n - 6);
    } else if (s[0] == '(' && EndsWith(s, n, "fet\r\n")) {
        int32_t close = ClosingParen(s, n, 0);
        if (close < 0)
            return;
        int64_t v[4];
        at = close + 1;
        for (int64_t& value : v)
            if (!ReadNumber(s, n, &at, &value))
                return;
        PlaceText(b, v[2], v[3], s, 0, close);
    }
}

// Dialect 3.0: "x y a (text) SB" and "EJ".
void HandleLine30(Builder* b, const char* s, int32_t n) {
    if (n > 2 && s[0] == 'E' && s[1] == 'J' && IsBlank(s[2])) {
        PageBreak(b);
        return;
    }
    if (!IsDigit(s[0]) || !EndsWith(s, n, " SB\r\n"))
        return;
    int32_t at = 0;
    int64_t x, y;
    if (!ReadNumber(s, n, &at, &x) || !ReadNumber(s, n, &at, &y))
        return;
    const char* open = (const char*)memchr(s + at, '(', (size_t)(n - at));
    int32_t close = n - 1;
    while (close > at && s[close] != ')')
        close--;
    if (open && open - s < close)
        PlaceText(b, x, y, s, (int32_t)(open - s), close);
}

// ---- Dialect 2.0, whose texts may run over lines ----------------------------------------------

// The text of the record that opens at line[open], joined over following lines (each line end a
// blank) into joined. The offset after the last line taken, or -1 when the text does not close
// within a few lines; -2 on a read error.
int64_t JoinRecord(PsLineReader* r, PlatFile* file, const char* name, const char* line,
                   int32_t n, int32_t open, int64_t nextOffset, char* joined, int32_t* joinedLength,
                   int32_t* closeAt) {
    int32_t k = 0;
    auto append = [&](const char* s, int32_t count) {
        if (count > kPsLineMax * 2 - k)
            count = kPsLineMax * 2 - k;
        if (count > 0) {
            memcpy(joined + k, s, (size_t)count);
            k += count;
        }
    };
    append(line + open, n - 2 - open);
    int64_t offset = nextOffset;
    char more[kPsLineMax];
    // Each line taken is scanned once: the scan goes on over what is appended.
    ParenScan scan = {0, 0};
    for (int lines = 0;; lines++) {
        int32_t close = ScanToClosingParen(joined, k, &scan);
        if (close >= 0) {
            *joinedLength = k;
            *closeAt = close;
            return offset;
        }
        if (lines >= kMaxRecordLines || k >= kPsLineMax * 2)
            return -1;
        append(" ", 1); // the carriage return inside the text
        int32_t length = 0;
        int64_t after = offset;
        int rc = PsLine_Read(r, file, name, offset, kPsLineMax, more, &length, &after);
        if (rc < 0)
            return -2;
        if (rc == 0)
            return -1;
        append(more, length - 2 > 0 ? length - 2 : 0);
        offset = after;
    }
}

// Dialect 2.0 records in one line (and the lines its texts run over): "(text) x y TX..." with
// "showpage" after a record ending the page. Records go on after a page's end, and after a text
// that ran over lines, on the rest of the line it ended in. The offset of the next line to
// handle, or -2.
int64_t HandleLine20(Builder* b, PsLineReader* r, PlatFile* file, const char* name,
                     const char* s, int32_t n, int64_t nextOffset) {
    char joined[kPsLineMax * 2 + 2];
    char rest[kPsLineMax * 2 + 4]; // what followed a text over lines, ended by CR LF
    int32_t from = 0;
    for (;;) {
        const char* open = (const char*)memchr(s + from, '(', (size_t)(n - from));
        if (!open)
            return nextOffset;
        int32_t length = 0, close = 0;
        int64_t after = JoinRecord(r, file, name, s, n, (int32_t)(open - s), nextOffset, joined,
                                   &length, &close);
        if (after == -2)
            return -2;
        if (after < 0)
            return nextOffset;
        int32_t at = close + 1;
        int64_t x, y;
        if (!ReadNumber(joined, length, &at, &x) || !ReadNumber(joined, length, &at, &y)) {
            if (after != nextOffset)
                return nextOffset;
            from = (int32_t)(open - s) + close + 1;
            continue;
        }
        while (at < length && IsBlank(joined[at]))
            at++;
        if (!StartsWith(joined + at, length - at, "TX")) {
            if (after != nextOffset)
                return nextOffset;
            from = (int32_t)(open - s) + close + 1;
            continue;
        }
        while (at < length && !IsBlank(joined[at]))
            at++;
        PlaceText(b, x, y, joined, 0, close);
        // What follows the record up to the next one: "showpage" there ends the page.
        const char* next = (const char*)memchr(joined + at, '(', (size_t)(length - at));
        int32_t end = next ? (int32_t)(next - joined) : length;
        if (Find(joined + at, end - at, "showpage"))
            PageBreak(b);
        if (after != nextOffset) {
            // The text ran over lines: the rest of its last line is read on from here.
            const int32_t left = length - end;
            memcpy(rest, joined + end, (size_t)left);
            rest[left] = '\r';
            rest[left + 1] = '\n';
            s = rest;
            n = left + 2;
            from = 0;
            nextOffset = after;
            continue;
        }
        if (!next)
            return nextOffset;
        from = (int32_t)(open - s) + end;
    }
}

} // namespace

void PsLine_Release(PsLineReader* r) {
    free(r->data);
    r->data = nullptr;
    r->name[0] = 0;
    r->count = 0;
}

int PsLine_Read(PsLineReader* r, PlatFile* file, const char* name, int64_t offset,
                int32_t maxLength, char* out, int32_t* length, int64_t* next) {
    *length = 0;
    *next = offset;
    if (maxLength < 3)
        return -1;
    if (Cover(r, file, name, offset) < 0)
        return -1;
    int32_t at = (int32_t)(offset - r->start);
    if (at >= r->count)
        return 0; // the end of the file (a buffer that does not reach it was just filled)
    const int32_t most = maxLength - 2;
    const char* s = r->data + at;
    int32_t left = r->count - at;
    int32_t span = left < most + 1 ? left : most + 1;
    const char* cr = (const char*)memchr(s, '\r', (size_t)span);
    const int32_t beforeCr = cr ? (int32_t)(cr - s) : span;
    const char* lf = (const char*)memchr(s, '\n', (size_t)beforeCr);
    const int32_t i = lf ? (int32_t)(lf - s) : beforeCr;
    if (i < span) {
        memcpy(out, s, (size_t)i);
        int32_t skip = 1;
        if (s[i] == '\r' && i + 1 < left && s[i + 1] == '\n')
            skip = 2;
        out[i] = '\r';
        out[i + 1] = '\n';
        *length = i + 2;
        *next = offset + i + skip;
        return 1;
    }
    if (left <= most && r->endInside) {
        // The last line of the file, without an end of its own.
        memcpy(out, s, (size_t)left);
        out[left] = '\r';
        out[left + 1] = '\n';
        *length = left + 2;
        *next = offset + left;
        return 1;
    }
    // Too long: skipped whole, up to and past its end.
    int64_t scan = offset + span;
    for (;;) {
        if (Cover(r, file, name, scan) < 0)
            return -1;
        int32_t from = (int32_t)(scan - r->start);
        if (from >= r->count) {
            *next = scan;
            return 1;
        }
        const char* p = r->data + from;
        int32_t count = r->count - from;
        for (int32_t j = 0; j < count; j++) {
            if (p[j] == '\r' || p[j] == '\n') {
                int32_t skip = p[j] == '\r' && j + 1 < count && p[j + 1] == '\n' ? 2 : 1;
                *next = scan + j + skip;
                return 1;
            }
        }
        scan += count;
    }
}

int PsRead_Recognize(PsLineReader* r, PlatFile* file, const char* name) {
    char line[kPsFirstLineMax];
    int32_t length = 0;
    int64_t next = 0;
    int rc = PsLine_Read(r, file, name, 0, kPsFirstLineMax, line, &length, &next);
    if (rc <= 0)
        return rc;
    const char* percent = (const char*)memchr(line, '%', (size_t)(length < 4 ? length : 4));
    if (percent) {
        int32_t rest = length - (int32_t)(percent - line);
        static const char* const kNames[] = {"%!PS-Adobe-1.0", "%!PS-Adobe-2.0", "%!PS-Adobe-3.0"};
        for (int d = 0; d < 3; d++)
            if (Find(percent, rest, kNames[d]))
                return kPs10 + d;
    }
    rc = PsLine_Read(r, file, name, next, kPsFirstLineMax, line, &length, &next);
    if (rc <= 0)
        return rc;
    return Find(line, length, "%!PS-Adobe-3.0") ? kPs30 : kPsNone;
}

int PsRead_RecognizeFile(const char* path) {
    PlatFile* file = Plat_OpenRead(path);
    if (!file)
        return -1;
    PsLineReader reader = {};
    int dialect = PsRead_Recognize(&reader, file, path);
    PsLine_Release(&reader);
    Plat_Close(file);
    return dialect;
}

int64_t PsRead_Fill(PsLineReader* r, PlatFile* file, const char* name, int dialect,
                    int64_t offset, const PsScreenMetrics& screen, const PsOutput& out,
                    bool* atEnd) {
    Builder b = {};
    b.out = &out;
    b.dialect = dialect;
    b.screen = screen;
    if (b.screen.lineHeight < 1)
        b.screen.lineHeight = 1;
    if (b.screen.charWidth < 1)
        b.screen.charWidth = 1;
    if (b.screen.dpiX < 1)
        b.screen.dpiX = 96;
    if (b.screen.dpiY < 1)
        b.screen.dpiY = 96;
    b.maxLines = out.tableEntries - 2; // and a cut last line: within the splitter's table
    // The engine's block holds twice its longest page of the longest lines; a page is shorter.
    const int64_t lineLength = out.lineLength > 2 ? out.lineLength : 2;
    const int64_t page = out.capacity / (2 * lineLength);
    b.runRowsMost = (int64_t)b.maxLines - page - 1;
    b.runBytesMost = out.capacity - kOutputMargin - (page + 2) * lineLength;
    if (b.runRowsMost < 1)
        b.runRowsMost = 1;
    if (b.runBytesMost < lineLength)
        b.runBytesMost = lineLength;
    b.pageTop = true;
    *atEnd = false;
    const int64_t limit = out.capacity - kOutputMargin;
    char line[kPsLineMax];
    while (b.pos < limit && b.lines < b.maxLines && !b.full) {
        int32_t length = 0;
        int64_t next = offset;
        int rc = PsLine_Read(r, file, name, offset, kPsLineMax, line, &length, &next);
        if (rc < 0)
            return -1;
        if (rc == 0) {
            *atEnd = true;
            break;
        }
        b.psOffset = offset;
        if (length > 2) {
            if (dialect == kPs10) {
                HandleLine10(&b, line, length);
            } else if (dialect == kPs30) {
                HandleLine30(&b, line, length);
            } else {
                next = HandleLine20(&b, r, file, name, line, length, next);
                if (next < 0)
                    return -1;
            }
        }
        offset = next;
    }
    return b.pos;
}

int64_t PsRead_Block(ViewEngine* e, PlatFile* file, int64_t maxBytes) {
    int dialect = (int)(e->settings.postScriptState & kPostScriptDialect);
    if (dialect == kPsNone) {
        dialect = PsRead_Recognize(&gReader, file, e->file.path);
        if (dialect < 0)
            return -1;
        if (dialect == kPsNone) {
            // Not a print file the reader knows: the flag goes, and the block is read plainly.
            e->settings.postScriptState &= ~(kPostScriptShown | kPostScriptDialect);
            if (!Plat_Seek(file, e->file.bufferOffset))
                return -1;
            int64_t got = 0;
            while (got < maxBytes) {
                int64_t n = Plat_Read(file, e->buffer + got, maxBytes - got);
                if (n < 0 && got > 0)
                    return -1;
                if (n < 0) {
                    e->atEnd = true; // failed having returned nothing: the end of the file
                    return 0;
                }
                if (n == 0)
                    break;
                got += n;
            }
            char probe;
            e->atEnd = got < maxBytes || Plat_Read(file, &probe, 1) <= 0;
            return got;
        }
        e->settings.postScriptState |= (uint32_t)dialect;
    }
    // The file may have changed since the last block: its lines are read afresh.
    gReader.name[0] = 0;
    PsOutput out = {e->buffer, maxBytes, e->psLineOffset, (int32_t)e->sizes.indexEntries,
                    e->sizes.lineLength};
    return PsRead_Fill(&gReader, file, e->file.path, dialect, e->file.bufferOffset, gPsScreen,
                       out, &e->atEnd);
}
