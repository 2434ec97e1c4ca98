// Buffer sizing from section "Memory": the load rules, the derived sizes, the reading of the
// profile values, and what happens when the values ask for more memory than there is.
#include <gtest/gtest.h>

#include <stdint.h>
#include <string>
#include <vector>

#include "shell/memsettings.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "support.h"

namespace {

TEST(ComputeMemorySizes, AppliesTheLoadRulesAndDerivesTheSizes) {
    struct Case {
        int64_t lineLength, blockPointers, fileBuffer; // raw values as read
        // L, B, F, H, A, R, C worked out by hand from the load rules, and the largest page:
        // H - 1, for A / 78 - 1 is always more.
        std::vector<int64_t> want;
    };
    const int64_t kDef = kFileBufferDefault, kMax = INT64_MAX, h = kMax / 512;
    const Case cases[] = {
        {256, 512, kDef, {256, 512, 102400, 200, 51200, 102400, 6401, 199}},     // defaults
        {100, 512, kDef, {256, 512, 102400, 200, 51200, 102400, 6401, 199}},     // L raised
        {5000, 512, kDef, {1024, 512, 409600, 200, 204800, 409600, 25601, 199}}, // L lowered
        {300, 512, kDef, {300, 512, 120000, 200, 60000, 120000, 7501, 199}},
        {256, 1, kDef, {256, 2, 102400, 200, 51200, 102400, 6401, 199}}, // B raised
        {256, 512, 1000, {256, 512, 30720, 60, 15360, 30720, 1921, 59}}, // F raised to L * 120
        {1024, 512, -5, {1024, 512, 122880, 60, 61440, 122880, 7681, 59}},
        {300, 512, 36999, {300, 512, 36999, 61, 18300, 36600, 2313, 60}}, // F not whole lines
        {512, 900, 1000000, {512, 900, 1000000, 976, 499712, 999424, 62501, 975}},
        // Huge values stay huge instead of wrapping, and fail when the memory is asked for.
        {256, 512, kMax, {256, 512, kMax, h, h * 256, h * 512, kMax / 16 + 1, INT32_MAX}},
        {256, kMax, kDef, {256, INT32_MAX, 102400, 200, 51200, 102400, 6401, 199}},
    };
    for (const Case& c : cases) {
        const MemorySizes s = ComputeMemorySizes(c.lineLength, c.blockPointers, c.fileBuffer);
        EXPECT_EQ(
            (std::vector<int64_t>{s.lineLength, s.blockPointers, s.fileBuffer, s.bufferLines,
                                  s.displayBytes, s.readSize, s.indexEntries, MaxPageLines(s)}),
            c.want)
            << c.lineLength << ", " << c.blockPointers << ", " << c.fileBuffer;
    }
}

TEST(ComputeMemorySizes, MemoryThatCannotBeHadEndsTheProgramAtTheFirstLock) {
    const struct {
        MemorySizes sizes;
        bool had;
    } cases[] = {{ComputeMemorySizes(256, 512, kFileBufferDefault), true},
                 {ComputeMemorySizes(256, 512, INT64_MAX), false},
                 {ComputeMemorySizes(256, INT64_MAX, kFileBufferDefault), false}};
    for (const auto& c : cases) {
        ScriptedUser user;
        ViewEngine engine;
        EXPECT_EQ(Engine_Create(&engine, c.sizes), (int)c.had);
        EXPECT_TRUE(user.fatalExits.empty()); // not reported at start-up
        // Only the caller that greys the PostScript command asks whether its table is there.
        int postScriptOk = -1;
        EXPECT_EQ(LockSharedBlocks(&engine, c.had ? &postScriptOk : nullptr), (int)c.had);
        if (c.had) {
            EXPECT_EQ(postScriptOk, 1);
        }
        EXPECT_EQ(user.fatalExits,
                  std::vector<std::string>(c.had ? 0 : 1, "Not enough free memory"));
        EXPECT_TRUE(user.asked.empty());
        Engine_Destroy(&engine);
    }
}

// The profile is the real ORV32.INI under Wine: the test starts from a clean "Memory" section
// and removes what it wrote, so no value outlives it.
TEST(SettingsLoadMemory, ValuesAreReadAsTheProfileReadsNumbers) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> keys; // written before the load
        int64_t lineLength, blockPointers, fileBuffer;         // after the load rules
    };
    const char *huge = "99999999999999999999", *L = "LineLength", *B = "BlockPointers",
               *F = "FileBuffer";
    const Case cases[] = {
        {{{L, "512"}}, 512, 512, 204800}, // the default buffer follows L
        {{{L, "  300"}}, 300, 512, 120000},
        {{{L, "+400"}}, 400, 512, 160000},
        {{{L, huge}}, 1024, 512, 409600},
        {{{B, "700k"}}, 256, 700, 102400},
        {{{B, "-5"}}, 256, 2, 102400},
        {{{B, "x12"}}, 256, 2, 102400}, // garbage reads as 0
        {{{B, "--5"}}, 256, 2, 102400},
        {{{B, huge}}, 256, INT32_MAX, 102400},
        {{{F, "204800"}}, 256, 512, 204800},
        {{{F, "0"}}, 256, 512, 30720},
        {{{F, huge}}, 256, 512, INT64_MAX},
        {{{L, "1024"}, {B, "64"}, {F, "50000"}}, 1024, 64, 122880}, // F below L * 120: raised
        {{}, 256, 512, 102400}, // the keys removed again: the defaults
    };
    auto clear = [&] {
        for (const char* key : {L, B, F})
            Plat_WriteProfileString("Memory", key, nullptr);
    };
    Plat_ResetProfileForTests();
    for (const Case& c : cases) {
        clear();
        std::string trace;
        for (const auto& key : c.keys) {
            ASSERT_EQ(Plat_WriteProfileString("Memory", key.first, key.second), 1);
            trace += std::string(key.first) + "=" + key.second + " ";
        }
        SCOPED_TRACE(trace);
        const MemorySizes s = Settings_LoadMemory();
        EXPECT_EQ(s.lineLength, c.lineLength);
        EXPECT_EQ(s.blockPointers, c.blockPointers);
        EXPECT_EQ(s.fileBuffer, c.fileBuffer);
    }
    clear();
}

} // namespace
