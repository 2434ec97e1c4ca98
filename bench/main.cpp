// orv_bench: makes its scratch files, runs the microbenchmarks, then measures and prints the
// comparison table last, where it is read.
//   orv_bench [--no-micro] [--no-table] [Google Benchmark flags, e.g. --benchmark_filter=Split]
// ORV_BENCH_DIR names the scratch directory (default /tmp/orv-bench); files of the right size
// found there are used again.
#include <stdio.h>
#include <string.h>

#include <benchmark/benchmark.h>

#include "benchutil.h"
#include "treebench.h"
#include "shell/platform.h"

namespace {

// Takes our own flags out of argv so Google Benchmark sees only its own.
void TakeFlags(int* argc, char** argv, bool* micro, bool* table) {
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (strcmp(argv[i], "--no-micro") == 0)
            *micro = false;
        else if (strcmp(argv[i], "--no-table") == 0)
            *table = false;
        else
            argv[kept++] = argv[i];
    }
    *argc = kept;
    argv[kept] = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    static BenchFiles files;
    static BenchTable table;
    static BenchFindTable findTable;
    bool micro = true;
    bool measureTable = true;

    if (Bench_TreeOnly(&argc, argv))
        return Bench_RunTreeTable() ? 0 : 1;
    TakeFlags(&argc, argv, &micro, &measureTable);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Bench_InstallHooks();
    Plat_ResetProfileForTests();
    if (!Bench_PrepareFiles(&files))
        return 1;

    int ok = 1;
    if (measureTable) {
        ok = Bench_MeasureTable(&files, &table);
        ok &= Bench_MeasureFindTable(&files, &findTable);
    }
    if (micro) {
        Bench_RegisterMicro(&files);
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    if (measureTable) {
        Bench_PrintTable(&files, &table);
        Bench_PrintFindTable(&findTable);
        ok &= Bench_RunTreeTable();
    }
    fflush(stdout);
    return ok ? 0 : 1;
}
