#include "gui/harness.h"

#include <stdio.h>
#include <string.h>

#include <deque>

namespace {

struct ScriptedAnswer {
    bool anyCaption;
    std::string caption;
    std::string text;
    int button;
};

// Marks a box already answered: activation can come twice for one box.
constexpr char kAnsweredProp[] = "OrvHarnessAnswered";
constexpr int kTextChildId = 0xFFFF; // the static that holds a message box's text
constexpr int kIconChildId = 1088;

constexpr UINT kReadBoxMessage = WM_APP + 1;
constexpr UINT_PTR kSweepTimer = 1;
constexpr UINT kSweepMs = 300;
constexpr char kMailboxClass[] = "OrvHarnessMailbox";

HHOOK gCbtHook = NULL;
HWND gMailbox = NULL; // a message-only window that takes the posted "read this box"
void (*gWatcher)(const SeenBox& box) = nullptr;
std::deque<ScriptedAnswer> gScript;
std::vector<SeenBox> gSeen;

std::string WindowText(HWND window) {
    char text[4096] = "";
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WithNewlines(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

// A box may keep the buttons and icon it does not use, hidden.
bool HasShownChild(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
}

bool IsDefaultButton(HWND button) {
    return button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

struct BlockCheck {
    HWND box;
    int shown;
    int enabled;
};

BOOL CALLBACK CountEnabledWindow(HWND window, LPARAM data) {
    BlockCheck* check = reinterpret_cast<BlockCheck*>(data);
    if (window != check->box && IsWindowVisible(window)) {
        check->shown++;
        if (IsWindowEnabled(window))
            check->enabled++;
    }
    return TRUE;
}

// While a modal box is up, the user cannot reach the windows it blocks.
bool BlocksOtherWindows(HWND box) {
    BlockCheck check = {box, 0, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountEnabledWindow, reinterpret_cast<LPARAM>(&check));
    return check.shown > 0 && check.enabled == 0;
}

SeenBox ReadBox(HWND box) {
    SeenBox seen = {};
    seen.caption = WindowText(box);
    seen.text = WithNewlines(WindowText(GetDlgItem(box, kTextChildId)));
    seen.hasOk = HasShownChild(box, IDOK);
    seen.hasCancel = HasShownChild(box, IDCANCEL);
    seen.hasYes = HasShownChild(box, IDYES);
    seen.hasNo = HasShownChild(box, IDNO);
    seen.hasIcon = HasShownChild(box, kIconChildId) &&
                   SendDlgItemMessageA(box, kIconChildId, STM_GETICON, 0, 0) != 0;
    const int buttons[] = {IDOK, IDCANCEL, IDYES, IDNO};
    for (int id : buttons) {
        if (HasShownChild(box, id) && IsDefaultButton(GetDlgItem(box, id)))
            seen.defaultButton = id;
    }
    seen.owner = GetWindow(box, GW_OWNER);
    seen.blocksOtherWindows = BlocksOtherWindows(box);
    seen.isTopmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return seen;
}

int SafeButton(const SeenBox& seen) {
    if (seen.hasCancel)
        return IDCANCEL;
    if (seen.hasNo)
        return IDNO;
    return IDOK;
}

void AnswerBox(HWND box) {
    SeenBox seen = ReadBox(box);
    seen.pressed = SafeButton(seen);
    if (!gScript.empty()) {
        const ScriptedAnswer& next = gScript.front();
        seen.expected = (next.anyCaption || next.caption == seen.caption) &&
                        next.text == seen.text && HasShownChild(box, next.button);
        if (seen.expected)
            seen.pressed = next.button;
        gScript.pop_front();
    }
    gSeen.push_back(seen);
    if (gWatcher)
        gWatcher(seen);
    // Posted, so the box's own loop takes the click once it is running.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(seen.pressed, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, seen.pressed)));
}

bool IsDialogBox(HWND window) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

// Claims a box for answering; false when it was claimed already.
bool ClaimBox(HWND box) {
    if (GetPropA(box, kAnsweredProp))
        return false;
    SetPropA(box, kAnsweredProp, reinterpret_cast<HANDLE>(1));
    return true;
}

BOOL CALLBACK AnswerUnclaimedBox(HWND window, LPARAM) {
    if (IsWindowVisible(window) && IsDialogBox(window) && ClaimBox(window))
        AnswerBox(window);
    return TRUE;
}

LRESULT CALLBACK MailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kSweepTimer) {
        // Wine does not always activate a box that has no owner: find it by looking.
        EnumThreadWindows(GetCurrentThreadId(), AnswerUnclaimedBox, 0);
        return 0;
    }
    if (message == kReadBoxMessage) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (IsWindow(box))
            AnswerBox(box);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Wine activates a message box while it is still filling it in (the text is not there yet), so
// the box is read later, from the box's own message loop, through a posted message.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsDialogBox(window) && ClaimBox(window))
            PostMessageA(gMailbox, kReadBoxMessage, reinterpret_cast<WPARAM>(window), 0);
    }
    return CallNextHookEx(gCbtHook, code, wParam, lParam);
}

void PumpOnce() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

void Harness_Start() {
    Harness_Stop();
    WNDCLASSA mailboxClass = {};
    mailboxClass.lpfnWndProc = MailboxProc;
    mailboxClass.hInstance = GetModuleHandleA(NULL);
    mailboxClass.lpszClassName = kMailboxClass;
    RegisterClassA(&mailboxClass); // fails harmlessly once registered
    gMailbox = CreateWindowExA(0, kMailboxClass, NULL, 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                               GetModuleHandleA(NULL), NULL);
    gCbtHook = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
    SetTimer(gMailbox, kSweepTimer, kSweepMs, NULL);
}

void Harness_Stop() {
    if (gCbtHook)
        UnhookWindowsHookEx(gCbtHook);
    gCbtHook = NULL;
    if (gMailbox)
        DestroyWindow(gMailbox);
    gMailbox = NULL;
    gScript.clear();
    gSeen.clear();
    gWatcher = nullptr;
}

void Harness_Answer(const char* caption, const char* text, int button) {
    gScript.push_back({caption == nullptr, caption ? caption : "", text, button});
}

const std::vector<SeenBox>& Harness_SeenBoxes() {
    return gSeen;
}

void Harness_SetBoxWatcher(void (*watcher)(const SeenBox& box)) {
    gWatcher = watcher;
}

int Harness_AnswersLeft() {
    return static_cast<int>(gScript.size());
}

void Harness_PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        PumpOnce();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
    PumpOnce();
}

bool Harness_PumpUntil(bool (*done)(), DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        PumpOnce();
        if (!done())
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

int Harness_WaitForProcess(HANDLE process, DWORD milliseconds, DWORD* exitCode) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return 0;
        DWORD woke =
            MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return GetExitCodeProcess(process, exitCode) ? 1 : 0;
        PumpOnce(); // the other process may be waiting for this thread to take a message
    }
}

int Harness_SaveWindowBitmap(HWND window, const char* path) {
    int ok = 0;
    HDC windowDc = NULL;
    HDC memoryDc = NULL;
    HBITMAP bitmap = NULL;
    HGDIOBJ previous = NULL;
    void* bits = NULL;
    FILE* file = NULL;
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return 0;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int stride = ((width * 3 + 3) / 4) * 4;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;

    windowDc = GetWindowDC(window);
    if (!windowDc || width <= 0 || height <= 0)
        goto done;
    memoryDc = CreateCompatibleDC(windowDc);
    bitmap = CreateDIBSection(windowDc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                              NULL, 0);
    if (!memoryDc || !bitmap)
        goto done;
    previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    file = fopen(path, "wb");
    if (!file)
        goto done;
    ok = fwrite(&header, sizeof header, 1, file) == 1 && fwrite(&info, sizeof info, 1, file) == 1 &&
         fwrite(bits, info.biSizeImage, 1, file) == 1;
    ok = (fclose(file) == 0) && ok;
done:
    if (previous)
        SelectObject(memoryDc, previous);
    if (bitmap)
        DeleteObject(bitmap);
    if (memoryDc)
        DeleteDC(memoryDc);
    if (windowDc)
        ReleaseDC(window, windowDc);
    return ok;
}

std::string Harness_OutputPath(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = 0;
    return std::string(path) + name;
}
