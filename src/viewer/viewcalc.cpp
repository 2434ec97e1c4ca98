#include "viewer/viewcalc.h"

#include <stdio.h>
#include <string.h>

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : value > high ? high : value;
}

// Sets right to left when the pane would pass the band's right edge.
PaneBox Pane(int32_t left, int32_t width, int32_t top, int32_t bottom, int32_t bandRight) {
    PaneBox box = {left, top, left + width, bottom};
    if (box.right > bandRight)
        box.right = box.left;
    return box;
}

// 1-based display column of byte b (1..16) of a hex row.
int32_t HexCellColumn(int32_t b) {
    return b <= 8 ? 3 * b + 8 : 3 * b + 10;
}

} // namespace

void GroupDigits(const char* text, char* dest, int destSize) {
    if (destSize <= 0)
        return;
    const char* digits = text;
    while (*digits && (*digits < '0' || *digits > '9'))
        digits++;
    int run = 0;
    while (digits[run] >= '0' && digits[run] <= '9')
        run++;
    int at = 0;
    auto put = [&](char c) {
        if (at < destSize - 1)
            dest[at++] = c;
    };
    for (const char* p = text; p < digits; p++)
        put(*p);
    for (int i = 0; i < run; i++) {
        if (i > 0 && run > 3 && (run - i) % 3 == 0)
            put(',');
        put(digits[i]);
    }
    for (const char* p = digits + run; *p; p++)
        put(*p);
    dest[at] = 0;
}

void FormatLinePane(int64_t topLine, char* dest, int destSize) {
    char plain[40];
    snprintf(plain, sizeof plain, "Line:%-5lld", (long long)topLine);
    GroupDigits(plain, dest, destSize);
}

int32_t PercentOf(int64_t offset, int64_t size) {
    if (size <= 0 || offset <= 0)
        return 0;
    if (offset >= size)
        return 100;
    // offset * 100 could pass 2^63 only for files of 92 petabytes; divide first beyond that.
    if (offset > INT64_MAX / 100)
        return (int32_t)(offset / (size / 100));
    return (int32_t)(offset * 100 / size);
}

StatusPanes LayOutStatusBand(int32_t dpiX, int32_t dpiY, int32_t leftMargin, int32_t bandTop,
                             int32_t bandRight, int32_t clientBottom, int64_t fileSize) {
    const int32_t top = bandTop + 1;
    const int32_t textTop = bandTop + dpiY / 20;
    const int32_t bottom = clientBottom - 1;
    StatusPanes p;
    p.circle = Pane(leftMargin, dpiX / 4, top, bottom, bandRight);
    const int32_t lineWidth = dpiX + (fileSize > 200000 ? dpiX / 4 : 0);
    p.line = Pane(leftMargin + dpiX / 4 + dpiX / 10, lineWidth, textTop, bottom, bandRight);
    const int32_t lineRight = leftMargin + dpiX / 4 + dpiX / 10 + lineWidth;
    p.page = Pane(lineRight + dpiX / 10, dpiX / 4, top, bottom, bandRight);
    const int32_t pageRight = lineRight + dpiX / 10 + dpiX / 4;
    p.strip = Pane(pageRight + dpiX / 10, dpiX / 4, top, bottom, bandRight);
    const int32_t factsLeft = pageRight + dpiX / 10 + dpiX / 4 + dpiX / 8;
    p.facts = {factsLeft, textTop, bandRight > factsLeft ? bandRight : factsLeft, bottom};
    return p;
}

void FormatFactsPane(int64_t fileSize, const char* stamp, const char* attributes,
                     int32_t paneWidth, MeasureTextFn measure, void* context, char* dest,
                     int destSize) {
    char text[96], plain[40];
    snprintf(plain, sizeof plain, "Size:%lld", (long long)fileSize);
    GroupDigits(plain, text, sizeof text);
    size_t kept = 0;
    auto fits = [&]() { return measure(text, (int32_t)strlen(text), context) <= paneWidth; };
    if (fits()) {
        kept = strlen(text);
        size_t n = strlen(text);
        snprintf(text + n, sizeof text - n, " %s", stamp);
        if (stamp[0] && fits()) {
            kept = strlen(text);
            n = kept;
            snprintf(text + n, sizeof text - n, " Attr:%s", attributes);
            if (fits())
                kept = strlen(text);
        }
    }
    text[kept] = 0;
    snprintf(dest, (size_t)destSize, "%s", text);
}

CirclePoint PositionCirclePoint(int32_t percent, int32_t width, int32_t height) {
    const int64_t w = (int64_t)width * 128, h = (int64_t)height * 128, half = w / 2;
    int32_t p = Clamp(percent, 0, 100) % 100;
    int64_t x, y;
    if (p < 13) { // top edge, middle to the right corner
        x = half + (w - half) * p / 13;
        y = 0;
    } else if (p < 38) { // right edge, downwards
        x = w;
        y = h * (p - 13) / 25;
    } else if (p < 63) { // bottom edge, to the left
        x = w - w * (p - 38) / 25;
        y = h;
    } else if (p < 88) { // left edge, upwards
        x = 0;
        y = h - h * (p - 63) / 25;
    } else { // top edge, back towards the middle
        x = half * (p - 88) / 12;
        y = 0;
    }
    return {(int32_t)x, (int32_t)y};
}

void WidenSlice(int32_t* topPercent, int32_t* bottomPercent) {
    if (*bottomPercent - *topPercent >= 2)
        return;
    if (*topPercent > 98) {
        *bottomPercent = 100;
        *topPercent = 98;
    } else {
        *bottomPercent = *topPercent + 2;
    }
}

int32_t HexColumnToByte(int32_t c) {
    int32_t b;
    if (c < 10)
        b = 0;
    else if (c <= 32)
        b = (c - 10) / 3;
    else if (c <= 35)
        b = 7;
    else if (c <= 59)
        b = (c - 36) / 3 + 8;
    else if (c == 60)
        b = 15;
    else
        b = c - 61;
    return Clamp(b, 0, 15);
}

int32_t HexMatchFields(int32_t row, int32_t matchColumn, int32_t matchLength, int32_t hScroll,
                       MatchField* out, int32_t maxFields) {
    int32_t written = 0;
    int32_t first = Clamp(matchColumn, 0, 15);
    int32_t left = matchLength > 0 ? matchLength : 1;
    while (left > 0 && written < maxFields) {
        int32_t count = 16 - first < left ? 16 - first : left;
        int32_t column = HexCellColumn(first + 1);
        int32_t length = 3 * count - 1 + (first < 8 && first + count > 8 ? 2 : 0);
        column -= hScroll;
        if (column < 1) {
            length -= 1 - column;
            column = 1;
        }
        if (length > 0)
            out[written++] = MatchField{row, column, length};
        left -= count;
        first = 0;
        row++;
    }
    return written;
}

int32_t MatchRows(const ViewEngine* e) {
    if (e->settings.hexMode) {
        int64_t end = (int64_t)e->matchColumn + (e->matchLength > 0 ? e->matchLength : 1);
        return end <= 16 ? 1 : (int32_t)((end + 15) / 16);
    }
    if (e->settings.binaryMode) {
        int32_t n = 0;
        for (const MatchField& m : e->matches) {
            if (m.row < 0)
                break;
            n++;
        }
        return n > 0 ? n : 1;
    }
    return 1;
}

int64_t TopLineForMatch(const MatchView& v, int64_t matchLine, int32_t rows) {
    if (matchLine < v.topLine)
        return matchLine;
    if (v.bottomLine - rows >= matchLine || v.topLine == matchLine ||
        (v.bottomIsLastLine && matchLine == v.bottomLine))
        return 0;
    // The least move that shows every row of the match; one taller than the page starts at the
    // top. (Moving by the match's rows alone could carry a tall match off the top.)
    if (rows >= v.pageLines)
        return matchLine;
    int64_t top = matchLine + rows - v.pageLines;
    return top > v.topLine ? top : v.topLine + 1;
}

int32_t HScrollForMatch(int32_t hScroll, int32_t start, int32_t length, int32_t visible) {
    if (length < 1)
        length = 1;
    if (start < hScroll + 1)
        return start - 1 > 0 ? start - 1 : 0;
    if (start + length - 1 > hScroll + visible) {
        int32_t h = start + length - visible;
        return h > 0 ? h : 0;
    }
    return hScroll;
}

int64_t PageUpTop(int64_t topLine, int32_t pageLines) {
    return topLine <= pageLines ? 1 : topLine - pageLines;
}

void FormatPositionStrip(int64_t line, int64_t character, int64_t offset, char* dest,
                         int destSize) {
    snprintf(dest, (size_t)destSize, "Line:%lld  Char:%lld  FileOffset: %llXh      ",
             (long long)line, (long long)character, (unsigned long long)offset);
}
