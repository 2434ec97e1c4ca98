// The view moves through a 4 GiB sparse file with the native engine: the figures the Wine-side
// view bench (gui_tests --gtest_filter=ViewBench.*) is read against.
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "benchutil.h"
#include "viewmoves.h"

namespace {

constexpr int64_t kSparseBytes = INT64_C(4) << 30;
// 4 GiB in blocks of about 100 KB needs some 42,000 slots.
constexpr int kSparseBlockPointers = 65536;

int64_t ResidentKiB() {
    FILE* f = fopen("/proc/self/statm", "r");
    long long pages = 0, resident = 0;
    if (f) {
        if (fscanf(f, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int Bench_RunViewTable(const BenchFiles* files) {
    const std::string path = std::string(files->dir) + "/sparse-4g.bin";
    FILE* f = fopen(path.c_str(), "ab");
    if (!f || ftruncate(fileno(f), kSparseBytes) != 0) {
        fprintf(stderr, "orv_bench: cannot make %s\n", path.c_str());
        if (f)
            fclose(f);
        return 0;
    }
    fclose(f);
    ViewEngine e;
    if (!Engine_Create(&e, ComputeMemorySizes(256, kSparseBlockPointers, kFileBufferDefault)))
        return 0;
    const int64_t before = ResidentKiB();
    ViewMoveTimes small, big;
    int ok = ViewMoves_Run(&e, files->smallText, kBenchPageLines, 100, &small);
    const int64_t afterSmall = ResidentKiB();
    ok &= ViewMoves_Run(&e, path.c_str(), kBenchPageLines, 1000, &big);
    const int64_t afterBig = ResidentKiB();
    Engine_Destroy(&e);
    if (!ok) {
        fprintf(stderr, "orv_bench: a view move failed\n");
        return 0;
    }
    printf("\nview (native engine, 4 GiB sparse file as binary rows, %d-line page)\n",
           kBenchPageLines);
    printf("  open + first page  %10.2f ms\n", big.openMs);
    printf("  End                %10.2f ms  (top line %lld)\n", big.endMs,
           (long long)big.endTopLine);
    printf("  to the middle      %10.2f ms\n", big.middleMs);
    printf("  Page Down          %10.4f ms each (%d from the middle)\n", big.pageDownMs,
           big.pageDowns);
    printf("  resident           %lld KiB before, %lld KiB after a 10 MiB file, %lld KiB after "
           "the 4 GiB file\n",
           (long long)before, (long long)afterSmall, (long long)afterBig);
    return 1;
}
