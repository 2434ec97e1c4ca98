// Display rows: hex rows against a formatter of the test's own, the one-row scrolling shortcut,
// the pieces of a binary match, text rows with tabs, and the display buffer's bounds.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "support.h"

namespace {

// A hex row the way a reader of the screen expects it, built with printf alone.
std::string HexRow(uint64_t offset, const std::string& bytes, bool all256) {
    char text[32];
    snprintf(text, sizeof text, "%08llx", (unsigned long long)offset);
    std::string row = text;
    row.resize(row.size() < 10 ? 10 : row.size(), ' ');
    size_t n = bytes.size();
    for (size_t i = 0; i < 16; i++) {
        if (i == 8)
            row += n >= 8 ? "- " : "  ";
        snprintf(text, sizeof text, "%02x ", (unsigned char)bytes[i < n ? i : 0]);
        row += i < n ? text : "   ";
    }
    row += ' ';
    for (size_t i = 0; i < 16; i++) {
        unsigned char b = i < n ? (unsigned char)bytes[i] : 0;
        if (i >= n)
            row += ' ';
        else if (all256)
            row += b >= 0x01 && b <= 0x7F ? (char)b : ' ';
        else
            row += b >= 0x20 && b <= 0x7E ? (char)b : '.';
    }
    return row;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::string s(size, 0);
    uint32_t state = seed * 2654435761u + 7;
    for (char& c : s) {
        state = state * 1664525u + 1013904223u;
        c = (char)(state >> 16);
    }
    return s;
}

// Text rows: tabs expanded while the column is below LineLength, no tab wider than LineLength,
// a carriage return at the end dropped.
std::string Expand(const std::string& line, int tabSpacing, int lineLength) {
    int ts = tabSpacing < 1 ? 1 : tabSpacing;
    std::string out;
    for (char c : line) {
        if (c == '\t' && (int)out.size() < lineLength)
            out.append((size_t)std::min(ts - (int)out.size() % ts, lineLength), ' ');
        else
            out += c;
    }
    if (!out.empty() && out.back() == '\r')
        out.pop_back();
    return out;
}

void ExpectFixedWindow(TestEngine& e, const std::vector<std::string>& rows) {
    for (int r = 0; r <= e->pageLines; r++) {
        int64_t i = e->file.topLine - 1 + r;
        std::string want = i < (int64_t)rows.size() ? rows[(size_t)i] : "";
        ASSERT_EQ(e.Row(r), want) << "row " << r << " at top " << e->file.topLine;
    }
}

// Moves the window to each top line in turn and checks every row it shows.
void ShowEach(TestEngine& e, const std::vector<std::string>& rows, int64_t from, int64_t to,
              int64_t step) {
    for (int64_t top = from; step > 0 ? top <= to : top >= to; top += step) {
        e->file.topLine = top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ASSERT_EQ(e->file.topLine, top);
        ExpectFixedWindow(e, rows);
    }
}

std::vector<std::string> HexRows(const std::string& f, bool all256) {
    std::vector<std::string> rows;
    for (size_t at = 0; at < f.size(); at += 16)
        rows.push_back(HexRow(at, f.substr(at, 16), all256));
    return rows;
}

TEST(FormatHexRow, MatchesAnIndependentFormatter) {
    std::string ap = "ABCDEFGHIJKLMNOP";
    char row[100];
    FormatHexRow(row, 16, (const unsigned char*)ap.data(), 16, false);
    EXPECT_STREQ(row,
                 "00000010  41 42 43 44 45 46 47 48 - 49 4a 4b 4c 4d 4e 4f 50  ABCDEFGHIJKLMNOP");

    std::string all(256, 0);
    for (int i = 0; i < 256; i++)
        all[(size_t)i] = (char)i;
    struct Case {
        uint64_t offset;
        std::string bytes;
    };
    std::vector<Case> cases = {{16, ap},
                               {0, "abcd"},
                               {0x20, all.substr(0x78, 8)},
                               {0x30, all.substr(0x7F, 9)},
                               {0x40, "\x01"},
                               {0x50, ""},
                               {0x60, all.substr(0x80, 15)},
                               {0xFFFFFFF0u, all.substr(0xF0, 16)},
                               {UINT64_C(0x100000000), ap},
                               {UINT64_C(0xFFFFFFFF0), "xyz"},
                               {UINT64_C(0x1000000000), ap},
                               {UINT64_C(0xFFFFFFFFF0), ap}};
    for (int i = 0; i < 256; i += 16)
        cases.push_back({(uint64_t)i, all.substr((size_t)i, 16)});
    for (const Case& c : cases) {
        for (bool all256 : {false, true}) {
            memset(row, '#', sizeof row);
            FormatHexRow(row, (int64_t)c.offset, (const unsigned char*)c.bytes.data(),
                         (int)c.bytes.size(), all256);
            std::string want = HexRow(c.offset, c.bytes, all256);
            ASSERT_EQ(want.size(), 77u);
            EXPECT_EQ(std::string(row), want) << std::hex << c.offset << " all256 " << all256;
            EXPECT_EQ(row[78], '#'); // nothing written past the terminator
        }
    }
}

TEST(HexRows, ThreeBlocksWalkedByPagesAndByOneRow) {
    ScopedScriptedUser scripted;
    const std::string f = RandomBytes(80003, 11);
    std::string path = WriteTestFile("rows_hex.bin", f);
    for (bool all256 : {false, true}) {
        SCOPED_TRACE(all256 ? "all 256 chars" : "printable chars");
        std::vector<std::string> rows = HexRows(f, all256);
        TestEngine e(SmallSizes());
        e->settings.hexMode = 1;
        e->settings.all256Chars = all256;
        ASSERT_EQ(e.Open(path, 20), 0);
        int64_t last = (int64_t)rows.size();
        ShowEach(e, rows, 1, last, 20);
        EXPECT_EQ(e->totalLines, last);
        ShowEach(e, rows, last - 20, 1, -20);
        ShowEach(e, rows, 1800, 4200, 1); // one row at a time across the block boundaries
        ShowEach(e, rows, 4200, 1800, -1);
    }
    EXPECT_TRUE(scripted.user.asked.empty());
}

TEST(HexRows, ShortFilesAndTheLastRow) {
    ScopedScriptedUser scripted;
    for (size_t size : {0, 4, 8, 16, 20, 31}) {
        std::string f = RandomBytes(size, (unsigned)size);
        TestEngine e(SmallSizes());
        e->settings.hexMode = 1;
        ASSERT_EQ(e.Open(WriteTestFile("rows_short.bin", f), 3), 0);
        EXPECT_EQ(e->lineCount, (int32_t)(size + 15) / 16);
        ExpectFixedWindow(e, HexRows(f, false));
    }
}

TEST(HexRows, ShortcutOnlyForTheSamePageAndKindOfRow) {
    ScopedScriptedUser scripted;
    const std::string f = RandomBytes(4000, 5);
    TestEngine e(SmallSizes());
    e->settings.hexMode = 1;
    ASSERT_EQ(e.Open(WriteTestFile("rows_kind.bin", f), 10), 0);
    e->file.topLine = 5;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    e->pageLines = 12; // a taller window, one row on
    e->file.topLine = 6;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectFixedWindow(e, HexRows(f, false));
    e->settings.all256Chars = 1; // another character column, one row back
    e->file.topLine = 5;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectFixedWindow(e, HexRows(f, true));

    // Showing line ends does not split rows anew, so nothing else rebuilds them.
    std::string t;
    std::vector<std::string> shown;
    for (int i = 0; i < 120; i++) {
        t += "r" + std::to_string(i) + "\r\n";
        shown.push_back("r" + std::to_string(i) + "\r\n");
    }
    TestEngine b(SmallSizes());
    b->settings.binaryMode = 1;
    ASSERT_EQ(b.Open(WriteTestFile("rows_kind2.bin", t), 10), 0);
    b->file.topLine = 90;
    ASSERT_EQ(EnsureWindow(b.get(), false), 0);
    b->showCrLf = 1;
    b->file.topLine = 91;
    ASSERT_EQ(EnsureWindow(b.get(), false), 0);
    ExpectFixedWindow(b, shown);
}

TEST(BinaryRows, AMatchPastTheRowEndGoesOnAtTheNextRow) {
    struct Case {
        const char* name;
        std::string bytes;
        bool showCrLf, crIsNewLine;
        int matchColumn, matchLength; // on the first row
        std::vector<MatchField> want;
    };
    const std::string x77(77, 'x');
    const Case cases[] = {
        {"inside the row", "abcdef\n", false, false, 1, 3, {{0, 2, 3}}},
        {"over a hidden crlf", "abcdef\r\nghij\n", false, false, 4, 6, {{0, 5, 2}, {1, 1, 2}}},
        {"over a shown crlf", "abcdef\r\nghij\n", true, false, 4, 6, {{0, 5, 4}, {1, 1, 2}}},
        {"over a hidden lf", "abcdef\nghij\n", false, false, 4, 5, {{0, 5, 2}, {1, 1, 2}}},
        {"over a cr line end", "abc\rdef", false, true, 1, 4, {{0, 2, 2}, {1, 1, 1}}},
        {"over two rows",
         "ab\r\ncd\r\nef\n",
         false,
         false,
         1,
         7,
         {{0, 2, 1}, {1, 1, 2}, {2, 1, 0}}},
        // A full 77-byte row ends at no line end: the line feed after it is the next row's own.
        {"full row then lf",
         x77 + "\nyz\n",
         false,
         false,
         70,
         10,
         {{0, 71, 7}, {1, 1, 0}, {2, 1, 2}}},
        {"full row then text", x77 + "yz\n", false, false, 75, 4, {{0, 76, 2}, {1, 1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedScriptedUser scripted;
        TestEngine e(SmallSizes());
        e->settings.binaryMode = 1;
        e->settings.crIsNewLine = c.crIsNewLine;
        e->showCrLf = c.showCrLf;
        ASSERT_EQ(e.Open(WriteTestFile("rows_match.bin", c.bytes), 5), 0);
        e->matchLine = 1;
        e->matchColumn = c.matchColumn;
        e->matchLength = c.matchLength;
        BuildRows(e.get());
        std::vector<MatchField> want = c.want;
        want.push_back({-1, 0, 0});
        ASSERT_EQ(e->matches.size(), want.size());
        for (size_t i = 0; i + 1 < want.size(); i++) {
            EXPECT_EQ(e->matches[i].row, want[i].row) << i;
            EXPECT_EQ(e->matches[i].column, want[i].column) << i;
            EXPECT_EQ(e->matches[i].length, want[i].length) << i;
        }
        EXPECT_EQ(e->matches.back().row, -1);

        // Leaving binary mode forgets the match, and its pieces with it.
        e->settings.binaryMode = 0;
        e->settings.hexMode = 1;
        ASSERT_EQ(Reposition(e.get()), 0);
        ASSERT_EQ(e->matches.size(), 1u);
        EXPECT_EQ(e->matches[0].row, -1);
    }
}

TEST(TextRows, TabsExpandToTheirStops) {
    struct Case {
        int tabSpacing;
        std::string line;
        std::string row;
        int matchColumn, displayColumn; // a byte of the line and where it is drawn, 1-based
    };
    const std::string s256(256, ' ');
    const Case cases[] = {
        {8, "a\tb", "a       b", 2, 9},
        {8, "a\t\tb", "a               b", 3, 17},
        {8, "abcdefgh\tx", "abcdefgh        x", 9, 17},
        {8, "a\tbc\tdef", "a       bc      def", 5, 17},
        {3, "a\tb", "a  b", 2, 4},
        {3, "ab\t\tc", "ab    c", 4, 7},
        {0, "a\tb", "a b", 2, 3},
        {0, "\t\tb", "  b", 2, 3},
        {5000, "a\tb", "a" + s256 + "b", 2, 258},
        {5000, "\t\tb", s256 + "\tb", 2, 258},
        {8, std::string(40, '\t') + "z", s256 + std::string(8, '\t') + "z", 40, 265},
        {8, "a\tb\r", "a       b", 2, 9},
        {8, "a\rb", "a\rb", 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ScopedScriptedUser scripted;
        TestEngine e(SmallSizes());
        e->settings.tabSpacing = c.tabSpacing;
        ASSERT_EQ(e.Open(WriteTestFile("rows_tab.txt", c.line + "\nnext\n")), 0);
        EXPECT_EQ(e.Row(0), c.row);
        EXPECT_EQ(e.Row(1), "next");
        EXPECT_EQ(Expand(c.line, c.tabSpacing, 256), c.row); // the model agrees
        e->matchLine = 1;
        e->matchColumn = c.matchColumn;
        e->matchLength = 1;
        BuildRows(e.get());
        EXPECT_EQ(e->displayColumn, c.displayColumn);
    }
}

TEST(TextRows, AWindowThatDoesNotFitIsCutNeverOverrun) {
    // Every line is as wide as tab runs can make it; the largest page cannot fit them all.
    std::vector<std::string> patterns = {std::string(255, '\t'), std::string(254, 'a') + "\t",
                                         "x\t\tx\t\t\tx\t\t\t\t" + std::string(200, '\t')};
    std::string line;
    for (int i = 0; i < 127; i++)
        line += "x\t";
    patterns.push_back(line);
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; i < 400; i++) {
        lines.push_back(patterns[(size_t)i % patterns.size()]);
        text += lines.back() + "\n";
    }
    std::string path = WriteTestFile("rows_wide.txt", text);
    for (MemorySizes sizes : {SmallSizes(), ComputeMemorySizes(256, 512, kFileBufferDefault)}) {
        for (int tabSpacing : {1, 8, 5000}) {
            SCOPED_TRACE(tabSpacing);
            ScopedScriptedUser scripted;
            TestEngine e(sizes);
            e->settings.tabSpacing = tabSpacing;
            ASSERT_EQ(e.Open(path, 100000), 0);
            ASSERT_EQ(e->pageLines, MaxPageLines(sizes));
            const int64_t room = sizes.displayBytes;
            for (int64_t top : {1, 2, 150, 400 - e->pageLines}) {
                e->file.topLine = top;
                ASSERT_EQ(EnsureWindow(e.get(), false), 0);
                int r = 0;
                int64_t used = 0;
                for (; r <= e->pageLines && e->rowOffset[r] >= 0; r++) {
                    int64_t at = e->rowOffset[r];
                    ASSERT_LT(at, room);
                    const char* row = e->displayText + at;
                    const char* end = (const char*)memchr(row, 0, (size_t)(room - at));
                    ASSERT_NE(end, nullptr) << "row " << r << " runs past the display buffer";
                    std::string shown(row, end);
                    std::string want = Expand(lines[(size_t)(top - 1 + r)], tabSpacing, 256);
                    used = at + (int64_t)shown.size() + 1;
                    if (shown != want) { // only the last row shown may be cut
                        ASSERT_EQ(want.compare(0, shown.size(), shown), 0) << "row " << r;
                        ASSERT_TRUE(r == e->pageLines || e->rowOffset[r + 1] < 0) << r;
                    }
                }
                if (r <= e->pageLines) { // cut short: the rows shown fill the buffer
                    EXPECT_GT(used, room - 3 * 256) << "top " << top;
                }
                if (tabSpacing == 1) { // 256 bytes a row: the page fits
                    EXPECT_EQ(r, e->pageLines + 1);
                }
            }
        }
    }
}

} // namespace
