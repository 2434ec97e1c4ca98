// Drawing a directory window: the "File Name:" label, the mask and sort buttons with their
// pressed and raised faces, the status row and status boxes, and the owner-drawn tree rows.
#include <stdio.h>
#include <string.h>

#include <vector>

#include "lister/dirstate_win.h"
#include "resources/resource.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/settings.h"

const char* const kDirSortLabels[kDirButtons] = {"Name", "Type", "Date", "Size"};

namespace {

RECT ToRect(const DirRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

const char* ButtonText(int hit) {
    if (hit >= kHitMask1 && hit < kHitMask1 + kDirButtons)
        return Settings_Mask(hit - kHitMask1);
    if (hit >= kHitSort1 && hit < kHitSort1 + kDirButtons)
        return kDirSortLabels[hit - kHitSort1];
    return kDirSumLabel;
}

DirRect ButtonRect(const DirWindowState* s, int hit) {
    const DirLayout& l = s->layout;
    if (hit >= kHitMask1 && hit < kHitMask1 + kDirButtons)
        return l.masks[hit - kHitMask1];
    if (hit >= kHitSort1 && hit < kHitSort1 + kDirButtons)
        return l.sorts[hit - kHitSort1];
    return l.sumButton;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
}

// A sunken box with its text at x (centred when x is negative).
void SunkenBox(HDC dc, RECT r, const char* text, int x) {
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    RECT inside = {r.left + 2, r.top + 1, r.right - 2, r.bottom - 1};
    if (x < 0) {
        DrawTextA(dc, text, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        inside.left = x;
        DrawTextA(dc, text, -1, &inside, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// Is this button drawn pressed now: the one the mouse holds inside it, or the active sort key
// unless another sort button is being pressed.
bool IsPressed(const DirWindowState* s, int hit) {
    const int pressedHit = s->pressed;
    const bool pressedInside = s->pressedInside;
    if (pressedHit == hit && pressedInside)
        return true;
    if (hit >= kHitSort1 && hit < kHitSort1 + kDirButtons && hit == s->sortKey) {
        const bool otherSortHeld = pressedInside && pressedHit != hit && pressedHit >= kHitSort1 &&
                                   pressedHit < kHitSort1 + kDirButtons;
        return !otherSortHeld;
    }
    return false;
}

int StatusTextRight(const DirWindowState* s, HDC dc) {
    const char* text = s->selectionInfo[0] ? s->selectionInfo : s->sumText;
    if (!text[0])
        return 0;
    return s->layout.statusRow.left + DirPaint_TextWidth(dc, text) + 12;
}

void PaintStatus(DirWindowState* s, HDC dc, const RECT& client) {
    const DirLayout& l = s->layout;
    DirPaint_RecomputeInfo(s);
    const int textRight = StatusTextRight(s, dc);
    if (s->selectionInfo[0]) {
        s->sumShown = false;
        RECT r = {l.statusRow.left, l.statusRow.top, textRight, l.statusRow.bottom};
        SunkenBox(dc, r, s->selectionInfo, r.left + 4);
    } else {
        if (GetFocus() == s->files)
            s->sumText[0] = 0;
        if (s->sumText[0]) {
            s->sumShown = false;
            RECT r = {l.statusRow.left, l.statusRow.top, StatusTextRight(s, dc),
                      l.statusRow.bottom};
            SunkenBox(dc, r, s->sumText, r.left + 4);
        } else {
            s->sumShown = true;
            DirPaint_Button(s, dc, kHitSum, s->pressed == kHitSum && s->pressedInside);
        }
    }

    const int files = (int)SendMessageA(s->files, LB_GETCOUNT, 0, 0);
    char filesLine[kStatusTextMax], spaceLine[kStatusTextMax];
    FormatFilesLine(files, s->figures.listedBytes, false, filesLine, sizeof filesLine);
    FormatSpaceLine(s->figures.freeBytes, s->figures.diskBytes, false, spaceLine, sizeof spaceLine);
    char filesCompact[kStatusTextMax], spaceCompact[kStatusTextMax];
    FormatFilesLine(files, s->figures.listedBytes, true, filesCompact, sizeof filesCompact);
    FormatSpaceLine(s->figures.freeBytes, s->figures.diskBytes, true, spaceCompact,
                    sizeof spaceCompact);
    const DirStatusInput in = {client.right,
                               DirPaint_TextWidth(dc, spaceLine),
                               DirPaint_TextWidth(dc, s->volumeText),
                               DirPaint_TextWidth(dc, filesCompact),
                               s->sumShown ? 0 : textRight,
                               s->sumShown,
                               l.sumButton.right};
    DirStatusBoxes boxes;
    DirStatus_Place(in, &boxes);
    s->statusCompact = boxes.compact;
    const int top = l.bottomRowTop, bottom = client.bottom - 3;
    RECT filesBox = {boxes.files.left, top, boxes.files.right, bottom};
    RECT spaceBox = {boxes.space.left, top, boxes.space.right, bottom};
    int volumeLeft = boxes.volume.left;
    if (!s->sumShown && textRight + 4 > volumeLeft)
        volumeLeft = textRight + 4;
    RECT volumeBox = {volumeLeft, l.statusRow.top, boxes.volume.right, l.statusRow.bottom};
    if (boxes.compact) {
        SunkenBox(dc, filesBox, filesCompact, boxes.filesTextX);
        SunkenBox(dc, spaceBox, spaceCompact, boxes.spaceTextX);
        if (s->volumeText[0] && volumeBox.right - volumeBox.left > 8)
            SunkenBox(dc, volumeBox, s->volumeText, volumeBox.left + 4);
    } else {
        SunkenBox(dc, filesBox, filesLine, -1);
        SunkenBox(dc, spaceBox, spaceLine, -1);
        if (s->volumeText[0] && volumeBox.right - volumeBox.left > 8)
            SunkenBox(dc, volumeBox, s->volumeText, -1);
    }
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    Line(dc, 0, l.whiteLineY, client.right, l.whiteLineY);
    SelectObject(dc, oldPen);
}

} // namespace

int DirPaint_TextWidth(HDC dc, const char* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size.cx;
}

void DirPaint_Button(const DirWindowState* s, HDC dc, int hit, bool pressed) {
    RECT r = ToRect(ButtonRect(s, hit));
    if (r.right <= r.left)
        return;
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    HGDIOBJ old = SelectObject(dc, GetStockObject(pressed ? BLACK_PEN : WHITE_PEN));
    Line(dc, r.left, r.bottom - 1, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, GetStockObject(pressed ? WHITE_PEN : BLACK_PEN));
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, old);
    // The text is cut from the right until it fits with 6 pixels to spare.
    char text[kPlatNameMax];
    lstrcpynA(text, ButtonText(hit), sizeof text);
    int length = lstrlenA(text);
    const int room = (r.right - r.left) - 6;
    SIZE size = {0, 0};
    while (length > 0) {
        GetTextExtentPoint32A(dc, text, length, &size);
        if (size.cx <= room)
            break;
        length--;
    }
    const int x = r.left + ((r.right - r.left) - size.cx) / 2 + (pressed ? 1 : 0);
    const int y = r.top + ((r.bottom - r.top) - size.cy) / 2 + (pressed ? 1 : 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x, y, text, length);
}

// A red frame in XOR mode 2 pixels inside the focused button.
void DirPaint_ButtonFocus(const DirWindowState* s, HDC dc) {
    if (s->buttonRow == kRowNone || GetFocus() != s->window)
        return;
    const int hit = (s->buttonRow == kRowMasks ? kHitMask1 : kHitSort1) + s->buttonFocus - 1;
    RECT r = ToRect(ButtonRect(s, hit));
    const int oldRop = SetROP2(dc, R2_XORPEN);
    HGDIOBJ oldPen = SelectObject(dc, gDraw.redPen ? (HGDIOBJ)gDraw.redPen : GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SetROP2(dc, oldRop);
}

void DirPaint_Window(DirWindowState* s, HDC dc) {
    HWND dir = s->window;
    if (!s->treeShown && s->tree) {
        s->treeShown = true;
        ShowWindow(s->tree, SW_SHOWNA);
    }
    RECT client;
    GetClientRect(dir, &client);
    HGDIOBJ oldFont = SelectObject(dc, s->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const DirLayout& l = s->layout;
    TextOutA(dc, l.label.left, l.label.top + 2, kDirFileNameLabel, lstrlenA(kDirFileNameLabel));
    for (int i = 0; i < kDirButtons; i++) {
        DirPaint_Button(s, dc, kHitMask1 + i, IsPressed(s, kHitMask1 + i));
        DirPaint_Button(s, dc, kHitSort1 + i, IsPressed(s, kHitSort1 + i));
    }
    PaintStatus(s, dc, client);
    DirPaint_ButtonFocus(s, dc);
    SelectObject(dc, oldFont);
}

void DirPaint_RecomputeInfo(DirWindowState* s) {
    if (!s || !s->files)
        return;
    const LRESULT count = SendMessageA(s->files, LB_GETSELCOUNT, 0, 0);
    const int n = count > 0 ? (int)count : 0;
    if (n == 0) {
        s->selectionInfo[0] = 0;
        return;
    }
    std::vector<int> selected((size_t)n);
    SendMessageA(s->files, LB_GETSELITEMS, (WPARAM)n, reinterpret_cast<LPARAM>(selected.data()));
    std::vector<const char*> pointers;
    pointers.reserve((size_t)n);
    for (int index : selected) {
        const char* name = FileListing_Name(&s->listing, index);
        pointers.push_back(name ? name : "");
    }
    SelectionInfoLine(s->listingDir, pointers.data(), n, s->selectionInfo, sizeof s->selectionInfo);
}

// ---- File rows ----------------------------------------------------------------------------

// A row of the file list drawn as the system draws a list of strings: the name one pixel in,
// on the highlight colours when selected, the focus rectangle over it; the list's own colours
// and font are already in the device context.
void DirPaint_FileRow(const FileListing& listing, const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    const RECT& row = item->rcItem;
    const char* name = FileListing_Name(&listing, (int32_t)item->itemID);
    if (item->itemAction == ODA_FOCUS || item->itemID == (UINT)-1 || !name) {
        if (item->itemAction == ODA_FOCUS || (item->itemState & ODS_FOCUS))
            DrawFocusRect(dc, &row);
        return;
    }
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF oldBack = 0, oldText = 0;
    if (selected) {
        oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    ExtTextOutA(dc, row.left + 1, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, name,
                (UINT)strlen(name), NULL);
    if (selected) {
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
    }
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &row);
}

int DirPaint_FileRowHeight(HFONT font) {
    // What a list of strings measures for its rows: the height of the letters in its font.
    HDC dc = GetDC(NULL);
    HGDIOBJ old = font ? SelectObject(dc, font) : NULL;
    SIZE size = {0, 16};
    GetTextExtentPoint32A(dc, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &size);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    return size.cy > 0 ? size.cy : 16;
}

// ---- Tree rows ----------------------------------------------------------------------------

void DirPaint_TreeRow(DirWindowState* s, const DRAWITEMSTRUCT* item) {
    DirTree* tree = s->dirTree;
    HDC dc = item->hDC;
    RECT row = item->rcItem;
    if (item->itemID == (UINT)-1 || !tree || !tree->nodes) {
        if (item->itemState & ODS_FOCUS)
            DrawFocusRect(dc, &row);
        return;
    }
    const int32_t index = (int32_t)item->itemData;
    if (index < 0 || index >= tree->capacity)
        return;
    const TreeNode& node = tree->nodes[index];
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    if (selected) {
        FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        char caption[kPlatNameMax] = "";
        GetWindowTextA(s->window, caption, sizeof caption);
        if (!IsIconic(s->window) && lstrcmpA(caption, node.path) != 0)
            SetWindowTextA(s->window, node.path);
    } else {
        FillRect(dc, &row, s->backBrush);
        SetTextColor(dc, s->textColor);
    }
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, s->font);

    static const StartupBitmap kIcons[] = {kBmpFiles, kBmpSubdirs, kBmpNoFiles};
    HBITMAP bitmap = gBitmaps[kIcons[TreeNode_Bitmap(&node)]];
    BITMAP info = {};
    if (bitmap)
        GetObjectA(bitmap, sizeof info, &info);
    const int iconX = row.left + node.indent;
    const int height = row.bottom - row.top;
    if (bitmap) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        StretchBlt(dc, iconX, row.top + 2, info.bmWidth, height - 4, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    const char* text = TreeNode_Text(tree, index);
    const int textX = iconX + info.bmWidth + 1;
    TextOutA(dc, textX, row.top, text, lstrlenA(text));

    if (index != 0) {
        HPEN pen = CreatePen(PS_SOLID, 1, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : s->textColor);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int middle = row.top + height / 2;
        const int stem = iconX - 18;
        Line(dc, iconX - 3, middle, stem, middle);
        Line(dc, stem, middle, stem, row.top - 1);
        if (node.nextSibling)
            Line(dc, stem, middle, stem, row.bottom);
        int x = stem - kTreeIndentStep;
        for (int32_t a = node.parent; a > 0 && x >= 0; a = tree->nodes[a].parent, x -= kTreeIndentStep) {
            if (tree->nodes[a].nextSibling)
                Line(dc, x, row.top, x, row.bottom);
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    const int right = textX + DirPaint_TextWidth(dc, text) - row.left;
    if (right > s->treeExtent) {
        // The list is told once the rows of this paint are drawn: each change of its extent
        // lays its scroll bar out again, a few milliseconds a row in the first paint.
        s->treeExtent = right;
        if (!s->treeExtentPosted)
            s->treeExtentPosted = PostMessageA(s->window, kDirApplyTreeExtent, 0, 0) != 0;
        if (!s->treeExtentPosted)
            SendMessageA(s->tree, LB_SETHORIZONTALEXTENT, (WPARAM)(right + 8), 0);
    }
    SelectObject(dc, oldFont);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &row);
}
