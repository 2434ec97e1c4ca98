// The directory tree on real scratch directories: reading levels and subtrees, collapsing, the
// pre-order walk, the tree-list rows, and the Sum and delete walks (links and deep paths too).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

#include "core/support.h"
#include "lister/dirtree.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

const char kSep[2] = {kPlatDirSeparator, 0};

std::string Join(std::string dir, const std::string& rel) {
    std::string tail = rel;
    std::replace(tail.begin(), tail.end(), '/', kPlatDirSeparator);
    return dir + kSep + tail;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

// A fresh folder in the scratch directory with the given entries: "dir/" makes a directory,
// "path=text" a file.
std::string MakeTree(const std::string& name, const std::vector<std::string>& entries) {
    std::string root = TestDir() + name;
    std::error_code ignored;
    fs::remove_all(root, ignored);
    fs::create_directories(root);
    for (const std::string& e : entries) {
        size_t eq = e.find('=');
        if (eq == std::string::npos) {
            fs::create_directories(Join(root, e));
        } else {
            fs::create_directories(fs::path(Join(root, e.substr(0, eq))).parent_path());
            WriteTestFile(name + "/" + e.substr(0, eq), e.substr(eq + 1));
        }
    }
    return root;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

std::vector<std::string> ChildPaths(const DirTree& t, int32_t node) {
    std::vector<std::string> out;
    for (int32_t c = t.nodes[node].firstChild; c; c = t.nodes[c].nextSibling)
        out.push_back(t.nodes[c].path);
    return out;
}

// The tree list as a vector of node indices.
struct VecRows {
    std::vector<int32_t> items;
    int selected = -1;
    TreeRows rows;
    VecRows() {
        rows.context = this;
        rows.count = [](void* c) { return (int)((VecRows*)c)->items.size(); };
        rows.insert = [](void* c, int at, int32_t node) {
            auto& v = ((VecRows*)c)->items;
            v.insert(v.begin() + at, node);
            return 1;
        };
        rows.remove = [](void* c, int at) {
            auto& v = ((VecRows*)c)->items;
            v.erase(v.begin() + at);
        };
        rows.nodeAt = [](void* c, int at) { return ((VecRows*)c)->items[(size_t)at]; };
        rows.select = [](void* c, int at) { ((VecRows*)c)->selected = at; };
    }
    std::vector<std::string> Paths(const DirTree& t) const {
        std::vector<std::string> out;
        for (int32_t n : items)
            out.push_back(t.nodes[n].path);
        return out;
    }
};

int ReadWhole(DirTree* t, const std::string& path) {
    return ReadTreeLevel(t, path.c_str(), kTreeReadSeparate,
                         kTreeReadAbsolute | kTreeReadWholeSubtree, nullptr);
}

struct Tree {
    DirTree t = {};
    ~Tree() {
        DirTree_Release(&t);
    }
};

} // namespace

TEST(DirTree, ChildrenSortedIgnoringCaseShownLowerHiddenUpper) {
    ScriptedUser user;
    std::string root = MakeTree("sorted", {"Beta/", "alpha/", "Gamma/", "file.txt=x"});
#ifdef _WIN32
    const std::vector<std::string> hidden = {"Hid", "Sys"};
    CreateDirectoryA(Join(root, "Hid").c_str(), nullptr);
    CreateDirectoryA(Join(root, "Sys").c_str(), nullptr);
    ASSERT_TRUE(SetFileAttributesA(Join(root, "Hid").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(Join(root, "Sys").c_str(), FILE_ATTRIBUTE_SYSTEM));
    const std::vector<std::string> names = {"alpha", "beta", "gamma", "HID", "SYS"};
#else
    fs::create_directory(Join(root, ".Hid"));
    const std::vector<std::string> names = {".HID", "alpha", "beta", "gamma"};
#endif
    Tree tree;
    EXPECT_EQ(ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr),
              1);
    std::vector<std::string> expected;
    for (const std::string& n : names)
        expected.push_back(Join(root, n));
    EXPECT_EQ(ChildPaths(tree.t, 0), expected);
    EXPECT_EQ(tree.t.nodes[0].hasFiles, 1);
    EXPECT_STREQ(tree.t.nodes[0].path, root.c_str());
    // Node 0's volume text: " [" file system "]" and, with a label, " - " label.
    std::string volume = tree.t.volumeText;
    EXPECT_LE(volume.size(), (size_t)kTreeVolumeTextMax);
    EXPECT_EQ(volume.substr(0, 2), " [") << volume;
#ifndef _WIN32
    EXPECT_EQ(volume, " [POSIX]");
#endif
}

TEST(DirTree, BitmapsTellFilesSubdirsOrEmpty) {
    ScriptedUser user;
    std::string root =
        MakeTree("bitmaps", {"files/f.txt=1", "files/sub/", "subs/inner/", "empty/"});
    const struct {
        const char* name;
        TreeBitmap bitmap;
    } cases[] = {
        {"empty", kTreeBitmapNoFiles}, {"files", kTreeBitmapFiles}, {"subs", kTreeBitmapSubdirs}};
    // A lazily read level learns its children's flags by looking into them; a whole subtree
    // learns them when it reads each one; a level read with its flags left for later shows
    // files until it scans them, a few a call. All must agree.
    for (int flags : {(int)kTreeReadAbsolute, kTreeReadAbsolute | kTreeReadWholeSubtree,
                      kTreeReadAbsolute | kTreeReadFlagsLater}) {
        Tree tree;
        ASSERT_EQ(ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, flags, nullptr), 1);
        if (flags & kTreeReadFlagsLater) {
            for (const auto& c : cases)
                EXPECT_EQ(TreeNode_Bitmap(&tree.t.nodes[FindNode(&tree.t, Join(root, c.name).c_str())]),
                          kTreeBitmapFiles) << c.name;
            EXPECT_EQ(DirTree_ScanLaterFlags(&tree.t, 2), 2);
            EXPECT_EQ(DirTree_ScanLaterFlags(&tree.t, 2), 1);
            EXPECT_EQ(DirTree_ScanLaterFlags(&tree.t, 2), 0);
        }
        for (const auto& c : cases) {
            int32_t n = FindNode(&tree.t, Join(root, c.name).c_str());
            ASSERT_GT(n, 0) << c.name;
            EXPECT_EQ(TreeNode_Bitmap(&tree.t.nodes[n]), c.bitmap) << c.name << " flags " << flags;
        }
    }
}

TEST(DirTree, UnreadablePathReleasesTheTree) {
    ScriptedUser user;
    std::string root = MakeTree("unreadable", {"a/"});
    for (TreeReadMode mode : {kTreeReadSeparate, kTreeReadReset}) {
        Tree tree;
        ASSERT_EQ(
            ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr), 1);
        std::string missing = Join(root, "missing");
        EXPECT_EQ(ReadTreeLevel(&tree.t, missing.c_str(), mode, kTreeReadAbsolute, nullptr), 0);
        EXPECT_EQ(tree.t.nodes, nullptr) << "mode " << mode;
    }
    // A window's directory that vanished since it was listed: the tree stays, the node shows no
    // subdirectories.
    Tree tree;
    ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    fs::remove(Join(root, "a"));
    EXPECT_EQ(ReadTreeLevel(&tree.t, Join(root, "a").c_str(), kTreeReadAgainKeepRows,
                            kTreeReadAbsolute, nullptr),
              0);
    ASSERT_NE(tree.t.nodes, nullptr);
    EXPECT_GT(FindNode(&tree.t, Join(root, "a").c_str()), 0);
}

TEST(DirTree, GrowsBy16WhenTheNextIndexReachesCapacityLess2) {
    ScriptedUser user;
    const struct {
        int subdirs;
        int32_t capacity;
    } cases[] = {{13, 16}, {14, 32}, {29, 32}, {30, 48}};
    for (const auto& c : cases) {
        std::vector<std::string> dirs;
        for (int i = 0; i < c.subdirs; i++)
            dirs.push_back("d" + std::to_string(i) + "/");
        std::string root = MakeTree("grow", dirs);
        Tree tree;
        ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
        EXPECT_EQ(tree.t.capacity, c.capacity) << c.subdirs << " subdirectories";
        EXPECT_EQ(tree.t.nodes[0].highWater, c.subdirs + 1);
    }
}

TEST(DirTree, CollapseAndReExpandReusesIndices) {
    ScriptedUser user;
    std::string root = MakeTree("reuse", {"a/x/", "a/y/", "a/z/", "b/"});
    Tree tree;
    ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    const std::string a = Join(root, "a");
    ReadTreeLevel(&tree.t, a.c_str(), kTreeReadAgainKeepRows, kTreeReadAbsolute, nullptr);
    const int32_t capacity = tree.t.capacity, highWater = tree.t.nodes[0].highWater;
    const std::vector<std::string> children = ChildPaths(tree.t, FindNode(&tree.t, a.c_str()));
    ASSERT_EQ(children.size(), 3u);
    for (int round = 0; round < 50; round++) {
        int32_t n = FindNode(&tree.t, a.c_str());
        ASSERT_EQ(CollapseNode(&tree.t, n, nullptr, false), 1);
        EXPECT_EQ(tree.t.nodes[n].firstChild, 0);
        EXPECT_EQ(tree.t.nodes[0].freeCount, 3);
        for (int32_t k = 0; k < 3; k++) { // released nodes are all zeros
            const TreeNode& released = tree.t.nodes[tree.t.freeList[k]];
            EXPECT_EQ(released.path[0], 0);
            EXPECT_EQ(released.ownIndex, 0);
        }
        ReadTreeLevel(&tree.t, a.c_str(), kTreeReadAgainKeepRows, kTreeReadAbsolute, nullptr);
        EXPECT_EQ(ChildPaths(tree.t, n), children);
    }
    EXPECT_EQ(tree.t.capacity, capacity);
    EXPECT_EQ(tree.t.nodes[0].highWater, highWater);
    EXPECT_EQ(tree.t.nodes[0].freeCount, 0);
}

TEST(DirTree, MemoryFailures) {
    ScriptedUser user;
    std::string root = MakeTree("nomem", {"a/x/", "b/"});
    Tree tree;
    ReadWhole(&tree.t, root);
    // No memory for the free-index list: the collapse is skipped and the tree is unchanged.
    std::vector<TreeNode> before(tree.t.nodes, tree.t.nodes + tree.t.capacity);
    DirTree_FailAllocationsForTests(0, 1);
    EXPECT_EQ(CollapseNode(&tree.t, FindNode(&tree.t, Join(root, "a").c_str()), nullptr, false), 0);
    EXPECT_EQ(memcmp(before.data(), tree.t.nodes, before.size() * sizeof(TreeNode)), 0);
    DirTree_FailAllocationsForTests(0, 1);
    EXPECT_EQ(ReadTreeLevel(&tree.t, Join(root, "a").c_str(), kTreeReadAgainKeepRows,
                            kTreeReadAbsolute, nullptr),
              0);
    EXPECT_EQ(memcmp(before.data(), tree.t.nodes, before.size() * sizeof(TreeNode)), 0);
    EXPECT_TRUE(user.fatalExits.empty());

    // The block cannot grow: the program stops (in tests the read ends, the tree consistent).
    std::vector<std::string> dirs;
    for (int i = 0; i < 20; i++)
        dirs.push_back("d" + std::to_string(i) + "/");
    std::string wide = MakeTree("nomem-wide", dirs);
    Tree failing;
    DirTree_FailAllocationsForTests(1, 1); // the block is made, its growth fails
    ReadTreeLevel(&failing.t, wide.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    DirTree_FailAllocationsForTests(0, 0);
    EXPECT_EQ(ChildPaths(failing.t, 0).size(), 13u);
    EXPECT_EQ(failing.t.capacity, 16);
    EXPECT_EQ(user.fatalExits, std::vector<std::string>{"Not Enough Memory for tree!"});
}

TEST(DirTree, PendingInputIsDiscardedEvery32Entries) {
    const struct {
        int subdirs;
        std::vector<bool> waiting;
        int checks;
    } cases[] = {{31, {true}, 0}, {40, {true, true, false}, 3}, {64, {true, false}, 3}};
    for (const auto& c : cases) {
        ScriptedUser user;
        user.pendingInput = c.waiting;
        std::vector<std::string> dirs;
        for (int i = 0; i < c.subdirs; i++)
            dirs.push_back("p" + std::to_string(i) + "/");
        std::string root = MakeTree("pending", dirs);
        Tree tree;
        ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
        EXPECT_EQ(user.pendingChecks, c.checks) << c.subdirs << " subdirectories";
    }
}

namespace {

// a{a1{a11}, a2}, b{b1}, c
std::string PreorderTree(Tree* tree) {
    std::string root = MakeTree("preorder", {"a/a1/a11/", "a/a2/", "b/b1/", "c/"});
    ReadWhole(&tree->t, root);
    return root;
}

} // namespace

TEST(DirTree, NextNodeWalksPreOrderWithinItsBound) {
    ScriptedUser user;
    Tree tree;
    std::string root = PreorderTree(&tree);
    const DirTree* t = &tree.t;
    auto Walk = [&](const char* from, const char* bound) {
        std::vector<std::string> seen;
        int32_t n = from ? FindNode(t, Join(root, from).c_str()) : 0;
        int32_t b = bound ? FindNode(t, Join(root, bound).c_str()) : kTreeNoBound;
        int indent = 0;
        for (n = NextNode(t, n, &indent, b); n != -1; n = NextNode(t, n, &indent, b))
            seen.push_back(std::string(TreeNode_Text(t, n)) + "@" + std::to_string(indent));
        return seen;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(Walk(nullptr, nullptr),
              (V{"a@20", "a1@40", "a11@60", "a2@40", "b@20", "b1@40", "c@20"}));
    EXPECT_EQ(Walk("a", "a"), (V{"a1@20", "a11@40", "a2@20"}));
    EXPECT_EQ(Walk("a/a1", "a"), (V{"a11@20", "a2@0"}));
    EXPECT_EQ(Walk("c", "c"), V{});
    EXPECT_EQ(Walk("a/a2", nullptr), (V{"b@-20", "b1@0", "c@-20"}));

    const struct {
        std::string path;
        bool found;
    } finds[] = {{Join(root, "A/A1/A11"), true},
                 {Join(root, "b/B1"), true},
                 {root, true},
                 {Join(root, "a/a3"), false},
                 {Join(root, "a1"), false}};
    for (const auto& f : finds) {
        int32_t n = FindNode(t, f.path.c_str());
        EXPECT_EQ(n >= 0, f.found) << f.path;
        if (n >= 0) {
            EXPECT_EQ(Lower(t->nodes[n].path), Lower(f.path));
        }
    }
}

TEST(DirTree, RowsFollowTheTree) {
    ScriptedUser user;
    std::string root = MakeTree("rows", {"a/a1/a11/", "a/a2/", "b/b1/", "c/"});
    Tree tree;
    VecRows list;
    ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    EXPECT_EQ(TreeRows_Fill(&tree.t, &list.rows, Join(root, "B").c_str()), 2);
    EXPECT_EQ(list.selected, 2);
    using V = std::vector<std::string>;
    EXPECT_EQ(list.Paths(tree.t), (V{root, Join(root, "a"), Join(root, "b"), Join(root, "c")}));

    // A click on a: its level is read and its rows go in under it.
    int32_t a = FindNode(&tree.t, Join(root, "a").c_str());
    ReadTreeLevel(&tree.t, Join(root, "a").c_str(), kTreeReadAgainDeleteRows, kTreeReadAbsolute,
                  &list.rows);
    EXPECT_EQ(TreeRows_InsertSubtree(&tree.t, &list.rows, a), 2);
    ReadTreeLevel(&tree.t, Join(root, "a/a1").c_str(), kTreeReadAgainDeleteRows, kTreeReadAbsolute,
                  &list.rows);
    TreeRows_InsertSubtree(&tree.t, &list.rows, FindNode(&tree.t, Join(root, "a/a1").c_str()));
    const V expanded = {root,
                        Join(root, "a"),
                        Join(root, "a/a1"),
                        Join(root, "a/a1/a11"),
                        Join(root, "a/a2"),
                        Join(root, "b"),
                        Join(root, "c")};
    ASSERT_EQ(list.Paths(tree.t), expanded);
    for (size_t r = 0; r < list.items.size(); r++) {
        const TreeNode& n = tree.t.nodes[list.items[r]];
        EXPECT_EQ(n.row, (int32_t)r);
        int depth =
            (int)std::count(n.path + root.size(), n.path + strlen(n.path), kPlatDirSeparator);
        EXPECT_EQ(n.indent, kTreeRootIndent + kTreeIndentStep * depth) << n.path;
    }
    // Reading a again deletes the rows of its old subtree.
    ReadTreeLevel(&tree.t, Join(root, "a").c_str(), kTreeReadAgainDeleteRows, kTreeReadAbsolute,
                  &list.rows);
    EXPECT_EQ(list.Paths(tree.t), (V{root, Join(root, "a"), Join(root, "b"), Join(root, "c")}));
    TreeRows_InsertSubtree(&tree.t, &list.rows, a);
    // A removed directory leaves with its rows; its parent's row is selected.
    int32_t parent = TreeRows_RemoveDir(&tree.t, &list.rows, Join(root, "a/a1").c_str());
    EXPECT_EQ(parent, a);
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.Paths(tree.t),
              (V{root, Join(root, "a"), Join(root, "a/a2"), Join(root, "b"), Join(root, "c")}));
    EXPECT_EQ(tree.t.nodes[FindNode(&tree.t, Join(root, "c").c_str())].row, 4);
    EXPECT_EQ(TreeRows_RemoveDir(&tree.t, &list.rows, root.c_str()), -1);

    // Type-ahead: the next row after the current one, wrapping, whose name starts with c.
    const struct {
        int current;
        char c;
        int row;
    } typed[] = {{0, 'a', 1}, {1, 'a', 2}, {2, 'a', 1}, {2, 'c', 4}, {4, 'b', 3}, {0, 'x', -1}};
    for (const auto& t : typed) {
        EXPECT_EQ(TreeRows_TypeAhead(&tree.t, &list.rows, t.current, t.c), t.row)
            << t.current << " " << t.c;
    }
}

TEST(DirTree, ScrollRuleShowsTheNewRows) {
    const struct {
        int top, visible, r, k, newTop;
    } cases[] = {
        {0, 10, 2, 3, 0},  // all show already
        {0, 10, 8, 3, 2},  // rows 9..11: the last to the bottom
        {0, 10, 8, 2, 1},  // row 10 is just below the window
        {0, 10, 5, 12, 5}, // more than fit: the node's row to the top
        {0, 10, 5, 9, 5},  // k + 1 = visible: they fit exactly under the node
        {20, 10, 25, 2, 20}, {20, 10, 28, 4, 23},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TreeRows_TopAfterInsert(c.top, c.visible, c.r, c.k), c.newTop)
            << c.top << " " << c.visible << " " << c.r << " " << c.k;
}

TEST(DirTree, ExpandToPathReadsDownToTheCurrentDirectory) {
    ScriptedUser user;
    std::string root = MakeTree("expand", {"a/b/c/", "a/b2/", "x/"});
    char was[kTreePathMax];
    ASSERT_GT(Plat_GetCurrentDir(0, was, sizeof was), 0);
    Tree tree;
    VecRows list;
    ReadTreeLevel(&tree.t, root.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    TreeRows_Fill(&tree.t, &list.rows, root.c_str());
    ASSERT_EQ(Plat_SetCurrentDir(Join(root, "a/b/c").c_str()), 0);
    char listing[kTreePathMax] = "";
    int found = ExpandToPath(&tree.t, root[0], &list.rows, listing, sizeof listing, 0);
    char current[kTreePathMax];
    Plat_GetCurrentDir(0, current, sizeof current);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(std::string(listing), Lower(current));
    for (const char* p : {"a", "a/b", "a/b2", "a/b/c"})
        EXPECT_GT(FindNode(&tree.t, Join(root, p).c_str()), 0) << p;
    // Already in the tree: only that level is read again.
    ASSERT_EQ(Plat_SetCurrentDir(Join(root, "a").c_str()), 0);
    EXPECT_EQ(ExpandToPath(&tree.t, root[0], nullptr, listing, sizeof listing, 0), 1);
    EXPECT_EQ(FindNode(&tree.t, Join(root, "a/b/c").c_str()), -1);
    EXPECT_GT(FindNode(&tree.t, Join(root, "a/b2").c_str()), 0);
    // A path that is not absolute lies under the current directory.
    Tree relative;
    EXPECT_EQ(ReadTreeLevel(&relative.t, "b", kTreeReadSeparate, 0, nullptr), 1);
    EXPECT_EQ(Lower(relative.t.nodes[0].path), Lower(Join(root, "a/b")));
    Plat_SetCurrentDir(was);
}

TEST(DirTree, SumCountsFilesDirsAndBytes) {
    ScriptedUser user;
    const struct {
        const char* name;
        std::vector<std::string> entries;
        int32_t files, dirs;
        uint64_t bytes;
    } cases[] = {
        {"sum3", {"one.txt=12345", "two.txt=67", "sub/three.txt=890"}, 3, 2, 10},
        {"sum0", {}, 0, 1, 0},
        {"sumdeep", {"a/b/c/d.txt=1234", "a/e.txt=", "f/"}, 2, 5, 4},
    };
    for (const auto& c : cases) {
        std::string root = MakeTree(c.name, c.entries);
        Tree tree;
        ReadWhole(&tree.t, root);
        WalkCounters counters = {};
        EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkSum, &counters, nullptr), 0);
        EXPECT_EQ(counters.files, c.files) << c.name;
        EXPECT_EQ(counters.directories, c.dirs) << c.name;
        EXPECT_EQ(counters.bytes, c.bytes) << c.name;
    }
}

TEST(DirTree, DeleteDeepAsksPerFileAndStopsWhereItMust) {
    const auto Q = [](const std::string& path) {
        return AskedQuestion{path, "Delete?", kButtonsYesNoCancel, kIconQuestion, 0};
    };
    const std::vector<std::string> entries = {"a/x.txt=1", "b/y.txt=2"};
    const struct {
        const char* what;
        bool confirm;
        std::vector<int> answers;
        int result;
        std::vector<const char*> asked, left;
    } cases[] = {
        {"all yes", true, {kAnswerYes, kAnswerYes}, 0, {"a/x.txt", "b/y.txt"}, {}},
        {"no to y",
         true,
         {kAnswerYes, kAnswerNo},
         -1,
         {"a/x.txt", "b/y.txt"},
         {"", "b", "b/y.txt"}},
        {"cancel", true, {kAnswerCancel}, -1, {"a/x.txt"}, {"", "a", "a/x.txt", "b", "b/y.txt"}},
        {"unasked", false, {}, 0, {}, {}},
    };
    for (const auto& c : cases) {
        ScriptedUser user;
        user.answers = c.answers;
        std::string root = MakeTree("deldeep", entries);
        Tree tree;
        ReadWhole(&tree.t, root);
        WalkCounters counters = {};
        WalkOptions options = {c.confirm, nullptr, nullptr};
        EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkDelete, &counters, &options), c.result) << c.what;
        std::vector<AskedQuestion> asked;
        for (const char* p : c.asked)
            asked.push_back(Q(Join(root, p)));
        EXPECT_EQ(user.asked, asked) << c.what;
        std::vector<std::string> all = {"", "a", "a/x.txt", "b", "b/y.txt"};
        for (const std::string& p : all) {
            bool kept = std::find_if(c.left.begin(), c.left.end(),
                                     [&](const char* l) { return p == l; }) != c.left.end();
            EXPECT_EQ(Exists(p.empty() ? root : Join(root, p)), kept) << c.what << ": " << p;
        }
    }
    // A deletion that fails ends the walk at once.
    ScriptedUser user;
    std::string root = MakeTree("delfail", entries);
    Tree tree;
    ReadWhole(&tree.t, root);
    WalkCounters counters = {};
    int calls = 0;
    WalkOptions failing = {false, [](void* n, const char*) { return ++*(int*)n, 5; }, &calls};
    EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkDelete, &counters, &failing), -1);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(Exists(Join(root, "a/x.txt")));
}

namespace {

#ifdef _WIN32
DWORD WINAPI RunWork(void* work) {
    (*(const std::function<void()>*)work)();
    return 0;
}
#endif

// Runs the walk on a thread with a small stack: one frame per sibling would overflow it.
void OnSmallStack(const std::function<void()>& work) {
#ifdef _WIN32
    constexpr size_t kStack = 64 * 1024;
    HANDLE thread = CreateThread(nullptr, kStack, RunWork, (void*)&work,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
#else
    constexpr size_t kStack = 256 * 1024; // AddressSanitizer's frames are large
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStack);
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attr,
                  [](void* w) -> void* {
                      (*(const std::function<void()>*)w)();
                      return nullptr;
                  },
                  (void*)&work),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
#endif
}

} // namespace

TEST(DirTree, WideDirectoryWalksWithoutDeepStack) {
    ScriptedUser user;
#ifdef _WIN32
    const int kWide = 2000; // directories are slow to make under Wine
#else
    const int kWide = 5000;
#endif
    std::string root = MakeTree("wide", {});
    for (int i = 0; i < kWide; i++)
        fs::create_directory(Join(root, "w" + std::to_string(i)));
    WriteTestFile("wide/w7/f.txt", "abc");
    Tree tree;
    int read = 0, summed = -2, deleted = -2;
    WalkCounters counters = {}, gone = {};
    OnSmallStack([&] {
        read = ReadWhole(&tree.t, root);
        summed = WalkSubtree(&tree.t, 0, kWalkSum, &counters, nullptr);
        deleted = WalkSubtree(&tree.t, 0, kWalkDelete, &gone, nullptr);
    });
    EXPECT_EQ(read, 1);
    EXPECT_EQ(summed, 0);
    EXPECT_EQ(counters.directories, kWide + 1);
    EXPECT_EQ(counters.files, 1);
    EXPECT_EQ(deleted, 0);
    EXPECT_FALSE(Exists(root));
}

#ifndef _WIN32
// Paths of more than 259 characters: such directories are left out of the tree, counted, and
// make the walks fail instead of ever using a cut path.
TEST(DirTree, TooDeepPathsAreLeftOutAndReported) {
    ScriptedUser user;
    const std::string segment(60, 'd');
    std::string rel = "keep.txt=1";
    std::string deep;
    for (int i = 0; i < 5; i++)
        deep += segment + std::to_string(i) + "/";
    std::string root = MakeTree("toodeep", {rel, deep + "lost.txt=xyz"});
    Tree tree;
    ReadWhole(&tree.t, root);
    EXPECT_EQ(tree.t.tooDeep, 1);
    for (int32_t n = 0; n != -1; n = NextNode(&tree.t, n, nullptr, kTreeNoBound))
        EXPECT_LT(strlen(tree.t.nodes[n].path), (size_t)kTreePathMax);
    WalkCounters sum = {};
    EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkSum, &sum, nullptr), -1);
    EXPECT_EQ(sum.tooDeep, 1);
    EXPECT_EQ(sum.files, 1);
    WalkCounters del = {};
    EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkDelete, &del, nullptr), -1);
    EXPECT_TRUE(Exists(Join(root, "keep.txt"))); // nothing deleted at all

    // A directory that fits holding a file whose path does not: counted by Sum, never
    // deleted by a cut path.
    std::string fitDir = std::string(250 - root.size(), 'e');
    std::string fits = MakeTree("toodeep", {fitDir + "/" + std::string(20, 'f') + "=12"});
    Tree second;
    ReadWhole(&second.t, fits);
    EXPECT_EQ(second.t.tooDeep, 0);
    WalkCounters sum2 = {}, del2 = {};
    EXPECT_EQ(WalkSubtree(&second.t, 0, kWalkSum, &sum2, nullptr), 0);
    EXPECT_EQ(sum2.bytes, 2u);
    EXPECT_EQ(WalkSubtree(&second.t, 0, kWalkDelete, &del2, nullptr), -1);
    EXPECT_EQ(del2.tooDeep, 1);
}
#endif

// ---- Junctions and symbolic links -----------------------------------------------------------

namespace {

struct LinkFixture {
    std::string chosen, outside;
};

// chosen/{f.txt, sub/g.txt, link -> outside}, outside/{keep.txt, deep/k.txt}. Natively made
// here; under Wine by make check from the Unix side (Wine 8.0 cannot make links itself), and a
// Unix symlink to a directory shows to Win32 as a directory reparse point.
bool MakeLinkFixture(LinkFixture* f) {
#ifdef _WIN32
    const char* dir = getenv("ORV_LINK_FIXTURE");
    if (!dir)
        return false;
    f->chosen = Join(dir, "chosen");
    f->outside = Join(dir, "outside");
#else
    std::string root = MakeTree("links", {"chosen/f.txt=12345", "chosen/sub/g.txt=678",
                                          "outside/keep.txt=keep", "outside/deep/k.txt=k"});
    f->chosen = Join(root, "chosen");
    f->outside = Join(root, "outside");
    fs::create_directory_symlink(f->outside, Join(f->chosen, "link"));
#endif
    return true;
}

bool RunningUnderWine() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace

TEST(DirTreeLinks, SumAndDeleteDeepNeverFollowALink) {
    ScriptedUser user;
    LinkFixture f;
    if (!MakeLinkFixture(&f))
        GTEST_SKIP() << "ORV_LINK_FIXTURE is not set: make check makes the link fixture";
    ASSERT_TRUE(Exists(Join(f.chosen, "link"))) << "the link fixture is missing";
    ASSERT_TRUE(Exists(Join(f.outside, "deep/k.txt")));

    Tree lazy;
    ReadTreeLevel(&lazy.t, f.chosen.c_str(), kTreeReadSeparate, kTreeReadAbsolute, nullptr);
    int32_t link = FindNode(&lazy.t, Join(f.chosen, "link").c_str());
    ASSERT_GT(link, 0) << "a link shows in the tree";
    EXPECT_EQ(lazy.t.nodes[link].isLink, 1);
    // Clicked open, a link shows what it points to, as the system's own browsing does.
    EXPECT_EQ(ReadTreeLevel(&lazy.t, Join(f.chosen, "link").c_str(), kTreeReadAgainKeepRows,
                            kTreeReadAbsolute, nullptr),
              1);

    Tree tree;
    ReadWhole(&tree.t, f.chosen);
    link = FindNode(&tree.t, Join(f.chosen, "link").c_str());
    ASSERT_GT(link, 0);
    EXPECT_EQ(tree.t.nodes[link].firstChild, 0) << "a whole-subtree read never enters a link";
    WalkCounters sum = {};
    EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkSum, &sum, nullptr), 0);
    EXPECT_EQ(sum.files, 2);
    EXPECT_EQ(sum.directories, 2);
    EXPECT_EQ(sum.links, 1);
#ifndef _WIN32
    EXPECT_EQ(sum.bytes, 8u);
#endif

    WalkCounters del = {};
    int result = WalkSubtree(&tree.t, 0, kWalkDelete, &del, nullptr);
    EXPECT_TRUE(Exists(Join(f.outside, "keep.txt")));
    EXPECT_TRUE(Exists(Join(f.outside, "deep/k.txt")));
    if (RunningUnderWine()) {
        // Wine deletes through a Unix symlink to what it points to, so the link cannot be
        // taken away as a link: the walk fails before it touches anything.
        EXPECT_EQ(result, -1);
        EXPECT_TRUE(Exists(Join(f.chosen, "link")));
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(Exists(f.chosen));
    }
}

#ifndef _WIN32
TEST(DirTreeLinks, ChosenLinkAndFileLinksGoAsLinks) {
    ScriptedUser user;
    std::string root = MakeTree("links2", {"target/t.txt=1", "dir/f.txt=2", "elsewhere.txt=3"});
    fs::create_directory_symlink(Join(root, "target"), Join(root, "chosen"));
    fs::create_symlink(Join(root, "elsewhere.txt"), Join(root, "dir/flink"));
    // Delete deep of a directory that is itself a link removes the link only.
    Tree tree;
    ReadWhole(&tree.t, Join(root, "chosen"));
    WalkCounters counters = {};
    EXPECT_EQ(WalkSubtree(&tree.t, 0, kWalkDelete, &counters, nullptr), 0);
    EXPECT_FALSE(Exists(Join(root, "chosen")));
    EXPECT_TRUE(Exists(Join(root, "target/t.txt")));
    // A link to a file is a file of the directory: deleted as the link.
    Tree second;
    ReadWhole(&second.t, Join(root, "dir"));
    WalkCounters c2 = {};
    EXPECT_EQ(WalkSubtree(&second.t, 0, kWalkDelete, &c2, nullptr), 0);
    EXPECT_EQ(c2.files, 2);
    EXPECT_FALSE(Exists(Join(root, "dir")));
    EXPECT_TRUE(Exists(Join(root, "elsewhere.txt")));
}
#endif
