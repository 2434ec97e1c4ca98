// Drives ORV's real windows from inside the test process: answers message boxes from a script
// and records what each box showed, pumps messages, and saves pictures of windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One message box as the user saw it, and what the harness did with it.
struct SeenBox {
    std::string caption;
    std::string text; // line ends as "\n", whatever the platform's static control holds
    bool hasOk;
    bool hasCancel;
    bool hasYes;
    bool hasNo;
    bool hasIcon;
    int defaultButton;       // the button Enter would press
    HWND owner;              // null for a box with no owner
    bool blocksOtherWindows; // every other shown window of the thread was disabled under it
    bool isTopmost;
    int pressed;   // the button the harness clicked
    bool expected; // it matched the next scripted answer
};

// Installs the box watcher on this thread and forgets earlier scripts and records.
void Harness_Start();
void Harness_Stop();

// The next box must show this caption (null: any) and text; it is answered by clicking button
// (IDYES ...).
// A box that does not match, or comes with no answer left, is recorded as unexpected and
// answered with Cancel, else No, else OK, so that a test fails rather than hangs.
void Harness_Answer(const char* caption, const char* text, int button);
const std::vector<SeenBox>& Harness_SeenBoxes();
// Called with each box as it is read, before it is answered: for boxes after which the process
// ends, whose record would otherwise be lost. Null for none.
void Harness_SetBoxWatcher(void (*watcher)(const SeenBox& box));
int Harness_AnswersLeft();

// Handles the thread's messages for the given time.
void Harness_PumpMessages(DWORD milliseconds);
// Handles messages until done() is true or the time is up; returns done().
bool Harness_PumpUntil(bool (*done)(), DWORD milliseconds);
// Handles messages until the process ends or the time is up; 1 and its exit code, or 0.
int Harness_WaitForProcess(HANDLE process, DWORD milliseconds, DWORD* exitCode);

// Saves what the window shows on the screen, frame and caption included, as a 24-bit BMP.
// 1, or 0 when the picture could not be taken or written.
int Harness_SaveWindowBitmap(HWND window, const char* path);
// A path beside the test program, for pictures and other files kept for review.
std::string Harness_OutputPath(const char* name);
