// The one engine lent from view to view: which view's file state it holds, the record that keeps
// that state while another view (or the editor, a search, a print job) has the engine, taking it
// back with the file read again when it changed on disk, and the list of open views.
#include <string.h>

#include <vector>

#include "platform/platform.h"
#include "platform/uiseam.h"
#include "shell/frame_win.h"
#include "shell/uiseam_win.h"
#include "viewer/viewwnd_win.h"
#include "viewer/windata_win.h"

namespace {

const char kTextConfused[] = "I'm confused and I can't take it anymore.";
const char kTextSaveError[] = "Error saving WinData";

HWND gEngineView = NULL; // the view whose state the engine holds
bool gPrinting = false;  // a print job reads its view's lines through the engine
bool gOpeningFile = false; // a file is being opened: focus changes leave the engine alone
// Every view, in the order made (grows by 16 entries at a time).
std::vector<HWND> gWindowList;

void WindowList_Add(HWND window) {
    for (HWND w : gWindowList)
        if (w == window)
            return;
    if (gWindowList.size() == gWindowList.capacity())
        gWindowList.reserve(gWindowList.size() + 16);
    gWindowList.push_back(window);
}

void WindowList_Remove(HWND window) {
    for (size_t i = 0; i < gWindowList.size(); i++) {
        if (gWindowList[i] == window) {
            gWindowList.erase(gWindowList.begin() + (ptrdiff_t)i);
            return;
        }
    }
}

// The first view still there, dropping the handles of windows that are gone.
HWND WindowList_FirstView(HWND except) {
    for (size_t i = 0; i < gWindowList.size();) {
        HWND w = gWindowList[i];
        if (!IsWindow(w)) {
            gWindowList.erase(gWindowList.begin() + (ptrdiff_t)i);
            continue;
        }
        if (w != except && View_Data(w))
            return w;
        i++;
    }
    return NULL;
}

// Whether the file differs from what the record knows: its size or its last write (seconds).
bool FileChanged(WinData* w, bool* gone) {
    *gone = false;
    PlatFile* opened = Plat_OpenRead(w->file.path);
    if (!opened) {
        *gone = true;
        return false;
    }
    Plat_Close(opened);
    ViewEngine probe = {}; // read the way the view read it, so the times compare alike
    if (!Engine_SetFile(&probe, w->file.path)) {
        *gone = true;
        return false;
    }
    if (probe.file.fileSize == w->file.fileSize && probe.file.fileTime == w->file.fileTime &&
        strcmp(probe.file.fileStamp, w->file.fileStamp) == 0)
        return false;
    w->file.fileSize = probe.file.fileSize;
    w->file.fileTime = probe.file.fileTime;
    memcpy(w->file.fileStamp, probe.file.fileStamp, sizeof w->file.fileStamp);
    memcpy(w->file.attributes, probe.file.attributes, sizeof w->file.attributes);
    return true;
}

} // namespace

// ---- The engine and the record -------------------------------------------------------------

ViewEngine* View_Engine() {
    return &gEngine;
}

HWND View_EngineView() {
    return gEngineView;
}

bool View_OwnsEngine(const WinData* w) {
    return gEngineView == w->window;
}

void View_SaveEngine(WinData* w, bool removeHighlight) {
    ViewEngine* e = View_Engine();
    if (e->file.validMarker == -1 || !View_OwnsEngine(w))
        return;
    if (w->window != gEngineView || View_Data(w->window) != w) {
        Ui_FatalExit(kTextSaveError);
        return;
    }
    if (removeHighlight)
        ViewPaint_RemoveMatchHighlight(w, 0, false);
    e->matchLine = 0;
    e->matchColumn = 0;
    e->matchLength = 0;
    w->file = e->file;
    w->display = e->settings;
    w->lastPaintMode = e->lastPaintMode;
    w->topOffset = TopLineOffset(e);
    w->totalLines = e->totalLines;
}

int View_Activate(WinData* w, bool painting) {
    ViewEngine* e = View_Engine();
    if (w->file.validMarker == -1) {
        View_Layout(w);
        return 1;
    }
    if (View_OwnsEngine(w) && !gViewFileChanged) {
        View_Layout(w);
        e->pageLines = w->geo.pageLines;
        if (e->file.validMarker != -1 && e->loaded)
            EnsureWindow(e, false);
        return 1;
    }
    if (View_Data(w->window) != w) {
        Ui_FatalExit(kTextConfused);
        return 0;
    }
    if (gEngineView && gEngineView != w->window) {
        WinData* other = View_Data(gEngineView);
        if (other)
            View_SaveEngine(other, !painting); // a view left for good loses its highlight
    }
    bool gone = false;
    const bool changed = FileChanged(w, &gone);
    if (changed) {
        w->topOffset = 0;
        w->file.topLine = 1;
        View_ClearSelection(w);
        w->atEndOfView = 0;
        w->lastTopPercent = w->lastBottomPercent = -1;
        if (w->titlePane)
            InvalidateRect(w->titlePane, NULL, TRUE);
        SetScrollPos(w->vScrollBar, SB_CTL, 0, TRUE);
        InvalidateRect(w->window, NULL, TRUE);
    }
    if (gone) {
        if (gEngineView == w->window)
            gEngineView = NULL;
        if (painting)
            w->closeAfterPaint = true;
        else
            View_CloseLater(w);
        return 0;
    }
    gViewFileChanged = false;
    e->file = w->file;
    e->settings = w->display;
    e->lastPaintMode = w->lastPaintMode;
    gEngineView = w->window;
    View_Layout(w);
    e->pageLines = w->geo.pageLines;
    if (ResetEngine(e, false) < 0) {
        gEngineView = NULL;
        e->file.validMarker = -1;
        return 0;
    }
    GoToOffset(e, w->topOffset);
    EnsureWindow(e, false);
    if (changed && w->titlePane)
        Title_Relock(w); // the locked lines as the file now has them
    return 1;
}

// ---- Opening a file into a new view ----------------------------------------------------------

HWND View_BeginOpening() {
    HWND previous = gEngineView;
    WinData* previousData = previous ? View_Data(previous) : nullptr;
    if (previousData)
        View_SaveEngine(previousData, true);
    gOpeningFile = true;
    gEngineView = NULL;
    return previousData ? previous : NULL;
}

void View_GiveEngine(WinData* w) {
    gEngineView = w->window;
}

void View_EndOpening() {
    gOpeningFile = false;
}

bool View_Opening() {
    return gOpeningFile;
}

// ---- Views coming and going ------------------------------------------------------------------

void View_Join(WinData* w) {
    WindowList_Add(w->window);
}

void View_Leave(WinData* w) {
    WindowList_Remove(w->window);
    if (!View_OwnsEngine(w))
        return;
    gEngineView = NULL;
    if (gMessageBoxUp)
        return;
    HWND next = WindowList_FirstView(w->window);
    WinData* other = next ? View_Data(next) : nullptr;
    if (!other || !View_Activate(other, false))
        View_Engine()->file.validMarker = -1;
}

int View_List(HWND* views, int most) {
    int n = 0;
    for (HWND view : gWindowList)
        if (n < most && View_Data(view))
            views[n++] = view;
    return n;
}

void View_CloseViewsOf(const char* path) {
    std::vector<HWND> views(gWindowList);
    for (HWND view : views) {
        if (lstrcmpiA(View_Path(view), path) == 0)
            View_Close(view, false);
    }
}

// ---- Other users of the engine ---------------------------------------------------------------

HWND View_LendEngine() {
    HWND view = gEngineView;
    WinData* w = view ? View_Data(view) : nullptr;
    if (w)
        View_SaveEngine(w, false);
    gEngineView = NULL;
    return w ? view : NULL;
}

void View_ReclaimEngine(HWND view) {
    if (WinData* w = View_Data(view))
        View_Activate(w, false);
}

bool View_Printing() {
    return gPrinting;
}

void View_SetPrinting(bool printing) {
    gPrinting = printing;
    if (printing)
        return;
    for (HWND view : std::vector<HWND>(gWindowList)) {
        WinData* w = View_Data(view);
        if (w && w->paintDue) {
            w->paintDue = false;
            InvalidateRect(view, NULL, TRUE);
        }
    }
}
