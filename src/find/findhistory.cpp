// The finds of this run, for the control bar's "Find:" box: kept oldest first in one block that
// grows five entries at a time; the box lists their labels newest first. Never saved.
#include <stdlib.h>
#include <string.h>

#include "find/findpat.h"

FindHistory gFindHistory;

namespace {

constexpr int32_t kHistoryStep = 5;

// Copies a find field so that two finds that look the same to the user are byte-equal: text up
// to its terminator, hex bytes up to their count, and zeros after them.
void CopyField(char* to, const char* from, int32_t bytes) {
    memset(to, 0, kFindTextMax);
    if (bytes < 0) {
        bytes = 0;
        while (bytes < kFindTextMax - 1 && from[bytes])
            bytes++;
    }
    memcpy(to, from, (size_t)(bytes > kFindTextMax ? kFindTextMax : bytes));
}

void AppendText(char* label, int32_t* used, const char* from, int32_t most) {
    for (int32_t k = 0; k < most && from[k] && *used < kFindLabelMax - 1; k++)
        label[(*used)++] = from[k];
    label[*used] = 0;
}

int32_t LabelPart(const char* text, int32_t most) {
    int32_t n = 0;
    while (n < most && text[n])
        n++;
    return n;
}

void BuildEntry(const FindSettings& s, int32_t patternLength, FindHistoryEntry* e) {
    memset(e, 0, sizeof *e);
    CopyField(e->string1, s.string1, s.hexFind ? s.byteCount1 : -1);
    CopyField(e->string2, s.string2, s.hexFind ? s.byteCount2 : -1);
    CopyField(e->hexText1, s.hexText1, -1);
    CopyField(e->hexText2, s.hexText2, -1);
    e->patternLength = patternLength;
    e->byteCount1 = s.byteCount1;
    e->byteCount2 = s.byteCount2;
    FindHistory_Label(s, e->label);
    e->regularExpression = s.regularExpression;
    e->hexFind = s.hexFind;
    e->startAtTop = s.startAtTop;
    e->ignoreCase = s.ignoreCase;
    e->booleanFind = s.booleanFind;
    e->not1 = s.not1;
    e->not2 = s.not2;
    e->orMode = s.orMode;
    e->andMode = s.andMode;
}

bool Grow(FindHistory* h) {
    const int32_t capacity = h->capacity + kHistoryStep;
    void* more = realloc(h->entries, (size_t)capacity * sizeof(FindHistoryEntry));
    if (!more)
        return false;
    h->entries = (FindHistoryEntry*)more;
    h->capacity = capacity;
    return true;
}

void DropOldest(FindHistory* h) {
    if (h->count <= 0)
        return;
    memmove(h->entries, h->entries + 1, (size_t)(h->count - 1) * sizeof(FindHistoryEntry));
    h->count--;
}

} // namespace

void FindHistory_Label(const FindSettings& s, char label[kFindLabelMax]) {
    const char* first = s.hexFind ? s.hexText1 : s.string1;
    int32_t n = LabelPart(first, 10);
    if (s.booleanFind && n > 4)
        n = 4;
    int32_t used = 0;
    label[0] = 0;
    AppendText(label, &used, first, n);
    if (s.booleanFind) {
        AppendText(label, &used, s.orMode && !s.andMode ? "+" : "*", 1);
        AppendText(label, &used, s.hexFind ? s.hexText2 : s.string2, 4);
    }
}

void FindHistory_Record(FindHistory* h, const FindSettings& s, int32_t patternLength,
                        const HistoryCombo* combo) {
    FindHistoryEntry entry;
    BuildEntry(s, patternLength, &entry);
    if (combo)
        combo->setText(combo->context, entry.label);
    for (int32_t k = 0; k < h->count; k++)
        if (memcmp(&h->entries[k], &entry, sizeof entry) == 0)
            return;
    // Room first, so that a label never reaches the box without its entry.
    if (h->count >= h->capacity && !Grow(h))
        return; // no memory: the find goes unrecorded
    if (combo) {
        // The box drops its oldest labels until the new one fits; the entries follow it, so
        // that combo index k stays entry count - k - 1.
        while (!combo->insertTop(combo->context, entry.label)) {
            if (h->count == 0)
                return;
            combo->deleteLast(combo->context);
            DropOldest(h);
        }
    }
    h->entries[h->count++] = entry;
    if (h->count >= h->capacity - 1)
        Grow(h); // a failure here is met again, and handled, at the next find
}

int FindHistory_Restore(const FindHistory* h, int32_t comboIndex, FindSettings* s) {
    if (comboIndex < 0 || comboIndex >= h->count)
        return 0;
    const FindHistoryEntry& e = h->entries[h->count - comboIndex - 1];
    memcpy(s->string1, e.string1, kFindTextMax);
    memcpy(s->string2, e.string2, kFindTextMax);
    memcpy(s->hexText1, e.hexText1, kFindTextMax);
    memcpy(s->hexText2, e.hexText2, kFindTextMax);
    s->findNextLength = e.patternLength;
    s->byteCount1 = e.byteCount1;
    s->byteCount2 = e.byteCount2;
    s->regularExpression = e.regularExpression;
    s->ignoreCase = e.ignoreCase;
    s->booleanFind = e.booleanFind;
    s->hexFind = e.hexFind;
    s->not1 = e.not1;
    s->not2 = e.not2;
    s->orMode = e.orMode;
    s->andMode = e.andMode;
    return 1;
}

void FindHistory_Free(FindHistory* h) {
    free(h->entries);
    h->entries = nullptr;
    h->count = 0;
    h->capacity = 0;
}
