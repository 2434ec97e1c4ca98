// Deleting files: the questions asked with "ConfirmDelete" on and off, read-only files, the
// system's words for a failure, and the several-files path.
#include <gtest/gtest.h>

#include "lister/fileops.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "support.h"

namespace {

bool Exists(const std::string& path) {
    PlatFileInfo info;
    return Plat_GetFileInfo(path.c_str(), &info) != 0;
}

AskedQuestion DeleteQuestion(const std::string& path) {
    return {"Delete file " + path + "?", "Delete", kButtonsYesNo, kIconQuestion,
            kPromptDefaultSecond};
}

TEST(DeleteOneFile, AsksWhenConfirmingAndDeletesOnYesOnly) {
    const struct {
        int confirm;
        bool silent;
        std::vector<int> answers;
        bool asked, deleted;
    } cases[] = {
        {1, false, {kAnswerYes}, true, true},
        {1, false, {kAnswerNo}, true, false},
        {1, true, {}, false, true}, // the caller asked already
        {0, false, {}, false, true},
    };
    for (const auto& c : cases) {
        gSettings.confirmDelete = c.confirm;
        const std::string path = WriteTestFile("doomed.txt", "bytes");
        ScriptedUser user;
        user.answers = c.answers;
        EXPECT_EQ(0, DeleteOneFile(path.c_str(), c.silent, false));
        EXPECT_EQ(c.deleted, !Exists(path));
        EXPECT_EQ(c.asked ? std::vector<AskedQuestion>{DeleteQuestion(path)}
                          : std::vector<AskedQuestion>{},
                  user.asked);
    }
    gSettings.confirmDelete = 1;
}

TEST(DeleteOneFile, ReadOnlyFilesGoOnlyAfterTheSecondQuestion) {
    for (int answer : {kAnswerNo, kAnswerYes}) {
        const std::string path = WriteTestFile("kept.txt", "bytes");
        ASSERT_EQ(0, Plat_SetReadOnly(path.c_str(), true));
        ScriptedUser user;
        user.answers = {answer};
        EXPECT_EQ(0, DeleteOneFile(path.c_str(), true, false));
        EXPECT_EQ(answer == kAnswerYes, !Exists(path));
        ASSERT_EQ(1u, user.asked.size());
        EXPECT_EQ((AskedQuestion{"File " + path + "\nis marked Read-Only.\nDelete anyway?",
                                 "Change Attribute?", kButtonsYesNo, kIconQuestion,
                                 kPromptDefaultSecond}),
                  user.asked[0]);
        if (Exists(path))
            Plat_SetReadOnly(path.c_str(), false);
    }
}

TEST(DeleteOneFile, AFailureIsToldInTheSystemsWordsUnderThePath) {
    const std::string path = TestDir() + "never-there.txt";
    ScriptedUser user;
    EXPECT_EQ(kPlatErrFileNotFound, DeleteOneFile(path.c_str(), true, false));
    ASSERT_EQ(1u, user.asked.size());
    EXPECT_EQ(path, user.asked[0].caption);
    EXPECT_EQ(kIconWarning, user.asked[0].icon);
    EXPECT_FALSE(user.asked[0].text.empty());
}

// A name with "?" or "*" is one a listing could not give in the code page (or a mask): it is
// refused as such, and the files it would match as a mask stay.
TEST(DeleteOneFile, ANameHoldingAWildcardIsRefusedAndNothingGoes) {
    const std::string bystander = WriteTestFile("ab.txt", "bytes");
    for (const char* name : {"??.txt", "a*.txt"}) {
        const std::string path = TestDir() + name;
        ScriptedUser user;
        user.answers = {kAnswerYes};
        EXPECT_EQ(kPlatErrInvalidName, DeleteOneFile(path.c_str(), false, false)) << name;
        const AskedQuestion refused = {path +
                                           "\ncannot be used: this system's code page\n"
                                           "lacks some characters of its name.",
                                       "", kButtonsOk, kIconWarning, 0};
        EXPECT_EQ(std::vector<AskedQuestion>{refused}, user.asked);
        EXPECT_TRUE(Exists(bystander));
    }
}

TEST(FileOpsErrorText, TheSystemsWordsElseTheNumber) {
    EXPECT_EQ("Error 1234567 occurred", FileOps_ErrorText(1234567));
    const std::string words = FileOps_ErrorText(kPlatErrFileNotFound);
    EXPECT_FALSE(words.empty());
    EXPECT_NE("Error 2 occurred", words);
    EXPECT_EQ(std::string::npos, words.find('\n')); // one line under the path
}

TEST(DeleteSelectedFiles, OneQuestionForAllThenEachFile) {
    gSettings.confirmDelete = 1;
    {
        ScriptedUser user;
        EXPECT_EQ(0, DeleteSelectedFiles({}));
        EXPECT_EQ((std::vector<AskedQuestion>{
                      {"No selected file(s).", "", kButtonsOk, kIconWarning, 0}}),
                  user.asked);
    }
    for (int answer : {kAnswerNo, kAnswerYes}) {
        const std::string a = WriteTestFile("a.txt", "a"), b = WriteTestFile("b.txt", "b");
        ScriptedUser user;
        user.answers = {answer};
        EXPECT_EQ(answer == kAnswerYes ? 1 : 0, DeleteSelectedFiles({a, b, b}));
        EXPECT_EQ(answer == kAnswerYes, !Exists(a) && !Exists(b));
        ASSERT_EQ(1u, user.asked.size()); // the repeated name is not tried twice
        EXPECT_EQ("Delete selected files?\n('YES' will immediately delete the files!)",
                  user.asked[0].text);
        EXPECT_EQ(kPromptDefaultSecond, user.asked[0].flags);
    }
    gSettings.confirmDelete = 0; // deleting several at once without any question
    const std::string c = WriteTestFile("c.txt", "c");
    ScriptedUser user;
    EXPECT_EQ(1, DeleteSelectedFiles({c}));
    EXPECT_FALSE(Exists(c));
    EXPECT_TRUE(user.asked.empty());
    gSettings.confirmDelete = 1;
}

} // namespace
