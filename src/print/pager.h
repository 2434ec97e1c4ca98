// The row and page bookkeeping of a print job: which row of which page each line goes to, form
// feeds and a "1" in column one starting pages, page ranges, and when headers and footers are
// drawn. The job feeds it lines and does the drawing through the callbacks.
#pragma once

#include <stdint.h>

struct PagerCallbacks {
    void* context;
    // Draws count characters on row (1-based) of the current page.
    void (*drawRow)(void* context, int32_t row, const char* text, int32_t count);
    void (*drawHeader)(void* context, int32_t page);
    void (*drawFooter)(void* context, int32_t page);
    // Ends the device page and starts the next one; a negative result stops the printing.
    int (*nextPage)(void* context);
    // Called after each line and each held-back piece: shows the line number and returns
    // nonzero when the user cancelled.
    int (*progress)(void* context);
};

// How new-page characters are taken (the new-page setting).
enum NewPageRule { kNewPageNone, kNewPageFormFeed, kNewPageColumnOne };

struct Pager {
    PagerCallbacks cb;
    int32_t linesPerPage;
    NewPageRule rule;
    bool hasHeader, hasFooter;
    bool pageRange;
    int32_t fromPage, toPage;
    // Running state.
    int32_t row;  // 1-based row of the current page that the next line goes to
    int32_t page; // 1-based
    bool footerDrawn; // the footer of the current page is drawn (the page is full)
    bool stopped;     // a page range is done or the device failed: no more lines
    bool aborted;
};

// Starts page 1 at row 1 and draws its header. The device's first page is already started.
void Pager_Start(Pager* p);
// Prints one line; newPageChars is false for a list, whose items never start pages.
// Returns 1 to go on, 0 to stop (aborted, page range done, or the device failed).
int Pager_Line(Pager* p, const char* text, int32_t count, bool newPageChars);
// Draws the last page's footer when it is not drawn yet (not after an abort). The caller ends
// the device page and document.
void Pager_Finish(Pager* p);
// Whether the current page is one the range draws.
bool Pager_PageShown(const Pager* p);
