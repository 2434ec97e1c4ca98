// The editor's files as bytes: reading whole for the edit control, the text test, and writing
// whole through a new file, so that a refused or failing write leaves the old file as it was.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/textfile.h"
#include "platform/platform.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

AskedQuestion Warning(const char* text) {
    return {text, "", kButtonsOk, kIconWarning, kPromptOwnedByFocus};
}

std::string Contents(const std::string& path) {
    PlatFile* file = Plat_OpenRead(path.c_str());
    if (!file)
        return "<absent>";
    std::string text;
    char bytes[8192];
    for (int64_t got; (got = Plat_Read(file, bytes, sizeof bytes)) > 0;)
        text.append(bytes, (size_t)got);
    Plat_Close(file);
    return text;
}

// New files a save makes beside its target ("ORV....TMP" under Windows, ".orv..." here).
std::vector<std::string> LeftOver(const std::string& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        for (char& c : name)
            c = (char)tolower((unsigned char)c);
        if (name.rfind("orv", 0) == 0 || name.rfind(".orv", 0) == 0)
            names.push_back(name);
    }
    return names;
}

std::string Text(size_t size) {
    return MakeTextLines((int)(size / 40 + 1), 7).substr(0, size);
}

TEST(TextFileWrite, TheFileIsReplacedWholeOrLeftAsItWas) {
    const std::string old = "the old text\r\n";
    const std::string big = Text(200000); // four pieces of a write
    const struct {
        const char* name;
        bool exists, readOnly, isFolder;
        std::string text;
        int64_t failAfter; // bytes the disk takes before it is full; -1 never
        const char* told;  // null: written
    } cases[] = {
        {"new file", false, false, false, big, -1, nullptr},
        {"replaced", true, false, false, big, -1, nullptr},
        {"emptied", true, false, false, "", -1, nullptr},
        {"read-only", true, true, false, big, -1, kTextCannotWrite},
        {"a folder of that name", false, false, true, big, -1, kTextCannotWrite},
        {"disk full at once", true, false, false, big, 0, kTextWriteFailed},
        {"disk full inside a piece", true, false, false, big, 70000, kTextWriteFailed},
        {"disk full at a piece's end", true, false, false, big, 2 * kTextWritePiece,
         kTextWriteFailed},
        {"exactly enough room", true, false, false, big, (int64_t)big.size(), nullptr},
    };
    const std::string dir = TestDir() + "save/";
    fs::create_directories(dir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "target.txt";
        if (c.exists)
            WriteTestFile("save/target.txt", old);
        if (c.isFolder)
            fs::create_directory(path);
        if (c.readOnly) {
            ASSERT_EQ(0, Plat_SetReadOnly(path.c_str(), true));
        }
        ScriptedUser user;
        Plat_FailWritesForTests(c.failAfter);
        EXPECT_EQ(c.told ? 0 : 1,
                  TextFile_Write(path.c_str(), c.text.data(), (int64_t)c.text.size()));
        Plat_FailWritesForTests(-1);
        EXPECT_EQ(c.told ? std::vector<AskedQuestion>{Warning(c.told)}
                         : std::vector<AskedQuestion>{},
                  user.asked);
        if (!c.isFolder) {
            EXPECT_EQ(c.told ? (c.exists ? old : "<absent>") : c.text, Contents(path));
        }
        EXPECT_EQ(std::vector<std::string>{}, LeftOver(dir));
        if (c.readOnly) {
            PlatFileInfo info;
            ASSERT_EQ(1, Plat_GetFileInfo(path.c_str(), &info));
            EXPECT_TRUE(info.attributes & kPlatAttrReadOnly);
            Plat_SetReadOnly(path.c_str(), false);
        }
        fs::remove_all(path);
    }
    // A folder that is not there takes no file.
    ScriptedUser user;
    EXPECT_EQ(0, TextFile_Write((dir + "missing/new.txt").c_str(), "x", 1));
    EXPECT_EQ(std::vector<AskedQuestion>{Warning(kTextCannotWrite)}, user.asked);
}

// Every way the new file can fail to take the old one's place once written: the user's text
// stays whole, in the target or in a file the message names, and the old file is never lost.
TEST(TextFileWrite, AFailedReplaceLosesNeitherText) {
    enum Outcome { kSaved, kAsItWas, kNewKept, kBothNamed };
    const struct {
        const char* name;
        bool exists;
        int steps;
        Outcome outcome; // under Windows; the native build's one rename leaves target as it was
    } cases[] = {
        {"the replace works", true, kPlatFailFallback, kSaved},
        {"fails before the move, the fallback works", true, kPlatFailBeforeMove, kSaved},
        {"fails after the move, the fallback works", true, kPlatFailAfterMove, kSaved},
        {"fails before the move and the fallback", true, kPlatFailBeforeMove | kPlatFailFallback,
         kAsItWas},
        {"a new file, the rename fails", false, kPlatFailFallback, kAsItWas},
        {"fails after the move and the fallback", true, kPlatFailAfterMove | kPlatFailFallback,
         kNewKept},
        {"and the old file cannot go back", true,
         kPlatFailAfterMove | kPlatFailFallback | kPlatFailRenameBack, kBothNamed},
    };
    const std::string old = "the old text\r\n";
    const std::string text = Text(70000);
    const std::string dir = TestDir() + "steps" + kPlatDirSeparator;
    const std::string path = dir + "target.txt";
    fs::create_directories(dir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
#ifdef _WIN32
        const Outcome outcome = c.outcome;
#else
        const Outcome outcome = kAsItWas;
#endif
        if (c.exists)
            WriteTestFile("steps/target.txt", old);
        ScriptedUser user;
        Plat_FailCommitForTests(c.steps);
        EXPECT_EQ(outcome == kSaved ? 1 : 0,
                  TextFile_Write(path.c_str(), text.data(), (int64_t)text.size()));
        Plat_FailCommitForTests(0);
        // The files beside the target, by what they hold.
        std::string holdsText, holdsOld;
        int others = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (name == "target.txt")
                continue;
            others++;
            const std::string bytes = Contents(dir + name);
            if (bytes == text)
                holdsText = dir + name;
            else if (bytes == old)
                holdsOld = dir + name;
        }
        std::string told = kTextWriteFailed;
        if (outcome >= kNewKept)
            told += "\n\nThe new text is in\n" + holdsText;
        if (outcome == kBothNamed)
            told += "\n\nThe old file is now\n" + holdsOld;
        EXPECT_EQ(outcome == kSaved ? std::vector<AskedQuestion>{}
                                    : std::vector<AskedQuestion>{Warning(told.c_str())},
                  user.asked);
        EXPECT_EQ(outcome == kSaved       ? text
                  : outcome == kBothNamed ? "<absent>"
                  : c.exists              ? old
                                          : "<absent>",
                  Contents(path));
        EXPECT_EQ(outcome == kNewKept ? 1 : outcome == kBothNamed ? 2 : 0, others);
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
}

TEST(TextFileRead, TheWholeFileOrATellingRefusal) {
    const struct {
        const char* name;
        std::string bytes; // "<none>": no such file
        int64_t most;
        const char* told; // null: read
    } cases[] = {
        {"text", "one\r\ntwo\r\n", 100, nullptr},
        {"empty", "", 100, nullptr},
        {"as long as allowed", std::string(100, 'x'), 100, nullptr},
        {"longer than the control holds", std::string(101, 'x'), 100, kTextNoEditMemory},
        {"a zero byte far into the file", Text(50000) + std::string(1, '\0') + "tail", 1 << 20,
         kTextOnlyTextFiles},
        {"missing", "<none>", 100, kTextCannotOpenFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.bytes == "<none>" ? TestDir() + "not-there.txt" : WriteTestFile("read.txt", c.bytes);
        ScriptedUser user;
        int64_t length = -1;
        char* text = TextFile_ReadForEditing(path.c_str(), c.most, &length);
        EXPECT_EQ(c.told == nullptr, text != nullptr);
        EXPECT_EQ(c.told ? "" : c.bytes, text ? std::string(text, (size_t)length) : "");
        EXPECT_EQ(c.told ? 0 : '\0', text ? text[length] : 0); // ended for the control
        free(text);
        EXPECT_EQ(c.told ? std::vector<AskedQuestion>{Warning(c.told)}
                         : std::vector<AskedQuestion>{},
                  user.asked);
    }
    ScriptedUser user;
    int64_t length = 0;
    EXPECT_EQ(nullptr, TextFile_ReadForEditing(TestDir().c_str(), 100, &length)); // a folder
    EXPECT_EQ(std::vector<AskedQuestion>{Warning(kTextCannotOpenFile)}, user.asked);
}

TEST(TextFileTextTest, TheLineDecoderJudgesWithoutAsking) {
    const struct {
        const char* name;
        std::string bytes; // "<none>": no such file
        int expected;
    } cases[] = {
        {"text", MakeTextLines(2000, 3), 1},
        {"empty", "", 1},
        {"no line ends", RandomBytes(20000, 5, "abcdefgh"), 0},
        {"binary", RandomBytes(20000, 9), 0},
        {"missing", "<none>", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.bytes == "<none>" ? TestDir() + "not-there.txt" : WriteTestFile("test.txt", c.bytes);
        TestEngine e;
        EXPECT_EQ(c.expected, TextFile_TextTest(&e, path.c_str()));
        // "Mode?" is never asked; only a refusal is told.
        EXPECT_EQ(c.expected == 0 ? std::vector<AskedQuestion>{Warning(kTextOnlyTextFiles)}
                                  : std::vector<AskedQuestion>{},
                  e.user.asked);
        EXPECT_EQ(-1, e.file.validMarker); // no view's file is left in the engine
    }
}

} // namespace
