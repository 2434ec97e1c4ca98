// The platform seam for the native build (tests, fuzzing, benchmarks on Linux).
#include "platform.h"
#include "platform_common.h"
#include "platform_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

constexpr off_t kRandomReadsFrom = 1 << 20;

struct PlatFile {
    int fd;             // -1 for the file served from memory
    const char* memory; // its bytes (st describes it), or null for a file of the system's
    int64_t position;   // where the next read begins
    bool described;     // st holds the file as it was when it was opened
    bool plain;         // a plain file, by st or by the listing it came from
    struct stat st;
};

// The file tests serve from memory (Plat_ServeFromMemoryForTests), described as a plain file
// that may be written, last written at a fixed time so that runs over it repeat exactly.
namespace {
struct MemoryFile {
    std::string path;
    const char* bytes; // null: no file is served
    struct stat st;
};
MemoryFile gMemoryFile;
constexpr time_t kMemoryFileTime = 946728000; // 2000-01-01 12:00 UTC
} // namespace

void Plat_ServeFromMemoryForTests(const char* path, const void* bytes, int64_t size) {
    gMemoryFile.bytes = bytes && path ? (const char*)bytes : nullptr;
    gMemoryFile.path = gMemoryFile.bytes ? path : "";
    memset(&gMemoryFile.st, 0, sizeof gMemoryFile.st);
    gMemoryFile.st.st_mode = S_IFREG | 0600;
    gMemoryFile.st.st_size = (off_t)size;
    gMemoryFile.st.st_mtime = kMemoryFileTime;
}

static bool ServedFromMemory(const char* path) {
    return gMemoryFile.bytes && gMemoryFile.path == path;
}

// The record of a file just opened as fd (closed when there is no memory for it); st, when
// given, describes it as it was at the opening.
static PlatFile* WrapOpened(int fd, const struct stat* st, bool plain) {
    PlatFile* file = (PlatFile*)malloc(sizeof(PlatFile));
    if (!file) {
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    file->fd = fd;
    file->memory = nullptr;
    file->position = 0;
    file->described = st != nullptr;
    file->plain = plain;
    if (st)
        file->st = *st;
    return file;
}

// The served file opened: it is always described, as the system describes a plain file.
static PlatFile* OpenFromMemory() {
    PlatFile* file = WrapOpened(-1, &gMemoryFile.st, true);
    if (file)
        file->memory = gMemoryFile.bytes;
    return file;
}

// What the system says of an open file now: a plain file on disk may have grown since.
static int DescribeOpen(const PlatFile* file, struct stat* st) {
    if (file->memory) {
        *st = file->st;
        return 0;
    }
    return fstat(file->fd, st);
}

PlatFile* Plat_OpenRead(const char* path) {
    if (ServedFromMemory(path))
        return OpenFromMemory();
    int fd = Posix_OpenInScannedDirectory(path, O_RDONLY | O_CLOEXEC);
    if (fd == -2)
        fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    // A large file is read a block here and a block there as the view jumps; a small one is
    // read through, as the system expects anyway.
    if (st.st_size > kRandomReadsFrom)
        posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    return WrapOpened(fd, &st, S_ISREG(st.st_mode));
}

PlatFile* Plat_OpenListedFile(const char* path) {
    if (ServedFromMemory(path))
        return OpenFromMemory();
    int fd = Posix_OpenInScannedDirectory(path, O_RDONLY | O_CLOEXEC);
    if (fd == -2)
        fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return WrapOpened(fd, nullptr, true);
}

int Plat_ShortReadEnds(const PlatFile* file) {
    return file->plain ? 1 : 0;
}

int Plat_Seek(PlatFile* file, int64_t offset) {
    if (offset < 0)
        return 0;
    if (offset != file->position) {
        if (file->memory) { // a seek past the end succeeds, as lseek's does; reads there get 0
            file->position = offset;
            return 1;
        }
        if (lseek(file->fd, (off_t)offset, SEEK_SET) != (off_t)offset) {
            file->position = -1; // unknown: the next seek asks the system
            return 0;
        }
        file->position = offset;
    }
    return 1;
}

int64_t Plat_Read(PlatFile* file, void* dest, int64_t count) {
    if (file->memory) {
        const int64_t left = (int64_t)file->st.st_size - file->position;
        const int64_t got = count < left ? count : left > 0 ? left : 0;
        if (got > 0)
            memcpy(dest, file->memory + file->position, (size_t)got);
        file->position += got;
        return got;
    }
    ssize_t got;
    do {
        got = read(file->fd, dest, (size_t)count);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        file->position = -1;
        return -1;
    }
    if (file->position >= 0)
        file->position += got;
    return (int64_t)got;
}

void Plat_Close(PlatFile* file) {
    if (file) {
        if (file->fd >= 0)
            close(file->fd);
        free(file);
    }
}

int64_t Plat_EndAtOpen(const PlatFile* file) {
    // A plain file's size is where a read stops; what the system shows as a file under /proc
    // or /sys (or a device, a pipe) may read longer or shorter than its size says.
    if (!file->described || !S_ISREG(file->st.st_mode) || file->st.st_size <= 0)
        return -1;
    return (int64_t)file->st.st_size;
}

int64_t Plat_FileSize(PlatFile* file) {
    struct stat st;
    if (DescribeOpen(file, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return -1;
    return (int64_t)st.st_size;
}

namespace {

void InfoOfStat(const struct stat& st, const char* path, PlatFileInfo* info) {
    info->size = (int64_t)st.st_size;
    info->lastWrite = (int64_t)st.st_mtime;
    info->attributes = 0;
    // As the directory enumeration describes it: a plain file carries the archive bit.
    if (S_ISDIR(st.st_mode))
        info->attributes |= kPlatAttrDirectory;
    else
        info->attributes |= kPlatAttrArchive;
    if (!(st.st_mode & S_IWUSR))
        info->attributes |= kPlatAttrReadOnly;
    const char* base = strrchr(path, '/');
    base = base ? base + 1 : path;
    if (base[0] == '.' && base[1] && strcmp(base, "..") != 0)
        info->attributes |= kPlatAttrHidden;
}

} // namespace

int Plat_GetFileInfo(const char* path, PlatFileInfo* info) {
    struct stat st;
    if (ServedFromMemory(path))
        st = gMemoryFile.st;
    else if (stat(path, &st) != 0)
        return 0;
    InfoOfStat(st, path, info);
    return 1;
}

int Plat_GetOpenFileInfo(PlatFile* file, const char* path, PlatFileInfo* info) {
    if (!file->described) {
        if (fstat(file->fd, &file->st) != 0)
            return 0;
        file->described = true;
    }
    InfoOfStat(file->st, path, info);
    return 1;
}

void* Plat_AllocPages(uint64_t size) {
    if (!Common_PagesAllowed(size))
        return nullptr;
    void* block = mmap(nullptr, (size_t)size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void Plat_FreePages(void* block, uint64_t size) {
    if (block)
        munmap(block, (size_t)size);
}

namespace {
bool gRefuseFileViews = false; // set by tests
} // namespace

void Plat_RefuseFileViewsForTests(int refuse) {
    gRefuseFileViews = refuse != 0;
}

struct PlatFileView {
    void* base; // the mapping; null for a stretch of the file served from memory
    size_t length;
};

PlatFileView* Plat_MapFileView(PlatFile* file, int64_t offset, int64_t count, const char** bytes) {
    // A byte of the mapping past the file's end would stop the program: the file must hold the
    // whole stretch now.
    struct stat st;
    if (gRefuseFileViews || offset < 0 || count <= 0 || DescribeOpen(file, &st) != 0 ||
        !S_ISREG(st.st_mode) || count > (int64_t)st.st_size - offset)
        return nullptr;
    const int64_t page = (int64_t)sysconf(_SC_PAGESIZE);
    const int64_t start = page > 0 ? offset - offset % page : offset;
    const uint64_t length = (uint64_t)(offset - start + count);
    if (!Common_PagesAllowed(length))
        return nullptr;
    PlatFileView* view = (PlatFileView*)malloc(sizeof(PlatFileView));
    if (!view)
        return nullptr;
    view->length = (size_t)length;
    if (file->memory) { // the served bytes themselves, under the same limits as a mapping
        view->base = nullptr;
        *bytes = file->memory + offset;
        return view;
    }
    // The pages are entered at once: a walk reads every one, and a fault for each costs more.
    view->base = mmap(nullptr, view->length, PROT_READ, MAP_SHARED | MAP_POPULATE, file->fd,
                      (off_t)start);
    if (view->base == MAP_FAILED) {
        free(view);
        return nullptr;
    }
    *bytes = (const char*)view->base + (offset - start);
    return view;
}

void Plat_UnmapFileView(PlatFileView* view) {
    if (view) {
        if (view->base)
            munmap(view->base, view->length);
        free(view);
    }
}

// The native build has no Windows directory: its profile lives in memory for the process, each
// section's keys in the order they were first written, as in a profile file.
namespace {
struct ProfileEntry {
    std::string key;
    std::string value;
};

std::map<std::string, std::vector<ProfileEntry>>& Profile() {
    static std::map<std::string, std::vector<ProfileEntry>> profile;
    return profile;
}

bool gProfileWritesFail = false;
std::string gWindowsDir;
uint32_t gLogicalDrives = 1u << 2; // C:

// Profile names compare case-blind.
std::string Lower(const char* name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return lower;
}

ProfileEntry* FindEntry(std::vector<ProfileEntry>& entries, const char* key) {
    for (ProfileEntry& entry : entries)
        if (Lower(entry.key.c_str()) == Lower(key))
            return &entry;
    return nullptr;
}

int CopyCut(const std::string& value, char* dest, int destSize) {
    size_t length = value.size() < (size_t)destSize - 1 ? value.size() : (size_t)destSize - 1;
    memcpy(dest, value.data(), length);
    dest[length] = 0;
    return (int)length;
}
} // namespace

int Plat_GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    auto it = Profile().find(Lower(section));
    if (!key) { // the section's keys, each ending in a zero, and one more zero after the last
        std::string keys;
        if (it != Profile().end())
            for (const ProfileEntry& entry : it->second)
                keys += entry.key + '\0';
        if (destSize < 2) {
            dest[0] = 0;
            return 0;
        }
        int length = CopyCut(keys, dest, destSize - 1);
        dest[length + 1] = 0;
        return length;
    }
    const ProfileEntry* entry = it != Profile().end() ? FindEntry(it->second, key) : nullptr;
    return CopyCut(entry ? entry->value : std::string(defaultValue), dest, destSize);
}

int Plat_WriteProfileString(const char* section, const char* key, const char* value) {
    if (gProfileWritesFail)
        return 0;
    std::vector<ProfileEntry>& entries = Profile()[Lower(section)];
    ProfileEntry* entry = key ? FindEntry(entries, key) : nullptr;
    if (!key)
        Profile().erase(Lower(section));
    else if (!value && entry)
        entries.erase(entries.begin() + (entry - entries.data()));
    else if (value && entry)
        entry->value = value;
    else if (value)
        entries.push_back({key, value});
    return 1;
}

void Plat_ResetProfileForTests() {
    Profile().clear();
}

void Plat_FailProfileWritesForTests(int fail) {
    gProfileWritesFail = fail != 0;
}

int Plat_GetWindowsDir(char* dest, int destSize) {
    size_t length = gWindowsDir.size();
    if (destSize <= 0 || length == 0 || length >= (size_t)destSize)
        return 0;
    memcpy(dest, gWindowsDir.c_str(), length + 1);
    return (int)length;
}

void Plat_SetWindowsDirForTests(const char* dir) {
    gWindowsDir = dir ? dir : "";
}

int Plat_CopyFileIfAbsent(const char* from, const char* to) {
    int in = open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return 0;
    // O_EXCL: a file already there is never overwritten.
    int out = open(to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        close(in);
        return 0;
    }
    char buffer[8192];
    ssize_t got;
    int ok = 1;
    while (ok && (got = read(in, buffer, sizeof buffer)) != 0) {
        if (got < 0) {
            ok = errno == EINTR;
            continue;
        }
        ok = write(out, buffer, (size_t)got) == got;
    }
    close(in);
    if (close(out) != 0)
        ok = 0;
    if (!ok)
        unlink(to);
    return ok;
}

uint32_t Plat_LogicalDrives() {
    return gLogicalDrives;
}

void Plat_SetLogicalDrivesForTests(uint32_t mask) {
    gLogicalDrives = mask;
}

int Plat_ToLocalTime(int64_t seconds, PlatLocalTime* out) {
    memset(out, 0, sizeof *out);
    time_t t = (time_t)seconds;
    if ((int64_t)t != seconds)
        return 0;
    struct tm tm;
    if (!localtime_r(&t, &tm))
        return 0;
    out->year = tm.tm_year + 1900;
    out->month = tm.tm_mon + 1;
    out->day = tm.tm_mday;
    out->hour = tm.tm_hour;
    out->minute = tm.tm_min;
    out->second = tm.tm_sec;
    return 1;
}

int Plat_FromLocalTime(const PlatLocalTime& l, int64_t* seconds) {
    *seconds = 0;
    struct tm tm = {};
    tm.tm_year = l.year - 1900;
    tm.tm_mon = l.month - 1;
    tm.tm_mday = l.day;
    tm.tm_hour = l.hour;
    tm.tm_min = l.minute;
    tm.tm_sec = l.second;
    tm.tm_isdst = -1;
    errno = 0;
    time_t t = mktime(&tm);
    if (t == (time_t)-1 && errno != 0)
        return 0;
    *seconds = (int64_t)t;
    return 1;
}

void Plat_Now(PlatLocalTime* out) {
    Plat_ToLocalTime((int64_t)time(nullptr), out);
}
