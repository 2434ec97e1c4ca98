// The find pattern model: hex text, the checks and questions before a find, the wildcard
// dialect, plain and case-blind finds, lines without a string, and the AND/OR query.
#include <gtest/gtest.h>

#include <string.h>

#include "find/findpat.h"
#include "findref.h"
#include "support.h"

namespace {

const int kYes = kAnswerYes, kNo = kAnswerNo;

// One string set up as the Find dialog leaves it.
FindSettings Settings(const std::string& s1, bool regex, bool ignoreCase, bool hex = false) {
    FindSettings s;
    FindSettings_Init(&s);
    memcpy(s.string1, s1.data(), s1.size());
    s.typedLength = (int32_t)s1.size();
    s.byteCount1 = hex ? (int32_t)s1.size() : 0;
    s.regularExpression = regex;
    s.ignoreCase = ignoreCase;
    s.hexFind = hex;
    return s;
}

// A region in a heap block of its own size plus the one byte a match may look at past its end
// (the zero after the data, unless a case says otherwise), so that a sanitizer sees any read
// further on.
struct Region {
    std::vector<char> bytes;
    Region(const std::string& text, char after = 0) : bytes(text.begin(), text.end()) {
        bytes.push_back(after);
    }
    const char* data() const {
        return bytes.data();
    }
    int64_t size() const {
        return (int64_t)bytes.size() - 1;
    }
};

struct Found {
    int64_t at;
    int32_t length;
    bool operator==(const Found& o) const {
        return at == o.at && length == o.length;
    }
};
void PrintTo(const Found& f, std::ostream* out) {
    *out << "at " << f.at << ", length " << f.length;
}

Found RunFindOne(const FindSettings& s, const Region& r, int32_t lineLength = 256,
                 bool textLines = true) {
    const FindScope scope = {lineLength, textLines, false};
    int32_t length = s.hexFind ? s.byteCount1 : s.typedLength;
    const char* at = FindOne(s, scope, r.data(), r.size(), s.string1, &length);
    return at ? Found{at - r.data(), length} : Found{-1, 0};
}

TEST(FindOne, DialectAndPlainTable) {
    struct Case {
        const char* pattern;
        bool regex;
        bool ignoreCase;
        std::string text;
        Found want;
        char after = 0; // the byte at the region's end
    };
    const std::string x254(254, 'x');
    const Case cases[] = {
        // Literal runs: "+" takes the whole run and gives nothing back.
        {"ab+c", true, false, "abc", {0, 3}},
        {"ab+c", true, false, "abbbbc", {0, 6}},
        {"ab+c", true, false, "ac", {-1, 0}},
        {"a+a", true, false, "aaa", {-1, 0}},
        {"A+B", true, true, "xaaB", {1, 3}},
        // "*": shortest first; "?" folded after it still takes a character each.
        {"a*c", true, false, "abcabc", {0, 3}},
        {"abc*", true, false, "abcdef", {0, 3}},
        {"ab*", true, false, std::string("ab\0cd", 5), {0, 2}},
        {"a*?", true, false, "abc", {0, 2}},
        {"a*??", true, false, std::string("ab\0c", 4), {-1, 0}},
        {"a**?c", true, false, "abxc", {0, 4}},
        {"a*c", true, false, std::string("ab\0c", 4), {-1, 0}},
        {"a*b*c", true, false, "aXbYbZc", {0, 7}},
        {"a*b+c", true, false, "abbXbbc", {0, 7}},
        {"*x", true, false, "abx", {0, 3}},
        // "?" and escapes.
        {"a?c", true, false, "abc", {0, 3}},
        {"a?c", true, false, std::string("a\0c", 3), {-1, 0}},
        {"a\\*b", true, false, "axb a*b", {4, 3}},
        {"\\b", true, false, "ab", {1, 1}},
        {"?b", true, false, "ab", {0, 2}},
        {"-x", true, false, "a-x", {1, 2}},
        // Sets: ranges either way round, negation, escapes, signed order.
        {"[a-c]*x", true, false, "abcx", {0, 4}},
        {"[!0-9]", true, false, "7", {-1, 0}},
        {"[!0-9]", true, false, "7a", {1, 1}},
        {"[z-a]", true, false, "9m", {1, 1}},
        {"[!]", true, false, "abc", {-1, 0}},
        {"[\\]]", true, false, "a]", {1, 1}},
        {"[a\\-z]", true, false, "m-", {1, 1}},
        {"[\x80-a]", true, false, "b\xC0", {1, 1}},
        {"[a-\xFF]", true, false, "b\x80\xFF", {2, 1}},
        {"[A-C]", true, true, "xb", {1, 1}},
        // Set runs look one character ahead and never back.
        {"[a-z]*b", true, false, "abab", {0, 2}},
        {"[a-z]*[0-9]", true, false, "ab1", {0, 3}},
        {"[a-z]*z", true, false, "abc", {-1, 0}},
        {"[a-c]+c", true, false, "xbbc", {1, 3}},
        {"x[a-c]*", true, false, "xabcd", {0, 4}},
        // Case folding is ASCII only: Ä is not ä.
        {"\xC4"
         "B",
         true,
         true,
         "\xE4"
         "b \xC4"
         "b",
         {3, 2}},
        {"\xC4"
         "B",
         false,
         true,
         "\xE4"
         "b \xC4"
         "B",
         {3, 2}},
        {"Xy", true, true, "axY", {1, 2}},
        // Plain finds: the pattern's bytes, whole, inside the region.
        {"a*c", false, false, "abc a*c", {4, 3}},
        {"ABC", false, true, "xaBc", {1, 3}},
        {"ABC", false, false, "xaBc", {-1, 0}},
        // LineLength (256) bounds a match.
        {"a*b", true, false, "a" + x254 + "b", {0, 256}},
        {"a*b", true, false, "a" + x254 + "xb", {-1, 0}},
        // A regular expression may look at the byte at the region's end, a plain pattern must
        // lie inside the region, and an empty one finds nothing.
        {"ab?", true, false, "xab", {1, 3}, 'c'},
        {"abc", false, false, "xab", {-1, 0}, 'c'},
        {"", false, false, "abc", {-1, 0}},
        // The longest plain piece is looked for first; the match still begins where the
        // pattern does, as far back as its line allows, and never in an earlier line.
        {"err*timeout", true, false, "an err, a timeout", {3, 14}},
        {"err*timeout", true, false, std::string("err\0timeout err timeout", 23), {12, 11}},
        {"*timeout", true, false, "say timeout", {0, 11}},
        {"[a-z]+ timeout", true, false, "9 ab timeout", {2, 10}},
        {"?err", true, false, "errerr", {2, 4}},
        {"ERR*out", true, true, "eRr..OUT", {0, 8}},
        {"a*xyz", true, false, "a" + x254 + "xyz", {-1, 0}},
        {"a*bcd", true, false, "axbc", {0, 5}, 'd'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pattern << " in " << c.text);
        const FindSettings s = Settings(c.pattern, c.regex, c.ignoreCase);
        EXPECT_EQ(RunFindOne(s, Region(c.text, c.after)), c.want);
    }
    // Hex bytes may hold a zero.
    EXPECT_EQ(RunFindOne(Settings(std::string("\0a", 2), false, true, true),
                         Region(std::string("xA\0a", 4))),
              (Found{2, 2}));
}

TEST(FindOne, AgreesWithByteByByteSearch) {
    // Texts long enough for the sixteen-at-a-time scan and its tail, from small alphabets so
    // that near misses are common, with patterns cut from the text or made up.
    for (unsigned seed = 1; seed <= 300; seed++) {
        const std::string alphabet = seed % 3 ? "aAbB" : std::string("aAb\0\xC1", 5);
        const std::string text = RandomBytes(1 + seed % 97, seed, alphabet);
        const size_t m = 1 + seed % 5;
        std::string pattern =
            seed % 2 ? text.substr(seed % text.size(), m) : RandomBytes(m, seed + 7, alphabet);
        const bool fold = seed % 4 < 2, hex = pattern.find('\0') != std::string::npos;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const Region r(text, 'a');
        const int64_t want = findref::Plain(text, r.size(), pattern, fold);
        const Found got = RunFindOne(Settings(pattern, false, fold, hex), r);
        EXPECT_EQ(got, (Found{want, want < 0 ? 0 : (int32_t)pattern.size()}));
    }
}

TEST(FindOne, RareBytesAgreeWithByteByByteSearch) {
    // Patterns whose rarest byte (z, q, X) is run to with the library's byte search: texts
    // thick with it and with near misses, the match first, last or nowhere; in the longer ones
    // the two-anchor scan takes over from the search that stops too often.
    for (unsigned seed = 1; seed <= 200; seed++) {
        const size_t size = 1 + seed % 300 + (seed % 7 == 0 ? 3000 : 0);
        const std::string text = RandomBytes(size, seed, seed % 2 ? "zqae " : "zXx");
        const size_t m = 1 + seed % 4;
        std::string pattern = seed % 3 ? text.substr(seed % text.size(), m)
                                       : RandomBytes(m, seed + 5, "zqXa");
        const bool fold = seed % 5 == 0;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const Region r(text, 'z');
        const int64_t want = findref::Plain(text, r.size(), pattern, fold);
        EXPECT_EQ(RunFindOne(Settings(pattern, false, fold), r),
                  (Found{want, want < 0 ? 0 : (int32_t)pattern.size()}));
    }
}

TEST(FindOne, AMatchWhereTheByteSearchGivesWayIsFound) {
    // "zq" in a run of "za": every z stops the byte search, which gives way to the two-anchor
    // scan after some dozens of stops; the match stands at each place around that one.
    for (size_t p = 60; p < 200; p++) {
        std::string text;
        for (int k = 0; k < 110; k++)
            text += "za";
        text.replace(p, 2, "zq");
        SCOPED_TRACE(p);
        EXPECT_EQ(RunFindOne(Settings("zq", false, false), Region(text, 'z')),
                  (Found{(int64_t)p, 2}));
    }
}

TEST(FindOne, AgreesWithTheDialectAsWritten) {
    // Random valid patterns over a small alphabet against the slow matcher, which tries every
    // position after every "*"; lines end in zeros and LineLength is cut short.
    const char* parts[] = {"a", "b", "?", "*", "a+", "[ab]", "[!a]*", "[a-b]+", "\\*", "B", "[b]*"};
    int compared = 0;
    for (unsigned seed = 1; seed <= 400; seed++) {
        std::string pattern;
        const std::string pick = RandomBytes(1 + seed % 6, seed, "0123456789A");
        for (char k : pick)
            pattern += parts[k == 'A' ? 10 : k - '0'];
        if (ValidateRegex(pattern.data(), (int32_t)pattern.size()) != kRegexOk)
            continue;
        const std::string text = RandomBytes(20 + seed % 60, seed + 1, std::string("aabbA*\0", 7));
        const bool fold = seed % 2;
        const int32_t lineLength = 8 + (int32_t)(seed % 13);
        SCOPED_TRACE(testing::Message() << pattern << " seed " << seed);
        const Region r(text, 'b');
        int32_t wantLength = 0;
        const int64_t want =
            findref::Regex(text + 'b', r.size(), pattern, fold, lineLength, &wantLength);
        EXPECT_EQ(RunFindOne(Settings(pattern, true, fold), r, lineLength, seed % 3 != 0),
                  (Found{want, want < 0 ? 0 : wantLength}));
        compared++;
    }
    EXPECT_GT(compared, 200);
}

TEST(ParseHexText, TokensValuesAndQuestions) {
    const AskedQuestion badDigit = {"Invalid hex digit!\nTurn hex find off?", "Find Mode",
                                    kButtonsYesNo, kIconQuestion, 0};
    const AskedQuestion truncated = {"String must be bytes (00 -> FF).\nValue has been truncated",
                                     "", kButtonsOk, kIconInformation, 0};
    struct Case {
        const char* text;
        std::vector<int> answers;
        int result;
        std::string dest;
        std::vector<AskedQuestion> asked;
    };
    const Case cases[] = {
        {"0d a 5", {}, 1, "\x0d\x0a\x05", {}},
        {"41 4x 42",
         {},
         1,
         "A\x04"
         "B",
         {}},
        {"  0x41   0X42 ", {}, 1, "AB", {}},
        {"0x 41", {}, 1, std::string("\0A", 2), {}}, // "0x" is the number 0
        {"x 41 x", {}, 1, "A", {}},                  // a token without digits gives no byte
        {"1ff", {kAnswerOk}, 1, "\xff", {truncated}},
        {"123456789abcdef0123456789 7", {kAnswerOk}, 1, "\x89\x07", {truncated}},
        {"0g", {kYes}, 0, "0g", {badDigit}},
        {"0g", {kNo}, -1, "", {badDigit}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedUser user;
        user.answers = c.answers;
        FindSettings s = Settings("", false, false, true);
        int32_t length = -5;
        const int result =
            ParseHexText(c.text, s.hexText1, s.string1, &length, &s.byteCount1, &s.hexFind);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(user.asked, c.asked);
        EXPECT_STREQ(s.hexText1, c.text);
        if (result < 0)
            continue;
        EXPECT_EQ(std::string(s.string1, (size_t)length), c.dest);
        EXPECT_EQ(s.hexFind, result);
        EXPECT_EQ(s.byteCount1, result ? (int32_t)c.dest.size() : 0);
    }
}

TEST(ValidateRegex, ProblemsLeftToRight) {
    struct Case {
        const char* pattern;
        RegexProblem want;
    };
    const Case cases[] = {
        {"+a", kRegexNoPreceding},
        {"a*+", kRegexNoPreceding},
        {"a?+", kRegexNoPreceding},
        {"\\*+", kRegexOk},
        {"ab+c", kRegexOk},
        {"a++", kRegexOk},
        {"[]", kRegexRangeEmpty},
        {"[a-]", kRegexRangeNoEnd},
        {"[a-", kRegexRangeNoEnd},
        {"[a", kRegexRangeNotClosed},
        {"x[", kRegexRangeNotClosed},
        {"abc\\", kRegexEndsInBackslash},
        {"[a\\", kRegexEndsInBackslash},
        {"[a-\\", kRegexEndsInBackslash},
        {"[!]", kRegexOk},
        {"[\\]]", kRegexOk},
        {"[z-a]*x", kRegexOk},
        {"[a-]\\", kRegexRangeNoEnd},
        {"a*+[", kRegexNoPreceding},
        {"[]]+", kRegexRangeEmpty},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValidateRegex(c.pattern, (int32_t)strlen(c.pattern)), c.want) << c.pattern;
    EXPECT_STREQ(RegexProblemText(kRegexNoPreceding), "No pattern preceeding +");
    EXPECT_STREQ(RegexProblemText(kRegexRangeEmpty), "Range is empty.");
    EXPECT_STREQ(RegexProblemText(kRegexRangeNotClosed), "Range is not closed.");
    EXPECT_STREQ(RegexProblemText(kRegexRangeNoEnd), "Range has no end.");
    EXPECT_STREQ(RegexProblemText(kRegexEndsInBackslash), "Pattern cannot end with \\");
    for (const char* p : {"a*", "a+", "?", "x[a]"})
        EXPECT_TRUE(LooksLikeRegex(p, (int32_t)strlen(p))) << p;
    for (const char* p : {"abc", "a]b", "\\-!"})
        EXPECT_FALSE(LooksLikeRegex(p, (int32_t)strlen(p))) << p;
}

TEST(ConfirmFindMode, QuestionsAndAnswers) {
    auto warning = [](const char* text) {
        return AskedQuestion{std::string(text) + "\nTurn off regular expressions?", "",
                             kButtonsYesNo, kIconWarning, 0};
    };
    const AskedQuestion turnOn = {"This looks like a regular expression.\nTurn RE on?", "RegExp",
                                  kButtonsYesNo, kIconQuestion, 0};
    const AskedQuestion both = {"Hex and regular expressions can't both be on.\nTurn RE off?",
                                "Srch Mode", kButtonsYesNo, kIconQuestion, 0};
    struct Case {
        const char* name;
        const char* s1;
        const char* s2; // null: boolean find off
        bool regex, hex;
        std::vector<int> answers;
        int result;
        bool regexAfter;
        std::vector<AskedQuestion> asked;
    };
    const Case cases[] = {
        {"bad, keep editing",
         "+a",
         nullptr,
         true,
         false,
         {kNo},
         0,
         true,
         {warning("No pattern preceeding +")}},
        {"bad, turn off",
         "+a",
         nullptr,
         true,
         false,
         {kYes},
         1,
         false,
         {warning("No pattern preceeding +")}},
        {"string 2 checked",
         "a*",
         "x[",
         true,
         false,
         {kNo},
         0,
         true,
         {warning("Range is not closed.")}},
        {"valid", "a*b", nullptr, true, false, {}, 1, true, {}},
        {"offer taken", "a*b", nullptr, false, false, {kYes}, 1, true, {turnOn}},
        {"offer refused", "a*b", nullptr, false, false, {kNo}, 1, false, {turnOn}},
        {"invalid: no offer", "[a", nullptr, false, false, {}, 1, false, {}},
        {"invalid string 2: no offer", "a*", "[]", false, false, {}, 1, false, {}},
        {"plain", "abc", nullptr, false, false, {}, 1, false, {}},
        {"hex too, RE off", "a*", nullptr, false, true, {kYes, kYes}, 1, false, {turnOn, both}},
        {"hex too, keep editing", "a*", nullptr, true, true, {kNo}, 0, true, {both}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser user;
        user.answers = c.answers;
        FindSettings s = Settings(c.s1, c.regex, true);
        s.hexFind = c.hex;
        s.booleanFind = c.s2 != nullptr;
        if (c.s2)
            strcpy(s.string2, c.s2);
        EXPECT_EQ(ConfirmFindMode(&s), c.result);
        EXPECT_EQ(s.regularExpression != 0, c.regexAfter);
        EXPECT_EQ(user.asked, c.asked);
    }
}

TEST(FindFirstLineWithout, LinesOfTextAndStretchesOfBytes) {
    struct Case {
        const char* name;
        std::string text;
        bool textLines;
        const char* pattern;
        Found want;
    };
    const std::string x300(300, 'x'), abZero = std::string("ab\0", 3) + x300;
    const std::string abFirst = "ab" + std::string(254 + 256, 'x');
    const Case cases[] = {
        {"third line", std::string("foo\0a foo\0bar\0", 14), true, "foo", {10, 4}},
        {"empty line", std::string("foo\0\0", 5), true, "foo", {4, 1}},
        {"every line", std::string("foo\0foo\0", 8), true, "foo", {-1, 0}},
        {"last line unended", std::string("foo\0bar", 7), true, "foo", {4, 3}},
        {"long stretch is a line", x300 + '\0', true, "y", {0, 256}},
        {"long stretch holds it", x300 + '\0', true, "x", {-1, 0}},
        {"zero ends a text line", abZero, true, "x", {0, 3}},
        {"zeros are bytes", abZero, false, "x", {-1, 0}},
        {"stretches of bytes", abFirst, false, "ab", {256, 256}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FindSettings s = Settings(c.pattern, false, false);
        const Region r(c.text);
        const FindScope scope = {256, c.textLines, false};
        int32_t length = 0;
        const char* at =
            FindFirstLineWithout(s, scope, r.data(), r.size(), s.string1, s.typedLength, &length);
        EXPECT_EQ((at ? Found{at - r.data(), length} : Found{-1, 0}), c.want);
    }
}

TEST(FindMatch, ARegionBegunInsideALine) {
    // A Find Next from just past a match: the buffer holds the line's start before the region,
    // and a negated string judges that line whole (never the rest of it alone, never skipping
    // it). A line longer than LineLength is taken LineLength characters at a time from its
    // real start.
    enum { kAnd, kOr };
    struct Case {
        const char* name;
        int mode;
        const char* s1;
        bool not1;
        const char* s2;
        bool not2;
        std::string before; // what the buffer holds before the region
        std::string text;
        bool textLines;
        int64_t at; // from the region's start
        int32_t length;
        bool wholeLine;
    };
    const std::string x256(256, 'x'), x300(300, 'x');
    const Case cases[] = {
        {"or: a line without it", kOr, "foo", true, "bar", false, "b",
         std::string("ar z\0foo\0q\0", 11), true, -1, 6, true},
        {"or: a line holding it first", kOr, "foo", true, "bar", false, "foo b",
         std::string("ar z\0foo\0q\0", 11), true, 9, 2, true},
        {"or: string 1 starts the line", kOr, "x", false, "foo", true, "x",
         std::string("b x\0foo\0", 9), true, -1, 5, true},
        {"or: a line's start", kOr, "foo", true, "bar", false, "",
         std::string("ar z\0foo\0q\0", 11), true, 0, 5, true},
        {"not alone: the line begun", kAnd, "foo", true, "", false, "b", std::string("ar z\0", 5),
         true, -1, 6, true},
        {"and: the rest of a line without it", kAnd, "x", false, "foo", true, "x ",
         std::string("b x\0foo x\0", 11), true, 2, 1, false},
        {"and: a line holding it first", kAnd, "x", false, "foo", true, "foo x",
         std::string(" x\0x\0", 6), true, 3, 1, false},
        {"and, both negated", kAnd, "foo", true, "bar", true, "a", std::string("b\0bar\0", 6),
         true, -1, 3, true},
        {"a long line's last piece", kAnd, "y", true, "", false, x300, x256 + '\0', true, -44,
         256, true},
        {"LineLength and its zero", kAnd, "y", true, "", false, x256, std::string("\0", 1), true,
         -256, 257, true},
        {"LineLength and no zero", kAnd, "y", true, "", false, x256, std::string("z\0", 2), true,
         0, 2, true},
        {"bytes have no lines", kAnd, "foo", true, "", false, "b", "ar z", false, 0, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FindSettings s = Settings(c.s1, false, false);
        strcpy(s.string2, c.s2);
        s.booleanFind = 1;
        s.andMode = c.mode == kAnd;
        s.orMode = c.mode == kOr;
        s.not1 = c.not1;
        s.not2 = c.not2;
        const Region r(c.before + c.text);
        const char* region = r.data() + c.before.size();
        const size_t zero = c.before.rfind('\0');
        const int64_t begun = (int64_t)(zero == std::string::npos ? c.before.size()
                                                                  : c.before.size() - zero - 1);
        EXPECT_EQ(begun, FindLineBegun(r.data(), (int64_t)c.before.size()));
        const FindScope scope = {256, c.textLines, begun};
        int32_t length = -1;
        bool whole = !c.wholeLine;
        const char* at = FindMatch(s, scope, region, (int64_t)c.text.size(), &length, &whole);
        ASSERT_TRUE(at);
        EXPECT_EQ(c.at, at - region);
        EXPECT_EQ(c.length, length);
        EXPECT_EQ(c.wholeLine, whole);
    }
}

TEST(FindMatch, AndOrNotOverLines) {
    enum { kOff, kAnd, kOr };
    struct Case {
        const char* name;
        int mode;
        const char* s1;
        bool not1;
        const char* s2;
        bool not2;
        std::string text;
        bool textLines;
        int64_t at; // -1: no match
        int32_t length;
        bool wholeLine;
    };
    const std::string many = [] {
        std::string t;
        for (int i = 0; i < 2000; i++)
            t += std::string("foo\0", 4);
        return t + std::string("x bar foo\0", 10);
    }();
    const std::string gap200(200, 'x'), gap300(300, 'x');
    const Case cases[] = {
        {"plain", kOff, "foo", false, "bar", false, std::string("bar\0foo\0", 8), true, 4, 3,
         false},
        {"and: earlier one", kAnd, "foo", false, "bar", false, std::string("a\0bar foo\0", 10),
         true, 2, 3, false},
        {"and: not across lines", kAnd, "foo", false, "bar", false, std::string("foo\0bar\0", 8),
         true, -1, 0, false},
        {"and: many restarts", kAnd, "foo", false, "bar", false, many, true,
         (int64_t)many.size() - 8, 3, false},
        {"or: earlier", kOr, "foo", false, "bar", false, std::string("x bar foo\0", 10), true, 2, 3,
         false},
        {"or: tie takes string 1", kOr, "fo", false, "foo", false, "foo", true, 0, 2, false},
        {"or: only string 2", kOr, "zz", false, "foo", false, "a foo", true, 2, 3, false},
        {"not alone", kAnd, "foo", true, "", false, std::string("foo 1\0foo 2\0other\0", 18), true,
         12, 6, true},
        {"and, one negated", kAnd, "foo", false, "bar", true, std::string("bar foo\0zz\0foo\0", 15),
         true, 11, 3, false},
        {"and, negated: whole lines only", kAnd, "foo", false, "bar", true,
         std::string("bar foo foo\0zz\0", 15), true, -1, 0, false},
        {"and, both negated", kAnd, "foo", true, "bar", true, std::string("foo\0bar\0baz\0", 12),
         true, 8, 4, true},
        {"raw: near enough", kAnd, "foo", false, "bar", false, "foo" + gap200 + "bar", false, 0, 3,
         false},
        {"raw: too far", kAnd, "foo", false, "bar", false, "foo" + gap300 + "bar", false, -1, 0,
         false},
        {"raw: restart near B", kAnd, "foo", false, "bar", false,
         "foo" + gap300 + "foo" + gap200 + "bar", false, 303, 3, false},
        // An editor's line may be longer than LineLength: a pair in it is held to LineLength
        // too, so a find begun at the line's start finds what one begun before it does.
        {"lines: too far in one line", kAnd, "foo", false, "bar", false,
         "foo" + gap300 + "bar" + '\0', true, -1, 0, false},
        {"lines: restart near B", kAnd, "foo", false, "bar", false,
         std::string("foo\0", 4) + "foo" + gap300 + "foo" + gap200 + "bar" + '\0', true, 307, 3,
         false},
        {"lines: begun at the long line", kAnd, "foo", false, "bar", false,
         "foo" + gap300 + "foo" + gap200 + "bar" + '\0', true, 303, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FindSettings s = Settings(c.s1, false, false);
        strcpy(s.string2, c.s2);
        s.booleanFind = c.mode != kOff;
        s.andMode = c.mode == kAnd;
        s.orMode = c.mode == kOr;
        s.not1 = c.not1;
        s.not2 = c.not2;
        const Region r(c.text);
        const FindScope scope = {256, c.textLines, false};
        int32_t length = -1;
        bool whole = !c.wholeLine;
        const char* at = FindMatch(s, scope, r.data(), r.size(), &length, &whole);
        ASSERT_EQ(at ? at - r.data() : -1, c.at);
        if (at) {
            EXPECT_EQ(length, c.length);
            EXPECT_EQ(whole, c.wholeLine);
        }
    }
}

} // namespace
