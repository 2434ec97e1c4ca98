// The disk search's criteria dialogs: "Search Criteria" (GREPBOX) and, behind its buttons,
// "Disks to search" (SRCHOPTSBOX), "Search File Size" (SRCHSIZEBOX) and "Search File Date"
// (SRCHDATEBOX); and the File Search command that runs them and then the search.
#pragma once

#include <windows.h>

#include "search/searchwalk.h"

// The texts of the size and date boxes as typed, shown again next time.
struct SearchQualifierTexts {
    char size[kSearchQualifierTextMax];    // "&Equal to" and "(or) &Larger than"
    char smaller[kSearchQualifierTextMax]; // "(and) &Smaller than"
    char date[kSearchQualifierTextMax];    // "&Dated" and "(or) &Newer than"
    char older[kSearchQualifierTextMax];   // "(and) O&lder than"
};

// What the criteria dialogs edit: the criteria and the texts, written back on "&Search".
struct GrepRecord {
    SearchCriteria criteria;
    SearchQualifierTexts texts;
    char directoryWindowDir[kSearchTextMax]; // "" when no directory window has the focus
};

extern SearchQualifierTexts gSearchTexts;

INT_PTR CALLBACK GrepDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SrchOptsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SrchSizeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SrchDateDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "Search Criteria" over gSearchCriteria: -1 search in list mode, 1 in match-box mode, 0
// cancelled (the criteria unchanged). mask: the directory window's mask text, or null.
int GrepDlg_Run(HWND owner, const char* mask, const char* directoryWindowDir);
// 1 at least one qualifier set, -1 none, 0 cancelled; the record changed only on OK.
int SrchSizeDlg_Run(HWND owner, GrepRecord* record);
int SrchDateDlg_Run(HWND owner, GrepRecord* record);
// 1 the disk list stored (and marked for saving), 0 cancelled.
int SrchOptsDlg_Run(HWND owner, GrepRecord* record);
// "Disks to search" on its own, from the Options menu: the disks of the settings.
int SrchOptsDlg_RunForSettings(HWND owner);
