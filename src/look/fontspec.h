// Font specifications as ORV32.INI keeps them: "Terminal(9)", "System(10,bold)",
// "Courier New(12,bold,italic)", or the older "Terminal,0" (an index into the face's sizes).
#pragma once

#include <stdint.h>

constexpr int kFontFaceMax = 32; // a face name of at most 31 characters
// Room for the longest form ORV writes: a 31-character face and "(nnn,bold,italic)".
constexpr int kFontSpecMax = 64;

// One of the four fonts of the program, as chosen at start-up or in the font dialog.
enum FontKind { kFontView, kFontEdit, kFontSearch, kFontDir, kFontKinds };

// What was chosen: the face, and either a point size (the "(" form) or, for the older form,
// the index into the face's enumerated sizes (points 0).
struct FontChoice {
    char face[kFontFaceMax];
    int32_t points; // 0: none recorded
    int32_t sizeIndex; // the older form's index; -1 otherwise
    int32_t bold;
    int32_t italic;
};
