// The frame's commands that close windows: Close, Close All, the exit that an editor may refuse,
// the auto-open rule once the last child is gone, and Next with nothing left to open.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>

#include "gui/harness.h"
#include "lister/fileops.h"
#include "shell/startup_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"

namespace {

// An editor whose user cancels the save question: it stays when asked to close.
WNDPROC gEditorProc = nullptr;
bool gEditorRefuses = true;
LRESULT CALLBACK RefusingEditor(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && gEditorRefuses)
        return 0;
    return CallWindowProcA(gEditorProc, editor, message, wParam, lParam);
}

HWND NewRefusingEditor() {
    HWND editor = Harness_NewChild(kEditClassName);
    gEditorRefuses = true;
    gEditorProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingEditor)));
    return editor;
}

class FrameCommandTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50); // the start-up commands
        opensAtStart_ = Frame_OpenCount();
    }
    int OpensSinceStart() { return Frame_OpenCount() - opensAtStart_; }
    int opensAtStart_ = 0;
};

TEST_F(FrameCommandTest, AnEditorThatRefusesKeepsTheProgramAndItsWindows) {
    HWND view = Harness_NewChild(kViewClassName);
    HWND editor = NewRefusingEditor();
    SendMessageA(gFrame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(gFrame != NULL);
    EXPECT_TRUE(IsWindow(editor) && IsWindowVisible(editor));
    EXPECT_TRUE(IsWindow(view)); // nothing else was closed either
    EXPECT_TRUE(IsWindowVisible(gMdiClient));

    gEditorRefuses = false;
    SendMessageA(gFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(gFrame == NULL);
}

TEST_F(FrameCommandTest, CloseAllStopsAtARefusingEditorElseClosesEverything) {
    gSettings.autoOpen = 0;
    HWND dir = Harness_NewChild(kDirClassName);
    HWND results = Harness_NewChild(kSrchClassName);
    HWND editor = NewRefusingEditor();
    SendMessageA(gFrame, WM_COMMAND, IDM_CLOSE_ALL, 0);
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_TRUE(IsWindow(dir) && IsWindow(results));

    gEditorRefuses = false;
    gSettings.autoOpen = 1;
    SendMessageA(gFrame, WM_COMMAND, IDM_CLOSE_ALL, 0);
    EXPECT_FALSE(IsWindow(editor) || IsWindow(dir) || IsWindow(results));
    Harness_PumpMessages(50);
    EXPECT_EQ(1, OpensSinceStart()); // auto-open once, after the last one, not per window
    // ... which, with nothing pending, brings up the current drive's directory window.
    EXPECT_EQ(kKindDir, Menu_ActiveKind());
    char root[4] = "";
    GetWindowTextA(Frame_ActiveChild(), root, sizeof root);
    EXPECT_EQ(':', root[1]);
}

TEST_F(FrameCommandTest, ClosingTheLastChildOpensTheNextOnlyWithAutoOpen) {
    for (int autoOpen : {0, 1}) {
        SCOPED_TRACE(autoOpen);
        gSettings.autoOpen = autoOpen;
        const int before = OpensSinceStart();
        HWND view = Harness_NewChild(kViewClassName);
        SetFocus(view);
        SendMessageA(gFrame, WM_COMMAND, IDM_CLOSE, 0);
        EXPECT_FALSE(IsWindow(view));
        Harness_PumpMessages(50);
        EXPECT_EQ(before + autoOpen, OpensSinceStart());
    }
}

TEST_F(FrameCommandTest, NextWithNothingLeftSaysSoAndGreysItself) {
    gNextPending = false;
    EnableMenuItem(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND | MF_ENABLED);
    Harness_Answer(NULL, "No next file.", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_TRUE(Harness_SeenBoxes()[0].icon == NULL);
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(FrameCommandTest, TheWindowListCommandsArrangeAndRestore) {
    gSettings.tileNew = 0;
    HWND first = Harness_NewChild(kViewClassName);
    HWND second = Harness_NewChild(kViewClassName);
    ShowWindow(first, SW_MINIMIZE);
    SendMessageA(gFrame, WM_COMMAND, IDM_RESTORE_CHILD, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(IsIconic(first));
    SendMessageA(gFrame, WM_COMMAND, IDM_TILE_HORIZONTAL, 0);
    RECT a, b;
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    EXPECT_EQ(a.right - a.left, b.right - b.left); // one above the other, full width
    EXPECT_TRUE(a.bottom <= b.top || b.bottom <= a.top);
}

} // namespace

namespace {

TEST_F(FrameCommandTest, GreyedItemsDropTheirKeysButF3AndCtrlEInAnEditor) {
    HWND view = Harness_NewChild(kViewClassName);
    SetFocus(view);
    const struct {
        std::initializer_list<BYTE> keys;
        bool findNextEnabled;
        WORD carried; // 0: dropped
        int dialogs; // "Find", then "Advanced Find", each cancelled
    } cases[] = {
        {{VK_F3}, true, IDM_FIND_NEXT, 0},
        {{VK_F3}, false, IDM_FIND, 1}, // nothing to find again: Find asks for something
        {{VK_MENU, VK_F3}, true, IDM_FIND_BACKWARD, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.carried);
        EnableMenuItem(GetMenu(gFrame), IDM_FIND_NEXT,
                       MF_BYCOMMAND | (c.findNextEnabled ? MF_ENABLED : MF_GRAYED));
        if (c.dialogs >= 1)
            Harness_Answer("Find", "&Find String:", IDCANCEL);
        if (c.dialogs >= 2)
            Harness_Answer("Advanced Find", "String &1:", IDCANCEL);
        Harness_PressKeys(c.keys);
        Harness_RunProgramLoop(300);
        EXPECT_EQ(c.carried, Frame_LastCommand());
    }
    // Ctrl+E: an editor takes it although the item is greyed; a directory window drops it.
    EnableMenuItem(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND | MF_GRAYED);
    HWND editor = Harness_NewChild(kEditClassName);
    SetFocus(editor);
    EnableMenuItem(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND | MF_GRAYED);
    Harness_PressKeys({VK_CONTROL, 'E'});
    Harness_RunProgramLoop(300);
    EXPECT_EQ(IDM_EDIT, Frame_LastCommand());
    HWND dir = Harness_NewChild(kDirClassName);
    SetFocus(dir);
    SendMessageA(gFrame, WM_COMMAND, IDM_EDIT, 0); // greyed, and no list is waiting
    EXPECT_EQ(0, Frame_LastCommand());
}

} // namespace

namespace {

// "&Open/Dir..." by what its path names: a file opens a view titled with it; a directory (or a
// pattern) becomes the current specification and opens a directory window on its drive; no
// path brings up the open directory window of the current specification.
TEST_F(FrameCommandTest, OpenDirOpensByWhatThePathNames) {
    gSettings.maximiseNew = gSettings.tileNew = 0;
    gSettings.cascadeNew = 1;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "orv-open-dir";
    CreateDirectoryA(dir.c_str(), NULL);
    const std::string file = dir + "\\seen.txt";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(h);

    Frame_SendOpen(gFrame, file.c_str());
    HWND view = Frame_ActiveChild();
    ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind);
    char title[MAX_PATH] = "";
    GetWindowTextA(view, title, sizeof title);
    EXPECT_STREQ(file.c_str(), title);

    Frame_SendOpen(gFrame, dir.c_str());
    HWND dirWindow = Frame_ActiveChild();
    ASSERT_EQ(kKindDir, Orv_ClassifyWindow(dirWindow).kind);
    EXPECT_EQ(dir + "\\*.*", std::string(gCurrentDirSpec));
    GetWindowTextA(dirWindow, title, sizeof title);
    EXPECT_EQ(dir.substr(0, 3), std::string(title)); // the drive root

    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view), 0);
    ShowWindow(dirWindow, SW_MINIMIZE);
    Frame_SendOpen(gFrame, "");
    EXPECT_EQ(dirWindow, Frame_ActiveChild()); // the one already open, restored
    EXPECT_FALSE(IsIconic(dirWindow));

    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace

namespace {

// A file deleted with "continue afterwards" leaves the frame to open the next one when no
// window is left.
TEST_F(FrameCommandTest, DeletingTheLastFileOpensTheNextWithAutoOpen) {
    gSettings.autoOpen = 1;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "orv-delete-next.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    Harness_Answer("Delete", ("Delete file " + file + "?").c_str(), IDYES);
    EXPECT_EQ(0, DeleteOneFile(file.c_str(), false, true));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    Harness_PumpMessages(50);
    EXPECT_EQ(1, OpensSinceStart());
}

} // namespace
