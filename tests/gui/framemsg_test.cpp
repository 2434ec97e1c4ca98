// The frame's own messages: the Window menu's marks, F1 in a menu, minimising and restoring,
// coming back to a changed or deleted file, the double click on a maximised child's icon,
// next window, dropped files and the block handed over for freeing.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include <string>
#include <vector>

#include "gui/harness.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "shell/help_win.h"
#include "shell/helpfile.h"
#include "shell/settings.h"
#include "viewer/engine.h"

namespace {

HWND Active() {
    return reinterpret_cast<HWND>(SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0));
}

std::string Caption(HWND window) {
    char text[400] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Holds keys down in this thread's view of the keyboard, as GetKeyState reads it, and lets them
// go again.
class HeldKeys {
  public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE held[256];
        memcpy(held, saved_, sizeof held);
        for (int key : keys)
            held[key] = 0x80;
        SetKeyboardState(held);
    }
    ~HeldKeys() {
        SetKeyboardState(saved_);
    }

  private:
    BYTE saved_[256];
};

class FrameMsgTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50); // the start-up commands
        gSettings.autoOpen = 0;
        gSettings.closePrevious = gSettings.minimisePrevious = 0;
        gSettings.tileNew = 0;
    }
};

// ---- The Window menu -------------------------------------------------------------------------

struct Marks {
    HBITMAP unchecked, checked;
};

Marks MarksOf(HMENU menu, UINT id) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoA(menu, id, FALSE, &info);
    return {info.hbmpUnchecked, info.hbmpChecked};
}

HMENU OpenWindowMenu(int position) {
    HMENU popup = GetSubMenu(GetMenu(gFrame), position);
    for (int i = 0; i < GetMenuItemCount(popup); i++)
        SetMenuItemBitmaps(popup, i, MF_BYPOSITION, NULL, NULL);
    SendMessageA(gFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    return popup;
}

struct KindMark {
    const char* className;
    int bitmap;
};
const KindMark kKindMarks[] = {
    {kViewClassName, kBmpMenuView},
    {kDirClassName, kBmpMenuDir},
    {kSrchClassName, kBmpMenuList},
    {kEditClassName, kBmpMenuEdit},
};

TEST_F(FrameMsgTest, EachListedWindowShowsTheMarkOfItsKind) {
    std::vector<HWND> children;
    for (const KindMark& k : kKindMarks)
        children.push_back(Harness_NewChild(k.className));
    for (bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised child" : "normal child");
        if (maximised)
            SendMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Active()), 0);
        // A maximised child's system menu leads the bar and moves "&Window" one place on.
        HMENU popup = OpenWindowMenu(kWindowMenuPosition + (maximised ? 1 : 0));
        for (size_t i = 0; i < children.size(); i++) {
            SCOPED_TRACE(kKindMarks[i].className);
            Marks marks = MarksOf(popup, GetDlgCtrlID(children[i]));
            EXPECT_EQ(gBitmaps[kKindMarks[i].bitmap], marks.unchecked);
            EXPECT_EQ(gBitmaps[kBmpMenuCheck], marks.checked);
        }
        // The arranging commands above the list keep the plain marks.
        EXPECT_TRUE(MarksOf(popup, IDM_CASCADE).unchecked == NULL);
    }
}

TEST_F(FrameMsgTest, OnlyTheWindowMenuAndOnlyNineListedWindowsTakeMarks) {
    for (int i = 0; i < 10; i++)
        Harness_NewChild(kViewClassName);
    HMENU windowMenu = GetSubMenu(GetMenu(gFrame), kWindowMenuPosition);
    for (int i = 0; i < GetMenuItemCount(windowMenu); i++)
        SetMenuItemBitmaps(windowMenu, i, MF_BYPOSITION, NULL, NULL);
    // Another menu opening leaves the Window menu alone.
    SendMessageA(gFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(gFrame), 0)),
                 0);
    EXPECT_TRUE(MarksOf(windowMenu, IDM_FIRST_CHILD).unchecked == NULL);

    OpenWindowMenu(kWindowMenuPosition);
    for (UINT id = IDM_FIRST_CHILD; id < IDM_FIRST_CHILD + 9; id++)
        EXPECT_EQ(gBitmaps[kBmpMenuView], MarksOf(windowMenu, id).unchecked) << id;
    // The tenth entry is the client's "More Windows...", which stands for no one window.
    ASSERT_NE(static_cast<UINT>(-1), GetMenuState(windowMenu, IDM_FIRST_CHILD + 9, MF_BYCOMMAND));
    EXPECT_TRUE(MarksOf(windowMenu, IDM_FIRST_CHILD + 9).unchecked == NULL);
}

// ---- F1 in a menu ------------------------------------------------------------------------

struct MenuHelpCase {
    const char* name;
    UINT highlighted;
    UINT flags; // of the highlighted entry
    bool f1Down;
    UINT idleSource;
    int requests; // help asked for
    UINT asked;   // with this item
};
const MenuHelpCase kMenuHelpCases[] = {
    {"F1OnAnItem", IDM_CLOSE_ALL, MF_HILITE, true, MSGF_MENU, 1, IDM_CLOSE_ALL},
    {"F1OnAPopupTitle", 2, MF_HILITE | MF_POPUP, true, MSGF_MENU, 1, 0},
    {"NoF1", IDM_CLOSE_ALL, MF_HILITE, false, MSGF_MENU, 0, 0},
    {"F1InADialog", IDM_CLOSE_ALL, MF_HILITE, true, MSGF_DIALOGBOX, 0, 0},
};

class MenuHelp : public FrameMsgTest, public ::testing::WithParamInterface<MenuHelpCase> {};

TEST_P(MenuHelp, AsksForTheHighlightedItemsHelpWhileF1IsDown) {
    const MenuHelpCase& c = GetParam();
    HMENU menu = GetSubMenu(GetMenu(gFrame), 0);
    // An item highlighted before, then the one under the bar now.
    SendMessageA(gFrame, WM_MENUSELECT, MAKEWPARAM(IDM_NEXT, MF_HILITE),
                 reinterpret_cast<LPARAM>(menu));
    SendMessageA(gFrame, WM_MENUSELECT, MAKEWPARAM(c.highlighted, c.flags),
                 reinterpret_cast<LPARAM>(menu));
    const int before = Help_MenuRequestCount();
    if (c.requests && !Help_MenuContext(c.asked))
        Harness_Answer("Menu Help", "No help available.", IDOK);
    {
        HeldKeys keys(c.f1Down ? std::initializer_list<int>{VK_F1} : std::initializer_list<int>{});
        SendMessageA(gFrame, WM_ENTERIDLE, c.idleSource, 0);
    }
    EXPECT_EQ(c.requests, Help_MenuRequestCount() - before);
    if (c.requests) {
        EXPECT_EQ(c.asked, Help_LastMenuItem());
    }
}

INSTANTIATE_TEST_SUITE_P(FrameMsg, MenuHelp, ::testing::ValuesIn(kMenuHelpCases), ByName());

// ---- Minimising and restoring the frame ----------------------------------------------------

struct CaptionCase {
    const char* name;
    const char* className;
    std::string caption;
    std::string asIcon; // what the child shows while the frame is an icon
};
const std::string kLongPath = "C:\\" + std::string(280, 'D') + "\\README.TXT";
const CaptionCase kCaptionCases[] = {
    {"ViewCutToItsFileName", kViewClassName, "C:\\WORK\\PROJECTS\\README.TXT", "README.TXT"},
    {"DirectoryCutToItsMask", kDirClassName, "C:\\WORK\\PROJECTS\\*.*", "*.*"},
    {"ResultsWithForwardSlashes", kSrchClassName, "Z:/tmp/some/results.txt", "results.txt"},
    {"ShortCaptionKept", kEditClassName, "C:\\A\\B\\CD.TXT", "C:\\A\\B\\CD.TXT"},
    {"SixteenCharactersCut", kEditClassName, "C:\\AB\\CDEFGH.TXT", "CDEFGH.TXT"},
    {"NoFileNamePartKept", kDirClassName, "C:\\WORK\\PROJECTS\\", "C:\\WORK\\PROJECTS\\"},
    {"TooLongToKeepLeftWhole", kViewClassName, kLongPath, kLongPath},
};

class IconCaption : public FrameMsgTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(IconCaption, IsCutWhileTheFrameIsAnIconAndPutBackAfter) {
    const CaptionCase& c = GetParam();
    Harness_NewChild(kViewClassName, "C:\\OTHER\\WINDOW\\BEHIND.TXT");
    HWND child = Harness_NewChild(c.className, c.caption.c_str());
    ASSERT_EQ(c.caption, Caption(child));
    ShowWindow(gFrame, SW_MINIMIZE);
    EXPECT_EQ(c.asIcon, Caption(child));
    SendMessageA(gFrame, WM_SIZE, SIZE_MINIMIZED, 0); // told twice, as the system may
    EXPECT_EQ(c.asIcon, Caption(child));
    ShowWindow(gFrame, SW_RESTORE);
    EXPECT_FALSE(IsIconic(gFrame));
    EXPECT_EQ(c.caption, Caption(child));
}

INSTANTIATE_TEST_SUITE_P(FrameMsg, IconCaption, ::testing::ValuesIn(kCaptionCases), ByName());

TEST_F(FrameMsgTest, RestoringLeavesACaptionTheChildChangedOrAChildGone) {
    HWND retitled = Harness_NewChild(kViewClassName, "C:\\WORK\\PROJECTS\\README.TXT");
    ShowWindow(gFrame, SW_MINIMIZE);
    SetWindowTextA(retitled, "C:\\WORK\\NOW\\ANOTHER.TXT");
    ShowWindow(gFrame, SW_RESTORE);
    EXPECT_EQ("C:\\WORK\\NOW\\ANOTHER.TXT", Caption(retitled));

    ShowWindow(gFrame, SW_MINIMIZE);
    SendMessageA(gMdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(retitled), 0);
    ShowWindow(gFrame, SW_RESTORE);
    EXPECT_FALSE(IsIconic(gFrame));
}

TEST_F(FrameMsgTest, RestoringAnEmptyFrameRunsAutoOpen) {
    for (int autoOpen : {0, 1}) {
        SCOPED_TRACE(autoOpen);
        gSettings.autoOpen = autoOpen;
        ShowWindow(gFrame, SW_MINIMIZE);
        const int before = Frame_OpenCount();
        ShowWindow(gFrame, SW_RESTORE);
        Harness_PumpMessages(50);
        EXPECT_EQ(before + autoOpen, Frame_OpenCount());
    }
}

TEST_F(FrameMsgTest, ResizingTilesTheChildrenWhenNewOnesAreTiled) {
    HWND first = Harness_NewChild(kViewClassName);
    HWND second = Harness_NewChild(kViewClassName);
    SendMessageA(gMdiClient, WM_MDICASCADE, 0, 0);
    gSettings.tileNew = 1;
    RECT frameRect;
    GetWindowRect(gFrame, &frameRect);
    MoveWindow(gFrame, frameRect.left, frameRect.top, frameRect.right - frameRect.left - 20,
               frameRect.bottom - frameRect.top - 20, TRUE);
    RECT a, b;
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    EXPECT_EQ(a.top, b.top); // side by side, no longer cascaded
    EXPECT_TRUE(a.right <= b.left || b.right <= a.left);
}

// ---- Coming back to ORV ------------------------------------------------------------------

void WriteText(const std::string& path, const char* text) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL) << path;
    fputs(text, f);
    fclose(f);
}

// "%02d%s%02d %02d:%02d" of the file's last write, in local time.
std::string StampOf(const std::string& path) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return "?";
    FILETIME local;
    SYSTEMTIME t;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &t);
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%02d%s%02d %02d:%02d", t.wDay, kMonths[t.wMonth - 1],
             t.wYear % 100, t.wHour, t.wMinute);
    return stamp;
}

// Moves the file's last write a day back, as another program saving it earlier would.
void AgeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME written;
    GetFileTime(file, NULL, NULL, &written);
    ULARGE_INTEGER t = {{written.dwLowDateTime, written.dwHighDateTime}};
    t.QuadPart -= 86400ULL * 10000000ULL;
    written.dwLowDateTime = t.LowPart;
    written.dwHighDateTime = t.HighPart;
    SetFileTime(file, NULL, NULL, &written);
    CloseHandle(file);
}

enum ElsewhereAction { kLeftAlone, kRewrittenLonger, kSavedEarlier, kDeleted, kGoneDeactivated };

struct ComeBackCase {
    const char* name;
    ElsewhereAction action;
    bool changedMark;
    bool viewCloses;
};
const ComeBackCase kComeBackCases[] = {
    {"Unchanged", kLeftAlone, false, false},
    {"RewrittenLonger", kRewrittenLonger, true, false},
    {"SavedWithAnotherTime", kSavedEarlier, true, false},
    {"DeletedClosesTheView", kDeleted, true, true},
    {"LeavingChecksNothing", kGoneDeactivated, false, false},
};

class ComingBack : public FrameMsgTest, public ::testing::WithParamInterface<ComeBackCase> {};

TEST_P(ComingBack, ChecksTheViewedFile) {
    const ComeBackCase& c = GetParam();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "orv-comeback-" + c.name + ".txt";
    WriteText(path, "first text\r\n");
    ASSERT_EQ(1, Engine_SetFile(&gEngine, path.c_str()));
    HWND view = Harness_NewChild(kViewClassName, path.c_str());
    SendMessageA(gFrame, WM_ACTIVATEAPP, TRUE, 0); // whatever came before, this is not the first
    gViewFileChanged = false;
    strcpy(gEngine.file.fileStamp, "old");

    switch (c.action) {
    case kLeftAlone:
        break;
    case kRewrittenLonger:
        WriteText(path, "first text\r\nand a second line\r\n");
        break;
    case kSavedEarlier:
        AgeFile(path);
        break;
    case kDeleted:
    case kGoneDeactivated:
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        break;
    }
    const std::string stampNow = StampOf(path);
    SendMessageA(gFrame, WM_ACTIVATEAPP, c.action == kGoneDeactivated ? FALSE : TRUE, 0);
    Harness_PumpMessages(50);

    EXPECT_EQ(c.changedMark, gViewFileChanged);
    EXPECT_EQ(!c.viewCloses, IsWindow(view) != 0);
    if (c.action == kLeftAlone || c.action == kRewrittenLonger || c.action == kSavedEarlier) {
        EXPECT_EQ(stampNow, gEngine.file.fileStamp); // the date text follows the file
    }
    DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(FrameMsg, ComingBack, ::testing::ValuesIn(kComeBackCases), ByName());

TEST_F(FrameMsgTest, ComingBackWithNoViewCurrentMarksTheViewChanged) {
    Harness_NewChild(kDirClassName);
    SendMessageA(gFrame, WM_ACTIVATEAPP, TRUE, 0);
    gViewFileChanged = false;
    SendMessageA(gFrame, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(gViewFileChanged);
}

// ---- The double click on a maximised child's icon --------------------------------------------

struct IconClickCase {
    const char* name;
    bool maximised;
    WPARAM hit;
    int offset; // from the frame's left client edge; -1 for one caption button's width on
    bool closes;
};
const IconClickCase kIconClickCases[] = {
    {"OnTheIcon", true, HTMENU, 2, true},
    {"PastTheIcon", true, HTMENU, -1, false},
    {"OnTheCaption", true, HTCAPTION, 2, false},
    {"ChildNotMaximised", false, HTMENU, 2, false},
};

class IconDoubleClick : public FrameMsgTest, public ::testing::WithParamInterface<IconClickCase> {};

TEST_P(IconDoubleClick, ClosesTheMaximisedChild) {
    const IconClickCase& c = GetParam();
    HWND other = Harness_NewChild(kDirClassName);
    HWND child = Harness_NewChild(kViewClassName);
    if (c.maximised)
        SendMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    POINT edge = {0, 0};
    ClientToScreen(gFrame, &edge);
    const int x = edge.x + (c.offset < 0 ? GetSystemMetrics(SM_CXSIZE) : c.offset);
    SendMessageA(gFrame, WM_NCLBUTTONDBLCLK, c.hit, MAKELPARAM(x, edge.y - 5));
    EXPECT_EQ(!c.closes, IsWindow(child) != 0);
    EXPECT_TRUE(IsWindow(other));
}

INSTANTIATE_TEST_SUITE_P(FrameMsg, IconDoubleClick, ::testing::ValuesIn(kIconClickCases), ByName());

// ---- Next window ---------------------------------------------------------------------------

// Ctrl+F6 as the message loop hands it on: to the MDI client's system accelerators.
void PressCtrlF6() {
    HeldKeys keys{VK_CONTROL};
    MSG msg = {};
    msg.hwnd = Active();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F6;
    TranslateMDISysAccel(gMdiClient, &msg);
}

enum NextBy { kCtrlF6, kNextCommand };

struct NextCase {
    const char* name;
    NextBy by;
    bool closePrevious, minimisePrevious;
    int childrenLeft;
    bool leftIsIcon;
};
const NextCase kNextCases[] = {
    {"CtrlF6LeavesItAlone", kCtrlF6, false, false, 3, false},
    {"CtrlF6Minimises", kCtrlF6, false, true, 3, true},
    {"CtrlF6Closes", kCtrlF6, true, false, 2, false},
    {"NextCommandClosesOnlyOne", kNextCommand, true, false, 2, false},
    {"NextCommandMinimises", kNextCommand, false, true, 3, true},
};

class NextWindow : public FrameMsgTest, public ::testing::WithParamInterface<NextCase> {};

TEST_P(NextWindow, TreatsTheWindowLeftAsAFileLeft) {
    const NextCase& c = GetParam();
    HWND children[3];
    for (HWND& child : children)
        child = Harness_NewChild(kViewClassName);
    gSettings.closePrevious = c.closePrevious;
    gSettings.minimisePrevious = c.minimisePrevious;
    HWND left = Active();
    if (c.by == kCtrlF6)
        PressCtrlF6();
    else
        SendMessageA(gFrame, WM_COMMAND, IDM_NEXT_WINDOW, 0);
    int alive = 0;
    for (HWND child : children)
        alive += IsWindow(child) ? 1 : 0;
    EXPECT_EQ(c.childrenLeft, alive);
    if (IsWindow(left)) {
        EXPECT_EQ(c.leftIsIcon, IsIconic(left) != 0);
    }
    ASSERT_TRUE(Active() != NULL);
    EXPECT_NE(left, Active());
}

INSTANTIATE_TEST_SUITE_P(FrameMsg, NextWindow, ::testing::ValuesIn(kNextCases), ByName());

// ---- Dropped files -----------------------------------------------------------------------

// A drop as the shell hands it over: a DROPFILES header and the paths, each ended by a zero,
// with one more zero at the end.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    char* bytes = static_cast<char*>(GlobalLock(block));
    DROPFILES* header = reinterpret_cast<DROPFILES*>(bytes);
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* at = bytes + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        memcpy(at, path.c_str(), path.size() + 1);
        at += path.size() + 1;
    }
    GlobalUnlock(block);
    return block;
}

// The paths "&Open/Dir..." was carried out with, and the tilings of the MDI client.
std::vector<std::string> gOpened;
int gTilings = 0;
HHOOK gAfterHook = NULL, gBeforeHook = NULL;

int gOpensSeen = 0;

LRESULT CALLBACK AfterFrameMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code >= 0 && m->hwnd == gFrame && m->message == WM_COMMAND &&
        LOWORD(m->wParam) == IDM_OPEN_DIR && Frame_OpenCount() != gOpensSeen) {
        gOpensSeen = Frame_OpenCount();
        gOpened.push_back(Frame_LastOpenPath());
    }
    return CallNextHookEx(gAfterHook, code, wParam, lParam);
}

LRESULT CALLBACK BeforeClientMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code >= 0 && m->hwnd == gMdiClient && m->message == WM_MDITILE)
        gTilings++;
    return CallNextHookEx(gBeforeHook, code, wParam, lParam);
}

class DroppedFiles : public FrameMsgTest {
  protected:
    void SetUp() override {
        FrameMsgTest::SetUp();
        gOpened.clear();
        gOpensSeen = Frame_OpenCount();
        gTilings = 0;
        gAfterHook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, AfterFrameMessage, NULL, GetCurrentThreadId());
        gBeforeHook =
            SetWindowsHookExA(WH_CALLWNDPROC, BeforeClientMessage, NULL, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(gAfterHook);
        UnhookWindowsHookEx(gBeforeHook);
        FrameMsgTest::TearDown();
    }
};

TEST_F(DroppedFiles, OpenLastToFirstEachAsAFreshFileAndTileOnce) {
    for (int tileNew : {0, 1}) {
        SCOPED_TRACE(tileNew);
        gOpened.clear();
        gTilings = 0;
        gSettings.tileNew = tileNew;
        gSettings.minimisePrevious = 1;
        HWND before = Harness_NewChild(kViewClassName);
        lstrcpyA(gCurrentDirSpec, "C:\\WORK\\*.*");
        HGLOBAL drop = MakeDrop({"C:\\drop\\one.txt", "C:\\drop\\two.txt", "C:\\drop\\three"});
        SendMessageA(gFrame, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        const std::vector<std::string> expected = {"C:\\drop\\three", "C:\\drop\\two.txt",
                                                   "C:\\drop\\one.txt"};
        EXPECT_EQ(expected, gOpened); // carried out before the drop's message returned
        EXPECT_EQ(tileNew, gTilings);
        EXPECT_STREQ("", gCurrentDirSpec);
        EXPECT_TRUE(IsIconic(before)); // "PreviousFile" applied to the window left
    }
}

TEST_F(DroppedFiles, APathTooLongIsRefusedNotCut) {
    const std::string tooLong = "C:\\" + std::string(MAX_PATH, 'x') + ".txt";
    const std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'y'); // 259 characters
    Harness_Answer(NULL, "Invalid filespec", IDOK); // as for any path the program cannot take
    HGLOBAL drop = MakeDrop({"C:\\drop\\first.txt", tooLong, longest});
    SendMessageA(gFrame, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    const std::vector<std::string> expected = {longest, "C:\\drop\\first.txt"};
    EXPECT_EQ(expected, gOpened);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_TRUE(Harness_SeenBoxes()[0].icon != NULL);
}

// ---- The block handed over for freeing ------------------------------------------------------

TEST_F(FrameMsgTest, TheFrameFreesABlockHandedOverForFreeing) {
    EXPECT_EQ(1041u, kFrameFreeBlockMessage);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
    ASSERT_EQ(64u, GlobalSize(block));
    PostMessageA(gFrame, kFrameFreeBlockMessage, reinterpret_cast<WPARAM>(block), 0);
    Harness_PumpMessages(20);
    EXPECT_EQ(0u, GlobalSize(block));
}

} // namespace
