// The disk bar (OrvDiskClass): one button per drive, the window's own drive framed, a single
// click switching the window to the drive once the double-click time has passed, a double
// click or Enter opening a new window for it, and the arrow keys moving between buttons.
#include <stdio.h>
#include <string.h>

#include "lister/dirsnap.h"
#include "lister/dirstate_win.h"

#include <winnetwk.h>

#include "lister/dirwnd_win.h"
#include "search/selqueue_win.h"
#include "shell/classes_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/settings.h"

namespace {

constexpr UINT_PTR kClickTimer = 4321;

SIZE BitmapSize() {
    BITMAP info = {};
    if (gBitmaps[kBmpHardDisk])
        GetObjectA(gBitmaps[kBmpHardDisk], sizeof info, &info);
    SIZE size = {info.bmWidth ? info.bmWidth : 16, info.bmHeight ? info.bmHeight : 14};
    return size;
}

// The drive table: the drives the system reports, less "IgnoreDrives".
int DriveTable(char* list) {
    return Settings_BuildDriveList(Plat_LogicalDrives(), gSettings.ignoredDrives, list);
}

void RebuildGrid(DiskBarState& d, HWND disk) {
    char list[kMaxDrives + 1];
    DriveTable(list);
    RECT client;
    GetClientRect(disk, &client);
    DiskGrid_Build(&d.grid, list, client.right, BitmapSize().cx);
}

HBITMAP BitmapFor(char letter) {
    char root[4] = {letter, ':', '\\', 0};
    const bool open = DirWindow_FindForRoot(root) != NULL;
    switch (Plat_DriveType(root)) {
    case kPlatDriveRemovable:
        return gBitmaps[open ? kBmpFloppyDiskDown : kBmpFloppyDisk];
    case kPlatDriveFixed:
        return gBitmaps[open ? kBmpHardDiskDown : kBmpHardDisk];
    case kPlatDriveRemote:
        return gBitmaps[open ? kBmpNetDiskDown : kBmpNetDisk];
    case kPlatDriveCdRom:
        return gBitmaps[open ? kBmpCDROMDown : kBmpCDROM];
    case kPlatDriveRamDisk:
        return gBitmaps[open ? kBmpRamDiskDown : kBmpRamDisk];
    default:
        return gBitmaps[kBmpHardDisk];
    }
}

char OwnDrive(const DirWindowState* s) {
    const DirTree* tree = s->dirTree;
    if (!tree || !tree->nodes)
        return 0;
    return tree->nodes[0].path[0];
}

// A red frame in XOR mode: drawn twice, it is gone.
void XorFrame(const DiskBarState& d, HWND disk, int row, int column) {
    if (row < 0 || row >= kDiskGridRows || column < 0 || column >= kDiskGridColumns ||
        !d.grid.cells[row][column])
        return;
    const SIZE b = BitmapSize();
    const DiskRect f = DiskGrid_Frame(row, column, b.cx, b.cy);
    HDC dc = GetDC(disk);
    const int oldRop = SetROP2(dc, R2_XORPEN);
    HGDIOBJ oldPen = SelectObject(dc, gDraw.redPen ? (HGDIOBJ)gDraw.redPen : GetStockObject(WHITE_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, f.left, f.top, f.right, f.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SetROP2(dc, oldRop);
    ReleaseDC(disk, dc);
}

void OnPaint(DirWindowState* s, HWND disk) {
    DiskBarState& d = s->diskBar;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(disk, &paint);
    RebuildGrid(d, disk);
    const SIZE b = BitmapSize();
    const char own = OwnDrive(s);
    HDC memory = CreateCompatibleDC(dc);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    for (int r = 0; r < d.grid.rows; r++) {
        for (int c = 0; c < kDiskGridColumns && d.grid.cells[r][c]; c++) {
            const char letter = d.grid.cells[r][c];
            int32_t x, y;
            DiskGrid_Origin(r, c, b.cx, &x, &y);
            HBITMAP bitmap = BitmapFor(letter);
            if (bitmap) {
                BITMAP info = {};
                GetObjectA(bitmap, sizeof info, &info);
                HGDIOBJ old = SelectObject(memory, bitmap);
                StretchBlt(dc, x, y, b.cx, b.cy, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
                SelectObject(memory, old);
            }
            char text[2] = {(char)(letter | 0x20), 0};
            TextOutA(dc, x + b.cx + 2, y, text, 1);
            if ((own | 0x20) == (letter | 0x20)) {
                HGDIOBJ oldPen = SelectObject(dc, gDraw.highlightPen);
                HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, x - 4, y - 3, x + b.cx + 16, y + b.cy + 2);
                SelectObject(dc, oldBrush);
                SelectObject(dc, oldPen);
            }
        }
    }
    DeleteDC(memory);
    RECT client;
    GetClientRect(disk, &client);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, 0, 0, NULL);
    LineTo(dc, client.right, 0);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    EndPaint(disk, &paint);
    if (GetFocus() == disk)
        XorFrame(d, disk, d.focusRow, d.focusColumn);
}

void RootOf(char letter, char* root) {
    root[0] = (char)(letter | 0x20);
    root[1] = ':';
    root[2] = '\\';
    root[3] = 0;
}

void SingleClick(DirWindowState* s) {
    const DiskBarState& d = s->diskBar;
    char root[4];
    RootOf(d.grid.cells[d.pressRow][d.pressColumn], root);
    SwitchDrive(s, root);
}

void OnButtonDown(DirWindowState* s, HWND disk, int x, int y) {
    DiskBarState& d = s->diskBar;
    RebuildGrid(d, disk);
    int row, column;
    if (!DiskGrid_Hit(d.grid, x, y, BitmapSize().cx, &row, &column))
        return;
    SetCapture(disk);
    SetTimer(disk, kClickTimer, GetDoubleClickTime(), NULL);
    d.released = d.timerExpired = false;
    d.pressing = true;
    d.pressRow = row;
    d.pressColumn = column;
    d.pressPoint = {x, y};
    XorFrame(d, disk, row, column);
}

void OnButtonUp(DirWindowState* s, HWND disk, int x, int y) {
    DiskBarState& d = s->diskBar;
    if (!d.pressing)
        return; // the second release of a double click
    d.pressing = false;
    if (GetCapture() == disk)
        ReleaseCapture();
    XorFrame(d, disk, d.pressRow, d.pressColumn);
    int row, column;
    if (!DiskGrid_Hit(d.grid, x, y, BitmapSize().cx, &row, &column) ||
        row != d.pressRow || column != d.pressColumn) {
        KillTimer(disk, kClickTimer);
        return;
    }
    d.released = true;
    Dir_ClearSum(s);
    if (d.timerExpired)
        SingleClick(s);
}

void OnTimer(DirWindowState* s, HWND disk) {
    DiskBarState& d = s->diskBar;
    KillTimer(disk, kClickTimer);
    if (d.released) {
        d.released = false;
        SingleClick(s);
    } else {
        d.timerExpired = true;
    }
}

void OnDoubleClick(DirWindowState* s, HWND disk) {
    DiskBarState& d = s->diskBar;
    KillTimer(disk, kClickTimer);
    d.released = d.timerExpired = false;
    int row, column;
    if (!DiskGrid_Hit(d.grid, d.pressPoint.x, d.pressPoint.y, BitmapSize().cx, &row,
                      &column))
        return;
    Dir_ClearSum(s);
    s->selectionInfo[0] = 0;
    char root[4];
    RootOf(d.grid.cells[row][column], root);
    DirWindow_OpenOnDrive(root);
}

void OnSetFocus(DirWindowState* s, HWND disk) {
    DiskBarState& d = s->diskBar;
    RebuildGrid(d, disk);
    const char own = OwnDrive(s);
    d.focusRow = d.focusColumn = 0;
    if (own)
        DiskGrid_Find(d.grid, own, &d.focusRow, &d.focusColumn);
    XorFrame(d, disk, d.focusRow, d.focusColumn);
}

bool OnKey(DirWindowState* s, HWND disk, WPARAM key) {
    DiskBarState& d = s->diskBar;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        XorFrame(d, disk, d.focusRow, d.focusColumn);
        DiskGrid_Step(d.grid, key == VK_RIGHT, &d.focusRow, &d.focusColumn);
        XorFrame(d, disk, d.focusRow, d.focusColumn);
        return true;
    case VK_RETURN:
        if (d.grid.cells[d.focusRow][d.focusColumn]) {
            char root[4];
            RootOf(d.grid.cells[d.focusRow][d.focusColumn], root);
            DirWindow_OpenOnDrive(root);
        }
        return true;
    case VK_TAB:
        DirInput_TabKey(s, disk, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return false;
}

} // namespace

LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam) {
    // The bar is part of its directory window: what it keeps lives in the window's record.
    DirWindowState* s = Dir_StateOf(GetParent(disk));
    const int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
    switch (message) {
    case WM_PAINT:
        if (!s)
            break;
        OnPaint(s, disk);
        return 0;
    case WM_LBUTTONDOWN:
        if (s)
            OnButtonDown(s, disk, x, y);
        return 0;
    case WM_LBUTTONUP:
        if (s)
            OnButtonUp(s, disk, x, y);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (s)
            OnDoubleClick(s, disk);
        return 0;
    case WM_TIMER:
        if (wParam == kClickTimer) {
            if (s)
                OnTimer(s, disk);
            else
                KillTimer(disk, kClickTimer);
        }
        return 0;
    case WM_SETFOCUS:
        ControlBar_EnableFind(false);
        if (s)
            OnSetFocus(s, disk);
        return 0;
    case WM_KILLFOCUS:
        if (s)
            XorFrame(s->diskBar, disk, s->diskBar.focusRow, s->diskBar.focusColumn);
        return 0;
    case WM_KEYDOWN:
        if (s && OnKey(s, disk, wParam))
            return 0;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_SIZE:
        InvalidateRect(disk, NULL, TRUE);
        break;
    }
    return DefWindowProcA(disk, message, wParam, lParam);
}

void DiskBar_Refresh(HWND disk) {
    if (disk)
        InvalidateRect(disk, NULL, TRUE);
}

std::string DiskBar_Rows(HWND disk) {
    DirWindowState* s = Dir_StateOf(GetParent(disk));
    if (!s)
        return std::string();
    DiskBarState& d = s->diskBar;
    RebuildGrid(d, disk);
    std::string rows;
    for (int r = 0; r < d.grid.rows; r++) {
        rows += r ? "|" : "";
        for (int c = 0; c < kDiskGridColumns && d.grid.cells[r][c]; c++)
            rows += d.grid.cells[r][c];
    }
    return rows;
}

int32_t DiskBar_HeightFor(int32_t width) {
    char list[kMaxDrives + 1];
    const int n = DriveTable(list);
    return DiskBar_Height(width, n, BitmapSize().cx);
}

void SwitchDrive(DirWindowState* s, const char* target) {
    HWND dir = s->window;
    DirTree* tree = s->dirTree;
    if (!tree)
        return;
    char working[kPlatNameMax] = "";
    Plat_GetCurrentDir(0, working, sizeof working);
    char root[kPlatNameMax];
    if (!Plat_DriveRoot(target, root, sizeof root))
        return;
    CharLowerA(root);
    HWND other = DirWindow_FindForRoot(root);
    if (other) {
        if (other != dir) {
            if (IsIconic(other)) {
                Frame_BeforeOpening(NULL);
                SendMessageA(gMdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(other), 0);
            }
            SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(other), 0);
        }
        return;
    }
    s->selectionInfo[0] = 0;
    tree->volumeText[0] = 0;
    DirSnapshotScope snapshot; // the listing replays the tree's read of its directory
    void* busy = Dir_BeginBusy(root);
    ReadTreeLevel(tree, root, tree->nodes ? kTreeReadReset : kTreeReadSeparate,
                  kTreeReadAbsolute | kTreeReadFlagsLater, nullptr);
    if (!tree->nodes) {
        // The drive cannot be read: back to the drive of the working directory.
        if (!Plat_DriveRoot(working, root, sizeof root)) {
            Dir_EndBusy(busy);
            return;
        }
        Plat_SetCurrentDir(working);
        ReadTreeLevel(tree, root, kTreeReadSeparate, kTreeReadAbsolute | kTreeReadFlagsLater,
                      nullptr);
    }
    Dir_EndBusy(busy);
    if (!tree->nodes)
        return;
    lstrcpynA(s->volumeText, tree->volumeText, sizeof s->volumeText);
    char listing[kPlatNameMax];
    ExpandToPath(tree, root[0], nullptr, listing, sizeof listing, kTreeReadFlagsLater);
    Dir_SetListingDir(s, listing);
    SendMessageA(s->tree, LB_RESETCONTENT, 0, 0);
    s->treeExtent = 0;
    DiskBar_Refresh(s->disk);
    Dir_FillTree(s);
    Dir_ListFiles(s);
}

void DirWindow_ConnectNet(HWND owner, bool connect) {
    if (connect)
        WNetConnectionDialog(owner, RESOURCETYPE_DISK);
    else
        WNetDisconnectDialog(owner, RESOURCETYPE_DISK);
    // A drive may have come or gone: every disk bar shows the drive table anew.
    for (HWND child = gMdiClient ? GetWindow(gMdiClient, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (DirWindowState* s = Dir_StateOf(child)) {
            Dir_Layout(s);
            DiskBar_Refresh(s->disk);
        }
    }
}
