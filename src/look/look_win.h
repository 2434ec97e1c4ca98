// A window kind's new colours or font reaching the window they were chosen in, the brush list
// of the backgrounds chosen while ORV runs, and the seam before the system's colour and font
// choosers.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "look/look.h"

// The system's choosers; tests put their own in place of them.
struct LookChoosers {
    BOOL(WINAPI* chooseColor)(LPCHOOSECOLORA);
    BOOL(WINAPI* chooseFont)(LPCHOOSEFONTA);
    DWORD(WINAPI* extendedError)();
};
const LookChoosers& Look_Choosers();
// Null puts the system's back.
void Look_SetChoosersForTests(const LookChoosers* choosers);

// The open program windows of a kind (not their controls), in the MDI client's order.
std::vector<HWND> Look_WindowsOfKind(int windowKind);
// The kind's colours and background brush as they are now go to the window (of that kind),
// which is redrawn.
void Look_ApplyColors(HWND window, int windowKind);
// The kind's font as it is now goes to the window (of that kind), which is laid out again.
void Look_ApplyFont(HWND window, int windowKind);

// A brush made for a kind's new background: kept in the brush list and made the kind's (for
// file views also the view class's background). 1, or 0 when the list cannot take it: the
// brush is deleted and the kind keeps its old one.
int Look_SetBackgroundBrush(int windowKind, HBRUSH brush);
// A font made for a kind: kept in the object list, made the kind's, and recorded in the
// settings as the face and points (with boldness and slant) that "Save Options" writes.
void Look_SetFont(FontKind kind, HFONT font, const FontChoice& choice);
// Teardown: every brush in the brush list is deleted.
void Look_DeleteBrushes();
// How many brushes the list holds (for tests).
int Look_BrushCount();
