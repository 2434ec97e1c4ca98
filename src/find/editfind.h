// Find and replace in an editor. The editor's edit control is reached through EditTarget, so
// the run itself is portable and tested without a window.
#pragma once

#include <stdint.h>

#include "find/findpat.h"

struct EditTarget {
    void* context;
    // A copy of the whole text in memory of malloc's (the caller frees it) and its length;
    // null when no copy could be made.
    char* (*copyText)(void* context, int64_t* length);
    void (*getSelection)(void* context, int64_t* start, int64_t* end);
    // Selects start .. end and scrolls the caret into view.
    void (*select)(void* context, int64_t start, int64_t end);
    // Replaces the selection; the caret ends up just after the new text.
    void (*replaceSelection)(void* context, const char* text, int32_t length);
    void (*setRedraw)(void* context, bool on);
};

// A find (or, with replaceEnabled, a replace run) from the selection on. A new find (repeat
// false) remembers patternLength for Find Next; Find Next starts one character after the
// selection's start, so the current match is not found again. The replace flag is cleared
// at the end of every run. True when the run found or replaced something.
bool FindInEditor(const EditTarget* target, FindSettings* s, bool repeat, int32_t patternLength,
                  bool interactive, int32_t lineLength);
