// One snapshot for the whole program: only one directory window opens or lists at a time.
#include "lister/dirsnap.h"

#include <stdlib.h>
#include <string.h>

namespace {

DirSnapshot gSnapshot;
int gScopes = 0;

bool IsSeparator(char c) {
    return c == '/' || c == kPlatDirSeparator;
}

size_t Trimmed(const char* path, size_t n) {
    while (n > 0 && IsSeparator(path[n - 1]))
        n--;
    return n;
}

bool SameDirectory(const char* a, const char* b, size_t bLength) {
    const size_t n = Trimmed(a, strlen(a));
    if (n != Trimmed(b, bLength))
        return false;
    for (size_t i = 0; i < n; i++) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'A' && x <= 'Z')
            x = (unsigned char)(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = (unsigned char)(y + 32);
        if (x != y && !(IsSeparator((char)x) && IsSeparator((char)y)))
            return false;
    }
    return true;
}

void Release() {
    free(gSnapshot.entries);
    free(gSnapshot.names);
    memset(&gSnapshot, 0, sizeof gSnapshot);
}

} // namespace

DirSnapshotScope::DirSnapshotScope() {
    gScopes++;
}

DirSnapshotScope::~DirSnapshotScope() {
    if (--gScopes == 0)
        Release();
}

bool DirSnapshot_Begin(const char* directory) {
    if (gScopes == 0)
        return false;
    const size_t n = Trimmed(directory, strlen(directory));
    if (n >= sizeof gSnapshot.directory) {
        Release();
        return false;
    }
    memcpy(gSnapshot.directory, directory, n);
    gSnapshot.directory[n] = 0;
    gSnapshot.count = 0;
    gSnapshot.used = 0;
    gSnapshot.complete = 0;
    return true;
}

void DirSnapshot_Add(const PlatDirEntry& e) {
    if (gScopes == 0 || !gSnapshot.directory[0])
        return;
    const size_t length = strnlen(e.name, sizeof e.name - 1) + 1;
    if (gSnapshot.count == gSnapshot.capacity) {
        const int32_t capacity = gSnapshot.capacity ? gSnapshot.capacity * 2 : 256;
        void* grown = realloc(gSnapshot.entries, (size_t)capacity * sizeof(DirSnapshotEntry));
        if (!grown)
            return Release(); // dropped rather than left partial
        gSnapshot.entries = (DirSnapshotEntry*)grown;
        gSnapshot.capacity = capacity;
    }
    if (gSnapshot.used + length > gSnapshot.room) {
        const size_t room = gSnapshot.room ? gSnapshot.room * 2 : 4096;
        void* grown = realloc(gSnapshot.names, room);
        if (!grown)
            return Release(); // dropped rather than left partial
        gSnapshot.names = (char*)grown;
        gSnapshot.room = room;
    }
    DirSnapshotEntry* kept = &gSnapshot.entries[gSnapshot.count++];
    kept->size = e.size;
    kept->lastWrite = e.lastWrite;
    kept->attributes = e.attributes;
    kept->nameAt = (uint32_t)gSnapshot.used;
    memcpy(gSnapshot.names + gSnapshot.used, e.name, length - 1);
    gSnapshot.names[gSnapshot.used + length - 1] = 0;
    gSnapshot.used += length;
}

void DirSnapshot_End(bool wholeLevel) {
    if (gScopes > 0 && gSnapshot.directory[0])
        gSnapshot.complete = wholeLevel ? 1 : 0;
}

const DirSnapshot* DirSnapshot_Of(const char* path, size_t length) {
    if (gScopes == 0 || !gSnapshot.complete || !SameDirectory(gSnapshot.directory, path, length))
        return nullptr;
    return &gSnapshot;
}

void DirSnapshot_Entry(const DirSnapshot* s, int32_t index, PlatDirEntry* e) {
    const DirSnapshotEntry& kept = s->entries[index];
    const char* name = s->names + kept.nameAt;
    const size_t length = strlen(name);
    memcpy(e->name, name, length + 1);
    e->attributes = kept.attributes;
    e->size = kept.size;
    e->lastWrite = kept.lastWrite;
}
