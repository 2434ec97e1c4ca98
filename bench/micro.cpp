// Microbenchmarks of the engine's inner procedures on one block of the scratch files: where the
// time of a walk goes when the comparison table shows it slow.
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <vector>

#include <benchmark/benchmark.h>

#include "benchutil.h"

namespace {

const BenchFiles* gFiles;

// A top line well inside block 0 of either file, so a build never needs another block.
constexpr int64_t kInnerTopLine = 100;

// The bytes of block 0 as they are in the file, before the splitter wrote line ends over them.
int ReadPristineBlock(const ViewEngine* engine, std::vector<char>* block) {
    block->assign((size_t)engine->bytesInBuffer, 0);
    int fd = open(engine->file.path, O_RDONLY);
    if (fd < 0)
        return 0;
    ssize_t got = pread(fd, block->data(), block->size(), 0);
    close(fd);
    return got == (ssize_t)block->size();
}

int OpenForMicro(benchmark::State& state, const char* path, BenchMode mode) {
    if (!Bench_CreateEngine(&gEngine)) {
        state.SkipWithError("Engine_Create failed");
        return 0;
    }
    if (Bench_OpenView(&gEngine, path, mode) != 0) {
        Engine_Destroy(&gEngine);
        state.SkipWithError("cannot open the scratch file");
        return 0;
    }
    return 1;
}

void BM_FormatHexRow(benchmark::State& state) {
    constexpr int kRows = 4096;
    std::vector<unsigned char> bytes(kRows * 16);
    uint32_t seed = 12345;
    for (unsigned char& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = (unsigned char)(seed >> 24);
    }
    char row[kFixedRowStride];
    int64_t rows = 0;
    for (auto _ : state) {
        int i = (int)(rows % kRows);
        FormatHexRow(row, rows * 16, bytes.data() + i * 16, 16, state.range(0) != 0);
        benchmark::DoNotOptimize(row);
        rows++;
    }
    state.SetItemsProcessed(rows);
    state.SetBytesProcessed(rows * 16);
}

// One block split again and again; the block is put back as read before each split, because the
// text splitter writes its line ends into the buffer.
void BM_SplitLines(benchmark::State& state) {
    BenchMode mode = (BenchMode)state.range(0);
    const char* path = mode == kBenchHex ? gFiles->random : gFiles->smallText;
    std::vector<char> pristine;
    if (!OpenForMicro(state, path, mode))
        return;
    ViewEngine* e = &gEngine;
    if (!ReadPristineBlock(e, &pristine)) {
        Engine_Destroy(e);
        state.SkipWithError("cannot read block 0");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        memcpy(e->buffer, pristine.data(), pristine.size());
        e->buffer[pristine.size()] = 0;
        e->firstLine = 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(SplitLines(e));
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)pristine.size());
    state.counters["lines"] = e->lineCount;
    Engine_Destroy(e);
}

// One window of rows built from scratch (lastBuiltTop -1), as after a jump.
void BM_BuildRowsFull(benchmark::State& state) {
    BenchMode mode = (BenchMode)state.range(0);
    const char* path = mode == kBenchHex ? gFiles->random : gFiles->smallText;
    if (!OpenForMicro(state, path, mode))
        return;
    ViewEngine* e = &gEngine;
    e->file.topLine = kInnerTopLine;
    EnsureWindow(e, false);
    for (auto _ : state) {
        e->lastBuiltTop = -1;
        BuildRows(e);
        benchmark::DoNotOptimize(e->displayText[0]);
    }
    state.SetItemsProcessed((int64_t)state.iterations() * (e->pageLines + 1));
    Engine_Destroy(e);
}

// Scrolling by one line in hex: the row image moves and one row is decoded.
void BM_BuildRowsHexScrollOne(benchmark::State& state) {
    if (!OpenForMicro(state, gFiles->random, kBenchHex))
        return;
    ViewEngine* e = &gEngine;
    e->file.topLine = kInnerTopLine;
    EnsureWindow(e, false);
    int64_t step = 1;
    for (auto _ : state) {
        e->file.topLine += step;
        step = -step;
        BuildRows(e);
        benchmark::DoNotOptimize(e->displayText[0]);
    }
    state.SetItemsProcessed(state.iterations());
    Engine_Destroy(e);
}

// One block read from the page cache: open, seek, read R bytes, probe one byte, close.
void BM_ReadBlock(benchmark::State& state) {
    if (!OpenForMicro(state, gFiles->smallText, kBenchText))
        return;
    ViewEngine* e = &gEngine;
    int64_t offset = 0;
    for (auto _ : state) {
        e->file.bufferOffset = offset;
        benchmark::DoNotOptimize(ReadBlock(e));
        offset += e->sizes.readSize;
        if (offset + e->sizes.readSize > kSmallTextBytes)
            offset = 0;
    }
    state.SetBytesProcessed((int64_t)state.iterations() * e->sizes.readSize);
    Engine_Destroy(e);
}

// Paging down through the 10 MiB text file: the steady cost of a page, block reads included.
void BM_PageDownText(benchmark::State& state) {
    if (!OpenForMicro(state, gFiles->smallText, kBenchText))
        return;
    ViewEngine* e = &gEngine;
    int64_t pages = 0;
    for (auto _ : state) {
        int64_t want = e->file.topLine + e->pageLines + 1;
        e->file.topLine = want;
        if (EnsureWindow(e, false) != 0) {
            state.SkipWithError("EnsureWindow failed");
            break;
        }
        if (e->file.topLine != want) { // the end: start again at the top
            e->file.topLine = 1;
            EnsureWindow(e, false);
        }
        pages++;
    }
    state.SetItemsProcessed(pages);
    Engine_Destroy(e);
}

} // namespace

void Bench_RegisterMicro(const BenchFiles* files) {
    gFiles = files;
    benchmark::RegisterBenchmark("FormatHexRow/dots", BM_FormatHexRow)->Arg(0);
    benchmark::RegisterBenchmark("FormatHexRow/all256", BM_FormatHexRow)->Arg(1);
    benchmark::RegisterBenchmark("SplitLines/text_block", BM_SplitLines)->Arg(kBenchText);
    benchmark::RegisterBenchmark("SplitLines/hex_block", BM_SplitLines)->Arg(kBenchHex);
    benchmark::RegisterBenchmark("BuildRows/text_page", BM_BuildRowsFull)->Arg(kBenchText);
    benchmark::RegisterBenchmark("BuildRows/hex_page", BM_BuildRowsFull)->Arg(kBenchHex);
    benchmark::RegisterBenchmark("BuildRows/hex_scroll_one", BM_BuildRowsHexScrollOne);
    benchmark::RegisterBenchmark("ReadBlock/text_cached", BM_ReadBlock);
    benchmark::RegisterBenchmark("EnsureWindow/text_page_down", BM_PageDownText);
}
