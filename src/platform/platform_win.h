// What the two Win32 halves of the platform seam share (platform_win.cpp, platform_dir_win.cpp).
#pragma once

#include <windows.h>

#include <stdint.h>

// A FILETIME (100 ns ticks since 1601) as seconds since 1970.
int64_t Win_SecondsFromFileTime(const FILETIME& ft);
