// The core's questions reach the user as real message boxes: the engine's "Mode?" question on a
// file that does not look like text, and the seam's mapping of buttons, owner, modality and
// default button; also the busy cursor, the splash dismissal and the fatal exit the core asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include <string>

#include "gui/frame_fixture.h"
#include "gui/harness.h"
#include "shell/frame.h"
#include "shell/startup.h"
#include "shell/uiseam.h"
#include "shell/uiseam_win.h"
#include "viewer/engine.h"

namespace {

const char kModeCaption[] = "Mode?";
const char kModeText[] =
    "This does not look like text.\n(Could not find ends of lines.)\nSwitch to Hex mode?";

// A file whose first line is longer than the longest line ORV splits, with more after it.
std::string WriteFileWithoutLineEnds() {
    char folder[MAX_PATH] = "";
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "orv", 0, path);
    std::string content = std::string(300, 'x') + "\n" + "and more after the long line\n";
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, NULL);
    CloseHandle(file);
    return path;
}

struct ModeCase {
    const char* name;
    bool openingNewView;
    int answer;
    int result;
    int hexMode;
    int binaryMode;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.name;
}

class ModeQuestionTest : public OrvFrameTest, public ::testing::WithParamInterface<ModeCase> {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        path = WriteFileWithoutLineEnds();
    }
    void TearDown() override {
        gEngine.openingNewView = false;
        DeleteFileA(path.c_str());
        OrvFrameTest::TearDown();
    }
    std::string path;
};

} // namespace

TEST_P(ModeQuestionTest, AnswerSetsTheDisplayMode) {
    const ModeCase& c = GetParam();
    ASSERT_EQ(1, Engine_SetFile(&gEngine, path.c_str()));
    gEngine.openingNewView = c.openingNewView;
    Harness_Answer(kModeCaption, kModeText, c.answer);

    int result = ResetEngine(&gEngine, true);

    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    const SeenBox& box = Harness_SeenBoxes()[0];
    EXPECT_EQ(kModeCaption, box.caption);
    EXPECT_EQ(kModeText, box.text);
    EXPECT_TRUE(box.hasYes);
    EXPECT_TRUE(box.hasNo);
    EXPECT_EQ(c.openingNewView, box.hasCancel) << "Cancel only while a new view is opened";
    EXPECT_FALSE(box.hasOk);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(box.owner == NULL) << "the question has no owner window";
    EXPECT_TRUE(box.blocksOtherWindows) << "the frame can be used while the question is up";
    EXPECT_EQ(c.result, result);
    if (c.result == 0) {
        EXPECT_EQ(c.hexMode, gEngine.settings.hexMode);
        EXPECT_EQ(c.binaryMode, gEngine.settings.binaryMode);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ModeQuestionTest,
    ::testing::Values(ModeCase{"NewViewYesShowsHex", true, IDYES, 0, 1, 0},
                      ModeCase{"NewViewNoShowsBinary", true, IDNO, 0, 0, 1},
                      ModeCase{"NewViewCancelAbandonsTheOpen", true, IDCANCEL, -1, 0, 0},
                      ModeCase{"OpenViewYesShowsHex", false, IDYES, 0, 1, 0},
                      ModeCase{"OpenViewNoShowsBinary", false, IDNO, 0, 0, 1}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

// ---- How a request of the core becomes a box ---------------------------------------------------

class CoreSeamTest : public OrvFrameTest {};

struct PromptCase {
    const char* name;
    PromptButtons buttons;
    PromptIcon icon;
    int flags;
    int answer;               // the button the user clicks
    bool yes, no, ok, cancel; // the buttons shown
    int defaultButton;
    bool ownedByFrame; // else no owner
    bool blocksFrame;
    bool topmost;
};

void PrintTo(const PromptCase& c, std::ostream* out) {
    *out << c.name;
}

class PromptBoxTest : public CoreSeamTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptBoxTest, ShowsTheRequestedBoxAndReturnsTheAnswer) {
    const PromptCase& c = GetParam();
    SetForegroundWindow(gFrame);
    SetFocus(gMdiClient);
    Harness_Answer("Request", "What the core asks", c.answer);

    PromptRequest request = {"What the core asks", "Request", c.buttons, c.icon, c.flags};
    int answer = Ui_Ask(request);

    EXPECT_EQ(c.answer, answer);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    const SeenBox& box = Harness_SeenBoxes()[0];
    EXPECT_EQ(c.yes, box.hasYes);
    EXPECT_EQ(c.no, box.hasNo);
    EXPECT_EQ(c.ok, box.hasOk);
    EXPECT_EQ(c.cancel, box.hasCancel);
    EXPECT_EQ(c.icon != kIconNone, box.hasIcon);
    EXPECT_EQ(c.defaultButton, box.defaultButton);
    EXPECT_EQ(c.ownedByFrame ? gFrame : NULL, box.owner);
    EXPECT_EQ(c.blocksFrame, box.blocksOtherWindows);
    EXPECT_EQ(c.topmost, box.isTopmost);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, PromptBoxTest,
    ::testing::Values(
        // name, buttons, icon, flags, answer; yes, no, ok, cancel shown; default button;
        // owned by the frame, blocks the frame, on top of all windows
        PromptCase{"OkOwnedByTheFocusWindow", kButtonsOk, kIconInformation, kPromptOwnedByFocus,
                   IDOK, false, false, true, false, IDOK, true, true, false},
        PromptCase{"OkCancelWithoutOwner", kButtonsOkCancel, kIconWarning, kPromptNoOwner, IDCANCEL,
                   false, false, true, true, IDOK, false, false, false},
        PromptCase{"YesNoWithNoAsDefault", kButtonsYesNo, kIconQuestion, kPromptDefaultSecond, IDNO,
                   true, true, false, false, IDNO, true, true, false},
        PromptCase{"YesNoCancelTaskModal", kButtonsYesNoCancel, kIconQuestion,
                   kPromptNoOwner | kPromptTaskModal, IDYES, true, true, false, true, IDYES, false,
                   true, false},
        PromptCase{"SystemModalStaysOnTop", kButtonsOk, kIconError, kPromptSystemModal, IDOK, false,
                   false, true, false, IDOK, true, true, true},
        PromptCase{"NoIcon", kButtonsOk, kIconNone, kPromptOwnedByFocus, IDOK, false, false, true,
                   false, IDOK, true, true, false}),
    [](const ::testing::TestParamInfo<PromptCase>& info) { return std::string(info.param.name); });

TEST_F(CoreSeamTest, RequestWithoutCaptionGetsTheSystemCaption) {
    Harness_Answer(nullptr, "No caption given", IDOK);
    PromptRequest request = {"No caption given", nullptr, kButtonsOk, kIconNone, kPromptNoOwner};
    Ui_Ask(request);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_FALSE(Harness_SeenBoxes()[0].caption.empty()) << "the box has no caption";
}

TEST_F(CoreSeamTest, BusySpellShowsTheWaitCursorAndRestoresTheCursor) {
    HCURSOR arrow = LoadCursor(NULL, IDC_ARROW);
    SetCursor(arrow);
    void* restore = Ui_BeginBusy("C:\\file.txt");
    EXPECT_EQ(LoadCursor(NULL, IDC_WAIT), GetCursor());
    Ui_EndBusy(restore);
    EXPECT_EQ(arrow, GetCursor());
}

TEST_F(CoreSeamTest, DismissingTheSplashDestroysIt) {
    Ui_DismissSplash(); // none shown: nothing happens
    EXPECT_TRUE(IsWindow(gFrame));

    gSplash = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "splash", WS_POPUP | WS_VISIBLE, 10, 10, 210,
                              230, gFrame, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(gSplash != NULL);
    HWND splash = gSplash;
    Ui_DismissSplash();
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_TRUE(gSplash == NULL);
}

// ---- The fatal exit ----------------------------------------------------------------------------

// The fatal exit ends the process, so the test runs it in a second copy of this program, told
// by the environment where to write what its box saw.
namespace {

constexpr char kFatalResultVariable[] = "ORV_FATAL_EXIT_RESULT";
constexpr char kFatalText[] = "Not enough free memory";
HWND gFrameBeforeExit = NULL;
char gFatalResultPath[MAX_PATH];

void RecordFatalBox(const SeenBox& box) {
    FILE* file = fopen(gFatalResultPath, "w");
    if (!file)
        return;
    fprintf(file, "text=%s\nframeOpen=%d\nmark=%d\n", box.text.c_str(),
            IsWindow(gFrameBeforeExit) ? 1 : 0, gMessageBoxUp ? 1 : 0);
    fclose(file);
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    FILE* file = fopen(path.c_str(), "r");
    if (!file)
        return text;
    char chunk[256];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    fclose(file);
    return text;
}

} // namespace

TEST_F(CoreSeamTest, FatalExitClosesTheFrameThenEndsWithTheText) {
    if (GetEnvironmentVariableA(kFatalResultVariable, gFatalResultPath, MAX_PATH)) {
        gFrameBeforeExit = gFrame;
        Harness_SetBoxWatcher(RecordFatalBox);
        Harness_Answer(nullptr, kFatalText, IDOK);
        Ui_FatalExit(kFatalText);
        FAIL() << "the fatal exit returned";
    }

    char folder[MAX_PATH] = "";
    char resultPath[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "orv", 0, resultPath);
    DeleteFileA(resultPath);
    std::string program = Harness_OutputPath("gui_tests.exe");
    std::string commandLine = "\"" + program + "\" --gtest_filter=" +
                              ::testing::UnitTest::GetInstance()->current_test_suite()->name() +
                              "." + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    SetEnvironmentVariableA(kFatalResultVariable, resultPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE,
                                  CREATE_NO_WINDOW, NULL, NULL, &startup, &process);
    SetEnvironmentVariableA(kFatalResultVariable, NULL);
    ASSERT_TRUE(started);
    DWORD exitCode = 0;
    int ended = Harness_WaitForProcess(process.hProcess, 20000, &exitCode);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(1, ended) << "the process did not end";

    std::string result = ReadWholeFile(resultPath);
    DeleteFileA(resultPath);
    EXPECT_EQ(std::string("text=") + kFatalText + "\nframeOpen=0\nmark=1\n", result)
        << "the frame closes before the box, and the box-up mark is set";
    EXPECT_NE(0u, exitCode);
}
