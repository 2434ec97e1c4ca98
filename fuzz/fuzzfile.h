// What the fuzz targets that read files share: the file they read, made from the input.
#pragma once

#include <fcntl.h>
#include <stdint.h>
#include <string.h>
#include <unistd.h>

// Fills file (room for capacity bytes) with body repeated up to repeats times, so that a small
// input can make a file of several blocks (a longer body is cut), and writes it to path. The
// size made, or -1 when the file could not be written.
inline int64_t FuzzFile_Write(const char* path, unsigned char* file, int64_t capacity,
                              const uint8_t* body, size_t bodyBytes, int repeats) {
    const int64_t piece = (int64_t)bodyBytes < capacity ? (int64_t)bodyBytes : capacity;
    int64_t size = 0;
    for (int i = 0; i < repeats && piece > 0 && size + piece <= capacity; i++) {
        memcpy(file + size, body, (size_t)piece);
        size += piece;
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return -1;
    int64_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, file + done, (size_t)(size - done));
        if (n <= 0)
            break;
        done += n;
    }
    close(fd);
    return done == size ? size : -1;
}
