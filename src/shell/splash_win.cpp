#include "shell/splash_win.h"

#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

namespace {

const char kProductLine[] = "ORV File Utility";
const char* const kCreditLines[] = {
    "Views files of any size,",
    "finds in them, lists and",
    "edits them, and prints.",
};
const char kInitializing[] = "Initializing...";
constexpr int kCreditLineCount = sizeof kCreditLines / sizeof kCreditLines[0];
constexpr int kBaseWidth = 210;
constexpr int kBaseHeight = 230;
bool gSplashTimerRunning = false;

// The version line (string 32) then the credit lines, in the splash's order.
int SplashLines(const char** lines, char* version, int versionSize) {
    int n = 0;
    lines[n++] = kProductLine;
    if (LoadStringA(gInstance, IDS_VERSION, version, versionSize) > 0)
        lines[n++] = version;
    for (const char* line : kCreditLines)
        lines[n++] = line;
    return n;
}

void MeasureText(HDC dc, int* widest, int* lineHeight) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    *lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const char* lines[kCreditLineCount + 2];
    char version[32];
    int n = SplashLines(lines, version, sizeof version);
    *widest = 0;
    for (int i = 0; i < n; i++) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, lines[i], lstrlenA(lines[i]), &size);
        if (size.cx > *widest)
            *widest = size.cx;
    }
}

void CentreText(HDC dc, int width, int y, const char* text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    TextOutA(dc, (width - size.cx) / 2, y, text, lstrlenA(text));
}

void Paint(HWND splash) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(splash, &paint);
    RECT client;
    GetClientRect(splash, &client);
    const int width = client.right;
    SetBkColor(dc, RGB(192, 192, 192));
    int widest = 0, line = 0;
    MeasureText(dc, &widest, &line);
    HICON icon = LoadIconA(gInstance, "APgmIcon");
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    if (icon)
        DrawIcon(dc, width / 2 - iconWidth / 2, line, icon);

    // A raised border two pixels inside the edges.
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    HGDIOBJ old = SelectObject(dc, white);
    MoveToEx(dc, 2, client.bottom - 3, NULL);
    LineTo(dc, 2, 2);
    LineTo(dc, client.right - 3, 2);
    SelectObject(dc, black);
    LineTo(dc, client.right - 3, client.bottom - 3);
    LineTo(dc, 2, client.bottom - 3);
    SelectObject(dc, old);

    const char* lines[kCreditLineCount + 2];
    char version[32];
    int n = SplashLines(lines, version, sizeof version);
    int y = iconHeight + 2 * line;
    for (int i = 0; i < n; i++, y += line)
        CentreText(dc, width, y, lines[i]);
    CentreText(dc, width, client.bottom - line - 4, kInitializing);
    EndPaint(splash, &paint);
}

} // namespace

LRESULT CALLBACK ORVSplashWndProc(HWND splash, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint(splash);
        return 0;
    }
    return DefWindowProcA(splash, message, wParam, lParam);
}

RECT Splash_Placement(const RECT& frame, int widestLine, int lineHeight, int iconHeight) {
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    int x = frameWidth > 220 ? frame.left + frameWidth / 2 - kBaseWidth / 2
            : frame.right <= 220 ? 200
                                 : frame.left + 5;
    int y = frameHeight > 240 ? frame.top + frameHeight / 2 - kBaseHeight / 2
            : frame.bottom > 240 ? frame.top + 5
                                 : 50;
    int width = kBaseWidth;
    int height = kBaseHeight;
    if (widestLine > 190) {
        width = widestLine + 20;
        x -= (widestLine - 190) / 2;
    }
    const int tall = iconHeight + 10 * lineHeight;
    if (tall > kBaseHeight) {
        height = tall;
        y -= (tall - kBaseHeight) / 2;
    }
    return {x, y, x + width, y + height};
}

void Splash_Show(HINSTANCE instance, HWND frame) {
    RECT frameRect;
    GetWindowRect(frame, &frameRect);
    HDC screen = GetDC(NULL);
    int widest = 0, line = 0;
    MeasureText(screen, &widest, &line);
    ReleaseDC(NULL, screen);
    RECT at = Splash_Placement(frameRect, widest, line, GetSystemMetrics(SM_CYICON));
    gSplash = CreateWindowExA(WS_EX_TOPMOST, kSplashClassName, NULL, WS_POPUP, at.left, at.top,
                              at.right - at.left, at.bottom - at.top, frame, NULL, instance, NULL);
    if (!gSplash)
        return;
    ShowWindow(gSplash, SW_SHOWNOACTIVATE);
    UpdateWindow(gSplash);
    if (!gSettings.autoOpen)
        gSplashTimerRunning = SetTimer(frame, kSplashTimer, kSplashTimeoutMs, NULL) != 0;
}

void Splash_StartTimer(HWND frame) {
    if (gSplash && !gSplashTimerRunning)
        gSplashTimerRunning = SetTimer(frame, kSplashTimer, kSplashTimeoutMs, NULL) != 0;
}

void Splash_Dismiss(HWND frame) {
    if (gSplash) {
        DestroyWindow(gSplash);
        gSplash = NULL;
    }
    if (gSplashTimerRunning) {
        KillTimer(frame, kSplashTimer);
        gSplashTimerRunning = false;
    }
}
