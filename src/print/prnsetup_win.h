// The chosen printer on the Win32 side: its device-names and device-mode blocks, the printer
// font, the printer setup and the print dialog of a job with the program's own template.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "print/prnsettings.h"

struct PrinterState {
    HGLOBAL devNames; // the system's device-names layout; null while no printer is known
    HGLOBAL devMode;  // null: the driver's defaults
    PrinterNames names;
    PrinterFont font;
    HFONT fontHandle; // made from font at the start of a job
    bool chosenFontInUse;
};
extern PrinterState gPrinter;

// What the print dialog of a job chose.
enum PrintRangeKind { kRangeAll, kRangeSelection, kRangePages };
struct PrintChoice {
    HDC dc;
    PrintRangeKind range;
    int32_t fromPage, toPage;
};

// Reads the "Printer" section, rebuilding the blocks (the system's default printer when none is
// saved). A device mode already held for the same printer is kept; otherwise the spooler is
// asked for one.
void Printer_Load();
// Writes the "Printer" section from the blocks and the printer font.
void Printer_Save();
// "P&rinter Setup..." and the page setup's "Prn &Setup...": load, show the system's setup
// dialog, save when it is confirmed. 1 confirmed, 0 cancelled or failed.
int Printer_Setup(HWND owner);
// The printer context and range for a job: without the dialog (command 95, a printer known)
// straight from the saved printer; else through the print dialog. 1 with a printer context, 0
// when no context could be had, -1 when the dialog was cancelled.
int Printer_ChooseForJob(HWND owner, bool withDialog, PrintChoice* choice);
// An information context on the chosen printer (or the system's default one), for measuring
// and the font chooser; null when there is none.
HDC Printer_InfoContext();
// The paper orientation the job lays its page out for: 1 portrait, 2 landscape.
int32_t Printer_Orientation(HDC dc);

// The hook of the print dialog's template: the printer font and the new-page list.
UINT_PTR CALLBACK CommonPrintDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Tests stand in for the system's print dialog (setup, a job's, and the default printer's): the
// result, and the extended error code in *error (null: the system's own again).
typedef BOOL (*PrinterDialogFn)(PRINTDLGA* pd, DWORD* error);
void Printer_SetDialogForTests(PrinterDialogFn dialog);
// Tests read the print dialog's template name here.
const char* Printer_TemplateName();
