// Removing a directory: the name resolved against the listing directory, the question, the
// Delete Deep walk behind a directory that is not empty, and what is told when one stays.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lister/dirremove.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "support.h"

namespace {

// A relative path written with "/", in the platform's own spelling.
std::string S(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = kPlatDirSeparator;
    return path;
}
// The same for a path that may start at the root "/" (on drive c: for Windows).
std::string P(std::string path) {
    path = S(path);
    if (kPlatDirSeparator == '\\' && !path.empty() && path[0] == '\\')
        path = "c:" + path;
    return path;
}

bool Exists(const std::string& path) {
    PlatFileInfo info;
    return Plat_GetFileInfo(path.c_str(), &info) != 0;
}

std::string MakeDir(const std::string& name) {
    const std::string path = TestDir() + name;
    std::filesystem::create_directories(path);
    return path;
}

AskedQuestion RemoveQuestion(const std::string& dir) {
    return {"Remove directory " + dir + "?", "Remove", kButtonsYesNo, kIconQuestion,
            kPromptDefaultSecond};
}
AskedQuestion CouldNotRemove(const std::string& dir) {
    return {"Could not remove " + dir + ".", "", kButtonsOk, kIconWarning, 0};
}
AskedQuestion RootKept(const std::string& dir) {
    return {dir + " is a root directory and cannot be removed.", "", kButtonsOk, kIconWarning, 0};
}
AskedQuestion DeleteFileQuestion(const std::string& path) {
    return {path, "Delete?", kButtonsYesNoCancel, kIconQuestion, 0};
}

// What the window around the removal saw.
struct Seen {
    std::vector<std::string> deep, removed;
};
RemoveDirHooks Hooks(Seen* seen, bool withDeleteDeep) {
    RemoveDirHooks hooks = {};
    hooks.context = seen;
    if (withDeleteDeep)
        hooks.deleteDeep = [](void* context, const char* dir) {
            static_cast<Seen*>(context)->deep.push_back(dir);
            DirTree tree = {};
            int result = DeleteDeep_Read(&tree, dir) ? DeleteDeep_Run(&tree, true) : -1;
            DirTree_Release(&tree);
            return result;
        };
    hooks.removed = [](void* context, const char* dir) {
        static_cast<Seen*>(context)->removed.push_back(dir);
    };
    return hooks;
}

TEST(ResolveDirectory, NamesAreTakenFromTheListingDirectory) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"sub", "/data/list/sub"},    {"sub/", "/data/list/sub"}, {"..", "/data"},
        {"./a/../b", "/data/list/b"}, {"../../../..", "/"},       {"/other/dir/", "/other/dir"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(P(c.expected), ResolveDirectory(P(c.name).c_str(), P("/data/list/").c_str()))
            << c.name;
}

TEST(RemoveOneDirectory, AnEmptyDirectoryGoesOnYesUnderItsResolvedName) {
    const struct {
        int confirm;
        std::vector<int> answers;
        bool asked, removed;
    } cases[] = {
        {1, {kAnswerYes}, true, true},
        {1, {kAnswerNo}, true, false},
        {0, {}, false, true},
    };
    for (const auto& c : cases) {
        gSettings.confirmDelete = c.confirm;
        const std::string dir = MakeDir("empty");
        Seen seen;
        ScriptedUser user;
        user.answers = c.answers;
        // Typed as ".." in the directory below it: the question names the directory itself.
        EXPECT_EQ(c.removed ? 1 : 0, RemoveOneDirectory("..", (dir + S("/inner/")).c_str(), false,
                                                        Hooks(&seen, true)));
        EXPECT_EQ(c.removed, !Exists(dir));
        EXPECT_EQ(c.asked ? std::vector<AskedQuestion>{RemoveQuestion(dir)}
                          : std::vector<AskedQuestion>{},
                  user.asked);
        EXPECT_EQ(c.removed ? std::vector<std::string>{dir} : std::vector<std::string>{},
                  seen.removed);
        EXPECT_TRUE(seen.deep.empty());
        Plat_RemoveDir(dir.c_str());
    }
    gSettings.confirmDelete = 1;
}

TEST(RemoveOneDirectory, TheCurrentDirectoryIsLeftForItsParentFirst) {
    gSettings.confirmDelete = 0;
    char before[kPlatNameMax];
    ASSERT_GT(Plat_GetCurrentDir(0, before, sizeof before), 0);
    const std::string dir = MakeDir("current");
    ASSERT_EQ(0, Plat_SetCurrentDir(dir.c_str()));
    Seen seen;
    ScriptedUser user;
    EXPECT_EQ(1, RemoveOneDirectory(dir.c_str(), TestDir().c_str(), true, Hooks(&seen, false)));
    EXPECT_FALSE(Exists(dir));
    char now[kPlatNameMax];
    ASSERT_GT(Plat_GetCurrentDir(0, now, sizeof now), 0);
    EXPECT_EQ(TestDir(), std::string(now) + kPlatDirSeparator);
    Plat_SetCurrentDir(before);
    gSettings.confirmDelete = 1;
}

// A tree with one file in a subdirectory and one beside it: answered per file.
TEST(RemoveOneDirectory, DeleteDeepKeepsADeclinedFileAndTellsTheDirectoryStayed) {
    const struct {
        const char* name;
        std::vector<int> answers; // Remove?, then sub's file, then the top one
        bool deepHook, gone, subGone, topKept;
        int questions; // Delete? questions asked
    } cases[] = {
        {"deepall", {kAnswerYes, kAnswerYes, kAnswerYes}, true, true, true, false, 2},
        {"deepno", {kAnswerYes, kAnswerYes, kAnswerNo}, true, false, true, true, 2},
        {"deepcancel", {kAnswerYes, kAnswerCancel}, true, false, false, true, 1},
        {"nodeep", {kAnswerYes}, false, false, false, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dir = TestDir() + c.name;
        const std::string sub = dir + S("/sub"), inSub = sub + S("/c.txt");
        const std::string top = dir + S("/keep.txt");
        MakeDir(std::string(c.name) + S("/sub"));
        WriteTestFile(std::string(c.name) + S("/keep.txt"), "k");
        WriteTestFile(std::string(c.name) + S("/sub/c.txt"), "c");
        Seen seen;
        ScriptedUser user;
        user.answers = c.answers;
        EXPECT_EQ(c.gone ? 1 : 0,
                  RemoveOneDirectory(c.name, TestDir().c_str(), false, Hooks(&seen, c.deepHook)));
        EXPECT_EQ(c.gone, !Exists(dir));
        EXPECT_EQ(c.subGone, !Exists(sub));
        EXPECT_EQ(c.topKept, Exists(top));
        std::vector<AskedQuestion> expected = {RemoveQuestion(dir)};
        if (c.questions >= 1)
            expected.push_back(DeleteFileQuestion(inSub));
        if (c.questions >= 2)
            expected.push_back(DeleteFileQuestion(top));
        if (!c.gone)
            expected.push_back(CouldNotRemove(dir));
        EXPECT_EQ(expected, user.asked);
        EXPECT_EQ(c.gone ? std::vector<std::string>{dir} : std::vector<std::string>{},
                  seen.removed);
    }
}

// Never against a real root: "Remove directory" is answered No, so that a root let through is
// only asked about, and Delete Deep is a stand-in that records the directory it was given.
TEST(RemoveOneDirectory, ARootOfADriveOrShareIsRefusedHoweverItIsSpelt) {
    const bool drives = kPlatDirSeparator == '\\';
    const std::string listing = P("/data/list/"), top = P("/");
    const std::string slash = drives ? "c:/" : "/", backslash = drives ? "c:\\" : "\\";
    const struct {
        std::string name;
        bool chosenInTree;
        std::string shown; // the directory the refusal names
    } cases[] = {
        {"c:\\", true, "c:\\"}, // the tree's root row
        {top, true, top},
        {"c:\\", false, "c:\\"},
        {"c:/", false, "c:/"},
        {"c:\\\\", false, "c:\\"},
        {"c:\\..", false, "c:\\"},
        {"c:\\data\\.\\..\\", false, "c:\\"},
        {"c:\\...", false, "c:\\..."}, // the system drops a name's trailing dots
        {"c:\\sub\\..\\. .", false, "c:\\. ."},
        {"\\", false, backslash},
        {"/", false, slash},
        {"../../..", false, top},
        {"..\\..\\..\\..", false, top},
        {"\\\\", false, "\\\\"},
        {"\\\\server\\share", false, "\\\\server\\share"},
        {"\\\\server\\share\\", false, "\\\\server\\share\\"},
        {"//server/share/", false, "//server/share/"},
        {"\\\\server\\share\\sub\\..", false, "\\\\server\\share\\"},
        {"\\\\?\\c:\\", false, "\\\\?\\c:\\"},
        {"\\\\?\\UNC\\server\\share\\", false, "\\\\?\\UNC\\server" + S("/share")},
        // Drive c:'s own directory while it stands at its root (as the system spells it).
        {"c:", false, ""},
        {"c:.", false, ""},
    };
    char before[kPlatNameMax], cRoot[kPlatNameMax];
    ASSERT_GT(Plat_GetCurrentDir(0, before, sizeof before), 0);
    ASSERT_EQ(0, Plat_SetCurrentDir(top.c_str()));
    ASSERT_GT(Plat_GetCurrentDir('c', cRoot, sizeof cRoot), 0);
    gSettings.confirmDelete = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Seen seen;
        ScriptedUser user;
        user.answers = {kAnswerNo};
        EXPECT_EQ(0, RemoveOneDirectory(c.name.c_str(), listing.c_str(), c.chosenInTree,
                                        Hooks(&seen, false)));
        EXPECT_EQ(std::vector<AskedQuestion>{RootKept(c.shown.empty() ? cRoot : c.shown)},
                  user.asked);
        EXPECT_TRUE(seen.removed.empty());
    }
    Plat_SetCurrentDir(before);
    // A directory just below a root is no root.
    const std::string dir = MakeDir("below");
    Seen seen;
    ScriptedUser user;
    user.answers = {kAnswerNo};
    EXPECT_EQ(0, RemoveOneDirectory("below\\.", TestDir().c_str(), false, Hooks(&seen, false)));
    EXPECT_EQ(std::vector<AskedQuestion>{RemoveQuestion(dir)}, user.asked);
}

TEST(DeleteDeep, ATreeReadFromARootIsRefused) {
    // A drive no test machine has: a root let through finds nothing to delete.
    DirTree tree = {};
    tree.nodes = static_cast<TreeNode*>(calloc(1, sizeof(TreeNode)));
    tree.capacity = 1;
    snprintf(tree.nodes[0].path, sizeof tree.nodes[0].path, "q:\\..");
    ScriptedUser user;
    EXPECT_EQ(-1, DeleteDeep_Run(&tree, true));
    EXPECT_EQ(std::vector<AskedQuestion>{RootKept("q:\\..")}, user.asked);
    DirTree_Release(&tree);
}

TEST(DeleteDeep, ATreeThatIsGoneIsToldAndNothingIsDeleted) {
    DirTree tree = {};
    ScriptedUser user;
    EXPECT_EQ(-1, DeleteDeep_Run(&tree, false));
    EXPECT_EQ((std::vector<AskedQuestion>{{"Directory tree memory corrupted\nProcess aborted.", "",
                                           kButtonsOk, kIconWarning, 0}}),
              user.asked);
    EXPECT_EQ(0, DeleteDeep_Read(&tree, (TestDir() + "never-there").c_str()));
}

} // namespace
