// Find through the engine against grep and ripgrep: the same 1 GiB text, a needle that does not
// occur in it (so every byte is searched), and the peers' output through a pipe (GNU grep stops
// at the first match when it writes to /dev/null).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "benchutil.h"
#include "find/findengine.h"

namespace {

// The scratch text is random printable ASCII, so any eight letters are as rare as any others.
struct FindCase {
    const char* name;
    BenchMode mode;
    const char* string1; // hex text in hex mode
    const char* string2; // AND's second word; null for none
    bool ignoreCase;
    bool regex;
    const char* grep; // the peers, %s the quoted path
    const char* rg;
    double target; // ours / grep; 0: reported only
    double rgTarget; // ours / rg; 0: reported only
};

const FindCase kCases[kFindKinds] = {
    {"plain", kBenchText, "haystack", nullptr, false, false, "grep -F -c haystack %s | cat",
     "rg -F -c haystack %s | cat", 1.0, 1.0},
    {"ignore case", kBenchText, "HayStack", nullptr, true, false,
     "grep -F -i -c HayStack %s | cat", "rg -F -i -c HayStack %s | cat", 1.0, 0.8},
    {"hex bytes (hex view)", kBenchHex, "68 61 79 73 74 61 63 6b", nullptr, false, false,
     "grep -F -c haystack %s | cat", "rg -F -c haystack %s | cat", 0.8, 0.8},
    {"regex err*timeout", kBenchText, "err*timeout", nullptr, false, true,
     "grep -c 'err.*timeout' %s | cat", "rg -c 'err.*timeout' %s | cat", 1.0, 0.8},
    {"AND hay, stack2", kBenchText, "haystck", "needlez", false, false,
     "grep -c -e 'haystck.*needlez' -e 'needlez.*haystck' %s | cat",
     "rg -c -e 'haystck.*needlez' -e 'needlez.*haystck' %s | cat", 1.0, 0},
};

int SettingsFor(const FindCase& c, FindSettings* s) {
    FindSettings_Init(s);
    s->ignoreCase = c.ignoreCase;
    s->regularExpression = c.regex;
    snprintf(s->string1, sizeof s->string1, "%s", c.string1);
    s->typedLength = (int32_t)strlen(c.string1);
    if (c.string2) {
        snprintf(s->string2, sizeof s->string2, "%s", c.string2);
        s->booleanFind = 1;
        s->andMode = 1;
    }
    if (c.mode == kBenchHex) {
        s->hexFind = 1;
        if (ParseHexText(c.string1, s->hexText1, s->string1, &s->typedLength, &s->byteCount1,
                         &s->hexFind) != 1)
            return 0;
    }
    return 1;
}

// Seconds for a new find from the top of the file to its end; -1 when it failed or found.
double OurFind(const char* path, const FindCase& c, int* found) {
    FindSettings s;
    ViewEngine* engine = &gEngine;
    if (!SettingsFor(c, &s) || !Bench_CreateEngine(engine))
        return -1;
    double start = Bench_Now();
    int rc = -1;
    if (Bench_OpenView(engine, path, c.mode) == 0)
        rc = FindInView(engine, &s, false, FindPatternLength(s), false);
    double seconds = Bench_Now() - start;
    Engine_Destroy(engine);
    if (rc == 1)
        *found = 1;
    return rc == 0 ? seconds : -1;
}

double Peer(const char* format, const char* path, long* count) {
    char command[3 * kBenchPathMax];
    char output[64];
    if (!Bench_QuotedCommand(format, path, command, sizeof command))
        return -1;
    double seconds = Bench_RunPeer(command, output, sizeof output);
    *count = seconds >= 0 ? strtol(output, nullptr, 10) : -1;
    return seconds;
}

} // namespace

int Bench_MeasureFindTable(const BenchFiles* files, BenchFindTable* table) {
    memset(table, 0, sizeof *table);
    table->hasGrep = Bench_HaveCommand("grep");
    table->hasRg = Bench_HaveCommand("rg");
    int ok = 1;
    for (int k = 0; k < kFindKinds; k++) {
        const FindCase& c = kCases[k];
        BenchFindRow* row = &table->rows[k];
        row->grepCount = row->rgCount = -1;
        for (int run = 0; run < kBenchRuns; run++) {
            fprintf(stderr, "orv_bench: find %s, run %d of %d\n", c.name, run + 1, kBenchRuns);
            double seconds = OurFind(files->bigText, c, &row->oursFound);
            ok &= seconds >= 0;
            Bench_SeriesAdd(&row->ours, seconds);
            if (table->hasGrep)
                Bench_SeriesAdd(&row->grep, Peer(c.grep, files->bigText, &row->grepCount));
            if (table->hasRg)
                Bench_SeriesAdd(&row->rg, Peer(c.rg, files->bigText, &row->rgCount));
        }
    }
    return ok;
}

void Bench_PrintFindTable(const BenchFindTable* table) {
    double ours[kFindKinds], grep[kFindKinds], rg[kFindKinds];
    printf("\nfind through the engine, block by block, over text-1g.txt (needle absent)\n");
    for (int k = 0; k < kFindKinds; k++) {
        const BenchFindRow& row = table->rows[k];
        ours[k] = Bench_Rate(kBigTextBytes, &row.ours, 1e9);
        grep[k] = Bench_Rate(kBigTextBytes, &row.grep, 1e9);
        rg[k] = Bench_Rate(kBigTextBytes, &row.rg, 1e9);
        printf("  %-22s ", kCases[k].name);
        Bench_PrintRuns(&row.ours);
        printf("  ours %5.2f GB/s  grep %5.2f GB/s (count %ld)  rg %5.2f GB/s (count %ld)%s\n",
               ours[k], grep[k], row.grepCount, rg[k], row.rgCount,
               row.oursFound ? "  FOUND A NEEDLE THAT SHOULD NOT BE THERE" : "");
    }
    const char* const peerNames[2] = {"grep", "rg"};
    const double* const peers[2] = {grep, rg};
    for (int p = 0; p < 2; p++) {
        printf("\nfind results against %s (ratio = ours / %s throughput, higher is better)\n",
               peerNames[p], peerNames[p]);
        for (int k = 0; k < kFindKinds; k++) {
            const FindCase& c = kCases[k];
            const double peer = peers[p][k];
            if (ours[k] <= 0 || peer <= 0) {
                printf("  %-30s not measured (a run failed or %s is missing)\n", c.name,
                       peerNames[p]);
                continue;
            }
            const double ratio = ours[k] / peer;
            const double target = p == 0 ? c.target : c.rgTarget;
            char verdict[32] = "report";
            if (target > 0)
                snprintf(verdict, sizeof verdict, "target >= %.1f  %s", target,
                         Bench_Verdict(ratio >= target && !table->rows[k].oursFound));
            printf("  %-30s ours %5.2f GB/s  %-4s %5.2f GB/s  %-18s  ratio=%.2f\n", c.name,
                   ours[k], peerNames[p], peer, verdict, ratio);
        }
    }
}
