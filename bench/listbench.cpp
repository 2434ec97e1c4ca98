// A directory listing through ListFiles (enumeration, the collection, the name sort and the
// hand-over to a list) against ls on the same folder of 100,000 files. ls runs in the C locale,
// which sorts as plain bytes, its fastest order; its output goes through a pipe.
#include "listbench.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lister/filelist.h"
#include "shell/settings.h"

namespace {

constexpr double kListTarget = 1.0;
// ls -1 reads names alone; a listing needs each file's size and time too, which POSIX gives
// only by a stat per file (Windows' enumeration carries them). ls -1s pays the same stats.
const char kLs[] = "LC_ALL=C ls -1 %s | cat";
const char kLsSizes[] = "LC_ALL=C ls -1s %s | cat";

// Regular files in the folder; -1 when it cannot be read.
long CountFiles(const char* dir) {
    DIR* d = opendir(dir);
    if (!d)
        return -1;
    long n = 0;
    while (struct dirent* e = readdir(d))
        if (e->d_name[0] != '.')
            n++;
    closedir(d);
    return n;
}

// Names of a few shapes, in no order the system would keep: a word, a hash-like middle, a
// number and one of several extensions (some without), so each sort has real work to do.
void MakeName(unsigned i, char* name, size_t size) {
    static const char* const kWords[] = {"report", "Data", "img", "notes", "build", "x", "README",
                                         "main", "test", "archive"};
    static const char* const kExts[] = {".txt", ".c", ".h", ".tar.gz", "", ".doc", ".CPP", ".log"};
    unsigned h = i * 2654435761u;
    snprintf(name, size, "%s_%08x_%u%s", kWords[h % 10], h, i, kExts[(h >> 8) % 8]);
}

int PrepareFolder(const char* dir) {
    if (CountFiles(dir) == kListBenchFiles)
        return 1;
    fprintf(stderr, "orv_bench: making %d files in %s\n", kListBenchFiles, dir);
    char command[2 * kBenchPathMax];
    if (!Bench_QuotedCommand("rm -rf %s", dir, command, sizeof command) || system(command) != 0 ||
        mkdir(dir, 0755) != 0) {
        fprintf(stderr, "orv_bench: cannot make %s\n", dir);
        return 0;
    }
    for (unsigned i = 0; i < (unsigned)kListBenchFiles; i++) {
        char name[64], path[kBenchPathMax + 64];
        MakeName(i, name, sizeof name);
        snprintf(path, sizeof path, "%s/%s", dir, name);
        const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, name, i % 97) != (ssize_t)(i % 97) || close(fd) != 0) {
            fprintf(stderr, "orv_bench: cannot write %s\n", path);
            return 0;
        }
    }
    return CountFiles(dir) == kListBenchFiles;
}

// Stands in for the list box: keeps every name, as the control keeps its strings.
struct NameStore {
    char* text;
    size_t used, size;
    int32_t count;
};

int StoreName(void* context, const char* name) {
    NameStore* s = (NameStore*)context;
    const size_t n = strlen(name) + 1;
    if (s->used + n > s->size)
        return 0;
    memcpy(s->text + s->used, name, n);
    s->used += n;
    s->count++;
    return 1;
}

double OurListing(const char* dir, int32_t* listed) {
    NameStore store = {nullptr, 0, (size_t)kListBenchFiles * 64, 0};
    store.text = (char*)malloc(store.size);
    if (!store.text)
        return -1;
    FileListSink sink = {};
    sink.context = &store;
    sink.add = StoreName;
    DirFigures figures = {};
    ListOutcome outcome = {};
    const double start = Bench_Now();
    const int rc = ListFiles(dir, "*.*", kSortName, sink, &figures, &outcome);
    const double seconds = Bench_Now() - start;
    free(store.text);
    *listed = store.count;
    return rc == 1 && store.count == kListBenchFiles ? seconds : -1;
}

double LsListing(const char* format, const char* dir, long* lines) {
    char command[2 * kBenchPathMax];
    const int outputSize = kListBenchFiles * 64;
    char* output = (char*)malloc((size_t)outputSize);
    if (!output || !Bench_QuotedCommand(format, dir, command, sizeof command)) {
        free(output);
        return -1;
    }
    const double seconds = Bench_RunPeer(command, output, outputSize);
    *lines = 0;
    for (const char* p = output; (p = strchr(p, '\n')) != nullptr; p++)
        ++*lines;
    free(output);
    return seconds;
}

} // namespace

int Bench_MeasureListTable(const BenchFiles* files, BenchListTable* table) {
    memset(table, 0, sizeof *table);
    table->lsLines = -1;
    snprintf(table->dir, sizeof table->dir, "%s/list-100k", files->dir);
    if (!PrepareFolder(table->dir))
        return 0;
    table->hasLs = Bench_HaveCommand("ls");
    Settings_Reset(); // hidden and system files shown, names lower-cased
    int ok = 1;
    int32_t listed = 0;
    OurListing(table->dir, &listed); // warms the folder's entries and inodes
    for (int run = 0; run < kBenchRuns; run++) {
        fprintf(stderr, "orv_bench: listing, run %d of %d\n", run + 1, kBenchRuns);
        const double seconds = OurListing(table->dir, &table->oursListed);
        ok &= seconds >= 0;
        Bench_SeriesAdd(&table->ours, seconds);
        if (table->hasLs) {
            Bench_SeriesAdd(&table->ls, LsListing(kLs, table->dir, &table->lsLines));
            long lines;
            Bench_SeriesAdd(&table->lsSizes, LsListing(kLsSizes, table->dir, &lines));
        }
    }
    return ok;
}

void Bench_PrintListTable(const BenchListTable* table) {
    printf("\ndirectory listing of %s (%d files), names sorted, best of %d runs\n", table->dir,
           kListBenchFiles, kBenchRuns);
    printf("  %-40s", "ListFiles *.* by name, into a list");
    Bench_PrintRuns(&table->ours);
    printf("  (%d names)\n", table->oursListed);
    printf("  %-40s", "LC_ALL=C ls -1 | cat");
    Bench_PrintRuns(&table->ls);
    printf("  (%ld names)\n", table->lsLines);
    printf("  %-40s", "LC_ALL=C ls -1s | cat (stats each file)");
    Bench_PrintRuns(&table->lsSizes);
    printf("\n");
    const double ours = Bench_Rate(kListBenchFiles, &table->ours, 1e3);
    const double ls = Bench_Rate(kListBenchFiles, &table->ls, 1e3);
    printf("\nlisting results (ratio = ours / ls throughput, higher is better)\n");
    if (ours <= 0 || ls <= 0) {
        printf("  %-30s not measured (a run failed or ls is missing)\n", "listing vs ls -1");
        return;
    }
    const double ratio = ours / ls;
    printf("  %-30s ours %6.0f k names/s  ls %6.0f k names/s  target >= %.1f  %s  ratio=%.2f\n",
           "listing vs ls -1", ours, ls, kListTarget,
           Bench_Verdict(ratio >= kListTarget && table->oursListed == kListBenchFiles), ratio);
    const double lsSizes = Bench_Rate(kListBenchFiles, &table->lsSizes, 1e3);
    if (lsSizes > 0)
        printf("  %-30s ours %6.0f k names/s  ls %6.0f k names/s  report           ratio=%.2f\n",
               "listing vs ls -1s", ours, lsSizes, ours / lsSizes);
}

int Bench_RunListTable(const BenchFiles* files) {
    static BenchListTable table;
    const int ok = Bench_MeasureListTable(files, &table);
    Bench_PrintListTable(&table);
    return ok;
}
