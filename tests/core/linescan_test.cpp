// The fast walk: blocks a walk passes through are counted, not split, and every walk must end
// exactly where reading and splitting each block ends it.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>

#include "platform/platform.h"
#include "support.h"
#include "viewer/linescan.h"

namespace {

// SplitLines' own count for a block that is not the file's end, or -1 when it is not text.
int32_t SplitCount(const std::string& bytes, int32_t lineLength) {
    TestEngine e(ComputeMemorySizes(lineLength, 512, kFileBufferDefault));
    memcpy(e.buffer, bytes.data(), bytes.size());
    e.buffer[bytes.size()] = 0;
    e.bytesInBuffer = (int32_t)bytes.size();
    e.atEnd = false;
    e.modePolicy = kModeAnswerNo;
    e.firstLine = 2; // a later block: "Mode?" then changes nothing it reads again
    e.file.topLine = END_LINE;
    SplitLines(&e);
    return e.settings.binaryMode ? -1 : e.lineCount;
}

TEST(SkimTextLines, CountsAsTheSplitOrLeavesTheBlockToIt) {
    const std::string q(300, 'q');
    struct Case {
        const char* name;
        std::string bytes;
        bool counted;
    };
    const Case cases[] = {
        {"lines", "one\ntwo\nthree\n", true},
        {"cut last line", "one\ntwo\nthr", true},
        {"empty lines", "\n\n\n", true},
        {"long line", q.substr(0, 200) + "\nz\n", true},
        {"near LineLength: the split decides", q.substr(0, 255) + "\nz\n", false},
        {"line of LineLength", q.substr(0, 256) + "\nz\n", false},
        {"too long", q + "\nz\n", false},
        {"long cut last line", "a\n" + q, false},
        {"nul", std::string("ab\0cd\n", 6), false},
        {"nul in a later chunk", MakeTextLines(60, 3) + std::string(1, '\0') + "x\n", false},
        {"high bytes", "\xFF\xFE\x80\n\x7F\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t count = -7;
        const std::string& bytes = c.bytes;
        ASSERT_EQ(SkimTextLines(bytes.data(), (int32_t)bytes.size(), 256, &count), c.counted);
        if (c.counted) {
            EXPECT_EQ(count, SplitCount(bytes, 256));
        }
    }
    // Lines of many lengths, at every alignment: the count is the split's,
    // and each line start found from the end is where the line begins.
    for (unsigned seed = 1; seed <= 40; seed++) {
        std::string bytes = MakeTextLines(400, seed, 0, 190);
        bytes = bytes.substr(seed * 3, bytes.size() - seed * 7);
        int32_t count = 0;
        ASSERT_TRUE(SkimTextLines(bytes.data(), (int32_t)bytes.size(), 256, &count)) << seed;
        ASSERT_EQ(count, SplitCount(bytes, 256)) << seed;
        int32_t start = 0;
        for (int32_t line = 0; line < count; line++) {
            ASSERT_EQ(SkimLineStart(bytes.data(), (int32_t)bytes.size(), count, line), start);
            start = (int32_t)bytes.find('\n', (size_t)start) + 1;
        }
    }
}

// What a walk leaves behind, compared between the fast walk and the exact one.
struct WalkState {
    int64_t topLine, firstLine, lastLine, totalLines, bufferOffset, blocksRead;
    int32_t lineCount, bytesInBuffer, currentBlock, highestBlock, lastBlock, hexMode, binaryMode;
    bool atEnd, lastBlockKnown, nulsSeen;
    int busyShown;
    std::vector<int64_t> blocks;
    std::vector<int32_t> lineStarts;
    std::string buffer;
    std::vector<std::string> rows, asked;
    bool operator==(const WalkState& o) const {
        return topLine == o.topLine && firstLine == o.firstLine && lastLine == o.lastLine &&
               totalLines == o.totalLines && bufferOffset == o.bufferOffset &&
               blocksRead == o.blocksRead && lineCount == o.lineCount &&
               bytesInBuffer == o.bytesInBuffer && currentBlock == o.currentBlock &&
               highestBlock == o.highestBlock && lastBlock == o.lastBlock && hexMode == o.hexMode &&
               binaryMode == o.binaryMode && atEnd == o.atEnd &&
               lastBlockKnown == o.lastBlockKnown && nulsSeen == o.nulsSeen &&
               busyShown == o.busyShown && blocks == o.blocks && lineStarts == o.lineStarts &&
               buffer == o.buffer && rows == o.rows && asked == o.asked;
    }
};

WalkState StateOf(const TestEngine& e) {
    WalkState s = {e.file.topLine,
                   e.firstLine,
                   e.lastLine,
                   e.totalLines,
                   e.file.bufferOffset,
                   e.blocksRead,
                   e.lineCount,
                   e.bytesInBuffer,
                   e.currentBlock,
                   e.highestBlock,
                   e.lastBlock,
                   e.settings.hexMode,
                   e.settings.binaryMode,
                   e.atEnd,
                   e.lastBlockKnown,
                   e.nulsSeen,
                   e.user.busyShown,
                   {},
                   {},
                   {},
                   {},
                   {}};
    for (int32_t k = 0; k <= e.highestBlock; k++) {
        s.blocks.push_back(e.blockOffset[k]);
        s.blocks.push_back(e.blockFirstLine[k]);
    }
    s.lineStarts.assign(e.lineStart, e.lineStart + e.lineCount + 1);
    s.buffer.assign(e.buffer, (size_t)e.bytesInBuffer);
    for (int r = 0; r <= e.pageLines; r++)
        s.rows.push_back(e.Row(r));
    for (const AskedQuestion& q : e.user.asked)
        s.asked.push_back(q.text);
    return s;
}

// How a walk reads: every block split, or passing through blocks in a mapped view of the
// file, or in bytes read where the file cannot be mapped.
enum WalkKind { kExact, kMapped, kRead };

// One walk: open with the view flags and page, then each move in turn (a line, END_LINE, or
// an offset given as -1 - offset); the state after every move.
std::vector<WalkState> Walk(const std::string& path, int view, int page,
                            const std::vector<int64_t>& moves, WalkKind kind,
                            const MemorySizes& sizes = SmallSizes()) {
    TestEngine e(sizes);
    e.exactWalk = kind == kExact;
    Plat_RefuseFileViewsForTests(kind == kRead);
    std::vector<WalkState> states;
    e.Open(path, page, view);
    states.push_back(StateOf(e));
    for (int64_t to : moves) {
        if (to < 0)
            GoToOffset(&e, -1 - to);
        else
            e.MoveTo(to);
        states.push_back(StateOf(e));
    }
    Plat_RefuseFileViewsForTests(0);
    return states;
}

TEST(FastWalk, EndsWhereTheExactWalkEnds) {
    // Files of many blocks (R = 30720 here): plain lines, lines near LineLength, a line too
    // long or a NUL somewhere along the way, empty lines, carriage returns, no final line feed,
    // a file ending exactly on a block; in text, and under the flags that split otherwise.
    const std::string plain = MakeTextLines(4000, 11);
    std::string longish = MakeTextLines(1500, 12, 200, 255);
    std::string tooLong = plain;
    tooLong.insert(200000, std::string(300, 'L'));
    std::string nul = plain;
    nul[150001] = 0;
    std::string crlf;
    for (char c : MakeTextLines(3000, 13, 0, 90))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string empties(100000, '\n');
    const std::string noFinal = plain.substr(0, plain.size() - 1);
    const std::string onBlock = plain.substr(0, 30720 * 5);
    const std::string files[] = {plain, longish, tooLong, nul, crlf, empties, noFinal, onBlock};
    const int views[] = {0, kStripBit7};
    int walked = 0;
    for (size_t f = 0; f < sizeof files / sizeof files[0]; f++) {
        const std::string path = WriteTestFile("walk" + std::to_string(f) + ".txt", files[f]);
        const int64_t size = (int64_t)files[f].size();
        for (int view : views) {
            for (int page : {1, 22, 61}) {
                SCOPED_TRACE(::testing::Message()
                             << "file " << f << " view " << view << " page " << page);
                const std::vector<int64_t> moves = {
                    -1 - size * 3 / 4, 2500,           END_LINE, 1,    700,     -1 - size / 2,
                    END_LINE,          -1 - size + 10, 3,        1900, END_LINE};
                const std::vector<WalkState> exact = Walk(path, view, page, moves, kExact);
                for (WalkKind kind : {kMapped, kRead}) {
                    const std::vector<WalkState> fast = Walk(path, view, page, moves, kind);
                    for (size_t i = 0; i < exact.size(); i++)
                        ASSERT_TRUE(exact[i] == fast[i]) << "kind " << kind << " move " << i;
                }
                walked++;
            }
        }
    }
    EXPECT_EQ(walked, 48);
}

TEST(FastWalk, GeneratedFilesUnderOtherSizes) {
    // Lines of random lengths up to a bound below, near and past LineLength, now and then a
    // NUL; a block table of two entries that grows on the way, and a longer LineLength.
    const MemorySizes sizes[] = {SmallSizes(2), ComputeMemorySizes(1024, 3, 100000)};
    int walked = 0;
    for (unsigned seed = 1; seed <= 24; seed++) {
        const int longest[] = {40, 190, 240, 270, 1100};
        // One file of plain lines spans more than a mapped stretch of the file holds.
        const bool large = seed == 23;
        std::string text = MakeTextLines(large ? 80000 : 1500 + (int)seed * 150, seed, 0,
                                         large ? 190 : longest[seed % 5]);
        if (seed % 4 == 0)
            text[text.size() * seed / 29] = 0;
        if (seed % 3 == 0)
            text.resize(text.size() - seed);
        const std::string path = WriteTestFile("gen" + std::to_string(seed) + ".txt", text);
        const int64_t size = (int64_t)text.size();
        for (const MemorySizes& s : sizes) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " L " << s.lineLength);
            const int page = 1 + (int)(seed * 7 % 40);
            const std::vector<int64_t> moves = {
                -1 - size * 4 / 5, -1 - size / 3, END_LINE, (int64_t)seed * 97, 1,
                -1 - size + 1,     END_LINE};
            const std::vector<WalkState> exact = Walk(path, 0, page, moves, kExact, s);
            const WalkKind kind = seed % 2 ? kMapped : kRead;
            const std::vector<WalkState> fast = Walk(path, 0, page, moves, kind, s);
            for (size_t i = 0; i < exact.size(); i++)
                ASSERT_TRUE(exact[i] == fast[i]) << "kind " << kind << " move " << i;
            walked++;
        }
    }
    EXPECT_EQ(walked, 48);
}

// What a look ahead through the file's bytes finds: the pieces in order, wherever they stand
// against the stretches it maps (or reads, where the system maps nothing), never one at or after
// the end asked for, and what the file holds when it looks.
int64_t FindNeedle(const char* bytes, int64_t n, void*) {
    const char needle[] = "Needle";
    const char* at = std::search(bytes, bytes + n, needle, needle + 6);
    return at < bytes + n ? at - bytes : -1;
}

TEST(ScanAhead, FindsEveryPieceWhateverStretchItStraddles) {
    TestEngine e;
    const int64_t size = e.sizes.readSize + 1 + (INT64_C(4) << 20); // one stretch
    std::string f(2 * size + 4000, 'x');
    const int64_t far = size + 1000;
    const std::vector<int64_t> needles = {100, far, (int64_t)f.size() - 6};
    for (int64_t at : needles)
        f.replace((size_t)at, 6, "Needle");
    const std::string path = WriteTestFile("stretches.txt", f);
    for (bool mapped : {true, false}) {
        SCOPED_TRACE(mapped ? "mapped" : "read");
        Plat_RefuseFileViewsForTests(!mapped);
        ASSERT_EQ(0, e.Open(path));
        Engine_BeginWalk(&e);
        bool toEnd = false;
        std::vector<int64_t> found;
        for (int64_t from = 0, at; (at = Engine_ScanAhead(&e, from, INT64_MAX, 5, FindNeedle,
                                                          nullptr, &toEnd)) >= 0;
             from = at + 1)
            found.push_back(at);
        EXPECT_EQ(needles, found);
        EXPECT_TRUE(toEnd);
        // The first stretch ending before, inside (k = 1 to 5) and after the far piece.
        for (int64_t k = 0; k <= 7; k++)
            EXPECT_EQ(far, Engine_ScanAhead(&e, far - size + k, INT64_MAX, 5, FindNeedle,
                                            nullptr, &toEnd))
                << k;
        EXPECT_EQ(kScanNone, Engine_ScanAhead(&e, 101, far, 5, FindNeedle, nullptr, &toEnd));
        EXPECT_FALSE(toEnd);
        EXPECT_EQ(far, Engine_ScanAhead(&e, 101, far + 1, 5, FindNeedle, nullptr, &toEnd));
        Engine_EndWalk(&e);
    }
    Plat_RefuseFileViewsForTests(0);

    // Bytes written after the file was opened are looked through as a walk would read them.
    Engine_BeginWalk(&e);
    bool toEnd = false;
    ASSERT_EQ(kScanNone, Engine_ScanAhead(&e, (int64_t)f.size() - 5, INT64_MAX, 5, FindNeedle,
                                          nullptr, &toEnd));
    FILE* grow = fopen(path.c_str(), "ab");
    ASSERT_TRUE(grow);
    fputs("more Needle", grow);
    fclose(grow);
    EXPECT_EQ((int64_t)f.size() + 5, Engine_ScanAhead(&e, (int64_t)f.size() - 5, INT64_MAX, 5,
                                                      FindNeedle, nullptr, &toEnd));
    Engine_EndWalk(&e);
    e.exactWalk = true;
    Engine_BeginWalk(&e);
    EXPECT_EQ(kScanUnknown, Engine_ScanAhead(&e, 0, INT64_MAX, 5, FindNeedle, nullptr, &toEnd));
    Engine_EndWalk(&e);
}

TEST(FileViews, AStretchOfTheFileOrNothing) {
    // A view anywhere in the file, across the system's granularity; none past the file's end,
    // of an empty file, or while tests refuse views.
    const std::string text = RandomBytes(300000, 5);
    PlatFile* file = Plat_OpenRead(WriteTestFile("view.bin", text).c_str());
    ASSERT_TRUE(file);
    struct Case {
        int64_t offset, count;
        bool mapped;
    } const cases[] = {{0, 300000, true},  {1, 10, true},      {65535, 70000, true},
                       {299999, 1, true},  {299999, 2, false}, {0, 300001, false},
                       {300000, 1, false}, {-1, 5, false},     {5, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        const char* bytes = nullptr;
        PlatFileView* view = Plat_MapFileView(file, c.offset, c.count, &bytes);
        ASSERT_EQ(view != nullptr, c.mapped);
        if (view) {
            EXPECT_EQ(std::string(bytes, (size_t)c.count),
                      text.substr((size_t)c.offset, (size_t)c.count));
        }
        Plat_UnmapFileView(view);
    }
    const char* bytes = nullptr;
    Plat_RefuseFileViewsForTests(1);
    EXPECT_FALSE(Plat_MapFileView(file, 0, 10, &bytes));
    Plat_RefuseFileViewsForTests(0);
    Plat_Close(file);
    PlatFile* empty = Plat_OpenRead(WriteTestFile("empty.bin", "").c_str());
    ASSERT_TRUE(empty);
    EXPECT_FALSE(Plat_MapFileView(empty, 0, 1, &bytes));
    Plat_Close(empty);
}

#ifndef _WIN32 // the native build alone serves a file from memory
// The file fuzz targets read from memory answers every call of the seam as the same bytes on
// disk do: reads across and past the end, seeks past it, what the open file says of its end,
// the description and the stretches that can be mapped; once no longer served, it is gone.
TEST(MemoryFile, AnswersAsTheFileOnDisk) {
    const std::string text = RandomBytes(70000, 9);
    for (const std::string& bytes : {text, std::string()}) {
        SCOPED_TRACE(bytes.size());
        const std::string disk = WriteTestFile("disk.bin", bytes);
        const std::string served = TestDir() + "/served.bin";
        Plat_ServeFromMemoryForTests(served.c_str(), bytes.data(), (int64_t)bytes.size());
        PlatFileInfo diskInfo, servedInfo;
        ASSERT_TRUE(Plat_GetFileInfo(disk.c_str(), &diskInfo));
        ASSERT_TRUE(Plat_GetFileInfo(served.c_str(), &servedInfo));
        EXPECT_EQ(servedInfo.size, diskInfo.size);
        EXPECT_EQ(servedInfo.attributes, diskInfo.attributes);
        PlatFile* files[2] = {Plat_OpenRead(disk.c_str()), Plat_OpenListedFile(served.c_str())};
        ASSERT_TRUE(files[0] && files[1]);
        EXPECT_EQ(Plat_EndAtOpen(files[1]), Plat_EndAtOpen(files[0]));
        EXPECT_EQ(Plat_ShortReadEnds(files[1]), Plat_ShortReadEnds(files[0]));
        // A seek (-1: none) then a read of count bytes; a view of count bytes at offset.
        struct Step {
            int64_t offset, count;
        } const steps[] = {{0, 100},   {-1, 4096}, {69990, 100}, {-1, 5},      {80000, 10}, {-1, 1},
                           {5, 69995}, {69999, 1}, {70000, 1},   {4095, 8193}, {-5, 1},     {0, 0}};
        for (const Step& step : steps) {
            SCOPED_TRACE(::testing::Message() << step.offset << " " << step.count);
            std::string got[2];
            int64_t n[2];
            int seek[2] = {1, 1};
            bool mapped[2];
            for (int f = 0; f < 2; f++) {
                if (step.offset != -1)
                    seek[f] = Plat_Seek(files[f], step.offset);
                got[f].resize((size_t)step.count);
                n[f] = Plat_Read(files[f], &got[f][0], step.count);
                const char* at = nullptr;
                PlatFileView* view = Plat_MapFileView(files[f], step.offset, step.count, &at);
                mapped[f] = view != nullptr;
                if (view)
                    got[f] += std::string(at, (size_t)step.count);
                Plat_UnmapFileView(view);
            }
            EXPECT_EQ(seek[1], seek[0]);
            EXPECT_EQ(n[1], n[0]);
            EXPECT_EQ(mapped[1], mapped[0]);
            EXPECT_EQ(got[1], got[0]);
        }
        Plat_Close(files[0]);
        Plat_Close(files[1]);
        Plat_ServeFromMemoryForTests(served.c_str(), nullptr, 0);
        EXPECT_FALSE(Plat_OpenRead(served.c_str()));
        EXPECT_FALSE(Plat_GetFileInfo(served.c_str(), &servedInfo));
    }
}

// Every way the engine walks a file ends the same on the bytes served from memory as on disk:
// files of several blocks in each view, through mapped stretches, read ones and split blocks.
TEST(MemoryFile, WalksAsTheFileOnDisk) {
    std::string nul = MakeTextLines(3000, 21);
    nul[40001] = 0;
    const std::string files[] = {MakeTextLines(5000, 20), nul, RandomBytes(100000, 22),
                                 MakeTextLines(3000, 23).substr(0, 30720 * 3)};
    const std::string served = TestDir() + "/served.txt";
    int walked = 0;
    for (size_t f = 0; f < sizeof files / sizeof files[0]; f++) {
        const std::string disk = WriteTestFile("disk" + std::to_string(f) + ".txt", files[f]);
        const int64_t size = (int64_t)files[f].size();
        const std::vector<int64_t> moves = {-1 - size / 2, END_LINE,      1,
                                            900,           -1 - size + 3, END_LINE};
        for (int view : {0, kHex, kBinary, kStripBit7 | kCrIsNewLine}) {
            for (WalkKind kind : {kExact, kMapped, kRead}) {
                SCOPED_TRACE(::testing::Message()
                             << "file " << f << " view " << view << " kind " << kind);
                const std::vector<WalkState> fromDisk = Walk(disk, view, 22, moves, kind);
                Plat_ServeFromMemoryForTests(served.c_str(), files[f].data(), size);
                const std::vector<WalkState> fromMemory = Walk(served, view, 22, moves, kind);
                Plat_ServeFromMemoryForTests(served.c_str(), nullptr, 0);
                ASSERT_EQ(fromDisk.size(), fromMemory.size());
                for (size_t i = 0; i < fromDisk.size(); i++)
                    ASSERT_TRUE(fromDisk[i] == fromMemory[i]) << "move " << i;
                walked++;
            }
        }
    }
    EXPECT_EQ(walked, 48);
}
#endif

} // namespace
