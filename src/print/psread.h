// The PostScript print-file reader: a view can show the print files of three text-printing
// drivers as the text they would print, laid out in rows and columns. When the view's
// PostScript flag is on, every block read of the engine comes here instead of a plain read; the
// block is rebuilt as text lines, and each line remembers the file offset of the PostScript line
// it came from, so that positions in the view still map to the file.
#pragma once

#include <stdint.h>

#include "viewer/engine.h"

struct PlatFile;

// The drivers the reader knows, kept in DisplaySettings::postScriptState (kPostScriptDialect
// bits) next to kPostScriptShown.
enum PsDialect {
    kPsNone = 0,
    kPs10 = 1, // "%!PS-Adobe-1.0": fjt and fet records, "%End Page"
    kPs20 = 2, // "%!PS-Adobe-2.0": (text) x y TX..., showpage
    kPs30 = 3, // "%!PS-Adobe-3.0": SB records, EJ
};

// What the screen's rows and columns are made of: the view font's line height (height and
// external leading) and average character width, and the screen's pixels per inch.
struct PsScreenMetrics {
    int32_t lineHeight;
    int32_t charWidth;
    int32_t dpiX, dpiY;
};

// The metrics the engine's block reads use; the view that holds the engine fills them in.
extern PsScreenMetrics gPsScreen;

constexpr int32_t kPsReadAhead = 32768; // the line reader's buffer
constexpr int32_t kPsLineMax = 512; // the longest PostScript line taken, with its CR LF
constexpr int32_t kPsFirstLineMax = 80; // the lines that name the dialect

// The line reader's read-ahead buffer: up to kPsReadAhead - 1 bytes of one file from `start`.
struct PsLineReader {
    char* data; // null until the first read
    int64_t start;
    int32_t count;
    bool endInside; // the end of the file lies within the data
    char name[kPathMax]; // the file the data came from ("" when none)
};

// Frees the read-ahead buffer and forgets what it held.
void PsLine_Release(PsLineReader* reader);

// Reads the line at `offset` of the file called `name`: it runs to the first carriage return or
// line feed and is returned ending in CR LF (a lone CR or LF gets the pair), without a 0. A line
// longer than maxLength - 2 characters is skipped whole and returned empty. 1 with *length and
// *next set; 0 at the end of the file (*next = offset, *length = 0); -1 when the file could not
// be read or there is no memory for the buffer. out holds at least maxLength bytes.
int PsLine_Read(PsLineReader* reader, PlatFile* file, const char* name, int64_t offset,
                int32_t maxLength, char* out, int32_t* length, int64_t* next);

// The dialect that the first line (or, for 3.0, the second) names: kPsNone when none; -1 when
// the file could not be read.
int PsRead_Recognize(PsLineReader* reader, PlatFile* file, const char* name);
// The same for a file by its path; -1 when it cannot be opened or read.
int PsRead_RecognizeFile(const char* path);

// Where a rebuilt block goes and what bounds it.
struct PsOutput {
    char* text;
    int64_t capacity; // bytes of text
    int64_t* lineOffsets; // the file offset of each line's PostScript line
    int32_t tableEntries; // entries of lineOffsets
    int32_t lineLength; // the longest line the view takes, with its CR LF
};

// Rebuilds the text of the file from the PostScript line at `offset` on, until the output is
// within 512 characters of its capacity, the line table is one line from full, or the file
// ends (*atEnd then set). The number of characters produced, or -1 on a read error.
int64_t PsRead_Fill(PsLineReader* reader, PlatFile* file, const char* name, int dialect,
                    int64_t offset, const PsScreenMetrics& screen, const PsOutput& out,
                    bool* atEnd);

// The engine's block read while the PostScript flag is on (ViewEngine::readPostScript): finds
// the dialect when none is set yet (a file of none is read plainly, with the flag cleared),
// then fills the buffer and the absolute line-offset table from bufferOffset on.
int64_t PsRead_Block(ViewEngine* engine, PlatFile* file, int64_t maxBytes);
