// The file view window: its record, made and torn down with the window, the window procedure
// (focus, size, painting), opening a file into a new view, and the frame's commands for the
// view that has the focus. The keys and mouse are in viewinput_win.cpp, the engine's hand-over
// between views in viewlend_win.cpp.
#include "viewer/viewwnd_win.h"

#include <string.h>

#include <new>

#include "find/findengine.h"
#include "look/fonts_win.h"
#include "lister/dirwnd_win.h"
#include "lister/pathclass.h"
#include "print/psview_win.h"
#include "resources/resource.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/menustate_win.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "shell/splash_win.h"
#include "shell/startup_win.h"
#include "platform/uiseam.h"
#include "shell/uiseam_win.h"
#include "shell/winkind_win.h"
#include "viewer/filetypes.h"
#include "viewer/viewdlgs_win.h"
#include "viewer/windata_win.h"

namespace {

const char kTextNoRecord[] = "Critical memory shortage. Cannot continue.";

// Window data: the record's address, as every window kind keeps its record; the record holds
// its own memory handle. The class's second slot stays unused.
constexpr int kRecordSlot = 0;
constexpr WORD kMinimizeCommand = 32;

// What View_OpenFile hands the new window's WM_CREATE: the engine, holding the file just opened.
struct ViewCreate {
    const ViewEngine* opened;
};

const char* FileNameOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}

int OnCreate(HWND view, const ViewCreate* create) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(WinData));
    WinData* w = memory ? static_cast<WinData*>(GlobalLock(memory)) : nullptr;
    if (!w) {
        if (memory)
            GlobalFree(memory);
        Ui_FatalExit(kTextNoRecord);
        return -1;
    }
    new (w) WinData();
    w->memory = memory;
    w->window = view;
    SetWindowLongPtrA(view, kRecordSlot, reinterpret_cast<LONG_PTR>(w));
    View_Join(w);
    w->font = Fonts_Get(kFontView);
    w->textColor = gSettings.colors[kColorText];
    w->backgroundColor = gSettings.colors[kColorBackgnd];
    w->backgroundBrush = gDraw.viewBrush ? gDraw.viewBrush
                                         : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    w->vScrollShown = gSettings.vertScrollBar;
    w->lastTopPercent = w->lastBottomPercent = -1;
    HINSTANCE instance = GetModuleHandleA(NULL);
    w->vScrollBar = CreateWindowExA(0, "Scrollbar", NULL, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0,
                                    0, 0, view, reinterpret_cast<HMENU>(kVScrollBarId), instance,
                                    NULL);
    w->hScrollBar = CreateWindowExA(0, "Scrollbar", NULL, WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0,
                                    0, 0, view, reinterpret_cast<HMENU>(kHScrollBarId), instance,
                                    NULL);
    SetScrollRange(w->vScrollBar, SB_CTL, 0, 100, FALSE);
    SetScrollRange(w->hScrollBar, SB_CTL, 0, View_Engine()->sizes.lineLength, FALSE);
    View_Layout(w);
    if (!create || !create->opened) {
        // Made by someone other than View_OpenFile: a view without a file, which paints
        // nothing but its background and never takes the engine.
        w->file.validMarker = -1;
        return 0;
    }
    // The engine holds the file just opened: the record starts as its copy.
    const ViewEngine* e = create->opened;
    w->file = e->file;
    w->display = e->settings;
    w->totalLines = e->totalLines;
    w->topOffset = TopLineOffset(e);
    if (gSplash)
        Splash_StartTimer(gFrame);
    return 0;
}

// The view goes: out of the list, and the engine forgets it.
void OnDestroy(WinData* w) {
    if (w->closing)
        return;
    w->closing = true;
    if (w->selecting)
        ReleaseCapture();
    if (w->scrollTimerDirection)
        KillTimer(w->window, kSelectScrollTimer);
    View_Leave(w);
    if (w->titleText) {
        GlobalFree(w->titleText);
        w->titleText = NULL;
    }
}

void OnNcDestroy(HWND view) {
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    SetWindowLongPtrA(view, kRecordSlot, 0);
    if (w) {
        HGLOBAL memory = w->memory;
        w->~WinData();
        GlobalUnlock(memory);
        GlobalFree(memory);
    }
}

void OnSize(WinData* w, WPARAM how) {
    if (how == SIZE_MINIMIZED) {
        SetWindowTextA(w->window, FileNameOf(w->file.path));
        Frame_RetileLater();
        return;
    }
    View_Layout(w);
    if (View_OwnsEngine(w))
        View_Engine()->pageLines = w->geo.pageLines;
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, NULL, TRUE);
}

void OnQueryOpen(WinData* w) {
    SetWindowTextA(w->window, w->file.path);
    Frame_PlaceReopened(w->window);
}

void ApplyViewMenuState(WinData* w) {
    Menu_ApplyState(gFrame, w->window);
    ViewInput_EnableSelectionItems(w->selectionState != 0);
    EnableMenuItem(GetMenu(gFrame), IDM_TITLE_UNLOCK,
                   MF_BYCOMMAND | (w->titlePane ? MF_ENABLED : MF_GRAYED));
}

void OnSetFocus(WinData* w) {
    ControlBar_EnableFind(true);
    if (!View_Opening() && !gMessageBoxUp) {
        if (!View_Activate(w, false))
            return;
    }
    ApplyViewMenuState(w);
}

void OnKillFocus(WinData* w, HWND next) {
    if (View_Opening() || gMessageBoxUp || w->closing)
        return;
    if (w->selecting)
        ViewInput_LButtonUp(w);
    // The focus going to a dialog or the control bar's find box leaves the view in charge of
    // the engine: its match stays highlighted, and Find Next goes on from it.
    if (Orv_ClassifyWindow(next).kind == kKindNone)
        return;
    View_SaveEngine(w, true);
}

void OnPaint(WinData* w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w->window, &ps);
    if (w->file.validMarker == -1) {
        EndPaint(w->window, &ps);
        return;
    }
    if (w->positionStripShown) {
        ViewPaint_PositionStrip(w, dc);
        EndPaint(w->window, &ps);
        return;
    }
    if (View_Printing()) {
        // The engine is walking the lines being printed: painting now would show them, or
        // take the engine to another file. The job repaints the view when it ends.
        w->paintDue = true;
        EndPaint(w->window, &ps);
        return;
    }
    HWND owner = View_EngineView();
    WinData* ownerData = owner && owner != w->window ? View_Data(owner) : nullptr;
    ViewEngine* e = View_Engine();
    int64_t keptMatchLine = e->matchLine;
    int32_t keptMatchColumn = e->matchColumn, keptMatchLength = e->matchLength,
            keptDisplayColumn = e->displayColumn;
    bool painted = true;
    if (ownerData) {
        View_SaveEngine(ownerData, false);
        if (!View_Activate(w, true))
            painted = false;
    } else if (!View_Activate(w, true)) {
        painted = false;
    }
    if (painted) {
        HGDIOBJ oldFont = SelectObject(dc, w->font);
        SetTextColor(dc, w->textColor);
        SetBkColor(dc, w->backgroundColor);
        SetBkMode(dc, TRANSPARENT);
        ViewPaint_Paint(w, dc, ps.rcPaint);
        SelectObject(dc, oldFont);
    }
    EndPaint(w->window, &ps);
    if (painted && gSplash)
        Splash_Dismiss(gFrame); // the first view painted: the program is up

    if (w->titlePane) {
        RECT title;
        GetWindowRect(w->titlePane, &title);
        MapWindowPoints(NULL, w->window, reinterpret_cast<POINT*>(&title), 2);
        RECT meet;
        if (IntersectRect(&meet, &title, &ps.rcPaint))
            InvalidateRect(w->titlePane, NULL, FALSE);
    }
    if (ownerData && IsWindow(owner)) {
        View_Activate(ownerData, false);
        e->matchLine = keptMatchLine;
        e->matchColumn = keptMatchColumn;
        e->matchLength = keptMatchLength;
        e->displayColumn = keptDisplayColumn;
        if (e->file.topLine != END_LINE)
            BuildRows(e);
    }
    if (w->closeAfterPaint) {
        w->closeAfterPaint = false;
        View_CloseLater(w);
    }
}

void OnEraseBackground(WinData* w) {
    SetClassLongPtrA(w->window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(w->backgroundBrush));
}

// The view that has the focus, found for a command.
WinData* FocusedView(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return nullptr;
    if (!View_OwnsEngine(w) && !View_Activate(w, false))
        return nullptr;
    return w;
}

void TurnPostScriptOff(WinData* w, bool reset) {
    ViewEngine* e = View_Engine();
    if (!(e->settings.postScriptState & kPostScriptShown))
        return;
    e->settings.postScriptState &= ~(kPostScriptShown | kPostScriptDialect);
    if (reset) {
        ResetEngine(e, false);
        View_Redisplay(w);
    }
}

// A type with "Auto Loc&k": its lines are locked as the title and the view starts after them.
void AutoLock(WinData* w, int64_t first, int64_t last) {
    w->selectionState = 1;
    w->selFromLine = first;
    w->selToLine = last;
    w->selFromColumn = 1;
    w->selToColumn = -1;
    if (!Title_Lock(w))
        return;
    ViewInput_MoveTo(w, last + 1);
}

// A find in this view: the old highlight goes, and a match found is brought into the window.
int Find(WinData* w, bool repeat, int32_t patternLength) {
    ViewPaint_RemoveMatchHighlight(w, 0, false);
    if (!FindInView(View_Engine(), &gFind, repeat, patternLength, true))
        return 0;
    View_Redisplay(w);
    return 1;
}

} // namespace

// ---- Shared with the view's other files ------------------------------------------------------

void View_CloseLater(WinData* w) {
    PostMessageA(gFrame, WM_COMMAND, IDM_CLOSE, reinterpret_cast<LPARAM>(w->window));
}

void View_Redisplay(WinData* w) {
    w->lastTopPercent = w->lastBottomPercent = -1;
    InvalidateRect(w->window, NULL, TRUE);
}

WinData* View_Data(HWND view) {
    if (!view || !IsWindow(view) || Orv_ClassifyWindow(view).kind != kKindView ||
        Orv_ClassifyWindow(view).window != view)
        return nullptr;
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    return w && !w->closing ? w : nullptr;
}

void View_Layout(WinData* w) {
    ViewGeometry& g = w->geo;
    HWND view = w->window;
    GetClientRect(view, &g.client);
    HDC dc = GetDC(view);
    g.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    g.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    HGDIOBJ old = SelectObject(dc, w->font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(view, dc);
    g.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    if (g.lineHeight < 1)
        g.lineHeight = 1;
    g.charWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
    g.leftMargin = g.dpiX / 20;
    g.topMargin = g.dpiY / 20;

    const int vWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int hHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int bandHeight = g.dpiY / 4;
    const RECT& c = g.client;
    g.band = {0, c.bottom - bandHeight, c.right, c.bottom};
    const int textRight = w->vScrollShown ? c.right - vWidth : c.right;
    g.hBar = {0, g.band.top - hHeight, textRight, g.band.top};
    g.text = {g.leftMargin, g.topMargin + w->titleHeight, textRight, g.hBar.top};
    if (g.text.bottom < g.text.top)
        g.text.bottom = g.text.top;
    if (w->vScrollShown) {
        g.vBar = {c.right - vWidth, 0, c.right, g.text.bottom};
        g.bandRight = c.right;
    } else {
        g.vBar = {c.right - vWidth, g.band.top, c.right, c.bottom};
        g.bandRight = c.right - vWidth;
    }
    g.pageLines = (g.text.bottom - g.text.top) / g.lineHeight;
    if (g.pageLines < 2)
        g.pageLines = 2;
    g.columns = (g.text.right - g.text.left) / g.charWidth;
    if (g.columns < 1)
        g.columns = 1;
    if (w->vScrollBar)
        MoveWindow(w->vScrollBar, g.vBar.left, g.vBar.top, g.vBar.right - g.vBar.left,
                   g.vBar.bottom - g.vBar.top, TRUE);
    if (w->hScrollBar)
        MoveWindow(w->hScrollBar, g.hBar.left, g.hBar.top, g.hBar.right - g.hBar.left,
                   g.hBar.bottom - g.hBar.top, TRUE);
    if (w->titlePane)
        MoveWindow(w->titlePane, 0, 0, g.text.right, w->titleHeight, TRUE);
    if (View_EngineView() == view)
        PsView_TakeScreen(w);
}

// ---- The window procedures -------------------------------------------------------------------

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
        const ViewCreate* create = mdi ? reinterpret_cast<const ViewCreate*>(mdi->lParam) : nullptr;
        return OnCreate(view, create) < 0 ? -1 : DefMDIChildProcA(view, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        OnNcDestroy(view);
        return DefMDIChildProcA(view, message, wParam, lParam);
    }
    WinData* w = reinterpret_cast<WinData*>(GetWindowLongPtrA(view, kRecordSlot));
    if (!w || w->closing)
        return DefMDIChildProcA(view, message, wParam, lParam);
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_DESTROY:
        OnDestroy(w);
        break;
    case WM_SIZE:
        OnSize(w, wParam);
        break; // the default procedure keeps the MDI client's maximised state
    case WM_QUERYOPEN:
        OnQueryOpen(w);
        return TRUE;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == view)
            ApplyViewMenuState(w);
        break;
    case WM_MOUSEACTIVATE:
        w->activatingClick = Frame_ActiveChild() != view;
        break;
    case WM_SETFOCUS:
        OnSetFocus(w);
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(w, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(w);
        return 0;
    case WM_ERASEBKGND:
        OnEraseBackground(w);
        break;
    case WM_KEYDOWN:
        ViewInput_Key(w, wParam, LOWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kMinimizeCommand) {
            ShowWindow(view, SW_MINIMIZE);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            View_Close(view, true);
            return 0;
        }
        break;
    case WM_VSCROLL:
        ViewInput_VScroll(w, LOWORD(wParam), (short)HIWORD(wParam));
        return 0;
    case WM_HSCROLL:
        ViewInput_HScroll(w, LOWORD(wParam), (short)HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        ViewInput_LButtonDown(w, at, wParam);
        return 0;
    case WM_MOUSEMOVE:
        ViewInput_MouseMove(w, at, wParam);
        return 0;
    case WM_LBUTTONUP:
        ViewInput_LButtonUp(w);
        return 0;
    case WM_RBUTTONDOWN:
        ViewInput_RButtonDown(w, at);
        return 0;
    case WM_RBUTTONUP:
        ViewInput_RButtonUp(w);
        return 0;
    case WM_TIMER:
        if (wParam == kSelectScrollTimer) {
            ViewInput_SelectTimer(w);
            return 0;
        }
        break;
    }
    return DefMDIChildProcA(view, message, wParam, lParam);
}

// ---- Entry points ----------------------------------------------------------------------------

HWND View_OpenFile(const char* path, int64_t topLine) {
    if (RefuseUnusableName(path))
        return NULL;
    ViewEngine* e = View_Engine();
    PlatFileInfo info;
    if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory))
        return NULL;
    // The view that had the engine keeps its state; it gets it back if this open fails.
    HWND previous = View_BeginOpening();
    WinData* previousData = previous ? View_Data(previous) : nullptr;
    if (!previousData || e->file.validMarker == -1) {
        // The first view takes the settings' starting values.
        e->settings.stripBit7 = gSettings.bitStrip;
        e->settings.tabSpacing = gSettings.tabs;
    }
    int rc = Engine_SetFile(e, path) ? 0 : -1;
    TypeSettings type = {};
    const bool typed = rc == 0 && FileTypes_FindForPath(path, &type) == 1;
    if (rc == 0) {
        // A type says how to show the file: no question about it.
        if (typed)
            FileTypes_ApplyToView(type, &e->settings, &e->showCrLf);
        else if (!strchr(FileNameOf(path), '.'))
            e->settings.tabSpacing = type.tab > 0 ? type.tab : gSettings.tabs;
        rc = Engine_Load(e, EngineLoad{false, !typed, typed, true});
    }
    if (rc < 0) {
        View_EndOpening();
        e->file.validMarker = -1;
        if (previousData && IsWindow(previous)) {
            View_Activate(previousData, false);
            SetFocus(previous);
        }
        return NULL;
    }
    if (topLine > 1) {
        e->file.topLine = topLine;
        EnsureWindow(e, false);
    }
    ViewCreate create = {e};
    HWND view = Frame_NewChild(kViewClassName, path, reinterpret_cast<LPARAM>(&create));
    WinData* w = view ? View_Data(view) : nullptr;
    if (!w) {
        View_EndOpening();
        e->file.validMarker = -1;
        if (previousData && IsWindow(previous))
            View_Activate(previousData, false);
        return NULL;
    }
    View_GiveEngine(w);
    View_Layout(w);
    e->pageLines = w->geo.pageLines;
    EnsureWindow(e, false);
    View_EndOpening();
    SetFocus(view);
    w->display = e->settings;
    if (typed && type.lockStart > 0 && type.lockEnd >= type.lockStart)
        AutoLock(w, type.lockStart, type.lockEnd);
    ApplyViewMenuState(w);
    if (e->modePolicy == kModeAnswerYes)
        PostMessageA(gFrame, WM_COMMAND, IDM_FIND_NEXT, 0);
    return view;
}

const char* View_Path(HWND view) {
    WinData* w = View_Data(view);
    return w ? w->file.path : "";
}

int64_t View_TopLine(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return 1;
    return View_OwnsEngine(w) ? View_Engine()->file.topLine : w->file.topLine;
}

void View_Close(HWND view, bool closedByUser) {
    WinData* w = View_Data(view);
    char root[kPlatNameMax] = "";
    if (w)
        Plat_DriveRoot(w->file.path, root, sizeof root);
    Frame_CloseChild(view, closedByUser);
    if (IsWindow(view) || !closedByUser || !root[0])
        return;
    HWND dir = DirWindow_FindForRoot(root);
    if (dir) {
        if (IsIconic(dir))
            SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(dir), 0);
        SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(dir), 0);
    }
}

void View_ApplyScrollBarFlag(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return;
    w->vScrollShown = gSettings.vertScrollBar;
    View_Layout(w);
    if (View_OwnsEngine(w))
        View_Engine()->pageLines = w->geo.pageLines;
    View_Redisplay(w);
}

void View_ApplyLook(HWND view) {
    WinData* w = View_Data(view);
    if (!w)
        return;
    w->font = Fonts_Get(kFontView);
    w->textColor = gSettings.colors[kColorText];
    w->backgroundColor = gSettings.colors[kColorBackgnd];
    if (gDraw.viewBrush)
        w->backgroundBrush = gDraw.viewBrush;
    View_Layout(w);
    if (w->titlePane) {
        // The locked lines keep their number; their pane takes the new line height.
        w->titleHeight = w->titleLineCount * w->geo.lineHeight + w->geo.topMargin + 2;
        View_Layout(w);
    }
    if (View_OwnsEngine(w)) {
        View_Engine()->pageLines = w->geo.pageLines;
        if (View_Engine()->file.topLine != END_LINE)
            BuildRows(View_Engine());
    }
    View_Redisplay(w);
    if (w->titlePane)
        InvalidateRect(w->titlePane, NULL, TRUE);
}

int View_Command(HWND view, WORD id) {
    WinData* w = FocusedView(view);
    if (!w)
        return 0;
    ViewEngine* e = View_Engine();
    switch (id) {
    case IDM_HEX:
        TurnPostScriptOff(w, true);
        if (!e->settings.hexMode)
            ViewInput_ToggleHex(w);
        View_DropSelection(w);
        return 1;
    case IDM_TEXT:
        TurnPostScriptOff(w, false);
        if (e->settings.hexMode)
            ViewInput_ToggleHex(w);
        else
            ViewInput_Relayout(w);
        View_DropSelection(w);
        return 1;
    case IDM_STRIP:
        ViewInput_ToggleStrip(w);
        return 1;
    case IDM_POSTSCRIPT:
        PsView_Toggle(w);
        return 1;
    case IDM_HOME:
        ViewInput_Key(w, VK_HOME, 1);
        return 1;
    case IDM_END:
        ViewInput_Key(w, VK_END, 1);
        return 1;
    case IDM_DESELECT:
        View_DropSelection(w);
        return 1;
    case IDM_COPY:
        View_CopySelection(w);
        return 1;
    case IDM_TITLE_LOCK:
        Title_Lock(w);
        return 1;
    case IDM_TITLE_UNLOCK:
        Title_Remove(w);
        return 1;
    case IDM_FIND_NEXT:
        Find(w, true, gFind.findNextLength);
        return 1;
    case IDM_GO_TO_LINE: {
        int64_t old = e->file.topLine;
        ViewPaint_RemoveMatchHighlight(w, 0, false);
        if (ViewDlg_GoToLine(gFrame, view)) {
            ViewInput_ClearMatch();
            ViewInput_AfterMove(w, old);
        }
        return 1;
    }
    case IDM_TABS: {
        int32_t spacing = e->settings.tabSpacing;
        if (ViewDlg_TabStops(gFrame, &spacing)) {
            e->settings.tabSpacing = spacing > 0 ? spacing : 1;
            w->display.tabSpacing = e->settings.tabSpacing;
            e->lastBuiltTop = -1; // the text rows are expanded anew
            EnsureWindow(e, false);
            Title_Relock(w);
            View_Redisplay(w);
        }
        return 1;
    }
    case IDM_SPECIAL_CHARS:
        if (ViewDlg_SpecialChars(gFrame)) {
            w->display = e->settings;
            Title_Relock(w);
            View_Redisplay(w);
        }
        return 1;
    }
    return 0;
}

int View_Find(HWND view, bool repeat, int32_t patternLength) {
    WinData* w = FocusedView(view);
    return w ? Find(w, repeat, patternLength) : 0;
}

int View_GetInfo(HWND view, ViewInfo* info) {
    WinData* w = View_Data(view);
    if (!w)
        return 0;
    const bool mine = View_OwnsEngine(w);
    const ViewFileBlock& file = mine ? View_Engine()->file : w->file;
    const DisplaySettings& display = mine ? View_Engine()->settings : w->display;
    *info = ViewInfo();
    info->topLine = file.topLine;
    info->pageLines = w->geo.pageLines;
    info->lineHeight = w->geo.lineHeight;
    info->charWidth = w->geo.charWidth;
    info->leftMargin = w->geo.leftMargin;
    info->textArea = w->geo.text;
    info->statusBand = w->geo.band;
    info->hScroll = file.hScroll;
    info->hexMode = display.hexMode;
    info->binaryMode = display.binaryMode;
    info->stripBit7 = display.stripBit7;
    info->atEndOfView = w->atEndOfView;
    info->selectionState = w->selectionState;
    info->selFromLine = w->selFromLine;
    info->selToLine = w->selToLine;
    info->selFromColumn = w->selFromColumn;
    info->selToColumn = w->selToColumn;
    info->titleLineCount = w->titlePane ? w->titleLineCount : 0;
    info->fileSize = file.fileSize;
    info->ownsEngine = mine;
    lstrcpynA(info->lineText, w->lineText, sizeof info->lineText);
    lstrcpynA(info->factsText, w->factsText, sizeof info->factsText);
    lstrcpynA(info->positionStrip, w->positionStripShown ? w->positionStrip : "",
              sizeof info->positionStrip);
    return 1;
}
