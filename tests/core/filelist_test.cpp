// The directory file list: which files a mask list finds (wildcards, patterns, attributes,
// letter case), the sort orders, the hand-over to a list that may refuse entries, the
// gone-directory and out-of-memory paths, and the status line texts.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <utime.h>
#endif

#include "lister/dirsnap.h"
#include "lister/dirtree.h"
#include "lister/filelist.h"
#include "shell/settings.h"
#include "support.h"

namespace {

typedef std::vector<std::string> Names;

// Read-only and archive, as the system marks them.
void MakeReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), readOnly
                                                     ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE
                                                     : FILE_ATTRIBUTE_ARCHIVE));
#else
    ASSERT_EQ(Plat_SetReadOnly(path.c_str(), readOnly), 0);
#endif
}

// Collects what the listing hands to the window's list; refuses past a limit.
struct ListBox {
    Names names;
    int limit = -1;
    int measured = 0;
    int gone = 0;
    int askedBeforeGone = -1; // questions asked when directoryGone came
    ScriptedUser* user = nullptr;
    FileListSink Sink() {
        FileListSink s = {};
        s.context = this;
        s.add = [](void* c, const char* name) {
            ListBox* box = (ListBox*)c;
            if (box->limit >= 0 && (int)box->names.size() >= box->limit)
                return 0;
            box->names.push_back(name);
            return 1;
        };
        s.measure = [](void* c, const char* name) {
            ((ListBox*)c)->measured++;
            return (int)strlen(name) * 8 + 16;
        };
        s.directoryGone = [](void* c) {
            ListBox* box = (ListBox*)c;
            box->gone++;
            box->askedBeforeGone = box->user ? (int)box->user->asked.size() : -1;
        };
        return s;
    }
};

class FileList : public ::testing::Test {
  protected:
    std::string dir; // with its separator
    void SetUp() override {
        Fresh();
    }
    // Default settings and an empty folder of the test's own.
    void Fresh() {
        Settings_Reset();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("fl_") + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir = TestDir() + name;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directory(dir);
        dir += kPlatDirSeparator;
    }
    void TearDown() override {
        FileCollection_LimitForTests(0);
        Settings_Reset();
    }
    std::string Make(const std::string& name, size_t size = 0) {
        const std::string path = dir + name;
        FILE* f = fopen(path.c_str(), "wb");
        EXPECT_TRUE(f != nullptr) << path;
        if (f) {
            for (size_t i = 0; i < size; i++)
                fputc('x', f);
            fclose(f);
        }
        return path;
    }
    Names List(const std::string& masks, FileSortKey key = kSortName, DirFigures* figures = nullptr,
               int* result = nullptr) {
        ListBox box;
        DirFigures local = {};
        ListOutcome outcome;
        const int rc =
            ListFiles(dir.c_str(), masks.c_str(), key, box.Sink(), figures ? figures : &local,
                      &outcome);
        if (result)
            *result = rc;
        EXPECT_EQ(outcome.added, (int)box.names.size());
        return box.names;
    }
    // As a directory window lists a folder its tree has just read.
    Names ListAfterTreeRead(const std::string& masks) {
        DirSnapshotScope scope;
        DirTree tree = {};
        ReadTreeLevel(&tree, dir.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
        Names names = List(masks);
        DirTree_Release(&tree);
        return names;
    }
};

// ---- Which files a mask list finds --------------------------------------------------------------

struct MaskCase {
    const char* label;
    Names files;
    Names dirs;
    const char* masks;
    int preserveCase;
    Names expected; // name order
};

TEST_F(FileList, MaskListsFindTheirFiles) {
    const MaskCase cases[] = {
        {"only .h files for *.c;*.h", {"b.h", "a.h"}, {}, "*.c;*.h", 0, {"a.h", "b.h"}},
        {"abc*.* also takes abc",
         {"abc", "abcdef.txt", "ab.txt", "xabc.txt"},
         {},
         "abc*.*",
         0,
         {"abc", "abcdef.txt"}},
        {"*read* anywhere in the name",
         {"readme.txt", "myread.doc", "other.txt", "rea.d"},
         {},
         "*read*",
         0,
         {"myread.doc", "readme.txt"}},
        {"a pattern covers the whole name",
         {"a.c", "a.cpp", "x.c.c", "c"},
         {},
         "*.c",
         0,
         {"a.c", "x.c.c"}},
        {"a set with a run", {"a.txt", "ab.txt", "c.txt", "ba.doc"}, {}, "[ab]*.txt", 0,
         {"a.txt", "ab.txt"}},
        {"?", {"a1", "a12", "b1"}, {}, "a?", 0, {"a1"}},
        {"*.* takes names without a dot", {"makefile", "x.y"}, {}, "*.*", 0, {"makefile", "x.y"}},
        {"empty masks are skipped", {"a.c", "b.h"}, {}, ";*.c;;*.h;", 0, {"a.c", "b.h"}},
        {"directories are not files", {"f.txt"}, {"sub", "sub.txt"}, "*.*", 0, {"f.txt"}},
        {"names lower-cased", {"README.TXT", "Notes.Txt"}, {}, "*.*", 0,
         {"notes.txt", "readme.txt"}},
        {"names as stored", {"README.TXT", "Notes.Txt"}, {}, "*.*", 1,
         {"Notes.Txt", "README.TXT"}},
        {"an upper-case mask is lower-cased with the names", {"READ.ME", "x.me"}, {}, "*.ME", 0,
         {"read.me", "x.me"}},
        {"an upper-case mask matches as stored, case-blind", {"READ.ME", "x.me"}, {}, "*.ME", 1,
         {"READ.ME", "x.me"}},
        {"a plain name is the system's to match", {"Data.C", "data.cc"}, {}, "DATA.C", 0,
         {"data.c"}},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.label);
        Fresh();
        for (const std::string& f : c.files)
            Make(f, 1);
        for (const std::string& d : c.dirs)
            std::filesystem::create_directory(dir + d);
        gSettings.preserveCase = c.preserveCase;
        EXPECT_EQ(List(c.masks), c.expected);
        // Listed from the tree's read of the folder just made, the same names.
        EXPECT_EQ(ListAfterTreeRead(c.masks), c.expected);
    }
}

TEST_F(FileList, AListingReplaysTheTreesReadOnlyWhileItsScopeLasts) {
    Make("kept.txt", 3);
    const std::string gone = Make("gone.txt", 5);
    DirFigures figures = {};
    {
        DirSnapshotScope scope;
        DirTree tree = {};
        ReadTreeLevel(&tree, dir.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
        DirTree_Release(&tree);
        ASSERT_EQ(Plat_DeleteFile(gone.c_str()), 0);
        EXPECT_EQ(List("*.*", kSortSize, &figures), (Names{"kept.txt", "gone.txt"}));
        EXPECT_EQ(figures.listedBytes, 8u);
        // A name the system matches itself is looked up on the disk.
        EXPECT_EQ(List("gone.txt"), Names{});
    }
    EXPECT_EQ(List("*.*"), Names{"kept.txt"});
    // A read cut short by memory leaves nothing to replay.
    Make("again.txt");
    DirSnapshotScope scope;
    DirTree tree = {};
    for (int i = 0; i < 2 * kTreeGrowStep; i++) // more than the tree's first block holds
        std::filesystem::create_directory(dir + "sub" + std::to_string(i));
    DirTree_FailAllocationsForTests(1, 1);
    ReadTreeLevel(&tree, dir.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    DirTree_FailAllocationsForTests(0, 0);
    DirTree_Release(&tree);
    std::filesystem::remove(dir + "again.txt");
    EXPECT_EQ(List("*.*"), Names{"kept.txt"});
}

TEST_F(FileList, HiddenAndSystemFilesFollowTheSettings) {
#ifdef _WIN32
    const std::string hidden = Make("hid.txt");
    const std::string system = Make("sys.txt");
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM));
    const char* h = "hid.txt";
    const char* s = "sys.txt";
#else
    Make(".hid.txt"); // the native build counts dot files as hidden, and has no system files
    const char* h = ".hid.txt";
    const char* s = nullptr;
#endif
    Make("plain.txt");
    struct {
        int hiddenFiles, systemFiles;
        bool seeHidden, seeSystem;
    } cases[] = {{1, 1, true, true}, {0, 1, false, true}, {1, 0, true, false},
                 {0, 0, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "HiddenFiles " << c.hiddenFiles << " SystemFiles "
                                        << c.systemFiles);
        gSettings.hiddenFiles = c.hiddenFiles;
        gSettings.systemFiles = c.systemFiles;
        Names expected;
        if (c.seeHidden)
            expected.push_back(h);
        expected.push_back("plain.txt");
        if (s && c.seeSystem)
            expected.push_back(s);
        EXPECT_EQ(List("*.*"), expected);
    }
}

TEST_F(FileList, EnumerationReturnsDirectoriesInBracketsNeverDotNames) {
    Make("f.txt", 7);
    Make("g.txt", 5);
    std::filesystem::create_directory(dir + "sub");
    FileScan scan = {};
    char text[kEntryTextMax];
    Names got;
    const std::string path = dir + "*.*";
    for (int kind = FileScan_Next(&scan, path.c_str(), text, true, true); kind != kEnumDone;
         kind = FileScan_Next(&scan, path.c_str(), text, false, true)) {
        EXPECT_EQ(kind, text[0] == '[' ? kEnumDirectory : kEnumFile) << text;
        got.push_back(text);
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Names{"[sub]", "f.txt", "g.txt"}));
    EXPECT_EQ(scan.totalBytes, 12u); // files only
}

TEST_F(FileList, TwoEnumerationsRunSideBySide) {
    Make("a1");
    Make("a2");
    Make("a3");
    const std::string path = dir + "*.*";
    FileScan other = {};
    char text[kEntryTextMax], otherText[kEntryTextMax];
    Names mine, theirs;
    bool first = true;
    while (EnumerateFiles(path.c_str(), text, first, false) == kEnumFile) {
        mine.push_back(text);
        if (FileScan_Next(&other, path.c_str(), otherText, first, false) == kEnumFile)
            theirs.push_back(otherText);
        first = false;
    }
    while (FileScan_Next(&other, path.c_str(), otherText, false, false) == kEnumFile)
        theirs.push_back(otherText);
    std::sort(mine.begin(), mine.end());
    std::sort(theirs.begin(), theirs.end());
    EXPECT_EQ(mine, (Names{"a1", "a2", "a3"}));
    EXPECT_EQ(theirs, mine);
}

// ---- Sort orders --------------------------------------------------------------------------------

struct Listed {
    const char* name;
    uint32_t stamp = 0;
    uint64_t size = 0;
};

Names Sorted(const std::vector<Listed>& in, FileSortKey key) {
    std::vector<FileEntry> entries(in.size());
    for (size_t i = 0; i < in.size(); i++) {
        entries[i].name = in[i].name;
        entries[i].stamp = in[i].stamp;
        entries[i].size = in[i].size;
    }
    std::vector<const FileEntry*> order(in.size());
    FileList_Sort(entries.data(), (int32_t)entries.size(), key, order.data());
    Names out;
    for (const FileEntry* e : order)
        out.push_back(e->name);
    return out;
}

TEST(FileListSort, OrdersAndTieBreaks) {
    const std::vector<Listed> typed = {{"a.h"}, {"zed"}, {"B.C"}, {"makefile"}, {"a.c"},
                                       {"x.tar.gz"}, {"y.gz"}, {"Z.TAR.GZ"}};
    const std::vector<Listed> named = {{"b"}, {"["}, {"a"}, {"B_"}, {"\xe9t\xe9"}, {"z"}};
    // Names that agree in their first sixteen bytes and more, or end inside them.
    const std::vector<Listed> longNamed = {
        {"report_2024_q1_b.txt"}, {"REPORT_2024_Q1_A.TXT"}, {"report_2024_q1_"}, {"Report"},
        {"report_2024_q1_a"},     {"report_2024_q1"},       {"report_2024_q1_b"}};
    const uint64_t big = UINT64_C(5) << 30; // past 4 GB
    const std::vector<Listed> dated = {{"new", 0x2E650000}, {"old1", 0x22000000},
                                       {"mid", 0x2E640000}, {"old2", 0x22000000}};
    const std::vector<Listed> sized = {{"b", 0, 10}, {"huge", 0, big}, {"A", 0, 10},
                                       {"c", 0, 9},  {"d", 0, big + 1}, {"a2", 0, 10}};
    struct {
        const char* label;
        const std::vector<Listed>* in;
        FileSortKey key;
        Names expected;
    } cases[] = {
        {"type: no extension first, then by extension, then by name", &typed, kSortType,
         {"makefile", "zed", "a.c", "B.C", "y.gz", "a.h", "x.tar.gz", "Z.TAR.GZ"}},
        {"name: A-Z folded, other bytes unsigned", &named, kSortName,
         {"[", "a", "b", "B_", "z", "\xe9t\xe9"}},
        {"name: past the first bytes", &longNamed, kSortName,
         {"Report", "report_2024_q1", "report_2024_q1_", "report_2024_q1_a",
          "REPORT_2024_Q1_A.TXT", "report_2024_q1_b", "report_2024_q1_b.txt"}},
        {"date: oldest first, equal stamps as they came", &dated, kSortDate,
         {"old1", "old2", "mid", "new"}},
        {"size: smallest first, equal sizes by name", &sized, kSortSize,
         {"c", "A", "a2", "b", "huge", "d"}},
        {"none: as delivered", &sized, kSortNone, {"b", "huge", "A", "c", "d", "a2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sorted(*c.in, c.key), c.expected) << c.label;
}

TEST_F(FileList, ListingsOnDiskSortBySizeDateAndDeliveryOrder) {
    const struct {
        const char* name;
        size_t size;
        int year, month, day;
    } files[] = {{"b.txt", 30, 1997, 3, 5}, {"a.txt", 30, 2003, 1, 1}, {"c.dat", 5, 1975, 6, 1},
                 {"d", 100, 1999, 12, 31}};
    for (const auto& f : files)
        SetModified(Make(f.name, f.size), LocalSeconds(f.year, f.month, f.day, 12, 0));
    EXPECT_EQ(List("*.*", kSortSize), (Names{"c.dat", "a.txt", "b.txt", "d"}));
    // A file from before 1980 has the earliest stamp there is.
    EXPECT_EQ(List("*.*", kSortDate), (Names{"c.dat", "b.txt", "d", "a.txt"}));
    EXPECT_EQ(List("*.*", kSortType), (Names{"d", "c.dat", "a.txt", "b.txt"}));
    // Without sorting, each mask's files come after the previous mask's.
    EXPECT_EQ(List("d;c*;b*;a*", kSortNone), (Names{"d", "c.dat", "b.txt", "a.txt"}));
}

TEST(FileListStamp, DosDateAndTimeOfTheLocalTime) {
    // 5 March 1997 14:07:30: date (17 << 9 | 3 << 5 | 5), time (14 << 11 | 7 << 5 | 15).
    EXPECT_EQ(FileStampOf(LocalSeconds(1997, 3, 5, 14, 7, 30)), (8805u << 16) | 28911u);
    EXPECT_EQ(FileStampOf(LocalSeconds(1980, 1, 1, 0, 0, 0)), (33u << 16) | 0u);
    EXPECT_EQ(FileStampOf(LocalSeconds(1979, 12, 31, 23, 59, 58)), 0u);
}

// ---- The listing's outcomes -------------------------------------------------------------------

TEST_F(FileList, FiguresCountEveryMaskAndTheDrive) {
    Make("a.c", 10);
    Make("b.c", 20);
    Make("z.h", 5);
    Make("x.txt", 1000);
    DirFigures figures = {};
    EXPECT_EQ(List("*.c;*.h", kSortName, &figures), (Names{"a.c", "b.c", "z.h"}));
    EXPECT_EQ(figures.listedBytes, 35u);
    EXPECT_GT(figures.diskBytes, 0u);
    EXPECT_LE(figures.freeBytes, figures.diskBytes);
}

TEST_F(FileList, NothingMatchingIsAnEmptyListWithoutAMessage) {
    Make("a.c", 10);
    ScriptedUser user;
    DirFigures figures = {1, 2, 3};
    int rc = -1;
    EXPECT_EQ(List("*.zzz;none", kSortName, &figures, &rc), Names{});
    EXPECT_EQ(rc, 1);
    EXPECT_TRUE(user.asked.empty());
    EXPECT_EQ(figures.listedBytes, 0u);
    EXPECT_GT(figures.diskBytes, 0u);
}

TEST_F(FileList, AGoneDirectoryIsAnInvalidFilespec) {
    const std::string gone = dir + "gone" + kPlatDirSeparator;
    ScriptedUser user;
    ListBox box;
    box.user = &user;
    DirFigures figures = {11, 22, 33};
    ListOutcome outcome;
    EXPECT_EQ(ListFiles(gone.c_str(), "*.c;*.h", kSortName, box.Sink(), &figures, &outcome), 0);
    EXPECT_EQ(box.gone, 1);
    EXPECT_EQ(box.askedBeforeGone, 0); // the tree is mended before the message shows
    EXPECT_EQ(user.asked,
              (std::vector<AskedQuestion>{{"Invalid filespec", "", kButtonsOk, kIconWarning, 0}}));
    EXPECT_TRUE(box.names.empty());
    EXPECT_EQ(figures.listedBytes, 11u);
    EXPECT_EQ(figures.freeBytes, 22u);
    EXPECT_EQ(figures.diskBytes, 33u);
}

TEST_F(FileList, AListThatRefusesEntriesKeepsWhatItTook) {
    for (int i = 9; i >= 0; i--)
        Make("f" + std::to_string(i));
    ScriptedUser user;
    ListBox box;
    box.limit = 4;
    DirFigures figures = {};
    ListOutcome outcome;
    EXPECT_EQ(ListFiles(dir.c_str(), "*.*", kSortName, box.Sink(), &figures, &outcome), 1);
    EXPECT_EQ(box.names, (Names{"f0", "f1", "f2", "f3"}));
    EXPECT_EQ(outcome.gathered, 10);
    EXPECT_EQ(outcome.added, 4);
    EXPECT_EQ(user.asked, (std::vector<AskedQuestion>{{"List memory full.\nNot all files are shown.",
                                                       "Partial List", kButtonsOk, kIconError,
                                                       0}}));
}

// A list that draws its rows from the listing takes it whole, and is read, searched and
// trimmed through it; one that cannot show it says so, as a list refusing names does.
TEST_F(FileList, AListTakingTheWholeListingReadsFindsAndLosesNames) {
    for (const char* name : {"beta.c", "Alpha.txt", "[x].h", "apple", "b2"})
        Make(name);
    struct Taker {
        FileListing listing = {};
        int accept = 1;
    } taker;
    FileListSink sink = {};
    sink.context = &taker;
    sink.take = [](void* c, FileListing* listing) {
        Taker* t = (Taker*)c;
        if (!t->accept)
            return 0;
        t->listing = *listing;
        *listing = FileListing{};
        return 1;
    };
    DirFigures figures = {};
    ListOutcome outcome = {};
    ASSERT_EQ(ListFiles(dir.c_str(), "*.*", kSortName, sink, &figures, &outcome), 1);
    FileListing* l = &taker.listing;
    EXPECT_EQ(outcome.added, 5);
    Names shown;
    for (int32_t i = 0; FileListing_Name(l, i); i++)
        shown.push_back(FileListing_Name(l, i));
    EXPECT_EQ(shown, (Names{"[x].h", "alpha.txt", "apple", "b2", "beta.c"}));
    EXPECT_EQ(FileListing_Find(l, "ALPHA.TXT"), 1);
    EXPECT_EQ(FileListing_Find(l, "alpha"), -1);
    struct {
        int32_t after;
        char c;
        int32_t expected;
    } typed[] = {{-1, 'a', 1}, {1, 'A', 2}, {2, 'a', 1}, {3, 'b', 4}, {4, 'b', 3},
                 {0, 'x', 0}, {0, 'q', -1}, {9, 'b', 3}};
    for (const auto& t : typed)
        EXPECT_EQ(FileListing_NextStartingWith(l, t.after, t.c), t.expected)
            << "after " << t.after << " typing " << t.c;
    FileListing_Remove(l, 1);
    FileListing_Remove(l, 9); // past the end: nothing
    EXPECT_EQ(l->count, 4);
    EXPECT_STREQ(FileListing_Name(l, 1), "apple");
    EXPECT_EQ(FileListing_Name(l, 4), nullptr);
    FileListing_Free(l);

    ScriptedUser user;
    taker.accept = 0;
    ASSERT_EQ(ListFiles(dir.c_str(), "*.*", kSortName, sink, &figures, &outcome), 1);
    EXPECT_EQ(outcome.added, 0);
    EXPECT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked.empty() ? "" : user.asked[0].text, kListFullText);
}

TEST_F(FileList, ListingsGrowPastTheFirstBlockOrSayMemoryRanOut) {
    Names all;
    for (int i = 0; i < 600; i++) {
        char name[16];
        snprintf(name, sizeof name, "n%04d", i);
        Make(name);
        all.push_back(name);
    }
    {
        ScriptedUser user;
        ListBox box;
        DirFigures figures = {};
        ListOutcome outcome;
        EXPECT_EQ(ListFiles(dir.c_str(), "*.*", kSortName, box.Sink(), &figures, &outcome), 1);
        EXPECT_EQ(box.names, all);
        EXPECT_EQ(box.measured, 600);
        EXPECT_EQ(outcome.widest, 5 * 8 + 16);
        EXPECT_TRUE(user.asked.empty());
    }
    FileCollection_LimitForTests(512);
    ScriptedUser user;
    ListBox box;
    ListOutcome outcome;
    DirFigures figures = {};
    EXPECT_EQ(ListFiles(dir.c_str(), "*.*", kSortName, box.Sink(), &figures, &outcome), 1);
    EXPECT_TRUE(box.names.empty());
    EXPECT_EQ(user.asked, (std::vector<AskedQuestion>{{"Could not get memory for the file list",
                                                       "", kButtonsOk, kIconWarning, 0}}));
}

// ---- Status texts -------------------------------------------------------------------------------

TEST(FileListText, FormatCount) {
    const uint64_t kMax = UINT64_MAX;
    struct {
        uint64_t n;
        bool compact;
        const char* text;
    } cases[] = {
        {0, false, "0"},
        {999, false, "999"},
        {1000, false, "1,000"},
        {1234567, false, "1,234,567"},
        {UINT64_C(5368709120), false, "5,368,709,120"},
        {kMax, false, "18,446,744,073,709,551,615"},
        {1234, true, "1,234 bytes"},
        {1048576, true, "1,048,576 bytes"},
        {1048577, true, "1.000MB"},
        {12944671, true, "12.345MB"},
        {1073741824, true, "1,024.000MB"},
        {1073741825, true, "1.000GB"},
        {2305323697u, true, "2.147GB"},
        {UINT64_C(4294967296), true, "4.000GB"},
        {UINT64_C(8053063680), true, "7.500GB"},
        {UINT64_C(1649267441664), true, "1,536.000GB"},
        {kMax, true, "17,179,869,183.999GB"},
    };
    for (const auto& c : cases) {
        char text[kCountTextMax];
        FormatCount(c.n, c.compact, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.n << (c.compact ? " compact" : "");
    }
}

TEST(FileListText, FilesAndSpaceLines) {
    char text[kStatusTextMax];
    struct {
        int32_t files;
        uint64_t bytes;
        bool compact;
        const char* text;
    } filesLines[] = {
        {0, 0, false, "0 Files (0 bytes)"},
        {1, 1234, false, "1 File (1,234 bytes)"},
        {1234, UINT64_C(5368709120), false, "1,234 Files (5,368,709,120 bytes)"},
        {12, 12944671, true, "12 Files (12.345MB)"},
        {1, 10, true, "1 File (10 bytes)"},
    };
    for (const auto& c : filesLines) {
        FormatFilesLine(c.files, c.bytes, c.compact, text, sizeof text);
        EXPECT_STREQ(text, c.text);
    }
    FormatSpaceLine(1234, 5678, false, text, sizeof text);
    EXPECT_STREQ(text, "1,234 bytes free (of 5,678)");
    FormatSpaceLine(2305323697u, UINT64_C(8053063680), true, text, sizeof text);
    EXPECT_STREQ(text, "2.147GB free (of 7.500GB)");
    FormatSpaceLine(UINT64_C(5368709120), UINT64_C(8053063680), false, text, sizeof text);
    EXPECT_STREQ(text, "5,368,709,120 bytes free (of 8,053,063,680)");
}

TEST(FileListText, AttributeLettersInTheirOrder) {
    struct {
        uint32_t attributes;
        const char* letters;
    } cases[] = {
        {0, ""},
        {kPlatAttrArchive | kPlatAttrReadOnly, "RA"},
        {kPlatAttrHidden | kPlatAttrSystem, "SH"},
        {kPlatAttrCompressed | kPlatAttrTemporary | kPlatAttrHidden | kPlatAttrSystem |
             kPlatAttrArchive | kPlatAttrReadOnly | kPlatAttrDirectory,
         "RASHTC"},
    };
    for (const auto& c : cases) {
        char letters[kAttributeLettersMax];
        AttributeLettersOf(c.attributes, letters);
        EXPECT_STREQ(letters, c.letters);
    }
}

TEST_F(FileList, SelectionInfoLine) {
    const std::string ro = Make("ro.txt", 1234);
    SetModified(ro, LocalSeconds(1997, 3, 5, 14, 7, 45));
    MakeReadOnly(ro, true);
    SetModified(Make("new.txt", 1234567), LocalSeconds(2003, 11, 30, 9, 5));
    SetModified(Make("big.txt", 1), LocalSeconds(2010, 1, 2, 23, 59));
    struct {
        Names names;
        const char* line;
        int found;
    } cases[] = {
        {{}, "", 0},
        {{"ro.txt"}, "05Mar97 14:07  Size:1,234      Attr:RA", 1},
        {{"new.txt"}, "30Nov03 09:05  Size:1,234,567  Attr:A", 1},
        {{"ro.txt", "new.txt", "big.txt"}, "Selected sizes: 1,235,802", 3},
        {{"missing.txt"}, "", 0},
        {{"ro.txt", "missing.txt"}, "Selected sizes: 1,234", 1},
    };
    for (const auto& c : cases) {
        std::vector<const char*> names;
        for (const std::string& n : c.names)
            names.push_back(n.c_str());
        char line[kStatusTextMax] = "junk";
        EXPECT_EQ(SelectionInfoLine(dir.c_str(), names.data(), (int32_t)names.size(), line,
                                    sizeof line),
                  c.found);
        EXPECT_STREQ(line, c.line);
    }
    char letters[kAttributeLettersMax];
    AttributeLetters(ro.c_str(), letters);
    EXPECT_STREQ(letters, "RA");
    MakeReadOnly(ro, false); // so the scratch folder can be removed
}

} // namespace
