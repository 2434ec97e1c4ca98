// The platform seam for ORV32.EXE: the Win32 file, memory and private-profile calls.
#include "platform.h"
#include "platform_common.h"
#include "platform_win.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

const char kIniName[] = "ORV32.INI"; // a bare name: the profile calls keep it in the Windows directory
constexpr int64_t kSecondsFrom1601To1970 = INT64_C(11644473600);
constexpr int64_t kTicksPerSecond = 10000000; // FILETIME counts 100 ns ticks
constexpr DWORD kMaxReadPerCall = 1u << 30;


} // namespace

struct PlatFile {
    HANDLE handle;
    int64_t position; // where the next read begins; -1 when not known
    char root[4];     // "X:\\" of a path on a drive letter, "" for any other path
};

namespace {

// The root a mapped view asks the drive type of: a drive letter's, or none.
void RootOf(const char* path, char* root) {
    root[0] = 0;
    if (((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
        path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
        root[0] = path[0];
        root[1] = ':';
        root[2] = '\\';
        root[3] = 0;
    }
}

} // namespace

PlatFile* Plat_OpenRead(const char* path) {
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    PlatFile* file = (PlatFile*)HeapAlloc(GetProcessHeap(), 0, sizeof(PlatFile));
    if (!file) {
        CloseHandle(handle);
        return nullptr;
    }
    file->handle = handle;
    file->position = 0;
    RootOf(path, file->root);
    return file;
}

// A seek to where the file already is asks nothing of the system: under Wine a seek costs as
// much as opening the file, and a disk search reads thousands of files from their start.
int Plat_Seek(PlatFile* file, int64_t offset) {
    if (offset < 0)
        return 0;
    if (offset == file->position)
        return 1;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(file->handle, distance, nullptr, FILE_BEGIN)) {
        file->position = -1;
        return 0;
    }
    file->position = offset;
    return 1;
}

int64_t Plat_Read(PlatFile* file, void* dest, int64_t count) {
    DWORD want = count > (int64_t)kMaxReadPerCall ? kMaxReadPerCall : (DWORD)count;
    DWORD got = 0;
    if (!ReadFile(file->handle, dest, want, &got, nullptr)) {
        file->position = -1;
        return -1;
    }
    if (file->position >= 0)
        file->position += got;
    return (int64_t)got;
}

void Plat_Close(PlatFile* file) {
    if (file) {
        CloseHandle(file->handle);
        HeapFree(GetProcessHeap(), 0, file);
    }
}

// Windows says where a file ends only when asked once more; the read that returns nothing is
// as cheap, and right however the file changes.
int64_t Plat_EndAtOpen(const PlatFile*) {
    return -1;
}

int64_t Plat_FileSize(PlatFile* file) {
    LARGE_INTEGER size;
    if (GetFileType(file->handle) != FILE_TYPE_DISK || !GetFileSizeEx(file->handle, &size) ||
        size.QuadPart <= 0)
        return -1;
    return (int64_t)size.QuadPart;
}

PlatFile* Plat_OpenListedFile(const char* path) {
    return Plat_OpenRead(path);
}

int Plat_ShortReadEnds(const PlatFile*) {
    return 0;
}

// Described by its path, as the directory listing describes it: the handle's own facts leave
// out the hidden bit that Wine gives names beginning with a dot. A listing here never leaves a
// file undescribed, so this is no extra cost on the way of a search.
int Plat_GetOpenFileInfo(PlatFile*, const char* path, PlatFileInfo* info) {
    return Plat_GetFileInfo(path, info);
}

int Plat_GetFileInfo(const char* path, PlatFileInfo* info) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    info->size = (int64_t)(((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow);
    info->lastWrite = Win_SecondsFromFileTime(data.ftLastWriteTime);
    info->attributes = data.dwFileAttributes & (kPlatAttrReadOnly | kPlatAttrHidden |
                                                kPlatAttrSystem | kPlatAttrDirectory |
                                                kPlatAttrArchive | kPlatAttrTemporary |
                                                kPlatAttrCompressed);
    return 1;
}

void* Plat_AllocPages(uint64_t size) {
    if (!Common_PagesAllowed(size))
        return nullptr;
    return VirtualAlloc(nullptr, (SIZE_T)size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void Plat_FreePages(void* block, uint64_t) {
    if (block)
        VirtualFree(block, 0, MEM_RELEASE);
}

namespace {
bool gRefuseFileViews = false; // set by tests
} // namespace

void Plat_RefuseFileViewsForTests(int refuse) {
    gRefuseFileViews = refuse != 0;
}

struct PlatFileView {
    void* base;
};

PlatFileView* Plat_MapFileView(PlatFile* file, int64_t offset, int64_t count, const char** bytes) {
    // A page of a mapped network file that cannot be read stops the program where a read
    // would have failed: only files on the machine's own disks are mapped.
    if (gRefuseFileViews || offset < 0 || count <= 0 || !file->root[0])
        return nullptr;
    const UINT driveType = GetDriveTypeA(file->root);
    if (driveType != DRIVE_FIXED && driveType != DRIVE_RAMDISK)
        return nullptr;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const int64_t grain = system.dwAllocationGranularity ? system.dwAllocationGranularity : 65536;
    const int64_t start = offset - offset % grain;
    const uint64_t length = (uint64_t)(offset - start + count);
    if (!Common_PagesAllowed(length))
        return nullptr;
    PlatFileView* view = (PlatFileView*)HeapAlloc(GetProcessHeap(), 0, sizeof(PlatFileView));
    if (!view)
        return nullptr;
    // The mapping covers the file as it is now, so a view past its end fails; the view keeps
    // the mapping open after its handle is closed.
    HANDLE mapping = CreateFileMappingA(file->handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    view->base = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, (DWORD)((uint64_t)start >> 32),
                                         (DWORD)(uint64_t)start, (SIZE_T)length)
                         : nullptr;
    if (mapping)
        CloseHandle(mapping);
    if (!view->base) {
        HeapFree(GetProcessHeap(), 0, view);
        return nullptr;
    }
    *bytes = (const char*)view->base + (offset - start);
    return view;
}

void Plat_UnmapFileView(PlatFileView* view) {
    if (view) {
        UnmapViewOfFile(view->base);
        HeapFree(GetProcessHeap(), 0, view);
    }
}

int Plat_GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    return (int)GetPrivateProfileStringA(section, key, defaultValue, dest, (DWORD)destSize,
                                         kIniName);
}

int Plat_WriteProfileString(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, kIniName) ? 1 : 0;
}

// Removing the sections rather than the file: the system may keep a profile it read in memory
// and write it out again at the next write.
void Plat_ResetProfileForTests() {
    char names[8192];
    DWORD length = GetPrivateProfileSectionNamesA(names, sizeof names, kIniName);
    for (const char* name = names; name < names + length && *name; name += lstrlenA(name) + 1)
        WritePrivateProfileStringA(name, nullptr, nullptr, kIniName);
}

namespace {
// The full path of ORV32.INI, or of the place its contents wait while writes are made to fail.
int IniPath(char* path, int size, const char* suffix) {
    char dir[MAX_PATH];
    int length = Plat_GetWindowsDir(dir, sizeof dir);
    if (!length)
        return 0;
    int written = snprintf(path, (size_t)size, "%s\\%s%s", dir, kIniName, suffix);
    return written > 0 && written < size;
}
} // namespace

void Plat_FailProfileWritesForTests(int fail) {
    char ini[MAX_PATH], aside[MAX_PATH];
    if (!IniPath(ini, sizeof ini, "") || !IniPath(aside, sizeof aside, ".orvtest"))
        return;
    if (fail) {
        MoveFileA(ini, aside); // fails harmlessly when there is no file yet
        CreateDirectoryA(ini, nullptr);
    } else {
        RemoveDirectoryA(ini);
        MoveFileA(aside, ini);
    }
}

int Plat_GetWindowsDir(char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    UINT length = GetWindowsDirectoryA(dest, (UINT)destSize);
    if (length == 0 || length >= (UINT)destSize) {
        dest[0] = 0;
        return 0;
    }
    return (int)length;
}

void Plat_SetWindowsDirForTests(const char*) {}

int Plat_CopyFileIfAbsent(const char* from, const char* to) {
    return CopyFileA(from, to, TRUE) ? 1 : 0; // TRUE: fail when the target exists
}

uint32_t Plat_LogicalDrives() {
    return (uint32_t)GetLogicalDrives();
}

void Plat_SetLogicalDrivesForTests(uint32_t) {}

int Plat_ToLocalTime(int64_t seconds, PlatLocalTime* out) {
    memset(out, 0, sizeof *out);
    if (seconds < -kSecondsFrom1601To1970 ||
        seconds > INT64_MAX / kTicksPerSecond - kSecondsFrom1601To1970)
        return 0;
    uint64_t ticks = (uint64_t)(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
    FILETIME utc = {(DWORD)ticks, (DWORD)(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return 0;
    out->year = st.wYear;
    out->month = st.wMonth;
    out->day = st.wDay;
    out->hour = st.wHour;
    out->minute = st.wMinute;
    out->second = st.wSecond;
    return 1;
}

int Plat_FromLocalTime(const PlatLocalTime& l, int64_t* seconds) {
    *seconds = 0;
    SYSTEMTIME st = {};
    if (l.year < 1601 || l.year > 30827)
        return 0;
    st.wYear = (WORD)l.year;
    st.wMonth = (WORD)l.month;
    st.wDay = (WORD)l.day;
    st.wHour = (WORD)l.hour;
    st.wMinute = (WORD)l.minute;
    st.wSecond = (WORD)l.second;
    FILETIME local;
    FILETIME utc;
    // The inverse of FileTimeToLocalFileTime, which Plat_ToLocalTime shows files with.
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return 0;
    int64_t ticks = (int64_t)(((uint64_t)utc.dwHighDateTime << 32) | utc.dwLowDateTime);
    *seconds = ticks / kTicksPerSecond - kSecondsFrom1601To1970;
    return 1;
}

void Plat_Now(PlatLocalTime* out) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    out->year = st.wYear;
    out->month = st.wMonth;
    out->day = st.wDay;
    out->hour = st.wHour;
    out->minute = st.wMinute;
    out->second = st.wSecond;
}

int64_t Win_SecondsFromFileTime(const FILETIME& ft) {
    int64_t ticks = (int64_t)(((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
    return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
}
