// The PostScript command on a view: a print file shows as the text it prints and again as it is,
// at the same place; a file of no driver the reader knows says so and keeps its text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui/harness.h"
#include "resources/resource.h"
#include "viewer/engine.h"
#include "viewer/viewwnd.h"

namespace {

const char kNotPostScript[] = "Cannot interpret this file as Postscript";

// A letter as a dialect 3.0 driver prints it: the header's two columns on one row, a gap, two
// pages.
const char* const kLetter[] = {
    "%!PS-Adobe-3.0",
    "%%Creator: text driver",
    "/SB { pop pop pop pop } def /EJ { showpage } def",
    "300 150 0 (Orchard Road 12) SB",
    "1800 150 0 (9 December) SB",
    "300 300 0 (Dear reader,) SB",
    "450 350 0 (the rows and columns of this page come from its records.) SB",
    "450 400 0 (Text \\(in brackets\\) keeps its brackets.) SB",
    "EJ",
    "300 150 0 (Page two) SB",
    "EJ",
};

class PsViewTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_CascadeNewWindows();
        Harness_PumpMessages(50);
    }
    std::string Row(int r) {
        for (int i = 0; i <= r; i++)
            if (gEngine.rowOffset[i] < 0)
                return "<none>";
        return gEngine.displayText + gEngine.rowOffset[r];
    }
    void PostScriptCommand(HWND view) {
        SetFocus(view);
        SendMessageA(gFrame, WM_COMMAND, IDM_POSTSCRIPT, 0);
        UpdateWindow(view);
        Harness_PumpMessages(30);
    }
    // Columns of a 1/300-inch position in the view's font, and the empty rows above a record
    // that far down the page.
    int Columns(HWND view, int x) { return x * Dpi(LOGPIXELSX) / 300 / Info(view).charWidth; }
    int EmptyRows(HWND view, int down) {
        const int height = Info(view).lineHeight;
        return (height / 2 + down * Dpi(LOGPIXELSY) / 300) / height - 1;
    }
    ViewInfo Info(HWND view) {
        ViewInfo info;
        EXPECT_EQ(1, View_GetInfo(view, &info));
        return info;
    }
    int Dpi(int which) {
        HDC screen = GetDC(NULL);
        const int dpi = GetDeviceCaps(screen, which);
        ReleaseDC(NULL, screen);
        return dpi;
    }
};

TEST_F(PsViewTest, CommandShowsThePrintedTextAndThenTheFileAgain) {
    std::string ps;
    for (const char* line : kLetter)
        ps += std::string(line) + "\r\n";
    const std::string folder = Harness_ScratchFolder("psview");
    HWND view = View_OpenFile(Harness_WriteFile(folder + "letter.ps", ps).c_str());
    ASSERT_TRUE(view != NULL);
    ShowWindow(view, SW_MAXIMIZE);
    EXPECT_EQ("%!PS-Adobe-3.0", Row(0));

    PostScriptCommand(view);
    ASSERT_NE(0, gEngine.settings.postScriptState & kPostScriptShown);
    const std::string indent((size_t)Columns(view, 300), ' ');
    const std::string header = Row(0);
    EXPECT_EQ(0u, header.find(indent + "Orchard Road 12 ")) << header;
    EXPECT_EQ(header.size(), indent.size() + Columns(view, 1500) + 2 + std::string("9 December").size())
        << header; // the second column 1500 units right of the first, and two blanks more
    const int gap = EmptyRows(view, 150); // above "Dear reader,"
    ASSERT_GT(gap, 0);
    for (int r = 1; r <= gap; r++)
        EXPECT_EQ("", Row(r));
    EXPECT_EQ(indent + "Dear reader,", Row(gap + 1));
    EXPECT_EQ(0, EmptyRows(view, 50));
    EXPECT_NE(std::string::npos, Row(gap + 3).find("Text (in brackets) keeps its brackets."));
    EXPECT_EQ("\f" + indent + "Page two", Row(gap + 4)); // the page break, no gap above it
    EXPECT_EQ("\f", Row(gap + 5));
    EXPECT_EQ("<none>", Row(gap + 6));
    EXPECT_EQ((int64_t)ps.size(), Info(view).fileSize);
    Harness_PumpMessages(50);
    CreateDirectoryA("build", NULL);
    CreateDirectoryA("build\\win32", NULL);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, "build\\win32\\postscript.bmp"));

    // Again: the file as it is, from its top; and from further down, the PostScript line the
    // top row came from.
    PostScriptCommand(view);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_EQ("%!PS-Adobe-3.0", Row(0));
    EXPECT_EQ(kLetter[1], Row(1));
    PostScriptCommand(view);
    gEngine.file.topLine = gap + 2; // the whole letter fits the window: no key moves it
    ASSERT_EQ(0, EnsureWindow(&gEngine, false));
    EXPECT_EQ(indent + "Dear reader,", Row(0));
    PostScriptCommand(view);
    EXPECT_EQ(kLetter[5], Row(0));

    // The X key shows the file itself in hex rows, never the rebuilt text.
    PostScriptCommand(view);
    SendMessageA(view, WM_KEYDOWN, 'X', MAKELPARAM(1, 0));
    EXPECT_EQ(1, gEngine.settings.hexMode);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_NE(std::string::npos, Row(0).find("25 21 50 53")) << Row(0); // "%!PS"

    // A plain text file: the message, and the view keeps its text.
    HWND plain = View_OpenFile(Harness_WriteFile(folder + "plain.txt", "just text\r\nmore\r\n").c_str());
    ASSERT_TRUE(plain != NULL);
    Harness_Answer(nullptr, kNotPostScript, IDOK);
    PostScriptCommand(plain);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_EQ(LoadIconA(NULL, IDI_WARNING), Harness_SeenBoxes()[0].icon);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_EQ("just text", Row(0));
    EXPECT_EQ("more", Row(1));
    Harness_RemoveFolder(folder);
}

} // namespace
