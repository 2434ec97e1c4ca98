// The view dialogs driven as a user drives them: Go To Line with numbers that are no line of the
// file, Tab Stops with numbers that are no spacing, and Extended Char Handling in each mode,
// on a real file in the engine.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "gui/harness.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "shell/settings.h"
#include "viewer/engine.h"
#include "viewer/viewdlgs_win.h"

namespace {

// ---- The user at a dialog --------------------------------------------------------------------

const int kExtcBoxes[] = {IDC_EXTC_CR_NEW_LINE, IDC_EXTC_DUMP, IDC_EXTC_CRLF};

// A check box as the user sees it: "x" checked, "-" unchecked, "." greyed and unchecked,
// "X" greyed and checked.
std::string BoxStates(HWND dialog) {
    std::string states;
    for (int id : kExtcBoxes) {
        bool checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        bool enabled = IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
        states += enabled ? (checked ? "x" : "-") : (checked ? "X" : ".");
    }
    return states;
}

struct DialogVisit {
    const char* caption;
    int editId;       // 0: none
    const char* type; // typed into the edit box (null: left as offered)
    std::vector<int> clicks;
    // What the user saw.
    bool came;
    std::string offered;  // the edit box's text on opening
    bool offeredSelected; // all of it selected, so typing replaces it
    std::string boxesOnOpening, boxesAfterClicks;
    HBRUSH staticBrush; // the brush the dialog paints a label with
};
DialogVisit gVisit;

// Runs while the harness reads the dialog as a box, before it presses the scripted button.
void VisitDialog(const SeenBox& box) {
    if (box.caption != gVisit.caption)
        return;
    HWND dialog = FindWindowA("#32770", gVisit.caption);
    if (!dialog)
        return;
    gVisit.came = true;
    if (gVisit.editId) {
        char text[300] = "";
        GetDlgItemTextA(dialog, gVisit.editId, text, sizeof text);
        gVisit.offered = text;
        DWORD from = 0, to = 0;
        SendDlgItemMessageA(dialog, gVisit.editId, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        gVisit.offeredSelected = from == 0 && to == strlen(text);
        if (gVisit.type)
            SetDlgItemTextA(dialog, gVisit.editId, gVisit.type);
    }
    gVisit.boxesOnOpening = BoxStates(dialog);
    for (int id : gVisit.clicks)
        SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    gVisit.boxesAfterClicks = BoxStates(dialog);
    HDC dc = GetDC(dialog);
    gVisit.staticBrush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(GetDlgItem(dialog, gVisit.editId ? gVisit.editId : IDOK))));
    ReleaseDC(dialog, dc);
}

// Scripts the visit; the harness presses `press` once the visitor has done its part.
void Expect(const char* caption, const char* label, int editId, const char* type,
            std::vector<int> clicks, int press) {
    gVisit = DialogVisit();
    gVisit.caption = caption;
    gVisit.editId = editId;
    gVisit.type = type;
    gVisit.clicks = std::move(clicks);
    Harness_SetBoxWatcher(VisitDialog);
    Harness_Answer(caption, label, press);
}

// ---- A file in the engine
// ------------------------------------------------------------------------

std::string LineText(int i) {
    return "line " + std::to_string(i) + " of the file, and some words after it";
}

class ViewDialogTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        view_ = Harness_NewChild(kViewClassName);
        ASSERT_TRUE(view_ != NULL);
    }
    void TearDown() override {
        Harness_SetBoxWatcher(nullptr);
        OrvFrameTest::TearDown();
    }
    // The engine shows the file from its first line, as a newly opened view does.
    void Show(const std::string& name, const std::string& bytes, int view = 0) {
        path_ = Harness_OutputPath(name.c_str());
        std::ofstream(path_, std::ios::binary) << bytes;
        ASSERT_EQ(1, Engine_SetFile(&gEngine, path_.c_str()));
        gEngine.modePolicy = kModeAnswerNo;
        gEngine.openingNewView = false;
        gEngine.showCrLf = 0;
        gEngine.pageLines = 20;
        ASSERT_EQ(0, ResetEngine(&gEngine, true));
        if (view) {
            gEngine.settings.hexMode = (view & 1) != 0;
            gEngine.settings.binaryMode = (view & 2) != 0;
            ASSERT_EQ(0, Reposition(&gEngine));
        }
    }
    std::string Row(int r) const {
        for (int i = 0; i <= r; i++)
            if (gEngine.rowOffset[i] < 0)
                return "";
        return gEngine.displayText + gEngine.rowOffset[r];
    }
    HWND view_ = NULL;
    std::string path_;
};

std::string ManyLines(int count) {
    std::string text;
    for (int i = 1; i <= count; i++)
        text += LineText(i) + "\r\n";
    return text;
}

// ---- Go To Line ----------------------------------------------------------------------------

struct GoCase {
    const char* name;
    const char* type;
    bool endReached; // the window stands in the file's last block, so its end is known
    int64_t top;     // where the window then stands
};

class GoToLineTest : public ViewDialogTest, public ::testing::WithParamInterface<GoCase> {};

constexpr int kGoLines = 30000; // about 17 blocks of the default buffers

TEST_P(GoToLineTest, GoesToTheLineOrTheNearestEnd) {
    const GoCase& c = GetParam();
    Show("goline.txt", ManyLines(kGoLines));
    gEngine.file.topLine = c.endReached ? kGoLines - 300 : 5;
    ASSERT_EQ(0, EnsureWindow(&gEngine, false));
    ASSERT_EQ(c.endReached, gEngine.atEnd);
    gEngine.matchLine = 6;
    gEngine.matchColumn = 2;
    ViewDlg_SetLastGoLine(0);

    Expect("Go To Line", "Go To Line:", IDC_GOLINE_NUMBER, c.type, {}, IDOK);
    EXPECT_EQ(1, ViewDlg_GoToLine(gFrame, view_));
    ASSERT_TRUE(gVisit.came);
    EXPECT_EQ("", gVisit.offered);
    EXPECT_EQ(c.top, gEngine.file.topLine);
    EXPECT_EQ(LineText((int)c.top), Row(0));
    EXPECT_EQ(0, gEngine.matchLine);
    EXPECT_EQ(0, gEngine.matchColumn);
}

constexpr int64_t kLastPage = kGoLines - 20 + 1;
INSTANTIATE_TEST_SUITE_P(
    Numbers, GoToLineTest,
    ::testing::Values(
        GoCase{"Zero", "0", false, 1}, GoCase{"Negative", "-17", false, 1},
        GoCase{"Letters", "abc", false, 1}, GoCase{"Empty", "", false, 1},
        GoCase{"LeadingDigits", " 1234xyz", false, 1234},
        GoCase{"FarInTheFile", "29000", false, 29000},
        GoCase{"PastTheEndNotYetReached", "30500", false, kLastPage},
        GoCase{"PastTheEndReached", "30500", true, kGoLines},
        GoCase{"OneAfterTheEndNotYetReached", "30001", false, kGoLines},
        GoCase{"BeyondAnyLineNotYetReached", "9223372036854775807", false, kLastPage},
        GoCase{"BeyondAnyLineReached", "9223372036854775807", true, kGoLines},
        GoCase{"BeyondInt64NotYetReached", "123456789012345678901234567890", false, kLastPage},
        GoCase{"BeyondInt64Reached", "123456789012345678901234567890", true, kGoLines}),
    ByName());

TEST_F(ViewDialogTest, GoToLineOffersTheLastLineAndCancelLeavesAllAlone) {
    Show("goline-offer.txt", ManyLines(200));
    ViewDlg_SetLastGoLine(0);
    Expect("Go To Line", "Go To Line:", IDC_GOLINE_NUMBER, "120", {}, IDOK);
    ASSERT_EQ(1, ViewDlg_GoToLine(gFrame, view_));
    EXPECT_EQ(gDraw.dialogBrush, gVisit.staticBrush); // coloured as every dialog of ORV

    gEngine.matchLine = 121;
    Expect("Go To Line", "Go To Line:", IDC_GOLINE_NUMBER, "3", {}, IDCANCEL);
    EXPECT_EQ(0, ViewDlg_GoToLine(gFrame, view_));
    EXPECT_EQ("120", gVisit.offered);
    EXPECT_TRUE(gVisit.offeredSelected);
    EXPECT_EQ(120, gEngine.file.topLine);
    EXPECT_EQ(121, gEngine.matchLine);

    Expect("Go To Line", "Go To Line:", IDC_GOLINE_NUMBER, nullptr, {}, IDOK);
    EXPECT_EQ(1, ViewDlg_GoToLine(gFrame, view_));
    EXPECT_EQ("120", gVisit.offered); // Cancel kept the number
}

TEST_F(ViewDialogTest, GoToLineInAnEditorMovesTheCaret) {
    HWND editor = Harness_NewChild(kEditClassName);
    HWND edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 100,
                              editor, NULL, NULL, NULL);
    SetWindowTextA(edit, "one\r\ntwo\r\nthree\r\nfour\r\n");
    const int64_t topBefore = gEngine.file.topLine;
    struct {
        const char* type;
        int caret;
    } cases[] = {{"3", 10}, {"0", 0}, {"99", 23}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        Expect("Go To Line", "Go To Line:", IDC_GOLINE_NUMBER, c.type, {}, IDOK);
        EXPECT_EQ(1, ViewDlg_GoToLine(gFrame, edit));
        DWORD from = 99, to = 99;
        SendMessageA(edit, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        EXPECT_EQ(c.caret, (int)from);
        EXPECT_EQ(c.caret, (int)to);
    }
    EXPECT_EQ(topBefore, gEngine.file.topLine);
}

// ---- Tab Stops -----------------------------------------------------------------------------

struct TabCase {
    const char* name;
    const char* type;
    int press;
    int result;
    int32_t spacing;
};

class TabStopsTest : public ViewDialogTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabStopsTest, ReadsASpacingOfAtLeastOne) {
    const TabCase& c = GetParam();
    gSettings.optionsChanged = 0;
    gEngine.matchLine = 4;
    int32_t spacing = 8;
    Expect("Tab Stops", "Tab spacing", IDC_TABS_SPACING, c.type, {}, c.press);
    EXPECT_EQ(c.result, ViewDlg_TabStops(gFrame, &spacing));
    ASSERT_TRUE(gVisit.came);
    EXPECT_EQ("8", gVisit.offered);
    EXPECT_TRUE(gVisit.offeredSelected);
    EXPECT_EQ(c.spacing, spacing);
    EXPECT_EQ(c.result, gSettings.optionsChanged);
    EXPECT_EQ(c.result ? 0 : 4, gEngine.matchLine);
}

INSTANTIATE_TEST_SUITE_P(Numbers, TabStopsTest,
                         ::testing::Values(TabCase{"Four", "4", IDOK, 1, 4},
                                           TabCase{"Zero", "0", IDOK, 1, 1},
                                           TabCase{"Letters", "abc", IDOK, 1, 1},
                                           TabCase{"Empty", "", IDOK, 1, 1},
                                           TabCase{"TooLarge", "99999999999", IDOK, 1, 1},
                                           TabCase{"Cancel", "3", IDCANCEL, 0, 8}),
                         ByName());

// ---- Extended Char Handling --------------------------------------------------------------------

enum { kText = 0, kHexView = 1, kBinaryView = 2 };

struct ExtcCase {
    const char* name;
    int view;
    int32_t crIsNewLine, showCrLf, all256;
    std::vector<int> clicks;
    int press;
    const char* opening; // BoxStates on opening and after the clicks
    const char* afterClicks;
    int result;
    int hexMode, binaryMode;
    int32_t crIsNewLineAfter, showCrLfAfter, all256After;
};

class ExtcTest : public ViewDialogTest, public ::testing::WithParamInterface<ExtcCase> {};

TEST_P(ExtcTest, ShowsTheModeAndAppliesTheChanges) {
    const ExtcCase& c = GetParam();
    Show("extc.txt", ManyLines(100), c.view);
    gEngine.settings.crIsNewLine = c.crIsNewLine;
    gEngine.showCrLf = c.showCrLf;
    gEngine.settings.all256Chars = c.all256;
    ASSERT_EQ(0, Reposition(&gEngine));
    gEngine.matchLine = 3;

    Expect("Extended Char Handling", "", 0, nullptr, c.clicks, c.press);
    EXPECT_EQ(c.result, ViewDlg_SpecialChars(gFrame));
    ASSERT_TRUE(gVisit.came);
    EXPECT_EQ(c.opening, gVisit.boxesOnOpening);
    EXPECT_EQ(c.afterClicks, gVisit.boxesAfterClicks);
    EXPECT_EQ(c.hexMode, gEngine.settings.hexMode);
    EXPECT_EQ(c.binaryMode, gEngine.settings.binaryMode);
    EXPECT_EQ(c.crIsNewLineAfter, gEngine.settings.crIsNewLine);
    EXPECT_EQ(c.showCrLfAfter, gEngine.showCrLf);
    EXPECT_EQ(c.all256After, gEngine.settings.all256Chars);
    EXPECT_EQ(c.press == IDOK ? 0 : 3, gEngine.matchLine);
}

const int kCr = IDC_EXTC_CR_NEW_LINE, kDump = IDC_EXTC_DUMP, kCrLf = IDC_EXTC_CRLF;
INSTANTIATE_TEST_SUITE_P(
    Modes, ExtcTest,
    ::testing::Values(
        // name, view, crIsNewLine, showCrLf, all256; clicks, button; boxes on opening and after
        // the clicks; result, hexMode, binaryMode, crIsNewLine, showCrLf, all256 afterwards
        ExtcCase{"TextUnchanged", kText, 0, 0, 0, {}, IDOK, "--.", "--.", 0, 0, 0, 0, 0, 0},
        ExtcCase{"TextToRawRowsShowsCrLfAsItStands",
                 kText,
                 0,
                 1,
                 0,
                 {kDump},
                 IDOK,
                 "--.",
                 "-xx",
                 1,
                 0,
                 1,
                 0,
                 1,
                 0},
        ExtcCase{"TextToRawRowsWithCrAsNewLine",
                 kText,
                 0,
                 0,
                 0,
                 {kDump, kCr, kCrLf},
                 IDOK,
                 "--.",
                 "xxx",
                 1,
                 0,
                 1,
                 1,
                 1,
                 0},
        ExtcCase{"TextLeavesTheSharedCrLfAlone",
                 kText,
                 1,
                 1,
                 0,
                 {},
                 IDOK,
                 "--.",
                 "--.",
                 0,
                 0,
                 0,
                 1,
                 1,
                 0},
        ExtcCase{"TextCrAloneChangesNothing",
                 kText,
                 0,
                 0,
                 0,
                 {kCr},
                 IDOK,
                 "--.",
                 "x-.",
                 0,
                 0,
                 0,
                 0,
                 0,
                 0},
        ExtcCase{"BinaryShowsItsSettings",
                 kBinaryView,
                 1,
                 1,
                 0,
                 {},
                 IDOK,
                 "xxx",
                 "xxx",
                 0,
                 0,
                 1,
                 1,
                 1,
                 0},
        ExtcCase{
            "BinaryCrLfOff", kBinaryView, 0, 1, 0, {kCrLf}, IDOK, "-xx", "-x-", 1, 0, 1, 0, 0, 0},
        ExtcCase{
            "BinaryCrAsNewLine", kBinaryView, 0, 0, 0, {kCr}, IDOK, "-x-", "xx-", 1, 0, 1, 1, 0, 0},
        ExtcCase{"BinaryBackToText",
                 kBinaryView,
                 0,
                 1,
                 0,
                 {kDump},
                 IDOK,
                 "-xx",
                 "--.",
                 1,
                 0,
                 0,
                 0,
                 1,
                 0},
        ExtcCase{"BinaryCancelKeepsAll",
                 kBinaryView,
                 0,
                 1,
                 0,
                 {kDump, kCr},
                 IDCANCEL,
                 "-xx",
                 "x-.",
                 0,
                 0,
                 1,
                 0,
                 1,
                 0},
        ExtcCase{
            "HexRawCharacters", kHexView, 0, 0, 0, {kDump}, IDOK, ".-.", ".x.", 1, 1, 0, 0, 0, 1},
        ExtcCase{"HexBackToDots", kHexView, 0, 1, 1, {kDump}, IDOK, ".x.", ".-.", 1, 1, 0, 0, 1, 0},
        ExtcCase{"HexUnchanged", kHexView, 1, 0, 0, {}, IDOK, ".-.", ".-.", 0, 1, 0, 1, 0, 0}),
    ByName());

TEST_F(ViewDialogTest, HexRawCharactersChangeOnlyTheCharacterColumn) {
    std::string bytes;
    for (int i = 0; i < 64; i++)
        bytes += (char)(i % 2 ? 0x01 + i % 31 : 'A' + i % 26);
    Show("extc-hex.bin", bytes, kHexView);
    ASSERT_EQ(1, gEngine.settings.hexMode);
    std::vector<std::string> before;
    for (int r = 0; r < 4; r++)
        before.push_back(Row(r));
    Expect("Extended Char Handling", "", 0, nullptr, {kDump}, IDOK);
    ASSERT_EQ(1, ViewDlg_SpecialChars(gFrame));
    for (int r = 0; r < 4; r++) {
        SCOPED_TRACE(r);
        const std::string after = Row(r);
        ASSERT_EQ(77u, after.size());
        EXPECT_EQ(before[r].substr(0, 61), after.substr(0, 61)); // offset and byte cells
        for (int i = 0; i < 16; i++) {
            const char b = bytes[r * 16 + i];
            EXPECT_EQ(b >= 0x20 ? b : '.', before[r][61 + i]);
            EXPECT_EQ(b, after[61 + i]);
        }
    }
}

// A file that does not look like text: its first line is longer than any line ORV splits.
struct ModeCase {
    const char* name;
    int answer;
    int hexMode, binaryMode;
};

class ExtcModeTest : public ViewDialogTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ExtcModeTest, RawRowsOffInAFileThatIsNoTextAsksMode) {
    const ModeCase& c = GetParam();
    Show("extc-notext.txt", std::string(3000, 'x') + "\nand more after it\n", kText);
    ASSERT_EQ(1, gEngine.settings.binaryMode); // "Mode?" answered No while opening
    Expect("Extended Char Handling", "", 0, nullptr, {kDump}, IDOK);
    Harness_Answer("Mode?",
                   "This does not look like text.\n(Could not find ends of lines.)\n"
                   "Switch to Hex mode?",
                   c.answer);
    EXPECT_EQ(1, ViewDlg_SpecialChars(gFrame));
    const std::vector<SeenBox>& seen = Harness_SeenBoxes();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("Yes No", seen[1].buttons);
    EXPECT_EQ(c.hexMode, gEngine.settings.hexMode);
    EXPECT_EQ(c.binaryMode, gEngine.settings.binaryMode);
    EXPECT_EQ(kModeAnswerNo, gEngine.modePolicy); // the view's own policy is back
}

INSTANTIATE_TEST_SUITE_P(Answers, ExtcModeTest,
                         ::testing::Values(ModeCase{"YesShowsHex", IDYES, 1, 0},
                                           ModeCase{"NoKeepsTheRawRows", IDNO, 0, 1}),
                         ByName());

// Every dialog answers its controls' colour messages alike: labels and buttons on the shared
// grey, their text backed in that same grey, edit boxes left to the system.
TEST_F(OrvFrameTest, DialogControlsShareOneLook) {
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND button = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | BS_CHECKBOX, 0, 0, 10, 10, dialog,
                                  NULL, NULL, NULL);
    HDC dc = GetDC(dialog);
    LOGBRUSH brush = {};
    ASSERT_EQ((int)sizeof brush, GetObjectA(gDraw.dialogBrush, sizeof brush, &brush));
    for (UINT message : {WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX}) {
        SCOPED_TRACE(message);
        SetBkColor(dc, RGB(1, 2, 3));
        EXPECT_EQ(gDraw.dialogBrush, DlgColor_OnCtlColor(message, dc, button));
        EXPECT_EQ(brush.lbColor, GetBkColor(dc));
        EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), GetTextColor(dc));
    }
    EnableWindow(button, FALSE);
    DlgColor_OnCtlColor(WM_CTLCOLORBTN, dc, button);
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), GetTextColor(dc));
    EXPECT_TRUE(DlgColor_OnCtlColor(WM_CTLCOLOREDIT, dc, button) == NULL);
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
}

} // namespace
