// src/platform is the lowest layer: the only code that reaches the operating system for the
// portable core (files, directories, page memory, profile strings, the clock, and the uiseam.h
// hooks for questions). It includes nothing else of ORV's and never shows a window itself.
//
// platform_win.cpp serves ORV32.EXE; platform_posix.cpp serves the native test, fuzz and
// bench builds.
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
// Where the file ended when it was opened, when the system knows it for certain (a plain file
// on the native build); -1 when only a read that returns nothing tells.
int64_t Plat_EndAtOpen(const PlatFile* file);
// The size of a plain file on a disk as it is now; -1 for anything whose size does not say
// where a read stops (a pipe, a device, what the system shows as files under /proc).
int64_t Plat_FileSize(PlatFile* file);
// Opens a file that a listing has just given by name alone as a plain file (an entry marked
// kPlatAttrUndescribed), asking the system nothing more: Plat_GetOpenFileInfo asks when the
// caller wants to know. Null when it cannot be opened.
PlatFile* Plat_OpenListedFile(const char* path);
// 1 when a read that returns less than it was asked for has met the file's end (a plain file
// the system reads from its own cache); 0 when only a read that returns nothing tells.
int Plat_ShortReadEnds(const PlatFile* file);

struct PlatFileView; // part of an open file mapped for reading
// Maps bytes [offset, offset + count) of a plain file on a local disk; *bytes then points at
// the byte at offset. Null when the file cannot be mapped there (a pipe, a network file, a file
// that ends before offset + count): the caller reads it instead.
PlatFileView* Plat_MapFileView(PlatFile* file, int64_t offset, int64_t count, const char** bytes);
void Plat_UnmapFileView(PlatFileView* view);
// Tests make every file view fail, as for a file on a network drive (0: views work again).
void Plat_RefuseFileViewsForTests(int refuse);
#ifndef _WIN32
// Tests and fuzz targets of the native build serve one plain file from memory: while served,
// path opens, reads, maps and is described as a plain file of these size bytes (the caller
// keeps them), with no disk in between. Null bytes stop serving it.
void Plat_ServeFromMemoryForTests(const char* path, const void* bytes, int64_t size);
#endif

struct PlatFileInfo {
    int64_t size;
    int64_t lastWrite; // seconds since 1970-01-01 UTC; may be negative
    uint32_t attributes; // kPlatAttr* bits
};

// The system's own attribute bits.
enum {
    kPlatAttrReadOnly = 0x01,
    kPlatAttrHidden = 0x02,
    kPlatAttrSystem = 0x04,
    kPlatAttrDirectory = 0x10,
    kPlatAttrArchive = 0x20,
    kPlatAttrTemporary = 0x100,
    kPlatAttrLink = 0x400, // a junction or symbolic link: never followed by a walk
    kPlatAttrCompressed = 0x800,
    // Not the system's: an entry given by name alone, whose size, time and read-only bit are
    // not known yet (see PlatNameTest::filesUndescribed).
    kPlatAttrUndescribed = 0x40000000,
    // Not the system's: a name the ANSI code page cannot hold, with no short name to stand in
    // for it. It is given with a "?" for each character the code page lacks, and names no file
    // an operation could reach (as a mask it would name others).
    kPlatAttrUnusableName = 0x20000000,
};

// 1 and the record filled, or 0 when the path does not name an existing file or directory.
int Plat_GetFileInfo(const char* path, PlatFileInfo* info);
// The same for a file open at path, from the open file: 1, or 0 when the system cannot say.
int Plat_GetOpenFileInfo(PlatFile* file, const char* path, PlatFileInfo* info);

// ---- Writing a file whole ---------------------------------------------------------------------

// A save never cuts the old file short: the text goes to a new file in the same folder, which
// takes the old one's place only after its last byte is on the disk.
struct PlatNewFile; // a new file being written, to take a target's place

// Creates an empty file of a name of the system's choosing in the folder of target, for
// writing. Null when target is a directory or a read-only file, could not be opened for
// writing, or its folder takes no new file (missing, write-protected, full); nothing exists
// then that did not before.
PlatNewFile* Plat_CreateBeside(const char* target);
// Appends bytes: the count written, which is short when the disk is full; -1 when the write
// failed.
int64_t Plat_WriteNew(PlatNewFile* file, const void* bytes, int64_t count);
// Forces what was written out of the system's cache onto the disk. 1, or 0 when it failed.
int Plat_FlushNew(PlatNewFile* file);

constexpr int kPlatPathMax = 260;

// Where the text is after a new file could not take its target's place once the target had
// been moved aside.
struct PlatCommitLeft {
    char newFile[kPlatPathMax]; // the new file, kept whole
    char oldFile[kPlatPathMax]; // the old file's name now; "" when it is back under target's
};

// Closes the new file and puts it in target's place in one step; target, when it exists,
// keeps its attributes. 1; 0 when it could not and target is as it was (the new file is
// removed); -1 when it could not once target had been moved aside: the new file is kept and
// left says where it and the old file are. The record is freed either way.
int Plat_CommitNew(PlatNewFile* file, const char* target, PlatCommitLeft* left);
// Closes and removes the new file, leaving target as it was; frees the record.
void Plat_DiscardNew(PlatNewFile* file);
// Tests make new files take only this many bytes more, as a disk that fills up would, and
// every write after that short (-1: writes succeed again).
void Plat_FailWritesForTests(int64_t afterBytes);
// The steps of putting a new file in an existing target's place that tests make fail (bits;
// 0: none). Under Windows the replace moves target to a backup name, then renames the new file
// to target's; when that fails, a plain rename of the new file is the fallback, and when that
// fails too the old file is renamed back. The native build has one rename, which fails at any.
enum {
    kPlatFailBeforeMove = 1, // the replace fails with target still under its name
    kPlatFailAfterMove = 2,  // the replace fails with target under the backup name
    kPlatFailFallback = 4,   // the plain rename of the new file to target's name fails
    kPlatFailRenameBack = 8, // the old file cannot be renamed back to target's name
};
void Plat_FailCommitForTests(int steps);

// ---- Memory ----------------------------------------------------------------------------------

// Page-aligned, zero-filled memory for the engine's blocks: reads into a page-aligned buffer
// run several times faster than into one a few bytes past a page boundary.
// Null when the memory cannot be had (or size is 0 or beyond the address space).
void* Plat_AllocPages(uint64_t size);
void Plat_FreePages(void* block, uint64_t size);
// Tests make every later request for more than `most` bytes fail, as a full address space
// would (0: requests succeed again).
void Plat_LimitPagesForTests(uint64_t most);

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

// ---- Directories and drives -------------------------------------------------------------------

// The system's error numbers that callers tell apart.
enum {
    kPlatErrFileNotFound = 2, // also: nothing matches the mask
    kPlatErrPathNotFound = 3,
    kPlatErrAccessDenied = 5,
    kPlatErrInvalidDrive = 15,
    kPlatErrNoMoreFiles = 18,
    kPlatErrNotReady = 21,
    kPlatErrBadNetPath = 53,
    kPlatErrInvalidName = 123,
    kPlatErrDirNotEmpty = 145,
};

constexpr int kPlatNameMax = 260;

struct PlatDirEntry {
    // As the file system spells it, without the directory; its short name instead when the
    // ANSI code page cannot hold it (kPlatAttrUnusableName when there is none).
    char name[kPlatNameMax];
    uint32_t attributes; // kPlatAttr* bits
    int64_t size;
    int64_t lastWrite; // seconds since 1970-01-01 UTC
};

struct PlatDirScan; // an enumeration in progress

// Starts enumerating the entries that match the last component of pattern, a mask with "*" and
// "?" as the system reads them ("*.*" and "*" match every name; "." and ".." come as the system
// delivers them). Null when nothing matches or the directory cannot be read, with *error set
// (kPlatErrFileNotFound when the directory is there but nothing matches).
PlatDirScan* Plat_FindFirst(const char* pattern, PlatDirEntry* entry, int* error);
// The same for directories alone (links to directories among them): a walk looking for
// subdirectories need not describe every file beside them.
PlatDirScan* Plat_FindFirstDirectories(const char* pattern, PlatDirEntry* entry, int* error);
// What a test of an entry's name may know of it before the entry is described.
enum PlatEntryKind {
    kPlatKindUnknown,
    kPlatKindFile,
    kPlatKindDirectory,
};
struct PlatNameTest {
    // true to have the entry described and returned; false passes over it.
    bool (*admits)(void* context, const char* name, PlatEntryKind kind);
    void* context;
    // A plain file the test admits may come by name alone, marked kPlatAttrUndescribed, where
    // describing it would cost the system a look-up of its own: the caller opens it anyway and
    // describes it from the open file (Plat_GetOpenFileInfo).
    bool filesUndescribed;
};
// Plat_FindFirst, passing over the entries whose names the test refuses (here and in
// Plat_FindNext) before they are described: a search through a large tree asks the file
// system for the details of its matches alone.
PlatDirScan* Plat_FindFirstTested(const char* pattern, const PlatNameTest& test,
                                  PlatDirEntry* entry, int* error);
// The next entry: 1, or 0 at the end.
int Plat_FindNext(PlatDirScan* scan, PlatDirEntry* entry);
void Plat_FindClose(PlatDirScan* scan);
// Tests make listings give no short names (1), as a file system that keeps none would, or give
// them again (0). The native build's names are its own bytes and have none anyway.
void Plat_LeaveOutShortNamesForTests(int leaveOut);

// Deletes a file (a link to a file: the link). 0, or the system's error number.
int Plat_DeleteFile(const char* path);
// Removes an empty directory, or a junction or symbolic link to a directory as the link itself,
// never what it points to. 0, or the system's error number.
int Plat_RemoveDir(const char* path);
// Sets or clears the read-only attribute. 0, or the system's error number.
int Plat_SetReadOnly(const char* path, bool readOnly);
// The system's own words for one of its error numbers, on one line, cut to destSize. The
// length, or 0 when the system has no text for the number.
int Plat_ErrorText(int error, char* dest, int destSize);

// True for a path that names its drive and starts at its root ("c:\dir", "/tmp").
bool Plat_IsAbsolutePath(const char* path);
// The root of the drive a path lies on ("c:\"; "/" in the native build). The length, or 0
// when the path names no drive or the root does not fit.
int Plat_DriveRoot(const char* path, char* dest, int destSize);
// The current directory of a drive (0: of the current drive), with no trailing separator
// except on a root. The length, or 0 when it cannot be had (an invalid or empty drive).
int Plat_GetCurrentDir(char drive, char* dest, int destSize);
// Makes a directory (and its drive) current. 0, or the system's error number.
int Plat_SetCurrentDir(const char* path);

enum PlatDriveType {
    kPlatDriveUnknown = 0,
    kPlatDriveNoRoot = 1,
    kPlatDriveRemovable = 2,
    kPlatDriveFixed = 3,
    kPlatDriveRemote = 4,
    kPlatDriveCdRom = 5,
    kPlatDriveRamDisk = 6,
};
// The system's drive type of a drive root.
PlatDriveType Plat_DriveType(const char* root);
// The label and file-system name of a drive root, each cut to its size. 1, or 0 when the
// volume cannot be read (no disk, not ready); the system shows no box for it.
int Plat_VolumeInfo(const char* root, char* label, int labelSize, char* fileSystem,
                    int fileSystemSize);
// The network name a drive letter is connected to. The length, or 0 for a drive that is not
// a network connection.
int Plat_RemoteName(char drive, char* dest, int destSize);
// Free bytes for the user, and the drive's total, in 64 bits. 1, or 0 when they cannot be had.
int Plat_DiskSpace(const char* root, uint64_t* freeBytes, uint64_t* totalBytes);

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
// The other way: seconds since 1970 UTC of a local time, read with the same offset from UTC
// that Plat_ToLocalTime shows files with, so a date typed as a listing shows it names that
// time. 1, or 0 when the time cannot be represented.
int Plat_FromLocalTime(const PlatLocalTime& local, int64_t* seconds);
// The local time now.
void Plat_Now(PlatLocalTime* out);
