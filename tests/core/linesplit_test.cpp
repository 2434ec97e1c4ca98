// Splitting a block into lines (text) and rows (binary): line feeds, NUL runs, carriage returns,
// bit 7, block ends, and the "Mode?" question when a block does not look like text, up to the
// hex or binary view it leads to.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>

#include "support.h"

namespace {

std::string HexRow(uint64_t offset, const std::string& bytes) {
    char text[16];
    snprintf(text, sizeof text, "%08llx  ", (unsigned long long)offset);
    std::string row = text, chars;
    for (size_t i = 0; i < 16; i++) {
        if (i == 8)
            row += bytes.size() >= 8 ? "- " : "  ";
        snprintf(text, sizeof text, "%02x ", i < bytes.size() ? (unsigned char)bytes[i] : 0);
        row += i < bytes.size() ? text : "   ";
        unsigned char b = i < bytes.size() ? (unsigned char)bytes[i] : ' ';
        chars += b >= 0x20 && b <= 0x7E ? (char)b : '.';
    }
    return row + " " + chars;
}

// Rows of a binary view: a row ends after a line feed (or, with crIsNewLine, a carriage return)
// among its next 77 bytes, else after 77 bytes. `starts` receives where each row begins.
std::vector<std::string> BinaryRows(const std::string& f, bool showCrLf, bool crIsNewLine,
                                    std::vector<int64_t>* starts = nullptr) {
    std::vector<std::string> rows;
    for (size_t at = 0; at < f.size();) {
        if (starts)
            starts->push_back((int64_t)at);
        std::string row = f.substr(at, 77);
        size_t end = row.find('\n');
        if (end == std::string::npos && crIsNewLine)
            end = row.find('\r');
        bool lineEnd = end != std::string::npos;
        row.resize(lineEnd ? end + 1 : row.size());
        at += row.size();
        std::replace(row.begin(), row.end(), '\0', ' ');
        if (lineEnd && !showCrLf) {
            bool lf = row.back() == '\n';
            row.pop_back();
            if (lf && !row.empty() && row.back() == '\r')
                row.pop_back();
        } else if (!lineEnd && at == f.size()) {
            row.resize(77, ' ');
        }
        rows.push_back(row);
    }
    return rows;
}

std::string RandomBytes(size_t size, unsigned seed, const std::string& alphabet = "") {
    std::string s(size, 0);
    uint32_t state = seed * 2654435761u + 7;
    for (char& c : s) {
        state = state * 1664525u + 1013904223u;
        uint32_t v = state >> 16;
        c = alphabet.empty() ? (char)v : alphabet[v % alphabet.size()];
    }
    return s;
}

// The file's rows as the hex or binary view must show them.
std::vector<std::string> FixedRows(const std::string& f, bool hex) {
    if (!hex)
        return BinaryRows(f, false, false);
    std::vector<std::string> rows;
    for (size_t at = 0; at < f.size(); at += 16)
        rows.push_back(HexRow(at, f.substr(at, 16)));
    return rows;
}

// The first row that begins at or after a file offset, 1-based.
int64_t RowAtOrAfter(const std::string& f, bool hex, int64_t offset) {
    if (hex)
        return (offset + 15) / 16 + 1;
    std::vector<int64_t> starts;
    BinaryRows(f, false, false, &starts);
    return std::lower_bound(starts.begin(), starts.end(), offset) - starts.begin() + 1;
}

void ExpectWindow(TestEngine& e, const std::vector<std::string>& rows) {
    for (int r = 0; r <= e->pageLines; r++) {
        int64_t i = e->file.topLine - 1 + r;
        ASSERT_EQ(e.Row(r), i < (int64_t)rows.size() ? rows[(size_t)i] : "")
            << "row " << r << " at top " << e->file.topLine;
    }
}

// Moves the window to each top line in turn and checks every row it shows.
void ShowEach(TestEngine& e, const std::vector<std::string>& rows, int64_t from, int64_t to,
              int64_t step) {
    for (int64_t top = from; step > 0 ? top <= to : top >= to; top += step) {
        e->file.topLine = top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ASSERT_EQ(e->file.topLine, top);
        ExpectWindow(e, rows);
    }
}

TEST(SplitLines, BytesToLines) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        bool nuls;
        bool strip;
    };
    const std::string q256(256, 'q'), q255(255, 'q');
    const Case cases[] = {
        {"nul run splits", std::string("ab\0\0cd\n", 7), {"ab", "cd"}, true, false},
        {"nul run before lf", std::string("ab\0\0\n", 5), {"ab", ""}, true, false},
        {"single nul", std::string("ab\0cd\0ef\n", 9), {"ab", "cd", "ef"}, true, false},
        {"nul without lf", std::string("ab\0cd", 5), {"ab", "cd"}, true, false},
        {"nuls at the end", std::string("ab\0\0", 4), {"ab", ""}, true, false},
        {"nuls then a line", std::string("\0\0\0abc\n", 7), {"", "abc"}, true, false},
        {"trailing nuls", std::string("ab\ncd\n\0\0\0", 9), {"ab", "cd", ""}, false, false},
        {"more trailing nuls than a line", "ab\n" + std::string(700, '\0'), {"ab", ""}, false,
         false},
        {"empty file", "", {}, false, false},
        {"no final lf", "one\ntwo", {"one", "two"}, false, false},
        {"empty lines", "\n\n", {"", ""}, false, false},
        {"crlf leaves no trace", "ab\r\ncd\r\n", {"ab", "cd"}, false, false},
        {"lone cr is a char", "a\rb\n", {"a\rb"}, false, false},
        {"longest last line", q256, {q256}, false, false},
        {"long line and more", q255 + "\nz\n", {q255, "z"}, false, false},
        {"bit 7 stripped", "\xC1\xE2\x8A\xE3\n", {"Ab", "c"}, false, true},
        {"bit 7 kept", "\xC1\xE2\n", {"\xC1\xE2"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedScriptedUser scripted;
        TestEngine e(SmallSizes());
        e->settings.stripBit7 = c.strip;
        ASSERT_EQ(e.Open(WriteTestFile("split_case.txt", c.bytes)), 0);
        EXPECT_TRUE(scripted.user.asked.empty());
        int64_t count = (int64_t)c.lines.size();
        EXPECT_EQ(e->lineCount, count);
        EXPECT_EQ(e->lastLine, count > 1 ? count : 1);
        EXPECT_EQ(e->totalLines, count > 1 ? count : 1);
        EXPECT_TRUE(e->atEnd);
        EXPECT_EQ(e->nulsSeen, c.nuls);
        for (int r = 0; r <= e->pageLines; r++)
            EXPECT_EQ(e.Row(r), r < count ? c.lines[(size_t)r] : "") << "row " << r;
    }
}

TEST(SplitLines, ANulRunCutByTheBlockEndIsStillText) {
    // The line of three NULs and "abc" begins 4 bytes before the end of the first block: only
    // "\0\0\0a" is in it, and the line feed that makes it text comes with the next block.
    std::string f;
    std::vector<std::string> lines;
    for (int i = 0; i < 480; i++) {
        lines.push_back(std::string(i < 479 ? 63 : 59, (char)('a' + i % 26)));
        f += lines.back() + "\n";
    }
    ASSERT_EQ(f.size(), 30716u);
    f += std::string("\0\0\0abc\n", 7);
    lines.push_back("");
    lines.push_back("abc");
    for (int i = 0; i < 200; i++) {
        lines.push_back("after " + std::to_string(i));
        f += lines.back() + "\n";
    }
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    ASSERT_EQ(e->sizes.readSize, 30720);
    ASSERT_EQ(e.Open(WriteTestFile("split_nulend.txt", f), 20), 0);
    ShowEach(e, lines, 1, (int64_t)lines.size(), 20);
    EXPECT_TRUE(scripted.user.asked.empty());
    EXPECT_EQ(e->settings.hexMode + e->settings.binaryMode, 0);
    EXPECT_EQ(e->totalLines, (int64_t)lines.size());
}

TEST(BinarySplit, LineEndsNulsAndTheEndOfTheFile) {
    struct Case {
        const char* name;
        std::string bytes;
        bool showCrLf, crIsNewLine;
        std::vector<std::string> rows;
    };
    const std::string x76(76, 'x'), x77(77, 'x'), x23(23, 'x'), pad76(76, ' ');
    const Case cases[] = {
        {"lf ends rows", "abc\ndef\n", false, false, {"abc", "def"}},
        {"lf shown", "abc\ndef\n", true, false, {"abc\n", "def\n"}},
        {"crlf hidden", "ab\r\ncd\r\n", false, false, {"ab", "cd"}},
        {"crlf shown", "ab\r\ncd\r\n", true, false, {"ab\r\n", "cd\r\n"}},
        {"lone cr is a char", "ab\rcd\n", false, false, {"ab\rcd"}},
        {"lf before cr", "ab\rcd\n", false, true, {"ab\rcd"}},
        {"cr ends rows", "ab\rcd\rx", false, true, {"ab", "cd", "x" + pad76}},
        {"cr ends rows shown", "ab\rcd\rx", true, true, {"ab\r", "cd\r", "x" + pad76}},
        {"nul blank", std::string("a\0b\n", 4), false, false, {"a b"}},
        {"77-byte rows", std::string(100, 'x'), false, false, {x77, x23 + std::string(54, ' ')}},
        {"last row padded", "abc\ndef", false, false, {"abc", "def" + std::string(74, ' ')}},
        {"lf after 77", x77 + "\nyz\n", false, false, {x77, "", "yz"}},
        {"lf is byte 77", x76 + "\nyz", false, false, {x76, "yz" + pad76.substr(1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedScriptedUser scripted;
        TestEngine e(SmallSizes());
        e->settings.binaryMode = 1;
        e->settings.crIsNewLine = c.crIsNewLine;
        e->showCrLf = c.showCrLf;
        ASSERT_EQ(e.Open(WriteTestFile("rows_bin.bin", c.bytes), 4), 0);
        ExpectWindow(e, c.rows);
        EXPECT_EQ(BinaryRows(c.bytes, c.showCrLf, c.crIsNewLine), c.rows); // the model agrees
    }
}

TEST(BinarySplit, ManyBlocksWalkedByPagesAndByOneRow) {
    ScopedScriptedUser scripted;
    const std::string f = RandomBytes(70000, 9, std::string("abcdefgh\r\n\0 ", 12) + "xyzxyzxyz");
    std::string path = WriteTestFile("rows_binwalk.bin", f);
    for (int variant = 0; variant < 4; variant++) {
        bool showCrLf = variant & 1, crIsNewLine = variant & 2;
        SCOPED_TRACE(variant);
        std::vector<std::string> rows = BinaryRows(f, showCrLf, crIsNewLine);
        TestEngine e(SmallSizes());
        e->settings.binaryMode = 1;
        e->settings.crIsNewLine = crIsNewLine;
        e->showCrLf = showCrLf;
        ASSERT_EQ(e.Open(path, 30), 0);
        ShowEach(e, rows, 1, (int64_t)rows.size(), 30);
        ShowEach(e, rows, 1300, (int64_t)rows.size(), 1); // across block boundaries
        ShowEach(e, rows, (int64_t)rows.size(), 1300, -1);
    }
}

TEST(BinarySplit, ACarriageReturnNearTheBlockEndDoesNotEndARowEarly) {
    // Row 768 starts 40 bytes before the end of the first block; its line feed lies in the
    // next block, so the carriage return before it is only a character of the row.
    std::string f;
    for (int i = 0; i < 767; i++)
        f += std::string(39, (char)('a' + i % 26)) + "\n";
    f += "xx\r" + std::string(60, 'y') + "\n";
    for (int i = 0; i < 100; i++)
        f += "tail\n";
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    ASSERT_EQ(f.find("xx\r"), (size_t)e->sizes.readSize - 40);
    e->settings.binaryMode = 1;
    e->settings.crIsNewLine = 1;
    ASSERT_EQ(e.Open(WriteTestFile("rows_crend.bin", f), 20), 0);
    std::vector<std::string> rows = BinaryRows(f, false, true);
    ASSERT_EQ(rows[767], "xx\r" + std::string(60, 'y'));
    ShowEach(e, rows, 740, 760, 1);
}

const char kModeText[] =
    "This does not look like text.\n(Could not find ends of lines.)\nSwitch to Hex mode?";

TEST(ModeQuestion, ALineTooLongForTextAsksOnce) {
    struct Case {
        const char* name;
        std::string bytes;
        ModeQuestionPolicy policy;
        bool openingNewView;
        int answer;
        int result; // of the open
        bool asked, hex, binary;
    };
    const std::string longLine = "hello\n" + std::string(400, 'x') + "\nbye\n";
    const std::string nulsFirst = std::string("ab\0\0cd\n", 7) + std::string(300, 'y') + "\n";
    const Case cases[] = {
        {"yes", longLine, kModeAsk, true, kAnswerYes, 0, true, true, false},
        {"no", longLine, kModeAsk, true, kAnswerNo, 0, true, false, true},
        {"cancel", longLine, kModeAsk, true, kAnswerCancel, -1, true, false, false},
        {"yes, not opening", longLine, kModeAsk, false, kAnswerYes, 0, true, true, false},
        {"no, not opening", longLine, kModeAsk, false, kAnswerNo, 0, true, false, true},
        {"policy no", longLine, kModeAnswerNo, true, kAnswerCancel, 0, false, false, true},
        {"policy yes", longLine, kModeAnswerYes, true, kAnswerCancel, 0, false, true, false},
        {"after nuls, yes", nulsFirst, kModeAsk, true, kAnswerYes, 0, true, true, false},
        {"after nuls, no", nulsFirst, kModeAsk, true, kAnswerNo, 0, true, false, true},
        {"nuls then text", std::string(10, '\0') + "abc", kModeAsk, true, kAnswerYes, 0, true, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedScriptedUser scripted;
        scripted.user.answers = {c.answer};
        TestEngine e(SmallSizes());
        e->modePolicy = c.policy;
        e->openingNewView = c.openingNewView;
        e->settings.crIsNewLine = 1; // Yes turns it off; No keeps it (no CR in these files)
        ASSERT_EQ(e.Open(WriteTestFile("split_mode.bin", c.bytes), 10), c.result);
        EXPECT_EQ(scripted.user.splashDismissed, 1);
        ASSERT_EQ(scripted.user.asked.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const AskedQuestion& q = scripted.user.asked[0];
            EXPECT_EQ(q.caption, "Mode?");
            EXPECT_EQ(q.text, kModeText);
            EXPECT_EQ(q.icon, kIconQuestion);
            EXPECT_EQ(q.flags, kPromptTaskModal | kPromptNoOwner);
            EXPECT_EQ(q.buttons, c.openingNewView ? kButtonsYesNoCancel : kButtonsYesNo);
        }
        if (c.result < 0)
            continue;
        EXPECT_EQ(e->settings.hexMode, (int)c.hex);
        EXPECT_EQ(e->settings.binaryMode, (int)c.binary);
        EXPECT_EQ(e->settings.crIsNewLine, c.hex ? 0 : 1);
        EXPECT_EQ(e->file.topLine, 1);
        ExpectWindow(e, FixedRows(c.bytes, c.hex));
        EXPECT_TRUE(scripted.user.fatalExits.empty());
    }
}

// Text for three blocks and more, then bytes with no line end, then text again.
std::string TextThenGarbage() {
    std::string f = MakeTextLines(1500, 21);
    uint32_t state = 99;
    for (int i = 0; i < 3000; i++) {
        state = state * 1664525u + 1013904223u;
        f += (char)(0x20 + (state >> 20) % 0x5F);
    }
    return f + MakeTextLines(30, 4);
}

TEST(ModeQuestion, ANonTextBlockDeepInTheFileSwitchesTheWholeView) {
    const std::string f = TextThenGarbage();
    const std::vector<std::string> lines = SplitAtNewlines(f);
    const std::vector<int64_t> starts = LineStarts(f);
    std::string path = WriteTestFile("split_deep.txt", f);
    for (int answer : {kAnswerYes, kAnswerNo}) {
        for (bool toEnd : {false, true}) {
            bool hex = answer == kAnswerYes;
            SCOPED_TRACE(std::string(hex ? "hex" : "binary") + (toEnd ? ", to the end" : ""));
            const std::vector<std::string> rows = FixedRows(f, hex);
            ScopedScriptedUser scripted;
            scripted.user.answers = {answer};
            TestEngine e(SmallSizes());
            ASSERT_EQ(e.Open(path, 20), 0);
            ASSERT_EQ(e->settings.hexMode + e->settings.binaryMode, 0);
            if (toEnd) {
                e->file.topLine = END_LINE;
                ASSERT_EQ(EnsureWindow(e.get(), false), 0);
            } else {
                int64_t top = 1;
                for (; scripted.user.asked.empty(); top += 20) {
                    ASSERT_LE(top, 1500);
                    e->file.topLine = top;
                    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
                    if (scripted.user.asked.empty()) {
                        ASSERT_EQ(e.Row(0), lines[(size_t)top - 1]);
                    }
                }
                top -= 20;
                // The view keeps its place: the first row at or after the top line's offset.
                EXPECT_EQ(e->file.topLine, RowAtOrAfter(f, hex, starts[(size_t)top - 1]));
                ExpectWindow(e, rows);
                e->file.topLine = END_LINE;
                ASSERT_EQ(EnsureWindow(e.get(), false), 0);
            }
            ASSERT_EQ(scripted.user.asked.size(), 1u);
            EXPECT_EQ(e->settings.hexMode, (int)hex);
            EXPECT_EQ(e->settings.binaryMode, (int)!hex);
            EXPECT_EQ(e->totalLines, (int64_t)rows.size());
            EXPECT_EQ(e->file.topLine, (int64_t)rows.size() - 20 + 1);
            ExpectWindow(e, rows);
            for (int64_t offset : {0, 5000, 31000, 64001, 93000, (int)f.size() - 100}) {
                GoToOffset(e.get(), offset);
                ASSERT_EQ(EnsureWindow(e.get(), false), 0);
                EXPECT_EQ(e->file.topLine, RowAtOrAfter(f, hex, offset)) << offset;
                ExpectWindow(e, rows);
            }
            ShowEach(e, rows, 1, (int64_t)rows.size(), 20);
            EXPECT_EQ(scripted.user.asked.size(), 1u);
            EXPECT_TRUE(scripted.user.fatalExits.empty());
        }
    }
}

} // namespace
