// The view bench on the Windows side: a 4 GiB sparse file opened in a real view inside ORV's
// frame, End, then 1,000 Page Downs from the middle, each painted; the same moves through the
// engine alone; and the working set against a small file's. Runs only when ORV_VIEW_BENCH is set
// (scripts/viewbench.sh), as it walks 4 GiB.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>
#include <stdio.h>

#include <fstream>
#include <string>
#include <vector>

#include "../../bench/viewmoves.h"
#include "find/findengine.h"
#include "gui/harness.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"

namespace {

constexpr int64_t kSparseBytes = INT64_C(4) << 30;

int64_t WorkingSetKiB() {
    typedef BOOL(WINAPI * InfoFn)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    InfoFn info = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!info || !info(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return (int64_t)(counters.WorkingSetSize / 1024);
}

bool MakeSparseFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    size.QuadPart = kSparseBytes;
    bool ok = SetFilePointerEx(file, size, NULL, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

void Press(HWND view, WPARAM key) {
    SendMessageA(view, WM_KEYDOWN, key, 1);
    UpdateWindow(view);
}

void WarmUp(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::vector<char> chunk(1 << 20);
    DWORD got = 0;
    while (ReadFile(file, chunk.data(), (DWORD)chunk.size(), &got, NULL) && got > 0) {
    }
    CloseHandle(file);
}

TEST(ViewBench, FourGiBSparseFileInAView) {
    if (!GetEnvironmentVariableA("ORV_VIEW_BENCH", NULL, 0))
        GTEST_SKIP() << "set ORV_VIEW_BENCH to run";
    // No harness watchdog: walking 4 GiB under Wine takes longer than its 30 s. No box is
    // expected (the block table grows past its default 512 entries as the walk needs);
    // scripts/viewbench.sh limits the run instead.
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
    Harness_PumpMessages(100);
    const std::string big = Harness_OutputPath("sparse-4g.bin");
    const std::string small = Harness_OutputPath("small-bench.txt");
    ASSERT_TRUE(MakeSparseFile(big));
    {
        std::ofstream out(small, std::ios::binary);
        for (int i = 0; i < 1000; i++)
            out << "a short line of a small file\r\n";
    }

    // Read once before anything is timed: whichever run came first would otherwise also pay
    // for the system filling its cache with the file's 4 GiB of holes.
    WarmUp(big);

    HWND smallView = View_OpenFile(small.c_str());
    ASSERT_TRUE(smallView != NULL);
    UpdateWindow(smallView);
    const int64_t smallSet = WorkingSetKiB();

    gEngine.modePolicy = kModeAnswerNo; // zeros are no text: binary rows, unasked
    double t = Harness_NowMs();
    HWND view = View_OpenFile(big.c_str());
    ASSERT_TRUE(view != NULL);
    ShowWindow(view, SW_MAXIMIZE);
    UpdateWindow(view);
    const double openMs = Harness_NowMs() - t;
    const int pageLines = (int)gEngine.pageLines;

    t = Harness_NowMs();
    Press(view, VK_END);
    const double endMs = Harness_NowMs() - t;
    const int64_t endTop = View_TopLine(view);

    t = Harness_NowMs();
    Press(view, '5');
    const double middleMs = Harness_NowMs() - t;
    const int64_t middleTop = View_TopLine(view);

    t = Harness_NowMs();
    for (int i = 0; i < 1000; i++)
        Press(view, VK_NEXT);
    const double pageMs = (Harness_NowMs() - t) / 1000;
    EXPECT_EQ(middleTop + 1000 * (int64_t)pageLines, View_TopLine(view));
    const int64_t bigSet = WorkingSetKiB();
    gEngine.modePolicy = kModeAsk;

    SendMessageA(gFrame, WM_COMMAND, 96 /* Close All */, 0);
    ViewMoveTimes engine;
    ASSERT_EQ(1, ViewMoves_Run(&gEngine, big.c_str(), pageLines, 1000, &engine));
    gEngine.file.validMarker = -1;

    printf("\nview bench under Wine (4 GiB sparse file, binary rows, %d-line page)\n", pageLines);
    printf("                      in a view, painted   engine alone\n");
    printf("  open + first page   %12.2f ms   %12.2f ms\n", openMs, engine.openMs);
    printf("  End                 %12.2f ms   %12.2f ms  (top line %lld)\n", endMs,
           engine.endMs, (long long)endTop);
    printf("  to the middle       %12.2f ms   %12.2f ms\n", middleMs, engine.middleMs);
    printf("  Page Down           %12.4f ms   %12.4f ms each, 1000 from the middle\n", pageMs,
           engine.pageDownMs);
    printf("  working set         %lld KiB with a 30 KB file, %lld KiB with the 4 GiB file\n",
           (long long)smallSet, (long long)bigSet);
    fflush(stdout);

    DeleteFileA(big.c_str());
    Orv_Shutdown();
    Plat_ResetProfileForTests();
}

// Milliseconds for End from the top of the view, and for a find of a needle the text does not
// hold (so every byte is looked at) from the top, walking every block (exact) or not; each
// from a file whose blocks are not known yet.
void TimeTextWalks(HWND view, bool exact, double* endMs, double* findMs) {
    gEngine.exactWalk = exact;
    ResetEngine(&gEngine, false);
    double t = Harness_NowMs();
    Press(view, VK_END);
    *endMs = Harness_NowMs() - t;
    ResetEngine(&gEngine, false);
    FindSettings s;
    FindSettings_Init(&s);
    s.ignoreCase = 0;
    snprintf(s.string1, sizeof s.string1, "haystack");
    s.typedLength = 8;
    t = Harness_NowMs();
    const int found = FindInView(&gEngine, &s, false, 8, false);
    *findMs = found == 0 ? Harness_NowMs() - t : -1;
    gEngine.exactWalk = false;
}

// The 1 GiB text the native bench made (ORV_BENCH_TEXT names it), in a view: End and a find
// through all of it, as the product walks them and block by block, as it did before.
TEST(ViewBench, OneGiBTextInAView) {
    char text[MAX_PATH];
    if (!GetEnvironmentVariableA("ORV_VIEW_BENCH", NULL, 0) ||
        !GetEnvironmentVariableA("ORV_BENCH_TEXT", text, sizeof text) ||
        GetFileAttributesA(text) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "set ORV_VIEW_BENCH and ORV_BENCH_TEXT to the native bench's text";
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
    Harness_PumpMessages(100);
    WarmUp(text);
    HWND view = View_OpenFile(text);
    ASSERT_TRUE(view != NULL);
    ShowWindow(view, SW_MAXIMIZE);
    UpdateWindow(view);
    double endMs[2], findMs[2];
    for (int exact = 1; exact >= 0; exact--)
        TimeTextWalks(view, exact != 0, &endMs[exact], &findMs[exact]);
    const double mb = 1073741824.0 / 1e6;
    printf("\n1 GiB text in a view under Wine (%s), default settings\n", text);
    printf("                      block by block          passing over\n");
    printf("  End                 %8.0f ms %5.2f GB/s   %8.0f ms %5.2f GB/s\n", endMs[1],
           mb / endMs[1], endMs[0], mb / endMs[0]);
    printf("  find, needle absent %8.0f ms %5.2f GB/s   %8.0f ms %5.2f GB/s\n", findMs[1],
           mb / findMs[1], findMs[0], mb / findMs[0]);
    fflush(stdout);
    SendMessageA(gFrame, WM_COMMAND, 96 /* Close All */, 0);
    Orv_Shutdown();
    Plat_ResetProfileForTests();
}

} // namespace
