// The menu follows the active window: each kind's row of enabled and greyed items, the
// additions after it, and the refinements made as a menu opens.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "find/findpat.h"
#include "gui/harness.h"
#include "shell/classes_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "resources/resource.h"
#include "viewer/viewwnd_win.h"

namespace {

const UINT kItems[] = {143, 144, 102, 96,  140, 141, 99,  330, 331, 220, 332, 221, 223, 222,
                       104, 107, 105, 108, 115, 200, 203, 205, 201, 202, 109, 111, 1001};

// The rows as a reader of the menu sees them; "." greyed, "E" enabled.
struct RowCase {
    const char* className; // null: no child
    const char* row;
};
const RowCase kRows[] = {
    {kViewClassName, "..EE.EE.....EEEEEEEE.EEE..E"},
    {kEditClassName, "EEEE.EE....E......EE.EEE..."},
    {kSrchClassName, "..EE.EE....E......E...EE..."},
    {kDirClassName, "..EE.EE....E......E...EE..."},
    {nullptr, "..........................."},
};

std::string RowShown() {
    std::string row;
    for (UINT item : kItems) {
        UINT state = GetMenuState(GetMenu(gFrame), item, MF_BYCOMMAND);
        row += state == (UINT)-1 ? '?' : (state & (MF_GRAYED | MF_DISABLED)) ? '.' : 'E';
    }
    return row;
}

bool Checked(UINT item) {
    return (GetMenuState(GetMenu(gFrame), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool Enabled(UINT item) {
    return !(GetMenuState(GetMenu(gFrame), item, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

TEST_F(OrvFrameTest, EachKindOfActiveWindowSetsItsRow) {
    EXPECT_EQ(kRows[4].row, RowShown()); // no child yet
    for (const RowCase& c : kRows) {
        if (!c.className)
            continue;
        SCOPED_TRACE(c.className);
        HWND child = Harness_NewChild(c.className);
        ASSERT_TRUE(child != NULL);
        EXPECT_EQ(c.row, RowShown());
        EXPECT_EQ(Menu_ActiveKind(), Orv_ClassifyWindow(child).kind);
    }
    // Find Next follows the find settings; Next the selection queue.
    FindSettings saved = gFind;
    gFind.typedLength = 3;
    gNextPending = true;
    Harness_NewChild(kViewClassName);
    EXPECT_TRUE(Enabled(203));
    EXPECT_TRUE(Enabled(140));
    Harness_NewChild(kDirClassName);
    EXPECT_TRUE(Enabled(223)); // with a queue, Edit and Launch take its files
    EXPECT_TRUE(Enabled(222));
    gNextPending = false;
    gFind = saved;
}

TEST_F(OrvFrameTest, OpeningAMenuRefinesItForTheFocusedControl) {
    HWND editor = Harness_NewChild(kEditClassName);
    HWND edit = CreateWindowExA(0, "EDIT", "some text", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20,
                                editor, NULL, GetModuleHandleA(NULL), NULL);
    SetFocus(edit);
    OpenClipboard(gFrame);
    EmptyClipboard();
    CloseClipboard();
    SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
    EXPECT_FALSE(Enabled(332)); // nothing to paste
    EXPECT_FALSE(Enabled(220)); // nothing selected
    EXPECT_EQ(gSettings.confirmDelete ? "&Delete File...\tCtrl+D" : "&Delete File\tCtrl+D",
              Harness_MenuText(141));
    SendMessageA(edit, EM_SETSEL, 0, 4);
    SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
    EXPECT_TRUE(Enabled(220));
    EXPECT_TRUE(Enabled(331));

    // A results list with nothing selected: nothing to copy, save or delete.
    HWND results = Harness_NewChild(kSrchClassName);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL, 0, 0,
                                200, 100, results, NULL, GetModuleHandleA(NULL), NULL);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("c:\\a.txt"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("c:\\b.txt"));
    SetFocus(list);
    SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
    EXPECT_FALSE(Enabled(220));
    EXPECT_FALSE(Enabled(141));
    SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1));
    SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
    EXPECT_TRUE(Enabled(220));
    EXPECT_EQ(gSettings.confirmDelete ? "&Delete Files...\tCtrl+D" : "&Delete Files\tCtrl+D",
              Harness_MenuText(141));

    // A directory window with its tree focused offers to delete the directory.
    HWND dir = Harness_NewChild(kDirClassName);
    SetFocus(dir);
    SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
    EXPECT_EQ(gSettings.confirmDelete ? "&Delete Dir...\tCtrl+D" : "&Delete Dir\tCtrl+D",
              Harness_MenuText(141));

    // A view: the display it shows is checked, and what needs a selection waits for one.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "orv-menu-view.txt";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD wrote = 0;
    WriteFile(file, "text\r\n", 6, &wrote, NULL);
    CloseHandle(file);
    HWND view = View_OpenFile(path.c_str());
    ASSERT_TRUE(view != NULL);
    SetFocus(view);
    for (WORD display : {IDM_TEXT, IDM_HEX}) {
        SendMessageA(gFrame, WM_COMMAND, display, 0);
        SendMessageA(gFrame, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(gFrame)), 0);
        EXPECT_EQ(display == IDM_TEXT, Checked(IDM_TEXT));
        EXPECT_EQ(display == IDM_HEX, Checked(IDM_HEX));
        EXPECT_FALSE(Checked(IDM_STRIP));
        EXPECT_FALSE(Enabled(IDM_DESELECT));
        EXPECT_EQ(gSettings.confirmDelete ? "&Delete File...\tCtrl+D" : "&Delete File\tCtrl+D",
                  Harness_MenuText(141));
    }
    View_Close(view, false);
    DeleteFileA(path.c_str());
}

TEST(DeleteText, FormsOfTheDeleteItem) {
    char text[40];
    Menu_DeleteText(kDeletePlain, false, text, sizeof text);
    EXPECT_STREQ("&Delete\tCtrl+D", text);
    Menu_DeleteText(kDeleteFiles, true, text, sizeof text);
    EXPECT_STREQ("&Delete Files...\tCtrl+D", text);
}

} // namespace
