// The part of the platform seam that is the same in both builds: the FindFirst family over each
// half's own enumeration, and the limits tests set on writes to new files and on page requests.
#include "platform_common.h"

#include <stdint.h>

namespace {
int64_t gFailAfterBytes = -1; // set by tests: the bytes new files may take from now on
uint64_t gPagesLimit = 0;     // set by tests: the most one request may have
} // namespace

PlatDirScan* Plat_FindFirst(const char* pattern, PlatDirEntry* entry, int* error) {
    return Half_FindFirst(pattern, false, PlatNameTest{}, entry, error);
}

PlatDirScan* Plat_FindFirstDirectories(const char* pattern, PlatDirEntry* entry, int* error) {
    return Half_FindFirst(pattern, true, PlatNameTest{}, entry, error);
}

PlatDirScan* Plat_FindFirstTested(const char* pattern, const PlatNameTest& test,
                                  PlatDirEntry* entry, int* error) {
    return Half_FindFirst(pattern, false, test, entry, error);
}

void Plat_FailWritesForTests(int64_t afterBytes) {
    gFailAfterBytes = afterBytes;
}

int64_t Common_WriteRoom(int64_t written, int64_t count) {
    if (gFailAfterBytes >= 0) {
        const int64_t room = gFailAfterBytes > written ? gFailAfterBytes - written : 0;
        if (count > room)
            count = room;
    }
    return count;
}

void Plat_LimitPagesForTests(uint64_t most) {
    gPagesLimit = most;
}

bool Common_PagesAllowed(uint64_t size) {
    return !(size == 0 || size > (uint64_t)SIZE_MAX / 2 || (gPagesLimit && size > gPagesLimit));
}
