// Font specifications: reading both forms, writing them back, and picking a raster face's size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "look/fontspec.h"

namespace {

std::string Describe(const FontChoice& c) {
    return std::string(c.face) + "|" + std::to_string(c.points) + "|" +
           std::to_string(c.sizeIndex) + "|" + (c.bold ? "b" : "") + (c.italic ? "i" : "");
}

TEST(FontSpec, ParsesBothForms) {
    const struct {
        const char* spec;
        const char* want; // face|points|index|bold italic
    } cases[] = {
        {"Terminal(9)", "Terminal|9|-1|"},
        {"System(10,bold)", "System|10|-1|b"},
        {"Courier New(12,bold,italic)", "Courier New|12|-1|bi"},
        {"Arial(14,Italic,BOLD)", "Arial|14|-1|bi"},
        {"Arial(8,emboldened)", "Arial|8|-1|b"}, // "bold" anywhere in the rest
        {"ORV default(9)", "Terminal|9|-1|"},
        {"orv DEFAULT,1", "Terminal|0|1|"},
        {"Terminal,3", "Terminal|0|3|"},
        {"Odd,Face(7)", "Odd,Face|7|-1|"}, // "(" wins over an earlier ","
        {"Courier New (10)", "Courier New|10|-1|"},
        {"Fixedsys", "Fixedsys|0|0|"},
        {"(12)", "|12|-1|"},
        {"Arial(-3)", "Arial|0|-1|"},
        {"Arial(99999999999)", "Arial|2147483647|-1|"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij(9)", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde|9|-1|"},
    };
    for (const auto& c : cases) {
        FontChoice choice;
        FontSpec_Parse(c.spec, &choice);
        EXPECT_EQ(Describe(choice), c.want) << c.spec;
    }
}

TEST(FontSpec, FormatsAsTheFileKeepsThem) {
    const struct {
        FontKind kind;
        FontChoice choice;
        const char* want;
    } cases[] = {
        {kFontEdit, {"Terminal", 9, -1, 0, 0}, "Terminal(9)"},
        {kFontDir, {"System", 10, -1, 1, 0}, "System(10,bold)"},
        {kFontSearch, {"Courier New", 12, -1, 1, 1}, "Courier New(12,bold,italic)"},
        {kFontView, {"Arial", 8, -1, 0, 1}, "Arial(8,italic)"},
        {kFontView, {"Terminal", 0, 2, 0, 0}, "Terminal,2"},  // no points: the older form
        {kFontEdit, {"Terminal", 0, 2, 0, 0}, "Terminal(0)"}, // only for the view font
        {kFontView, {"Terminal", 9, 2, 0, 0}, "Terminal(9)"},
    };
    for (const auto& c : cases) {
        char text[kFontSpecMax];
        FontSpec_Format(c.kind, c.choice, text, sizeof text);
        EXPECT_STREQ(text, c.want);
        FontChoice again;
        FontSpec_Parse(text, &again);
        EXPECT_EQ(again.points, c.choice.points) << text;
    }
    // The longest face with every attribute still fits, and a small buffer is never overrun.
    FontChoice longest = {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", 2147483647, -1, 1, 1};
    char text[kFontSpecMax];
    EXPECT_EQ(FontSpec_Format(kFontEdit, longest, text, sizeof text), 55);
    EXPECT_EQ(FontSpec_Format(kFontEdit, longest, text, 10), 9);
    EXPECT_STREQ(text, "ABCDEFGHI");
}

TEST(FontSpec, RasterSizesMatchPointsWeightAndSlantExactly) {
    // At 96 dots per inch: (height - leading) * 72 / 96 points.
    const FontSizeEntry sizes[] = {
        {12, 0, 400, 0}, // 9
        {16, 4, 700, 0}, // 9 bold
        {13, 1, 400, 1}, // 9 italic
        {12, 0, 400, 0}, // 9 again: never taken, the first match wins
        {16, 0, 601, 0}, // 12 bold
        {16, 0, 600, 0}, // 12, not bold: 600 is not above 600
        {18, 2, 400, 0}, // 12
    };
    const struct {
        int points, bold, italic, want;
    } cases[] = {
        {9, 0, 0, 0},  {9, 1, 0, 1},  {9, 0, 1, 2},   {9, 1, 1, -1},
        {12, 1, 0, 4}, {12, 0, 0, 5}, {10, 0, 0, -1}, {0, 0, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontSpec_MatchRaster(sizes, 7, 96, c.points, c.bold, c.italic), c.want)
            << c.points << (c.bold ? " bold" : "") << (c.italic ? " italic" : "");
    EXPECT_EQ(FontSpec_MatchRaster(sizes, 0, 96, 9, 0, 0), -1);
    EXPECT_EQ(FontSpec_EntryPoints({20, 4, 400, 0}, 120), 9); // 16 * 72 / 120 = 9.6
}

} // namespace
