// The core's questions reach the user as real message boxes: the engine's "Mode?" question on a
// file that does not look like text, and the seam's mapping of buttons, icon, owner, modality and
// default button; also the busy cursor, the splash dismissal and the fatal exit the core asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "gui/harness.h"
#include "platform/uiseam.h"
#include "shell/uiseam_win.h"
#include "viewer/engine.h"

struct ModeCase {
    const char* name;
    bool openingNewView;
    int answer;
    int result, hexMode, binaryMode; // ResetEngine's, and the modes it leaves
};

class ModeQuestionTest : public OrvFrameTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeQuestionTest, AnswerSetsTheDisplayMode) {
    const ModeCase& c = GetParam();
    // A file whose first line is longer than the longest line ORV splits, with more after it.
    std::string path = Harness_OutputPath("no-line-ends.txt");
    std::ofstream(path, std::ios::binary) << std::string(300, 'x') << "\nand more after it\n";
    ASSERT_EQ(1, Engine_SetFile(&gEngine, path.c_str()));
    gEngine.openingNewView = c.openingNewView;
    Harness_Answer("Mode?",
                   "This does not look like text.\n(Could not find ends of lines.)\n"
                   "Switch to Hex mode?",
                   c.answer);

    EXPECT_EQ(c.result, ResetEngine(&gEngine, true));
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    const SeenBox& box = Harness_SeenBoxes()[0];
    EXPECT_EQ(c.openingNewView ? "Yes No Cancel" : "Yes No", box.buttons);
    EXPECT_EQ(LoadIconA(NULL, IDI_QUESTION), box.icon);
    EXPECT_TRUE(box.owner == NULL) << "the question has an owner window";
    EXPECT_TRUE(box.frameDisabled) << "the frame can be used while the question is up";
    EXPECT_EQ(c.hexMode, gEngine.settings.hexMode);
    EXPECT_EQ(c.binaryMode, gEngine.settings.binaryMode);
}

// Yes and No set the mode the same way whether a new view is opened or not; only the buttons and
// Cancel differ.
INSTANTIATE_TEST_SUITE_P(Answers, ModeQuestionTest,
                         ::testing::Values(ModeCase{"NewViewYesShowsHex", true, IDYES, 0, 1, 0},
                                           ModeCase{"NewViewCancelAbandonsTheOpen", true, IDCANCEL,
                                                    -1, 0, 0},
                                           ModeCase{"OpenViewNoShowsBinary", false, IDNO, 0, 0, 1}),
                         ByName());

// ---- How a request of the core becomes a box ---------------------------------------------------

class CoreSeamTest : public OrvFrameTest {};

struct PromptCase {
    const char* name;
    const char* caption; // null: the system's
    PromptButtons buttons;
    PromptIcon icon;
    int flags;
    int answer;        // the button the user clicks
    const char* shown; // the buttons shown
    LPCSTR shownIcon;  // the system icon shown; null for none
    int defaultButton;
    bool ownedByFrame, blocksFrame, topmost;
};

class PromptBoxTest : public CoreSeamTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptBoxTest, ShowsTheRequestedBoxAndReturnsTheAnswer) {
    const PromptCase& c = GetParam();
    SetForegroundWindow(gFrame);
    SetFocus(gMdiClient);
    Harness_Answer(c.caption, "What the core asks", c.answer);

    EXPECT_EQ(c.answer, Ui_Ask({"What the core asks", c.caption, c.buttons, c.icon, c.flags}));
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    const SeenBox& box = Harness_SeenBoxes()[0];
    EXPECT_FALSE(box.caption.empty());
    EXPECT_EQ(c.shown, box.buttons);
    EXPECT_EQ(c.shownIcon ? LoadIconA(NULL, c.shownIcon) : NULL, box.icon);
    EXPECT_EQ(c.defaultButton, box.defaultButton);
    EXPECT_EQ(c.ownedByFrame ? gFrame : NULL, box.owner);
    EXPECT_EQ(c.blocksFrame, box.frameDisabled);
    EXPECT_EQ(c.topmost, box.isTopmost);
}

// Every kind of buttons, icon and flag once.
INSTANTIATE_TEST_SUITE_P(
    Requests, PromptBoxTest,
    ::testing::Values(
        // name, caption, buttons, icon, flags, answer; buttons and icon shown, default button;
        // owned by the frame, blocks the frame, on top of all windows
        PromptCase{"OkOwnedByTheFocusWindow", "Request", kButtonsOk, kIconInformation,
                   kPromptOwnedByFocus, IDOK, "OK", IDI_INFORMATION, IDOK, true, true, false},
        PromptCase{"OkCancelWithoutOwner", "Request", kButtonsOkCancel, kIconWarning,
                   kPromptNoOwner, IDCANCEL, "OK Cancel", IDI_WARNING, IDOK, false, false, false},
        PromptCase{"YesNoWithNoAsDefault", "Request", kButtonsYesNo, kIconQuestion,
                   kPromptDefaultSecond, IDNO, "Yes No", IDI_QUESTION, IDNO, true, true, false},
        PromptCase{"YesNoCancelTaskModalWithoutIconOrCaption", nullptr, kButtonsYesNoCancel,
                   kIconNone, kPromptNoOwner | kPromptTaskModal, IDYES, "Yes No Cancel", nullptr,
                   IDYES, false, true, false},
        PromptCase{"SystemModalStaysOnTop", "Request", kButtonsOk, kIconError, kPromptSystemModal,
                   IDOK, "OK", IDI_ERROR, IDOK, true, true, true}),
    ByName());

TEST_F(CoreSeamTest, BusyCursorComesAndGoesAndTheSplashIsDestroyed) {
    HCURSOR arrow = LoadCursor(NULL, IDC_ARROW);
    SetCursor(arrow);
    void* restore = Ui_BeginBusy("C:\\file.txt");
    EXPECT_EQ(LoadCursor(NULL, IDC_WAIT), GetCursor());
    // A spell inside another (a file read during a search) leaves the pointer to the outer one.
    Ui_EndBusy(Ui_BeginBusy("C:\\inner.txt"));
    EXPECT_EQ(LoadCursor(NULL, IDC_WAIT), GetCursor());
    Ui_EndBusy(restore);
    EXPECT_EQ(arrow, GetCursor());

    gSplash = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "splash", WS_POPUP | WS_VISIBLE, 10, 10, 210,
                              230, gFrame, NULL, GetModuleHandleA(NULL), NULL);
    HWND splash = gSplash;
    ASSERT_TRUE(splash != NULL);
    Ui_DismissSplash();
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_TRUE(gSplash == NULL);
}

// ---- The fatal exit ----------------------------------------------------------------------------

// The fatal exit ends the process, so the test runs it in a second copy of this program, which
// writes down what its box saw.
namespace {

constexpr char kFatalText[] = "Not enough free memory";
HWND gFrameBeforeExit = NULL;

void RecordFatalBox(const SeenBox& box) {
    std::ofstream(Harness_OutputPath("fatal-exit.txt"))
        << "text=" << box.text << "\nframeOpen=" << IsWindow(gFrameBeforeExit)
        << "\nmark=" << gMessageBoxUp << "\n";
}

} // namespace

TEST_F(CoreSeamTest, FatalExitClosesTheFrameThenEndsWithTheText) {
    if (GetEnvironmentVariableA("ORV_FATAL_EXIT_COPY", NULL, 0)) {
        gFrameBeforeExit = gFrame;
        Harness_SetBoxWatcher(RecordFatalBox);
        Harness_Answer(nullptr, kFatalText, IDOK);
        Ui_FatalExit(kFatalText);
        ExitProcess(0); // it returned
    }

    std::string resultPath = Harness_OutputPath("fatal-exit.txt");
    DeleteFileA(resultPath.c_str());
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string commandLine = "\"" + Harness_OutputPath("gui_tests.exe") +
                              "\" --gtest_filter=" + test->test_suite_name() + "." + test->name();
    SetEnvironmentVariableA("ORV_FATAL_EXIT_COPY", "1");
    DWORD exitCode = 0;
    int ended = Harness_RunProcess(commandLine, &exitCode);
    SetEnvironmentVariableA("ORV_FATAL_EXIT_COPY", NULL);
    ASSERT_EQ(1, ended) << "the copy did not start or end";

    std::ifstream file(resultPath);
    std::string result((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(std::string("text=") + kFatalText + "\nframeOpen=0\nmark=1\n", result)
        << "the frame closes before the box, and the box-up mark is set";
    EXPECT_NE(0u, exitCode) << "the fatal exit returned";
}
