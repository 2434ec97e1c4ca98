// The file engine's block machinery: which block of the file is in the buffer, the table of the
// blocks seen so far, and the moves (to a line, to an offset, to the end) that read blocks.
#include "viewer/engine.h"

#include <stdio.h>
#include <string.h>

#include "platform/platform.h"
#include "platform/uiseam.h"
#include "viewer/linescan.h"

ViewEngine gEngine;

namespace {

// No single shared block may be larger than this: the line table holds 32-bit offsets into the
// buffer, and a 32-bit process could not map more anyway. A larger request from the INI fails
// as any other allocation does, with "Not enough free memory".
constexpr int64_t kMaxBlockBytes = INT64_C(1) << 30;
// The "File too large" path raises BlockPointers to fit the file it met, but never past this:
// 16 bytes a block, so the table stays at 16 MiB, which covers ~100 GB with default buffers.
constexpr int64_t kMaxSuggestedBlockPointers = INT64_C(1) << 20;

const char kSectionMemory[] = "Memory";
const char kKeyBlockPointers[] = "BlockPointers";
const char kTextNoMemory[] = "Not enough free memory";
const char kTextSeekError[] = "Fatal File Seek Error";
const char kTextReadError[] = "Fatal File Read Error";
const char kTextMemoryCaption[] = "Memory";
const char kTextSmallerSizes[] =
    "Not enough free memory for the %s in ORV32.INI.\nORV goes on with the default size; "
    "the INI file stays as it is until options are saved.";
const char kTextFileTooLarge[] =
    "File too large.\nProgram has attempted to adjust 'Blockpointers' to read this file, but "
    "this may not work. If you get this error again, search under Help for INI file "
    "'BlockPointers' setting to see ultimate limits and how to adjust 'Blockpointers' "
    "yourself. Program must re-start now.";
const char* const kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void* AllocBlock(int64_t bytes) {
    if (bytes <= 0 || bytes > kMaxBlockBytes)
        return nullptr;
    return Plat_AllocPages((uint64_t)bytes);
}

int64_t BlockTableBytes(const MemorySizes& sizes) {
    return (int64_t)sizes.blockPointers * (int64_t)sizeof(int64_t);
}

// The bytes the buffer holds: R + 1, one more for the 0 always set after the data.
int64_t BufferBytes(const MemorySizes& sizes) {
    return sizes.readSize + 1;
}

bool PostScriptShown(const ViewEngine* e) {
    return (e->settings.postScriptState & kPostScriptShown) != 0;
}

// Absolute file offset where line index j of the buffer begins.
int64_t LineOffset(const ViewEngine* e, int32_t j) {
    if (PostScriptShown(e))
        return e->psLineOffset[j];
    return e->file.bufferOffset + e->lineStart[j];
}

// Reads the block that starts at bufferOffset and splits it. -1 when either failed.
int ReadAndSplit(ViewEngine* e) {
    if (ReadBlock(e) < 0)
        return -1;
    return SplitLines(e) < 0 ? -1 : 0;
}

void LoadKnownBlock(ViewEngine* e, int32_t k) {
    e->currentBlock = k;
    e->file.bufferOffset = e->blockOffset[k];
    e->firstLine = e->blockFirstLine[k];
}

// The block table is full: twice the entries, so that a file of any size can be walked; the
// INI's "BlockPointers" is only the size it starts at. False when the memory cannot be had.
bool GrowBlockTable(ViewEngine* e) {
    const int64_t oldBytes = BlockTableBytes(e->sizes);
    const int64_t entries = 2 * (int64_t)e->sizes.blockPointers;
    if (entries > INT32_MAX)
        return false;
    const int64_t bytes = entries * (int64_t)sizeof(int64_t);
    int64_t* offsets = (int64_t*)AllocBlock(bytes);
    int64_t* firstLines = (int64_t*)AllocBlock(bytes);
    if (!offsets || !firstLines) {
        Plat_FreePages(offsets, (uint64_t)bytes);
        Plat_FreePages(firstLines, (uint64_t)bytes);
        return false;
    }
    memcpy(offsets, e->blockOffset, (size_t)oldBytes);
    memcpy(firstLines, e->blockFirstLine, (size_t)oldBytes);
    Plat_FreePages(e->blockOffset, (uint64_t)oldBytes);
    Plat_FreePages(e->blockFirstLine, (uint64_t)oldBytes);
    e->blockOffset = offsets;
    e->blockFirstLine = firstLines;
    e->sizes.blockPointers = (int32_t)entries;
    return true;
}

// The block table is full and cannot grow: raise BlockPointers in the INI for the next start
// and tell the user. The walk ends there, not the program: other windows (an editor's unsaved
// text among them) stay. Returns -1 for the caller.
int FileTooLarge(ViewEngine* e, int64_t stepBytes) {
    if (e->skipTooLarge) {
        e->tooLargeMet = true;
        return -1;
    }
    if (stepBytes <= 0)
        stepBytes = e->sizes.readSize;
    int64_t suggestion = e->file.fileSize / stepBytes;
    suggestion += suggestion / 4;
    if (suggestion > kMaxSuggestedBlockPointers)
        suggestion = kMaxSuggestedBlockPointers;
    if (suggestion > e->sizes.blockPointers) {
        char text[32];
        snprintf(text, sizeof text, "%lld", (long long)suggestion);
        Plat_WriteProfileString(kSectionMemory, kKeyBlockPointers, text);
    }
    e->file.topLine = 1;
    ResetEngine(e, false);
    PromptRequest request = {kTextFileTooLarge, nullptr, kButtonsOk, kIconError,
                             kPromptOwnedByFocus};
    Ui_Ask(request);
    return -1;
}

// The last line of a block that does not reach the end of the file is usually cut by the read
// size, so a window may show it only from the next block, where it is whole.
int64_t LastWholeLine(const ViewEngine* e) {
    return e->atEnd ? e->lastLine : e->lastLine - 1;
}

// The window reaches past a buffer that is not the end of the file: the next block begins a page
// above the last whole line of this one, so the page above and the cut line are read again.
// Where the next block begins and its first line, from the block in the buffer.
void NextBlockStart(const ViewEngine* e, int64_t* newOffset, int64_t* newFirstLine) {
    int32_t pivot = e->lineCount - e->pageLines - 1;
    if (pivot < 1)
        pivot = e->lineCount > 1 ? e->lineCount - 1 : 0; // cannot happen with a clamped page
    // Rows of PostScript text that come from one PostScript line are laid out again from it
    // only together: the next block begins at the first of them.
    while (PostScriptShown(e) && pivot > 0 && LineOffset(e, pivot - 1) == LineOffset(e, pivot))
        pivot--;
    *newOffset = LineOffset(e, pivot);
    *newFirstLine = e->firstLine + pivot;
}

// Makes the block that begins there the current one, entered in the block table; its bytes
// are not read yet. -1 when it would not advance or the table cannot hold it.
int EnterNextBlock(ViewEngine* e, int64_t newOffset, int64_t newFirstLine) {
    if (newOffset <= e->file.bufferOffset)
        return -1; // a block that does not advance would loop for ever
    if (e->currentBlock >= e->sizes.blockPointers - 1 && !GrowBlockTable(e))
        return FileTooLarge(e, newOffset - e->file.bufferOffset);

    int32_t k = e->currentBlock + 1;
    bool sameLayout = k <= e->highestBlock && e->blockOffset[k] == newOffset &&
                      e->blockFirstLine[k] == newFirstLine;
    if (!sameLayout) {
        // The blocks beyond were laid out for another page size, or the file has grown past
        // the block once known as the last: forget them.
        if (e->highestBlock > k || (e->lastBlockKnown && e->lastBlock < k))
            e->lastBlockKnown = false;
        e->highestBlock = k;
        e->blockOffset[k] = newOffset;
        e->blockFirstLine[k] = newFirstLine;
    }
    e->currentBlock = k;
    e->file.bufferOffset = newOffset;
    e->firstLine = newFirstLine;
    return 0;
}

// Reads and splits the block just entered.
int ReadEnteredBlock(ViewEngine* e) {
    if (ReadBlock(e) < 0)
        return -1;
    if (e->atEnd) {
        e->lastBlockKnown = true;
        e->lastBlock = e->currentBlock;
    }
    return SplitLines(e) < 0 ? -1 : 0;
}

int StepForward(ViewEngine* e) {
    int64_t newOffset, newFirstLine;
    NextBlockStart(e, &newOffset, &newFirstLine);
    if (EnterNextBlock(e, newOffset, newFirstLine) < 0)
        return -1;
    return ReadEnteredBlock(e);
}

// The bytes a walk passing through blocks looks at: a stretch of the file a few blocks long,
// mapped where the system can map the file, and read into a buffer of its own where it cannot,
// so a walk to the end of a large file copies little and its memory does not grow with it.
constexpr int64_t kSkimWindowBytes = INT64_C(4) << 20;
// Blocks larger than this are read and split as they come: the window would hold too much.
constexpr int64_t kSkimMostReadSize = INT64_C(4) << 20;

struct SkimWindow {
    PlatFile* file;
    int64_t size;       // the most the window holds
    PlatFileView* view; // the mapped stretch...
    char* buffer;       // ...or, once a mapping has failed, bytes read into this (size bytes)
    bool mapped;        // a stretch has been mapped
    const char* bytes;  // file bytes [start, end)
    int64_t start;
    int64_t end;
};

void Window_Close(SkimWindow* w) {
    Plat_UnmapFileView(w->view);
    Plat_FreePages(w->buffer, (uint64_t)w->size);
}

// Bytes [offset, offset + count) of the window's file read into its buffer, keeping what it
// holds of them. The first read takes only what is asked for: most walks pass through no block.
const char* Window_Read(SkimWindow* w, int64_t offset, int64_t count) {
    const bool first = !w->buffer;
    if (first && !(w->buffer = (char*)Plat_AllocPages((uint64_t)w->size)))
        return nullptr;
    int64_t keep = !first && offset >= w->start && offset < w->end ? w->end - offset : 0;
    if (keep > 0)
        memmove(w->buffer, w->buffer + (offset - w->start), (size_t)keep);
    w->bytes = w->buffer;
    w->start = offset;
    w->end = offset + keep;
    const int64_t goal = first ? count : w->size;
    if (!Plat_Seek(w->file, w->end))
        return nullptr;
    while (w->end - w->start < goal) {
        int64_t n = Plat_Read(w->file, w->buffer + (w->end - w->start), goal - (w->end - w->start));
        if (n <= 0)
            break;
        w->end += n;
    }
    return offset + count <= w->end ? w->buffer : nullptr;
}

// The file's bytes [offset, offset + count), or null when the file does not hold them all.
const char* Window_Bytes(SkimWindow* w, int64_t offset, int64_t count) {
    if (w->bytes && offset >= w->start && offset + count <= w->end)
        return w->bytes + (offset - w->start);
    if (w->buffer)
        return Window_Read(w, offset, count);
    Plat_UnmapFileView(w->view);
    w->view = nullptr;
    w->bytes = nullptr;
    // The whole window, or near the file's end what is asked for.
    for (int64_t length : {w->size, count}) {
        const char* bytes = nullptr;
        if (length < count || !(w->view = Plat_MapFileView(w->file, offset, length, &bytes)))
            continue;
        w->mapped = true;
        w->bytes = bytes;
        w->start = offset;
        w->end = offset + length;
        return bytes;
    }
    // A file mapped before ends here; one that cannot be mapped is read.
    return w->mapped ? nullptr : Window_Read(w, offset, count);
}

// Whether the walk's next pass, with the block just entered holding lineCount lines and not
// the end of the file, would step on from it (the last branch of WalkToWindow) rather than
// show it, go back, or jump to a known block.
bool PassesOn(const ViewEngine* e, int32_t lineCount, bool jumped) {
    const int64_t top = e->file.topLine;
    const int64_t want = top + e->pageLines;
    const int64_t last = e->firstLine + lineCount - 1 > 1 ? e->firstLine + lineCount - 1 : 1;
    if (top >= e->firstLine && top <= last && want <= last - 1)
        return false;
    if (top != END_LINE && top < e->firstLine && want <= last - 1)
        return false;
    if (!jumped && top == END_LINE && e->lastBlockKnown && e->lastBlock != e->currentBlock)
        return false;
    return jumped || e->currentBlock >= e->highestBlock;
}

bool CanSkim(const ViewEngine* e) {
    const DisplaySettings& s = e->settings;
    return !e->exactWalk && !s.hexMode && !s.binaryMode && !s.stripBit7 && !s.crIsNewLine &&
           !PostScriptShown(e) && !e->driveError && e->walkFile &&
           e->sizes.readSize <= kSkimMostReadSize && e->pageLines >= 1;
}

SkimWindow Window_Open(const ViewEngine* e) {
    SkimWindow window = {};
    window.file = e->walkFile;
    window.size = e->sizes.readSize + 1 + kSkimWindowBytes;
    return window;
}

// The block just entered, counted without splitting it: its bytes and *lineCount, or null
// when only reading and splitting it can tell (it is not plain text, it may be the file's end,
// or it holds too few lines to step on from).
const char* CountEnteredBlock(ViewEngine* e, SkimWindow* window, int32_t* lineCount) {
    const int64_t R = e->sizes.readSize;
    const int64_t at = e->file.bufferOffset;
    // Only a block with a byte after it is surely not the end of the file.
    const int64_t fileEnd = Plat_EndAtOpen(e->walkFile);
    if (fileEnd >= 0 && at + R >= fileEnd)
        return nullptr;
    const char* bytes = Window_Bytes(window, at, R + 1);
    if (!bytes || !SkimTextLines(bytes, (int32_t)R, e->sizes.lineLength, lineCount) ||
        *lineCount >= e->sizes.indexEntries - 1 || *lineCount - e->pageLines - 1 < 1)
        return nullptr;
    return bytes;
}

// Enters the block after a counted one, as StepForward would from it. The table must hold it
// without growing: growing, or failing to, is left to StepForward from a block in the buffer.
bool EnterAfterCounted(ViewEngine* e, const char* bytes, int32_t lineCount) {
    if (e->currentBlock >= e->sizes.blockPointers - 1)
        return false;
    const int32_t pivot = lineCount - e->pageLines - 1;
    e->blocksRead++;
    EnterNextBlock(e,
                   e->file.bufferOffset +
                       SkimLineStart(bytes, (int32_t)e->sizes.readSize, lineCount, pivot),
                   e->firstLine + pivot);
    return true;
}

// StepForward for a walk that may pass through many blocks: a block whose window the walk
// does not show is only counted (SkimTextLines) and entered in the block table, not read into
// the buffer and split. The block the walk stops at, and any block that is not plain text or
// may be the file's end, is read and split as StepForward does, so the buffer, the line table
// and the block table end as they would have. *passes counts the walk's passes as the loop
// of WalkToWindow does, one for each block passed through.
int SkimForward(ViewEngine* e, bool jumped, int64_t* passes) {
    if (!CanSkim(e))
        return StepForward(e);
    int64_t newOffset, newFirstLine;
    NextBlockStart(e, &newOffset, &newFirstLine);
    if (EnterNextBlock(e, newOffset, newFirstLine) < 0)
        return -1;
    // A text block holds at least R / LineLength lines: a window that surely lies in the
    // block entered is read at once, not counted first.
    const int64_t fewestLines = e->sizes.readSize / e->sizes.lineLength;
    SkimWindow window = Window_Open(e);
    for (;;) {
        const int64_t top = e->file.topLine;
        if (top != END_LINE && top >= e->firstLine &&
            top + e->pageLines <= e->firstLine + fewestLines - 2)
            break;
        int32_t count = 0;
        const char* bytes = CountEnteredBlock(e, &window, &count);
        if (!bytes || !PassesOn(e, count, jumped) ||
            *passes >= 4 * (int64_t)e->sizes.blockPointers + 16 ||
            !EnterAfterCounted(e, bytes, count))
            break;
        (*passes)++;
    }
    Window_Close(&window);
    return ReadEnteredBlock(e);
}

// Among the known blocks after the current one, the block to read for topLine.
int32_t BlockAhead(const ViewEngine* e) {
    for (int32_t k = e->currentBlock + 1; k <= e->highestBlock; k++) {
        if (e->blockFirstLine[k] >= e->file.topLine)
            return e->blockFirstLine[k] == e->file.topLine ? k : k - 1;
    }
    return e->highestBlock;
}

// The known block to read for a top line that lies before the buffer.
int32_t BlockBehind(const ViewEngine* e) {
    if (e->file.topLine <= 1)
        return 0;
    int32_t k = e->currentBlock;
    while (k > 0 && e->blockFirstLine[k] > e->file.topLine)
        k--;
    return k;
}

} // namespace

int32_t MaxPageLines(const MemorySizes& sizes) {
    // Hex and binary rows stand 78 bytes apart in the display buffer, and a full block of text
    // holds at least 2H lines (no line is longer than LineLength), so a page of at most H - 1
    // lines lets every forward step advance.
    int64_t byRows = sizes.displayBytes / kFixedRowStride - 1;
    int64_t bySteps = sizes.bufferLines - 1;
    int64_t most = byRows < bySteps ? byRows : bySteps;
    if (most > INT32_MAX)
        most = INT32_MAX;
    return most < 1 ? 1 : (int32_t)most;
}

int Engine_CreateFitting(ViewEngine* e, MemorySizes* sizes) {
    if (Engine_Create(e, *sizes))
        return 1;
    // Which of the two keys asks for more than can be had: each alone at its default, then both.
    const MemorySizes& s = *sizes;
    const MemorySizes tries[] = {
        ComputeMemorySizes(s.lineLength, kDefaultBlockPointers, s.fileBuffer),
        ComputeMemorySizes(s.lineLength, s.blockPointers, kFileBufferDefault),
        ComputeMemorySizes(s.lineLength, kDefaultBlockPointers, kFileBufferDefault),
    };
    const char* const keys[] = {"'BlockPointers' setting", "'FileBuffer' setting",
                                "'BlockPointers' and 'FileBuffer' settings"};
    for (int i = 0; i < 3; i++) {
        Engine_Destroy(e);
        if (!Engine_Create(e, tries[i]))
            continue;
        *sizes = tries[i];
        char text[256];
        snprintf(text, sizeof text, kTextSmallerSizes, keys[i]);
        PromptRequest request = {text, kTextMemoryCaption, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return 2;
    }
    return 0;
}

int Engine_Create(ViewEngine* e, const MemorySizes& sizes) {
    *e = ViewEngine();
    e->sizes = sizes;
    e->file.validMarker = -1;
    e->file.topLine = 1;
    e->pageLines = kDefaultPageLines;
    e->lastLine = 1;
    e->totalLines = END_LINE;
    e->lastBuiltTop = -1;
    e->settings.tabSpacing = 8;
    e->lastPaintTop = 1;
    e->matches.assign(1, MatchField{-1, 0, 0});

    e->buffer = (char*)AllocBlock(BufferBytes(sizes));
    e->displayText = (char*)AllocBlock(sizes.displayBytes);
    e->blockOffset = (int64_t*)AllocBlock(BlockTableBytes(sizes));
    e->blockFirstLine = (int64_t*)AllocBlock(BlockTableBytes(sizes));
    e->lineStart = (int32_t*)AllocBlock(sizes.indexEntries * (int64_t)sizeof(int32_t));
    e->psLineOffset = (int64_t*)AllocBlock(sizes.indexEntries * (int64_t)sizeof(int64_t));
    e->rowOffset = (int32_t*)AllocBlock(sizes.indexEntries * (int64_t)sizeof(int32_t));
    if (e->lineStart)
        e->lineStart[0] = -1;
    if (e->rowOffset)
        e->rowOffset[0] = -1;
    return e->buffer && e->displayText && e->blockOffset && e->blockFirstLine && e->lineStart &&
                   e->rowOffset
               ? 1
               : 0;
}

void Engine_Destroy(ViewEngine* e) {
    const MemorySizes& s = e->sizes;
    Plat_FreePages(e->buffer, (uint64_t)BufferBytes(s));
    Plat_FreePages(e->displayText, (uint64_t)s.displayBytes);
    Plat_FreePages(e->blockOffset, (uint64_t)BlockTableBytes(s));
    Plat_FreePages(e->blockFirstLine, (uint64_t)BlockTableBytes(s));
    Plat_FreePages(e->lineStart, (uint64_t)(s.indexEntries * (int64_t)sizeof(int32_t)));
    Plat_FreePages(e->psLineOffset, (uint64_t)(s.indexEntries * (int64_t)sizeof(int64_t)));
    Plat_FreePages(e->rowOffset, (uint64_t)(s.indexEntries * (int64_t)sizeof(int32_t)));
    *e = ViewEngine();
}

int LockSharedBlocks(ViewEngine* e, int* postScriptOk) {
    if (postScriptOk)
        *postScriptOk = e->psLineOffset != nullptr;
    if (e->buffer && e->displayText && e->blockOffset && e->blockFirstLine && e->lineStart &&
        e->rowOffset)
        return 1;
    Ui_FatalExit(kTextNoMemory);
    return 0;
}

namespace {

// Within a walk, the file it reads: opened at the walk's first need and kept open, with the
// busy cursor up, to its end. Null outside a walk, or when the file cannot be opened.
PlatFile* WalkFile(ViewEngine* e) {
    if (!e->walkFile && e->walkDepth > 0) {
        void* cursor = Ui_BeginBusy(e->file.path);
        e->walkFile = Plat_OpenRead(e->file.path);
        if (e->walkFile)
            e->walkCursor = cursor;
        else
            Ui_EndBusy(cursor);
    }
    return e->walkFile;
}

} // namespace

int64_t ReadBlock(ViewEngine* e) {
    e->blocksRead++;
    PlatFile* file = WalkFile(e);
    void* cursor = nullptr;
    if (!file) {
        if (e->walkDepth > 0)
            return -1;
        cursor = Ui_BeginBusy(e->file.path);
        file = Plat_OpenRead(e->file.path);
        if (!file) {
            Ui_EndBusy(cursor);
            return -1;
        }
    }
    int64_t got = -1;
    const char* fatal = nullptr;
    if (!Plat_Seek(file, e->file.bufferOffset)) {
        fatal = kTextSeekError;
    } else if (PostScriptShown(e) && e->readPostScript) {
        got = e->readPostScript(e, file, e->sizes.readSize);
    } else {
        // A short read is not the end by itself (a pipe or a network file may return less),
        // so read until the block is full or the file says there is no more; only a plain file
        // the system reads from its own cache ends where a read falls short.
        int64_t want = e->sizes.readSize;
        got = 0;
        bool short_read = false;
        // Where the system knows the file to end, the block that reaches there holds the end:
        // no read more is made to be told so (a disk search reads thousands of small files).
        const int64_t end = Plat_EndAtOpen(file);
        const bool shortEnds = Plat_ShortReadEnds(file) != 0;
        bool reachedEnd = false;
        while (got < want && !reachedEnd) {
            int64_t n = Plat_Read(file, e->buffer + got, want - got);
            if (n < 0) {
                if (got > 0)
                    got = -1; // failed having returned data
                short_read = true;
                break;
            }
            if (n == 0) {
                short_read = true;
                break;
            }
            got += n;
            reachedEnd = e->file.bufferOffset + got == end; // grown since: read on
            if (shortEnds && got < want) {
                short_read = true;
                break;
            }
        }
        if (got >= 0) {
            char probe;
            e->atEnd = short_read || reachedEnd || Plat_Read(file, &probe, 1) <= 0;
        }
    }
    e->buffer[got > 0 ? got : 0] = 0;
    if (got < 0 || e->driveError)
        fatal = fatal ? fatal : kTextReadError;
    if (file != e->walkFile) {
        Plat_Close(file);
        Ui_EndBusy(cursor);
    }
    if (fatal) {
        e->bytesInBuffer = 0;
        e->buffer[0] = 0;
        Ui_FatalExit(fatal);
        return -1;
    }
    e->bytesInBuffer = (int32_t)got;
    return got;
}

namespace {

int WalkToWindow(ViewEngine* e, bool force, int64_t passes);
void WalkToOffset(ViewEngine* e, int64_t offset);

} // namespace

void Engine_BeginWalk(ViewEngine* e) {
    e->walkDepth++;
}

void Engine_BeginWalkOn(ViewEngine* e, PlatFile* file) {
    Engine_BeginWalk(e);
    if (e->walkFile) { // a walk already has the file open
        Plat_Close(file);
        return;
    }
    e->walkFile = file;
    e->walkCursor = Ui_BeginBusy(e->file.path);
}

void Engine_EndWalk(ViewEngine* e) {
    if (--e->walkDepth > 0 || !e->walkFile)
        return;
    Plat_Close(e->walkFile);
    e->walkFile = nullptr;
    Ui_EndBusy(e->walkCursor);
    e->walkCursor = nullptr;
}

int EnsureWindow(ViewEngine* e, bool force) {
    Engine_BeginWalk(e);
    const int rc = WalkToWindow(e, force, 0);
    Engine_EndWalk(e);
    return rc;
}

namespace {

// passes: those already made by the caller in this walk.
int WalkToWindow(ViewEngine* e, bool force, int64_t passes) {
    if (e->pageLines < 1)
        e->pageLines = kDefaultPageLines;
    int32_t maxPage = MaxPageLines(e->sizes);
    if (e->pageLines > maxPage)
        e->pageLines = maxPage;
    if (e->file.topLine < 1)
        e->file.topLine = 1;

    if (!e->loaded || force) {
        e->file.bufferOffset = 0;
        if (ReadBlock(e) < 0)
            return -1;
        e->blockOffset[0] = 0;
        e->blockFirstLine[0] = 1;
        e->currentBlock = e->highestBlock = 0;
        if (e->atEnd) {
            e->lastBlockKnown = true;
            e->lastBlock = 0;
        }
        e->file.topLine = 1;
        e->firstLine = 1;
        if (SplitLines(e) < 0)
            return -1;
        BuildRows(e);
        e->loaded = true;
        return 0;
    }

    // Every pass reads a block; a walk to the end reads each block once, and a move back reads
    // one. A file that changes under the view could otherwise keep the loop going for ever.
    // The table may grow on the way, and the bound with it.
    bool jumped = false;
    while (passes++ < 4 * (int64_t)e->sizes.blockPointers + 16) {
        int64_t top = e->file.topLine;
        int64_t want = top + e->pageLines;
        if (want > e->totalLines && e->atEnd)
            want = e->totalLines;
        if (top >= e->firstLine && top <= e->lastLine && want <= LastWholeLine(e)) {
            BuildRows(e);
            return 0;
        }
        int rc;
        if (top != END_LINE && top < e->firstLine && want <= LastWholeLine(e)) {
            LoadKnownBlock(e, BlockBehind(e));
            rc = ReadAndSplit(e);
        } else if (e->atEnd) {
            if (top == e->lastLine + 1)
                e->file.topLine = e->lastLine;
            else if (top > e->lastLine)
                e->file.topLine = e->lastLine - e->pageLines + 1 > 1
                                      ? e->lastLine - e->pageLines + 1
                                      : 1;
            // A window grown taller than the one the blocks were laid out for can reach back
            // before this block: go round, so the blocks are laid out again for this page.
            if (e->file.topLine >= e->firstLine || e->firstLine <= 1) {
                BuildRows(e);
                return 0;
            }
            continue;
        } else if (!jumped && top == END_LINE && e->lastBlockKnown &&
                   e->lastBlock != e->currentBlock) {
            jumped = true;
            LoadKnownBlock(e, e->lastBlock);
            rc = ReadAndSplit(e);
        } else if (!jumped && e->currentBlock < e->highestBlock) {
            jumped = true;
            int32_t k = BlockAhead(e);
            if (k == e->currentBlock)
                continue; // already in the buffer: step on from it
            LoadKnownBlock(e, k);
            rc = ReadAndSplit(e);
        } else {
            rc = SkimForward(e, jumped, &passes);
        }
        if (rc < 0)
            return -1;
    }
    return -1;
}

} // namespace

int ResetEngine(ViewEngine* e, bool clearMode) {
    if (clearMode) {
        e->settings.hexMode = 0;
        e->settings.binaryMode = 0;
        e->settings.all256Chars = 0;
        e->selectionShown = false;
        e->selecting = false;
        e->lastPaintMode = 0;
    }
    e->totalLines = END_LINE;
    e->matchLine = 0;
    e->matchColumn = 0;
    e->matchLength = 0;
    e->displayColumn = 0;
    e->matches.assign(1, MatchField{-1, 0, 0});
    e->lastBuiltTop = -1;
    e->nulsSeen = false;
    e->lastPaintTop = 1;
    e->lastPaintBottom = 0;
    int32_t known = e->highestBlock > e->lastBlock ? e->highestBlock : e->lastBlock;
    if (e->blockOffset && e->blockFirstLine && known >= 0 && known < e->sizes.blockPointers) {
        memset(e->blockOffset, 0, (size_t)(known + 1) * sizeof(int64_t));
        memset(e->blockFirstLine, 0, (size_t)(known + 1) * sizeof(int64_t));
    }
    e->highestBlock = 0;
    e->lastBlockKnown = false;
    e->lastBlock = 0;
    e->currentBlock = 0;
    return EnsureWindow(e, true);
}

void GoToOffset(ViewEngine* e, int64_t offset) {
    Engine_BeginWalk(e);
    WalkToOffset(e, offset);
    Engine_EndWalk(e);
}

namespace {

// One pass of WalkToOffset's walk over blocks not known yet: the window moved to the line after
// the buffer's last. Where that walk would go on through whole blocks, showing a window in each
// and going on because each ends before the offset, the blocks are counted rather than split;
// the block it stops at is read and split, and its window built, as the walk would have.
int StepTowards(ViewEngine* e, int64_t offset) {
    e->file.topLine = e->lastLine + 1;
    if (!CanSkim(e) || e->pageLines > MaxPageLines(e->sizes) || e->currentBlock != e->highestBlock)
        return EnsureWindow(e, false);
    Engine_BeginWalk(e);
    // As WalkToWindow's first pass from here: the top line lies past the buffer, and no block
    // beyond it is known.
    int64_t newOffset, newFirstLine;
    NextBlockStart(e, &newOffset, &newFirstLine);
    int rc = EnterNextBlock(e, newOffset, newFirstLine);
    if (rc == 0) {
        SkimWindow window = Window_Open(e);
        for (;;) {
            int32_t count = 0;
            const char* bytes = CountEnteredBlock(e, &window, &count);
            if (!bytes)
                break;
            const int64_t top = e->file.topLine;
            const int64_t last = e->firstLine + count - 1;
            const int64_t lastStart =
                e->file.bufferOffset +
                SkimLineStart(bytes, (int32_t)e->sizes.readSize, count, count - 1);
            // The window must lie in this block, and the walk go on past it.
            if (top < e->firstLine || top + e->pageLines > last - 1 || lastStart >= offset ||
                e->currentBlock != e->highestBlock)
                break;
            e->file.topLine = last + 1;
            if (!EnterAfterCounted(e, bytes, count)) {
                e->file.topLine = top;
                break;
            }
        }
        Window_Close(&window);
        rc = ReadEnteredBlock(e);
        if (rc == 0)
            rc = WalkToWindow(e, false, 1);
    }
    Engine_EndWalk(e);
    return rc;
}

void WalkToOffset(ViewEngine* e, int64_t offset) {
    if (offset < 0)
        offset = 0;
    int32_t known = -1;
    for (int32_t k = 0; k <= e->highestBlock; k++) {
        if (e->blockOffset[k] == offset) {
            known = k;
            break;
        }
        if (e->blockOffset[k] > offset) {
            known = k - 1;
            break;
        }
    }
    if (known >= 0) {
        e->file.topLine = e->blockFirstLine[known];
        if (EnsureWindow(e, false) < 0)
            return;
    } else {
        while (!e->atEnd && e->lineCount > 0 && LineOffset(e, e->lineCount - 1) < offset) {
            if (StepTowards(e, offset) < 0)
                return;
        }
    }
    int32_t j = 0;
    for (int pass = 0; pass < 2; pass++) {
        j = 0;
        while (j < e->lineCount && LineOffset(e, j) < offset)
            j++;
        if (j < e->lineCount || pass == 1)
            break;
        e->file.topLine = e->lastLine + 1;
        if (EnsureWindow(e, false) < 0)
            return;
    }
    int64_t top = e->firstLine + j;
    e->file.topLine = top > 0 ? top : 1;
}

} // namespace

int64_t Engine_ScanAhead(ViewEngine* e, int64_t from, int64_t to, int32_t overlap,
                         EngineScanFn scan, void* context, bool* toFileEnd) {
    *toFileEnd = false;
    PlatFile* file = WalkFile(e);
    // The file as it is now, as a walk through its blocks would read it.
    const int64_t fileEnd = file ? Plat_FileSize(file) : -1;
    if (!file || fileEnd < 0 || from < 0 || overlap < 0 || e->exactWalk || e->driveError ||
        PostScriptShown(e) || e->settings.stripBit7)
        return kScanUnknown;
    const bool toEnd = to >= fileEnd;
    if (toEnd)
        to = fileEnd;
    *toFileEnd = toEnd;
    SkimWindow window = Window_Open(e);
    int64_t result = kScanNone;
    for (int64_t at = from; at < to;) {
        // A stretch takes in `overlap` bytes past `to`, so a piece begun before it is whole.
        int64_t stop = at + window.size;
        stop = stop < fileEnd ? stop : fileEnd;
        stop = stop < to + overlap ? stop : to + overlap;
        const char* bytes = Window_Bytes(&window, at, stop - at);
        if (!bytes) {
            result = kScanUnknown;
            break;
        }
        const int64_t hit = scan(bytes, stop - at, context);
        if (hit >= 0) {
            result = at + hit < to ? at + hit : kScanNone;
            break;
        }
        if (stop >= fileEnd || stop - overlap >= to)
            break;
        at = stop - overlap;
    }
    Window_Close(&window);
    return result;
}

int Engine_AdvanceTo(ViewEngine* e, int64_t offset) {
    Engine_BeginWalk(e);
    int rc = 0;
    while (rc == 0 && !e->atEnd && e->lineCount > 1 &&
           LineOffset(e, e->lineCount - 1) <= offset) {
        const int64_t before = e->file.bufferOffset;
        rc = StepTowards(e, offset);
        if (rc == 0 && e->file.bufferOffset <= before)
            rc = -1; // a walk that does not advance would loop for ever
    }
    Engine_EndWalk(e);
    return rc;
}

void GoToPercent(ViewEngine* e, double percent) {
    if (!(percent > 0)) // also NaN
        percent = 0;
    if (percent > 99)
        percent = 99;
    GoToOffset(e, (int64_t)(percent * 0.01 * (double)e->file.fileSize));
}

int64_t TopLineOffset(const ViewEngine* e) {
    if (e->file.fileSize == 0 || e->lineCount == 0)
        return 0;
    if (e->file.topLine == END_LINE)
        return e->file.bufferOffset;
    int64_t j = e->file.topLine - e->firstLine;
    if (j < 0)
        j = 0;
    if (j > e->lineCount - 1)
        j = e->lineCount - 1;
    return LineOffset(e, (int32_t)j);
}

int Engine_Load(ViewEngine* e, const EngineLoad& how) {
    const int64_t keep = how.keepPlace ? TopLineOffset(e) : 0;
    if (!how.keepPlace) {
        e->settings.postScriptState = 0;
        e->file.topLine = 1;
        e->file.hScroll = 0;
    }
    const ModeQuestionPolicy policy = e->modePolicy;
    const bool opening = e->openingNewView;
    if (how.binaryUnasked)
        e->modePolicy = kModeAnswerNo;
    e->openingNewView = how.openingNewView;
    int rc = ResetEngine(e, how.clearMode);
    if (rc == 0 && how.keepPlace)
        GoToOffset(e, keep);
    e->modePolicy = policy;
    e->openingNewView = opening;
    return rc < 0 ? -1 : 0;
}

int Reposition(ViewEngine* e) {
    return Engine_Load(e, EngineLoad{true, false, false, false});
}

namespace {

// "%02d%s%02d %02d:%02d" of a local time, made by hand: a disk search stamps every file it tests.
void StampOf(const PlatLocalTime& t, char* dest, int destSize) {
    if (destSize <= 0)
        return;
    dest[0] = 0;
    if (t.month < 1 || t.month > 12 || destSize < 16)
        return;
    auto two = [](char* at, int value) {
        value = value < 0 ? -value : value;
        at[0] = (char)('0' + value / 10 % 10);
        at[1] = (char)('0' + value % 10);
    };
    two(dest, t.day);
    memcpy(dest + 2, kMonthNames[t.month - 1], 3);
    two(dest + 5, t.year % 100);
    dest[7] = ' ';
    two(dest + 8, t.hour);
    dest[10] = ':';
    two(dest + 11, t.minute);
    dest[13] = 0;
}

// The local time of a last write. Files written together share their time: a disk search
// describing file after file works it out once for them.
bool LocalTimeOf(int64_t utc, PlatLocalTime* out) {
    static bool known = false, ok = false;
    static int64_t knownUtc;
    static PlatLocalTime knownLocal;
    if (!known || knownUtc != utc) {
        ok = Plat_ToLocalTime(utc, &knownLocal) != 0;
        knownUtc = utc;
        known = true;
    }
    *out = knownLocal;
    return ok;
}

} // namespace

void FormatFileStamp(int64_t lastWriteUtc, char* dest, int destSize) {
    PlatLocalTime t;
    if (destSize > 0)
        dest[0] = 0;
    if (Plat_ToLocalTime(lastWriteUtc, &t))
        StampOf(t, dest, destSize);
}

int Engine_SetFile(ViewEngine* e, const char* path) {
    PlatFileInfo info;
    return Plat_GetFileInfo(path, &info) ? Engine_SetDescribedFile(e, path, info) : 0;
}

int Engine_SetDescribedFile(ViewEngine* e, const char* path, const PlatFileInfo& info) {
    if (info.attributes & kPlatAttrDirectory)
        return 0;
    const size_t length = strnlen(path, sizeof e->file.path - 1);
    memcpy(e->file.path, path, length);
    e->file.path[length] = 0;
    e->file.fileSize = info.size;
    // The local wall-clock time as if it were UTC, so dates compare as the user reads them.
    PlatLocalTime t;
    e->file.fileStamp[0] = 0;
    if (LocalTimeOf(info.lastWrite, &t)) {
        StampOf(t, e->file.fileStamp, sizeof e->file.fileStamp);
        int64_t y = t.year - (t.month <= 2);
        int64_t era = (y >= 0 ? y : y - 399) / 400;
        int64_t yoe = y - era * 400;
        int64_t mp = (t.month + 9) % 12;
        int64_t doy = (153 * mp + 2) / 5 + t.day - 1;
        int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        int64_t days = era * 146097 + doe - 719468;
        e->file.fileTime = days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    } else {
        e->file.fileTime = info.lastWrite;
    }
    char* a = e->file.attributes;
    int n = 0;
    if (info.attributes & kPlatAttrReadOnly)
        a[n++] = 'R';
    if (info.attributes & kPlatAttrHidden)
        a[n++] = 'H';
    if (info.attributes & kPlatAttrSystem)
        a[n++] = 'S';
    if (info.attributes & kPlatAttrArchive)
        a[n++] = 'A';
    a[n] = 0;
    e->file.validMarker = 0;
    return 1;
}
