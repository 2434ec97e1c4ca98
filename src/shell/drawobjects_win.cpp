#include "shell/drawobjects_win.h"

#include <algorithm>
#include <vector>

#include "look/look_win.h"
#include "shell/settings.h"

DrawObjects gDraw;
HBITMAP gBitmaps[kStartupBitmaps];
SIZE gMarkerSize;
HCURSOR gCursors[kStartupCursors];

const char* const kStartupBitmapNames[kStartupBitmaps] = {
    "TOFBitmap",         "BOFBitmap",          "TBOFBitmap",        "MOFBitmap",
    "No7Bitmap",         "Yes7Bitmap",         "FilesBitmap",       "NoFilesBitmap",
    "NoExistBitmap",     "SubdirsBitmap",      "MenuViewBitmap",    "MenuDirBitmap",
    "MenuListBitmap",    "MenuEditBitmap",     "MenuCheckBitmap",   "HardDiskBitmap",
    "FloppyDiskBitmap",  "NetDiskBitmap",      "RamDiskBitmap",     "CDROMBitmap",
    "HardDiskDownBitmap", "FloppyDiskDownBitmap", "NetDiskDownBitmap", "RamDiskDownBitmap",
    "CDROMDownBitmap",
};

namespace {

const char* const kCursorNames[kStartupCursors - 1] = {"FloppyCursor", "HardCursor", "FindCursor",
                                                      "CopyCursor", "MoveCursor"};

// Grows by 16 handles at a time, as the program's lists do.
std::vector<HGDIOBJ> gKept;

COLORREF ColourOf(ColorSlot slot) {
    return static_cast<COLORREF>(gSettings.colors[slot]);
}

bool TwoColourScreen() {
    HDC screen = GetDC(NULL);
    int colours = GetDeviceCaps(screen, NUMCOLORS);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(NULL, screen);
    return colours == 2 || bits == 1;
}

// A screen of 350 lines (EGA) shows the bar darker, where light grey would vanish.
bool EgaScreen() {
    return GetSystemMetrics(SM_CYSCREEN) == 350;
}

template <typename Handle> void Delete(Handle& handle) {
    if (handle)
        DeleteObject(handle);
    handle = NULL;
}

} // namespace

void DrawObjects_Create() {
    gDraw.viewBrush = CreateSolidBrush(ColourOf(kColorBackgnd));
    gDraw.editBrush = CreateSolidBrush(ColourOf(kColorEditBackgnd));
    gDraw.srchBrush = CreateSolidBrush(ColourOf(kColorSrchBackgnd));
    gDraw.dirBrush = CreateSolidBrush(ColourOf(kColorDirBackgnd));
    gDraw.dialogBrush = CreateSolidBrush(RGB(192, 192, 192));
    if (!gDraw.dialogBrush)
        gDraw.dialogBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    gDraw.windowTextBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT));
    gDraw.highlightBrush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    gDraw.redPen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    gDraw.highlightPen = CreatePen(PS_SOLID, 1, highlight ? highlight : RGB(0, 0, 255));
    int stock = TwoColourScreen() ? WHITE_BRUSH : EgaScreen() ? GRAY_BRUSH : LTGRAY_BRUSH;
    gDraw.barBrush = static_cast<HBRUSH>(GetStockObject(stock));
    Orv_KeepObject(GetStockObject(OEM_FIXED_FONT));
}

void DrawObjects_CreateBarFace() {
    COLORREF shade = TwoColourScreen() ? RGB(255, 255, 255)
                     : EgaScreen()     ? RGB(128, 128, 128)
                                       : RGB(192, 192, 192);
    gDraw.barFaceBrush = CreateSolidBrush(shade);
    gDraw.barFacePen = CreatePen(PS_SOLID, 1, shade);
}

void DrawObjects_LoadBitmaps(HINSTANCE instance) {
    for (int i = 0; i < kStartupBitmaps; i++)
        gBitmaps[i] = LoadBitmapA(instance, kStartupBitmapNames[i]);
    BITMAP info = {};
    if (gBitmaps[kBmpTOF] && GetObjectA(gBitmaps[kBmpTOF], sizeof info, &info))
        gMarkerSize = {info.bmWidth, info.bmHeight};
}

void DrawObjects_LoadCursors(HINSTANCE instance) {
    for (int i = 0; i < kStartupCursors - 1; i++)
        gCursors[i] = LoadCursorA(instance, kCursorNames[i]);
    gCursors[kCurWait] = LoadCursor(NULL, IDC_WAIT);
}

void DrawObjects_DeleteAll() {
    Look_DeleteBrushes(); // first: it forgets the start-up brushes it deletes itself
    for (HBITMAP& bitmap : gBitmaps)
        Delete(bitmap);
    for (HGDIOBJ object : gKept)
        DeleteObject(object); // stock objects are left alone by the system
    gKept.clear();
    gKept.shrink_to_fit();
    Delete(gDraw.viewBrush);
    Delete(gDraw.editBrush);
    Delete(gDraw.srchBrush);
    Delete(gDraw.dirBrush);
    Delete(gDraw.dialogBrush);
    Delete(gDraw.windowTextBrush);
    Delete(gDraw.highlightBrush);
    Delete(gDraw.redPen);
    Delete(gDraw.highlightPen);
    Delete(gDraw.barFaceBrush);
    Delete(gDraw.barFacePen);
    Delete(gDraw.blueBrush);
    gDraw.barBrush = NULL; // a stock brush
    // Cursors loaded from resources are shared and need no destroying.
    for (HCURSOR& cursor : gCursors)
        cursor = NULL;
}

void Orv_KeepObject(HGDIOBJ object) {
    if (!object || std::find(gKept.begin(), gKept.end(), object) != gKept.end())
        return;
    if (gKept.size() == gKept.capacity())
        gKept.reserve(gKept.size() + 16);
    gKept.push_back(object);
}

int Orv_KeptObjectCount() {
    return static_cast<int>(gKept.size());
}

LRESULT Orv_ColorControl(WPARAM dc, COLORREF text, COLORREF background, HBRUSH brush) {
    SetTextColor(reinterpret_cast<HDC>(dc), text);
    SetBkColor(reinterpret_cast<HDC>(dc), background);
    return reinterpret_cast<LRESULT>(brush);
}
