// The block machinery: which blocks are read, in what order, and whether the window shows the
// file's own lines wherever it is moved.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include <algorithm>
#include <filesystem>

#include "find/findengine.h"
#include "platform/platform.h"
#include "print/printview.h"
#include "viewer/selcopy.h"
#include "shell/settings.h"
#include "support.h"

namespace {

TEST(BlockReads, FileSizesFromNoneToManyBlocks) {
    // Empty, shorter than the window, a byte short of a block, a block, a byte more, about eight
    // blocks, and lines of the longest length text takes (the fewest a block can hold), under the
    // largest page: each step still advances, and the way to the end reads each block once.
    const int64_t R = SmallSizes().readSize;
    auto sized = [](int64_t size) { return MakeTextLines((int)size / 20 + 10, 7).substr(0, size); };
    for (const std::string& text : {sized(0), sized(600), sized(R - 1), sized(R), sized(R + 1),
                                    sized(8 * R), MakeTextLines(500, 7, 255, 255)}) {
        const int64_t size = (int64_t)text.size();
        SCOPED_TRACE(size);
        TestEngine e;
        std::vector<int64_t> starts;
        const std::vector<std::string> lines = ModelRows(text, 0, 8, &starts);
        ASSERT_EQ(e.Open(WriteTestFile("size.txt", text), 1000000), 0);
        ASSERT_EQ(e.pageLines, MaxPageLines(e.sizes));
        const int64_t n = (int64_t)lines.size(), top = std::max<int64_t>(n - e.pageLines + 1, 1);
        EXPECT_EQ(e.atEnd, size <= R);
        ASSERT_EQ(e.MoveTo(END_LINE), 0);
        EXPECT_EQ(e.highestBlock == 0, size <= R);
        EXPECT_EQ(e.blocksRead, e.highestBlock + 1);
        EXPECT_EQ(e.user.busyShown, 1 + (size > R)); // the first read, and one walk to the end
        EXPECT_TRUE(e.lastBlockKnown);
        EXPECT_EQ(e.lastBlock, e.highestBlock);
        EXPECT_EQ(e.totalLines, std::max<int64_t>(n, 1));
        ExpectWindow(e, lines, top);
        EXPECT_EQ(e.rowOffset[n - top + 1], -1); // no row below the last line
        // The block offsets rise and each begins on a line of its own number.
        for (int32_t k = 1; k <= e.highestBlock; k++) {
            ASSERT_EQ(e.blockOffset[k], starts[(size_t)e.blockFirstLine[k] - 1]);
            ASSERT_GT(e.blockOffset[k], e.blockOffset[k - 1]);
        }
        // Past the last line: the line after it shows the last line alone at the top, any later
        // one the last page.
        ASSERT_EQ(e.MoveTo(n + 1), 0);
        ExpectWindow(e, lines, std::max<int64_t>(n, 1));
        ASSERT_EQ(e.MoveTo(n + 5), 0);
        ExpectWindow(e, lines, top);
        // Back to line 1 reads block 0 alone; to the end again, the last block alone.
        for (int64_t to : {INT64_C(1), END_LINE}) {
            const int64_t readsBefore = e.blocksRead;
            ASSERT_EQ(e.MoveTo(to), 0);
            EXPECT_EQ(e.blocksRead, readsBefore + (size > R));
            ExpectWindow(e, lines, to == 1 ? 1 : top);
        }
        ShowEach(e, lines, 1, n - e.pageLines, 17);
        GoToPercent(&e, 50);
        EXPECT_EQ(e.file.topLine, RowAtOrAfter(starts, size / 2));
        EXPECT_TRUE(e.user.asked.empty());
        e.pageLines = 0; // found below 1: the built-in page
        ASSERT_EQ(e.MoveTo(1), 0);
        EXPECT_EQ(e.pageLines, 22);
    }
}

TEST(BlockReads, AnyTopLineAndAnyWindowHeightShowTheFilesLines) {
    TestEngine e;
    const std::string text = MakeTextLines(3000, 11, 0, 200);
    const std::vector<std::string> lines = ModelRows(text);
    ASSERT_EQ(e.Open(WriteTestFile("jumps.txt", text), 30), 0);
    uint32_t state = 12345;
    for (int i = 0; i < 400; i++) {
        state = state * 1103515245u + 12345u;
        int64_t top = 1 + (int64_t)((state >> 8) % (3000 - 30));
        if (i % 5 == 1)
            top = e.file.topLine + 1; // line by line over block boundaries too
        if (i % 5 == 2 && e.file.topLine > 1)
            top = e.file.topLine - 1;
        ShowEach(e, lines, top, top);
    }
    ShowEach(e, lines, 1, 600); // every top line around the first block boundaries in turn

    // A taller window, line by line past the first block: the blocks beyond are laid out afresh.
    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    ASSERT_GE(e.highestBlock, 4);
    ASSERT_EQ(e.MoveTo(1), 0);
    e.pageLines = 50;
    for (int64_t top = 2; e.currentBlock == 0 && !HasFatalFailure(); top++)
        ShowEach(e, lines, top, top);
    EXPECT_EQ(e.highestBlock, 1);
    EXPECT_FALSE(e.lastBlockKnown);
    // Near the end, a window grown taller than the blocks were laid out for still shows only
    // lines that are in the buffer.
    e.pageLines = 10;
    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    e.pageLines = 150;
    ShowEach(e, lines, 3000 - 150, 3000 - 150);
}

// Offsets to rows in every mode, percentages of the file, and a change of mode that keeps the
// top line's offset.
TEST(GoToOffset, EveryRowStartInEveryMode) {
    for (int view : {0, kHex, kBinary}) {
        for (int lineCount : {40, 1500}) { // one block, many blocks
            SCOPED_TRACE(testing::Message() << "view " << view << ", lines " << lineCount);
            TestEngine e;
            const std::string text = MakeTextLines(lineCount, 21 + view, 0, 150);
            const std::vector<int64_t> starts = RowStarts(text, view);
            ASSERT_EQ(e.Open(WriteTestFile("offsets.txt", text), 22, view), 0);
            // At a row's start, that row; inside it, the next.
            for (size_t i = 0; i < starts.size(); i += (lineCount > 100 ? 7 : 1)) {
                for (int64_t offset : {starts[i], starts[i] + 1}) {
                    GoToOffset(&e, offset);
                    ASSERT_EQ(e.file.topLine, RowAtOrAfter(starts, offset)) << offset;
                }
            }
            GoToOffset(&e, (int64_t)text.size() + 1000);
            EXPECT_EQ(e.file.topLine, (int64_t)starts.size() + 1);
            ASSERT_EQ(EnsureWindow(&e, false), 0);
            const struct {
                double percent, fraction; // of the file's size
            } percents[] = {{-5, 0}, {NAN, 0}, {50, 0.5}, {100, 0.99}, {1e300, 0.99}};
            for (const auto& p : percents) {
                GoToPercent(&e, p.percent);
                EXPECT_EQ(e.file.topLine,
                          RowAtOrAfter(starts, (int64_t)(p.fraction * (double)text.size())))
                    << p.percent;
            }
            // Another mode: the first of its rows at or after the top line's offset.
            const int64_t offset = starts[starts.size() / 2];
            ASSERT_EQ(e.MoveTo((int64_t)starts.size() / 2 + 1), 0);
            const int next = view == 0 ? kHex : view == kHex ? kBinary : 0;
            e.SetView(next);
            ASSERT_EQ(Reposition(&e), 0);
            ASSERT_EQ(EnsureWindow(&e, false), 0);
            ExpectWindow(e, ModelRows(text, next), RowAtOrAfter(RowStarts(text, next), offset));
        }
    }
}

TEST(Failures, AMissingFileFailsQuietlyADriveErrorIsFatal) {
    TestEngine e;
    const std::string path = WriteTestFile("gone.txt", "abc\n");
    ASSERT_EQ(e.Open(path), 0);
    e.driveError = true;
    EXPECT_EQ(ReadBlock(&e), -1);
    EXPECT_EQ(e.user.fatalExits, std::vector<std::string>{"Fatal File Read Error"});
    e.driveError = false;
    remove(path.c_str());
    EXPECT_EQ(ReadBlock(&e), -1);
    EXPECT_EQ(ResetEngine(&e, false), -1);
    EXPECT_EQ(e.user.fatalExits.size(), 1u);
    EXPECT_TRUE(e.user.asked.empty());
    EXPECT_EQ(Engine_SetFile(&e, path.c_str()), 0);
    // A folder is no file to view.
    std::string folder = TestDir();
    folder.pop_back();
    EXPECT_EQ(Engine_SetFile(&e, folder.c_str()), 0);
}

TEST(BlockTable, GrowsForAnyFileAndEndsOnlyTheWalkWhenMemoryRunsOut) {
    Plat_ResetProfileForTests();
    const std::string text = MakeTextLines(3000, 2); // ~8 blocks
    const std::string path = WriteTestFile("large.txt", text);
    const std::vector<std::string> rows = ModelRows(text);
    const int64_t n = (int64_t)rows.size();
    {
        // A table of 4 entries reaches the end, and every line on the way back is where it was.
        TestEngine e(SmallSizes(4));
        ASSERT_EQ(e.Open(path), 0);
        ASSERT_EQ(e.MoveTo(END_LINE), 0);
        ExpectWindow(e, rows, n - e.pageLines + 1);
        EXPECT_GE(e.sizes.blockPointers, 8);
        for (int64_t top = n - e.pageLines; top >= 1; top -= 97) {
            ASSERT_EQ(e.MoveTo(top), 0);
            ExpectWindow(e, rows, top);
        }
        EXPECT_TRUE(e.user.asked.empty());
        EXPECT_TRUE(e.user.fatalExits.empty());
        EXPECT_EQ(ProfileValue("Memory", "BlockPointers"), "<absent>");
    }
    {
        // Where a larger table cannot be had, the walk ends with "File too large." and the
        // program goes on.
        TestEngine e(SmallSizes(4));
        ASSERT_EQ(e.Open(path), 0);
        Plat_LimitPagesForTests(4 * sizeof(int64_t));
        EXPECT_EQ(e.MoveTo(END_LINE), -1);
        Plat_LimitPagesForTests(0);
        const AskedQuestion box = {
            "File too large.\nProgram has attempted to adjust 'Blockpointers' to read this file, "
            "but this may not work. If you get this error again, search under Help for INI file "
            "'BlockPointers' setting to see ultimate limits and how to adjust 'Blockpointers' "
            "yourself. Program must re-start now.",
            "", kButtonsOk, kIconError, kPromptOwnedByFocus};
        EXPECT_EQ(e.user.asked, std::vector<AskedQuestion>{box});
        EXPECT_TRUE(e.user.fatalExits.empty());
        EXPECT_EQ(e.file.topLine, 1); // the engine was reset to the top
        ExpectWindow(e, rows, 1);
    }
    // The next start reads the raised value.
    const MemorySizes raised = Settings_LoadMemory();
    EXPECT_GT(raised.blockPointers, 4);
    EXPECT_LT(raised.blockPointers, 20);
    Plat_WriteProfileString("Memory", "BlockPointers", nullptr);
}

// At the INI's default sizes the table first reaches about 50 MB; a file three times that is
// walked to its end and back, found in and printed by range, and nothing asks or ends.
TEST(BlockTable, AFileSeveralTimesTheDefaultReach) {
    const MemorySizes sizes = ComputeMemorySizes(256, 512, kFileBufferDefault);
    const int64_t lines = 3 * sizes.blockPointers * sizes.readSize / 64;
    const int64_t needleLine = lines * 3 / 5;
    std::string f((size_t)(lines * 64), '.');
    for (int64_t i = 0; i < lines; i++) {
        char head[32];
        const int n = snprintf(head, sizeof head, "%s %09lld ", i + 1 == needleLine ? "NEEDLE" : "line",
                               (long long)(i + 1));
        memcpy(&f[(size_t)(i * 64)], head, (size_t)n);
        f[(size_t)(i * 64 + 63)] = '\n';
    }
    const std::string path = WriteTestFile("beyond.txt", f);
    f = std::string(); // the file holds it now
    auto row = [](int64_t line) {
        char head[32];
        const int n = snprintf(head, sizeof head, "line %09lld ", (long long)line);
        return std::string(head, (size_t)n) + std::string((size_t)(63 - n), '.');
    };

    TestEngine e(sizes);
    ASSERT_EQ(e.Open(path), 0);
    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    EXPECT_EQ(e.file.topLine, lines - e.pageLines + 1);
    EXPECT_EQ(e.Row(e.pageLines - 1), row(lines));
    EXPECT_GT(e.sizes.blockPointers, sizes.blockPointers);
    for (int64_t top : {lines / 2, INT64_C(1000), INT64_C(1)}) {
        ASSERT_EQ(e.MoveTo(top), 0);
        EXPECT_EQ(e.Row(0), row(top));
    }

    FindSettings find;
    FindSettings_Init(&find);
    snprintf(find.string1, sizeof find.string1, "NEEDLE");
    ASSERT_EQ(FindInView(&e, &find, false, 6, true), 1);
    EXPECT_EQ(e.matchLine, needleLine);

    const ViewSelection last3 = {lines - 2, lines, 1, 0, kSelectionLines};
    PrintViewRange range;
    ASSERT_EQ(PrintView_SelectionRange(last3, &range), 1);
    std::vector<std::string> printed;
    PrintView_Walk(&e, range,
                   [](void* c, int64_t, const char* text, int32_t count) {
                       static_cast<std::vector<std::string>*>(c)->emplace_back(text, (size_t)count);
                       return 1;
                   },
                   &printed);
    EXPECT_EQ(printed, (std::vector<std::string>{row(lines - 2), row(lines - 1), row(lines)}));
    EXPECT_TRUE(e.user.asked.empty());
    EXPECT_TRUE(e.user.fatalExits.empty());
    remove(path.c_str());
}

TEST(BlockTable, SizesThatCannotBeHadGiveWayToTheDefaults) {
    const MemorySizes defaults = ComputeMemorySizes(256, 512, kFileBufferDefault);
    const struct {
        int64_t blockPointers, fileBuffer;
        const char* settings; // named in the message; null when the sizes fit
    } cases[] = {
        {99999999, kFileBufferDefault, "'BlockPointers' setting"},
        {512, 999999999, "'FileBuffer' setting"},
        {99999999, 999999999, "'BlockPointers' and 'FileBuffer' settings"},
        {1000, 150000, nullptr},
    };
    for (const auto& c : cases) {
        // Room for the defaults and a little more, as a crowded address space would leave.
        Plat_LimitPagesForTests(256 * 1024);
        ScriptedUser user;
        ViewEngine e;
        MemorySizes sizes = ComputeMemorySizes(256, c.blockPointers, c.fileBuffer);
        const MemorySizes asked = sizes;
        const int rc = Engine_CreateFitting(&e, &sizes);
        Plat_LimitPagesForTests(0);
        int postScriptOk = 0;
        EXPECT_EQ(LockSharedBlocks(&e, &postScriptOk), 1);
        EXPECT_EQ(postScriptOk, 1);
        if (!c.settings) {
            EXPECT_EQ(rc, 1);
            EXPECT_EQ(sizes.blockPointers, asked.blockPointers);
            EXPECT_EQ(sizes.fileBuffer, asked.fileBuffer);
            EXPECT_TRUE(user.asked.empty());
        } else {
            EXPECT_EQ(rc, 2) << c.settings;
            EXPECT_EQ(sizes.blockPointers, defaults.blockPointers);
            EXPECT_EQ(sizes.fileBuffer, defaults.fileBuffer);
            const AskedQuestion box = {
                std::string("Not enough free memory for the ") + c.settings +
                    " in ORV32.INI.\nORV goes on with the default size; the INI file stays as it "
                    "is until options are saved.",
                "Memory", kButtonsOk, kIconWarning, kPromptOwnedByFocus};
            EXPECT_EQ(user.asked, std::vector<AskedQuestion>{box});
        }
        EXPECT_TRUE(user.fatalExits.empty());
        EXPECT_EQ(e.sizes.blockPointers, sizes.blockPointers);
        Engine_Destroy(&e);
    }
}

TEST(FileFacts, StampsBeforeNineteenSeventyAndAfter2038) {
    // Noon UTC keeps the local date the same in every time zone: 1960-01-01 and 2100-06-15.
    for (const auto& c : {std::make_pair(INT64_C(-315576000), "01Jan60"),
                          std::make_pair(INT64_C(4116744000), "15Jun00")}) {
        char stamp[16];
        FormatFileStamp(c.first, stamp, sizeof stamp);
        ASSERT_EQ(strlen(stamp), 13u) << stamp;
        EXPECT_EQ(std::string(stamp).replace(8, 2, "hh").replace(11, 2, "mm"),
                  c.second + std::string(" hh:mm"));
    }
}

TEST(FileFacts, AnOpenFileIsDescribedAsItsPathIs) {
    // Plain, empty, read-only and (natively) hidden by its name, opened as any file or as one a
    // listing gave: the open file's size, time and attributes are its path's, and a plain
    // file's end is known from its open, or from a short read, where the system can say it.
    const std::string plain = WriteTestFile("facts.txt", "twelve bytes");
    const std::string empty = WriteTestFile("facts-empty.txt", "");
    const std::string locked = WriteTestFile("facts-locked.txt", "ro");
    const std::string hidden = WriteTestFile(".facts-hidden.txt", "h");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    typedef PlatFile* (*Opener)(const char*);
    for (const std::string& path : {plain, empty, locked, hidden}) {
        for (Opener opener : {Opener(Plat_OpenRead), Opener(Plat_OpenListedFile)}) {
            SCOPED_TRACE(path);
            PlatFileInfo byPath, byOpen;
            ASSERT_TRUE(Plat_GetFileInfo(path.c_str(), &byPath));
            PlatFile* file = opener(path.c_str());
            ASSERT_TRUE(file);
            ASSERT_TRUE(Plat_GetOpenFileInfo(file, path.c_str(), &byOpen));
            EXPECT_EQ(byOpen.size, byPath.size);
            EXPECT_EQ(byOpen.lastWrite, byPath.lastWrite);
            EXPECT_EQ(byOpen.attributes, byPath.attributes);
            const int64_t end = Plat_EndAtOpen(file);
            EXPECT_TRUE(end == -1 || (end == byPath.size && end > 0));
            char bytes[64];
            const int64_t got = Plat_Read(file, bytes, sizeof bytes);
            EXPECT_EQ(got, byPath.size); // a short read, and the end where the system says so
            EXPECT_TRUE(!Plat_ShortReadEnds(file) || Plat_Read(file, bytes, sizeof bytes) == 0);
            Plat_Close(file);
        }
    }
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

// A sparse file past 4 GiB: offsets, row numbers and the hex offset column stay exact. Its holes
// read at memory speed on tmpfs and ~30 times slower on disk.
TEST(LargeFiles, HexRowsPastFourGigabytes) {
#ifdef _WIN32
    const char* shm = "Z:\\dev\\shm\\";
#else
    const char* shm = "/dev/shm/";
#endif
    const std::string path = (std::filesystem::exists(shm) ? shm : TestDir()) + "orv-sparse-" +
                             std::to_string((long long)time(nullptr) % 100000) + ".bin";
    const int64_t size = (INT64_C(1) << 32) + 5 * 1024 * 1024;
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
#ifdef _WIN32
    ASSERT_EQ(_fseeki64(f, size - 4, SEEK_SET), 0);
#else
    ASSERT_EQ(fseeko(f, (off_t)(size - 4), SEEK_SET), 0);
#endif
    fputs("ORV!", f);
    fclose(f);

    TestEngine e(ComputeMemorySizes(256, 1024, 64 * 1024 * 1024));
    ASSERT_EQ(e.Open(path, 22, kHex), 0);
    ASSERT_EQ(e.file.fileSize, size);
    const int64_t target = (INT64_C(1) << 32) + 0x123450;
    GoToOffset(&e, target);
    ASSERT_EQ(EnsureWindow(&e, false), 0);
    EXPECT_EQ(e.file.topLine, target / 16 + 1);
    EXPECT_EQ(e.Row(0).substr(0, 10), "100123450 ");
    EXPECT_EQ(e.Row(0), HexRow(target, std::string(16, '\0'), false));

    ASSERT_EQ(e.MoveTo(END_LINE), 0);
    EXPECT_EQ(e.totalLines, (size + 15) / 16);
    EXPECT_EQ(e.Row(e.pageLines - 1), HexRow(size - 16, std::string(12, '\0') + "ORV!", false));
    EXPECT_EQ(e.Row(e.pageLines), ""); // the row below the last line is blank
    remove(path.c_str());
}

} // namespace
