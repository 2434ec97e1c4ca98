#include "lister/dirlayout.h"

#include <stdio.h>
#include <string.h>

namespace {

DirRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return DirRect{left, top, right, bottom};
}

int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

int32_t DirLayout_ButtonWidth(int32_t rest) {
    const int32_t a = rest / 4 > 42 ? rest / 4 - 3 : 40;
    return a - 3;
}

void DirLayout_Compute(const DirLayoutInput& in, DirLayout* out) {
    const int32_t w = in.width, h = in.height, l = in.lineHeight;
    int32_t s = in.split > 0 ? in.split : w / 3;
    out->split = s;
    const int32_t top = in.diskBarHeight;
    const int32_t b = Max(top, h - (4 * l + 40));
    out->diskBar = Rect(0, 0, w, top);
    out->tree = Rect(0, top, s, b);
    out->splitter = Rect(s, top, s + kSplitterWidth, b);
    out->files = Rect(s + kSplitterWidth, top, Max(w, s + kSplitterWidth), b);

    const int32_t strip1Top = b + 4, strip1Bottom = b + 8 + l;
    const int32_t strip2Top = b + 12 + l, strip2Bottom = b + 16 + 2 * l;
    out->label = Rect(4, strip1Top, s, strip1Bottom);
    out->combo = Rect(4, strip2Top, Max(4, s), strip2Bottom);
    out->comboDropHeight = 8 * l;

    const int32_t width = DirLayout_ButtonWidth(w - (s + kSplitterWidth));
    for (int i = 0; i < kDirButtons; i++) {
        const int32_t left = s + kSplitterWidth + i * (width + 6);
        out->masks[i] = Rect(left, strip1Top, left + width, strip1Bottom);
        out->sorts[i] = Rect(left, strip2Top, left + width, strip2Bottom);
    }
    out->statusRow = Rect(4, b + 2 * l + 24, w - 4, b + 3 * l + 28);
    out->sumButton = Rect(4, out->statusRow.top, 4 + in.sumTextWidth + 8, out->statusRow.bottom);
    out->bottomRowTop = h - 3 - l - 4;
    out->whiteLineY = out->bottomRowTop - 3;
}

bool DirRect_Contains(const DirRect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int DirLayout_Hit(const DirLayout& layout, int32_t x, int32_t y, bool sumShown) {
    for (int i = 0; i < kDirButtons; i++) {
        if (DirRect_Contains(layout.masks[i], x, y))
            return kHitMask1 + i;
        if (DirRect_Contains(layout.sorts[i], x, y))
            return kHitSort1 + i;
    }
    if (sumShown && DirRect_Contains(layout.sumButton, x, y))
        return kHitSum;
    return kHitNone;
}

void DirStatus_Place(const DirStatusInput& in, DirStatusBoxes* out) {
    const int32_t w = in.width;
    *out = DirStatusBoxes{};
    if (Max(in.spacePlainWidth, in.volumeWidth) + 16 < w / 2) {
        out->compact = false;
        out->centred = true;
        out->files = Rect(4, 0, w / 2 - 3, 0);
        out->space = Rect(w / 2 + 6, 0, w - 4, 0);
        out->volume = out->space;
        return;
    }
    out->compact = true;
    out->files = Rect(4, 0, in.filesCompactWidth + 10, 0);
    out->filesTextX = 7;
    out->space = Rect(out->files.right + 6, 0, w, 0);
    out->spaceTextX = out->space.left + 4;
    const int32_t volumeLeft = in.sumShown ? in.sumButtonRight + 4
                                           : Max(out->space.left, in.statusTextRight + 4);
    out->volume = Rect(volumeLeft, 0, w, 0);
}

DirTabStop DirTab_Next(DirTabStop from, bool backwards, bool fileListEmpty) {
    int stop = from;
    do {
        stop = (stop + (backwards ? kTabStops - 1 : 1)) % kTabStops;
    } while (stop == kTabFiles && fileListEmpty);
    return static_cast<DirTabStop>(stop);
}

int DirButtons_Step(int button, bool right) {
    if (button < 1 || button > kDirButtons)
        return 1;
    return right ? button % kDirButtons + 1 : (button + kDirButtons - 2) % kDirButtons + 1;
}

int DirSort_Toggle(int activeKey, int pressedKey) {
    return pressedKey == activeKey ? 0 : pressedKey;
}

void DirOpen_RewriteTyped(const char* text, char* dest, int destSize) {
    if (destSize <= 0)
        return;
    const size_t length = strlen(text);
    size_t name = length;
    while (name > 0 && !IsSeparator(text[name - 1]) && text[name - 1] != ':')
        name--;
    const char* namePart = text + name;
    if (namePart[0] == '.' && namePart[1] != 0 && strncmp(namePart, "..", 2) != 0) {
        snprintf(dest, (size_t)destSize, "%.*s*%s", (int)name, text, namePart);
    } else if (name == 0 && strncmp(text, "..", 2) == 0) {
        const bool separated = length > 0 && IsSeparator(text[length - 1]);
        snprintf(dest, (size_t)destSize, "%s%s*.*", text, separated ? "" : "\\");
    } else {
        snprintf(dest, (size_t)destSize, "%s", text);
    }
}

void DirWindow_IconTitle(const char* path, char* dest, int destSize) {
    if (destSize <= 0)
        return;
    size_t length = strlen(path);
    while (length > 3 && IsSeparator(path[length - 1]))
        length--;
    // The root is what runs up to the first separator after the drive.
    size_t root = 0;
    while (root < length && !IsSeparator(path[root]))
        root++;
    if (root < length)
        root++;
    int levels = 0;
    for (size_t i = root; i < length; i++)
        if (IsSeparator(path[i]))
            levels++;
    if (root < length)
        levels++;
    if (levels < 2) {
        snprintf(dest, (size_t)destSize, "%.*s", (int)length, path);
        return;
    }
    size_t last = length;
    while (last > root && !IsSeparator(path[last - 1]))
        last--;
    snprintf(dest, (size_t)destSize, "%.*s...\\%.*s", (int)root, path, (int)(length - last),
             path + last);
}
