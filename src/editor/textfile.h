// The editor's files as bytes: the text test through the file engine, reading a file whole for
// the edit control, and writing a text whole so that no failure leaves the file cut short.
// Portable: the system is reached through the platform seam and the user through uiseam.h.
#pragma once

#include <stdint.h>

struct ViewEngine;

extern const char kTextOnlyTextFiles[];  // "Only text files may be edited"
extern const char kTextNoEditMemory[];   // "No more edit memory.\nThe file has grown too large."
extern const char kTextCannotOpenFile[]; // "Could not open the file."
extern const char kTextReadError[];      // "Error reading file."
extern const char kTextCannotWrite[];    // "Could not open the file for writing."
extern const char kTextWriteFailed[];    // "Unsuccessful file write."
extern const char kTextNewTextIn[];      // "The new text is in"
extern const char kTextOldFileNow[];     // "The old file is now"

// Each write stays below 64 KB.
constexpr int64_t kTextWritePiece = 65520;

// The file's first block through the line decoder, with "Mode?" answered No: 1 when it is
// text, 0 when the decoder chose raw character rows (after telling "Only text files may be
// edited"), -1 when it cannot be read (quietly: the editor's own open says so). The engine's
// file state is the caller's to keep and put back.
int TextFile_TextTest(ViewEngine* engine, const char* path);

// The whole file for the edit control, in memory of malloc's ended by a zero byte (the caller
// frees it), and its length. Null after telling the user why not: it cannot be opened, it
// reads short, it holds a zero byte (the control would end the text there and a save would
// lose the rest), or it is longer than most bytes or than the memory there is.
char* TextFile_ReadForEditing(const char* path, int64_t most, int64_t* length);

// Writes the text to path in pieces of at most kTextWritePiece bytes through a new file that
// takes the old one's place only once every byte is written and flushed. 1; or 0 after telling
// the user ("Could not open the file for writing.", "Unsuccessful file write."), the file then
// byte for byte as it was and no new file left behind; or, when the new file could not take
// the old one's name after it had been moved aside, 0 after telling the user the name of the
// new file, kept, and the old file's name when it could not be put back.
int TextFile_Write(const char* path, const char* text, int64_t length);

// The tab width an editor of this file takes: its file type's when the type sets one, else
// the default "Tabs".
int32_t TextFile_TabWidth(const char* path);
// A tab width in characters as the edit control's tab stop, in dialog units: width × the
// font's average character width ÷ a quarter of the dialog base width (at least 1).
int32_t TextFile_TabStopUnits(int32_t tabWidth, int32_t averageCharWidth, int32_t baseUnitX);
// The part of a path after its last separator, shown as a minimised editor's title.
const char* TextFile_NamePart(const char* path);
