#include "lister/diskgrid.h"

#include <string.h>

namespace {

int RowLength(const DiskGrid& grid, int row) {
    int n = 0;
    while (n < kDiskGridColumns && grid.cells[row][n])
        n++;
    return n;
}

} // namespace

int32_t DiskBar_Height(int32_t width, int32_t drives, int32_t bitmapWidth) {
    const int32_t step = bitmapWidth + kDiskButtonGap;
    if (drives <= 0 || width >= drives * step + kDiskMargin)
        return kDiskRowHeight;
    const int32_t perRow = (width - kDiskMargin) / step;
    if (perRow <= 0)
        return kDiskRowHeight;
    return kDiskRowHeight * ((drives + perRow - 1) / perRow);
}

void DiskGrid_Build(DiskGrid* grid, const char* letters, int32_t width, int32_t bitmapWidth) {
    memset(grid, 0, sizeof *grid);
    const int32_t step = bitmapWidth + kDiskButtonGap;
    int row = 0, column = 0;
    int32_t x = kDiskMargin;
    for (const char* l = letters; *l && (unsigned char)*l != 255; l++) {
        if (row >= kDiskGridRows)
            break;
        grid->cells[row][column] = *l;
        grid->rows = row + 1;
        const int32_t old = x;
        x += step;
        column++;
        if (width < old + 2 * step || column >= kDiskGridColumns) {
            row++;
            column = 0;
            x = kDiskMargin;
        }
    }
}

void DiskGrid_Origin(int row, int column, int32_t bitmapWidth, int32_t* x, int32_t* y) {
    *x = kDiskMargin + column * (bitmapWidth + kDiskButtonGap);
    *y = kDiskMargin + row * kDiskRowHeight;
}

int DiskGrid_Hit(const DiskGrid& grid, int32_t x, int32_t y, int32_t bitmapWidth, int* row,
                 int* column) {
    if (x < kDiskMargin || y < 0)
        return 0;
    const int c = (x - kDiskMargin) / (bitmapWidth + kDiskButtonGap);
    const int r = y / kDiskRowHeight;
    if (r >= kDiskGridRows || c >= kDiskGridColumns || !grid.cells[r][c])
        return 0;
    *row = r;
    *column = c;
    return 1;
}

DiskRect DiskGrid_Frame(int row, int column, int32_t bitmapWidth, int32_t bitmapHeight) {
    const int32_t left = column * (bitmapWidth + kDiskButtonGap) + 2;
    const int32_t top = row * kDiskRowHeight + 3;
    return DiskRect{left, top, column * (bitmapWidth + kDiskButtonGap) + bitmapWidth + 20,
                    row * kDiskRowHeight + bitmapHeight + 6};
}

int DiskGrid_Find(const DiskGrid& grid, char letter, int* row, int* column) {
    const char want = (char)(letter >= 'a' && letter <= 'z' ? letter - 32 : letter);
    for (int r = 0; r < grid.rows; r++) {
        for (int c = 0; c < kDiskGridColumns && grid.cells[r][c]; c++) {
            char have = grid.cells[r][c];
            if (have >= 'a' && have <= 'z')
                have = (char)(have - 32);
            if (have == want) {
                *row = r;
                *column = c;
                return 1;
            }
        }
    }
    return 0;
}

void DiskGrid_Step(const DiskGrid& grid, bool right, int* row, int* column) {
    if (grid.rows <= 0 || RowLength(grid, 0) == 0)
        return;
    int r = *row, c = *column;
    if (r < 0 || r >= grid.rows || c < 0 || c >= RowLength(grid, r)) {
        r = 0;
        c = 0;
    } else if (right) {
        if (++c >= RowLength(grid, r)) {
            c = 0;
            r = r + 1 < grid.rows ? r + 1 : 0;
        }
    } else if (--c < 0) {
        r = r > 0 ? r - 1 : grid.rows - 1;
        c = RowLength(grid, r) - 1;
    }
    *row = r;
    *column = c;
}
