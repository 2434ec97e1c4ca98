// Find in a file view: every match of a file of many blocks, in order, in text and hex views;
// matches across a block's cut; where the window goes; refusals, interruption and not-found.
#include <gtest/gtest.h>
#include <string.h>

#include "find/findengine.h"
#include "support.h"

#include <algorithm>
#include <ctype.h>
#include <fstream>
#include <sstream>

#include "findref.h"

namespace {

// 79 characters, the longest find string.
const char kPhrase[] =
    "Everyone is permitted to copy and distribute verbatim copies of this document!!";

FindSettings Plain(const std::string& text, bool ignoreCase = false) {
    FindSettings s;
    FindSettings_Init(&s);
    snprintf(s.string1, sizeof s.string1, "%s", text.c_str());
    s.typedLength = (int32_t)text.size();
    s.ignoreCase = ignoreCase;
    return s;
}

FindSettings HexBytes(const std::string& bytes) {
    FindSettings s = Plain("");
    memcpy(s.string1, bytes.data(), bytes.size());
    s.byteCount1 = s.typedLength = (int32_t)bytes.size();
    s.hexFind = 1;
    return s;
}

// Every offset at which the needle begins, overlapping ones included.
std::vector<int64_t> Occurrences(const std::string& f, const std::string& needle) {
    std::vector<int64_t> at;
    for (size_t p = f.find(needle); p != std::string::npos; p = f.find(needle, p + 1))
        at.push_back((int64_t)p);
    return at;
}

// The file offset of the match the engine reports.
int64_t MatchOffset(const TestEngine& e, const std::vector<int64_t>& rowStarts) {
    return rowStarts[(size_t)(e.matchLine - 1)] + e.matchColumn;
}

// Runs Find, then Find Next until nothing more is found, checking each match against the
// expected offsets and that the window shows it; the last Find Next says "Not Found." and
// leaves the window where it was.
void WalkEveryMatch(TestEngine& e, FindSettings& s, const std::string& f, int view,
                    const std::vector<int64_t>& expected) {
    const std::vector<int64_t> starts = RowStarts(f, view);
    for (size_t i = 0; i < expected.size(); i++) {
        ASSERT_EQ(1, FindInView(&e, &s, i > 0, FindPatternLength(s), true)) << "match " << i;
        ASSERT_EQ(expected[i], MatchOffset(e, starts)) << "match " << i;
        EXPECT_EQ(e.matchLength, FindPatternLength(s));
        ASSERT_GE(e.matchLine, e.file.topLine) << "match " << i;
        ASSERT_LT(e.matchLine, e.file.topLine + e.pageLines) << "match " << i;
    }
    const int64_t top = e.file.topLine;
    EXPECT_EQ(0, FindInView(&e, &s, true, 0, true));
    EXPECT_EQ(top, e.file.topLine);
    EXPECT_EQ(0, e.matchLine);
    ExpectWindow(e, ModelRows(f, view, 8), top);
    ASSERT_EQ(1u, e.user.asked.size());
    EXPECT_EQ((AskedQuestion{"Not Found.", "FIND", kButtonsOk, kIconInformation, 0}),
              e.user.asked[0]);
}

TEST(FindInView, FindNextVisitsEveryMatchOfATextFileOfManyBlocksInOrder) {
    // Needles at line starts, line ends, side by side and overlapping ("QzQz" holds "Qz" twice,
    // "QQz" once); Find Next after a match at a line's last byte goes on with the next line.
    std::string f = MakeTextLines(4000, 11);
    uint32_t state = 5;
    for (size_t p = 0; p < f.size(); p += 700 + (state = state * 1103515245 + 12345) % 900) {
        size_t lineEnd = f.find('\n', p);
        const char* pieces[] = {"Qz", "QzQz", "QQz"};
        const char* piece = pieces[(state >> 16) % 3];
        f.insert((state >> 8) % 2 ? lineEnd : f.rfind('\n', p) + 1, piece);
    }
    const std::string path = WriteTestFile("walk.txt", f);
    for (int page : {5, 22}) {
        SCOPED_TRACE(page);
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, page));
        FindSettings s = Plain("Qz");
        WalkEveryMatch(e, s, f, 0, Occurrences(f, "Qz"));
    }
}

TEST(FindInView, FindNextInHexViewVisitsEveryMatchOfManyBlocksInOrder) {
    // Needles in runs a few rows apart, the runs more than a block apart, at every column of a
    // row (some across a row's end), side by side and overlapping ("QZQZ", "QQZ").
    std::string f = RandomBytes(200000, 3, "abcdefgh");
    const char* pieces[] = {"QZ", "QZQZ", "QQZ"};
    for (size_t p = 15, k = 0; p + 4 < f.size(); p += ++k % 6 == 0 ? 40003 : 613)
        f.replace(p, strlen(pieces[k % 3]), pieces[k % 3]);
    const std::string path = WriteTestFile("walk.bin", f);
    TestEngine e;
    ASSERT_EQ(0, e.Open(path, 22, kHex));
    FindSettings s = HexBytes("QZ");
    WalkEveryMatch(e, s, f, kHex, Occurrences(f, "QZ"));
}

TEST(FindInView, NotAndAndWalkTheLinesOfAManyBlockFile) {
    // Every fifth line lacks "foo"; every seventh holds "bar" after its "foo".
    std::string f;
    std::vector<int64_t> without, both;
    for (int i = 1; i <= 3000; i++) {
        bool hasFoo = i % 5 != 0, hasBar = i % 7 == 0;
        f += "line " + std::to_string(i) + (hasFoo ? " foo" : " fo o") + (hasBar ? " bar\n" : "\n");
        (hasFoo ? both : without).push_back(i);
        if (hasFoo && !hasBar)
            both.pop_back();
    }
    const std::string path = WriteTestFile("lines.txt", f);
    FindSettings s = Plain("foo");
    s.booleanFind = 1;
    s.not1 = 1;
    s.andMode = 1;
    TestEngine e;
    ASSERT_EQ(0, e.Open(path, 22));
    for (size_t i = 0; i < without.size(); i++) {
        // Find Next after a whole line goes on with the line after it.
        ASSERT_EQ(1, FindInView(&e, &s, i > 0, 3, true)) << "line " << without[i];
        ASSERT_EQ(without[i], e.matchLine);
        ASSERT_EQ(-1, e.matchColumn);
        ASSERT_EQ(-1, e.matchLength);
        ASSERT_EQ(-1, e.displayColumn);
    }
    EXPECT_EQ(0, FindInView(&e, &s, true, 3, false));

    s.not1 = 0;
    snprintf(s.string2, sizeof s.string2, "bar");
    ASSERT_EQ(0, e.MoveTo(1));
    for (size_t i = 0; i < both.size(); i++) {
        ASSERT_EQ(1, FindInView(&e, &s, i > 0, 3, true)) << "line " << both[i];
        ASSERT_EQ(both[i], e.matchLine);
        ASSERT_EQ((int)std::to_string(both[i]).size() + 6, e.matchColumn); // the earlier: foo
    }
    EXPECT_EQ(0, FindInView(&e, &s, true, 3, false));
}

TEST(FindInView, APatternAcrossTheFirstBlocksCutIsFoundWhereItStands) {
    // The first block's search ends at its last row, 30704; these patterns end past it.
    for (int64_t at : {30699, 30700, 30701, 30703, 30704, 30705}) {
        SCOPED_TRACE(at);
        std::string f = RandomBytes(100000, 9, "abcdefgh");
        f.replace((size_t)at, 4, "\xDE\xAD\xBE\xEF");
        TestEngine e;
        ASSERT_EQ(0, e.Open(WriteTestFile("cut.bin", f), 22, kHex));
        FindSettings s = HexBytes("\xDE\xAD\xBE\xEF");
        ASSERT_EQ(1, FindInView(&e, &s, false, 4, true));
        EXPECT_EQ(at / 16 + 1, e.matchLine);
        EXPECT_EQ(at % 16, e.matchColumn);
        EXPECT_EQ(4, e.matchLength);
        EXPECT_EQ(at % 16 + 1, e.displayColumn);
        EXPECT_TRUE(e.user.asked.empty());
    }
}

TEST(FindInView, TheWindowMovesOnlyForAMatchOffIt) {
    std::string f;
    for (int i = 1; i <= 400; i++)
        f += "line <" + std::to_string(i) + ">\n";
    TestEngine e;
    ASSERT_EQ(0, e.Open(WriteTestFile("lines.txt", f), 10));
    const struct {
        int64_t top;
        int line;
        int64_t topAfter;
    } cases[] = {
        {1, 5, 1}, // shown
        {1, 10, 1}, // the last line shown
        {1, 11, 6}, // just below: half a window from the top
        {1, 300, 295}, // blocks further on
        {295, 295, 295},
        {295, 304, 295},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(0, e.MoveTo(c.top));
        FindSettings s = Plain("<" + std::to_string(c.line) + ">");
        ASSERT_EQ(1, FindInView(&e, &s, false, s.typedLength, true));
        EXPECT_EQ(c.line, e.matchLine);
        EXPECT_EQ(5, e.matchColumn);
        EXPECT_EQ(c.topAfter, e.file.topLine);
        ExpectWindow(e, ModelRows(f), c.topAfter);
    }
    // A new find starts at the top line: a line above the window is not found.
    ASSERT_EQ(0, e.MoveTo(200));
    FindSettings s = Plain("<3>");
    EXPECT_EQ(0, FindInView(&e, &s, false, s.typedLength, false));
    EXPECT_EQ(200, e.file.topLine);
    EXPECT_TRUE(e.user.asked.empty()); // not interactive: no "Not Found."
}

TEST(FindInView, LineEndBytesAreRefusedInTextViewsAndFoundInHexViews) {
    const std::string f = "first\r\nsecond\r\n";
    const std::string path = WriteTestFile("crlf.txt", f);
    FindSettings s = HexBytes("\x0d\x0a");
    {
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, 22));
        EXPECT_EQ(0, FindInView(&e, &s, false, 2, true));
        EXPECT_EQ(0, e.matchLine);
        ASSERT_EQ(1u, e.user.asked.size());
        EXPECT_EQ((AskedQuestion{"Must 'View Hex' to enable the\nsearch for binary zero, CR, or LF",
                                 "Special Search", kButtonsOk, kIconInformation, 0}),
                  e.user.asked[0]);
    }
    {
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, 22, kHex));
        ASSERT_EQ(1, FindInView(&e, &s, false, 2, true));
        EXPECT_EQ(1, e.matchLine);
        EXPECT_EQ(5, e.matchColumn);
        ASSERT_EQ(1, FindInView(&e, &s, true, 0, true));
        EXPECT_EQ(1, e.matchLine);
        EXPECT_EQ(13, e.matchColumn);
        EXPECT_TRUE(e.user.asked.empty());
    }
    // Text without those bytes is searched in a text view as ever.
    FindSettings plain = HexBytes("se");
    TestEngine e;
    ASSERT_EQ(0, e.Open(path, 22));
    ASSERT_EQ(1, FindInView(&e, &plain, false, 2, true));
    EXPECT_EQ(2, e.matchLine);
}

TEST(FindInView, AKeyPressDuringALongFindOffersToStop) {
    // The only match is at the end of a file long enough that a find passing over its text
    // from the bytes alone, not block by block, still looks at the queue three times (once for
    // the block it starts in, once for each stretch it passes over); it starts from line 40.
    const std::string lines = MakeTextLines(5000, 4);
    const int64_t copies = (INT64_C(40) << 20) / (int64_t)lines.size() + 1;
    std::string f;
    for (int64_t k = 0; k < copies; k++)
        f += lines;
    f += "the needle\n";
    const std::string path = WriteTestFile("long.txt", f);
    const AskedQuestion stop = {"Continue Search?", "Abort?", kButtonsYesNo, kIconQuestion, 0};
    {
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, 22));
        ASSERT_EQ(0, e.MoveTo(40));
        e.user.pendingInput = {false, false, true};
        e.user.answers = {kAnswerNo};
        FindSettings s = Plain("needle");
        EXPECT_EQ(0, FindInView(&e, &s, false, 6, true));
        EXPECT_EQ(3, e.user.pendingChecks); // stopped at the third
        EXPECT_EQ(std::vector<AskedQuestion>{stop}, e.user.asked); // and no "Not Found."
        EXPECT_EQ(0, e.matchLine);
        ExpectWindow(e, ModelRows(f), 40);
    }
    {
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, 22));
        e.user.pendingInput = {false, true};
        e.user.answers = {kAnswerYes};
        FindSettings s = Plain("needle");
        EXPECT_EQ(1, FindInView(&e, &s, false, 6, true));
        EXPECT_EQ(5000 * copies + 1, e.matchLine);
        EXPECT_EQ(std::vector<AskedQuestion>{stop}, e.user.asked);
        EXPECT_GE(e.user.pendingChecks, 3); // went on after the question
    }
    {
        // A find that is not interactive neither looks at the queue nor reports.
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, 22));
        e.user.pendingInput = {true, true, true};
        FindSettings s = Plain("haystack");
        EXPECT_EQ(0, FindInView(&e, &s, false, 8, false));
        EXPECT_EQ(0, e.user.pendingChecks);
        EXPECT_TRUE(e.user.asked.empty());
    }
}

// ---- Passing over text from its bytes ----------------------------------------------------------
// A find passes over stretches of the file that hold no piece of its pattern from the file's
// bytes, without reading them into blocks and splitting them. Every stop it makes (line, column,
// length and window), and where Not Found leaves the window, must be the walk's through every
// block (exactWalk), in every view, from the top or from the middle.

struct Stop {
    int64_t line, top;
    int32_t column, length;
    bool operator==(const Stop& o) const {
        return line == o.line && top == o.top && column == o.column && length == o.length;
    }
};

void PrintTo(const Stop& s, std::ostream* out) {
    *out << "line " << s.line << " column " << s.column << " length " << s.length << " top "
         << s.top;
}

// Text of about 1.2 MB whose needles stand far apart (many blocks between them), some in a
// cluster, at line starts and ends; "err" stands often, "err ... timeout" seldom; a stretch has
// CR LF line ends and one a run of NULs, which only the split of its block can judge.
const std::string& SparseFile() {
    static const std::string f = [] {
        std::string t = MakeTextLines(20000, 9);
        uint32_t state = 11;
        for (size_t p = 5000; p < t.size(); p += 90000 + (state = state * 1103515245 + 12345) % 120000) {
            const size_t line = t.rfind('\n', p) + 1;
            const char* pieces[] = {"Needle", "neEDLe and timeout", "err then timeout",
                                    "Needle Needle and timeout"};
            t.insert((state >> 9) % 2 ? t.find('\n', p) : line, pieces[(state >> 12) % 4]);
        }
        for (size_t p = 3000; p < t.size(); p += 4000)
            t.insert(t.find('\n', p), " err");
        const size_t cr = t.find('\n', 400000);
        for (size_t p = cr; p != std::string::npos && p < cr + 20000; p = t.find('\n', p + 2))
            t.insert(p, "\r");
        t.insert(t.find('\n', 700000) + 1, std::string(40, '\0') + "Needle after NULs\n");
        return t;
    }();
    return f;
}

std::vector<Stop> Stops(const std::string& path, int view, int page, int64_t from,
                        const FindSettings& settings, bool exact, int64_t* blocksRead) {
    TestEngine e;
    e.exactWalk = exact;
    std::vector<Stop> stops;
    if (e.Open(path, page, view) != 0 || e.MoveTo(from) < 0)
        return stops;
    FindSettings s = settings;
    for (int rc = FindInView(&e, &s, false, FindPatternLength(s), false);
         rc == 1 && stops.size() < 2000; rc = FindInView(&e, &s, true, 0, false))
        stops.push_back({e.matchLine, e.file.topLine, e.matchColumn, e.matchLength});
    stops.push_back({-1, e.file.topLine, 0, 0}); // where Not Found left the window
    *blocksRead = e.blocksRead;
    return stops;
}

TEST(FindInView, PassingOverTextStopsWhereTheWalkThroughEveryBlockStops) {
    const std::string path = WriteTestFile("sparse.txt", SparseFile());
    auto regex = [](const char* p) {
        FindSettings s = Plain(p);
        s.regularExpression = 1;
        return s;
    };
    auto pair = [](const char* a, bool notA, const char* b, bool notB, bool orMode) {
        FindSettings s = Plain(a);
        snprintf(s.string2, sizeof s.string2, "%s", b);
        s.booleanFind = 1;
        s.not1 = notA;
        s.not2 = notB;
        s.orMode = orMode;
        s.andMode = !orMode;
        return s;
    };
    const struct {
        const char* name;
        FindSettings s;
        bool textOnly;
    } kCases[] = {
        {"plain", Plain("Needle"), false},
        {"ignore case", Plain("needle", true), false},
        {"hex bytes", HexBytes("eedle"), false},
        {"regex with seldom whole", regex("err*timeout"), false},
        {"regex, one before", regex("?eedle"), false},
        {"regex, star first", regex("*dle a"), false},
        {"AND", pair("timeout", false, "and", false, false), true},
        {"AND NOT", pair("eedle", false, "timeout", true, false), true},
        {"NOT AND", pair("timeout", true, "Needle", false, false), true},
        {"OR", pair("Needle", false, "timeout", false, true), true},
    };
    for (const auto& c : kCases) {
        for (int view : {0, kHex, kBinary}) {
            if (c.textOnly && view != 0)
                continue;
            for (int page : {3, 22}) {
                for (int64_t from : {1, 9000}) {
                    SCOPED_TRACE(testing::Message() << c.name << ", view " << view << ", page "
                                                    << page << ", from " << from);
                    int64_t blocks = 0;
                    const std::vector<Stop> walked =
                        Stops(path, view, page, from, c.s, true, &blocks);
                    EXPECT_GT(walked.size(), 1u);
                    EXPECT_EQ(walked, Stops(path, view, page, from, c.s, false, &blocks));
                }
            }
        }
    }
    // What no byte of the file holds is not found without a block more than the first.
    for (int view : {0, kHex, kBinary}) {
        for (bool exact : {true, false}) {
            int64_t blocks = 0;
            EXPECT_EQ(1u, Stops(path, view, 22, 1, Plain("absent"), exact, &blocks).size());
            EXPECT_EQ(exact, blocks > 30) << "view " << view;
        }
    }
}

// ---- Walks to "Not Found." at the smallest buffers ---------------------------------------------
// Find, then Find Next until nothing more is found, over files of many 30720-byte blocks in
// windows of 2 to 5 rows, in text, hex and binary views; the count of matches is held against
// one worked out here from the file's bytes: line by line for a text view, where every line
// ends in a zero, and over the bytes as they stand for hex and binary views, where the only
// bound is LineLength.

constexpr int kWalkLineLength = 256;

// Prose in lines of 20 to 75 characters, and a phrase of 79 characters every 60 to 260 bytes,
// so that some phrase straddles every block's cut whatever the rows.
const std::string& ProseFile() {
    static const std::string f = [] {
        const char* words[] = {"the", "of", "to", "software", "license", "d><", "cri",
                               "terms", "and", "copy", "or", "Program", "work", "td><"};
        std::string text, line;
        uint32_t state = 11;
        auto next = [&](uint32_t bound) {
            state = state * 1103515245 + 12345;
            return (state >> 8) % bound;
        };
        while (text.size() < 160000) {
            if (next(3) == 0 && line.empty())
                text += std::string(kPhrase) + (next(2) ? "\n" : " ");
            line += words[next(14)];
            if (line.size() > 20 + next(55)) {
                text += line + "\n";
                line.clear();
            } else {
                line += ' ';
            }
        }
        return text;
    }();
    return f;
}

// Markup of many short lines with lines of 3665 characters among them, which no text view
// takes: it opens in hex or binary rows. "d><" and "cri" are rare enough that a pair may lie
// across any cut.
const std::string& MarkupFile() {
    static const std::string f = [] {
        const char* cells[] = {"<p>", "plain words", "</p>", "<b>", "x", "<i>more</i>",
                               "<br>",  "<td>", "d><", "cri"};
        std::string text;
        uint32_t state = 7;
        auto next = [&](uint32_t bound) {
            state = state * 1103515245 + 12345;
            return (state >> 8) % bound;
        };
        auto lineOf = [&](size_t length) {
            std::string line;
            while (line.size() < length) {
                uint32_t k = next(40);
                line += cells[k < 8 ? k : k < 39 ? k % 8 : 8 + next(2)];
            }
            line.resize(length);
            return line + "\n";
        };
        while (text.size() < 150000)
            text += lineOf(next(9) == 0 ? 3665 : 10 + next(60));
        return text;
    }();
    return f;
}

// Phrases of 79 characters a few bytes apart, in lines of one or two, so that in any view
// and window some phrase straddles every block's cut.
const std::string& PhraseFile() {
    static const std::string f = [] {
        const char* gaps[] = {" ", "--", "xy", "\n", "\n\n\n", "xy\n", "\n\nz"};
        std::string text;
        uint32_t state = 3;
        for (int k = 0; text.size() < 150000; k++) { // no line holds more than two phrases
            state = state * 1103515245 + 12345;
            text += std::string(kPhrase) + gaps[k % 2 ? 3 + (state >> 8) % 4 : (state >> 8) % 7];
        }
        return text;
    }();
    return f;
}

// The pieces of the file that one match may span: a line of a text view, the whole file in a
// hex or binary view.
std::vector<std::string> Spans(const std::string& f, bool textLines) {
    std::vector<std::string> spans;
    if (!textLines)
        return {f};
    for (size_t at = 0, lf; at < f.size(); at = lf + 1) {
        lf = std::min(f.find('\n', at), f.size());
        spans.push_back(f.substr(at, lf - at));
    }
    return spans;
}

// Every start of the needle in the text (overlapping ones too), as a sorted list.
std::vector<size_t> Starts(const std::string& text, const std::string& needle) {
    std::vector<size_t> at;
    for (size_t p = text.find(needle); p != std::string::npos; p = text.find(needle, p + 1))
        at.push_back(p);
    return at;
}

// The first start at or after p, or npos.
size_t NextStart(const std::vector<size_t>& starts, size_t p) {
    auto it = std::lower_bound(starts.begin(), starts.end(), p);
    return it == starts.end() ? std::string::npos : *it;
}

// AND: each start of either string whose first partner at or after it (the other string)
// lies in its span and at most LineLength past it.
int64_t CountAnd(const std::string& f, bool textLines, const std::string& x,
                 const std::string& y) {
    int64_t count = 0;
    for (const std::string& span : Spans(f, textLines)) {
        const std::vector<size_t> xs = Starts(span, x), ys = Starts(span, y);
        std::vector<size_t> all = xs;
        all.insert(all.end(), ys.begin(), ys.end());
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        for (size_t p : all) {
            auto near = [&](const std::vector<size_t>& other) {
                size_t q = NextStart(other, p);
                return q != std::string::npos && q - p <= (size_t)kWalkLineLength;
            };
            bool isX = std::binary_search(xs.begin(), xs.end(), p);
            bool isY = std::binary_search(ys.begin(), ys.end(), p);
            count += (isX && near(ys)) || (isY && near(xs));
        }
    }
    return count;
}

// The expression "x*y": each start of x with a y after it, the whole no longer than
// LineLength.
int64_t CountJoined(const std::string& f, bool textLines, const std::string& x,
                    const std::string& y) {
    int64_t count = 0;
    for (const std::string& span : Spans(f, textLines)) {
        const std::vector<size_t> ys = Starts(span, y);
        for (size_t p : Starts(span, x)) {
            size_t q = NextStart(ys, p + x.size());
            count += q != std::string::npos && q + y.size() - p <= (size_t)kWalkLineLength;
        }
    }
    return count;
}

int64_t CountPlain(const std::string& f, bool textLines, const std::string& x) {
    int64_t count = 0;
    for (const std::string& span : Spans(f, textLines))
        count += (int64_t)Starts(span, x).size();
    return count;
}

// NOT x OR y in a text view: a line without x is one match (its whole line comes first);
// any other line gives its starts of y.
int64_t CountNotOr(const std::string& f, const std::string& x, const std::string& y) {
    int64_t count = 0;
    for (const std::string& line : Spans(f, true))
        count += line.find(x) == std::string::npos ? 1 : (int64_t)Starts(line, y).size();
    return count;
}

struct WalkCase {
    const char* name;
    const std::string& (*file)();
    bool textToo; // the file opens in a text view as well
    bool regex, boolean, orMode, not1;
    const char* string1;
    const char* string2;
    int64_t (*expected)(const std::string& f, bool textLines);
};

const WalkCase kWalks[] = {
    {"the AND of", ProseFile, true, false, true, false, false, "the", "of",
     [](const std::string& f, bool t) { return CountAnd(f, t, "the", "of"); }},
    {"d>< AND cri", MarkupFile, false, false, true, false, false, "d><", "cri",
     [](const std::string& f, bool t) { return CountAnd(f, t, "d><", "cri"); }},
    {"d><*cri", MarkupFile, false, true, false, false, false, "d><*cri", "",
     [](const std::string& f, bool t) { return CountJoined(f, t, "d><", "cri"); }},
    {"d><*cri in prose", ProseFile, true, true, false, false, false, "d><*cri", "",
     [](const std::string& f, bool t) { return CountJoined(f, t, "d><", "cri"); }},
    {"a phrase of 79", PhraseFile, true, false, false, false, false, kPhrase, "",
     [](const std::string& f, bool t) { return CountPlain(f, t, kPhrase); }},
    {"NOT the OR of", ProseFile, true, false, true, true, true, "the", "of",
     [](const std::string& f, bool) { return CountNotOr(f, "the", "of"); }},
};

FindSettings WalkSettings(const WalkCase& c) {
    FindSettings s = Plain(c.string1);
    snprintf(s.string2, sizeof s.string2, "%s", c.string2);
    s.regularExpression = c.regex;
    s.booleanFind = c.boolean;
    s.orMode = c.orMode;
    s.andMode = !c.orMode;
    s.not1 = c.not1;
    return s;
}

// Find and Find Next to the end: the number of matches, each further on than the last. A whole
// line counts just after a match at its first byte (which string 1 takes first, on a tie).
int64_t WalkToNotFound(TestEngine& e, FindSettings& s, const std::vector<int64_t>& rowStarts) {
    int64_t count = 0, last = -1;
    for (int rc = FindInView(&e, &s, false, FindPatternLength(s), false); rc == 1;
         rc = FindInView(&e, &s, true, 0, false)) {
        const int64_t at =
            2 * (rowStarts[(size_t)(e.matchLine - 1)] + (e.matchColumn > 0 ? e.matchColumn : 0)) +
            (e.matchColumn < 0);
        EXPECT_GT(at, last) << "match " << count;
        if (at <= last || ++count > 100000)
            break;
        last = at;
    }
    return count;
}

class FindWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(FindWalk, CountsAgreeWithTheBytesInEveryViewAndSmallWindow) {
    const WalkCase& c = GetParam();
    const std::string& f = c.file();
    const std::string path = WriteTestFile(c.file == ProseFile    ? "prose.txt"
                                           : c.file == MarkupFile ? "markup.htm"
                                                                  : "phrases.txt",
                                           f);
    for (int view : {0, kHex, kBinary}) {
        if (view == 0 && !c.textToo)
            continue;
        if (c.not1 && view != 0)
            continue; // a hex or binary "line" is a stretch of LineLength bytes from the start
        const int64_t want = c.expected(f, view == 0);
        const std::vector<int64_t> rowStarts = RowStarts(f, view);
        for (int page = 2; page <= 5; page++) {
            SCOPED_TRACE(testing::Message() << "view " << view << " page " << page);
            TestEngine e;
            ASSERT_EQ(0, e.Open(path, page, view));
            FindSettings s = WalkSettings(c);
            EXPECT_EQ(want, WalkToNotFound(e, s, rowStarts));
            EXPECT_TRUE(e.user.asked.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SmallBuffers, FindWalk, testing::ValuesIn(kWalks),
                         [](const testing::TestParamInfo<WalkCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; p++)
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             return name;
                         });

// ---- Walks over real text ----------------------------------------------------------------------
// Licence and copyright texts that every Debian system keeps, walked with Find and Find Next to
// "Not Found." in text views of 2 to 5 rows; the stops are held against a count made line by
// line (findref::LineQueryStops). A negated string judges the whole line a Find Next begins
// inside, so every "the" of a line without "of" is a stop of "the" AND NOT "of".

struct TextWalkCase {
    const char* name;
    const char* files; // under /usr/share, separated by blanks, read one after another
    const char* s1;
    bool not1;
    const char* s2;
    bool not2;
    bool orMode, ignoreCase;
};

const char kGpl3[] = "common-licenses/GPL-3";
const char kMany[] = "common-licenses/GPL-2 common-licenses/LGPL-2.1 common-licenses/Apache-2.0 "
                     "common-licenses/MPL-2.0 common-licenses/GFDL-1.3 doc/libc6/copyright "
                     "doc/bash/copyright";

const TextWalkCase kTextWalks[] = {
    {"the AND NOT of", kGpl3, "the", false, "of", true, false, false},
    {"NOT of AND the", kGpl3, "of", true, "the", false, false, false},
    {"the OR NOT of", kGpl3, "the", false, "of", true, true, false},
    {"NOT of OR the", kGpl3, "of", true, "the", false, true, false},
    {"NOT of AND NOT the", kGpl3, "of", true, "the", true, false, false},
    {"you AND NOT the in many", kMany, "you", false, "the", true, false, true},
    {"or OR NOT and in many", kMany, "or", false, "and", true, true, false},
    {"NOT license AND e in many", kMany, "license", true, "e", false, false, true},
};

void PrintTo(const TextWalkCase& c, std::ostream* out) {
    *out << c.name;
}

// The files of a case one after another, or "" when the system lacks one of them.
std::string SystemText(const char* files) {
    std::string text, name;
    std::istringstream names(files);
    while (names >> name) {
        std::ifstream in("/usr/share/" + name, std::ios::binary);
        std::ostringstream bytes;
        if (!in || !(bytes << in.rdbuf()))
            return "";
        text += bytes.str();
    }
    return text;
}

class TextWalk : public testing::TestWithParam<TextWalkCase> {};

TEST_P(TextWalk, StopsAgreeWithALineByLineCount) {
    const TextWalkCase& c = GetParam();
    const std::string f = SystemText(c.files);
    if (f.empty())
        GTEST_SKIP() << "this system lacks one of /usr/share/{" << c.files << "}";
    const int64_t want = findref::LineQueryStops(f, c.s1, c.not1, c.s2, c.not2, c.orMode,
                                                 c.ignoreCase);
    const std::string path = WriteTestFile("licence.txt", f);
    const std::vector<int64_t> rowStarts = RowStarts(f);
    for (int page = 2; page <= 5; page++) {
        SCOPED_TRACE(testing::Message() << "page " << page);
        TestEngine e;
        ASSERT_EQ(0, e.Open(path, page));
        FindSettings s = Plain(c.s1, c.ignoreCase);
        snprintf(s.string2, sizeof s.string2, "%s", c.s2);
        s.booleanFind = 1;
        s.orMode = c.orMode;
        s.andMode = !c.orMode;
        s.not1 = c.not1;
        s.not2 = c.not2;
        EXPECT_EQ(want, WalkToNotFound(e, s, rowStarts));
        EXPECT_TRUE(e.user.asked.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Licences, TextWalk, testing::ValuesIn(kTextWalks),
                         [](const testing::TestParamInfo<TextWalkCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; p++)
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             return name;
                         });

} // namespace
