// Printing as a user does, to the spooler's PDF printer: the pages land as PDF files, which are
// read back as text. A view with form feeds, page numbers and a three-piece header; an editor
// printing "Selection" with nothing selected; pages 2 to 3 of five; a results list; a directory
// window's files; the print and setup dialogs; and a job cancelled from its abort box.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <dlgs.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "gui/harness.h"
#include "lister/dirwnd_win.h"
#include "print/printjob_win.h"
#include "print/prnsetup_win.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kPrintCaption[] = "Print";
const char kSetupCaption[] = "Print Setup";

// Where the printer puts its PDF files, as the spooler (a Linux program) names the folder.
std::string UnixOut() {
    const char* out = getenv("ORV_PRINT_OUT");
    return out ? out : "";
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool PdfPrinterThere() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, NULL, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, buffer.data(), needed, &needed, &count))
        return false;
    const PRINTER_INFO_4A* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; i++)
        if (std::string(info[i].pPrinterName) == "PDF")
            return true;
    return false;
}

// The spooler's name of the PDF file of the job printed as document doc, once it has landed;
// empty when none did within 60 s.
std::string LandedPdf(const std::string& doc) {
    const std::string folder = WindowsPath(UnixOut()) + "\\";
    std::string found;
    LONGLONG lastSize = -1;
    for (int i = 0; i < 300; i++) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((folder + doc + "*.pdf").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            FindClose(h);
            const LONGLONG size = ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
            // Written once the size stands still.
            if (size > 0 && size == lastSize) {
                found = data.cFileName;
                break;
            }
            lastSize = size;
        }
        Harness_PumpMessages(200);
    }
    return found.empty() ? found : UnixOut() + "/" + found;
}

// The text pdftotext reads from a PDF file, or "" when none came within 30 s. Wine cannot tell
// when a Linux program it started has ended, so the text is written under a second name and
// renamed once whole, and that name is waited for.
std::string PdfText(const std::string& pdf) {
    const std::string text = pdf + ".txt";
    std::string command = "/bin/sh -c \"/usr/bin/pdftotext -fixed 6 '" + pdf + "' '" + text +
                          ".part' && mv '" + text + ".part' '" + text + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                        &startup, &process))
        return "";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string windowsText = WindowsPath(text);
    for (int i = 0; i < 300; i++) {
        if (GetFileAttributesA(windowsText.c_str()) != INVALID_FILE_ATTRIBUTES)
            return Harness_ReadFile(windowsText);
        Harness_PumpMessages(100);
    }
    return "";
}

// The pages of the job printed as document doc, read back with pdftotext: one text per page.
std::vector<std::string> PrintedPages(const std::string& doc) {
    const std::string pdf = LandedPdf(doc);
    if (pdf.empty())
        return {};
    const std::string all = PdfText(pdf);
    std::vector<std::string> pages;
    size_t at = 0;
    for (size_t feed; (feed = all.find('\f', at)) != std::string::npos; at = feed + 1)
        pages.push_back(all.substr(at, feed - at));
    if (at < all.size() && all.find_first_not_of(" \r\n", at) != std::string::npos)
        pages.push_back(all.substr(at));
    return pages;
}

// The page's lines without their blanks at either end, empty ones left out.
std::vector<std::string> Lines(const std::string& page) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < page.size()) {
        size_t end = page.find('\n', at);
        if (end == std::string::npos)
            end = page.size();
        std::string line = page.substr(at, end - at);
        const size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(" \r");
        if (first != std::string::npos)
            lines.push_back(line.substr(first, last - first + 1));
        at = end + 1;
    }
    return lines;
}

class PrintJobTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        folder_ = Harness_ScratchFolder("orv-print");
        Harness_AllowSeconds(90); // a job takes a few seconds to land as a PDF file
        ASSERT_FALSE(UnixOut().empty()) << "no spooler: ORV_PRINT_OUT names no printer folder";
        ASSERT_TRUE(PdfPrinterThere()) << "the spooler's PDF printer is not there";
        // Pages an earlier run left would be taken for this test's.
        const std::string out = WindowsPath(UnixOut()) + "\\";
        for (const std::string& name : Harness_FileNames(out))
            DeleteFileA((out + name).c_str());
        Harness_CascadeNewWindows();
        Harness_SetBoxWatcher(WatchDialogs);
        Harness_LeaveBoxAlone("ORV Print");
        gSettings.header[0] = gSettings.footer[0] = 0;
        gSettings.processFF = 1;
        gSettings.process1 = 0;
        // A fixed pitch keeps the blanks of the read-back text as printed.
        Plat_WriteProfileString("Printer", "Font", "Liberation Mono(10)");
    }
    void TearDown() override {
        ClearLater();
        Print_WatchRowsForTests(nullptr);
        Harness_SetBoxWatcher(nullptr);
        Harness_LeaveBoxAlone(nullptr);
        gOnDialog.clear();
        OrvFrameTest::TearDown();
        Harness_RemoveFolder(folder_);
    }
    HWND View(const char* name, const std::string& text) {
        return View_OpenFile(Harness_WriteFile(folder_ + name, text).c_str());
    }
    static void Command(WORD id) { SendMessageA(gFrame, WM_COMMAND, id, 0); }
    void WatchRows() {
        Print_WatchRowsForTests([this](const std::string& row) { rows_.push_back(row); });
    }
    std::string folder_;
    std::vector<std::string> rows_;
};

TEST_F(PrintJobTest, ViewPagesWithFormFeedsHeaderAndPageNumbers) {
    strcpy(gSettings.header, "&lLeft&cMiddle&rRight");
    strcpy(gSettings.footer, "Page   &p");
    // A, form feed, B; then six lines that are only form feeds: eight pages, the last "end".
    std::string text = "first\r\nA\fB\r\n";
    for (int i = 0; i < 6; i++)
        text += "\f\r\n";
    text += "tab\there\r\nend\r\n";
    ASSERT_TRUE(View("printa.txt", text));
    Command(IDM_PRINT_NOW);
    const std::vector<std::string> pages = PrintedPages("printa");
    ASSERT_EQ(pages.size(), 8u);
    const std::vector<std::string> one = Lines(pages[0]), two = Lines(pages[1]);
    ASSERT_GE(one.size(), 4u);
    EXPECT_EQ(one.front().find("Left"), 0u);
    EXPECT_NE(one.front().find("Middle"), std::string::npos);
    EXPECT_EQ(one.front().substr(one.front().size() - 5), "Right");
    EXPECT_EQ(one[1], "first");
    EXPECT_EQ(one[one.size() - 2], "A"); // on the page's last row, above the footer
    EXPECT_EQ(one.back(), "Page    1");
    ASSERT_GE(two.size(), 3u);
    EXPECT_EQ(two[1], "B");
    EXPECT_EQ(Lines(pages[6]).back(), "Page    7");
    const std::vector<std::string> last = Lines(pages[7]);
    ASSERT_EQ(last.size(), 4u);
    EXPECT_EQ(last[1], "tab     here"); // as the view shows it
    EXPECT_EQ(last[2], "end");
}

TEST_F(PrintJobTest, EditorSelectionWithNothingSelectedPrintsAll) {
    strcpy(gSettings.header, "&cX&lY");
    HWND editor = Editor_Open(Harness_WriteFile(folder_ + "printb.txt", "one\r\n1Title\r\nthree")
                                  .c_str(), false);
    ASSERT_TRUE(editor);
    SendMessageA(Editor_Control(editor), EM_SETSEL, 0, 0);
    struct Seen {
        std::string label, labelAfterDefault, fontKey, fromPage = "?";
        std::vector<std::string> choices;
        int selected = -2;
    };
    static Seen seen;
    seen = Seen();
    gOnDialog[kPrintCaption] = [](HWND dialog) {
        char text[128];
        GetDlgItemTextA(dialog, IDC_PRINT_FONT_LABEL, text, sizeof text);
        seen.label = text;
        HWND list = GetDlgItem(dialog, IDC_PRINT_NEWPAGE);
        for (int i = 0; i < (int)SendMessageA(list, LB_GETCOUNT, 0, 0); i++) {
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            seen.choices.push_back(text);
        }
        seen.selected = (int)SendMessageA(list, LB_GETCURSEL, 0, 0);
        Harness_ClickItem(dialog, IDC_PRINT_DEFAULT);
        GetDlgItemTextA(dialog, IDC_PRINT_FONT_LABEL, text, sizeof text);
        seen.labelAfterDefault = text;
        Plat_GetProfileString("Printer", "Font", "<absent>", text, sizeof text);
        seen.fontKey = text;
        SendMessageA(list, LB_SETCURSEL, 1, 0); // "Process 1 in column one"
        Harness_ClickItem(dialog, rad2);        // "Selection"
        Later([dialog] {
            RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            Harness_PumpMessages(300);
            char from[16] = "?";
            GetDlgItemTextA(dialog, edt1, from, sizeof from);
            seen.fromPage = from;
            Harness_SaveWindowBitmap(dialog, Harness_OutputPath("print-dialog.bmp").c_str());
            Harness_PressItem(dialog, IDOK);
        });
    };
    Harness_Answer(kPrintCaption, nullptr, IDC_PRINT_NEWPAGE);
    Harness_Answer("Format Error", "Header/Footer position codes &l, &c, &r\n must occur in that order.", IDOK);
    gSettings.optionsChanged = 0;
    Command(IDM_PRINT);
    EXPECT_EQ(seen.label, "Liberation Mono(10)");
    EXPECT_EQ(seen.choices, (std::vector<std::string>{"Process Form Feed Characters",
                                                      "Process 1 in column one",
                                                      "Do Not Process New Page Characters"}));
    EXPECT_EQ(seen.selected, 0);
    EXPECT_EQ(seen.labelAfterDefault, "Printer Default");
    EXPECT_EQ(seen.fromPage, ""); // no page range asked for: the boxes stand empty
    EXPECT_EQ(seen.fontKey, "<absent>");
    EXPECT_EQ(gSettings.process1, 1);
    EXPECT_EQ(gSettings.processFF, 0);
    EXPECT_EQ(gSettings.optionsChanged, 1);

    const std::vector<std::string> pages = PrintedPages("printb");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Lines(pages[0]), (std::vector<std::string>{"XY", "one"}));
    EXPECT_EQ(Lines(pages[1]), (std::vector<std::string>{"XY", "Title", "three"}));
}

TEST_F(PrintJobTest, PagesTwoToThreeOfFive) {
    strcpy(gSettings.footer, "Page   &p");
    ASSERT_TRUE(View("printc.txt", "P1\r\n\fP2\r\n\fP3\r\n\fP4\r\n\fP5\r\n"));
    gOnDialog[kPrintCaption] = [](HWND dialog) {
        Harness_ClickItem(dialog, rad3);
        SetDlgItemTextA(dialog, edt1, "2");
        SetDlgItemTextA(dialog, edt2, "3");
    };
    Harness_Answer(kPrintCaption, nullptr, IDOK);
    WatchRows();
    Command(IDM_PRINT);
    EXPECT_EQ(rows_, (std::vector<std::string>{"P2", "P3"})); // no page 4 was begun
    const std::vector<std::string> pages = PrintedPages("printc");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Lines(pages[0]), (std::vector<std::string>{"P2", "Page    2"}));
    EXPECT_EQ(Lines(pages[1]), (std::vector<std::string>{"P3", "Page    3"}));
}

TEST_F(PrintJobTest, ResultsListItemsOfAnyLength) {
    HWND results = Results_Create("*.TXT");
    const std::string wide = "C:\\" + std::string(1500, 'w') + ".TXT";
    for (const std::string& entry : {std::string("C:\\PRINTD\\ONE.TXT"), std::string("C:\\A\fB.TXT"), wide})
        Results_AddEntry(results, entry.c_str());
    SetFocus(Results_List(results));
    WatchRows();
    Command(IDM_PRINT_NOW);
    ASSERT_EQ(rows_.size(), 3u); // in the list's sorted order
    EXPECT_EQ(rows_[0], "C:\\A\fB.TXT"); // a list's form feed starts no page
    EXPECT_EQ(rows_[2], wide);
    char title[MAX_PATH];
    GetWindowTextA(results, title, sizeof title);
    std::string doc = title;
    const std::vector<std::string> pages = PrintedPages(doc.substr(doc.find_last_of("\\:") + 1, 4));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Lines(pages[0])[1], "C:\\PRINTD\\ONE.TXT");
}

TEST_F(PrintJobTest, DirectoryPrintsEachSelectedFile) {
    Harness_WriteFile(folder_ + "printe1.txt", "first file\r\n");
    Harness_WriteFile(folder_ + "printe2.txt", "second file\r\n");
    Harness_WriteFile(folder_ + "printe3.txt", "not selected\r\n");
    HWND dir = DirWindow_Open((folder_ + "*.*").c_str());
    ASSERT_TRUE(dir);
    HWND list = DirWindow_FileList(dir);
    for (const char* name : {"PRINTE1.TXT", "PRINTE2.TXT"}) {
        const int row = DirWindow_FindListed(list, name);
        ASSERT_GE(row, 0) << name;
        SendMessageA(list, LB_SETSEL, TRUE, row);
    }
    SetFocus(list);
    WatchRows();
    Command(IDM_PRINT_NOW);
    EXPECT_EQ(rows_, (std::vector<std::string>{"first file", "second file"}));
    EXPECT_EQ(Lines(PrintedPages("printe2")[0]), (std::vector<std::string>{"second file"}));
}

TEST_F(PrintJobTest, CancelInTheAbortBoxEndsTheJob) {
    ASSERT_TRUE(View("printf.txt", Harness_Lines(400)));
    WatchRows();
    Print_WatchRowsForTests([this](const std::string& row) {
        rows_.push_back(row);
        if (rows_.size() == 40) {
            HWND box = FindWindowA(NULL, "ORV Print");
            ASSERT_TRUE(box);
            EXPECT_FALSE(IsWindowEnabled(gFrame));
            EXPECT_EQ(1, Harness_SaveWindowBitmap(box, Harness_OutputPath("print-abort.bmp").c_str()));
            SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        }
    });
    Command(IDM_PRINT_NOW);
    EXPECT_EQ(rows_.size(), 40u);
    EXPECT_TRUE(IsWindowEnabled(gFrame));
    EXPECT_FALSE(FindWindowA(NULL, "ORV Print"));
}

TEST_F(PrintJobTest, ViewsPaintNothingWhileAViewPrints) {
    HWND other = View("printg2.txt", "the other file\r\n");
    HWND view = View("printg.txt", Harness_Lines(300));
    ASSERT_TRUE(other && view);
    UpdateWindow(other);
    UpdateWindow(view);
    ViewInfo before = {}, during = {};
    ASSERT_EQ(1, View_GetInfo(view, &before));
    Print_WatchRowsForTests([&](const std::string& row) {
        rows_.push_back(row);
        if (rows_.size() != 150)
            return;
        // Both views are uncovered while the job runs: neither may show, or load, the lines
        // being printed.
        for (HWND shown : {other, view}) {
            InvalidateRect(shown, NULL, TRUE);
            UpdateWindow(shown);
        }
        View_GetInfo(view, &during);
    });
    Command(IDM_PRINT_NOW);
    ASSERT_EQ(rows_.size(), 300u);
    for (size_t i = 0; i < rows_.size(); i++)
        ASSERT_EQ(rows_[i], "line " + std::to_string(i + 1));
    EXPECT_STREQ(during.lineText, before.lineText);
    // The paints that came while printing are made up afterwards.
    EXPECT_TRUE(GetUpdateRect(view, NULL, FALSE));
    EXPECT_TRUE(GetUpdateRect(other, NULL, FALSE));
    UpdateWindow(view);
    ViewInfo after = {};
    View_GetInfo(view, &after);
    EXPECT_EQ(after.topLine, before.topLine);
    EXPECT_STREQ(after.lineText, before.lineText);
    EXPECT_FALSE(PrintedPages("printg").empty());
}

TEST_F(PrintJobTest, SetupSavesThePrinterAndRetriesWithoutAGoneOne) {
    Harness_Answer(kSetupCaption, nullptr, IDOK);
    Command(IDM_PRINTER_SETUP);
    char value[256];
    Plat_GetProfileString("Printer", "Printer", "", value, sizeof value);
    EXPECT_EQ(std::string(value).substr(0, 5), "PDF, ");
    Plat_GetProfileString("Printer", "Orientation", "", value, sizeof value);
    EXPECT_STREQ(value, "1");

    // A printer that is no longer there: the dialog comes up again with the ones there are.
    // (Wine itself offers the others at once, so the "not found" answer is made up here.)
    Plat_WriteProfileString("Printer", "Printer", "Gone Printer, winspool, Nowhere:");
    static int calls;
    calls = 0;
    Printer_SetDialogForTests([](PRINTDLGA* pd, DWORD* error) -> BOOL {
        calls++;
        if (pd->hDevNames) {
            *error = 4107;
            return FALSE;
        }
        return PrintDlgA(pd);
    });
    Harness_Answer(kSetupCaption, nullptr, IDOK);
    Command(IDM_PRINTER_SETUP);
    EXPECT_EQ(calls, 2);
    Plat_GetProfileString("Printer", "Printer", "", value, sizeof value);
    EXPECT_EQ(std::string(value).substr(0, 5), "PDF, ");

    // Failing again, the error is shown.
    Printer_SetDialogForTests([](PRINTDLGA*, DWORD* error) -> BOOL {
        *error = 4107;
        return FALSE;
    });
    Harness_Answer("Error", "Printer Dialog Error 4107", IDOK);
    Command(IDM_PRINTER_SETUP);
    Printer_SetDialogForTests(nullptr);
}

} // namespace

namespace {

TEST_F(PrintJobTest, DeviceModeComesFromTheSpoolerNotFromADriverNamedInTheSettings) {
    // The driver named here is never loaded: the spooler knows the printer and its settings.
    Plat_WriteProfileString("Printer", "Printer", "PDF, orvtrap, CUPS:PDF");
    Plat_WriteProfileString("Printer", "Orientation", "2");
    Printer_Load();
    ASSERT_TRUE(gPrinter.devMode);
    const DEVMODEA* dm = static_cast<const DEVMODEA*>(GlobalLock(gPrinter.devMode));
    EXPECT_STREQ(reinterpret_cast<const char*>(dm->dmDeviceName), "PDF");
    EXPECT_EQ(dm->dmOrientation, DMORIENT_LANDSCAPE);
    GlobalUnlock(gPrinter.devMode);
    EXPECT_FALSE(GetModuleHandleA("orvtrap.drv"));
    EXPECT_EQ(Printer_Orientation(NULL), 2);
}

// The bench: a 10,000-line file printed to the test printer, timed to the spooled job and to
// the PDF landing.
TEST_F(PrintJobTest, BenchTenThousandLines) {
    if (!GetEnvironmentVariableA("ORV_PRINT_BENCH", NULL, 0))
        GTEST_SKIP() << "set ORV_PRINT_BENCH to run";
    Harness_AllowSeconds(300);
    strcpy(gSettings.header, "&l&f&rPage   &p");
    std::string text;
    for (int i = 1; i <= 10000; i++)
        text += "line " + std::to_string(i) + "\tof the print bench, with some words after it\r\n";
    ASSERT_TRUE(View("printbench.txt", text));
    const double start = Harness_NowMs();
    Command(IDM_PRINT_NOW);
    const double spooled = (Harness_NowMs() - start) / 1000;
    const std::vector<std::string> pages = PrintedPages("printbench");
    const double landed = (Harness_NowMs() - start) / 1000;
    ASSERT_FALSE(pages.empty());
    printf("\nprint bench under Wine: 10,000 lines, %zu pages\n", pages.size());
    printf("  spooled job   %7.2f s  (%.1f pages/s)\n", spooled, pages.size() / spooled);
    printf("  PDF read back %7.2f s  (%.1f pages/s, the spooler's PDF and pdftotext included)\n",
           landed, pages.size() / landed);
}

} // namespace
