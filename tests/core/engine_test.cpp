// The block machinery: which blocks are read, in what order, and whether the window shows the
// file's own lines wherever it is moved.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "shell/platform.h"
#include "support.h"

namespace {

// Expected rows of a text window at `top`, computed from the file's own lines.
void ExpectWindowShows(TestEngine& e, const std::vector<std::string>& lines, int64_t top) {
    ASSERT_EQ(e->file.topLine, top);
    for (int r = 0; r <= e->pageLines; r++) {
        int64_t line = top + r;
        std::string want = line <= (int64_t)lines.size() ? lines[(size_t)(line - 1)] : "";
        ASSERT_EQ(e.Row(r), want) << "row " << r << " at top line " << top;
    }
}

// A text file of `size` bytes exactly (its last line may lack a line feed).
std::string TextOfSize(size_t size, unsigned seed) {
    std::string text = MakeTextLines((int)(size / 20) + 10, seed);
    text.resize(size);
    return text;
}

struct SizeCase {
    int64_t delta; // file size = R + delta
    bool endAfterFirstRead;
};

TEST(BlockReads, FileSizesAroundOneBlock) {
    const SizeCase cases[] = {{-1, true}, {0, true}, {1, false}};
    for (const SizeCase& c : cases) {
        ScopedScriptedUser scripted;
        TestEngine e(SmallSizes());
        size_t size = (size_t)(e->sizes.readSize + c.delta);
        std::string text = TextOfSize(size, 7);
        std::vector<std::string> lines = SplitAtNewlines(text);
        std::string path = WriteTestFile("size.txt", text);
        ASSERT_EQ(e.Open(path), 0);
        EXPECT_EQ(e->atEnd, c.endAfterFirstRead) << "delta " << c.delta;
        EXPECT_EQ(scripted.user.busyShown, 1);
        e->file.topLine = END_LINE;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        EXPECT_EQ(scripted.user.busyShown, c.endAfterFirstRead ? 1 : 2) << "delta " << c.delta;
        EXPECT_EQ(e->totalLines, (int64_t)lines.size());
        ExpectWindowShows(e, lines, (int64_t)lines.size() - e->pageLines + 1);
        EXPECT_TRUE(scripted.user.asked.empty());
        RemoveTestFile(path);
    }
}

TEST(BlockReads, EndLineReadsEveryBlockOnceAndLineOneReadsBlockZero) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(4000, 3); // about 10 blocks
    std::vector<std::string> lines = SplitAtNewlines(text);
    std::string path = WriteTestFile("walk.txt", text);
    ASSERT_EQ(e.Open(path), 0);
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_GE(e->highestBlock, 8);
    EXPECT_EQ(scripted.user.busyShown, e->highestBlock + 1);
    EXPECT_TRUE(e->lastBlockKnown);
    EXPECT_EQ(e->lastBlock, e->highestBlock);
    ExpectWindowShows(e, lines, 4000 - 22 + 1);

    // The block offsets rise and each begins on a line of its own number.
    std::vector<int64_t> starts = LineStarts(text);
    for (int32_t k = 0; k <= e->highestBlock; k++) {
        int64_t first = e->blockFirstLine[k];
        ASSERT_EQ(e->blockOffset[k], starts[(size_t)(first - 1)]);
        if (k > 0) {
            ASSERT_GT(e->blockOffset[k], e->blockOffset[k - 1]);
        }
    }

    int readsBefore = scripted.user.busyShown;
    e->file.topLine = 1;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(scripted.user.busyShown, readsBefore + 1);
    ExpectWindowShows(e, lines, 1);

    // A second walk to the end jumps straight to the last block.
    readsBefore = scripted.user.busyShown;
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(scripted.user.busyShown, readsBefore + 1);
}

TEST(BlockReads, AnyTopLineShowsTheFilesLines) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(3000, 11, 0, 200);
    std::vector<std::string> lines = SplitAtNewlines(text);
    std::string path = WriteTestFile("jumps.txt", text);
    ASSERT_EQ(e.Open(path, 30), 0);
    const int64_t total = (int64_t)lines.size();
    uint32_t state = 12345;
    for (int i = 0; i < 400; i++) {
        state = state * 1103515245u + 12345u;
        int64_t top = 1 + (int64_t)((state >> 8) % (uint32_t)(total - e->pageLines));
        if (i % 5 == 1)
            top = e->file.topLine + 1; // line by line over block boundaries too
        if (i % 5 == 2 && e->file.topLine > 1)
            top = e->file.topLine - 1;
        e->file.topLine = top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ExpectWindowShows(e, lines, top);
    }
    // Every top line around the first block boundaries, one after the other.
    for (int64_t top = 1; top <= 600; top++) {
        e->file.topLine = top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ExpectWindowShows(e, lines, top);
    }
}

TEST(BlockReads, TopLinesPastTheEnd) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(1000, 5);
    std::vector<std::string> lines = SplitAtNewlines(text);
    std::string path = WriteTestFile("end.txt", text);
    ASSERT_EQ(e.Open(path), 0);
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);

    e->file.topLine = 1001; // the line after the last: the last line alone at the top
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectWindowShows(e, lines, 1000);

    e->file.topLine = 1005; // any later line: the last page
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectWindowShows(e, lines, 1000 - 22 + 1);

    // A window taller than the file shows it from the top.
    std::string shortPath = WriteTestFile("short.txt", MakeTextLines(30, 5));
    ASSERT_EQ(e.Open(shortPath, 50), 0);
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectWindowShows(e, SplitAtNewlines(MakeTextLines(30, 5)), 1);
}

TEST(BlockReads, EmptyFile) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string path = WriteTestFile("empty.txt", "");
    ASSERT_EQ(e.Open(path), 0);
    EXPECT_TRUE(e->atEnd);
    EXPECT_EQ(e->lastLine, 1);
    EXPECT_EQ(e->totalLines, 1);
    EXPECT_EQ(e->lineCount, 0);
    EXPECT_EQ(e->rowOffset[0], -1);
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(e->file.topLine, 1);
    GoToPercent(e.get(), 50);
    EXPECT_EQ(e->file.topLine, 1);
}

TEST(BlockReads, ATallerWindowLaysTheBlocksOutAgain) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(3000, 9);
    std::vector<std::string> lines = SplitAtNewlines(text);
    std::string path = WriteTestFile("height.txt", text);
    ASSERT_EQ(e.Open(path, 10), 0);
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    int32_t blocksBefore = e->highestBlock;
    ASSERT_GE(blocksBefore, 4);

    e->file.topLine = 1;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    e->pageLines = 50;
    // Step down line by line past the first block: the blocks beyond are laid out afresh.
    int64_t top = 1;
    while (e->currentBlock == 0) {
        e->file.topLine = ++top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ExpectWindowShows(e, lines, top);
    }
    EXPECT_EQ(e->highestBlock, 1);
    EXPECT_FALSE(e->lastBlockKnown);

    // Near the end, a window grown taller than the blocks were laid out for still shows
    // only lines that are in the buffer.
    e->pageLines = 10;
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    e->pageLines = 150;
    e->file.topLine = 3000 - 150;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectWindowShows(e, lines, 3000 - 150);
}

TEST(BlockReads, PageLinesAreClampedSoEveryStepAdvances) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    // Lines of the longest length text mode takes: the fewest lines a block can hold.
    std::string text;
    for (int i = 0; i < 500; i++)
        text += std::string(255, (char)('a' + i % 26)) + "\n";
    std::vector<std::string> lines = SplitAtNewlines(text);
    std::string path = WriteTestFile("longlines.txt", text);
    ASSERT_EQ(e.Open(path, 1000000), 0);
    EXPECT_EQ(e->pageLines, MaxPageLines(e->sizes));
    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    ExpectWindowShows(e, lines, 500 - e->pageLines + 1);
    for (int64_t top = 1; top + e->pageLines <= 500; top += 17) {
        e->file.topLine = top;
        ASSERT_EQ(EnsureWindow(e.get(), false), 0);
        ExpectWindowShows(e, lines, top);
    }
    e->pageLines = 0; // found below 1: the built-in page
    e->file.topLine = 1;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(e->pageLines, 22);
}

// Line numbers at each offset, computed from the bytes: text lines, 16-byte hex rows, and
// binary rows that end after a line feed or after 77 bytes.
std::vector<int64_t> RowStarts(const std::string& bytes, int mode) {
    std::vector<int64_t> starts;
    if (mode == 0)
        return LineStarts(bytes);
    for (size_t at = 0; at < bytes.size();) {
        starts.push_back((int64_t)at);
        if (mode == 1) {
            at += 16;
            continue;
        }
        size_t span = std::min<size_t>(77, bytes.size() - at);
        size_t lf = bytes.substr(at, span).find('\n');
        at += lf == std::string::npos ? span : lf + 1;
    }
    return starts;
}

TEST(GoToOffset, EveryLineStartInEveryMode) {
    ScopedScriptedUser scripted;
    for (int mode = 0; mode < 3; mode++) {
        for (int lineCount : {40, 1500}) { // one block, many blocks
            TestEngine e(SmallSizes());
            std::string text = MakeTextLines(lineCount, 21 + mode, 0, 150);
            std::string path = WriteTestFile("offsets.txt", text);
            ASSERT_EQ(Engine_SetFile(e.get(), path.c_str()), 1);
            e->settings.hexMode = mode == 1;
            e->settings.binaryMode = mode == 2;
            ASSERT_EQ(ResetEngine(e.get(), false), 0);
            std::vector<int64_t> starts = RowStarts(text, mode);
            for (size_t i = 0; i < starts.size(); i += (lineCount > 100 ? 7 : 1)) {
                GoToOffset(e.get(), starts[i]);
                ASSERT_EQ(e->file.topLine, (int64_t)i + 1) << "mode " << mode << " offset "
                                                           << starts[i];
                // Inside the line: the next line becomes the top line.
                if (i + 1 < starts.size() && starts[i + 1] > starts[i] + 1) {
                    GoToOffset(e.get(), starts[i] + 1);
                    ASSERT_EQ(e->file.topLine, (int64_t)i + 2) << "mode " << mode;
                }
            }
            GoToOffset(e.get(), (int64_t)text.size() + 1000);
            EXPECT_EQ(e->file.topLine, (int64_t)starts.size() + 1) << "mode " << mode;
            ASSERT_EQ(EnsureWindow(e.get(), false), 0);
            RemoveTestFile(path);
        }
    }
}

TEST(GoToOffset, PercentIsClampedToTheFile) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(2000, 4);
    std::vector<int64_t> starts = LineStarts(text);
    std::string path = WriteTestFile("percent.txt", text);
    ASSERT_EQ(e.Open(path), 0);
    auto lineAtOrAfter = [&](int64_t offset) {
        size_t i = 0;
        while (i < starts.size() && starts[i] < offset)
            i++;
        return (int64_t)i + 1;
    };
    const double size = (double)text.size();
    struct {
        double percent;
        int64_t wantLine;
    } cases[] = {{0, 1},
                 {-5, 1},
                 {NAN, 1},
                 {50, lineAtOrAfter((int64_t)(0.5 * size))},
                 {99, lineAtOrAfter((int64_t)(0.99 * size))},
                 {100, lineAtOrAfter((int64_t)(0.99 * size))},
                 {1e300, lineAtOrAfter((int64_t)(0.99 * size))}};
    for (const auto& c : cases) {
        GoToPercent(e.get(), c.percent);
        EXPECT_EQ(e->file.topLine, c.wantLine) << c.percent;
    }
}

TEST(Reposition, KeepsTheTopLinesOffsetAcrossModes) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string text = MakeTextLines(2500, 8);
    std::vector<int64_t> starts = LineStarts(text);
    std::string path = WriteTestFile("repos.txt", text);
    ASSERT_EQ(e.Open(path), 0);
    e->file.topLine = 1777;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    int64_t offset = starts[1776];

    e->settings.hexMode = 1;
    ASSERT_EQ(Reposition(e.get()), 0);
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    int64_t hexRow = (offset + 15) / 16;
    EXPECT_EQ(e->file.topLine, hexRow + 1);
    char want[16];
    snprintf(want, sizeof want, "%08llx", (unsigned long long)(hexRow * 16));
    EXPECT_EQ(e.Row(0).substr(0, 8), want);

    e->settings.hexMode = 0;
    ASSERT_EQ(Reposition(e.get()), 0);
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    size_t i = 0;
    while (starts[i] < hexRow * 16)
        i++;
    EXPECT_EQ(e->file.topLine, (int64_t)i + 1);
}

TEST(Failures, AMissingFileFailsQuietly) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string path = WriteTestFile("gone.txt", "abc\n");
    ASSERT_EQ(Engine_SetFile(e.get(), path.c_str()), 1);
    RemoveTestFile(path);
    EXPECT_EQ(ReadBlock(e.get()), -1);
    EXPECT_EQ(ResetEngine(e.get(), false), -1);
    EXPECT_TRUE(scripted.user.asked.empty());
    EXPECT_TRUE(scripted.user.fatalExits.empty());
    EXPECT_EQ(Engine_SetFile(e.get(), path.c_str()), 0);
}

TEST(Failures, AReadAfterADriveFailureIsFatal) {
    ScopedScriptedUser scripted;
    TestEngine e(SmallSizes());
    std::string path = WriteTestFile("drive.txt", "abc\n");
    ASSERT_EQ(e.Open(path), 0);
    e->driveError = true;
    EXPECT_EQ(ReadBlock(e.get()), -1);
    ASSERT_EQ(scripted.user.fatalExits.size(), 1u);
    EXPECT_EQ(scripted.user.fatalExits[0], "Fatal File Read Error");
}

TEST(Failures, FileTooLargeRaisesBlockPointersAndEnds) {
    ScopedScriptedUser scripted;
    Plat_ResetProfileForTests();
    std::string text = MakeTextLines(3000, 2); // about 8 blocks of the small size
    std::string path = WriteTestFile("large.txt", text);
    {
        TestEngine e(SmallSizes(4));
        ASSERT_EQ(e.Open(path), 0);
        e->file.topLine = END_LINE;
        EXPECT_EQ(EnsureWindow(e.get(), false), -1);
        ASSERT_EQ(scripted.user.asked.size(), 1u);
        const AskedQuestion& box = scripted.user.asked[0];
        EXPECT_EQ(box.text,
                  "File too large.\nProgram has attempted to adjust 'Blockpointers' to read this "
                  "file, but this may not work. If you get this error again, search under Help "
                  "for INI file 'BlockPointers' setting to see ultimate limits and how to adjust "
                  "'Blockpointers' yourself. Program must re-start now.");
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.icon, kIconError);
        EXPECT_EQ(box.buttons, kButtonsOk);
        ASSERT_EQ(scripted.user.fatalExits.size(), 1u);
        EXPECT_EQ(scripted.user.fatalExits[0], "Must exit");
        EXPECT_EQ(e->file.topLine, 1); // the engine was reset to the top before the exit
    }
    // The next start reads the raised value, and the file then opens to its end.
    MemorySizes raised = LoadMemorySizes();
    EXPECT_GT(raised.blockPointers, 4);
    EXPECT_LT(raised.blockPointers, 20);
    TestEngine e(ComputeMemorySizes(256, raised.blockPointers, 30720));
    ASSERT_EQ(e.Open(path), 0);
    e->file.topLine = END_LINE;
    EXPECT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(scripted.user.fatalExits.size(), 1u);
    Plat_WriteProfileString("Memory", "BlockPointers", nullptr);
}

TEST(FileFacts, StampsBeforeNineteenSeventyAndAfter2038) {
    // Noon UTC keeps the local date the same in every time zone.
    struct {
        int64_t seconds;
        const char* datePart;
    } cases[] = {
        {INT64_C(-315576000), "01Jan60"}, // 1960-01-01 12:00 UTC
        {INT64_C(4116744000), "15Jun00"}, // 2100-06-15 12:00 UTC
        {INT64_C(946728000), "01Jan00"}, // 2000-01-01 12:00 UTC
    };
    for (const auto& c : cases) {
        char stamp[16];
        FormatFileStamp(c.seconds, stamp, sizeof stamp);
        ASSERT_EQ(strlen(stamp), 13u) << stamp;
        EXPECT_EQ(std::string(stamp, 7), c.datePart);
        EXPECT_EQ(stamp[7], ' ');
        EXPECT_EQ(stamp[10], ':');
    }
}

// Reading the holes of a sparse file runs at memory speed on tmpfs and ~30 times slower on disk.
std::string SparseFilePath() {
#ifdef _WIN32
    const char* shm = "Z:\\dev\\shm\\";
#else
    const char* shm = "/dev/shm/";
#endif
    PlatFileInfo info;
    std::string dir = Plat_GetFileInfo(shm, &info) ? shm : TestDir();
    return dir + "orv-sparse-" + std::to_string((long long)time(nullptr) % 100000) + ".bin";
}

// A sparse file past 4 GiB: offsets, row numbers and the hex offset column stay exact.
TEST(LargeFiles, HexRowsPastFourGigabytes) {
    ScopedScriptedUser scripted;
    const int64_t size = (INT64_C(1) << 32) + 5 * 1024 * 1024;
    std::string path = SparseFilePath();
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
    ASSERT_EQ(Engine_SetFile(e.get(), path.c_str()), 1);
    ASSERT_EQ(e->file.fileSize, size);
    e->settings.hexMode = 1;
    ASSERT_EQ(ResetEngine(e.get(), false), 0);
    const int64_t target = (INT64_C(1) << 32) + 0x123450;
    GoToOffset(e.get(), target);
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(e->file.topLine, target / 16 + 1);
    EXPECT_EQ(e.Row(0).substr(0, 10), "100123450 ");
    EXPECT_EQ(e.Row(0).substr(10, 3), "00 ");

    e->file.topLine = END_LINE;
    ASSERT_EQ(EnsureWindow(e.get(), false), 0);
    EXPECT_EQ(e->totalLines, (size + 15) / 16);
    std::string last = e.Row(e->pageLines - 1); // the row below the last line is blank
    EXPECT_EQ(e.Row(e->pageLines), "");
    EXPECT_EQ(last.substr(0, 10), "1004ffff0 ");
    EXPECT_EQ(last.substr(61, 16), "............ORV!");
    remove(path.c_str());
}

} // namespace
