// "Search Criteria" and the boxes behind its buttons, driven as a user would from the File
// Search command: which boxes are greyed when, the size box's checks, and the disk list.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "find/findpat.h"
#include "gui/harness.h"
#include "resources/resource.h"
#include "search/searchdlg_win.h"
#include "search/searchwalk.h"
#include "shell/settings.h"

namespace {

const char kGrepCaption[] = "Search Criteria";
const char kGrepLabel[] = "Search for &File"; // what the harness reads as the dialog's text
const char kSizeCaption[] = "Search File Size";
const char kDisksCaption[] = "Disks to search";
const char kDisksLabel[] = "&Disk list";


class SrchDlgTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        FindSettings_Init(&gFind);
        saved_ = gSearchCriteria;
        gSearchCriteria = SearchCriteria();
        Harness_SetBoxWatcher(WatchDialogs);
    }
    void TearDown() override {
        gOnDialog.clear();
        ClearLater();
        gSearchCriteria = saved_;
        gSearchTexts = SearchQualifierTexts();
        OrvFrameTest::TearDown();
    }
    SearchCriteria saved_;
};

struct GrepSeen {
    bool containingEnabled, listWindowChecked, limitEnabled;
    bool smallerEqualAlone, smallerEqualAndLarger, sizeStillUp;
    bool limitChecked, limitEnabledAfter;
    LRESULT disksListed;
    bool limbAfterStart, startAfterLimb;
    std::string sizeShown;
};
GrepSeen gSeen;

TEST_F(SrchDlgTest, SizeBoxRefusesABadSizeAndSetsTheLimitBox) {
    gSeen = {};
    gOnDialog[kGrepCaption] = [](HWND grep) {
        gSeen.containingEnabled = Harness_ItemEnabled(grep, IDC_GREP_CONTAINING);
        gSeen.listWindowChecked = Harness_ItemChecked(grep, IDC_GREP_LIST_WINDOW);
        gSeen.limitEnabled = Harness_ItemEnabled(grep, IDC_GREP_LIMIT_SIZE);
    };
    gOnDialog[kSizeCaption] = [](HWND size) {
        Harness_ClickItem(size, IDC_SRCHSIZE_EQUAL);
        gSeen.smallerEqualAlone = Harness_ItemEnabled(size, IDC_SRCHSIZE_SMALLER);
        Harness_ClickItem(size, IDC_SRCHSIZE_LARGER);
        gSeen.smallerEqualAndLarger = Harness_ItemEnabled(size, IDC_SRCHSIZE_SMALLER);
        Harness_ClickItem(size, IDC_SRCHSIZE_LARGER);
        SetDlgItemTextA(size, IDC_SRCHSIZE_TEXT, "10 k");
    };
    // The warning keeps the size box up; a good size then ends it, and the criteria are left.
    gOnDialog["Error"] = [](HWND) {
        Later([] {
            HWND size = ShownDialog(kSizeCaption);
            gSeen.sizeStillUp = size != NULL;
            SetDlgItemTextA(size, IDC_SRCHSIZE_TEXT, "10k");
            Harness_PressItem(size, IDOK);
            Later([] {
                HWND grep = ShownDialog(kGrepCaption);
                gSeen.limitChecked = Harness_ItemChecked(grep, IDC_GREP_LIMIT_SIZE);
                gSeen.limitEnabledAfter = Harness_ItemEnabled(grep, IDC_GREP_LIMIT_SIZE);
                Harness_PressItem(grep, IDCANCEL);
            });
        });
    };
    Harness_Answer(kGrepCaption, kGrepLabel, IDC_GREP_SIZE);
    Harness_Answer(kSizeCaption, "", IDOK);
    Harness_Answer(nullptr, "Error in size. Press 'Help' for help.", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_SEARCH, 0);
    EXPECT_FALSE(gSeen.containingEnabled); // no find string yet
    EXPECT_TRUE(gSeen.listWindowChecked);
    EXPECT_FALSE(gSeen.limitEnabled); // no size set yet
    EXPECT_FALSE(gSeen.smallerEqualAlone);
    EXPECT_TRUE(gSeen.smallerEqualAndLarger);
    EXPECT_TRUE(gSeen.sizeStillUp);
    EXPECT_TRUE(gSeen.limitChecked);
    EXPECT_TRUE(gSeen.limitEnabledAfter);
    EXPECT_FALSE(gSearchCriteria.equalSize.isSet); // a cancelled search stores nothing
}

TEST_F(SrchDlgTest, NoSizeCheckedGreysTheLimitBoxAndTheOnlyBoxesExcludeEachOther) {
    gSeen = {};
    gSearchCriteria.limitSize = true;
    gSearchCriteria.equalSize = {true, 10240};
    lstrcpyA(gSearchTexts.size, "10k");
    gOnDialog[kGrepCaption] = [](HWND grep) {
        gSeen.limitEnabled = Harness_ItemEnabled(grep, IDC_GREP_LIMIT_SIZE);
        Harness_ClickItem(grep, IDC_GREP_ONLY_START);
        Harness_ClickItem(grep, IDC_GREP_ONLY_LIMB);
        gSeen.startAfterLimb = Harness_ItemChecked(grep, IDC_GREP_ONLY_START);
        Harness_ClickItem(grep, IDC_GREP_ONLY_START);
        gSeen.limbAfterStart = Harness_ItemChecked(grep, IDC_GREP_ONLY_LIMB);
    };
    gOnDialog[kSizeCaption] = [](HWND size) {
        char text[32] = "";
        GetDlgItemTextA(size, IDC_SRCHSIZE_TEXT, text, sizeof text);
        gSeen.sizeShown = text;
        Harness_ClickItem(size, IDC_SRCHSIZE_EQUAL); // now nothing is checked
        Later([] {
            HWND grep = ShownDialog(kGrepCaption);
            gSeen.limitChecked = Harness_ItemChecked(grep, IDC_GREP_LIMIT_SIZE);
            gSeen.limitEnabledAfter = Harness_ItemEnabled(grep, IDC_GREP_LIMIT_SIZE);
            Harness_PressItem(grep, IDCANCEL);
        });
    };
    Harness_Answer(kGrepCaption, kGrepLabel, IDC_GREP_SIZE);
    Harness_Answer(kSizeCaption, "", IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_SEARCH, 0);
    EXPECT_TRUE(gSeen.limitEnabled);
    EXPECT_FALSE(gSeen.startAfterLimb);
    EXPECT_FALSE(gSeen.limbAfterStart);
    EXPECT_EQ("10k", gSeen.sizeShown);
    EXPECT_FALSE(gSeen.limitChecked);
    EXPECT_FALSE(gSeen.limitEnabledAfter);
}

// The four mask buttons carry the masks as text (no picture style), and a picture of the box
// as the user sees it.
TEST_F(SrchDlgTest, TheMaskButtonsShowTheMasks) {
    static std::vector<std::string> labels;
    static std::vector<bool> textOnly;
    static bool saved;
    labels.clear();
    textOnly.clear();
    saved = false;
    gOnDialog[kGrepCaption] = [](HWND grep) {
        for (int id : {IDC_GREP_MASK1, IDC_GREP_MASK2, IDC_GREP_MASK3, IDC_GREP_MASK4}) {
            HWND button = GetDlgItem(grep, id);
            char text[64] = "";
            GetWindowTextA(button, text, sizeof text);
            labels.push_back(text);
            textOnly.push_back((GetWindowLongA(button, GWL_STYLE) & (BS_BITMAP | BS_ICON)) == 0);
        }
        Later([grep] {
            RedrawWindow(grep, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            Harness_PumpMessages(300);
            saved = Harness_SaveWindowBitmap(
                        grep, Harness_OutputPath("search-criteria.bmp").c_str()) == 1;
            Harness_PressItem(grep, IDCANCEL);
        });
    };
    // The second mask button puts its mask in the box, as a click on it does.
    Harness_Answer(kGrepCaption, kGrepLabel, IDC_GREP_MASK2);
    SendMessageA(gFrame, WM_COMMAND, IDM_SEARCH, 0);
    EXPECT_EQ((std::vector<std::string>{"*.*", "*.txt", "*.doc", "*read*"}), labels);
    EXPECT_EQ((std::vector<bool>{true, true, true, true}), textOnly);
    EXPECT_TRUE(saved);
}

TEST_F(SrchDlgTest, ADiskAddedTwiceIsListedOnce) {
    gSeen = {};
    gSettings.searchDisks[0] = kDriveListEnd;
    gSettings.optionsChanged = 0;
    gOnDialog[kDisksCaption] = [](HWND disks) {
        SendDlgItemMessageA(disks, IDC_SRCHOPTS_DISK_LIST, LB_SETCURSEL, 0, 0);
        Harness_ClickItem(disks, IDC_SRCHOPTS_ADD);
        Harness_ClickItem(disks, IDC_SRCHOPTS_ADD);
        gSeen.disksListed = SendDlgItemMessageA(disks, IDC_SRCHOPTS_SEARCH, LB_GETCOUNT, 0, 0);
        Later([] { Harness_PressItem(ShownDialog(kGrepCaption), IDCANCEL); });
    };
    Harness_Answer(kGrepCaption, kGrepLabel, IDC_GREP_DISKS);
    Harness_Answer(kDisksCaption, kDisksLabel, IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_SEARCH, 0);
    EXPECT_EQ(1, gSeen.disksListed);
    EXPECT_NE(kDriveListEnd, gSettings.searchDisks[0]);
    EXPECT_EQ(kDriveListEnd, gSettings.searchDisks[1]);
    EXPECT_EQ(1, gSettings.optionsChanged);
}

} // namespace
