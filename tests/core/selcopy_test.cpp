// Collecting a selection as text: character ranges and whole lines as the view shows them, hex
// rows with their offsets, selections longer than the window, the title lines' layout, and a
// heap that runs out.
#include <gtest/gtest.h>

#include "support.h"
#include "viewer/selcopy.h"

namespace {

// The file's lines as the view shows them, 1-based (index 0 unused).
std::vector<std::string> ShownLines(const std::string& f, int tabSpacing) {
    std::vector<std::string> lines(1);
    size_t at = 0;
    while (at < f.size()) {
        size_t end = f.find('\n', at);
        lines.push_back(Expand(f.substr(at, end - at), tabSpacing));
        at = end == std::string::npos ? f.size() : end + 1;
    }
    return lines;
}

TEST(CollectSelection, RangesAndLinesOfText) {
    std::string f;
    for (int i = 1; i <= 15; i++)
        f += "L" + std::to_string(i) + "\tcol\tend of line " + std::to_string(i) + "\r\n";
    f += "\n"; // an empty line 16
    f += "last line 17 without its break";
    const std::string path = WriteTestFile("selcopy_text.txt", f);
    const std::vector<std::string> L = ShownLines(f, 8);
    ASSERT_EQ(L.size(), 18u);
    const std::string tail10 = L[10].substr(4), head12 = L[12].substr(0, 3);

    struct Case {
        const char* name;
        ViewSelection sel;
        SelectionPurpose purpose;
        std::string text;
        int64_t firstLine;
        int32_t lineCount;
    };
    const Case cases[] = {
        {"range 10:5 to 12:3",
         {10, 12, 5, 3, kSelectionRange},
         kCollectClipboard,
         tail10 + "\r\n" + L[11] + "\r\n" + head12,
         10,
         3},
        {"the same dragged upwards",
         {12, 10, 3, 5, kSelectionRange},
         kCollectClipboard,
         tail10 + "\r\n" + L[11] + "\r\n" + head12,
         10,
         3},
        {"within one line", {4, 4, 2, 6, kSelectionRange}, kCollectFind, L[4].substr(1, 5), 4, 1},
        {"within one line, leftwards",
         {4, 4, 6, 2, kSelectionRange},
         kCollectFind,
         L[4].substr(1, 5),
         4,
         1},
        {"to the end of the line",
         {4, 5, 3, -1, kSelectionRange},
         kCollectSave,
         L[4].substr(2) + "\r\n" + L[5],
         4,
         2},
        {"start past the line's end",
         {4, 5, 200, 2, kSelectionRange},
         kCollectSave,
         "\r\n" + L[5].substr(0, 2),
         4,
         2},
        {"range over the empty line",
         {15, 17, 1, 4, kSelectionRange},
         kCollectClipboard,
         L[15] + "\r\n\r\nlast",
         15,
         3},
        {"range past the end",
         {16, 40, 1, 4, kSelectionRange},
         kCollectClipboard,
         "\r\n" + L[17],
         16,
         2},
        {"whole lines ignore columns",
         {2, 3, 5, 3, kSelectionLines},
         kCollectClipboard,
         L[2] + "\r\n" + L[3] + "\r\n",
         2,
         2},
        {"whole lines past the end",
         {15, 99, 1, 1, kSelectionLines},
         kCollectSave,
         L[15] + "\r\n\r\n" + L[17] + "\r\n",
         15,
         3},
        {"title takes whole lines",
         {3, 2, 4, 9, kSelectionRange},
         kCollectTitle,
         L[2] + std::string("\n\0", 2) + L[3] + std::string("\n\0", 2),
         2,
         2},
        {"title past the end counts the lines there are",
         {16, 30, 0, 0, kSelectionLines},
         kCollectTitle,
         std::string("\n\0", 2) + L[17] + std::string("\n\0", 2),
         16,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEngine e;
        ASSERT_EQ(e.Open(path, 6), 0);
        ASSERT_EQ(e.MoveTo(3), 0);
        CollectedText out;
        ASSERT_EQ(CollectSelection(&e, c.sel, c.purpose, &out), 1);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.firstLine, c.firstLine);
        EXPECT_EQ(out.lineCount, c.lineCount);
        EXPECT_EQ(e.file.topLine, 3);
        EXPECT_EQ(e.Row(0), L[3]);
        EXPECT_TRUE(e.user.asked.empty());
    }
}

TEST(CollectSelection, NothingSelectedOrNothingThere) {
    const std::string path = WriteTestFile("selcopy_short.txt", "one\ntwo\n");
    TestEngine e;
    ASSERT_EQ(e.Open(path), 0);
    CollectedText out;
    EXPECT_EQ(CollectSelection(&e, {1, 2, 1, 1, kSelectionNone}, kCollectClipboard, &out), 0);
    EXPECT_EQ(CollectSelection(&e, {7, 9, 1, 1, kSelectionLines}, kCollectClipboard, &out), 0);
    EXPECT_EQ(out.text, "");
    EXPECT_EQ(e.file.topLine, 1);
}

TEST(CollectSelection, HexRowsAsShownWithTheirOffsets) {
    std::string f = RandomBytes(16 * 40 + 5, 3);
    const std::string path = WriteTestFile("selcopy.bin", f);
    const std::vector<std::string> rows = ModelRows(f, kHex);
    ASSERT_EQ(rows.size(), 41u);
    TestEngine e;
    ASSERT_EQ(e.Open(path, 10, kHex), 0);
    CollectedText out;
    ASSERT_EQ(CollectSelection(&e, {2, 4, 1, 1, kSelectionLines}, kCollectClipboard, &out), 1);
    EXPECT_EQ(out.text, rows[1] + "\r\n" + rows[2] + "\r\n" + rows[3] + "\r\n");
    EXPECT_EQ(out.text.substr(0, 8), "00000010");
    // A range over the last rows, which lie past the window and stop at the file's end.
    ASSERT_EQ(CollectSelection(&e, {39, 60, 11, 20, kSelectionRange}, kCollectClipboard, &out), 1);
    EXPECT_EQ(out.text, rows[38].substr(10) + "\r\n" + rows[39] + "\r\n" + rows[40]);
    EXPECT_EQ(out.lineCount, 3);
    ExpectWindow(e, rows, 1);
}

TEST(CollectSelection, ThreeHundredLinesThroughATwentyLineWindow) {
    // Longer than a block of the smallest buffers, so the collector reads on through the file.
    const std::string f = MakeTextLines(400, 5, 100, 200);
    ASSERT_GT((int64_t)f.size(), SmallSizes().readSize);
    const std::string path = WriteTestFile("selcopy_long.txt", f);
    const std::vector<std::string> L = ShownLines(f, 8);
    const std::vector<std::string> rows = ModelRows(f);
    for (int64_t top : {int64_t(1), int64_t(250), int64_t(381)}) {
        SCOPED_TRACE(top);
        TestEngine e;
        ASSERT_EQ(e.Open(path, 20), 0);
        ASSERT_EQ(e.MoveTo(top), 0);
        CollectedText out;
        ASSERT_EQ(CollectSelection(&e, {351, 52, 1, 1, kSelectionLines}, kCollectClipboard, &out),
                  1);
        std::string want;
        for (int i = 52; i <= 351; i++)
            want += L[i] + "\r\n";
        EXPECT_EQ(out.text, want);
        EXPECT_EQ(out.lineCount, 300);
        ExpectWindow(e, rows, top);
    }
}

TEST(CollectSelection, NoMemorySaysSoAndPutsTheWindowBack) {
    const std::string f = MakeTextLines(400, 9);
    const std::string path = WriteTestFile("selcopy_nomem.txt", f);
    const std::vector<std::string> rows = ModelRows(f);
    for (SelectionPurpose purpose : {kCollectClipboard, kCollectTitle}) {
        TestEngine e;
        ASSERT_EQ(e.Open(path, 20), 0);
        ASSERT_EQ(e.MoveTo(7), 0);
        SelCopy_LimitForTests(5000);
        CollectedText out;
        int rc = CollectSelection(&e, {1, 400, 1, 1, kSelectionLines}, purpose, &out);
        SelCopy_LimitForTests(0);
        EXPECT_EQ(rc, -1);
        EXPECT_EQ(out.text, "");
        EXPECT_EQ(out.lineCount, 0);
        const AskedQuestion said = {"Not Enough Memory", "", kButtonsOk, kIconError,
                                    kPromptSystemModal};
        EXPECT_EQ(e.user.asked, std::vector<AskedQuestion>{said});
        ExpectWindow(e, rows, 7);
    }
}

} // namespace
