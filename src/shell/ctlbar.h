// The control bar (class OrvBarClass): a strip of buttons and the "Find:" box above the MDI
// client, hidden until "&Button Bar" shows it.
#pragma once

#include <windows.h>

constexpr char kControlBarTitle[] = "ORVControlBar";
constexpr int kFindComboId = 100;

extern HWND gControlBar;
extern HWND gFindCombo;

LRESULT CALLBACK ControlBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);
// Creates the hidden bar in the frame with its find box. 1, or 0 when it could not be made.
int ControlBar_Create(HINSTANCE instance, HWND frame);
// A click on the frame ends an edit of the find box: the text typed there becomes the find
// choice and the focus goes back to the window it came from.
void ControlBar_EndFindEdit();
