// Find and replace in an editor's text.
#include "find/editfind.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "find/findengine.h"
#include "platform/uiseam.h"

namespace {

const char kNotFoundText[] = "Not Found.";
const char kNotFoundCaption[] = "FIND";
const char kSpecialText[] = "Cannot search for binary zero, CR, or LF";
const char kSpecialCaption[] = "Special Search";
const char kCountText[] = "%d occurrances";
const char kCountCaption[] = "Replace";

void Tell(const char* text, const char* caption) {
    PromptRequest request = {text, caption, kButtonsOk, kIconInformation, kPromptOwnedByFocus};
    Ui_Ask(request);
}

// The editor's text as the matchers see a view's: every line end (CR LF, or a lone LF or CR)
// becomes one zero byte, so that no match spans two lines and AND and NOT work on lines.
// origin[i] is where byte i stands in the editor's text; origin[length] is the text's end.
struct LineText {
    char* text; // length bytes and a zero
    int64_t* origin;
    int64_t length;
};

void FreeLineText(LineText* t) {
    free(t->text);
    free(t->origin);
    *t = LineText();
}

bool MakeLineText(const char* src, int64_t n, LineText* out) {
    *out = LineText();
    out->text = (char*)malloc((size_t)n + 1);
    out->origin = (int64_t*)malloc(((size_t)n + 1) * sizeof(int64_t));
    if (!out->text || !out->origin) {
        FreeLineText(out);
        return false;
    }
    int64_t k = 0;
    for (int64_t i = 0; i < n; i++) {
        out->origin[k] = i;
        char c = src[i];
        if (c == '\r' && i + 1 < n && src[i + 1] == '\n')
            i++;
        out->text[k++] = c == '\r' || c == '\n' ? 0 : c;
    }
    out->origin[k] = n;
    out->text[k] = 0;
    out->length = k;
    return true;
}

// The first byte of the line text at or after editor offset `at`.
int64_t LineTextIndex(const LineText& t, int64_t at) {
    int64_t lo = 0, hi = t.length;
    while (lo < hi) {
        int64_t mid = lo + (hi - lo) / 2;
        if (t.origin[mid] < at)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The replacement as it goes into the text: hex bytes in hex mode (or the text itself when
// the user turns hex off for it), cut at a zero byte, which an edit control cannot hold.
// False when the user declined to fix bad hex.
bool MakeReplacement(const FindSettings& s, char* dest, int32_t* length) {
    int32_t n = 0;
    if (s.hexFind) {
        int32_t bytes = 0, hex = 1;
        if (ParseHexText(s.replaceText, nullptr, dest, &n, &bytes, &hex) < 0)
            return false;
    } else {
        n = (int32_t)strnlen(s.replaceText, kFindTextMax - 1);
        memcpy(dest, s.replaceText, (size_t)n);
    }
    const char* nul = (const char*)memchr(dest, 0, (size_t)n);
    *length = nul ? (int32_t)(nul - dest) : n;
    return true;
}

// The last whole line a NOT find selected: Find Next from it goes on with the line after it, as
// in a view, rather than one character into it (where the line, judged whole, would be found
// again).
struct {
    int64_t start = -1, end = -1;
} gWholeLine;

} // namespace

bool FindInEditor(const EditTarget* t, FindSettings* s, bool repeat, int32_t patternLength,
                  bool interactive, int32_t lineLength) {
    if (repeat)
        patternLength = s->findNextLength;
    else
        s->findNextLength = patternLength;
    if (HasSpecialBytes(*s)) {
        Tell(kSpecialText, kSpecialCaption);
        s->replaceEnabled = 0;
        return false;
    }

    void* cursor = Ui_BeginBusy(nullptr);
    FindScope scope = {lineLength, true, 0};
    char replacement[kFindTextMax];
    int32_t replacementLength = -1; // made at the first match of a replace run
    bool found = false;
    bool all = false;
    int count = 0;
    bool skip = repeat; // start one character after the selection's start
    for (;;) {
        int64_t n = 0;
        char* copy = t->copyText(t->context, &n);
        LineText text;
        bool made = copy && MakeLineText(copy, n, &text);
        free(copy);
        if (!made)
            break;
        int64_t selStart = 0, selEnd = 0;
        t->getSelection(t->context, &selStart, &selEnd);
        int64_t from;
        if (skip && selStart == gWholeLine.start && selEnd == gWholeLine.end)
            from = LineTextIndex(text, selEnd) + 1; // past the line's end
        else
            from = LineTextIndex(text, selStart + (skip ? 1 : 0));
        if (from > text.length)
            from = text.length;
        scope.lineBegun = FindLineBegun(text.text, from);
        int32_t length = 0;
        bool wholeLine = false;
        const char* m = FindMatch(*s, scope, text.text + from, text.length - from, &length,
                                  &wholeLine);
        if (!m) {
            FreeLineText(&text);
            if (all) {
                char message[48];
                snprintf(message, sizeof message, kCountText, count);
                Tell(message, kCountCaption);
            } else if (interactive) {
                Tell(kNotFoundText, kNotFoundCaption);
            }
            break;
        }
        int64_t at = m - text.text;
        int64_t end = at + (length > 0 ? length : 0);
        if (end > text.length)
            end = text.length;
        if (end > at && text.text[end - 1] == 0)
            end--; // a whole line is selected without its line end
        int64_t matchStart = text.origin[at];
        int64_t matchEnd = text.origin[end];
        FreeLineText(&text);
        t->select(t->context, matchStart, matchEnd);
        gWholeLine.start = wholeLine ? matchStart : -1;
        gWholeLine.end = wholeLine ? matchEnd : -1;
        found = true;
        if (!s->replaceEnabled)
            break;

        if (replacementLength < 0) {
            if (!MakeReplacement(*s, replacement, &replacementLength))
                break;
            Ui_CloseFindDialog();
        }
        int answer = all ? kAnswerAll : Ui_AskReplace();
        if (answer == kAnswerNo) {
            skip = true;
            continue;
        }
        if (answer != kAnswerYes && answer != kAnswerAll)
            break;
        if (answer == kAnswerAll && !all) {
            all = true;
            count = 0;
            t->setRedraw(t->context, false);
        }
        t->replaceSelection(t->context, replacement, replacementLength);
        count++;
        // An empty match would be found again at the caret for ever: step past it.
        skip = matchEnd == matchStart;
    }
    if (all)
        t->setRedraw(t->context, true);
    s->replaceEnabled = 0;
    Ui_EndBusy(cursor);
    return found;
}
