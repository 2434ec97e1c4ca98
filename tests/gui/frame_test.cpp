// The frame as the user meets it: its window, menu, MDI client and resources; the ways it is
// closed; and a second start of the program handing its command line to the first.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>

#include "gui/harness.h"
#include "resources/resource.h"

namespace {

std::string MenuItemText(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// A plain MDI child, standing in for the program's own child windows until they exist.
HWND CreateTestChild(const char* title) {
    WNDCLASSA childClass = {};
    childClass.lpfnWndProc = DefMDIChildProcA;
    childClass.hInstance = GetModuleHandleA(NULL);
    childClass.lpszClassName = "OrvTestChild";
    RegisterClassA(&childClass); // fails harmlessly when a previous test registered it
    return CreateMDIWindowA(childClass.lpszClassName, title, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, gMdiClient, childClass.hInstance, 0);
}

RECT ScreenRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

} // namespace

TEST_F(OrvFrameTest, WindowClientMenusAndResources) {
    EXPECT_EQ(gFrame, FindWindowA("OrvMainClass", "ORV"));
    EXPECT_TRUE(IsWindowVisible(gFrame));
    EXPECT_EQ(WS_OVERLAPPEDWINDOW, GetWindowLongA(gFrame, GWL_STYLE) & WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(GetWindowLongA(gFrame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetClassLongPtrA(gFrame, GCLP_HICON) != 0) << "the icon did not load";
    char version[64] = "";
    LoadStringA(GetModuleHandleA(NULL), 32, version, sizeof version);
    EXPECT_STREQ("Version 1.35", version);

    // The MDI client is child 10000 and fills the frame.
    EXPECT_EQ(gMdiClient, GetDlgItem(gFrame, 10000));
    EXPECT_EQ(gMdiClient, FindWindowExA(gFrame, NULL, "MDIClient", NULL));
    EXPECT_TRUE(IsWindowVisible(gMdiClient));
    RECT frameClient, client;
    GetClientRect(gFrame, &frameClient);
    GetWindowRect(gMdiClient, &client);
    MapWindowPoints(NULL, gFrame, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(EqualRect(&frameClient, &client));

    std::string menus;
    for (int i = 0; i < GetMenuItemCount(GetMenu(gFrame)); i++)
        menus += MenuItemText(GetMenu(gFrame), i) + "|";
    EXPECT_EQ("&File|&Edit|&View|&Go|&Options|&Window|&Help|", menus);
}

TEST_F(OrvFrameTest, WindowMenuListsActivatesAndArrangesTheChildren) {
    HMENU windowMenu = GetSubMenu(GetMenu(gFrame), kWindowMenuPosition);
    ASSERT_EQ("&Window", MenuItemText(GetMenu(gFrame), kWindowMenuPosition));
    const int before = GetMenuItemCount(windowMenu);
    HWND first = CreateTestChild("first.txt");
    HWND second = CreateTestChild("second.txt");
    ASSERT_TRUE(first && second);
    Harness_PumpMessages(20);

    // A separator and one item per child, numbered from 4100, follow the commands.
    ASSERT_EQ(before + 3, GetMenuItemCount(windowMenu));
    EXPECT_EQ(4100, static_cast<int>(GetMenuItemID(windowMenu, before + 1)));
    EXPECT_EQ(4101, static_cast<int>(GetMenuItemID(windowMenu, before + 2)));
    EXPECT_NE(std::string::npos, MenuItemText(windowMenu, before + 1).find("first.txt"));
    EXPECT_NE(std::string::npos, MenuItemText(windowMenu, before + 2).find("second.txt"));
    // Choosing an entry activates its window ("PreviousFile" leaves the other as it is).
    gSettings.closePrevious = gSettings.minimisePrevious = 0;
    SendMessageA(gFrame, WM_COMMAND, 4100, 0);
    EXPECT_EQ(first, reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0)));

    // Tile and Cascade, from the menu and by their keys.
    for (bool byKeys : {false, true}) {
        SCOPED_TRACE(byKeys ? "Shift+F4 / Shift+F5" : "Window menu");
        auto arrange = [&](int command, BYTE key) {
            if (byKeys) {
                SetFocus(gMdiClient);
                Harness_PressKeys({VK_SHIFT, key});
                Harness_RunProgramLoop(300);
            } else {
                ASSERT_NE(-1, static_cast<int>(GetMenuState(windowMenu, command, MF_BYCOMMAND)));
                SendMessageA(gFrame, WM_COMMAND, command, 0);
            }
        };
        // Tiled side by side: full height, one beside the other. (The client is measured after
        // tiling: the scroll bars the children needed before are gone.)
        arrange(IDM_TILE_VERTICAL, VK_F4);
        RECT area;
        GetClientRect(gMdiClient, &area);
        RECT a = ScreenRect(first), b = ScreenRect(second);
        EXPECT_EQ(area.bottom - area.top, a.bottom - a.top);
        EXPECT_EQ(area.bottom - area.top, b.bottom - b.top);
        EXPECT_TRUE(a.right <= b.left || b.right <= a.left);
        // Cascaded: the same size, each one step down and to the right of the one behind it.
        arrange(IDM_CASCADE, VK_F5);
        a = ScreenRect(first);
        b = ScreenRect(second);
        EXPECT_EQ(a.right - a.left, b.right - b.left);
        EXPECT_NE(a.left, b.left);
        EXPECT_EQ(b.left - a.left, b.top - a.top);
    }
}

// Picking another window from the list treats the one left as a file left for another:
// "PreviousFile" minimises it, closes it, or leaves it.
TEST_F(OrvFrameTest, PickingAWindowAppliesThePreviousFileRule) {
    const struct {
        const char* rule;
        bool minimised, closed;
    } cases[] = {{"Min", true, false}, {"Close", false, true}, {"NoChg", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        gSettings.minimisePrevious = lstrcmpA(c.rule, "Min") == 0;
        gSettings.closePrevious = lstrcmpA(c.rule, "Close") == 0;
        HWND first = CreateTestChild("first.txt");
        HWND second = CreateTestChild("second.txt"); // active
        SendMessageA(gFrame, WM_COMMAND, 4100, 0);
        EXPECT_EQ(c.closed, !IsWindow(second));
        EXPECT_EQ(c.minimised, IsWindow(second) && IsIconic(second));
        EXPECT_EQ(first, reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0)));
        SendMessageA(gMdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
        if (IsWindow(second))
            SendMessageA(gMdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
    }
}

TEST_F(OrvFrameTest, PictureShowsTheFrameWithTheWorkspaceColour) {
    Harness_PumpMessages(200);
    std::string path = Harness_OutputPath("frame.bmp");
    ASSERT_EQ(1, Harness_SaveWindowBitmap(gFrame, path.c_str())) << path;

    // Read back, the picture has the frame's size, and the middle of the MDI client shows the
    // workspace colour.
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(picture != NULL);
    BITMAP bitmap = {};
    GetObjectA(picture, sizeof bitmap, &bitmap);
    RECT frame = ScreenRect(gFrame), client = ScreenRect(gMdiClient);
    EXPECT_EQ(frame.right - frame.left, bitmap.bmWidth);
    EXPECT_EQ(frame.bottom - frame.top, bitmap.bmHeight);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(dc, picture);
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE),
              GetPixel(dc, (client.left + client.right) / 2 - frame.left,
                       (client.top + client.bottom) / 2 - frame.top));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(picture);
}

// ---- Closing ----------------------------------------------------------------------------------

struct CloseWay {
    const char* name;
    UINT message; // 0: Alt+F4 pressed instead
    WPARAM wParam;
};

class FrameCloseTest : public OrvFrameTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(FrameCloseTest, EndsTheLoopWithZeroAndUnregistersTheClass) {
    HWND frame = gFrame;
    if (GetParam().message) {
        PostMessageA(frame, GetParam().message, GetParam().wParam, 0);
    } else {
        SetFocus(gMdiClient);
        Harness_PressKeys({VK_MENU, VK_F4});
    }
    EXPECT_EQ(0, Harness_RunProgramLoop(5000));
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(gFrame == NULL);
    WNDCLASSA frameClass;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(NULL), "OrvMainClass", &frameClass));
}

INSTANTIATE_TEST_SUITE_P(Ways, FrameCloseTest,
                         ::testing::Values(CloseWay{"CloseMessage", WM_CLOSE, 0},
                                           CloseWay{"CloseBox", WM_SYSCOMMAND, SC_CLOSE},
                                           CloseWay{"ExitCommand", WM_COMMAND, IDM_EXIT},
                                           CloseWay{"AltF4", 0, 0}),
                         ByName());

// ---- A second start ---------------------------------------------------------------------------

struct SecondStart {
    const char* name;
    std::string commandLine;
    std::string pathOpened; // what the first instance's Open/Dir receives; "" for nothing
    bool refused = false; // too long for the program: "Invalid filespec", nothing opened
};

class SecondStartTest : public OrvFrameTest, public ::testing::WithParamInterface<SecondStart> {};

TEST_P(SecondStartTest, RaisesTheFirstAndHandsOverItsCommandLine) {
    const SecondStart& start = GetParam();
    ShowWindow(gFrame, SW_MINIMIZE);
    std::string commandLine = "\"" + Harness_OutputPath("ORV32.exe") + "\"" +
                              (start.commandLine.empty() ? "" : " ") + start.commandLine;
    DWORD exitCode = 99;
    if (start.refused)
        Harness_Answer(NULL, "Invalid filespec", IDOK);
    ASSERT_EQ(1, Harness_RunProcess(commandLine, &exitCode)) << "ORV32.exe did not start and end";
    EXPECT_EQ(0u, exitCode);
    Harness_PumpMessages(100); // the path was posted to the frame before the second start ended
    EXPECT_EQ(start.pathOpened, Frame_LastOpenPath());
    EXPECT_TRUE(IsWindow(gFrame) && !IsIconic(gFrame)) << "the first is not shown normally";
}

const std::string kLongName = "C:\\" + std::string(300, 'n') + ".txt";

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SecondStartTest,
    ::testing::Values(SecondStart{"FileWithSpaces", "C:\\Some Folder\\read me.txt",
                                  "C:\\Some Folder\\read me.txt"},
                      SecondStart{"QuotedByTheShell", "\"C:\\Some Folder\\read me.txt\" ",
                                  "C:\\Some Folder\\read me.txt"},
                      SecondStart{"TwoNumbers", "12 34", ""}, SecondStart{"Empty", "", ""},
                      SecondStart{"LongPathRefusedNotCut", kLongName, "", true}),
    ByName());
