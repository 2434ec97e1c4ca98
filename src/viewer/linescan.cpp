// The fast line count of a block a walk passes through. It must agree with SplitTextLines
// exactly, so it only answers for the plain case and leaves anything else to the split.
#include "viewer/linescan.h"

#include <stdint.h>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ORV_LINESCAN_SSE2 1
#endif

namespace {

// The block is looked at in chunks of 16 bytes from its start (the last may be shorter). A
// stretch of lineLength bytes without a line feed, the one case where SplitTextLines does
// not simply end a line at its line feed, holds at least (lineLength - 31) / 16 whole chunks
// without one, wherever it lies; a run that long sends the block to the split.
constexpr int32_t kChunk = 16;
// How far ahead of the scan its bytes are asked for: the processor's own prefetch stops at the
// end of each page of a mapped file, and the scan would wait for every page.
constexpr int32_t kPrefetchAhead = 2048;

} // namespace

int SkimTextLines(const char* bytes, int32_t n, int32_t lineLength, int32_t* lineCount) {
    const int32_t mostBare = (lineLength - 31) / kChunk;
    if (mostBare < 1 || n <= 0)
        return 0;
    // Chunks more than this far after the last chunk with a line feed make a run too long.
    const int32_t farthest = mostBare * kChunk;
    int64_t feeds = 0;
    int32_t lastFed = 0; // offset of the last chunk with a line feed (the block begins a line)
    int32_t at = 0;
#ifdef ORV_LINESCAN_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (n - at >= kChunk) {
        // Byte counters of line feeds hold up to 255 chunks before they are summed.
        int32_t chunks = (n - at) / kChunk;
        if (chunks > 255)
            chunks = 255;
        __m128i counts = zero;
        __m128i least = _mm_set1_epi8(-1);
        for (const int32_t stop = at + chunks * kChunk; at < stop; at += kChunk) {
            if ((at & 63) == 0) // a mapped file's next pages, which the processor does not guess
                _mm_prefetch((const char*)((uintptr_t)bytes + (uintptr_t)(at + kPrefetchAhead)),
                             _MM_HINT_T0);
            const __m128i v = _mm_loadu_si128((const __m128i*)(bytes + at));
            const __m128i eq = _mm_cmpeq_epi8(v, lf);
            counts = _mm_sub_epi8(counts, eq);
            least = _mm_min_epu8(least, v);
            lastFed = _mm_movemask_epi8(eq) ? at : lastFed;
            if (at - lastFed >= farthest)
                return 0;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(least, zero)))
            return 0; // a NUL
        const __m128i sums = _mm_sad_epu8(counts, zero);
        feeds += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    }
#endif
    for (; at < n; at += kChunk) {
        const int32_t end = n - at < kChunk ? n : at + kChunk;
        for (int32_t i = at; i < end; i++) {
            if (bytes[i] == 0)
                return 0;
            if (bytes[i] == '\n') {
                lastFed = at;
                feeds++;
            }
        }
        if (at - lastFed >= farthest)
            return 0;
    }
    // Each line feed ends a line; bytes after the last one are a line cut by the block's end.
    const int64_t count = feeds + (bytes[n - 1] != '\n');
    if (count > INT32_MAX)
        return 0;
    *lineCount = (int32_t)count;
    return 1;
}

int32_t SkimLineStart(const char* bytes, int32_t n, int32_t lineCount, int32_t line) {
    if (line <= 0)
        return 0;
    // Line `line` begins after line feed number `line`; counted from the block's end that is
    // the feed `lineCount - line` back, one more when the block ends in a line feed.
    int32_t back = lineCount - line + (bytes[n - 1] == '\n');
    int32_t i = n;
#ifdef ORV_LINESCAN_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i >= kChunk; i -= kChunk) {
        unsigned feeds = (unsigned)_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128((const __m128i*)(bytes + i - kChunk)), lf));
        while (feeds) {
            const int high = 31 - __builtin_clz(feeds);
            if (--back == 0)
                return i - kChunk + high + 1;
            feeds &= ~(1u << high);
        }
    }
#endif
    while (i-- > 0) {
        if (bytes[i] == '\n' && --back == 0)
            return i + 1;
    }
    return 0;
}
