// File views on real files: opening, two views sharing the one engine, keys and scroll bars,
// mouse selections copied to the clipboard, title lines, the status band, files changed or
// deleted behind a view's back, and Find Next placing its match.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "find/findengine.h"
#include "find/findpat.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "viewer/engine.h"
#include "viewer/filetypes.h"
#include "viewer/viewwnd_win.h"
#include "viewer/windata_win.h"

namespace {

std::string Lines(int from, int to, const char* prefix = "line ") {
    std::string text;
    for (int i = from; i <= to; i++)
        text += prefix + std::to_string(i) + "\r\n";
    return text;
}

class ViewTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        savedFind_ = gFind;
    }
    void TearDown() override {
        gFind = savedFind_; // the find settings outlive the frame: later tests start clean
        OrvFrameTest::TearDown();
    }
    FindSettings savedFind_;
    std::string Write(const char* name, const std::string& bytes) {
        std::string path = Harness_OutputPath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    ViewInfo Info(HWND view) {
        ViewInfo info;
        EXPECT_EQ(1, View_GetInfo(view, &info));
        return info;
    }
    // The view is drawn now, status band included.
    void Paint(HWND view) {
        InvalidateRect(view, NULL, TRUE);
        UpdateWindow(view);
    }
    void Key(HWND view, WPARAM key, int repeat = 1) {
        SendMessageA(view, WM_KEYDOWN, key, MAKELPARAM(repeat, 0));
        UpdateWindow(view);
    }
    void Command(WORD id) {
        EnableMenuItem(GetMenu(gFrame), id, MF_BYCOMMAND | MF_ENABLED);
        SendMessageA(gFrame, WM_COMMAND, id, 0);
    }
    // The middle of character `column` (1-based) of row `row` in the text area.
    LPARAM At(HWND view, int row, int column) {
        ViewInfo i = Info(view);
        int x = column == 0 ? 1 : i.leftMargin + (column - 1) * i.charWidth + i.charWidth / 2;
        int y = i.textArea.top + row * i.lineHeight + i.lineHeight / 2;
        return MAKELPARAM(x, y);
    }
    void Drag(HWND view, LPARAM from, LPARAM to, WPARAM keys = 0) {
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, from);
        SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON | keys, to);
        SendMessageA(view, WM_LBUTTONUP, keys, to);
        UpdateWindow(view);
    }
    std::string Clipboard() {
        std::string text;
        if (!OpenClipboard(NULL))
            return "(clipboard not open)";
        HANDLE data = GetClipboardData(CF_TEXT);
        if (data) {
            const char* p = static_cast<const char*>(GlobalLock(data));
            text = p ? p : "";
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    void EmptyTheClipboard() {
        if (OpenClipboard(NULL)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
};

TEST_F(ViewTest, OpensByCommandLinePathAndByOpenDirWithItsFileAndStatus) {
    std::string text;
    for (int i = 0; i < 1929; i++)
        text += std::string(62, 'a') + "\r\n"; // 64 bytes a line
    const std::string path = Write("open-me.txt", text);
    Frame_SendOpen(gFrame, path.c_str());
    HWND view = Frame_ActiveChild();
    ASSERT_TRUE(view != NULL);
    EXPECT_STREQ(path.c_str(), View_Path(view));
    char caption[MAX_PATH] = "";
    GetWindowTextA(view, caption, sizeof caption);
    EXPECT_EQ(path, caption);
    Paint(view);
    ViewInfo i = Info(view);
    EXPECT_TRUE(i.ownsEngine);
    EXPECT_STREQ("Line:1    ", i.lineText);
    EXPECT_EQ(0, std::string(i.factsText).find("Size:123,456")) << i.factsText;

    // A path on the command line takes the same way.
    Orv_Shutdown();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), path.c_str(), SW_SHOWNORMAL));
    Harness_PumpMessages(200);
    Plat_ResetProfileForTests();
    HWND again = Frame_ActiveChild();
    ASSERT_TRUE(again != NULL);
    EXPECT_STREQ(path.c_str(), View_Path(again));
    EXPECT_TRUE(gSplash == NULL) << "the first paint of a view takes the splash away";
}

TEST_F(ViewTest, LinePaneGroupsAMillionLinesInThrees) {
    std::string text;
    text.reserve(1300000 * 2);
    for (int i = 0; i < 1300000; i++)
        text += "x\n";
    HWND view = View_OpenFile(Write("million.txt", text).c_str(), 1234567);
    ASSERT_TRUE(view != NULL);
    Paint(view);
    EXPECT_EQ(1234567, View_TopLine(view));
    EXPECT_STREQ("Line:1,234,567", Info(view).lineText);
}

TEST_F(ViewTest, TwoViewsSideBySidePaintTheirOwnFiles) {
    const std::string a = Write("side-a.txt", Lines(1, 500, "alpha "));
    const std::string b = Write("side-b.txt", Lines(1, 90, "beta "));
    HWND viewA = View_OpenFile(a.c_str(), 40);
    HWND viewB = View_OpenFile(b.c_str(), 7);
    ASSERT_TRUE(viewA && viewB);
    SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
    Paint(viewB);
    Paint(viewA); // the inactive one borrows the engine for its paint
    EXPECT_STREQ(b.c_str(), gEngine.file.path);
    EXPECT_EQ(7, gEngine.file.topLine);
    EXPECT_TRUE(Info(viewB).ownsEngine);
    EXPECT_EQ(0, std::string(Info(viewA).factsText).find("Size:5,392")) << Info(viewA).factsText;
    EXPECT_STREQ("Line:40   ", Info(viewA).lineText);
    EXPECT_STREQ("Line:7    ", Info(viewB).lineText);
    EXPECT_EQ(40, View_TopLine(viewA));

    // Coming back to the first view brings its file and place back into the engine.
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(viewA), 0);
    EXPECT_STREQ(a.c_str(), gEngine.file.path);
    EXPECT_EQ(40, gEngine.file.topLine);
}

TEST_F(ViewTest, KeysAndScrollBarsMoveTheTopLine) {
    HWND view = View_OpenFile(Write("keys.txt", Lines(1, 1000)).c_str());
    ASSERT_TRUE(view != NULL);
    Paint(view);
    const int page = Info(view).pageLines;
    ASSERT_GE(page, 2);
    const struct {
        const char* name;
        WPARAM key;
        int repeat;
        int64_t top; // 0: the end's top line
    } keys[] = {
        {"Page Down", VK_NEXT, 1, 1 + page},
        {"Down three", VK_DOWN, 3, 4 + page},
        {"Up one", VK_UP, 1, 3 + page},
        {"Page Up", VK_PRIOR, 1, 3},
        {"Page Up within the first page", VK_PRIOR, 1, 1},
        {"Up at the top", VK_UP, 5, 1},
        {"End", VK_END, 1, 0},
        {"Page Down at the end", VK_NEXT, 1, 0},
        {"Home", VK_HOME, 1, 1},
    };
    for (const auto& k : keys) {
        Key(view, k.key, k.repeat);
        EXPECT_EQ(k.top ? k.top : 1000 - page + 1, View_TopLine(view)) << k.name;
    }
    // Digit 5: the first line at or after half the file (each line is "line N\r\n").
    Key(view, '5');
    const int64_t top = View_TopLine(view);
    const int64_t half = Info(view).fileSize / 2;
    int64_t offset = 0;
    for (int line = 1; line < top; line++)
        offset += 7 + (int)std::to_string(line).size();
    EXPECT_GE(offset, half);
    EXPECT_LT(offset - (7 + (int)std::to_string(top - 1).size()), half);

    HWND bar = GetDlgItem(view, 9000);
    ASSERT_TRUE(bar != NULL);
    Key(view, VK_HOME);
    SendMessageA(view, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(1 + page, View_TopLine(view));
    SendMessageA(view, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(2 + page, View_TopLine(view));
    SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), reinterpret_cast<LPARAM>(bar));
    SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(top, View_TopLine(view)) << "the thumb at 50 is digit 5";
    EXPECT_EQ(50, GetScrollPos(bar, SB_CTL));

    HWND hbar = GetDlgItem(view, 9001);
    Key(view, VK_RIGHT, 1);
    Key(view, VK_RIGHT, 1);
    EXPECT_EQ(2, Info(view).hScroll);
    SendMessageA(view, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(hbar));
    EXPECT_EQ(10, Info(view).hScroll);
    Key(view, VK_LEFT, 1);
    EXPECT_EQ(9, Info(view).hScroll);
}

// The thumb and the circle were 32-bit products of offset and 100: wrong past 21 MB.
TEST_F(ViewTest, ThumbPercentageHoldsPastTwentyOneMegabytes) {
    std::string text;
    for (int i = 0; i < 600000; i++)
        text += "a line of fifty bytes, padded out to that length\r\n";
    ASSERT_EQ(30000000u, text.size());
    HWND view = View_OpenFile(Write("thirty-mb.txt", text).c_str());
    ASSERT_TRUE(view != NULL);
    Key(view, '5');
    Paint(view);
    EXPECT_EQ(300001, View_TopLine(view));
    EXPECT_EQ(50, GetScrollPos(GetDlgItem(view, 9000), SB_CTL));
    Key(view, VK_END);
    Paint(view);
    EXPECT_EQ(100, GetScrollPos(GetDlgItem(view, 9000), SB_CTL));
    EXPECT_EQ(1, Info(view).atEndOfView);
}

TEST_F(ViewTest, MouseSelectionsCopyExactlyInTextAndHex) {
    const std::string text = Lines(1, 400);
    HWND view = View_OpenFile(Write("select.txt", text).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Paint(view);

    // Characters from column 3 of line 2 to column 4 of line 4.
    EmptyTheClipboard();
    Drag(view, At(view, 1, 3), At(view, 3, 4));
    EXPECT_EQ(2, Info(view).selectionState);
    Command(IDM_COPY);
    EXPECT_EQ("ne 2\r\nline 3\r\nline", Clipboard());
    EXPECT_EQ(0, Info(view).selectionState) << "copying drops the selection";

    // Whole lines, dragged upwards in the left margin.
    Drag(view, At(view, 2, 0), At(view, 0, 0));
    Command(IDM_COPY);
    EXPECT_EQ("line 1\r\nline 2\r\nline 3\r\n", Clipboard());

    // 300 lines: a click, then Shift+click far below, past what the window shows.
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(view, 0, 0));
    SendMessageA(view, WM_LBUTTONUP, 0, At(view, 0, 0));
    Key(view, VK_DOWN, 299);
    ASSERT_EQ(300, View_TopLine(view));
    Drag(view, At(view, 0, 0), At(view, 0, 0), MK_SHIFT);
    EXPECT_EQ(1, Info(view).selFromLine);
    EXPECT_EQ(300, Info(view).selToLine);
    Command(IDM_COPY);
    EXPECT_EQ(Lines(1, 300), Clipboard());
    EXPECT_EQ(300, View_TopLine(view)) << "the view stays where it was";

    // Hex rows as shown, offsets included.
    Command(IDM_HEX);
    Key(view, VK_HOME);
    ASSERT_EQ(1, Info(view).hexMode);
    Drag(view, At(view, 0, 0), At(view, 1, 0));
    Command(IDM_COPY);
    char row1[80], row2[80];
    FormatHexRow(row1, 0, (const unsigned char*)text.data(), 16, false);
    FormatHexRow(row2, 16, (const unsigned char*)text.data() + 16, 16, false);
    EXPECT_EQ(std::string(row1) + "\r\n" + row2 + "\r\n", Clipboard());
}

TEST_F(ViewTest, TitleLockShrinksTheTextAreaByTheLockedLines) {
    HWND view = View_OpenFile(Write("title.txt", Lines(1, 200)).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Paint(view);
    const ViewInfo before = Info(view);
    Drag(view, At(view, 0, 0), At(view, 2, 0));
    Command(IDM_TITLE_LOCK);
    const ViewInfo locked = Info(view);
    EXPECT_EQ(3, locked.titleLineCount);
    EXPECT_GE(locked.textArea.top, before.textArea.top + 3 * before.lineHeight);
    EXPECT_LE(locked.pageLines, before.pageLines - 3);
    EXPECT_FALSE(GetMenuState(GetMenu(gFrame), IDM_TITLE_UNLOCK, MF_BYCOMMAND) & MF_GRAYED);
    Key(view, VK_NEXT);
    EXPECT_EQ(1 + locked.pageLines, View_TopLine(view));
    Command(IDM_TITLE_UNLOCK);
    EXPECT_EQ(0, Info(view).titleLineCount);
    EXPECT_EQ(before.textArea.top, Info(view).textArea.top);
    EXPECT_EQ(before.pageLines, Info(view).pageLines);
}

TEST_F(ViewTest, AFileChangedBehindAnInactiveViewStartsAtTheTop) {
    const std::string a = Write("changes.txt", Lines(1, 300));
    HWND viewA = View_OpenFile(a.c_str(), 120);
    ASSERT_TRUE(viewA != NULL);
    SetFocus(viewA);
    Paint(viewA);
    Drag(viewA, At(viewA, 0, 0), At(viewA, 1, 0)); // lines 120 and 121 locked as the title
    Command(IDM_TITLE_LOCK);
    HWND viewB = View_OpenFile(Write("other.txt", Lines(1, 50)).c_str());
    ASSERT_TRUE(viewB != NULL);
    Write("changes.txt", Lines(1, 400, "new "));
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(viewA), 0);
    EXPECT_EQ(1, View_TopLine(viewA));
    EXPECT_EQ((int64_t)Lines(1, 400, "new ").size(), Info(viewA).fileSize);
    EXPECT_EQ(0, strncmp(gEngine.displayText + gEngine.rowOffset[0], "new 1", 5));
    // The title shows the same lines as the file now has them.
    WinData* record = View_Data(viewA);
    ASSERT_TRUE(record && record->titleText);
    EXPECT_EQ(2, record->titleLineCount);
    const char* title = static_cast<const char*>(GlobalLock(record->titleText));
    EXPECT_EQ(0, strncmp(title, "new 120", 7)) << title;
    GlobalUnlock(record->titleText);
}

TEST_F(ViewTest, AFileDeletedBehindAnInactiveViewClosesIt) {
    const std::string a = Write("goes.txt", Lines(1, 30));
    HWND viewA = View_OpenFile(a.c_str());
    HWND viewB = View_OpenFile(Write("stays.txt", Lines(1, 30)).c_str());
    ASSERT_TRUE(viewA && viewB);
    ASSERT_TRUE(DeleteFileA(a.c_str()));
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(viewA), 0);
    Harness_PumpMessages(100);
    EXPECT_FALSE(IsWindow(viewA));
    EXPECT_TRUE(IsWindow(viewB));
    EXPECT_STREQ(View_Path(viewB), gEngine.file.path);
}

TEST_F(ViewTest, AFileTypeSetsTheModeAndLocksItsTitleLines) {
    TypeSettings locked = {};
    locked.text = 1;
    locked.tab = 4;
    locked.lockStart = 1;
    locked.lockEnd = 2;
    ASSERT_EQ(1, FileTypes_Save("lkx", locked));
    HWND view = View_OpenFile(Write("report.lkx", "Name\tSize\r\n----\r\n" + Lines(3, 200)).c_str());
    ASSERT_TRUE(view != NULL);
    Paint(view);
    EXPECT_EQ(2, Info(view).titleLineCount);
    EXPECT_EQ(3, View_TopLine(view)) << "the view starts after the locked lines";
    EXPECT_EQ(4, gEngine.settings.tabSpacing);

    // A hex type shows a file that is no text in hex rows without asking.
    TypeSettings hex = {};
    hex.hex = 1;
    hex.tab = 8;
    ASSERT_EQ(1, FileTypes_Save("hxx", hex));
    HWND dump = View_OpenFile(Write("dump.hxx", std::string(300, 'x') + "\nmore\n").c_str());
    ASSERT_TRUE(dump != NULL);
    EXPECT_EQ(1, Info(dump).hexMode);
    FileTypes_Undefine("lkx");
    FileTypes_Undefine("hxx");
}

TEST_F(ViewTest, CancelAtModeLeavesThePreviousViewAsItWas) {
    HWND text = View_OpenFile(Write("plain.txt", Lines(1, 100)).c_str(), 20);
    ASSERT_TRUE(text != NULL);
    Harness_Answer("Mode?",
                   "This does not look like text.\n(Could not find ends of lines.)\n"
                   "Switch to Hex mode?",
                   IDCANCEL);
    EXPECT_TRUE(View_OpenFile(Write("long-line.txt", std::string(300, 'x') + "\nmore\n").c_str()) ==
                NULL);
    EXPECT_EQ(text, Frame_ActiveChild());
    EXPECT_STREQ(View_Path(text), gEngine.file.path);
    EXPECT_EQ(20, View_TopLine(text));
    EXPECT_EQ(0, gEngine.settings.hexMode);
}

TEST_F(ViewTest, FindNextPlacesTheMatchHalfAWindowDown) {
    std::string text = Lines(1, 999);
    text.replace(text.find("line 3\r\n"), 6, "needle");
    text.replace(text.find("line 700\r\n"), 8, "needle 7");
    HWND view = View_OpenFile(Write("find-next.txt", text).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Paint(view);
    FindSettings_Init(&gFind);
    lstrcpyA(gFind.string1, "needle");
    gFind.typedLength = 6;
    ASSERT_EQ(1, FindInView(&gEngine, &gFind, false, 6, true));
    EXPECT_EQ(3, gEngine.matchLine);
    EXPECT_EQ(1, View_TopLine(view)) << "a match in the window leaves it where it is";
    Command(IDM_FIND_NEXT);
    const int page = Info(view).pageLines;
    EXPECT_EQ(700, gEngine.matchLine);
    EXPECT_EQ(700 - page / 2, View_TopLine(view));
    Paint(view);
    EXPECT_EQ(700 - page / 2, View_TopLine(view)) << "the paint keeps the match where it is";
}

void TypeAHugeLineNumber(const SeenBox& box) {
    HWND dialog = box.caption == "Go To Line" ? FindWindowA("#32770", "Go To Line") : NULL;
    if (dialog)
        SetDlgItemTextA(dialog, IDC_GOLINE_NUMBER, "123456789012345678901234567890");
}

TEST_F(ViewTest, GoToLineFromTheViewTakesAHugeNumberToTheEnd) {
    HWND view = View_OpenFile(Write("go-far.txt", Lines(1, 1000)).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Paint(view);
    Harness_SetBoxWatcher(TypeAHugeLineNumber);
    Harness_Answer("Go To Line", "Go To Line:", IDOK);
    Command(IDM_GO_TO_LINE);
    Harness_SetBoxWatcher(nullptr);
    Paint(view);
    // The file's end was already read: its last line comes to the top.
    EXPECT_EQ(1000, View_TopLine(view));
    EXPECT_EQ(1, Info(view).atEndOfView);
    EXPECT_STREQ("Line:1,000 ", Info(view).lineText);
}

TEST_F(ViewTest, RightButtonStripNamesLineCharacterAndOffset) {
    HWND view = View_OpenFile(Write("strip.txt", "abcdef\r\nxy").c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Paint(view);
    SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, At(view, 0, 3));
    EXPECT_STREQ("Line:1  Char:3  FileOffset: 2h      ", Info(view).positionStrip);
    // Past the end of the short last line: the file's last byte.
    SendMessageA(view, WM_MOUSEMOVE, MK_RBUTTON, At(view, 1, 40));
    EXPECT_STREQ("Line:2  Char:2  FileOffset: 9h      ", Info(view).positionStrip);
    SendMessageA(view, WM_RBUTTONUP, 0, At(view, 1, 40));
    EXPECT_STREQ("", Info(view).positionStrip);

    Command(IDM_HEX);
    Paint(view);
    // Column 39 (0-based) shows byte 9 of the row.
    SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, At(view, 0, 40));
    EXPECT_STREQ("Line:1  Char:10  FileOffset: 9h      ", Info(view).positionStrip);
    SendMessageA(view, WM_RBUTTONUP, 0, At(view, 0, 40));
}

TEST_F(ViewTest, PicturesOfATextAndAHexViewWithMatchAndSelection) {
    std::string text;
    for (int i = 1; i <= 200; i++)
        text += "row " + std::to_string(i) + "\tof the picture file\twith a tab or two\r\n";
    text.replace(text.find("row 12\t"), 6, "NEEDLE");
    HWND view = View_OpenFile(Write("picture.txt", text).c_str());
    ASSERT_TRUE(view != NULL);
    ShowWindow(view, SW_MAXIMIZE);
    SetFocus(view);
    FindSettings_Init(&gFind);
    lstrcpyA(gFind.string1, "NEEDLE");
    gFind.typedLength = 6;
    ASSERT_EQ(1, FindInView(&gEngine, &gFind, false, 6, true));
    Paint(view);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(view, 3, 5));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(view, 6, 12));
    UpdateWindow(view);
    Harness_PumpMessages(50);
    CreateDirectoryA("build", NULL);
    CreateDirectoryA("build\\win32", NULL);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, "build\\win32\\view-text.bmp"));
    SendMessageA(view, WM_LBUTTONUP, 0, At(view, 6, 12));
    // What the picture shows: the match on its row inside the window, the rows dragged over
    // selected, a text view.
    ViewInfo shown = {};
    ASSERT_EQ(1, View_GetInfo(view, &shown));
    EXPECT_EQ(12, gEngine.matchLine);
    EXPECT_TRUE(shown.topLine <= 12 && 12 < shown.topLine + shown.pageLines);
    EXPECT_NE(0, shown.selectionState);
    EXPECT_EQ((std::vector<int64_t>{shown.topLine + 3, shown.topLine + 6}),
              (std::vector<int64_t>{shown.selFromLine, shown.selToLine}));
    EXPECT_EQ(0, shown.hexMode);

    Command(IDM_HEX);
    ASSERT_EQ(1, FindInView(&gEngine, &gFind, false, 6, true));
    Paint(view);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(view, 2, 0));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(view, 4, 0));
    SendMessageA(view, WM_LBUTTONUP, 0, At(view, 4, 0));
    UpdateWindow(view);
    Harness_PumpMessages(50);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, "build\\win32\\view-hex.bmp"));
    ASSERT_EQ(1, View_GetInfo(view, &shown));
    EXPECT_EQ(1, shown.hexMode);
    EXPECT_EQ((std::vector<int64_t>{shown.topLine + 2, shown.topLine + 4}),
              (std::vector<int64_t>{shown.selFromLine, shown.selToLine}));
}

} // namespace
