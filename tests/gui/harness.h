// Drives ORV's real windows from inside the test process: answers message boxes from a script
// and records what each box showed, pumps messages, runs programs and saves pictures of windows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include <functional>

#include <initializer_list>
#include <string>
#include <vector>

#include "shell/frame_win.h"
#include "platform/platform.h"
#include "shell/startup_win.h"

// One message box as the user saw it.
struct SeenBox {
    std::string caption;
    std::string text;    // line ends as "\n"
    std::string buttons; // the shown ones, as "Yes No Cancel" or "OK Cancel"
    HICON icon;          // null for none
    int defaultButton;   // the button Enter would press
    HWND owner;
    bool frameDisabled; // the user could not reach the frame while the box was up
    bool isTopmost;
    bool expected; // it matched the next scripted answer
};

// Installs the box watcher on this thread and a watchdog that ends the run after 30 s, and
// forgets earlier scripts and records.
void Harness_Start();
void Harness_Stop();
// The next box must show this caption (null: any) and text (null: any, for the system's own
// dialogs, whose wording is the system's); it is answered by clicking button.
// A box that does not match, or comes with no answer left, is recorded as unexpected and
// answered with Cancel, else No, else OK, so that a test fails rather than hangs.
void Harness_Answer(const char* caption, const char* text, int button);
const std::vector<SeenBox>& Harness_SeenBoxes();
int Harness_AnswersLeft();
// Called with each box as it is read, before it is answered: for boxes after which the process
// ends, whose record would otherwise be lost. Null for none.
void Harness_SetBoxWatcher(void (*watcher)(const SeenBox& box));
// Boxes of this caption are neither answered nor recorded: a modeless one, such as the progress
// box of a print job, that the test works itself (null: none).
void Harness_LeaveBoxAlone(const char* caption);
// Gives the running test this long, from now, before the watchdog ends the run (a test that
// waits for a spooler, say).
void Harness_AllowSeconds(int seconds);

// ---- Reaching a dialog while it is up ---------------------------------------------------------
// What a test does with a dialog of a caption when it comes up: set gOnDialog[caption] and
// Harness_SetBoxWatcher(WatchDialogs); clear both after the test.
extern std::map<std::string, std::function<void(HWND)>> gOnDialog;
void WatchDialogs(const SeenBox& box);
// The dialog of this caption (exactly: "FIND" is not "Find"), shown or about to be: a modal
// dialog comes on the screen once its loop has nothing else to do. Null when none is.
HWND ShownDialog(const char* caption);
// The system's Save As dialog that is up (found by its name box, whatever its caption), and the
// id of that name box (cmb13). Null when none is.
constexpr int kSaveAsNameBox = 0x47c;
HWND Harness_SaveAsDialog();
// A dialog's controls as a user sees and works them: shown, enabled, checked; clicked now
// (BM_CLICK), or pressed by a command posted for the dialog's loop.
bool Harness_ItemShown(HWND dialog, int id);
bool Harness_ItemEnabled(HWND dialog, int id);
bool Harness_ItemChecked(HWND dialog, int id);
void Harness_ClickItem(HWND dialog, int id);
void Harness_PressItem(HWND dialog, int id);
// Runs once the dialog loop that is up has handled what is queued now; ClearLater drops it.
void Later(std::function<void()> run);
void ClearLater();

// Handles the thread's messages for the given time.
void Harness_PumpMessages(DWORD milliseconds);
// A steady clock in milliseconds, for the benches' reported times.
double Harness_NowMs();
// Runs a command line to its end, handling this thread's messages meanwhile (the program may be
// waiting for them): 1 and its exit code, or 0 when it did not start or end within 20 s.
int Harness_RunProcess(std::string commandLine, DWORD* exitCode);
// Saves what the window shows on the screen, frame and caption included, as a 24-bit BMP. 1 or 0.
int Harness_SaveWindowBitmap(HWND window, const char* path);
// An MDI child of one of ORV's classes in the frame's client, titled (with the class name when
// title is null), made as the frame makes its children.
HWND Harness_NewChild(const char* className, const char* title = nullptr);
// Gives the frame the keyboard, then presses the keys in order and lets them go in reverse, as
// the user's fingers would. The focus stays where it is inside the frame.
void Harness_PressKeys(std::initializer_list<BYTE> keys);
// Runs the program's own message loop (its accelerators too) until the frame closes or the time
// is up (-1). Timer messages come after input, so queued keys are seen.
int Harness_RunProgramLoop(DWORD milliseconds);
// A path beside the test program.
std::string Harness_OutputPath(const char* name);

// Scratch files of the tests that read and write real ones. Writing clears the read-only mark
// first; reading a missing file gives "<absent>"; the names are the folder's files (folder
// ends in a separator); emptying removes its files, marks and all, and then the folder.
std::string Harness_WriteFile(const std::string& path, const std::string& text);
// A folder of that name in the temporary directory, made if need be; ends in a separator.
std::string Harness_ScratchFolder(const char* name);
// The frame's settings for tests that open windows: no start-up window, nothing closed or
// minimised before an open, new windows cascaded.
void Harness_CascadeNewWindows();
// The text of a frame menu item, and what ORV32.INI holds for a key ("<absent>" when nothing).
std::string Harness_MenuText(UINT id);
std::string Harness_IniValue(const char* section, const char* key);
// "line 1\r\n" to "line count\r\n".
std::string Harness_Lines(int count);
std::string Harness_ReadFile(const std::string& path);
std::vector<std::string> Harness_FileNames(const std::string& folder);
void Harness_RemoveFolder(const std::string& folder);

// Names the cases of a parameterised suite by their parameter's name.
struct ByName {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return info.param.name;
    }
};

// Each test starts ORV's frame through the program's own start-up and ends it again, with the
// box watcher on: every box a test raises must be one it scripted an answer for. ORV32.INI
// starts empty, so no test inherits a frame placement or option another one saved.
class OrvFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Harness_Start();
        // Without "AutoOpen" no directory window opens at start-up, so each test begins with an
        // empty frame; the file is emptied again for the test.
        Plat_ResetProfileForTests();
        Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
        ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
        Plat_ResetProfileForTests();
        ASSERT_TRUE(gFrame && gMdiClient);
    }
    void TearDown() override {
        Orv_Shutdown();
        for (const SeenBox& box : Harness_SeenBoxes())
            EXPECT_TRUE(box.expected) << "unexpected box \"" << box.caption << "\": " << box.text;
        EXPECT_EQ(0, Harness_AnswersLeft()) << "a scripted box never came";
        Harness_Stop();
    }
};
