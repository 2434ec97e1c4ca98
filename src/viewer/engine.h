// The one file engine: every view, find, search and print reads files through it. It holds one
// block of the active view's file, remembers where each block it has seen begins, splits the
// block into lines (text) or rows (hex, binary) and builds the display rows of the window.
#pragma once

#include <stdint.h>
#include <vector>

#include "shell/memsettings.h"

// A top line that asks for the end of the file. Line numbers are 64-bit, so a file of many
// gigabytes in hex rows never reaches it; the same value stands for "line count not yet known".
constexpr int64_t END_LINE = INT64_C(0x3FFFFFFFFFFFFFFF);
constexpr int kPathMax = 260;
constexpr int kHexRowChars = 77; // one hex or binary row, without its terminator
constexpr int kFixedRowStride = 78; // hex and binary rows stand 78 bytes apart
constexpr int kBinaryRowBytes = 77;
constexpr int kDefaultPageLines = 22;
constexpr uint32_t kPostScriptShown = 0x10; // DisplaySettings::postScriptState bit
constexpr uint32_t kPostScriptDialect = 0x0F; // the driver found, cleared with the flag

struct DisplaySettings {
    int32_t hexMode;
    int32_t binaryMode;
    int32_t stripBit7;
    int32_t crIsNewLine;
    int32_t all256Chars;
    int32_t postScriptState;
    int32_t tabSpacing;
};

// The part of the engine a view keeps in its own record while another view is active.
struct ViewFileBlock {
    char path[kPathMax];
    int32_t validMarker; // -1 while no view file is set up
    int64_t bufferOffset; // file offset of the block in the buffer
    int64_t topLine; // 1-based; END_LINE asks for the end of the file
    int64_t fileSize;
    int64_t fileTime; // last write, local time, seconds since 1970
    char fileStamp[16]; // "%02d%s%02d %02d:%02d"
    int32_t hScroll;
    char attributes[12];
};

// One entry of the match highlight list: row within the window, 1-based column, length.
struct MatchField {
    int32_t row; // -1 ends the list
    int32_t column;
    int32_t length;
};

// How OfferHexMode answers "Mode?" for the caller that set it.
enum ModeQuestionPolicy {
    kModeAsk, // ask the user
    kModeAnswerNo, // hex toggle turning off, editor's text test, a file with a defined type
    kModeAnswerYes, // a disk search presenting its matches
};

// Reads a PostScript print file as text into the buffer (at most maxBytes), fills the absolute
// line-offset table, sets atEnd, and returns the byte count or -1. Installed by the PostScript
// reader; null until then.
struct ViewEngine;
struct PlatFile;
struct PlatFileInfo;
typedef int64_t (*PostScriptReadFn)(ViewEngine* engine, PlatFile* file, int64_t maxBytes);

struct ViewEngine {
    ViewFileBlock file;

    int32_t pageLines;
    int32_t bytesInBuffer;
    bool atEnd;
    int64_t firstLine;
    int64_t lastLine;
    int32_t lineCount;
    int64_t totalLines; // END_LINE while unknown
    int32_t currentBlock;
    int32_t highestBlock;
    bool lastBlockKnown;
    int32_t lastBlock;
    bool loaded;
    bool nulsSeen;
    int64_t lastBuiltTop; // -1 forces a full rebuild
    int32_t lastBuiltPage; // page and kind of row of the last hex or binary build
    int32_t lastBuiltKind;
    int64_t matchLine; // 0: no match
    int32_t matchColumn;
    int32_t matchLength;
    int32_t displayColumn;
    DisplaySettings settings;
    int32_t showCrLf; // shared by all views

    // State of the view and its painter that a reset with clearMode forgets.
    bool selectionShown;
    bool selecting;
    int32_t lastPaintMode;
    int64_t lastPaintTop;
    int64_t lastPaintBottom;

    // Who answers "Mode?" and with which buttons.
    ModeQuestionPolicy modePolicy;
    bool openingNewView; // Yes/No/Cancel instead of Yes/No
    bool driveError; // the last change of drive failed
    // The block table grows as a walk needs it; where the memory cannot be had the walk ends
    // with "File too large.", and the disk search's contents test skips such a file instead.
    // While skipTooLarge is set the step fails quietly and sets tooLargeMet.
    bool skipTooLarge;
    bool tooLargeMet;
    // The contents test reads a file's lines without showing them: while this is set no rows
    // are built, and the test builds them once, for the match it shows.
    bool rowsDeferred;
    PostScriptReadFn readPostScript;
    // A walk through the file (one EnsureWindow or GoToOffset) keeps the file open and the busy
    // cursor up from its first block read to its end, rather than per block.
    int32_t walkDepth;
    PlatFile* walkFile;
    void* walkCursor;
    int64_t blocksRead; // every block read since the engine was made
    // A walk passes through plain text blocks by counting their lines; set, it reads and
    // splits every block (the reference the fast walk is checked against).
    bool exactWalk;

    // Sizes and the shared blocks (see MemorySizes).
    MemorySizes sizes;
    char* buffer; // R + 1 bytes
    char* displayText; // A bytes
    int64_t* blockOffset; // B entries
    int64_t* blockFirstLine; // B entries
    int32_t* lineStart; // the LineTable, C entries, ended by -1
    int64_t* psLineOffset; // C entries: absolute line offsets of a PostScript file shown as text
    int32_t* rowOffset; // display row offsets, C entries, ended by -1
    std::vector<MatchField> matches; // ended by an entry with row -1
};

extern ViewEngine gEngine;

// Sets every field to its start-up value and allocates the shared blocks for the sizes.
// Returns 1, or 0 when a block could not be had (the engine then reports
// "Not enough free memory" through LockSharedBlocks).
int Engine_Create(ViewEngine* engine, const MemorySizes& sizes);
// Engine_Create at the INI's sizes or, where their blocks cannot be had, with the key at fault
// ("BlockPointers", "FileBuffer" or both) at its default, said once in a message; *sizes
// becomes the sizes in use. 1 at the sizes asked, 2 at the defaults, 0 when not even those
// could be had (LockSharedBlocks then reports it).
int Engine_CreateFitting(ViewEngine* engine, MemorySizes* sizes);
void Engine_Destroy(ViewEngine* engine);
// The message loop's check before each dispatch: 1 when the blocks the engine needs are there.
// 0 after taking the fatal exit "Not enough free memory". *postScriptOk is 0 when only the
// PostScript line table is missing, which greys the PostScript command.
int LockSharedBlocks(ViewEngine* engine, int* postScriptOk);

int EnsureWindow(ViewEngine* engine, bool force);
// Brackets a walk through the file made of many moves (a find, a search of its lines): the
// file stays open and the busy cursor up from the first block read to the end of the walk.
// EnsureWindow and GoToOffset are walks of their own; walks nest.
void Engine_BeginWalk(ViewEngine* engine);
void Engine_EndWalk(ViewEngine* engine);
// Begins a walk on the engine's file that the caller has just opened, handing it over: the
// walk reads it rather than opening the file again, and its end closes it.
void Engine_BeginWalkOn(ViewEngine* engine, PlatFile* file);
int ResetEngine(ViewEngine* engine, bool clearMode);
int64_t ReadBlock(ViewEngine* engine);
void GoToOffset(ViewEngine* engine, int64_t offset);
void GoToPercent(ViewEngine* engine, double percent);
// How the file named by Engine_SetFile (or Engine_SetDescribedFile) is loaded into the engine.
struct EngineLoad {
    bool keepPlace;      // back at the top line's file offset (a change of how lines are split);
                         // else from the first line, as the file first shows
    bool clearMode;      // text rows, whatever hex or binary rows the engine showed
    bool binaryUnasked;  // a file that does not look like text gets binary rows, unasked
    bool openingNewView; // "Mode?" offers Cancel too, which abandons the load
};
// Every load of a file into the engine: a view being opened, the editor's test that a file is
// text, the disk search's contents test, and a view shown again in other rows. "Mode?" is
// asked as the engine's policy says unless the load answers it. 0, or -1 when the file could
// not be read (or the user cancelled).
int Engine_Load(ViewEngine* engine, const EngineLoad& how);
// Keeps the file offset of the top line across a change of how lines are split. 0, or -1 when
// the file could not be read again.
int Reposition(ViewEngine* engine);
// The absolute file offset of the top line (of the buffer's first line when the top line is
// not in the buffer; of the block when it is END_LINE).
int64_t TopLineOffset(const ViewEngine* engine);
// Looks through the file's own bytes from offset `from` to `to` (or the file's end, and then
// *toFileEnd is set), a mapped stretch of a few MiB at a time, with scan(bytes, n, context)
// returning the first offset in a stretch it wants or -1. Stretches overlap by `overlap` bytes,
// the longest thing scan looks for less one. The file offset scan wants;
// kScanNone when there is none before `to`; kScanUnknown when only a walk through the lines can
// tell (no walk holds the file open, the view does not show the file's bytes as they are, or
// the file's size does not say where it ends or it cannot be read).
constexpr int64_t kScanNone = -1;
constexpr int64_t kScanUnknown = -2;
typedef int64_t (*EngineScanFn)(const char* bytes, int64_t n, void* context);
int64_t Engine_ScanAhead(ViewEngine* engine, int64_t from, int64_t to, int32_t overlap,
                         EngineScanFn scan, void* context, bool* toFileEnd);
// Moves forward, block by block as a walk does (counting, not splitting, the blocks it passes
// through), until the block in the buffer holds the line or row with file offset `offset`
// before its last one, or is the file's last. 0, or -1 when a block could not be read.
int Engine_AdvanceTo(ViewEngine* engine, int64_t offset);


int64_t SplitLines(ViewEngine* engine);
void BuildRows(ViewEngine* engine);
int OfferHexMode(ViewEngine* engine);
void FormatHexRow(char* dest, int64_t fileOffset, const unsigned char* bytes, int count,
                  bool all256Chars);

// The largest page the display buffer and the forward step allow for these sizes.
int32_t MaxPageLines(const MemorySizes& sizes);
// Sets path, size, time, stamp and attributes of the engine's file block from the file.
// 1, or 0 when the file does not exist.
int Engine_SetFile(ViewEngine* engine, const char* path);
// The same for a file whose details the caller has just read (a directory enumeration).
int Engine_SetDescribedFile(ViewEngine* engine, const char* path, const PlatFileInfo& info);
// "%02d%s%02d %02d:%02d" of a last-write time; "" when the time cannot be shown.
void FormatFileStamp(int64_t lastWriteUtc, char* dest, int destSize);
