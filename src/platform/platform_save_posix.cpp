// Writing a file whole in the native build: a new file beside the target, flushed, then renamed
// over it. A file without its owner's write bit stands for a read-only one, as elsewhere here.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform.h"
#include "platform_common.h"

namespace {
bool gFailRename = false;
} // namespace

struct PlatNewFile {
    int fd;
    int64_t written;
    std::string path;
};

PlatNewFile* Plat_CreateBeside(const char* target) {
    struct stat st;
    if (stat(target, &st) == 0) {
        if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))
            return nullptr;
        const int probe = open(target, O_WRONLY | O_CLOEXEC);
        if (probe < 0)
            return nullptr;
        close(probe);
    }
    const char* slash = strrchr(target, '/');
    std::string name = slash ? std::string(target, (size_t)(slash - target) + 1) : "./";
    name += ".orvXXXXXX";
    const int fd = mkostemp(&name[0], O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    PlatNewFile* file = new PlatNewFile{fd, 0, name};
    return file;
}

int64_t Plat_WriteNew(PlatNewFile* file, const void* bytes, int64_t count) {
    count = Common_WriteRoom(file->written, count);
    int64_t done = 0;
    while (done < count) {
        const ssize_t wrote = write(file->fd, (const char*)bytes + done, (size_t)(count - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return done > 0 ? done : -1;
        if (wrote == 0)
            break;
        done += wrote;
        file->written += wrote;
    }
    return done;
}

int Plat_FlushNew(PlatNewFile* file) {
    return fsync(file->fd) == 0 ? 1 : 0;
}

int Plat_CommitNew(PlatNewFile* file, const char* target, PlatCommitLeft* left) {
    bool placed = close(file->fd) == 0;
    struct stat st;
    if (placed && stat(target, &st) == 0) {
        placed = chmod(file->path.c_str(), st.st_mode & 07777) == 0;
    } else if (placed) {
        const mode_t mask = umask(0);
        umask(mask);
        placed = chmod(file->path.c_str(), 0666 & ~mask) == 0;
    }
    // rename() replaces target whole or leaves it as it was: nothing to put back.
    placed = placed && !gFailRename && rename(file->path.c_str(), target) == 0;
    if (!placed)
        unlink(file->path.c_str());
    delete file;
    left->newFile[0] = left->oldFile[0] = 0;
    return placed ? 1 : 0;
}

void Plat_DiscardNew(PlatNewFile* file) {
    if (!file)
        return;
    close(file->fd);
    unlink(file->path.c_str());
    delete file;
}

void Plat_FailCommitForTests(int steps) {
    gFailRename = steps != 0;
}
