// A find string from a selection, from the Find dialog's boxes and from the control bar's box.
#include "find/findinput.h"

#include <string.h>

#include "platform/uiseam.h"

namespace {

const char kEmptyPatternText[] = "The find pattern cannot be empty";

// Copies at most 79 characters and the terminator; the length copied.
int32_t CopyText(char* to, const char* from) {
    int32_t n = 0;
    while (n < kFindTextMax - 1 && from && from[n]) {
        to[n] = from[n];
        n++;
    }
    to[n] = 0;
    return n;
}

} // namespace

bool FindPrefill_Accepts(const char* text, int64_t length) {
    if (!text || length <= 0 || length > kFindPrefillMax)
        return false;
    for (int64_t i = 0; i < length; i++) {
        if (text[i] == '\r' || text[i] == '\n' || text[i] == 0)
            return false;
    }
    return true;
}

bool FindPrefill_ViewSelectionFits(int64_t firstLine, int32_t firstColumn, int64_t lastLine,
                                   int32_t lastColumn) {
    return firstLine == lastLine && lastColumn >= firstColumn &&
           (int64_t)lastColumn - firstColumn < kFindPrefillMax;
}

FindStartResult FindStart_Prepare(FindSettings* s, const FindDialogValues& v, FindHistory* h,
                                  const HistoryCombo* combo) {
    if (!v.findText || !v.findText[0]) {
        PromptRequest q = {kEmptyPatternText, nullptr, kButtonsOk, kIconInformation,
                           kPromptOwnedByFocus};
        Ui_Ask(q);
        return kFindStartEmpty;
    }
    // Copied first: string 2 may be one of the fields written below.
    char typed2[kFindTextMax];
    CopyText(typed2, v.string2);
    s->typedLength = CopyText(s->string1, v.findText);
    CopyText(s->string2, typed2);
    s->hexFind = v.hexFind;
    s->startAtTop = v.startAtTop;
    s->regularExpression = v.regularExpression;
    s->booleanFind = v.booleanFind;
    if (v.replaceText) {
        CopyText(s->replaceText, v.replaceText);
        s->replaceEnabled = v.replaceEnabled;
    } else {
        s->replaceEnabled = 0;
    }
    if (!ConfirmFindMode(s))
        return kFindStartRefused;
    s->ignoreCase = v.ignoreCase;
    s->byteCount1 = 0;
    s->byteCount2 = 0;
    if (s->hexFind) {
        if (ParseHexText(s->string1, s->hexText1, s->string1, &s->typedLength, &s->byteCount1,
                         &s->hexFind) < 0)
            return kFindStartRefused;
        if (s->booleanFind && s->hexFind) {
            int32_t length2 = 0;
            if (ParseHexText(typed2, s->hexText2, s->string2, &length2, &s->byteCount2,
                             &s->hexFind) < 0)
                return kFindStartRefused;
            if (!s->hexFind) {
                // Hex was turned off at string 2: string 1 is searched as typed as well, not as
                // the bytes it was just turned into.
                s->typedLength = CopyText(s->string1, s->hexText1);
                s->byteCount1 = 0;
            }
        }
    }
    const int32_t length = FindPatternLength(*s);
    s->findNextLength = length;
    FindHistory_Record(h, *s, length, combo);
    return kFindStartGo;
}

int FindChoice_Apply(FindSettings* s, FindHistory* h, int32_t comboIndex, const char* typed,
                     bool findEnabled, const HistoryCombo* combo, bool* enableFindNext) {
    *enableFindNext = false;
    if (comboIndex >= 0)
        return FindHistory_Restore(h, comboIndex, s);
    if (!typed || !typed[0])
        return 0;
    char text[kFindTextMax];
    const int32_t n = CopyText(text, typed);
    if (s->hexFind) {
        // Parsed aside, so that a refusal leaves every field as it was.
        char hexText[kFindTextMax], bytes[kFindTextMax];
        int32_t length = 0, count = 0, hex = 1;
        const int parsed = ParseHexText(text, hexText, bytes, &length, &count, &hex);
        if (parsed < 0)
            return 0;
        memcpy(s->hexText1, hexText, kFindTextMax);
        memcpy(s->string1, bytes, kFindTextMax);
        s->typedLength = length;
        s->byteCount1 = count;
        s->hexFind = hex;
    } else {
        memcpy(s->string1, text, kFindTextMax);
        s->typedLength = n;
        s->byteCount1 = 0;
    }
    const int32_t length = FindPatternLength(*s);
    s->findNextLength = length;
    *enableFindNext = h->count == 0 && findEnabled;
    FindHistory_Record(h, *s, length, combo);
    return 1;
}
