// "Find" and "Advanced Find" driven as a user would, over a view and an editor, and the control
// bar's find box and buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "find/findpat.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "shell/barbuttons.h"
#include "shell/ctlbar_win.h"
#include "shell/settings.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kFindCaption[] = "Find";
const char kFindLabel[] = "&Find String:"; // what the harness reads as a dialog's text
const char kAdvCaption[] = "Advanced Find";
const char kAdvLabel[] = "String &1:";


std::string ItemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::vector<std::string> ComboLabels() {
    std::vector<std::string> labels;
    const LRESULT count = SendMessageA(gFindCombo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        char label[64] = "";
        SendMessageA(gFindCombo, CB_GETLBTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(label));
        labels.push_back(label);
    }
    return labels;
}

class FindDlgTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50); // the start-up commands (the bar's among them) come first
        gSettings.maximiseNew = 1;
        FindSettings_Init(&gFind);
        FindHistory_Free(&gFindHistory);
        Harness_SetBoxWatcher(WatchDialogs);
    }
    void TearDown() override {
        gOnDialog.clear();
        ClearLater();
        if (!path_.empty())
            DeleteFileA(path_.c_str());
        FindSettings_Init(&gFind);
        FindHistory_Free(&gFindHistory);
        OrvFrameTest::TearDown();
    }
    std::string WriteFile(const std::string& text) {
        path_ = Harness_OutputPath("find-dialog.txt");
        std::ofstream(path_, std::ios::binary) << text;
        return path_;
    }
    // A view of a text file of 60 lines, "line N", with "the needle" on line 45; the engine
    // holds the file as the view's own would.
    HWND OpenView() {
        std::string text;
        for (int i = 1; i <= 60; i++)
            text += i == 45 ? "the needle\r\n" : "line " + std::to_string(i) + "\r\n";
        HWND view = View_OpenFile(WriteFile(text).c_str());
        EXPECT_TRUE(view != NULL);
        EXPECT_EQ(1, Engine_SetFile(&gEngine, path_.c_str()));
        EXPECT_EQ(0, ResetEngine(&gEngine, true));
        gEngine.file.topLine = 1;
        EnsureWindow(&gEngine, false);
        SetFocus(view);
        return view;
    }
    HWND OpenEditor(const std::string& text) {
        HWND editor = Editor_Open(WriteFile(text).c_str(), false);
        EXPECT_TRUE(editor != NULL);
        SetFocus(Editor_Control(editor));
        return editor;
    }
    void Command(WORD id) {
        SendMessageA(gFrame, WM_COMMAND, id, 0);
    }
    void ShowBar() {
        if (!IsWindowVisible(gControlBar))
            Command(IDM_BUTTON_BAR);
        ASSERT_TRUE(IsWindowVisible(gControlBar));
    }
    std::string path_;
};

// ---- Find --------------------------------------------------------------------------------------

struct ContextSeen {
    bool came, replaceShown, replaceTextShown;
    std::string replaceText, findText;
};
ContextSeen gContext;

void ReadContext(HWND dialog) {
    gContext.came = dialog != NULL;
    gContext.replaceShown = Harness_ItemShown(dialog, IDC_FIND_REPLACE);
    gContext.replaceTextShown = Harness_ItemShown(dialog, IDC_FIND_REPLACE_TEXT);
    gContext.replaceText = ItemText(dialog, IDC_FIND_REPLACE_TEXT);
    gContext.findText = ItemText(dialog, IDC_FIND_STRING);
}

TEST_F(FindDlgTest, ReplaceBoxesShowOnlyForAnEditor) {
    lstrcpyA(gFind.replaceText, "last time");
    lstrcpyA(gFind.string1, "older");
    gFind.typedLength = 5;
    gFind.replaceEnabled = 1;
    gOnDialog[kFindCaption] = ReadContext;

    OpenView();
    gContext = {};
    Harness_Answer(kFindCaption, kFindLabel, IDCANCEL);
    Command(IDM_FIND);
    ASSERT_TRUE(gContext.came);
    EXPECT_FALSE(gContext.replaceShown);
    EXPECT_FALSE(gContext.replaceTextShown);
    EXPECT_EQ("older", gContext.findText);
    EXPECT_EQ(0, gFind.replaceEnabled); // a view has nothing to replace

    OpenEditor("some text\r\n");
    gContext = {};
    Harness_Answer(kFindCaption, kFindLabel, IDCANCEL);
    Command(IDM_FIND);
    ASSERT_TRUE(gContext.came);
    EXPECT_TRUE(gContext.replaceShown);
    EXPECT_TRUE(gContext.replaceTextShown);
    EXPECT_EQ("last time", gContext.replaceText);
}

TEST_F(FindDlgTest, AShortOneLineSelectionBecomesTheFindString) {
    std::string line;
    for (int i = 0; i < 120; i++)
        line += static_cast<char>('a' + i % 26);
    HWND editor = OpenEditor(line + "\r\nsecond line\r\n");
    HWND edit = Editor_Control(editor);
    const struct {
        int start, end;
        std::string shown;
    } cases[] = {
        {0, 100, "older"}, // 100 columns: too long
        {5, 25, line.substr(5, 20)},
        {0, 79, line.substr(0, 79)}, // as much as the find string holds
        {0, 80, "older"},
        {115, 125, "older"}, // over the line end
        {3, 3, "older"},     // nothing selected
    };
    gOnDialog[kFindCaption] = ReadContext;
    for (const auto& c : cases) {
        lstrcpyA(gFind.string1, "older");
        SendMessageA(edit, EM_SETSEL, c.start, c.end);
        gContext = {};
        Harness_Answer(kFindCaption, kFindLabel, IDCANCEL);
        Command(IDM_FIND);
        EXPECT_TRUE(gContext.came);
        EXPECT_EQ(c.shown, gContext.findText) << c.start << ".." << c.end;
    }
}

TEST_F(FindDlgTest, AViewsShortOneLineSelectionBecomesTheFindString) {
    std::string line;
    for (int i = 0; i < 120; i++)
        line += static_cast<char>('a' + i % 26);
    HWND view = View_OpenFile(WriteFile(line + "\r\nsecond line\r\n").c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    UpdateWindow(view);
    // The middle of character `column` (1-based) of row `row`.
    auto at = [view](int row, int column) {
        ViewInfo i = {};
        View_GetInfo(view, &i);
        return MAKELPARAM(i.leftMargin + (column - 1) * i.charWidth + i.charWidth / 2,
                          i.textArea.top + row * i.lineHeight + i.lineHeight / 2);
    };
    const struct {
        int fromRow, fromColumn, toRow, toColumn;
        std::string shown;
    } cases[] = {
        {0, 6, 0, 25, line.substr(5, 20)},
        {0, 25, 0, 6, line.substr(5, 20)}, // dragged leftwards
        {0, 1, 0, 79, line.substr(0, 79)},
        {0, 1, 0, 100, "older"}, // too long for the find string
        {0, 3, 1, 3, "older"},   // two lines
    };
    gOnDialog[kFindCaption] = ReadContext;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toColumn);
        lstrcpyA(gFind.string1, "older");
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, at(c.fromRow, c.fromColumn));
        SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, at(c.toRow, c.toColumn));
        SendMessageA(view, WM_LBUTTONUP, 0, at(c.toRow, c.toColumn));
        gContext = {};
        Harness_Answer(kFindCaption, kFindLabel, IDCANCEL);
        Command(IDM_FIND);
        EXPECT_TRUE(gContext.came);
        EXPECT_EQ(c.shown, gContext.findText);
        ViewInfo after = {};
        View_GetInfo(view, &after);
        if (c.shown != "older") {
            EXPECT_EQ(0, after.selectionState); // taken, as every use of a selection takes it
        }
        SendMessageA(gFrame, WM_COMMAND, IDM_DESELECT, 0);
    }
}

struct ModeBoxes {
    bool regexEnabledAtOpen;
    bool regexEnabledWithHex, regexCheckedWithHex;
    bool regexEnabledWithoutHex;
    bool hexEnabledWithRegex, hexEnabledWithoutRegex;
};
ModeBoxes gModes;

TEST_F(FindDlgTest, HexAndRegularExpressionsExcludeEachOther) {
    OpenView();
    gFind.hexFind = 1;
    gFind.regularExpression = 1; // cannot stand together with hex
    gOnDialog[kFindCaption] = [](HWND dialog) {
        gModes.regexEnabledAtOpen = Harness_ItemEnabled(dialog, IDC_FIND_REGEX);
        Harness_ClickItem(dialog, IDC_FIND_HEX); // off
        gModes.regexEnabledWithoutHex = Harness_ItemEnabled(dialog, IDC_FIND_REGEX);
        Harness_ClickItem(dialog, IDC_FIND_REGEX); // on
        gModes.hexEnabledWithRegex = Harness_ItemEnabled(dialog, IDC_FIND_HEX);
        Harness_ClickItem(dialog, IDC_FIND_REGEX); // off
        gModes.hexEnabledWithoutRegex = Harness_ItemEnabled(dialog, IDC_FIND_HEX);
        Harness_ClickItem(dialog, IDC_FIND_REGEX); // on again, then hex cannot be chosen until it is off
        Harness_ClickItem(dialog, IDC_FIND_REGEX);
        Harness_ClickItem(dialog, IDC_FIND_HEX);
        gModes.regexEnabledWithHex = Harness_ItemEnabled(dialog, IDC_FIND_REGEX);
        gModes.regexCheckedWithHex = Harness_ItemChecked(dialog, IDC_FIND_REGEX);
    };
    gModes = {true, true, true, false, true, false};
    Harness_Answer(kFindCaption, kFindLabel, IDCANCEL);
    Command(IDM_FIND);
    EXPECT_FALSE(gModes.regexEnabledAtOpen);
    EXPECT_EQ(0, gFind.regularExpression);
    EXPECT_TRUE(gModes.regexEnabledWithoutHex);
    EXPECT_FALSE(gModes.hexEnabledWithRegex);
    EXPECT_TRUE(gModes.hexEnabledWithoutRegex);
    EXPECT_FALSE(gModes.regexEnabledWithHex);
    EXPECT_FALSE(gModes.regexCheckedWithHex);
}

struct MoreSeen {
    bool findUp, booleanBefore, booleanAfter;
    std::string string1;
    bool string2Focused;
};
MoreSeen gMore;

TEST_F(FindDlgTest, AltF3OpensBothAndCancelClearsTheBooleanBox) {
    OpenView();
    gFind.booleanFind = 1;
    lstrcpyA(gFind.string1, "alpha");
    lstrcpyA(gFind.string2, "omega");
    gMore = {};
    gOnDialog[kFindCaption] = [](HWND dialog) {
        gMore.booleanBefore = Harness_ItemChecked(dialog, IDC_FIND_BOOLEAN);
    };
    gOnDialog[kAdvCaption] = [](HWND adv) {
        HWND find = ShownDialog(kFindCaption);
        gMore.findUp = find != NULL;
        gMore.string1 = ItemText(adv, IDC_ADVFIND_STRING1);
        gMore.string2Focused = GetFocus() == GetDlgItem(adv, IDC_ADVFIND_STRING2);
        Later([find] {
            gMore.booleanAfter = Harness_ItemChecked(find, IDC_FIND_BOOLEAN);
            Harness_PressItem(find, IDCANCEL);
        });
    };
    // "Find" is answered with a click that changes nothing; "Advanced Find" is cancelled.
    Harness_Answer(kFindCaption, kFindLabel, IDC_FIND_IGNORE_CASE);
    Harness_Answer(kAdvCaption, kAdvLabel, IDCANCEL);
    Command(IDM_FIND_BACKWARD);
    EXPECT_TRUE(gMore.findUp);
    EXPECT_TRUE(gMore.booleanBefore);
    EXPECT_EQ("alpha", gMore.string1);
    EXPECT_TRUE(gMore.string2Focused);
    EXPECT_FALSE(gMore.booleanAfter);
    EXPECT_EQ(1, gFind.booleanFind); // nothing is stored by a cancelled dialog
}

struct FailSeen {
    bool stillUp;
    std::string text;
};
FailSeen gFail;

TEST_F(FindDlgTest, AFailedFindLeavesFindOpenWithItsString) {
    HWND view = OpenView();
    gFail = {};
    gOnDialog[kFindCaption] = [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIND_STRING, "haystack");
    };
    gOnDialog["FIND"] = [](HWND) {
        Later([] {
            HWND find = ShownDialog(kFindCaption);
            gFail.stillUp = find != NULL;
            gFail.text = ItemText(find, IDC_FIND_STRING);
            SetDlgItemTextA(find, IDC_FIND_STRING, "needle"); // another try, which finds
            Harness_PressItem(find, IDOK);
        });
    };
    Harness_Answer(kFindCaption, kFindLabel, IDOK);
    Harness_Answer("FIND", "Not Found.", IDOK);
    Command(IDM_FIND);
    EXPECT_TRUE(gFail.stillUp);
    EXPECT_EQ("haystack", gFail.text);
    EXPECT_TRUE(ShownDialog(kFindCaption) == NULL);
    EXPECT_EQ(45, gEngine.matchLine);
    EXPECT_EQ(4, gEngine.matchColumn);
    EXPECT_EQ(view, GetFocus());
    // Both finds were started, so both are remembered, newest first.
    EXPECT_EQ((std::vector<std::string>{"needle", "haystack"}), ComboLabels());
    UINT state = GetMenuState(GetMenu(gFrame), IDM_FIND_NEXT, MF_BYCOMMAND);
    EXPECT_FALSE(state & MF_GRAYED);
}

TEST_F(FindDlgTest, FindsAreListedNewestFirstAndPickedAgainFromTheBar) {
    HWND editor = OpenEditor("call printf here\r\nalpha and omega\r\n");
    HWND edit = Editor_Control(editor);
    gOnDialog[kFindCaption] = [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIND_STRING, "printf");
    };
    Harness_Answer(kFindCaption, kFindLabel, IDOK);
    Command(IDM_FIND);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(5u, start);
    EXPECT_EQ(11u, end);

    // An AND of two strings, set up before as "Advanced Find" leaves it.
    gFind.booleanFind = 1;
    gFind.andMode = 1;
    lstrcpyA(gFind.string2, "omega");
    gOnDialog[kFindCaption] = [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIND_STRING, "alpha");
    };
    Harness_Answer(kFindCaption, kFindLabel, IDOK);
    Command(IDM_FIND);
    EXPECT_EQ((std::vector<std::string>{"alph*omeg", "printf"}), ComboLabels());

    // The older find picked in the bar's box comes back whole.
    SendMessageA(gControlBar, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, kFindComboId), 0);
    SendMessageA(gFindCombo, CB_SETCURSEL, 1, 0);
    ControlBar_EndFindEdit();
    EXPECT_STREQ("printf", gFind.string1);
    EXPECT_EQ(0, gFind.booleanFind);
    EXPECT_EQ(edit, GetFocus());
}

// ---- The control bar ---------------------------------------------------------------------------

TEST_F(FindDlgTest, EnterInTheBarsBoxFindsInTheViewAndGoesBackToIt) {
    HWND view = OpenView();
    ShowBar();
    // The user clicks into the box (the bar hears of it first) and types.
    SendMessageA(gControlBar, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, kFindComboId), 0);
    HWND edit = FindWindowExA(gFindCombo, NULL, "Edit", NULL);
    ASSERT_TRUE(edit != NULL);
    SetFocus(edit);
    SetWindowTextA(gFindCombo, "needle");
    SendMessageA(edit, WM_KEYDOWN, VK_TAB, 0); // goes nowhere
    EXPECT_EQ(edit, GetFocus());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(edit, WM_CHAR, '\r', 0);
    SendMessageA(edit, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(view, GetFocus());
    Harness_PumpMessages(100); // the posted "Find &Next"
    EXPECT_STREQ("needle", gFind.string1);
    EXPECT_EQ(45, gEngine.matchLine);
    EXPECT_EQ((std::vector<std::string>{"needle"}), ComboLabels());
}

TEST_F(FindDlgTest, EnterInTheBarsBoxAgainFindsTheNextMatchNotTheSame) {
    std::string text;
    for (int i = 1; i <= 30; i++)
        text += (i == 10 || i == 12 ? "a needle " : "line ") + std::to_string(i) + "\r\n";
    HWND view = View_OpenFile(WriteFile(text).c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    UpdateWindow(view);
    ShowBar();
    HWND edit = FindWindowExA(gFindCombo, NULL, "Edit", NULL);
    ASSERT_TRUE(edit != NULL);
    for (int64_t expected : {10, 12}) {
        // Into the box and out with Enter: the view keeps the match it showed meanwhile.
        SendMessageA(gControlBar, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, kFindComboId), 0);
        SetFocus(edit);
        SetWindowTextA(gFindCombo, "needle");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(edit, WM_KEYUP, VK_RETURN, 0);
        Harness_PumpMessages(100);
        EXPECT_EQ(view, GetFocus());
        EXPECT_EQ(expected, gEngine.matchLine);
    }
}

struct DragCase {
    const char* name;
    std::vector<int> moves; // x offsets from the face's left edge, at the face's height
    int releaseAt;
    bool posts;
};

class BarButtonTest : public FindDlgTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(BarButtonTest, ACommandIsPostedOnlyWhenReleasedOnTheFace) {
    const DragCase& c = GetParam();
    ShowBar();
    BarButton buttons[kBarButtonCount];
    BarButtons_Layout(buttons, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    const BarButton& exit = buttons[12]; // "TBEXIT": the command is taken out, never run
    const int y = exit.y + 3;
    SendMessageA(gControlBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(exit.x + 2, y));
    EXPECT_EQ(gControlBar, GetCapture());
    for (int x : c.moves)
        SendMessageA(gControlBar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(exit.x + x, y));
    SendMessageA(gControlBar, WM_LBUTTONUP, 0, MAKELPARAM(exit.x + c.releaseAt, y));
    EXPECT_TRUE(GetCapture() == NULL);
    MSG msg;
    const bool posted = PeekMessageA(&msg, gFrame, WM_COMMAND, WM_COMMAND, PM_REMOVE) != 0;
    EXPECT_EQ(c.posts, posted);
    if (posted) {
        EXPECT_EQ(IDM_EXIT, LOWORD(msg.wParam));
    }
}

INSTANTIATE_TEST_SUITE_P(Drags, BarButtonTest,
                         ::testing::Values(DragCase{"Click", {}, 2, true},
                                           DragCase{"DraggedOffAndReleased", {5, 40}, 40, false},
                                           DragCase{"DraggedOffAndBack", {40, 6}, 6, true},
                                           DragCase{"ReleasedOnANeighbour", {}, -10, false}),
                         ByName());

TEST_F(FindDlgTest, TheBarIsAsHighAsTheFrameMakesIt) {
    ShowBar();
    RECT bar, box;
    GetClientRect(gControlBar, &bar);
    GetWindowRect(gFindCombo, &box);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    EXPECT_EQ(BarButtons_BarHeight(iconHeight, box.bottom - box.top), bar.bottom);
    EXPECT_LE(box.bottom - box.top + 4, bar.bottom); // the closed box fits
}

// A picture of the bar over a view with "Find" open, for a reader of the build.
TEST_F(FindDlgTest, PictureOfTheFindDialog) {
    gSettings.maximiseNew = 0;
    OpenView();
    ShowBar();
    SetFocus(Frame_ActiveChild());
    lstrcpyA(gFind.string1, "needle");
    gFind.typedLength = 6;
    // The match the last find showed stays highlighted behind the dialog.
    ASSERT_EQ(1, View_Find(Frame_ActiveChild(), false, FindPatternLength(gFind)));
    static bool saved;
    static char shownString[64];
    static bool ignoreCaseShown;
    saved = false;
    shownString[0] = 0;
    gOnDialog[kFindCaption] = [](HWND find) {
        Later([find] {
            // Everything painted and on the screen before the picture is taken.
            RedrawWindow(gFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            RedrawWindow(find, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            Harness_PumpMessages(400);
            saved = Harness_SaveWindowBitmap(GetDesktopWindow(),
                                             Harness_OutputPath("find-dialog.bmp").c_str()) == 1;
            GetDlgItemTextA(find, IDC_FIND_STRING, shownString, sizeof shownString);
            ignoreCaseShown = Harness_ItemChecked(find, IDC_FIND_IGNORE_CASE);
            Harness_PressItem(find, IDCANCEL);
        });
    };
    Harness_Answer(kFindCaption, kFindLabel, IDC_FIND_IGNORE_CASE);
    Command(IDM_FIND);
    EXPECT_TRUE(saved);
    // What the picture shows: the dialog holding the last find string, "Ignore case" as the
    // click left it, and the match still marked in the view behind.
    EXPECT_STREQ("needle", shownString);
    EXPECT_TRUE(ignoreCaseShown);
    EXPECT_GT(gEngine.matchLine, 0);
}

} // namespace
