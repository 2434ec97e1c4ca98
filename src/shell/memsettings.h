// Buffer sizing from section "Memory" of ORV32.INI, and the sizes the file engine derives. The
// settings store (settings.h) reads the keys.
#pragma once

#include <stdint.h>

struct MemorySizes {
    int32_t lineLength; // L: 256..1024
    int32_t blockPointers; // B: at least 2
    int64_t fileBuffer; // F
    int64_t bufferLines; // H = F / 2 / L
    int64_t displayBytes; // A = L * H
    int64_t readSize; // R = 2 * A
    int64_t indexEntries; // C = F / 16 + 1
};

// "FileBuffer" absent from the profile: the default L * 400.
constexpr int64_t kFileBufferDefault = INT64_MIN;
// "BlockPointers" absent from the profile: the block table's first size.
constexpr int64_t kDefaultBlockPointers = 512;

// Applies the load rules to raw values and derives the
// rest in 64 bits, so a huge value asks for a huge block (and fails) rather than wrapping.
MemorySizes ComputeMemorySizes(int64_t lineLength, int64_t blockPointers, int64_t fileBuffer);
