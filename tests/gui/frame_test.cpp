// The frame as the user meets it: its window, menu, MDI client and resources; the ways it is
// closed; and a second start of the program handing its command line to the first.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui/frame_fixture.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "shell/frame.h"
#include "shell/startup.h"

namespace {

constexpr char kTestChildClass[] = "OrvTestChild";

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string MenuItemText(HMENU menu, UINT position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// A plain MDI child, standing in for the program's own child windows until they exist.
HWND CreateTestChild(const char* title) {
    WNDCLASSA childClass = {};
    childClass.lpfnWndProc = DefMDIChildProcA;
    childClass.hInstance = GetModuleHandleA(NULL);
    childClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    childClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    childClass.lpszClassName = kTestChildClass;
    RegisterClassA(&childClass); // fails harmlessly when a previous test registered it
    MDICREATESTRUCTA create = {};
    create.szClass = kTestChildClass;
    create.szTitle = title;
    create.hOwner = GetModuleHandleA(NULL);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    return reinterpret_cast<HWND>(
        SendMessageA(gMdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, gMdiClient, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Presses the keys in order and lets them go in reverse, as the user's fingers would.
void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void CALLBACK QuitLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(NULL, timer);
    PostQuitMessage(0);
}

// Runs the program's own message loop, so key presses meet its accelerator translation, until
// the frame closes or the time is up. Timer messages come after input, so queued keys are seen.
int RunProgramLoop(DWORD milliseconds) {
    SetTimer(NULL, 0, milliseconds, QuitLoop);
    return Orv_RunMessageLoop();
}

void GiveFrameTheKeyboard() {
    SetForegroundWindow(gFrame);
    SetFocus(gMdiClient);
    Harness_PumpMessages(50);
}

} // namespace

TEST_F(OrvFrameTest, FrameIsTheTopLevelWindowTitledOrv) {
    EXPECT_EQ("OrvMainClass", ClassOf(gFrame));
    EXPECT_EQ("ORV", TextOf(gFrame));
    EXPECT_EQ(NULL, GetParent(gFrame));
    EXPECT_TRUE(IsWindowVisible(gFrame));
    LONG style = GetWindowLongA(gFrame, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW), style & WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(GetWindowLongA(gFrame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetClassLongPtrA(gFrame, GCLP_HICON) != 0) << "the caption shows no icon";
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1),
              GetClassLongPtrA(gFrame, GCLP_HBRBACKGROUND));
}

TEST_F(OrvFrameTest, MdiClientFillsTheFrame) {
    EXPECT_EQ(gMdiClient, GetDlgItem(gFrame, IDC_MDI_CLIENT));
    EXPECT_EQ(0, lstrcmpiA("mdiclient", ClassOf(gMdiClient).c_str()));
    EXPECT_TRUE(IsWindowVisible(gMdiClient));
    LONG style = GetWindowLongA(gMdiClient, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_CLIPCHILDREN), style & (WS_CHILD | WS_CLIPCHILDREN));

    RECT frameClient;
    RECT client;
    GetClientRect(gFrame, &frameClient);
    GetWindowRect(gMdiClient, &client);
    MapWindowPoints(NULL, gFrame, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(EqualRect(&frameClient, &client));
}

TEST_F(OrvFrameTest, MenuBarHasTheWindowMenuFifth) {
    HMENU menu = GetMenu(gFrame);
    ASSERT_TRUE(menu != NULL);
    const char* const kTopLevel[] = {"&File", "&Edit", "&View", "&Find", "&Window", "&Help"};
    ASSERT_EQ(6, GetMenuItemCount(menu));
    for (UINT i = 0; i < 6; i++)
        EXPECT_EQ(kTopLevel[i], MenuItemText(menu, i)) << "top-level menu " << i + 1;
    EXPECT_EQ("&Window", MenuItemText(menu, kWindowMenuPosition));
}

TEST_F(OrvFrameTest, WindowMenuListsTheChildWindows) {
    HMENU windowMenu = GetSubMenu(GetMenu(gFrame), kWindowMenuPosition);
    int before = GetMenuItemCount(windowMenu);
    HWND first = CreateTestChild("first.txt");
    HWND second = CreateTestChild("second.txt");
    ASSERT_TRUE(first && second);
    Harness_PumpMessages(20);

    // The commands stay first; a separator and one item per child, numbered from 4100, follow.
    ASSERT_EQ(before + 3, GetMenuItemCount(windowMenu));
    EXPECT_EQ(IDM_TILE_VERTICAL, static_cast<int>(GetMenuItemID(windowMenu, 0)));
    std::string firstItem = MenuItemText(windowMenu, before + 1);
    std::string secondItem = MenuItemText(windowMenu, before + 2);
    EXPECT_EQ(IDM_FIRST_CHILD, static_cast<int>(GetMenuItemID(windowMenu, before + 1)));
    EXPECT_EQ(IDM_FIRST_CHILD + 1, static_cast<int>(GetMenuItemID(windowMenu, before + 2)));
    EXPECT_NE(std::string::npos, firstItem.find("first.txt")) << firstItem;
    EXPECT_NE(std::string::npos, secondItem.find("second.txt")) << secondItem;

    // Choosing an entry activates its window.
    SendMessageA(gFrame, WM_COMMAND, IDM_FIRST_CHILD, 0);
    EXPECT_EQ(first, reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0)));
}

TEST_F(OrvFrameTest, WindowCommandsTileAndCascadeTheChildren) {
    HWND first = CreateTestChild("one");
    HWND second = CreateTestChild("two");
    ASSERT_TRUE(first && second);

    struct Way {
        const char* name;
        bool byKeys;
    };
    const Way kWays[] = {{"menu commands", false}, {"Shift+F4 / Shift+F5", true}};
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        if (way.byKeys) {
            GiveFrameTheKeyboard();
            PressKeys({VK_SHIFT, VK_F4});
            RunProgramLoop(300);
        } else {
            SendMessageA(gFrame, WM_COMMAND, IDM_TILE_VERTICAL, 0);
        }
        // Tiled side by side: full height, one beside the other. (The client is measured after
        // tiling: the scroll bars the children needed before are gone.)
        RECT area;
        GetClientRect(gMdiClient, &area);
        RECT a = ChildRect(first);
        RECT b = ChildRect(second);
        EXPECT_EQ(area.bottom - area.top, a.bottom - a.top);
        EXPECT_EQ(area.bottom - area.top, b.bottom - b.top);
        EXPECT_TRUE(a.right <= b.left || b.right <= a.left);

        if (way.byKeys) {
            PressKeys({VK_SHIFT, VK_F5});
            RunProgramLoop(300);
        } else {
            SendMessageA(gFrame, WM_COMMAND, IDM_CASCADE, 0);
        }
        // Cascaded: the same size, each one step down and to the right of the one behind it.
        a = ChildRect(first);
        b = ChildRect(second);
        EXPECT_EQ(a.right - a.left, b.right - b.left);
        EXPECT_NE(a.left, b.left);
        EXPECT_EQ(b.left - a.left, b.top - a.top);
    }
}

TEST_F(OrvFrameTest, PictureShowsTheWorkspaceColour) {
    Harness_PumpMessages(200);
    std::string path = Harness_OutputPath("frame.bmp");
    ASSERT_EQ(1, Harness_SaveWindowBitmap(gFrame, path.c_str())) << path;

    // The middle of the MDI client, read back from the file, is the workspace colour.
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<unsigned char> bytes(GetFileSize(file, NULL));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, NULL);
    CloseHandle(file);
    ASSERT_GT(got, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER* info =
        reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    ASSERT_EQ(24, info->biBitCount);

    RECT frameRect;
    RECT clientRect;
    GetWindowRect(gFrame, &frameRect);
    GetWindowRect(gMdiClient, &clientRect);
    int x = (clientRect.left + clientRect.right) / 2 - frameRect.left;
    int y = (clientRect.top + clientRect.bottom) / 2 - frameRect.top;
    int stride = ((info->biWidth * 3 + 3) / 4) * 4;
    size_t at = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data())->bfOffBits +
                static_cast<size_t>(info->biHeight - 1 - y) * stride + x * 3;
    ASSERT_LT(at + 2, bytes.size());
    COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(GetBValue(workspace), bytes[at]);
    EXPECT_EQ(GetGValue(workspace), bytes[at + 1]);
    EXPECT_EQ(GetRValue(workspace), bytes[at + 2]);
}

TEST(OrvResources, VersionTextAndAccelerators) {
    char text[64] = "";
    LoadStringA(GetModuleHandleA(NULL), IDS_VERSION, text, sizeof text);
    EXPECT_STREQ("Version 1.35", text);

    HACCEL accel = LoadAcceleratorsA(GetModuleHandleA(NULL), "ORVMENU");
    ASSERT_TRUE(accel != NULL);
    EXPECT_GE(CopyAcceleratorTableA(accel, NULL, 0), 2);

    // The program icon comes in both sizes Windows asks for.
    const int kSizes[] = {32, 16};
    for (int size : kSizes) {
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(NULL), "APgmIcon", IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon != NULL) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(size, mask.bmWidth);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

// ---- Closing ----------------------------------------------------------------------------------

struct CloseWay {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool byKeys; // Alt+F4 pressed instead of a message sent
};

void PrintTo(const CloseWay& way, std::ostream* out) {
    *out << way.name;
}

class FrameCloseTest : public OrvFrameTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(FrameCloseTest, EndsTheLoopWithZeroAndUnregistersTheClass) {
    const CloseWay& way = GetParam();
    HWND frame = gFrame;
    if (way.byKeys) {
        GiveFrameTheKeyboard();
        PressKeys({VK_MENU, VK_F4});
    } else {
        PostMessageA(frame, way.message, way.wParam, 0);
    }
    EXPECT_EQ(0, RunProgramLoop(5000));
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(gFrame == NULL);
    WNDCLASSA frameClass;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(NULL), kFrameClassName, &frameClass));
}

INSTANTIATE_TEST_SUITE_P(Ways, FrameCloseTest,
                         ::testing::Values(CloseWay{"CloseMessage", WM_CLOSE, 0, false},
                                           CloseWay{"CloseBox", WM_SYSCOMMAND, SC_CLOSE, false},
                                           CloseWay{"ExitCommand", WM_COMMAND, IDM_EXIT, false},
                                           CloseWay{"AltF4", 0, 0, true}),
                         [](const ::testing::TestParamInfo<CloseWay>& info) {
                             return std::string(info.param.name);
                         });

// ---- A second start ---------------------------------------------------------------------------

struct SecondStart {
    const char* name;
    std::string commandLine;
    std::string pathOpened; // what the first instance's Open/Dir receives; "" for nothing
};

void PrintTo(const SecondStart& start, std::ostream* out) {
    *out << start.name;
}

class SecondStartTest : public OrvFrameTest, public ::testing::WithParamInterface<SecondStart> {};

bool PathArrived() {
    return Frame_LastOpenPath()[0] != 0;
}

TEST_P(SecondStartTest, RaisesTheFirstAndHandsOverItsCommandLine) {
    const SecondStart& start = GetParam();
    std::string program = Harness_OutputPath("ORV32.exe");
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "ORV32.exe is not built beside the tests";
    ShowWindow(gFrame, SW_MINIMIZE);

    std::string commandLine = "\"" + program + "\"";
    if (!start.commandLine.empty())
        commandLine += " " + start.commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                               &startup, &process));
    DWORD exitCode = 99;
    int ended = Harness_WaitForProcess(process.hProcess, 20000, &exitCode);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(1, ended) << "the second start did not end";
    EXPECT_EQ(0u, exitCode);

    Harness_PumpUntil(PathArrived, start.pathOpened.empty() ? 100 : 2000);
    EXPECT_EQ(start.pathOpened, Frame_LastOpenPath());
    EXPECT_FALSE(IsIconic(gFrame)) << "the first instance was not shown normally";
    EXPECT_TRUE(IsWindow(gFrame));
}

const std::string kLongName = "C:\\" + std::string(300, 'n') + ".txt";

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SecondStartTest,
    ::testing::Values(SecondStart{"FileWithSpaces", "C:\\Some Folder\\read me.txt",
                                  "C:\\Some Folder\\read me.txt"},
                      SecondStart{"QuotedByTheShell", "\"C:\\Some Folder\\read me.txt\" ",
                                  "C:\\Some Folder\\read me.txt"},
                      SecondStart{"TwoNumbers", "12 34", ""}, SecondStart{"Empty", "", ""},
                      SecondStart{"LongPathCutToPathSize", kLongName, kLongName.substr(0, 259)}),
    [](const ::testing::TestParamInfo<SecondStart>& info) { return std::string(info.param.name); });
