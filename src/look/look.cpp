#include "look/look.h"

#include <stdio.h>
#include <stdlib.h>

#include "shell/asciitext.h"

namespace {

int gFailGrowths = 0;

} // namespace

int Look_Slots(int windowKind, LookSlots* slots) {
    switch (windowKind) {
    case kLookKindView:
        *slots = {kColorText, kColorBackgnd, kFontView};
        return 1;
    case kLookKindEditor:
        *slots = {kColorEditText, kColorEditBackgnd, kFontEdit};
        return 1;
    case kLookKindResults:
        *slots = {kColorSrchText, kColorSrchBackgnd, kFontSearch};
        return 1;
    case kLookKindDir:
        *slots = {kColorDirText, kColorDirBackgnd, kFontDir};
        return 1;
    }
    return 0;
}

int ColorEdit_Begin(int windowKind, ColorEdit* edit) {
    if (!Look_Slots(windowKind, &edit->slots))
        return 0;
    edit->kind = windowKind;
    edit->text = gSettings.colors[edit->slots.text];
    edit->background = gSettings.colors[edit->slots.background];
    return 1;
}

void ColorEdit_SetBackground(ColorEdit* edit, OrvColor chosen) {
    edit->background =
        edit->kind == kLookKindView ? chosen : Settings_NearestScreenColor(chosen);
}

int ColorEdit_Confirm(const ColorEdit& edit) {
    gSettings.colors[edit.slots.text] = edit.text;
    gSettings.optionsChanged = 1;
    return edit.background != gSettings.colors[edit.slots.background];
}

void ColorEdit_StoreBackground(const ColorEdit& edit) {
    gSettings.colors[edit.slots.background] = edit.background;
}

int HandleList_Add(HandleList* list, uintptr_t handle) {
    if (!handle || HandleList_Has(*list, handle))
        return 0;
    if (list->count == list->room) {
        uintptr_t* grown = nullptr;
        if (gFailGrowths > 0)
            gFailGrowths--;
        else
            grown = static_cast<uintptr_t*>(
                realloc(list->items, (size_t)(list->room + kHandleListStep) * sizeof *grown));
        if (!grown)
            return -1;
        list->items = grown;
        list->room += kHandleListStep;
    }
    list->items[list->count++] = handle;
    return 1;
}

bool HandleList_Has(const HandleList& list, uintptr_t handle) {
    for (int32_t i = 0; i < list.count; i++)
        if (list.items[i] == handle)
            return true;
    return false;
}

void HandleList_Free(HandleList* list) {
    free(list->items);
    *list = {};
}

void HandleList_FailGrowthsForTests(int count) {
    gFailGrowths = count;
}

int FontSpec_SizeText(int32_t points, int32_t weight, int32_t italic, char* out, int size) {
    if (size <= 0)
        return 0;
    int written = snprintf(out, (size_t)size, "%d %s%s", (int)points,
                           weight > kFontBoldWeight ? "Bold " : "", italic ? "Italic" : "");
    if (written < 0) {
        out[0] = 0;
        return 0;
    }
    return written < size ? written : size - 1;
}

int32_t FontSpec_LeadingPoints(const char* text) {
    while (*text == ' ' || *text == '\t')
        text++;
    int32_t points = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        points = points * 10 + (*text - '0');
        if (points > kFontMostPoints)
            return 0;
    }
    return points;
}

int FontSpec_FaceIndex(const char (*faces)[kFontFaceMax], int count, const char* face) {
    if (count <= 0)
        return -1;
    for (int i = 0; i < count; i++)
        if (EqualsCaseBlind(faces[i], face))
            return i;
    return 0;
}

int FontSpec_InsertAt(const int32_t* points, int count, int32_t newPoints) {
    int at = count;
    while (at > 0 && points[at - 1] > newPoints)
        at--;
    return at;
}

int32_t FontSpec_HeightForPoints(int32_t points, int32_t dpiY) {
    // MulDiv's rounding: half away from zero.
    return -(int32_t)(((int64_t)points * dpiY + 36) / 72);
}
