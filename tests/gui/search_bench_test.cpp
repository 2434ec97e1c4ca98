// The disk search bench under Wine (scripts/searchbench.sh names the tree in ORV_SEARCH_BENCH):
// the native bench's tree of 100,000 files searched in ORV's results windows, by name mask and
// by containing string, against a bare FindFirstFile walk of the same tree in the same run.
// Reported numbers, never a pass or fail.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include <string>

#include "search/searchwalk.h"
#include "find/findpat.h"
#include "search/searchcmd_win.h"
#include "search/resultswnd_win.h"
#include "gui/harness.h"
#include "platform/uiseam.h"
#include "shell/uiseam_win.h"
#include "shell/settings.h"

namespace {

// Files under root, every directory entered once, as the system lists them; with readEach,
// each file opened, read and closed as well: the least a search by contents asks of the system.
long BareWalk(const std::string& root, bool readEach = false) {
    WIN32_FIND_DATAA found;
    HANDLE scan = FindFirstFileA((root + "\\*").c_str(), &found);
    long files = 0;
    if (scan == INVALID_HANDLE_VALUE)
        return 0;
    static char bytes[102400];
    do {
        const std::string path = root + "\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            HANDLE file = readEach ? CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                 NULL, OPEN_EXISTING, 0, NULL)
                                   : NULL;
            DWORD got = 0;
            if (!readEach || (file != INVALID_HANDLE_VALUE &&
                              ReadFile(file, bytes, sizeof bytes, &got, NULL)))
                files++;
            if (readEach && file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        } else if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0) {
            files += BareWalk(path, readEach);
        }
    } while (FindNextFileA(scan, &found));
    FindClose(scan);
    return files;
}

// The same search through the engine alone, as the results window runs it but without a window:
// where the time of a search under Wine goes.
long EngineSearch(const std::string& root, const char* mask, bool contents, double* ms) {
    gSearchCriteria = SearchCriteria();
    snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s\\%s", root.c_str(), mask);
    gSearchCriteria.onlyLimb = true;
    gSearchCriteria.containingString = contents;
    const SearchHooks hooks = {};
    SearchWalk walk = {};
    long found = 0;
    const double start = Harness_NowMs();
    while (Search_NextMatch(&walk, gSearchCriteria, kSearchListMode, hooks) == kSearchFound)
        found++;
    *ms = Harness_NowMs() - start;
    Search_Reset(&walk, hooks);
    return found;
}

// One list-mode search into a results window, timed to its filled list; the entries listed.
long TimedSearch(const std::string& root, const char* mask, bool contents, double* ms) {
    gSearchCriteria = SearchCriteria();
    snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s\\%s", root.c_str(), mask);
    gSearchCriteria.onlyLimb = true;
    gSearchCriteria.containingString = contents;
    gSearchCriteria.listWindow = true;
    gFind = FindSettings();
    snprintf(gFind.string1, sizeof gFind.string1, "quetzalcoatl");
    gFind.typedLength = (int)strlen(gFind.string1);
    const double start = Harness_NowMs();
    FileSearch_OpenResults();
    Harness_PumpMessages(0); // the search runs when the window takes its posted command
    *ms = Harness_NowMs() - start;
    HWND results = Results_Current();
    const long listed = results ? (long)SendMessageA(Results_List(results), LB_GETCOUNT, 0, 0) : -1;
    if (results)
        SendMessageA(gMdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(results), 0);
    return listed;
}

TEST(SearchBench, TheBenchTreeInResultsWindows) {
    char root[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("ORV_SEARCH_BENCH", root, sizeof root))
        GTEST_SKIP() << "set ORV_SEARCH_BENCH to the tree to search";
    Plat_ResetProfileForTests();
    Plat_WriteProfileString("ORV for Windows", "AutoOpen", "0");
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWMAXIMIZED));
    gSettings.hiddenFiles = 1;
    gSettings.systemFiles = 1;
    BareWalk(root); // the system's caches are warm for every side

    // One run each: a search of the whole tree takes long enough to measure.
    double best[3];
    long counts[3];
    double start = Harness_NowMs();
    counts[0] = BareWalk(root);
    best[0] = Harness_NowMs() - start;
    counts[1] = TimedSearch(root, "*7.txt", false, &best[1]);
    counts[2] = TimedSearch(root, "*.txt", true, &best[2]);
    start = Harness_NowMs();
    const long read = BareWalk(root, true);
    const double readMs = Harness_NowMs() - start;
    double engineMs[2][2];
    for (int quiet = 0; quiet < 2; quiet++) {
        if (quiet)
            Ui_SetHooks(nullptr); // no busy cursor and no look for pending input
        EngineSearch(root, "*7.txt", false, &engineMs[quiet][0]);
        EngineSearch(root, "*.txt", true, &engineMs[quiet][1]);
    }
    UiWin_InstallHooks();
    printf("\ndisk search bench under Wine\n");
    printf("  FindFirstFile walk of the tree      %8.1f ms  %6ld files\n", best[0], counts[0]);
    printf("  name mask *7.txt, results window    %8.1f ms  %6ld listed  (%.2fx the walk)\n",
           best[1], counts[1], best[0] > 0 ? best[1] / best[0] : 0.0);
    printf("  each file opened, read and closed   %8.1f ms  %6ld files\n", readMs, read);
    printf("  containing a string, results window %8.1f ms  %6ld listed  (%.2fx the walk, "
           "%.2fx the reads)\n",
           best[2], counts[2], best[0] > 0 ? best[2] / best[0] : 0.0,
           readMs > 0 ? best[2] / readMs : 0.0);
    printf("    of which, the engine alone: name %.1f ms, contents %.1f ms; without the busy\n"
           "    cursor and the look for pending input: name %.1f ms, contents %.1f ms\n",
           engineMs[0][0], engineMs[0][1], engineMs[1][0], engineMs[1][1]);
    fflush(stdout);
    Orv_Shutdown();
    Plat_ResetProfileForTests();
}

} // namespace
