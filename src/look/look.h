// The look of ORV's child windows: which colours and font each window kind takes, the pair of
// colours "Set Colors" edits, the list of brushes made for new backgrounds, and the rules of
// the "Available Fonts" dialog's sizes.
#pragma once

#include <stdint.h>

#include "look/fontspec.h"
#include "shell/settings.h"

// The window kinds that have a look of their own, by the frame's numbers for them.
constexpr int kLookKindView = 1;
constexpr int kLookKindEditor = 2;
constexpr int kLookKindResults = 3;
constexpr int kLookKindDir = 5;

// Where a kind's colours and font are kept.
struct LookSlots {
    ColorSlot text;
    ColorSlot background;
    FontKind font;
};
// 1 and the slots of a window kind; 0 for a kind with no look of its own (none, or unknown).
int Look_Slots(int windowKind, LookSlots* slots);

// ---- "Set Colors" ------------------------------------------------------------------------------

// The working pair of one kind while the dialog is up; the settings change only on OK.
struct ColorEdit {
    int32_t kind;
    LookSlots slots;
    OrvColor text;
    OrvColor background;
};
// Loads the working pair from the kind's colours. 1, or 0 for a kind with no colours.
int ColorEdit_Begin(int windowKind, ColorEdit* edit);
// A background the user chose. A file view paints with any colour; every other kind shows its
// background through controls that cannot dither, so it takes the nearest solid colour.
void ColorEdit_SetBackground(ColorEdit* edit, OrvColor chosen);
// OK: the text colour is stored and the options are marked as changed. 1 when the background
// differs from the kind's, so that a brush must be made for it (then ColorEdit_StoreBackground).
int ColorEdit_Confirm(const ColorEdit& edit);
void ColorEdit_StoreBackground(const ColorEdit& edit);

// ---- Lists of drawing objects -------------------------------------------------------------------

// A growable list of handles, room made 16 at a time; a handle is listed once.
struct HandleList {
    uintptr_t* items;
    int32_t count;
    int32_t room;
};
constexpr int32_t kHandleListStep = 16;
// 1 when added, 0 when already listed (or null), -1 when the list could not grow (unchanged).
int HandleList_Add(HandleList* list, uintptr_t handle);
bool HandleList_Has(const HandleList& list, uintptr_t handle);
// Forgets every handle and gives the room back (deleting the objects is the caller's).
void HandleList_Free(HandleList* list);
// Tests make the next growths fail (0: none).
void HandleList_FailGrowthsForTests(int count);

// ---- "Available Fonts" -------------------------------------------------------------------------

constexpr int32_t kFontMostPoints = 999; // the most a size can be typed as
constexpr int kFontSizeTextMax = 24;

// A size as its list shows it: "%d %s%s" of its points, "Bold " and "Italic". The length.
int FontSpec_SizeText(int32_t points, int32_t weight, int32_t italic, char* out, int size);
// The point size a text starts with (blanks first), or 0 when it starts with no size from 1 to
// kFontMostPoints: what the size box holds, or what a size entry's text shows.
int32_t FontSpec_LeadingPoints(const char* text);
// The face to select: the one named (case-blind), else the first; -1 for no faces.
int FontSpec_FaceIndex(const char (*faces)[kFontFaceMax], int count, const char* face);
// Where a generated size goes among sizes of these points, kept in their order: after every
// size that is not larger.
int FontSpec_InsertAt(const int32_t* points, int count, int32_t newPoints);
// The logical height that shows points on a screen of dpiY pixels per inch (negative: the
// character height without its internal leading), rounded as the platform rounds.
int32_t FontSpec_HeightForPoints(int32_t points, int32_t dpiY);
