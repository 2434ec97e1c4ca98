// The PostScript print-file reader: which files it knows, its line reader, the rows and columns
// it rebuilds for each driver (checked against what Ghostscript prints of the same file), the
// bounds it keeps whatever the file says, and the engine walking a long print file through it.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "print/psread.h"
#include "support.h"

namespace {

const PsScreenMetrics kScreen = {16, 8, 96, 96}; // 300 units: 12 columns; a row: 50 units

const char* const kHeaders[] = {"", "%!PS-Adobe-1.0", "%!PS-Adobe-2.0", "%!PS-Adobe-3.0"};
// Operators for the drivers' records, so that Ghostscript prints the file the reader reads.
const char* const kProlog[] = {
    "",
    "/Courier findfont 10 scalefont setfont\n"
    "/fjt { /t exch def pop pop /y exch def /x exch def x 0.24 mul y 0.24 mul moveto t show } def\n"
    "/fet { /y exch def /x exch def pop pop /t exch def x 0.24 mul y 0.24 mul moveto t show } def",
    "/Courier findfont 10 scalefont setfont\n"
    "/TXs { /y exch def /x exch def /t exch def x 0.75 mul 792 y 0.75 mul sub moveto t show } def",
    "/Courier findfont 10 scalefont setfont\n"
    "/SB { /t exch def pop /y exch def /x exch def x 0.24 mul 792 y 0.24 mul sub moveto t show }"
    " def\n/EJ { showpage } def",
};

struct Built {
    std::vector<std::string> lines; // without their CR LF
    std::vector<int64_t> offsets;
    bool atEnd = false;
    int64_t length = 0;
};

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

// Rebuilds a whole file with the reader's own procedures, into an output of this size.
Built Rebuild(const std::string& path, int dialect, int64_t capacity = 1 << 16,
              int32_t entries = 4096, int32_t lineLength = 256) {
    Built b;
    std::string text((size_t)capacity, '#');
    std::vector<int64_t> offsets((size_t)entries, -7);
    PsLineReader reader = {};
    PlatFile* file = Plat_OpenRead(path.c_str());
    EXPECT_TRUE(file);
    PsOutput out = {&text[0], capacity, offsets.data(), entries, lineLength};
    b.length = PsRead_Fill(&reader, file, path.c_str(), dialect, 0, kScreen, out, &b.atEnd);
    Plat_Close(file);
    PsLine_Release(&reader);
    text.resize((size_t)(b.length > 0 ? b.length : 0));
    size_t at = 0;
    while (at < text.size()) {
        size_t lf = text.find("\r\n", at);
        b.offsets.push_back(offsets[b.lines.size()]);
        b.lines.push_back(text.substr(at, lf == std::string::npos ? std::string::npos : lf - at));
        at = lf == std::string::npos ? text.size() : lf + 2;
    }
    return b;
}

// The words of each line that has any, from text of lines ended by "\n" or "\r\n".
[[maybe_unused]] std::vector<std::vector<std::string>> WordLines(const std::string& text) {
    std::vector<std::vector<std::string>> out;
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);) {
        std::istringstream in(l);
        std::vector<std::string> words;
        for (std::string w; in >> w;)
            words.push_back(w);
        if (!words.empty())
            out.push_back(words);
    }
    return out;
}

struct Case {
    const char* name;
    int dialect;
    std::vector<std::string> body; // after the header (and the prolog, for Ghostscript)
    // Each line, and the body line it maps to: its first record's, or for an empty line the
    // line of the row above, for a form feed the page break's.
    std::vector<std::pair<std::string, int>> want;
    bool ghostscript; // Ghostscript prints the same words on the same lines
};

const std::string kSp24(24, ' ');

const Case kCases[] = {
    {"1.0 records on one row, a page, fet",
     kPs10,
     {"150 1000 0 0 (ab)fjt", "750 1000 0 0 (cd)fjt", "(Next) 0 0 150 950 fet", "%end PAGE",
      "showpage", "300 2000 0 0 (Top)fjt", "(Below) 0 0 300 1900 fet", "showpage"},
     {{"      ab" + kSp24 + "cd", 0}, {"      Next", 2}, {"\f            Top", 3},
      {"", 3}, {"            Below", 6}},
     true},
    {"1.0 bullets, escapes and lines that are no records",
     kPs10,
     {"0 100 0 0 (n)fjt", "75 100 0 0 (a\\101\\\\b\\(\\))fjt", "0 50 0 0 (x) fjt",
      "(nn) 1 2 3 fet", "%End Pages", "0 0 0 0 (last)fjt"},
     {{"     a\x7f\\b()", 0}, {"", 0}, {"last", 5}},
     false},
    {"2.0 records, rows, showpage",
     kPs20,
     {"(Left) 16 20 TXs", "(Right) 96 20 TXs", "(Down) 16 52 TXs", "(Last) 16 68 TXs showpage",
      "(P2) 0 500 TXs showpage"},
     {{"  Left        Right", 0}, {"", 0}, {"  Down", 2}, {"  Last", 3}, {"\fP2", 3}, {"\f", 4}},
     true},
    {"2.0 up the page, texts over lines, two records in a line",
     kPs20,
     {"(Down) 16 52 TXs", "(Up) 160 40 TXs (Two", "lines) 16 70 TXs", "junk (no numbers) here",
      "(a\\267b\\)) 0 90 TX (c) 24 90 TXb"},
     {{"  Down                Up", 0}, {"", 0}, {"  Two lines", 1}, {"a\x7f" "b) c", 4}},
     false},
    {"2.0 records after a text over lines",
     kPs20,
     {"(One", "two) 16 20 TXs (Three) 96 20 TXs", "(End) 16 52 TXs"},
     {{"  One two     Three", 0}, {"", 0}, {"  End", 2}},
     false},
    {"2.0 a text over three lines, pairs inside it and a backslash ending a line",
     kPs20,
     {"(A (b", "c\\", ") d) 16 20 TXs", "(E) 16 52 TXs"},
     {{"  A (b c ) d", 0}, {"", 0}, {"  E", 3}},
     false},
    {"2.0 records after showpage on the same line",
     kPs20,
     {"(P1) 16 20 TXs showpage (P2) 16 20 TXs", "(Q) 96 20 TXs showpage"},
     {{"  P1", 0}, {"\f  P2          Q", 0}, {"\f", 1}},
     true},
    {"3.0 rows, columns, gaps and a page",
     kPs30,
     {"300 100 0 (Hello) SB", "600 100 0 (World) SB", "300 150 0 (Next) SB",
      "300 250 0 (Gap) SB", "EJ", "300 900 0 (Page2) SB", "EJ"},
     {{"            Hello         World", 0}, {"            Next", 2}, {"", 2},
      {"            Gap", 3}, {"\f            Page2", 4}, {"\f", 6}},
     true},
    {"3.0 bullets and lines that are no records",
     kPs30,
     {"0 100 0 (u) SB", "75 100 0 (a\\1b) SB", "0 150 0 (not a record) SB trailing", "EJX",
      "0 150 0 (uu) SB", "0 200 0 no text SB", "x 250 0 (x) SB"},
     {{"     a\x7f" "b", 0}, {"uu", 4}},
     false},
    {"3.0 without records is empty", kPs30, {"/x 1 def", "showpage"}, {}, true},
};

// The case's file: its header, the prolog, and its body from line *bodyStart on.
std::string CaseFile(const Case& c, int* bodyStart) {
    std::vector<std::string> lines = {kHeaders[c.dialect]};
    std::istringstream in(kProlog[c.dialect]);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    *bodyStart = (int)lines.size();
    lines.insert(lines.end(), c.body.begin(), c.body.end());
    return Join(lines);
}

TEST(PsRebuild, EachDialectsRecordsBecomeRowsAndColumns) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        int bodyStart = 0;
        const std::string ps = CaseFile(c, &bodyStart);
        std::vector<int64_t> lineAt;
        for (size_t at = 0; at < ps.size(); at = ps.find("\r\n", at) + 2)
            lineAt.push_back((int64_t)at);
        const std::string path = WriteTestFile("case.ps", ps);
        ASSERT_EQ(PsRead_RecognizeFile(path.c_str()), c.dialect);
        Built b = Rebuild(path, c.dialect);
        EXPECT_TRUE(b.atEnd);
        ASSERT_EQ(b.lines.size(), c.want.size());
        for (size_t i = 0; i < c.want.size(); i++) {
            EXPECT_EQ(b.lines[i], c.want[i].first) << "line " << i;
            EXPECT_EQ(b.offsets[i], lineAt[(size_t)(bodyStart + c.want[i].second)]) << i;
        }
    }
}

// Ghostscript renders each comparable file (the prolog defines the records' operators) and prints
// the same words on the same lines as the reader rebuilds.
TEST(PsRebuild, GhostscriptPrintsTheSameWords) {
#ifdef _WIN32
    GTEST_SKIP() << "Ghostscript runs natively";
#else
    for (const Case& c : kCases) {
        if (!c.ghostscript)
            continue;
        SCOPED_TRACE(c.name);
        int bodyStart = 0;
        const std::string path = WriteTestFile("gs.ps", CaseFile(c, &bodyStart));
        const std::string command =
            "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile=- '" + path + "'";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        std::string printed;
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            printed.append(chunk, n);
        ASSERT_EQ(pclose(pipe), 0) << "gs (the ghostscript package) must be installed";
        std::string rebuilt = Join(Rebuild(path, c.dialect).lines);
        for (char& ch : rebuilt)
            ch = ch == '\f' ? ' ' : ch;
        EXPECT_EQ(WordLines(rebuilt), WordLines(printed));
    }
#endif
}

TEST(PsRecognize, FirstLineOrThreePointZeroOnTheSecond) {
    const struct {
        const char* start;
        int dialect;
    } kFiles[] = {
        {"%!PS-Adobe-3.0\r\n", kPs30},
        {"\x04%!PS-Adobe-2.0 EPSF-1.2\r\n", kPs20},
        {"xyz%!PS-Adobe-1.0\r\n", kPs10}, // "%" within the first four characters
        {"abcd%!PS-Adobe-1.0\r\n", kPsNone},
        {"%!PS-Adobe-1.0\n(lf only)\n", kPs10},
        {"\x1b%-12345X@PJL ENTER LANGUAGE=POSTSCRIPT\r\n%!PS-Adobe-3.0\r\n", kPs30},
        {"@PJL\r\n%!PS-Adobe-1.0\r\n", kPsNone},
        {"%!PS-Adobe-3.1\r\n", kPsNone},
        {"plain text\r\nmore\r\n", kPsNone},
        {"", kPsNone},
        {"%!PS-Adobe-3.0 and a first line longer than eighty characters......................\r\n",
         kPsNone},
    };
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.start);
        EXPECT_EQ(PsRead_RecognizeFile(WriteTestFile("first.ps", f.start).c_str()), f.dialect);
    }
    EXPECT_EQ(PsRead_RecognizeFile((TestDir() + "/none.ps").c_str()), -1);
}

// Every line of a file of many lengths and endings, across refills of the read-ahead buffer.
TEST(PsLineReader, ReadsEveryLineAcrossRefills) {
    std::string file;
    std::vector<std::pair<std::string, int64_t>> want; // line as returned, offset after it
    const char* const kEnds[] = {"\r\n", "\r", "\n"};
    for (int i = 0; i < 2000; i++) {
        int length = 1 + (i * 37) % 700; // some longer than a line may be: returned empty
        std::string body = RandomBytes((size_t)length, (unsigned)i, "abc ()\\xyz");
        file += body + kEnds[i % 3];
        want.push_back({length <= kPsLineMax - 2 ? body + "\r\n" : "", (int64_t)file.size()});
    }
    file += "tail";
    want.push_back({"tail\r\n", (int64_t)file.size()});
    const std::string path = WriteTestFile("lines.ps", file);
    PlatFile* f = Plat_OpenRead(path.c_str());
    ASSERT_TRUE(f);
    PsLineReader reader = {};
    char line[kPsLineMax];
    std::vector<std::pair<std::string, int64_t>> got;
    for (int64_t offset = 0;;) {
        int32_t length = -1;
        int64_t next = -1;
        int rc = PsLine_Read(&reader, f, path.c_str(), offset, kPsLineMax, line, &length, &next);
        ASSERT_GE(rc, 0);
        if (rc == 0) {
            EXPECT_EQ(next, offset); // the end: the same offset again
            break;
        }
        got.push_back({std::string(line, (size_t)length), next});
        offset = next;
    }
    EXPECT_EQ(got, want);
    PsLine_Release(&reader);
    Plat_Close(f);
}

// A file may put a record at any position: the indent, the gap and the empty lines above a
// record stay within the output, the line table and the view's line length.
TEST(PsRebuild, HugePositionsStayWithinTheBlockAndTheTable) {
    const struct {
        int dialect;
        std::vector<std::string> body;
    } kFiles[] = {
        {kPs30, {"99999999999999 100 0 (far) SB", "0 99999999999999 0 (deep) SB", "0 1 0 (up) SB",
                 "-99999999999999 -99999999999999 0 (neg) SB"}},
        {kPs10, {"99999999999999 100 0 0 (far)fjt", "0 -99999999999999 0 0 (deep)fjt",
                 "0 100 0 0 (a)fjt", "99999999999999 100 0 0 (gap)fjt"}},
        {kPs20, {"(far) 99999999999999 0 TXs", "(deep) 0 99999999999999 TXs",
                 "(gap) 99999999999999 99999999999999 TXs"}},
    };
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.dialect);
        std::vector<std::string> lines = {kHeaders[f.dialect]};
        lines.insert(lines.end(), f.body.begin(), f.body.end());
        const std::string path = WriteTestFile("huge.ps", Join(lines));
        for (int32_t entries : {12, 4096}) {
            Built b = Rebuild(path, f.dialect, 4096, entries, 256);
            ASSERT_GE(b.length, 0);
            EXPECT_LE(b.length, 4096);
            EXPECT_LE((int32_t)b.lines.size(), entries - 1);
            for (const std::string& l : b.lines)
                EXPECT_LE(l.size(), 254u);
            EXPECT_EQ(b.lines[0], std::string(254, ' ')); // the record beyond the line's end
            for (size_t i = 1; i < b.offsets.size(); i++)
                EXPECT_GE(b.offsets[i], b.offsets[i - 1]);
            // With room for them, the records far below the first still show.
            if (entries > 12) {
                EXPECT_NE(Join(b.lines).find("deep"), std::string::npos);
            }
        }
    }
}

// Pages with a line at the top and one at the foot: all the empty lines between them show, in a
// block of their own size and through the engine, where a block that cannot hold a gap ends in
// it and the next block goes on with it.
TEST(PsRebuild, EveryEmptyLineOfAGapShowsAcrossBlocks) {
    std::string ps = "%!PS-Adobe-3.0\r\n";
    for (int page = 0; page < 100; page++)
        ps += "300 100 0 (Top " + std::to_string(page) + ") SB\r\n300 3400 0 (Foot " +
              std::to_string(page) + ") SB\r\nEJ\r\n";
    const std::string path = WriteTestFile("gaps.ps", ps);
    const std::vector<std::string> whole = Rebuild(path, kPs30, 1 << 24, 1 << 20).lines;
    // 3300 units down: 1056 pixels, 66 rows, 65 of them empty.
    const std::string indent(12, ' ');
    std::vector<std::string> page = {indent + "Top 0"};
    page.resize(66);
    page.push_back(indent + "Foot 0");
    ASSERT_GE(whole.size(), page.size());
    EXPECT_EQ(std::vector<std::string>(whole.begin(), whole.begin() + (long)page.size()), page);
    EXPECT_EQ(whole[67], "\f" + indent + "Top 1");

    // A block of 100 lines ends within the second gap; its foot is left to the next block.
    Built small = Rebuild(path, kPs30, 16384, 102);
    EXPECT_FALSE(small.atEnd);
    std::vector<std::string> held = page;
    held.push_back("\f" + indent + "Top 1");
    held.resize(100);
    EXPECT_EQ(small.lines, held);

    gPsScreen = kScreen;
    TestEngine e;
    e.readPostScript = PsRead_Block;
    e.settings.postScriptState = kPostScriptShown;
    ASSERT_EQ(e.Open(path, 20), 0);
    ShowEach(e, whole, 1, (int64_t)whole.size(), 13);
    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    ExpectWindow(e, whole, (int64_t)whole.size() - 20 + 1);
}

// A print file of many pages, with gaps, through the engine: wherever the view moves (and a
// block often begins on the empty lines of a gap) it shows the rows of the whole file rebuilt at
// once, and the line table takes a record's offset to its row.
TEST(PsEngine, LongPrintFileWalksThroughBlocks) {
    std::string ps = "%!PS-Adobe-3.0\r\n";
    std::vector<int64_t> starts;
    for (int i = 0, y = 100; i < 3000; i++, y += 50 * (1 + i % 4)) {
        if (i % 40 == 39) {
            ps += "EJ\r\n";
            y = 100;
        }
        starts.push_back((int64_t)ps.size());
        ps += std::to_string(300 + 75 * (i % 5)) + " " + std::to_string(y) + " 0 (Gap " +
              std::to_string(i) + ") SB\r\n";
    }
    const std::string path = WriteTestFile("long.ps", ps);
    const std::vector<std::string> whole = Rebuild(path, kPs30, 1 << 24, 1 << 20).lines;
    gPsScreen = kScreen;
    TestEngine e;
    e.readPostScript = PsRead_Block;
    e.settings.postScriptState = kPostScriptShown;
    ASSERT_EQ(e.Open(path, 20), 0);
    EXPECT_EQ(e.settings.postScriptState & kPostScriptDialect, (int32_t)kPs30);
    ShowEach(e, whole, 1, (int64_t)whole.size(), 7);
    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    ExpectWindow(e, whole, (int64_t)whole.size() - 20 + 1);
    ShowEach(e, whole, 1, 300, 37);
    for (int i : {0, 777, 2001, 2998}) {
        GoToOffset(&e, starts[(size_t)i]);
        ASSERT_EQ(EnsureWindow(&e, false), 0);
        EXPECT_EQ(e.Row(0).substr(e.Row(0).find('G')), "Gap " + std::to_string(i));
        EXPECT_EQ(TopLineOffset(&e), starts[(size_t)i]);
        const int64_t top = e.file.topLine;
        ASSERT_EQ(Reposition(&e), 0);
        EXPECT_EQ(e.file.topLine, top);
    }
    // A plain text file under the flag is read as it is, and the flag goes.
    e.settings.postScriptState = kPostScriptShown;
    ASSERT_EQ(e.Open(WriteTestFile("plain.txt", "just\ntext\n"), 20), 0);
    EXPECT_EQ(e.settings.postScriptState, 0);
    EXPECT_EQ(e.Row(1), "text");
}

} // namespace
