// The fonts of the four window kinds, made from the font specifications once the frame exists
// and kept until teardown.
#pragma once

#include <windows.h>

#include "look/fontspec.h"

struct FontSet {
    HFONT fonts[kFontKinds];
    bool owned[kFontKinds]; // made here and deleted at teardown; a stock font is not
};

extern FontSet gFonts;

// Makes the four fonts from gSettings' specifications, in the order EditFont, SearchFont,
// DirFont, Font, and records in gSettings.fonts the face, points, boldness and slant each
// font really has. A face that is not installed, or a font that cannot be made, falls back to
// the OEM fixed font, recorded as "Terminal". 1, or 0 when not even that font can be had.
int Fonts_Load();
// Deletes the fonts made; the set is empty afterwards.
void Fonts_Free();
// The metrics a font has on the screen.
TEXTMETRICA Fonts_ScreenMetrics(HFONT font);
// The font of a window kind (the OEM fixed font before Fonts_Load).
HFONT Fonts_Get(FontKind kind);
