// Resource ids of ORV32.EXE, shared by orv.rc and the shell's C++ code. Plain #defines only:
// windres reads this file too. Named resources ("APgmIcon", "ORVMENU", the bitmaps, cursors and
// button icons) have no number here.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- String table (1..99) -------------------------------------------------------------------
#define IDS_VERSION 32 // "Version 1.35", shown by the About box

// ---- Menu commands: the command numbers of "ORVMENU", its accelerators and the control bar ----
// File
#define IDM_NEW 80
#define IDM_PRINT_NOW 95 // no menu item: prints the focused window without a dialog
#define IDM_CLOSE_ALL 96
#define IDM_PAGE_SETUP 97
#define IDM_PRINTER_SETUP 98
#define IDM_PRINT 99
#define IDM_OPEN_DIR 101 // "&Open/Dir...": also carries a path handed over by a second start
#define IDM_CLOSE 102
#define IDM_EXIT 103
#define IDM_NEXT 140
#define IDM_DELETE 141 // its text follows "ConfirmDelete" and what is selected
#define IDM_SEARCH 142
#define IDM_SAVE 143
#define IDM_SAVE_AS 144
// Edit
#define IDM_COPY 220
#define IDM_DESELECT 221
#define IDM_LAUNCH 222 // "&Launch...\tCtrl+L", or "&Launch\tCtrl+L" while "ConfirmLaunch" is off
#define IDM_EDIT 223
#define IDM_UNDO 330
#define IDM_CUT 331
#define IDM_PASTE 332
// View
#define IDM_HEX 104
#define IDM_STRIP 105
#define IDM_TABS 106
#define IDM_TEXT 107
#define IDM_SPECIAL_CHARS 108
#define IDM_TITLE_LOCK 109
#define IDM_FONT 110
#define IDM_TITLE_UNLOCK 111
#define IDM_POSTSCRIPT 113 // no menu item of its own; greyed when the PostScript table is missing
#define IDM_COLORS 115
#define IDM_CONNECT_NET 150 // inserted into the View menu at start-up, before "&Colors..."
#define IDM_DISCONNECT_NET 151
#define IDM_BUTTON_BAR 1000
#define IDM_VERT_SCROLL_BAR 1001
// Go
#define IDM_FIND 200
#define IDM_HOME 201
#define IDM_END 202
#define IDM_FIND_NEXT 203
#define IDM_FIND_BACKWARD 204 // Alt+F3 only
#define IDM_GO_TO_LINE 205
// Options
#define IDM_SAVE_ON_EXIT 126 // "Save Settings On E&xit": checked while "AutoSaveOptions" is on
#define IDM_FILE_OPEN_OPTIONS 250
#define IDM_FILE_SEARCH_OPTIONS 251
#define IDM_SAVE_SETTINGS_NOW 252 // "Save Settings &Now...": the "Save Options" dialog
#define IDM_OPTIONS 253
#define IDM_FILE_DEFAULTS 254
#define IDM_FILE_TYPES 255
// Help
#define IDM_ABOUT 100
#define IDM_HELP_INDEX 300
#define IDM_HELP_COMMANDS 301
#define IDM_HELP_PROCEDURES 302
#define IDM_HELP_USING 303
// Window
#define IDM_NEXT_WINDOW 320 // no menu item: the control bar's next-window button
#define IDM_TILE_VERTICAL 4001
#define IDM_CASCADE 4002
#define IDM_ARRANGE_ICONS 4004
#define IDM_TILE_HORIZONTAL 4005 // inserted into the Window menu at start-up, before "&Cascade"
#define IDM_RESTORE_CHILD 4006 // internal: restores the window given with the command
#define IDM_FIRST_CHILD 4100 // the MDI client numbers its window list from here

// ---- Save Options dialog (SAVEBOX, 2520..2529) ----------------------------------------------
#define IDC_SAVE_VIEW 2520
#define IDC_SAVE_OPERATIONAL 2521
#define IDC_SAVE_PRINT_PAGE 2522
#define IDC_SAVE_DISKS 2523
#define IDC_SAVE_FILE_OPEN 2524
#define IDC_SAVE_WINDOW 2525
#define IDC_SAVE_NAMES 2526

// ---- View dialogs: Go To Line (LINEBOX), Tab Stops (TABBOX), Extended Char Handling (EXTCBOX)
#define IDC_TABS_SPACING 451
#define IDC_EXTC_CR_NEW_LINE 460
#define IDC_EXTC_DUMP 461
#define IDC_EXTC_CRLF 463
#define IDC_GOLINE_NUMBER 481

// ---- Settings by Type (TYPESBOX) ------------------------------------------------------------
#define IDC_TYPE_TEXT 650
#define IDC_TYPE_HEX 651
#define IDC_TYPE_BINARY 652
#define IDC_TYPE_POSTSCRIPT 653 // hidden: a PostScript display is never stored
#define IDC_TYPE_CR_NEW_LINE 654
#define IDC_TYPE_ALL256 655
#define IDC_TYPE_SHOW_CRLF 656
#define IDC_TYPE_TABS 657
#define IDC_TYPE_EXTENSION 658
#define IDC_TYPE_STRIP7 659
#define IDC_TYPE_LOCK_START 660
#define IDC_TYPE_LOCK_END 661
#define IDC_TYPE_AUTO_LOCK 662
#define IDC_TYPE_UNDEFINE 1019
#define IDC_TYPE_SAVE 1020

// ---- Child windows of the frame (10000..) ----------------------------------------------------
#define IDC_MDI_CLIENT 10000

// ---- Find dialog (FINDBOX, 470..483) -----------------------------------------------------------
#define IDC_FIND_STRING 470
#define IDC_FIND_IGNORE_CASE 471
#define IDC_FIND_HEX 472
#define IDC_FIND_START_AT_TOP 474
#define IDC_FIND_MORE 475
#define IDC_FIND_BOOLEAN 476
#define IDC_FIND_REGEX 477
#define IDC_FIND_REPLACE 482
#define IDC_FIND_REPLACE_TEXT 483

// ---- Advanced Find dialog (ADVFINDBOX, 731..737) -----------------------------------------------
#define IDC_ADVFIND_AND 731
#define IDC_ADVFIND_OR 732
#define IDC_ADVFIND_NOT1 733
#define IDC_ADVFIND_NOT2 734
#define IDC_ADVFIND_STRING2 736
#define IDC_ADVFIND_STRING1 737

// ---- Replace prompt (REPLACEDLG) ---------------------------------------------------------------
#define IDC_REPLACE_ALL 101 // "&All"; "&Yes", "&No" and "&Cancel" are IDYES, IDNO and IDCANCEL

// ---- Match box (MATCHBOX, 880..886) -----------------------------------------------------------
#define IDC_MATCH_NAME 880
#define IDC_MATCH_SKIP 881
#define IDC_MATCH_VIEW 882
#define IDC_MATCH_ERASE 883
#define IDC_MATCH_DIR 884
#define IDC_MATCH_LAUNCH 885
#define IDC_MATCH_EDIT 886

// ---- Search Criteria (GREPBOX, 700..713, 1008..1014) ------------------------------------------
#define IDC_GREP_MASK 700
#define IDC_GREP_START_DIR 701
#define IDC_GREP_CONTAINING 702
#define IDC_GREP_STRING 703
#define IDC_GREP_DISKS 704
#define IDC_GREP_SIZE 705
#define IDC_GREP_ONLY_START 706
#define IDC_GREP_LIST_WINDOW 707
#define IDC_GREP_LIST_LINES 708
#define IDC_GREP_DATE 709
#define IDC_GREP_LIMIT_SIZE 712
#define IDC_GREP_MATCH_DATES 713
#define IDC_GREP_ONLY_LIMB 1008
#define IDC_GREP_MASK1 1010
#define IDC_GREP_MASK2 1012
#define IDC_GREP_MASK3 1013
#define IDC_GREP_MASK4 1014

// ---- Disks to search (SRCHOPTSBOX, 622..626) ----------------------------------------------------
#define IDC_SRCHOPTS_DISK_LIST 622
#define IDC_SRCHOPTS_ADD 623
#define IDC_SRCHOPTS_REMOVE 624
#define IDC_SRCHOPTS_SEARCH 625
#define IDC_SRCHOPTS_LOGGED 626

// ---- Search File Size (SRCHSIZEBOX, 1002..1015) -------------------------------------------------
#define IDC_SRCHSIZE_EQUAL 1002
#define IDC_SRCHSIZE_LARGER 1003
#define IDC_SRCHSIZE_SMALLER 1004
#define IDC_SRCHSIZE_SMALLER_TEXT 1005
#define IDC_SRCHSIZE_TEXT 1007
#define IDC_SRCHSIZE_HELP 1015

// ---- Search File Date (SRCHDATEBOX, 1301..1305, 1006) -------------------------------------------
#define IDC_SRCHDATE_HELP 1006
#define IDC_SRCHDATE_DATED 1301
#define IDC_SRCHDATE_NEWER 1302
#define IDC_SRCHDATE_TEXT 1303
#define IDC_SRCHDATE_OLDER 1304
#define IDC_SRCHDATE_OLDER_TEXT 1305

// ---- File Search progress (SRCHBOX, 1100) -------------------------------------------------------
#define IDC_SRCHFILE_DIR 1100

// ---- Delete Deep box (TREEBOX, 901..902) -------------------------------------------------------
#define IDC_DELDEEP_DELETE 901
#define IDC_DELDEEP_CONFIRM 902

// ---- Launch box (EDITORBOX, 910..912) ----------------------------------------------------------
#define IDC_LAUNCH_MINIMIZE 910
#define IDC_LAUNCH_PROGRAM 911
#define IDC_LAUNCH_FILE 912

// ---- Options dialogs: File Open Options (FILEOPTIONSBOX), Options (OPTSBOX), Default File Names
// (DEFNAMESBOX), 2500..2519; the About box (ABOUTBOXSHARE) --------------------------------------
#define IDC_FILEOPTS_CLOSE 2500
#define IDC_FILEOPTS_MINIMIZE 2501
#define IDC_FILEOPTS_LEAVE 2502
#define IDC_FILEOPTS_MAXIMIZE 2503
#define IDC_FILEOPTS_CASCADE 2504
#define IDC_FILEOPTS_TILE 2505
#define IDC_FILEOPTS_AUTO_OPEN 2506
#define IDC_OPTS_CONFIRM_LAUNCH 2510
#define IDC_OPTS_MIN_ON_LAUNCH 2511
#define IDC_OPTS_CONFIRM_DELETE 2512
#define IDC_OPTS_HIDDEN 2513
#define IDC_OPTS_SYSTEM 2514
#define IDC_OPTS_EDITOR 2515
#define IDC_DEFNAMES_MASK1 2516 // the four masks, in order
#define IDC_DEFNAMES_MASK2 2517
#define IDC_DEFNAMES_MASK3 2518
#define IDC_DEFNAMES_MASK4 2519
#define IDC_ABOUT_VERSION 2530

// ---- Set Colors (COMMONCOLORBOX, 1400..1403) ------------------------------------------------
#define IDC_COLOR_TEXT 1400
#define IDC_COLOR_BACKGROUND 1401
#define IDC_COLOR_SAMPLE 1402
#define IDC_COLOR_NOTE 1403

// ---- Available Fonts (SIZEBOX, 1410..1417) --------------------------------------------------
#define IDC_SIZE_FACES 1410
#define IDC_SIZE_SIZES 1411
#define IDC_SIZE_POINTS 1412
#define IDC_SIZE_BOLD 1413
#define IDC_SIZE_ITALIC 1414
#define IDC_SIZE_GENERATE 1415
#define IDC_SIZE_SAMPLE 1416

// ---- Printing: Page Setup (PAGEBOX), the abort box (ABORTDLG), the print templates (2600..) ----
#define IDC_PAGE_LEFT 2601
#define IDC_PAGE_TOP 2602
#define IDC_PAGE_BOTTOM 2603
#define IDC_PAGE_HEADER 2604
#define IDC_PAGE_FOOTER 2605
// The header's code boxes, in the order &l &c &r &p &f &d &t; the footer's are 10 higher.
#define IDC_PAGE_HEADER_LEFT 2610
#define IDC_PAGE_HEADER_CENTER 2611
#define IDC_PAGE_HEADER_RIGHT 2612
#define IDC_PAGE_HEADER_PAGE 2613
#define IDC_PAGE_HEADER_NAME 2614
#define IDC_PAGE_HEADER_DATE 2615
#define IDC_PAGE_HEADER_TIME 2616
#define IDC_PAGE_FOOTER_LEFT 2620
#define IDC_PAGE_FOOTER_CENTER 2621
#define IDC_PAGE_FOOTER_RIGHT 2622
#define IDC_PAGE_FOOTER_PAGE 2623
#define IDC_PAGE_FOOTER_NAME 2624
#define IDC_PAGE_FOOTER_DATE 2625
#define IDC_PAGE_FOOTER_TIME 2626
#define IDC_PAGE_PRN_SETUP 2630
#define IDC_ABORT_FILE 2640
#define IDC_ABORT_DEVICE 2641
#define IDC_ABORT_LINE 2642
#define IDC_PRINT_FONTS 1043
#define IDC_PRINT_DEFAULT 1044
#define IDC_PRINT_FONT_LABEL 2650
#define IDC_PRINT_NEWPAGE 2651
