// The one collector that turns a view's selection into text: for the clipboard, for the title
// lines locked at the top of a view, for the find string and for saving.
#pragma once

#include <stdint.h>
#include <string>

struct ViewEngine;

extern const char kTextNotEnoughMemory[]; // "Not Enough Memory"

struct ViewSelection {
    int64_t fromLine, toLine;     // anchor line and end line (1-based)
    int32_t fromColumn, toColumn; // 1-based; toColumn -1 = to the end of the line
    int32_t state;                // kSelectionNone, kSelectionLines, kSelectionRange
};

enum { kSelectionNone = 0, kSelectionLines = 1, kSelectionRange = 2 };

enum SelectionPurpose { kCollectClipboard, kCollectTitle, kCollectFind, kCollectSave };

struct CollectedText {
    // Clipboard, find and save: lines joined by "\r\n" (a character range ends without a final
    // line break, whole lines end with one). Title: each line followed by "\n" and a 0 byte.
    std::string text;
    int64_t firstLine; // first line collected
    int32_t lineCount; // lines collected
};

// 1 collected, 0 nothing selected (or none of it in the file), -1 no memory (after "Not Enough
// Memory"). Reads through the file for selections longer than the window and puts the engine's
// top line back afterwards.
int CollectSelection(ViewEngine* engine, const ViewSelection& selection, SelectionPurpose purpose,
                     CollectedText* out);

// The display row of a line (tabs expanded, hex rows in hex) when the window of rows the engine
// built last holds it, else null. *isLastOfFile tells that the file has no line after it.
const char* SelCopy_BuiltRow(const ViewEngine* engine, int64_t line, bool* isLastOfFile);

// Tests make the collected text fail to grow past this many bytes (0: no limit).
void SelCopy_LimitForTests(size_t maxBytes);
