// The Page Setup dialog. Each code box stands for its code in its template: checking it puts
// the code in at the caret, clearing it takes every occurrence out again.
#include "print/pagedlg_win.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "look/dlgcolor_win.h"
#include "print/pagelayout.h"
#include "print/prnsetup_win.h"
#include "resources/resource.h"
#include "shell/settings.h"
#include "shell/startup_win.h"

namespace {

// The codes of the boxes, in the order of their identifiers.
const char* const kCodes[7] = {"&l", "&c", "&r", "&p", "&f", "&d", "&t"};
constexpr int kBoxes = 7;

struct Template {
    int edit;
    int firstBox;
};
const Template kTemplates[2] = {{IDC_PAGE_HEADER, IDC_PAGE_HEADER_LEFT},
                                {IDC_PAGE_FOOTER, IDC_PAGE_FOOTER_LEFT}};

// What a box puts in: the page boxes the whole phrase, the others their bare code.
const char* Insertion(int index) {
    return index == 3 ? kTextPagePhrase : kCodes[index];
}

std::string EditText(HWND dialog, int id) {
    char text[kPageTextMax + 64];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void ShowBoxes(HWND dialog, const Template& t) {
    const std::string text = EditText(dialog, t.edit);
    for (int k = 0; k < kBoxes; k++)
        CheckDlgButton(dialog, t.firstBox + k,
                       text.find(kCodes[k]) != std::string::npos ? BST_CHECKED : BST_UNCHECKED);
}

void OnCodeBox(HWND dialog, const Template& t, int index) {
    HWND edit = GetDlgItem(dialog, t.edit);
    const char* insertion = Insertion(index);
    if (IsDlgButtonChecked(dialog, t.firstBox + index) == BST_CHECKED) {
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insertion));
    } else {
        std::string text = EditText(dialog, t.edit);
        const size_t length = strlen(insertion);
        for (size_t at; (at = text.find(insertion)) != std::string::npos;)
            text.erase(at, length);
        SetWindowTextA(edit, text.c_str());
        SendMessageA(edit, EM_SETSEL, (WPARAM)text.size(), (LPARAM)text.size());
    }
    SetFocus(edit);
}

void OnOk(HWND dialog) {
    GetDlgItemTextA(dialog, IDC_PAGE_HEADER, gSettings.header, kTemplateMax + 1);
    GetDlgItemTextA(dialog, IDC_PAGE_FOOTER, gSettings.footer, kTemplateMax + 1);
    GetDlgItemTextA(dialog, IDC_PAGE_LEFT, gSettings.leftMargin, kMarginTextMax);
    GetDlgItemTextA(dialog, IDC_PAGE_TOP, gSettings.topMargin, kMarginTextMax);
    GetDlgItemTextA(dialog, IDC_PAGE_BOTTOM, gSettings.bottomMargin, kMarginTextMax);
    gSettings.optionsChanged = 1;
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK PrnPageDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_PAGE_HEADER, EM_LIMITTEXT, kTemplateMax, 0);
        SendDlgItemMessageA(dialog, IDC_PAGE_FOOTER, EM_LIMITTEXT, kTemplateMax, 0);
        for (int id : {IDC_PAGE_LEFT, IDC_PAGE_TOP, IDC_PAGE_BOTTOM})
            SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kMarginTextMax - 1, 0);
        SetDlgItemTextA(dialog, IDC_PAGE_HEADER, gSettings.header);
        SetDlgItemTextA(dialog, IDC_PAGE_FOOTER, gSettings.footer);
        SetDlgItemTextA(dialog, IDC_PAGE_LEFT, gSettings.leftMargin);
        SetDlgItemTextA(dialog, IDC_PAGE_TOP, gSettings.topMargin);
        SetDlgItemTextA(dialog, IDC_PAGE_BOTTOM, gSettings.bottomMargin);
        for (const Template& t : kTemplates)
            ShowBoxes(dialog, t);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        for (const Template& t : kTemplates) {
            if (id >= t.firstBox && id < t.firstBox + kBoxes) {
                if (HIWORD(wParam) == BN_CLICKED)
                    OnCodeBox(dialog, t, id - t.firstBox);
                return TRUE;
            }
        }
        switch (id) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_PAGE_PRN_SETUP:
            Printer_Setup(dialog);
            return TRUE;
        }
        break;
    }
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int PageSetup_Run(HWND owner) {
    return (int)DialogBoxParamA(gInstance, "PageBox", owner, PrnPageDlg, 0);
}
