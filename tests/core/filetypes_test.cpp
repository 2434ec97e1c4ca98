// File types: the extension list as ORV32.INI holds it, the lookup a file open makes, and the
// renumbering and refusals of saving and undefining. Under Wine the profile is the real file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/settings.h"
#include "support.h"
#include "viewer/filetypes.h"

namespace {

// "1=txt", "2=c*" as the section holds them, in order.
std::vector<std::string> SpecialTypes() {
    std::vector<std::string> list;
    for (const std::string& key : ProfileKeys(kSpecialTypesSection))
        list.push_back(key + "=" + ProfileValue(kSpecialTypesSection, key.c_str()));
    return list;
}

std::vector<std::string> LoadedList() {
    std::vector<std::string> list;
    for (int i = 0; i < FileTypes_Count(); i++)
        list.push_back(FileTypes_At(i));
    return list;
}

// A section written by hand, key by key.
void WriteSection(const char* section,
                  const std::vector<std::pair<const char*, const char*>>& keys) {
    for (const auto& kv : keys)
        ASSERT_EQ(1, Plat_WriteProfileString(section, kv.first, kv.second));
}

TypeSettings Hex(int32_t tab) {
    TypeSettings t = {};
    t.hex = 1;
    t.tab = tab;
    return t;
}

class FileTypesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Plat_ResetProfileForTests();
        Settings_Reset();
        FileTypes_Load();
    }
    void TearDown() override {
        Plat_ResetProfileForTests();
        FileTypes_Load();
    }
};

TEST_F(FileTypesTest, TheListIsLoadedLowerCasedInKeyOrderWhateverItsLength) {
    // Many entries and one longer than any step the block grows by.
    std::vector<std::string> want;
    for (int i = 1; i <= 60; i++) {
        std::string name = "Ext" + std::to_string(i) + std::string(25, 'X');
        if (i == 31)
            name = std::string(700, 'L');
        ASSERT_EQ(1, Plat_WriteProfileString(kSpecialTypesSection, std::to_string(i).c_str(),
                                             name.c_str()));
        for (char& c : name)
            c = (char)tolower((unsigned char)c);
        want.push_back(name);
    }
    Settings_Load(); // the list is the last thing the settings load reads
    EXPECT_EQ(60, FileTypes_Count());
    EXPECT_EQ(want, LoadedList());
    EXPECT_EQ(nullptr, FileTypes_At(60));
}

TEST_F(FileTypesTest, LookUpByExtensionExactlyOrAsPattern) {
    WriteSection(
        kSpecialTypesSection,
        {{"1", "TXT"}, {"2", "c"}, {"3", "c*"}, {"4", "nohex"}, {"5", "h?p"}, {"6", "gz"}});
    WriteSection("txt", {{"Text", "1"}, {"Hex", "0"}, {"tab", "4"}});
    WriteSection("c", {{"Hex", "0"}, {"tab", "3"}});
    WriteSection("c*", {{"Hex", "0"}, {"tab", "2"}});
    WriteSection("nohex", {{"Text", "1"}, {"tab", "5"}}); // written by hand without "Hex"
    WriteSection("h?p", {{"Hex", "1"}, {"tab", "0"}, {"ShowAllChars", "1"}});
    WriteSection("gz", {{"Binary", "1"}, {"Hex", "0"}, {"LockStart", "2"}, {"LockEnd", "4"}});
    ASSERT_EQ(6, FileTypes_Load());

    struct Case {
        const char* extension;
        bool exact;
        int found;
        int32_t tab; // of the type found
    };
    const Case cases[] = {
        {"txt", true, 1, 4},   {".TXT", true, 1, 4},   {"txt", false, 1, 4}, {"Txt", false, 1, 4},
        {"c", true, 1, 3},     {"c", false, 1, 3},     {"cpp", true, 0, 0},  {"cpp", false, 1, 2},
        {"CPP", false, 1, 2},  {"doc", false, 0, 0},   {"tx", false, 0, 0},  {"txtx", false, 0, 0},
        {"nohex", true, 0, 0}, {"nohex", false, 0, 0}, {"hlp", false, 1, 1}, {"hlpx", false, 0, 0},
        {"h?p", true, 1, 1},   {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.extension) + (c.exact ? " exact" : " pattern"));
        TypeSettings t;
        EXPECT_EQ(c.found, FileTypes_Find(c.extension, c.exact, &t));
        EXPECT_EQ(c.tab, t.tab);
    }
    TypeSettings t;
    ASSERT_EQ(1, FileTypes_Find("hlp", false, &t));
    EXPECT_EQ(1, t.hex);
    EXPECT_EQ(1, t.showAllChars);
    ASSERT_EQ(1, FileTypes_Find("gz", false, &t));
    EXPECT_EQ((std::vector<int32_t>{0, 0, 1, 2, 4, 8}),
              (std::vector<int32_t>{t.text, t.hex, t.binary, t.lockStart, t.lockEnd, t.tab}));
}

TEST_F(FileTypesTest, AFileIsLookedUpByTheTextAfterTheLastDotOfItsName) {
    WriteSection(kSpecialTypesSection, {{"1", "gz"}, {"2", "x"}});
    WriteSection("gz", {{"Hex", "1"}, {"tab", "3"}});
    WriteSection("x", {{"Hex", "0"}, {"tab", "5"}});
    FileTypes_Load();
    gSettings.tabs = 6;
    struct Case {
        const char* path;
        int found;
        int32_t tab, hex;
    };
    const Case cases[] = {
        {"c:\\data\\archive.tar.gz", 1, 3, 1},
        {"c:\\data\\archive.gz.tar", 0, 6, 0},
        {"c:\\my.x\\readme", 0, 6, 0}, // the dot is the directory's
        {"/tmp/my.x/readme", 0, 6, 0},
        {"readme", 0, 6, 0},
        {"c:name.x", 1, 5, 0},
        {"trailing.", 0, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TypeSettings t;
        EXPECT_EQ(c.found, FileTypes_FindForPath(c.path, &t));
        EXPECT_EQ(c.tab, t.tab);
        EXPECT_EQ(c.hex, t.hex);
        EXPECT_EQ(c.found ? 0 : 1, t.text);
    }
}

TEST_F(FileTypesTest, SavingInCapitalsAppliesToSmallLetters) {
    TypeSettings t = Hex(0);
    t.lockStart = 1; // "&Lines:" 1, "Thr&u:" empty
    ASSERT_EQ(1, FileTypes_Save("LOG", t));
    EXPECT_EQ(std::vector<std::string>{"1=log"}, SpecialTypes());
    EXPECT_EQ(std::vector<std::string>{"log"}, LoadedList());
    EXPECT_EQ((std::vector<std::string>{"Text", "Hex", "Binary", "NewLineCR", "ShowAllChars",
                                        "ShowCRLF", "Strip7", "tab", "LockStart", "LockEnd"}),
              ProfileKeys("log"));
    EXPECT_EQ("8", ProfileValue("log", "tab")); // no spacing given: the usual one
    EXPECT_EQ("1", ProfileValue("log", "LockStart"));
    EXPECT_EQ("0", ProfileValue("log", "LockEnd"));
    TypeSettings found;
    ASSERT_EQ(1, FileTypes_FindForPath("c:\\logs\\today.log", &found));
    EXPECT_EQ(1, found.hex);

    // Saved again: the settings change, the list does not.
    t.lockStart = 0;
    t.lockEnd = 9; // no start: no lock
    t.tab = 3;
    ASSERT_EQ(1, FileTypes_Save("Log", t));
    EXPECT_EQ(std::vector<std::string>{"1=log"}, SpecialTypes());
    EXPECT_EQ("0", ProfileValue("log", "LockEnd"));
    EXPECT_EQ("3", ProfileValue("log", "tab"));
}

TEST_F(FileTypesTest, UndefiningRenumbersTheList) {
    for (const char* name : {"aaa", "bbb", "ccc"})
        ASSERT_EQ(1, FileTypes_Save(name, Hex(4)));
    EXPECT_EQ((std::vector<std::string>{"1=aaa", "2=bbb", "3=ccc"}), SpecialTypes());

    ASSERT_EQ(1, FileTypes_Undefine("BBB"));
    EXPECT_EQ((std::vector<std::string>{"1=aaa", "2=ccc"}), SpecialTypes());
    EXPECT_EQ((std::vector<std::string>{"aaa", "ccc"}), LoadedList());
    EXPECT_TRUE(ProfileKeys("bbb").empty());
    EXPECT_EQ(10u, ProfileKeys("ccc").size());

    ASSERT_EQ(1, FileTypes_Undefine("aaa"));
    ASSERT_EQ(1, FileTypes_Undefine("ccc"));
    EXPECT_TRUE(SpecialTypes().empty());
    EXPECT_EQ(0, FileTypes_Count());
}

TEST_F(FileTypesTest, KeysNumberedByHandAreRenumbered) {
    WriteSection(kSpecialTypesSection, {{"1", "aaa"}, {"3", "bbb"}, {"7", "ccc"}});
    for (const char* name : {"aaa", "bbb", "ccc"})
        WriteSection(name, {{"Hex", "0"}});
    FileTypes_Load();
    ASSERT_EQ(1, FileTypes_Save("ddd", Hex(4)));
    EXPECT_EQ((std::vector<std::string>{"1=aaa", "2=bbb", "3=ccc", "4=ddd"}), SpecialTypes());
    WriteSection(kSpecialTypesSection, {{"9", "eee"}}); // by hand again
    WriteSection("eee", {{"Hex", "0"}});
    FileTypes_Load();
    ASSERT_EQ(1, FileTypes_Undefine("aaa"));
    EXPECT_EQ((std::vector<std::string>{"1=bbb", "2=ccc", "3=ddd", "4=eee"}), SpecialTypes());
}

TEST_F(FileTypesTest, NamesThatAddressOtherSectionsAreRefused) {
    WriteSection("Memory", {{"LineLength", "512"}});
    WriteSection("Printer", {{"Device", "PDF"}});
    WriteSection(kSpecialTypesSection, {{"1", "txt"}});
    WriteSection("txt", {{"Hex", "0"}});
    FileTypes_Load();
    for (const char* name :
         {"memory", "MEMORY", "Printer", "masks", "special types", "ORV for Windows",
          "orv for windows", ".txt", "", "[txt]", "a=b", "a]b", "a[b", "a\nb", "a\rb"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(FileTypes_IsValidName(name));
        EXPECT_EQ(-1, FileTypes_Undefine(name));
        EXPECT_EQ(-1, FileTypes_Save(name, Hex(4)));
    }
    EXPECT_EQ("512", ProfileValue("Memory", "LineLength"));
    EXPECT_EQ("PDF", ProfileValue("Printer", "Device"));
    EXPECT_EQ(std::vector<std::string>{"1=txt"}, SpecialTypes());
    for (const char* name : {"txt", "c*", "h?p", "a.b", "verylongextension"})
        EXPECT_TRUE(FileTypes_IsValidName(name)) << name;
}

TEST_F(FileTypesTest, AFailedWriteIsReported) {
    Plat_FailProfileWritesForTests(1);
    EXPECT_EQ(0, FileTypes_Save("txt", Hex(4)));
    Plat_FailProfileWritesForTests(0);
    EXPECT_TRUE(SpecialTypes().empty());
}

TEST(FileTypesApply, TheTypeSetsTheViewsDisplay) {
    struct Case {
        const char* name;
        TypeSettings type;    // text hex binary strip7 newLineCR showAll showCRLF tab
        DisplaySettings want; // hex binary strip7 crIsNewLine all256 postScript tab
        int32_t showCrLf;
        bool plainText;
    };
    const Case cases[] = {
        {"text resets the special bits",
         {1, 0, 0, 1, 1, 1, 1, 4, 0, 0},
         {0, 0, 1, 0, 0, 7, 4},
         5,
         true},
        {"hex takes all 256 chars",
         {0, 1, 0, 0, 1, 1, 1, 2, 0, 0},
         {1, 0, 0, 9, 1, 7, 2},
         5,
         false},
        {"binary takes CR and CR/LF",
         {0, 0, 1, 0, 1, 1, 1, 3, 0, 0},
         {0, 1, 0, 1, 9, 7, 3},
         1,
         false},
        {"binary without them", {1, 0, 1, 0, 0, 0, 0, 3, 0, 0}, {0, 1, 0, 0, 9, 7, 3}, 0, false},
        {"neither flag", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 7, 1}, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplaySettings d = {9, 9, 9, 9, 9, 7, 9};
        int32_t showCrLf = 5;
        FileTypes_ApplyToView(c.type, &d, &showCrLf);
        EXPECT_EQ(c.want.hexMode, d.hexMode);
        EXPECT_EQ(c.want.binaryMode, d.binaryMode);
        EXPECT_EQ(c.want.stripBit7, d.stripBit7);
        EXPECT_EQ(c.want.crIsNewLine, d.crIsNewLine);
        EXPECT_EQ(c.want.all256Chars, d.all256Chars);
        EXPECT_EQ(c.want.postScriptState, d.postScriptState);
        EXPECT_EQ(c.want.tabSpacing, d.tabSpacing);
        EXPECT_EQ(c.showCrLf, showCrLf);
        EXPECT_EQ(c.plainText, FileTypes_IsPlainText(c.type));
    }
}

} // namespace
