// The entries of a search-results list, worked out without a window: how a matching line is
// written, and which lines of a file are new to the list.
#pragma once

#include <stdint.h>

#include <string>

// A matching line as the list shows it: the path, the line number right-aligned in six places
// and the line's text, "path :%6ld: text". SplitListEntry reads the path and line back.
std::string ResultsEntry_ForLine(const char* path, int64_t line, const char* text);

// The file whose lines were listed last, and the last of its lines listed: the lines of one file
// come in rising order, and a line with several matches is listed once.
struct ResultsTally {
    std::string path;
    int64_t lastLine; // 0 before any line of path
};

// True when this line of path would be new to the list: another file, or a later line.
bool ResultsTally_IsNew(const ResultsTally& tally, const char* path, int64_t line);
// Notes that the line of path is listed.
void ResultsTally_Note(ResultsTally* tally, const char* path, int64_t line);
