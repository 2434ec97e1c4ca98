#include "find/srchentry.h"

#include <stdio.h>
#include <string.h>

namespace {

// Paths differ from the file system's spelling only in case (upper case unless "PreserveCase").
bool SamePath(const std::string& a, const char* b) {
    const size_t length = strlen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; i++) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = (char)(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = (char)(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

std::string ResultsEntry_ForLine(const char* path, int64_t line, const char* text) {
    char number[32];
    snprintf(number, sizeof number, " :%6lld: ", (long long)line);
    std::string entry = path;
    entry += number;
    entry += text;
    return entry;
}

bool ResultsTally_IsNew(const ResultsTally& tally, const char* path, int64_t line) {
    return !SamePath(tally.path, path) || line > tally.lastLine;
}

void ResultsTally_Note(ResultsTally* tally, const char* path, int64_t line) {
    if (!SamePath(tally->path, path))
        tally->path = path;
    tally->lastLine = line;
}
