// Building the display rows of the window from the lines in the buffer: text rows with tabs
// expanded, and fixed 78-byte hex and binary rows.
#include <string.h>

#include "viewer/engine.h"

namespace {

const char kHexDigits[] = "0123456789abcdef";

// Where in the row each of the 16 byte cells of a hex row begins.
constexpr int kCellColumn[16] = {10, 13, 16, 19, 22, 25, 28, 31, 36, 39, 42, 45, 48, 51, 54, 57};
constexpr int kSeparatorColumn = 34;
constexpr int kCharColumn = 61;

// Index in the LineTable of the line shown on row r, or -1 when that line is not in the buffer.
int32_t LineIndexOfRow(const ViewEngine* e, int32_t r) {
    int64_t j = e->file.topLine - e->firstLine + r;
    return j >= 0 && j < e->lineCount ? (int32_t)j : -1;
}

int32_t ClampedTabSpacing(ViewEngine* e) {
    if (e->settings.tabSpacing < 1)
        e->settings.tabSpacing = 1;
    return e->settings.tabSpacing;
}

// Copies a zero-terminated line into at most `room` characters of dest, expanding tabs while the
// column is below LineLength (no tab ever widens past LineLength). Returns the length written.
int64_t ExpandLine(const char* src, char* dest, int64_t room, int32_t tabSpacing,
                   int32_t lineLength) {
    int64_t col = 0;
    for (;;) {
        const char* tab = col < lineLength ? strchr(src, '\t') : nullptr;
        size_t plain = tab ? (size_t)(tab - src) : strlen(src);
        if ((int64_t)plain > room - col)
            plain = (size_t)(room - col);
        memcpy(dest + col, src, plain);
        col += (int64_t)plain;
        if (!tab || src + plain != tab)
            return col;
        src = tab;
        while (*src == '\t' && col < lineLength) {
            int64_t width = tabSpacing - col % tabSpacing;
            if (width > lineLength)
                width = lineLength;
            if (width > room - col) {
                memset(dest + col, ' ', (size_t)(room - col));
                return room;
            }
            memset(dest + col, ' ', (size_t)width);
            col += width;
            src++;
        }
    }
}

// The 0-based column at which byte k of a line is drawn once its tabs are expanded.
int64_t ExpandedColumn(const char* src, int32_t k, int32_t tabSpacing, int32_t lineLength) {
    int64_t col = 0;
    for (int32_t i = 0; i < k && src[i]; i++) {
        if (src[i] == '\t' && col < lineLength) {
            int64_t width = tabSpacing - col % tabSpacing;
            col += width > lineLength ? lineLength : width;
        } else {
            col++;
        }
    }
    return col;
}

void BuildTextRows(ViewEngine* e) {
    const int64_t room = e->sizes.displayBytes;
    const int32_t tabSpacing = ClampedTabSpacing(e);
    const int32_t lineLength = e->sizes.lineLength;
    const int64_t matchRow = e->matchLine - e->file.topLine;
    int64_t at = 0;
    int32_t r = 0;
    for (; r <= e->pageLines; r++) {
        int32_t j = LineIndexOfRow(e, r);
        if (j < 0 || at >= room)
            break; // a window whose rows would not fit is cut here
        const char* src = e->buffer + e->lineStart[j];
        char* row = e->displayText + at;
        int64_t length = ExpandLine(src, row, room - at - 1, tabSpacing, lineLength);
        if (length > 0 && row[length - 1] == '\r')
            length--;
        row[length] = 0;
        e->rowOffset[r] = (int32_t)at;
        at += length + 1;
        if (r == matchRow && e->matchLine > 0 && e->matchColumn >= 0)
            e->displayColumn =
                (int32_t)ExpandedColumn(src, e->matchColumn, tabSpacing, lineLength) + 1;
    }
    e->rowOffset[r] = -1;
}

void BlankHexTail(char* row, int count) {
    for (int i = count; i < 16; i++) {
        memset(row + kCellColumn[i], ' ', 3);
        row[kCharColumn + i] = ' ';
    }
    if (count < 8)
        memset(row + kSeparatorColumn, ' ', 2);
}

// A binary row: up to 77 bytes from the line start, NULs shown as blanks, cut at the line end.
// At the end of the file the rest of the row is blank.
void DecodeBinaryRow(const ViewEngine* e, int32_t j, char* row) {
    int32_t start = e->lineStart[j];
    int32_t count = e->bytesInBuffer - start;
    if (count > kBinaryRowBytes)
        count = kBinaryRowBytes;
    for (int32_t i = 0; i < count; i++) {
        char c = e->buffer[start + i];
        row[i] = c ? c : ' ';
    }
    int32_t length = count;
    char* lf = (char*)memchr(row, '\n', (size_t)count);
    char* cr = !lf && e->settings.crIsNewLine ? (char*)memchr(row, '\r', (size_t)count) : nullptr;
    if (lf) {
        length = (int32_t)(lf - row);
        if (e->showCrLf)
            length++;
        else if (length > 0 && row[length - 1] == '\r')
            length--;
    } else if (cr) {
        length = (int32_t)(cr - row) + (e->showCrLf ? 1 : 0);
    } else if (e->file.bufferOffset + start + count >= e->file.fileSize) {
        memset(row + count, ' ', (size_t)(kBinaryRowBytes - count));
        length = kBinaryRowBytes;
    }
    row[length] = 0;
}

void DecodeFixedRow(ViewEngine* e, int32_t r) {
    char* row = e->displayText + (int64_t)r * kFixedRowStride;
    int32_t j = LineIndexOfRow(e, r);
    if (j < 0) {
        row[0] = 0;
        return;
    }
    if (e->settings.binaryMode) {
        DecodeBinaryRow(e, j, row);
        return;
    }
    int32_t start = e->lineStart[j];
    int32_t count = e->bytesInBuffer - start < 16 ? e->bytesInBuffer - start : 16;
    FormatHexRow(row, e->file.bufferOffset + start, (const unsigned char*)e->buffer + start, count,
                 e->settings.all256Chars != 0);
}

// Binary rows end at line ends, so a match that runs past the end of its row goes on at the
// start of the next; each piece gets its own entry in the highlight list.
void WrapBinaryMatch(ViewEngine* e) {
    e->matches.clear();
    int64_t row = e->matchLine - e->file.topLine;
    if (e->matchLine > 0 && e->matchColumn >= 0 && row >= 0 && row <= e->pageLines) {
        int32_t column = e->matchColumn + 1;
        int32_t left = e->matchLength;
        for (; row <= e->pageLines; row++) {
            const char* text = e->displayText + row * kFixedRowStride;
            int32_t shown = (int32_t)strlen(text);
            if (column + left - 1 <= shown || LineIndexOfRow(e, (int32_t)row) < 0) {
                e->matches.push_back(MatchField{(int32_t)row, column, left});
                break;
            }
            int32_t here = shown - column + 1 > 0 ? shown - column + 1 : 0;
            e->matches.push_back(MatchField{(int32_t)row, column, here});
            // The line end that the row does not show still belongs to the match.
            int32_t j = LineIndexOfRow(e, (int32_t)row);
            int32_t rawEnd = j + 1 < e->lineCount ? e->lineStart[j + 1] : e->bytesInBuffer;
            int32_t dropped = rawEnd - e->lineStart[j] - shown;
            if (dropped < 0)
                dropped = 0;
            left -= here + dropped;
            if (left < 0)
                left = 0;
            column = 1;
        }
    }
    e->matches.push_back(MatchField{-1, 0, 0});
}

void BuildFixedRows(ViewEngine* e) {
    const int32_t pageLines = e->pageLines;
    for (int32_t r = 0; r <= pageLines; r++)
        e->rowOffset[r] = r * kFixedRowStride;
    e->rowOffset[pageLines + 1] = -1;

    // Scrolling by one line moves the row image and decodes only the exposed rows; the image is
    // reusable only if it was built for the same page and the same kind of row.
    const int32_t kind = (e->settings.binaryMode ? 1 : 0) | (e->settings.all256Chars ? 2 : 0) |
                         (e->settings.crIsNewLine ? 4 : 0) | (e->showCrLf ? 8 : 0);
    bool reusable = e->lastBuiltTop != -1 && e->lastBuiltPage == pageLines &&
                    e->lastBuiltKind == kind && pageLines >= 1;
    int32_t from = 0, to = pageLines;
    char* image = e->displayText;
    if (reusable && e->file.topLine == e->lastBuiltTop + 1) {
        memmove(image, image + kFixedRowStride, (size_t)pageLines * kFixedRowStride);
        from = pageLines - 1;
    } else if (reusable && e->file.topLine == e->lastBuiltTop - 1) {
        memmove(image + kFixedRowStride, image, (size_t)pageLines * kFixedRowStride);
        to = 0;
    }
    for (int32_t r = from; r <= to; r++)
        DecodeFixedRow(e, r);
    e->lastBuiltPage = pageLines;
    e->lastBuiltKind = kind;
    if (e->settings.binaryMode)
        WrapBinaryMatch(e);
}

} // namespace

void FormatHexRow(char* dest, int64_t fileOffset, const unsigned char* bytes, int count,
                  bool all256Chars) {
    // Offsets past 4 GiB take their extra digits from the gap, so the byte cells stay in place.
    int digits = 8;
    while (digits < 10 && (uint64_t)fileOffset >> (4 * digits))
        digits++;
    for (int i = digits - 1; i >= 0; i--) {
        dest[i] = kHexDigits[fileOffset & 15];
        fileOffset >>= 4;
    }
    for (int i = digits; i < 10; i++)
        dest[i] = ' ';
    if (count > 16)
        count = 16;
    for (int i = 0; i < count; i++) {
        unsigned char b = bytes[i];
        char* cell = dest + kCellColumn[i];
        cell[0] = kHexDigits[b >> 4];
        cell[1] = kHexDigits[b & 15];
        cell[2] = ' ';
        char shown;
        if (all256Chars)
            shown = b >= 0x01 && b <= 0x7F ? (char)b : ' ';
        else
            shown = b >= 0x20 && b <= 0x7E ? (char)b : '.';
        dest[kCharColumn + i] = shown;
    }
    dest[kSeparatorColumn] = '-';
    dest[kSeparatorColumn + 1] = ' ';
    dest[kCharColumn - 1] = ' ';
    BlankHexTail(dest, count < 0 ? 0 : count);
    dest[kHexRowChars] = 0;
}

void BuildRows(ViewEngine* e) {
    if (e->rowsDeferred) {
        e->lastBuiltTop = -1; // nothing built to reuse
        return;
    }
    if (e->settings.hexMode || e->settings.binaryMode) {
        BuildFixedRows(e);
    } else {
        BuildTextRows(e);
        e->lastBuiltPage = -1;
    }
    e->lastBuiltTop = e->file.topLine;
}
