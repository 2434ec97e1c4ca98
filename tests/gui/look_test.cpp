// Colours and fonts of the window kinds as a user changes them: "Set Colors" and the font
// command for each kind, reaching the window they were chosen in and the windows made
// afterwards (not the others of the kind), in memory, on the screen and in ORV32.INI after
// "Save Options"; the chooser cancelled or failing into "Available Fonts", its
// faces, sizes and generated sizes; Wine's own choosers; pictures of the dialogs and windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cderr.h>

#include <string>
#include <vector>

#include "editor/editwnd_win.h"
#include "gui/harness.h"
#include "lister/dirstate_win.h"
#include "lister/dirwnd_win.h"
#include "look/fontdlg_win.h"
#include "look/fonts_win.h"
#include "look/look_win.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "shell/drawobjects_win.h"
#include "shell/settings.h"
#include "viewer/viewwnd_win.h"
#include "viewer/windata_win.h"

namespace {

const char kSetColors[] = "Set Colors";
const char kAvailableFonts[] = "Available Fonts";
const COLORREF kCancelled = CLR_INVALID;
const char kSizeFace[] = "Liberation Mono"; // an installed scalable face

// ---- The system's choosers, answered from a script ---------------------------------------------

struct ChooserScript {
    std::vector<COLORREF> colours; // one answer a call; kCancelled: the user cancelled
    std::vector<COLORREF> offered;
    std::vector<COLORREF*> customs;
    int fontAnswer = 1; // 1 chooses face at points, 0 cancels, -1 fails with an error
    std::string face;
    int points = 0;
    bool bold = false;
    LOGFONTA fontOffered = {};
    DWORD fontFlags = 0;
    bool fontHooked = false;
    bool sawNote = false; // "Background must be a solid color" was shown
};
ChooserScript gScript;

int ScreenDpiY() {
    HDC screen = GetDC(NULL);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpiY;
}

BOOL WINAPI ScriptedChooseColor(LPCHOOSECOLORA choose) {
    gScript.offered.push_back(choose->rgbResult);
    gScript.customs.push_back(choose->lpCustColors);
    const COLORREF answer = gScript.colours.empty() ? kCancelled : gScript.colours.front();
    if (!gScript.colours.empty())
        gScript.colours.erase(gScript.colours.begin());
    choose->rgbResult = answer == kCancelled ? choose->rgbResult : answer;
    return answer != kCancelled;
}

BOOL WINAPI ScriptedChooseFont(LPCHOOSEFONTA choose) {
    gScript.fontOffered = *choose->lpLogFont;
    gScript.fontFlags = choose->Flags;
    gScript.fontHooked = choose->lpfnHook != nullptr;
    if (gScript.fontAnswer != 1)
        return FALSE;
    *choose->lpLogFont = {};
    choose->lpLogFont->lfHeight = -MulDiv(gScript.points, ScreenDpiY(), 72);
    choose->lpLogFont->lfWeight = gScript.bold ? FW_BOLD : FW_NORMAL;
    lstrcpynA(choose->lpLogFont->lfFaceName, gScript.face.c_str(), LF_FACESIZE);
    choose->iPointSize = gScript.points * 10;
    return TRUE;
}

DWORD WINAPI ScriptedError() {
    return gScript.fontAnswer < 0 ? CFERR_NOFONTS : 0;
}

// A screen of few colours: each component shows solid only as 0, 128 or 255.
OrvColor FewColours(OrvColor color) {
    OrvColor solid = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = color >> shift & 0xFF;
        solid |= (c < 64 ? 0u : c < 192 ? 128u : 255u) << shift;
    }
    return solid;
}

// ---- The window kinds as a test sees them ------------------------------------------------------

struct Look {
    COLORREF text, background;
    HFONT font;
};

// What a window paints its control with, asked the way the system asks it.
Look AskedLook(HWND window, UINT message, HWND control) {
    HDC dc = CreateCompatibleDC(NULL);
    SendMessageA(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    Look look = {GetTextColor(dc), GetBkColor(dc),
                 reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))};
    DeleteDC(dc);
    return look;
}

DirWindowState* DirState(HWND dir) {
    return Dir_StateOf(dir);
}

std::string Scratch(const std::string& folder, int n, const char* text) {
    return Harness_WriteFile(folder + "file" + std::to_string(n) + ".txt", text);
}

struct Kind {
    const char* name;
    int kind;
    ColorSlot text, background;
    FontKind font;
    const char *textKey, *backgroundKey, *fontKey;
    HWND (*open)(const std::string& folder, int n);
    HWND (*control)(HWND window); // where the focus goes and the background shows
    Look (*look)(HWND window);
};

const Kind kKinds[] = {
    {"View", kLookKindView, kColorText, kColorBackgnd, kFontView, "TextColor", "BackgndColor",
     "Font", [](const std::string& f, int n) { return View_OpenFile(Scratch(f, n, "short\r\n").c_str()); },
     [](HWND view) { return view; },
     [](HWND view) {
         const WinData* w = View_Data(view);
         return Look{w->textColor, w->backgroundColor, w->font};
     }},
    {"Editor", kLookKindEditor, kColorEditText, kColorEditBackgnd, kFontEdit, "EditTextColor",
     "EditBackgndColor", "EditFont",
     [](const std::string& f, int n) { return Editor_Open(Scratch(f, n, "one\ttwo\r\n").c_str(), false); },
     [](HWND editor) { return Editor_Control(editor); },
     [](HWND editor) { return AskedLook(editor, WM_CTLCOLOREDIT, Editor_Control(editor)); }},
    {"Results", kLookKindResults, kColorSrchText, kColorSrchBackgnd, kFontSearch,
     "SrchTextColor", "SrchBackgndColor", "SearchFont",
     [](const std::string&, int) {
         HWND results = Results_Create("*.TXT");
         Results_AddEntry(results, "C:\\A.TXT");
         return results;
     },
     [](HWND results) { return Results_List(results); },
     [](HWND results) { return AskedLook(results, WM_CTLCOLORLISTBOX, Results_List(results)); }},
    {"Dir", kLookKindDir, kColorDirText, kColorDirBackgnd, kFontDir, "DirTextColor",
     "DirBackgndColor", "DirFont",
     [](const std::string& f, int) { return DirWindow_Open(f.c_str()); },
     [](HWND dir) { return DirWindow_FileList(dir); },
     [](HWND dir) { return Look{DirState(dir)->textColor, DirState(dir)->backColor, DirState(dir)->font}; }},
};

const Kind& OtherThan(const Kind& k) {
    return k.kind == kLookKindView ? kKinds[1] : kKinds[0];
}

// What the screen shows near the bottom right of a control's client area, its window on top.
COLORREF ShownBackground(HWND window, HWND control) {
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Harness_PumpMessages(50);
    RECT client;
    GetClientRect(control, &client);
    ViewInfo info;
    if (View_GetInfo(control, &info))
        client = info.textArea; // below the file's one line, above the status band
    HDC dc = GetDC(control);
    const COLORREF shown = GetPixel(dc, client.right - 6, client.bottom - 6);
    ReleaseDC(control, dc);
    return shown;
}


std::string IniValue(const char* key) {
    char value[80] = "";
    GetPrivateProfileStringA(kMainSection, key, "<absent>", value, sizeof value, "ORV32.INI");
    return value;
}

// ---- The user at "Available Fonts" -------------------------------------------------------------

std::vector<std::string> ListTexts(HWND dialog, int id) {
    std::vector<std::string> texts;
    const int count = (int)SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[64] = "";
        SendDlgItemMessageA(dialog, id, LB_GETTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::string Selected(HWND dialog, int id) {
    const int at = (int)SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
    const std::vector<std::string> texts = ListTexts(dialog, id);
    return at >= 0 && at < (int)texts.size() ? texts[(size_t)at] : "<none>";
}

// Picks an entry of a list or combo box (find, select) the way a click does: with its notice.
void Pick(HWND dialog, int id, const char* text, bool combo = false) {
    const LRESULT at = SendDlgItemMessageA(dialog, id, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                                           (WPARAM)-1, reinterpret_cast<LPARAM>(text));
    EXPECT_GE(at, 0) << text;
    SendDlgItemMessageA(dialog, id, combo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)at, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class LookTest : public OrvFrameTest, public ::testing::WithParamInterface<Kind> {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        Harness_CascadeNewWindows();
        folder_ = Harness_ScratchFolder("orv-look");
        gScript = ChooserScript();
        static const LookChoosers kScripted = {ScriptedChooseColor, ScriptedChooseFont,
                                               ScriptedError};
        Look_SetChoosersForTests(&kScripted);
        static const SettingsHooks kFew = {nullptr, FewColours};
        Settings_SetHooks(&kFew);
        Harness_SetBoxWatcher(WatchDialogs);
    }
    void TearDown() override {
        Harness_SetBoxWatcher(nullptr);
        gOnDialog.clear();
        ClearLater();
        SizeDlg_FailListMemoryForTests(false);
        HandleList_FailGrowthsForTests(0);
        Look_SetChoosersForTests(nullptr);
        OrvFrameTest::TearDown();
        Harness_RemoveFolder(folder_);
    }
    // Two windows of the kind, the first with the focus, and a window of another kind.
    std::vector<HWND> OpenTwo(const Kind& k) {
        other_ = OtherThan(k).open(folder_, 9);
        std::vector<HWND> windows = {k.open(folder_, 1), k.open(folder_, 2)};
        SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(windows[0]), 0);
        SetFocus(k.control(windows[0]));
        Harness_PumpMessages(50);
        return windows;
    }
    static void Command(WORD id) { SendMessageA(gFrame, WM_COMMAND, id, 0); }
    // "Set Colors" with "&Text" and "&Background" clicked, the choosers answering these, then
    // the dialog closed with press.
    static void SetColors(COLORREF text, COLORREF background, int press = IDOK) {
        gScript.colours = {text, background};
        gOnDialog[kSetColors] = [](HWND dialog) {
            gScript.sawNote = Harness_ItemShown(dialog, IDC_COLOR_NOTE);
            Harness_ClickItem(dialog, IDC_COLOR_TEXT);
            Harness_ClickItem(dialog, IDC_COLOR_BACKGROUND);
        };
        Harness_Answer(kSetColors, nullptr, press);
        Command(IDM_COLORS);
    }
    static void SaveOptions() {
        Harness_Answer("Save Options", nullptr, IDOK);
        Command(IDM_SAVE_SETTINGS_NOW);
    }
    std::string folder_;
    HWND other_ = NULL;
};

// ---- Each kind ---------------------------------------------------------------------------------

TEST_P(LookTest, SetColorsReachesTheActiveWindowThoseMadeAfterTheScreenAndTheFile) {
    const Kind& k = GetParam();
    std::vector<HWND> windows = OpenTwo(k);
    const Look other = OtherThan(k).look(other_);
    const Look was = k.look(windows[1]);
    const COLORREF text = RGB(200, 0, 0), dithered = RGB(100, 100, 100);
    const COLORREF solid = k.kind == kLookKindView ? dithered : RGB(128, 128, 128);
    SetColors(text, dithered);
    EXPECT_EQ(k.kind != kLookKindView, gScript.sawNote);
    // Each chooser started from the working colour, with the one array of custom colours.
    ASSERT_EQ(2u, gScript.offered.size());
    EXPECT_EQ(gSettings.colors[k.text], text);
    EXPECT_EQ(gSettings.colors[k.background], solid);
    EXPECT_EQ(gScript.customs[0], gScript.customs[1]);
    EXPECT_EQ(1, gSettings.optionsChanged);
    if (k.kind == kLookKindView) {
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(View_Data(windows[0])->backgroundBrush),
                  (LONG_PTR)GetClassLongPtrA(windows[0], GCLP_HBRBACKGROUND));
    }
    windows.push_back(k.open(folder_, 3)); // one made afterwards takes them too
    for (HWND window : {windows[0], windows[2]}) {
        EXPECT_EQ(text, k.look(window).text);
        EXPECT_EQ(solid, k.look(window).background);
        EXPECT_EQ(solid, ShownBackground(window, k.control(window)));
    }
    // Another window of the kind, open already, keeps its own.
    EXPECT_EQ(was.text, k.look(windows[1]).text);
    EXPECT_EQ(was.background, k.look(windows[1]).background);
    EXPECT_EQ(was.background, ShownBackground(windows[1], k.control(windows[1])));
    EXPECT_EQ(other.text, OtherThan(k).look(other_).text); // another kind keeps its colours
    EXPECT_EQ(other.background, OtherThan(k).look(other_).background);
    SaveOptions();
    EXPECT_EQ("200 0 0", IniValue(k.textKey));
    EXPECT_EQ(k.kind == kLookKindView ? "100 100 100" : "128 128 128", IniValue(k.backgroundKey));
}

TEST_P(LookTest, TheFontCommandReachesTheActiveWindowThoseMadeAfterAndTheFile) {
    const Kind& k = GetParam();
    std::vector<HWND> windows = OpenTwo(k);
    const HFONT before = k.look(windows[0]).font;
    const FontChoice was = gSettings.fonts[k.font];
    const int lineHeight = k.kind == kLookKindDir ? DirState(windows[0])->lineHeight : 0;
    gScript.face = "Courier New";
    gScript.points = 20;
    gScript.bold = true;
    const int kept = Orv_KeptObjectCount();
    Command(IDM_FONT);
    EXPECT_LT(kept, Orv_KeptObjectCount()); // deleted at teardown with the object list

    // The chooser started from the kind's face and size, for screen fonts, with the hook.
    EXPECT_STREQ(was.face, gScript.fontOffered.lfFaceName);
    EXPECT_EQ(-MulDiv(was.points, ScreenDpiY(), 72), gScript.fontOffered.lfHeight);
    EXPECT_EQ(was.bold ? FW_BOLD : FW_NORMAL, gScript.fontOffered.lfWeight);
    EXPECT_TRUE(gScript.fontFlags & CF_SCREENFONTS);
    EXPECT_TRUE(gScript.fontHooked && (gScript.fontFlags & CF_ENABLEHOOK));

    const HFONT font = Fonts_Get(k.font);
    const TEXTMETRICA metric = Fonts_ScreenMetrics(font);
    EXPECT_NE(before, font);
    EXPECT_EQ(1, gSettings.optionsChanged);
    EXPECT_EQ(font, k.look(windows[0]).font);
    EXPECT_EQ(before, k.look(windows[1]).font); // another one open already keeps its own
    EXPECT_NE(font, OtherThan(k).look(other_).font);
    HWND later = k.open(folder_, 3); // one made afterwards takes it
    EXPECT_EQ(font, k.look(later).font);
    HWND active = windows[0];
    if (k.kind == kLookKindView) {
        ViewInfo info;
        View_GetInfo(active, &info);
        EXPECT_EQ(metric.tmHeight + metric.tmExternalLeading, info.lineHeight);
    } else if (k.kind == kLookKindEditor) {
        // The tab stop is measured in the new font's average width.
        HWND edit = Editor_Control(active);
        const int from = (short)LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 0, 0));
        const int to = (short)LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 4, 0));
        EXPECT_NEAR(Editor_TabWidth(active) * metric.tmAveCharWidth, to - from,
                    metric.tmAveCharWidth / 2 + 2);
    } else if (k.kind == kLookKindDir) {
        EXPECT_GT(DirState(active)->lineHeight, lineHeight);
        EXPECT_EQ(DirState(active)->lineHeight,
                  (int)SendMessageA(GetDlgItem(active, kDirTreeId), LB_GETITEMHEIGHT, 0, 0));
        EXPECT_EQ(lineHeight, DirState(windows[1])->lineHeight);
    }
    SaveOptions();
    EXPECT_EQ("Courier New(20,bold)", IniValue(k.fontKey));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LookTest, ::testing::ValuesIn(kKinds), ByName());

// ---- The rules of the dialogs ------------------------------------------------------------------

class LookDialogTest : public LookTest {};

TEST_F(LookDialogTest, OnlyANewBackgroundMakesABrushAndCancelChangesNothing) {
    std::vector<HWND> views = OpenTwo(kKinds[0]);
    const HBRUSH brush = View_Data(views[0])->backgroundBrush;
    // A brush the list cannot take leaves the old background; the text colour is taken.
    HandleList_FailGrowthsForTests(1);
    SetColors(RGB(0, 0, 100), RGB(0, 100, 0));
    EXPECT_EQ(RGB(255, 255, 255), gSettings.colors[kColorBackgnd]);
    EXPECT_EQ(RGB(0, 0, 100), View_Data(views[0])->textColor);
    EXPECT_EQ(0, Look_BrushCount());
    // The text colour alone, the background chooser cancelled: no brush.
    SetColors(RGB(0, 0, 200), kCancelled);
    EXPECT_EQ(0, Look_BrushCount());
    EXPECT_EQ(brush, View_Data(views[0])->backgroundBrush);
    EXPECT_EQ(RGB(0, 0, 200), View_Data(views[0])->textColor);
    // Both chosen, then Cancel: nothing changes.
    gSettings.optionsChanged = 0;
    SetColors(RGB(1, 1, 1), RGB(2, 2, 2), IDCANCEL);
    EXPECT_EQ(RGB(0, 0, 200), gSettings.colors[kColorText]);
    EXPECT_EQ(RGB(255, 255, 255), gSettings.colors[kColorBackgnd]);
    EXPECT_EQ(0, gSettings.optionsChanged);
    EXPECT_EQ(0, Look_BrushCount());
    ASSERT_EQ(6u, gScript.offered.size());
    EXPECT_EQ(RGB(0, 0, 200), gScript.offered[4]); // starting from what the last OK stored
    // A new background: one brush for it, one for the start-up brush it replaced.
    SetColors(kCancelled, RGB(0, 128, 0));
    EXPECT_EQ(2, Look_BrushCount());
    EXPECT_NE(brush, View_Data(views[0])->backgroundBrush);
}

TEST_F(LookDialogTest, ACancelledChooserOrNoWindowOfAKindChangesNothing) {
    std::vector<HWND> dirs = OpenTwo(kKinds[3]);
    const HFONT font = Fonts_Get(kFontDir);
    gScript.fontAnswer = 0;
    Command(IDM_FONT); // no "Available Fonts": no box is scripted
    EXPECT_EQ(font, DirState(dirs[0])->font);
    EXPECT_EQ(0, gSettings.optionsChanged);
    // With the focus in no window of a kind, neither command shows anything.
    for (HWND window : Look_WindowsOfKind(kLookKindDir))
        Frame_CloseChild(window, false);
    Frame_CloseChild(other_, false);
    SetFocus(gFrame);
    gScript = {{RGB(1, 1, 1)}, {}, {}, 1, "Courier New", 12};
    Command(IDM_FONT);
    Command(IDM_COLORS);
    EXPECT_EQ(font, Fonts_Get(kFontDir));
    EXPECT_TRUE(gScript.offered.empty());
}

// What the user saw in "Available Fonts".
struct SizeVisit {
    std::vector<std::string> faces, sizesBefore, sizesAfter;
    std::string faceOnOpening, generated, pointsAfterPick;
};
SizeVisit gSizes;

TEST_F(LookDialogTest, AFailedChooserOpensAvailableFontsWithTheFirstFaceForAnUnknownOne) {
    std::vector<HWND> views = OpenTwo(kKinds[0]);
    lstrcpynA(gSettings.fonts[kFontView].face, "No Such Face", kFontFaceMax);
    gScript.fontAnswer = -1;
    gSizes = SizeVisit();
    gOnDialog[kAvailableFonts] = [](HWND dialog) {
        gSizes.faces = ListTexts(dialog, IDC_SIZE_FACES);
        gSizes.faceOnOpening = Selected(dialog, IDC_SIZE_FACES);
        Pick(dialog, IDC_SIZE_FACES, kSizeFace);
        gSizes.sizesBefore = ListTexts(dialog, IDC_SIZE_SIZES);
        SetDlgItemTextA(dialog, IDC_SIZE_POINTS, "13");
        Harness_ClickItem(dialog, IDC_SIZE_GENERATE);
        gSizes.sizesAfter = ListTexts(dialog, IDC_SIZE_SIZES);
        gSizes.generated = Selected(dialog, IDC_SIZE_SIZES);
        // Picking a size empties the size box: OK then takes the entry picked.
        SetDlgItemTextA(dialog, IDC_SIZE_POINTS, "40");
        Pick(dialog, IDC_SIZE_SIZES, "13 ");
        char points[8] = "?";
        GetDlgItemTextA(dialog, IDC_SIZE_POINTS, points, sizeof points);
        gSizes.pointsAfterPick = points;
    };
    Harness_Answer(kAvailableFonts, nullptr, IDOK);
    Command(IDM_FONT);

    ASSERT_FALSE(gSizes.faces.empty());
    EXPECT_EQ(gSizes.faces[0], gSizes.faceOnOpening);
    EXPECT_EQ(gSizes.sizesBefore.size() + 1, gSizes.sizesAfter.size());
    EXPECT_EQ("13 ", gSizes.generated);
    for (size_t i = 1; i < gSizes.sizesAfter.size(); i++) // generated in order among the others
        EXPECT_LE(atoi(gSizes.sizesAfter[i - 1].c_str()), atoi(gSizes.sizesAfter[i].c_str()));
    EXPECT_EQ("", gSizes.pointsAfterPick);
    EXPECT_STREQ(kSizeFace, gSettings.fonts[kFontView].face);
    EXPECT_EQ(13, gSettings.fonts[kFontView].points);
    EXPECT_EQ(1, gSettings.optionsChanged);
    EXPECT_EQ(Fonts_Get(kFontView), View_Data(views[0])->font);
    SaveOptions();
    EXPECT_EQ(std::string(kSizeFace) + "(13)", IniValue("Font"));
}

TEST_F(LookDialogTest, AvailableFontsCancelledTakingATypedSizeOrWithoutListMemory) {
    OpenTwo(kKinds[2]);
    gScript.fontAnswer = -1;
    const HFONT font = Fonts_Get(kFontSearch);
    Harness_Answer(kAvailableFonts, nullptr, IDCANCEL);
    Command(IDM_FONT);
    EXPECT_EQ(font, Fonts_Get(kFontSearch));
    EXPECT_EQ(0, gSettings.optionsChanged);

    SizeDlg_FailListMemoryForTests(true);
    Harness_Answer(nullptr, "Could not allocate font list memory", IDOK);
    Command(IDM_FONT);
    EXPECT_TRUE(Harness_SeenBoxes().back().icon != NULL);
    EXPECT_EQ(font, Fonts_Get(kFontSearch));
    EXPECT_EQ(0, gSettings.optionsChanged);
    SizeDlg_FailListMemoryForTests(false);

    // OK with a number typed: that size is made in the selected face, bold and italic.
    gOnDialog[kAvailableFonts] = [](HWND dialog) {
        Pick(dialog, IDC_SIZE_FACES, kSizeFace);
        SetDlgItemTextA(dialog, IDC_SIZE_POINTS, "17");
        Harness_ClickItem(dialog, IDC_SIZE_BOLD);
        Harness_ClickItem(dialog, IDC_SIZE_ITALIC);
    };
    Harness_Answer(kAvailableFonts, nullptr, IDOK);
    Command(IDM_FONT);
    EXPECT_NE(font, Fonts_Get(kFontSearch));
    EXPECT_EQ(Fonts_Get(kFontSearch),
              (HFONT)SendMessageA(Results_List(Results_Current()), WM_GETFONT, 0, 0));
    SaveOptions();
    EXPECT_EQ(std::string(kSizeFace) + "(17,bold,italic)", IniValue("SearchFont"));
}

// Wine's own colour and font choosers, answered through their controls.
TEST_F(LookDialogTest, TheSystemChoosersAnsweredAsAUserAnswersThem) {
    constexpr int kRed = 706, kGreen = 707, kBlue = 708, kFace = 0x470, kSize = 0x472;
    Look_SetChoosersForTests(nullptr);
    std::vector<HWND> dirs = OpenTwo(kKinds[3]);
    static HWND setColors;
    gOnDialog[kSetColors] = [](HWND dialog) {
        setColors = dialog;
        Harness_PressItem(dialog, IDC_COLOR_BACKGROUND);
    };
    gOnDialog["Color"] = [](HWND chooser) {
        SetDlgItemTextA(chooser, kRed, "0");
        SetDlgItemTextA(chooser, kGreen, "0");
        SetDlgItemTextA(chooser, kBlue, "255");
        Harness_PressItem(setColors, IDOK); // taken once the chooser has closed
    };
    Harness_Answer(kSetColors, nullptr, IDC_COLOR_SAMPLE); // a click on the sample does nothing
    Harness_Answer("Color", nullptr, IDOK);
    Command(IDM_COLORS);
    EXPECT_EQ(RGB(0, 0, 255), gSettings.colors[kColorDirBackgnd]);
    EXPECT_EQ(RGB(0, 0, 255), DirState(dirs[0])->backColor);

    gOnDialog["Font"] = [](HWND chooser) {
        Pick(chooser, kFace, kSizeFace, true);
        Pick(chooser, kSize, "16", true);
    };
    Harness_Answer("Font", nullptr, IDOK);
    Command(IDM_FONT);
    EXPECT_STREQ(kSizeFace, gSettings.fonts[kFontDir].face);
    EXPECT_EQ(16, gSettings.fonts[kFontDir].points);
    EXPECT_EQ(Fonts_Get(kFontDir), DirState(dirs[0])->font);
}

// ---- Pictures, for a reader of the build ------------------------------------------------------

// Takes the picture of a dialog once everything behind it and in it is painted, then presses OK.
void PictureThenOk(HWND dialog, const char* name, bool* saved) {
    RedrawWindow(gFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Harness_PumpMessages(300);
    *saved = Harness_SaveWindowBitmap(dialog, Harness_OutputPath(name).c_str()) == 1;
    Harness_PressItem(dialog, IDOK);
}

TEST_F(LookDialogTest, PicturesOfAViewAndADirectoryWindowInNewLooksAndOfBothDialogs) {
    std::string text;
    for (int i = 1; i <= 30; i++)
        text += "Line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog\r\n";
    const std::string notes = Harness_WriteFile(folder_ + "notes.txt", text);
    Harness_WriteFile(folder_ + "readme.txt", "read me\r\n");
    HWND dir = DirWindow_Open(folder_.c_str());
    HWND view = View_OpenFile(notes.c_str());
    ASSERT_TRUE(dir && view);
    SendMessageA(gMdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);

    // The view: dark blue on pale yellow, in a scalable face.
    SetFocus(view);
    SetColors(RGB(0, 0, 128), RGB(255, 255, 204));
    gScript.face = kSizeFace;
    gScript.points = 11;
    Command(IDM_FONT);

    // The directory window: white on teal, pictured in the dialog's sample (with the note a
    // list's background needs), in a bold face made in "Available Fonts".
    static bool savedColors, savedFonts;
    savedColors = savedFonts = false;
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(dir), 0);
    SetFocus(DirWindow_FileList(dir));
    gScript.colours = {RGB(255, 255, 255), RGB(0, 128, 128)};
    gOnDialog[kSetColors] = [](HWND dialog) {
        Later([dialog] {
            Harness_ClickItem(dialog, IDC_COLOR_TEXT);
            Harness_ClickItem(dialog, IDC_COLOR_BACKGROUND);
            PictureThenOk(dialog, "look-set-colors.bmp", &savedColors);
        });
    };
    Harness_Answer(kSetColors, nullptr, IDC_COLOR_SAMPLE);
    Command(IDM_COLORS);
    EXPECT_TRUE(savedColors);
    gScript.fontAnswer = -1;
    gOnDialog[kAvailableFonts] = [](HWND dialog) {
        Later([dialog] {
            Pick(dialog, IDC_SIZE_FACES, "Liberation Sans");
            SetDlgItemTextA(dialog, IDC_SIZE_POINTS, "12");
            Harness_ClickItem(dialog, IDC_SIZE_BOLD);
            Harness_ClickItem(dialog, IDC_SIZE_GENERATE);
            PictureThenOk(dialog, "look-available-fonts.bmp", &savedFonts);
        });
    };
    Harness_Answer(kAvailableFonts, nullptr, IDC_SIZE_SAMPLE);
    Command(IDM_FONT);
    EXPECT_TRUE(savedFonts);
    EXPECT_STREQ("Liberation Sans", gSettings.fonts[kFontDir].face);

    RedrawWindow(gFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Harness_PumpMessages(300);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("look-windows.bmp").c_str()));
}

} // namespace
