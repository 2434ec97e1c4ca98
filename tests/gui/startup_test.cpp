// What start-up makes: the ten window classes with their attributes, the splash and where it
// stands, the hidden control bar with its find box, the object list; and that teardown takes
// them away again.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui/harness.h"
#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/drawobjects.h"
#include "shell/settings.h"
#include "shell/splash.h"

namespace {

struct ClassCase {
    const char* name;
    UINT style;
    int extraBytes;
    bool icon;
    int stockBrush; // -1: a brush of the program's own
};

const ClassCase kClasses[] = {
    {"OrvMainClass", 0, 0, true, -1},
    {kViewClassName, 0, 8, true, -1},
    {kDirClassName, 0, 12, true, LTGRAY_BRUSH},
    {kSplashClassName, 0, 0, false, LTGRAY_BRUSH},
    {kTitleClassName, 0, 0, false, WHITE_BRUSH},
    {kSrchClassName, CS_DBLCLKS, 16, true, WHITE_BRUSH},
    {kEditClassName, 0, 32, true, WHITE_BRUSH},
    {kBarClassName, CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT, 0, false, -1},
    {kDiskClassName, CS_DBLCLKS, 0, false, -1},
    {kSplitClassName, CS_DBLCLKS, 0, false, BLACK_BRUSH},
};

TEST_F(OrvFrameTest, TheTenClassesCarryTheirStylesRecordsIconsAndBrushes) {
    const HINSTANCE instance = GetModuleHandleA(NULL);
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        WNDCLASSA info = {};
        ASSERT_TRUE(GetClassInfoA(instance, c.name, &info));
        EXPECT_EQ(c.style, info.style);
        EXPECT_EQ(c.extraBytes, info.cbWndExtra);
        EXPECT_EQ(c.icon, info.hIcon != NULL);
        if (c.stockBrush >= 0)
            EXPECT_EQ(GetStockObject(c.stockBrush), info.hbrBackground);
        else
            EXPECT_TRUE(info.hbrBackground != NULL);
    }
    WNDCLASSA view = {};
    GetClassInfoA(instance, kViewClassName, &view);
    EXPECT_EQ(gDraw.viewBrush, view.hbrBackground); // the view's own colour
    WNDCLASSA split = {};
    GetClassInfoA(instance, kSplitClassName, &split);
    EXPECT_NE(LoadCursor(NULL, IDC_ARROW), split.hCursor);

    Orv_Shutdown();
    for (const ClassCase& c : kClasses) {
        WNDCLASSA info = {};
        EXPECT_FALSE(GetClassInfoA(instance, c.name, &info)) << c.name << " left registered";
    }
}

TEST_F(OrvFrameTest, TheControlBarWaitsHiddenWithItsFindBox) {
    ASSERT_TRUE(gControlBar != NULL);
    EXPECT_FALSE(IsWindowVisible(gControlBar));
    char title[32] = "";
    GetWindowTextA(gControlBar, title, sizeof title);
    EXPECT_STREQ("ORVControlBar", title);
    EXPECT_EQ(gFrame, GetParent(gControlBar));
    EXPECT_EQ(gFindCombo, GetDlgItem(gControlBar, kFindComboId));
    char className[32] = "";
    GetClassNameA(gFindCombo, className, sizeof className);
    EXPECT_EQ(0, lstrcmpiA("combobox", className));
}

TEST_F(OrvFrameTest, TheObjectListKeepsEachHandleOnceOemFontFirst) {
    const int before = Orv_KeptObjectCount();
    EXPECT_GE(before, 1); // the OEM fixed font
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    Orv_KeepObject(brush);
    Orv_KeepObject(brush);
    EXPECT_EQ(before + 1, Orv_KeptObjectCount());
}

TEST(SplashPlacement, CentredOnTheFrameOrKeptOnTheScreen) {
    const struct {
        RECT frame;
        int widest, line, icon;
        RECT want;
    } cases[] = {
        {{0, 0, 800, 600}, 150, 16, 32, {295, 185, 505, 415}}, // centred
        {{0, 0, 200, 200}, 150, 16, 32, {200, 50, 410, 280}}, // small, near the corner
        {{100, 100, 310, 330}, 150, 16, 32, {105, 105, 315, 335}}, // small, further in
        {{0, 0, 800, 600}, 250, 16, 32, {265, 185, 535, 415}}, // wide text widens it
        {{0, 0, 800, 600}, 150, 24, 32, {295, 164, 505, 436}}, // tall lines heighten it
    };
    for (const auto& c : cases) {
        RECT at = Splash_Placement(c.frame, c.widest, c.line, c.icon);
        EXPECT_EQ((std::vector<LONG>{c.want.left, c.want.top, c.want.right, c.want.bottom}),
                  (std::vector<LONG>{at.left, at.top, at.right, at.bottom}));
    }
}

class SplashTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Orv_Shutdown();
        Plat_ResetProfileForTests();
        Harness_Stop();
    }
};

TEST_F(SplashTest, WithoutAutoOpenTheSplashGoesAfterASecond) {
    Harness_Start();
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
    ASSERT_TRUE(gSplash != NULL);
    EXPECT_TRUE(IsWindowVisible(gSplash));
    EXPECT_TRUE(GetWindowLongA(gSplash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char className[32] = "";
    GetClassNameA(gSplash, className, sizeof className);
    EXPECT_STREQ(kSplashClassName, className);
    Harness_SaveWindowBitmap(gSplash, Harness_OutputPath("splash.bmp").c_str());
    Harness_PumpMessages(1500);
    EXPECT_TRUE(gSplash == NULL);
}

TEST_F(SplashTest, WithAutoOpenTheSplashStaysForTheFirstView) {
    Harness_Start();
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "1");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
    Harness_PumpMessages(1500);
    EXPECT_TRUE(gSplash != NULL);
}

} // namespace
