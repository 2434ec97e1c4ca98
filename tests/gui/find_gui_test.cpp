// A find in ORV32's own windows: "Not Found." and "Continue Search?" as real boxes, the key
// press that interrupts a long find taken out of the queue, and the replace prompt dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "find/editfind.h"
#include "find/findengine.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "viewer/engine.h"

namespace {

class FindTest : public OrvFrameTest {
  protected:
    // A text file of many blocks whose one "needle" stands on its last line.
    void OpenLongFile() {
        path_ = Harness_OutputPath("long-find.txt");
        std::ofstream out(path_, std::ios::binary);
        for (int i = 1; i <= 40000; i++)
            out << "line " << i << " of a long file with no match on it\r\n";
        out << "the needle\r\n";
        out.close();
        ASSERT_EQ(1, Engine_SetFile(&gEngine, path_.c_str()));
        ASSERT_EQ(0, ResetEngine(&gEngine, true));
        gEngine.file.topLine = 30;
        ASSERT_EQ(0, EnsureWindow(&gEngine, false));
    }
    FindSettings Needle(const char* text) {
        FindSettings s;
        FindSettings_Init(&s);
        lstrcpyA(s.string1, text);
        s.typedLength = lstrlenA(text);
        return s;
    }
    std::string path_;
};

TEST_F(FindTest, NotFoundIsSaidInABoxAndTheViewStaysPut) {
    OpenLongFile();
    FindSettings s = Needle("haystack");
    Harness_Answer("FIND", "Not Found.", IDOK);
    EXPECT_EQ(0, FindInView(&gEngine, &s, false, s.typedLength, true));
    EXPECT_EQ(30, gEngine.file.topLine);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_EQ(LoadIconA(NULL, IDI_INFORMATION), Harness_SeenBoxes()[0].icon);

    s = Needle("needle");
    EXPECT_EQ(1, FindInView(&gEngine, &s, false, 6, true));
    EXPECT_EQ(40001, gEngine.matchLine);
    EXPECT_EQ(4, gEngine.matchColumn);
}

TEST_F(FindTest, AKeyPressStopsALongFindAndIsUsedUp) {
    OpenLongFile();
    FindSettings s = Needle("needle");
    PostMessageA(gFrame, WM_KEYDOWN, VK_SPACE, 0);
    Harness_Answer("Abort?", "Continue Search?", IDNO);
    EXPECT_EQ(0, FindInView(&gEngine, &s, false, 6, true));
    EXPECT_EQ(30, gEngine.file.topLine);
    EXPECT_EQ(0, gEngine.matchLine);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));

    // Yes goes on from where the find was.
    PostMessageA(gFrame, WM_LBUTTONDOWN, 0, 0);
    Harness_Answer("Abort?", "Continue Search?", IDYES);
    EXPECT_EQ(1, FindInView(&gEngine, &s, false, 6, true));
    EXPECT_EQ(40001, gEngine.matchLine);
    EXPECT_EQ(2u, Harness_SeenBoxes().size());
}

// An edit control stands in for the editor.
struct EditBox {
    HWND edit;
    static EditBox* Of(void* c) { return static_cast<EditBox*>(c); }
    EditTarget Target() {
        EditTarget t;
        t.context = this;
        t.copyText = [](void* c, int64_t* n) {
            int length = GetWindowTextLengthA(Of(c)->edit);
            char* text = (char*)malloc((size_t)length + 1);
            *n = GetWindowTextA(Of(c)->edit, text, length + 1);
            return text;
        };
        t.getSelection = [](void* c, int64_t* start, int64_t* end) {
            DWORD s = 0, e = 0;
            SendMessageA(Of(c)->edit, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
            *start = s;
            *end = e;
        };
        t.select = [](void* c, int64_t start, int64_t end) {
            SendMessageA(Of(c)->edit, EM_SETSEL, (WPARAM)start, (LPARAM)end);
            SendMessageA(Of(c)->edit, EM_SCROLLCARET, 0, 0);
        };
        t.replaceSelection = [](void* c, const char* text, int32_t length) {
            std::string s(text, (size_t)length);
            SendMessageA(Of(c)->edit, EM_REPLACESEL, TRUE, (LPARAM)s.c_str());
        };
        t.setRedraw = [](void* c, bool on) {
            SendMessageA(Of(c)->edit, WM_SETREDRAW, on, 0);
        };
        return t;
    }
};

TEST_F(FindTest, TheReplacePromptAnswersYesNoAllAndCancel) {
    HWND edit = CreateWindowExA(0, "EDIT", "cat cat cat cat", WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                                0, 0, 300, 100, gFrame, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(edit);
    SetFocus(edit);
    EditBox box = {edit};
    EditTarget target = box.Target();
    FindSettings s = Needle("cat");
    s.ignoreCase = 0;
    s.replaceEnabled = 1;
    lstrcpyA(s.replaceText, "dog");
    Harness_Answer("Replace", "Replace?", IDYES);
    Harness_Answer("Replace", "Replace?", IDNO);
    Harness_Answer("Replace", "Replace?", IDC_REPLACE_ALL);
    Harness_Answer(NULL, "2 occurrances", IDOK);
    EXPECT_TRUE(FindInEditor(&target, &s, false, 3, true, 256));
    char text[64];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("dog cat dog dog", text);

    s.replaceEnabled = 1;
    SendMessageA(edit, EM_SETSEL, 0, 0);
    Harness_Answer("Replace", "Replace?", IDCANCEL);
    EXPECT_TRUE(FindInEditor(&target, &s, false, 3, true, 256));
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("dog cat dog dog", text);
    DestroyWindow(edit);
}

TEST_F(FindTest, PatternQuestionsAreRealBoxes) {
    FindSettings s = Needle("");
    char bytes[kFindTextMax];
    int32_t length = 0, count = 0, hex = 1;
    Harness_Answer("Find Mode", "Invalid hex digit!\nTurn hex find off?", IDYES);
    EXPECT_EQ(0, ParseHexText("0g", s.hexText1, bytes, &length, &count, &hex));
    EXPECT_EQ(0, hex);

    Harness_Answer(NULL, "No pattern preceeding +\nTurn off regular expressions?", IDNO);
    s = Needle("+a");
    s.regularExpression = 1;
    EXPECT_EQ(0, ConfirmFindMode(&s));

    Harness_Answer("RegExp", "This looks like a regular expression.\nTurn RE on?", IDYES);
    s = Needle("ab*c");
    EXPECT_EQ(1, ConfirmFindMode(&s));
    EXPECT_EQ(1, s.regularExpression);

    const std::vector<SeenBox>& seen = Harness_SeenBoxes();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("Yes No", seen[0].buttons);
    EXPECT_EQ(LoadIconA(NULL, IDI_QUESTION), seen[0].icon);
    EXPECT_EQ(LoadIconA(NULL, IDI_WARNING), seen[1].icon);
    EXPECT_EQ(LoadIconA(NULL, IDI_QUESTION), seen[2].icon);
}

} // namespace
