// The settings store in the real ORV32.INI: the "Save Options" dialog, the frame's save
// commands and exit save, the first-run copy of ORV.INI, and fonts that fall back.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "gui/harness.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "platform/platform.h"
#include "shell/saveopts_win.h"
#include "shell/settings.h"

namespace {

using Keys = std::vector<std::string>;

std::string WindowsDirFile(const char* name) {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// One section of ORV32.INI as the file holds it: its keys in order, or its value of a key.
struct IniSection {
    Keys keys;
    std::vector<std::string> values;
    std::string Value(const std::string& key) const {
        for (size_t i = 0; i < keys.size(); i++)
            if (keys[i] == key)
                return values[i];
        return "<absent>";
    }
};

IniSection ReadSection(const char* name) {
    std::ifstream file(WindowsDirFile("ORV32.INI"), std::ios::binary);
    IniSection section;
    bool inside = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inside = line == "[" + std::string(name) + "]";
        else if (inside && line.find('=') != std::string::npos) {
            section.keys.push_back(line.substr(0, line.find('=')));
            section.values.push_back(line.substr(line.find('=') + 1));
        }
    }
    return section;
}

const Keys kView = {
    "Tabs",          "TextColor",        "BackgndColor", "EditTextColor",   "EditBackgndColor",
    "SrchTextColor", "SrchBackgndColor", "DirTextColor", "DirBackgndColor", "Font",
    "EditFont",      "SearchFont",       "DirFont",      "BitStrip"};
const Keys kOperational = {"Editor",       "MinOnLaunch", "ConfirmLaunch", "ConfirmDelete",
                           "PreserveCase", "HiddenFiles", "SystemFiles",   "ButtonBar"};
const Keys kPrint = {"Header",       "Footer",    "LeftMargin", "TopMargin",
                     "BottomMargin", "ProcessFF", "Process1"};
const Keys kDisks = {"SearchDisks"};
const Keys kFileOpen = {"PreviousFile", "NextFile", "AutoOpen"};
const Keys kWindow = {"Window"};
const Keys kMasks = {"Mask1", "Mask2", "Mask3", "Mask4"};
const Keys kMemory = {"BlockPointers", "FileBuffer"};

Keys Join(std::initializer_list<const Keys*> parts) {
    Keys all;
    for (const Keys* part : parts)
        all.insert(all.end(), part->begin(), part->end());
    return all;
}

// The user at the "Save Options" dialog: what it showed on opening, then the boxes clicked and
// the button pressed.
struct SaveBoxVisit {
    std::vector<int> click;
    int press;
    bool came;
    std::vector<bool> checkedOnOpening;
};
SaveBoxVisit gVisit;

const int kBoxes[] = {IDC_SAVE_VIEW,      IDC_SAVE_OPERATIONAL, IDC_SAVE_PRINT_PAGE, IDC_SAVE_DISKS,
                      IDC_SAVE_FILE_OPEN, IDC_SAVE_WINDOW,      IDC_SAVE_NAMES};

void CALLBACK VisitSaveBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Save Options");
    if (!dialog || gVisit.came)
        return;
    KillTimer(NULL, timer);
    gVisit.came = true;
    for (int box : kBoxes)
        gVisit.checkedOnOpening.push_back(IsDlgButtonChecked(dialog, box) == BST_CHECKED);
    for (int box : gVisit.click)
        SendDlgItemMessageA(dialog, box, BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(gVisit.press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, gVisit.press)));
}

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Plat_ResetProfileForTests();
        Settings_Load();
    }
    void TearDown() override {
        DeleteFileA(WindowsDirFile("ORV.INI").c_str());
        Plat_ResetProfileForTests();
        Settings_Reset();
    }
};

struct DialogCase {
    const char* name;
    std::vector<int> click;
    int press;
    int result;
    Keys main, masks, memory;
};

class SaveBoxTest : public SettingsFileTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(SaveBoxTest, WritesExactlyTheCheckedGroups) {
    const DialogCase& c = GetParam();
    gSettings.optionsChanged = 1;
    gVisit = {c.click, c.press, false, {}};
    UINT_PTR timer = SetTimer(NULL, 0, 50, VisitSaveBox);
    EXPECT_EQ(SaveOpts_Run(NULL, NULL), c.result);
    KillTimer(NULL, timer);
    ASSERT_TRUE(gVisit.came) << "the dialog did not show";
    EXPECT_EQ(gVisit.checkedOnOpening, std::vector<bool>(7, true));
    EXPECT_EQ(ReadSection("ORV for Windows").keys, c.main);
    EXPECT_EQ(ReadSection("Masks").keys, c.masks);
    EXPECT_EQ(ReadSection("Memory").keys, c.memory);
    EXPECT_EQ(gSettings.optionsChanged, c.result ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SaveBoxTest,
    ::testing::Values(
        DialogCase{"All",
                   {},
                   IDOK,
                   1,
                   Join({&kView, &kOperational, &kPrint, &kDisks, &kFileOpen, &kWindow}),
                   kMasks,
                   kMemory},
        DialogCase{"Some",
                   {IDC_SAVE_VIEW, IDC_SAVE_PRINT_PAGE, IDC_SAVE_FILE_OPEN, IDC_SAVE_NAMES},
                   IDOK,
                   1,
                   Join({&kOperational, &kDisks, &kWindow}),
                   {},
                   kMemory},
        DialogCase{"None",
                   {IDC_SAVE_VIEW, IDC_SAVE_OPERATIONAL, IDC_SAVE_PRINT_PAGE, IDC_SAVE_DISKS,
                    IDC_SAVE_FILE_OPEN, IDC_SAVE_WINDOW, IDC_SAVE_NAMES},
                   IDOK,
                   1,
                   {},
                   {},
                   kMemory},
        DialogCase{"Cancel", {IDC_SAVE_VIEW}, IDCANCEL, 0, {}, {}, {}}),
    ByName());

TEST_F(SettingsFileTest, FirstRunCopiesOrvIniAndNeverOverwrites) {
    const std::string ini = WindowsDirFile("ORV32.INI"), first = WindowsDirFile("ORV.INI");
    DeleteFileA(ini.c_str());
    ASSERT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
    std::ofstream(first, std::ios::binary) << "[ORV for Windows]\r\nTabs=5\r\n";
    EXPECT_EQ(Settings_EnsureFile(), 1);
    EXPECT_EQ(ReadFile(ini), "[ORV for Windows]\r\nTabs=5\r\n");
    Settings_Load();
    EXPECT_EQ(gSettings.tabs, 5); // the copy is what the settings come from

    std::ofstream(first, std::ios::binary) << "[ORV for Windows]\r\nTabs=6\r\n";
    EXPECT_EQ(Settings_EnsureFile(), 0);
    EXPECT_EQ(ReadFile(ini), "[ORV for Windows]\r\nTabs=5\r\n");
    DeleteFileA(first.c_str());
    ASSERT_TRUE(DeleteFileA(ini.c_str()));
    EXPECT_EQ(Settings_EnsureFile(), 0); // no ORV.INI: nothing to copy, nothing said
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
}

// ---- Fonts --------------------------------------------------------------------------------------

std::vector<std::pair<std::string, DWORD>> gFaces;
int CALLBACK CollectFace(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD type, LPARAM) {
    gFaces.emplace_back(logFont->lfFaceName, type);
    return 1;
}

bool IsInstalled(const char* face) {
    gFaces.clear();
    HDC screen = GetDC(NULL);
    EnumFontFamiliesA(screen, NULL, CollectFace, 0);
    ReleaseDC(NULL, screen);
    for (const auto& installed : gFaces)
        if (lstrcmpiA(installed.first.c_str(), face) == 0)
            return true;
    return false;
}

class FontLoadTest : public SettingsFileTest {
  protected:
    void TearDown() override {
        Fonts_Free();
        SettingsFileTest::TearDown();
    }
};

TEST_F(FontLoadTest, FacesThatAreNotInstalledFallBackToTheOemFontSavedAsTerminal) {
    ASSERT_FALSE(IsInstalled("No Such Face Xyz"));
    const bool hasTerminal = IsInstalled("Terminal");
    std::string raster;
    for (const auto& face : gFaces)
        if (face.second & RASTER_FONTTYPE)
            raster += face.first + " ";
    RecordProperty("RasterFaces", raster);
    RecordProperty("HasTerminal", hasTerminal ? "yes" : "no");

    Plat_WriteProfileString("ORV for Windows", "Font", "No Such Face Xyz(12,bold,italic)");
    Plat_WriteProfileString("ORV for Windows", "EditFont", "No Such Face Xyz,3");
    Plat_WriteProfileString("ORV for Windows", "SearchFont", "ORV default(9)");
    Settings_Load();
    ASSERT_EQ(Fonts_Load(), 1);
    HFONT oem = static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
    EXPECT_EQ(Fonts_Get(kFontView), oem);
    EXPECT_EQ(Fonts_Get(kFontEdit), oem);
    if (!hasTerminal) {
        EXPECT_EQ(Fonts_Get(kFontSearch), oem);
    }
    ASSERT_EQ(Settings_SaveGroup(kSaveView), 1);
    const IniSection saved = ReadSection("ORV for Windows");
    EXPECT_EQ(saved.Value("Font"), "Terminal(12)");
    EXPECT_EQ(saved.Value("EditFont"), "Terminal(0)");
    EXPECT_EQ(saved.Value("SearchFont"), "Terminal(9)");
}

struct RasterSize {
    LONG cellHeight;
    int points; // (height - internal leading) * 72 / dpi, as the program measures it
    bool plain; // neither bold nor italic
};
std::vector<RasterSize> gRasterSizes;
int gDpiY;
int CALLBACK CollectRasterSize(const LOGFONTA* logFont, const TEXTMETRICA* metric, DWORD, LPARAM) {
    gRasterSizes.push_back({logFont->lfHeight,
                            (int)((metric->tmHeight - metric->tmInternalLeading) * 72 / gDpiY),
                            metric->tmWeight <= 600 && !metric->tmItalic});
    return 1;
}

// Wine's prefix has no raster face of its own; Wine's MS Sans Serif raster file stands in.
TEST_F(FontLoadTest, RasterFacesTakeTheFirstListedSizeThatShowsThePointsAsked) {
    const char kFontFile[] = "Z:\\usr\\share\\wine\\fonts\\sserife.fon";
    if (GetFileAttributesA(kFontFile) == INVALID_FILE_ATTRIBUTES || !AddFontResourceA(kFontFile))
        GTEST_SKIP() << "no raster font file to add";
    HDC screen = GetDC(NULL);
    gDpiY = GetDeviceCaps(screen, LOGPIXELSY);
    gRasterSizes.clear();
    EnumFontFamiliesA(screen, "MS Sans Serif", CollectRasterSize, 0);
    ReleaseDC(NULL, screen);
    ASSERT_FALSE(gRasterSizes.empty());
    std::vector<std::pair<int, LONG>> cases; // points asked, cell height wanted (< 0: made)
    for (const RasterSize& size : gRasterSizes) {
        bool seen = false;
        for (const auto& c : cases)
            seen = seen || c.first == size.points;
        if (size.plain && !seen)
            cases.emplace_back(size.points, size.cellHeight);
    }
    cases.emplace_back(97, -MulDiv(97, gDpiY, 72)); // no such size: one is made
    for (const auto& c : cases) {
        const std::string spec = "MS Sans Serif(" + std::to_string(c.first) + ")";
        SCOPED_TRACE(spec);
        Plat_WriteProfileString("ORV for Windows", "Font", spec.c_str());
        Settings_Load();
        ASSERT_EQ(Fonts_Load(), 1);
        LOGFONTA made = {};
        GetObjectA(Fonts_Get(kFontView), sizeof made, &made);
        EXPECT_EQ(made.lfHeight, c.second);
        EXPECT_EQ(gSettings.fonts[kFontView].points, c.first);
    }
    // The older form names a size by its place in the list. Written back with points by all
    // but the view font, those must be the size's own.
    Plat_WriteProfileString("ORV for Windows", "DirFont", "MS Sans Serif,0");
    Settings_Load();
    ASSERT_EQ(Fonts_Load(), 1);
    EXPECT_EQ(gSettings.fonts[kFontDir].points, gRasterSizes[0].points);
    Fonts_Free();
    RemoveFontResourceA(kFontFile);
}

// ---- Through the frame
// ----------------------------------------------------------------------------

const char kSaveQuestion[] = "You changed ORV's options.\nSave new settings?";

bool IsChecked(int command) {
    return (GetMenuState(GetMenu(gFrame), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(OrvFrameTest, SaveSettingsCommandsOfTheFileMenu) {
    EXPECT_TRUE(IsChecked(IDM_SAVE_ON_EXIT)); // "AutoSaveOptions" is on by default
    SendMessageA(gFrame, WM_COMMAND, IDM_SAVE_ON_EXIT, 0);
    EXPECT_FALSE(IsChecked(IDM_SAVE_ON_EXIT));
    EXPECT_EQ(ReadSection("ORV for Windows").keys, Keys{"AutoSaveOptions"});
    EXPECT_EQ(ReadSection("ORV for Windows").Value("AutoSaveOptions"), "0");
    SendMessageA(gFrame, WM_COMMAND, IDM_SAVE_ON_EXIT, 0);
    EXPECT_TRUE(IsChecked(IDM_SAVE_ON_EXIT));
    EXPECT_EQ(ReadSection("ORV for Windows").Value("AutoSaveOptions"), "1");

    Plat_ResetProfileForTests();
    MoveWindow(gFrame, 30, 40, 500, 300, TRUE);
    Harness_Answer("Save Options", "", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_SAVE_SETTINGS_NOW, 0);
    EXPECT_EQ(ReadSection("ORV for Windows").keys,
              Join({&kView, &kOperational, &kPrint, &kDisks, &kFileOpen, &kWindow}));
    EXPECT_EQ(ReadSection("ORV for Windows").Value("Window"), "40 30 339 529");
    EXPECT_EQ(ReadSection("Memory").keys, kMemory);
}

struct ExitCase {
    const char* name;
    int autoSave;
    int answer; // 0: no question
    bool move;
    Keys main;
};

class ExitSaveTest : public OrvFrameTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitSaveTest, ClosingTheFrameSavesChangedOptionsAndItsPlace) {
    const ExitCase& c = GetParam();
    gSettings.optionsChanged = 1;
    gSettings.autoSaveOptions = c.autoSave;
    if (c.answer)
        Harness_Answer("Save ORV?", kSaveQuestion, c.answer);
    if (c.move)
        MoveWindow(gFrame, 20, 10, 600, 400, TRUE);
    SendMessageA(gFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(gFrame == NULL);
    EXPECT_EQ(ReadSection("ORV for Windows").keys, c.main);
    if (c.move) {
        EXPECT_EQ(ReadSection("ORV for Windows").Value("Window"), "10 20 409 619");
    }
    EXPECT_EQ(ReadSection("Memory").keys, Keys{});
}

const Keys kExitKeys = Join({&kView, &kOperational, &kFileOpen, &kPrint, &kDisks});

INSTANTIATE_TEST_SUITE_P(Ways, ExitSaveTest,
                         ::testing::Values(ExitCase{"AskedYes", 0, IDYES, false, kExitKeys},
                                           ExitCase{"AskedNoButMoved", 0, IDNO, true, kWindow}),
                         ByName());

TEST_F(OrvFrameTest, AFrameSavedMaximisedStartsMaximised) {
    ShowWindow(gFrame, SW_MAXIMIZE);
    SendMessageA(gFrame, WM_CLOSE, 0, 0);
    EXPECT_NE(ReadSection("ORV for Windows").Value("Window"), "<absent>");
    Orv_Shutdown();
    ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
    EXPECT_TRUE(IsZoomed(gFrame));
}

} // namespace
