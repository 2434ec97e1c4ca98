#include "memsettings.h"

#include <stdio.h>

#include "platform.h"

namespace {

constexpr int64_t kMinLineLength = 256;
constexpr int64_t kMaxLineLength = 1024;
constexpr int64_t kMinFileBuffer = 30720;

// Reads a whole decimal number the way the profile's integer reader does (leading blanks, an
// optional sign, digits up to the first other character), saturating instead of wrapping so
// that an absurd value stays absurd and is refused by the allocation, not shrunk by overflow.
int64_t ReadProfileInt64(const char* section, const char* key, int64_t defaultValue) {
    char text[64];
    Plat_GetProfileString(section, key, "", text, sizeof text);
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    if (!*p)
        return defaultValue; // absent, empty or blank (the profile trims values)
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return 0;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        int digit = *p - '0';
        if (value > (INT64_MAX - digit) / 10) {
            value = INT64_MAX;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

MemorySizes ComputeMemorySizes(int64_t lineLength, int64_t blockPointers, int64_t fileBuffer) {
    if (lineLength < kMinLineLength)
        lineLength = kMinLineLength;
    if (lineLength > kMaxLineLength)
        lineLength = kMaxLineLength;
    if (blockPointers < 2)
        blockPointers = 2;
    if (blockPointers > INT32_MAX)
        blockPointers = INT32_MAX;
    if (fileBuffer == kFileBufferDefault)
        fileBuffer = lineLength * 400;
    if (fileBuffer < lineLength * 120)
        fileBuffer = lineLength * 120;
    if (fileBuffer < kMinFileBuffer) {
        fileBuffer = kMinFileBuffer;
        lineLength = kMinLineLength;
    }
    MemorySizes sizes = {};
    sizes.lineLength = (int32_t)lineLength;
    sizes.blockPointers = (int32_t)blockPointers;
    sizes.fileBuffer = fileBuffer;
    sizes.bufferLines = fileBuffer / 2 / lineLength;
    // A <= F / 2, so R = 2 * A <= F: no product below can overflow, however large F is.
    sizes.displayBytes = lineLength * sizes.bufferLines;
    sizes.readSize = 2 * sizes.displayBytes;
    sizes.indexEntries = fileBuffer / 16 + 1;
    return sizes;
}

MemorySizes LoadMemorySizes() {
    int64_t lineLength = ReadProfileInt64("Memory", "LineLength", 256);
    int64_t blockPointers = ReadProfileInt64("Memory", "BlockPointers", 512);
    int64_t fileBuffer = ReadProfileInt64("Memory", "FileBuffer", kFileBufferDefault);
    return ComputeMemorySizes(lineLength, blockPointers, fileBuffer);
}
