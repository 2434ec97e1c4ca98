// Writing a file whole under Windows: a new file beside the target, flushed, then put in the
// target's place by ReplaceFile (or MoveFileEx where the target is new or cannot be replaced).
// Once the old file has been moved aside, the new one is never removed: it may be the only copy.
#include <windows.h>

#include <string.h>

#include "platform.h"
#include "platform_common.h"

namespace {

constexpr DWORD kMaxWritePerCall = 1u << 30;
int gFailSteps = 0; // kPlatFail* bits

// The folder part of a path, with its separator ("." for a bare name).
void FolderOf(const char* path, char* dest, int destSize) {
    const char* cut = nullptr;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            cut = p;
    if (!cut) {
        lstrcpynA(dest, ".", destSize);
        return;
    }
    const int length = (int)(cut - path) + 1;
    lstrcpynA(dest, path, length + 1 < destSize ? length + 1 : destSize);
}

// ReplaceFile moves the old file to the backup name, then renames the new file to target's.
bool Replace(const char* target, const char* replacement, const char* backup) {
    if (gFailSteps & kPlatFailBeforeMove)
        return false;
    if (gFailSteps & kPlatFailAfterMove) {
        MoveFileExA(target, backup, 0);
        return false;
    }
    return ReplaceFileA(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != 0;
}

bool Rename(const char* from, const char* to, DWORD flags, int step) {
    return !(gFailSteps & step) && MoveFileExA(from, to, flags | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

struct PlatNewFile {
    HANDLE handle;
    int64_t written;
    char path[MAX_PATH];
};

PlatNewFile* Plat_CreateBeside(const char* target) {
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            return nullptr;
        // A file another program holds, or that the user may not change, is refused before any
        // new file is made; opening it for writing without truncating leaves it untouched.
        HANDLE probe = CreateFileA(target, GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            return nullptr;
        CloseHandle(probe);
    }
    char folder[MAX_PATH];
    FolderOf(target, folder, sizeof folder);
    PlatNewFile* file =
        (PlatNewFile*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PlatNewFile));
    if (!file)
        return nullptr;
    // On the target's own disk, so that taking its place is a rename, whole or not at all.
    if (!GetTempFileNameA(folder, "ORV", 0, file->path)) {
        HeapFree(GetProcessHeap(), 0, file);
        return nullptr;
    }
    file->handle = CreateFileA(file->path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file->handle == INVALID_HANDLE_VALUE) {
        DeleteFileA(file->path);
        HeapFree(GetProcessHeap(), 0, file);
        return nullptr;
    }
    return file;
}

int64_t Plat_WriteNew(PlatNewFile* file, const void* bytes, int64_t count) {
    count = Common_WriteRoom(file->written, count);
    int64_t done = 0;
    while (done < count) {
        const int64_t left = count - done;
        const DWORD want = left > (int64_t)kMaxWritePerCall ? kMaxWritePerCall : (DWORD)left;
        DWORD wrote = 0;
        if (!WriteFile(file->handle, (const char*)bytes + done, want, &wrote, nullptr))
            return done > 0 ? done : -1;
        done += wrote;
        file->written += wrote;
        if (wrote < want)
            break; // the disk is full
    }
    return done;
}

int Plat_FlushNew(PlatNewFile* file) {
    return FlushFileBuffers(file->handle) ? 1 : 0;
}

int Plat_CommitNew(PlatNewFile* file, const char* target, PlatCommitLeft* left) {
    left->newFile[0] = left->oldFile[0] = 0;
    const bool closed = CloseHandle(file->handle) != 0;
    const DWORD attributes = GetFileAttributesA(target);
    // The old file goes to a backup name of our own: should the replace stop part-way, we know
    // where it is (without one, ReplaceFile may leave it under a name of the system's choosing).
    // ReplaceFile wants the name free.
    char backup[MAX_PATH] = "";
    bool placed = false;
    if (closed && attributes != INVALID_FILE_ATTRIBUTES) {
        char folder[MAX_PATH];
        FolderOf(target, folder, sizeof folder);
        if (GetTempFileNameA(folder, "ORV", 0, backup) && DeleteFileA(backup))
            placed = Replace(target, file->path, backup);
        else
            backup[0] = 0;
    }
    bool moved = false; // the old file is no longer under target's name
    if (closed && !placed) {
        moved = backup[0] && GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES;
        placed = Rename(file->path, target, MOVEFILE_REPLACE_EXISTING, kPlatFailFallback);
    }
    int result = placed ? 1 : 0;
    if (placed && attributes != INVALID_FILE_ATTRIBUTES) {
        // The file is the user's as before (hidden, system); it has changed since its backup.
        SetFileAttributesA(target, (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
                                       FILE_ATTRIBUTE_ARCHIVE);
    }
    if (moved && !placed) {
        lstrcpynA(left->newFile, file->path, sizeof left->newFile);
        if (!Rename(backup, target, 0, kPlatFailRenameBack) &&
            GetFileAttributesA(backup) != INVALID_FILE_ATTRIBUTES)
            lstrcpynA(left->oldFile, backup, sizeof left->oldFile);
        result = -1;
    } else {
        // The old file is under target's name or replaced: the backup holds nothing to keep.
        if (backup[0])
            DeleteFileA(backup);
        if (!placed)
            DeleteFileA(file->path);
    }
    HeapFree(GetProcessHeap(), 0, file);
    return result;
}

void Plat_DiscardNew(PlatNewFile* file) {
    if (!file)
        return;
    CloseHandle(file->handle);
    DeleteFileA(file->path);
    HeapFree(GetProcessHeap(), 0, file);
}

void Plat_FailCommitForTests(int steps) {
    gFailSteps = steps;
}
