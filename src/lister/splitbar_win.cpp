// The splitter (OrvSplitClass) between a directory window's tree and its file list: dragged
// with the mouse or the arrow keys, it sets the window's split position.
#include "lister/dirstate_win.h"

namespace {

constexpr int kArrowStep = 4;

// The inverted bar that follows the drag, drawn twice to take it away.
void InvertBar(const DirWindowState* s, int x) {
    HWND dir = s->window;
    const DirLayout& l = s->layout;
    HDC dc = GetDC(dir);
    PatBlt(dc, x + 1, l.splitter.top, kSplitterWidth - 1, l.splitter.bottom - l.splitter.top - 1,
           DSTINVERT);
    ReleaseDC(dir, dc);
}

// Only mouse and keyboard input is taken while the bar is dragged; the rest waits.
bool NextInput(MSG* msg) {
    for (;;) {
        if (PeekMessageA(msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
            PeekMessageA(msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            return true;
        if (PeekMessageA(msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            return false;
        WaitMessage();
    }
}

void Drag(HWND split) {
    HWND dir = GetParent(split);
    DirWindowState* s = Dir_StateOf(dir);
    if (IsIconic(dir) || !s)
        return;
    const int minimum = 3 * GetSystemMetrics(SM_CYHSCROLL);
    RECT client;
    GetClientRect(dir, &client);
    RECT confine = client;
    MapWindowPoints(dir, NULL, reinterpret_cast<POINT*>(&confine), 2);
    ClipCursor(&confine);
    SetCapture(split);
    int bar = s->layout.split; // where the inverted bar is drawn
    int x = bar;               // where the pointer is
    InvertBar(s, bar);
    auto moveBar = [&](int to) {
        to = to < minimum ? minimum : to;
        if (to != bar) {
            InvertBar(s, bar);
            bar = to;
            InvertBar(s, bar);
        }
    };
    MSG msg;
    while (GetCapture() == split && NextInput(&msg)) {
        const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
        POINT p = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
        if (mouse)
            MapWindowPoints(msg.hwnd, dir, &p, 1);
        if (msg.message == WM_MOUSEMOVE) {
            x = p.x;
            moveBar(x);
        } else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
            x = bar + (msg.wParam == VK_LEFT ? -kArrowStep : kArrowStep);
            moveBar(x);
            POINT cursor, at = {bar, 0};
            GetCursorPos(&cursor);
            MapWindowPoints(dir, NULL, &at, 1);
            SetCursorPos(at.x, cursor.y);
        } else if (msg.message == WM_LBUTTONUP) {
            x = p.x;
            break;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            break;
        }
    }
    InvertBar(s, bar);
    if (GetCapture() == split)
        ReleaseCapture();
    ClipCursor(NULL);
    // Released beyond the right edge: the split stays where it was.
    if (Dir_StateOf(dir) != s || x >= client.right)
        return;
    s->split = x < minimum ? minimum : x;
    Dir_Layout(s);
    RECT below = client;
    below.top = s->layout.tree.bottom;
    InvalidateRect(dir, &below, TRUE);
}

} // namespace

LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        Drag(split);
        return 0;
    }
    return DefWindowProcA(split, message, wParam, lParam);
}
