// The editor window (class OrvEditClass, an MDI child holding an edit control).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);
