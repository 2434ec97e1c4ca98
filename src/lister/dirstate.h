// What the directory window's files share: the record of one window, the working variables of
// the current directory window that every handler loads first, and the procedures one file of
// the window offers the others.
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

// Window slots, pointer-sized.
constexpr int kDirSlotTree = 0;   // DirTree*
constexpr int kDirSlotState = 1;  // the locked DirWindowState
constexpr int kDirSlotMemory = 2; // the record's memory block

constexpr char kDirFileNameLabel[] = "File Name:";
constexpr char kDirSumLabel[] = "Sum";
extern const char* const kDirSortLabels[kDirButtons]; // "Name", "Type", "Date", "Size"

struct DirWindowState {
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
};

// The current directory window, loaded by every handler from the window it serves.
struct DirWorking {
    HWND window;
    DirWindowState* state;
    DirTree* tree;
};
extern DirWorking gDir;

// Shared by every directory window.
extern char gDirMaskList[kMaskListMax + 1];
extern char gDirSelectionInfo[kStatusTextMax];
extern char gDirSumText[kStatusTextMax];
enum DirButtonRow { kRowNone, kRowMasks, kRowSorts };
extern int gDirButtonRow;   // the row of buttons with the keyboard focus
extern int gDirButtonFocus; // 1..4 in it
extern int gDirPressed;     // DirHit of the button the mouse holds down; 0 none
extern bool gDirPressedInside; // and the pointer is still over it
extern std::vector<std::string> gDirNameHistory;

// What OpenDirWindow hands the new window: the tree it read and the directory to list.
struct DirCreateParams {
    DirTree tree;
    char listing[kPlatNameMax];
};

// dirwnd.cpp
DirWindowState* Dir_StateOf(HWND dir); // null for any other window
DirTree* Dir_TreeOf(HWND dir);
// Loads the working variables from a directory window; false for any other window.
bool Dir_Load(HWND dir);
void Dir_Layout(HWND dir);
int Dir_ListFiles();
// The tree list as the tree sees it.
TreeRows Dir_TreeRows(HWND treeList);
void Dir_FillTree();
// Starts the timer that settles the tree icons whose flags were left for later.
void Dir_ScanFlagsLater();
void Dir_RepaintStatus();
void Dir_ClearSum();
// The listing directory from a tree path (a separator added).
void Dir_SetListingDir(const char* path);
// A new window on the drive of path at the drive's current directory; the working directory
// is left alone.
HWND Dir_OpenWindow(const char* path);
void Dir_SwitchFocus(DirTabStop to);
DirTabStop Dir_FocusStop(HWND focus);
// The busy cursor of the drive a path lies on, while a directory is read.
void* Dir_BeginBusy(const char* path);
void Dir_EndBusy(void* restore);

// dirpaint.cpp
void DirPaint_Window(HWND dir, HDC dc);
void DirPaint_Button(HDC dc, int hit, bool pressed);
void DirPaint_ButtonFocus(HDC dc);
void DirPaint_TreeRow(const DRAWITEMSTRUCT* item);
void DirPaint_FileRow(const FileListing& listing, const DRAWITEMSTRUCT* item);
// Height of a file-list row: the height of the list font's text.
int DirPaint_FileRowHeight(HFONT font);
void DirPaint_RecomputeInfo();
int DirPaint_TextWidth(HDC dc, const char* text);

// dirinput.cpp: the buttons, the tab order, opening what is typed.
void DirInput_MouseDown(HWND dir, int x, int y);
void DirInput_MouseMove(HWND dir, int x, int y);
void DirInput_MouseUp(HWND dir, int x, int y);
bool DirInput_Key(HWND dir, WPARAM key);
void DirInput_Press(HWND dir, int hit);
void DirInput_Open(HWND dir);
void DirInput_AddHistory(HWND combo, const char* text);
void DirInput_TreeChanged(HWND dir, bool doubleClick);
void DirInput_FilesChanged(HWND dir);
void DirInput_FilesDoubleClick(HWND dir);
bool DirInput_TabKey(HWND from, bool backwards);

// diskbar.cpp
// Reads another drive into the window's tree (or activates its window); falls back to the
// drive of the working directory when the target cannot be read.
void SwitchDrive(HWND dir, const char* target);
void DiskBar_Refresh(HWND disk);
int32_t DiskBar_HeightFor(int32_t width);
// The letters of the bar's buttons as painted, rows separated by "|" ("CZ", "C|Z").
std::string DiskBar_Rows(HWND disk);
