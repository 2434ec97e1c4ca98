// The PostScript command on a view: a print file shows as the text it prints and again as it is,
// at the same place; a file of no driver the reader knows says so and keeps its text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui/harness.h"
#include "resources/resource.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

namespace {

// A letter as a dialect 3.0 driver prints it: two columns on one row, a gap, two pages.
const char* const kLetter[] = {
    "%!PS-Adobe-3.0",
    "%%Creator: text driver",
    "300 150 0 (Orchard Road 12) SB",
    "1800 150 0 (9 December) SB",
    "300 300 0 (Dear reader,) SB",
    "450 350 0 (the rows and columns of this page come from its records.) SB",
    "450 400 0 (Text \\(in brackets\\) keeps its brackets.) SB",
    "EJ",
    "300 150 0 (Page two) SB",
    "EJ",
};

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

using PsViewTest = OrvFrameTest;

TEST_F(PsViewTest, CommandShowsThePrintedTextAndThenTheFileAgain) {
    Harness_CascadeNewWindows();
    std::string ps;
    for (const char* line : kLetter)
        ps += std::string(line) + "\r\n";
    const std::string folder = Harness_ScratchFolder("psview");
    HWND view = View_OpenFile(Harness_WriteFile(folder + "letter.ps", ps).c_str());
    ASSERT_TRUE(view != NULL);
    ShowWindow(view, SW_MAXIMIZE);
    PostScriptCommand(view);
    ASSERT_NE(0, gEngine.settings.postScriptState & kPostScriptShown);

    // Columns of 1/300-inch positions and empty rows above a record that far down, in the
    // view's font on this screen.
    ViewInfo info;
    ASSERT_EQ(1, View_GetInfo(view, &info));
    HDC screen = GetDC(NULL);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    auto columns = [&](int x) { return x * dpiX / 300 / info.charWidth; };
    const int gap = (info.lineHeight / 2 + 150 * dpiY / 300) / info.lineHeight - 1;
    ASSERT_GT(gap, 0);
    const std::string indent((size_t)columns(300), ' ');
    // The second column 1500 units right of the first, and two blanks more.
    EXPECT_EQ(indent + "Orchard Road 12" + std::string((size_t)columns(1500) - 13, ' ') +
                  "9 December",
              Row(0));
    for (int r = 1; r <= gap; r++)
        EXPECT_EQ("", Row(r));
    EXPECT_EQ(indent + "Dear reader,", Row(gap + 1));
    EXPECT_NE(std::string::npos, Row(gap + 3).find("Text (in brackets) keeps its brackets."));
    EXPECT_EQ("\f" + indent + "Page two", Row(gap + 4)); // the page break, no gap above it
    EXPECT_EQ("\f", Row(gap + 5));
    EXPECT_EQ("<none>", Row(gap + 6));
    Harness_PumpMessages(50);
    CreateDirectoryA("build", NULL);
    CreateDirectoryA("build\\win32", NULL);
    EXPECT_EQ(1, Harness_SaveWindowBitmap(gFrame, "build\\win32\\postscript.bmp"));

    // Again: the file as it is, from its top; from further down, from the line the top row
    // came from.
    PostScriptCommand(view);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_EQ(std::string(kLetter[0]) + "|" + kLetter[1], Row(0) + "|" + Row(1));
    PostScriptCommand(view);
    gEngine.file.topLine = gap + 2; // the whole letter fits the window: no key moves it
    ASSERT_EQ(0, EnsureWindow(&gEngine, false));
    PostScriptCommand(view);
    EXPECT_EQ(kLetter[4], Row(0));
    // The X key shows the file itself in hex rows, never the rebuilt text.
    PostScriptCommand(view);
    SendMessageA(view, WM_KEYDOWN, 'X', MAKELPARAM(1, 0));
    EXPECT_EQ(1, gEngine.settings.hexMode);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_NE(std::string::npos, Row(0).find("25 21 50 53")) << Row(0); // "%!PS"

    // A plain text file: the message, and the view keeps its text.
    HWND plain = View_OpenFile(Harness_WriteFile(folder + "plain.txt", "just\r\ntext\r\n").c_str());
    ASSERT_TRUE(plain != NULL);
    Harness_Answer(nullptr, "Cannot interpret this file as Postscript", IDOK);
    PostScriptCommand(plain);
    ASSERT_EQ(1u, Harness_SeenBoxes().size());
    EXPECT_EQ(LoadIconA(NULL, IDI_WARNING), Harness_SeenBoxes()[0].icon);
    EXPECT_EQ(0, gEngine.settings.postScriptState);
    EXPECT_EQ("just|text", Row(0) + "|" + Row(1));
    Harness_RemoveFolder(folder);
}

} // namespace
