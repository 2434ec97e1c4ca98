// The control bar's buttons: their order and commands, where their faces lie, what a point hits,
// a press dragged off and back, and the bar's height.
#include <gtest/gtest.h>

#include <string>

#include "shell/barbuttons.h"

namespace {

TEST(BarButtons, OrderCommandsAndFaces) {
    const struct {
        const char* icon;
        int command;
    } expected[kBarButtonCount] = {
        {"TBOPEN", 101}, {"TBCLOSE", 102},    {"TBPRINT", 95}, {"TBsearch", 142}, {"TBCopy", 220},
        {"TBEDIT", 223}, {"TBlaunch", 222},   {"TBNXTW", 320}, {"TBHOME", 201},   {"TBEND", 202},
        {"TBFIND", 200}, {"TBFINDNEXT", 203}, {"TBEXIT", 103},
    };
    BarButton b[kBarButtonCount];
    BarButtons_Layout(b, 32, 32);
    for (int i = 0; i < kBarButtonCount; i++) {
        EXPECT_EQ(std::string(expected[i].icon), b[i].icon) << i;
        EXPECT_EQ(expected[i].command, b[i].command) << i;
        EXPECT_EQ(1u, b[i].state);
        EXPECT_EQ(32 * (i + 5) + 4, b[i].x) << i;
        EXPECT_EQ(4, b[i].y);
        EXPECT_EQ(23, b[i].width);
        EXPECT_EQ(18, b[i].height);
    }
    BarButtons_Layout(b, 16, 24); // small icons
    EXPECT_EQ(16 * 17 + 4, b[12].x);
    EXPECT_EQ(7, b[12].width);
    EXPECT_EQ(14, b[12].height);
}

TEST(BarButtons, HitsIncludeTheEdges) {
    BarButton b[kBarButtonCount];
    BarButtons_Layout(b, 32, 32); // button 0: x 164..187, y 4..22
    struct Case {
        int x, y, hit;
    } cases[] = {
        {164, 4, 0},   {187, 22, 0},  {175, 10, 0},         {163, 10, -1},
        {188, 10, -1}, {190, 10, -1}, {196, 10, 1},         {175, 3, -1},
        {175, 23, -1}, {10, 10, -1},  {32 * 17 + 4, 4, 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hit, BarButtons_Hit(b, kBarButtonCount, c.x, c.y)) << c.x << "," << c.y;
}

TEST(BarButtons, APressPostsOnlyWhenReleasedOnItsFace) {
    BarButton b[kBarButtonCount];
    BarButtons_Layout(b, 32, 32);
    const int onX = b[3].x + 5, offX = b[3].x + 40, y = 10; // "TBsearch", 142
    struct Step {
        char what; // d(own), m(ove), u(p)
        int x;
        BarRedraw redraw;
        int command; // for u
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"Click", {{'d', onX, kBarRedrawPressed, 0}, {'u', onX, kBarRedrawUnpressed, 142}}},
        {"DraggedOff",
         {{'d', onX, kBarRedrawPressed, 0},
          {'m', offX, kBarRedrawUnpressed, 0},
          {'m', offX + 1, kBarRedrawNone, 0},
          {'u', offX, kBarRedrawNone, 0}}},
        {"DraggedBack",
         {{'d', onX, kBarRedrawPressed, 0},
          {'m', offX, kBarRedrawUnpressed, 0},
          {'m', onX + 2, kBarRedrawPressed, 0},
          {'u', onX + 2, kBarRedrawUnpressed, 142}}},
        {"ReleasedOffWithoutAMove",
         {{'d', onX, kBarRedrawPressed, 0}, {'u', offX, kBarRedrawUnpressed, 0}}},
        {"DownOutside",
         {{'d', 10, kBarRedrawNone, 0},
          {'m', onX, kBarRedrawNone, 0},
          {'u', onX, kBarRedrawNone, 0}}},
    };
    for (const Case& c : cases) {
        BarTracking t;
        BarTracking_Reset(&t);
        for (size_t i = 0; i < c.steps.size(); i++) {
            const Step& s = c.steps[i];
            BarRedraw redraw = kBarRedrawNone;
            int command = 0;
            if (s.what == 'd')
                redraw = BarTracking_Down(&t, b, s.x, y);
            else if (s.what == 'm')
                redraw = BarTracking_Move(&t, b, s.x, y);
            else
                command = BarTracking_Up(&t, b, s.x, y, &redraw);
            EXPECT_EQ(s.redraw, redraw) << c.name << " step " << i;
            EXPECT_EQ(s.command, command) << c.name << " step " << i;
        }
        EXPECT_EQ(-1, t.pressed) << c.name;
        EXPECT_FALSE(t.tracking) << c.name;
    }
}

TEST(BarButtons, HeightIsTheLargerOfHalfAnIconAndTheFindBox) {
    struct Case {
        int icon, combo, height;
    } cases[] = {
        {32, 20, 28},               // half an icon and 12
        {32, 24, 28}, {32, 26, 30}, // the box and 4
        {32, 28, 32}, {32, 29, 28}, // past 32: half an icon again
        {16, 10, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.height, BarButtons_BarHeight(c.icon, c.combo)) << c.icon << "/" << c.combo;
}

} // namespace
