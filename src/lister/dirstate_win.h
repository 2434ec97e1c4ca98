// What the directory window's files share: the record of one window, which its window
// procedure fetches from the window's one slot and hands to every procedure that works on
// that window, and the procedures one file of the window offers the others.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "lister/dirlayout.h"
#include "lister/dirtree.h"
#include "lister/diskgrid.h"
#include "lister/filelist.h"

// Child ids.
constexpr int kDirTreeId = 41;
constexpr int kDirFilesId = 42;
constexpr int kDirComboId = 43;
constexpr int kDirDiskId = 47;
constexpr int kDirSplitId = 48;
// The window's own command: open what is typed or selected.
constexpr WORD kDirOpenCommand = 1;
// Posted by the tree's rows: the widest row drawn becomes the tree list's extent.
constexpr UINT kDirApplyTreeExtent = WM_APP + 41;
// The timer that scans the tree's flags left for later, a few directories a tick: a timer
// comes after painting, so the window shows before it looks into the sibling directories.
constexpr UINT_PTR kDirFlagsTimer = 1;
constexpr int kDirFlagsPerTick = 8;

// The window's one slot, pointer-sized: the locked DirWindowState.
constexpr int kDirSlotState = 0;

constexpr char kDirFileNameLabel[] = "File Name:";
constexpr char kDirSumLabel[] = "Sum";
extern const char* const kDirSortLabels[kDirButtons]; // "Name", "Type", "Date", "Size"

enum DirButtonRow { kRowNone, kRowMasks, kRowSorts };

// The disk bar's side of the window: its buttons as last laid out, the one with the keyboard
// focus, and a press of the mouse on its way to a click or a double click.
struct DiskBarState {
    DiskGrid grid;
    int focusRow, focusColumn;
    int pressRow, pressColumn;
    POINT pressPoint;
    bool pressing; // the mouse went down on a button and has not come up yet
    bool released;
    bool timerExpired;
};

struct DirWindowState {
    HWND window;      // the directory window itself
    DirTree* dirTree; // the tree it shows (its nodes null while it shows none)
    HGLOBAL memory;   // the block the record lives in
    DirFigures figures; // listed, free and disk bytes
    int32_t split;      // 0: not set yet
    int32_t treeExtent;
    bool treeExtentPosted; // kDirApplyTreeExtent is on its way
    HWND combo, tree, files, disk, splitter;
    COLORREF textColor, backColor;
    HBRUSH backBrush;
    int32_t sortKey; // FileSortKey
    HFONT font;
    int32_t lineHeight;
    bool sumShown;
    bool treeShown;
    bool statusCompact; // the status boxes were last drawn in the compact form
    char volumeText[kTreeVolumeTextMax + 1];
    char listingDir[kPlatNameMax]; // ends in a separator; "" while the window lists nothing
    // A second selection of the same node within the double-click time is the same click.
    int32_t lastNode;
    DWORD lastNodeTime;
    bool lastNodeExpanded;
    bool lastNodeCollapsed;
    DirLayout layout;
    // The names the file list shows, in its order: the list holds no strings of its own.
    FileListing listing;
    int32_t buttonRow;   // DirButtonRow: the row of buttons with the keyboard focus
    int32_t buttonFocus; // 1..4 in it
    int32_t pressed;     // DirHit of the button the mouse holds down; 0 none
    bool pressedInside;  // and the pointer is still over it
    char selectionInfo[kStatusTextMax]; // what the selected files come to; "" for none
    char sumText[kStatusTextMax];       // what Sum counted, shown until the window moves on
    DiskBarState diskBar;
};

// Shared by every directory window: the mask list a new window lists with, and the names
// typed or opened in any window, which every "File Name:" box offers.
extern char gDirMaskList[kMaskListMax + 1];
extern std::vector<std::string> gDirNameHistory;

// What DirWindow_Open hands the new window: the tree it read and the directory to list.
struct DirCreateParams {
    DirTree tree;
    char listing[kPlatNameMax];
};

// dirwnd_win.cpp
// The record of a directory window, from its slot; null for any other window.
DirWindowState* Dir_StateOf(HWND dir);
// Its tree; null for any other window.
DirTree* Dir_TreeOf(HWND dir);
void Dir_Layout(DirWindowState* s);
int Dir_ListFiles(DirWindowState* s);
// The tree list as the tree sees it.
TreeRows Dir_TreeRows(HWND treeList);
void Dir_FillTree(DirWindowState* s);
// Starts the timer that settles the tree icons whose flags were left for later.
void Dir_ScanFlagsLater(DirWindowState* s);
void Dir_RepaintStatus(DirWindowState* s);
void Dir_ClearSum(DirWindowState* s);
// The listing directory from a tree path (a separator added).
void Dir_SetListingDir(DirWindowState* s, const char* path);
void Dir_SwitchFocus(DirWindowState* s, DirTabStop to);
DirTabStop Dir_FocusStop(const DirWindowState* s, HWND focus);
// The busy cursor of the drive a path lies on, while a directory is read.
void* Dir_BeginBusy(const char* path);
void Dir_EndBusy(void* restore);

// dirpaint_win.cpp
void DirPaint_Window(DirWindowState* s, HDC dc);
void DirPaint_Button(const DirWindowState* s, HDC dc, int hit, bool pressed);
void DirPaint_ButtonFocus(const DirWindowState* s, HDC dc);
void DirPaint_TreeRow(DirWindowState* s, const DRAWITEMSTRUCT* item);
void DirPaint_FileRow(const FileListing& listing, const DRAWITEMSTRUCT* item);
// Height of a file-list row: the height of the list font's text.
int DirPaint_FileRowHeight(HFONT font);
void DirPaint_RecomputeInfo(DirWindowState* s);
int DirPaint_TextWidth(HDC dc, const char* text);

// dirinput_win.cpp: the buttons, the tab order, opening what is typed.
void DirInput_MouseDown(DirWindowState* s, int x, int y);
void DirInput_MouseMove(DirWindowState* s, int x, int y);
void DirInput_MouseUp(DirWindowState* s, int x, int y);
bool DirInput_Key(DirWindowState* s, WPARAM key);
void DirInput_Press(DirWindowState* s, int hit);
void DirInput_Open(DirWindowState* s);
// The text goes to the top of the shared history and of the window's "File Name:" box.
void DirInput_AddHistory(DirWindowState* s, const char* text);
void DirInput_TreeChanged(DirWindowState* s, bool doubleClick);
void DirInput_FilesChanged(DirWindowState* s);
void DirInput_FilesDoubleClick(DirWindowState* s);
// Tab (backwards with Shift) from the child `from` to the next stop of the window's tab order.
bool DirInput_TabKey(DirWindowState* s, HWND from, bool backwards);

// diskbar_win.cpp
// Reads another drive into the window's tree (or activates its window); falls back to the
// drive of the working directory when the target cannot be read.
void SwitchDrive(DirWindowState* s, const char* target);
void DiskBar_Refresh(HWND disk);
int32_t DiskBar_HeightFor(int32_t width);
// The letters of the bar's buttons as painted, rows separated by "|" ("CZ", "C|Z").
std::string DiskBar_Rows(HWND disk);
