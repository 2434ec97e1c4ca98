// Pagination of a print job.
//
// A full page is only ended once the next row needs a page, so a job whose last line fills its
// last page, or a page range whose last page is full, does not feed out an empty page.
#include "print/pager.h"

#include <string.h>

#include <string>

bool Pager_PageShown(const Pager* p) {
    return !p->pageRange || (p->page >= p->fromPage && p->page <= p->toPage);
}

namespace {

// Makes sure the current row lies on a page that is open: after a full page, the footer is
// already drawn and the next page begins here. False when no further row may be printed.
bool OpenRow(Pager* p) {
    if (p->stopped)
        return false;
    if (!p->footerDrawn)
        return true;
    if (p->pageRange && p->page + 1 > p->toPage) {
        p->stopped = true;
        return false;
    }
    if (Pager_PageShown(p) && p->cb.nextPage(p->cb.context) < 0) {
        p->stopped = true;
        return false;
    }
    p->page++;
    p->footerDrawn = false;
    if (p->hasHeader && Pager_PageShown(p))
        p->cb.drawHeader(p->cb.context, p->page);
    return true;
}

void Draw(Pager* p, const char* text, int32_t count) {
    if (count > 0 && Pager_PageShown(p))
        p->cb.drawRow(p->cb.context, p->row, text, count);
}

// Moves to the next row; past the last row the footer is drawn and the page is full.
void Advance(Pager* p) {
    if (++p->row <= p->linesPerPage)
        return;
    p->row = 1;
    if (p->hasFooter && Pager_PageShown(p))
        p->cb.drawFooter(p->cb.context, p->page);
    p->footerDrawn = true;
}

// A row is done: the job may be cancelled here; else on to the next row. false when cancelled.
bool RowDone(Pager* p) {
    if (p->cb.progress(p->cb.context)) {
        p->aborted = p->stopped = true;
        return false;
    }
    Advance(p);
    return true;
}

} // namespace

void Pager_Start(Pager* p) {
    if (p->linesPerPage < 1)
        p->linesPerPage = 1;
    p->row = 1;
    p->page = 1;
    p->footerDrawn = false;
    p->stopped = false;
    p->aborted = false;
    if (p->hasHeader && Pager_PageShown(p))
        p->cb.drawHeader(p->cb.context, 1);
}

int Pager_Line(Pager* p, const char* text, int32_t count, bool newPageChars) {
    if (!OpenRow(p))
        return 0;
    const char* held = nullptr;
    int32_t heldCount = 0;
    const NewPageRule rule = newPageChars ? p->rule : kNewPageNone;
    const char* feed = rule == kNewPageFormFeed
                           ? static_cast<const char*>(memchr(text, '\f', (size_t)count))
                           : nullptr;
    if (feed) {
        // What stands before the form feed ends this page; what follows it opens the next.
        p->row = p->linesPerPage;
        Draw(p, text, (int32_t)(feed - text));
        heldCount = count - (int32_t)(feed - text) - 1;
        held = heldCount > 0 ? feed + 1 : nullptr;
    } else if (rule == kNewPageColumnOne && count > 0 && text[0] == '1') {
        p->row = p->linesPerPage;
        held = text;
        heldCount = count;
    } else {
        Draw(p, text, count);
    }
    if (!RowDone(p))
        return 0;
    if (held) {
        if (!OpenRow(p))
            return 0;
        if (held == text) {
            // The "1" itself shows as a space at the head of the new page.
            std::string line(text, (size_t)count);
            line[0] = ' ';
            Draw(p, line.data(), count);
        } else {
            Draw(p, held, heldCount);
        }
        if (!RowDone(p))
            return 0;
    }
    if (p->pageRange && p->page > p->toPage)
        p->stopped = true;
    return p->stopped ? 0 : 1;
}

void Pager_Finish(Pager* p) {
    if (p->aborted)
        return;
    if (p->hasFooter && !p->footerDrawn && Pager_PageShown(p))
        p->cb.drawFooter(p->cb.context, p->page);
    p->footerDrawn = true;
}
