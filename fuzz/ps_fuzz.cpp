// libFuzzer target for the PostScript print-file reader: the first bytes of an input choose the
// output's bounds, the screen metrics and the dialect; the rest is the print file. The reader
// rebuilds the file into an output with guard bytes after it, and then the engine walks the
// same file through the reader to its end and back. A broken rule stops the run with a trap
// (the message names the rule).
//
// Input layout (fuzz/make_ps_corpus.py writes seeds in it):
//   0  dialect: 0 -> found from the file, 1..3 -> 1.0, 2.0, 3.0 (b mod 4)
//   1  output capacity: 600 + 97 * b bytes
//   2  line table entries: 2 + b
//   3  line length: 256 + 3 * b (the view's 256..1024 and a little past it)
//   4  line height 1 + b mod 40, 5 character width 1 + b mod 20
//   6  pixels per inch, both ways: 48 + b
//   7  the file is the body repeated 1 + b mod 16 times, cut at kMaxFileBytes
//   then the body of the file.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fuzzfile.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "print/psread.h"
#include "shell/memsettings.h"
#include "viewer/engine.h"

namespace {

constexpr int kHeaderBytes = 8;
constexpr int64_t kMaxFileBytes = 96 * 1024;
constexpr int kGuard = 64;
constexpr char kGuardByte = 0x5A;

// The print file: served from memory, it names nothing on disk.
const char* const gPath = "/orv-fuzz/print.ps";
unsigned char gFile[kMaxFileBytes];
int64_t gFileSize;
const char* gStage = "-";

[[noreturn]] void Fail(const char* rule) {
    fprintf(stderr, "ps_fuzz: broken in %s: %s\n", gStage, rule);
    __builtin_trap();
}

void Require(bool holds, const char* rule) {
    if (!holds)
        Fail(rule);
}

// What every rebuilt block must be: within its output and its line table and the view's line
// length, lines ended by CR LF with no NUL or lone line feed in them, and each line mapped to a
// PostScript line of the file, in order.
// Returns the number of lines closed by CR LF.
int32_t CheckBlock(const char* text, int64_t length, int64_t capacity, const int64_t* offsets,
                   int32_t entries, int32_t lineLength, int64_t from) {
    Require(length >= 0 && length <= capacity, "the text stays within its capacity");
    int32_t lines = 0, closed = 0;
    int64_t lineBegin = 0;
    int64_t last = from;
    for (int64_t i = 0; i <= length; i++) {
        if (i < length && text[i] != '\n') {
            Require(text[i] != 0, "no NUL in the text");
            continue;
        }
        if (i == lineBegin && i == length)
            break; // no cut last line
        Require(i == length || (i > lineBegin && text[i - 1] == '\r'),
                "a line feed only after a carriage return");
        Require(i - lineBegin + 1 <= lineLength, "a line within the line length");
        Require(lines < entries - 1, "the lines within the line table, less one");
        Require(offsets[lines] >= last, "line offsets do not go back");
        Require(offsets[lines] < gFileSize, "a line comes from a line of the file");
        last = offsets[lines];
        lines++;
        closed += i < length;
        lineBegin = i + 1;
    }
    return closed;
}

void RebuildDirect(const uint8_t* data, int dialect) {
    gStage = "fill";
    const int64_t capacity = 600 + 97 * (int64_t)data[1];
    const int32_t entries = 2 + data[2];
    const int32_t lineLength = 256 + 3 * data[3];
    const PsScreenMetrics screen = {1 + data[4] % 40, 1 + data[5] % 20, 48 + data[6],
                                    48 + data[6]};
    char* text = (char*)malloc((size_t)(capacity + kGuard));
    int64_t* offsets = (int64_t*)malloc(sizeof(int64_t) * (size_t)(entries + kGuard));
    memset(text, kGuardByte, (size_t)(capacity + kGuard));
    for (int32_t i = 0; i < entries + kGuard; i++)
        offsets[i] = -1;
    PlatFile* file = Plat_OpenRead(gPath);
    Require(file != nullptr, "the file opens");
    PsLineReader reader = {};
    if (dialect == kPsNone)
        dialect = PsRead_Recognize(&reader, file, gPath);
    Require(dialect >= 0, "the file reads");
    if (dialect > kPsNone) {
        bool atEnd = false;
        PsOutput out = {text, capacity, offsets, entries, lineLength};
        int64_t n = PsRead_Fill(&reader, file, gPath, dialect, 0, screen, out, &atEnd);
        int32_t closed = CheckBlock(text, n, capacity, offsets, entries, lineLength, 0);
        for (int i = 0; i < kGuard; i++) {
            Require(text[capacity + i] == kGuardByte, "nothing written past the text");
            Require(offsets[entries + i] == -1, "nothing written past the line table");
        }
        Require(atEnd || n >= capacity - 512 || closed >= entries - 2,
                "a block stops short only at a limit");
    }
    PsLine_Release(&reader);
    Plat_Close(file);
    free(text);
    free(offsets);
}

// The block in the engine, split into lines (each line feed now a NUL): every line from the
// reader, within the view's line length, mapped to a line of the file at or after the block's.
void CheckEngineBlock(const ViewEngine* e) {
    Require(e->bytesInBuffer >= 0 && e->bytesInBuffer <= e->sizes.readSize, "a block fits");
    Require(e->lineCount <= e->sizes.indexEntries - 1, "the lines fit the line table");
    Require(!e->nulsSeen, "the reader writes no NUL");
    int64_t last = e->file.bufferOffset;
    for (int32_t j = 0; j < e->lineCount; j++) {
        const char* line = e->buffer + e->lineStart[j];
        Require((int64_t)strlen(line) + 1 <= e->sizes.lineLength, "a line within LineLength");
        Require(e->psLineOffset[j] >= last, "line offsets do not go back");
        Require(e->psLineOffset[j] < gFileSize, "a line comes from a line of the file");
        last = e->psLineOffset[j];
    }
}

// The engine walks the file through the reader: to the end, back to the top and to an offset,
// with the same rules for every block it reads.
void WalkEngine(const uint8_t* data) {
    gStage = "engine";
    MemorySizes sizes = ComputeMemorySizes(256, 4096, 30720);
    ViewEngine* e = &gEngine;
    if (!Engine_Create(e, sizes)) {
        Engine_Destroy(e);
        return;
    }
    Require(Engine_SetFile(e, gPath) == 1, "the file is there");
    gPsScreen = {1 + data[4] % 40, 1 + data[5] % 20, 48 + data[6], 48 + data[6]};
    e->readPostScript = PsRead_Block;
    e->settings.postScriptState = kPostScriptShown | (data[0] % 4);
    e->settings.tabSpacing = 8;
    e->pageLines = 20;
    e->modePolicy = kModeAnswerNo;
    int rc = ResetEngine(e, false);
    const bool shown = (e->settings.postScriptState & kPostScriptShown) != 0;
    if (rc == 0 && shown) {
        CheckEngineBlock(e);
        e->file.topLine = END_LINE;
        rc = EnsureWindow(e, false);
        Require(rc == 0, "the walk to the end reads every block");
        Require(e->atEnd, "the walk ends at the end");
        CheckEngineBlock(e);
        GoToOffset(e, gFileSize / 2);
        Require(EnsureWindow(e, false) == 0, "an offset in the middle can be shown");
        CheckEngineBlock(e);
        e->file.topLine = 1;
        Require(EnsureWindow(e, false) == 0, "the top can be shown again");
        CheckEngineBlock(e);
    }
    Engine_Destroy(e);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    gFileSize = FuzzFile_Serve(gPath, gFile, kMaxFileBytes, data + kHeaderBytes,
                               size - kHeaderBytes, 1 + data[7] % 16);
    RebuildDirect(data, data[0] % 4);
    WalkEngine(data);
    return 0;
}
