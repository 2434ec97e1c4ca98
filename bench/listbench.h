// A directory listing through ListFiles against ls on a folder of 100,000 files.
#pragma once

#include "benchutil.h"

constexpr int kListBenchFiles = 100000;

struct BenchListTable {
    char dir[kBenchPathMax];
    int hasLs;
    BenchSeries ours;
    BenchSeries ls;
    BenchSeries lsSizes; // ls -1s: reads each file's size as we must, reported only
    int32_t oursListed; // names handed to the list on the last run
    long lsLines; // -1 when ls's output could not be read
};

// Makes the folder when it is missing or does not hold exactly kListBenchFiles files, then
// times our listing (gathering and name sort) and `LC_ALL=C ls -1 | cat`, best of kBenchRuns.
// 1 when every run succeeded, 0 otherwise.
int Bench_MeasureListTable(const BenchFiles* files, BenchListTable* table);
void Bench_PrintListTable(const BenchListTable* table);
// Measures and prints the table.
int Bench_RunListTable(const BenchFiles* files);
