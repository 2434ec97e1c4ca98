// Buffer sizing from section "Memory": the load rules, the derived sizes, the reading of the
// profile values, and what happens when the values ask for more memory than there is.
#include <gtest/gtest.h>

#include <stdint.h>
#include <string>
#include <vector>

#include "shell/memsettings.h"
#include "shell/platform.h"
#include "support.h"

namespace {

struct SizesCase {
    const char* name;
    int64_t lineLength, blockPointers, fileBuffer; // raw values as read
    int64_t L, B, F, H, A, R, C;                   // worked out by hand from the load rules
};

const SizesCase kSizesCases[] = {
    {"defaults", 256, 512, kFileBufferDefault, 256, 512, 102400, 200, 51200, 102400, 6401},
    {"short line raised", 100, 512, kFileBufferDefault, 256, 512, 102400, 200, 51200, 102400, 6401},
    {"long line lowered", 5000, 512, kFileBufferDefault, 1024, 512, 409600, 200, 204800, 409600,
     25601},
    {"odd line length", 300, 512, kFileBufferDefault, 300, 512, 120000, 200, 60000, 120000, 7501},
    {"one block pointer", 256, 1, kFileBufferDefault, 256, 2, 102400, 200, 51200, 102400, 6401},
    {"negative block pointers", 256, -7, kFileBufferDefault, 256, 2, 102400, 200, 51200, 102400,
     6401},
    {"small buffer raised", 256, 512, 1000, 256, 512, 30720, 60, 15360, 30720, 1921},
    {"negative buffer raised", 1024, 512, -5, 1024, 512, 122880, 60, 61440, 122880, 7681},
    {"buffer not a whole number of lines", 300, 512, 36999, 300, 512, 36999, 61, 18300, 36600,
     2313},
    {"explicit buffer kept", 512, 900, 1000000, 512, 900, 1000000, 976, 499712, 999424, 62501},
};

TEST(ComputeMemorySizes, AppliesTheLoadRulesAndDerivesTheSizes) {
    for (const SizesCase& c : kSizesCases) {
        SCOPED_TRACE(c.name);
        MemorySizes s = ComputeMemorySizes(c.lineLength, c.blockPointers, c.fileBuffer);
        EXPECT_EQ(s.lineLength, c.L);
        EXPECT_EQ(s.blockPointers, c.B);
        EXPECT_EQ(s.fileBuffer, c.F);
        EXPECT_EQ(s.bufferLines, c.H);
        EXPECT_EQ(s.displayBytes, c.A);
        EXPECT_EQ(s.readSize, c.R);
        EXPECT_EQ(s.indexEntries, c.C);
    }
}

TEST(ComputeMemorySizes, HugeValuesStayHugeInsteadOfWrapping) {
    MemorySizes s = ComputeMemorySizes(256, 512, INT64_MAX);
    EXPECT_EQ(s.fileBuffer, INT64_MAX);
    EXPECT_EQ(s.bufferLines, INT64_MAX / 512); // F / 2 / L
    EXPECT_GT(s.displayBytes, INT64_C(1) << 60);
    EXPECT_GT(s.readSize, s.displayBytes);
    EXPECT_EQ(s.indexEntries, INT64_MAX / 16 + 1);

    MemorySizes b = ComputeMemorySizes(256, INT64_MAX, kFileBufferDefault);
    EXPECT_EQ(b.blockPointers, INT32_MAX);
    EXPECT_EQ(b.readSize, 102400);
}

TEST(ComputeMemorySizes, MemoryThatCannotBeHadEndsTheProgramAtTheFirstLock) {
    const MemorySizes kTooLarge[] = {
        ComputeMemorySizes(256, 512, INT64_MAX),
        ComputeMemorySizes(256, INT64_MAX, kFileBufferDefault),
        ComputeMemorySizes(1024, INT64_MAX, INT64_MAX),
    };
    for (const MemorySizes& sizes : kTooLarge) {
        ScopedScriptedUser scripted;
        ViewEngine engine;
        EXPECT_EQ(Engine_Create(&engine, sizes), 0);
        EXPECT_TRUE(scripted.user.fatalExits.empty()); // not reported at start-up
        int postScriptOk = -1;
        EXPECT_EQ(LockSharedBlocks(&engine, &postScriptOk), 0);
        ASSERT_EQ(scripted.user.fatalExits.size(), 1u);
        EXPECT_EQ(scripted.user.fatalExits[0], "Not enough free memory");
        EXPECT_TRUE(scripted.user.asked.empty());
        Engine_Destroy(&engine);
    }
}

TEST(ComputeMemorySizes, DefaultSizesLockWithoutComplaint) {
    ScopedScriptedUser scripted;
    ViewEngine engine;
    ASSERT_EQ(Engine_Create(&engine, ComputeMemorySizes(256, 512, kFileBufferDefault)), 1);
    int postScriptOk = 0;
    EXPECT_EQ(LockSharedBlocks(&engine, &postScriptOk), 1);
    EXPECT_EQ(postScriptOk, 1);
    EXPECT_TRUE(scripted.user.fatalExits.empty());
    Engine_Destroy(&engine);
}

TEST(MaxPageLines, FitsTheDisplayBufferAndLetsEveryStepAdvance) {
    // Default: A / 78 - 1 = 655, H - 1 = 199. Smallest: A = 15360 gives 195, H - 1 = 59.
    EXPECT_EQ(MaxPageLines(ComputeMemorySizes(256, 512, kFileBufferDefault)), 199);
    EXPECT_EQ(MaxPageLines(SmallSizes()), 59);
    // L = 1024, F = 122880: A = 61440 gives 786, H - 1 = 59.
    EXPECT_EQ(MaxPageLines(ComputeMemorySizes(1024, 512, 1)), 59);
    EXPECT_EQ(MaxPageLines(ComputeMemorySizes(256, 512, INT64_MAX)), INT32_MAX);
}

// The profile is the real ORV32.INI under Wine: every test starts from a clean "Memory" section
// and removes what it wrote, so no value outlives the test.
class LoadMemorySizesTest : public testing::Test {
  protected:
    void SetUp() override {
        Plat_ResetProfileForTests();
        Clear();
    }
    void TearDown() override {
        Clear();
    }
    static void Clear() {
        for (const char* key : {"LineLength", "BlockPointers", "FileBuffer"})
            Plat_WriteProfileString("Memory", key, nullptr);
    }
    static void Set(const char* key, const char* value) {
        ASSERT_EQ(Plat_WriteProfileString("Memory", key, value), 1);
    }
};

TEST_F(LoadMemorySizesTest, AbsentKeysGiveTheDefaults) {
    MemorySizes s = LoadMemorySizes();
    EXPECT_EQ(s.lineLength, 256);
    EXPECT_EQ(s.blockPointers, 512);
    EXPECT_EQ(s.fileBuffer, 102400);
    EXPECT_EQ(s.readSize, 102400);
    EXPECT_EQ(s.indexEntries, 6401);
}

TEST_F(LoadMemorySizesTest, ValuesAreReadAsTheProfileReadsNumbers) {
    struct Case {
        const char* key;
        const char* value;
        int64_t lineLength, blockPointers, fileBuffer; // after the load rules
    };
    const Case cases[] = {
        {"LineLength", "512", 512, 512, 204800}, // the default buffer follows L
        {"LineLength", "  300", 300, 512, 120000},
        {"LineLength", "+400", 400, 512, 160000},
        {"LineLength", "2000", 1024, 512, 409600},
        {"LineLength", "-300", 256, 512, 102400},
        {"LineLength", "abc", 256, 512, 102400},
        {"LineLength", "99999999999999999999", 1024, 512, 409600},
        {"BlockPointers", "1000", 256, 1000, 102400},
        {"BlockPointers", "700 blocks", 256, 700, 102400},
        {"BlockPointers", "1", 256, 2, 102400},
        {"BlockPointers", "-5", 256, 2, 102400},
        {"BlockPointers", "x12", 256, 2, 102400}, // garbage reads as 0
        {"BlockPointers", "--5", 256, 2, 102400},
        {"BlockPointers", "99999999999999999999", 256, INT32_MAX, 102400},
        {"FileBuffer", "204800", 256, 512, 204800},
        {"FileBuffer", "1000", 256, 512, 30720},
        {"FileBuffer", "0", 256, 512, 30720},
        {"FileBuffer", "-1", 256, 512, 30720},
        {"FileBuffer", "12k", 256, 512, 30720},
        {"FileBuffer", "99999999999999999999", 256, 512, INT64_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        Clear();
        Set(c.key, c.value);
        MemorySizes s = LoadMemorySizes();
        EXPECT_EQ(s.lineLength, c.lineLength);
        EXPECT_EQ(s.blockPointers, c.blockPointers);
        EXPECT_EQ(s.fileBuffer, c.fileBuffer);
    }
}

TEST_F(LoadMemorySizesTest, AllThreeKeysTogether) {
    Set("LineLength", "1024");
    Set("BlockPointers", "64");
    Set("FileBuffer", "50000"); // below 1024 * 120: raised
    MemorySizes s = LoadMemorySizes();
    EXPECT_EQ(s.lineLength, 1024);
    EXPECT_EQ(s.blockPointers, 64);
    EXPECT_EQ(s.fileBuffer, 122880);
    EXPECT_EQ(s.bufferLines, 60);
    EXPECT_EQ(s.displayBytes, 61440);
    EXPECT_EQ(s.readSize, 122880);
    EXPECT_EQ(s.indexEntries, 7681);
}

TEST_F(LoadMemorySizesTest, RemovingAKeyRestoresItsDefault) {
    Set("BlockPointers", "77");
    EXPECT_EQ(LoadMemorySizes().blockPointers, 77);
    Set("BlockPointers", nullptr);
    EXPECT_EQ(LoadMemorySizes().blockPointers, 512);
}

TEST_F(LoadMemorySizesTest, AHugeBufferFromTheProfileFailsAtTheFirstLock) {
    Set("FileBuffer", "99999999999999999999");
    ScopedScriptedUser scripted;
    ViewEngine engine;
    EXPECT_EQ(Engine_Create(&engine, LoadMemorySizes()), 0);
    EXPECT_EQ(LockSharedBlocks(&engine, nullptr), 0);
    EXPECT_EQ(scripted.user.fatalExits, std::vector<std::string>{"Not enough free memory"});
    Engine_Destroy(&engine);
}

} // namespace
