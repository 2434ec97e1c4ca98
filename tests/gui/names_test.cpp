// Names the ANSI code page cannot hold, in a real scratch folder: such a file is listed, opened,
// deleted and searched by its short name; where the file system keeps no short name its entry
// shows "?" for what the code page lacks, and no operation takes it, so that the name never
// reaches other files as a mask would.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "find/findpat.h"
#include "gui/harness.h"
#include "lister/dirstate_win.h"
#include "lister/dirtree.h"
#include "lister/dirwnd_win.h"
#include "resources/resource.h"
#include "search/resultswnd_win.h"
#include "search/searchcmd_win.h"
#include "search/searchwalk.h"
#include "search/selqueue.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/engine.h"

namespace {

using Names = std::vector<std::string>;

const wchar_t kHan[] = L"\u6587\u4ef6.txt"; // no ANSI code page of the West holds it
const wchar_t kCafe[] = L"caf\u00e9.txt"; // the code page holds it
const wchar_t kHanDir[] = L"\u76ee\u5f55"; // a directory, holding inner.txt
const wchar_t* const kBystanders[] = {kCafe, L"plain.txt", L"ab.txt"}; // "??.txt" names ab.txt

class WideNamesTest : public OrvFrameTest {
  protected:
    void SetUp() override {
        OrvFrameTest::SetUp();
        Harness_PumpMessages(50);
        gSettings.maximiseNew = gSettings.tileNew = 0;
        gSettings.closePrevious = gSettings.minimisePrevious = 0;
        gSettings.confirmDelete = 0;
        gSettings.confirmLaunch = 0;
        lstrcpyA(gDirMaskList, "*.*");
        dir_ = Harness_ScratchFolder("orv-wide-names");
        Create(kHan, "han needle\r\n");
        CreateDirectoryW((Wide(dir_) + kHanDir).c_str(), NULL);
        Create((std::wstring(kHanDir) + L"\\inner.txt").c_str(), "inner needle\r\n");
        for (const wchar_t* name : kBystanders)
            Create(name, "no match\r\n");
    }
    void TearDown() override {
        Plat_LeaveOutShortNamesForTests(0);
        SelQueue_Drop();
        gNextPending = false;
        OrvFrameTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(Wide(dir_), ignored);
    }
    static std::wstring Wide(const std::string& ansi) {
        std::wstring wide(ansi.size() + 1, L'\0');
        wide.resize((size_t)MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0],
                                                (int)wide.size()) - 1);
        return wide;
    }
    static std::string Ansi(const std::wstring& wide) {
        char text[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, NULL, NULL);
        return text;
    }
    void Create(const wchar_t* name, const std::string& text) {
        HANDLE file = CreateFileW((Wide(dir_) + name).c_str(), GENERIC_WRITE, 0, NULL,
                                  CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
        CloseHandle(file);
    }
    bool Exists(const wchar_t* name) const {
        return GetFileAttributesW((Wide(dir_) + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The system's own short name of a file, as a listing shows names: in lower case.
    std::string ShortName(const wchar_t* name) const {
        wchar_t shortPath[MAX_PATH] = L"";
        GetShortPathNameW((Wide(dir_) + name).c_str(), shortPath, MAX_PATH);
        std::string text = Ansi(shortPath);
        text = text.substr(text.find_last_of('\\') + 1);
        CharLowerBuffA(&text[0], (DWORD)text.size());
        return text;
    }
    HWND Open() {
        HWND dir = DirWindow_Open((dir_ + "*.*").c_str());
        EXPECT_TRUE(dir != NULL);
        Harness_PumpMessages(30);
        return dir;
    }
    static Names Listed(HWND dir) {
        Names names;
        HWND list = GetDlgItem(dir, kDirFilesId);
        for (int i = 0, n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; i++) {
            const char* name = DirWindow_ListedName(list, i);
            names.push_back(name ? name : "(no name)");
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    Names ListedBystanders() const {
        Names names;
        for (const wchar_t* name : kBystanders)
            names.push_back(Ansi(name));
        std::sort(names.begin(), names.end());
        return names;
    }
    // Selects the one row of a name as a click does, and gives the list the focus.
    static void Select(HWND dir, const std::string& name) {
        HWND list = GetDlgItem(dir, kDirFilesId);
        const int row = DirWindow_FindListed(list, name.c_str());
        ASSERT_GE(row, 0) << name;
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        SendMessageA(list, LB_SETSEL, TRUE, row);
        SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirFilesId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        SetFocus(list);
    }
    static void PressEnter(HWND dir) {
        SendMessageA(GetDlgItem(dir, kDirFilesId), WM_KEYDOWN, VK_RETURN, 0);
        Harness_PumpMessages(50);
    }
    static int Children() {
        int n = 0;
        for (HWND c = GetWindow(gMdiClient, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            n += !GetWindow(c, GW_OWNER);
        return n;
    }
    static std::string Title(HWND window) {
        char text[MAX_PATH] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    // The rows of the tree below the folder.
    Names TreeRows(HWND dir) const {
        Names rows;
        HWND tree = GetDlgItem(dir, kDirTreeId);
        const DirTree* t = Dir_TreeOf(dir);
        for (int i = 0, n = (int)SendMessageA(tree, LB_GETCOUNT, 0, 0); i < n; i++) {
            const int32_t node = (int32_t)SendMessageA(tree, LB_GETITEMDATA, i, 0);
            const std::string path = t->nodes[node].path;
            if (path.size() > dir_.size() && lstrcmpiA(path.substr(0, dir_.size()).c_str(),
                                                       dir_.c_str()) == 0)
                rows.push_back(TreeNode_Text(t, node));
        }
        return rows;
    }
    // A search of the folder's .txt files, and those below it, for "needle": the entries of
    // its results window.
    Names SearchForNeedle() {
        const SearchCriteria savedCriteria = gSearchCriteria;
        const FindSettings savedFind = gFind;
        gSearchCriteria = SearchCriteria();
        snprintf(gSearchCriteria.mask, sizeof gSearchCriteria.mask, "%s*.txt", dir_.c_str());
        gSearchCriteria.onlyLimb = true;
        gSearchCriteria.containingString = true;
        gFind = FindSettings();
        snprintf(gFind.string1, sizeof gFind.string1, "needle");
        gFind.typedLength = 6;
        FileSearch_OpenResults();
        Harness_PumpMessages(300);
        gSearchCriteria = savedCriteria;
        gFind = savedFind;
        Names rows;
        for (HWND c = GetWindow(gMdiClient, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!Orv_IsProgramWindow(c, kKindResults))
                continue;
            HWND list = Results_List(c);
            for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; i++) {
                char text[MAX_PATH * 2] = "";
                SendMessageA(list, LB_GETTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(text));
                rows.push_back(text);
            }
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    static std::string Upper(std::string text) {
        CharUpperBuffA(&text[0], (DWORD)text.size());
        return text;
    }
    std::string dir_;
};

TEST_F(WideNamesTest, AFileIsListedOpenedAndDeletedByItsShortName) {
    const std::string shortName = ShortName(kHan);
    ASSERT_EQ(std::string::npos, shortName.find_first_of("?*")) << shortName;
    HWND dir = Open();
    Names expected = ListedBystanders();
    expected.push_back(shortName);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Listed(dir));
    EXPECT_EQ(Names{ShortName(kHanDir)}, TreeRows(dir));

    Select(dir, shortName);
    PressEnter(dir);
    HWND view = Frame_ActiveChild();
    ASSERT_EQ(kKindView, Orv_ClassifyWindow(view).kind) << Title(view);
    EXPECT_EQ(0, lstrcmpiA((dir_ + shortName).c_str(), Title(view).c_str())) << Title(view);
    EXPECT_EQ(0, strncmp(gEngine.displayText + gEngine.rowOffset[0], "han needle", 10));

    Select(dir, shortName);
    SendMessageA(gFrame, WM_COMMAND, IDM_DELETE, 0);
    Harness_PumpMessages(50);
    EXPECT_FALSE(Exists(kHan));
    for (const wchar_t* name : kBystanders)
        EXPECT_TRUE(Exists(name)) << Ansi(name);
    EXPECT_EQ(ListedBystanders(), Listed(dir));
}

TEST_F(WideNamesTest, AContentsSearchFindsFilesByTheirShortNamesAndWalksIntoADirectory) {
    Names expected = {Upper(dir_ + ShortName(kHan)),
                      Upper(dir_ + ShortName(kHanDir) + "\\inner.txt")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, SearchForNeedle());
}

// A file system that keeps no short names: the entries show their "?"; opening, deleting,
// launching or editing the file, or listing the directory, is refused, and a search passes
// over both. No other file is touched, no window opens.
TEST_F(WideNamesTest, WithoutAShortNameEveryOperationOnTheEntryIsRefused) {
    Plat_LeaveOutShortNamesForTests(1);
    HWND dir = Open();
    Names expected = ListedBystanders();
    expected.push_back("??.txt");
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(expected, Listed(dir));
    EXPECT_EQ(Names{"??"}, TreeRows(dir)); // shown, but never read below
    auto refused = [](const std::string& path) {
        return path + "\ncannot be used: this system's code page\nlacks some characters of "
                      "its name.";
    };
    const std::string listing = DirWindow_Directory(dir);
    const int children = Children();
    for (UINT command : {0u, (UINT)IDM_DELETE, (UINT)IDM_LAUNCH, (UINT)IDM_EDIT}) {
        SCOPED_TRACE(command);
        Harness_Answer(nullptr, refused(listing + "??.txt").c_str(), IDOK);
        Select(dir, "??.txt");
        if (command)
            SendMessageA(gFrame, WM_COMMAND, command, 0);
        else
            PressEnter(dir);
        Harness_PumpMessages(50);
        EXPECT_EQ(0, Harness_AnswersLeft());
        EXPECT_EQ(children, Children());
        EXPECT_EQ(expected, Listed(dir)); // not listed as a mask either
    }
    EXPECT_TRUE(Exists(kHan));
    for (const wchar_t* name : kBystanders)
        EXPECT_TRUE(Exists(name)) << Ansi(name);

    // The directory's row: listing it would list a mask.
    HWND tree = GetDlgItem(dir, kDirTreeId);
    const DirTree* t = Dir_TreeOf(dir);
    int clicked = 0;
    for (int i = 0, n = (int)SendMessageA(tree, LB_GETCOUNT, 0, 0); i < n; i++) {
        const int32_t node = (int32_t)SendMessageA(tree, LB_GETITEMDATA, i, 0);
        if (strcmp(TreeNode_Text(t, node), "??") != 0)
            continue;
        clicked++;
        Harness_Answer(nullptr, refused(t->nodes[node].path).c_str(), IDOK);
        SendMessageA(tree, LB_SETCURSEL, i, 0);
        SendMessageA(dir, WM_COMMAND, MAKEWPARAM(kDirTreeId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(tree));
        Harness_PumpMessages(50);
    }
    EXPECT_EQ(1, clicked);
    EXPECT_EQ(0, Harness_AnswersLeft());
    EXPECT_EQ(listing, DirWindow_Directory(dir));
    EXPECT_EQ(expected, Listed(dir));

    EXPECT_EQ(Names{}, SearchForNeedle()); // passed over, as out of reach
}

} // namespace
