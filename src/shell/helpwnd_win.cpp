// The help window: the topic is laid out by the help file's core (helpfile.cpp) for the
// window's width and drawn line by line below a row of buttons; the keyboard works the links.
#include "shell/helpwnd_win.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "look/fonts_win.h"
#include "platform/uiseam.h"
#include "shell/frame_win.h"
#include "shell/helpfile.h"

namespace {

const char kClassName[] = "OrvHelpClass";
const char kCaptionPrefix[] = "ORV Help - ";
const char kMissingFormat[] = "Cannot find the help file %s.\nHelp cannot be shown.";
const char kDamagedFormat[] = "The help file %s is damaged.\nHelp cannot be shown.";
const char kNoTopicFormat[] = "The help file %s has no help on this subject.";
constexpr int kMargin = 8; // pixels around the text
constexpr int kTextPoints = 10;
constexpr int kHeadingPoints = 12;
const COLORREF kLinkColor = RGB(0, 0, 160);
const COLORREF kHeadingColor = RGB(128, 0, 0);
constexpr int kWheelLines = 3;

enum ButtonId { kButtonIndex = 1, kButtonCommands, kButtonProcedures, kButtonUsing, kButtonBack };

struct ButtonSpec {
    int id;
    const char* text;
    char mnemonic;
};
const ButtonSpec kButtons[] = {
    {kButtonIndex, "&Index", 'i'},          {kButtonCommands, "&Commands", 'c'},
    {kButtonProcedures, "&Procedures", 'p'}, {kButtonUsing, "&Using Help", 'u'},
    {kButtonBack, "&Back", 'b'},
};
constexpr int kButtonCount = sizeof kButtons / sizeof kButtons[0];

struct HelpWindow {
    HWND window;
    HWND buttons[kButtonCount];
    std::string path;
    HelpFile file;
    HelpHistory history;
    HelpLayout layout;
    int topLine;
    int focusLink; // -1 for none
    HFONT plain, bold, link;
    int lineHeight, barHeight;
    bool registered;
};

HelpWindow gHelp = {};
bool gNoHandForTests = false;

// The hand over a link; the arrow elsewhere, and over links where the system has no hand
// cursor (Windows 95 and NT 4 have none).
HCURSOR PointerOver(bool link) {
    HCURSOR hand = link && !gNoHandForTests ? LoadCursor(NULL, IDC_HAND) : NULL;
    return hand ? hand : LoadCursor(NULL, IDC_ARROW);
}

const HelpTopic* Current() {
    return gHelp.history.showing ? HelpFile_Find(gHelp.file, gHelp.history.current.context)
                                 : nullptr;
}

void Say(const char* format, const char* path) {
    char text[MAX_PATH + 128];
    snprintf(text, sizeof text, format, path);
    PromptRequest request = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
}

int32_t Measure(void* context, const char* text, int32_t length, bool bold) {
    HDC dc = static_cast<HDC>(context);
    SelectObject(dc, bold ? gHelp.bold : gHelp.plain);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

int PageLines() {
    RECT client;
    GetClientRect(gHelp.window, &client);
    const int lines = (client.bottom - gHelp.barHeight - kMargin) / gHelp.lineHeight;
    return lines > 1 ? lines : 1;
}

int MaxTop() {
    const int top = gHelp.layout.lineCount - PageLines();
    return top > 0 ? top : 0;
}

void UpdateScrollBar() {
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0,
                       0, 0, 0};
    info.nMax = gHelp.layout.lineCount > 0 ? gHelp.layout.lineCount - 1 : 0;
    info.nPage = (UINT)PageLines();
    info.nPos = gHelp.topLine;
    SetScrollInfo(gHelp.window, SB_VERT, &info, TRUE);
}

void ScrollTo(int top) {
    if (top > MaxTop())
        top = MaxTop();
    if (top < 0)
        top = 0;
    gHelp.topLine = top;
    UpdateScrollBar();
    InvalidateRect(gHelp.window, NULL, TRUE);
}

void Relayout() {
    const HelpTopic* topic = Current();
    if (!topic)
        return;
    RECT client;
    GetClientRect(gHelp.window, &client);
    HDC dc = GetDC(gHelp.window);
    HGDIOBJ old = SelectObject(dc, gHelp.plain);
    gHelp.layout = HelpLayout_Build(*topic, client.right - 2 * kMargin, Measure, dc);
    SelectObject(dc, old);
    ReleaseDC(gHelp.window, dc);
    ScrollTo(gHelp.topLine);
}

// The topic the history now points at, scrolled as it remembers.
void ShowCurrent() {
    const HelpTopic* topic = Current();
    if (!topic)
        return;
    std::string caption = kCaptionPrefix + topic->title;
    SetWindowTextA(gHelp.window, caption.c_str());
    gHelp.topLine = gHelp.history.current.topLine;
    gHelp.focusLink = -1;
    EnableWindow(gHelp.buttons[kButtonBack - 1], !gHelp.history.back.empty());
    Relayout();
}

bool GoTo(uint32_t context) {
    if (!HelpFile_Find(gHelp.file, context)) {
        Say(kNoTopicFormat, gHelp.path.c_str());
        return false;
    }
    HelpHistory_Go(&gHelp.history, context, gHelp.topLine);
    ShowCurrent();
    return true;
}

void Back() {
    if (HelpHistory_Back(&gHelp.history))
        ShowCurrent();
}

void FollowFocused() {
    const HelpTopic* topic = Current();
    if (topic && gHelp.focusLink >= 0 && gHelp.focusLink < (int)topic->links.size())
        GoTo(topic->links[(size_t)gHelp.focusLink]);
}

// Tab and Shift+Tab step through the links, round from the last to the first, and bring the
// focused one into view.
void StepLink(int step) {
    const HelpTopic* topic = Current();
    const int count = topic ? (int)topic->links.size() : 0;
    if (count == 0)
        return;
    int next = gHelp.focusLink < 0 ? (step > 0 ? 0 : count - 1) : gHelp.focusLink + step;
    gHelp.focusLink = (next % count + count) % count;
    const int line = HelpLayout_LineOfLink(gHelp.layout, gHelp.focusLink);
    if (line < gHelp.topLine)
        ScrollTo(line);
    else if (line >= gHelp.topLine + PageLines())
        ScrollTo(line - PageLines() + 1);
    InvalidateRect(gHelp.window, NULL, TRUE);
}

void OnButton(int id) {
    switch (id) {
    case kButtonIndex:
        GoTo(kHelpIndexContext);
        break;
    case kButtonCommands:
        GoTo(kHelpCommandsContext);
        break;
    case kButtonProcedures:
        GoTo(kHelpProceduresContext);
        break;
    case kButtonUsing:
        GoTo(kHelpUsingContext);
        break;
    case kButtonBack:
        Back();
        break;
    }
    SetFocus(gHelp.window); // the keys work the text, not the button
}

bool OnKey(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_TAB:
        StepLink(shift ? -1 : 1);
        return true;
    case VK_RETURN:
        FollowFocused();
        return true;
    case VK_BACK:
        Back();
        return true;
    case VK_F1: // help on the help window
        GoTo(kHelpUsingContext);
        return true;
    case VK_ESCAPE:
        DestroyWindow(gHelp.window);
        return true;
    case VK_UP:
        ScrollTo(gHelp.topLine - 1);
        return true;
    case VK_DOWN:
        ScrollTo(gHelp.topLine + 1);
        return true;
    case VK_PRIOR:
        ScrollTo(gHelp.topLine - PageLines());
        return true;
    case VK_NEXT:
        ScrollTo(gHelp.topLine + PageLines());
        return true;
    case VK_HOME:
        ScrollTo(0);
        return true;
    case VK_END:
        ScrollTo(MaxTop());
        return true;
    }
    return false;
}

void OnScroll(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        ScrollTo(gHelp.topLine - 1);
        break;
    case SB_LINEDOWN:
        ScrollTo(gHelp.topLine + 1);
        break;
    case SB_PAGEUP:
        ScrollTo(gHelp.topLine - PageLines());
        break;
    case SB_PAGEDOWN:
        ScrollTo(gHelp.topLine + PageLines());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(HIWORD(wParam));
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(MaxTop());
        break;
    }
}

// The link under a point of the client area, or -1.
int LinkAt(int x, int y) {
    if (y < gHelp.barHeight)
        return -1;
    const int line = gHelp.topLine + (y - gHelp.barHeight) / gHelp.lineHeight;
    return HelpLayout_LinkAt(gHelp.layout, line, x - kMargin);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetBkMode(dc, TRANSPARENT);
    const int last = gHelp.topLine + PageLines() + 1;
    HGDIOBJ old = SelectObject(dc, gHelp.plain);
    for (const HelpPiece& piece : gHelp.layout.pieces) {
        if (piece.line < gHelp.topLine || piece.line > last)
            continue;
        const int x = kMargin + piece.x;
        const int y = gHelp.barHeight + (piece.line - gHelp.topLine) * gHelp.lineHeight;
        SelectObject(dc, piece.link >= 0 ? gHelp.link : piece.bold ? gHelp.bold : gHelp.plain);
        SetTextColor(dc, piece.link >= 0 ? kLinkColor
                         : piece.bold    ? kHeadingColor
                                         : GetSysColor(COLOR_WINDOWTEXT));
        TextOutA(dc, x, y, piece.text.data(), (int)piece.text.size());
        if (piece.link >= 0 && piece.link == gHelp.focusLink) {
            RECT box = {x - 1, y, x + piece.width + 1, y + gHelp.lineHeight};
            DrawFocusRect(dc, &box);
        }
    }
    SelectObject(dc, old);
    EndPaint(window, &paint);
}

// The text face, its underlined form for links, and a larger bold one for titles and headings.
void MakeFonts(HWND window) {
    LOGFONTA face = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    // The dialog face may have no bold of its own; Tahoma has, wherever ORV runs.
    lstrcpynA(face.lfFaceName, "Tahoma", LF_FACESIZE);
    HDC dc = GetDC(window);
    const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    face.lfHeight = -MulDiv(kTextPoints, pixelsPerInch, 72);
    gHelp.plain = CreateFontIndirectA(&face);
    face.lfUnderline = TRUE;
    gHelp.link = CreateFontIndirectA(&face);
    face.lfUnderline = FALSE;
    face.lfWeight = FW_BOLD;
    face.lfHeight = -MulDiv(kHeadingPoints, pixelsPerInch, 72);
    gHelp.bold = CreateFontIndirectA(&face);
    // A line is as high as the heading face needs.
    const TEXTMETRICA metrics = Fonts_ScreenMetrics(gHelp.bold);
    gHelp.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    if (gHelp.lineHeight < 1)
        gHelp.lineHeight = 16;
}

void OnCreate(HWND window) {
    gHelp.window = window;
    MakeFonts(window);
    const int height = gHelp.lineHeight + 10;
    int x = kMargin / 2;
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, gHelp.plain);
    for (int i = 0; i < kButtonCount; i++) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, kButtons[i].text, (int)strlen(kButtons[i].text), &size);
        const int width = size.cx + 20;
        gHelp.buttons[i] = CreateWindowA("button", kButtons[i].text, WS_CHILD | WS_VISIBLE |
                                         BS_PUSHBUTTON, x, 4, width, height, window,
                                         reinterpret_cast<HMENU>((INT_PTR)kButtons[i].id),
                                         GetModuleHandleA(NULL), NULL);
        SendMessageA(gHelp.buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(gHelp.plain), 0);
        x += width + 4;
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    gHelp.barHeight = height + 12;
}

void OnDestroy() {
    for (HFONT* font : {&gHelp.plain, &gHelp.bold, &gHelp.link}) {
        if (*font)
            DeleteObject(*font);
        *font = NULL;
    }
    gHelp.window = NULL;
    gHelp.history = HelpHistory();
    gHelp.layout = HelpLayout();
    gHelp.focusLink = -1;
    gHelp.topLine = 0;
}

LRESULT CALLBACK ORVHelpWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SIZE:
        if (gHelp.window)
            Relayout();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        OnButton(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (OnKey(wParam))
            return 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_LEFT) { // Alt+Left, as in a browser
            Back();
            return 0;
        }
        break;
    case WM_SYSCHAR:
        for (const ButtonSpec& button : kButtons) {
            if ((char)tolower((int)wParam) == button.mnemonic) {
                if (IsWindowEnabled(gHelp.buttons[button.id - 1]))
                    OnButton(button.id);
                return 0;
            }
        }
        break;
    case WM_VSCROLL:
        OnScroll(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(gHelp.topLine - (GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA) * kWheelLines);
        return 0;
    case WM_LBUTTONDOWN: {
        const int link = LinkAt((short)LOWORD(lParam), (short)HIWORD(lParam));
        SetFocus(window);
        if (link >= 0) {
            gHelp.focusLink = link;
            FollowFocused();
        }
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(window, &at);
            SetCursor(PointerOver(LinkAt(at.x, at.y) >= 0));
            return TRUE;
        }
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Register() {
    if (gHelp.registered)
        return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ORVHelpWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hIcon = LoadIconA(wc.hInstance, "APgmIcon");
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    gHelp.registered = RegisterClassA(&wc) != 0;
    return gHelp.registered;
}

} // namespace

int HelpWnd_Show(HWND owner, const char* path, uint32_t context) {
    // The file is read again whenever the window opens, so a new orv.hlp is seen.
    if (!gHelp.window || gHelp.path != path) {
        HelpFile file;
        const HelpLoadResult loaded = HelpFile_Load(path, &file);
        if (loaded != kHelpLoaded) {
            Say(loaded == kHelpMissing ? kMissingFormat : kDamagedFormat, path);
            return 0;
        }
        if (gHelp.window)
            DestroyWindow(gHelp.window);
        gHelp.file = std::move(file);
        gHelp.path = path;
    }
    if (!HelpFile_Find(gHelp.file, context)) {
        Say(kNoTopicFormat, path);
        return 0;
    }
    if (!gHelp.window) {
        if (!Register())
            return 0;
        HWND frame = gFrame ? gFrame : owner;
        CreateWindowExA(0, kClassName, kCaptionPrefix, WS_OVERLAPPEDWINDOW | WS_VSCROLL,
                        CW_USEDEFAULT, CW_USEDEFAULT, 520, 440, frame, NULL,
                        GetModuleHandleA(NULL), NULL);
        if (!gHelp.window)
            return 0;
    }
    GoTo(context);
    ShowWindow(gHelp.window, IsIconic(gHelp.window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(gHelp.window);
    SetFocus(gHelp.window);
    return 1;
}

bool HelpWnd_IsKeyForIt(const MSG* msg) {
    return gHelp.window && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
           (msg->hwnd == gHelp.window || IsChild(gHelp.window, msg->hwnd));
}

void HelpWnd_Close() {
    if (gHelp.window)
        DestroyWindow(gHelp.window);
}

HWND HelpWnd_Window() {
    return gHelp.window;
}

uint32_t HelpWnd_Context() {
    return gHelp.window && gHelp.history.showing ? gHelp.history.current.context : 0;
}

int HelpWnd_FocusedLink() {
    return gHelp.focusLink;
}

int HelpWnd_TopLine() {
    return gHelp.topLine;
}

void HelpWnd_HideHandCursorForTests(bool hide) {
    gNoHandForTests = hide;
}

bool HelpWnd_LinkSpot(int link, POINT* at) {
    if (!gHelp.window)
        return false;
    for (const HelpPiece& piece : gHelp.layout.pieces) {
        if (piece.link == link && piece.line >= gHelp.topLine &&
            piece.line < gHelp.topLine + PageLines()) {
            at->x = kMargin + piece.x + piece.width / 2;
            at->y = gHelp.barHeight + (piece.line - gHelp.topLine) * gHelp.lineHeight +
                    gHelp.lineHeight / 2;
            return true;
        }
    }
    return false;
}
