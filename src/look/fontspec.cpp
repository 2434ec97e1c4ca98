#include "look/fontspec.h"

#include <stdio.h>
#include <string.h>

#include "shell/asciitext.h"

namespace {

// True when word occurs in text, letters compared case-blind.
bool ContainsCaseBlind(const char* text, const char* word) {
    size_t length = strlen(word);
    for (; *text; text++) {
        size_t i = 0;
        while (i < length && text[i] && LowerAscii(text[i]) == word[i])
            i++;
        if (i == length)
            return true;
    }
    return false;
}

// The number at text the way the C library's atoi reads it (blanks, a sign, digits), but
// saturating instead of overflowing.
int32_t ReadNumber(const char* text) {
    while (*text == ' ' || *text == '\t')
        text++;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        text++;
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; text++)
        if (value <= INT32_MAX)
            value = value * 10 + (*text - '0');
    if (value > INT32_MAX)
        value = INT32_MAX;
    return (int32_t)(negative ? -value : value);
}

} // namespace

void FontSpec_Parse(const char* spec, FontChoice* choice) {
    memset(choice, 0, sizeof *choice);
    choice->sizeIndex = -1;
    const char* open = strchr(spec, '(');
    const char* separator = open ? open : strchr(spec, ',');
    size_t faceLength = separator ? (size_t)(separator - spec) : strlen(spec);
    while (faceLength > 0 && (spec[faceLength - 1] == ' ' || spec[faceLength - 1] == '\t'))
        faceLength--; // "Courier New (12)" names "Courier New"
    if (faceLength > (size_t)kFontFaceMax - 1)
        faceLength = (size_t)kFontFaceMax - 1;
    memcpy(choice->face, spec, faceLength);
    choice->face[faceLength] = 0;
    if (EqualsCaseBlind(choice->face, "ORV default"))
        snprintf(choice->face, sizeof choice->face, "%s", kFontFallbackFace);

    if (open) {
        choice->points = ReadNumber(open + 1);
        if (choice->points < 0)
            choice->points = 0;
        choice->bold = ContainsCaseBlind(open + 1, "bold");
        choice->italic = ContainsCaseBlind(open + 1, "italic");
    } else {
        choice->sizeIndex = separator ? ReadNumber(separator + 1) : 0;
    }
}

int FontSpec_Format(FontKind kind, const FontChoice& choice, char* out, int size) {
    if (size <= 0)
        return 0;
    int written;
    if (kind == kFontView && choice.points == 0 && choice.sizeIndex >= 0)
        written = snprintf(out, (size_t)size, "%s,%d", choice.face, (int)choice.sizeIndex);
    else
        written = snprintf(out, (size_t)size, "%s(%d%s%s)", choice.face, (int)choice.points,
                           choice.bold ? ",bold" : "", choice.italic ? ",italic" : "");
    if (written < 0) {
        out[0] = 0;
        return 0;
    }
    return written < size ? written : size - 1;
}

int32_t FontSpec_EntryPoints(const FontSizeEntry& entry, int32_t dpiY) {
    if (dpiY <= 0)
        return 0;
    return (int32_t)((int64_t)(entry.height - entry.internalLeading) * 72 / dpiY);
}

int FontSpec_MatchRaster(const FontSizeEntry* sizes, int count, int32_t dpiY, int32_t points,
                         int32_t bold, int32_t italic) {
    for (int i = 0; i < count; i++) {
        const FontSizeEntry& entry = sizes[i];
        if (FontSpec_EntryPoints(entry, dpiY) == points &&
            (entry.weight > kFontBoldWeight) == (bold != 0) && (entry.italic != 0) == (italic != 0))
            return i;
    }
    return -1;
}
