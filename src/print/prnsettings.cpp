// The "Printer" section of ORV32.INI.
#include "print/prnsettings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/platform.h"

const char kPrinterSection[] = "Printer";
const char kPrinterKey[] = "Printer";
const char kPrinterFontKey[] = "Font";
const char kOrientationKey[] = "Orientation";

namespace {

// Copies the next token (ended by a comma or a blank, leading ones skipped) into out.
const char* NextToken(const char* p, char* out, int size) {
    while (*p == ',' || *p == ' ')
        p++;
    int n = 0;
    while (*p && *p != ',' && *p != ' ') {
        if (n < size - 1)
            out[n++] = *p;
        p++;
    }
    out[n] = 0;
    return p;
}

} // namespace

int Printer_ParseNames(const char* value, PrinterNames* names) {
    memset(names, 0, sizeof *names);
    const char* comma = strchr(value, ',');
    size_t length = comma ? (size_t)(comma - value) : strlen(value);
    while (length > 0 && value[length - 1] == ' ')
        length--;
    const char* start = value;
    while (length > 0 && *start == ' ') {
        start++;
        length--;
    }
    if (length >= sizeof names->device)
        length = sizeof names->device - 1;
    memcpy(names->device, start, length);
    if (comma) {
        const char* p = NextToken(comma, names->driver, sizeof names->driver);
        NextToken(p, names->port, sizeof names->port);
    }
    return names->device[0] ? 1 : 0;
}

void Printer_FormatNames(const PrinterNames& names, char* out, int size) {
    snprintf(out, (size_t)size, "%s, %s, %s", names.device, names.driver, names.port);
}

void Printer_FontSpec(const PrinterFont& font, char* out, int size) {
    FontChoice choice = {};
    snprintf(choice.face, sizeof choice.face, "%s", font.face);
    choice.points = font.tenths / 10;
    choice.sizeIndex = -1;
    choice.bold = font.bold;
    choice.italic = font.italic;
    FontSpec_Format(kFontEdit, choice, out, size);
}

int Printer_LoadKeys(PrinterNames* names, PrinterFont* font, int32_t* orientation) {
    char value[kPrinterNameMax];
    Plat_GetProfileString(kPrinterSection, kPrinterKey, "", value, sizeof value);
    const int named = value[0] ? Printer_ParseNames(value, names) : 0;
    if (!named)
        memset(names, 0, sizeof *names);

    char spec[kPrinterFontTextMax];
    Plat_GetProfileString(kPrinterSection, kPrinterFontKey, "", spec, sizeof spec);
    if (spec[0] && !font->face[0]) {
        FontChoice choice;
        FontSpec_Parse(spec, &choice);
        snprintf(font->face, sizeof font->face, "%s", choice.face);
        font->tenths = choice.points * 10;
        font->bold = choice.bold;
        font->italic = choice.italic;
    }

    char number[16];
    Plat_GetProfileString(kPrinterSection, kOrientationKey, "1", number, sizeof number);
    const long o = strtol(number, nullptr, 10);
    *orientation = o == 2 ? 2 : 1;
    return named;
}

int Printer_SaveKeys(const PrinterNames* names, const PrinterFont& font, int32_t orientation) {
    int ok = 1;
    if (names && names->device[0]) {
        char value[3 * kPrinterNameMax + 8];
        Printer_FormatNames(*names, value, sizeof value);
        ok &= Plat_WriteProfileString(kPrinterSection, kPrinterKey, value);
    }
    if (font.face[0]) {
        char spec[kFontSpecMax];
        Printer_FontSpec(font, spec, sizeof spec);
        ok &= Plat_WriteProfileString(kPrinterSection, kPrinterFontKey, spec);
    } else {
        ok &= Printer_RemoveFontKey();
    }
    char number[16];
    snprintf(number, sizeof number, "%d", (int)(orientation == 2 ? 2 : 1));
    ok &= Plat_WriteProfileString(kPrinterSection, kOrientationKey, number);
    return ok;
}

int Printer_RemoveFontKey() {
    return Plat_WriteProfileString(kPrinterSection, kPrinterFontKey, nullptr);
}
