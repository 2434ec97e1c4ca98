// The Options menu's dialogs, the About box and help, driven as a user drives them: what each
// dialog changes in memory and, after "Save Options", in ORV32.INI; the menu texts that follow;
// F1 on menu items; the help window's links, Back and keys; a missing or damaged orv.hlp.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "editor/editwnd_win.h"
#include "search/resultswnd_win.h"
#include "gui/harness.h"
#include "lister/dirwnd_win.h"
#include "search/searchdlg_win.h"
#include "resources/resource.h"
#include "shell/help_win.h"
#include "shell/helpfile.h"
#include "shell/helpwnd_win.h"
#include "shell/optsdlg_win.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kFileOptsCaption[] = "File Open Options";
const char kOptsCaption[] = "Options";
const char kDefNamesCaption[] = "Default File Names";

bool MenuGreyed(UINT id) {
    return (GetMenuState(GetMenu(gFrame), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class OptsDlgTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_SetBoxWatcher(WatchDialogs);
        gSettings.optionsChanged = 0;
    }
    void TearDown() override {
        gOnDialog.clear();
        ClearLater();
        Help_SetFileForTests(nullptr);
        OrvFrameTest::TearDown();
    }
    // The user at the dialog of this caption, then pressing `press`.
    void Run(WORD command, const char* caption, int press, std::function<void(HWND)> user) {
        gOnDialog[caption] = std::move(user);
        Harness_Answer(caption, nullptr, press);
        SendMessageA(gFrame, WM_COMMAND, command, 0);
    }
    void SaveOptions() {
        Harness_Answer("Save Options", nullptr, IDOK);
        SendMessageA(gFrame, WM_COMMAND, IDM_SAVE_SETTINGS_NOW, 0);
    }
};

// ---- File Open Options --------------------------------------------------------------------

struct FileOptsCase {
    const char* name;
    int32_t close, minimise, maximise, cascade, tile; // before
    int shown[2];                                     // the buttons checked on opening
    int clicks[3];                                    // 0 ends
    int press;
    int result;
    int32_t after[6]; // close, minimise, maximise, cascade, tile, autoOpen
    const char* previousFile; // in ORV32.INI after Save Options (null: not saved)
};
const FileOptsCase kFileOptsCases[] = {
    {"LeaveClearsCloseAndMinimise", 1, 1, 0, 0, 1, {IDC_FILEOPTS_CLOSE, IDC_FILEOPTS_TILE},
     {IDC_FILEOPTS_LEAVE}, IDOK, 1, {0, 0, 0, 0, 1, 0}, "NoChg"},
    {"MinimiseAndMaximise", 0, 0, 0, 1, 0, {IDC_FILEOPTS_LEAVE, IDC_FILEOPTS_CASCADE},
     {IDC_FILEOPTS_MINIMIZE, IDC_FILEOPTS_MAXIMIZE}, IDOK, 1, {0, 1, 1, 0, 0, 0}, "Min"},
    {"AutoOpenAloneChangesNoSwitch", 0, 1, 1, 0, 0, {IDC_FILEOPTS_MINIMIZE, IDC_FILEOPTS_MAXIMIZE},
     {IDC_FILEOPTS_AUTO_OPEN}, IDOK, 0, {0, 1, 1, 0, 0, 1}, "Min"},
    {"CancelKeepsAll", 1, 0, 0, 0, 1, {IDC_FILEOPTS_CLOSE, IDC_FILEOPTS_TILE},
     {IDC_FILEOPTS_LEAVE, IDC_FILEOPTS_CASCADE}, IDCANCEL, 0, {1, 0, 0, 0, 1, 0}, nullptr},
};

class FileOpts : public OptsDlgTest, public ::testing::WithParamInterface<FileOptsCase> {};

TEST_P(FileOpts, TakesTheButtonsOnOk) {
    const FileOptsCase& c = GetParam();
    Settings& s = gSettings;
    s.closePrevious = c.close, s.minimisePrevious = c.minimise, s.maximiseNew = c.maximise;
    s.cascadeNew = c.cascade, s.tileNew = c.tile, s.autoOpen = 0;
    static bool shown[2];
    shown[0] = shown[1] = false;
    gOnDialog[kFileOptsCaption] = [c](HWND d) {
        shown[0] = Harness_ItemChecked(d, c.shown[0]);
        shown[1] = Harness_ItemChecked(d, c.shown[1]);
        for (int id : c.clicks)
            if (id)
                Harness_ClickItem(d, id);
    };
    Harness_Answer(kFileOptsCaption, nullptr, c.press);
    EXPECT_EQ(c.result, FileOptsDlg_Run(gFrame));
    EXPECT_TRUE(shown[0] && shown[1]);
    const int32_t after[] = {s.closePrevious, s.minimisePrevious, s.maximiseNew, s.cascadeNew,
                             s.tileNew, s.autoOpen};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(c.after[i], after[i]) << i;
    EXPECT_EQ(c.press == IDOK ? 1 : 0, s.optionsChanged);
    if (c.previousFile) {
        SaveOptions();
        EXPECT_EQ(c.previousFile, Harness_IniValue("ORV for Windows", "PreviousFile"));
    }
}

INSTANTIATE_TEST_SUITE_P(OptsDlg, FileOpts, ::testing::ValuesIn(kFileOptsCases), ByName());

// ---- Options ------------------------------------------------------------------------------

TEST_F(OptsDlgTest, OptionsWithoutConfirmingDeletesAFileAtOnce) {
    const std::string path = Harness_WriteFile(Harness_ScratchFolder("optsdlg") + "gone.txt", "x\r\n");
    Harness_CascadeNewWindows();
    ASSERT_TRUE(View_OpenFile(path.c_str()));
    Run(IDM_OPTIONS, kOptsCaption, IDOK, [](HWND d) {
        EXPECT_TRUE(Harness_ItemChecked(d, IDC_OPTS_CONFIRM_DELETE));
        Harness_ClickItem(d, IDC_OPTS_CONFIRM_DELETE);
        Harness_ClickItem(d, IDC_OPTS_CONFIRM_LAUNCH);
        Harness_ClickItem(d, IDC_OPTS_HIDDEN);
        SetDlgItemTextA(d, IDC_OPTS_EDITOR, "write.exe");
    });
    EXPECT_EQ("&Delete\tCtrl+D", Harness_MenuText(IDM_DELETE));
    EXPECT_FALSE(MenuGreyed(IDM_DELETE)); // a file view is current
    EXPECT_EQ("&Launch\tCtrl+L", Harness_MenuText(IDM_LAUNCH));
    EXPECT_EQ(0, gSettings.confirmDelete);
    EXPECT_EQ(0, gSettings.hiddenFiles);
    EXPECT_STREQ("write.exe", gSettings.editor);
    EXPECT_EQ(1, gSettings.optionsChanged);
    SaveOptions();
    EXPECT_EQ("0", Harness_IniValue("ORV for Windows", "ConfirmDelete"));
    EXPECT_EQ("0", Harness_IniValue("ORV for Windows", "ConfirmLaunch"));
    EXPECT_EQ("write.exe", Harness_IniValue("ORV for Windows", "Editor"));

    SendMessageA(gFrame, WM_COMMAND, IDM_DELETE, 0); // no question comes
    EXPECT_EQ("<absent>", Harness_ReadFile(path));
    Harness_RemoveFolder(Harness_ScratchFolder("optsdlg"));
}

TEST_F(OptsDlgTest, OptionsGivesTheDotsBackAndGreysDeleteWithoutAView) {
    gSettings.confirmDelete = 0;
    gSettings.confirmLaunch = 0;
    Run(IDM_OPTIONS, kOptsCaption, IDOK, [](HWND d) {
        Harness_ClickItem(d, IDC_OPTS_CONFIRM_DELETE);
        Harness_ClickItem(d, IDC_OPTS_CONFIRM_LAUNCH);
    });
    EXPECT_EQ("&Delete...\tCtrl+D", Harness_MenuText(IDM_DELETE));
    EXPECT_TRUE(MenuGreyed(IDM_DELETE));
    EXPECT_EQ("&Launch...\tCtrl+L", Harness_MenuText(IDM_LAUNCH));
    EXPECT_TRUE(MenuGreyed(IDM_LAUNCH)); // the new text keeps the item's state
}

// "&OK" gives Delete its plain text and leaves the item as the active window's menu state has
// it: Ctrl+D goes on deleting there (and asks first, each kind in its own words).
struct DeleteAfterOptionsCase {
    const char* name;
    HWND (*open)(const std::string& file); // the window, with the file chosen and the focus
    bool manyFiles;                         // a list's selection, else the one file
};
const DeleteAfterOptionsCase kDeleteAfterOptionsCases[] = {
    {"Editor",
     [](const std::string& file) {
         HWND editor = Editor_Open(file.c_str(), false);
         SetFocus(Editor_Control(editor));
         return editor;
     },
     false},
    {"Results",
     [](const std::string& file) {
         HWND results = Results_Create("*.TXT");
         Results_AddEntry(results, file.c_str());
         HWND list = Results_List(results);
         SendMessageA(list, LB_SETSEL, TRUE, 0);
         SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list));
         SetFocus(list);
         return results;
     },
     true},
    {"Dir",
     [](const std::string& file) {
         HWND dir = DirWindow_Open(file.substr(0, file.rfind('\\') + 1).c_str());
         HWND list = DirWindow_FileList(dir);
         SendMessageA(list, LB_SETSEL, TRUE, 0);
         SendMessageA(dir, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list));
         SetFocus(list);
         return dir;
     },
     true},
};

class DeleteAfterOptions : public OptsDlgTest,
                           public ::testing::WithParamInterface<DeleteAfterOptionsCase> {};

TEST_P(DeleteAfterOptions, KeepsTheActiveWindowsDeleteItem) {
    const DeleteAfterOptionsCase& c = GetParam();
    const std::string folder = Harness_ScratchFolder("optsdlg-delete");
    const std::string file = Harness_WriteFile(folder + "kept.txt", "x\r\n");
    Harness_CascadeNewWindows();
    gSettings.confirmDelete = 1;
    ASSERT_TRUE(c.open(file) != NULL);
    Harness_PumpMessages(50);
    ASSERT_FALSE(MenuGreyed(IDM_DELETE));
    Run(IDM_OPTIONS, kOptsCaption, IDOK, [](HWND) {});
    EXPECT_EQ("&Delete...\tCtrl+D", Harness_MenuText(IDM_DELETE));
    EXPECT_FALSE(MenuGreyed(IDM_DELETE));
    Harness_Answer("Delete",
                   c.manyFiles ? "Delete selected files?\n('YES' will immediately delete the files!)"
                               : ("Delete file " + file + "?").c_str(),
                   IDNO);
    Harness_PressKeys({VK_CONTROL, 'D'});
    Harness_RunProgramLoop(200);
    EXPECT_EQ(0, Harness_AnswersLeft()) << "Ctrl+D asked nothing";
    EXPECT_EQ("x\r\n", Harness_ReadFile(file));
    Harness_RemoveFolder(folder);
}

INSTANTIATE_TEST_SUITE_P(OptsDlg, DeleteAfterOptions, ::testing::ValuesIn(kDeleteAfterOptionsCases),
                         ByName());

// ---- Default File Names -------------------------------------------------------------------

TEST_F(OptsDlgTest, AnEmptiedMaskShrinksTheBlock) {
    const char* const masks[kMaskCount] = {"*.*", "*.txt", "*.doc", "*read*"};
    ASSERT_EQ(1, Settings_SetMasks(masks));
    Run(IDM_FILE_DEFAULTS, kDefNamesCaption, IDOK, [](HWND d) {
        EXPECT_EQ(GetDlgItem(d, IDC_DEFNAMES_MASK1), GetFocus());
        SetDlgItemTextA(d, IDC_DEFNAMES_MASK2, "");
        SetDlgItemTextA(d, IDC_DEFNAMES_MASK4, "*.cpp");
    });
    EXPECT_STREQ("", Settings_Mask(1));
    EXPECT_STREQ("*.cpp", Settings_Mask(3));
    EXPECT_EQ(3 + 0 + 5 + 5 + 4, gSettings.masks.size);
    SaveOptions();
    EXPECT_EQ("", Harness_IniValue("Masks", "Mask2"));
    EXPECT_EQ("*.cpp", Harness_IniValue("Masks", "Mask4"));
}

TEST_F(OptsDlgTest, MasksNotInMemoryAreNotEdited) {
    MaskBlock kept = gSettings.masks;
    gSettings.masks.text = nullptr;
    Harness_Answer(nullptr, "Not enough memory", IDOK);
    EXPECT_EQ(0, DefOptsDlg_Run(gFrame));
    gSettings.masks = kept;
    EXPECT_EQ(0, gSettings.optionsChanged);
}

TEST_F(OptsDlgTest, DisksToSearchFromTheOptionsMenu) {
    gSettings.searchDisks[0] = kDriveListEnd;
    static char added;
    added = 0;
    Run(IDM_FILE_SEARCH_OPTIONS, "Disks to search", IDOK, [](HWND d) {
        char entry[16] = "";
        SendDlgItemMessageA(d, IDC_SRCHOPTS_DISK_LIST, LB_SETCURSEL, 0, 0);
        SendDlgItemMessageA(d, IDC_SRCHOPTS_DISK_LIST, LB_GETTEXT, 0, (LPARAM)entry);
        added = entry[2]; // "[-c-]"
        Harness_ClickItem(d, IDC_SRCHOPTS_ADD);
    });
    ASSERT_NE(0, added);
    EXPECT_EQ(added, (char)gSettings.searchDisks[0]);
    EXPECT_EQ(kDriveListEnd, gSettings.searchDisks[1]);
    EXPECT_EQ(1, gSettings.optionsChanged);
}

TEST_F(OptsDlgTest, AboutShowsTheVersion) {
    static std::string version;
    Run(IDM_ABOUT, "About ORV", IDOK, [](HWND d) {
        char text[40] = "";
        GetDlgItemTextA(d, IDC_ABOUT_VERSION, text, sizeof text);
        version = text;
    });
    EXPECT_EQ("Version 1.35", version);
}

// ---- Help ---------------------------------------------------------------------------------

TEST_F(OptsDlgTest, HelpMenuOpensItsTopics) {
    const std::pair<WORD, uint32_t> kCommands[] = {{IDM_HELP_INDEX, kHelpIndexContext},
                                                   {IDM_HELP_COMMANDS, 200},
                                                   {IDM_HELP_PROCEDURES, 201},
                                                   {IDM_HELP_USING, kHelpUsingContext}};
    for (const auto& c : kCommands) {
        SendMessageA(gFrame, WM_COMMAND, c.first, 0);
        EXPECT_EQ(c.second, HelpWnd_Context()) << c.first;
        EXPECT_EQ(c.second, Help_LastTopic());
    }
    EXPECT_TRUE(Help_WasUsed());
    Help_Quit(); // teardown closes it
    EXPECT_EQ(NULL, HelpWnd_Window());
}

// The Help buttons of the search size and date boxes, with the box still up behind the help.
TEST_F(OptsDlgTest, SizeAndDateHelpButtonsShowHowToTypeThem) {
    struct Box {
        const char* caption;
        int help, harmless;
        int (*run)(HWND, GrepRecord*);
        uint32_t context;
    };
    static const Box kBoxes[] = {
        {"Search File Size", IDC_SRCHSIZE_HELP, IDC_SRCHSIZE_TEXT, SrchSizeDlg_Run, 225},
        {"Search File Date", IDC_SRCHDATE_HELP, IDC_SRCHDATE_TEXT, SrchDateDlg_Run, 226}};
    for (const Box& box : kBoxes) {
        static const Box* now;
        static uint32_t shown;
        now = &box;
        shown = 0;
        gOnDialog[box.caption] = [](HWND d) {
            Harness_PressItem(d, now->help);
            Later([] {
                shown = HelpWnd_Context();
                Harness_PressItem(ShownDialog(now->caption), IDCANCEL);
            });
        };
        Harness_Answer(box.caption, nullptr, box.harmless);
        GrepRecord* record = new GrepRecord();
        EXPECT_EQ(0, box.run(gFrame, record));
        delete record;
        EXPECT_EQ(box.context, shown) << box.caption;
        EXPECT_EQ(box.context, Help_LastTopic());
    }
}

TEST_F(OptsDlgTest, F1OnAMenuItemShowsItsTopicOrSaysThereIsNone) {
    Help_ForMenuItem(IDM_CLOSE_ALL);
    EXPECT_EQ(103u, HelpWnd_Context());
    Harness_Answer("Menu Help", "No help available.", IDOK);
    Help_ForMenuItem(IDM_NEW);
    ASSERT_FALSE(Harness_SeenBoxes().empty());
    EXPECT_EQ(LoadIcon(NULL, IDI_INFORMATION), Harness_SeenBoxes().back().icon);
}

TEST_F(OptsDlgTest, HelpWindowFollowsALinkAndGoesBackToWhereItWas) {
    Help_Show(gFrame, 200); // "Commands": longer than the window
    HWND help = HelpWnd_Window();
    ASSERT_TRUE(help);
    auto key = [help](UINT message, WPARAM k) { SendMessageA(help, message, k, 0); };
    key(WM_KEYDOWN, VK_END);
    const int bottom = HelpWnd_TopLine();
    EXPECT_GT(bottom, 0);
    key(WM_KEYDOWN, VK_PRIOR);
    EXPECT_LT(HelpWnd_TopLine(), bottom);
    key(WM_KEYDOWN, VK_END);
    EXPECT_EQ(-1, HelpWnd_FocusedLink());
    key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(0, HelpWnd_FocusedLink());
    EXPECT_LT(HelpWnd_TopLine(), bottom); // scrolled up to show the first link
    key(WM_KEYDOWN, VK_DOWN);
    const int left = HelpWnd_TopLine();
    key(WM_KEYDOWN, VK_TAB);
    key(WM_KEYDOWN, VK_RETURN); // the second link of "Commands" is "Save"
    EXPECT_EQ(98u, HelpWnd_Context());
    EXPECT_EQ(0, HelpWnd_TopLine());
    key(WM_KEYDOWN, VK_BACK);
    EXPECT_EQ(200u, HelpWnd_Context());
    EXPECT_EQ(left, HelpWnd_TopLine());
    key(WM_COMMAND, 1); // "&Index"
    EXPECT_EQ(kHelpIndexContext, HelpWnd_Context());
    key(WM_SYSKEYDOWN, VK_LEFT); // Alt+Left
    EXPECT_EQ(200u, HelpWnd_Context());
    // A click beside the links stays; one on a link follows it.
    POINT spot = {};
    ASSERT_TRUE(HelpWnd_LinkSpot(1, &spot));
    SendMessageA(help, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, spot.y));
    EXPECT_EQ(200u, HelpWnd_Context());
    SendMessageA(help, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(spot.x, spot.y));
    EXPECT_EQ(98u, HelpWnd_Context());
    key(WM_KEYDOWN, VK_BACK);
    key(WM_SYSCHAR, 'u'); // Alt+U: "&Using Help"
    EXPECT_EQ(kHelpUsingContext, HelpWnd_Context());
    key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(NULL, HelpWnd_Window());
}

TEST_F(OptsDlgTest, ALinkShowsTheHandOrTheArrowWhereTheSystemHasNoHand) {
    Help_Show(gFrame, 200);
    HWND help = HelpWnd_Window();
    ASSERT_TRUE(help);
    // Wholly on the screen, wherever earlier windows left the system's next place: the
    // pointer cannot reach a link below the screen's edge.
    SetWindowPos(help, HWND_TOP, 0, 0, 520, 440, SWP_SHOWWINDOW);
    Harness_PumpMessages(200); // the window settles at its size, and its links in their places
    POINT spot = {};
    ASSERT_TRUE(HelpWnd_LinkSpot(0, &spot));
    // The cursor the window shows with the pointer at a spot. The display server may hand on
    // the pointer's earlier moves after a later one, so the pointer is put there again until
    // the window shows the cursor wanted, or a second has gone.
    auto pointerAt = [help](POINT at, HCURSOR wanted) {
        ClientToScreen(help, &at);
        HCURSOR shown = NULL;
        for (int i = 0; i < 50 && shown != wanted; i++) {
            SetCursorPos(at.x, at.y);
            Harness_PumpMessages(20);
            SendMessageA(help, WM_SETCURSOR, (WPARAM)help, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            shown = GetCursor();
        }
        return shown;
    };
    const HCURSOR arrow = LoadCursor(NULL, IDC_ARROW), hand = LoadCursor(NULL, IDC_HAND);
    EXPECT_EQ(hand, pointerAt(spot, hand));
    EXPECT_EQ(arrow, pointerAt(POINT{1, spot.y}, arrow)); // beside the link
    HelpWnd_HideHandCursorForTests(true);
    EXPECT_EQ(arrow, pointerAt(spot, arrow));
    HelpWnd_HideHandCursorForTests(false);
    Help_Quit();
}

TEST_F(OptsDlgTest, KeysInTheHelpWindowAreNotTheFramesAccelerators) {
    Help_Show(gFrame, 200);
    // F1 is the frame's Index key; in the help window it is help on the help window.
    PostMessageA(HelpWnd_Window(), WM_KEYDOWN, VK_F1, 1);
    Harness_RunProgramLoop(100);
    EXPECT_EQ(kHelpUsingContext, HelpWnd_Context());
}

TEST_F(OptsDlgTest, AMissingOrDamagedHelpFileIsSaidAndNothingElseFails) {
    const std::string folder = Harness_ScratchFolder("opthelp");
    const std::string damaged = Harness_WriteFile(folder + "orv.hlp", "ORVHELP 1 1\n@1 Cut");
    Help_SetFileForTests(damaged.c_str());
    Harness_Answer(nullptr, ("The help file " + damaged + " is damaged.\nHelp cannot be shown.").c_str(), IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_HELP_INDEX, 0);
    EXPECT_EQ(NULL, HelpWnd_Window());
    const std::string missing = folder + "none.hlp";
    Help_SetFileForTests(missing.c_str());
    Harness_Answer(nullptr, ("Cannot find the help file " + missing + ".\nHelp cannot be shown.").c_str(), IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_HELP_COMMANDS, 0);
    EXPECT_EQ(NULL, HelpWnd_Window());
    Help_SetFileForTests(nullptr);
    SendMessageA(gFrame, WM_COMMAND, IDM_HELP_INDEX, 0);
    EXPECT_EQ(kHelpIndexContext, HelpWnd_Context());
    Harness_RemoveFolder(folder);
}

// ---- Pictures -----------------------------------------------------------------------------

TEST_F(OptsDlgTest, Pictures) {
    // Each dialog is pictured once it is on the screen, then cancelled; the scripted button is
    // one that changes nothing.
    struct Shot {
        WORD command;
        const char* caption;
        const char* file;
        int harmless;
    };
    static const Shot kShots[] = {
        {IDM_FILE_OPEN_OPTIONS, kFileOptsCaption, "file-open-options.bmp", IDC_FILEOPTS_LEAVE},
        {IDM_OPTIONS, kOptsCaption, "options.bmp", IDC_OPTS_EDITOR},
        {IDM_FILE_DEFAULTS, kDefNamesCaption, "default-file-names.bmp", IDC_DEFNAMES_MASK1},
        {IDM_ABOUT, "About ORV", "about.bmp", IDC_ABOUT_VERSION}};
    for (const Shot& shot : kShots) {
        static bool saved;
        static const Shot* now;
        saved = false;
        now = &shot;
        Run(shot.command, shot.caption, shot.harmless, [](HWND) {
            Later([] {
                HWND d = ShownDialog(now->caption);
                RedrawWindow(d, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
                Harness_PumpMessages(300);
                saved = Harness_SaveWindowBitmap(d, Harness_OutputPath(now->file).c_str()) == 1;
                Harness_PressItem(d, now->command == IDM_ABOUT ? IDOK : IDCANCEL);
            });
        });
        EXPECT_TRUE(saved) << shot.file;
    }
    Help_Show(gFrame, 200);
    Harness_PumpMessages(300);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(HelpWnd_Window(),
                                          Harness_OutputPath("help-window.bmp").c_str()));
}

} // namespace
