// The control bar (class OrvBarClass): a strip of buttons and the "Find:" box above the MDI
// client, hidden until "&Button Bar" shows it.
#pragma once

#include <windows.h>

#include "find/findpat.h"

constexpr char kControlBarTitle[] = "ORVControlBar";
constexpr int kFindComboId = 100;

extern HWND gControlBar;
extern HWND gFindCombo;

LRESULT CALLBACK ControlBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);
// The edit field of the find box: Tab does nothing there, Enter runs "Find &Next".
LRESULT CALLBACK CBarSubClassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
// Creates the hidden bar in the frame with its find box and buttons. 1, or 0 when it could not
// be made.
int ControlBar_Create(HINSTANCE instance, HWND frame);
// The bar's height, by the size of the system's icons and of the find box.
int ControlBar_Height();
// A click on the frame or the bar ends an edit of the find box: the text typed there (or the
// history entry chosen) becomes the find and the focus goes back to the window it came from.
void ControlBar_EndFindEdit();
// The "Find:" box serves views and editors only: the other windows grey it while they have the
// focus.
void ControlBar_EnableFind(bool enable);
// The find box as the find history fills it (null before the bar is made).
const HistoryCombo* ControlBar_HistoryCombo();
