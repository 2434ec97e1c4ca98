// The resources the program names, as the running program loads them from its own module: the
// menu "ORVMENU" item by item, the keys of the accelerator table "ORVMENU", and every icon,
// bitmap and cursor with the size it is drawn for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "gui/harness.h"
#include "resources/resource.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleA(NULL);
}

// ---- The menu ----------------------------------------------------------------------------------

const char* const kTopMenus[] = {"&File", "&Edit", "&View", "&Go", "&Options", "&Window", "&Help"};
enum TopMenu { kFile, kEdit, kView, kGo, kOptions, kWindow, kHelp };

struct MenuItem {
    int id;
    const char* text;
    TopMenu menu;
    bool greyed; // greyed until a child window is active
};

// Every item the menu carries, with the numbers the program's commands go by. (The network drive
// items and "Tile &Horizontal" are inserted at start-up and are not in the resource.)
const MenuItem kMenuItems[] = {
    {80, "&New", kFile, false},
    {101, "&Open/Dir...\tCtrl+O", kFile, false},
    {143, "&Save\tCtrl+S", kFile, true},
    {144, "Save &As...", kFile, true},
    {102, "&Close", kFile, true},
    {96, "Close A&ll", kFile, true},
    {140, "&Next\tCtrl+N", kFile, true},
    {142, "Searc&h...", kFile, false},
    {141, "&Delete...\tCtrl+D", kFile, true},
    {97, "Page Se&tup...", kFile, false},
    {99, "&Print...\tCtrl+P", kFile, true},
    {98, "P&rinter Setup...", kFile, false},
    {103, "E&xit  ORV\tAlt+F4", kFile, false},
    {330, "&Undo\tAlt+Bksp", kEdit, true},
    {331, "Cu&t\tCtrl+X", kEdit, true},
    {220, "&Copy\tCtrl+C", kEdit, true},
    {332, "&Paste\tCtrl+V", kEdit, true},
    {221, "&Deselect", kEdit, true},
    {223, "&Edit\tCtrl+E", kEdit, true},
    {222, "&Launch...\tCtrl+L", kEdit, true},
    {104, "&Hex", kView, true},
    {107, "&Text\tCtrl+T", kView, true},
    {105, "&Strip", kView, true},
    {106, "Ta&bs...", kView, false},
    {108, "Spc&l Chars...", kView, true},
    {109, "Title &Lock", kView, true},
    {111, "Title &Unlock", kView, true},
    {115, "&Colors...", kView, true},
    {110, "&Font...", kView, false},
    {1001, "Vert S&croll Bar", kView, true},
    {1000, "&Button Bar", kView, false},
    {200, "&Find...\tShift+F3", kGo, true},
    {203, "Find &Next\tF3", kGo, true},
    {205, "Go to &Line...\tCtrl+G", kGo, true},
    {201, "&Home\tCtrl+Home", kGo, true},
    {202, "&End\tCtrl+End", kGo, true},
    {250, "File &Open...", kOptions, false},
    {251, "File &Search...", kOptions, false},
    {253, "O&ptions...", kOptions, false},
    {254, "File &Defaults...", kOptions, false},
    {255, "File &Types...", kOptions, false},
    {252, "Save Settings &Now...", kOptions, false},
    {126, "Save Settings On E&xit", kOptions, false},
    {4001, "&Tile Vertical\tShift+F4", kWindow, false},
    {4002, "&Cascade\tShift+F5", kWindow, false},
    {4004, "Arrange &Icons", kWindow, false},
    {300, "&Index", kHelp, false},
    {302, "&Procedures", kHelp, false},
    {301, "&Commands", kHelp, false},
    {303, "&Using Help", kHelp, false},
    {100, "&About ORV...", kHelp, false},
};

std::string ItemText(HMENU menu, UINT item, UINT flags) {
    char text[128] = "";
    GetMenuStringA(menu, item, text, sizeof text, flags);
    return text;
}

// The (id, top-level menu) of every command item in the menu, the separators left out.
struct FoundItem {
    int id;
    int menu;
};
std::vector<FoundItem> CommandItems(HMENU bar) {
    std::vector<FoundItem> found;
    for (int top = 0; top < GetMenuItemCount(bar); top++) {
        HMENU popup = GetSubMenu(bar, top);
        for (int i = 0; popup && i < GetMenuItemCount(popup); i++) {
            if (!(GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR))
                found.push_back({static_cast<int>(GetMenuItemID(popup, i)), top});
        }
    }
    return found;
}

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override { menu_ = LoadMenuA(Module(), "ORVMENU"); }
    void TearDown() override { DestroyMenu(menu_); }
    HMENU menu_ = NULL;
};

TEST_F(MenuTest, HasTheSevenMenusWithWindowWhereTheFrameLooksForIt) {
    ASSERT_TRUE(menu_ != NULL);
    ASSERT_EQ(7, GetMenuItemCount(menu_));
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(kTopMenus[i], ItemText(menu_, i, MF_BYPOSITION));
        EXPECT_TRUE(GetSubMenu(menu_, i) != NULL) << kTopMenus[i];
    }
    EXPECT_EQ("&Window", ItemText(menu_, kWindowMenuPosition, MF_BYPOSITION));
}

TEST_F(MenuTest, EveryItemHasItsTextMenuAndStartingState) {
    ASSERT_TRUE(menu_ != NULL);
    std::vector<FoundItem> found = CommandItems(menu_);
    EXPECT_EQ(std::size(kMenuItems), found.size()) << "the menu has items the table does not name";
    for (const MenuItem& item : kMenuItems) {
        SCOPED_TRACE(item.text);
        int where = -1;
        for (const FoundItem& f : found)
            if (f.id == item.id)
                where = f.menu;
        ASSERT_NE(-1, where) << "no item " << item.id;
        EXPECT_EQ(kTopMenus[item.menu], std::string(kTopMenus[where]));
        EXPECT_EQ(item.text, ItemText(menu_, item.id, MF_BYCOMMAND));
        UINT state = GetMenuState(menu_, item.id, MF_BYCOMMAND);
        EXPECT_EQ(item.greyed, (state & MF_GRAYED) != 0);
        EXPECT_FALSE(state & MF_CHECKED);
    }
}

TEST_F(MenuTest, ItemsAreInTheOrderOfTheTableWithinEachMenu) {
    ASSERT_TRUE(menu_ != NULL);
    std::vector<FoundItem> found = CommandItems(menu_);
    ASSERT_EQ(std::size(kMenuItems), found.size());
    for (size_t i = 0; i < found.size(); i++)
        EXPECT_EQ(kMenuItems[i].id, found[i].id) << "position " << i;
}

// The items start-up inserts go in front of items the menu carries.
TEST_F(MenuTest, CarriesTheItemsTheInsertedOnesGoBefore) {
    ASSERT_TRUE(menu_ != NULL);
    EXPECT_NE(-1, static_cast<int>(GetMenuState(menu_, IDM_COLORS, MF_BYCOMMAND)));
    EXPECT_NE(-1, static_cast<int>(GetMenuState(menu_, IDM_CASCADE, MF_BYCOMMAND)));
    for (int inserted : {IDM_CONNECT_NET, IDM_DISCONNECT_NET, IDM_TILE_HORIZONTAL, IDM_POSTSCRIPT})
        EXPECT_EQ(-1, static_cast<int>(GetMenuState(menu_, inserted, MF_BYCOMMAND))) << inserted;
}

// ---- The keys ----------------------------------------------------------------------------------

enum Modifier { kPlain = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

struct Key {
    const char* name;
    BYTE key;
    int modifiers;
    int command; // 0: the key is not the table's
};

void PrintTo(const Key& key, std::ostream* out) {
    *out << key.name;
}

const Key kKeys[] = {
    {"Ctrl+O", 'O', kCtrl, 101},
    {"Ctrl+S", 'S', kCtrl, 143},
    {"Ctrl+N", 'N', kCtrl, 140},
    {"Ctrl+D", 'D', kCtrl, 141},
    {"Ctrl+P", 'P', kCtrl, 99},
    {"Alt+Backspace", VK_BACK, kAlt, 330},
    {"Shift+Del", VK_DELETE, kShift, 331},
    {"Ctrl+C", 'C', kCtrl, 220},
    {"Ctrl+Ins", VK_INSERT, kCtrl, 220},
    {"Ctrl+E", 'E', kCtrl, 223},
    {"Ctrl+L", 'L', kCtrl, 222},
    {"Ctrl+T", 'T', kCtrl, 107},
    {"Shift+F3", VK_F3, kShift, 200},
    {"Alt+F3", VK_F3, kAlt, 204},
    {"F3", VK_F3, kPlain, 203},
    {"Ctrl+G", 'G', kCtrl, 205},
    {"Ctrl+Home", VK_HOME, kCtrl, 201},
    {"Ctrl+End", VK_END, kCtrl, 202},
    {"Shift+F4", VK_F4, kShift, 4001},
    {"Shift+F5", VK_F5, kShift, 4002},
    {"F1", VK_F1, kPlain, 300},
};
const int kKeyCount = static_cast<int>(std::size(kKeys));

int gLastCommand = 0;

LRESULT CALLBACK RecordCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
        gLastCommand = message == WM_COMMAND && HIWORD(wParam) == 1 ? LOWORD(wParam) : -1;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class AcceleratorTest : public ::testing::TestWithParam<Key> {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordCommand;
        windowClass.hInstance = Module();
        windowClass.lpszClassName = "OrvKeyRecorder";
        RegisterClassA(&windowClass);
    }
    void SetUp() override {
        accel_ = LoadAcceleratorsA(Module(), "ORVMENU");
        window_ = CreateWindowA("OrvKeyRecorder", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                Module(), NULL);
        GetKeyboardState(saved_);
    }
    void TearDown() override {
        SetKeyboardState(saved_);
        DestroyWindow(window_);
    }

    // The command the key yields through the table, with the modifiers held down; 0 for none.
    int Translate(const Key& key) {
        BYTE state[256] = {};
        state[VK_SHIFT] = (key.modifiers & kShift) ? 0x80 : 0;
        state[VK_CONTROL] = (key.modifiers & kCtrl) ? 0x80 : 0;
        state[VK_MENU] = (key.modifiers & kAlt) ? 0x80 : 0;
        state[key.key] = 0x80;
        SetKeyboardState(state);
        MSG msg = {};
        msg.hwnd = window_;
        msg.message = (key.modifiers & kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        msg.wParam = key.key;
        msg.lParam = 1 | ((key.modifiers & kAlt) ? (1 << 29) : 0);
        gLastCommand = 0;
        int translated = TranslateAcceleratorA(window_, accel_, &msg);
        return translated ? gLastCommand : 0;
    }

    HACCEL accel_ = NULL;
    HWND window_ = NULL;
    BYTE saved_[256] = {};
};

TEST_P(AcceleratorTest, KeyGivesItsCommand) {
    ASSERT_TRUE(accel_ != NULL);
    EXPECT_EQ(GetParam().command, Translate(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Keys, AcceleratorTest, ::testing::ValuesIn(kKeys),
                         [](const ::testing::TestParamInfo<Key>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; c++)
                                 if (isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

// Every key above, and not one more: Ctrl+X, Ctrl+V and Alt+F4 are left to the edit control and
// the system.
TEST(AcceleratorTable, HoldsTheKeysOfTheTableAndNoOthers) {
    HACCEL accel = LoadAcceleratorsA(Module(), "ORVMENU");
    ASSERT_TRUE(accel != NULL);
    EXPECT_EQ(kKeyCount, CopyAcceleratorTableA(accel, NULL, 0));
}

// ---- Pictures ----------------------------------------------------------------------------------

SIZE BitmapSize(HBITMAP bitmap, int* bitsPerPixel = nullptr) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    if (bitsPerPixel)
        *bitsPerPixel = info.bmBitsPixel;
    return {info.bmWidth, info.bmHeight};
}

// The sizes (width, colours) of the images an icon resource offers.
std::set<std::pair<int, int>> IconImages(const char* name) {
    std::set<std::pair<int, int>> images;
    HRSRC found = FindResourceA(Module(), name, MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    if (!found)
        return images;
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    const int count = group[4] | group[5] << 8;
    for (int i = 0; i < count; i++) { // 6-byte header, then 14-byte entries
        const BYTE* entry = group + 6 + 14 * i;
        images.insert({entry[0], entry[2]});
    }
    return images;
}

struct IconCase {
    const char* name;
    bool isButton; // a control-bar button: one 32 x 32 image, drawn only in the button's face
};

void PrintTo(const IconCase& icon, std::ostream* out) {
    *out << icon.name;
}

const IconCase kIcons[] = {
    {"APgmIcon", false}, {"MinimizeIcon", false}, {"DirIcon", false},   {"SrchIcon", false},
    {"EditIcon", false}, {"TBOPEN", true},        {"TBCLOSE", true},    {"TBPRINT", true},
    {"TBsearch", true},  {"TBCopy", true},        {"TBEDIT", true},     {"TBlaunch", true},
    {"TBNXTW", true},    {"TBHOME", true},        {"TBEND", true},      {"TBFIND", true},
    {"TBFINDNEXT", true}, {"TBEXIT", true},
};

class IconTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconTest, LoadsWithItsImages) {
    const IconCase& icon = GetParam();
    HICON handle = LoadIconA(Module(), icon.name);
    ASSERT_TRUE(handle != NULL);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    EXPECT_TRUE(info.fIcon);
    SIZE size = BitmapSize(info.hbmColor);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), size.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), size.cy);

    std::set<std::pair<int, int>> expected = {{32, 16}};
    if (!icon.isButton)
        expected.insert({16, 16}); // captions, the task bar and the Window menu use it
    EXPECT_EQ(expected, IconImages(icon.name));

    if (icon.isButton) {
        // The bar draws the icon at the top-left of a face (icon width - 9) x (icon height / 2 + 2)
        // and one pixel further in while pressed: nothing may show outside that.
        const int faceWidth = size.cx - 9 - 1, faceHeight = size.cy / 2 + 2 - 1;
        HDC dc = CreateCompatibleDC(NULL);
        HGDIOBJ previous = SelectObject(dc, info.hbmMask);
        int outside = 0, inside = 0;
        for (int y = 0; y < size.cy; y++)
            for (int x = 0; x < size.cx; x++) {
                bool shows = GetPixel(dc, x, y) == RGB(0, 0, 0); // mask 0: the colour shows
                if (shows && (x >= faceWidth || y >= faceHeight))
                    outside++;
                inside += shows ? 1 : 0;
            }
        SelectObject(dc, previous);
        DeleteDC(dc);
        EXPECT_EQ(0, outside) << "pixels beyond the button face";
        EXPECT_GT(inside, faceWidth * faceHeight / 4) << "the face is mostly empty";
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

INSTANTIATE_TEST_SUITE_P(Icons, IconTest, ::testing::ValuesIn(kIcons),
                         [](const ::testing::TestParamInfo<IconCase>& info) {
                             return std::string(info.param.name);
                         });

struct BitmapCase {
    const char* name;
    int width, height;
    bool isMonochrome; // drawn in the menu's own colours
};

void PrintTo(const BitmapCase& bitmap, std::ostream* out) {
    *out << bitmap.name;
}

const BitmapCase kBitmaps[] = {
    // A view's page picture and Strip indicator: a quarter inch on a 96-dpi screen.
    {"TOFBitmap", 24, 22, false},
    {"MOFBitmap", 24, 22, false},
    {"BOFBitmap", 24, 22, false},
    {"TBOFBitmap", 24, 22, false},
    {"No7Bitmap", 24, 22, false},
    {"Yes7Bitmap", 24, 22, false},
    // The directory tree's folders.
    {"FilesBitmap", 16, 12, false},
    {"NoFilesBitmap", 16, 12, false},
    {"NoExistBitmap", 16, 12, false},
    {"SubdirsBitmap", 16, 12, false},
    // The Window menu's marks.
    {"MenuViewBitmap", 13, 13, true},
    {"MenuDirBitmap", 13, 13, true},
    {"MenuListBitmap", 13, 13, true},
    {"MenuEditBitmap", 13, 13, true},
    {"MenuCheckBitmap", 13, 13, true},
    // The disk bar: every drive, pressed or not, the size of "HardDiskBitmap"; a row of the bar
    // is 24 pixels and a button's frame runs from 3 above to 6 below the bitmap.
    {"HardDiskBitmap", 26, 16, false},
    {"FloppyDiskBitmap", 26, 16, false},
    {"NetDiskBitmap", 26, 16, false},
    {"RamDiskBitmap", 26, 16, false},
    {"CDROMBitmap", 26, 16, false},
    {"HardDiskDownBitmap", 26, 16, false},
    {"FloppyDiskDownBitmap", 26, 16, false},
    {"NetDiskDownBitmap", 26, 16, false},
    {"RamDiskDownBitmap", 26, 16, false},
    {"CDROMDownBitmap", 26, 16, false},
};

class BitmapTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapTest, LoadsWithItsSize) {
    const BitmapCase& expected = GetParam();
    HBITMAP bitmap = LoadBitmapA(Module(), expected.name);
    ASSERT_TRUE(bitmap != NULL);
    int bits = 0;
    SIZE size = BitmapSize(bitmap, &bits);
    EXPECT_EQ(expected.width, size.cx);
    EXPECT_EQ(expected.height, size.cy);
    if (expected.isMonochrome) {
        EXPECT_EQ(1, bits);
        DWORD check = GetMenuCheckMarkDimensions();
        EXPECT_LE(size.cx, LOWORD(check)) << "wider than a menu check mark";
        EXPECT_LE(size.cy, HIWORD(check)) << "taller than a menu check mark";
    } else {
        EXPECT_GE(bits, 4);
    }
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, BitmapTest, ::testing::ValuesIn(kBitmaps),
                         [](const ::testing::TestParamInfo<BitmapCase>& info) {
                             return std::string(info.param.name);
                         });

struct CursorCase {
    const char* name;
    int hotX, hotY;
};

void PrintTo(const CursorCase& cursor, std::ostream* out) {
    *out << cursor.name;
}

const CursorCase kCursors[] = {
    {"SplitCursor", 15, 15}, // between the splitter's two bars
    {"FindCursor", 10, 10},  // the middle of the lens
    {"CopyCursor", 0, 0},    // the arrow's tip
    {"MoveCursor", 0, 0},
    {"FloppyCursor", 15, 15},
    {"HardCursor", 15, 15},
};

class CursorTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorTest, LoadsWithItsHotSpotOnThePicture) {
    const CursorCase& expected = GetParam();
    HCURSOR cursor = LoadCursorA(Module(), expected.name);
    ASSERT_TRUE(cursor != NULL);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(expected.hotX, static_cast<int>(info.xHotspot));
    EXPECT_EQ(expected.hotY, static_cast<int>(info.yHotspot));
    // A black-and-white cursor: no colour image, the mask holds the AND and XOR halves.
    EXPECT_TRUE(info.hbmColor == NULL);
    SIZE size = BitmapSize(info.hbmMask);
    EXPECT_EQ(GetSystemMetrics(SM_CXCURSOR), size.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYCURSOR) * 2, size.cy);
    // The hot spot is on a pixel that shows, not on the screen behind the cursor.
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(dc, info.hbmMask);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, expected.hotX, expected.hotY));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
}

INSTANTIATE_TEST_SUITE_P(Cursors, CursorTest, ::testing::ValuesIn(kCursors),
                         [](const ::testing::TestParamInfo<CursorCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- The menu on the frame -----------------------------------------------------------------------

HMENU gOpenPopup = NULL;
std::string gPicturePath;
int gPictureSaved = 0;

// Runs inside the menu's own loop: notes the popup on the screen, saves the screen, closes it.
void CALLBACK PictureOfOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(NULL, timer);
    HWND popup = FindWindowA("#32768", NULL);
    if (popup && IsWindowVisible(popup))
        gOpenPopup = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    gPictureSaved = Harness_SaveWindowBitmap(GetDesktopWindow(), gPicturePath.c_str());
    EndMenu();
}

TEST_F(OrvFrameTest, AltVOpensTheViewMenu) {
    gOpenPopup = NULL;
    gPictureSaved = 0;
    gPicturePath = Harness_OutputPath("menu-view.bmp");
    SetForegroundWindow(gFrame);
    Harness_PumpMessages(100);
    SetTimer(NULL, 0, 300, PictureOfOpenMenu);
    PostMessageA(gFrame, WM_SYSCOMMAND, SC_KEYMENU, 'v');
    Harness_PumpMessages(1000);

    EXPECT_EQ(GetSubMenu(GetMenu(gFrame), kView), gOpenPopup);
    EXPECT_EQ(1, gPictureSaved) << gPicturePath;
}

} // namespace
