// The disk search over a tree of 100,000 small text files in 1,000 directories two levels down: a name mask in
// list mode against find -name and fd, and a containing string against grep -rlF and rg -l,
// all through a warm dentry, inode and page cache. Every 50th file holds the needle, and each
// side's count of matches must be the count the tree was made with.
#include "searchbench.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "benchutil.h"
#include "find/findpat.h"
#include "search/searchwalk.h"
#include "shell/settings.h"

namespace {

constexpr int kTopDirs = 40;
constexpr int kDirs = 1000; // 25 below each top directory, the files in those
constexpr int kFilesPerDir = 100;
constexpr int kFiles = kDirs * kFilesPerDir;
constexpr int kNeedleEvery = 50;
constexpr int kMaskEvery = 10; // "*7.txt": the names ending in 7
constexpr double kTarget = 1.0;
const char kNeedle[] = "quetzalcoatl";

int MakeDir(const char* path) {
    return mkdir(path, 0755) == 0 || errno == EEXIST;
}

// A kilobyte or two of lines, the needle on one line of every 50th file.
int WriteFile(const char* path, int k) {
    char text[4096];
    int n = 0;
    for (int line = 0; line < 12 + k % 17; line++)
        n += snprintf(text + n, sizeof text - (size_t)n, "%s line %d of file %d, some words to scan\n",
                      k % kNeedleEvery == 0 && line == 5 ? kNeedle : "plain", line, k);
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return 0;
    bool written = write(fd, text, (size_t)n) == n;
    return close(fd) == 0 && written;
}

// The files and directories below root.
int MakeTree(const char* root) {
    fprintf(stderr, "orv_bench: making %d files in %d directories under %s\n", kFiles, kDirs, root);
    char top[kBenchPathMax], sub[kBenchPathMax + 16], path[kBenchPathMax + 32];
    for (int t = 0, k = 0; t < kTopDirs; t++) {
        snprintf(top, sizeof top, "%s/t%02d", root, t);
        if (!MakeDir(top))
            return 0;
        for (int d = 0; d < kDirs / kTopDirs; d++) {
            snprintf(sub, sizeof sub, "%s/s%02d", top, d);
            if (!MakeDir(sub))
                return 0;
            for (int f = 0; f < kFilesPerDir; f++, k++) {
                snprintf(path, sizeof path, "%s/f%05d.txt", sub, k);
                if (!WriteFile(path, k))
                    return 0;
            }
        }
    }
    return 1;
}

int PrepareTree(char* root, int rootSize) {
    return Bench_ScratchTree("search-1000x100", root, rootSize, MakeTree);
}

char SearchDrive(void*) {
    return 'c';
}
int ChangeNothing(void*, char) {
    return 1;
}

// One list-mode search from the root, below it only; the matches found, or -1.
long OurSearch(const char* root, const char* mask, bool contents) {
    SearchCriteria c = {};
    snprintf(c.mask, sizeof c.mask, "%s", mask);
    snprintf(c.startDirectory, sizeof c.startDirectory, "%s/", root);
    c.onlyLimb = true;
    c.containingString = contents;
    gFind = FindSettings();
    snprintf(gFind.string1, sizeof gFind.string1, "%s", kNeedle);
    gFind.typedLength = (int)strlen(kNeedle);
    ViewEngine engine = {};
    if (contents && !Bench_CreateEngine(&engine))
        return -1;
    SearchHooks hooks = {};
    hooks.engine = contents ? &engine : nullptr;
    hooks.currentDrive = SearchDrive;
    hooks.changeDrive = ChangeNothing;
    SearchWalk walk = {};
    long found = 0;
    while (Search_NextMatch(&walk, c, kSearchListMode, hooks) == kSearchFound)
        found++;
    Search_Reset(&walk, hooks);
    if (contents)
        Engine_Destroy(&engine);
    return found;
}

struct Side {
    const char* name;
    const char* format; // the peer's command with %s for the root; null for ours
    BenchSeries runs;
    long count;
};

void RunRow(const char* title, const char* root, const char* mask, bool contents, Side* sides,
            int n, long expected) {
    char command[3 * kBenchPathMax], output[64];
    for (int run = 0; run < kBenchRuns; run++) {
        for (int i = 0; i < n; i++) {
            Side& side = sides[i];
            if (!side.format) {
                double start = Bench_Now();
                side.count = OurSearch(root, mask, contents);
                Bench_SeriesAdd(&side.runs, side.count >= 0 ? Bench_Now() - start : -1);
            } else if (Bench_QuotedCommand(side.format, root, command, sizeof command)) {
                Bench_SeriesAdd(&side.runs, Bench_RunPeer(command, output, sizeof output));
                side.count = atol(output);
            }
        }
    }
    printf("\n%s (%d files, %ld should match)\n", title, kFiles, expected);
    for (int i = 0; i < n; i++) {
        printf("  %-10s %7ld found  ", sides[i].name, sides[i].count);
        Bench_PrintRuns(&sides[i].runs);
        printf("\n");
    }
}

// Prints ours against one peer and tells whether the target is met.
bool Ratio(const char* what, const Side& ours, const Side& peer, long expected, bool isTarget) {
    if (ours.runs.best <= 0 || peer.runs.best <= 0) {
        printf("  %-30s not measured (a run failed or the peer is missing)\n", what);
        return !isTarget;
    }
    const double ratio = peer.runs.best / ours.runs.best;
    const bool counts = ours.count == expected && peer.count == expected;
    if (isTarget)
        printf("  %-30s target >= %.1f  %s%s  ratio=%.2f\n", what, kTarget,
               Bench_Verdict(ratio >= kTarget && counts), counts ? "" : " (COUNTS DIFFER)", ratio);
    else
        printf("  %-30s reported%s  ratio=%.2f\n", what, counts ? "" : " (COUNTS DIFFER)", ratio);
    return counts;
}

} // namespace

int Bench_RunSearchTable() {
    char root[kBenchPathMax];
    if (!PrepareTree(root, sizeof root)) {
        fprintf(stderr, "orv_bench: cannot make the scratch tree %s\n", root);
        return 0;
    }
    gSettings.hiddenFiles = 1;
    gSettings.systemFiles = 1;
    const char* fd = Bench_HaveCommand("fdfind") ? "fdfind" : "fd";
    char fdFormat[96];
    snprintf(fdFormat, sizeof fdFormat, "%s -u -t f -g '*7.txt' %%s | wc -l", fd);
    Side names[] = {{"ours", nullptr, {}, -1},
                    {"find", "find %s -type f -name '*7.txt' | wc -l", {}, -1},
                    {fd, Bench_HaveCommand(fd) ? fdFormat : nullptr, {}, -1}};
    const int nameSides = names[2].format ? 3 : 2;
    RunRow("disk search, name mask *7.txt in list mode", root, "*7.txt", false, names, nameSides,
           kFiles / kMaskEvery);

    Side contents[] = {{"ours", nullptr, {}, -1},
                       {"grep -rlF", "grep -rlF quetzalcoatl %s | wc -l", {}, -1},
                       {"rg -l", "rg -l -F -uu quetzalcoatl %s | wc -l", {}, -1}};
    const int contentSides = Bench_HaveCommand("rg") ? 3 : 2;
    RunRow("disk search, containing a string, list of files", root, "*.txt", true, contents,
           contentSides, kFiles / kNeedleEvery);

    printf("\n");
    bool ok = Ratio("name mask vs find -name", names[0], names[1], kFiles / kMaskEvery, true);
    if (nameSides == 3)
        ok &= Ratio("name mask vs fd", names[0], names[2], kFiles / kMaskEvery, false);
    ok &= Ratio("contents vs grep -rlF", contents[0], contents[1], kFiles / kNeedleEvery, true);
    if (contentSides == 3)
        ok &= Ratio("contents vs rg -l", contents[0], contents[2], kFiles / kNeedleEvery, true);
    return ok;
}
