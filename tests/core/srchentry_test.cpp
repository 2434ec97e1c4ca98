// The entries a search lists: a matching line written with its number, read back by the queue
// that "&Next" opens from, and each line of a file listed once.
#include <gtest/gtest.h>

#include "find/selqueue.h"
#include "find/srchentry.h"

namespace {

TEST(ResultsEntry, ALineEntryNamesItsFileAndLineForNext) {
    const struct {
        const char* path;
        int64_t line;
        const char* text;
        const char* entry;
    } cases[] = {
        {"C:\\DOCS\\A.TXT", 7, "hello", "C:\\DOCS\\A.TXT :     7: hello"},
        {"C:\\DOCS\\A.TXT", 99999, "", "C:\\DOCS\\A.TXT : 99999: "},
        // Six digits and more fill the field and push the text on; the path stays whole.
        {"C:\\DOCS\\A.TXT", 123456, "x", "C:\\DOCS\\A.TXT :123456: x"},
        {"C:\\DOCS\\A.TXT", 98765432, "y", "C:\\DOCS\\A.TXT :98765432: y"},
        // The line's own text may look like another entry.
        {"D:\\LOG\\B.LOG", 12, "at :    3: here", "D:\\LOG\\B.LOG :    12: at :    3: here"},
        {"C:\\MY FILES\\C D.TXT", 1, "a : b", "C:\\MY FILES\\C D.TXT :     1: a : b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string entry = ResultsEntry_ForLine(c.path, c.line, c.text);
        EXPECT_EQ(c.entry, entry);
        std::string path;
        int64_t line = 0;
        SplitListEntry(entry.c_str(), &path, &line);
        EXPECT_EQ(c.path, path);
        EXPECT_EQ(c.line, line);
    }
}

TEST(ResultsTally, EachLineOfAFileIsListedOnce) {
    // Matches in the order a search finds them; true where a line entry is added.
    const struct {
        const char* path;
        int64_t line;
        bool listed;
    } steps[] = {
        {"C:\\A.TXT", 3, true},  {"C:\\A.TXT", 3, false}, // a second match on line 3
        {"C:\\A.TXT", 3, false}, {"C:\\A.TXT", 5, true},  {"C:\\A.TXT", 4, false},
        {"c:\\a.txt", 5, false}, // the same file, spelled as the file system keeps it
        {"C:\\B.TXT", 1, true},  {"C:\\A.TXT", 1, true}, // a file met again starts afresh
    };
    ResultsTally tally = {"", 0};
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.path) + " line " + std::to_string(s.line));
        const bool isNew = ResultsTally_IsNew(tally, s.path, s.line);
        EXPECT_EQ(s.listed, isNew);
        if (isNew)
            ResultsTally_Note(&tally, s.path, s.line);
    }
}

} // namespace
