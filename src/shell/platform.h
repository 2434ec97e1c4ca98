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
// characters and always terminated. Returns the length copied. A null key lists the section's
// keys instead, in the file's order, each ending in a zero and the last followed by another.
int Plat_GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* dest, int destSize);
// 1 when written, 0 when the write failed. A null value removes the key, a null key the whole
// section.
int Plat_WriteProfileString(const char* section, const char* key, const char* value);
// Tests start afresh with this: the native build's in-memory profile is emptied, and under
// Windows every section of the real ORV32.INI is removed (the file itself stays).
void Plat_ResetProfileForTests();
// Tests make every later profile write fail (1) or succeed again (0). The native build refuses
// the writes itself; under Windows a folder takes the place of ORV32.INI, as a full or
// write-protected disk would make the writes fail.
void Plat_FailProfileWritesForTests(int fail);

// ---- Windows directory, drives --------------------------------------------------------------

// The character that ends a directory in a path.
#ifdef _WIN32
constexpr char kPlatDirSeparator = '\\';
#else
constexpr char kPlatDirSeparator = '/';
#endif

// The folder that holds ORV32.INI (the Windows directory), without a trailing separator as the
// system gives it. The length, or 0 when it cannot be had or does not fit.
int Plat_GetWindowsDir(char* dest, int destSize);
// The native build has no Windows directory: tests name one. Does nothing under Windows.
void Plat_SetWindowsDirForTests(const char* dir);
// Copies an existing file to a path that does not exist yet. 1 when copied; 0 when the source
// is missing, the target exists (it is never overwritten) or the copy failed.
int Plat_CopyFileIfAbsent(const char* from, const char* to);
// The drives the system reports: bit 0 is A:, bit 25 Z:.
uint32_t Plat_LogicalDrives();
// The native build reports the drives tests give it (C: alone until then).
void Plat_SetLogicalDrivesForTests(uint32_t mask);

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
