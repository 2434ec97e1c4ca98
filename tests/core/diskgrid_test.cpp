// The disk bar's drive buttons: the bar's height, the grid wrapping into rows, hits, frames and
// the arrow keys, and the drive table less "IgnoreDrives".
#include <gtest/gtest.h>

#include <string>

#include "lister/diskgrid.h"
#include "shell/settings.h"

namespace {

constexpr int kBw = 16; // a button takes 16 + 24 = 40 pixels

TEST(DiskBar, HeightGrowsInRowsOfTwentyFour) {
    const struct {
        int width, drives, height;
    } cases[] = {
        {205, 5, 24}, {204, 5, 48}, {85, 5, 72}, {44, 5, 24}, {45, 5, 120}, {300, 0, 24},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.height, DiskBar_Height(c.width, c.drives, kBw)) << c.width;
}

std::string Rows(const DiskGrid& g) {
    std::string text;
    for (int r = 0; r < g.rows; r++) {
        text += r ? "|" : "";
        for (int c = 0; c < kDiskGridColumns && g.cells[r][c]; c++)
            text += g.cells[r][c];
    }
    return text;
}

TEST(DiskGrid, WrapsAsTheBarPaintsAndAgreesWithItsHeight) {
    const struct {
        int width;
        const char* rows;
    } cases[] = {{205, "ACDEF"}, {204, "ACDE|F"}, {85, "AC|DE|F"}, {125, "ACD|EF"}};
    for (const auto& c : cases) {
        DiskGrid g;
        DiskGrid_Build(&g, "ACDEF", c.width, kBw);
        EXPECT_EQ(std::string(c.rows), Rows(g)) << c.width;
        EXPECT_EQ(kDiskRowHeight * g.rows, DiskBar_Height(c.width, 5, kBw)) << c.width;
    }
}

TEST(DiskGrid, HitsFramesAndFinding) {
    DiskGrid g;
    DiskGrid_Build(&g, "ACDEF", 85, kBw); // AC|DE|F
    const struct {
        int x, y;
        int hit;
        char letter;
    } cases[] = {{5, 5, 1, 'A'}, {44, 23, 1, 'A'}, {45, 5, 1, 'C'}, {45, 30, 1, 'E'},
                 {45, 50, 0, 0},  {4, 5, 0, 0},     {90, 5, 0, 0}};
    for (const auto& c : cases) {
        int row = -1, column = -1;
        ASSERT_EQ(c.hit, DiskGrid_Hit(g, c.x, c.y, kBw, &row, &column)) << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(c.letter, g.cells[row][column]);
        }
    }
    const DiskRect f = DiskGrid_Frame(1, 1, kBw, 14);
    EXPECT_EQ(42, f.left);
    EXPECT_EQ(27, f.top);
    EXPECT_EQ(76, f.right);
    EXPECT_EQ(44, f.bottom);
    int row = 0, column = 0;
    EXPECT_EQ(1, DiskGrid_Find(g, 'e', &row, &column));
    EXPECT_EQ(1, row);
    EXPECT_EQ(1, column);
    EXPECT_EQ(0, DiskGrid_Find(g, 'B', &row, &column));
}

TEST(DiskGrid, ArrowsRunThroughRowsAndWrap) {
    DiskGrid g;
    DiskGrid_Build(&g, "ACDEF", 85, kBw); // AC|DE|F
    std::string right, left;
    int row = 0, column = 0;
    for (int i = 0; i < 6; i++) {
        DiskGrid_Step(g, true, &row, &column);
        right += g.cells[row][column];
    }
    for (int i = 0; i < 6; i++) {
        DiskGrid_Step(g, false, &row, &column);
        left += g.cells[row][column];
    }
    EXPECT_EQ("CDEFAC", right);
    EXPECT_EQ("AFEDCA", left);
}

TEST(DiskGrid, TheDriveTableLeavesOutIgnoredDrives) {
    char list[kMaxDrives + 1];
    const uint32_t present = 0x1F; // A..E
    EXPECT_EQ(3, Settings_BuildDriveList(present, Settings_ParseIgnoreDrives("a,b"), list));
    EXPECT_EQ(std::string("CDE"), std::string(list, 3));
    EXPECT_EQ(4, Settings_BuildDriveList(present, Settings_ParseIgnoreDrives(" D "), list));
    DiskGrid g;
    DiskGrid_Build(&g, list, 400, kBw);
    EXPECT_EQ("ABCE", Rows(g));
}

} // namespace
