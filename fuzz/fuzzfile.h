// What the fuzz targets that read files share: the file they read, made from the input.
#pragma once

#include <stdint.h>
#include <string.h>

#include "platform/platform.h"

// The targets' own checks (a whole-file model of what the engine must show) are no part of what
// the fuzzer should explore: without coverage of their own, they neither cost a call on every
// comparison (most of a run's time) nor count their branches as new paths.
#define FUZZ_ORACLE __attribute__((no_sanitize("coverage")))

// Fills file (room for capacity bytes) with body repeated up to repeats times, so that a small
// input can make a file of several blocks (a longer body is cut), and serves it from memory
// under path: the engine opens, reads and maps it through the platform seam as it would the
// same bytes on disk, without a write and a read back of every input. The size made.
inline int64_t FuzzFile_Serve(const char* path, unsigned char* file, int64_t capacity,
                              const uint8_t* body, size_t bodyBytes, int repeats) {
    const int64_t piece = (int64_t)bodyBytes < capacity ? (int64_t)bodyBytes : capacity;
    int64_t size = 0;
    for (int i = 0; i < repeats && piece > 0 && size + piece <= capacity; i++) {
        memcpy(file + size, body, (size_t)piece);
        size += piece;
    }
    Plat_ServeFromMemoryForTests(path, file, size);
    return size;
}
