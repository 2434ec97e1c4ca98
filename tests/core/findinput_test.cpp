// A find string from a selection, from the Find dialog's boxes and from the control bar's box:
// what is taken, what is refused and what the history keeps.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "find/findinput.h"
#include "support.h"

namespace {

const int kYes = kAnswerYes, kNo = kAnswerNo;

TEST(FindPrefill, OneShortLineIsTaken) {
    struct Case {
        std::string text;
        bool taken;
    } cases[] = {
        {"", false},
        {"printf", true},
        {std::string(20, 'x'), true},
        {std::string(79, 'x'), true},  // string 1 is full
        {std::string(80, 'x'), false}, // one more would not fit
        {std::string(100, 'x'), false},
        {"two\r\nlines", false},
        {"a\nb", false},
        {"ends in a line end\r", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.taken, FindPrefill_Accepts(c.text.data(), (int64_t)c.text.size()))
            << c.text.size() << " characters: " << c.text;
}

TEST(FindPrefill, AViewSelectionFitsOnOneLineOf79Columns) {
    struct Case {
        int64_t firstLine;
        int32_t firstColumn;
        int64_t lastLine;
        int32_t lastColumn;
        bool fits;
    } cases[] = {
        {5, 0, 5, 19, true},   // 20 columns
        {5, 10, 5, 88, true},  // 79 columns
        {5, 10, 5, 89, false}, // 80 columns
        {5, 0, 5, 99, false},  // 100 columns
        {5, 0, 6, 3, false},   // two lines
        {5, 7, 5, 7, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fits, FindPrefill_ViewSelectionFits(c.firstLine, c.firstColumn, c.lastLine,
                                                        c.lastColumn))
            << c.firstColumn << ".." << c.lastColumn;
}

// A combo box of unlimited room, newest label first.
struct Labels {
    std::vector<std::string> list;
    std::string text;
    HistoryCombo combo = {this, SetText, InsertTop, DeleteLast};
    static void SetText(void* c, const char* label) {
        ((Labels*)c)->text = label;
    }
    static int InsertTop(void* c, const char* label) {
        ((Labels*)c)->list.insert(((Labels*)c)->list.begin(), label);
        return 1;
    }
    static void DeleteLast(void* c) {
        ((Labels*)c)->list.pop_back();
    }
};

class FindInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FindSettings_Init(&s_);
    }
    void TearDown() override {
        FindHistory_Free(&h_);
    }
    FindDialogValues Boxes(const char* text) {
        FindDialogValues v = {};
        v.findText = text;
        v.string2 = "";
        v.ignoreCase = 1;
        return v;
    }
    FindSettings s_;
    FindHistory h_ = {};
    Labels labels_;
    ScriptedUser user_;
};

TEST_F(FindInputTest, AnEmptyPatternIsRefusedWithItsMessage) {
    EXPECT_EQ(kFindStartEmpty, FindStart_Prepare(&s_, Boxes(""), &h_, &labels_.combo));
    ASSERT_EQ(1u, user_.asked.size());
    EXPECT_EQ((AskedQuestion{"The find pattern cannot be empty", "", kButtonsOk, kIconInformation,
                             kPromptOwnedByFocus}),
              user_.asked[0]);
    EXPECT_EQ(0, h_.count);
}

TEST_F(FindInputTest, APlainFindIsStoredAndRecorded) {
    FindDialogValues v = Boxes("printf");
    v.ignoreCase = 0;
    v.startAtTop = 1;
    v.replaceText = "puts";
    v.replaceEnabled = 1;
    EXPECT_EQ(kFindStartGo, FindStart_Prepare(&s_, v, &h_, &labels_.combo));
    EXPECT_STREQ("printf", s_.string1);
    EXPECT_EQ(6, s_.typedLength);
    EXPECT_EQ(6, s_.findNextLength);
    EXPECT_EQ(0, s_.ignoreCase);
    EXPECT_EQ(1, s_.startAtTop);
    EXPECT_EQ(1, s_.replaceEnabled);
    EXPECT_STREQ("puts", s_.replaceText);
    EXPECT_EQ(std::vector<std::string>{"printf"}, labels_.list);
    EXPECT_EQ("printf", labels_.text);
    EXPECT_TRUE(user_.asked.empty());

    // Without replace boxes (a view) the replace flag goes off.
    v.replaceText = nullptr;
    EXPECT_EQ(kFindStartGo, FindStart_Prepare(&s_, v, &h_, &labels_.combo));
    EXPECT_EQ(0, s_.replaceEnabled);
    EXPECT_EQ(1, h_.count); // the same find again is not listed twice
}

TEST_F(FindInputTest, HexTextsAreParsedAndRefusalsKeepTheDialog) {
    struct Case {
        const char* name;
        const char* text1;
        const char* text2; // with boolean find when not null
        std::vector<int> answers;
        FindStartResult result;
        std::string string1;
        int32_t byteCount1, hexFind;
    } cases[] = {
        {"Bytes", "0d a 5", nullptr, {}, kFindStartGo, "\x0d\x0a\x05", 3, 1},
        {"BadDigitDeclined", "0g", nullptr, {kNo}, kFindStartRefused, "", 0, 1},
        {"BadDigitTurnsHexOff", "0g", nullptr, {kYes}, kFindStartGo, "0g", 0, 0},
        {"BothParsed", "41 42", "43", {}, kFindStartGo, "AB", 2, 1},
        // Hex turned off at string 2: string 1 is searched as typed too.
        {"OffAtString2", "41 42", "zz", {kYes}, kFindStartGo, "41 42", 0, 0},
    };
    for (const Case& c : cases) {
        FindSettings_Init(&s_);
        user_.answers = c.answers;
        user_.asked.clear();
        FindDialogValues v = Boxes(c.text1);
        v.hexFind = 1;
        v.booleanFind = c.text2 != nullptr;
        v.string2 = c.text2 ? c.text2 : "";
        EXPECT_EQ(c.result, FindStart_Prepare(&s_, v, &h_, nullptr)) << c.name;
        EXPECT_EQ(c.answers.size(), user_.asked.size()) << c.name;
        if (c.result != kFindStartGo)
            continue;
        EXPECT_EQ(c.string1, std::string(s_.string1, c.string1.size())) << c.name;
        EXPECT_EQ(c.byteCount1, s_.byteCount1) << c.name;
        EXPECT_EQ(c.hexFind, s_.hexFind) << c.name;
        EXPECT_STREQ(c.text1, s_.hexText1) << c.name;
        EXPECT_EQ(c.hexFind ? c.byteCount1 : (int32_t)strlen(c.text1), s_.findNextLength) << c.name;
    }
}

TEST_F(FindInputTest, RegularExpressionQuestionsComeFirst) {
    FindDialogValues v = Boxes("+a");
    v.regularExpression = 1;
    user_.answers = {kNo};
    EXPECT_EQ(kFindStartRefused, FindStart_Prepare(&s_, v, &h_, &labels_.combo));
    EXPECT_EQ(0, h_.count);

    user_.answers = {kYes}; // turned off: a plain find of "+a"
    EXPECT_EQ(kFindStartGo, FindStart_Prepare(&s_, v, &h_, &labels_.combo));
    EXPECT_EQ(0, s_.regularExpression);
    EXPECT_STREQ("+a", s_.string1);
}

TEST_F(FindInputTest, TheBarTakesTypedTextAndHistoryEntries) {
    bool enable = false;
    // The first find of the run enables Find Next, unless Find itself is greyed.
    EXPECT_EQ(1, FindChoice_Apply(&s_, &h_, -1, "printf", true, &labels_.combo, &enable));
    EXPECT_TRUE(enable);
    EXPECT_STREQ("printf", s_.string1);
    EXPECT_EQ(6, s_.findNextLength);

    s_.booleanFind = 1;
    s_.andMode = 1;
    strcpy(s_.string2, "omega");
    EXPECT_EQ(1, FindChoice_Apply(&s_, &h_, -1, "alpha", true, &labels_.combo, &enable));
    EXPECT_FALSE(enable);
    EXPECT_EQ((std::vector<std::string>{"alph*omeg", "printf"}), labels_.list);

    // Index 1 is the older find, restored whole.
    EXPECT_EQ(1, FindChoice_Apply(&s_, &h_, 1, nullptr, true, &labels_.combo, &enable));
    EXPECT_STREQ("printf", s_.string1);
    EXPECT_EQ(0, s_.booleanFind);
    EXPECT_EQ(0, FindChoice_Apply(&s_, &h_, 2, nullptr, true, &labels_.combo, &enable));
    EXPECT_EQ(0, FindChoice_Apply(&s_, &h_, -1, "", true, &labels_.combo, &enable));

    // Typed text is cut to what string 1 holds.
    const std::string longText(100, 'q');
    EXPECT_EQ(1, FindChoice_Apply(&s_, &h_, -1, longText.c_str(), true, nullptr, &enable));
    EXPECT_EQ(longText.substr(0, 79), s_.string1);
    EXPECT_EQ(79, s_.typedLength);
}

TEST_F(FindInputTest, TheBarTurnsHexTextIntoBytesOrLeavesAll) {
    bool enable = false;
    s_.hexFind = 1;
    EXPECT_EQ(1, FindChoice_Apply(&s_, &h_, -1, "0d 0a", false, &labels_.combo, &enable));
    EXPECT_FALSE(enable); // "&Find..." greyed
    EXPECT_EQ(2, s_.byteCount1);
    EXPECT_EQ(std::string("\r\n"), std::string(s_.string1, 2));
    EXPECT_STREQ("0d 0a", s_.hexText1);
    EXPECT_EQ(2, s_.findNextLength);

    const FindSettings before = s_;
    user_.answers = {kNo};
    EXPECT_EQ(0, FindChoice_Apply(&s_, &h_, -1, "0g", true, &labels_.combo, &enable));
    EXPECT_EQ(0, memcmp(&before, &s_, sizeof s_));
    EXPECT_EQ(1, h_.count);
}

} // namespace
