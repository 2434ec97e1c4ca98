// The control bar: the "Find:" box with the run's find history, and a row of icon buttons that
// each post one command to the frame.
#include "shell/ctlbar_win.h"

#include "lister/dirwnd_win.h"

#include "find/findinput.h"
#include "resources/resource.h"
#include "shell/barbuttons.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"

HWND gControlBar = NULL;
HWND gFindCombo = NULL;

namespace {

const char kFindLabel[] = "Find:";
constexpr WORD kEnterCommand = 1; // sent by the find box's edit field on Enter

// What the bar's three-dimensional look depends on.
enum BarDisplay {
    kBarTwoColour, // no border, no shading
    kBarEga,       // a 350-line screen: the bar is grey, its shadow black
    kBarColour,
};

struct BarState {
    BarButton buttons[kBarButtonCount];
    HICON icons[kBarButtonCount];
    BarTracking tracking;
    HWND focusBefore; // where the focus was before the user clicked into the find box
    HWND findEdit;
    WNDPROC editProc; // the edit field's own class procedure, saved once
    HistoryCombo combo;
};

BarState gBar;

// The bar brush was chosen for the display at start-up; the look follows it.
BarDisplay DisplayKind() {
    if (gDraw.barBrush == GetStockObject(WHITE_BRUSH))
        return kBarTwoColour;
    if (gDraw.barBrush == GetStockObject(GRAY_BRUSH))
        return kBarEga;
    return kBarColour;
}

HBRUSH BarBrush() {
    return gDraw.barBrush ? gDraw.barBrush : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

// ---- The history's view of the find box -------------------------------------------------------

void ComboSetText(void*, const char* label) {
    SetWindowTextA(gFindCombo, label);
}

int ComboInsertTop(void*, const char* label) {
    const LRESULT at =
        SendMessageA(gFindCombo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(label));
    return at == CB_ERR || at == CB_ERRSPACE ? 0 : 1;
}

void ComboDeleteLast(void*) {
    const LRESULT count = SendMessageA(gFindCombo, CB_GETCOUNT, 0, 0);
    if (count > 0)
        SendMessageA(gFindCombo, CB_DELETESTRING, (WPARAM)(count - 1), 0);
}

// ---- Drawing ------------------------------------------------------------------------------------

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, NULL);
    LineTo(dc, x1, y1);
}

// One ring around a face, `out` pixels outside it: the top and left edges in one colour, the
// bottom and right in another.
void Ring(HDC dc, const BarButton& b, int out, HPEN topLeft, HPEN bottomRight) {
    const int left = b.x - out, top = b.y - out;
    const int right = b.x + b.width + out - 1, bottom = b.y + b.height + out - 1;
    SelectObject(dc, topLeft);
    Line(dc, left, bottom, left, top);
    Line(dc, left, top, right + 1, top);
    SelectObject(dc, bottomRight);
    Line(dc, right, top + 1, right, bottom);
    Line(dc, right, bottom, left, bottom);
}

void DrawButton(HDC dc, int index, bool pressed) {
    const BarButton& b = gBar.buttons[index];
    RECT face = {b.x, b.y, b.x + b.width, b.y + b.height};
    FillRect(dc, &face, BarBrush());
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    HGDIOBJ oldPen = SelectObject(dc, white);
    if (pressed) {
        Ring(dc, b, 1, white, white);
        Ring(dc, b, 2, black, white);
    } else {
        Ring(dc, b, 1, white, black);
        Ring(dc, b, 2, white, black);
    }
    SelectObject(dc, oldPen);
    if (gBar.icons[index]) {
        // The glyph keeps to the face; the rest of the icon is clear anyway.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, face.left, face.top, face.right, face.bottom);
        const int shift = pressed ? 1 : 0;
        DrawIcon(dc, b.x + shift, b.y + shift, gBar.icons[index]);
        RestoreDC(dc, saved);
    }
}

void RedrawButton(HWND bar, int index, bool pressed) {
    if (index < 0)
        return;
    HDC dc = GetDC(bar);
    DrawButton(dc, index, pressed);
    ReleaseDC(bar, dc);
}

void DrawBorder(HDC dc, const RECT& client, BarDisplay display) {
    const int width = client.right, height = client.bottom;
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Line(dc, 0, height - 1, width, height - 1);
    if (display != kBarTwoColour) {
        SelectObject(dc, GetStockObject(WHITE_PEN));
        Line(dc, 0, height - 2, 0, 0);
        Line(dc, 0, 0, width, 0);
        // The shadow must show against the bar: black on a grey bar, dark grey on light grey.
        HPEN shadow = display == kBarEga ? static_cast<HPEN>(GetStockObject(BLACK_PEN))
                                         : CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
        SelectObject(dc, shadow);
        Line(dc, width - 1, 0, width - 1, height - 2);
        Line(dc, width - 1, height - 2, 0, height - 2);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        if (display != kBarEga)
            DeleteObject(shadow);
    }
    SelectObject(dc, oldPen);
}

void Bar_OnPaint(HWND bar) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(bar, &paint);
    RECT client;
    GetClientRect(bar, &client);
    const BarDisplay display = DisplayKind();
    if (display == kBarEga)
        SetBkColor(dc, RGB(128, 128, 128));
    else if (display == kBarColour)
        SetBkColor(dc, RGB(192, 192, 192));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TextOutA(dc, 4, 6, kFindLabel, lstrlenA(kFindLabel));
    SelectObject(dc, oldFont);
    for (int i = 0; i < kBarButtonCount; i++)
        DrawButton(dc, i, i == gBar.tracking.pressed && gBar.tracking.drawnPressed);
    DrawBorder(dc, client, display);
    EndPaint(bar, &paint);
}

// ---- The find box -------------------------------------------------------------------------------

bool MenuItemEnabled(UINT id) {
    const UINT state = gFrame ? GetMenuState(GetMenu(gFrame), id, MF_BYCOMMAND) : (UINT)-1;
    return state != (UINT)-1 && !(state & (MF_GRAYED | MF_DISABLED));
}

// The list entry the box shows, or -1 when its text was typed (or edited after a pick).
int ChosenIndex(const char* text) {
    const LRESULT index = SendMessageA(gFindCombo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return -1;
    char label[kFindTextMax] = "";
    if (SendMessageA(gFindCombo, CB_GETLBTEXTLEN, (WPARAM)index, 0) >= (LRESULT)sizeof label)
        return -1;
    SendMessageA(gFindCombo, CB_GETLBTEXT, (WPARAM)index, reinterpret_cast<LPARAM>(label));
    return lstrcmpA(label, text) == 0 ? (int)index : -1;
}

void ApplyChoice() {
    if (!gFindCombo)
        return;
    char text[kFindTextMax] = "";
    GetWindowTextA(gFindCombo, text, sizeof text);
    bool enableFindNext = false;
    FindChoice_Apply(&gFind, &gFindHistory, ChosenIndex(text), text, MenuItemEnabled(IDM_FIND),
                     &gBar.combo, &enableFindNext);
    if (enableFindNext)
        EnableMenuItem(GetMenu(gFrame), IDM_FIND_NEXT, MF_BYCOMMAND | MF_ENABLED);
}

void ReturnFocus() {
    HWND back = gBar.focusBefore;
    gBar.focusBefore = NULL;
    if (back && IsWindow(back))
        SetFocus(back);
}

// Enter in the find box: back to the window the user came from, and find there.
void Bar_OnEnter() {
    SendMessageA(gFindCombo, CB_SHOWDROPDOWN, FALSE, 0);
    ReturnFocus();
    ApplyChoice();
    if (gFrame)
        PostMessageA(gFrame, WM_COMMAND, IDM_FIND_NEXT, 0);
}

// A click into the find box: the window that had the focus gets it back when the edit ends.
void Bar_OnParentNotify(WPARAM wParam) {
    if (LOWORD(wParam) != WM_LBUTTONDOWN || gBar.focusBefore)
        return;
    HWND focus = GetFocus();
    if (focus && focus != gBar.findEdit && focus != gFindCombo)
        gBar.focusBefore = focus;
}

// ---- The buttons --------------------------------------------------------------------------------

void Redraw(HWND bar, BarRedraw redraw) {
    if (redraw != kBarRedrawNone)
        RedrawButton(bar, gBar.tracking.pressed, redraw == kBarRedrawPressed);
}

void Bar_OnButtonDown(HWND bar, int x, int y) {
    ControlBar_EndFindEdit();
    const BarRedraw redraw = BarTracking_Down(&gBar.tracking, gBar.buttons, x, y);
    if (redraw == kBarRedrawNone)
        return;
    Redraw(bar, redraw);
    SetCapture(bar);
}

void Bar_OnMouseMove(HWND bar, int x, int y) {
    Redraw(bar, BarTracking_Move(&gBar.tracking, gBar.buttons, x, y));
}

void Bar_OnButtonUp(HWND bar, int x, int y) {
    if (!gBar.tracking.tracking)
        return;
    const int pressed = gBar.tracking.pressed;
    BarRedraw redraw = kBarRedrawNone;
    const WORD command = BarTracking_Up(&gBar.tracking, gBar.buttons, x, y, &redraw);
    if (GetCapture() == bar)
        ReleaseCapture();
    if (redraw != kBarRedrawNone)
        RedrawButton(bar, pressed, false);
    if (command && gFrame)
        PostMessageA(gFrame, WM_COMMAND, command, 0);
}

void Bar_OnClose(HWND bar) {
    ShowWindow(bar, SW_HIDE);
    if (HWND frame = GetParent(bar))
        Frame_Layout(frame);
}

} // namespace

LRESULT CALLBACK ControlBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Bar_OnPaint(bar);
        return 0;
    case WM_LBUTTONDOWN:
        Bar_OnButtonDown(bar, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_MOUSEMOVE:
        Bar_OnMouseMove(bar, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        Bar_OnButtonUp(bar, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        // The capture taken away mid-press (a box came up): the press ends without a command.
        if (gBar.tracking.tracking && reinterpret_cast<HWND>(lParam) != bar) {
            const int pressed = gBar.tracking.pressed;
            BarTracking_Reset(&gBar.tracking);
            RedrawButton(bar, pressed, false);
        }
        return 0;
    case WM_PARENTNOTIFY:
        Bar_OnParentNotify(wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEnterCommand && lParam == 0)
            Bar_OnEnter();
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(BarBrush());
    case WM_CLOSE:
        Bar_OnClose(bar);
        return 0;
    case WM_DESTROY:
        if (gBar.findEdit && gBar.editProc)
            SetWindowLongPtrA(gBar.findEdit, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(gBar.editProc));
        gBar = BarState{};
        gControlBar = NULL;
        gFindCombo = NULL;
        return 0;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}

LRESULT CALLBACK CBarSubClassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (edit != gBar.findEdit) // the "File Name:" box of a directory window
        return DirWindow_ComboEditProc(edit, message, wParam, lParam);
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP;
    if ((key && wParam == VK_TAB) || (message == WM_CHAR && wParam == '\t'))
        return 0; // the bar has nowhere to tab to
    if ((key && wParam == VK_RETURN) || (message == WM_CHAR && wParam == '\r')) {
        if (message == WM_KEYDOWN && gControlBar)
            SendMessageA(gControlBar, WM_COMMAND, kEnterCommand, 0);
        return 0;
    }
    return CallWindowProcA(gBar.editProc, edit, message, wParam, lParam);
}

int ControlBar_Create(HINSTANCE instance, HWND frame) {
    gBar = BarState{};
    BarTracking_Reset(&gBar.tracking);
    gBar.combo = {nullptr, ComboSetText, ComboInsertTop, ComboDeleteLast};
    gControlBar = CreateWindowExA(0, kBarClassName, kControlBarTitle, WS_CHILD | WS_CLIPSIBLINGS, 0,
                                  0, 0, 0, frame, NULL, instance, NULL);
    if (!gControlBar)
        return 0;
    // The find box sits one and a half icons in, after the "Find:" label.
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    gFindCombo = CreateWindowExA(
        0, "combobox", NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        iconWidth * 3 / 2, 2, iconWidth * 3, iconHeight * 4, gControlBar,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindComboId)), instance, NULL);
    if (!gFindCombo)
        return 0;
    SendMessageA(gFindCombo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    gBar.findEdit = FindWindowExA(gFindCombo, NULL, "Edit", NULL);
    if (gBar.findEdit) {
        SendMessageA(gBar.findEdit, EM_LIMITTEXT, kFindTextMax - 1, 0);
        gBar.editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            gBar.findEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CBarSubClassProc)));
    }
    BarButtons_Layout(gBar.buttons, iconWidth, iconHeight);
    for (int i = 0; i < kBarButtonCount; i++)
        gBar.icons[i] = LoadIconA(instance, gBar.buttons[i].icon);
    return 1;
}

int ControlBar_Height() {
    int comboHeight = 0;
    RECT box;
    if (gFindCombo && GetWindowRect(gFindCombo, &box))
        comboHeight = box.bottom - box.top; // the closed box; the list drops below it
    return BarButtons_BarHeight(GetSystemMetrics(SM_CYICON), comboHeight);
}

void ControlBar_EndFindEdit() {
    if (!gBar.focusBefore)
        return;
    HWND back = gBar.focusBefore;
    gBar.focusBefore = NULL;
    ApplyChoice();
    if (IsWindow(back))
        SetFocus(back);
}

const HistoryCombo* ControlBar_HistoryCombo() {
    return gFindCombo ? &gBar.combo : nullptr;
}

void ControlBar_EnableFind(bool enable) {
    if (gFindCombo)
        EnableWindow(gFindCombo, enable);
}
