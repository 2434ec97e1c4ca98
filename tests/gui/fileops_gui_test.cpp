// Deleting, removing and launching from ORV's real windows under Wine: the windows that show a
// file follow its deletion, Delete Deep answers file by file, names with blanks launch whole,
// and the Match box answers with the button pressed.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gui/harness.h"
#include "lister/dirremove.h"
#include "lister/dirremove_win.h"
#include "lister/dirstate_win.h"
#include "lister/dirwnd_win.h"
#include "lister/fileops.h"
#include "lister/launch_win.h"
#include "resources/resource.h"
#include "search/matchdlg_win.h"
#include "search/resultswnd_win.h"
#include "search/selqueue_win.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"

namespace {

class FileOpsGuiTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        gSettings.autoOpen = 0;
        gSettings.closePrevious = gSettings.minimisePrevious = 0;
        gSettings.tileNew = gSettings.maximiseNew = 0;
        gSettings.confirmDelete = 1;
        gSettings.minOnLaunch = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "orv ops dir\\"; // a blank, as in "Program Files"
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        OrvFrameTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string File(const std::string& name, const std::string& text = "text\r\n") {
        const std::string path = dir_ + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static std::vector<std::string> Rows(HWND list) {
        // Results lists keep their strings; a directory's list is read from its window.
        std::vector<std::string> rows;
        for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; i++)
            rows.push_back(List_ItemText(list, (int)i));
        return rows;
    }
    static void Command(WORD id) {
        SendMessageA(gFrame, WM_COMMAND, id, 0);
    }
    std::string dir_;
};

TEST_F(FileOpsGuiTest, DeletingAViewedFileTakesItsViewAndItsResultRows) {
    const std::string path = File("my notes.txt", "one\r\ntwo\r\nthree\r\n");
    const std::string other = File("other.txt");
    HWND results = Results_Create("*.TXT");
    // Rows are told apart by the text before " :", so a path's own blank is no end to it.
    for (const std::string& row : {path, path + " :     3: three", other})
        Results_AddEntry(results, row.c_str());
    HWND view = View_OpenFile(path.c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    Harness_Answer("Delete", ("Delete file " + path + "?").c_str(), IDYES);
    Command(IDM_DELETE);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(std::vector<std::string>{other}, Rows(Results_List(results)));
}

// Directory windows keep their paths lower-cased, and so ask about them; a tree's root keeps
// the drive as the system gave it.
std::string Lower(std::string text) {
    CharLowerBuffA(&text[0], (DWORD)text.size());
    return text;
}
std::string InTree(const std::string& path) {
    return path.substr(0, 1) + Lower(path.substr(1));
}

TEST_F(FileOpsGuiTest, DeleteCommandRemovesTheTreesEmptyDirectoryOrTellsNoSelection) {
    const std::string empty = dir_ + "empty";
    std::filesystem::create_directories(empty);
    HWND dir = DirWindow_Open((empty + "\\*.*").c_str());
    ASSERT_TRUE(dir != NULL);
    SetFocus(GetDlgItem(dir, kDirTreeId)); // the listed directory is the tree's selection
    Harness_Answer("Remove", ("Remove directory " + InTree(empty) + "?").c_str(), IDYES);
    Command(IDM_DELETE);
    EXPECT_FALSE(Exists(empty));
    EXPECT_EQ(InTree(dir_), DirWindow_Directory(dir)); // the listing went up to the parent

    SetFocus(DirWindow_FileList(dir)); // no file selected, and the box names only a mask
    Harness_Answer(NULL, "No selected file(s).", IDOK);
    Command(IDM_DELETE);
}

TEST_F(FileOpsGuiTest, DeleteCommandDeletesTheFilesSelectedInADirectoryWindow) {
    const std::string a = File("a one.txt"), b = File("b two.txt"), c = File("c three.txt");
    HWND dir = DirWindow_Open((dir_ + "*.*").c_str());
    ASSERT_TRUE(dir != NULL);
    HWND list = DirWindow_FileList(dir);
    ASSERT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0));
    SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1));
    SetFocus(list);
    Harness_Answer("Delete", "Delete selected files?\n('YES' will immediately delete the files!)",
                   IDYES);
    Command(IDM_DELETE);
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_EQ(std::vector<std::string>{"c three.txt"}, Rows(list)); // the list follows at once
    EXPECT_EQ(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
}

struct DeepBoxSeen {
    bool came, confirmChecked;
    int focus, defaultId;
};
DeepBoxSeen gDeepBox;

void ReadDeepBox(const SeenBox& box) {
    if (box.caption != "Delete Deep")
        return;
    HWND dialog = FindWindowA("#32770", "Delete Deep");
    gDeepBox.came = dialog != NULL;
    gDeepBox.confirmChecked = IsDlgButtonChecked(dialog, IDC_DELDEEP_CONFIRM) == BST_CHECKED;
    gDeepBox.focus = GetDlgCtrlID(GetFocus());
    gDeepBox.defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
}

TEST_F(FileOpsGuiTest, DeleteDeepWithOneFileDeclinedKeepsItAndTheDirectory) {
    gDeleteDeepConfirmEach = false;
    const std::string deep = dir_ + "deep";
    const std::string inSub = File("deep\\sub\\c.txt"), kept = File("deep\\keep.txt");
    HWND dir = DirWindow_Open((dir_ + "*.*").c_str());
    ASSERT_TRUE(dir != NULL);
    gDeepBox = {};
    Harness_SetBoxWatcher(ReadDeepBox);
    Harness_Answer("Remove", ("Remove directory " + Lower(deep) + "?").c_str(), IDYES);
    Harness_Answer("Delete Deep", "Directory is not empty.", IDC_DELDEEP_DELETE);
    Harness_Answer("Delete?", Lower(inSub).c_str(), IDYES);
    Harness_Answer("Delete?", Lower(kept).c_str(), IDNO);
    Harness_Answer(NULL, ("Could not remove " + Lower(deep) + ".").c_str(), IDOK);
    EXPECT_EQ(0, DirWindow_RemoveDirectory(dir, "deep", false));
    Harness_SetBoxWatcher(nullptr);
    EXPECT_TRUE(gDeepBox.came);
    EXPECT_TRUE(gDeepBox.confirmChecked); // "ConfirmDelete" is on
    EXPECT_EQ(IDCANCEL, gDeepBox.focus);
    EXPECT_EQ(IDCANCEL, gDeepBox.defaultId);
    EXPECT_FALSE(Exists(inSub));
    EXPECT_FALSE(Exists(dir_ + "deep\\sub"));
    EXPECT_TRUE(Exists(kept));
    EXPECT_TRUE(gDeleteDeepConfirmEach); // kept for the next use
}

// The Launch box as the user filled it in: a program and a file, both with blanks.
std::string gLaunchProgram, gLaunchFile;
void FillLaunchBox(const SeenBox& box) {
    if (box.caption != "Launch")
        return;
    HWND dialog = FindWindowA("#32770", "Launch");
    SetDlgItemTextA(dialog, IDC_LAUNCH_PROGRAM, gLaunchProgram.c_str());
    SetDlgItemTextA(dialog, IDC_LAUNCH_FILE, gLaunchFile.c_str());
}

TEST_F(FileOpsGuiTest, LaunchingNamesWithBlanksPassesThemWhole) {
    gSettings.confirmLaunch = 1;
    gLaunchProgram = File("echo args.bat", "@echo %1> args.txt\r\n");
    gLaunchFile = File("my notes.txt");
    const std::string written = dir_ + "args.txt";
    Harness_SetBoxWatcher(FillLaunchBox);
    Harness_Answer("Launch", "&Program Name", IDOK);
    Launch_Files(gFrame, {gLaunchFile});
    Harness_SetBoxWatcher(nullptr);
    // The batch file runs on its own: its line is read once it is all there.
    std::string line;
    for (int i = 0; i < 100 && (line.empty() || line.back() != '\n'); i++) {
        Harness_PumpMessages(100);
        std::ifstream in(written, std::ios::binary);
        line.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    while (!line.empty() && strchr("\r\n ", line.back()))
        line.pop_back();
    EXPECT_EQ("\"" + gLaunchFile + "\"", line);
}

// What a batch file set as the editor wrote of its first parameter ("" when it never ran).
std::string BatchSaw(const std::string& written, int tries) {
    std::string line;
    for (int i = 0; i < tries && (line.empty() || line.back() != '\n'); i++) {
        Harness_PumpMessages(100);
        std::ifstream in(written, std::ios::binary);
        line.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    while (!line.empty() && strchr("\r\n ", line.back()))
        line.pop_back();
    return line;
}

// A batch file runs through the command processor: names holding its own characters reach it
// whole, and one holding "%" is refused rather than changed. A folder without blanks, so that
// no name is quoted for a blank's sake.
TEST_F(FileOpsGuiTest, ABatchFileEditorGetsNamesWithTheCommandProcessorsCharactersWhole) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string scratch = std::string(temp) + "orvcmd\\";
    std::filesystem::create_directories(scratch);
    const std::string recorder = scratch + "rec.bat", written = scratch + "got.txt";
    std::ofstream(recorder, std::ios::binary) << "@echo %1> got.txt\r\n";
    char editor[sizeof gSettings.editor];
    lstrcpynA(editor, gSettings.editor, sizeof editor);
    lstrcpynA(gSettings.editor, recorder.c_str(), sizeof gSettings.editor);
    gSettings.confirmLaunch = 0;
    for (const char* name : {"a&b.zzq", "x^y.zzq", "(c)d.zzq", "plain.zzq"}) {
        SCOPED_TRACE(name);
        const std::string file = scratch + name;
        std::ofstream(file, std::ios::binary) << "text\r\n";
        DeleteFileA(written.c_str());
        Launch_Files(gFrame, {file});
        EXPECT_EQ("\"" + file + "\"", BatchSaw(written, 100));
    }
    const std::string percent = scratch + "50%.zzq";
    std::ofstream(percent, std::ios::binary) << "text\r\n";
    DeleteFileA(written.c_str());
    Harness_Answer(nullptr,
                   (percent + "\ncannot go through the command processor, which would change the "
                              "\"%\" in the name.")
                       .c_str(),
                   IDOK);
    Launch_Files(gFrame, {percent});
    EXPECT_EQ("", BatchSaw(written, 20));
    lstrcpynA(gSettings.editor, editor, sizeof gSettings.editor);
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

struct MatchBoxSeen {
    std::string dir, name;
    int focus, defaultId;
};
MatchBoxSeen gMatchBox;

void ReadMatchBox(const SeenBox& box) {
    if (box.caption != "Match")
        return;
    HWND dialog = FindWindowA("#32770", "Match");
    char text[MAX_PATH] = "";
    GetDlgItemTextA(dialog, IDC_MATCH_DIR, text, sizeof text);
    gMatchBox.dir = text;
    GetDlgItemTextA(dialog, IDC_MATCH_NAME, text, sizeof text);
    gMatchBox.name = text;
    gMatchBox.focus = GetDlgCtrlID(GetFocus());
    gMatchBox.defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
}

TEST_F(FileOpsGuiTest, TheMatchBoxAnswersWithTheButtonPressed) {
    const std::string path = File("found & kept.txt");
    const struct {
        int button, defaultButton, answer, first;
    } cases[] = {
        {IDC_MATCH_VIEW, 0, kMatchView, IDC_MATCH_VIEW},
        {IDC_MATCH_SKIP, kMatchDefaultSkip, kMatchSkip, IDC_MATCH_SKIP},
        {IDC_MATCH_ERASE, 0, kMatchErase, IDC_MATCH_VIEW},
        {IDC_MATCH_EDIT, 0, kMatchEdit, IDC_MATCH_VIEW},
        {IDCANCEL, kMatchDefaultSkip, kMatchCancel, IDC_MATCH_SKIP},
    };
    Harness_SetBoxWatcher(ReadMatchBox);
    for (const auto& c : cases) {
        gMatchBox = {};
        Harness_Answer("Match", "File:", c.button);
        EXPECT_EQ(c.answer, ShowMatchBox(gFrame, path.c_str(), c.defaultButton, false));
        EXPECT_EQ(dir_, gMatchBox.dir);
        EXPECT_EQ("found & kept.txt", gMatchBox.name);
        EXPECT_EQ(c.first, gMatchBox.focus);
        EXPECT_EQ(c.first, gMatchBox.defaultId);
    }
    // Launch: the Launch box follows once the Match box is gone.
    gSettings.confirmLaunch = 1;
    Harness_Answer("Match", "File:", IDC_MATCH_LAUNCH);
    Harness_Answer("Launch", "&Program Name", IDCANCEL);
    EXPECT_EQ(kMatchLaunch, ShowMatchBox(gFrame, path.c_str(), 0, false));
    Harness_SetBoxWatcher(nullptr);
    // Viewing every match: no box at all.
    const size_t seen = Harness_SeenBoxes().size();
    EXPECT_EQ(kMatchView, ShowMatchBox(gFrame, path.c_str(), 0, true));
    EXPECT_EQ(seen, Harness_SeenBoxes().size());
}

TEST_F(FileOpsGuiTest, AFailedDeletionIsToldInTheSystemsOwnWords) {
    char words[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                   ERROR_FILE_NOT_FOUND, 0, words, sizeof words, NULL);
    std::string expected = words;
    while (!expected.empty() && strchr("\r\n ", expected.back()))
        expected.pop_back();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected, FileOps_ErrorText(ERROR_FILE_NOT_FOUND));
    const std::string missing = dir_ + "never there.txt";
    Harness_Answer(missing.c_str(), expected.c_str(), IDOK);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteOneFile(missing.c_str(), true, false));
}

} // namespace
