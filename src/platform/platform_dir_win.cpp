// Directories and drives for ORV32.EXE: the FindFirstFile family, the drive and volume calls
// and the network connection of a drive letter.
#include <windows.h>
#include <winnetwk.h>

#include <stdio.h>
#include <string.h>

#include "platform.h"
#include "platform_common.h"
#include "platform_win.h"

struct PlatDirScan {
    HANDLE handle;
    bool directoriesOnly;
    PlatNameTest test;
};

namespace {

bool gLeaveOutShortNames = false;

// The name ORV knows an entry by: the system's own when the ANSI code page holds it, so that
// it converts there and back unchanged; else its short name, which names the same file to
// every call; else the name with a "?" for each character the code page lacks, marked
// kPlatAttrUnusableName (such a name would be a mask, naming other files).
struct EntryName {
    char text[kPlatNameMax];
    uint32_t mark; // 0 or kPlatAttrUnusableName
};

// True, with dest filled, when the name converts to the ANSI code page and back unchanged:
// the system's own conversion would otherwise put "?" or a look-alike letter in its place.
bool ConvertsExactly(const wchar_t* wide, char* dest, int destSize) {
    // Most names are ASCII: they are copied as they are, without asking the system.
    int i = 0;
    while (wide[i] && wide[i] < 0x80 && i < destSize - 1) {
        dest[i] = (char)wide[i];
        i++;
    }
    if (!wide[i]) {
        dest[i] = 0;
        return true;
    }
    wchar_t back[kPlatNameMax];
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, dest, destSize, NULL, NULL) > 0 &&
           MultiByteToWideChar(CP_ACP, 0, dest, -1, back, kPlatNameMax) > 0 &&
           wcscmp(back, wide) == 0;
}

// The name as it can be shown, with "?" for what the code page lacks and no look-alike letter
// (which could name another file); every such name holds a "?".
void ShownWithMarks(const wchar_t* wide, char* dest, int destSize) {
    const UINT codePage = GetACP();
    const bool utf8 = codePage == CP_UTF8; // takes neither of the flags below
    int n = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, dest, destSize,
                                utf8 ? NULL : "?", NULL);
    if (n > 0 && strchr(dest, '?'))
        return;
    int i = 0;
    for (; wide[i] && i < destSize - 1; i++)
        dest[i] = wide[i] < 0x80 ? (char)wide[i] : '?';
    dest[i] = 0;
}

void NameOf(const WIN32_FIND_DATAW& data, EntryName* name) {
    name->mark = 0;
    if (ConvertsExactly(data.cFileName, name->text, sizeof name->text))
        return;
    if (!gLeaveOutShortNames && data.cAlternateFileName[0] &&
        ConvertsExactly(data.cAlternateFileName, name->text, sizeof name->text))
        return;
    ShownWithMarks(data.cFileName, name->text, sizeof name->text);
    name->mark = kPlatAttrUnusableName;
}

void Describe(const WIN32_FIND_DATAW& data, const EntryName& name, PlatDirEntry* entry) {
    // Names are copied by hand: a formatted copy costs more than the rest of a large folder's
    // enumeration.
    const size_t length = strnlen(name.text, sizeof entry->name - 1);
    memcpy(entry->name, name.text, length);
    entry->name[length] = 0;
    entry->attributes = data.dwFileAttributes | name.mark;
    entry->size = (int64_t)(((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow);
    entry->lastWrite = Win_SecondsFromFileTime(data.ftLastWriteTime);
}

int LastError() {
    DWORD error = GetLastError();
    return error ? (int)error : kPlatErrAccessDenied;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "c:" and the like at the start of a path.
bool HasDriveLetter(const char* path) {
    return (path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z' && path[1] == ':';
}

// Wine shows a Unix symbolic link to a directory as a directory reparse point, but every Win32
// deletion goes through such a link to what it points to.
bool RunningUnderWine() {
    static const bool wine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

} // namespace

namespace {

// The system may hand over files too despite the hint (it is advisory): they are passed over.
bool Wanted(const PlatDirScan& scan, const WIN32_FIND_DATAW& data, EntryName* name) {
    const bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (scan.directoriesOnly && !directory)
        return false;
    NameOf(data, name);
    return !scan.test.admits ||
           scan.test.admits(scan.test.context, name->text,
                            directory ? kPlatKindDirectory : kPlatKindFile);
}

} // namespace

PlatDirScan* Half_FindFirst(const char* pattern, bool directoriesOnly, const PlatNameTest& test,
                            PlatDirEntry* entry, int* error) {
    // The wide calls: the ANSI ones give a name the code page cannot hold with "?" in it, and
    // no way to tell such a name from a mask.
    wchar_t widePattern[2 * kPlatNameMax + 8];
    if (!MultiByteToWideChar(CP_ACP, 0, pattern, -1, widePattern, 2 * kPlatNameMax + 8)) {
        *error = kPlatErrPathNotFound;
        return nullptr;
    }
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileExW(
        widePattern, FindExInfoStandard, &data,
        directoriesOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, NULL, 0);
    if (handle == INVALID_HANDLE_VALUE) {
        *error = LastError();
        return nullptr;
    }
    PlatDirScan* scan = new PlatDirScan{handle, directoriesOnly, test};
    // The test is asked once an entry: it may keep what it learns of the entry it admits.
    EntryName name;
    if (Wanted(*scan, data, &name)) {
        Describe(data, name, entry);
    } else if (!Plat_FindNext(scan, entry)) {
        Plat_FindClose(scan);
        *error = kPlatErrFileNotFound;
        return nullptr;
    }
    *error = 0;
    return scan;
}

int Plat_FindNext(PlatDirScan* scan, PlatDirEntry* entry) {
    WIN32_FIND_DATAW data;
    EntryName name;
    do {
        if (!FindNextFileW(scan->handle, &data))
            return 0;
    } while (!Wanted(*scan, data, &name));
    Describe(data, name, entry);
    return 1;
}

void Plat_LeaveOutShortNamesForTests(int leaveOut) {
    gLeaveOutShortNames = leaveOut != 0;
}

void Plat_FindClose(PlatDirScan* scan) {
    if (scan) {
        FindClose(scan->handle);
        delete scan;
    }
}

int Plat_DeleteFile(const char* path) {
    return DeleteFileA(path) ? 0 : LastError();
}

// RemoveDirectory takes a junction or directory link away as the link; what it points to stays.
// Under Wine it would remove the (empty) directory the link points to instead, so a link is
// refused there and stays.
int Plat_RemoveDir(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        RunningUnderWine())
        return ERROR_NOT_SUPPORTED;
    return RemoveDirectoryA(path) ? 0 : LastError();
}

int Plat_SetReadOnly(const char* path, bool readOnly) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastError();
    attributes = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                          : attributes & ~(DWORD)FILE_ATTRIBUTE_READONLY;
    return SetFileAttributesA(path, attributes) ? 0 : LastError();
}

int Plat_ErrorText(int error, char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                  (DWORD)error, 0, dest, (DWORD)destSize, NULL);
    if (length == 0 || length >= (DWORD)destSize) {
        dest[0] = 0;
        return 0;
    }
    // The message table's texts end in a line break.
    while (length > 0 && (dest[length - 1] == '\r' || dest[length - 1] == '\n' ||
                          dest[length - 1] == ' '))
        dest[--length] = 0;
    return (int)length;
}

bool Plat_IsAbsolutePath(const char* path) {
    return (HasDriveLetter(path) && IsSeparator(path[2])) ||
           (IsSeparator(path[0]) && IsSeparator(path[1]));
}

int Plat_DriveRoot(const char* path, char* dest, int destSize) {
    if (HasDriveLetter(path)) {
        if (destSize < 4)
            return 0;
        snprintf(dest, (size_t)destSize, "%c:\\", path[0]);
        return 3;
    }
    if (!(IsSeparator(path[0]) && IsSeparator(path[1])))
        return 0;
    // \\server\share\ : the root of a network path.
    const char* p = path + 2;
    int separators = 0;
    while (*p && separators < 2) {
        if (IsSeparator(*p))
            separators++;
        p++;
    }
    int length = (int)(p - path);
    if (separators < 2) {
        if (length + 1 >= destSize)
            return 0;
        snprintf(dest, (size_t)destSize, "%s\\", path);
        return length + 1;
    }
    if (length >= destSize)
        return 0;
    memcpy(dest, path, (size_t)length);
    dest[length] = 0;
    return length;
}

int Plat_GetCurrentDir(char drive, char* dest, int destSize) {
    DWORD length;
    if (drive) {
        // "X:" alone is the current directory of drive X.
        char spec[3] = {drive, ':', 0};
        char* name = nullptr;
        length = GetFullPathNameA(spec, (DWORD)destSize, dest, &name);
    } else {
        length = GetCurrentDirectoryA((DWORD)destSize, dest);
    }
    if (length == 0 || length >= (DWORD)destSize)
        return 0;
    // GetFullPathName of "X:" may end in a separator (Wine's does); only a root keeps one.
    while (length > 3 && IsSeparator(dest[length - 1]))
        dest[--length] = 0;
    return (int)length;
}

int Plat_SetCurrentDir(const char* path) {
    return SetCurrentDirectoryA(path) ? 0 : LastError();
}

PlatDriveType Plat_DriveType(const char* root) {
    return (PlatDriveType)GetDriveTypeA(root);
}

int Plat_VolumeInfo(const char* root, char* label, int labelSize, char* fileSystem,
                    int fileSystemSize) {
    char name[MAX_PATH + 1] = "";
    char system[MAX_PATH + 1] = "";
    // No "drive not ready" box from the system for an empty floppy or CD drive.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL read = GetVolumeInformationA(root, name, sizeof name, NULL, NULL, NULL, system,
                                      sizeof system);
    SetErrorMode(oldMode);
    if (!read)
        return 0;
    if (labelSize > 0)
        snprintf(label, (size_t)labelSize, "%s", name);
    if (fileSystemSize > 0)
        snprintf(fileSystem, (size_t)fileSystemSize, "%s", system);
    return 1;
}

int Plat_RemoteName(char drive, char* dest, int destSize) {
    char local[3] = {drive, ':', 0};
    DWORD size = (DWORD)destSize;
    if (destSize <= 0 || WNetGetConnectionA(local, dest, &size) != NO_ERROR)
        return 0;
    return (int)strlen(dest);
}

int Plat_DiskSpace(const char* root, uint64_t* freeBytes, uint64_t* totalBytes) {
    ULARGE_INTEGER available, total;
    if (!GetDiskFreeSpaceExA(root, &available, &total, NULL))
        return 0;
    *freeBytes = available.QuadPart;
    *totalBytes = total.QuadPart;
    return 1;
}
