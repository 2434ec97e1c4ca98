"""The icons of the window classes, each as a 32 x 32 and a 16 x 16 image:
"APgmIcon" (the program), "MinimizeIcon" (a file view), "EditIcon" (an editor),
"SrchIcon" (a search-results list) and "DirIcon" (a directory window)."""

from .canvas import BLACK, Canvas, GREY, WHITE
from .shapes import folder, magnifier, page, pencil


def program_large():
    """A magnifier over a page of text."""
    c = Canvas(32)
    page(c, 3, 1, 22, 28, fold=6, text_rows=[5, 8, 11, 14, 17, 20, 23], text_left=6,
         text_right=19)
    magnifier(c, cx=19.5, cy=17.5, radius=8.5, ring=2.2, handle_from=(25.5, 23.5),
              handle_to=(30.0, 28.0), handle_width=3.6)
    return c


def program_small():
    c = Canvas(16)
    page(c, 1, 0, 11, 14, fold=3, text_rows=[3, 5, 7, 9, 11], text_left=3, text_right=9)
    magnifier(c, cx=9.5, cy=8.5, radius=4.6, ring=1.2, handle_from=(12.6, 11.6),
              handle_to=(15.0, 14.0), handle_width=2.2)
    return c


def view_large():
    """A page of a listing."""
    c = Canvas(32)
    page(c, 5, 1, 26, 30, fold=6, text_rows=[5, 8, 11, 14, 17, 20, 23, 26], text_left=8,
         text_right=23, ink=BLACK)
    return c


def view_small():
    c = Canvas(16)
    page(c, 2, 0, 13, 15, fold=3, text_rows=[3, 5, 7, 9, 11, 13], text_left=4, text_right=11,
         ink=BLACK)
    return c


def edit_large():
    """A page with a pencil writing on it."""
    c = Canvas(32)
    page(c, 3, 1, 24, 30, fold=6, text_rows=[5, 8, 11, 14, 17, 20, 23, 26], text_left=6,
         text_right=21, ink=GREY)
    c.fill_rect(6, 20, 21, 27, WHITE)  # the lines still to be written
    c.hline(6, 12, 20, GREY)
    pencil(c, 30.5, 3.5, 11.0, 23.5, 5.0)
    return c


def edit_small():
    c = Canvas(16)
    page(c, 1, 0, 12, 15, fold=3, text_rows=[3, 5, 7, 9, 11, 13], text_left=3, text_right=10)
    c.fill_rect(3, 11, 10, 13, WHITE)
    pencil(c, 15.6, 1.4, 5.2, 12.0, 3.2)
    return c


def search_large():
    """A folder of found files under a magnifier."""
    c = Canvas(32)
    folder(c, 1, 4, 26, 25, tab_width=10, tab_height=3)
    magnifier(c, cx=19.5, cy=17.5, radius=8.5, ring=2.2, handle_from=(25.5, 23.5),
              handle_to=(30.0, 28.0), handle_width=3.6)
    return c


def search_small():
    c = Canvas(16)
    folder(c, 0, 2, 12, 12, tab_width=5, tab_height=2)
    magnifier(c, cx=9.5, cy=8.5, radius=4.6, ring=1.2, handle_from=(12.6, 11.6),
              handle_to=(15.0, 14.0), handle_width=2.2)
    return c


def directory_large():
    """A directory tree: a folder with two folders below it, joined by the tree's lines."""
    c = Canvas(32)
    c.vline(6, 12, 26, BLACK)
    c.hline(6, 12, 18, BLACK)
    c.hline(6, 12, 26, BLACK)
    folder(c, 0, 1, 14, 11, tab_width=6, tab_height=2)
    folder(c, 13, 13, 28, 23, tab_width=6, tab_height=2)
    folder(c, 13, 22, 28, 31, tab_width=6, tab_height=2)
    c.hline(6, 12, 26, BLACK)
    return c


def directory_small():
    c = Canvas(16)
    c.vline(3, 6, 13, BLACK)
    c.hline(3, 6, 13, BLACK)
    folder(c, 0, 0, 9, 6, tab_width=4, tab_height=2)
    folder(c, 6, 8, 15, 15, tab_width=4, tab_height=2)
    return c


ICONS = {
    "APgmIcon": (program_large, program_small),
    "MinimizeIcon": (view_large, view_small),
    "EditIcon": (edit_large, edit_small),
    "SrchIcon": (search_large, search_small),
    "DirIcon": (directory_large, directory_small),
}

