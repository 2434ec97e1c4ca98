#include "gui/harness.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <iterator>
#include <deque>
#include <fstream>

#include "shell/settings.h"

namespace {

struct ScriptedAnswer {
    std::string caption; // "" for any
    std::string text;
    bool anyText; // a system dialog, whose wording is the system's
    int button;
};

constexpr char kAnsweredProp[] = "OrvHarnessAnswered"; // activation can come twice for one box
std::string gLeftAlone; // the caption of a modeless box the test works itself
constexpr int kTextId = 0xFFFF; // the statics that hold a message box's text and icon
constexpr int kIconId = 1088;
constexpr UINT kReadBoxMessage = WM_APP + 1;

HANDLE gWatchdog = NULL;
HHOOK gCbtHook = NULL;
HWND gMailbox = NULL; // a message-only window for the posted "read this box" and the sweep
void (*gWatcher)(const SeenBox& box) = nullptr;
std::deque<ScriptedAnswer> gScript;
std::vector<SeenBox> gSeen;

// Line ends as "\n", whatever the platform's static control holds.
std::string TextOf(HWND window) {
    if (!window) // a dialog of the program's own has no message text; Wine leaves junk then
        return "";
    std::string text(4096, 0);
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// A box may keep the buttons and icon it does not use, hidden.
HWND ShownChild(HWND box, int id) {
    HWND child = GetDlgItem(box, id);
    return child && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) ? child : NULL;
}

// Records what the box shows and clicks the scripted button.
void AnswerBox(HWND box) {
    SeenBox seen = {};
    seen.caption = TextOf(box);
    seen.text = TextOf(GetDlgItem(box, kTextId));
    const int kIds[] = {IDYES, IDNO, IDOK, IDCANCEL};
    const char* const kNames[] = {"Yes", "No", "OK", "Cancel"};
    for (int i = 0; i < 4; i++) {
        HWND shown = ShownChild(box, kIds[i]);
        if (!shown)
            continue;
        seen.buttons += (seen.buttons.empty() ? "" : " ") + std::string(kNames[i]);
        if ((GetWindowLongA(shown, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            seen.defaultButton = kIds[i];
    }
    if (ShownChild(box, kIconId))
        seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, kIconId, STM_GETICON, 0, 0));
    seen.owner = GetWindow(box, GW_OWNER);
    seen.frameDisabled = gFrame && !IsWindowEnabled(gFrame);
    seen.isTopmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    int pressed = ShownChild(box, IDCANCEL) ? IDCANCEL : ShownChild(box, IDNO) ? IDNO : IDOK;
    if (!gScript.empty()) {
        const ScriptedAnswer& next = gScript.front();
        seen.expected = (next.caption.empty() || next.caption == seen.caption) &&
                        (next.anyText || next.text == seen.text) && ShownChild(box, next.button);
        if (seen.expected)
            pressed = next.button;
        gScript.pop_front();
    }
    gSeen.push_back(seen);
    if (gWatcher)
        gWatcher(seen);
    // Posted, so the box's own loop takes the click once it is running.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(pressed, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, pressed)));
}

// The tests run in one thread that owns every window, which a box nobody answers would block for
// good: the watchdog ends the run instead, after the "[ RUN ]" line that names the test.
void CALLBACK StopTheRun(void*, BOOLEAN) {
    fprintf(stderr, "\nThe test ran longer than 30 s (a box left unanswered?): stopped.\n");
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

// Claims a message box for answering; false for other windows and boxes claimed already.
bool ClaimBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || GetPropA(window, kAnsweredProp))
        return false;
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (!gLeftAlone.empty() && gLeftAlone == caption)
        return false;
    return SetPropA(window, kAnsweredProp, reinterpret_cast<HANDLE>(1)) != 0;
}

BOOL CALLBACK AnswerUnclaimedBox(HWND window, LPARAM) {
    if (IsWindowVisible(window) && ClaimBox(window))
        AnswerBox(window);
    return TRUE;
}

LRESULT CALLBACK MailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    if (message == WM_TIMER) // Wine does not always activate a box that has no owner: look for it
        EnumThreadWindows(GetCurrentThreadId(), AnswerUnclaimedBox, 0);
    else if (message == kReadBoxMessage && IsWindow(box))
        AnswerBox(box);
    return DefWindowProcA(window, message, wParam, lParam);
}

// Wine activates a message box while it is still filling it in (the text is not there yet), so
// the box is read later, from the box's own message loop, through a posted message.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && ClaimBox(reinterpret_cast<HWND>(wParam)))
        PostMessageA(gMailbox, kReadBoxMessage, wParam, 0);
    return CallNextHookEx(gCbtHook, code, wParam, lParam);
}

} // namespace

void Harness_Start() {
    Harness_Stop();
    CreateTimerQueueTimer(&gWatchdog, NULL, StopTheRun, NULL, 30000, 0, WT_EXECUTEONLYONCE);
    WNDCLASSA mailboxClass = {};
    mailboxClass.lpfnWndProc = MailboxProc;
    mailboxClass.hInstance = GetModuleHandleA(NULL);
    mailboxClass.lpszClassName = "OrvHarnessMailbox";
    RegisterClassA(&mailboxClass); // fails harmlessly once registered
    gMailbox = CreateWindowExA(0, mailboxClass.lpszClassName, NULL, 0, 0, 0, 0, 0, HWND_MESSAGE,
                               NULL, mailboxClass.hInstance, NULL);
    gCbtHook = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
    SetTimer(gMailbox, 1, 300, NULL); // the sweep
}

void Harness_Stop() {
    if (gWatchdog)
        DeleteTimerQueueTimer(NULL, gWatchdog, NULL);
    UnhookWindowsHookEx(gCbtHook);
    DestroyWindow(gMailbox);
    gWatchdog = NULL;
    gCbtHook = NULL;
    gMailbox = NULL;
    gScript.clear();
    gSeen.clear();
    gWatcher = nullptr;
    gLeftAlone.clear();
}

void Harness_Answer(const char* caption, const char* text, int button) {
    gScript.push_back({caption ? caption : "", text ? text : "", text == nullptr, button});
}

const std::vector<SeenBox>& Harness_SeenBoxes() {
    return gSeen;
}

int Harness_AnswersLeft() {
    return static_cast<int>(gScript.size());
}

void Harness_AllowSeconds(int seconds) {
    if (gWatchdog)
        DeleteTimerQueueTimer(NULL, gWatchdog, NULL);
    CreateTimerQueueTimer(&gWatchdog, NULL, StopTheRun, NULL, (DWORD)seconds * 1000, 0,
                          WT_EXECUTEONLYONCE);
}

void Harness_LeaveBoxAlone(const char* caption) {
    gLeftAlone = caption ? caption : "";
}

void Harness_SetBoxWatcher(void (*watcher)(const SeenBox& box)) {
    gWatcher = watcher;
}

double Harness_NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void Harness_PumpMessages(DWORD milliseconds) {
    for (DWORD start = GetTickCount();;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

int Harness_RunProcess(std::string commandLine, DWORD* exitCode) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Under a loaded Wine a start can fail at once while an earlier instance is still going
    // away; it is tried again before the test is failed, and the error is told.
    for (int tries = 1;; tries++) {
        if (CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL,
                           NULL, &startup, &process))
            break;
        fprintf(stderr, "start %d of %s failed, error %lu\n", tries, commandLine.c_str(),
                GetLastError());
        if (tries == 3)
            return 0;
        Harness_PumpMessages(500);
    }
    int ended = 0;
    for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < 20000;) {
        if (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) ==
            WAIT_OBJECT_0)
            ended = GetExitCodeProcess(process.hProcess, exitCode) ? 1 : 0;
        Harness_PumpMessages(0); // the program may be waiting on this thread's windows
    }
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

int Harness_SaveWindowBitmap(HWND window, const char* path) {
    RECT rect;
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top)
        return 0;
    BITMAPINFOHEADER info = {
        sizeof info, rect.right - rect.left, rect.bottom - rect.top, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int height = info.biHeight;
    std::vector<char> bits(static_cast<size_t>((info.biWidth * 3 + 3) / 4 * 4) * height);
    HDC windowDc = GetWindowDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, info.biWidth, height);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    bool ok = BitBlt(memoryDc, 0, 0, info.biWidth, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, previous);
    ok = ok && GetDIBits(memoryDc, bitmap, 0, height, bits.data(),
                         reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    if (!ok)
        return 0;
    info.biSizeImage = static_cast<DWORD>(bits.size());
    BITMAPFILEHEADER header = {0x4D42, 0, 0, 0, sizeof header + sizeof info}; // "BM"
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(&info), sizeof info).write(bits.data(), bits.size());
    file.close();
    return file ? 1 : 0;
}

std::string Harness_OutputPath(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return std::string(path, strrchr(path, '\\') + 1) + name;
}

HWND Harness_NewChild(const char* className, const char* title) {
    MDICREATESTRUCTA create = {};
    create.szClass = className;
    create.szTitle = title ? title : className;
    create.hOwner = GetModuleHandleA(NULL);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    return reinterpret_cast<HWND>(
        SendMessageA(gMdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void Harness_PressKeys(std::initializer_list<BYTE> keys) {
    SetForegroundWindow(gFrame);
    Harness_PumpMessages(50);
    for (BYTE key : keys)
        keybd_event(key, 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
}

namespace {

void CALLBACK QuitProgramLoop(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(-1);
}

} // namespace

int Harness_RunProgramLoop(DWORD milliseconds) {
    UINT_PTR timer = SetTimer(NULL, 0, milliseconds, QuitProgramLoop);
    int code = Orv_RunMessageLoop();
    KillTimer(NULL, timer);
    return code;
}

// ---- Reaching a dialog while it is up ---------------------------------------------------------

namespace {

std::function<void()> gLater;

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    char className[16] = "", caption[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(className, "#32770") == 0 && lstrcmpA(caption, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(NULL, id);
    std::function<void()> run = gLater;
    gLater = nullptr;
    if (run)
        run();
}

} // namespace

std::map<std::string, std::function<void(HWND)>> gOnDialog;

HWND ShownDialog(const char* caption) {
    Search search = {caption, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Harness_SaveAsDialog() {
    struct Finder {
        static BOOL CALLBACK Visit(HWND window, LPARAM found) {
            if (IsWindowVisible(window) && GetDlgItem(window, kSaveAsNameBox)) {
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            }
            return TRUE;
        }
    };
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), Finder::Visit, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

void WatchDialogs(const SeenBox& box) {
    auto it = gOnDialog.find(box.caption);
    if (it != gOnDialog.end())
        it->second(ShownDialog(box.caption.c_str()));
}

void Later(std::function<void()> run) {
    gLater = run;
    SetTimer(NULL, 0, 60, RunLater);
}

void ClearLater() {
    gLater = nullptr;
}

bool Harness_ItemShown(HWND dialog, int id) {
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Harness_ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

bool Harness_ItemChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Harness_ClickItem(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void Harness_PressItem(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string Harness_WriteFile(const std::string& path, const std::string& text) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD wrote = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &wrote, NULL);
    CloseHandle(file);
    return path;
}

std::string Harness_ReadFile(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "<absent>";
    std::string text;
    char bytes[65536];
    DWORD read = 0;
    while (ReadFile(file, bytes, sizeof bytes, &read, NULL) && read)
        text.append(bytes, read);
    CloseHandle(file);
    return text;
}

std::vector<std::string> Harness_FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE scan = FindFirstFileA((folder + "*").c_str(), &found);
    for (BOOL more = scan != INVALID_HANDLE_VALUE; more; more = FindNextFileA(scan, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    }
    if (scan != INVALID_HANDLE_VALUE)
        FindClose(scan);
    return names;
}

std::string Harness_ScratchFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

std::string Harness_MenuText(UINT id) {
    char text[80] = "";
    GetMenuStringA(GetMenu(gFrame), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

std::string Harness_IniValue(const char* section, const char* key) {
    char text[300];
    Plat_GetProfileString(section, key, "<absent>", text, sizeof text);
    return text;
}

std::string Harness_Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; i++)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

void Harness_CascadeNewWindows() {
    gSettings.autoOpen = 0;
    gSettings.closePrevious = gSettings.minimisePrevious = 0;
    gSettings.tileNew = gSettings.maximiseNew = 0;
    gSettings.cascadeNew = 1;
}

void Harness_RemoveFolder(const std::string& folder) {
    if (folder.empty()) // "" would be the current directory: the source tree the tests run in
        return;
    for (const std::string& name : Harness_FileNames(folder)) {
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}
