// ORV's ten window classes, registered together at start-up in this order, and the names by
// which the frame tells its kinds of window apart.
#pragma once

#include <windows.h>

constexpr char kViewClassName[] = "OrvViewClass";
constexpr char kDirClassName[] = "OrvDirClass";
constexpr char kSplashClassName[] = "OrvSplashClass";
constexpr char kTitleClassName[] = "OrvTitleClass";
constexpr char kSrchClassName[] = "OrvSrchClass";
constexpr char kEditClassName[] = "OrvEditClass";
constexpr char kBarClassName[] = "OrvBarClass";
constexpr char kDiskClassName[] = "OrvDiskClass";
constexpr char kSplitClassName[] = "OrvSplitClass";

// Window extra bytes: each child kind keeps its own record there, in pointer-sized slots (8, 12,
// 16 and 32 bytes in ORV32.EXE; twice that in the 64-bit build).
constexpr int kViewExtraBytes = 2 * sizeof(LONG_PTR); // the record and its memory handle
constexpr int kDirExtraBytes = 3 * sizeof(LONG_PTR); // its record first; two words spare
constexpr int kSrchExtraBytes = 4 * sizeof(LONG_PTR);
constexpr int kEditExtraBytes = 8 * sizeof(LONG_PTR);

// Registers the frame's class and the nine others. 1, or 0 when one failed (none is left
// registered then). The brushes of the drawing objects must exist first.
int Classes_Register(HINSTANCE instance);
// Unregisters the nine classes besides the frame's, which the message loop unregisters last.
void Classes_UnregisterChildren(HINSTANCE instance);
