// The drive buttons of a directory window's disk bar: how many rows they take for a width,
// where each letter sits, which button a point hits, its frame, and the arrow keys' steps.
#pragma once

#include <stdint.h>

constexpr int kDiskRowHeight = 24;
constexpr int kDiskGridRows = 14;
constexpr int kDiskGridColumns = 26;
constexpr int kDiskMargin = 5;
constexpr int kDiskButtonGap = 24; // beyond the bitmap: the letter and the space to the next

// The letter at each (row, column); 0 for an empty cell. A row ends at its first empty cell.
struct DiskGrid {
    char cells[kDiskGridRows][kDiskGridColumns];
    int32_t rows;
};

struct DiskRect {
    int32_t left, top, right, bottom;
};

// The bar's height for n drives of bitmap width bw in a client width: 24 while all fit in one
// row, else 24 per row of (width - 5) / (bw + 24) buttons (24 when not even one fits).
int32_t DiskBar_Height(int32_t width, int32_t drives, int32_t bitmapWidth);
// Lays the letters (ending at 0 or 255) out as the bar paints them, from x = 5: a row ends when
// the next button would not fit. The pixel origin of each button comes from DiskGrid_Origin.
void DiskGrid_Build(DiskGrid* grid, const char* letters, int32_t width, int32_t bitmapWidth);
void DiskGrid_Origin(int row, int column, int32_t bitmapWidth, int32_t* x, int32_t* y);
// The button under a point: 1 and its cell, or 0 when the cell there is empty.
int DiskGrid_Hit(const DiskGrid& grid, int32_t x, int32_t y, int32_t bitmapWidth, int* row,
                 int* column);
// The frame drawn around a focused or pressed button.
DiskRect DiskGrid_Frame(int row, int column, int32_t bitmapWidth, int32_t bitmapHeight);
// The cell of a letter (either case): 1, or 0 when it is not in the grid.
int DiskGrid_Find(const DiskGrid& grid, char letter, int* row, int* column);
// Right: the next button, after a row's last the next row's first, after the last the first.
// Left: the reverse. The cell moves in place; nothing happens on an empty grid.
void DiskGrid_Step(const DiskGrid& grid, bool right, int* row, int* column);
