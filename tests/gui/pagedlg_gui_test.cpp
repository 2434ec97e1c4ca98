// Page Setup as the user works it: the code boxes show what the templates hold, checking one
// puts its code in at the caret and clearing it takes every occurrence out; OK keeps the texts
// and marks the options changed, Cancel keeps nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui/harness.h"
#include "resources/resource.h"
#include "shell/settings.h"

namespace {

const char kCaption[] = "Page Setup";

class PageSetupTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_SetBoxWatcher(WatchDialogs);
        strcpy(gSettings.header, "&cTitle");
        strcpy(gSettings.footer, "Page   &p");
        strcpy(gSettings.leftMargin, "0");
        gSettings.optionsChanged = 0;
    }
    void TearDown() override {
        ClearLater();
        Harness_SetBoxWatcher(nullptr);
        gOnDialog.clear();
        OrvFrameTest::TearDown();
    }
};

std::string Text(HWND dialog, int id) {
    char text[256];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The checked boxes of a template as its codes, "lcrpfdt" order.
std::string Checked(HWND dialog, int firstBox) {
    std::string codes;
    for (int k = 0; k < 7; k++)
        if (Harness_ItemChecked(dialog, firstBox + k))
            codes += "lcrpfdt"[k];
    return codes;
}

struct Step {
    int box;
    std::string header, footer;
};
std::vector<std::string> gSeen;

TEST_F(PageSetupTest, CodeBoxesEditTheTemplatesAndOkKeepsThem) {
    gOnDialog[kCaption] = [](HWND dialog) {
        gSeen.clear();
        gSeen.push_back(Checked(dialog, IDC_PAGE_HEADER_LEFT) + "/" +
                        Checked(dialog, IDC_PAGE_FOOTER_LEFT));
        SendDlgItemMessageA(dialog, IDC_PAGE_HEADER, EM_SETSEL, 7, 7);
        const Step steps[] = {
            {IDC_PAGE_HEADER_DATE, "&cTitle&d", "Page   &p"},
            {IDC_PAGE_HEADER_PAGE, "&cTitle&dPage   &p", "Page   &p"},
            {IDC_PAGE_HEADER_PAGE, "&cTitle&d", "Page   &p"},
            {IDC_PAGE_HEADER_CENTER, "Title&d", "Page   &p"},
            {IDC_PAGE_FOOTER_PAGE, "Title&d", ""},
            {IDC_PAGE_FOOTER_NAME, "Title&d", "&f"},
        };
        for (const Step& step : steps) {
            Harness_ClickItem(dialog, step.box);
            gSeen.push_back(Text(dialog, IDC_PAGE_HEADER) + "|" + Text(dialog, IDC_PAGE_FOOTER));
            EXPECT_EQ(gSeen.back(), step.header + "|" + step.footer) << step.box;
        }
        SetDlgItemTextA(dialog, IDC_PAGE_LEFT, "1.5");
        SetDlgItemTextA(dialog, IDC_PAGE_BOTTOM, "0.25");
    };
    Harness_Answer(kCaption, nullptr, IDOK);
    SendMessageA(gFrame, WM_COMMAND, IDM_PAGE_SETUP, 0);
    ASSERT_FALSE(gSeen.empty());
    EXPECT_EQ(gSeen[0], "c/p");
    EXPECT_STREQ(gSettings.header, "Title&d");
    EXPECT_STREQ(gSettings.footer, "&f");
    EXPECT_STREQ(gSettings.leftMargin, "1.5");
    EXPECT_STREQ(gSettings.bottomMargin, "0.25");
    EXPECT_EQ(gSettings.optionsChanged, 1);
}

TEST_F(PageSetupTest, CancelKeepsEverything) {
    static bool saved;
    saved = false;
    gOnDialog[kCaption] = [](HWND dialog) {
        Later([dialog] {
            // Everything painted before the picture is taken.
            RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            Harness_PumpMessages(300);
            saved = Harness_SaveWindowBitmap(dialog, Harness_OutputPath("page-setup.bmp").c_str());
            SetDlgItemTextA(dialog, IDC_PAGE_TOP, "2");
            Harness_PressItem(dialog, IDCANCEL);
        });
    };
    Harness_Answer(kCaption, nullptr, IDC_PAGE_HEADER_TIME);
    SendMessageA(gFrame, WM_COMMAND, IDM_PAGE_SETUP, 0);
    EXPECT_TRUE(saved);
    EXPECT_STREQ(gSettings.header, "&cTitle");
    EXPECT_STREQ(gSettings.topMargin, "0");
    EXPECT_EQ(gSettings.optionsChanged, 0);
}

} // namespace
