// The editor as a user works it: opening files and refusing those it cannot hold, saving with
// and without a name, closing with changes, saves that fail leaving the file as it was, Save As
// of a view's selection, and find and replace through the real dialogs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "editor/textfile.h"
#include "find/findpat.h"
#include "gui/harness.h"
#include "lister/dirwnd_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kEditorCaption[] = "ORV Editor";

// The Save As dialog the user fills in: the name it proposed, and the name typed over it.
std::string gSaveName, gProposedName;

void Watch(const SeenBox& box) {
    WatchDialogs(box);
    if (HWND dialog = Harness_SaveAsDialog()) {
        char proposed[MAX_PATH] = "";
        GetDlgItemTextA(dialog, kSaveAsNameBox, proposed, sizeof proposed);
        gProposedName = proposed;
        SetDlgItemTextA(dialog, kSaveAsNameBox, gSaveName.c_str());
    }
}

class EditorTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        Harness_CascadeNewWindows();
        FindSettings_Init(&gFind);
        dir_ = Harness_ScratchFolder("orv-editor");
        gProposedName.clear();
        Harness_SetBoxWatcher(Watch);
    }
    void TearDown() override {
        Harness_SetBoxWatcher(nullptr);
        gOnDialog.clear();
        ClearLater();
        Plat_FailWritesForTests(-1);
        Plat_FailCommitForTests(0);
        FindSettings_Init(&gFind);
        Harness_RemoveFolder(dir_);
        OrvFrameTest::TearDown();
    }
    std::string File(const char* name, const std::string& text) {
        return Harness_WriteFile(dir_ + name, text);
    }
    static std::string Contents(const std::string& path) {
        return Harness_ReadFile(path);
    }
    // The files in the scratch folder: a save leaves no file of its own behind.
    std::vector<std::string> DirNames() const {
        return Harness_FileNames(dir_);
    }
    static std::string Text(HWND editor) {
        HWND edit = Editor_Control(editor);
        std::string text((size_t)GetWindowTextLengthA(edit) + 1, '\0');
        text.resize((size_t)GetWindowTextA(edit, &text[0], (int)text.size()));
        return text;
    }
    static std::string Title(HWND window) {
        char text[MAX_PATH] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static bool Modified(HWND editor) {
        return SendMessageA(Editor_Control(editor), EM_GETMODIFY, 0, 0) != 0;
    }
    // Typing replaces the text, as the user's keys would, and marks it changed.
    static void Type(HWND editor, const char* text) {
        HWND edit = Editor_Control(editor);
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    static void Command(WORD id) {
        SendMessageA(gFrame, WM_COMMAND, id, 0);
    }
    static std::string Upper(std::string text) {
        CharUpperBuffA(&text[0], (DWORD)text.size());
        return text;
    }
    std::string dir_;
};

TEST_F(EditorTest, NewAsksForANameAtItsFirstSaveAndSavesSilentlyAfter) {
    Command(IDM_NEW);
    HWND editor = Frame_ActiveChild();
    ASSERT_TRUE(Editor_IsUntitled(editor));
    EXPECT_EQ("UNTITLED.TXT", Title(editor));
    Type(editor, "first words");

    gSaveName = dir_ + "Long File Name.txt";
    Harness_Answer(NULL, nullptr, IDOK); // the Save As dialog
    Harness_PressKeys({VK_CONTROL, 'S'});
    Harness_RunProgramLoop(300);
    EXPECT_EQ("UNTITLED.TXT", gProposedName);
    EXPECT_EQ("first words", Contents(gSaveName));
    EXPECT_FALSE(Editor_IsUntitled(editor));
    EXPECT_FALSE(Modified(editor));
    EXPECT_EQ(Upper(gSaveName), Title(editor));
    EXPECT_EQ(gSaveName, Editor_Path(editor));

    // Now it has a name: Ctrl+S writes without a question.
    Type(editor, "second words");
    Harness_PressKeys({VK_CONTROL, 'S'});
    Harness_RunProgramLoop(300);
    EXPECT_EQ("second words", Contents(gSaveName));
    EXPECT_EQ(std::vector<std::string>{"Long File Name.txt"}, DirNames());
    Frame_CloseChild(editor, false);
}

TEST_F(EditorTest, ClosingAChangedTextAsksAndCancelKeepsIt) {
    const struct {
        int answer;
        bool stays;
        const char* onDisk;
    } cases[] = {
        {IDCANCEL, true, "old\r\n"},
        {IDNO, false, "old\r\n"},
        {IDYES, false, "new text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const std::string path = File("CLOSE.TXT", "old\r\n");
        HWND editor = Editor_Open(path.c_str(), false);
        ASSERT_TRUE(editor != NULL);
        Type(editor, "new text");
        Harness_Answer(kEditorCaption,
                       ("File " + path + "\nhas been modified.\n\nSave it?").c_str(), c.answer);
        Command(IDM_CLOSE);
        EXPECT_EQ(c.stays, IsWindow(editor) != 0);
        EXPECT_EQ(c.onDisk, Contents(path));
        if (c.stays) {
            EXPECT_TRUE(IsWindowVisible(editor));
            EXPECT_EQ("new text", Text(editor));
            Editor_MarkUnmodified(editor);
            Frame_CloseChild(editor, false);
        }
    }
    const SeenBox& asked = Harness_SeenBoxes().front();
    EXPECT_EQ("Yes No Cancel", asked.buttons);
}

TEST_F(EditorTest, FilesItCannotHoldAreRefusedAndTheViewKeepsItsPlace) {
    const std::string viewed = File("VIEWED.TXT", Harness_Lines(200));
    HWND view = View_OpenFile(viewed.c_str(), 50);
    ASSERT_TRUE(view != NULL);
    std::string binary; // no line end anywhere
    for (int i = 0; i < 4000; i++)
        binary += (char)(i * 7 % 200 + 14);
    const struct {
        const char* name;
        std::string bytes; // "<none>": no such file
        const char* told;
    } cases[] = {
        {"not text", binary, kTextOnlyTextFiles},
        // Text in the first block, a zero byte far behind it: the control would cut it there.
        {"a zero byte", Harness_Lines(20000) + std::string(1, '\0') + "tail\r\n", kTextOnlyTextFiles},
        {"missing", "<none>", kTextCannotOpenFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.bytes == "<none>" ? dir_ + "MISSING.TXT" : File("REFUSED.TXT", c.bytes);
        Harness_Answer(NULL, c.told, IDOK);
        EXPECT_EQ(NULL, Editor_Open(path.c_str(), false));
        EXPECT_EQ(view, Frame_ActiveChild());
        EXPECT_EQ(50, View_TopLine(view));
        ViewInfo info;
        ASSERT_EQ(1, View_GetInfo(view, &info));
        EXPECT_TRUE(info.ownsEngine);
        EXPECT_EQ((int64_t)Harness_Lines(200).size(), info.fileSize);
    }
    // The view reads on from where it was.
    SetFocus(view);
    SendMessageA(view, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_LT(50, View_TopLine(view));
}

TEST_F(EditorTest, AFailedSaveLeavesTheFileByteForByteAndTheTextChanged) {
    const std::string old = Harness_Lines(3000);
    const std::string text = Harness_Lines(20000); // several pieces of a write
    const struct {
        const char* name;
        DWORD attributes;
        int64_t failAfter; // bytes the disk takes; -1 all
        const char* told;  // null: saved
        int failSteps;     // kPlatFail* steps of putting the new file in place that fail
    } cases[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY, -1, kTextCannotWrite, 0},
        {"disk full part-way", FILE_ATTRIBUTE_NORMAL, 100000, kTextWriteFailed, 0},
        {"hidden, saved and still hidden", FILE_ATTRIBUTE_HIDDEN, -1, nullptr, 0},
        {"hidden, put in place by a plain rename and still hidden", FILE_ATTRIBUTE_HIDDEN, -1,
         nullptr, kPlatFailAfterMove},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = File("KEEP.TXT", old);
        HWND editor = Editor_Open(path.c_str(), false);
        ASSERT_TRUE(editor != NULL);
        SetFileAttributesA(path.c_str(), c.attributes);
        Type(editor, text.c_str());
        Plat_FailWritesForTests(c.failAfter);
        Plat_FailCommitForTests(c.failSteps);
        if (c.told)
            Harness_Answer(NULL, c.told, IDOK);
        Command(IDM_SAVE);
        Plat_FailWritesForTests(-1);
        Plat_FailCommitForTests(0);
        EXPECT_TRUE(Contents(path) == (c.told ? old : text)) << "the file on disk";
        EXPECT_EQ(c.told != nullptr, Modified(editor));
        EXPECT_EQ(std::vector<std::string>{"KEEP.TXT"}, DirNames());
        EXPECT_EQ(c.attributes & FILE_ATTRIBUTE_HIDDEN,
                  GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
        Editor_MarkUnmodified(editor);
        Frame_CloseChild(editor, false);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(EditorTest, SaveAsOfAViewSelectionWritesExactlyTheSelection) {
    const std::string path = File("VIEW.TXT", Harness_Lines(40));
    HWND view = View_OpenFile(path.c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    ViewInfo info;
    ASSERT_EQ(1, View_GetInfo(view, &info));
    auto at = [&](int row, int column) {
        return MAKELPARAM(info.leftMargin + (column - 1) * info.charWidth + info.charWidth / 2,
                          info.textArea.top + row * info.lineHeight + info.lineHeight / 2);
    };
    // Characters from column 3 of line 2 to column 4 of line 4.
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, at(1, 3));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, at(3, 4));
    SendMessageA(view, WM_LBUTTONUP, 0, at(3, 4));
    // A directory window on the folder lists the new file at once.
    HWND dir = DirWindow_Open(dir_.c_str());
    ASSERT_TRUE(dir != NULL);
    SetFocus(view);

    gSaveName = dir_ + "PART.TXT";
    Harness_Answer(NULL, nullptr, IDOK);
    Command(IDM_SAVE_AS);
    EXPECT_EQ("untitled.txt", gProposedName);
    EXPECT_EQ("ne 2\r\nline 3\r\nline", Contents(gSaveName));
    HWND list = DirWindow_FileList(dir);
    const int part = DirWindow_FindListed(list, "PART.TXT");
    EXPECT_NE(-1, part);

    // The files selected in a directory list, one full path a line.
    SetFocus(list);
    SendMessageA(list, LB_SETSEL, TRUE, part);
    SendMessageA(dir, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    gSaveName = dir_ + "NAMES.TXT";
    Harness_Answer(NULL, nullptr, IDOK);
    Command(IDM_SAVE_AS);
    EXPECT_EQ(Upper(dir_ + "PART.TXT\r\n"), Upper(Contents(gSaveName)));
    EXPECT_EQ(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
}

// "Find" filled in for a replace run of "a" by "bb", then OK.
void AskToReplace(HWND find) {
    SetDlgItemTextA(find, IDC_FIND_STRING, "a");
    if (!Harness_ItemChecked(find, IDC_FIND_REPLACE))
        Harness_ClickItem(find, IDC_FIND_REPLACE);
    SetDlgItemTextA(find, IDC_FIND_REPLACE_TEXT, "bb");
}

TEST_F(EditorTest, ReplaceRunsThroughTheRealPrompts) {
    const struct {
        const char* name;
        std::vector<int> answers; // to "Replace?", in turn
        const char* told;
        const char* caption;
        const char* after;
    } cases[] = {
        {"All at the first", {IDC_REPLACE_ALL}, "3 occurrances", "Replace", "bbbbbb"},
        {"No to every one", {IDNO, IDNO, IDNO}, "Not Found.", "FIND", "aaa"},
        {"Yes, then Cancel", {IDYES, IDCANCEL}, nullptr, nullptr, "bbaa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = File("REPLACE.TXT", "aaa");
        HWND editor = Editor_Open(path.c_str(), false);
        ASSERT_TRUE(editor != NULL);
        SetFocus(Editor_Control(editor));
        gOnDialog["Find"] = AskToReplace;
        Harness_Answer("Find", "&Find String:", IDOK);
        for (int answer : c.answers)
            Harness_Answer("Replace", "Replace?", answer);
        if (c.told)
            Harness_Answer(c.caption, c.told, IDOK);
        Command(IDM_FIND);
        EXPECT_EQ(c.after, Text(editor));
        EXPECT_EQ(0, gFind.replaceEnabled) << "Find Next never replaces";
        Editor_MarkUnmodified(editor);
        Frame_CloseChild(editor, false);
    }
}

TEST_F(EditorTest, TheControlsRoomTitlesAndTextArea) {
    const std::string path = File("ROOM.TXT", "short\r\n");
    HWND editor = Editor_Open(path.c_str(), false);
    ASSERT_TRUE(editor != NULL);
    HWND edit = Editor_Control(editor);
    EXPECT_EQ(11, GetDlgCtrlID(edit));
    EXPECT_EQ(Upper(path), Title(editor));

    // The text stands 4 pixels in from the left and a twentieth of an inch down.
    RECT area, client;
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    GetClientRect(edit, &client);
    HDC dc = GetDC(edit);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(edit, dc);
    EXPECT_EQ(4, area.left);
    EXPECT_EQ(dpiY / 20, area.top);

    // A change that does not fit is refused and said so; the text stays as it was.
    SendMessageA(edit, EM_LIMITTEXT, 10, 0);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 7, 7);
    Harness_Answer(NULL, kTextNoEditMemory, IDOK);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("far too long to fit"));
    EXPECT_EQ("short\r\n", Text(editor).substr(0, 7));
    EXPECT_GE(10u, Text(editor).size());

    // Minimised it shows the file name; opened again the whole path.
    ShowWindow(editor, SW_MINIMIZE);
    EXPECT_EQ("ROOM.TXT", Title(editor));
    SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(editor), 0);
    EXPECT_EQ(Upper(path), Title(editor));
    Editor_MarkUnmodified(editor);
    Frame_CloseChild(editor, false);
}

// A picture of a maximised editor with a word selected, for a reader of the build.
TEST_F(EditorTest, PictureOfAnEditor) {
    const std::string text =
        "Shopping list\r\n=============\r\n\r\n\tbread\t2 loaves\r\n\tmilk\t1 litre\r\n"
        "\tapples\t6\r\n\r\nCall the plumber about the kitchen tap.\r\n";
    HWND editor = Editor_Open(File("LIST.TXT", text).c_str(), false);
    ASSERT_TRUE(editor != NULL);
    SendMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(editor), 0);
    HWND edit = Editor_Control(editor);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 33, 38); // "bread"
    RedrawWindow(gFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Harness_PumpMessages(300);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("editor.bmp").c_str()));
    // What the picture shows: the editor filling the frame, holding the list, "bread" selected.
    BOOL maximised = FALSE;
    SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    EXPECT_TRUE(maximised);
    char shown[256] = "";
    GetWindowTextA(edit, shown, sizeof shown);
    EXPECT_EQ(text, shown);
    DWORD from = 0, to = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ("bread", text.substr(from, to - from));
    Frame_CloseChild(editor, false);
}

} // namespace
