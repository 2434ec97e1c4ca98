// Display rows: hex rows against a formatter of the test's own, walks over many blocks that take
// the one-row scrolling shortcut (and the changes that must not), the pieces of a binary match,
// text rows with tabs, and the display buffer's bounds.
#include <gtest/gtest.h>

#include <string.h>

#include <array>

#include "support.h"

namespace {

TEST(FormatHexRow, MatchesAnIndependentFormatter) {
    std::string all;
    for (int i = 0; i < 256; i++)
        all += (char)i;
    char row[100];
    FormatHexRow(row, 16, (const unsigned char*)all.data() + 0x41, 16, false);
    EXPECT_STREQ(row,
                 "00000010  41 42 43 44 45 46 47 48 - 49 4a 4b 4c 4d 4e 4f 50  ABCDEFGHIJKLMNOP");
    // Offset, first byte and count: rows cut short, offsets of 8 to 10 digits, every byte value.
    std::vector<std::array<uint64_t, 3>> cases = {{16, 0x41, 16},         {0, 0, 0},
                                                  {0, 0x61, 4},           {0x20, 0x78, 8},
                                                  {0x60, 0x80, 15},       {0xFFFFFFF0, 0xF0, 16},
                                                  {1ull << 32, 0x41, 16}, {0xFFFFFFFFF0, 0x78, 3}};
    for (uint64_t i = 0; i < 256; i += 16)
        cases.push_back({i, i, 16});
    for (const auto& c : cases) {
        for (bool all256 : {false, true}) {
            memset(row, '#', sizeof row);
            FormatHexRow(row, (int64_t)c[0], (const unsigned char*)all.data() + c[1], (int)c[2],
                         all256);
            const std::string want = HexRow(c[0], all.substr(c[1], c[2]), all256);
            ASSERT_EQ(want.size(), 77u);
            EXPECT_EQ(row, want) << std::hex << c[0] << " all256 " << all256;
            EXPECT_EQ(row[78], '#'); // nothing written past the terminator
        }
    }
}

TEST(FixedRows, ManyBlocksWalkedByPagesAndByOneRow) {
    // Every byte value, and line ends and NULs more often than chance, over three blocks.
    std::string alphabet;
    for (int i = 0; i < 256; i++)
        alphabet += (char)i;
    for (int i = 0; i < 14; i++)
        alphabet += std::string("\r\n\0", 3);
    const std::string f = RandomBytes(80003, 11, alphabet);
    const std::string path = WriteTestFile("rows_walk.bin", f);
    for (int view : {kHex, kHex | kAll256, kBinary, kBinary | kShowCrLf, kBinary | kCrIsNewLine,
                     kBinary | kCrIsNewLine | kShowCrLf}) {
        SCOPED_TRACE(view);
        const std::vector<std::string> rows = ModelRows(f, view);
        const int64_t last = (int64_t)rows.size();
        TestEngine e;
        ASSERT_EQ(e.Open(path, 20, view), 0);
        ShowEach(e, rows, 1, last, 20);
        EXPECT_EQ(e.totalLines, last);
        ShowEach(e, rows, last - 20, 1, -20);
        ShowEach(e, rows, last / 4, last * 4 / 5); // one row at a time over the block ends
        ShowEach(e, rows, last * 4 / 5, last / 4, -1);
        // The shortcut is for the same page and kind of row only: a taller window one row on,
        // then other characters one row back, show what a full build would.
        e.pageLines = 22;
        ShowEach(e, rows, last / 4 + 1, last / 4 + 1);
        const int other = view ^ (view & kHex ? kAll256 : kShowCrLf);
        e.SetView(other);
        ShowEach(e, ModelRows(f, other), last / 4, last / 4);
        EXPECT_TRUE(e.user.asked.empty());
    }
}

TEST(BinaryRows, AMatchPastTheRowEndGoesOnAtTheNextRow) {
    using Pieces = std::vector<std::array<int32_t, 3>>; // row, column, length
    struct Case {
        const char* name;
        std::string bytes;
        int view;
        int column, length; // of the match on the first row
        Pieces want;
    };
    const std::string x77(77, 'x');
    const Case cases[] = {
        {"inside the row", "abcdef\n", kBinary, 1, 3, {{0, 2, 3}}},
        {"over hidden crlf", "abcdef\r\nghij\n", kBinary, 4, 6, {{0, 5, 2}, {1, 1, 2}}},
        {"over shown crlf", "abcdef\r\nghij\n", kBinary | kShowCrLf, 4, 6, {{0, 5, 4}, {1, 1, 2}}},
        {"over a cr line end", "abc\rdef", kBinary | kCrIsNewLine, 1, 4, {{0, 2, 2}, {1, 1, 1}}},
        {"over two rows", "ab\r\ncd\r\nef\n", kBinary, 1, 7, {{0, 2, 1}, {1, 1, 2}, {2, 1, 0}}},
        // A full 77-byte row ends at no line end: the line feed after it is the next row's own.
        {"full row, lf", x77 + "\nyz\n", kBinary, 70, 10, {{0, 71, 7}, {1, 1, 0}, {2, 1, 2}}},
        {"full row, text", x77 + "yz\n", kBinary, 75, 4, {{0, 76, 2}, {1, 1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEngine e;
        ASSERT_EQ(e.Open(WriteTestFile("rows_match.bin", c.bytes), 5, c.view), 0);
        e.matchLine = 1;
        e.matchColumn = c.column;
        e.matchLength = c.length;
        BuildRows(&e);
        auto pieces = [&] {
            Pieces got;
            for (const MatchField& m : e.matches)
                got.push_back({m.row, m.column, m.length});
            return got;
        };
        Pieces want = c.want;
        want.push_back({-1, 0, 0});
        EXPECT_EQ(pieces(), want);
        // Leaving binary mode forgets the match, and its pieces with it.
        e.SetView(kHex);
        ASSERT_EQ(Reposition(&e), 0);
        EXPECT_EQ(pieces(), (Pieces{{-1, 0, 0}}));
    }
}

TEST(TextRows, TabsExpandToTheirStops) {
    struct Case {
        int tabSpacing;
        std::string line, row;
        int matchColumn, displayColumn; // a byte of the line and the column it is drawn at
    };
    const std::string s256(256, ' ');
    const Case cases[] = {
        {8, "a\tb", "a       b", 2, 9},
        {8, "abcdefgh\tx", "abcdefgh        x", 9, 17},
        {8, "a\tbc\tdef", "a       bc      def", 5, 17},
        {3, "ab\t\tc", "ab    c", 4, 7},
        {0, "a\tb", "a b", 2, 3},
        {5000, "a\tb", "a" + s256 + "b", 2, 258},
        {8, std::string(40, '\t') + "z", s256 + std::string(8, '\t') + "z", 40, 265},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        TestEngine e;
        e.settings.tabSpacing = c.tabSpacing;
        ASSERT_EQ(e.Open(WriteTestFile("rows_tab.txt", c.line + "\nnext\n")), 0);
        ExpectWindow(e, {c.row, "next"}, 1);
        EXPECT_EQ(Expand(c.line, c.tabSpacing), c.row); // the model agrees
        e.matchLine = 1;
        e.matchColumn = c.matchColumn;
        e.matchLength = 1;
        BuildRows(&e);
        EXPECT_EQ(e.displayColumn, c.displayColumn);
    }
}

TEST(TextRows, AWindowThatDoesNotFitIsCutNeverOverrun) {
    // Every line is as wide as tab runs can make it; the largest page cannot fit them all.
    std::string wide;
    for (int i = 0; i < 127; i++)
        wide += "x\t";
    const std::string patterns[] = {std::string(255, '\t'), std::string(254, 'a') + "\t",
                                    "x\t\tx\t\t\tx\t\t\t\t" + std::string(200, '\t'), wide};
    std::string text;
    for (int i = 0; i < 400; i++)
        text += patterns[i % 4] + "\n";
    const std::string path = WriteTestFile("rows_wide.txt", text);
    for (MemorySizes sizes : {SmallSizes(), ComputeMemorySizes(256, 512, kFileBufferDefault)}) {
        for (int tabSpacing : {1, 8, 5000}) {
            SCOPED_TRACE(tabSpacing);
            const std::vector<std::string> rows = ModelRows(text, 0, tabSpacing);
            TestEngine e(sizes);
            e.settings.tabSpacing = tabSpacing;
            ASSERT_EQ(e.Open(path, 100000), 0);
            ASSERT_EQ(e.pageLines, MaxPageLines(sizes));
            const int64_t room = sizes.displayBytes;
            for (int64_t top : {1, 2, 150, 400 - e.pageLines}) {
                ASSERT_EQ(e.MoveTo(top), 0);
                // Every row lies whole in the buffer and shows its line, cut only if it is the
                // last; fewer rows than the page only when they fill the buffer.
                int r = 0;
                int64_t used = 0;
                for (; r <= e.pageLines && e.rowOffset[r] >= 0; r++) {
                    const int64_t at = e.rowOffset[r];
                    ASSERT_LT(at, room);
                    const std::string shown(e.displayText + at,
                                            strnlen(e.displayText + at, (size_t)(room - at)));
                    used = at + (int64_t)shown.size() + 1;
                    ASSERT_LE(used, room) << "row " << r << " runs past the display buffer";
                    const std::string& want = rows[(size_t)(top - 1 + r)];
                    ASSERT_EQ(shown, want.substr(0, shown.size())) << "row " << r;
                    if (shown != want) {
                        ASSERT_TRUE(r == e.pageLines || e.rowOffset[r + 1] < 0) << r;
                    }
                }
                EXPECT_TRUE(r == e.pageLines + 1 || used > room - 3 * 256) << "top " << top;
                EXPECT_TRUE(r == e.pageLines + 1 || tabSpacing != 1); // 256 bytes a row fit
            }
        }
    }
}

} // namespace
