// The look of the window kinds: what "Set Colors" counts as a new background, the brush list,
// and the size rules of "Available Fonts".
#include <gtest/gtest.h>

#include "look/look.h"

namespace {

// A screen of few colours: each component is shown solid only as 0, 128 or 255.
OrvColor FewColours(OrvColor color) {
    OrvColor solid = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t c = color >> shift & 0xFF;
        solid |= (c < 64 ? 0u : c < 192 ? 128u : 255u) << shift;
    }
    return solid;
}

class LookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings_Reset();
        static const SettingsHooks kFew = {nullptr, FewColours};
        Settings_SetHooks(&kFew);
    }
    void TearDown() override {
        Settings_SetHooks(nullptr);
        Settings_Reset();
    }
};

// Which kind edits which colours, and how each takes a background, the GUI tests show for
// every kind; here, what counts as a new background.
TEST_F(LookTest, OnlyANewBackgroundAsksForABrush) {
    ColorEdit edit;
    EXPECT_EQ(0, ColorEdit_Begin(4, &edit)); // no kind 4
    ColorEdit_Begin(kLookKindView, &edit);
    edit.text = OrvRgb(255, 0, 0);
    EXPECT_EQ(0, ColorEdit_Confirm(edit)); // text only
    ColorEdit_SetBackground(&edit, gSettings.colors[kColorBackgnd]);
    EXPECT_EQ(0, ColorEdit_Confirm(edit)); // the same background chosen again
    ColorEdit_Begin(kLookKindDir, &edit);
    ColorEdit_SetBackground(&edit, OrvRgb(250, 250, 250)); // shown as the white it has
    EXPECT_EQ(0, ColorEdit_Confirm(edit));
}

TEST(HandleList, GrowsBySixteenListsEachHandleOnceAndKeepsItsHandlesWhenItCannotGrow) {
    HandleList list = {};
    EXPECT_EQ(0, HandleList_Add(&list, 0));
    for (uintptr_t h = 1; h <= 16; h++)
        ASSERT_EQ(1, HandleList_Add(&list, h));
    EXPECT_EQ(16, list.room);
    EXPECT_EQ(0, HandleList_Add(&list, 7));
    HandleList_FailGrowthsForTests(1);
    EXPECT_EQ(-1, HandleList_Add(&list, 17));
    EXPECT_EQ(16, list.count);
    EXPECT_FALSE(HandleList_Has(list, 17));
    EXPECT_EQ(1, HandleList_Add(&list, 17));
    EXPECT_EQ(32, list.room);
    EXPECT_TRUE(HandleList_Has(list, 1) && HandleList_Has(list, 17));
    HandleList_Free(&list);
    EXPECT_EQ(0, list.count);
    EXPECT_EQ(nullptr, list.items);
}

TEST(FontSizes, TextsAndTheSizesTheyStartWith) {
    const struct {
        int32_t points, weight, italic;
        const char* want;
    } texts[] = {
        {9, 400, 0, "9 "},
        {10, 700, 0, "10 Bold "},
        {12, 601, 1, "12 Bold Italic"},
        {8, 600, 1, "8 Italic"},
    };
    for (const auto& t : texts) {
        char text[kFontSizeTextMax];
        FontSpec_SizeText(t.points, t.weight, t.italic, text, sizeof text);
        EXPECT_STREQ(t.want, text);
        EXPECT_EQ(t.points, FontSpec_LeadingPoints(text));
    }
    char cut[4];
    EXPECT_EQ(3, FontSpec_SizeText(12, 700, 0, cut, sizeof cut));
    EXPECT_STREQ("12 ", cut);

    const struct {
        const char* text;
        int32_t points;
    } typed[] = {{"13", 13}, {"  7pt", 7}, {"", 0}, {"abc", 0}, {"-5", 0},
                 {"0", 0},   {"999", 999}, {"1000", 0}, {"99999999999999", 0}};
    for (const auto& t : typed)
        EXPECT_EQ(t.points, FontSpec_LeadingPoints(t.text)) << t.text;
}

TEST(FontSizes, FacesGeneratedSizesAndHeights) {
    const char faces[][kFontFaceMax] = {"Arial", "Courier", "Terminal"};
    EXPECT_EQ(1, FontSpec_FaceIndex(faces, 3, "courier"));
    EXPECT_EQ(0, FontSpec_FaceIndex(faces, 3, "No Such Face"));
    EXPECT_EQ(-1, FontSpec_FaceIndex(faces, 0, "Arial"));

    const int32_t sizes[] = {8, 12, 14, 14, 18};
    EXPECT_EQ(2, FontSpec_InsertAt(sizes, 5, 13));
    EXPECT_EQ(4, FontSpec_InsertAt(sizes, 5, 14));
    EXPECT_EQ(0, FontSpec_InsertAt(sizes, 5, 6));
    EXPECT_EQ(5, FontSpec_InsertAt(sizes, 5, 20));
    EXPECT_EQ(0, FontSpec_InsertAt(sizes, 0, 9));

    EXPECT_EQ(-12, FontSpec_HeightForPoints(9, 96));
    EXPECT_EQ(-13, FontSpec_HeightForPoints(10, 96));
    EXPECT_EQ(-17, FontSpec_HeightForPoints(13, 96));
    EXPECT_EQ(-10, FontSpec_HeightForPoints(10, 72));
}

} // namespace
