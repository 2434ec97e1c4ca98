// The platform seam for the native build (tests, fuzzing, benchmarks on Linux).
#include "platform.h"

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

struct PlatFile {
    int fd;
};

PlatFile* Plat_OpenRead(const char* path) {
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    PlatFile* file = (PlatFile*)malloc(sizeof(PlatFile));
    if (!file) {
        close(fd);
        return nullptr;
    }
    file->fd = fd;
    return file;
}

int Plat_Seek(PlatFile* file, int64_t offset) {
    return offset >= 0 && lseek(file->fd, (off_t)offset, SEEK_SET) == (off_t)offset ? 1 : 0;
}

int64_t Plat_Read(PlatFile* file, void* dest, int64_t count) {
    ssize_t got;
    do {
        got = read(file->fd, dest, (size_t)count);
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : (int64_t)got;
}

void Plat_Close(PlatFile* file) {
    if (file) {
        close(file->fd);
        free(file);
    }
}

int Plat_GetFileInfo(const char* path, PlatFileInfo* info) {
    struct stat st;
    if (stat(path, &st) != 0)
        return 0;
    info->size = (int64_t)st.st_size;
    info->lastWrite = (int64_t)st.st_mtime;
    info->attributes = 0;
    if (S_ISDIR(st.st_mode))
        info->attributes |= kPlatAttrDirectory;
    if (!(st.st_mode & S_IWUSR))
        info->attributes |= kPlatAttrReadOnly;
    const char* base = strrchr(path, '/');
    base = base ? base + 1 : path;
    if (base[0] == '.' && base[1] && strcmp(base, "..") != 0)
        info->attributes |= kPlatAttrHidden;
    return 1;
}

void* Plat_AllocPages(uint64_t size) {
    if (size == 0 || size > (uint64_t)SIZE_MAX / 2)
        return nullptr;
    void* block = mmap(nullptr, (size_t)size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void Plat_FreePages(void* block, uint64_t size) {
    if (block)
        munmap(block, (size_t)size);
}

// The native build has no Windows directory: its profile lives in memory for the process.
namespace {
std::map<std::string, std::string>& Profile() {
    static std::map<std::string, std::string> profile;
    return profile;
}

std::string ProfileKey(const char* section, const char* key) {
    std::string k = std::string(section) + '\n' + key;
    for (char& c : k)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a'); // profile names compare case-blind
    return k;
}
} // namespace

int Plat_GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    auto it = Profile().find(ProfileKey(section, key));
    const char* value = it != Profile().end() ? it->second.c_str() : defaultValue;
    size_t length = strlen(value);
    if (length > (size_t)destSize - 1)
        length = (size_t)destSize - 1;
    memcpy(dest, value, length);
    dest[length] = 0;
    return (int)length;
}

int Plat_WriteProfileString(const char* section, const char* key, const char* value) {
    if (!value)
        Profile().erase(ProfileKey(section, key));
    else
        Profile()[ProfileKey(section, key)] = value;
    return 1;
}

void Plat_ResetProfileForTests() {
    Profile().clear();
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
