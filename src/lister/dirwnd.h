// The directory window (class OrvDirClass, an MDI child), its disk bar (OrvDiskClass) and its
// splitter (OrvSplitClass).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam);
