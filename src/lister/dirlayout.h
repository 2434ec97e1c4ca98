// The arithmetic of a directory window: where its panes, button strips and status boxes go for a
// client size and font, which status form fits, which button a point hits, the tab order, the
// sort-key toggle, what a typed name becomes, and the title of the window as an icon.
#pragma once

#include <stdint.h>

struct DirRect {
    int32_t left, top, right, bottom;
};

constexpr int kDirButtons = 4;     // mask buttons, and sort buttons
constexpr int kSplitterWidth = 4;
constexpr int kDirIconTitleMax = 260;

struct DirLayoutInput {
    int32_t width, height;  // the client area
    int32_t split;          // the window's split position; 0: not set yet
    int32_t lineHeight;     // height plus external leading of the directory font
    int32_t diskBarHeight;  // 24 per row of drive buttons
    int32_t sumTextWidth;   // width of "Sum" in the window's font
};

struct DirLayout {
    int32_t split; // the split position used (a third of the width when none was set)
    DirRect diskBar, tree, splitter, files;
    DirRect label;  // "File Name:", strip 1
    DirRect combo;  // strip 2, the closed box
    int32_t comboDropHeight;
    DirRect masks[kDirButtons], sorts[kDirButtons];
    DirRect statusRow; // the selection info line, the Sum text, or the Sum button at its left
    DirRect sumButton;
    int32_t bottomRowTop; // the files and space boxes
    int32_t whiteLineY;   // across the window, 3 pixels above the bottom row
};

void DirLayout_Compute(const DirLayoutInput& in, DirLayout* out);
// Width of one mask or sort button when the four share rest pixels.
int32_t DirLayout_ButtonWidth(int32_t rest);

// What a point of the window's own client area hits.
enum DirHit {
    kHitNone = 0,
    kHitMask1 = 1, // .. kHitMask1 + 3
    kHitSort1 = 5, // .. kHitSort1 + 3: Name, Type, Date, Size (as the sort keys 5..8)
    kHitSum = 9,
};
// sumShown: the Sum button is drawn (no status text in its place).
int DirLayout_Hit(const DirLayout& layout, int32_t x, int32_t y, bool sumShown);
bool DirRect_Contains(const DirRect& r, int32_t x, int32_t y);

// ---- Status boxes ------------------------------------------------------------------------------

struct DirStatusInput {
    int32_t width;
    int32_t spacePlainWidth;  // the space line in the plain form
    int32_t volumeWidth;      // the volume text
    int32_t filesCompactWidth; // the files line in the compact form
    int32_t statusTextRight;  // right end of the status-row text; 0 when there is none
    bool sumShown;
    int32_t sumButtonRight;
};

struct DirStatusBoxes {
    bool compact;
    DirRect files, space, volume; // only left and right; the rows are the layout's
    bool centred;                 // plain form: texts centred in their boxes
    int32_t filesTextX, spaceTextX; // compact form: where the texts start
};

// The plain form when the wider of the space line and the volume text, plus 16, is less than
// half the width; else the compact form, placed left to right.
void DirStatus_Place(const DirStatusInput& in, DirStatusBoxes* out);

// ---- Keys and choices ------------------------------------------------------------------------

// The stops of the tab order.
enum DirTabStop {
    kTabTree,
    kTabFiles,
    kTabCombo,
    kTabMasks,
    kTabSorts,
    kTabDisk,
    kTabStops
};
// The next stop after `from` (the previous one when backwards); an empty file list is skipped.
DirTabStop DirTab_Next(DirTabStop from, bool backwards, bool fileListEmpty);
// Left and Right on a button row: 1..4, wrapping.
int DirButtons_Step(int button, bool right);
// A sort button pressed: its key, or none when it was the active key (5..8; 0 none).
int DirSort_Toggle(int activeKey, int pressedKey);

// What a typed name becomes before it is opened: a name part starting with "." (not "..")
// becomes directory part + "*" + name (".txt" lists every file ending in .txt); ".." alone
// gains "\*.*". dest has destSize bytes; the text is cut to fit.
void DirOpen_RewriteTyped(const char* text, char* dest, int destSize);

// The title of a minimised directory window: root, "...\" and the last component when the
// directory lies two or more levels below the root (c:\a\b gives c:\...\b), else the path.
void DirWindow_IconTitle(const char* path, char* dest, int destSize);
