// A directory window's arithmetic: its panes and strips for a size and font, the button widths,
// the plain and compact status forms, hits, the tab order, sort toggles, typed names and the
// title as an icon.
#include <gtest/gtest.h>

#include <string>

#include "lister/dirlayout.h"

bool operator==(const DirRect& a, const DirRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& o, const DirRect& r) {
    return o << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

namespace {

TEST(DirLayout, PanesStripsAndButtonsFollowTheFontAndSplit) {
    // 600 x 400, line height 16, one row of drive buttons, split not set: a third of the width.
    DirLayout l;
    DirLayout_Compute({600, 400, 0, 16, 24, 20}, &l);
    const int b = 400 - (4 * 16 + 40); // 296: bottom of the panes
    EXPECT_EQ(200, l.split);
    EXPECT_EQ((DirRect{0, 24, 200, b}), l.tree);
    EXPECT_EQ((DirRect{200, 24, 204, b}), l.splitter);
    EXPECT_EQ((DirRect{204, 24, 600, b}), l.files);
    EXPECT_EQ(b + 4, l.masks[0].top);
    EXPECT_EQ(b + 8 + 16, l.masks[0].bottom);
    EXPECT_EQ((DirRect{4, b + 12 + 16, 200, b + 16 + 32}), l.combo);
    EXPECT_EQ(128, l.comboDropHeight);
    // R = 396, R / 4 = 99 > 42: a = 96, buttons 93 wide with 6-pixel gaps.
    for (int i = 0; i < kDirButtons; i++) {
        EXPECT_EQ(204 + i * 99, l.sorts[i].left) << i;
        EXPECT_EQ(93, l.sorts[i].right - l.sorts[i].left) << i;
    }
    EXPECT_EQ((DirRect{4, b + 56, 4 + 28, b + 76}), l.sumButton);
    EXPECT_EQ(400 - 3 - 16 - 4, l.bottomRowTop);
    EXPECT_EQ(l.bottomRowTop - 3, l.whiteLineY);

    DirLayout_Compute({600, 400, 350, 16, 48, 20}, &l); // split set; two rows of drives
    EXPECT_EQ(350, l.split);
    EXPECT_EQ(48, l.tree.top);
}

TEST(DirLayout, ButtonWidthsHaveAFloorOfThirtySeven) {
    const struct {
        int rest, width;
    } cases[] = {{400, 94}, {172, 37}, {168, 37}, {40, 37}, {176, 38}};
    for (const auto& c : cases)
        EXPECT_EQ(c.width, DirLayout_ButtonWidth(c.rest)) << c.rest;
}

TEST(DirLayout, HitsFindTheButtonsAndTheSumButtonOnlyWhenShown) {
    DirLayout l;
    DirLayout_Compute({600, 400, 0, 16, 24, 20}, &l);
    const struct {
        int x, y;
        bool sumShown;
        int hit;
    } cases[] = {
        {210, 310, true, kHitMask1},      {210 + 99, 340, true, kHitSort1 + 1},
        {204 + 3 * 99 + 92, 340, true, kHitSort1 + 3}, {204 + 93, 310, true, kHitNone},
        {10, 360, true, kHitSum},         {10, 360, false, kHitNone},
        {100, 100, true, kHitNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, DirLayout_Hit(l, c.x, c.y, c.sumShown)) << c.x << "," << c.y;
}

TEST(DirStatus, PlainWhileTheSpaceLineFitsHalfTheWidthElseCompact) {
    DirStatusBoxes s;
    DirStatus_Place({800, 200, 150, 120, 0, true, 40}, &s); // 216 < 400
    EXPECT_FALSE(s.compact);
    EXPECT_EQ(4, s.files.left);
    EXPECT_EQ(397, s.files.right);
    EXPECT_EQ(406, s.space.left);
    EXPECT_EQ(796, s.space.right);

    DirStatus_Place({400, 200, 150, 120, 0, true, 40}, &s); // 216 >= 200
    EXPECT_TRUE(s.compact);
    EXPECT_EQ(130, s.files.right);
    EXPECT_EQ(7, s.filesTextX);
    EXPECT_EQ(136, s.space.left);
    EXPECT_EQ(140, s.spaceTextX);
    EXPECT_EQ(400, s.space.right);
    EXPECT_EQ(44, s.volume.left); // beside the Sum button

    DirStatus_Place({400, 200, 150, 120, 300, false, 40}, &s);
    EXPECT_EQ(304, s.volume.left); // past the status-row text
    DirStatus_Place({400, 200, 150, 120, 50, false, 40}, &s);
    EXPECT_EQ(136, s.volume.left); // no further left than the space box
}

TEST(DirKeys, TabOrderSkipsAnEmptyFileList) {
    const struct {
        DirTabStop from;
        bool backwards, empty;
        DirTabStop to;
    } cases[] = {
        {kTabTree, false, false, kTabFiles}, {kTabTree, false, true, kTabCombo},
        {kTabCombo, true, true, kTabTree},   {kTabCombo, true, false, kTabFiles},
        {kTabDisk, false, false, kTabTree},  {kTabTree, true, false, kTabDisk},
        {kTabMasks, false, false, kTabSorts},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.to, DirTab_Next(c.from, c.backwards, c.empty)) << c.from;
}

TEST(DirKeys, ButtonRowsWrapAndSortKeysToggle) {
    EXPECT_EQ(2, DirButtons_Step(1, true));
    EXPECT_EQ(1, DirButtons_Step(4, true));
    EXPECT_EQ(4, DirButtons_Step(1, false));
    EXPECT_EQ(3, DirButtons_Step(4, false));
    EXPECT_EQ(0, DirSort_Toggle(5, 5)); // the active key off: directory order
    EXPECT_EQ(8, DirSort_Toggle(5, 8)); // another key: the only active one
    EXPECT_EQ(6, DirSort_Toggle(0, 6));
}

TEST(DirOpen, TypedNamesStartingWithADotBecomeMasks) {
    const struct {
        const char* typed;
        const char* opened;
    } cases[] = {
        {".txt", "*.txt"},           {"c:\\data\\.txt", "c:\\data\\*.txt"},
        {"..", "..\\*.*"},           {"..\\", "..\\"},
        {"c:\\data\\..", "c:\\data\\.."}, {"readme.txt", "readme.txt"},
        {"*.c;*.h", "*.c;*.h"},      {"c:.txt", "c:*.txt"},
    };
    for (const auto& c : cases) {
        char out[64];
        DirOpen_RewriteTyped(c.typed, out, sizeof out);
        EXPECT_EQ(std::string(c.opened), out) << c.typed;
    }
    char tiny[4];
    DirOpen_RewriteTyped(".txt", tiny, sizeof tiny);
    EXPECT_EQ("*.t", std::string(tiny));
}

TEST(DirWindowTitle, AsAnIconDeepDirectoriesShowRootAndLastPart) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"c:\\", "c:\\"},          {"c:\\a", "c:\\a"},   {"c:\\a\\", "c:\\a"},
        {"c:\\a\\b", "c:\\...\\b"}, {"c:\\a\\b\\cde\\", "c:\\...\\cde"},
    };
    for (const auto& c : cases) {
        char out[kDirIconTitleMax];
        DirWindow_IconTitle(c.path, out, sizeof out);
        EXPECT_EQ(std::string(c.title), out) << c.path;
    }
}

} // namespace
