// What the comparison table and the microbenchmarks share: the scratch files, the clock, the
// engine set up as a view sets it up, and running a peer command through a pipe.
#pragma once

#include <stdint.h>

#include "viewer/engine.h"

constexpr int64_t kBigTextBytes = INT64_C(1) << 30;    // 1 GiB
constexpr int64_t kSmallTextBytes = INT64_C(10) << 20; // 10 MiB
constexpr int64_t kRandomBytes = INT64_C(100) << 20;   // 100 MiB
// 1 GiB in blocks of about 100 KB needs some 10,500 slots; fewer would end in "File too large".
constexpr int kBenchBlockPointers = 16384;
constexpr int kBenchPageLines = kDefaultPageLines;
constexpr int kBenchPathMax = 512;

struct BenchFiles {
    char dir[kBenchPathMax];
    char bigText[kBenchPathMax];
    char smallText[kBenchPathMax];
    char random[kBenchPathMax];
};

enum BenchMode {
    kBenchText,
    kBenchHex,
};

// Seconds on a monotonic clock.
double Bench_Now();

// Fills in the scratch paths (ORV_BENCH_DIR, else /tmp/orv-bench) and makes every file that is
// missing or has the wrong size. 1 when all are there, 0 after printing why not.
int Bench_PrepareFiles(BenchFiles* files);
// Reads the whole file once so that every run finds it in the page cache. 1, or 0 on failure.
int Bench_WarmFile(const char* path);

// A failure inside the engine must never pass for a fast run: the fatal exit and any question
// print what was asked and abort.
void Bench_InstallHooks();
// The sizes of every bench engine: default line length and file buffer, many block slots.
MemorySizes Bench_Sizes();
// Engine_Create with Bench_Sizes(); 1, or 0 after printing why not.
int Bench_CreateEngine(ViewEngine* engine);
// Sets the file and the mode as a view does and loads block 0.
// 0 on success, -1 after printing why not.
int Bench_OpenView(ViewEngine* engine, const char* path, BenchMode mode);

// A scratch tree under the scratch directory (ORV_BENCH_DIR, else /tmp/orv-bench), made by
// make(root) when the marker beside it, written last, is missing: an interrupted build is made
// again. root receives its path. 1 when it is there, 0 when it could not be made.
int Bench_ScratchTree(const char* name, char* root, int rootSize, int (*make)(const char* root));

// 1 when the shell finds the command.
int Bench_HaveCommand(const char* name);
// Writes path into dest quoted for /bin/sh. 1, or 0 when it does not fit.
int Bench_ShellQuote(const char* path, char* dest, int destSize);
// Runs a shell command with its output piped back to us, keeps the first outputSize - 1 bytes
// of that output, and returns the wall-clock seconds, or -1 when the command failed.
double Bench_RunPeer(const char* command, char* output, int outputSize);

// ---- The two halves of orv_bench ------------------------------------------------------------

constexpr int kBenchRuns = 3;

// Wall-clock seconds of each run; best is the shortest, 0 when no run succeeded.
struct BenchSeries {
    double seconds[kBenchRuns];
    int runs;
    double best;
};

struct BenchTable {
    int hasWc;
    int hasXxd;
    BenchSeries wc;
    BenchSeries xxd;
    BenchSeries ourText;
    BenchSeries ourHex;
    int64_t wcLines; // -1 when wc's output could not be read
    int64_t ourTotalLines;
    int32_t ourBlocks;
    int64_t ourHexPages;
    int hexRowsChecked; // rows compared with our own formatting of the file's bytes
    int hexRowsWrong;
    long rssIdleKiB; // -1 when the child failed
    long rssSmallKiB;
    long rssBigKiB;
};

// Adds a run's seconds (a failed run, < 0, is left out) and keeps the best.
void Bench_SeriesAdd(BenchSeries* series, double seconds);
// Formats a command with the path quoted for /bin/sh in place of %s. 1, or 0 when it does not fit.
int Bench_QuotedCommand(const char* format, const char* path, char* dest, int destSize);
// Prints "runs 1.234 1.200 1.250 s".
void Bench_PrintRuns(const BenchSeries* series);
// Bytes per second of the best run, in units of `unit` bytes; 0 when no run succeeded.
double Bench_Rate(int64_t bytes, const BenchSeries* series, double unit);
const char* Bench_Verdict(bool pass);

// Warms the files, measures peak memory in forked children, then times ours and the peers.
// 1 when every measurement ran, 0 when one failed (the table says which).
int Bench_MeasureTable(const BenchFiles* files, BenchTable* table);
void Bench_PrintTable(const BenchFiles* files, const BenchTable* table);
// Registers the Google Benchmark microbenchmarks on blocks of the scratch files.
void Bench_RegisterMicro(const BenchFiles* files);

// ---- Find against grep and ripgrep -------------------------------------------------------------

enum BenchFindKind {
    kFindPlain,
    kFindIgnoreCase,
    kFindHexBytes,
    kFindRegex,
    kFindAnd,
    kFindKinds,
};

struct BenchFindRow {
    BenchSeries ours;
    BenchSeries grep;
    BenchSeries rg;
    int oursFound; // the needle must not occur: a find that succeeds is a failure
    long grepCount; // -1 when the output could not be read
    long rgCount;
};

struct BenchFindTable {
    int hasGrep;
    int hasRg;
    BenchFindRow rows[kFindKinds];
};

// Each find runs through the engine block by block over the 1 GiB text for a needle that does
// not occur, so that every byte is searched; grep and rg run on the same file in the same run.
int Bench_MeasureFindTable(const BenchFiles* files, BenchFindTable* table);
void Bench_PrintFindTable(const BenchFindTable* table);

// The view moves through a 4 GiB sparse file (only with --only=view). 1, or 0 on failure.
int Bench_RunViewTable(const BenchFiles* files);
