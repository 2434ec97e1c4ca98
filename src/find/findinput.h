// What the user hands a find besides a finished Find dialog: a selection taken over as the find
// string, the boxes of the Find dialog when a find starts, and a choice in the control bar's
// "Find:" box.
#pragma once

#include <stdint.h>

#include "find/findpat.h"

// The longest selection taken over as the find string: string 1 holds 79 characters.
constexpr int32_t kFindPrefillMax = kFindTextMax - 1;

// True when a selected text may become the find string: not empty, on one line and no longer
// than string 1 can hold.
bool FindPrefill_Accepts(const char* text, int64_t length);
// The same rule for a view's character selection, by its first and last line and column (the
// last column included).
bool FindPrefill_ViewSelectionFits(int64_t firstLine, int32_t firstColumn, int64_t lastLine,
                                   int32_t lastColumn);

// The Find dialog's boxes as they stand when "&OK" is pressed.
struct FindDialogValues {
    const char* findText;    // the find string box
    const char* string2;     // string 2 as last typed (hex text in hex mode)
    const char* replaceText; // null when the dialog shows no replace boxes
    int32_t hexFind;
    int32_t ignoreCase;
    int32_t startAtTop;
    int32_t regularExpression;
    int32_t booleanFind;
    int32_t replaceEnabled;
};

enum FindStartResult {
    kFindStartGo = 1,       // the settings hold the new find, recorded in the history
    kFindStartEmpty = 0,    // "The find pattern cannot be empty"
    kFindStartRefused = -1, // the user wants to edit the find string
};

// Takes the dialog's boxes into the settings and asks what a new find must ask: the empty
// pattern, the regular-expression checks and the hex texts. On kFindStartGo the find is
// recorded in the history (combo may be null). The settings may be partly changed on a refusal,
// as the user's answers switched modes off; the dialog stays open then.
FindStartResult FindStart_Prepare(FindSettings* s, const FindDialogValues& v, FindHistory* h,
                                  const HistoryCombo* combo);

// Applies a choice of the control bar's "Find:" box. comboIndex -1 takes the typed text (at
// most 79 characters, turned into bytes in hex mode) as the new find string and records it in
// the history; an index restores that history entry (0 = newest). *enableFindNext is set when
// this was the run's first find and findEnabled says "&Find..." is not greyed.
// 1 when the settings changed; 0 when nothing did (empty text, hex the user would not fix, no
// such entry).
int FindChoice_Apply(FindSettings* s, FindHistory* h, int32_t comboIndex, const char* typed,
                     bool findEnabled, const HistoryCombo* combo, bool* enableFindNext);
