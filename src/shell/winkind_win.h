// Which kind of ORV window a window handle belongs to: the frame routes every command by the
// kind of the window that has the focus.
#pragma once

#include <windows.h>

enum WindowKind {
    kKindNone = 0,
    kKindView = 1,
    kKindEditor = 2,
    kKindResults = 3,
    kKindDir = 5,
};

struct WindowTarget {
    WindowKind kind;
    HWND window; // the program window the command applies to (null for none)
    HWND control; // the control inside it that had the focus, or null
};

// Classifies a window: one of the four program windows itself, or the edit control, list box
// or combo box inside one of them that has the focus.
WindowTarget Orv_ClassifyWindow(HWND window);
// The kind of the window that has the keyboard focus.
WindowTarget Orv_FocusTarget();
// True for one of the program's windows of this kind itself (not a control inside it).
bool Orv_IsProgramWindow(HWND window, WindowKind kind);
