// The find history behind the control bar's "Find:" box: labels, duplicates, a box that runs
// out of space, growth, and restoring a find.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "find/findpat.h"

namespace {

FindSettings Find(const char* s1, const char* s2 = nullptr, int mode = 0) {
    FindSettings s;
    FindSettings_Init(&s);
    strcpy(s.string1, s1);
    s.typedLength = (int32_t)strlen(s1);
    if (s2) {
        strcpy(s.string2, s2);
        s.booleanFind = 1;
        s.andMode = mode == '*';
        s.orMode = mode == '+';
    }
    return s;
}

// A combo box that holds at most `room` labels, newest first.
struct FakeCombo {
    std::vector<std::string> labels;
    std::string text;
    size_t room = 100;
    HistoryCombo combo = {this, SetText, InsertTop, DeleteLast};
    static void SetText(void* c, const char* label) {
        ((FakeCombo*)c)->text = label;
    }
    static int InsertTop(void* c, const char* label) {
        FakeCombo* f = (FakeCombo*)c;
        if (f->labels.size() >= f->room)
            return 0;
        f->labels.insert(f->labels.begin(), label);
        return 1;
    }
    static void DeleteLast(void* c) {
        ((FakeCombo*)c)->labels.pop_back();
    }
};

TEST(FindHistory, Labels) {
    struct Case {
        FindSettings s;
        const char* label;
    };
    FindSettings hex = Find("");
    hex.hexFind = 1;
    strcpy(hex.hexText1, "0d 0a 41 42");
    FindSettings hexAnd = Find("\x0d", "\x0a", '*');
    hexAnd.hexFind = 1;
    strcpy(hexAnd.hexText1, "0d 0a");
    strcpy(hexAnd.hexText2, "0a 0d");
    const Case cases[] = {
        {Find("printf"), "printf"},
        {Find("abcdefghijklmno"), "abcdefghij"},
        {Find("alpha", "omega", '*'), "alph*omeg"},
        {Find("alpha", "omega", '+'), "alph+omeg"},
        {Find("ab", "cd", 0), "ab*cd"}, // AND when neither is set
        {Find("abcd", "", '*'), "abcd*"},
        {hex, "0d 0a 41 4"},
        {hexAnd, "0d 0*0a 0"},
    };
    for (const Case& c : cases) {
        char label[kFindLabelMax];
        FindHistory_Label(c.s, label);
        EXPECT_STREQ(label, c.label);
    }
}

TEST(FindHistory, RecordsEachFindOnceNewestFirst) {
    FindHistory h = {};
    FakeCombo box;
    FindSettings again = Find("abcdef");
    strcpy(again.string1, "beta"); // the rest of the field still holds "abcdef"'s tail
    const FindSettings finds[] = {Find("alpha"), Find("beta"), Find("alpha"), again,
                                  Find("alpha", "omega", '*')};
    for (const FindSettings& s : finds)
        FindHistory_Record(&h, s, (int32_t)strlen(s.string1), &box.combo);
    EXPECT_EQ(box.labels, (std::vector<std::string>{"alph*omeg", "beta", "alpha"}));
    EXPECT_EQ(box.text, "alph*omeg");
    ASSERT_EQ(h.count, 3);
    FindHistory_Record(&h, finds[1], 4, &box.combo); // a duplicate still shows its label
    EXPECT_EQ(box.text, "beta");
    EXPECT_EQ(h.count, 3);
    FindHistory_Free(&h);
}

TEST(FindHistory, FullBoxDropsTheOldest) {
    FindHistory h = {};
    FakeCombo box;
    box.room = 2;
    for (const char* s : {"one", "two", "three", "four"})
        FindHistory_Record(&h, Find(s), 3, &box.combo);
    EXPECT_EQ(box.labels, (std::vector<std::string>{"four", "three"}));
    ASSERT_EQ(h.count, 2);
    FindSettings s = Find("");
    for (int k = 0; k < 2; k++) {
        ASSERT_EQ(FindHistory_Restore(&h, k, &s), 1);
        EXPECT_EQ(s.string1, box.labels[(size_t)k]);
    }
    box.room = 0; // a box that takes nothing: every entry goes, the new one too
    FindHistory_Record(&h, Find("five"), 4, &box.combo);
    EXPECT_EQ(h.count, 0);
    FindHistory_Free(&h);
}

TEST(FindHistory, GrowsFiveAtATime) {
    FindHistory h = {};
    const int32_t capacityAfter[12] = {5, 5, 5, 10, 10, 10, 10, 10, 15, 15, 15, 15};
    for (int i = 0; i < 12; i++) {
        FindHistory_Record(&h, Find(std::to_string(i).c_str()), 1, nullptr);
        EXPECT_EQ(h.capacity, capacityAfter[i]) << "after " << i + 1;
    }
    FindSettings s = Find("");
    EXPECT_EQ(FindHistory_Restore(&h, 11, &s) + FindHistory_Restore(&h, 12, &s), 1);
    EXPECT_STREQ(s.string1, "0"); // the oldest
    FindHistory_Free(&h);
}

TEST(FindHistory, RestoreBringsBackAllButStartAtTop) {
    FindHistory h = {};
    FindSettings was = Find("", "\x03", '+');
    memcpy(was.string1, "\x01\x00\x02", 3);
    was.hexFind = 1;
    was.byteCount1 = 3;
    was.byteCount2 = 1;
    strcpy(was.hexText1, "1 0 2");
    strcpy(was.hexText2, "3");
    was.not1 = 1;
    was.startAtTop = 1;
    was.ignoreCase = 0;
    FindHistory_Record(&h, was, 3, nullptr);
    FindHistory_Record(&h, Find("later"), 5, nullptr);
    FindSettings s = Find("current");
    s.startAtTop = 0;
    ASSERT_EQ(FindHistory_Restore(&h, 1, &s), 1);
    EXPECT_EQ(memcmp(s.string1, "\x01\x00\x02", 4), 0);
    EXPECT_STREQ(s.string2, "\x03");
    EXPECT_STREQ(s.hexText1, "1 0 2");
    EXPECT_STREQ(s.hexText2, "3");
    EXPECT_EQ(s.findNextLength, 3);
    EXPECT_EQ(s.byteCount1, 3);
    EXPECT_EQ(s.byteCount2, 1);
    EXPECT_EQ(s.hexFind + s.not1 + s.orMode + s.booleanFind, 4);
    EXPECT_EQ(s.ignoreCase + s.regularExpression + s.not2 + s.andMode + s.startAtTop, 0);
    FindHistory_Free(&h);
}

} // namespace
