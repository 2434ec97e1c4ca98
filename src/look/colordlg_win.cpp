// "Set Colors": the text and background colour of one window kind, each picked in the system's
// colour chooser and shown together in the sample area before they are taken.
#include "look/colordlg_win.h"

#include "look/dlgcolor_win.h"
#include "look/look_win.h"
#include "resources/resource.h"
#include "shell/dlgbox_win.h"
#include "shell/startup_win.h"
#include "shell/winkind_win.h"

namespace {

const char kSampleText[] = "The selected color";

// The sixteen custom colours of the chooser, kept from one choice to the next for the run.
COLORREF gCustomColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

// The system's chooser, starting from colour: true and colour replaced when the user chose.
bool Choose(HWND dialog, COLORREF* colour) {
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog;
    choose.rgbResult = *colour;
    choose.lpCustColors = gCustomColors;
    choose.Flags = CC_RGBINIT;
    if (!Look_Choosers().chooseColor(&choose))
        return false;
    *colour = choose.rgbResult;
    return true;
}

void OnInit(HWND dialog, ColorEdit* edit) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(edit));
    // A file view paints its own background and shows a dithered one as it is.
    ShowWindow(GetDlgItem(dialog, IDC_COLOR_NOTE), edit->kind == kLookKindView ? SW_HIDE : SW_SHOW);
}

void PaintSample(const ColorEdit* edit, const DRAWITEMSTRUCT* item) {
    HBRUSH fill = CreateSolidBrush(edit->background);
    if (fill) {
        FillRect(item->hDC, &item->rcItem, fill);
        DeleteObject(fill);
    }
    const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    const COLORREF oldText = SetTextColor(item->hDC, edit->text);
    TextOutA(item->hDC, item->rcItem.left + 4, item->rcItem.top + 1, kSampleText,
             (int)sizeof kSampleText - 1);
    SetTextColor(item->hDC, oldText);
    SetBkMode(item->hDC, oldMode);
}

void OnCommand(HWND dialog, ColorEdit* edit, WORD id) {
    COLORREF colour;
    switch (id) {
    case IDC_COLOR_TEXT:
        colour = edit->text;
        if (Choose(dialog, &colour))
            edit->text = colour;
        break;
    case IDC_COLOR_BACKGROUND:
        colour = edit->background;
        if (Choose(dialog, &colour))
            ColorEdit_SetBackground(edit, colour);
        break;
    case IDOK:
        EndDialog(dialog, 1);
        return;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return;
    default:
        return;
    }
    InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SAMPLE), NULL, TRUE);
}

} // namespace

INT_PTR CALLBACK CommonColorBox(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ColorEdit* edit = reinterpret_cast<ColorEdit*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<ColorEdit*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (edit && wParam == IDC_COLOR_SAMPLE) {
            PaintSample(edit, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        if (edit)
            OnCommand(dialog, edit, LOWORD(wParam));
        return TRUE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int Colors_Command(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    ColorEdit edit;
    if (!ColorEdit_Begin(target.kind, &edit))
        return 0;
    HWND owner = target.window ? target.window : frame;
    if (DialogBoxParamA(Dlg_Instance(), "CommonColorBox", owner, CommonColorBox,
                        reinterpret_cast<LPARAM>(&edit)) != 1)
        return 0;
    if (ColorEdit_Confirm(edit)) {
        // A brush that cannot be made or listed leaves the old background in place.
        HBRUSH brush = CreateSolidBrush(edit.background);
        if (brush && Look_SetBackgroundBrush(edit.kind, brush))
            ColorEdit_StoreBackground(edit);
    }
    Look_ApplyColors(target.window, edit.kind);
    return 1;
}
