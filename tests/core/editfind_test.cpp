// Find and replace in an editor, over a stand-in for the edit control.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <utility>

#include "find/editfind.h"
#include "support.h"

namespace {

// What an edit control does with a text, a selection and replacements, and what it was told.
struct FakeEditor {
    std::string text;
    int64_t selStart = 0, selEnd = 0;
    std::vector<std::pair<int64_t, int64_t>> selected;
    std::vector<bool> redraw;
    ScriptedUser user;

    explicit FakeEditor(std::string t) : text(std::move(t)) {}

    EditTarget Target() {
        EditTarget t;
        t.context = this;
        t.copyText = [](void* c, int64_t* n) {
            const std::string& s = static_cast<FakeEditor*>(c)->text;
            *n = (int64_t)s.size();
            char* copy = (char*)malloc(s.size() + 1);
            memcpy(copy, s.c_str(), s.size() + 1);
            return copy;
        };
        t.getSelection = [](void* c, int64_t* start, int64_t* end) {
            *start = static_cast<FakeEditor*>(c)->selStart;
            *end = static_cast<FakeEditor*>(c)->selEnd;
        };
        t.select = [](void* c, int64_t start, int64_t end) {
            FakeEditor* ed = static_cast<FakeEditor*>(c);
            ed->selStart = start;
            ed->selEnd = end;
            ed->selected.push_back({start, end});
        };
        t.replaceSelection = [](void* c, const char* s, int32_t n) {
            FakeEditor* ed = static_cast<FakeEditor*>(c);
            ed->text.replace((size_t)ed->selStart, (size_t)(ed->selEnd - ed->selStart), s,
                             (size_t)n);
            ed->selStart = ed->selEnd = ed->selStart + n;
        };
        t.setRedraw = [](void* c, bool on) { static_cast<FakeEditor*>(c)->redraw.push_back(on); };
        return t;
    }

    bool Find(FindSettings* s, bool repeat = false) {
        EditTarget t = Target();
        return FindInEditor(&t, s, repeat, FindPatternLength(*s), true, 256);
    }
};

FindSettings Plain(const char* text, const char* replacement = nullptr) {
    FindSettings s;
    FindSettings_Init(&s);
    s.ignoreCase = 0;
    snprintf(s.string1, sizeof s.string1, "%s", text);
    s.typedLength = (int32_t)strlen(text);
    if (replacement) {
        s.replaceEnabled = 1;
        snprintf(s.replaceText, sizeof s.replaceText, "%s", replacement);
    }
    return s;
}

AskedQuestion Info(const char* text, const char* caption) {
    return {text, caption, kButtonsOk, kIconInformation, 0};
}

using Selections = std::vector<std::pair<int64_t, int64_t>>;

TEST(EditorReplace, AllAtTheFirstPromptReplacesEveryMatchAndCountsThem) {
    const struct {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* after;
        const char* count;
    } cases[] = {
        {"aaa", "a", "bb", "bbbbbb", "3 occurrances"},
        {"aXa", "a", "aa", "aaXaa", "2 occurrances"}, // the replacement holds the pattern
        {"one two one", "one", "", " two ", "2 occurrances"},
        {"xx\r\nxx", "x", "y", "yy\r\nyy", "4 occurrances"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeEditor ed(c.text);
        ed.user.replaceAnswers = {kAnswerAll};
        FindSettings s = Plain(c.pattern, c.replacement);
        EXPECT_TRUE(ed.Find(&s));
        EXPECT_EQ(c.after, ed.text);
        EXPECT_EQ(std::vector<AskedQuestion>{Info(c.count, "Replace")}, ed.user.asked);
        EXPECT_EQ(1, ed.user.replacePrompts);
        EXPECT_EQ(1, ed.user.findDialogClosed);
        EXPECT_EQ((std::vector<bool>{false, true}), ed.redraw); // off once, on once
        EXPECT_EQ(0, s.replaceEnabled); // Find Next never replaces
    }
}

TEST(EditorReplace, EachPromptAnswerActsOnThatMatchOnly) {
    const struct {
        std::vector<int> answers;
        const char* after;
        Selections selected;
        std::vector<AskedQuestion> asked;
    } cases[] = {
        // No to every prompt visits every match once and ends with "Not Found.".
        {{kAnswerNo, kAnswerNo, kAnswerNo}, "cat, cat\r\ncat", {{0, 3}, {5, 8}, {10, 13}},
         {Info("Not Found.", "FIND")}},
        {{kAnswerYes, kAnswerNo, kAnswerYes}, "dog, cat\r\ndog", {{0, 3}, {5, 8}, {10, 13}},
         {Info("Not Found.", "FIND")}},
        // All after a Yes counts from the All on.
        {{kAnswerYes, kAnswerAll}, "dog, dog\r\ndog", {{0, 3}, {5, 8}, {10, 13}},
         {Info("2 occurrances", "Replace")}},
        {{kAnswerNo, kAnswerCancel}, "cat, cat\r\ncat", {{0, 3}, {5, 8}}, {}},
    };
    for (const auto& c : cases) {
        FakeEditor ed("cat, cat\r\ncat");
        ed.user.replaceAnswers = c.answers;
        FindSettings s = Plain("cat", "dog");
        EXPECT_TRUE(ed.Find(&s));
        EXPECT_EQ(c.after, ed.text);
        EXPECT_EQ(c.selected, ed.selected);
        EXPECT_EQ(c.asked, ed.user.asked);
        EXPECT_EQ(1, ed.user.findDialogClosed);
    }
}

TEST(EditorFind, FindAndFindNextSelectMatchesInTheTextsOwnOffsets) {
    // Line ends of every kind count as the characters they are in the editor's text.
    FakeEditor ed("ab\r\nab\nab\rab");
    FindSettings s = Plain("ab");
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(ed.Find(&s, i > 0));
    EXPECT_EQ((Selections{{0, 2}, {4, 6}, {7, 9}, {10, 12}}), ed.selected);
    EXPECT_FALSE(ed.Find(&s, true));
    EXPECT_EQ(10, ed.selStart); // the selection stays on the last match
    EXPECT_EQ(std::vector<AskedQuestion>{Info("Not Found.", "FIND")}, ed.user.asked);

    // A new find starts at the selection itself; Find Next one character after its start.
    FakeEditor again("xaaax");
    again.selStart = 1;
    FindSettings aa = Plain("aa");
    EXPECT_TRUE(again.Find(&aa));
    EXPECT_TRUE(again.Find(&aa, true));
    EXPECT_EQ((Selections{{1, 3}, {2, 4}}), again.selected);
}

TEST(EditorFind, NotAndAndTakeTheEditorsLinesAsLines) {
    FakeEditor ed("foo one\r\nbar two\r\n\r\nfoo bar\nbar foo");
    FindSettings s = Plain("foo");
    s.booleanFind = 1;
    s.not1 = 1;
    s.andMode = 1;
    // Lines without "foo", selected without their line ends; the empty line selects nothing.
    EXPECT_TRUE(ed.Find(&s));
    EXPECT_TRUE(ed.Find(&s, true));
    EXPECT_FALSE(ed.Find(&s, true));
    EXPECT_EQ((Selections{{9, 16}, {18, 18}}), ed.selected);

    // AND pairs the strings within a line only: "foo" ends line 1 and "bar" starts line 2.
    FakeEditor pair("x foo\r\nbar x\r\nbar and foo");
    s.not1 = 0;
    snprintf(s.string2, sizeof s.string2, "bar");
    EXPECT_TRUE(pair.Find(&s));
    EXPECT_EQ((Selections{{14, 17}}), pair.selected); // the earlier of the pair
}

TEST(EditorFind, FindNextInsideALineNeverTakesItsRestForALineWithout) {
    // NOT foo OR bar: line 1 holds foo before its bar, so after the bar only line 2 lacks foo.
    FakeEditor ed("x foo y bar z\r\nfoo\r\nplain\r\n");
    FindSettings s = Plain("foo");
    snprintf(s.string2, sizeof s.string2, "bar");
    s.booleanFind = 1;
    s.not1 = 1;
    s.orMode = 1;
    EXPECT_TRUE(ed.Find(&s));
    EXPECT_TRUE(ed.Find(&s, true));
    EXPECT_FALSE(ed.Find(&s, true));
    EXPECT_EQ((Selections{{8, 11}, {20, 25}}), ed.selected);
}

TEST(EditorFind, ALineBegunInsideIsJudgedWhole) {
    // "the" AND NOT "of": every "the" of a line without "of", those after the first too.
    FakeEditor ed("the cat, the dog\r\nthe end of it\r\nand the rest\r\n");
    FindSettings s = Plain("the");
    snprintf(s.string2, sizeof s.string2, "of");
    s.booleanFind = 1;
    s.not2 = 1;
    s.andMode = 1;
    for (int i = 0; i < 3; i++)
        EXPECT_TRUE(ed.Find(&s, i > 0));
    EXPECT_FALSE(ed.Find(&s, true));
    EXPECT_EQ((Selections{{0, 3}, {9, 12}, {37, 40}}), ed.selected);

    // NOT "of" from a caret inside a line without it: that whole line.
    FakeEditor caret("one of\r\ntwo three\r\n");
    caret.selStart = caret.selEnd = 10;
    FindSettings without = Plain("of");
    without.booleanFind = 1;
    without.not1 = 1;
    without.andMode = 1;
    EXPECT_TRUE(caret.Find(&without));
    EXPECT_EQ((Selections{{8, 17}}), caret.selected);
}

TEST(EditorReplace, AnEmptyMatchIsReplacedOnceAndTheRunEnds) {
    // "*" alone matches nothing at every place: each is replaced once, then the run ends.
    FakeEditor ed("ab");
    ed.user.replaceAnswers = {kAnswerAll};
    FindSettings s = Plain("*", "-");
    s.regularExpression = 1;
    EXPECT_TRUE(ed.Find(&s));
    EXPECT_EQ("-a-b", ed.text);
}

TEST(EditorFind, LineEndBytesAreRefusedAndHexBytesReplaceHexBytes) {
    FakeEditor ed("ABAB");
    FindSettings s = Plain("");
    s.hexFind = 1;
    s.string1[0] = 0x0a;
    s.byteCount1 = s.typedLength = 1;
    s.replaceEnabled = 1;
    EXPECT_FALSE(ed.Find(&s));
    EXPECT_EQ(std::vector<AskedQuestion>{Info("Cannot search for binary zero, CR, or LF",
                                              "Special Search")},
              ed.user.asked);
    EXPECT_EQ(0, s.replaceEnabled);

    FakeEditor hex("ABAB");
    hex.user.replaceAnswers = {kAnswerAll};
    s.string1[0] = 'A';
    s.replaceEnabled = 1;
    snprintf(s.replaceText, sizeof s.replaceText, "43 44");
    EXPECT_TRUE(hex.Find(&s));
    EXPECT_EQ("CDBCDB", hex.text);
}

} // namespace
