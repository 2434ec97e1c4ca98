// The one seam between ORV's portable core and the operating system: files, page memory,
// profile strings and the clock. platform_win.cpp serves ORV32.EXE; platform_posix.cpp serves
// the native test, fuzz and bench builds. Nothing here shows a window.
#pragma once

#include <stddef.h>
#include <stdint.h>

// ---- Files -----------------------------------------------------------------------------------

struct PlatFile; // an open file, read-only

// Opens an existing file for reading, sharing read access, with a random-access hint.
// Returns null when the file cannot be opened; says nothing to the user.
PlatFile* Plat_OpenRead(const char* path);
// 1 on success, 0 when the seek failed.
int Plat_Seek(PlatFile* file, int64_t offset);
// Bytes read (0 at the end of the file), or -1 when the read failed.
int64_t Plat_Read(PlatFile* file, void* dest, int64_t count);
void Plat_Close(PlatFile* file);

struct PlatFileInfo {
    int64_t size;
    int64_t lastWrite; // seconds since 1970-01-01 UTC; may be negative
    uint32_t attributes; // kPlatAttr* bits
};

enum {
    kPlatAttrReadOnly = 0x01,
    kPlatAttrHidden = 0x02,
    kPlatAttrSystem = 0x04,
    kPlatAttrDirectory = 0x10,
    kPlatAttrArchive = 0x20,
};

// 1 and the record filled, or 0 when the path does not name an existing file or directory.
int Plat_GetFileInfo(const char* path, PlatFileInfo* info);

// ---- Memory ----------------------------------------------------------------------------------

// Page-aligned, zero-filled memory for the engine's blocks: reads into a page-aligned buffer
// run several times faster than into one a few bytes past a page boundary.
// Null when the memory cannot be had (or size is 0 or beyond the address space).
void* Plat_AllocPages(uint64_t size);
void Plat_FreePages(void* block, uint64_t size);

// ---- Profile strings (ORV32.INI) ---------------------------------------------------------------

// Copies the value (or defaultValue when the key is absent) into dest, cut to destSize - 1
// characters and always terminated. Returns the length copied.
int Plat_GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* dest, int destSize);
// 1 when written, 0 when the write failed. A null value removes the key.
int Plat_WriteProfileString(const char* section, const char* key, const char* value);
// The in-memory profile of the native build starts empty; tests call this to start afresh.
// ORV32.EXE's profile is the real file, and this does nothing there.
void Plat_ResetProfileForTests();

// ---- Clock -----------------------------------------------------------------------------------

struct PlatLocalTime {
    int year; // e.g. 1996
    int month; // 1..12
    int day; // 1..31
    int hour;
    int minute;
    int second;
};

// Converts seconds since 1970 UTC to local time. 1 on success; 0 when the time cannot be shown
// (the record is then zeroed).
int Plat_ToLocalTime(int64_t seconds, PlatLocalTime* out);
