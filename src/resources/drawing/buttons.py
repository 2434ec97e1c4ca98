"""The control bar's button icons. The bar draws each 32 x 32 icon at the top-left corner of a
button face of (icon width - 9) x (icon height / 2 + 2) pixels, moved one pixel right and down
while pressed, so every glyph keeps inside the top-left 22 x 17 pixels and the rest is clear."""

from .canvas import BLACK, Canvas, GREY, NAVY, WHITE
from .shapes import folder, magnifier, page, pencil

# The part of the icon that shows on the button face (while pressed, one pixel less).
FACE_WIDTH, FACE_HEIGHT = 22, 17

OPEN = [
    "...........KKK......",
    "..........K...K.K...",
    "...............KK...",
    "..KKKK........KKK...",
    ".KWOOOK.............",
    ".KWOOOOKKKKKKK......",
    ".KWOOOOOOOOOOK......",
    ".KWOOOOOOOOOOK......",
    ".KWOOOOKKKKKKKKKKKK.",
    ".KWOOOKYYYYYYYYYYK..",
    ".KWOOKYYYYYYYYYYK...",
    ".KWOKYYYYYYYYYYK....",
    ".KWKYYYYYYYYYYK.....",
    ".KKYYYYYYYYYYK......",
    ".KKKKKKKKKKKK.......",
]

CROSS = [
    "RR.....RR",
    "RRR...RRR",
    ".RRR.RRR.",
    "..RRRRR..",
    "...RRR...",
    "..RRRRR..",
    ".RRR.RRR.",
    "RRR...RRR",
    "RR.....RR",
]

PRINTER = [
    ".....KKKKKKKKK......",
    ".....KWWWWWWWK......",
    ".....KWGGGGGWK......",
    ".....KWWWWWWWK......",
    ".....KWGGGGGWK......",
    "...KKKKKKKKKKKKK....",
    "..KWWWWWWWWWWWWSK...",
    ".KWSSSSSSSSSSSSGK...",
    ".KWSSSSSSSSSSLLGK...",
    ".KWSSSSSSSSSSSSGK...",
    ".KGGGGGGGGGGGGGGK...",
    ".KKKKKKKKKKKKKKKK...",
    "...KWWWWWWWWWWK.....",
    "...KWGGGGGGGGWK.....",
    "...KKKKKKKKKKKK.....",
]

COPY = [
    "KKKKKKKK...........",
    "KWWWWWWKK..........",
    "KWGGGGWKWK.........",
    "KWWWWWWKKKK........",
    "KWGGGGGGGWK........",
    "KWWWWWKKKKKKKK.....",
    "KWGGGGKWWWWWWKK....",
    "KWWWWWKWNNNNWKWK...",
    "KWGGGGKWWWWWWKKKK..",
    "KWWWWWKWNNNNNNNWK..",
    "KKKKKKKWWWWWWWWWK..",
    "......KWNNNNNNNWK..",
    "......KWWWWWWWWWK..",
    "......KWNNNNNNWWK..",
    "......KWWWWWWWWWK..",
    "......KKKKKKKKKKK..",
]

BOLT = [
    "......KK",
    ".....KYK",
    "....KYK.",
    "...KYYK.",
    "..KYYK..",
    ".KYYYKKK",
    "KYYYYYYK",
    "KKKKYYK.",
    "...KYK..",
    "..KYK...",
    ".KYK....",
    ".KK.....",
]

HOME = [
    "KKKKKKKKKKKKKKK",
    "KNNNNNNNNNNNNNK",
    "KKKKKKKKKKKKKKK",
    "...............",
    ".......K.......",
    "......KNK......",
    ".....KNNNK.....",
    "....KNNNNNK....",
    "...KNNNNNNNK...",
    "..KNNNNNNNNNK..",
    ".KKKKKNNNKKKKK.",
    ".....KNNNK.....",
    ".....KNNNK.....",
    ".....KNNNK.....",
    ".....KKKKK.....",
]

NEXT_ARROW = [
    "...K...",
    "...KK..",
    "KKKKLK.",
    "KLLLLLK",
    "KKKKLK.",
    "...KK..",
    "...K...",
]

EXIT = [
    ".....KKKKKKKKK......",
    ".....KNNNNNNNK......",
    ".KK..KNNNNNNNK......",
    ".KMKKKNNNNNNNK......",
    ".KMMMKNNNNNNNK......",
    ".KMMMKNNNNNNNK..K...",
    ".KMMMKNNNNNNNK..KK..",
    ".KMYMKKKKKKKKKKKLLK.",
    ".KMMMKLLLLLLLLLLLLLK",
    ".KMMMKKKKKKKKKKKLLK.",
    ".KMMMKNNNNNNNK..KK..",
    ".KMMMKNNNNNNNK..K...",
    ".KMMMKNNNNNNNK......",
    ".KMKKKNNNNNNNK......",
    ".KK..KNNNNNNNK......",
    ".....KKKKKKKKK......",
]


def small_window(c, left, top, right, bottom, caption):
    """A window in miniature: black frame, a caption bar, a white client area."""
    c.fill_rect(left, top, right, bottom, WHITE)
    c.frame_rect(left, top, right, bottom, BLACK)
    c.fill_rect(left + 1, top + 1, right - 1, top + 2, caption)
    c.hline(left + 1, right - 1, top + 3, BLACK)


def open_dir():
    c = Canvas(32)
    c.glyph(1, 1, OPEN)
    return c


def close():
    c = Canvas(32)
    page(c, 2, 1, 14, 16, fold=4, text_rows=[4, 6, 8, 10, 12, 14], text_left=4, text_right=11)
    c.glyph(11, 7, CROSS)
    return c


def print_file():
    c = Canvas(32)
    c.glyph(1, 1, PRINTER)
    return c


def search():
    c = Canvas(32)
    folder(c, 1, 2, 15, 13, tab_width=6, tab_height=2)
    magnifier(c, cx=13.5, cy=9.5, radius=5.2, ring=1.4, handle_from=(17.0, 13.0),
              handle_to=(19.6, 15.6), handle_width=2.6)
    return c


def copy():
    c = Canvas(32)
    c.glyph(2, 1, COPY)
    return c


def edit():
    c = Canvas(32)
    page(c, 2, 1, 14, 16, fold=4, text_rows=[4, 6, 8, 10, 12, 14], text_left=4, text_right=11)
    c.fill_rect(4, 11, 11, 14, WHITE)
    pencil(c, 20.6, 1.4, 8.5, 14.5, 3.6)
    return c


def launch():
    c = Canvas(32)
    small_window(c, 1, 1, 14, 13, NAVY)
    c.glyph(12, 4, BOLT)
    return c


def next_window():
    c = Canvas(32)
    small_window(c, 1, 1, 12, 10, GREY)
    small_window(c, 5, 5, 16, 15, NAVY)
    c.glyph(14, 9, NEXT_ARROW)
    return c


def home():
    c = Canvas(32)
    c.glyph(4, 1, HOME)
    return c


def end():
    c = Canvas(32)
    c.glyph(4, 1, list(reversed(HOME)))
    return c


def find():
    c = Canvas(32)
    page(c, 2, 1, 13, 16, fold=3, text_rows=[4, 6, 8, 10, 12, 14], text_left=4, text_right=11)
    magnifier(c, cx=12.5, cy=8.5, radius=5.4, ring=1.4, handle_from=(16.2, 12.2),
              handle_to=(20.0, 16.0), handle_width=2.6)
    return c


def find_next():
    """Find, with a short handle and an arrow on to the next match."""
    c = Canvas(32)
    page(c, 2, 1, 13, 16, fold=3, text_rows=[4, 6, 8, 10, 12, 14], text_left=4, text_right=11)
    magnifier(c, cx=10.5, cy=7.5, radius=5.4, ring=1.4, handle_from=(14.2, 11.2),
              handle_to=(15.6, 12.6), handle_width=2.6)
    c.glyph(14, 10, NEXT_ARROW)
    return c


def exit_program():
    c = Canvas(32)
    c.glyph(1, 1, EXIT)
    return c


def on_face(draw):
    """The drawing, refused when it would show beyond the button face."""
    def checked():
        c = draw()
        for y in range(c.height):
            for x in range(c.width):
                if c.get(x, y) is not None and (x >= FACE_WIDTH or y >= FACE_HEIGHT):
                    raise ValueError("%s: pixel (%d, %d) beyond the button face" %
                                     (draw.__name__, x, y))
        return c
    return checked


# In the bar's order, by the names the bar loads them by.
BUTTONS = {
    "TBOPEN": on_face(open_dir),
    "TBCLOSE": on_face(close),
    "TBPRINT": on_face(print_file),
    "TBsearch": on_face(search),
    "TBCopy": on_face(copy),
    "TBEDIT": on_face(edit),
    "TBlaunch": on_face(launch),
    "TBNXTW": on_face(next_window),
    "TBHOME": on_face(home),
    "TBEND": on_face(end),
    "TBFIND": on_face(find),
    "TBFINDNEXT": on_face(find_next),
    "TBEXIT": on_face(exit_program),
}

