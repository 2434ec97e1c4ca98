// What a typed path names, on a real folder: files, patterns, directories and drives.
#include <gtest/gtest.h>

#include "lister/pathclass.h"
#include "platform/platform.h"
#include "support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

TEST(ClassifyPath, FilesPatternsDirectoriesAndDrives) {
    const std::string dir = TestDir() + "classify";
    const char sep = kPlatDirSeparator;
    char before[kPlatNameMax];
    ASSERT_GT(Plat_GetCurrentDir(0, before, sizeof before), 0);
    Plat_SetCurrentDir(TestDir().c_str());
    WriteTestFile("classify-a.txt", "a");
    std::string sub = dir + sep + "sub";
#ifdef _WIN32
    CreateDirectoryA(dir.c_str(), NULL);
    CreateDirectoryA(sub.c_str(), NULL);
#else
    mkdir(dir.c_str(), 0755);
    mkdir(sub.c_str(), 0755);
#endif
    const std::string file = TestDir() + "classify-a.txt";
    // A full path names its drive under Windows ("C:\\...").
#ifdef _WIN32
    const int drive = kPathDrive;
#else
    const int drive = 0;
#endif
    const struct {
        std::string text;
        int flags;
    } cases[] = {
        {file, drive | kPathFile | kPathDirectory}, // an existing file, named with its folder
        {"classify-a.txt", kPathFile},
        {"not-there.txt", kPathFile}, // a file to be
        {dir, drive | kPathDirectory}, // an existing directory: never a file
        {"classify", kPathDirectory},
        {"..", kPathDirectory},
        {".", kPathDirectory},
        {TestDir() + "classify-*.txt", drive | kPathFile | kPathPattern | kPathDirectory},
        {dir + sep + "s*", drive | kPathPattern | kPathDirectory}, // matches a directory only
        {dir + sep + "zz*", drive | kPathPattern | kPathDirectory}, // matches nothing
        {"classify-[a].txt", kPathFile | kPathPattern},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flags, ClassifyPath(c.text.c_str())) << c.text;
    Plat_SetCurrentDir(before);
#ifdef _WIN32
    // Drives: a bare drive, every drive, and one that is not there.
    EXPECT_EQ(kPathDrive, ClassifyPath("c:"));
    EXPECT_EQ(kPathDrive | kPathAnyDrive | kPathPattern, ClassifyPath("*:readme.txt"));
    EXPECT_EQ(0, ClassifyPath("q:\\nothing.txt")) << "drive Q: should not exist";
#endif
}

} // namespace
