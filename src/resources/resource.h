// Resource ids of ORV32.EXE, shared by orv.rc and the shell's C++ code. Plain #defines only:
// windres reads this file too. Named resources ("APgmIcon", "ORVMENU") have no number here.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- String table (1..99) -------------------------------------------------------------------
#define IDS_VERSION 32 // "Version 1.35", shown by the About box

// ---- File menu commands (80..199) -------------------------------------------------------------
#define IDM_OPEN_DIR 101 // "&Open/Dir...": also carries a path handed over by a second start
#define IDM_EXIT 103
#define IDM_SAVE_ON_EXIT 126 // "Save Settings On E&xit": checked while "AutoSaveOptions" is on
#define IDM_SAVE_SETTINGS_NOW 252 // "Save Settings &Now...": the "Save Options" dialog
#define IDM_POSTSCRIPT 113 // no menu item of its own; greyed when the PostScript table is missing

// ---- Window menu commands (4000..4109) --------------------------------------------------------
#define IDM_TILE_VERTICAL 4001
#define IDM_CASCADE 4002
#define IDM_FIRST_CHILD 4100 // the MDI client numbers its window list from here

// ---- Save Options dialog (SAVEBOX, 2520..2529) ----------------------------------------------
#define IDC_SAVE_VIEW 2520
#define IDC_SAVE_OPERATIONAL 2521
#define IDC_SAVE_PRINT_PAGE 2522
#define IDC_SAVE_DISKS 2523
#define IDC_SAVE_FILE_OPEN 2524
#define IDC_SAVE_WINDOW 2525
#define IDC_SAVE_NAMES 2526

// ---- Child windows of the frame (10000..) ----------------------------------------------------
#define IDC_MDI_CLIENT 10000

// ---- Replace prompt (REPLACEDLG) ---------------------------------------------------------------
#define IDC_REPLACE_ALL 101 // "&All"; "&Yes", "&No" and "&Cancel" are IDYES, IDNO and IDCANCEL
