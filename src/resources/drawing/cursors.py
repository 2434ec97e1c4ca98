"""The cursors: black shapes with a white rim, so they show on any background.
"SplitCursor" (the directory window's splitter), "FindCursor", "CopyCursor", "MoveCursor", and the
busy cursors "FloppyCursor" and "HardCursor" shown while a drive is read."""

from .canvas import BLACK, CLEAR, Canvas, WHITE

ARROW = [
    "K...........",
    "KK..........",
    "KWK.........",
    "KWWK........",
    "KWWWK.......",
    "KWWWWK......",
    "KWWWWWK.....",
    "KWWWWWWK....",
    "KWWWWWWWK...",
    "KWWWWWWWWK..",
    "KWWWWWKKKKK.",
    "KWWKWWK.....",
    "KWK.KWWK....",
    "KK..KWWK....",
    "K....KWWK...",
    ".....KWWK...",
    "......KWWK..",
    "......KWWK..",
    ".......KK...",
]

PAPER = [
    "KKKKKKKK...",
    "KWWWWWWKK..",
    "KWWWWWWKWK.",
    "KWWWWWWKKKK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWK",
    "KKKKKKKKKKK",
]

PLUS = [
    "KKKKKKKKK",
    "KWWWWWWWK",
    "KWWWKWWWK",
    "KWWWKWWWK",
    "KWKKKKKWK",
    "KWWWKWWWK",
    "KWWWKWWWK",
    "KWWWWWWWK",
    "KKKKKKKKK",
]

HOURGLASS = [
    "KKKKKKKKKKK",
    ".KWWWWWWWK.",
    ".KWWWWWWWK.",
    ".KKWKWKWKK.",
    "..KKWKWKK..",
    "...KKWKK...",
    "....KKK....",
    "....KWK....",
    "...KWWWK...",
    "..KWWKWWK..",
    ".KWWKWKWWK.",
    ".KWKWKWKWK.",
    "KKKKKKKKKKK",
]

FLOPPY = [
    "KKKKKKKKKKKKKKKK.",
    "KWKKKKKKKKKKKWWKK",
    "KWKWWWWWWKKKKWWWK",
    "KWKWWWWWWKKKKWWWK",
    "KWKWWWWWWKKKKWWWK",
    "KWKKKKKKKKKKKWWWK",
    "KWWWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWWWWK",
    "KWKKKKKKKKKKKKKWK",
    "KWKWWWWWWWWWWWKWK",
    "KWKWKKKKKKKKKWKWK",
    "KWKWWWWWWWWWWWKWK",
    "KWKWKKKKKKKKKWKWK",
    "KWKWWWWWWWWWWWKWK",
    "KWKWWWWWWWWWWWKWK",
    "KKKKKKKKKKKKKKKKK",
]

HARD = [
    "...KKKKKKKKKKKKKKKKK",
    "..KWWWWWWWWWWWWWWWKK",
    ".KWWWWWWWWWWWWWWWKWK",
    "KKKKKKKKKKKKKKKKKWWK",
    "KWWWWWWWWWWWWWWWKWWK",
    "KWKKKKKKKKWWWKKWKWWK",
    "KWWWWWWWWWWWWKKWKWK.",
    "KWWWWWWWWWWWWWWWKK..",
    "KKKKKKKKKKKKKKKKK...",
]


def _rimmed(c):
    """Puts a white rim around every black pixel that borders on clear ones."""
    rim = []
    for y in range(c.height):
        for x in range(c.width):
            if c.get(x, y) is not CLEAR:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < c.width and 0 <= ny < c.height and c.get(nx, ny) == BLACK:
                    rim.append((x, y))
                    break
    for x, y in rim:
        c.put(x, y, WHITE)
    return c


def split():
    """Two bars with arrows pointing away to either side: the splitter moves left and right."""
    c = Canvas(32)
    c.fill_rect(12, 7, 13, 24, BLACK)
    c.fill_rect(17, 7, 18, 24, BLACK)
    c.fill_rect(6, 15, 24, 16, BLACK)  # one shaft through both bars
    for i in range(5):  # the arrow heads, tips at x = 2 and x = 28
        c.vline(2 + i, 15 - i, 16 + i, BLACK)
        c.vline(28 - i, 15 - i, 16 + i, BLACK)
    return _rimmed(c)


def find():
    """A magnifier; the spot looked at is the middle of the lens."""
    c = Canvas(32)
    for y in range(32):
        for x in range(32):
            d = ((x - 10) ** 2 + (y - 10) ** 2) ** 0.5
            if d <= 8.2:
                c.put(x, y, BLACK if d > 6.2 else WHITE)
    for i in range(9):
        c.fill_rect(15 + i, 16 + i, 17 + i, 17 + i, BLACK)
    c.fill_rect(9, 10, 11, 10, BLACK)  # the cross hair at the hot spot
    c.fill_rect(10, 9, 10, 11, BLACK)
    return _rimmed(c)


def drag(with_plus):
    def draw():
        c = Canvas(32)
        c.glyph(9, 15, PAPER)
        if with_plus:
            c.glyph(18, 22, PLUS)
        c.glyph(0, 0, ARROW)
        return _rimmed(c)
    return draw


def busy(rows):
    """The drive being read with an hourglass beside it."""
    def draw():
        c = Canvas(32)
        c.glyph(2, 6, rows)
        c.glyph(17, 14, HOURGLASS)
        return _rimmed(c)
    return draw


# name: (drawing, hot spot x, hot spot y)
CURSORS = {
    "SplitCursor": (split, 15, 15),
    "FindCursor": (find, 10, 10),
    "CopyCursor": (drag(True), 0, 0),
    "MoveCursor": (drag(False), 0, 0),
    "FloppyCursor": (busy(FLOPPY), 15, 15),
    "HardCursor": (busy(HARD), 15, 15),
}
