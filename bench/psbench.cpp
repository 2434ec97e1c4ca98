// The PostScript reader's cost: a 100 MiB dialect 3.0 print file opened and walked to its end
// through the engine as PostScript text, against the same walk over the file read plainly.
#include "psbench.h"

#include <stdio.h>
#include <sys/stat.h>

#include <string>

#include "print/psread.h"

namespace {

constexpr int64_t kPrintFileBytes = INT64_C(100) << 20;
constexpr int kRowsPerPage = 60;
constexpr int kRuns = 3;

// Lines of a letter-like print file: records down each page in two columns, and page breaks.
int MakePrintFile(const char* path) {
    struct stat st;
    if (stat(path, &st) == 0 && st.st_size >= kPrintFileBytes)
        return 1;
    FILE* f = fopen(path, "wb");
    if (!f)
        return 0;
    int64_t written = fprintf(f, "%%!PS-Adobe-3.0\r\n%%%%Creator: orv_bench\r\n");
    char line[160];
    for (int64_t i = 0; written < kPrintFileBytes; i++) {
        const int row = (int)(i % kRowsPerPage);
        if (row == 0 && i > 0)
            written += fprintf(f, "EJ\r\n");
        int n = snprintf(line, sizeof line,
                         "%d %d 0 (Line %lld of the bench print file, some words to read) SB\r\n",
                         300 + 150 * (int)(i % 3), 150 + 50 * row, (long long)i);
        written += (int64_t)fwrite(line, 1, (size_t)n, f);
        if (i % 7 == 0)
            written += fprintf(f, "1800 %d 0 (right) SB\r\n", 150 + 50 * row);
    }
    return fclose(f) == 0;
}

// Opens the file as a view does and goes to its end: best milliseconds of kRuns, and the lines.
int TimeEnd(const char* path, bool postScript, double* bestMs, int64_t* lines) {
    *bestMs = -1;
    for (int run = 0; run < kRuns; run++) {
        ViewEngine e;
        if (!Bench_CreateEngine(&e))
            return 0;
        gPsScreen = {16, 8, 96, 96};
        e.readPostScript = PsRead_Block;
        e.settings.postScriptState = postScript ? kPostScriptShown : 0;
        const double start = Bench_Now();
        int rc = Bench_OpenView(&e, path, kBenchText);
        if (rc == 0) {
            e.file.topLine = END_LINE;
            rc = EnsureWindow(&e, false);
        }
        const double ms = (Bench_Now() - start) * 1000;
        *lines = e.totalLines;
        const bool shown = (e.settings.postScriptState & kPostScriptShown) != 0;
        Engine_Destroy(&e);
        if (rc != 0 || shown != postScript)
            return 0;
        if (*bestMs < 0 || ms < *bestMs)
            *bestMs = ms;
    }
    return 1;
}

} // namespace

int Bench_RunPostScriptTable(const BenchFiles* files) {
    const std::string path = std::string(files->dir) + "/print-100m.ps";
    if (!MakePrintFile(path.c_str()) || !Bench_WarmFile(path.c_str())) {
        fprintf(stderr, "orv_bench: cannot make %s\n", path.c_str());
        return 0;
    }
    double psMs = 0, plainMs = 0;
    int64_t psLines = 0, plainLines = 0;
    if (!TimeEnd(path.c_str(), true, &psMs, &psLines) ||
        !TimeEnd(path.c_str(), false, &plainMs, &plainLines)) {
        fprintf(stderr, "orv_bench: a walk through the print file failed\n");
        return 0;
    }
    printf("\nPostScript text (native engine, 100 MiB dialect 3.0 print file, open + End, best "
           "of %d)\n",
           kRuns);
    printf("  read plainly       %10.1f ms  %9lld lines %8.1f MiB/s\n", plainMs,
           (long long)plainLines, 100.0 / (plainMs / 1000));
    printf("  as PostScript text %10.1f ms  %9lld rows  %8.1f MiB/s  ratio=%.2f\n", psMs,
           (long long)psLines, 100.0 / (psMs / 1000), psMs / plainMs);
    return 1;
}
