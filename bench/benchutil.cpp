#include "benchutil.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "platform/uiseam.h"

namespace {

constexpr int kChunkBytes = 4 << 20;
constexpr int kMinLineBytes = 20;
constexpr int kMaxLineBytes = 200;
// Fixed seeds: the files are the same on every machine and every run, so runs compare.
constexpr uint64_t kTextSeed = UINT64_C(0x0123456789ABCDEF);
constexpr uint64_t kRandomSeed = UINT64_C(0xFEDCBA9876543210);

struct Rng {
    uint64_t state;
};

// splitmix64: fast, and every seed gives a full-period stream.
uint64_t Rng_Next(Rng* rng) {
    uint64_t z = (rng->state += UINT64_C(0x9E3779B97F4A7C15));
    z = (z ^ (z >> 30)) * UINT64_C(0xBF58476D1CE4E5B9);
    z = (z ^ (z >> 27)) * UINT64_C(0x94D049BB133111EB);
    return z ^ (z >> 31);
}

// Lines of 20..200 printable bytes and a line feed; the last line is cut so that the file has
// exactly `size` bytes and still ends with a line feed.
int FillText(Rng* rng, char* chunk, int chunkBytes, int64_t* left) {
    int used = 0;
    while (*left > 0) {
        int64_t lineBytes =
            kMinLineBytes + (int64_t)(Rng_Next(rng) % (kMaxLineBytes - kMinLineBytes + 1));
        if (lineBytes + 1 > *left)
            lineBytes = *left - 1;
        if (used + lineBytes + 1 > chunkBytes)
            break;
        int64_t i = 0;
        while (i < lineBytes) {
            uint64_t bits = Rng_Next(rng);
            for (int k = 0; k < 8 && i < lineBytes; ++k, ++i) {
                chunk[used + i] = (char)(0x20 + (((bits & 0xFF) * 95) >> 8));
                bits >>= 8;
            }
        }
        chunk[used + lineBytes] = '\n';
        used += (int)lineBytes + 1;
        *left -= lineBytes + 1;
    }
    return used;
}

int FillRandom(Rng* rng, char* chunk, int chunkBytes, int64_t* left) {
    int used = *left < chunkBytes ? (int)*left : chunkBytes;
    for (int i = 0; i < used; i += 8) {
        uint64_t bits = Rng_Next(rng);
        int n = used - i < 8 ? used - i : 8;
        memcpy(chunk + i, &bits, n);
    }
    *left -= used;
    return used;
}

int64_t FileSizeOf(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0)
        return -1;
    return st.st_size;
}

// Writes to a temporary name and renames, so an interrupted run never leaves a file of the right
// size with the wrong content.
int MakeFile(const char* path, int64_t size, bool text, uint64_t seed) {
    int result = 0;
    char temp[kBenchPathMax + 8];
    char* chunk = nullptr;
    int fd = -1;
    Rng rng = {seed};
    int64_t left = size;

    if (FileSizeOf(path) == size)
        return 1;
    fprintf(stderr, "orv_bench: making %s (%lld bytes)\n", path, (long long)size);
    snprintf(temp, sizeof temp, "%s.tmp", path);
    chunk = (char*)malloc(kChunkBytes);
    if (!chunk)
        goto done;
    fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        fprintf(stderr, "orv_bench: cannot create %s: %s\n", temp, strerror(errno));
        goto done;
    }
    while (left > 0) {
        int used = text ? FillText(&rng, chunk, kChunkBytes, &left)
                        : FillRandom(&rng, chunk, kChunkBytes, &left);
        if (write(fd, chunk, used) != used) {
            fprintf(stderr, "orv_bench: cannot write %s: %s\n", temp, strerror(errno));
            goto done;
        }
    }
    if (close(fd) != 0) {
        fd = -1;
        goto done;
    }
    fd = -1;
    if (rename(temp, path) != 0) {
        fprintf(stderr, "orv_bench: cannot rename %s: %s\n", temp, strerror(errno));
        goto done;
    }
    result = 1;
done:
    if (fd >= 0)
        close(fd);
    free(chunk);
    return result;
}

void BenchFatalExit(const char* text) {
    fprintf(stderr, "orv_bench: the engine took the fatal exit: %s\n", text);
    abort();
}

int BenchAsk(const PromptRequest* request) {
    fprintf(stderr, "orv_bench: the engine asked \"%s\": %s\n",
            request->caption ? request->caption : "", request->text ? request->text : "");
    abort();
}

} // namespace

double Bench_Now() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

int Bench_PrepareFiles(BenchFiles* files) {
    const char* dir = getenv("ORV_BENCH_DIR");
    if (!dir || !*dir)
        dir = "/tmp/orv-bench";
    if (strlen(dir) > kBenchPathMax - 32) {
        fprintf(stderr, "orv_bench: scratch directory name too long: %s\n", dir);
        return 0;
    }
    snprintf(files->dir, sizeof files->dir, "%s", dir);
    snprintf(files->bigText, sizeof files->bigText, "%s/text-1g.txt", dir);
    snprintf(files->smallText, sizeof files->smallText, "%s/text-10m.txt", dir);
    snprintf(files->random, sizeof files->random, "%s/random-100m.bin", dir);
    if (mkdir(dir, 0755) != 0 && errno != EEXIST) {
        fprintf(stderr, "orv_bench: cannot make %s: %s\n", dir, strerror(errno));
        return 0;
    }
    // The 10 MiB file starts as the 1 GiB one does (same seed), so both walks meet lines alike.
    return MakeFile(files->bigText, kBigTextBytes, true, kTextSeed) &&
           MakeFile(files->smallText, kSmallTextBytes, true, kTextSeed) &&
           MakeFile(files->random, kRandomBytes, false, kRandomSeed);
}

int Bench_WarmFile(const char* path) {
    static char chunk[1 << 20];
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return 0;
    ssize_t got;
    while ((got = read(fd, chunk, sizeof chunk)) > 0) {
    }
    close(fd);
    return got == 0;
}

void Bench_InstallHooks() {
    UiHooks hooks = {};
    hooks.ask = BenchAsk;
    hooks.fatalExit = BenchFatalExit;
    Ui_SetHooks(&hooks);
}

MemorySizes Bench_Sizes() {
    return ComputeMemorySizes(256, kBenchBlockPointers, kFileBufferDefault);
}

int Bench_CreateEngine(ViewEngine* engine) {
    if (!Engine_Create(engine, Bench_Sizes())) {
        fprintf(stderr, "orv_bench: Engine_Create failed\n");
        return 0;
    }
    return 1;
}

int Bench_OpenView(ViewEngine* engine, const char* path, BenchMode mode) {
    if (!Engine_SetFile(engine, path)) {
        fprintf(stderr, "orv_bench: Engine_SetFile failed for %s\n", path);
        return -1;
    }
    engine->pageLines = kBenchPageLines;
    engine->settings.tabSpacing = 8;
    engine->settings.hexMode = mode == kBenchHex;
    engine->settings.binaryMode = 0;
    engine->settings.stripBit7 = 0;
    engine->settings.crIsNewLine = 0;
    engine->settings.all256Chars = 0;
    engine->modePolicy = kModeAnswerYes;
    if (ResetEngine(engine, false) != 0) {
        fprintf(stderr, "orv_bench: ResetEngine failed for %s\n", path);
        return -1;
    }
    return 0;
}

int Bench_HaveCommand(const char* name) {
    char command[256];
    snprintf(command, sizeof command, "command -v %s >/dev/null 2>&1", name);
    int status = system(command);
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int Bench_ShellQuote(const char* path, char* dest, int destSize) {
    int used = 0;
    if (destSize < 3)
        return 0;
    dest[used++] = '\'';
    for (const char* p = path; *p; ++p) {
        const char* piece = *p == '\'' ? "'\\''" : nullptr;
        int pieceBytes = piece ? 4 : 1;
        if (used + pieceBytes + 2 > destSize)
            return 0;
        if (piece) {
            memcpy(dest + used, piece, 4);
        } else {
            dest[used] = *p;
        }
        used += pieceBytes;
    }
    dest[used++] = '\'';
    dest[used] = 0;
    return 1;
}

double Bench_RunPeer(const char* command, char* output, int outputSize) {
    char sink[1 << 16];
    int kept = 0;
    double start = Bench_Now();
    FILE* pipe = popen(command, "r");
    if (!pipe)
        return -1;
    size_t got;
    while ((got = fread(sink, 1, sizeof sink, pipe)) > 0) {
        int take = (int)got;
        if (take > outputSize - 1 - kept)
            take = outputSize - 1 - kept;
        if (take > 0) {
            memcpy(output + kept, sink, take);
            kept += take;
        }
    }
    int status = pclose(pipe);
    double seconds = Bench_Now() - start;
    if (outputSize > 0)
        output[kept] = 0;
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return seconds;
}

void Bench_SeriesAdd(BenchSeries* series, double seconds) {
    if (seconds < 0 || series->runs >= kBenchRuns)
        return;
    series->seconds[series->runs++] = seconds;
    if (series->best == 0 || seconds < series->best)
        series->best = seconds;
}

int Bench_QuotedCommand(const char* format, const char* path, char* dest, int destSize) {
    char quoted[2 * kBenchPathMax];
    if (!Bench_ShellQuote(path, quoted, sizeof quoted))
        return 0;
    return snprintf(dest, destSize, format, quoted) < destSize;
}

void Bench_PrintRuns(const BenchSeries* series) {
    char text[64] = "";
    int used = 0;
    for (int i = 0; i < series->runs; ++i)
        used +=
            snprintf(text + used, sizeof text - used, "%s%.3f", i ? " " : "", series->seconds[i]);
    printf("runs %-20s s", series->runs ? text : "(none)");
}

double Bench_Rate(int64_t bytes, const BenchSeries* series, double unit) {
    return series->best > 0 ? (double)bytes / series->best / unit : 0;
}

const char* Bench_Verdict(bool pass) {
    return pass ? "PASS" : "FAIL";
}

int Bench_ScratchTree(const char* name, char* root, int rootSize, int (*make)(const char* root)) {
    const char* dir = getenv("ORV_BENCH_DIR");
    if (!dir || !*dir)
        dir = "/tmp/orv-bench";
    snprintf(root, (size_t)rootSize, "%s/%s", dir, name);
    char marker[kBenchPathMax];
    snprintf(marker, sizeof marker, "%s.complete", root);
    if (access(marker, F_OK) == 0)
        return 1;
    char command[2 * kBenchPathMax], output[16];
    if (!Bench_QuotedCommand("rm -rf %s", root, command, sizeof command) ||
        Bench_RunPeer(command, output, sizeof output) < 0 ||
        (mkdir(dir, 0755) != 0 && errno != EEXIST) || mkdir(root, 0755) != 0 || !make(root))
        return 0;
    FILE* f = fopen(marker, "w");
    return f && fclose(f) == 0;
}
