// Copying to the clipboard: the same bytes as ANSI and as OEM text, and the clipboard closed
// again whatever happened, so other programs can still reach it.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui/harness.h"
#include "shell/frame_win.h"
#include "viewer/selcopy_win.h"

namespace {

// The clipboard's text in a format, with its length as stored up to the 0 byte; "<none>" when
// the format is not there.
std::string ClipboardText(UINT format) {
    std::string text = "<none>";
    if (!OpenClipboard(NULL))
        return "<not opened>";
    HANDLE block = GetClipboardData(format);
    if (block) {
        const char* bytes = (const char*)GlobalLock(block);
        text = bytes ? bytes : "<unlocked>";
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

void PutOtherText(const char* text) {
    ASSERT_TRUE(OpenClipboard(NULL));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(block), text, strlen(text) + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

using ClipboardTest = OrvFrameTest;

TEST_F(ClipboardTest, TheSameBytesAsTextAndAsOemText) {
    // Bytes above 127 differ between the ANSI and OEM code pages: no conversion may touch them.
    const std::string text = "line 10 tail\r\n\xe9t\xe9 \xb0\x80\r\nend";
    ASSERT_EQ(Clipboard_PutText(gFrame, text.data(), text.size() - 3), 1);
    EXPECT_TRUE(GetOpenClipboardWindow() == NULL);
    EXPECT_EQ(ClipboardText(CF_TEXT), text.substr(0, text.size() - 3));
    EXPECT_EQ(ClipboardText(CF_OEMTEXT), text.substr(0, text.size() - 3));
}

TEST_F(ClipboardTest, NoMemoryLeavesNothingAndTheClipboardClosed) {
    for (int succeedFirst : {0, 1}) { // the plain text's block, then the OEM text's
        SCOPED_TRACE(succeedFirst);
        PutOtherText("earlier text");
        Harness_Answer(nullptr, "Not Enough Memory", IDOK);
        Clipboard_FailAllocationsForTests(succeedFirst, 1);
        EXPECT_EQ(Clipboard_PutText(gFrame, "new", 3), 0);
        Clipboard_FailAllocationsForTests(0, 0);
        EXPECT_TRUE(GetOpenClipboardWindow() == NULL);
        EXPECT_EQ(ClipboardText(CF_TEXT), "<none>");
        EXPECT_EQ(ClipboardText(CF_OEMTEXT), "<none>");
        ASSERT_FALSE(Harness_SeenBoxes().empty());
        EXPECT_EQ(Harness_SeenBoxes().back().text, "Not Enough Memory");
        EXPECT_TRUE(Harness_SeenBoxes().back().icon != NULL);
    }
}

TEST_F(ClipboardTest, AClipboardHeldElsewhereIsLeftAlone) {
    PutOtherText("earlier text");
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(OpenClipboard(other));
    EXPECT_EQ(Clipboard_PutText(gFrame, "new", 3), 0);
    EXPECT_TRUE(GetOpenClipboardWindow() == other);
    CloseClipboard();
    DestroyWindow(other);
    EXPECT_EQ(ClipboardText(CF_TEXT), "earlier text");
}

} // namespace
