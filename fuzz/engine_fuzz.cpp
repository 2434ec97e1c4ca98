// libFuzzer target for the file engine: the first bytes of an input choose the display settings,
// the memory sizes, how "Mode?" is answered and a short script of moves; the rest is the file.
// After every move the engine's records are checked against what a view relies on when it
// paints, and a broken rule stops the run with a trap (the message names the rule).
//
// Input layout (fuzz/make_corpus.py writes seeds in it):
//   0  settings: bits 0-1 mode (0 text, 1 hex, 2 binary, 3 text), 2 stripBit7, 3 crIsNewLine,
//      4 all256Chars, 5 showCrLf, 6 openingNewView for the first load, 7 clearMode on that load
//   1  bits 0-1 "Mode?" policy: 0 and 3 ask (answered from byte 2), 1 answer Yes, 2 answer No
//   2  answers to the questions, two bits each, question i taking bits 2(i mod 4):
//      0 Yes, 1 No, 2 Cancel (Yes where Cancel is not offered), 3 No
//   3  tabSpacing, 16 bits little-endian: 1..300, or from 0xFF00 up one of kOddTabs
//   5  pageLines, 16 bits little-endian: 1..300, or from 0xFF00 up one of kOddPages
//   7  LineLength: 0 -> 100, 1 -> 5000, 2 -> 1024, 3 -> 256, else 256 + (b * 3) % 769
//   8  FileBuffer: one of kFileBuffers (b mod 8)
//   9  BlockPointers: below 24 -> 2 + b mod 3 (a table that must grow), else 8192
//   10 the file is the body repeated 1 + b times, cut at kMaxFileBytes
//   11 number of moves (b mod 17), then 5 bytes a move: operation (mod 18, MoveOp), argument
//      (32 bits little-endian)
//   then the body of the file.
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "find/findengine.h"
#include "shell/memsettings.h"
#include "fuzzfile.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "viewer/engine.h"

namespace {

constexpr int kHeaderBytes = 12;
constexpr int kMoveBytes = 5;
constexpr int kMaxMoves = 16;
constexpr int64_t kMaxFileBytes = 160 * 1024;
// Enough slots for any file up to kMaxFileBytes: a forward step advances at least H + 1 lines
// of at least one byte, and H is 60 at the smallest sizes.
constexpr int kLargeBlockPointers = 8192;
constexpr int kTinyBlockPointersBelow = 24;

const int32_t kOddTabs[8] = {0, -1, -8, 301, 1000, 65536, INT32_MAX, INT32_MIN};
const int32_t kOddPages[8] = {0, -1, -22, INT32_MIN, 301, 5000, INT32_MAX, 1};
// 0 and 1 fall below the clamps (30720 bytes, LineLength 256); the default is L * 400.
const int64_t kFileBuffers[8] = {0, 1, 30720, 30721, 40000, 50000, 65536, kFileBufferDefault};

const char kModeCaption[] = "Mode?";

enum MoveOp {
    kMoveToEnd,
    kMoveToTop,
    kMoveDown,
    kMovePageDown,
    kMoveUp,
    kMoveScrollOne,
    kMoveGoToOffset,
    kMoveGoToPercent,
    kMoveReposition,
    kMoveToggleHex,
    kMoveToggleRaw,
    kMoveToggleSplitting,
    kMoveSetTabs,
    kMoveResize,
    kMoveNextBlock,
    kMoveReset,
    kMoveSetMatch,
    kMoveFind, // Find or Find Next of a needle cut from the file; a match must be really there
    kMoveOpCount
};

// What one input decided, and what the hooks saw while it ran.
struct FuzzRun {
    uint8_t answers;
    int questions;
    ModeQuestionPolicy policy;
    int fatalExits;
    const char* move; // the move being checked, for the trap message
    int moveIndex;
};

FuzzRun gRun;
// ORV_FUZZ_VERBOSE set: one line per input saying what the engine did, to see what seeds reach.
bool gVerbose;
// ORV_FUZZ_ALLOW names known faults to step over ("stale-matches"), so that a long run can look
// past one finding for the next; replaying the corpus never sets it.
bool gAllowStaleMatches;
// The file the engine views: served from memory, it names nothing on disk.
const char* const gPath = "/orv-fuzz/view.dat";

// The file as the engine sees it, for our own hex rows and line split. Static, like everything the
// harness keeps between inputs: libFuzzer runs an input a second time, looking for leaks,
// whenever its mallocs and frees do not pair up.
unsigned char gFile[kMaxFileBytes];
int64_t gFileSize;

[[noreturn]] void Fail(const char* rule) {
    fprintf(stderr, "engine_fuzz: broken after move %d (%s): %s\n", gRun.moveIndex,
            gRun.move ? gRun.move : "-", rule);
    __builtin_trap();
}

int FuzzAsk(const PromptRequest* request) {
    if (request->caption && strcmp(request->caption, kModeCaption) == 0) {
        if (gRun.policy != kModeAsk)
            Fail("\"Mode?\" asked although the policy answers it");
        int pick = (gRun.answers >> (2 * (gRun.questions++ % 4))) & 3;
        if (pick == 2)
            return request->buttons == kButtonsYesNoCancel ? kAnswerCancel : kAnswerYes;
        return pick == 0 ? kAnswerYes : kAnswerNo;
    }
    return kAnswerOk; // "File too large." is an error box with OK alone
}

// In ORV32.EXE the fatal exit ends the process. No walk may take it here: the file never
// changes and can always be read, and a full block table grows.
void FuzzFatalExit(const char* text) {
    gRun.fatalExits++;
    fprintf(stderr, "engine_fuzz: fatal exit \"%s\"\n", text);
    Fail("fatal exit");
}

uint32_t Get16(const uint8_t* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8;
}

uint32_t Get32(const uint8_t* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

int32_t TabsFrom(uint32_t v) {
    return v >= 0xFF00 ? kOddTabs[v & 7] : (int32_t)(1 + v % 300);
}

int32_t PageLinesFrom(uint32_t v) {
    return v >= 0xFF00 ? kOddPages[v & 7] : (int32_t)(1 + v % 300);
}

int64_t LineLengthFrom(uint8_t b) {
    switch (b) {
    case 0:
        return 100;
    case 1:
        return 5000;
    case 2:
        return 1024;
    case 3:
        return 256;
    default:
        return 256 + (b * 3) % 769;
    }
}

// Our own hex row from the row layout, to catch a row that shows the wrong bytes or offset.
FUZZ_ORACLE void ExpectedHexRow(const ViewEngine* e, int64_t offset, char* row) {
    static const char kDigits[] = "0123456789abcdef";
    int count = gFileSize - offset < 16 ? (int)(gFileSize - offset) : 16;
    memset(row, ' ', kHexRowChars);
    row[kHexRowChars] = 0;
    for (int i = 0; i < 8; ++i)
        row[7 - i] = kDigits[(offset >> (4 * i)) & 0xF];
    for (int i = 0; i < count; ++i) {
        unsigned char b = gFile[offset + i];
        if (e->settings.stripBit7)
            b &= 0x7F;
        int cell = i < 8 ? 10 + 3 * i : 36 + 3 * (i - 8);
        row[cell] = kDigits[b >> 4];
        row[cell + 1] = kDigits[b & 0xF];
        bool shown = e->settings.all256Chars ? (b >= 0x01 && b <= 0x7F) : (b >= 0x20 && b <= 0x7E);
        row[61 + i] = shown ? (char)b : (e->settings.all256Chars ? ' ' : '.');
    }
    if (count >= 8) // the separator goes with fewer than 8 bytes
        row[34] = '-';
}

// ---- The whole file split at once ---------------------------------------------------------
// Blocks are a way of reading the file, not of numbering it: every line or row the engine
// shows, except the last of a block that does not reach the end of the file (it may be cut),
// must begin where splitting the whole file in one piece by the same rules puts it, and a file
// that is text throughout must never be offered the switch to hex.

enum WholeKind { kWholeText, kWholeBinary, kWholeHex };

struct WholeSplit {
    int key;         // the settings the split was made for; -1 for none yet
    bool notText;    // text: the line at starts[count - 1] does not look like text
    int64_t count;   // line (row) starts found
    int64_t* starts; // where each line (row) begins
};

// The splits of one input kept for the settings they were made for: toggling a view back and
// forth finds its split again rather than making it anew after every move.
constexpr int kWholeSplits = 4;
int64_t gStartsMade[kWholeSplits][kMaxFileBytes + 1];
WholeSplit gSplits[kWholeSplits];
int gNextSplit;
WholeSplit* gWhole = &gSplits[0]; // the split for the engine's settings now
// The file with bit 7 stripped, made once an input asks for it, with room to clear it eight
// bytes at a time; and the file as the splitter sees it, gFile itself or that.
unsigned char gStripped[kMaxFileBytes + 8];
bool gStrippedMade;
const unsigned char* gBytes = gFile;

int WholeKey(const ViewEngine* e) {
    int kind = e->settings.hexMode ? kWholeHex : e->settings.binaryMode ? kWholeBinary : kWholeText;
    return kind | (e->settings.stripBit7 ? 4 : 0) | (e->settings.crIsNewLine ? 8 : 0) |
           e->sizes.lineLength << 4;
}

// Our own search, eight bytes at a time, rather than memchr: the whole-file split asks for a
// byte once or twice a line, and the sanitizer's memchr checks the whole stretch searched
// again on every call. The bounds are the file's, checked by the callers; a word is read only
// whole inside them.
FUZZ_ORACLE __attribute__((no_sanitize("address"))) const unsigned char*
FindByte(int64_t from, int64_t to, unsigned char c) {
    const uint64_t ones = UINT64_C(0x0101010101010101), highs = UINT64_C(0x8080808080808080);
    int64_t i = from;
    for (; i + 8 <= to; i += 8) {
        uint64_t word;
        memcpy(&word, gBytes + i, 8);
        word ^= ones * c;
        if ((word - ones) & ~word & highs)
            break; // a byte of this word is c
    }
    for (; i < to; i++)
        if (gBytes[i] == c)
            return gBytes + i;
    return nullptr;
}

// Text lines end at a line feed; a run of NULs splits a line; a line of more than LineLength
// bytes without a line feed, or one that begins with NUL and has other bytes after it before
// the end of the file, does not look like text.
FUZZ_ORACLE void SplitWholeText(int64_t lineLength) {
    const unsigned char* b = gBytes;
    const int64_t n = gFileSize;
    int64_t p = 0;
    int64_t count = 0;
    while (p < n) {
        gWhole->starts[count++] = p;
        int64_t left = n - p;
        const unsigned char* end = FindByte(p, p + (left < lineLength ? left : lineLength), '\n');
        if (!end) {
            if (left > lineLength) {
                gWhole->notText = true;
                break;
            }
            if (b[p] != 0) {
                end = FindByte(p, n, 0);
                if (!end)
                    break; // the last line runs to the end of the file
            } else {
                for (int64_t i = p; i < n && !gWhole->notText; i++)
                    gWhole->notText = b[i] != 0;
                break; // trailing NULs are one empty line
            }
        }
        int64_t endAt = end - b;
        const unsigned char* nul = b[endAt] == 0 ? end : FindByte(p, endAt, 0);
        if (nul) {
            int64_t first = nul - b;
            int64_t next = first;
            while (next < n && b[next] == 0)
                next++;
            p = next < n ? next : first + 1;
        } else {
            p = endAt + 1;
        }
    }
    gWhole->count = count;
}

// Binary rows end after a line feed (or a carriage return, when it is a new line) among their
// next 77 bytes, and are 77 bytes long otherwise.
FUZZ_ORACLE void SplitWholeBinary(bool crIsNewLine) {
    const int64_t n = gFileSize;
    int64_t at = 0;
    int64_t count = 0;
    while (at < n) {
        gWhole->starts[count++] = at;
        int64_t span = n - at < kBinaryRowBytes ? n - at : kBinaryRowBytes;
        const unsigned char* end = FindByte(at, at + span, '\n');
        if (!end && crIsNewLine)
            end = FindByte(at, at + span, '\r');
        at = end ? end - gBytes + 1 : at + span;
    }
    gWhole->count = count;
}

FUZZ_ORACLE void EnsureWhole(const ViewEngine* e) {
    int key = WholeKey(e);
    if (e->settings.stripBit7 && !gStrippedMade) {
        memcpy(gStripped, gFile, (size_t)gFileSize);
        for (int64_t i = 0; i < gFileSize; i += 8) {
            uint64_t word;
            memcpy(&word, gStripped + i, 8);
            word &= UINT64_C(0x7F7F7F7F7F7F7F7F);
            memcpy(gStripped + i, &word, 8);
        }
        gStrippedMade = true;
    }
    gBytes = e->settings.stripBit7 ? gStripped : gFile;
    for (WholeSplit& split : gSplits) {
        if (split.key == key) {
            gWhole = &split;
            return;
        }
    }
    gWhole = &gSplits[gNextSplit++ % kWholeSplits];
    gWhole->key = key;
    gWhole->notText = false;
    if (e->settings.hexMode)
        gWhole->count = (gFileSize + 15) / 16;
    else if (e->settings.binaryMode)
        SplitWholeBinary(e->settings.crIsNewLine != 0);
    else
        SplitWholeText(e->sizes.lineLength);
}

// OfferHexMode's first act: the text splitter found a line that does not look like text.
void FuzzNotText() {
    const ViewEngine* e = &gEngine;
    if (e->settings.hexMode || e->settings.binaryMode)
        Fail("\"Mode?\" offered outside text mode");
    EnsureWhole(e);
    int32_t at = e->lineCount > 0 ? e->lineStart[e->lineCount - 1] : 0;
    if (!gWhole->notText) {
        fprintf(stderr,
                "engine_fuzz: block at %" PRId64 " of %d bytes (%s), line %d at %d: %d bytes "
                "to the block end, first byte 0x%02x\n",
                e->file.bufferOffset, e->bytesInBuffer, e->atEnd ? "at end" : "not at end",
                e->lineCount, at, e->bytesInBuffer - at, (unsigned char)e->buffer[at]);
        Fail("\"Mode?\" offered for a file that is text throughout");
    }
}

// The rows of a successful move against the whole-file split: where each shown line begins,
// the text of lines without tabs, and the line count once the end is known.
FUZZ_ORACLE void CheckAgainstWhole(const ViewEngine* e, int32_t shownRows) {
    EnsureWhole(e);
    const bool text = !e->settings.hexMode && !e->settings.binaryMode;
    for (int32_t r = 0; r < shownRows && !e->settings.hexMode; r++) {
        int64_t line = e->file.topLine + r;
        int32_t j = (int32_t)(line - e->firstLine);
        if (j == e->lineCount - 1 && !e->atEnd)
            continue; // the last line of the block may be cut; the next block reads it whole
        if (line > gWhole->count) {
            if (text && gWhole->notText)
                continue;
            Fail("a line is shown past the last line of the file");
        }
        int64_t start = e->file.bufferOffset + e->lineStart[j];
        if (start != gWhole->starts[line - 1]) {
            fprintf(stderr,
                    "engine_fuzz: line %" PRId64 " begins at %" PRId64
                    " in the block but at %" PRId64 " in the whole file\n",
                    line, start, gWhole->starts[line - 1]);
            Fail("a shown line does not begin where the whole file's split puts it");
        }
        if (!text)
            continue;
        const unsigned char* end = FindByte(start, gFileSize, '\n');
        const unsigned char* nul = FindByte(start, end ? end - gBytes : gFileSize, 0);
        int64_t length = (nul ? nul : end ? end : gBytes + gFileSize) - (gBytes + start);
        if (memchr(gBytes + start, '\t', (size_t)length))
            continue;
        if (length > 0 && gBytes[start + length - 1] == '\r')
            length--;
        const char* row = e->displayText + e->rowOffset[r];
        size_t shown = strlen(row);
        bool lastRow = e->rowOffset[r + 1] == -1;
        if ((int64_t)shown > length || memcmp(row, gBytes + start, shown) != 0 ||
            ((int64_t)shown < length && !lastRow)) {
            fprintf(stderr,
                    "engine_fuzz: row %d (line %" PRId64 " at %" PRId64
                    ") shows %zu bytes \"%s\", the line has %" PRId64 " bytes \"%.*s\"\n",
                    r, line, start, shown, row, length, (int)length, (const char*)gBytes + start);
            Fail("a text row without tabs differs from its line");
        }
    }
    if (e->totalLines != END_LINE && !(text && gWhole->notText)) {
        int64_t expected = gWhole->count > 1 ? gWhole->count : 1;
        if (e->totalLines != expected) {
            fprintf(stderr, "engine_fuzz: totalLines %" PRId64 ", whole file %" PRId64 "\n",
                    e->totalLines, expected);
            Fail("totalLines differs from the whole file's line count");
        }
    }
}

// The block table. Its indices must stay inside the table whatever happened; the layout rules
// hold once a move has succeeded (after a failure the caller reloads or abandons the view).
FUZZ_ORACLE void CheckBlocks(const ViewEngine* e, bool built) {
    const MemorySizes& s = e->sizes;
    if (e->highestBlock < 0 || e->highestBlock >= s.blockPointers)
        Fail("highestBlock outside the block table");
    if (e->currentBlock < 0 || e->currentBlock > e->highestBlock)
        Fail("currentBlock outside 0..highestBlock");
    if (e->lastBlockKnown && (e->lastBlock < 0 || e->lastBlock > e->highestBlock))
        Fail("lastBlock outside 0..highestBlock");
    if (!built)
        return;
    if (e->blockOffset[0] != 0 || e->blockFirstLine[0] != 1)
        Fail("block 0 is not {0, 1}");
    for (int32_t k = 1; k <= e->highestBlock; k++) {
        if (e->blockOffset[k] <= e->blockOffset[k - 1] ||
            e->blockFirstLine[k] <= e->blockFirstLine[k - 1])
            Fail("block table does not rise");
        if (e->blockOffset[k] >= gFileSize)
            Fail("a known block begins at or past the end of the file");
    }
    if (e->file.bufferOffset != e->blockOffset[e->currentBlock] ||
        e->firstLine != e->blockFirstLine[e->currentBlock])
        Fail("the buffer does not hold block currentBlock");
}

// The block in the buffer and its line table, read by painting, find and print.
FUZZ_ORACLE void CheckLines(const ViewEngine* e, bool built) {
    const MemorySizes& s = e->sizes;
    if (e->bytesInBuffer < 0 || e->bytesInBuffer > s.readSize)
        Fail("bytesInBuffer outside 0..R");
    if (e->file.bufferOffset < 0 || e->file.bufferOffset + e->bytesInBuffer > gFileSize)
        Fail("the block reaches past the end of the file");
    if (built && e->atEnd && e->file.bufferOffset + e->bytesInBuffer != gFileSize)
        Fail("atEnd set on a block that does not reach the end of the file");
    if (e->buffer[e->bytesInBuffer] != 0)
        Fail("the byte after the data is not 0");
    if (e->lineCount < 0 || e->lineCount > s.indexEntries - 1)
        Fail("lineCount outside 0..C-1");
    if (e->lineStart[e->lineCount] != -1)
        Fail("lineStart does not end with -1 at lineCount");
    for (int32_t j = 0; j < e->lineCount; j++) {
        int32_t at = e->lineStart[j];
        if (at < 0 || at > e->bytesInBuffer)
            Fail("lineStart entry outside 0..bytesInBuffer");
        if (j > 0 && at <= e->lineStart[j - 1])
            Fail("lineStart entries do not ascend");
    }
    if (e->file.topLine < 1)
        Fail("topLine below 1");
    if (e->firstLine < 1 || e->firstLine > e->lastLine)
        Fail("firstLine outside 1..lastLine");
    if (built && e->lineCount > 0 && e->lastLine != e->firstLine + e->lineCount - 1)
        Fail("lastLine is not firstLine + lineCount - 1");
    if (e->totalLines != END_LINE && e->totalLines < 1)
        Fail("totalLines below 1");
}

FUZZ_ORACLE void CheckRows(const ViewEngine* e, bool built) {
    const int64_t a = e->sizes.displayBytes;
    const bool fixed = e->settings.hexMode || e->settings.binaryMode;
    int32_t rows = 0;
    while (e->rowOffset[rows] != -1) {
        if (rows > e->pageLines)
            Fail("more than pageLines + 1 display rows");
        int32_t at = e->rowOffset[rows];
        if (at < 0 || at >= a)
            Fail("display row offset outside the display buffer");
        const char* text = e->displayText + at;
        const char* end = (const char*)memchr(text, 0, (size_t)(a - at));
        if (!end)
            Fail("display row not terminated inside the display buffer");
        if (built && fixed) {
            if (at != kFixedRowStride * rows)
                Fail("hex/binary row not at 78 * r");
            if (end - text > kHexRowChars)
                Fail("hex/binary row longer than 77 characters");
        }
        rows++;
    }
    if (!built)
        return;
    // The window shows the lines from topLine on, as many as the buffer holds up to the page;
    // hex and binary windows always have pageLines + 1 rows, empty past the last line.
    int64_t want = 0;
    if (e->lineCount > 0) {
        if (e->file.topLine < e->firstLine || e->file.topLine > e->lastLine)
            Fail("topLine outside the lines in the buffer after a successful move");
        want = e->lastLine - e->file.topLine + 1;
        if (want > e->pageLines + 1)
            want = e->pageLines + 1;
    }
    if (fixed) {
        if (rows != e->pageLines + 1)
            Fail("hex/binary window without pageLines + 1 rows");
        for (int32_t r = (int32_t)want; r < rows; r++)
            if (e->displayText[e->rowOffset[r]] != 0)
                Fail("hex/binary row past the last line is not empty");
    } else if (rows > want) {
        Fail("more text rows than lines from topLine on");
    }
    // Text windows whose expanded rows fill the display buffer are cut short.
    CheckAgainstWhole(e, rows < want ? rows : (int32_t)want);
    if (e->settings.hexMode) {
        char expected[kHexRowChars + 1];
        for (int32_t r = 0; r < want; r++) {
            int64_t offset = 16 * (e->file.topLine - 1 + r);
            if (offset >= gFileSize)
                Fail("hex row past the end of the file");
            ExpectedHexRow(e, offset, expected);
            if (strcmp(e->displayText + e->rowOffset[r], expected) != 0) {
                fprintf(stderr, "engine_fuzz: row %d\n  shown    \"%s\"\n  expected \"%s\"\n", r,
                        e->displayText + e->rowOffset[r], expected);
                Fail("hex row differs from the file's bytes at its line's offset");
            }
        }
    }
}

// The highlight list painting reads: entries on rows of the window, ended by row -1. Binary
// builds fill it; in the other modes the painter fills it, and the engine must not leave entries
// of an earlier binary window in it.
FUZZ_ORACLE void CheckMatches(const ViewEngine* e) {
    if (e->matches.empty() || e->matches.back().row != -1)
        Fail("match list does not end with row -1");
    if (!e->settings.binaryMode && gAllowStaleMatches)
        return;
    if (!e->settings.binaryMode && e->matchLine == 0 && e->matches.size() > 1)
        Fail("highlight entries of an earlier binary window left after the match was cleared");
    for (size_t i = 0; i + 1 < e->matches.size(); i++) {
        const MatchField& m = e->matches[i];
        if (m.row < 0 || m.row > e->pageLines || m.column < 1 || m.length < 0) {
            fprintf(stderr,
                    "engine_fuzz: %s mode, pageLines %d, matchLine %" PRId64 ", entry %zu: row %d "
                    "column %d length %d\n",
                    e->settings.hexMode      ? "hex"
                    : e->settings.binaryMode ? "binary"
                                             : "text",
                    e->pageLines, e->matchLine, i, m.row, m.column, m.length);
            Fail("match entry outside the window");
        }
        if (i > 0 && m.row <= e->matches[i - 1].row)
            Fail("match entries do not go down the window");
    }
}

FUZZ_ORACLE void Check(const ViewEngine* e, int rc) {
    if (rc != 0 && rc != -1)
        Fail("result neither 0 nor -1");
    if (e->pageLines < 1 || e->pageLines > MaxPageLines(e->sizes))
        Fail("pageLines outside 1..MaxPageLines after the engine ran");
    if (e->settings.hexMode && e->settings.binaryMode)
        Fail("hex and binary both on");
    CheckBlocks(e, rc == 0);
    CheckLines(e, rc == 0);
    CheckRows(e, rc == 0);
    if (rc == 0)
        CheckMatches(e);
}

int64_t OffsetFrom(uint32_t arg) {
    switch (arg & 3) {
    case 0:
        return (int64_t)(arg >> 2) % (gFileSize + 2);
    case 1:
        return gFileSize - (int64_t)((arg >> 2) % 64) > 0 ? gFileSize - (int64_t)((arg >> 2) % 64)
                                                          : 0;
    case 2:
        return (int64_t)(arg >> 2) * 16 % (gFileSize + 17);
    default: {
        const int64_t odd[4] = {0, gFileSize, gFileSize + 1, INT64_MAX};
        return odd[(arg >> 2) & 3];
    }
    }
}

double PercentFrom(uint32_t arg) {
    if ((arg & 7) == 7) {
        const double odd[8] = {-1.0, 0.0, 50.0, 99.0, 99.999, 100.0, 250.0, 1e12};
        return odd[(arg >> 3) & 7];
    }
    return (double)(int32_t)arg / 1e6;
}

// One move as a view, find or print makes it. Returns what the engine returned.
// The find settings live across the moves of one input, so that Find Next goes on from the
// last Find as it does for the user.
FindSettings gFindSettings;

// Find (or Find Next) of 1 to 8 bytes cut from the file at a place the argument picks, as hex
// bytes so that any byte can be asked for. What is found must be those bytes, at the place the
// match fields name, on a line the window shows.
void RunFind(ViewEngine* e, uint32_t arg) {
    if (gFileSize == 0)
        return;
    const bool repeat = (arg >> 31) & 1;
    if (!repeat) {
        const int64_t at = (int64_t)(arg % (uint32_t)gFileSize);
        int32_t length = 1 + (int32_t)((arg >> 24) % 8);
        if (at + length > gFileSize)
            length = (int32_t)(gFileSize - at);
        FindSettings_Init(&gFindSettings);
        gFindSettings.ignoreCase = 0;
        gFindSettings.hexFind = 1;
        for (int32_t i = 0; i < length; i++)
            gFindSettings.string1[i] = (char)(e->settings.stripBit7 ? gFile[at + i] & 0x7F
                                                                     : gFile[at + i]);
        gFindSettings.byteCount1 = gFindSettings.typedLength = length;
    }
    const int32_t length = gFindSettings.byteCount1;
    if (length <= 0 || FindInView(e, &gFindSettings, repeat, length, false) != 1)
        return;
    EnsureWhole(e);
    if (e->matchLine < 1 || e->matchLine > gWhole->count || e->matchColumn < 0)
        Fail("find: the match fields name no line of the file");
    const int64_t offset = (e->settings.hexMode ? (e->matchLine - 1) * 16
                                                : gWhole->starts[e->matchLine - 1]) +
                           e->matchColumn;
    if (offset + length > gFileSize ||
        memcmp(gBytes + offset, gFindSettings.string1, (size_t)length) != 0)
        Fail("find: the match fields do not name the bytes asked for");
    if (e->matchLine < e->file.topLine || e->matchLine > e->file.topLine + e->pageLines)
        Fail("find: the match is not in the window");
}

int RunMove(ViewEngine* e, uint8_t op, uint32_t arg) {
    static const char* const kNames[kMoveOpCount] = {
        "to end",     "to top",      "down",       "page down",  "up",         "scroll one",
        "GoToOffset", "GoToPercent", "Reposition", "toggle hex", "toggle raw", "toggle splitting",
        "tabs",       "resize",      "next block", "reset",      "match",      "find"};
    MoveOp move = (MoveOp)(op % kMoveOpCount);
    gRun.move = kNames[move];
    switch (move) {
    case kMoveToEnd:
        e->file.topLine = END_LINE;
        break;
    case kMoveToTop:
        e->file.topLine = 1;
        break;
    case kMoveDown:
        e->file.topLine += 1 + arg % 1000;
        break;
    case kMovePageDown:
        e->file.topLine += e->pageLines + 1;
        break;
    case kMoveUp:
        e->file.topLine -= 1 + arg % 1000;
        if (e->file.topLine < 1)
            e->file.topLine = 1;
        break;
    case kMoveScrollOne:
        e->file.topLine += (arg & 1) ? 1 : -1;
        if (e->file.topLine < 1)
            e->file.topLine = 1;
        break;
    case kMoveGoToOffset:
        GoToOffset(e, OffsetFrom(arg));
        break;
    case kMoveGoToPercent:
        GoToPercent(e, PercentFrom(arg));
        break;
    case kMoveReposition:
        Reposition(e);
        break;
    case kMoveToggleHex:
        // Leaving hex answers "Mode?" with No, as the hex/text toggle does.
        if (e->settings.hexMode) {
            ModeQuestionPolicy keep = e->modePolicy;
            e->settings.hexMode = 0;
            e->modePolicy = kModeAnswerNo;
            Reposition(e);
            e->modePolicy = keep;
        } else {
            e->settings.hexMode = 1;
            e->settings.binaryMode = 0;
            Reposition(e);
        }
        break;
    case kMoveToggleRaw:
        // "Dump raw characters": all 256 characters in hex, binary rows otherwise.
        if (e->settings.hexMode)
            e->settings.all256Chars = !e->settings.all256Chars;
        else
            e->settings.binaryMode = !e->settings.binaryMode;
        Reposition(e);
        break;
    case kMoveToggleSplitting:
        if (arg % 3 == 0)
            e->settings.stripBit7 = !e->settings.stripBit7;
        else if (arg % 3 == 1)
            e->settings.crIsNewLine = !e->settings.crIsNewLine;
        else
            e->showCrLf = !e->showCrLf;
        Reposition(e);
        break;
    case kMoveSetTabs:
        e->settings.tabSpacing = TabsFrom(arg & 0xFFFF);
        break;
    case kMoveResize:
        e->pageLines = PageLinesFrom(arg & 0xFFFF);
        break;
    case kMoveNextBlock:
        // Find and print go on to the next block by asking for the line after the buffer.
        e->file.topLine = e->lastLine + 1;
        break;
    case kMoveReset: {
        int rc = ResetEngine(e, (arg & 1) != 0);
        if (rc != 0)
            return rc;
        break;
    }
    case kMoveSetMatch:
        // Find leaves a match on a line of the window (or just past it) and repaints.
        e->matchLine = e->file.topLine + (int64_t)(arg % (uint32_t)(e->pageLines + 2));
        e->matchColumn = (int32_t)((arg >> 8) % 100);
        e->matchLength = (int32_t)((arg >> 16) % 300);
        break;
    case kMoveFind:
        RunFind(e, arg);
        break;
    case kMoveOpCount:
        break;
    }
    return EnsureWindow(e, false);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UiHooks hooks = {};
    hooks.ask = FuzzAsk;
    hooks.fatalExit = FuzzFatalExit;
    hooks.dismissSplash = FuzzNotText;
    Ui_SetHooks(&hooks);
    gVerbose = getenv("ORV_FUZZ_VERBOSE") != nullptr;
    const char* allow = getenv("ORV_FUZZ_ALLOW");
    gAllowStaleMatches = allow && strstr(allow, "stale-matches");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    int moves = data[11] % (kMaxMoves + 1);
    size_t bodyAt = kHeaderBytes + (size_t)moves * kMoveBytes;
    if (size < bodyAt)
        return 0;
    gFileSize =
        FuzzFile_Serve(gPath, gFile, kMaxFileBytes, data + bodyAt, size - bodyAt, 1 + data[10]);

    gRun = FuzzRun();
    for (int i = 0; i < kWholeSplits; i++)
        gSplits[i] = {-1, false, 0, gStartsMade[i]};
    gNextSplit = 0;
    gStrippedMade = false;
    gRun.answers = data[2];
    int policy = data[1] & 3;
    gRun.policy = policy == 1 ? kModeAnswerYes : policy == 2 ? kModeAnswerNo : kModeAsk;
    Plat_ResetProfileForTests();

    int64_t blockPointers =
        data[9] < kTinyBlockPointersBelow ? 2 + data[9] % 3 : kLargeBlockPointers;
    MemorySizes sizes =
        ComputeMemorySizes(LineLengthFrom(data[7]), blockPointers, kFileBuffers[data[8] % 8]);
    ViewEngine* e = &gEngine;
    if (!Engine_Create(e, sizes)) {
        Engine_Destroy(e);
        return 0;
    }
    if (!Engine_SetFile(e, gPath))
        abort();
    int mode = data[0] & 3;
    e->settings.hexMode = mode == 1;
    e->settings.binaryMode = mode == 2;
    e->settings.stripBit7 = (data[0] >> 2) & 1;
    e->settings.crIsNewLine = (data[0] >> 3) & 1;
    e->settings.all256Chars = (data[0] >> 4) & 1;
    e->showCrLf = (data[0] >> 5) & 1;
    e->settings.tabSpacing = TabsFrom(Get16(data + 3));
    e->pageLines = PageLinesFrom(Get16(data + 5));
    e->modePolicy = gRun.policy;

    // Opening the file in a new view: Cancel to "Mode?" abandons the open.
    e->openingNewView = (data[0] >> 6) & 1;
    gRun.move = "open";
    int rc = ResetEngine(e, (data[0] >> 7) & 1);
    e->openingNewView = false;
    Check(e, rc);
    if (rc == 0) {
        for (int i = 0; i < moves; i++) {
            const uint8_t* m = data + kHeaderBytes + i * kMoveBytes;
            gRun.moveIndex = i + 1;
            rc = RunMove(e, m[0], Get32(m + 1));
            Check(e, rc);
        }
    }
    if (gVerbose)
        fprintf(stderr,
                "engine_fuzz: %" PRId64 " bytes, R %" PRId64 ", B %d, %d moves, rc %d, "
                "questions %d, fatal exits %d, mode %s, top %" PRId64 ", lines %" PRId64
                "..%" PRId64 " of %" PRId64 ", blocks %d\n",
                gFileSize, sizes.readSize, sizes.blockPointers, moves, rc, gRun.questions,
                gRun.fatalExits,
                e->settings.hexMode      ? "hex"
                : e->settings.binaryMode ? "binary"
                                         : "text",
                e->file.topLine, e->firstLine, e->lastLine,
                e->totalLines == END_LINE ? (int64_t)-1 : e->totalLines, e->highestBlock + 1);
    Engine_Destroy(e);
    Plat_ResetProfileForTests(); // the "File too large" path wrote a BlockPointers suggestion
    return 0;
}
