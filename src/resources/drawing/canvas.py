"""A canvas of palette indexes and the writers for .ico, .cur, .bmp (and a .png preview).

Everything is drawn in the 16-colour palette every Windows display can show. Small glyphs are
written as rows of letters (see KEY), so a picture can be read and changed in the source itself.
"""

import math
import struct
import zlib

# The 16-colour palette in its usual order (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
(BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE) = range(16)
CLEAR = None  # transparent in icons and cursors
INVERT = -1  # cursors only: the screen shows through inverted

# The letters of glyph rows. "." leaves the pixel as it is; "_" makes it transparent.
KEY = {
    "K": BLACK, "M": MAROON, "D": GREEN, "O": OLIVE, "N": NAVY, "P": PURPLE, "T": TEAL,
    "S": SILVER, "G": GREY, "R": RED, "L": LIME, "Y": YELLOW, "B": BLUE, "F": FUCHSIA,
    "C": AQUA, "W": WHITE, "_": CLEAR, "~": INVERT,
}


class Canvas:
    def __init__(self, width, height=None, fill=CLEAR):
        self.width = width
        self.height = width if height is None else height
        self.pixels = [[fill] * self.width for _ in range(self.height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, left, top, right, bottom, colour):
        """Fills left..right, top..bottom (inclusive)."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)

    def frame_rect(self, left, top, right, bottom, colour):
        self.hline(left, right, top, colour)
        self.hline(left, right, bottom, colour)
        self.vline(left, top, bottom, colour)
        self.vline(right, top, bottom, colour)

    def hline(self, left, right, y, colour):
        for x in range(left, right + 1):
            self.put(x, y, colour)

    def vline(self, x, top, bottom, colour):
        for y in range(top, bottom + 1):
            self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        """A one-pixel line between two points (both drawn)."""
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            t = i / steps if steps else 0.0
            self.put(int(math.floor(x0 + (x1 - x0) * t + 0.5)),
                     int(math.floor(y0 + (y1 - y0) * t + 0.5)), colour)

    def glyph(self, x, y, rows, key=None):
        """Draws rows of letters with their top-left at (x, y)."""
        key = KEY if key is None else key
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter != ".":
                    self.put(x + dx, y + dy, key[letter])

    def disc(self, cx, cy, radius, colour):
        for y in range(self.height):
            for x in range(self.width):
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius:
                    self.put(x, y, colour)

    def replace(self, old, new):
        for row in self.pixels:
            for x, value in enumerate(row):
                if value == old:
                    row[x] = new

    def bevel(self, left, top, right, bottom, raised=True, face=SILVER):
        """A classic 3-D panel: a white and black outer ring, a grey inner shadow; sunken when
        raised is False (the rings swap sides)."""
        self.fill_rect(left, top, right, bottom, face)
        light, dark = (WHITE, BLACK) if raised else (BLACK, WHITE)
        self.hline(left, right, top, light)
        self.vline(left, top, bottom, light)
        self.hline(left, right, bottom, dark)
        self.vline(right, top, bottom, dark)
        if raised:
            self.hline(left + 1, right - 1, bottom - 1, GREY)
            self.vline(right - 1, top + 1, bottom - 1, GREY)
        else:
            self.hline(left + 1, right - 1, top + 1, GREY)
            self.vline(left + 1, top + 1, bottom - 1, GREY)

    def shifted(self, dx, dy, fill):
        """A copy moved by (dx, dy); the uncovered edge takes fill."""
        out = Canvas(self.width, self.height, fill)
        for y in range(self.height):
            for x in range(self.width):
                if 0 <= x - dx < self.width and 0 <= y - dy < self.height:
                    out.pixels[y][x] = self.pixels[y - dy][x - dx]
        return out


def segment_distance(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def thick_line(canvas, x0, y0, x1, y1, width, colour):
    for y in range(canvas.height):
        for x in range(canvas.width):
            if segment_distance(x + 0.5, y + 0.5, x0, y0, x1, y1) <= width / 2.0:
                canvas.put(x, y, colour)


# ---- File writers ---------------------------------------------------------------------------------

def _stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _rows_4bit(canvas, clear_as=0):
    out = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(_stride(canvas.width, 4))
        for x in range(canvas.width):
            value = canvas.get(x, y)
            value = clear_as if value is CLEAR else value
            row[x // 2] |= value << (4 if x % 2 == 0 else 0)
        out += row
    return out


def _rows_1bit(canvas, is_set):
    out = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(_stride(canvas.width, 1))
        for x in range(canvas.width):
            if is_set(canvas.get(x, y)):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return out


def _palette_bytes(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def _icon_image(canvas):
    """A 4-bit colour image with its transparency mask, as icon files hold them."""
    colour = _rows_4bit(canvas)
    mask = _rows_1bit(canvas, lambda v: v is CLEAR)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    return header + _palette_bytes(PALETTE) + bytes(colour) + bytes(mask)


def _cursor_image(canvas):
    """A monochrome cursor image: the XOR rows (white, inverted) over the AND mask (clear,
    inverted)."""
    xor = _rows_1bit(canvas, lambda v: v in (WHITE, INVERT))
    mask = _rows_1bit(canvas, lambda v: v in (CLEAR, INVERT))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 1, 0,
                         len(xor) + len(mask), 0, 0, 2, 0)
    return header + _palette_bytes([(0, 0, 0), (255, 255, 255)]) + bytes(xor) + bytes(mask)


def icon_file(canvases):
    images = [_icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(image),
                           offset)
        offset += len(image)
    return out + b"".join(images)


def cursor_file(canvas, hot_x, hot_y):
    for row in canvas.pixels:
        for value in row:
            assert value in (BLACK, WHITE, CLEAR, INVERT), "cursors are black and white"
    image = _cursor_image(canvas)
    return (struct.pack("<HHH", 0, 2, 1) +
            struct.pack("<BBBBHHII", canvas.width, canvas.height, 0, 0, hot_x, hot_y, len(image),
                        22) + image)


def bitmap_file(canvas):
    """A 16-colour bitmap; every pixel must be a colour."""
    rows = _rows_4bit(canvas, clear_as=None)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0, len(rows), 0, 0,
                       16, 0)
    offset = 14 + len(info) + 64
    return (struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info +
            _palette_bytes(PALETTE) + bytes(rows))


def mono_bitmap_file(canvas):
    """A monochrome bitmap: BLACK pixels are ink (drawn in the text colour), all others paper
    (drawn in the background colour) -- so menu marks follow the menu's own colours."""
    rows = _rows_1bit(canvas, lambda v: v != BLACK)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0, len(rows), 0, 0,
                       2, 0)
    offset = 14 + len(info) + 8
    return (struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info +
            _palette_bytes([(0, 0, 0), (255, 255, 255)]) + bytes(rows))


def png_file(width, height, rgb_rows):
    """A 24-bit PNG of rows of (r, g, b) tuples: for previews only."""
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
