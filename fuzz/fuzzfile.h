// What the fuzz targets that read files share: the file they read, made from the input.
#pragma once

#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

// The targets' own checks (a whole-file model of what the engine must show) are no part of what
// the fuzzer should explore: without coverage of their own, they neither cost a call on every
// comparison (most of a run's time) nor count their branches as new paths.
#define FUZZ_ORACLE __attribute__((no_sanitize("coverage")))

// Fills file (room for capacity bytes) with body repeated up to repeats times, so that a small
// input can make a file of several blocks (a longer body is cut), and writes it to path. 1 with
// *made the size made, or 0 with *made 0 when the file could not be written.
inline int FuzzFile_Write(const char* path, unsigned char* file, int64_t capacity,
                          const uint8_t* body, size_t bodyBytes, int repeats, int64_t* made) {
    *made = 0;
    const int64_t piece = (int64_t)bodyBytes < capacity ? (int64_t)bodyBytes : capacity;
    int64_t size = 0;
    for (int i = 0; i < repeats && piece > 0 && size + piece <= capacity; i++) {
        memcpy(file + size, body, (size_t)piece);
        size += piece;
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return 0;
    int64_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, file + done, (size_t)(size - done));
        if (n <= 0)
            break;
        done += n;
    }
    close(fd);
    if (done != size)
        return 0;
    *made = size;
    return 1;
}

// The scratch folder the file lives in, made once per run and removed with it at exit.
inline char gFuzzScratchDir[64];
inline char gFuzzScratchPath[96];

inline void FuzzFile_RemoveScratch() {
    unlink(gFuzzScratchPath);
    rmdir(gFuzzScratchDir);
}

// Makes the scratch folder under /tmp and names the file name in it (program names the target
// in the message of a folder that cannot be made, which ends the run). The file's path.
inline const char* FuzzFile_MakeScratch(const char* program, const char* name) {
    snprintf(gFuzzScratchDir, sizeof gFuzzScratchDir, "/tmp/orv-%s-XXXXXX", program);
    if (!mkdtemp(gFuzzScratchDir)) {
        fprintf(stderr, "%s: cannot make a temporary directory: %s\n", program, strerror(errno));
        abort();
    }
    snprintf(gFuzzScratchPath, sizeof gFuzzScratchPath, "%s/%s", gFuzzScratchDir, name);
    atexit(FuzzFile_RemoveScratch);
    return gFuzzScratchPath;
}
