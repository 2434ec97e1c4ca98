// The search results window as a search fills it and a user reads it: matching lines in order,
// a full list going on in another window, opening entries at their lines, and the selected
// entries copied and saved.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "find/findpat.h"
#include "gui/harness.h"
#include "look/fonts_win.h"
#include "resources/resource.h"
#include "search/resultssave_win.h"
#include "search/resultswnd_win.h"
#include "search/searchcmd_win.h"
#include "search/searchwalk.h"
#include "search/selqueue_win.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kCannotOpen[] = "Could not open the file for writing.";
const char kWriteFailed[] = "Unsuccessful file write.";
const char kListFull[] = "List box is full.\nContinue in another window?";

class ResultsTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        Harness_CascadeNewWindows();
        dir_ = Harness_ScratchFolder("orv-results");
    }
    void TearDown() override {
        Results_SetEntryLimitForTests(0);
        ListSave_FailWritesForTests(-1);
        SelQueue_DropAndGrey(); // the queue outlives the frame: no test hands one to the next
        Harness_RemoveFolder(dir_);
        OrvFrameTest::TearDown();
    }
    std::string File(const char* name, const std::string& text = "text\r\n") {
        return Harness_WriteFile(dir_ + name, text);
    }
    static std::string Contents(const std::string& path) {
        return Harness_ReadFile(path);
    }
    // The files in the scratch folder: a save leaves no file of its own behind.
    std::vector<std::string> DirNames() const {
        return Harness_FileNames(dir_);
    }
    static std::vector<std::string> Rows(HWND results) {
        std::vector<std::string> rows;
        HWND list = Results_List(results);
        for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; i++) {
            std::string text((size_t)SendMessageA(list, LB_GETTEXTLEN, (WPARAM)i, 0) + 1, '\0');
            text.resize((size_t)SendMessageA(list, LB_GETTEXT, (WPARAM)i,
                                             reinterpret_cast<LPARAM>(&text[0])));
            rows.push_back(text);
        }
        return rows;
    }
    // Selects rows by index as the user's clicks do, the list telling its window.
    static void Select(HWND results, std::vector<int> rows) {
        HWND list = Results_List(results);
        SetFocus(list);
        for (int row : rows)
            SendMessageA(list, LB_SETSEL, TRUE, row);
        SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    static std::vector<HWND> ResultsWindows() {
        std::vector<HWND> found;
        for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (Orv_IsProgramWindow(child, kKindResults))
                found.push_back(child);
        }
        return found;
    }
    // Found paths show in capitals, as the search lists them.
    static std::string Upper(std::string text) {
        CharUpperBuffA(&text[0], (DWORD)text.size());
        return text;
    }
    // A matching line's entry, as the search lists it.
    static std::string Line(const std::string& path, int64_t line, const char* text) {
        char number[32];
        snprintf(number, sizeof number, " :%6ld: ", (long)line);
        return path + number + text;
    }
    static std::string Title(HWND window) {
        char text[MAX_PATH] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    std::string dir_;
};

TEST_F(ResultsTest, LinesOfEachFileStandUnderItsPathInLineOrder) {
    HWND results = Results_Create("*.TXT");
    const struct {
        const char* path;
        int64_t line;
        const char* text;
    } found[] = {
        {"C:\\DOCS\\B.TXT", 4, "beta four"},  {"C:\\DOCS\\B.TXT", 120, "beta far"},
        {"C:\\DOCS\\A.TXT", 9, "alpha nine"}, {"C:\\DOCS\\A.TXT", 10, "alpha ten"},
    };
    for (const auto& f : found)
        EXPECT_LE(0, Results_AddEntry(results, Line(f.path, f.line, f.text).c_str())) << f.line;
    EXPECT_EQ((std::vector<std::string>{
                  "C:\\DOCS\\A.TXT :     9: alpha nine",
                  "C:\\DOCS\\A.TXT :    10: alpha ten",
                  "C:\\DOCS\\B.TXT :     4: beta four",
                  "C:\\DOCS\\B.TXT :   120: beta far",
              }),
              Rows(results));
    // A line far wider than the window can be scrolled to its end.
    const std::string wide(300, 'w');
    Results_AddEntry(results, Line("C:\\DOCS\\C.TXT", 1, wide.c_str()).c_str());
    RECT client;
    GetClientRect(Results_List(results), &client);
    EXPECT_GT(SendMessageA(Results_List(results), LB_GETHORIZONTALEXTENT, 0, 0), client.right);
}

TEST_F(ResultsTest, ADoubleClickOpensTheViewAtALineOfSixDigits) {
    const std::string path = File("BIG.TXT", Harness_Lines(130000));
    HWND results = Results_Create("*.TXT");
    ASSERT_EQ(0, Results_AddEntry(results, Line(path, 123456, "line 123456").c_str()));
    HWND list = Results_List(results);
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    Harness_PumpMessages(100);
    HWND view = Frame_ActiveChild();
    ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind);
    EXPECT_EQ(path, View_Path(view));
    EXPECT_EQ(123456, View_TopLine(view));
}

TEST_F(ResultsTest, CtrlNOpensThreeSelectedLinesInTurnThenSaysNoNextFile) {
    const std::string a = File("A.TXT", Harness_Lines(50)), b = File("B.TXT", Harness_Lines(50));
    HWND results = Results_Create("*.TXT");
    for (const std::string& entry :
         {Line(a, 5, "line 5"), Line(a, 30, "line 30"), Line(b, 17, "line 17")})
        Results_AddEntry(results, entry.c_str());
    Select(results, {0, 1, 2});
    const struct {
        std::string path;
        int64_t top;
    } expected[] = {{a, 5}, {a, 30}, {b, 17}};
    for (const auto& e : expected) {
        Harness_PressKeys({VK_CONTROL, 'N'});
        Harness_RunProgramLoop(200);
        HWND view = Frame_ActiveChild();
        ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind);
        EXPECT_EQ(e.path, View_Path(view));
        EXPECT_EQ(e.top, View_TopLine(view));
    }
    // The item is greyed once the queue is used up; the command itself says so.
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    Harness_Answer(NULL, "No next file.", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
}

TEST_F(ResultsTest, AFullListGoesOnInAnotherWindowOnlyWhenAsked) {
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        Results_SetEntryLimitForTests(3);
        HWND full = Results_Create("C:\\*.LOG");
        for (int64_t line : {1, 2, 3})
            ASSERT_LE(0, Results_AddEntry(full, Line("C:\\A.LOG", line, "match").c_str()));
        EXPECT_EQ(-1, Results_AddEntry(full, Line("C:\\A.LOG", 4, "match four").c_str()));
        EXPECT_EQ("C:\\A.LOG :     4: match four", Results_Pending().entry);
        EXPECT_EQ(3u, Rows(full).size());

        Harness_Answer("List Full", kListFull, answer);
        HWND next = Results_Continue(full);
        EXPECT_EQ("", Results_Pending().entry);
        if (answer == IDNO) {
            EXPECT_TRUE(next == NULL);
            EXPECT_EQ(1u, ResultsWindows().size());
            Frame_CloseChild(full, false);
            continue;
        }
        ASSERT_TRUE(next != NULL);
        EXPECT_EQ("C:\\*.LOG", Title(next));
        EXPECT_EQ(next, Frame_ActiveChild());
        // The refused line leads; the search goes on after it.
        EXPECT_LE(0, Results_AddEntry(next, Line("C:\\A.LOG", 5, "match five").c_str()));
        EXPECT_EQ((std::vector<std::string>{"C:\\A.LOG :     4: match four",
                                            "C:\\A.LOG :     5: match five"}),
                  Rows(next));
        EXPECT_EQ(2u, ResultsWindows().size());
        Frame_CloseChild(next, false);
        Frame_CloseChild(full, false);
    }
}

// The Save As dialog the user fills in: the name typed into its name box.
std::string gSaveName;

void TypeSaveName(const SeenBox&) {
    if (HWND dialog = Harness_SaveAsDialog())
        SetDlgItemTextA(dialog, kSaveAsNameBox, gSaveName.c_str());
}

TEST_F(ResultsTest, CopyAndSaveAsTakeTheSelectedLines) {
    HWND results = Results_Create("*.TXT");
    for (const std::string& entry : {Line("C:\\A.TXT", 1, "first"),
                                     Line("C:\\A.TXT", 2, "second"), Line("C:\\B.TXT", 3, "third")})
        Results_AddEntry(results, entry.c_str());
    const std::string chosen = "C:\\A.TXT :     1: first\r\nC:\\B.TXT :     3: third\r\n";

    Select(results, {0, 2});
    SendMessageA(gFrame, WM_COMMAND, IDM_COPY, 0);
    std::string clipboard;
    ASSERT_TRUE(OpenClipboard(NULL));
    if (const char* bytes = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)))) {
        clipboard = bytes;
        GlobalUnlock(GetClipboardData(CF_TEXT));
    }
    CloseClipboard();
    EXPECT_EQ(chosen, clipboard);

    // Save As to a new file, then over it: the system asks before it replaces the file.
    gSaveName = dir_ + "CHOSEN.TXT";
    Harness_SetBoxWatcher(TypeSaveName);
    for (bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "replacing" : "new");
        Select(results, exists ? std::vector<int>{1} : std::vector<int>{0, 2});
        Harness_Answer(NULL, nullptr, IDOK);
        if (exists)
            Harness_Answer(NULL, nullptr, IDYES);
        SendMessageA(gFrame, WM_COMMAND, IDM_SAVE_AS, 0);
        EXPECT_EQ(exists ? "C:\\A.TXT :     2: second\r\n" : chosen, Contents(gSaveName));
        EXPECT_EQ(std::vector<std::string>{"CHOSEN.TXT"}, DirNames());
    }
    Harness_SetBoxWatcher(nullptr);
}

TEST_F(ResultsTest, AFailedSaveLeavesTheFileAsItWasAndSaysWhy) {
    const std::string old = "the old text\r\n";
    const struct {
        const char* name;
        const char* path;    // under the scratch folder
        DWORD attributes;    // of an existing file there; 0 for none
        long long failAfter; // bytes written before the disk gives out; -1 never
        const char* told;    // null: written
    } cases[] = {
        {"read-only", "KEEP.TXT", FILE_ATTRIBUTE_READONLY, -1, kCannotOpen},
        {"no such folder", "MISSING\\NEW.TXT", 0, -1, kCannotOpen},
        {"disk full at once", "KEEP.TXT", FILE_ATTRIBUTE_NORMAL, 0, kWriteFailed},
        {"disk full later", "KEEP.TXT", FILE_ATTRIBUTE_NORMAL, 70000, kWriteFailed},
        {"replaced", "KEEP.TXT", FILE_ATTRIBUTE_NORMAL, -1, nullptr},
    };
    const std::string text = Harness_Lines(20000); // more than one piece of a write
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir_ + c.path;
        if (c.attributes) {
            File(c.path, old);
            SetFileAttributesA(path.c_str(), c.attributes);
        }
        ListSave_FailWritesForTests(c.failAfter);
        if (c.told)
            Harness_Answer(NULL, c.told, IDOK);
        EXPECT_EQ(c.told ? 0 : 1, ListSave_WriteFile(path.c_str(), text.data(), text.size()));
        EXPECT_EQ(c.told ? (c.attributes ? old : "<absent>") : text, Contents(path));
        EXPECT_EQ(c.attributes ? std::vector<std::string>{"KEEP.TXT"} : std::vector<std::string>{},
                  DirNames());
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

TEST_F(ResultsTest, TheWindowListAndNextWindowTakeResultsWindowsIn) {
    const std::string a = File("A.TXT");
    HWND view = View_OpenFile(a.c_str());
    HWND files = Results_Create("*.TXT");
    HWND lines = Results_Create("*.LOG");
    // Each is listed under its title in the Window menu.
    HMENU windowMenu = GetSubMenu(GetMenu(gFrame), kWindowMenuPosition);
    std::vector<std::string> listed;
    for (int i = 0; i < GetMenuItemCount(windowMenu); i++) {
        char text[MAX_PATH] = "";
        GetMenuStringA(windowMenu, (UINT)i, text, sizeof text, MF_BYPOSITION);
        listed.push_back(text);
    }
    for (HWND child : {view, files, lines}) {
        const std::string title = Title(child);
        bool found = false;
        for (const std::string& item : listed)
            found = found || item.find(title) != std::string::npos;
        EXPECT_TRUE(found) << title;
    }
    // Next Window visits all three, and brings a minimised one up again.
    SendMessageA(files, WM_COMMAND, kResultsMinimizeCommand, 0);
    EXPECT_TRUE(IsIconic(files));
    std::vector<HWND> visited;
    for (int i = 0; i < 3; i++) {
        SendMessageA(gFrame, WM_COMMAND, IDM_NEXT_WINDOW, 0);
        visited.push_back(Frame_ActiveChild());
        if (visited.back() == files) {
            EXPECT_FALSE(IsIconic(files));
        }
    }
    for (HWND child : {view, files, lines})
        EXPECT_NE(visited.end(), std::find(visited.begin(), visited.end(), child));
}

HWND gRunFor = NULL;

TEST_F(ResultsTest, TheWindowRunsTheSearchAndMinimisesWhenTold) {
    HWND results = Results_Create("*.TXT");
    Results_SetRun([](HWND window) { gRunFor = window; });
    PostMessageA(results, WM_COMMAND, kResultsRunCommand, 0);
    Harness_PumpMessages(50);
    Results_SetRun(nullptr);
    EXPECT_EQ(results, gRunFor);
    SendMessageA(results, WM_COMMAND, kResultsMinimizeCommand, 0);
    EXPECT_TRUE(IsIconic(results));
}

TEST_F(ResultsTest, ClosedFromItsOwnMenuTheLastWindowLeavesTheMenusForNone) {
    HWND results = Results_Create("*.TXT");
    Results_AddEntry(results, "C:\\A.TXT");
    Select(results, {0});
    EXPECT_FALSE(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(results, WM_SYSCOMMAND, SC_CLOSE, 0);
    Harness_PumpMessages(100);
    EXPECT_FALSE(IsWindow(results));
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(SelQueue_HasNext());
}

TEST_F(ResultsTest, TheListShowsTheSearchColoursAndFont) {
    HWND results = Results_Create("*.TXT");
    HWND list = Results_List(results);
    EXPECT_EQ(reinterpret_cast<WPARAM>(Fonts_Get(kFontSearch)),
              SendMessageA(list, WM_GETFONT, 0, 0));
    HDC dc = CreateCompatibleDC(NULL);
    EXPECT_EQ(reinterpret_cast<LRESULT>(gDraw.srchBrush),
              SendMessageA(results, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(list)));
    EXPECT_EQ(gSettings.colors[kColorSrchText], GetTextColor(dc));
    EXPECT_EQ(gSettings.colors[kColorSrchBackgnd], GetBkColor(dc));
    DeleteDC(dc);
}

// Pictures of the two kinds of list, as the user sees them in the frame.
TEST_F(ResultsTest, PicturesOfAFileListAndOfMatchingLines) {
    SetWindowPos(gFrame, NULL, 0, 0, 760, 420, SWP_NOZORDER | SWP_NOMOVE);
    const char* const files[] = {"C:\\DOCS\\REPORT.TXT", "C:\\DOCS\\1996\\BUDGET.TXT",
                                 "C:\\DOCS\\NOTES\\MEETING.TXT", "D:\\ARCHIVE\\OLD\\README.TXT",
                                 "C:\\DOCS\\LETTERS\\BANK.TXT"};
    HWND fileList = Results_Create("C:\\*.TXT");
    for (const char* file : files)
        Results_AddEntry(fileList, file);
    SendMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(fileList), 0);
    Select(fileList, {1});
    UpdateWindow(gFrame);
    Harness_PumpMessages(100);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("results-files.bmp").c_str()));
    // What the picture shows: the five files, the second selected, under the mask as title.
    auto shown = [](HWND results) {
        HWND list = Results_List(results);
        std::vector<int> selected;
        for (int i = 0; i < (int)SendMessageA(list, LB_GETCOUNT, 0, 0); i++)
            if (SendMessageA(list, LB_GETSEL, i, 0) > 0)
                selected.push_back(i);
        return std::make_pair((int)SendMessageA(list, LB_GETCOUNT, 0, 0), selected);
    };
    EXPECT_EQ(std::make_pair(5, std::vector<int>{1}), shown(fileList));
    EXPECT_NE(std::string::npos, Title(fileList).find("C:\\*.TXT"));

    HWND lineList = Results_Create("C:\\DOCS\\*.TXT");
    const struct {
        const char* path;
        int64_t line;
        const char* text;
    } found[] = {
        {"C:\\DOCS\\REPORT.TXT", 12, "The budget for the third quarter is final."},
        {"C:\\DOCS\\REPORT.TXT", 48, "  budget: 12,400 (see the notes)"},
        {"C:\\DOCS\\1996\\BUDGET.TXT", 1, "BUDGET 1996"},
        {"C:\\DOCS\\1996\\BUDGET.TXT", 230, "Total budget        98,150"},
        {"C:\\DOCS\\NOTES\\MEETING.TXT", 7, "- agree the budget before Friday"},
        {"C:\\DOCS\\NOTES\\MEETING.TXT", 123456, "budget again, far down a long file"},
    };
    for (const auto& f : found)
        Results_AddEntry(lineList, Line(f.path, f.line, f.text).c_str());
    SendMessageA(gMdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(lineList), 0);
    Select(lineList, {2, 3});
    UpdateWindow(gFrame);
    Harness_PumpMessages(100);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, Harness_OutputPath("results-lines.bmp").c_str()));
    EXPECT_EQ(std::make_pair(6, std::vector<int>{2, 3}), shown(lineList));
}

} // namespace

// A File Search in list mode, start to end: the window runs the search, the lines holding the
// string come in once each, and a full list goes on in a second window when the user says Yes.
TEST_F(ResultsTest, AListModeSearchFillsTheWindowAndGoesOnInAnother) {
    const SearchCriteria savedCriteria = gSearchCriteria;
    const FindSettings savedFind = gFind;
    std::vector<std::string> expected;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        File(name, "one needle\r\ntwo\r\nthree needle\r\n");
        for (const char* line : {"     1: one needle", "     3: three needle"})
            expected.push_back(Upper(dir_ + name) + " :" + line);
    }
    File("d.log", "needle\r\n"); // not the mask's
    gSearchCriteria = SearchCriteria();
    snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s*.txt", dir_.c_str());
    gSearchCriteria.onlyStartDir = true;
    gSearchCriteria.containingString = true;
    gSearchCriteria.listMatchingLines = true;
    gFind = FindSettings();
    snprintf(gFind.string1, sizeof gFind.string1, "needle");
    gFind.typedLength = 6;
    Results_SetEntryLimitForTests(4);
    Harness_Answer("List Full", kListFull, IDYES);

    FileSearch_OpenResults();
    Harness_PumpMessages(300);
    const std::vector<HWND> windows = ResultsWindows();
    std::vector<std::string> listed;
    std::vector<size_t> sizes;
    for (HWND window : windows) {
        const std::vector<std::string> rows = Rows(window);
        sizes.push_back(rows.size());
        listed.insert(listed.end(), rows.begin(), rows.end());
    }
    std::sort(listed.begin(), listed.end());
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(expected, listed);
    EXPECT_EQ((std::vector<size_t>{2, 4}), sizes);
    EXPECT_EQ(kPhaseIdle, gSearchWalk.phase); // the walk ended with the last file
    gSearchCriteria = savedCriteria;
    gFind = savedFind;
}

// The titles a results window is given while a search fills it.
std::vector<std::string> gTitles;

LRESULT CALLBACK RecordTitles(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char className[32] = "";
    if (code == HC_ACTION && sent->message == WM_SETTEXT && sent->lParam &&
        GetClassNameA(sent->hwnd, className, sizeof className) &&
        lstrcmpA(className, kSrchClassName) == 0)
        gTitles.push_back(reinterpret_cast<const char*>(sent->lParam));
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// A long search is seen to move on: the title names the directory being searched, and is the
// mask again once the search is over.
TEST_F(ResultsTest, TheTitleShowsTheDirectoryBeingSearched) {
    const SearchCriteria savedCriteria = gSearchCriteria;
    File("top.txt");
    CreateDirectoryA((dir_ + "one").c_str(), NULL);
    CreateDirectoryA((dir_ + "one\\two").c_str(), NULL);
    File("one\\two\\deep.txt");
    gSearchCriteria = SearchCriteria();
    snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s*.txt", dir_.c_str());
    gSearchCriteria.onlyLimb = true;
    gTitles.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordTitles, NULL, GetCurrentThreadId());
    FileSearch_OpenResults();
    Harness_PumpMessages(300);
    UnhookWindowsHookEx(hook);
    const std::vector<HWND> windows = ResultsWindows();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(2u, Rows(windows[0]).size());
    const auto shown = [](const std::string& title) {
        return std::find(gTitles.begin(), gTitles.end(), title) != gTitles.end();
    };
    EXPECT_TRUE(shown(dir_ + "*.txt"));
    EXPECT_TRUE(shown(dir_ + "one\\"));
    EXPECT_TRUE(shown(dir_ + "one\\two\\"));
    ASSERT_FALSE(gTitles.empty());
    EXPECT_EQ(gSearchCriteria.mask, gTitles.back());
    EXPECT_EQ(gSearchCriteria.mask, Title(windows[0]));
    gSearchCriteria = savedCriteria;
}

// The contents test reads every file through the one engine; the view that held it has its own
// file back when it is active again, and a view opened from the list does not take the last
// searched file's state for it.
TEST_F(ResultsTest, AContentsSearchLeavesTheViewItsOwnFile) {
    const SearchCriteria savedCriteria = gSearchCriteria;
    const FindSettings savedFind = gFind;
    const std::string viewed = File("viewed.log", "the file on view\r\n");
    HWND view = View_OpenFile(viewed.c_str());
    ASSERT_TRUE(view != NULL);
    const std::string match = File("a.txt", "one needle\r\n");
    File("b.txt", "nothing here\r\n");
    gSearchCriteria = SearchCriteria();
    snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s*.txt", dir_.c_str());
    gSearchCriteria.onlyStartDir = true;
    gSearchCriteria.containingString = true;
    gFind = FindSettings();
    snprintf(gFind.string1, sizeof gFind.string1, "needle");
    gFind.typedLength = 6;

    FileSearch_OpenResults();
    Harness_PumpMessages(300);
    ASSERT_EQ(1u, ResultsWindows().size());
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view), 0);
    Harness_PumpMessages(50);
    EXPECT_EQ(0, lstrcmpiA(viewed.c_str(), gEngine.file.path)) << gEngine.file.path;
    HWND opened = View_OpenFile(match.c_str());
    ASSERT_TRUE(opened != NULL);
    SendMessageA(gMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view), 0);
    Harness_PumpMessages(50);
    EXPECT_EQ(0, lstrcmpiA(viewed.c_str(), gEngine.file.path)) << gEngine.file.path;
    gSearchCriteria = savedCriteria;
    gFind = savedFind;
}
