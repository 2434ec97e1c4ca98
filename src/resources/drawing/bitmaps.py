"""The bitmaps: the view's page pictures and Strip indicator, the directory tree's folders, the
disk bar's drives with their pressed forms, and the Window menu's marks."""

from .canvas import BLACK, Canvas, GREY, RED, SILVER, WHITE
from .shapes import folder

# ---- The view's status band ------------------------------------------------------------------------
# Drawn into panes a quarter inch square (24 x 22 pixels on a 96-dpi screen), left of the file
# facts. The page picture is a button of two halves: a click on its left half pages up, on its
# right half down. Each half shows its arrow, greyed when the view cannot go that way.
MARK_WIDTH, MARK_HEIGHT = 24, 22

UP = [
    "....K....",
    "...KKK...",
    "..KKKKK..",
    ".KKKKKKK.",
    "KKKKKKKKK",
]

SEVEN = [
    "KKKKKKKK",
    "KKKKKKKK",
    "......KK",
    ".....KK.",
    ".....KK.",
    "....KK..",
    "....KK..",
    "...KK...",
    "...KK...",
    "..KK....",
    "..KK....",
    "..KK....",
]


def _arrow(c, x, y, rows, enabled):
    if enabled:
        c.glyph(x, y, rows)
    else:  # greyed the classic way: grey, with a white copy one pixel down and right
        c.glyph(x + 1, y + 1, rows, {"K": WHITE})
        c.glyph(x, y, rows, {"K": GREY})


def page_picture(can_go_up, can_go_down):
    def draw():
        c = Canvas(MARK_WIDTH, MARK_HEIGHT, SILVER)
        c.bevel(0, 0, MARK_WIDTH - 1, MARK_HEIGHT - 1)
        c.vline(11, 3, MARK_HEIGHT - 4, GREY)  # the seam between the two halves
        c.vline(12, 3, MARK_HEIGHT - 4, WHITE)
        _arrow(c, 1, 8, UP, can_go_up)
        _arrow(c, 13, 8, list(reversed(UP)), can_go_down)
        return c
    return draw


def strip_picture(stripped):
    """Bit 7 kept: a plain 7. Stripped: the 7 struck through in red."""
    def draw():
        c = Canvas(MARK_WIDTH, MARK_HEIGHT, SILVER)
        c.bevel(0, 0, MARK_WIDTH - 1, MARK_HEIGHT - 1)
        c.glyph(8, 5, SEVEN)
        if stripped:
            for i in range(15):
                c.put(4 + i, 17 - i, RED)
                c.put(5 + i, 17 - i, RED)
                c.put(4 + i, 18 - i, RED)
        return c
    return draw


# ---- The directory tree --------------------------------------------------------------------------
# Drawn in front of each row's name on the directory list's white background, stretched to the
# row's height less 4 pixels (12 for the default 10-point directory font).
TREE_WIDTH, TREE_HEIGHT = 16, 12


def _tree_canvas():
    return Canvas(TREE_WIDTH, TREE_HEIGHT, WHITE)


def no_files():
    """An empty folder."""
    c = _tree_canvas()
    folder(c, 0, 1, 14, 11, tab_width=5, tab_height=2)
    return c


def files():
    """A folder with papers standing in it."""
    c = _tree_canvas()
    c.frame_rect(6, 0, 13, 6, BLACK)
    c.hline(8, 11, 2, GREY)
    folder(c, 0, 2, 14, 11, tab_width=5, tab_height=2)
    return c


def subdirs():
    """A folder with more folders behind it."""
    c = _tree_canvas()
    folder(c, 3, 0, 15, 8, tab_width=4, tab_height=1)
    folder(c, 0, 2, 12, 11, tab_width=4, tab_height=2)
    return c


def no_exist():
    """A folder that is not there any more: greyed and crossed out."""
    c = _tree_canvas()
    folder(c, 0, 1, 14, 11, tab_width=5, tab_height=2, fill=WHITE, shade=SILVER)
    c.replace(BLACK, GREY)
    for i in range(9):
        for x in (3 + i, 4 + i):
            c.put(x, 2 + i, RED)
            c.put(x, 10 - i, RED)
    return c


# ---- The disk bar ----------------------------------------------------------------------------------
# One button per drive on the bar's light grey; the pressed form marks a drive that has a
# directory window open. All share the size of "HardDiskBitmap".
DRIVE_WIDTH, DRIVE_HEIGHT = 26, 16

HARD = [
    "...KKKKKKKKKKKKKKKK",
    "..KWWWWWWWWWWWWWWKK",
    ".KWWWWWWWWWWWWWWKGK",
    "KKKKKKKKKKKKKKKKGGK",
    "KSSSSSSSSSSSSSSKGGK",
    "KSGGGGGGGSSSLLSKGGK",
    "KSSSSSSSSSSSSSSKGK.",
    "KSSSSSSSSSSSSSSKK..",
    "KKKKKKKKKKKKKKKK...",
]

FLOPPY = [
    "KKKKKKKKKKKK",
    "KNKSSSSSSKNK",
    "KNKSSGGSSKNK",
    "KNKSSGGSSKNK",
    "KNKSSSSSSKNK",
    "KNNKKKKKKNNK",
    "KNNNNNNNNNNK",
    "KNKKKKKKKKNK",
    "KNKWWWWWWKNK",
    "KNKWGGGGWKNK",
    "KNKWWWWWWKNK",
    "KKKKKKKKKKKK",
]

NET = [
    "...KKKKKKKKKKKKKKKK",
    "..KWWWWWWWWWWWWWWKK",
    "KKKKKKKKKKKKKKKKKGK",
    "KSSSSSSSSSSSSSSKGGK",
    "KSGGGGGGGSSSLLSKGK.",
    "KSSSSSSSSSSSSSSKK..",
    "KKKKKKKKKKKKKKKK...",
    ".......KK..........",
    ".......KK..........",
    "KKKKKKKKKKKKKKKKKKK",
]

CDROM = [
    "....KKKK....",
    "..KKWWCCKK..",
    ".KWWWWWCCSK.",
    ".KCWWWWWCSK.",
    "KCCWWKKWWSSK",
    "KWCWKSSKWSSK",
    "KWWWKSSKWWSK",
    "KSSWWKKWWCCK",
    ".KSSWWWWWCK.",
    ".KSSSWWWCCK.",
    "..KKSSWWKK..",
    "....KKKK....",
]

RAM = [
    "DDDDDDDDDDDDDDDDDDD",
    "DKKKKDKKKKDKKKKDDDD",
    "DKKKKDKKKKDKKKKDLLD",
    "DKKKKDKKKKDKKKKDLLD",
    "DKKKKDKKKKDKKKKDDDD",
    "DDDDDDDDDDDDDDDDDDD",
    "DYDYDYDYDYDYDYDYDYD",
    "DYDYDYDYDYDYDYDYDYD",
    "DDDDDDDDDDDDDDDDDDD",
]


def drive(rows):
    """The drive's glyph centred on a button, raised; pressed, the button is sunken and the
    glyph one pixel further down and right."""
    def draw(pressed):
        c = Canvas(DRIVE_WIDTH, DRIVE_HEIGHT, SILVER)
        c.bevel(0, 0, DRIVE_WIDTH - 1, DRIVE_HEIGHT - 1, raised=not pressed)
        shift = 1 if pressed else 0
        left = (DRIVE_WIDTH - len(rows[0])) // 2
        top = (DRIVE_HEIGHT - len(rows)) // 2
        c.glyph(left + shift, top + shift, rows)
        return c
    return (lambda: draw(False)), (lambda: draw(True))


_DRIVES = {
    "FloppyDisk": drive(FLOPPY),
    "HardDisk": drive(HARD),
    "NetDisk": drive(NET),
    "RamDisk": drive(RAM),
    "CDROM": drive(CDROM),
}

BITMAPS = {
    "TOFBitmap": page_picture(can_go_up=False, can_go_down=True),
    "MOFBitmap": page_picture(can_go_up=True, can_go_down=True),
    "BOFBitmap": page_picture(can_go_up=True, can_go_down=False),
    "TBOFBitmap": page_picture(can_go_up=False, can_go_down=False),
    "No7Bitmap": strip_picture(stripped=True),
    "Yes7Bitmap": strip_picture(stripped=False),
    "FilesBitmap": files,
    "NoFilesBitmap": no_files,
    "NoExistBitmap": no_exist,
    "SubdirsBitmap": subdirs,
}
for _name, (_normal, _pressed) in _DRIVES.items():
    BITMAPS[_name + "Bitmap"] = _normal
    BITMAPS[_name + "DownBitmap"] = _pressed

# ---- The Window menu's marks -----------------------------------------------------------------------
# Monochrome, the size of a menu check mark (13 x 13 on the usual screens): black is drawn in the
# menu's text colour, the rest in its background, highlighted items included.
MENU_MARK_SIZE = 13

MENU_VIEW = [
    ".............",
    "..KKKKKKK....",
    "..K.....KK...",
    "..K.KKK.K.K..",
    "..K.....KKKK.",
    "..K.KKKKK..K.",
    "..K........K.",
    "..K.KKKKKK.K.",
    "..K........K.",
    "..K.KKKK...K.",
    "..K........K.",
    "..KKKKKKKKKK.",
    ".............",
]

MENU_DIR = [
    ".............",
    ".............",
    ".KKKK........",
    "K....K.......",
    "KKKKKKKKKKKK.",
    "K..........K.",
    "K..........K.",
    "K..........K.",
    "K..........K.",
    "K..........K.",
    "KKKKKKKKKKKK.",
    ".............",
    ".............",
]

MENU_LIST = [
    ".............",
    ".KK.KKKKKKK..",
    ".KK..........",
    ".............",
    ".KK.KKKKK....",
    ".KK..........",
    ".............",
    ".KK.KKKKKKKK.",
    ".KK..........",
    ".............",
    ".KK.KKKKKK...",
    ".KK..........",
    ".............",
]

MENU_EDIT = [
    ".............",
    "..........KK.",
    ".........K..K",
    "........K..K.",
    ".......K..K..",
    "......K..K...",
    ".....K..K....",
    "....K..K.....",
    "...K..K......",
    "..KK.K.......",
    "..KKK........",
    "..KK.........",
    ".............",
]

MENU_CHECK = [
    ".............",
    ".............",
    ".............",
    "..........K..",
    ".........KK..",
    "........KKK..",
    "..K....KKK...",
    "..KK..KKK....",
    "..KKKKKK.....",
    "...KKKK......",
    "....KK.......",
    ".............",
    ".............",
]


def menu_mark(rows):
    def draw():
        c = Canvas(MENU_MARK_SIZE, MENU_MARK_SIZE, WHITE)
        c.glyph(0, 0, rows)
        return c
    return draw


MONO_BITMAPS = {
    "MenuViewBitmap": menu_mark(MENU_VIEW),
    "MenuDirBitmap": menu_mark(MENU_DIR),
    "MenuListBitmap": menu_mark(MENU_LIST),
    "MenuEditBitmap": menu_mark(MENU_EDIT),
    "MenuCheckBitmap": menu_mark(MENU_CHECK),
}

