// "&Font..." (110): a new font for the kind of the focused window, through the system's font
// chooser or, when that cannot be shown, ORV's own "Available Fonts" dialog.
#pragma once

#include <windows.h>

// Picks a font for the focused window's kind; on OK it is kept, recorded for "Save Options"
// and every window of the kind takes it. 1 when a new font was taken, 0 otherwise.
int Font_Command(HWND frame);

// The dialog procedure of SIZEBOX; it ends with the index of the chosen size entry, or -1.
INT_PTR CALLBACK SizeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Collects the installed faces, or one face's sizes, for SizeDlg.
int CALLBACK EnumFunc(const LOGFONTA* logFont, const TEXTMETRICA* metric, DWORD type,
                      LPARAM list);
// Tests make the font list's memory fail to grow from now on (false: it grows again).
void SizeDlg_FailListMemoryForTests(bool fail);
