// A File Search in match-box mode, run from the frame as a user answers its boxes: "&Next" with
// the search paused, files erased or deleted along the way, and a match of line-end bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "find/findpat.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "search/searchwalk.h"
#include "search/selqueue_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kGrepCaption[] = "Search Criteria";
const char kGrepLabel[] = "Search for &File";
const char kMatchCaption[] = "Match";
const char kMatchLabel[] = "File:";
const char kNoMore[] = "No more matching files.";
const char kDeleteSelected[] = "Delete selected files?\n('YES' will immediately delete the files!)";

std::string gMask;

class MatchSearchTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        Harness_CascadeNewWindows();
        dir_ = Harness_ScratchFolder("orv-matchsearch");
        savedCriteria_ = gSearchCriteria;
        savedFind_ = gFind;
        gSearchCriteria = SearchCriteria();
        gFind = FindSettings();
        Harness_LeaveBoxAlone("File Search"); // the progress box ends itself
        Harness_SetBoxWatcher(WatchDialogs);
    }
    void TearDown() override {
        Harness_SetBoxWatcher(nullptr);
        gOnDialog.clear();
        ClearLater();
        Search_Reset(&gSearchWalk, SearchHooks());
        SelQueue_DropAndGrey();
        gSearchCriteria = savedCriteria_;
        gFind = savedFind_;
        Harness_RemoveFolder(dir_);
        OrvFrameTest::TearDown();
    }
    std::string File(const char* name, const std::string& text = "text\r\n") {
        return Harness_WriteFile(dir_ + name, text);
    }
    // "Searc&h..." for the folder's *.txt with "Create List &Window" unchecked: each match is
    // offered in the Match box. Each box after "Search Criteria" is answered as scripted.
    void Search(std::initializer_list<std::pair<const char*, int>> answers) {
        gMask = dir_ + "*.txt";
        gSearchCriteria.onlyStartDir = true;
        gOnDialog[kGrepCaption] = [](HWND grep) {
            SetDlgItemTextA(grep, IDC_GREP_MASK, gMask.c_str());
            Harness_ClickItem(grep, IDC_GREP_LIST_WINDOW);
        };
        Harness_Answer(kGrepCaption, kGrepLabel, IDOK);
        for (const auto& a : answers)
            Answer(a.first, a.second);
        SendMessageA(gFrame, WM_COMMAND, IDM_SEARCH, 0);
        Harness_PumpMessages(100);
    }
    // The boxes of a search by their captions: the Match box, "Delete", "Search Results".
    static void Answer(const char* caption, int button) {
        const std::string c = caption;
        Harness_Answer(caption,
                       c == kMatchCaption ? kMatchLabel : c == "Search Results" ? kNoMore : nullptr,
                       button);
    }
    static bool NextEnabled() {
        return !(GetMenuState(GetMenu(gFrame), IDM_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    }
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::string dir_;
    SearchCriteria savedCriteria_;
    FindSettings savedFind_;
};

HWND gViewed = NULL;
bool gViewedOpenAtMatch = false;

// With "close the previous file" set, "&Next" closes the viewed match before the search goes on
// to offer the next one.
TEST_F(MatchSearchTest, NextClosesThePreviousFileBeforeTheNextMatch) {
    File("a.txt");
    File("b.txt");
    Search({{kMatchCaption, IDC_MATCH_VIEW}});
    gViewed = Frame_ActiveChild();
    ASSERT_EQ(kKindView, Orv_ClassifyWindow(gViewed).kind);
    EXPECT_TRUE(NextEnabled());

    gSettings.closePrevious = 1;
    gViewedOpenAtMatch = true;
    gOnDialog[kMatchCaption] = [](HWND) { gViewedOpenAtMatch = IsWindow(gViewed) != 0; };
    Answer(kMatchCaption, IDCANCEL);
    Answer("Search Results", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    Harness_PumpMessages(100);
    EXPECT_FALSE(gViewedOpenAtMatch);
    EXPECT_FALSE(NextEnabled());
}

// Deleting files from a list while a search waits on a viewed match leaves "&Next" to carry the
// search on.
TEST_F(MatchSearchTest, DeletingFromAListKeepsNextForThePausedSearch) {
    File("a.txt");
    File("b.txt");
    const std::string other = File("other.log");
    Search({{kMatchCaption, IDC_MATCH_VIEW}});
    ASSERT_TRUE(NextEnabled());

    HWND results = Results_Create("*.LOG");
    HWND list = Results_List(results);
    Results_AddEntry(results, other.c_str());
    SetFocus(list);
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    SendMessageA(results, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Harness_Answer("Delete", kDeleteSelected, IDYES);
    SendMessageA(gFrame, WM_COMMAND, IDM_DELETE, 0);
    EXPECT_FALSE(Exists(other));
    EXPECT_EQ(0, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_TRUE(NextEnabled());

    // And Next does carry it on, to the other file.
    Answer(kMatchCaption, IDCANCEL);
    Answer("Search Results", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
    Harness_PumpMessages(100);
    EXPECT_FALSE(NextEnabled());
}

// Closing the viewed match, the frame's last window, leaves "&Next" to the paused search; with
// "AutoOpen" on, the frame carries the search on to its next match, not to a directory window.
bool gOffered = false;

TEST_F(MatchSearchTest, ClosingTheLastWindowKeepsNextForThePausedSearch) {
    File("a.txt");
    File("b.txt");
    for (const int autoOpen : {0, 1}) {
        SCOPED_TRACE(autoOpen);
        gSettings.autoOpen = 0;
        Search({{kMatchCaption, IDC_MATCH_VIEW}});
        ASSERT_EQ(kKindView, Orv_ClassifyWindow(Frame_ActiveChild()).kind);
        gSettings.autoOpen = autoOpen;
        gOffered = false;
        gOnDialog[kMatchCaption] = [](HWND) { gOffered = true; };
        Answer(kMatchCaption, IDCANCEL);
        Answer("Search Results", IDOK);
        SendMessageA(gFrame, WM_COMMAND, IDM_CLOSE, 0);
        Harness_PumpMessages(200);
        EXPECT_TRUE(Frame_ActiveChild() == NULL);
        if (!autoOpen) { // "&Next", still offered, carries the search on
            EXPECT_TRUE(NextEnabled());
            EXPECT_FALSE(gOffered);
            SendMessageA(gFrame, WM_COMMAND, IDM_NEXT, 0);
            Harness_PumpMessages(200);
        }
        EXPECT_TRUE(gOffered); // b.txt, which was not viewed yet
        EXPECT_FALSE(NextEnabled());
        EXPECT_TRUE(Frame_ActiveChild() == NULL);
        EXPECT_EQ(kPhaseIdle, gSearchWalk.phase);
        gOnDialog.erase(kMatchCaption);
    }
}

// A file erased from the Match box leaves the frame without a window, but "AutoOpen" opens
// nothing while the search is at work: the search goes on to its next match alone.
TEST_F(MatchSearchTest, AnEraseFromTheMatchBoxOpensNothingElse) {
    const std::string a = File("a.txt"), b = File("b.txt");
    gSettings.autoOpen = 1;
    gSettings.confirmDelete = 1;
    Search({{kMatchCaption, IDC_MATCH_ERASE},
            {"Delete", IDYES},
            {kMatchCaption, IDCANCEL},
            {"Search Results", IDOK}});
    Harness_PumpMessages(300);
    EXPECT_EQ(1, Exists(a) + Exists(b));
    EXPECT_TRUE(Frame_ActiveChild() == NULL);
    EXPECT_EQ(kPhaseIdle, gSearchWalk.phase);
}

// A hex search for CR LF: the match opens in hex, where those bytes can be shown and found,
// without the warning that they are not searched for in text.
TEST_F(MatchSearchTest, AMatchOfLineEndBytesOpensInHex) {
    File("dos.txt", "one\r\ntwo\r\n");
    gFind.hexFind = 1;
    memcpy(gFind.string1, "\r\n", 2);
    gFind.byteCount1 = 2;
    gSearchCriteria.containingString = true;
    Search({{kMatchCaption, IDC_MATCH_VIEW}});
    HWND view = Frame_ActiveChild();
    ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind);
    ViewInfo info;
    ASSERT_EQ(1, View_GetInfo(view, &info));
    EXPECT_EQ(1, info.hexMode);
}

} // namespace
