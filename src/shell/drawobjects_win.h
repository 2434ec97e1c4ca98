// The drawing objects ORV makes at start-up and keeps for the whole run: brushes and pens of the
// configured colours, the bitmaps of markers, drives and Window-menu marks, the cursors, and the
// object list of fonts and other handles deleted at teardown.
#pragma once

#include <windows.h>

struct DrawObjects {
    HBRUSH viewBrush; // "BackgndColor": the view class's background
    HBRUSH editBrush; // "EditBackgndColor"
    HBRUSH srchBrush; // "SrchBackgndColor"
    HBRUSH dirBrush; // "DirBackgndColor"
    HBRUSH dialogBrush; // light grey (white when it cannot be made)
    HBRUSH windowTextBrush;
    HBRUSH highlightBrush;
    HPEN redPen;
    HPEN highlightPen; // blue when the system's highlight colour is black
    HBRUSH barBrush; // stock: white on two colours, grey on a 350-line screen, else light grey
    HBRUSH barFaceBrush; // made at instance start-up, with its pen, in the bar's shade
    HPEN barFacePen;
    HBRUSH blueBrush; // made when the frame is created
};

extern DrawObjects gDraw;

// The bitmaps loaded at start-up, by name; their handles are in the same order.
enum StartupBitmap {
    kBmpTOF, kBmpBOF, kBmpTBOF, kBmpMOF, kBmpNo7, kBmpYes7,
    kBmpFiles, kBmpNoFiles, kBmpNoExist, kBmpSubdirs,
    kBmpMenuView, kBmpMenuDir, kBmpMenuList, kBmpMenuEdit, kBmpMenuCheck,
    kBmpHardDisk, kBmpFloppyDisk, kBmpNetDisk, kBmpRamDisk, kBmpCDROM,
    kBmpHardDiskDown, kBmpFloppyDiskDown, kBmpNetDiskDown, kBmpRamDiskDown, kBmpCDROMDown,
    kStartupBitmaps
};
extern const char* const kStartupBitmapNames[kStartupBitmaps];
extern HBITMAP gBitmaps[kStartupBitmaps];
// Width and height of the view and directory markers (TOF to NoExist), as loaded.
extern SIZE gMarkerSize;

enum StartupCursor { kCurFloppy, kCurHard, kCurFind, kCurCopy, kCurMove, kCurWait, kStartupCursors };
extern HCURSOR gCursors[kStartupCursors];

// Brushes and pens of the settings' colours and the system's; the bar's stock brush.
void DrawObjects_Create();
// The bar's own brush and pen, made in the shade of the bar brush.
void DrawObjects_CreateBarFace();
void DrawObjects_LoadBitmaps(HINSTANCE instance);
void DrawObjects_LoadCursors(HINSTANCE instance);
// Deletes everything made or loaded above and every handle in the object list.
void DrawObjects_DeleteAll();

// Keeps a handle (a font chiefly) for deletion at teardown; one already kept is not kept twice.
void Orv_KeepObject(HGDIOBJ object);
// A child control drawn in its window's colours (WM_CTLCOLOR*): sets the colours on the
// control's drawing context and returns the brush to erase with, or 0 for the default.
LRESULT Orv_ColorControl(WPARAM dc, COLORREF text, COLORREF background, HBRUSH brush);
// How many handles the object list holds (for tests).
int Orv_KeptObjectCount();
