// The disk search over generated trees: which files each kind of walk finds and in what order,
// the disks in turn, the qualifiers at their edges, the Match box's answers, Find File, the
// questions on the way, the lines a contents search lists, and the walk's limits (links, a file
// too long for the block table, a full list).
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#include <utime.h>
#endif

#include "find/findpat.h"
#include "search/searchwalk.h"
#include "shell/settings.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;
typedef std::vector<std::string> Paths;

const char kSep = kPlatDirSeparator;

// A tree of scratch files under one folder per test; each drive letter a folder of its own.
// The hooks record the user's side: drive changes, directories shown, offers and erasures.
struct SearchFixture : ::testing::Test {
    std::string base;
    std::unique_ptr<TestEngine> engine; // with the scripted user of the test
    SearchHooks hooks = {};
    SearchCriteria c = {};
    SearchWalk w = {};
    char current = 'c';
    std::map<char, std::string> roots;
    std::vector<char> changes;
    std::set<char> failingDrives;
    Paths shown;
    Paths offered;
    std::vector<bool> offeredDefaultSkip;
    std::vector<int> offerAnswers;
    Paths erased;
    int nextEnabled = -1;
    std::string savedCwd;

    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        base = TestDir() + "search-" + info->name() + kSep;
        fs::remove_all(base);
        fs::create_directories(base);
        savedCwd = fs::current_path().string();
        gSettings.hiddenFiles = 1;
        gSettings.systemFiles = 1;
        gSettings.preserveCase = 0;
        gFind = FindSettings();
        Search_FailFramesForTests(-1);
        UseEngine(512);
        roots['c'] = Dir("c");
        hooks.context = this;
        hooks.currentDrive = [](void* x) { return ((SearchFixture*)x)->current; };
        hooks.changeDrive = [](void* x, char d) {
            SearchFixture* f = (SearchFixture*)x;
            f->changes.push_back(d);
            if (f->failingDrives.count(d) || !f->roots.count(d))
                return 0;
            f->current = d;
            return 1;
        };
        hooks.driveRoot = [](void* x, char d, char* dest, int size) {
            SearchFixture* f = (SearchFixture*)x;
            return snprintf(dest, (size_t)size, "%s", f->roots[d].c_str());
        };
        hooks.showDirectory = [](void* x, const char* d) {
            ((SearchFixture*)x)->shown.push_back(d);
        };
        hooks.enableNext = [](void* x, bool on) { ((SearchFixture*)x)->nextEnabled = on; };
        hooks.offer = [](void* x, const char* path, bool defaultSkip) {
            SearchFixture* f = (SearchFixture*)x;
            f->offered.push_back(path);
            f->offeredDefaultSkip.push_back(defaultSkip);
            if (f->offerAnswers.empty())
                return (int)kSearchAnswerCancel;
            int a = f->offerAnswers.front();
            f->offerAnswers.erase(f->offerAnswers.begin());
            return a;
        };
        hooks.erase = [](void* x, const char* path) { ((SearchFixture*)x)->erased.push_back(path); };
        snprintf(c.mask, sizeof c.mask, "*.txt");
    }
    void TearDown() override {
        Search_Reset(&w, hooks);
#ifdef _WIN32
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
#endif
        fs::current_path(savedCwd);
    }
#ifdef _WIN32
    HANDLE held = INVALID_HANDLE_VALUE;
#endif
    // A match that cannot be opened: held open without sharing under Windows; natively, where
    // the tests' root reads any file, a link to nothing.
    std::string Unreadable(const std::string& rel, const std::string& bytes = "x") {
#ifdef _WIN32
        const std::string path = File(rel, bytes);
        held = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
#else
        const std::string path = Native(rel);
        (void)bytes;
        fs::create_symlink(base + "nothing", path);
#endif
        return path;
    }

    // A test engine with a block table of this many entries (and a scripted user of its own).
    void UseEngine(int64_t blockPointers) {
        engine.reset(); // one scripted user at a time
        engine = std::make_unique<TestEngine>(SmallSizes(blockPointers));
        hooks.engine = engine.get();
    }
    ScriptedUser& User() { return engine->user; }

    // The path of a folder or file under the test's base, given with "/".
    std::string Native(std::string rel) {
        std::replace(rel.begin(), rel.end(), '/', kSep);
        return base + rel;
    }
    // A folder under the test's base, ending in a separator.
    std::string Dir(const std::string& rel) {
        fs::create_directories(Native(rel));
        return Native(rel) + kSep;
    }
    std::string File(const std::string& rel, const std::string& bytes = "x") {
        const std::string path = Native(rel);
        fs::create_directories(fs::path(path).parent_path());
        FILE* f = fopen(path.c_str(), "wb");
        EXPECT_TRUE(f);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        return path;
    }
    void StartIn(const std::string& rel) {
        snprintf(c.startDirectory, sizeof c.startDirectory, "%s", Native(rel).c_str());
    }
    // Every match of a list-mode search, as found.
    Paths ListAll() {
        Paths found;
        Search_Reset(&w, hooks);
        while (Search_NextMatch(&w, c, kSearchListMode, hooks) == kSearchFound)
            found.push_back(w.foundPath);
        EXPECT_EQ(w.phase, kPhaseIdle);
        return found;
    }
    // The paths, relative to the base, in the walk's order.
    Paths Rel(const Paths& paths) {
        Paths out;
        for (const std::string& p : paths)
            out.push_back(p.substr(0, base.size()) == base ? p.substr(base.size()) : "?" + p);
        for (std::string& p : out)
            std::replace(p.begin(), p.end(), kSep, '/');
        return out;
    }
    static Paths Sorted(Paths p) {
        std::sort(p.begin(), p.end());
        return p;
    }
};

// ---- Which files a walk finds ---------------------------------------------------------------

struct TreeSearch : SearchFixture {
    void MakeTree() {
        File("c/a.txt");
        File("c/readme.doc");
        File("c/docs/b.txt");
        File("c/docs/c.doc");
        File("c/docs/sub/d.txt");
        File("c/other/e.txt");
        File("c/other/deep/er/f.txt");
        File("c/.hidden/g.txt");
    }
};

TEST_F(TreeSearch, StartDirectoryFirstAndNotTwice) {
    MakeTree();
    StartIn("c/docs/");
    const Paths found = Rel(ListAll());
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], "c/docs/b.txt");
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], Native("c/docs/*.txt")); // the title of the results window
    EXPECT_EQ(shown[1], Native("c/"));           // then the directories walked
    EXPECT_EQ(Sorted(found), (Paths{"c/.hidden/g.txt", "c/a.txt", "c/docs/b.txt",
                                    "c/docs/sub/d.txt", "c/other/deep/er/f.txt", "c/other/e.txt"}));
    // Pre-order: a directory's files before those of the directories below it.
    const auto at = [&](const char* p) { return std::find(found.begin(), found.end(), p); };
    EXPECT_LT(at("c/other/e.txt"), at("c/other/deep/er/f.txt"));
    EXPECT_EQ(std::string(w.resultPath).find(base.substr(1)), std::string::npos); // upper case
}

// A start directory given relative to the current one is the same directory when the walk
// comes to it: searched once, its matches listed once, their paths without "." or "..".
TEST_F(TreeSearch, ARelativeStartIsSearchedOnce) {
    MakeTree();
    const Paths all = {"c/.hidden/g.txt", "c/a.txt", "c/docs/b.txt",
                       "c/docs/sub/d.txt", "c/other/deep/er/f.txt", "c/other/e.txt"};
    for (std::string mask : {"docs/*.txt", "./docs/*.txt", "../c/docs/*.txt", "docs//*.txt",
                             "other/../docs/*.txt"}) {
        SCOPED_TRACE(mask);
        std::replace(mask.begin(), mask.end(), '/', kSep);
        fs::current_path(base + "c");
        snprintf(c.mask, sizeof c.mask, "%s", mask.c_str());
        const Paths found = Rel(ListAll());
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found[0], "c/docs/b.txt");
        EXPECT_EQ(Sorted(found), all);
        EXPECT_EQ(std::string(w.startDirectory), Native("c/docs/"));
    }
}

// A mask on a drive that is not there: one try at it (one "Could not change to that drive"),
// then the current drive is searched from its current directory.
TEST_F(TreeSearch, AMaskOnAMissingDriveSearchesTheCurrentOne) {
    MakeTree();
    fs::current_path(base + "c" + kSep + "docs");
    snprintf(c.mask, sizeof c.mask, "q:*.txt");
    const Paths found = Rel(ListAll());
    EXPECT_EQ(changes, (std::vector<char>{'q'}));
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], "c/docs/b.txt");
    EXPECT_EQ(Sorted(found), (Paths{"c/.hidden/g.txt", "c/a.txt", "c/docs/b.txt",
                                    "c/docs/sub/d.txt", "c/other/deep/er/f.txt", "c/other/e.txt"}));
}

TEST_F(TreeSearch, OnlyLimbStaysBelowTheStartOnItsDisk) {
    MakeTree();
    roots['d'] = Dir("d");
    File("d/x.txt");
    snprintf(c.disks, sizeof c.disks, "cd");
    c.onlyLimb = true;
    StartIn("c/docs");
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/docs/b.txt", "c/docs/sub/d.txt"}));
    EXPECT_TRUE(changes.empty());
}

TEST_F(TreeSearch, OnlyStartDirAndOneNamedFile) {
    MakeTree();
    c.onlyStartDir = true;
    StartIn("c/docs/");
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/docs/b.txt"}));
    // A name without wildcards: the start directory's file, then the one elsewhere.
    c.onlyStartDir = false;
    snprintf(c.mask, sizeof c.mask, "e.txt");
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/other/e.txt"}));
    // A mask with its own directory starts there.
    snprintf(c.mask, sizeof c.mask, "%sc%cother%c*.txt", base.c_str(), kSep, kSep);
    c.onlyStartDir = true;
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/other/e.txt"}));
}

TEST_F(TreeSearch, DisksInTurnFromTheCurrentOne) {
    for (char d : {'c', 'd', 'e'}) {
        roots[d] = Dir(std::string(1, d));
        File(std::string(1, d) + "/in" + d + ".txt");
    }
    snprintf(c.disks, sizeof c.disks, "cde");
    current = 'd';
    StartIn("d/");
    EXPECT_EQ(Rel(ListAll()), (Paths{"d/ind.txt", "c/inc.txt", "e/ine.txt"}));
    EXPECT_EQ(changes, (std::vector<char>{'c', 'e', 'd'})); // the drive it began on restored
    EXPECT_EQ(current, 'd');

    // A disk that cannot be made current is passed over.
    changes.clear();
    failingDrives = {'c'};
    EXPECT_EQ(Rel(ListAll()), (Paths{"d/ind.txt", "e/ine.txt"}));
    EXPECT_EQ(changes, (std::vector<char>{'c', 'e', 'd'}));

    // Not starting on a listed disk: the listed ones from the first.
    changes.clear();
    failingDrives.clear();
    roots['f'] = Dir("f");
    current = 'f';
    StartIn("f/");
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/inc.txt", "d/ind.txt", "e/ine.txt"}));
    EXPECT_EQ(changes, (std::vector<char>{'c', 'd', 'e', 'f'}));
}

#ifndef _WIN32
TEST_F(TreeSearch, LinksAreNeverEntered) {
    MakeTree();
    File("outside/o.txt");
    fs::create_directory_symlink(base + "c", base + "c/docs/loop");
    fs::create_directory_symlink(base + "outside", base + "c/away");
    StartIn("c/");
    const Paths found = Rel(ListAll());
    EXPECT_EQ(Sorted(found), (Paths{"c/.hidden/g.txt", "c/a.txt", "c/docs/b.txt",
                                    "c/docs/sub/d.txt", "c/other/deep/er/f.txt", "c/other/e.txt"}));
}
#endif

TEST_F(TreeSearch, UnreadableMatchIsToldOnceAndPassedOver) {
    MakeTree();
    StartIn("c/");
    const std::string locked = Unreadable("c/other/locked.txt");
    const Paths found = Rel(ListAll());
    EXPECT_EQ(found.size(), 6u);
    std::string upper = locked;
    for (char& ch : upper)
        ch = (char)toupper((unsigned char)ch);
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0], (AskedQuestion{"Could not open matching file " + upper + ".",
                                            "Open Error", kButtonsOk, kIconInformation, 0}));
}

TEST_F(TreeSearch, InterruptedAtADirectory) {
    MakeTree();
    StartIn("c/docs/");
    // The start directory's pass asks nothing; the walk asks at the root.
    User().pendingInput = {true};
    User().answers = {kAnswerNo};
    const Paths found = Rel(ListAll());
    EXPECT_EQ(found, (Paths{"c/docs/b.txt"}));
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0], (AskedQuestion{"Continue file search?", "Quit?", kButtonsYesNo,
                                            kIconQuestion, 0}));
    EXPECT_EQ(nextEnabled, 0);
}

TEST_F(TreeSearch, NoMemoryForADirectory) {
    MakeTree();
    StartIn("c/docs/");
    Search_FailFramesForTests(1);
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/docs/b.txt", "c/a.txt"}));
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0].text, "Could not allocate mem for search. Press a key...");
    EXPECT_EQ(User().asked[0].icon, kIconError);
}

// ---- Size and date qualifiers ---------------------------------------------------------------

struct QualifierCase {
    const char* name;
    SearchSize equal, larger, smaller;
    Paths expected;
};

TEST_F(SearchFixture, SizeQualifiersAtTheirEdges) {
    for (int n : {99, 100, 101})
        File("c/s" + std::to_string(n) + ".txt", std::string((size_t)n, 'x'));
    StartIn("c/");
    c.onlyStartDir = true;
    c.limitSize = true;
    const SearchSize none = {false, 0}, v100 = {true, 100}, v99 = {true, 99};
    const QualifierCase cases[] = {
        {"equal", v100, none, none, {"c/s100.txt"}},
        {"larger", none, v100, none, {"c/s101.txt"}},
        {"equal and larger", v100, v100, none, {"c/s100.txt", "c/s101.txt"}},
        {"smaller", none, none, v100, {"c/s100.txt", "c/s99.txt"}},
        {"larger and smaller", none, v99, v100, {"c/s100.txt"}},
        {"none set", none, none, none, {"c/s100.txt", "c/s101.txt", "c/s99.txt"}},
    };
    for (const QualifierCase& q : cases) {
        c.equalSize = q.equal;
        c.largerSize = q.larger;
        c.smallerSize = q.smaller;
        EXPECT_EQ(Sorted(Rel(ListAll())), q.expected) << q.name;
    }
}

TEST_F(SearchFixture, DateQualifiersAtTheirEdges) {
    struct Stamp {
        const char* name;
        int64_t t;
    };
    const Stamp stamps[] = {
        {"c/before.txt", LocalSeconds(1997, 1, 4, 23, 59, 58)},
        {"c/midnight.txt", LocalSeconds(1997, 1, 5, 0, 0, 0)},
        {"c/ten.txt", LocalSeconds(1997, 1, 5, 10, 0, 0)},
        {"c/tenlate.txt", LocalSeconds(1997, 1, 5, 10, 59, 58)},
        {"c/eleven.txt", LocalSeconds(1997, 1, 5, 11, 0, 0)},
        {"c/next.txt", LocalSeconds(1997, 1, 6, 0, 0, 0)},
        {"c/after.txt", LocalSeconds(1997, 1, 6, 0, 0, 2)},
    };
    for (const Stamp& s : stamps)
        SetModified(File(s.name), s.t);
    StartIn("c/");
    c.onlyStartDir = true;
    c.matchDates = true;
    const PlatLocalTime now = {2026, 12, 9, 12, 0, 0};
    auto at = [&](const char* text, DatePrecision* precision = nullptr) {
        ParsedDate d;
        EXPECT_EQ(ParseSearchDate(text, now, &d), 1) << text;
        if (precision)
            *precision = d.precision;
        return SearchTime{true, d.seconds};
    };
    const SearchTime none = {false, 0};
    struct Case {
        const char* name;
        const char* dated; // null: not set
        SearchTime newer, older;
        Paths expected;
    };
    const Case cases[] = {
        {"dated day", "5Jan1997", none, none,
         {"c/eleven.txt", "c/midnight.txt", "c/next.txt", "c/ten.txt", "c/tenlate.txt"}},
        {"dated hour", "5Jan1997 10", none, none, {"c/ten.txt", "c/tenlate.txt"}},
        {"dated minute", "5Jan1997 10:59", none, none, {"c/tenlate.txt"}},
        {"dated second", "5Jan1997 11:00:00", none, none, {"c/eleven.txt"}},
        {"newer", nullptr, at("5Jan1997 10"), none,
         {"c/after.txt", "c/eleven.txt", "c/next.txt", "c/tenlate.txt"}},
        {"dated and newer", "5Jan1997 10", at("5Jan1997 10"), none,
         {"c/after.txt", "c/eleven.txt", "c/next.txt", "c/ten.txt", "c/tenlate.txt"}},
        {"newer and older", nullptr, at("4Jan1997 23:59:59"), at("5Jan1997 10"),
         {"c/midnight.txt", "c/ten.txt"}},
    };
    for (const Case& k : cases) {
        c.datedTime = k.dated ? at(k.dated, &c.datedPrecision) : none;
        c.newerTime = k.newer;
        c.olderTime = k.older;
        EXPECT_EQ(Sorted(Rel(ListAll())), k.expected) << k.name;
    }
}

// ---- The Match box and Find File ------------------------------------------------------------

TEST_F(TreeSearch, MatchBoxAnswers) {
    MakeTree();
    StartIn("c/docs/");
    c.onlyLimb = true;
    File("c/docs/sub/h.txt");
    offerAnswers = {kSearchAnswerView};
    ASSERT_EQ(Search_NextMatch(&w, c, kSearchMatchBoxMode, hooks), kSearchFound);
    EXPECT_EQ(Rel({w.foundPath}), (Paths{"c/docs/b.txt"}));
    EXPECT_EQ(nextEnabled, 1);
    EXPECT_EQ(w.phase, kPhaseStartDir);
    // Resumed by Next: Skip, then Launch.
    offerAnswers = {kSearchAnswerSkip, kSearchAnswerLaunch};
    EXPECT_EQ(Search_NextMatch(&w, c, kSearchMatchBoxMode, hooks), kSearchLaunch);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offeredDefaultSkip, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(std::string(w.resultPath), offered[2]);
    EXPECT_EQ(Search_NextMatch(&w, c, kSearchMatchBoxMode, hooks), kSearchEnded); // Cancel
    EXPECT_EQ(nextEnabled, 0);
    EXPECT_EQ(w.phase, kPhaseIdle);
    EXPECT_EQ(offered.size(), 3u); // d.txt, h.txt offered before; nothing after Cancel

    offered.clear();
    offerAnswers = {kSearchAnswerErase, kSearchAnswerEdit};
    EXPECT_EQ(Search_NextMatch(&w, c, kSearchMatchBoxMode, hooks), kSearchEdit);
    EXPECT_EQ(Rel(erased), (Paths{"c/docs/b.txt"}));
    EXPECT_EQ(offered.size(), 2u);
}

TEST_F(TreeSearch, FindFileAsksAndOffersEveryFileOfTheName) {
    MakeTree();
    File("c/docs/sub/e.txt");
    StartIn("c/docs/");
    c.limitSize = true; // qualifiers do not apply to Find File
    c.largerSize = {true, 1000};
    User().answers = {kAnswerNo};
    EXPECT_EQ(Search_FindFile(&w, "e.txt", 0, c, hooks), kSearchDeclined);
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0], (AskedQuestion{"Search for file e.txt?", "Find File?", kButtonsYesNo,
                                            kIconQuestion, 0}));
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(std::string(w.startDirectory), base + "c" + kSep + "docs" + kSep);

    User().asked.clear();
    User().answers = {kAnswerYes};
    offerAnswers = {kSearchAnswerSkip, kSearchAnswerView};
    EXPECT_EQ(Search_FindFile(&w, "e.txt", kPlatErrAccessDenied, c, hooks), kSearchFound);
    char errorText[256] = "";
    Plat_ErrorText(kPlatErrAccessDenied, errorText, sizeof errorText);
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0].text, std::string(errorText[0] ? errorText : "Error 5 occurred") +
                                      "\nSearch for file e.txt?");
    // Offered as found, in capitals: the two files of the name, the start directory's none.
    Paths want = {Native("c/docs/sub/e.txt"), Native("c/other/e.txt")};
    for (std::string& p : want)
        for (char& ch : p)
            ch = (char)toupper((unsigned char)ch);
    EXPECT_EQ(Sorted(offered), want);
}

// ---- Contents: the lines a search lists -----------------------------------------------------

struct ContentsSearch : SearchFixture {
    std::map<std::string, std::vector<std::pair<int64_t, std::string>>> expected;

    void SetUp() override {
        SearchFixture::SetUp();
        snprintf(gFind.string1, sizeof gFind.string1, "needle");
        gFind.typedLength = 6;
        c.containingString = true;
    }
    // Text files of random lines, some with the needle (one with it three times on a line),
    // and the lines that hold it, counted here line by line.
    void MakeFiles(int files) {
        for (int i = 0; i < files; i++) {
            std::string text;
            const unsigned seed = 1234u + (unsigned)i;
            const std::string lines = MakeTextLines(40 + i * 37, seed, 5, 90);
            size_t at = 0;
            int64_t n = 0;
            const std::string rel =
                "c/" + std::string(i % 3 == 0 ? "" : i % 3 == 1 ? "one/" : "one/two/") + "f" +
                std::to_string(i) + ".txt";
            while (at < lines.size()) {
                size_t end = lines.find('\n', at);
                std::string line = lines.substr(at, end - at);
                at = end + 1;
                n++;
                if ((n * 7 + i) % 11 == 0)
                    line += " needle";
                if (i == 2 && n == 5)
                    line = "needle needle needle";
                if (line.find("needle") != std::string::npos)
                    expected[rel].push_back({n, line});
                text += line + "\n";
            }
            File(rel, text);
        }
    }
    std::string Upper(std::string p) {
        for (char& ch : p)
            ch = (char)toupper((unsigned char)ch);
        return p;
    }
    Paths ExpectedEntries() {
        Paths out;
        for (auto& [rel, lines] : expected)
            for (auto& [n, text] : lines) {
                char number[16];
                snprintf(number, sizeof number, "%6ld", (long)n);
                const std::string path = Native(rel);
                out.push_back(Upper(path) + " :" + number + ": " + text);
            }
        return out;
    }
};

struct EntryList {
    Paths entries;
    int limit = -1;
    static int Add(void* x, const char* entry) {
        EntryList* l = (EntryList*)x;
        if (l->limit >= 0 && (int)l->entries.size() >= l->limit)
            return 0;
        l->entries.push_back(entry);
        return 1;
    }
};

TEST_F(ContentsSearch, MatchingLinesOnceEachInOrder) {
    MakeFiles(12);
    StartIn("c/");
    c.listMatchingLines = true;
    EntryList list;
    SearchListSink sink = {&list, EntryList::Add, nullptr};
    SearchContinuation cont = {};
    const int added = Search_ListMatches(&w, c, hooks, sink, &cont);
    const Paths want = ExpectedEntries();
    EXPECT_FALSE(cont.full);
    EXPECT_EQ(added, (int)want.size());
    EXPECT_EQ(Sorted(list.entries), Sorted(want));
    // One file's lines come together and in rising order, as the engine found them.
    for (size_t i = 1; i < list.entries.size(); i++) {
        const std::string& a = list.entries[i - 1];
        const std::string& b = list.entries[i];
        if (a.substr(0, a.find(" :")) == b.substr(0, b.find(" :"))) {
            EXPECT_LT(a, b);
        }
    }

    // Without the lines: one entry per file that holds the needle.
    c.listMatchingLines = false;
    list.entries.clear();
    Search_ListMatches(&w, c, hooks, sink, &cont);
    Paths files;
    for (auto& [rel, lines] : expected) {
        files.push_back(Upper(Native(rel)));
    }
    EXPECT_EQ(Sorted(list.entries), Sorted(files));
}

TEST_F(ContentsSearch, FullListGoesOnInTheNextWindow) {
    MakeFiles(9);
    StartIn("c/");
    c.listMatchingLines = true;
    const Paths want = Sorted(ExpectedEntries());
    ASSERT_GT(want.size(), 10u);
    Paths all;
    SearchContinuation cont = {};
    int windows = 0;
    do {
        EntryList list;
        list.limit = 4;
        SearchListSink sink = {&list, EntryList::Add, nullptr};
        Search_ListMatches(&w, c, hooks, sink, &cont);
        all.insert(all.end(), list.entries.begin(), list.entries.end());
        ASSERT_LT(++windows, 100);
    } while (cont.full);
    EXPECT_EQ(Sorted(all), want);
}

TEST_F(ContentsSearch, ContinueSearchAfterAFile) {
    MakeFiles(6);
    StartIn("c/");
    EntryList list;
    SearchListSink sink = {&list, EntryList::Add, nullptr};
    SearchContinuation cont = {};
    // The start directory's first file, then a key: the question after that file.
    User().pendingInput = {true};
    User().answers = {kAnswerNo};
    Search_ListMatches(&w, c, hooks, sink, &cont);
    EXPECT_EQ(list.entries.size(), 1u);
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0], (AskedQuestion{"Continue Search?", "Search", kButtonsYesNo,
                                            kIconQuestion, 0}));
    EXPECT_EQ(w.phase, kPhaseIdle);
}

TEST_F(ContentsSearch, UnreadableFileForTheFindString) {
    File("c/plain.txt", "a needle here\n");
    StartIn("c/");
    c.onlyStartDir = true;
    const std::string locked = Unreadable("c/locked.txt", "needle");
    const Paths found = Rel(ListAll());
    EXPECT_EQ(found, (Paths{"c/plain.txt"}));
    ASSERT_EQ(User().asked.size(), 1u);
    EXPECT_EQ(User().asked[0].text, "Could not open file " + Upper(locked) + "\nto check for find string.");
    EXPECT_EQ(User().asked[0].caption, "Open Error");
}

TEST_F(ContentsSearch, MatchesAreDescribedAsTheDiskHasThem) {
    // The files are listed by name and described from the open that tests them: the contents
    // test's, or the open test before a size or date test. Either way each match carries its
    // own size, time and attribute bits, the engine's file block the same. A search by name
    // alone delivers the names of the same files and the one without the string.
    File("c/small.txt", "needle\n");
    File("c/one/.hidden.txt", std::string(3000, 'x') + "\nneedle\n");
    const std::string locked = File("c/one/locked.txt", "a needle, read-only\n");
    File("c/one/none.txt", "nothing here\n");
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
    StartIn("c/");
    c.onlyLimb = true;
    for (const int tests : {0, 1, 2}) { // contents; contents and size; the name alone
        SCOPED_TRACE(tests);
        c.limitSize = tests == 1;
        c.smallerSize = {true, 1 << 20};
        c.containingString = tests < 2;
        Search_Reset(&w, hooks);
        int found = 0;
        while (Search_NextMatch(&w, c, kSearchListMode, hooks) == kSearchFound) {
            found++;
            if (!c.containingString)
                continue;
            PlatFileInfo info;
            ASSERT_TRUE(Plat_GetFileInfo(w.foundPath, &info));
            EXPECT_EQ(w.resultSize, info.size) << w.foundPath;
            EXPECT_EQ(w.resultLastWrite, info.lastWrite);
            EXPECT_EQ(w.resultAttributeBits, info.attributes);
            EXPECT_EQ(engine->file.fileSize, info.size);
            EXPECT_STREQ(engine->file.attributes,
                         info.attributes & kPlatAttrReadOnly ? "RA"
                         : info.attributes & kPlatAttrHidden ? "HA"
                                                             : "A");
        }
        EXPECT_EQ(found, tests < 2 ? 3 : 4);
    }
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(User().asked.empty());
}

TEST_F(ContentsSearch, HexFindOfLineEnds) {
    File("c/dos.txt", "one\r\ntwo\r\n");
    File("c/unix.txt", "one\ntwo\n");
    StartIn("c/");
    c.onlyStartDir = true;
    gFind.hexFind = 1;
    memcpy(gFind.string1, "\r\n", 2);
    gFind.byteCount1 = 2;
    EXPECT_EQ(Rel(ListAll()), (Paths{"c/dos.txt"}));
    EXPECT_TRUE(User().asked.empty()); // no "Mode?", and the bytes need no warning in hex
}

// A file longer than the block table first reaches is searched whole: the table grows. Only
// where that memory cannot be had is the file passed over; the program neither rewrites
// BlockPointers nor ends.
TEST_F(SearchFixture, FileLongerThanTheBlockTableIsSearchedWhole) {
    UseEngine(2);
    snprintf(gFind.string1, sizeof gFind.string1, "needle");
    c.containingString = true;
    StartIn("c/");
    c.onlyStartDir = true;
    const std::string filler = MakeTextLines(4000, 7, 40, 80);
    ASSERT_GT(filler.size(), 4u * 30720);
    File("c/early.txt", "needle\n" + filler);
    File("c/late.txt", filler + "needle\n");
    File("c/short.txt", "the needle\n");
    const std::string before = ProfileValue("Memory", "BlockPointers");
    EXPECT_EQ(Sorted(Rel(ListAll())), (Paths{"c/early.txt", "c/late.txt", "c/short.txt"}));
    EXPECT_EQ(w.tooLargeSkipped, 0);

    UseEngine(2);
    Plat_LimitPagesForTests(2 * sizeof(int64_t));
    EXPECT_EQ(Sorted(Rel(ListAll())), (Paths{"c/early.txt", "c/short.txt"}));
    Plat_LimitPagesForTests(0);
    EXPECT_EQ(w.tooLargeSkipped, 1);
    EXPECT_TRUE(User().asked.empty());
    EXPECT_TRUE(User().fatalExits.empty());
    EXPECT_EQ(ProfileValue("Memory", "BlockPointers"), before);
}

} // namespace
