// Splitting a block into lines (text) and rows (binary): line feeds, NUL runs, carriage returns,
// bit 7, block ends, and the "Mode?" question when a block does not look like text, up to the
// hex or binary view it leads to.
#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"

namespace {

TEST(SplitLines, BytesToLinesAndRows) {
    struct Case {
        const char* name;
        std::string bytes;
        int view;
        std::vector<std::string> rows;
        bool nuls;
    };
    const std::string q256(256, 'q'), q255(255, 'q'), x76(76, 'x'), x77(77, 'x'), pad76(76, ' ');
    const std::string x23 = std::string(23, 'x') + pad76.substr(22), nuls("ab\0\xFF\n", 5);
    const std::string az = "abcdefghijklmnopqrstuvwxyz", a16 = az.substr(0, 16),
                      a10 = az.substr(16);
    const int kCr = kBinary | kCrIsNewLine;
    const Case cases[] = {
        {"nul runs split", std::string("ab\0\0cd\0ef\n", 10), 0, {"ab", "cd", "ef"}, true},
        {"nul run before lf", std::string("ab\0\0\n", 5), 0, {"ab", ""}, true},
        {"nul without lf", std::string("ab\0cd", 5), 0, {"ab", "cd"}, true},
        {"nuls at the end", std::string("ab\0\0", 4), 0, {"ab", ""}, true},
        {"nuls then a line", std::string("\0\0\0abc\n", 7), 0, {"", "abc"}, true},
        {"trailing nuls", "ab\n" + std::string(700, '\0'), 0, {"ab", ""}, false},
        {"empty file", "", 0, {}, false},
        {"no final lf", "one\ntwo", 0, {"one", "two"}, false},
        {"empty lines", "\n\n", 0, {"", ""}, false},
        {"crlf leaves no trace", "ab\r\ncd\r\n", 0, {"ab", "cd"}, false},
        {"lone cr is a char", "a\rb\n", 0, {"a\rb"}, false},
        {"longest last line", q256, 0, {q256}, false},
        {"long line and more", q255 + "\nz\n", 0, {q255, "z"}, false},
        {"bit 7 stripped", "\xC1\xE2\x8A\xE3\n", kStripBit7, {"Ab", "c"}, false},
        {"bit 7 kept", "\xC1\xE2\n", 0, {"\xC1\xE2"}, false},
        // Binary rows, and hex rows of files shorter than a row or two.
        {"lf ends rows", "abc\ndef\n", kBinary, {"abc", "def"}, false},
        {"crlf hidden", "ab\r\ncd\r\n", kBinary, {"ab", "cd"}, false},
        {"crlf shown", "ab\r\ncd\r\n", kBinary | kShowCrLf, {"ab\r\n", "cd\r\n"}, false},
        {"binary, lone cr", "ab\rcd\n", kBinary, {"ab\rcd"}, false},
        {"lf before cr", "ab\rcd\n", kCr, {"ab\rcd"}, false},
        {"cr ends rows", "ab\rcd\rx", kCr, {"ab", "cd", "x" + pad76}, false},
        {"cr ends rows, shown", "ab\rcd\rx", kCr | kShowCrLf, {"ab\r", "cd\r", "x" + pad76}, false},
        {"nul blank", std::string("a\0b\n", 4), kBinary, {"a b"}, false},
        {"77 bytes a row", std::string(100, 'x'), kBinary, {x77, x23}, false},
        {"lf after 77", x77 + "\nyz\n", kBinary, {x77, "", "yz"}, false},
        {"lf is byte 77", x76 + "\nyz", kBinary, {x76, "yz" + pad76.substr(1)}, false},
        {"hex, empty", "", kHex, {}, false},
        {"hex, 5 bytes", nuls, kHex, {HexRow(0, nuls, false)}, false},
        {"hex, 16 bytes", a16, kHex, {HexRow(0, a16, false)}, false},
        {"hex, 26 bytes", az, kHex, {HexRow(0, a16, false), HexRow(16, a10, false)}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEngine e;
        ASSERT_EQ(e.Open(WriteTestFile("split_case.bin", c.bytes), 4, c.view), 0);
        EXPECT_TRUE(e.user.asked.empty());
        const int64_t count = (int64_t)c.rows.size();
        EXPECT_EQ(e.lineCount, count);
        EXPECT_EQ(e.lastLine, std::max<int64_t>(count, 1));
        EXPECT_EQ(e.totalLines, std::max<int64_t>(count, 1));
        EXPECT_TRUE(e.atEnd);
        EXPECT_EQ(e.nulsSeen, c.nuls);
        ExpectWindow(e, c.rows, 1);
        if (c.view & kBinary) {
            EXPECT_EQ(ModelRows(c.bytes, c.view), c.rows); // the model agrees
        }
    }
}

TEST(SplitLines, WhatTheBlockEndCutsIsReadWhole) {
    // A NUL run that opens a text line 4 bytes before the end of the first block, and a carriage
    // return 40 bytes before it in a binary row whose line feed lies in the next block: neither
    // ends a line early, nor makes the file look like anything but text.
    struct Case {
        const char* name;
        int view;
        size_t beforeEnd;
        std::string bytes, like; // and bytes that show the same rows to the test's model
    };
    const std::string cr = "xx\r" + std::string(60, 'y') + "\n";
    const Case cases[] = {{"nul run in text", 0, 4, std::string("\0\0\0abc\n", 7), "\nabc\n"},
                          {"cr in a binary row", kBinary | kCrIsNewLine, 40, cr, cr}};
    const std::string tail = MakeTextLines(100, 1, 5, 70);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEngine e;
        std::string f; // lines of 40 bytes up to the token
        for (size_t left; (left = e.sizes.readSize - c.beforeEnd - f.size()) > 0;)
            f += std::string(std::min<size_t>(39, left - 1), (char)('a' + f.size() % 26)) + "\n";
        const std::vector<std::string> rows = ModelRows(f + c.like + tail, c.view);
        ASSERT_EQ(e.Open(WriteTestFile("split_cut.txt", f + c.bytes + tail), 20, c.view), 0);
        ShowEach(e, rows, 1, (int64_t)rows.size(), 20);
        ShowEach(e, rows, 740, 790); // one row at a time over the block end
        EXPECT_TRUE(e.user.asked.empty());
        EXPECT_EQ(e.totalLines, (int64_t)rows.size());
    }
}

const char kModeText[] =
    "This does not look like text.\n(Could not find ends of lines.)\nSwitch to Hex mode?";

TEST(ModeQuestion, ALineTooLongForTextAsksOnce) {
    struct Case {
        const char* name;
        std::string bytes;
        ModeQuestionPolicy policy;
        bool openingNewView;
        int answer, result; // the user's answer; the open's result
        bool asked, hex;    // hex or binary rows when the open succeeds
    };
    const std::string longLine = "hello\n" + std::string(400, 'x') + "\nbye\n";
    const std::string nulsFirst = std::string("ab\0\0cd\n", 7) + std::string(300, 'y') + "\n";
    const std::string nulsText = std::string(10, '\0') + "abc";
    const Case cases[] = {
        {"yes", longLine, kModeAsk, true, kAnswerYes, 0, true, true},
        {"no", longLine, kModeAsk, true, kAnswerNo, 0, true, false},
        {"cancel", longLine, kModeAsk, true, kAnswerCancel, -1, true, false},
        {"yes, not opening", longLine, kModeAsk, false, kAnswerYes, 0, true, true},
        {"policy no", longLine, kModeAnswerNo, true, kAnswerCancel, 0, false, false},
        {"policy yes", longLine, kModeAnswerYes, true, kAnswerCancel, 0, false, true},
        {"after nuls", nulsFirst, kModeAsk, true, kAnswerNo, 0, true, false},
        {"nuls then text", nulsText, kModeAsk, true, kAnswerYes, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEngine e;
        e.user.answers = {c.answer};
        e.modePolicy = c.policy;
        e.openingNewView = c.openingNewView;
        // Yes turns carriage returns as line ends off; No keeps them (none in these files).
        ASSERT_EQ(e.Open(WriteTestFile("split_mode.bin", c.bytes), 10, kCrIsNewLine), c.result);
        EXPECT_EQ(e.user.splashDismissed, 1);
        const AskedQuestion mode = {kModeText, "Mode?",
                                    c.openingNewView ? kButtonsYesNoCancel : kButtonsYesNo,
                                    kIconQuestion, kPromptTaskModal | kPromptNoOwner};
        EXPECT_EQ(e.user.asked, std::vector<AskedQuestion>(c.asked, mode));
        if (c.result < 0)
            continue;
        EXPECT_EQ(e.settings.hexMode, (int)c.hex);
        EXPECT_EQ(e.settings.binaryMode, (int)!c.hex);
        EXPECT_EQ(e.settings.crIsNewLine, (int)!c.hex);
        ExpectWindow(e, ModelRows(c.bytes, c.hex ? kHex : kBinary), 1);
        EXPECT_TRUE(e.user.fatalExits.empty());
    }
}

TEST(ModeQuestion, ANonTextBlockDeepInTheFileSwitchesTheWholeView) {
    // Text for three blocks and more, then bytes with no line end, then text again.
    const std::string f =
        MakeTextLines(1500, 21) + RandomBytes(3000, 99, "abc ;.xyz") + MakeTextLines(30, 4);
    const std::vector<std::string> lines = ModelRows(f);
    const std::vector<int64_t> lineStarts = RowStarts(f);
    const std::string path = WriteTestFile("split_deep.txt", f);
    for (bool hex : {true, false}) {
        SCOPED_TRACE(hex ? "Yes on the way down a page at a time" : "No on the way to the end");
        const std::vector<std::string> rows = ModelRows(f, hex ? kHex : kBinary);
        const std::vector<int64_t> starts = RowStarts(f, hex ? kHex : kBinary);
        TestEngine e;
        e.user.answers = {hex ? kAnswerYes : kAnswerNo};
        ASSERT_EQ(e.Open(path, 20), 0);
        for (int64_t top = 1; hex && e.user.asked.empty(); top += 20) {
            ASSERT_LE(top, 1500);
            ASSERT_EQ(e.MoveTo(top), 0);
            if (e.user.asked.empty()) {
                ASSERT_EQ(e.Row(0), lines[(size_t)top - 1]);
            } else { // the view keeps its place: the first row at or after the top line's offset
                ExpectWindow(e, rows, RowAtOrAfter(starts, lineStarts[(size_t)top - 1]));
            }
        }
        ASSERT_EQ(e.MoveTo(END_LINE), 0);
        ASSERT_EQ(e.user.asked.size(), 1u);
        EXPECT_EQ(e.settings.hexMode, (int)hex);
        EXPECT_EQ(e.settings.binaryMode, (int)!hex);
        EXPECT_EQ(e.totalLines, (int64_t)rows.size());
        ExpectWindow(e, rows, (int64_t)rows.size() - 20 + 1);
        for (int64_t offset : {0, 5000, 31000, 64001, 93000, (int)f.size() - 100}) {
            GoToOffset(&e, offset);
            ASSERT_EQ(EnsureWindow(&e, false), 0);
            ExpectWindow(e, rows, RowAtOrAfter(starts, offset));
        }
        ShowEach(e, rows, 1, (int64_t)rows.size(), 20);
        EXPECT_EQ(e.user.asked.size(), 1u);
        EXPECT_TRUE(e.user.fatalExits.empty());
    }
}

} // namespace
