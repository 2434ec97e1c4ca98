/* orvctl: finds ORV's frame window from outside the process, so the build scripts can run ORV
   unattended and end it the way a user would.

     orvctl wait SECONDS    exit 0 once a visible frame exists, 1 if none appeared in time
     orvctl close SECONDS   ask the frame to close (WM_CLOSE), answer any box it raises on the
                            way out, and wait for the process to end: exit 0 when it ended,
                            1 when there was no frame, 2 when it was still running at the limit

   It is a separate Win32 program because only a process inside the same Wine session can see
   ORV's windows; X11 tools see just the virtual desktop. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char kFrameClass[] = "OrvMainClass";
static const char kDialogClass[] = "#32770";
static const DWORD kPollMs = 100;

static HWND FindFrame(void)
{
    HWND frame = FindWindowA(kFrameClass, NULL);
    return (frame && IsWindowVisible(frame)) ? frame : NULL;
}

typedef struct BoxSearch {
    DWORD pid;
    HWND box;
} BoxSearch;

static BOOL CALLBACK FindBoxProc(HWND hwnd, LPARAM lp)
{
    BoxSearch *search = (BoxSearch *)lp;
    DWORD pid = 0;
    char cls[32];

    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd))
        return TRUE;
    if (!GetClassNameA(hwnd, cls, sizeof cls) || strcmp(cls, kDialogClass) != 0)
        return TRUE;
    search->box = hwnd;
    return FALSE;
}

/* A question on the way out ("Save new settings?", an editor's unsaved file) must not keep an
   unattended run from ending. No is preferred, so nothing is written; then Cancel, so no
   half-finished dialog is confirmed; then OK, for a plain message. */
static void AnswerBoxes(DWORD pid)
{
    static const int kAnswers[] = { IDNO, IDCANCEL, IDOK };
    BoxSearch search = { pid, NULL };
    char text[256] = "";
    size_t i;

    EnumWindows(FindBoxProc, (LPARAM)&search);
    if (!search.box)
        return;
    GetWindowTextA(search.box, text, sizeof text);
    for (i = 0; i < sizeof kAnswers / sizeof kAnswers[0]; i++) {
        HWND button = GetDlgItem(search.box, kAnswers[i]);
        if (button && IsWindowEnabled(button)) {
            printf("orvctl: answering box \"%s\" with button %d\n", text, kAnswers[i]);
            fflush(stdout);
            PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(kAnswers[i], BN_CLICKED),
                         (LPARAM)button);
            return;
        }
    }
}

static int WaitForFrame(DWORD limitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (FindFrame())
            return 0;
        if (GetTickCount() - start >= limitMs)
            return 1;
        Sleep(kPollMs);
    }
}

/* Without a handle to the process (it may refuse one), the frame's end stands for it. */
static int HasEnded(HANDLE process, HWND frame)
{
    if (process)
        return WaitForSingleObject(process, kPollMs) == WAIT_OBJECT_0;
    Sleep(kPollMs);
    return !IsWindow(frame);
}

static int CloseFrame(DWORD limitMs)
{
    DWORD start = GetTickCount();
    DWORD pid = 0, code = 0, lastAnswer = start;
    HANDLE process = NULL;
    HWND frame = FindFrame();
    int result = 2;

    if (!frame) {
        fprintf(stderr, "orvctl: no %s window\n", kFrameClass);
        return 1;
    }
    GetWindowThreadProcessId(frame, &pid);
    process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    PostMessageA(frame, WM_CLOSE, 0, 0);

    while (GetTickCount() - start < limitMs) {
        if (HasEnded(process, frame)) {
            result = 0;
            break;
        }
        /* Give the program a moment to close on its own before answering for the user. */
        if (GetTickCount() - lastAnswer >= 500) {
            AnswerBoxes(pid);
            lastAnswer = GetTickCount();
        }
    }
    if (result == 0 && process && GetExitCodeProcess(process, &code))
        printf("orvctl: ORV ended with exit code %lu\n", (unsigned long)code);
    else if (result != 0)
        fprintf(stderr, "orvctl: ORV still running after %lu ms\n", (unsigned long)limitMs);
    if (process)
        CloseHandle(process);
    return result;
}

int main(int argc, char **argv)
{
    DWORD limitMs;

    if (argc != 3 || atoi(argv[2]) <= 0) {
        fprintf(stderr, "usage: orvctl wait|close SECONDS\n");
        return 64;
    }
    limitMs = (DWORD)atoi(argv[2]) * 1000;
    if (strcmp(argv[1], "wait") == 0)
        return WaitForFrame(limitMs);
    if (strcmp(argv[1], "close") == 0)
        return CloseFrame(limitMs);
    fprintf(stderr, "orvctl: unknown command %s\n", argv[1]);
    return 64;
}
