// The search results window (class OrvSrchClass, an MDI child).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam);
