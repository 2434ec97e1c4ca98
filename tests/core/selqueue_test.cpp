// The files queued for "&Next": search results name their file and often a line; directory
// lists name bare files that need their directory in front.
#include <gtest/gtest.h>

#include "search/selqueue.h"

namespace {

TEST(SplitListEntry, PathsAndTheLinesOfSearchResults) {
    const struct {
        const char* text;
        const char* path;
        int64_t line;
    } cases[] = {
        {"C:\\DATA\\REPORT.TXT", "C:\\DATA\\REPORT.TXT", 0},
        {"C:\\DATA\\REPORT.TXT :    12: total : 5", "C:\\DATA\\REPORT.TXT", 12},
        // Six digits fill the field: no blank after the colon, and still the same path.
        {"C:\\DATA\\REPORT.TXT :123456: x", "C:\\DATA\\REPORT.TXT", 123456},
        {"C:\\DATA\\REPORT.TXT :1234567: x", "C:\\DATA\\REPORT.TXT", 1234567},
        // Blanks inside the path belong to it.
        {"C:\\MY FILES\\A B.TXT :     3: a", "C:\\MY FILES\\A B.TXT", 3},
        // A result's own text may hold " :" and numbers; the path ends at the first one.
        {"D:\\X.LOG :     7: at :  9: here", "D:\\X.LOG", 7},
        // A drive and nothing else, and names without a line, stay whole.
        {"C:", "C:", 0},
        {"README", "README", 0},
        {"", "", 0},
        // Text that only looks like a separator gives no line.
        {"C:\\A.TXT :abc: x", "C:\\A.TXT", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string path;
        int64_t line = -1;
        SplitListEntry(c.text, &path, &line);
        EXPECT_EQ(c.path, path);
        EXPECT_EQ(c.line, line);
    }
}

TEST(SelectionQueue, HandsOutEachEntryOnceInListOrder) {
    SelQueue_Set({"A.TXT", "B.TXT", "C.TXT"}, {4, 7, 9}, "C:\\DATA\\", kQueueEdit, nullptr);
    EXPECT_EQ(kQueueEdit, gSelQueue.mode);
    std::vector<std::string> opened;
    QueuedEntry entry;
    while (SelQueue_Take(&entry)) {
        opened.push_back(entry.path);
        EXPECT_EQ(opened.size() < 3, SelQueue_HasNext());
    }
    EXPECT_EQ((std::vector<std::string>{"C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT", "C:\\DATA\\C.TXT"}),
              opened);
    EXPECT_EQ(9, entry.listIndex);
    EXPECT_FALSE(SelQueue_Take(&entry)); // used up stays used up

    SelQueue_Set({"D:\\X.LOG :    42: hello"}, {0}, "", kQueueView, nullptr);
    ASSERT_TRUE(SelQueue_Take(&entry));
    EXPECT_EQ("D:\\X.LOG", entry.path);
    EXPECT_EQ(42, entry.line);

    SelQueue_Set({"A", "B"}, {0, 1}, "", kQueueLaunch, nullptr);
    SelQueue_Drop();
    EXPECT_FALSE(SelQueue_HasNext());
    EXPECT_EQ(kQueueView, gSelQueue.mode);
}

} // namespace
