// The GUI tests run in one thread that owns every window. A box nobody answers would block that
// thread for good, so a watchdog ends the run when one test goes on too long.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

namespace {

constexpr DWORD kTestTimeoutMs = 30000;

volatile LONG gTestStartTick = 0; // 0 between tests
char gTestName[256];

class TestClock : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        snprintf(gTestName, sizeof gTestName, "%s.%s", info.test_suite_name(), info.name());
        InterlockedExchange(&gTestStartTick, static_cast<LONG>(GetTickCount() | 1));
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        InterlockedExchange(&gTestStartTick, 0);
    }
};

DWORD WINAPI Watchdog(void*) {
    for (;;) {
        Sleep(250);
        DWORD start = static_cast<DWORD>(gTestStartTick);
        if (start && GetTickCount() - start > kTestTimeoutMs) {
            fprintf(stderr, "\n%s ran longer than %lu s (a box left unanswered?): stopped.\n",
                    gTestName, kTestTimeoutMs / 1000);
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestClock);
    HANDLE watchdog = CreateThread(NULL, 0, Watchdog, NULL, 0, NULL);
    if (watchdog)
        CloseHandle(watchdog);
    return RUN_ALL_TESTS();
}
