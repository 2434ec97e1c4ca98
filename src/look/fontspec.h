// Font specifications as ORV32.INI keeps them: "Terminal(9)", "System(10,bold)",
// "Courier New(12,bold,italic)", or the older "Terminal,0" (an index into the face's sizes).
#pragma once

#include <stdint.h>

constexpr int kFontFaceMax = 32; // a face name of at most 31 characters
// Room for the longest form ORV writes: a 31-character face and "(nnn,bold,italic)". A longer
// value in ORV32.INI is cut to kFontSpecMax - 1 characters when it is read.
constexpr int kFontSpecMax = 64;

// One of the four fonts of the program, as chosen at start-up or in the font dialog.
enum FontKind { kFontView, kFontEdit, kFontSearch, kFontDir, kFontKinds };

// What was chosen: the face, and either a point size (the "(" form) or, for the older form,
// the index into the face's enumerated sizes (points 0).
struct FontChoice {
    char face[kFontFaceMax];
    int32_t points;    // 0: none recorded
    int32_t sizeIndex; // the older form's index; -1 otherwise
    int32_t bold;
    int32_t italic;
};

// The face that "ORV default" stands for, and that a font which cannot be had falls back to.
constexpr char kFontFallbackFace[] = "Terminal";
constexpr int kFontBoldWeight = 600; // a weight above this is bold

// Reads a specification into choice: the face before the first "(" (or, without one, before the
// first ","), then either the point size and "bold"/"italic" (case-blind) or the older form's
// size index. A text with neither separator is a face alone, at the first of its sizes.
// The face is cut to kFontFaceMax - 1 characters.
void FontSpec_Parse(const char* spec, FontChoice* choice);
// Writes face(points[,bold][,italic]); for the view font with no point size recorded, the
// older face,index form. Cut to size - 1 characters; returns the length written.
int FontSpec_Format(FontKind kind, const FontChoice& choice, char* out, int size);

// One enumerated size of a raster face, as the platform measures it.
struct FontSizeEntry {
    int32_t height; // character cell height in pixels
    int32_t internalLeading;
    int32_t weight;
    int32_t italic;
};
// The points a size shows at: (height - internal leading) * 72 / dpiY.
int32_t FontSpec_EntryPoints(const FontSizeEntry& entry, int32_t dpiY);
// The first size that shows at these points with this boldness and slant, or -1.
int FontSpec_MatchRaster(const FontSizeEntry* sizes, int count, int32_t dpiY, int32_t points,
                         int32_t bold, int32_t italic);
