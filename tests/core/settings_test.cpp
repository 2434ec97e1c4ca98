// The settings store: what each key loads as, what each save writes, and the exit save's
// questions. Under Wine the profile is the real ORV32.INI; each test starts from an empty one.
#include <gtest/gtest.h>

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/settings.h"
#include "support.h"

namespace {

const char kMain[] = "ORV for Windows";


std::string Rgb(OrvColor c) {
    char text[32];
    snprintf(text, sizeof text, "%u %u %u", c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF);
    return text;
}

std::string Disks(const unsigned char* list) {
    std::string text;
    for (int i = 0; i <= kMaxDrives && list[i] != kDriveListEnd; i++)
        text += (char)list[i];
    return text;
}

const std::vector<std::string> kViewKeys = {
    "Tabs",          "TextColor",        "BackgndColor", "EditTextColor",   "EditBackgndColor",
    "SrchTextColor", "SrchBackgndColor", "DirTextColor", "DirBackgndColor", "Font",
    "EditFont",      "SearchFont",       "DirFont",      "BitStrip"};
const std::vector<std::string> kOperationalKeys = {"Editor",        "MinOnLaunch",  "ConfirmLaunch",
                                                   "ConfirmDelete", "PreserveCase", "HiddenFiles",
                                                   "SystemFiles",   "ButtonBar"};
const std::vector<std::string> kPrintKeys = {"Header",       "Footer",    "LeftMargin", "TopMargin",
                                             "BottomMargin", "ProcessFF", "Process1"};
const std::vector<std::string> kDiskKeys = {"SearchDisks"};
const std::vector<std::string> kFileOpenKeys = {"PreviousFile", "NextFile", "AutoOpen"};
const std::vector<std::string> kWindowKeys = {"Window"};
const std::vector<std::string> kMaskKeys = {"Mask1", "Mask2", "Mask3", "Mask4"};

std::vector<std::string> Join(std::initializer_list<const std::vector<std::string>*> parts) {
    std::vector<std::string> all;
    for (const auto* part : parts)
        all.insert(all.end(), part->begin(), part->end());
    return all;
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Plat_ResetProfileForTests();
        Settings_SetHooks(nullptr);
        Settings_Reset();
    }
    void TearDown() override {
        Plat_FailProfileWritesForTests(0);
        Plat_ResetProfileForTests();
        Settings_SetHooks(nullptr);
        Settings_Reset();
    }
};

// One key written, loaded, and the setting it feeds read back as text.
struct LoadCase {
    const char* key;
    std::string value;
    std::function<std::string()> setting;
    std::string want;
};

std::string Switches() {
    const Settings& s = gSettings;
    return std::to_string(s.closePrevious) + std::to_string(s.minimisePrevious) + "/" +
           std::to_string(s.maximiseNew) + std::to_string(s.tileNew) + std::to_string(s.cascadeNew);
}

TEST_F(SettingsTest, KeysLoadWithTheirRulesAndLimits) {
    auto tabs = [] { return std::to_string(gSettings.tabs); };
    auto disks = [] { return Disks(gSettings.searchDisks); };
    auto color = [](int slot) { return [slot] { return Rgb(gSettings.colors[slot]); }; };
    const std::string a300(300, 'e'), h200(200, 'h'), m20(20, '9'), w40(40, '1');
    const std::string alphabetTwice = "zyxwvutsrqponmlkjihgfedcbaZYXWVUTSRQPONMLKJIHGFEDCBA";
    const LoadCase cases[] = {
        {"Tabs", "0", tabs, "1"},
        {"Tabs", "-4", tabs, "1"},
        {"Tabs", "3", tabs, "3"},
        {"PreviousFile", "close", Switches, "10/010"},
        {"PreviousFile", "MIN", Switches, "01/010"},
        {"PreviousFile", "Closed", Switches, "00/010"},
        {"NextFile", "mAx", Switches, "01/100"},
        {"NextFile", "Tile", Switches, "01/010"},
        {"NextFile", "Cascade", Switches, "01/001"},
        {"NextFile", "Stack", Switches, "01/001"},
        {"SearchDisks", "-cd", disks, ""},
        {"SearchDisks", "cDe", disks, "cde"},
        {"SearchDisks", "c,d c:", disks, "cd"},
        {"SearchDisks", alphabetTwice, disks, "zyxwvutsrqponmlkjihgfedcba"},
        {"TextColor", "1 2 3", color(kColorText), "1 2 3"},
        {"BackgndColor", "256 513 -1", color(kColorBackgnd), "0 1 255"},
        {"DirTextColor", "7", color(kColorDirText), "7 0 0"},
        {"DirBackgndColor", "12 x 5", color(kColorDirBackgnd), "12 0 0"},
        {"SrchTextColor", "99999999999999999999 0 255", color(kColorSrchText), "255 0 255"},
        {"Editor", a300, [] { return std::string(gSettings.editor); }, a300.substr(0, 259)},
        {"Header", h200, [] { return std::string(gSettings.header); }, h200.substr(0, 139)},
        {"Footer", h200, [] { return std::string(gSettings.footer); }, h200.substr(0, 139)},
        {"LeftMargin", m20, [] { return std::string(gSettings.leftMargin); }, m20.substr(0, 9)},
        {"Window", w40, [] { return std::string(gSettings.window); }, w40.substr(0, 29)},
        {"Font", "Courier New(12,bold,italic)",
         [] { return std::string(gSettings.fontSpecs[kFontView]); }, "Courier New(12,bold,italic)"},
        {"DirFont", std::string(100, 'f'),
         [] { return std::string(gSettings.fontSpecs[kFontDir]); },
         std::string(kFontSpecMax - 1, 'f')},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        Plat_ResetProfileForTests();
        ASSERT_EQ(Plat_WriteProfileString(kMain, c.key, c.value.c_str()), 1);
        Settings_Load();
        EXPECT_EQ(c.setting(), c.want);
    }
}

TEST_F(SettingsTest, NoMouseHidesTheBarAndBackgroundsTakeTheScreensNearestColour) {
    static const SettingsHooks kPoorScreen = {
        [] { return 0; }, [](OrvColor c) { return c & 0xC0C0C0; }}; // four levels per primary
    Settings_SetHooks(&kPoorScreen);
    Plat_WriteProfileString(kMain, "ButtonBar", "1");
    Settings_Load(); // every colour at its default: white, black or blue
    EXPECT_EQ(gSettings.buttonBar, 0);
    std::vector<std::string> colors;
    for (OrvColor c : gSettings.colors)
        colors.push_back(Rgb(c));
    EXPECT_EQ(colors, (std::vector<std::string>{"0 0 0", "255 255 255", "255 255 255", "0 0 192",
                                                "0 0 0", "192 192 192", "0 0 0", "255 255 255"}));
}

TEST_F(SettingsTest, MasksLoadWholeIntoOneBlock) {
    const std::string longMask(300, 'm');
    Plat_WriteProfileString("Masks", "Mask1", "*.c");
    Plat_WriteProfileString("Masks", "Mask3", longMask.c_str());
    Settings_Load();
    const std::vector<std::string> want = {"*.c", "*.txt", longMask.substr(0, 259), "*read*"};
    for (int i = 0; i < kMaskCount; i++)
        EXPECT_EQ(Settings_Mask(i), want[i]) << i; // the last character of each is kept
    const MaskBlock& block = gSettings.masks;
    EXPECT_EQ(block.size, 3 + 5 + 259 + 6 + 4);
    EXPECT_EQ((std::vector<int>(block.offsets, block.offsets + 4)),
              (std::vector<int>{0, 4, 10, 270}));
}

TEST_F(SettingsTest, ValuesAreWrittenInTheFormsTheyLoadFrom) {
    const struct {
        const char* key;
        const char* stored; // "" for absent
        const char* written;
    } cases[] = {
        {"PreviousFile", "Close", "Close"},
        {"PreviousFile", "min", "Min"},
        {"PreviousFile", "Keep", "NoChg"},
        {"NextFile", "MAX", "Max"},
        {"NextFile", "", "Tile"},
        {"NextFile", "Stack", "Cascade"},
        {"SearchDisks", "-1", ""},
        {"SearchDisks", "ECd", "ecd"},
        {"EditBackgndColor", "1 2", "1 2 0"},
        {"TextColor", "300 -1 7", "44 255 7"},
        {"Font", "Terminal,2", "Terminal,2"}, // the older form, kept for the view font alone
        {"Font", "ORV default(9)", "Terminal(9)"},
        {"SearchFont", "Courier New(12,ITALIC,Bold)", "Courier New(12,bold,italic)"},
        {"DirFont", "", "System(10,bold)"},
        {"Header", "Page &p of &f", "Page &p of &f"},
        {"Tabs", "-1", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        Plat_ResetProfileForTests();
        if (*c.stored)
            Plat_WriteProfileString(kMain, c.key, c.stored);
        Settings_Load();
        const int32_t all[kSaveGroups] = {1, 1, 1, 1, 1, 1, 1};
        ASSERT_EQ(Settings_SaveOptions(all, nullptr), 1);
        EXPECT_EQ(ProfileValue(kMain, c.key), c.written);
    }
}

TEST_F(SettingsTest, SaveOptionsWritesTheCheckedGroupsThenTheMemoryKeys) {
    const struct {
        const char* name;
        int32_t checked[kSaveGroups];
        std::vector<std::string> main, masks;
    } cases[] = {
        {"all",
         {1, 1, 1, 1, 1, 1, 1},
         Join({&kViewKeys, &kOperationalKeys, &kPrintKeys, &kDiskKeys, &kFileOpenKeys,
               &kWindowKeys}),
         kMaskKeys},
        {"none", {0, 0, 0, 0, 0, 0, 0}, {}, {}},
        {"some", {0, 1, 0, 1, 0, 1, 0}, Join({&kOperationalKeys, &kDiskKeys, &kWindowKeys}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plat_ResetProfileForTests();
        Settings_Load();
        gSettings.optionsChanged = 1;
        ScriptedUser user;
        const WindowRect frame = {10, 20, 610, 420};
        EXPECT_EQ(Settings_SaveOptions(c.checked, &frame), 1);
        EXPECT_EQ(gSettings.optionsChanged, 0);
        EXPECT_EQ(user.busyShown, 1);
        EXPECT_TRUE(user.asked.empty());
        EXPECT_EQ(ProfileKeys(kMain), c.main);
        EXPECT_EQ(ProfileKeys("Masks"), c.masks);
        EXPECT_EQ(ProfileKeys("Memory"), (std::vector<std::string>{"BlockPointers", "FileBuffer"}));
        if (c.checked[kSaveWindow]) {
            EXPECT_EQ(ProfileValue(kMain, "Window"), "20 10 419 609");
        }
    }
    // "FileBuffer" is written as the size in use, so that the next load derives the same lines.
    Plat_WriteProfileString("Memory", "LineLength", "300");
    Plat_WriteProfileString("Memory", "FileBuffer", "36999");
    Settings_Load();
    const int32_t none[kSaveGroups] = {};
    Settings_SaveOptions(none, nullptr);
    EXPECT_EQ(ProfileValue("Memory", "FileBuffer"), "36600"); // 61 lines of 2 x 300 bytes
}

const AskedQuestion kSaveQuestion = {"You changed ORV's options.\nSave new settings?", "Save ORV?",
                                     kButtonsYesNo, kIconQuestion, kPromptOwnedByFocus};
const AskedQuestion kWriteWarning = {"Could not write ORV32.INI", "", kButtonsOk, kIconWarning,
                                     kPromptOwnedByFocus};

TEST_F(SettingsTest, ExitSaveAsksOrSavesAndKeepsTheFramePlacement) {
    const WindowRect created = {0, 0, 640, 480}, moved = {5, 0, 645, 480};
    const std::vector<std::string> exitKeys =
        Join({&kViewKeys, &kOperationalKeys, &kFileOpenKeys, &kPrintKeys, &kDiskKeys});
    const struct {
        const char* name;
        int changed, autoSave;
        std::vector<int> answers;
        bool minimised;
        WindowRect now;
        bool asks;
        std::vector<std::string> main; // keys written, in order
        bool masks;
        int changedAfter;
    } cases[] = {
        {"nothing changed", 0, 0, {}, false, created, false, {}, false, 0},
        {"moved only", 0, 0, {}, false, moved, false, kWindowKeys, false, 0},
        {"moved but minimised", 0, 1, {}, true, moved, false, {}, false, 0},
        {"changed, saved on exit", 1, 1, {}, false, created, false, exitKeys, true, 0},
        {"changed, asked, yes", 1, 0, {kAnswerYes}, false, created, true, exitKeys, true, 0},
        {"changed, asked, no", 1, 0, {kAnswerNo}, false, created, true, {}, false, 1},
        {"changed and moved",
         1,
         1,
         {},
         false,
         moved,
         false,
         Join({&exitKeys, &kWindowKeys}),
         true,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plat_ResetProfileForTests();
        Settings_Load();
        gSettings.optionsChanged = c.changed;
        gSettings.autoSaveOptions = c.autoSave;
        ScriptedUser user;
        user.answers = c.answers;
        EXPECT_EQ(Settings_ExitSave({c.minimised, c.now, created}), 1);
        EXPECT_EQ(user.asked, std::vector<AskedQuestion>(c.asks ? 1 : 0, kSaveQuestion));
        EXPECT_EQ(ProfileKeys(kMain), c.main);
        EXPECT_EQ(ProfileKeys("Masks"), c.masks ? kMaskKeys : std::vector<std::string>{});
        EXPECT_EQ(ProfileKeys("Memory"), std::vector<std::string>{}); // never at exit
        EXPECT_EQ(gSettings.optionsChanged, c.changedAfter);
        if (c.main == kWindowKeys) {
            EXPECT_EQ(ProfileValue(kMain, "Window"), "0 5 479 644");
        }
    }
}

// A full disk or a write-protected file must not lose the changes silently: the user is told,
// and the changes still count as unsaved.
TEST_F(SettingsTest, FailedWritesWarnAndKeepTheChangesUnsaved) {
    const WindowRect created = {0, 0, 640, 480}, moved = {5, 0, 645, 480};
    const int32_t all[kSaveGroups] = {1, 1, 1, 1, 1, 1, 1};
    const struct {
        const char* name;
        std::function<int()> save;
    } cases[] = {
        {"Save Options", [&] { return Settings_SaveOptions(all, &moved); }},
        {"exit save",
         [&] {
             return Settings_ExitSave({0, moved, created});
         }},
        {"save-on-exit switch", [] { return Settings_ToggleSaveOnExit(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plat_ResetProfileForTests();
        Settings_Load();
        gSettings.optionsChanged = 1;
        ScriptedUser user;
        Plat_FailProfileWritesForTests(1);
        EXPECT_EQ(c.save(), 0);
        Plat_FailProfileWritesForTests(0);
        EXPECT_EQ(user.asked, std::vector<AskedQuestion>{kWriteWarning});
        EXPECT_EQ(gSettings.optionsChanged, 1);
        EXPECT_EQ(ProfileKeys(kMain), std::vector<std::string>{});
    }
}

TEST(FramePlacement, WindowTextGivesPositionSizeOrDefaultMaximised) {
    const struct {
        const char* text;
        FramePlacement want;
    } cases[] = {
        {"10 20 409 619", {20, 10, 600, 400, 0, 0}}, // top left bottom right
        {"-4 -4 1019 799", {0, 0, 0, 0, 1, 1}},      // as wide as the screen: maximised
        {"0 0 599 1023", {0, 0, 0, 0, 1, 1}},        // width 1024 = the screen's
        {"0 0 767 100", {0, 0, 0, 0, 1, 1}},         // height 768 = the screen's
        {"0 0 766 1022", {0, 0, 1023, 767, 0, 0}},
        {"", {0, 0, 0, 0, 1, 0}},
        {"1 2 3", {0, 0, 0, 0, 1, 0}},
        {"a b c d", {0, 0, 0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        const FramePlacement p = Settings_FramePlacement(c.text, 1024, 768);
        EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height, p.useDefault, p.maximised}),
                  (std::vector<int>{c.want.x, c.want.y, c.want.width, c.want.height,
                                    c.want.useDefault, c.want.maximised}))
            << c.text;
    }
    char text[kWindowTextMax];
    Settings_FormatWindowRect({-8, -8, 1032, 776}, text, sizeof text);
    EXPECT_STREQ(text, "-8 -8 775 1031");
    // What is written comes back as the same place and size, however often it is saved.
    Settings_FormatWindowRect({20, 10, 620, 410}, text, sizeof text);
    const FramePlacement back = Settings_FramePlacement(text, 1024, 768);
    EXPECT_EQ((std::vector<int>{20, 10, 600, 400}),
              (std::vector<int>{back.x, back.y, back.width, back.height}));
    Settings_FormatWindowRect({-2000000000, -2000000000, 2000000000, 2000000000}, text, 12);
    EXPECT_STREQ(text, "-2000000000"); // cut, never overrun
}

TEST(DriveList, SystemDrivesLessTheIgnoredOnes) {
    const struct {
        const char* ignore;
        uint32_t logical;
        const char* want;
    } cases[] = {
        {"", 0x0000000D, "ACD"},
        {"a,b", 0x0000000F, "CD"},
        {"A, D  z", 0x0200000F, "BC"},
        {"c:\\", 0x0000000C, "D"}, // ':' and '\' are skipped, not shifted by their code
        {"1 [ ~", 0x00000004, "C"},
        {"", 0xFFFFFFFF, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}, // bits past Z: are no drives
    };
    for (const auto& c : cases) {
        char list[kMaxDrives + 1];
        int count = Settings_BuildDriveList(c.logical, Settings_ParseIgnoreDrives(c.ignore), list);
        std::string letters;
        for (int i = 0; list[i] != (char)kDriveListEnd; i++)
            letters += list[i];
        EXPECT_EQ(letters, c.want) << c.ignore;
        EXPECT_EQ(count, (int)letters.size());
    }
}

} // namespace
