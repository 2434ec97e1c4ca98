// The print job: the printer context and font, the page frame and layout, the abort box, and
// the lines of a view, an editor or a results list fed to the pager, which says where each goes.
#include "print/printjob_win.h"

#include <stdio.h>
#include <string.h>

#include "editor/editwnd_win.h"
#include "editor/textfile.h"
#include "look/dlgcolor_win.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "print/pagelayout.h"
#include "print/pager.h"
#include "print/printview.h"
#include "print/prnsetup_win.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "search/selqueue_win.h"
#include "shell/frame_win.h"
#include "shell/settings.h"
#include "shell/startup_win.h"
#include "viewer/engine.h"
#include "viewer/selcopy.h"
#include "viewer/viewwnd_win.h"
#include "viewer/windata_win.h"

namespace {

const char kCannotPrint[] = "Cannot print";
const char kNoAbortWindow[] = "NULL Abort window handle";
const char kCannotStart[] = "Unable to start print job";

enum SourceKind { kSourceView = 1, kSourceEditor = 2, kSourceList = 3 };

struct PrintJob {
    SourceKind kind;
    HDC dc;
    int32_t lineHeight;
    PageLayout layout;
    Pager pager;
    bool tabs; // an editor's text is drawn with its tab stops
    int tabStop;
    char docName[MAX_PATH];
    char deviceName[kPrinterNameMax];
    int64_t shownLine; // the number the abort box shows
    int64_t linesSincePump;
};

PrintJob gJob;
bool gAbort = false;
HWND gAbortDialog = NULL;
std::function<void(const std::string&)> gRowWatch;

void Say(const char* text) {
    PromptRequest request = {text, nullptr, kButtonsOk, kIconError, kPromptOwnedByFocus};
    Ui_Ask(request);
}

int32_t Measure(void*, const char* text, int32_t count) {
    SIZE size = {};
    if (count > 0)
        GetTextExtentPoint32A(gJob.dc, text, count, &size);
    return size.cx;
}

void SelectFont() {
    if (gPrinter.fontHandle)
        SelectObject(gJob.dc, gPrinter.fontHandle);
    SetBkMode(gJob.dc, TRANSPARENT);
}

void DrawRow(void*, int32_t row, const char* text, int32_t count) {
    const int y = gJob.layout.body.top + row * gJob.lineHeight;
    if (gRowWatch)
        gRowWatch(std::string(text, (size_t)count));
    if (gJob.tabs)
        TabbedTextOutA(gJob.dc, gJob.layout.body.left, y, text, count, 1, &gJob.tabStop,
                       gJob.layout.body.left);
    else
        TextOutA(gJob.dc, gJob.layout.body.left, y, text, count);
}

void DrawTemplate(const PlacedTemplate& t, int32_t page) {
    char text[kTemplateMax + 1];
    Template_PageText(t.text, page, text);
    const size_t length = strlen(text);
    for (const TemplatePiece* p : {&t.left, &t.centre, &t.right}) {
        if (p->count <= 0 || (size_t)p->start >= length)
            continue;
        const int count = (int)std::min<size_t>((size_t)p->count, length - (size_t)p->start);
        TextOutA(gJob.dc, p->x, t.y, text + p->start, count);
    }
}

void DrawHeader(void*, int32_t page) {
    DrawTemplate(gJob.layout.header, page);
}

void DrawFooter(void*, int32_t page) {
    DrawTemplate(gJob.layout.footer, page);
}

int NextPage(void*) {
    if (EndPage(gJob.dc) < 0 || StartPage(gJob.dc) < 0)
        return -1;
    SelectFont();
    return 1;
}

int Progress(void*) {
    char text[32];
    if (gJob.kind == kSourceView)
        snprintf(text, sizeof text, "%ld", (long)gJob.shownLine);
    else
        snprintf(text, sizeof text, "%u", (unsigned)gJob.shownLine);
    if (gAbortDialog)
        SetDlgItemTextA(gAbortDialog, IDC_ABORT_LINE, text);
    // The abort box answers between pages through the printer; between lines too, here.
    if (++gJob.linesSincePump >= 16) {
        gJob.linesSincePump = 0;
        AbortProc(gJob.dc, 0);
    }
    return gAbort ? 1 : 0;
}

struct ViewFeed {
    std::string copy;
};

int FeedViewLine(void* context, int64_t line, const char* text, int32_t count) {
    // A copy: the pager may hold text back for the next page past the abort box's messages.
    ViewFeed* feed = static_cast<ViewFeed*>(context);
    feed->copy.assign(text, (size_t)count);
    gJob.shownLine = line;
    return Pager_Line(&gJob.pager, feed->copy.data(), count, true);
}

void PrintView(HWND view, PrintRangeKind range) {
    WinData* w = View_Data(view);
    if (!w || !View_Activate(w, false))
        return;
    PrintViewRange lines;
    const ViewSelection selection = {w->selFromLine, w->selToLine, w->selFromColumn,
                                     w->selToColumn, w->selectionState};
    if (range != kRangeSelection || !PrintView_SelectionRange(selection, &lines))
        PrintView_AllRange(&lines);
    ViewFeed feed;
    View_SetPrinting(true);
    PrintView_Walk(&gEngine, lines, FeedViewLine, &feed);
    View_SetPrinting(false);
}

std::string EditLine(HWND edit, int64_t line) {
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, (WPARAM)line, 0);
    const LRESULT length = start < 0 ? 0 : SendMessageA(edit, EM_LINELENGTH, (WPARAM)start, 0);
    std::string text((size_t)length + 2, '\0');
    if (length > 0) {
        // EM_GETLINE takes the room in the buffer's first word.
        *reinterpret_cast<WORD*>(&text[0]) = (WORD)std::min<LRESULT>(length + 1, 0xFFFF);
        const LRESULT got = SendMessageA(edit, EM_GETLINE, (WPARAM)line,
                                         reinterpret_cast<LPARAM>(&text[0]));
        text.resize((size_t)std::max<LRESULT>(got, 0));
    } else {
        text.clear();
    }
    return text;
}

void PrintEditor(HWND editor, PrintRangeKind range) {
    HWND edit = Editor_Control(editor);
    if (!edit)
        return;
    DWORD selStart = 0, selEnd = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    int64_t first = 0, last = SendMessageA(edit, EM_GETLINECOUNT, 0, 0) - 1;
    int64_t startPos = 0, endPos = -1;
    const bool cut = range == kRangeSelection && selEnd > selStart;
    if (cut) {
        first = SendMessageA(edit, EM_LINEFROMCHAR, selStart, 0);
        last = SendMessageA(edit, EM_LINEFROMCHAR, selEnd - 1, 0);
        startPos = selStart - SendMessageA(edit, EM_LINEINDEX, (WPARAM)first, 0);
        endPos = selEnd - SendMessageA(edit, EM_LINEINDEX, (WPARAM)last, 0) - 1;
    }
    for (int64_t line = first; line <= last; line++) {
        std::string text = EditLine(edit, line);
        if (cut && line == last && endPos + 1 < (int64_t)text.size())
            text.resize((size_t)(endPos + 1));
        if (cut && line == first)
            text.erase(0, (size_t)std::min<int64_t>(startPos, (int64_t)text.size()));
        gJob.shownLine = line + 1;
        if (!Pager_Line(&gJob.pager, text.data(), (int32_t)text.size(), true))
            break;
    }
}

void PrintList(HWND results, PrintRangeKind range) {
    HWND list = Results_List(results);
    if (!list)
        return;
    std::vector<int> items;
    if (range == kRangeSelection) {
        const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
        if (count > 0) {
            items.resize((size_t)count);
            const LRESULT got = SendMessageA(list, LB_GETSELITEMS, (WPARAM)count,
                                             reinterpret_cast<LPARAM>(items.data()));
            items.resize(got > 0 ? (size_t)got : 0);
        }
    }
    if (items.empty()) {
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; i++)
            items.push_back(i);
    }
    for (int index : items) {
        const std::string text = List_ItemText(list, index);
        gJob.shownLine = index + 1;
        if (!Pager_Line(&gJob.pager, text.data(), (int32_t)text.size(), false))
            break;
    }
}

void MakePrinterFont(HDC dc) {
    if (gPrinter.fontHandle || gPrinter.font.tenths <= 0 || !gPrinter.font.face[0])
        return;
    const int height = -(gPrinter.font.tenths / 10) * GetDeviceCaps(dc, LOGPIXELSY) / 72;
    gPrinter.fontHandle =
        CreateFontA(height, 0, 0, 0, gPrinter.font.bold ? FW_BOLD : FW_NORMAL,
                    gPrinter.font.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, gPrinter.font.face);
}

} // namespace

void Print_WatchRowsForTests(std::function<void(const std::string& row)> watch) {
    gRowWatch = watch;
}

BOOL CALLBACK AbortProc(HDC, int) {
    MSG msg;
    while (!gAbort && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!gAbortDialog || !IsDialogMessageA(gAbortDialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !gAbort;
}

INT_PTR CALLBACK AbortDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_ABORT_FILE, gJob.docName);
        SetDlgItemTextA(dialog, IDC_ABORT_DEVICE, gJob.deviceName);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            gAbort = true;
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

namespace {

// The names and dates the header and footer codes stand for, the tab stops of an editor's text
// and the page's layout, measured on the printer.
void PrepareLayout(const WindowTarget& target) {
    SelectFont();
    TEXTMETRICA tm = {};
    GetTextMetricsA(gJob.dc, &tm);
    gJob.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    if (gJob.lineHeight < 1)
        gJob.lineHeight = 1;
    int offsetX = GetDeviceCaps(gJob.dc, PHYSICALOFFSETX);
    int offsetY = GetDeviceCaps(gJob.dc, PHYSICALOFFSETY);
    if (Printer_Orientation(gJob.dc) == 2)
        std::swap(offsetX, offsetY);
    const PageRect frameRect = {0, offsetY, GetDeviceCaps(gJob.dc, HORZRES) - 2 * offsetX,
                                GetDeviceCaps(gJob.dc, VERTRES) - 2 * offsetY};

    std::string name;
    char date[8] = "", time[6] = "";
    if (gJob.kind == kSourceView) {
        name = View_Path(target.window);
        if (WinData* w = View_Data(target.window))
            Print_FormatFileStamp(w->file.fileTime, date, time);
    } else {
        char title[MAX_PATH] = "";
        GetWindowTextA(target.window, title, sizeof title);
        name = title;
        PlatLocalTime now;
        Plat_Now(&now);
        Print_FormatDate(now.day, now.month, now.year, true, date);
        Print_FormatTime(now.hour, now.minute, time);
    }
    if (gJob.kind == kSourceEditor) {
        gJob.tabs = true;
        gJob.tabStop = Editor_TabWidth(target.window) * tm.tmAveCharWidth;
        if (gJob.tabStop < 1)
            gJob.tabStop = 8 * (tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1);
    }
    snprintf(gJob.docName, sizeof gJob.docName, "%s", TextFile_NamePart(name.c_str()));
    snprintf(gJob.deviceName, sizeof gJob.deviceName, "%s", gPrinter.names.device);

    const PageLayoutInput in = {gSettings.header, gSettings.footer, gSettings.leftMargin,
                                gSettings.topMargin, gSettings.bottomMargin,
                                GetDeviceCaps(gJob.dc, LOGPIXELSX),
                                GetDeviceCaps(gJob.dc, LOGPIXELSY), frameRect, gJob.lineHeight,
                                name.c_str(), date, time, Measure, nullptr};
    PageLayout_Prepare(in, &gJob.layout);
}

// The abort box and the document on the printer, the first page begun and the frame disabled
// while the job runs. Null, or what to tell the user when the job cannot start.
const char* OpenDocument(HWND frame) {
    gAbortDialog = CreateDialogParamA(gInstance, "AbortDlg", frame, AbortDlg, 0);
    if (!gAbortDialog)
        return kNoAbortWindow;
    SetAbortProc(gJob.dc, AbortProc);
    // The data type is the system's to choose: a named one the spooler does not know fails.
    DOCINFOA doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = gJob.docName;
    if (StartDocA(gJob.dc, &doc) <= 0 || StartPage(gJob.dc) <= 0)
        return kCannotStart;
    SelectFont();
    ShowWindow(gAbortDialog, SW_SHOW);
    EnableWindow(frame, FALSE);
    return nullptr;
}

// Starts the job on the chosen printer: the job record, the page's layout, the abort box and the
// document, all under the busy cursor. Null, or what to tell the user when it cannot start.
const char* StartJob(HWND frame, SourceKind kind, const WindowTarget& target,
                     const PrintChoice& choice) {
    memset(&gJob, 0, sizeof gJob);
    gJob.kind = kind;
    gJob.dc = choice.dc;
    gAbort = false;
    MakePrinterFont(gJob.dc);
    void* busy = Ui_BeginBusy(nullptr);
    PrepareLayout(target);
    const char* failure = OpenDocument(frame);
    Ui_EndBusy(busy);
    return failure;
}

// Feeds the window's lines (all, the selection or a range of pages) to the pager.
void FeedJob(const WindowTarget& target, const PrintChoice& choice) {
    Pager& p = gJob.pager;
    p.cb = {nullptr, DrawRow, DrawHeader, DrawFooter, NextPage, Progress};
    p.linesPerPage = (gJob.layout.body.bottom - gJob.layout.body.top) / gJob.lineHeight - 1;
    p.rule = gSettings.processFF ? kNewPageFormFeed
             : gSettings.process1 ? kNewPageColumnOne
                                  : kNewPageNone;
    p.hasHeader = gJob.layout.hasHeader;
    p.hasFooter = gJob.layout.hasFooter;
    p.pageRange = choice.range == kRangePages;
    p.fromPage = choice.fromPage;
    p.toPage = choice.toPage;
    Pager_Start(&p);

    switch (gJob.kind) {
    case kSourceView:
        PrintView(target.window, choice.range);
        break;
    case kSourceEditor:
        PrintEditor(target.window, choice.range);
        break;
    case kSourceList:
        PrintList(target.window, choice.range);
        break;
    }
}

// Ends the job, whether it ran (failure null), was stopped in the abort box or never started:
// the document finished or abandoned, the frame enabled again, the abort box and the printer's
// context gone, and a job that could not start told. 1 when the job was printed, else 0.
int EndJob(HWND frame, const char* failure) {
    if (!failure) {
        if (gAbort || gJob.pager.aborted) {
            AbortDoc(gJob.dc);
        } else {
            Pager_Finish(&gJob.pager);
            EndPage(gJob.dc);
            EndDoc(gJob.dc);
        }
        EnableWindow(frame, TRUE);
    }
    if (gAbortDialog) {
        DestroyWindow(gAbortDialog);
        gAbortDialog = NULL;
    }
    if (failure)
        Say(failure);
    DeleteDC(gJob.dc);
    gJob.dc = NULL;
    return failure || gAbort ? 0 : 1;
}

} // namespace

int Print_Window(HWND frame, WORD id, const WindowTarget& target) {
    SourceKind kind;
    switch (target.kind) {
    case kKindView:
        kind = kSourceView;
        break;
    case kKindEditor:
        kind = kSourceEditor;
        break;
    case kKindResults:
        kind = kSourceList;
        break;
    default:
        return 0;
    }
    const bool withDialog = id == IDM_PRINT;
    if (withDialog || !gPrinter.devNames)
        Printer_Load();
    PrintChoice choice;
    const int chosen = Printer_ChooseForJob(target.window, withDialog, &choice);
    if (chosen < 0)
        return 0; // a Cancel in the print dialog asks for nothing
    if (chosen == 0) {
        Say(kCannotPrint);
        return 0;
    }
    const char* failure = StartJob(frame, kind, target, choice);
    if (!failure)
        FeedJob(target, choice);
    return EndJob(frame, failure);
}

void Print_Files(HWND frame, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        Frame_BeforeOpening(NULL);
        HWND view = View_OpenFile(path.c_str(), 1);
        if (!view)
            continue;
        WindowTarget target = {};
        target.kind = kKindView;
        target.window = view;
        if (!Print_Window(frame, IDM_PRINT_NOW, target) && gAbort)
            break;
    }
}
