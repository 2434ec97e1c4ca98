// The chosen printer: its blocks, the "Printer" section, the setup and print dialogs.
//
// A printer's device mode always comes from the spooler (OpenPrinter and DocumentProperties),
// never from loading a driver library named in ORV32.INI: a name written into the settings
// file must not decide which code the program runs.
#include "print/prnsetup_win.h"

#include <commdlg.h>
#include <dlgs.h>
#include <stdio.h>
#include <string.h>
#include <winspool.h>

#include "look/commondlg_win.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/settings.h"
#include "shell/startup_win.h"
#include "platform/platform.h"
#include "platform/uiseam.h"

PrinterState gPrinter = {};

namespace {

constexpr UINT kMaxPrintPage = 0xFFFE; // the highest page the print dialog takes

const char kTemplate[] = "ORVCOMMONPRINTBOX";
const char kTemplate95[] = "ORVCOMMONPRINTBOXW95";
const char kPrinterDefault[] = "Printer Default";
const char* const kNewPageChoices[3] = {"Process Form Feed Characters", "Process 1 in column one",
                                         "Do Not Process New Page Characters"};
constexpr DWORD kPrinterNotFound = 4107; // PDERR_PRINTERNOTFOUND

// The system's dialog and its error code, unless a test stands in for them.
PrinterDialogFn gDialog = nullptr;
DWORD gDialogError = 0;

BOOL RunPrintDialog(PRINTDLGA* pd) {
    if (!gDialog)
        return PrintDlgA(pd);
    gDialogError = 0;
    return gDialog(pd, &gDialogError);
}

DWORD DialogError() {
    return gDialog ? gDialogError : CommDlgExtendedError();
}

void FreeBlock(HGLOBAL* block) {
    if (*block)
        GlobalFree(*block);
    *block = NULL;
}

// Builds a device-names block: the device right after the header, then the driver, then the
// port, each ending in a zero.
HGLOBAL MakeDevNames(const PrinterNames& n) {
    const size_t device = strlen(n.device) + 1, driver = strlen(n.driver) + 1,
                 port = strlen(n.port) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + device + driver + port);
    if (!block)
        return NULL;
    DEVNAMES* d = static_cast<DEVNAMES*>(GlobalLock(block));
    char* base = reinterpret_cast<char*>(d);
    d->wDeviceOffset = (WORD)sizeof(DEVNAMES);
    d->wDriverOffset = (WORD)(d->wDeviceOffset + device);
    d->wOutputOffset = (WORD)(d->wDriverOffset + driver);
    d->wDefault = 0;
    memcpy(base + d->wDeviceOffset, n.device, device);
    memcpy(base + d->wDriverOffset, n.driver, driver);
    memcpy(base + d->wOutputOffset, n.port, port);
    GlobalUnlock(block);
    return block;
}

// Splits the device-names block into the three names.
void NamesFromBlock() {
    memset(&gPrinter.names, 0, sizeof gPrinter.names);
    if (!gPrinter.devNames)
        return;
    const DEVNAMES* d = static_cast<const DEVNAMES*>(GlobalLock(gPrinter.devNames));
    if (!d)
        return;
    const char* base = reinterpret_cast<const char*>(d);
    snprintf(gPrinter.names.device, sizeof gPrinter.names.device, "%s", base + d->wDeviceOffset);
    snprintf(gPrinter.names.driver, sizeof gPrinter.names.driver, "%s", base + d->wDriverOffset);
    snprintf(gPrinter.names.port, sizeof gPrinter.names.port, "%s", base + d->wOutputOffset);
    GlobalUnlock(gPrinter.devNames);
}

// The printer's device mode from the spooler, starting from the current one when there is one.
HGLOBAL DevModeFromSpooler(const char* device, HGLOBAL current) {
    HANDLE printer = NULL;
    if (!device[0] || !OpenPrinterA(const_cast<char*>(device), &printer, NULL))
        return NULL;
    HGLOBAL block = NULL;
    const LONG size = DocumentPropertiesA(NULL, printer, const_cast<char*>(device), NULL, NULL, 0);
    if (size > 0 && (block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)size)) != NULL) {
        DEVMODEA* out = static_cast<DEVMODEA*>(GlobalLock(block));
        DEVMODEA* in = current ? static_cast<DEVMODEA*>(GlobalLock(current)) : NULL;
        const LONG got = DocumentPropertiesA(NULL, printer, const_cast<char*>(device), out, in,
                                             DM_OUT_BUFFER | (in ? DM_IN_BUFFER : 0));
        if (in)
            GlobalUnlock(current);
        GlobalUnlock(block);
        if (got != IDOK)
            FreeBlock(&block);
    }
    ClosePrinter(printer);
    return block;
}

// The system's default printer, asked of the print dialog without showing it.
void TakeDefaultPrinter() {
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (RunPrintDialog(&pd)) {
        gPrinter.devNames = pd.hDevNames;
        gPrinter.devMode = pd.hDevMode;
    }
}

void SetOrientation(int32_t orientation) {
    if (!gPrinter.devMode)
        return;
    if (DEVMODEA* dm = static_cast<DEVMODEA*>(GlobalLock(gPrinter.devMode))) {
        dm->dmOrientation = (short)orientation;
        dm->dmFields |= DM_ORIENTATION;
        GlobalUnlock(gPrinter.devMode);
    }
}

void ShowFontLabel(HWND dialog) {
    char spec[kFontSpecMax];
    if (gPrinter.font.face[0])
        Printer_FontSpec(gPrinter.font, spec, sizeof spec);
    else
        snprintf(spec, sizeof spec, "%s", kPrinterDefault);
    SetDlgItemTextA(dialog, IDC_PRINT_FONT_LABEL, spec);
}

// "Fonts": the system's font chooser on the printer's own fonts.
void ChoosePrinterFont(HWND dialog) {
    HDC ic = Printer_InfoContext();
    LOGFONTA lf = {};
    snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", gPrinter.font.face);
    if (ic && gPrinter.font.tenths > 0)
        lf.lfHeight = -MulDiv(gPrinter.font.tenths, GetDeviceCaps(ic, LOGPIXELSY), 720);
    lf.lfWeight = gPrinter.font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (BYTE)(gPrinter.font.italic ? 1 : 0);
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = dialog;
    cf.hDC = ic;
    cf.lpLogFont = &lf;
    cf.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    if (!ic)
        cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    cf.lpfnHook = CommonDlgHook;
    if (ChooseFontA(&cf)) {
        if (gPrinter.fontHandle)
            DeleteObject(gPrinter.fontHandle);
        gPrinter.fontHandle = NULL;
        snprintf(gPrinter.font.face, sizeof gPrinter.font.face, "%s", lf.lfFaceName);
        gPrinter.font.tenths = cf.iPointSize;
        gPrinter.font.bold = lf.lfWeight > kFontBoldWeight;
        gPrinter.font.italic = lf.lfItalic != 0;
        gPrinter.chosenFontInUse = true;
        ShowFontLabel(dialog);
    }
    if (ic)
        DeleteDC(ic);
}

// "Default": back to the printer's own font, and the saved one is forgotten at once.
void UseDefaultFont(HWND dialog) {
    if (gPrinter.fontHandle)
        DeleteObject(gPrinter.fontHandle);
    gPrinter.fontHandle = NULL;
    memset(&gPrinter.font, 0, sizeof gPrinter.font);
    gPrinter.chosenFontInUse = false;
    SetDlgItemTextA(dialog, IDC_PRINT_FONT_LABEL, kPrinterDefault);
    Printer_RemoveFontKey();
}

} // namespace

void Printer_SetDialogForTests(PrinterDialogFn dialog) {
    gDialog = dialog;
}

const char* Printer_TemplateName() {
    return gPlainDialogs ? kTemplate95 : kTemplate;
}

void Printer_Load() {
    PrinterNames names;
    int32_t orientation = 1;
    if (Printer_LoadKeys(&names, &gPrinter.font, &orientation)) {
        // The device mode chosen for this printer (paper, tray, duplex, resolution) stays for
        // the next job; only another printer starts again from the spooler's defaults.
        NamesFromBlock();
        if (!gPrinter.devNames || lstrcmpiA(gPrinter.names.device, names.device) != 0)
            FreeBlock(&gPrinter.devMode);
        FreeBlock(&gPrinter.devNames);
        gPrinter.devNames = MakeDevNames(names);
    } else {
        FreeBlock(&gPrinter.devNames);
        FreeBlock(&gPrinter.devMode);
        TakeDefaultPrinter();
    }
    NamesFromBlock();
    if (gPrinter.devNames && !gPrinter.devMode)
        gPrinter.devMode = DevModeFromSpooler(gPrinter.names.device, NULL);
    SetOrientation(orientation);
}

void Printer_Save() {
    int32_t orientation = 1;
    if (gPrinter.devMode) {
        if (const DEVMODEA* dm = static_cast<const DEVMODEA*>(GlobalLock(gPrinter.devMode))) {
            if (dm->dmFields & DM_ORIENTATION)
                orientation = dm->dmOrientation;
            GlobalUnlock(gPrinter.devMode);
        }
    }
    NamesFromBlock();
    Printer_SaveKeys(&gPrinter.names, gPrinter.font, orientation);
}

int Printer_Setup(HWND owner) {
    Printer_Load();
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevNames = gPrinter.devNames;
    pd.hDevMode = gPrinter.devMode;
    pd.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK;
    pd.lpfnSetupHook = CommonDlgHook;
    BOOL ok = RunPrintDialog(&pd);
    if (!ok && DialogError() == kPrinterNotFound) {
        // The saved printer is gone: offer the printers there are.
        FreeBlock(&pd.hDevNames);
        FreeBlock(&pd.hDevMode);
        gPrinter.devNames = gPrinter.devMode = NULL;
        ok = RunPrintDialog(&pd);
        const DWORD error = ok ? 0 : DialogError();
        if (error) {
            char text[64];
            snprintf(text, sizeof text, "Printer Dialog Error %ld", (long)error);
            PromptRequest request = {text, "Error", kButtonsOk, kIconWarning, kPromptOwnedByFocus};
            Ui_Ask(request);
            return 0;
        }
    }
    gPrinter.devNames = pd.hDevNames;
    gPrinter.devMode = pd.hDevMode;
    NamesFromBlock();
    if (!ok)
        return 0;
    Printer_Save();
    return 1;
}

int Printer_ChooseForJob(HWND owner, bool withDialog, PrintChoice* choice) {
    choice->dc = NULL;
    choice->range = kRangeAll;
    choice->fromPage = choice->toPage = 0;
    if (!withDialog && gPrinter.devNames) {
        NamesFromBlock();
        const DEVMODEA* dm =
            gPrinter.devMode ? static_cast<const DEVMODEA*>(GlobalLock(gPrinter.devMode)) : NULL;
        choice->dc = CreateDCA(gPrinter.names.driver[0] ? gPrinter.names.driver : NULL,
                               gPrinter.names.device, NULL, dm);
        if (!choice->dc)
            choice->dc = CreateDCA(NULL, gPrinter.names.device, NULL, dm);
        if (dm)
            GlobalUnlock(gPrinter.devMode);
        return choice->dc ? 1 : 0;
    }

    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevNames = gPrinter.devNames;
    pd.hDevMode = gPrinter.devMode;
    pd.Flags = PD_RETURNDC | PD_COLLATE | PD_USEDEVMODECOPIES | PD_ENABLEPRINTTEMPLATE |
               PD_ENABLEPRINTHOOK;
    if (!gPrinter.devNames && !gPrinter.devMode)
        pd.Flags |= PD_RETURNDEFAULT;
    pd.nFromPage = pd.nToPage = 0xFFFF;
    pd.nMinPage = 1;
    pd.nMaxPage = kMaxPrintPage;
    pd.hInstance = gInstance;
    pd.lpPrintTemplateName = Printer_TemplateName();
    pd.lpfnPrintHook = CommonPrintDlgProc;
    const BOOL ok = RunPrintDialog(&pd);
    gPrinter.devNames = pd.hDevNames;
    gPrinter.devMode = pd.hDevMode;
    NamesFromBlock();
    if (!ok) {
        // Cancelled; a dialog that could not be had counts as cancelled too.
        if (pd.hDC)
            DeleteDC(pd.hDC);
        return -1;
    }
    choice->dc = pd.hDC;
    if (pd.Flags & PD_SELECTION)
        choice->range = kRangeSelection;
    else if (pd.Flags & PD_PAGENUMS) {
        choice->range = kRangePages;
        choice->fromPage = pd.nFromPage;
        choice->toPage = pd.nToPage;
    }
    return choice->dc ? 1 : 0;
}

HDC Printer_InfoContext() {
    PrinterNames names = gPrinter.names;
    if (!names.device[0]) {
        char device[3 * kPrinterNameMax];
        GetProfileStringA("windows", "device", "", device, sizeof device);
        Printer_ParseNames(device, &names);
    }
    if (!names.device[0])
        return NULL;
    const DEVMODEA* dm = gPrinter.devMode && gPrinter.names.device[0]
                             ? static_cast<const DEVMODEA*>(GlobalLock(gPrinter.devMode))
                             : NULL;
    HDC ic = CreateICA(names.driver[0] ? names.driver : NULL, names.device, NULL, dm);
    if (!ic)
        ic = CreateICA(NULL, names.device, NULL, dm);
    if (dm)
        GlobalUnlock(gPrinter.devMode);
    return ic;
}

int32_t Printer_Orientation(HDC dc) {
    if (gPrinter.devMode) {
        int32_t orientation = 1;
        if (const DEVMODEA* dm = static_cast<const DEVMODEA*>(GlobalLock(gPrinter.devMode))) {
            if ((dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE)
                orientation = 2;
            GlobalUnlock(gPrinter.devMode);
        }
        return orientation;
    }
    // Without a device mode the page's own shape tells.
    return dc && GetDeviceCaps(dc, HORZRES) > GetDeviceCaps(dc, VERTRES) ? 2 : 1;
}

constexpr UINT kEmptyPageBoxes = WM_APP + 0x50;

UINT_PTR CALLBACK CommonPrintDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        if (gPrinter.font.face[0]) {
            ShowFontLabel(dialog);
        } else {
            char spec[kPrinterFontTextMax] = "";
            Plat_GetProfileString(kPrinterSection, kPrinterFontKey, "", spec, sizeof spec);
            if (spec[0])
                SetDlgItemTextA(dialog, IDC_PRINT_FONT_LABEL, spec);
        }
        SetDlgItemTextA(dialog, rad1, "&All");
        // No page range is asked for (from and to 65535): the boxes stand empty, as Windows
        // shows them. Wine fills them with the highest page after this message.
        PostMessageA(dialog, kEmptyPageBoxes, 0, 0);
        HWND list = GetDlgItem(dialog, IDC_PRINT_NEWPAGE);
        for (const char* choice : kNewPageChoices)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
        const int selected = gSettings.processFF ? 0 : gSettings.process1 ? 1 : 2;
        SendMessageA(list, LB_SETCURSEL, (WPARAM)selected, 0);
        return TRUE;
    }
    case kEmptyPageBoxes:
        for (int box : {edt1, edt2}) {
            if (GetDlgItemInt(dialog, box, NULL, FALSE) >= kMaxPrintPage)
                SetDlgItemTextA(dialog, box, "");
        }
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return gPlainDialogs ? FALSE : (UINT_PTR)DlgColor_Answer(message, wParam, lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            const LRESULT selected = SendDlgItemMessageA(dialog, IDC_PRINT_NEWPAGE, LB_GETCURSEL, 0, 0);
            if (selected >= 0 && selected <= 2) {
                const int32_t ff = selected == 0, one = selected == 1;
                if (ff != gSettings.processFF || one != gSettings.process1)
                    gSettings.optionsChanged = 1;
                gSettings.processFF = ff;
                gSettings.process1 = one;
            }
            return FALSE; // the dialog goes on to take the choices
        }
        case IDC_PRINT_FONTS:
            if (HIWORD(wParam) == BN_CLICKED)
                ChoosePrinterFont(dialog);
            return TRUE;
        case IDC_PRINT_DEFAULT:
            if (HIWORD(wParam) == BN_CLICKED)
                UseDefaultFont(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
