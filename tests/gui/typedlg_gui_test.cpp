// "Settings by Type" driven as a user drives it: what it writes to ORV32.INI, its enabling
// rules, the list after Undefine, and the names it refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/harness.h"
#include "resources/resource.h"
#include "shell/typedlg_win.h"
#include "viewer/filetypes.h"

namespace {

const char kCaption[] = "Settings by Type";
const char kLabel[] = "&File Extension:"; // the harness reads a dialog's first label as its text

std::function<void(HWND)> gUser;
bool gCame = false;

void VisitTypeBox(const SeenBox& box) {
    if (box.caption != kCaption)
        return;
    HWND dialog = FindWindowA("#32770", kCaption);
    if (!dialog || !gUser)
        return;
    gCame = true;
    gUser(dialog);
}

std::vector<std::string> KeysOf(const char* section) {
    std::vector<char> list(8192);
    int length = Plat_GetProfileString(section, nullptr, "", list.data(), (int)list.size());
    std::vector<std::string> keys;
    for (int at = 0; at < length && list[at]; at += (int)keys.back().size() + 1)
        keys.emplace_back(&list[at]);
    return keys;
}

std::string TextOf(HWND dialog, int id) {
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The option boxes "CR = &new line", "&All 256 chars", "&Show CR/LF", "Strip Bit &7" as the
// user sees them: "x" checked, "-" unchecked, "X" and "." the same greyed.
std::string Options(HWND dialog) {
    std::string states;
    for (int id : {IDC_TYPE_CR_NEW_LINE, IDC_TYPE_ALL256, IDC_TYPE_SHOW_CRLF, IDC_TYPE_STRIP7}) {
        bool checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        bool enabled = IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
        states += enabled ? (checked ? "x" : "-") : (checked ? "X" : ".");
    }
    return states;
}

// The display type checked: "T", "H", "B" or "" for none.
std::string DisplayType(HWND dialog) {
    std::string type;
    if (IsDlgButtonChecked(dialog, IDC_TYPE_TEXT) == BST_CHECKED)
        type += "T";
    if (IsDlgButtonChecked(dialog, IDC_TYPE_HEX) == BST_CHECKED)
        type += "H";
    if (IsDlgButtonChecked(dialog, IDC_TYPE_BINARY) == BST_CHECKED)
        type += "B";
    return type;
}

class TypeDlgTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        gCame = false;
        gUser = nullptr;
        Harness_SetBoxWatcher(VisitTypeBox);
        FileTypes_Load();
    }
    void TearDown() override {
        Harness_SetBoxWatcher(nullptr);
        gUser = nullptr;
        OrvFrameTest::TearDown();
        Plat_ResetProfileForTests();
        FileTypes_Load();
    }
    // The user at the dialog, then pressing `press`; warning is a box the user meets there.
    int Run(int press, std::function<void(HWND)> user, const char* warning = nullptr) {
        gUser = std::move(user);
        Harness_Answer(kCaption, kLabel, press);
        if (warning)
            Harness_Answer(nullptr, warning, IDOK);
        int result = TypeDlg_Run(gFrame);
        EXPECT_TRUE(gCame) << "the dialog did not show";
        return result;
    }
};

TEST_F(TypeDlgTest, SaveWithAutoLockFromLineOneOnly) {
    EXPECT_EQ(1, Run(IDOK, [](HWND d) {
                  SetDlgItemTextA(d, IDC_TYPE_EXTENSION, "LOG");
                  Harness_ClickItem(d, IDC_TYPE_HEX);
                  Harness_ClickItem(d, IDC_TYPE_ALL256);
                  SetDlgItemTextA(d, IDC_TYPE_TABS, "0");
                  Harness_ClickItem(d, IDC_TYPE_AUTO_LOCK);
                  SetDlgItemTextA(d, IDC_TYPE_LOCK_START, "1");
                  SetDlgItemTextA(d, IDC_TYPE_LOCK_END, "");
              }));
    EXPECT_EQ("log", Harness_IniValue("Special Types", "1"));
    EXPECT_EQ(std::vector<std::string>{"1"}, KeysOf("Special Types"));
    const std::vector<std::pair<const char*, const char*>> want = {
        {"Text", "0"},         {"Hex", "1"},      {"Binary", "0"}, {"NewLineCR", "0"},
        {"ShowAllChars", "1"}, {"ShowCRLF", "0"}, {"Strip7", "0"}, {"tab", "8"},
        {"LockStart", "1"},    {"LockEnd", "0"}};
    for (const auto& kv : want)
        EXPECT_EQ(kv.second, Harness_IniValue("log", kv.first)) << kv.first;
    TypeSettings t;
    EXPECT_EQ(1, FileTypes_FindForPath("c:\\x\\today.log", &t)); // the list was reloaded
}

TEST_F(TypeDlgTest, EnablingRulesOfTheDisplayTypes) {
    struct Step {
        int click;
        const char* type;
        const char* options;
    };
    const Step steps[] = {
        {IDC_TYPE_BINARY, "B", "-X--"},      {IDC_TYPE_SHOW_CRLF, "B", "-Xx-"},
        {IDC_TYPE_HEX, "H", ".-.-"},         {IDC_TYPE_ALL256, "H", ".x.-"},
        {IDC_TYPE_STRIP7, "H", ".x.x"},      {IDC_TYPE_TEXT, "T", "-..x"},
        {IDC_TYPE_CR_NEW_LINE, "T", "x..x"},
    };
    std::vector<std::string> seen;
    Run(IDCANCEL, [&](HWND d) {
        seen.push_back(DisplayType(d) + " " + Options(d));
        for (const Step& s : steps) {
            Harness_ClickItem(d, s.click);
            seen.push_back(DisplayType(d) + " " + Options(d));
        }
    });
    std::vector<std::string> want = {"T -..-"}; // a new type starts as text
    for (const Step& s : steps)
        want.push_back(std::string(s.type) + " " + s.options);
    EXPECT_EQ(want, seen);
    EXPECT_TRUE(KeysOf("Special Types").empty()); // Cancel wrote nothing
}

TEST_F(TypeDlgTest, ShowsTheFirstTypeAndThePickedOne) {
    TypeSettings bin = {0, 0, 1, 0, 1, 0, 1, 5, 3, 7};
    TypeSettings hex = {0, 1, 0, 1, 0, 1, 0, 2, 0, 0};
    ASSERT_EQ(1, FileTypes_Save("dat", bin));
    ASSERT_EQ(1, FileTypes_Save("exe", hex));
    std::vector<std::string> seen;
    Run(IDCANCEL, [&](HWND d) {
        auto look = [&] {
            seen.push_back(TextOf(d, IDC_TYPE_EXTENSION) + " " + DisplayType(d) + " " + Options(d) +
                           " tab " + TextOf(d, IDC_TYPE_TABS) + " lock " +
                           (IsDlgButtonChecked(d, IDC_TYPE_AUTO_LOCK) ? "on " : "off ") +
                           TextOf(d, IDC_TYPE_LOCK_START) + "-" + TextOf(d, IDC_TYPE_LOCK_END));
        };
        look();
        SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_SETCURSEL, 1, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_TYPE_EXTENSION, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_TYPE_EXTENSION)));
        look();
    });
    EXPECT_EQ(
        (std::vector<std::string>{"dat B xXx- tab 5 lock on 3-7", "exe H .x.x tab 2 lock off -"}),
        seen);
}

TEST_F(TypeDlgTest, SaveKeepsTheDialogOpenAndListsTheNewType) {
    int listed = 0;
    EXPECT_EQ(0, Run(IDCANCEL, [&](HWND d) {
                  SetDlgItemTextA(d, IDC_TYPE_EXTENSION, "txt");
                  Harness_ClickItem(d, IDC_TYPE_SAVE);
                  Harness_ClickItem(d, IDC_TYPE_SAVE); // twice: listed once
                  listed = (int)SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_GETCOUNT, 0, 0);
              }));
    EXPECT_EQ(1, listed);
    EXPECT_EQ("txt", Harness_IniValue("Special Types", "1"));
    EXPECT_EQ("1", Harness_IniValue("txt", "Text"));
}

TEST_F(TypeDlgTest, UndefiningTheOnlyTypeEmptiesTheList) {
    ASSERT_EQ(1, FileTypes_Save("txt", TypeSettings{1, 0, 0, 0, 0, 0, 0, 4, 0, 0}));
    int countAfter = -1;
    std::string shownBefore, textAfter = "<none>";
    Run(IDCANCEL, [&](HWND d) {
        shownBefore = TextOf(d, IDC_TYPE_EXTENSION);
        Harness_ClickItem(d, IDC_TYPE_UNDEFINE);
        countAfter = (int)SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_GETCOUNT, 0, 0);
        textAfter = TextOf(d, IDC_TYPE_EXTENSION);
    });
    EXPECT_EQ("txt", shownBefore);
    EXPECT_EQ(0, countAfter);
    EXPECT_EQ("", textAfter);
    EXPECT_TRUE(KeysOf("Special Types").empty());
    EXPECT_TRUE(KeysOf("txt").empty());
}

TEST_F(TypeDlgTest, UndefiningTheMiddleShowsTheFirst) {
    for (const char* name : {"aaa", "bbb", "ccc"})
        ASSERT_EQ(1, FileTypes_Save(name, TypeSettings{1, 0, 0, 0, 0, 0, 0, 4, 0, 0}));
    std::vector<std::string> listAfter;
    Run(IDCANCEL, [&](HWND d) {
        SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_SETCURSEL, 1, 0);
        Harness_ClickItem(d, IDC_TYPE_UNDEFINE);
        int count = (int)SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            char text[300] = "";
            SendDlgItemMessageA(d, IDC_TYPE_EXTENSION, CB_GETLBTEXT, i,
                                reinterpret_cast<LPARAM>(text));
            listAfter.push_back(text);
        }
        listAfter.push_back("shown " + TextOf(d, IDC_TYPE_EXTENSION));
    });
    EXPECT_EQ((std::vector<std::string>{"aaa", "ccc", "shown aaa"}), listAfter);
    EXPECT_EQ("aaa", Harness_IniValue("Special Types", "1"));
    EXPECT_EQ("ccc", Harness_IniValue("Special Types", "2"));
    EXPECT_EQ("<absent>", Harness_IniValue("Special Types", "3"));
}

// Names that would write into or remove another section of ORV32.INI get the warning and the
// dialog stays open; the other sections are untouched.
TEST_F(TypeDlgTest, NamesOfOtherSectionsAreRefused) {
    ASSERT_EQ(1, Plat_WriteProfileString("Memory", "LineLength", "512"));
    const char* const names[] = {".txt", "memory", "Printer", "a=b", "[x]"};
    for (const char* name : names)
        for (int button : {IDC_TYPE_UNDEFINE, IDC_TYPE_SAVE, IDOK}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(button));
            bool stillOpen = false;
            EXPECT_EQ(0, Run(
                             IDCANCEL,
                             [&](HWND d) {
                                 SetDlgItemTextA(d, IDC_TYPE_EXTENSION, name);
                                 Harness_ClickItem(d, button);
                                 stillOpen = IsWindow(d) != FALSE;
                             },
                             kTextBadExtent));
            EXPECT_TRUE(stillOpen);
        }
    EXPECT_EQ("512", Harness_IniValue("Memory", "LineLength"));
    EXPECT_TRUE(KeysOf("Special Types").empty());
}

TEST_F(TypeDlgTest, FileTypesCommandOpensTheDialog) {
    gUser = [](HWND) {};
    Harness_Answer(kCaption, kLabel, IDCANCEL);
    SendMessageA(gFrame, WM_COMMAND, IDM_FILE_TYPES, 0);
    EXPECT_TRUE(gCame);
}

} // namespace
