#include "memsettings.h"

namespace {

constexpr int64_t kMinLineLength = 256;
constexpr int64_t kMaxLineLength = 1024;
constexpr int64_t kMinFileBuffer = 30720;

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
