// Sum as the directory window runs it: read the chosen directory's whole subtree into a tree of
// its own, walk it summing files and bytes, release it; against du -s --apparent-size on the
// same tree, both through a warm dentry and inode cache. The tree is 100,000 files in 5,000
// directories (50 top directories of 99 each), made once under the scratch directory.
#include "treebench.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "benchutil.h"
#include "lister/dirtree.h"

namespace {

constexpr int kTopDirs = 50;
constexpr int kSubDirs = 99;
constexpr int kDirs = kTopDirs * (1 + kSubDirs); // 5,000 below the root
constexpr int kFilesPerDir = 20;
constexpr int kFiles = kDirs * kFilesPerDir; // 100,000
constexpr double kTarget = 0.7;

int FileSize(int k) {
    return (k * 131) % 1000;
}

int MakeDir(const char* path) {
    return mkdir(path, 0755) == 0 || errno == EEXIST;
}

int MakeFiles(const char* dir, int* k) {
    static char bytes[1000];
    char path[kBenchPathMax];
    for (int f = 0; f < kFilesPerDir; f++, (*k)++) {
        snprintf(path, sizeof path, "%s/f%02d.dat", dir, f);
        int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return 0;
        ssize_t size = FileSize(*k);
        bool written = write(fd, bytes, (size_t)size) == size;
        close(fd);
        if (!written)
            return 0;
    }
    return 1;
}

// The tree, with a marker beside it written last, so that an interrupted build is made again.
// The files and directories below root.
int MakeTree(const char* root) {
    fprintf(stderr, "orv_bench: making %d files in %d directories under %s\n", kFiles, kDirs, root);
    int k = 0;
    char top[kBenchPathMax], sub[kBenchPathMax];
    for (int t = 0; t < kTopDirs; t++) {
        snprintf(top, sizeof top, "%s/top%02d", root, t);
        if (!MakeDir(top) || !MakeFiles(top, &k))
            return 0;
        for (int s = 0; s < kSubDirs; s++) {
            snprintf(sub, sizeof sub, "%s/sub%02d", top, s);
            if (!MakeDir(sub) || !MakeFiles(sub, &k))
                return 0;
        }
    }
    return 1;
}

int PrepareTree(char* root, int rootSize) {
    return Bench_ScratchTree("tree-5000x20", root, rootSize, MakeTree);
}

// Seconds for one Sum, or -1.
double OurSum(const char* root, WalkCounters* counters) {
    double start = Bench_Now();
    DirTree tree = {};
    *counters = {};
    int rc = -1;
    ReadTreeLevel(&tree, root, kTreeReadSeparate, kTreeReadAbsolute | kTreeReadWholeSubtree,
                  nullptr);
    if (tree.nodes)
        rc = WalkSubtree(&tree, 0, kWalkSum, counters, nullptr);
    DirTree_Release(&tree);
    double seconds = Bench_Now() - start;
    return rc == 0 ? seconds : -1;
}

} // namespace

int Bench_RunTreeTable() {
    char root[kBenchPathMax];
    if (!PrepareTree(root, sizeof root)) {
        fprintf(stderr, "orv_bench: cannot make the scratch tree %s\n", root);
        return 0;
    }
    // What find sees: files, their bytes, and directories (the root included, as Sum counts).
    char command[3 * kBenchPathMax], output[128];
    long long findFiles = -1, findBytes = -1, findDirs = -1;
    if (Bench_QuotedCommand("find %s -type f -printf '%%s\\n' | awk '{n++; s+=$1} END "
                            "{print n, s}'",
                            root, command, sizeof command) &&
        Bench_RunPeer(command, output, sizeof output) >= 0)
        sscanf(output, "%lld %lld", &findFiles, &findBytes);
    if (Bench_QuotedCommand("find %s -type d | wc -l", root, command, sizeof command) &&
        Bench_RunPeer(command, output, sizeof output) >= 0)
        findDirs = atoll(output);

    bool hasDu = Bench_HaveCommand("du");
    BenchSeries ours = {}, du = {};
    WalkCounters counters = {};
    int ok = 1;
    Bench_QuotedCommand("du -s --apparent-size %s | cat", root, command, sizeof command);
    for (int run = 0; run < kBenchRuns; run++) {
        fprintf(stderr, "orv_bench: tree sum, run %d of %d\n", run + 1, kBenchRuns);
        double seconds = OurSum(root, &counters);
        ok &= seconds >= 0;
        Bench_SeriesAdd(&ours, seconds);
        if (hasDu)
            Bench_SeriesAdd(&du, Bench_RunPeer(command, output, sizeof output));
    }
    bool countsAgree = counters.files == findFiles && (long long)counters.bytes == findBytes &&
                       counters.directories == findDirs;
    ok &= countsAgree;

    printf("\nSum over a tree of %d files in %d directories (read whole subtree + walk)\n", kFiles,
           kDirs);
    printf("  ours ");
    Bench_PrintRuns(&ours);
    printf("  %d files, %llu bytes, %d dirs; find: %lld files, %lld bytes, %lld dirs  %s\n",
           counters.files, (unsigned long long)counters.bytes, counters.directories, findFiles,
           findBytes, findDirs, countsAgree ? "counts agree" : "COUNTS DIFFER");
    printf("  du   ");
    Bench_PrintRuns(&du);
    printf("\n");
    double ourRate = Bench_Rate(kFiles, &ours, 1e3);
    double duRate = Bench_Rate(kFiles, &du, 1e3);
    if (ourRate <= 0 || duRate <= 0) {
        printf("  %-30s not measured (a run failed or du is missing)\n", "sum vs du -s");
        return 0;
    }
    double ratio = ourRate / duRate;
    printf("  %-30s ours %6.0f kfiles/s  du %6.0f kfiles/s  target >= %.1f  %s  ratio=%.2f\n",
           "sum vs du -s --apparent-size", ourRate, duRate, kTarget,
           Bench_Verdict(ratio >= kTarget && countsAgree), ratio);
    return ok;
}
