// The print commands up to the printer, with the system's print dialogs stood in for: the device
// mode chosen in Printer Setup reaches the next print, "Cannot print" comes only where there is no
// printer context, and the abort box stays hidden until the document has started.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>

#include "gui/harness.h"
#include "print/prnsetup_win.h"
#include "resources/resource.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kCannotPrint[] = "Cannot print";

// A device mode as a printer's own setup dialog leaves it: paper, tray, duplex and resolution.
HGLOBAL ChosenDeviceMode(const char* device) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    DEVMODEA* dm = static_cast<DEVMODEA*>(GlobalLock(block));
    snprintf(reinterpret_cast<char*>(dm->dmDeviceName), sizeof dm->dmDeviceName, "%s", device);
    dm->dmSize = sizeof *dm;
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmPaperSize = DMPAPER_A5;
    dm->dmDefaultSource = DMBIN_MANUAL;
    dm->dmDuplex = DMDUP_VERTICAL;
    dm->dmPrintQuality = 600;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    dm->dmFields = DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_DUPLEX | DM_PRINTQUALITY | DM_ORIENTATION;
    GlobalUnlock(block);
    return block;
}

struct DeviceModeSeen {
    bool there = false;
    short paper = 0, source = 0, duplex = 0, quality = 0, orientation = 0;
};

DeviceModeSeen Seen(HGLOBAL block) {
    DeviceModeSeen seen;
    if (const DEVMODEA* dm = block ? static_cast<const DEVMODEA*>(GlobalLock(block)) : nullptr) {
        seen = {true, dm->dmPaperSize, dm->dmDefaultSource, dm->dmDuplex, dm->dmPrintQuality,
                dm->dmOrientation};
        GlobalUnlock(block);
    }
    return seen;
}

// What the stand-in dialog does and saw.
struct Dialogs {
    int setups = 0, jobs = 0, defaults = 0;
    DeviceModeSeen atJob;
    BOOL jobAnswer = FALSE;
    HDC jobContext = NULL;
};
Dialogs gDialogs;

BOOL StandIn(PRINTDLGA* pd, DWORD* error) {
    *error = 0;
    if (pd->Flags & PD_PRINTSETUP) {
        gDialogs.setups++;
        if (pd->hDevMode)
            GlobalFree(pd->hDevMode);
        pd->hDevMode = ChosenDeviceMode("Stand-in Printer");
        return TRUE;
    }
    if (!(pd->Flags & PD_ENABLEPRINTTEMPLATE)) {
        gDialogs.defaults++; // the system's default printer, asked for without a dialog
        return FALSE;
    }
    gDialogs.jobs++;
    gDialogs.atJob = Seen(pd->hDevMode);
    pd->hDC = gDialogs.jobAnswer ? gDialogs.jobContext : NULL;
    return gDialogs.jobAnswer;
}

void ForgetPrinter() {
    for (HGLOBAL* block : {&gPrinter.devNames, &gPrinter.devMode}) {
        if (*block)
            GlobalFree(*block);
        *block = NULL;
    }
    memset(&gPrinter.names, 0, sizeof gPrinter.names);
}

class PrintCommandTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        ForgetPrinter();
        gDialogs = Dialogs();
        Printer_SetDialogForTests(StandIn);
        Harness_CascadeNewWindows();
        folder_ = Harness_ScratchFolder("orv-printcmd");
    }
    void TearDown() override {
        Printer_SetDialogForTests(nullptr);
        Harness_SetBoxWatcher(nullptr);
        Harness_LeaveBoxAlone(nullptr);
        ForgetPrinter();
        OrvFrameTest::TearDown();
        Harness_RemoveFolder(folder_);
    }
    HWND View() {
        return View_OpenFile(Harness_WriteFile(folder_ + "cmd.txt", "one\r\ntwo\r\n").c_str());
    }
    static void Command(WORD id) { SendMessageA(gFrame, WM_COMMAND, id, 0); }
    std::string folder_;
};

TEST_F(PrintCommandTest, DeviceModeChosenInSetupReachesTheNextPrint) {
    Plat_WriteProfileString("Printer", "Printer", "Stand-in Printer, winspool, LPT1:");
    Command(IDM_PRINTER_SETUP);
    ASSERT_EQ(gDialogs.setups, 1);
    ASSERT_TRUE(View());
    Command(IDM_PRINT); // cancelled in the stand-in dialog: nothing is said
    ASSERT_EQ(gDialogs.jobs, 1);
    const DeviceModeSeen& seen = gDialogs.atJob;
    ASSERT_TRUE(seen.there);
    EXPECT_EQ(seen.paper, DMPAPER_A5);
    EXPECT_EQ(seen.source, DMBIN_MANUAL);
    EXPECT_EQ(seen.duplex, DMDUP_VERTICAL);
    EXPECT_EQ(seen.quality, 600);
    EXPECT_EQ(seen.orientation, DMORIENT_LANDSCAPE);
    Printer_Load();
    EXPECT_EQ(Seen(gPrinter.devMode).paper, DMPAPER_A5);

    // Another printer starts from its own settings, not from this one's.
    Plat_WriteProfileString("Printer", "Printer", "Other Printer, winspool, LPT2:");
    Printer_Load();
    EXPECT_NE(Seen(gPrinter.devMode).paper, DMPAPER_A5);
    EXPECT_STREQ(gPrinter.names.device, "Other Printer");
}

// Which of the two print commands, with which printer, and whether "Cannot print" shows.
struct CannotPrintCase {
    const char* name;
    WORD command;
    const char* savedPrinter; // null: none saved, and the system has no default either
    BOOL dialogAnswer;        // the print dialog's OK (without a context) or Cancel
    bool says;
};

class CannotPrintTest : public PrintCommandTest,
                        public ::testing::WithParamInterface<CannotPrintCase> {};

TEST_P(CannotPrintTest, OnlyWhereThePrinterContextIsMissing) {
    const CannotPrintCase& c = GetParam();
    if (c.savedPrinter)
        Plat_WriteProfileString("Printer", "Printer", c.savedPrinter);
    gDialogs.jobAnswer = c.dialogAnswer;
    ASSERT_TRUE(View());
    if (c.says)
        Harness_Answer(nullptr, kCannotPrint, IDOK);
    Command(c.command);
    Harness_PumpMessages(50);
}

INSTANTIATE_TEST_SUITE_P(
    PrintCommands, CannotPrintTest,
    ::testing::Values(
        CannotPrintCase{"PrintCancelled", IDM_PRINT, nullptr, FALSE, false},
        CannotPrintCase{"PrintNowFallsBackToTheDialogAndIsCancelled", IDM_PRINT_NOW, nullptr,
                        FALSE, false},
        CannotPrintCase{"PrintConfirmedWithoutAContext", IDM_PRINT, nullptr, TRUE, true},
        CannotPrintCase{"PrintNowOnAPrinterThatMakesNoContext", IDM_PRINT_NOW,
                        "Gone Printer, winspool, Nowhere:", FALSE, true}),
    ByName());

// Whether the abort box was ever put on the screen: every window shown gets WM_SHOWWINDOW.
bool gAbortBoxShown = false;

LRESULT CALLBACK WatchShows(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SHOWWINDOW && sent->wParam) {
        char caption[32] = "";
        GetWindowTextA(sent->hwnd, caption, sizeof caption);
        if (strcmp(caption, "ORV Print") == 0)
            gAbortBoxShown = true;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

TEST_F(PrintCommandTest, AbortBoxWaitsForTheDocumentToStart) {
    // A screen context takes no document: the job stops before any line is printed.
    gDialogs.jobAnswer = TRUE;
    gDialogs.jobContext = CreateCompatibleDC(NULL);
    ASSERT_TRUE(gDialogs.jobContext);
    ASSERT_TRUE(View());
    gAbortBoxShown = false;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchShows, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    Harness_LeaveBoxAlone("ORV Print");
    Harness_Answer(nullptr, "Unable to start print job", IDOK);
    Command(IDM_PRINT);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(gAbortBoxShown);
    EXPECT_FALSE(FindWindowA(NULL, "ORV Print"));
    EXPECT_TRUE(IsWindowEnabled(gFrame));
}

} // namespace
