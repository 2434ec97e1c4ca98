// Directories and drives for the native build: enough of a Windows file system over POSIX for
// the core's tests on real temporary directories. There is one drive, "/"; names that start
// with "." are hidden, and a file without write permission is read-only.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <string>

#include "platform.h"
#include "platform_common.h"
#include "platform_posix.h"

struct PlatDirScan {
    DIR* dir;
    std::string mask;
    bool directoriesOnly;
    PlatNameTest test;
    std::string folder; // as the pattern named it, with its separator
};

namespace {

PlatDirScan* gNewestScan; // the enumeration opened last and still open

int ErrorOf(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return kPlatErrPathNotFound;
    case ENOTEMPTY:
    case EEXIST:
        return kPlatErrDirNotEmpty;
    default:
        return kPlatErrAccessDenied;
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

// The system's mask matching, case-blind: "*" any run, "?" any one character; "*.*" matches a
// name without a dot too.
bool MaskMatches(const char* mask, const char* name) {
    if (strcmp(mask, "*.*") == 0 || strcmp(mask, "*") == 0)
        return true;
    const char* starMask = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*mask == '*') {
            starMask = ++mask;
            starName = name;
        } else if (*mask && (*mask == '?' || Lower(*mask) == Lower(*name))) {
            mask++;
            name++;
        } else if (starMask) {
            mask = starMask;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*mask == '*')
        mask++;
    return *mask == 0;
}

// at is the folder's descriptor: a stat relative to it spares the walk of the whole path.
bool Describe(int at, const char* name, PlatDirEntry* entry) {
    struct stat st;
    if (fstatat(at, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    const size_t length = strnlen(name, sizeof entry->name - 1);
    memcpy(entry->name, name, length);
    entry->name[length] = 0;
    entry->attributes = 0;
    entry->size = 0;
    entry->lastWrite = st.st_mtime;
    if (S_ISLNK(st.st_mode)) {
        // As Windows shows a link: a directory when it points to one, never its target's size.
        entry->attributes |= kPlatAttrLink;
        struct stat target;
        if (fstatat(at, name, &target, 0) == 0 && S_ISDIR(target.st_mode))
            entry->attributes |= kPlatAttrDirectory;
    } else if (S_ISDIR(st.st_mode)) {
        entry->attributes |= kPlatAttrDirectory;
    } else {
        entry->size = st.st_size;
        entry->attributes |= kPlatAttrArchive;
    }
    if (!(st.st_mode & S_IWUSR))
        entry->attributes |= kPlatAttrReadOnly;
    if (name[0] == '.' && strcmp(name, ".") != 0 && strcmp(name, "..") != 0)
        entry->attributes |= kPlatAttrHidden;
    return true;
}

// A plain file by its name: what the name says of it (hidden), the rest left to its opener.
void NameOnly(const char* name, PlatDirEntry* entry) {
    const size_t length = strnlen(name, sizeof entry->name - 1);
    memcpy(entry->name, name, length);
    entry->name[length] = 0;
    entry->size = 0;
    entry->lastWrite = 0;
    entry->attributes = kPlatAttrArchive | kPlatAttrUndescribed;
    if (name[0] == '.')
        entry->attributes |= kPlatAttrHidden;
}

bool NextMatch(PlatDirScan* scan, PlatDirEntry* entry) {
    while (struct dirent* d = readdir(scan->dir)) {
        // The entry's type from the directory itself spares a file's stat when only
        // directories are wanted (a link or an unknown type is looked at).
        if (scan->directoriesOnly && d->d_type != DT_DIR && d->d_type != DT_LNK &&
            d->d_type != DT_UNKNOWN)
            continue;
        const PlatEntryKind kind = d->d_type == DT_REG   ? kPlatKindFile
                                   : d->d_type == DT_DIR ? kPlatKindDirectory
                                                         : kPlatKindUnknown;
        if (!MaskMatches(scan->mask.c_str(), d->d_name) ||
            (scan->test.admits && !scan->test.admits(scan->test.context, d->d_name, kind)))
            continue;
        if (kind == kPlatKindFile && scan->test.filesUndescribed) {
            NameOnly(d->d_name, entry);
            return true;
        }
        if (Describe(dirfd(scan->dir), d->d_name, entry) &&
            (!scan->directoriesOnly || (entry->attributes & kPlatAttrDirectory)))
            return true;
    }
    return false;
}

} // namespace

PlatDirScan* Half_FindFirst(const char* pattern, bool directoriesOnly, const PlatNameTest& test,
                            PlatDirEntry* entry, int* error) {
    const char* slash = strrchr(pattern, '/');
    std::string folder = slash ? std::string(pattern, (size_t)(slash - pattern + 1)) : "./";
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        *error = ErrorOf(errno);
        return nullptr;
    }
    PlatDirScan* scan =
        new PlatDirScan{dir, slash ? slash + 1 : pattern, directoriesOnly, test, folder};
    gNewestScan = scan;
    if (!NextMatch(scan, entry)) {
        Plat_FindClose(scan);
        *error = kPlatErrFileNotFound;
        return nullptr;
    }
    *error = 0;
    return scan;
}

void Plat_LeaveOutShortNamesForTests(int) {}

int Plat_FindNext(PlatDirScan* scan, PlatDirEntry* entry) {
    return NextMatch(scan, entry) ? 1 : 0;
}

void Plat_FindClose(PlatDirScan* scan) {
    if (scan) {
        if (scan == gNewestScan)
            gNewestScan = nullptr;
        closedir(scan->dir);
        delete scan;
    }
}

int Posix_OpenInScannedDirectory(const char* path, int flags) {
    const PlatDirScan* scan = gNewestScan;
    if (!scan)
        return -2;
    const size_t n = scan->folder.size();
    const char* name = path + n;
    if (strncmp(path, scan->folder.c_str(), n) != 0 || !*name || strchr(name, '/') ||
        strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return -2;
    return openat(dirfd(scan->dir), name, flags);
}

int Plat_DeleteFile(const char* path) {
    struct stat st;
    if (lstat(path, &st) == 0 && S_ISDIR(st.st_mode))
        return kPlatErrAccessDenied;
    // Windows refuses to delete a read-only file; so does ORV's stand-in.
    if (lstat(path, &st) == 0 && !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        return kPlatErrAccessDenied;
    return unlink(path) == 0 ? 0 : (errno == ENOENT ? kPlatErrFileNotFound : ErrorOf(errno));
}

int Plat_RemoveDir(const char* path) {
    struct stat st;
    if (lstat(path, &st) == 0 && S_ISLNK(st.st_mode))
        return unlink(path) == 0 ? 0 : ErrorOf(errno);
    return rmdir(path) == 0 ? 0 : ErrorOf(errno);
}

int Plat_SetReadOnly(const char* path, bool readOnly) {
    struct stat st;
    if (stat(path, &st) != 0)
        return ErrorOf(errno);
    mode_t mode = readOnly ? st.st_mode & ~(mode_t)(S_IWUSR | S_IWGRP | S_IWOTH)
                           : st.st_mode | S_IWUSR;
    return chmod(path, mode) == 0 ? 0 : ErrorOf(errno);
}

// The native build has no message table: the C library's words for the numbers it reports.
int Plat_ErrorText(int error, char* dest, int destSize) {
    int err = 0;
    switch (error) {
    case kPlatErrFileNotFound:
    case kPlatErrPathNotFound:
        err = ENOENT;
        break;
    case kPlatErrAccessDenied:
        err = EACCES;
        break;
    case kPlatErrDirNotEmpty:
        err = ENOTEMPTY;
        break;
    }
    if (!err || destSize <= 0)
        return 0;
    int length = snprintf(dest, (size_t)destSize, "%s", strerror(err));
    return length < destSize ? length : destSize - 1;
}

bool Plat_IsAbsolutePath(const char* path) {
    return path[0] == '/';
}

int Plat_DriveRoot(const char* path, char* dest, int destSize) {
    if (path[0] != '/' || destSize < 2)
        return 0;
    snprintf(dest, (size_t)destSize, "/");
    return 1;
}

int Plat_GetCurrentDir(char drive, char* dest, int destSize) {
    if (!getcwd(dest, (size_t)destSize))
        return 0;
    return (int)strlen(dest);
}

int Plat_SetCurrentDir(const char* path) {
    return chdir(path) == 0 ? 0 : ErrorOf(errno);
}

PlatDriveType Plat_DriveType(const char* root) {
    struct stat st;
    return stat(root, &st) == 0 ? kPlatDriveFixed : kPlatDriveNoRoot;
}

int Plat_VolumeInfo(const char* root, char* label, int labelSize, char* fileSystem,
                    int fileSystemSize) {
    struct statvfs vfs;
    if (statvfs(root, &vfs) != 0)
        return 0;
    if (labelSize > 0)
        label[0] = 0;
    if (fileSystemSize > 0)
        snprintf(fileSystem, (size_t)fileSystemSize, "POSIX");
    return 1;
}

int Plat_RemoteName(char drive, char* dest, int destSize) {
    return 0;
}

int Plat_DiskSpace(const char* root, uint64_t* freeBytes, uint64_t* totalBytes) {
    struct statvfs vfs;
    if (statvfs(root, &vfs) != 0)
        return 0;
    *freeBytes = (uint64_t)vfs.f_bavail * vfs.f_frsize;
    *totalBytes = (uint64_t)vfs.f_blocks * vfs.f_frsize;
    return 1;
}
