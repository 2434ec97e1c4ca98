// What start-up makes: the ten window classes with their attributes, the splash and where it
// stands, the hidden control bar with its find box, the object list; and that teardown takes
// them away again.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui/harness.h"
#include "lister/dirwnd_win.h"
#include "resources/resource.h"
#include "platform/platform.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/settings.h"
#include "shell/splash_win.h"
#include "viewer/engine.h"

namespace {

struct ClassCase {
    const char* name;
    UINT style;
    int extraSlots; // pointer-sized: 4 bytes each in ORV32.EXE, 8 in the 64-bit build
    bool icon;
    int stockBrush; // -1: a brush of the program's own
};

const ClassCase kClasses[] = {
    {"OrvMainClass", 0, 0, true, -1},
    {kViewClassName, 0, 2, true, -1},
    {kDirClassName, 0, 3, true, LTGRAY_BRUSH},
    {kSplashClassName, 0, 0, false, LTGRAY_BRUSH},
    {kTitleClassName, 0, 0, false, WHITE_BRUSH},
    {kSrchClassName, CS_DBLCLKS, 4, true, WHITE_BRUSH},
    {kEditClassName, 0, 8, true, WHITE_BRUSH},
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
        EXPECT_EQ(c.extraSlots * (int)sizeof(LONG_PTR), info.cbWndExtra);
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

// Starts the frame on an ORV32.INI holding only the given keys of "ORV for Windows".
class StartupTest : public ::testing::Test {
  protected:
    void Start(std::initializer_list<std::pair<const char*, const char*>> keys,
               const char* cmdLine = "") {
        Harness_Start();
        Plat_ResetProfileForTests();
        for (const auto& key : keys)
            Plat_WriteProfileString("ORV for Windows", key.first, key.second);
        ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), cmdLine, SW_SHOWNORMAL));
    }
    void TearDown() override {
        Orv_Shutdown();
        Plat_ResetProfileForTests();
        Harness_Stop();
    }
};

TEST_F(StartupTest, WithoutAutoOpenTheSplashGoesAfterASecond) {
    Start({{"AutoOpen", "0"}});
    ASSERT_TRUE(gSplash != NULL);
    EXPECT_TRUE(IsWindowVisible(gSplash));
    EXPECT_TRUE(GetWindowLongA(gSplash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char className[32] = "";
    GetClassNameA(gSplash, className, sizeof className);
    EXPECT_STREQ(kSplashClassName, className);
    Harness_SaveWindowBitmap(gSplash, Harness_OutputPath("splash.bmp").c_str());
    Harness_PumpMessages(1500);
    EXPECT_TRUE(gSplash == NULL);
    EXPECT_STREQ("", Frame_LastOpenPath()); // nothing was opened
}

// With nothing to open (no command line, or two numbers) and "AutoOpen" as it comes, the
// current drive's directory window opens; the program is up then, and the splash goes a second
// later rather than covering the window until a file is viewed. The current directory lies on
// the test prefix's drive, so that this drive's root is the one read.
class AutoOpenStart : public StartupTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AutoOpenStart, TheCurrentDriveIsOpenedAndTheSplashGoesASecondLater) {
    char kept[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, kept);
    const std::string folder = Harness_ScratchFolder("orv-startup");
    char root[MAX_PATH] = "";
    ASSERT_TRUE(Plat_DriveRoot(folder.c_str(), root, sizeof root));
    SetCurrentDirectoryA(folder.c_str());
    Start({}, GetParam());
    EXPECT_EQ(1, gSettings.autoOpen);
    Harness_PumpMessages(300);
    EXPECT_EQ(1, Frame_OpenCount()); // with no path: the current drive's directory window
    EXPECT_STREQ("", Frame_LastOpenPath());
    HWND dir = DirWindow_FindForRoot(root);
    EXPECT_TRUE(dir && IsWindowVisible(dir)) << root;
    EXPECT_TRUE(gSplash != NULL); // for a second more
    Harness_PumpMessages(1500);
    EXPECT_TRUE(gSplash == NULL);
    EXPECT_TRUE(IsWindow(dir));
    SetCurrentDirectoryA(kept);
    RemoveDirectoryA(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Startup, AutoOpenStart, ::testing::Values("", "12 34"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] ? "TwoNumbers" : "NoCommandLine");
                         });

TEST_F(StartupTest, TheButtonBarTakesTheTopOfTheFrameAndFollowsItsCommand) {
    Start({{"ButtonBar", "1"}});
    Harness_PumpMessages(100);
    ASSERT_TRUE(IsWindowVisible(gControlBar));
    RECT bar, client, frameClient;
    GetWindowRect(gControlBar, &bar);
    GetWindowRect(gMdiClient, &client);
    GetClientRect(gFrame, &frameClient);
    EXPECT_EQ(bar.bottom, client.top); // the MDI client starts below the bar
    EXPECT_EQ(frameClient.right, bar.right - bar.left);
    EXPECT_EQ(1, gSettings.buttonBar);

    MoveWindow(gFrame, 10, 10, 500, 400, TRUE); // a resize keeps the bar's place
    GetWindowRect(gControlBar, &bar);
    GetWindowRect(gMdiClient, &client);
    EXPECT_EQ(bar.bottom, client.top);

    SendMessageA(gFrame, WM_COMMAND, IDM_BUTTON_BAR, 0);
    EXPECT_FALSE(IsWindowVisible(gControlBar));
    EXPECT_EQ(0, gSettings.buttonBar);
    GetWindowRect(gMdiClient, &client);
    POINT origin = {0, 0};
    ClientToScreen(gFrame, &origin);
    EXPECT_EQ(origin.y, client.top); // the client takes the whole area again
}

// Sizes in ORV32.INI that cannot be had give way to the defaults, said once; the frame comes
// up, the engine works, and the INI keeps what it held until options are saved.
TEST_F(StartupTest, MemorySizesThatCannotBeHadGiveWayToTheDefaults) {
    Harness_Start();
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("Memory", "FileBuffer", "999999999");
    Plat_WriteProfileString("Memory", "BlockPointers", "99999999");
    Harness_Answer("Memory",
                   "Not enough free memory for the 'BlockPointers' and 'FileBuffer' settings in "
                   "ORV32.INI.\nORV goes on with the default size; the INI file stays as it is "
                   "until options are saved.",
                   IDOK);
    Plat_LimitPagesForTests(16 << 20); // as a 32-bit address space would refuse them
    const int started = Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL);
    Plat_LimitPagesForTests(0);
    ASSERT_EQ(1, started);
    EXPECT_EQ(0, Harness_AnswersLeft());
    EXPECT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_EQ(512, gSettings.memory.blockPointers);
    EXPECT_EQ(1, LockSharedBlocks(&gEngine, nullptr));
    Harness_PumpMessages(100);
    EXPECT_TRUE(IsWindow(gFrame));
    EXPECT_EQ("999999999", Harness_IniValue("Memory", "FileBuffer"));
    EXPECT_EQ("99999999", Harness_IniValue("Memory", "BlockPointers"));
}

TEST_F(StartupTest, TheMenuIsFittedToTheSettings) {
    Start({{"ConfirmLaunch", "0"}, {"ConfirmDelete", "0"}, {"ButtonBar", "0"}});
    char text[64] = "";
    HMENU menu = GetMenu(gFrame);
    GetMenuStringA(menu, IDM_LAUNCH, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("&Launch\tCtrl+L", text);
    GetMenuStringA(menu, IDM_DELETE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("&Delete\tCtrl+D", text);
    EXPECT_TRUE(GetMenuState(menu, IDM_DELETE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(IsWindowVisible(gControlBar));

    // The network items and their separator stand just before "&Colors...", "Tile
    // &Horizontal" just before "&Cascade".
    auto positionOf = [](HMENU popup, UINT id) {
        for (int i = 0; i < GetMenuItemCount(popup); i++)
            if (GetMenuItemID(popup, i) == id)
                return i;
        return -1;
    };
    HMENU view = NULL, window = GetSubMenu(menu, kWindowMenuPosition);
    for (int i = 0; i < GetMenuItemCount(menu) && !view; i++)
        if (positionOf(GetSubMenu(menu, i), IDM_COLORS) >= 0)
            view = GetSubMenu(menu, i);
    ASSERT_TRUE(view != NULL);
    int colors = positionOf(view, IDM_COLORS);
    EXPECT_EQ(colors - 3, positionOf(view, IDM_CONNECT_NET));
    EXPECT_EQ(colors - 2, positionOf(view, IDM_DISCONNECT_NET));
    EXPECT_TRUE(GetMenuState(view, colors - 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(positionOf(window, IDM_CASCADE) - 1, positionOf(window, IDM_TILE_HORIZONTAL));
}

} // namespace
