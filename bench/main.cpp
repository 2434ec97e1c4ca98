// orv_bench: makes its scratch files, runs the microbenchmarks, then measures and prints the
// comparison tables last, where they are read.
//   orv_bench [--no-micro] [--only=engine|find|list|tree|search|ps|view] [Google Benchmark flags]
// --only measures that one table (and no microbenchmarks). ORV_BENCH_DIR names the scratch
// directory (default /tmp/orv-bench); files and folders of the right size found there are used
// again.
#include <stdio.h>
#include <string.h>

#include <benchmark/benchmark.h>

#include "benchutil.h"
#include "listbench.h"
#include "platform/platform.h"
#include "psbench.h"
#include "treebench.h"
#include "searchbench.h"

namespace {

struct Choice {
    bool micro = true;
    const char* only = nullptr; // null: every table
    bool Wants(const char* table) const { return !only || strcmp(only, table) == 0; }
};

// Takes our own flags out of argv so Google Benchmark sees only its own.
void TakeFlags(int* argc, char** argv, Choice* choice) {
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (strcmp(argv[i], "--no-micro") == 0) {
            choice->micro = false;
        } else if (strncmp(argv[i], "--only=", 7) == 0) {
            choice->only = argv[i] + 7;
            choice->micro = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
    argv[kept] = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    static BenchFiles files;
    static BenchTable table;
    static BenchFindTable findTable;
    Choice choice;

    TakeFlags(&argc, argv, &choice);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Bench_InstallHooks();
    Plat_ResetProfileForTests();
    if (!Bench_PrepareFiles(&files))
        return 1;

    int ok = 1;
    if (choice.Wants("engine"))
        ok &= Bench_MeasureTable(&files, &table);
    if (choice.Wants("find"))
        ok &= Bench_MeasureFindTable(&files, &findTable);
    if (choice.micro) {
        Bench_RegisterMicro(&files);
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    if (choice.Wants("engine"))
        Bench_PrintTable(&files, &table);
    if (choice.Wants("find"))
        Bench_PrintFindTable(&findTable);
    if (choice.Wants("list"))
        ok &= Bench_RunListTable(&files);
    if (choice.Wants("tree"))
        ok &= Bench_RunTreeTable();
    if (choice.Wants("search"))
        ok &= Bench_RunSearchTable();
    if (choice.Wants("ps"))
        ok &= Bench_RunPostScriptTable(&files);
    // Walks 4 GiB: only when asked for by name.
    if (choice.only && strcmp(choice.only, "view") == 0)
        ok &= Bench_RunViewTable(&files);
    fflush(stdout);
    return ok ? 0 : 1;
}
