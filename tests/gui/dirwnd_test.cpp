// Directory windows on real temporary trees, driven as a user drives them: typed masks and
// paths, files taken one by one with Next, sort buttons, Sum, the narrow window's compact
// figures, the drive buttons (single against double click, IgnoreDrives, wrapping rows), the
// splitter's limits, the tab order and the title as an icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "gui/harness.h"
#include "lister/dirstate_win.h"
#include "lister/dirwnd_win.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "search/selqueue.h"
#include "shell/drawobjects_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"

namespace {

class DirWindowTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        gSettings.maximiseNew = gSettings.tileNew = 0;
        gSettings.cascadeNew = 1;
        gSettings.closePrevious = gSettings.minimisePrevious = 0;
        lstrcpyA(gDirMaskList, "*.*");
        root_ = Harness_OutputPath("dirtest");
        RemoveTree(root_);
        CreateDirectoryA(root_.c_str(), NULL);
    }
    void TearDown() override {
        SelQueue_Drop(); // the queue and Next outlive the frame: later tests start without them
        gNextPending = false;
        OrvFrameTest::TearDown();
        RemoveTree(root_);
    }
    static void RemoveTree(const std::string& path) {
        WIN32_FIND_DATAA found;
        HANDLE scan = FindFirstFileA((path + "\\*").c_str(), &found);
        if (scan != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + "\\" + name);
                else
                    DeleteFileA((path + "\\" + name).c_str());
            } while (FindNextFileA(scan, &found));
            FindClose(scan);
        }
        RemoveDirectoryA(path.c_str());
    }
    std::string Write(const std::string& relative, size_t size) {
        const std::string path = root_ + "\\" + relative;
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
        return path;
    }
    void Mkdir(const std::string& relative) { CreateDirectoryA((root_ + "\\" + relative).c_str(), NULL); }
    HWND Open(const std::string& path) {
        HWND dir = DirWindow_Open(path.c_str());
        EXPECT_TRUE(dir != NULL) << path;
        if (dir) {
            SetWindowPos(dir, NULL, 0, 0, 760, 460, SWP_NOZORDER | SWP_NOMOVE);
            UpdateWindow(dir);
            Harness_PumpMessages(30);
        }
        return dir;
    }
    static DirWindowState* State(HWND dir) {
        return Dir_StateOf(dir);
    }
    static HWND Child(HWND dir, int id) { return GetDlgItem(dir, id); }
    static std::vector<std::string> Files(HWND dir) {
        std::vector<std::string> names;
        HWND list = Child(dir, kDirFilesId);
        const int n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; i++) {
            const char* name = DirWindow_ListedName(list, i);
            names.push_back(name ? name : "(no name)");
        }
        return names;
    }
    // Typed into the "File Name:" box and taken with Enter.
    static void Type(HWND dir, const std::string& text) {
        HWND combo = Child(dir, kDirComboId);
        HWND edit = FindWindowExA(combo, NULL, "Edit", NULL);
        SetWindowTextA(combo, text.c_str());
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        Harness_PumpMessages(50);
    }
    static std::string Text(HWND window) {
        char text[MAX_PATH] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static void Click(HWND window, const DirRect& r) {
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(window, WM_LBUTTONUP, 0, at);
        Harness_PumpMessages(30);
    }
    static void Select(HWND dir, const std::vector<int>& rows) {
        HWND list = Child(dir, kDirFilesId);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int row : rows)
            SendMessageA(list, LB_SETSEL, TRUE, row);
        SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirFilesId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    static bool NextEnabled() {
        return !(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    }
    static std::string ActiveTitle() { return Text(Frame_ActiveChild()); }
    static int DirWindows() {
        int n = 0;
        for (HWND c = GetWindow(gMdiClient, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            n += !GetWindow(c, GW_OWNER) && Orv_ClassifyWindow(c).kind == kKindDir;
        return n;
    }
    std::string root_;
};

using Names = std::vector<std::string>;

struct TypedCase {
    const char* name;
    const char* typed; // "~" stands for the temporary tree
    Names listed;
    const char* listing; // below the tree
};
const TypedCase kTypedCases[] = {
    {"DotExtension", ".txt", {"a.txt", "b.txt"}, ""},
    {"Mask", "*.doc", {"c.doc"}, ""},
    {"MaskList", "*.doc;a.*", {"a.txt", "c.doc"}, ""},
    {"Directory", "~\\sub", {"d.txt"}, "\\sub"},
    {"DirectoryAndMask", "~\\sub\\*.none", {}, "\\sub"},
};

class DirTyped : public DirWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(DirTyped, ListsWhatIsTyped) {
    const TypedCase& c = GetParam();
    Write("a.txt", 1), Write("b.txt", 2), Write("c.doc", 3);
    Mkdir("sub");
    Write("sub\\d.txt", 4);
    HWND dir = Open(root_);
    ASSERT_EQ((Names{"a.txt", "b.txt", "c.doc"}), Files(dir));
    std::string typed = c.typed;
    if (typed[0] == '~')
        typed = root_ + typed.substr(1);
    Type(dir, typed);
    Names listed = Files(dir);
    EXPECT_EQ(c.listed, listed);
    EXPECT_EQ(0, lstrcmpiA((root_ + c.listing + "\\").c_str(), DirWindow_Directory(dir)));
    UpdateWindow(Child(dir, kDirTreeId));
    EXPECT_EQ(0, lstrcmpiA((root_ + c.listing).c_str(), Text(dir).c_str())) << Text(dir);
}

INSTANTIATE_TEST_SUITE_P(Dir, DirTyped, ::testing::ValuesIn(kTypedCases), ByName());

TEST_F(DirWindowTest, AFileNameOpensAViewAndAnEmptyOneIsRefused) {
    Write("a.txt", 5);
    HWND dir = Open(root_);
    Type(dir, "a.txt");
    EXPECT_EQ(kKindView, Orv_ClassifyWindow(Frame_ActiveChild()).kind);
    EXPECT_EQ(0, lstrcmpiA((root_ + "\\a.txt").c_str(), ActiveTitle().c_str())) << ActiveTitle();
    Harness_Answer("?", "Must specify a filename.", IDOK);
    Type(dir, ";");
}

// A window that cannot be built says why, leaves no child behind and no tree half given away:
// the next window opens as ever.
TEST_F(DirWindowTest, AWindowThatCannotBeBuiltSaysWhyAndLeavesNothing) {
    const struct {
        DirCreateFailure failure;
        const char* text;
        LPCSTR icon;
    } cases[] = {{kDirFailRecord, "Not enough free memory", IDI_ERROR},
                 {kDirFailList, "Could not create list window", IDI_WARNING}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const size_t seen = Harness_SeenBoxes().size();
        Harness_Answer(nullptr, c.text, IDOK);
        DirWindow_FailCreateForTests(c.failure);
        EXPECT_TRUE(DirWindow_Open(root_.c_str()) == NULL);
        DirWindow_FailCreateForTests(kDirFailNothing);
        ASSERT_EQ(seen + 1, Harness_SeenBoxes().size());
        EXPECT_EQ(LoadIconA(NULL, c.icon), Harness_SeenBoxes().back().icon);
        EXPECT_TRUE(Frame_ActiveChild() == NULL);
    }
    EXPECT_TRUE(Open(root_) != NULL);
}

TEST_F(DirWindowTest, AMissingFileNameOffersToSearchForIt) {
    HWND dir = Open(root_);
    char notFound[256] = "";
    Plat_ErrorText(kPlatErrFileNotFound, notFound, sizeof notFound);
    Harness_Answer("Find File?", (std::string(notFound) + "\nSearch for file nosuch.txt?").c_str(),
                   IDNO);
    Type(dir, "nosuch.txt");
    EXPECT_EQ(0, Harness_AnswersLeft());
    EXPECT_EQ(dir, Frame_ActiveChild()); // no view, and the window goes on
}

TEST_F(DirWindowTest, ThreeSelectedFilesAreTakenOneByOneWithNext) {
    Write("one.txt", 1), Write("three.txt", 3), Write("two.txt", 2);
    HWND dir = Open(root_);
    Select(dir, {0, 1, 2});
    EXPECT_EQ("Selected sizes: 6", std::string(State(dir)->selectionInfo));
    SendMessageA(Child(dir, kDirFilesId), WM_KEYDOWN, VK_RETURN, 0);
    Harness_PumpMessages(50);
    EXPECT_NE(std::string::npos, ActiveTitle().find("one.txt")) << ActiveTitle();
    EXPECT_TRUE(NextEnabled());
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    EXPECT_NE(std::string::npos, ActiveTitle().find("three.txt")) << ActiveTitle();
    EXPECT_TRUE(NextEnabled());
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    EXPECT_NE(std::string::npos, ActiveTitle().find("two.txt")) << ActiveTitle();
    EXPECT_FALSE(NextEnabled());
}

TEST_F(DirWindowTest, SortButtonsToggleTheirKeys) {
    Write("big.c", 300), Write("aaa.txt", 200), Write("zzz", 100);
    HWND dir = Open(root_);
    const DirLayout& l = State(dir)->layout;
    EXPECT_EQ((Names{"aaa.txt", "big.c", "zzz"}), Files(dir));
    const struct {
        int button; // 0 Name .. 3 Size
        int key;
        Names order;
    } steps[] = {
        {3, kSortSize, {"zzz", "aaa.txt", "big.c"}},
        {1, kSortType, {"zzz", "big.c", "aaa.txt"}},
        {1, kSortNone, {}}, // directory order: whatever the system delivers
        {0, kSortName, {"aaa.txt", "big.c", "zzz"}},
    };
    for (const auto& s : steps) {
        Click(dir, l.sorts[s.button]);
        EXPECT_EQ(s.key, State(dir)->sortKey) << s.button;
        if (!s.order.empty()) {
            EXPECT_EQ(s.order, Files(dir)) << s.button;
        }
        EXPECT_EQ(3u, Files(dir).size());
    }
}

TEST_F(DirWindowTest, SumCountsTheSelectedDirectoryAndBelow) {
    Write("a", 10), Write("b", 20);
    Mkdir("sub");
    Write("sub\\c", 30);
    HWND dir = Open(root_);
    UpdateWindow(dir);
    ASSERT_TRUE(State(dir)->sumShown);
    Click(dir, State(dir)->layout.sumButton);
    EXPECT_EQ("3 Files in 2 Dirs (60 bytes)", std::string(State(dir)->sumText));
    SetFocus(Child(dir, kDirFilesId)); // the file list taking the focus drops it
    EXPECT_EQ("", std::string(State(dir)->sumText));
}

TEST_F(DirWindowTest, ANarrowWindowShowsCompactFiguresAndPictures) {
    for (int i = 0; i < 12; i++)
        Write("file" + std::to_string(i) + (i % 3 ? ".txt" : ".doc"), 1000 * i);
    Mkdir("alpha"), Mkdir("beta"), Mkdir("beta\\inner"), Mkdir("gamma");
    Write("beta\\inner\\x", 1);
    HWND dir = Open(root_);
    Select(dir, {1});
    InvalidateRect(dir, NULL, TRUE);
    UpdateWindow(dir);
    Harness_PumpMessages(50);
    EXPECT_FALSE(State(dir)->statusCompact);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("dir-normal.bmp").c_str()));
    SetWindowPos(dir, NULL, 0, 0, 330, 420, SWP_NOZORDER | SWP_NOMOVE);
    UpdateWindow(dir);
    Harness_PumpMessages(50);
    EXPECT_TRUE(State(dir)->statusCompact);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("dir-narrow.bmp").c_str()));
}

TEST_F(DirWindowTest, DriveButtonsLeaveOutIgnoredDrivesAndWrap) {
    HWND dir = Open(root_);
    HWND disk = Child(dir, kDirDiskId);
    const std::string all = DiskBar_Rows(disk);
    ASSERT_NE(std::string::npos, all.find('C')) << all;
    ASSERT_NE(std::string::npos, all.find('Z')) << all;
    gSettings.ignoredDrives = Settings_ParseIgnoreDrives("c");
    EXPECT_EQ(std::string::npos, DiskBar_Rows(disk).find('C'));
    gSettings.ignoredDrives = 0;

    RECT bar;
    GetClientRect(disk, &bar);
    EXPECT_EQ(24, bar.bottom);
    const int drives = (int)all.size();
    // Each button takes the bitmap and 24 pixels: a client too narrow for two puts one per row.
    SetWindowPos(dir, NULL, 0, 0, 90, 400, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(dir, &client);
    GetClientRect(disk, &bar);
    const std::string rows = DiskBar_Rows(disk);
    EXPECT_NE(std::string::npos, rows.find('|')) << client.right;
    EXPECT_EQ(24 * (1 + (int)std::count(rows.begin(), rows.end(), '|')), bar.bottom);
    EXPECT_EQ(bar.bottom, State(dir)->layout.tree.top);
    EXPECT_GT(drives, 1);
}

// Where the drive letter's button sits in the bar.
LPARAM ButtonOf(HWND disk, char letter) {
    const std::string rows = DiskBar_Rows(disk);
    int row = 0, column = 0;
    for (char c : rows) {
        if (c == '|') {
            row++, column = 0;
        } else if (c == letter) {
            break;
        } else {
            column++;
        }
    }
    BITMAP bitmap = {};
    GetObjectA(gBitmaps[kBmpHardDisk], sizeof bitmap, &bitmap);
    return MAKELPARAM(5 + column * (bitmap.bmWidth + 24) + 4, row * 24 + 8);
}

TEST_F(DirWindowTest, ASingleClickSwitchesOnlyOnceTheDoubleClickTimeHasPassed) {
    HWND dir = Open(root_);
    HWND disk = Child(dir, kDirDiskId);
    const LPARAM c = ButtonOf(disk, 'C');
    SendMessageA(disk, WM_LBUTTONDOWN, MK_LBUTTON, c);
    SendMessageA(disk, WM_LBUTTONUP, 0, c);
    EXPECT_EQ('z', DirWindow_Directory(dir)[0] | 0x20);
    Harness_PumpMessages(GetDoubleClickTime() + 200);
    EXPECT_EQ('c', DirWindow_Directory(dir)[0] | 0x20);
    EXPECT_EQ(1, DirWindows());

    // A double click opens a window of its own, even for a drive that has one.
    const LPARAM z = ButtonOf(disk, 'Z');
    SendMessageA(disk, WM_LBUTTONDOWN, MK_LBUTTON, z);
    SendMessageA(disk, WM_LBUTTONUP, 0, z);
    SendMessageA(disk, WM_LBUTTONDBLCLK, MK_LBUTTON, z);
    SendMessageA(disk, WM_LBUTTONUP, 0, z);
    Harness_PumpMessages(GetDoubleClickTime() + 200);
    EXPECT_EQ(2, DirWindows());
    EXPECT_EQ('c', DirWindow_Directory(dir)[0] | 0x20); // no single click followed
    EXPECT_TRUE(DirWindow_FindForRoot("z:\\") != NULL);
}

// A double click or Enter on a drive button opens the drive where its current directory is,
// and the program's own current directory stays where it was. The drive is the test prefix's,
// in scratch folders there.
TEST_F(DirWindowTest, ADriveOpenedFromTheBarOpensAtItsCurrentDirectory) {
    char kept[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, kept);
    const std::string folder = Harness_ScratchFolder("orv-diskbar");
    const std::string deep = folder + "deep", other = folder + "other";
    CreateDirectoryA(deep.c_str(), NULL);
    CreateDirectoryA(other.c_str(), NULL);
    auto current = [] {
        char dir[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, dir);
        return std::string(dir);
    };
    HWND first = Open(deep); // a window opened on a directory makes it current
    const char letter = (char)(deep[0] & ~0x20);
    const LPARAM button = ButtonOf(Child(first, kDirDiskId), letter);
    SendMessageA(Child(first, kDirDiskId), WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageA(Child(first, kDirDiskId), WM_LBUTTONUP, 0, button);
    SendMessageA(Child(first, kDirDiskId), WM_LBUTTONDBLCLK, MK_LBUTTON, button);
    SendMessageA(Child(first, kDirDiskId), WM_LBUTTONUP, 0, button);
    Harness_PumpMessages(GetDoubleClickTime() + 200);
    EXPECT_EQ(2, DirWindows());
    HWND second = Frame_ActiveChild();
    EXPECT_NE(first, second);
    EXPECT_EQ(0, lstrcmpiA((deep + "\\").c_str(), DirWindow_Directory(second)))
        << DirWindow_Directory(second);
    EXPECT_EQ(0, lstrcmpiA(deep.c_str(), current().c_str())) << current();

    // Enter on the button of the window's own drive, which has the focus frame.
    SetCurrentDirectoryA(other.c_str());
    HWND disk = Child(second, kDirDiskId);
    SetFocus(disk);
    SendMessageA(disk, WM_KEYDOWN, VK_RETURN, 0);
    Harness_PumpMessages(50);
    EXPECT_EQ(3, DirWindows());
    EXPECT_EQ(0, lstrcmpiA((other + "\\").c_str(), DirWindow_Directory(Frame_ActiveChild())))
        << DirWindow_Directory(Frame_ActiveChild());
    EXPECT_EQ(0, lstrcmpiA(other.c_str(), current().c_str())) << current();
    SetCurrentDirectoryA(kept);
    RemoveTree(folder.substr(0, folder.size() - 1));
}

TEST_F(DirWindowTest, TheSplitterStopsAtItsMinimumAndKeepsItsPlacePastTheRightEdge) {
    HWND dir = Open(root_);
    HWND split = Child(dir, kDirSplitId);
    const int minimum = 3 * GetSystemMetrics(SM_CYHSCROLL);
    const int start = State(dir)->layout.split;
    RECT client;
    GetClientRect(dir, &client);
    // Coordinates are the splitter's own: the directory window's x less the split.
    auto drag = [&](std::initializer_list<std::pair<UINT, int>> steps) {
        const int from = State(dir)->layout.split;
        POINT at = {from + 1, 10}; // the pointer where the drag starts, before any of its input
        ClientToScreen(dir, &at);
        SetCursorPos(at.x, at.y);
        Harness_PumpMessages(20);
        for (const auto& s : steps) {
            if (s.first == WM_KEYDOWN)
                PostMessageA(split, WM_KEYDOWN, s.second, 0);
            else
                PostMessageA(split, s.first, 0, MAKELPARAM(s.second - from, 10));
        }
        SendMessageA(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    };
    drag({{WM_MOUSEMOVE, 2}, {WM_LBUTTONUP, 2}});
    EXPECT_EQ(minimum, State(dir)->layout.split);
    drag({{WM_MOUSEMOVE, 300}, {WM_LBUTTONUP, (int)client.right + 30}});
    EXPECT_EQ(minimum, State(dir)->layout.split);
    drag({{WM_KEYDOWN, VK_RIGHT}, {WM_KEYDOWN, VK_RIGHT}, {WM_KEYDOWN, VK_RIGHT}, {WM_KEYDOWN, VK_RETURN}});
    EXPECT_EQ(minimum + 12, State(dir)->layout.split);
    drag({{WM_MOUSEMOVE, start}, {WM_LBUTTONUP, start}});
    EXPECT_EQ(start, State(dir)->layout.split);
    RECT tree;
    GetWindowRect(Child(dir, kDirTreeId), &tree);
    EXPECT_EQ(start, tree.right - tree.left);
}

TEST_F(DirWindowTest, TabRunsThroughTheWindowAndSkipsAnEmptyList) {
    Write("a.txt", 1);
    HWND dir = Open(root_);
    HWND tree = Child(dir, kDirTreeId), files = Child(dir, kDirFilesId), disk = Child(dir, kDirDiskId);
    HWND edit = FindWindowExA(Child(dir, kDirComboId), NULL, "Edit", NULL);
    EXPECT_EQ(edit, GetFocus());
    const struct {
        HWND focus;
        int row;
    } order[] = {{dir, kRowMasks}, {dir, kRowSorts}, {disk, kRowNone}, {tree, kRowNone},
                 {files, kRowNone}, {edit, kRowNone}};
    for (const auto& o : order) {
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(o.focus, GetFocus());
        EXPECT_EQ(o.row, State(dir)->buttonRow);
    }
    Type(dir, "*.none");
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(edit, GetFocus()); // the empty file list is skipped
}

// Two windows side by side: the button focus and the Sum text of one are not the other's.
TEST_F(DirWindowTest, EachWindowKeepsItsOwnButtonFocusAndSum) {
    Write("a.txt", 1);
    Mkdir("sub");
    HWND first = Open(root_);
    HWND second = Open(root_ + "\\sub");
    ASSERT_TRUE(first && second);
    auto edit = [](HWND dir) {
        return FindWindowExA(Child(dir, kDirComboId), NULL, "Edit", NULL);
    };

    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    Harness_PumpMessages(30);
    SetFocus(edit(first));
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_EQ(first, GetFocus()); // the first window's mask buttons have the focus
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    Harness_PumpMessages(30);
    EXPECT_EQ(edit(second), GetFocus()); // not the second window's buttons

    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    Harness_PumpMessages(30);
    UpdateWindow(first);
    Click(first, State(first)->layout.sumButton);
    ASSERT_NE("", std::string(State(first)->sumText));
    InvalidateRect(second, NULL, TRUE);
    UpdateWindow(second);
    EXPECT_TRUE(State(second)->sumShown); // the second still offers its own Sum button
}

TEST_F(DirWindowTest, AsAnIconADeepDirectoryShowsRootAndLastPart) {
    Mkdir("deep");
    HWND dir = Open(root_ + "\\deep");
    ShowWindow(dir, SW_MINIMIZE);
    const std::string title = Text(dir);
    EXPECT_EQ(0, lstrcmpiA(title.c_str(), "z:\\...\\deep")) << title;
    ShowWindow(dir, SW_RESTORE);
    EXPECT_EQ(0, lstrcmpiA(Text(dir).c_str(), (root_ + "\\deep").c_str())) << Text(dir);
}

TEST_F(DirWindowTest, ADeletedFileLeavesTheListAndItsBytesTheFigures) {
    const std::string a = Write("a", 100);
    Write("b", 50);
    HWND dir = Open(root_);
    EXPECT_EQ(150u, State(dir)->figures.listedBytes);
    DeleteFileA(a.c_str());
    DirWindows_FileDeleted(a.c_str(), 100);
    EXPECT_EQ((Names{"b"}), Files(dir));
    EXPECT_EQ(50u, State(dir)->figures.listedBytes);
}

// The rows of the tree list below (and with) the row of path, as their names.
std::vector<std::string> RowsFrom(HWND dir, const std::string& path) {
    HWND tree = GetDlgItem(dir, kDirTreeId);
    DirTree* t = Dir_TreeOf(dir);
    std::vector<std::string> rows;
    int indent = -1; // of the row of path, once found
    const int n = (int)SendMessageA(tree, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        const int32_t node = (int32_t)SendMessageA(tree, LB_GETITEMDATA, i, 0);
        if (indent >= 0 && t->nodes[node].indent <= indent)
            break;
        if (indent < 0 && lstrcmpiA(t->nodes[node].path, path.c_str()) == 0)
            indent = t->nodes[node].indent;
        else if (indent < 0)
            continue;
        rows.push_back(TreeNode_Text(t, node));
    }
    return rows;
}

void ClickRow(HWND dir, int row, bool twice) {
    HWND tree = GetDlgItem(dir, kDirTreeId);
    SendMessageA(tree, LB_SETCURSEL, row, 0);
    SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirTreeId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(tree));
    if (twice)
        SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirTreeId, LBN_DBLCLK), reinterpret_cast<LPARAM>(tree));
}

TEST_F(DirWindowTest, TreeRowsOpenSortedCloseOnADoubleClickAndFollowTyping) {
    Mkdir("top");
    Mkdir("top\\Beta"), Mkdir("top\\alpha"), Mkdir("top\\Gamma");
    Write("top\\alpha\\f.txt", 3);
    HWND dir = Open(root_);
    HWND tree = Child(dir, kDirTreeId);
    const int row = (int)SendMessageA(tree, LB_GETCURSEL, 0, 0) + 1; // "top", below the tree's
    ClickRow(dir, row, false);
    EXPECT_EQ((Names{"top", "alpha", "beta", "gamma"}), RowsFrom(dir, root_ + "\\top"));
    EXPECT_EQ(0, lstrcmpiA((root_ + "\\top\\").c_str(), DirWindow_Directory(dir)));
    // The new rows' icons settle on the window's timer, after it has painted them.
    const DirTree* t = Dir_TreeOf(dir);
    auto icon = [&](const char* name) {
        return TreeNode_Bitmap(&t->nodes[FindNode(t, (root_ + "\\top\\" + name).c_str())]);
    };
    Harness_PumpMessages(50);
    EXPECT_EQ(kTreeBitmapFiles, icon("alpha"));
    EXPECT_EQ(kTreeBitmapNoFiles, icon("beta"));
    ClickRow(dir, row + 1, false);
    EXPECT_EQ((Names{"f.txt"}), Files(dir));
    // A character moves to the next directory whose name starts with it.
    SetFocus(tree);
    SendMessageA(tree, WM_CHAR, 'g', 0);
    EXPECT_EQ(row + 3, (int)SendMessageA(tree, LB_GETCURSEL, 0, 0));
    Harness_PumpMessages(GetDoubleClickTime() + 50);
    ClickRow(dir, row, true); // a double click on an open directory closes it
    EXPECT_EQ((Names{"top"}), RowsFrom(dir, root_ + "\\top"));
    Harness_PumpMessages(GetDoubleClickTime() + 50);
    ClickRow(dir, row, true); // and on a closed one opens it, once
    EXPECT_EQ(4u, RowsFrom(dir, root_ + "\\top").size());
}

TEST_F(DirWindowTest, ADoubleClickOpensEverySelectedFile) {
    Write("a.txt", 1), Write("b.txt", 2), Write("c.txt", 3);
    HWND dir = Open(root_);
    Select(dir, {0, 1, 2});
    HWND files = Child(dir, kDirFilesId);
    SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirFilesId, LBN_DBLCLK), reinterpret_cast<LPARAM>(files));
    Harness_PumpMessages(100);
    int views = 0;
    for (HWND c = GetWindow(gMdiClient, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        views += !GetWindow(c, GW_OWNER) && Orv_ClassifyWindow(c).kind == kKindView;
    EXPECT_EQ(3, views);
    EXPECT_EQ(0, SendMessageA(files, LB_GETSELCOUNT, 0, 0));
}

TEST_F(DirWindowTest, ANewFontSetsTheRowHeightAndTheLayout) {
    HWND dir = Open(root_);
    HFONT big = CreateFontA(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    const int before = State(dir)->lineHeight;
    DirWindow_ApplyFont(dir, big);
    EXPECT_GT(State(dir)->lineHeight, before);
    EXPECT_EQ(State(dir)->lineHeight, (int)SendMessageA(Child(dir, kDirTreeId), LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(dir, &client);
    EXPECT_EQ(client.bottom - (4 * State(dir)->lineHeight + 40), State(dir)->layout.tree.bottom);
    DirWindow_ApplyFont(dir, Fonts_Get(kFontDir));
    DeleteObject(big);
}

// The file list keeps no strings of its own, yet its rows stand as a list of strings sets
// them for the window's font, and a typed letter finds the next name that starts with it.
TEST_F(DirWindowTest, TheFileListRowsFollowTheFontAndTypedLetters) {
    Write("apple", 1), Write("Banana.txt", 22), Write("berry", 3), Write("cherry", 4);
    HWND dir = Open(root_);
    HWND files = Child(dir, kDirFilesId);
    HFONT big = CreateFontA(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    for (HFONT font : {Fonts_Get(kFontDir), big}) {
        DirWindow_ApplyFont(dir, font);
        HWND strings = CreateWindowExA(0, "listbox", "", WS_CHILD | LBS_MULTICOLUMN, 0, 0, 50, 50,
                                       dir, NULL, GetModuleHandleA(NULL), NULL);
        SendMessageA(strings, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        EXPECT_EQ(SendMessageA(strings, LB_GETITEMHEIGHT, 0, 0),
                  SendMessageA(files, LB_GETITEMHEIGHT, 0, 0));
        DestroyWindow(strings);
    }
    DirWindow_ApplyFont(dir, Fonts_Get(kFontDir));
    DeleteObject(big);
    EXPECT_EQ((Names{"apple", "banana.txt", "berry", "cherry"}), Files(dir));

    SetFocus(files);
    const struct {
        char typed;
        int row; // the caret's after it
    } typing[] = {{'b', 1}, {'B', 2}, {'b', 1}, {'z', 1}, {'a', 0}};
    for (const auto& t : typing) {
        SendMessageA(files, WM_CHAR, t.typed, 0);
        Harness_PumpMessages(20);
        EXPECT_EQ(t.row, (int)SendMessageA(files, LB_GETCARETINDEX, 0, 0)) << t.typed;
    }
    EXPECT_EQ(0, SendMessageA(files, LB_GETSELCOUNT, 0, 0)); // the caret moves, as it did
    EXPECT_EQ(nullptr, DirWindow_ListedName(files, 4));
    EXPECT_EQ(nullptr, DirWindow_ListedName(Child(dir, kDirTreeId), 0));
}

TEST_F(DirWindowTest, ADirectoryGoneOrRemovedGivesWayToItsParent) {
    Mkdir("gone");
    Mkdir("removed");
    Write("top.txt", 1);
    HWND dir = Open(root_ + "\\gone");
    SetCurrentDirectoryA(root_.c_str()); // the system removes no current directory
    ASSERT_TRUE(RemoveDirectoryA((root_ + "\\gone").c_str()));
    Harness_Answer(nullptr, "Invalid filespec", IDOK);
    Click(dir, State(dir)->layout.sorts[3]); // lists again
    EXPECT_EQ(0, lstrcmpiA((root_ + "\\").c_str(), DirWindow_Directory(dir)));
    EXPECT_TRUE(RowsFrom(dir, root_ + "\\gone").empty());
    Click(dir, State(dir)->layout.sorts[0]);
    EXPECT_EQ((Names{"top.txt"}), Files(dir));

    Type(dir, root_ + "\\removed");
    SetCurrentDirectoryA(root_.c_str());
    ASSERT_TRUE(RemoveDirectoryA((root_ + "\\removed").c_str()));
    DirWindow_DirectoryRemoved(dir, (root_ + "\\removed").c_str());
    EXPECT_EQ(0, lstrcmpiA((root_ + "\\").c_str(), DirWindow_Directory(dir)));
    EXPECT_TRUE(RowsFrom(dir, root_ + "\\removed").empty());
    EXPECT_EQ((Names{"top.txt"}), Files(dir));
}

} // namespace
