// The entries of the directory level read last, kept while a directory window reads its tree
// down to a directory and then lists that directory's files: the listing replays them rather
// than reading a large folder a second time. Kept only inside a DirSnapshotScope, so a listing
// made later reads the disk afresh.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/platform.h"

struct DirSnapshotEntry {
    int64_t size;
    int64_t lastWrite;
    uint32_t attributes;
    uint32_t nameAt; // offset of the name in the snapshot's name block
};

struct DirSnapshot {
    char directory[kPlatNameMax]; // as read, without a trailing separator
    DirSnapshotEntry* entries;
    int32_t count, capacity;
    char* names;
    size_t used, room;
    int32_t complete; // every entry of the directory is here
};

// Kept while one lives: every level read replaces the one before.
struct DirSnapshotScope {
    DirSnapshotScope();
    ~DirSnapshotScope();
    DirSnapshotScope(const DirSnapshotScope&) = delete;
    DirSnapshotScope& operator=(const DirSnapshotScope&) = delete;
};

// Reading a level: true when it is to be kept; then each entry as enumerated, and whether
// the enumeration ran to its end. Out of memory, the snapshot is dropped and the listing reads
// the disk as it would have.
bool DirSnapshot_Begin(const char* directory);
void DirSnapshot_Add(const PlatDirEntry& entry);
void DirSnapshot_End(bool wholeLevel);

// The complete snapshot of the directory in the first length bytes of path (a trailing
// separator is ignored, case too), or null.
const DirSnapshot* DirSnapshot_Of(const char* path, size_t length);
// Entry `index` in the shape the enumeration gives it.
void DirSnapshot_Entry(const DirSnapshot* snapshot, int32_t index, PlatDirEntry* entry);
