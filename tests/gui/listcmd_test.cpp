// The commands that take their files from a window or a list's selection: Next through the
// selection queue, Edit, Launch and Delete, each routed by the kind of window with the focus.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "search/selqueue_win.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kDeleteMany[] = "Delete selected files?\n('YES' will immediately delete the files!)";
const char kNoSelection[] = "No selected file(s).";

class ListCommandTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        Harness_CascadeNewWindows();
        gSettings.confirmDelete = 1;
        dir_ = Harness_ScratchFolder("orv-listcmd");
    }
    void TearDown() override {
        for (const std::string& file : files_) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(dir_.c_str());
        OrvFrameTest::TearDown();
    }
    std::string File(const char* name, const std::string& text = "text\r\n") {
        const std::string path = dir_ + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD wrote = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &wrote, NULL);
        CloseHandle(file);
        files_.push_back(path);
        return path;
    }
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A results window holding the entries, with the focus in its list.
    HWND Results(const std::vector<std::string>& entries) {
        HWND results = Results_Create("*.TXT");
        for (const std::string& entry : entries)
            Results_AddEntry(results, entry.c_str());
        SetFocus(Results_List(results));
        return results;
    }
    // Selects entries as the user's clicks do, the list telling its window.
    static void Select(HWND results, const std::vector<std::string>& entries) {
        HWND list = Results_List(results);
        for (const std::string& entry : entries) {
            LRESULT row = SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                       reinterpret_cast<LPARAM>(entry.c_str()));
            SendMessageA(list, LB_SETSEL, TRUE, row);
        }
        SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    static bool NextEnabled() {
        return !(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    }
    static void Command(WORD id) { SendMessageA(gFrame, WM_COMMAND, id, 0); }
    static std::vector<HWND> Children(WindowKind kind) {
        std::vector<HWND> found;
        for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (!GetWindow(child, GW_OWNER) && Orv_ClassifyWindow(child).kind == kind &&
                Orv_ClassifyWindow(child).window == child)
                found.push_back(child);
        }
        return found;
    }
    static std::string EditorText(HWND editor) {
        char text[4096] = "";
        GetWindowTextA(Editor_Control(editor), text, sizeof text);
        return text;
    }
    std::string dir_;
    std::vector<std::string> files_;
};

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; i++)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(ListCommandTest, NextOpensEachSelectedResultInTurnThenSaysNoNextFile) {
    const std::string a = File("A.TXT"), b = File("B.TXT", Lines(30)), c = File("C.TXT");
    const std::string bLine = b + " :     7: line 7";
    HWND results = Results({a, bLine, c});
    EXPECT_FALSE(NextEnabled());
    Select(results, {a, bLine, c});
    EXPECT_TRUE(NextEnabled());

    struct Opened {
        std::string path;
        int64_t top;
    };
    std::vector<Opened> opened;
    for (int i = 0; i < 3; i++) {
        Command(IDM_NEXT);
        HWND view = Frame_ActiveChild();
        ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind);
        opened.push_back({View_Path(view), View_TopLine(view)});
        // The list is left without its marks once a file of it is open.
        EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));
        EXPECT_EQ(i < 2, NextEnabled());
    }
    ASSERT_EQ(3u, opened.size());
    EXPECT_EQ(a, opened[0].path);
    EXPECT_EQ(1, opened[0].top);
    EXPECT_EQ(b, opened[1].path);
    EXPECT_EQ(7, opened[1].top); // a line entry opens at its line
    EXPECT_EQ(c, opened[2].path);

    Harness_Answer(NULL, "No next file.", IDOK);
    EnableMenuItem(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND | MF_ENABLED);
    Command(IDM_NEXT);
    EXPECT_FALSE(NextEnabled());
    EXPECT_EQ(3u, Children(kKindView).size());
}

TEST_F(ListCommandTest, SeveralFilesTakenWithEnterOpenAllAtOnce) {
    gSettings.cascadeNew = 0;
    gSettings.tileNew = 1;
    const std::string a = File("A.TXT"), b = File("B.TXT"), c = File("C.TXT");
    HWND results = Results({a, b, c});
    Select(results, {a, b, c});
    gSelQueue.openAll = true; // as Enter in the list leaves it
    Frame_PostOpen(gFrame, "");
    Harness_PumpMessages(100);
    std::vector<HWND> views = Children(kKindView);
    EXPECT_EQ(3u, views.size());
    EXPECT_FALSE(NextEnabled());
    EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));
    // Tiled side by side: no two windows overlap.
    views.push_back(results);
    for (size_t i = 0; i < views.size(); i++) {
        for (size_t j = i + 1; j < views.size(); j++) {
            RECT first, second, both;
            GetWindowRect(views[i], &first);
            GetWindowRect(views[j], &second);
            EXPECT_FALSE(IntersectRect(&both, &first, &second) && both.right - both.left > 2 &&
                         both.bottom - both.top > 2);
        }
    }
}

TEST_F(ListCommandTest, ADoubleClickOpensTheEntryAtOnce) {
    const std::string a = File("A.TXT", Lines(40));
    const std::string entry = a + " :    12: line 12";
    HWND results = Results({entry});
    HWND list = Results_List(results);
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    Harness_PumpMessages(50);
    std::vector<HWND> views = Children(kKindView);
    ASSERT_EQ(1u, views.size());
    EXPECT_EQ(a, View_Path(views[0]));
    EXPECT_EQ(12, View_TopLine(views[0]));
}

TEST_F(ListCommandTest, ClosingTheLastWindowToOpenTheNextKeepsTheQueue) {
    gSettings.cascadeNew = 0;
    gSettings.closePrevious = 1; // each file replaces the window before it
    const std::string a = File("A.TXT"), b = File("B.TXT");
    HWND results = Results({a, b});
    Select(results, {a, b});
    Command(IDM_NEXT); // the results window, alone, makes room for A
    EXPECT_FALSE(IsWindow(results));
    EXPECT_TRUE(NextEnabled());
    Command(IDM_NEXT);
    std::vector<HWND> views = Children(kKindView);
    ASSERT_EQ(1u, views.size());
    EXPECT_EQ(b, View_Path(views[0]));
}

TEST_F(ListCommandTest, EditTurnsAViewIntoAnEditorAtItsLineAndBack) {
    const std::string path = File("LONG.TXT", Lines(300));
    HWND view = View_OpenFile(path.c_str(), 120);
    SetFocus(view);
    Command(IDM_EDIT);
    EXPECT_FALSE(IsWindow(view));
    std::vector<HWND> editors = Children(kKindEditor);
    ASSERT_EQ(1u, editors.size());
    HWND editor = editors[0];
    EXPECT_EQ(path, Editor_Path(editor));
    EXPECT_EQ(Lines(300), EditorText(editor));
    EXPECT_EQ(120, Editor_FirstVisibleLine(editor));

    // Back again with the keys, although "&Edit" is greyed for editors.
    SendMessageA(Editor_Control(editor), EM_LINESCROLL, 0, 30);
    SetFocus(Editor_Control(editor));
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND) & MF_GRAYED);
    Harness_PressKeys({VK_CONTROL, 'E'});
    Harness_RunProgramLoop(200);
    EXPECT_FALSE(IsWindow(editor));
    std::vector<HWND> views = Children(kKindView);
    ASSERT_EQ(1u, views.size());
    EXPECT_EQ(path, View_Path(views[0]));
    EXPECT_EQ(150, View_TopLine(views[0]));
    EXPECT_EQ(views[0], Frame_ActiveChild());
}

TEST_F(ListCommandTest, EditOpensEachSelectedFileInAnEditor) {
    const std::string a = File("A.TXT", Lines(200)), b = File("B.TXT");
    const std::string aLine = a + " :    90: line 90";
    HWND results = Results({aLine, b});

    // "&Edit" comes with a selection; a command that still comes without one says so.
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND) & MF_GRAYED);
    EnableMenuItem(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND | MF_ENABLED);
    Harness_Answer(NULL, kNoSelection, IDOK);
    Command(IDM_EDIT);
    EXPECT_TRUE(Children(kKindEditor).empty());

    SetFocus(Results_List(results));
    Select(results, {aLine, b});
    EXPECT_FALSE(GetMenuState(GetMenu(gFrame), IDM_EDIT, MF_BYCOMMAND) & MF_GRAYED);
    Command(IDM_EDIT);
    std::vector<HWND> editors = Children(kKindEditor);
    ASSERT_EQ(2u, editors.size());
    std::vector<std::string> paths = {Editor_Path(editors[0]), Editor_Path(editors[1])};
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), b));
    HWND editorA = paths[0] == a ? editors[0] : editors[1];
    EXPECT_EQ(90, Editor_FirstVisibleLine(editorA));
    EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));
    EXPECT_FALSE(NextEnabled());
}

TEST_F(ListCommandTest, DeletingAnEditorsFileAsksBeforeTouchingTheEditor) {
    const std::string path = File("KEEP.TXT", "original\r\n");
    HWND editor = Editor_Open(path.c_str(), false);
    ASSERT_TRUE(editor != NULL);
    SetWindowTextA(Editor_Control(editor), "changed, not saved");
    SendMessageA(Editor_Control(editor), EM_SETMODIFY, TRUE, 0);
    SetFocus(Editor_Control(editor));

    Harness_Answer("Delete", ("Delete file " + path + "?").c_str(), IDNO);
    Command(IDM_DELETE);
    ASSERT_TRUE(IsWindow(editor));
    EXPECT_EQ("changed, not saved", EditorText(editor));
    EXPECT_TRUE(SendMessageA(Editor_Control(editor), EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(Exists(path));

    // Yes: the file goes, and so does the editor, without asking to save what is being deleted.
    SetFocus(Editor_Control(editor));
    Harness_Answer("Delete", ("Delete file " + path + "?").c_str(), IDYES);
    Command(IDM_DELETE);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(Exists(path));

    // A new text has no file: nothing is asked and nothing closes.
    HWND blank = Harness_NewChild(kEditClassName, "UNTITLED.TXT");
    SetFocus(Editor_Control(blank));
    Command(IDM_DELETE);
    EXPECT_TRUE(IsWindow(blank));
}

TEST_F(ListCommandTest, DeletingTheViewedFileClosesTheViewFirst) {
    const std::string path = File("VIEWED.TXT");
    HWND view = View_OpenFile(path.c_str());
    SetFocus(view);
    Harness_Answer("Delete", ("Delete file " + path + "?").c_str(), IDYES);
    Command(IDM_DELETE);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_FALSE(Exists(path));
}

TEST_F(ListCommandTest, DeletingSelectedResultsRemovesFilesAndTheirEntries) {
    for (int confirm : {1, 0}) {
        SCOPED_TRACE(confirm);
        gSettings.confirmDelete = confirm;
        const std::string a = File("A.TXT"), b = File("B.TXT"), c = File("C.TXT");
        const std::string aLine = a + " :     1: text";
        HWND results = Results({a, aLine, b, c});
        Select(results, {aLine, b});
        if (confirm)
            Harness_Answer("Delete", kDeleteMany, IDYES);
        Command(IDM_DELETE);
        EXPECT_FALSE(Exists(a));
        EXPECT_FALSE(Exists(b));
        EXPECT_TRUE(Exists(c));
        // Every entry of a deleted file goes, the file's own and its lines'.
        HWND list = Results_List(results);
        ASSERT_EQ(1, SendMessageA(list, LB_GETCOUNT, 0, 0));
        char left[MAX_PATH] = "";
        SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(left));
        EXPECT_EQ(c, left);
        EXPECT_FALSE(NextEnabled());
        Frame_CloseChild(results, false);
    }
    gSettings.confirmDelete = 1;
    const std::string d = File("D.TXT");
    HWND results = Results({d});
    Harness_Answer(NULL, kNoSelection, IDOK);
    Command(IDM_DELETE);
    EXPECT_TRUE(Exists(d));

    // No keeps every file.
    Select(results, {d});
    Harness_Answer("Delete", kDeleteMany, IDNO);
    Command(IDM_DELETE);
    EXPECT_TRUE(Exists(d));
}

// The Launch box as the user found it; the test's watcher reads it before it is answered.
struct LaunchBoxSeen {
    bool came;
    std::string program, file;
    bool minimize;
};
LaunchBoxSeen gLaunchBox;

void ReadLaunchBox(const SeenBox& box) {
    if (box.caption != "Launch")
        return;
    HWND dialog = FindWindowA("#32770", "Launch");
    char text[MAX_PATH * 2] = "";
    gLaunchBox.came = dialog != NULL;
    GetDlgItemTextA(dialog, IDC_LAUNCH_PROGRAM, text, sizeof text);
    gLaunchBox.program = text;
    GetDlgItemTextA(dialog, IDC_LAUNCH_FILE, text, sizeof text);
    gLaunchBox.file = text;
    gLaunchBox.minimize = IsDlgButtonChecked(dialog, IDC_LAUNCH_MINIMIZE) == BST_CHECKED;
}

TEST_F(ListCommandTest, LaunchShowsTheLaunchBoxOrRunsAtOnce) {
    const std::string notes = File("NOTES.ZZQ");
    lstrcpynA(gSettings.editor, "C:\\nowhere\\noeditor.exe", sizeof gSettings.editor);
    gSettings.minOnLaunch = 0;
    gSettings.confirmLaunch = 1;
    HWND view = View_OpenFile(notes.c_str());
    SetFocus(view);
    EnableMenuItem(GetMenu(gFrame), IDM_LAUNCH, MF_BYCOMMAND | MF_ENABLED);

    // An extension nobody knows goes to the default editor, which is not there.
    gLaunchBox = {};
    Harness_SetBoxWatcher(ReadLaunchBox);
    Harness_Answer("Launch", "&Program Name", IDOK);
    Harness_Answer(NULL, "Program did not run.", IDOK);
    Command(IDM_LAUNCH);
    Harness_SetBoxWatcher(nullptr);
    EXPECT_TRUE(gLaunchBox.came);
    EXPECT_EQ("C:\\nowhere\\noeditor.exe", gLaunchBox.program);
    EXPECT_EQ(notes, gLaunchBox.file);
    EXPECT_FALSE(gLaunchBox.minimize);
    EXPECT_FALSE(IsIconic(gFrame));

    // Without the box, from a list: at once, then the list is cleared.
    gSettings.confirmLaunch = 0;
    HWND results = Results({notes});
    Select(results, {notes});
    EnableMenuItem(GetMenu(gFrame), IDM_LAUNCH, MF_BYCOMMAND | MF_ENABLED);
    Harness_Answer(NULL, "Program did not run.", IDOK);
    Command(IDM_LAUNCH);
    EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));
    EXPECT_FALSE(NextEnabled());

    // A batch file is a program of its own: it runs in its own directory.
    const std::string marker = dir_ + "RAN.TXT";
    files_.push_back(marker);
    const std::string batch = File("MARK.BAT", "echo ran> RAN.TXT\r\n");
    view = View_OpenFile(batch.c_str());
    SetFocus(view);
    EnableMenuItem(GetMenu(gFrame), IDM_LAUNCH, MF_BYCOMMAND | MF_ENABLED);
    Command(IDM_LAUNCH);
    for (int i = 0; i < 100 && !Exists(marker); i++)
        Harness_PumpMessages(100);
    EXPECT_TRUE(Exists(marker));
}

TEST_F(ListCommandTest, TheScrollBarSwitchLaysOpenViewsOutAgain) {
    HWND view = View_OpenFile(File("LONG.TXT", Lines(100)).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    for (int pass = 0; pass < 2; pass++) {
        ViewInfo before = {};
        View_GetInfo(view, &before);
        const bool wasOn = gSettings.vertScrollBar != 0;
        Command(IDM_VERT_SCROLL_BAR);
        ViewInfo after = {};
        View_GetInfo(view, &after);
        EXPECT_NE(wasOn, gSettings.vertScrollBar != 0);
        EXPECT_EQ(!wasOn, (GetMenuState(GetMenu(gFrame), IDM_VERT_SCROLL_BAR, MF_BYCOMMAND) &
                           MF_CHECKED) != 0);
        // Beside the rows the bar takes their room; in the status band it gives it back.
        if (wasOn)
            EXPECT_GT(after.textArea.right, before.textArea.right);
        else
            EXPECT_LT(after.textArea.right, before.textArea.right);
    }
}

} // namespace

namespace {

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(NULL))
        return text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
            text = bytes;
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

DWORD CaretOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? start : (DWORD)-1;
}

TEST_F(ListCommandTest, EditingCommandsReachTheEditorsControl) {
    Command(IDM_NEW);
    HWND editor = Frame_ActiveChild();
    ASSERT_EQ(kKindEditor, Orv_ClassifyWindow(editor).kind);
    char title[32] = "";
    GetWindowTextA(editor, title, sizeof title);
    EXPECT_STREQ("UNTITLED.TXT", title);
    EXPECT_TRUE(Editor_IsUntitled(editor));

    HWND edit = Editor_Control(editor);
    SetWindowTextA(edit, "hello world");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 5);
    Command(IDM_COPY);
    EXPECT_EQ("hello", ClipboardText());
    Command(IDM_CUT);
    EXPECT_EQ(" world", EditorText(editor));
    Command(IDM_END);
    EXPECT_EQ(6u, CaretOf(edit));
    Command(IDM_PASTE);
    EXPECT_EQ(" worldhello", EditorText(editor));
    Command(IDM_UNDO);
    EXPECT_EQ(" world", EditorText(editor));
    Command(IDM_HOME);
    EXPECT_EQ(0u, CaretOf(edit));
    SendMessageA(edit, EM_SETSEL, 2, 5);
    Command(IDM_DESELECT);
    EXPECT_EQ(2u, CaretOf(edit));
}

TEST_F(ListCommandTest, SaveWritesTheEditorsFile) {
    const std::string path = File("SAVED.TXT", "before");
    HWND editor = Editor_Open(path.c_str(), false);
    SetWindowTextA(Editor_Control(editor), "after\r\nthe save");
    SendMessageA(Editor_Control(editor), EM_SETMODIFY, TRUE, 0);
    Command(IDM_SAVE);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                              NULL);
    char bytes[64] = "";
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes - 1, &read, NULL);
    CloseHandle(file);
    EXPECT_EQ("after\r\nthe save", std::string(bytes, read));
    EXPECT_FALSE(SendMessageA(Editor_Control(editor), EM_GETMODIFY, 0, 0));
    Frame_CloseChild(editor, false); // nothing left to ask about
    EXPECT_FALSE(IsWindow(editor));
}

TEST_F(ListCommandTest, CopyAndDeselectInAResultsList) {
    const std::string a = File("A.TXT"), b = File("B.TXT"), c = File("C.TXT");
    HWND results = Results({a, b, c});
    Select(results, {a, c});
    Command(IDM_COPY);
    EXPECT_EQ(a + "\r\n" + c + "\r\n", ClipboardText());
    EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));

    Select(results, {b});
    EXPECT_TRUE(NextEnabled());
    Command(IDM_DESELECT);
    EXPECT_EQ(0, SendMessageA(Results_List(results), LB_GETSELCOUNT, 0, 0));
    EXPECT_FALSE(NextEnabled());
}

} // namespace

namespace {

TEST_F(ListCommandTest, TheFindBoxServesViewsAndEditorsOnly) {
    const std::string a = File("A.TXT");
    HWND results = Results({a});
    HWND dir = Harness_NewChild(kDirClassName, "C:\\");
    HWND editor = Editor_Open(a.c_str(), false);
    HWND view = View_OpenFile(a.c_str());
    const struct {
        HWND window;
        bool enabled;
    } cases[] = {{results, false}, {editor, true}, {dir, false}, {view, true}};
    for (const auto& c : cases) {
        SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c.window), 0);
        SetFocus(c.window);
        EXPECT_EQ(c.enabled, IsWindowEnabled(gFindCombo) != 0) << Orv_ClassifyWindow(c.window).kind;
    }
}

} // namespace
