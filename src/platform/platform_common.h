// What the portable part of the platform seam (platform_common.cpp) and each build's own half
// (the POSIX files in the native build, the Win32 ones in ORV32.EXE) say to each other.
#pragma once

#include <stdint.h>

#include "platform.h"

// Defined by each half: opens an enumeration of the entries a pattern names, only directories
// when directoriesOnly, only those the test admits; fills entry with the first. The scan, or
// null with error set (kPlatErrFileNotFound when no entry is wanted).
PlatDirScan* Half_FindFirst(const char* pattern, bool directoriesOnly, const PlatNameTest& test,
                            PlatDirEntry* entry, int* error);

// How many of count bytes a write to a new file that already took `written` may take while
// tests make writes fall short (all of them otherwise).
int64_t Common_WriteRoom(int64_t written, int64_t count);

// False for a request for pages no block may have: none at all, more than the address space
// holds, or more than tests allow.
bool Common_PagesAllowed(uint64_t size);
