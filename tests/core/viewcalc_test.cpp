// The view window's figures: grouped numbers, percentages past 32 bits, the status band's panes
// and what the facts pane drops first, the position circle's points, hex columns and cells, and
// where a match moves the window.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "viewer/viewcalc.h"

namespace {

TEST(GroupDigits, GroupsTheFirstRunOfDigitsInThrees) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Line:1234567", "Line:1,234,567"}, {"Size:123456", "Size:123,456"},
        {"Line:1    ", "Line:1    "},       {"Line:999  ", "Line:999  "},
        {"Line:1000 ", "Line:1,000 "},      {"12345678901", "12,345,678,901"},
        {"no digits", "no digits"},         {"", ""},
    };
    for (const auto& c : cases) {
        char out[64];
        GroupDigits(c.in, out, sizeof out);
        EXPECT_STREQ(c.out, out) << c.in;
    }
    char small[6];
    GroupDigits("1234567", small, sizeof small);
    EXPECT_STREQ("1,234", small); // cut, never overrun
    char line[40];
    FormatLinePane(1234567, line, sizeof line);
    EXPECT_STREQ("Line:1,234,567", line);
    FormatLinePane(INT64_C(5000000000), line, sizeof line);
    EXPECT_STREQ("Line:5,000,000,000", line);
}

TEST(PercentOf, StaysRightPastTheThirtyTwoBitProduct) {
    const struct {
        int64_t offset, size;
        int32_t percent;
    } cases[] = {
        {0, 0, 0},
        {5, 0, 0},
        {50, 100, 50},
        {100, 100, 100},
        {150, 100, 100},
        // offset * 100 passes 2^31 above 21 MB: the 32-bit product would turn negative.
        {30000000, 60000000, 50},
        {INT64_C(3) << 32, INT64_C(4) << 32, 75},
        {INT64_C(9) << 40, INT64_C(10) << 40, 90},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.percent, PercentOf(c.offset, c.size)) << c.offset << "/" << c.size;
}

TEST(StatusBand, PanesFollowTheScreensPixelsPerInch) {
    // 96 pixels per inch: circle 24 wide at the margin, gaps of 9, a line pane of 96 (120 past
    // 200,000 bytes), picture and Strip of 24, the facts pane 12 further on to the right edge.
    StatusPanes p = LayOutStatusBand(96, 96, 4, 400, 800, 424, 1000);
    EXPECT_EQ(4, p.circle.left);
    EXPECT_EQ(28, p.circle.right);
    EXPECT_EQ(401, p.circle.top);
    EXPECT_EQ(423, p.circle.bottom);
    EXPECT_EQ(37, p.line.left);
    EXPECT_EQ(133, p.line.right);
    EXPECT_EQ(404, p.line.top); // text panes start Y / 20 below the band's top
    EXPECT_EQ(142, p.page.left);
    EXPECT_EQ(166, p.page.right);
    EXPECT_EQ(175, p.strip.left);
    EXPECT_EQ(199, p.strip.right);
    EXPECT_EQ(211, p.facts.left);
    EXPECT_EQ(800, p.facts.right);

    StatusPanes big = LayOutStatusBand(96, 96, 4, 400, 800, 424, 200001);
    EXPECT_EQ(157, big.line.right);
    EXPECT_EQ(235, big.facts.left);

    // A band too narrow for the Strip indicator gives it no width, and the facts none either.
    StatusPanes narrow = LayOutStatusBand(96, 96, 4, 400, 190, 424, 1000);
    EXPECT_EQ(narrow.strip.left, narrow.strip.right);
    EXPECT_EQ(narrow.facts.left, narrow.facts.right);
    EXPECT_NE(narrow.page.left, narrow.page.right);
}

// Eight pixels a character.
int32_t EightEach(const char*, int32_t length, void*) {
    return length * 8;
}

TEST(StatusBand, ANarrowFactsPaneDropsAttributesThenTheStampThenEverything) {
    const std::string all = "Size:123,456 01Jan26 12:00 Attr:RA";
    const struct {
        int32_t width;
        const char* shown;
    } cases[] = {
        {1000, "Size:123,456 01Jan26 12:00 Attr:RA"},
        {(int32_t)all.size() * 8, "Size:123,456 01Jan26 12:00 Attr:RA"},
        {(int32_t)all.size() * 8 - 1, "Size:123,456 01Jan26 12:00"},
        {26 * 8, "Size:123,456 01Jan26 12:00"},
        {26 * 8 - 1, "Size:123,456"},
        {12 * 8, "Size:123,456"},
        {12 * 8 - 1, ""},
        {0, ""},
    };
    for (const auto& c : cases) {
        char out[80];
        FormatFactsPane(123456, "01Jan26 12:00", "RA", c.width, EightEach, nullptr, out,
                        sizeof out);
        EXPECT_STREQ(c.shown, out) << c.width;
    }
}

TEST(PositionCircle, HundredPointsClockwiseFromTheTopMiddle) {
    // A 26 x 50 pane: 13 steps of one pixel to the right corner, 25 of two down each side.
    const struct {
        int32_t percent, x, y; // pixels
    } cases[] = {
        {0, 13, 0},  {1, 14, 0},  {12, 25, 0}, {13, 26, 0},  {14, 26, 2},
        {37, 26, 48}, {38, 26, 50}, {50, 14, 50}, {63, 0, 50}, {75, 0, 26},
        {88, 0, 0},  {94, 7, 0}, // 6.5 px: 13 px in 12 steps
        {100, 13, 0},
    };
    for (const auto& c : cases) {
        CirclePoint p = PositionCirclePoint(c.percent, 26, 50);
        EXPECT_EQ(c.x * 128, (p.x + 64) / 128 * 128) << c.percent;
        EXPECT_EQ(c.y * 128, p.y) << c.percent;
    }
    EXPECT_EQ(PositionCirclePoint(94, 26, 50).x, 13 * 128 * 6 / 12);
}

TEST(PositionCircle, NarrowSlicesWidenToTwoPoints) {
    const struct {
        int32_t top, bottom, wantTop, wantBottom;
    } cases[] = {
        {10, 10, 10, 12}, {10, 11, 10, 12}, {10, 12, 10, 12}, {0, 100, 0, 100},
        {99, 100, 98, 100}, {100, 100, 98, 100}, {98, 98, 98, 100},
    };
    for (const auto& c : cases) {
        int32_t top = c.top, bottom = c.bottom;
        WidenSlice(&top, &bottom);
        EXPECT_EQ(c.wantTop, top) << c.top << ".." << c.bottom;
        EXPECT_EQ(c.wantBottom, bottom) << c.top << ".." << c.bottom;
    }
}

TEST(HexColumns, EveryColumnOfARowNamesTheByteItShows) {
    // "00000010  41 42 43 44 45 46 47 48 - 49 4a 4b 4c 4d 4e 4f 50  ABCDEFGHIJKLMNOP"
    const struct {
        int32_t column, byte;
    } cases[] = {
        {0, 0},  {9, 0},   {10, 0},  {12, 0},  {13, 1},  {31, 7},  {32, 7},  {33, 7},
        {35, 7}, {36, 8},  {38, 8},  {39, 9},  {57, 15}, {59, 15}, {60, 15}, {61, 0},
        {65, 4}, {76, 15}, {77, 15}, {200, 15},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.byte, HexColumnToByte(c.column)) << c.column;
}

TEST(HexColumns, MatchCellsRunAcrossTheSeparatorAndOnToNextRows) {
    const struct {
        const char* name;
        int32_t matchColumn, matchLength, hScroll;
        std::vector<MatchField> want;
    } cases[] = {
        {"one byte", 0, 1, 0, {{3, 11, 2}}},
        {"three bytes", 2, 3, 0, {{3, 17, 8}}},
        {"across the separator", 6, 4, 0, {{3, 29, 13}}},
        {"second half", 8, 2, 0, {{3, 37, 5}}},
        {"onto the next row", 14, 4, 0, {{3, 55, 5}, {4, 11, 5}}},
        {"three rows", 0, 40, 0, {{3, 11, 49}, {4, 11, 49}, {5, 11, 23}}},
        {"scrolled past the start", 2, 3, 18, {{3, 1, 6}}},
        {"scrolled off", 0, 1, 20, {}},
    };
    for (const auto& c : cases) {
        MatchField out[8];
        int32_t n = HexMatchFields(3, c.matchColumn, c.matchLength, c.hScroll, out, 8);
        ASSERT_EQ(c.want.size(), (size_t)n) << c.name;
        for (int32_t i = 0; i < n; i++) {
            EXPECT_EQ(c.want[i].row, out[i].row) << c.name;
            EXPECT_EQ(c.want[i].column, out[i].column) << c.name;
            EXPECT_EQ(c.want[i].length, out[i].length) << c.name;
        }
    }
    // The cells named are the cells of a real row: "41 42 43" for bytes 1..3.
    char row[80];
    FormatHexRow(row, 0, (const unsigned char*)"ABCDEFGHIJKLMNOP", 16, false);
    MatchField f;
    HexMatchFields(0, 0, 3, 0, &f, 1);
    EXPECT_EQ("41 42 43", std::string(row + f.column - 1, (size_t)f.length));
    HexMatchFields(0, 7, 2, 0, &f, 1);
    EXPECT_EQ("48 - 49", std::string(row + f.column - 1, (size_t)f.length));
}

TEST(MatchInView, TheWindowMovesSoEveryRowOfTheMatchShows) {
    const struct {
        const char* name;
        MatchView view;
        int64_t matchLine;
        int32_t rows;
        int64_t top; // 0: stays
    } cases[] = {
        {"in the window", {100, 20, 120, false}, 110, 1, 0},
        {"on the partial last row", {100, 20, 120, false}, 120, 1, 101},
        {"hex match of three rows near the bottom", {100, 20, 120, false}, 118, 3, 101},
        {"far below", {100, 20, 120, false}, 500, 1, 481},
        // The least move that shows every row: the match is never scrolled off the top.
        {"tall match in the middle", {100, 20, 120, false}, 110, 15, 105},
        {"as tall as the page", {100, 20, 120, false}, 119, 20, 119},
        {"already the top line", {100, 3, 103, false}, 100, 5, 0},
        {"last line of the file at the bottom", {100, 20, 115, true}, 115, 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.top, TopLineForMatch(c.view, c.matchLine, c.rows)) << c.name;

    const struct {
        int32_t hScroll, start, length, visible, want;
    } h[] = {
        {0, 5, 3, 80, 0},     {10, 5, 3, 80, 4},  {0, 100, 5, 80, 25},
        {30, 100, 5, 80, 30}, {0, 1, 1, 80, 0},   {0, 79, 3, 80, 2},
    };
    for (const auto& c : h)
        EXPECT_EQ(c.want, HScrollForMatch(c.hScroll, c.start, c.length, c.visible))
            << c.start << "+" << c.length;
}

TEST(Moves, PageUpGoesBackAPageOrToTheTop) {
    const struct {
        int64_t top;
        int32_t page;
        int64_t want;
    } cases[] = {{2, 20, 1}, {1, 20, 1}, {20, 20, 1}, {21, 20, 1}, {25, 20, 5},
                 {INT64_C(5000000000), 20, INT64_C(4999999980)}};
    for (const auto& c : cases)
        EXPECT_EQ(c.want, PageUpTop(c.top, c.page)) << c.top;
}

TEST(PositionStrip, SixtyFourBitOffsetsInTheSameFormat) {
    char out[96];
    FormatPositionStrip(12, 5, 0x1F, out, sizeof out);
    EXPECT_STREQ("Line:12  Char:5  FileOffset: 1Fh      ", out);
    FormatPositionStrip(INT64_C(300000000), 77, INT64_C(0x1234567890), out, sizeof out);
    EXPECT_STREQ("Line:300000000  Char:77  FileOffset: 1234567890h      ", out);
}

} // namespace
