#!/usr/bin/env python3
"""Draws ORV's program icon "APgmIcon" (a magnifier over a page of text) and writes orv.ico.

The pictures are made here from simple shapes, so the icon can be changed and rebuilt by anyone:

    python3 src/resources/draw_icons.py

writes src/resources/orv.ico beside this script (16-colour images of 32 x 32 and 16 x 16 pixels,
the two sizes Windows asks for on the frame's caption, the task bar and the Window menu).
Standard library only; the output is the same byte for byte on every run.
"""

import math
import os
import struct

# The 16-colour palette every Windows display can show, in its usual order (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, SILVER, GREY, AQUA, WHITE = 0, 4, 7, 8, 14, 15
CLEAR = None  # shows the desktop through the icon


class Canvas:
    """A square picture of palette indexes; CLEAR pixels become transparent."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def get(self, x, y):
        return self.pixels[y][x]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def fill_rect(self, left, top, right, bottom, colour):
        """Fills the pixels left..right, top..bottom (inclusive)."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)

    def frame_rect(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.put(x, top, colour)
            self.put(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.put(left, y, colour)
            self.put(right, y, colour)


def draw_page(canvas, left, top, right, bottom, fold, text_rows, text_left, text_right):
    """A white sheet with a black edge, its top right corner folded down, and grey text lines."""
    canvas.fill_rect(left, top, right, bottom, WHITE)
    canvas.frame_rect(left, top, right, bottom, BLACK)
    # The folded corner: the part beyond the fold line is cut away, the flap below it is grey.
    for i in range(fold + 1):
        y = top + i
        for x in range(right - fold + i + 1, right + 1):
            canvas.put(x, y, CLEAR)
        canvas.put(right - fold + i, y, BLACK)  # the diagonal edge of the cut
        canvas.put(right - fold, y, BLACK)  # the flap's left edge
        for x in range(right - fold + 1, right - fold + i):
            canvas.put(x, y, SILVER)
    canvas.fill_rect(right - fold, top + fold, right, top + fold, BLACK)  # the flap's bottom edge
    # Lines of text of varying lengths, as on a page of a listing.
    widths = [1.0, 0.8, 0.95, 0.6, 0.9, 0.75, 1.0, 0.5]
    for i, y in enumerate(text_rows):
        span = text_right - text_left
        end = text_left + int(round(span * widths[i % len(widths)]))
        if y < top + fold + 2:
            end = min(end, right - fold - 2)  # keep clear of the folded corner
        canvas.fill_rect(text_left, y, end, y, GREY)


def draw_magnifier(canvas, cx, cy, radius, ring, handle_from, handle_to, handle_width):
    """A round lens with a dark rim over the page; the text seen through it is drawn darker and
    the paper tinted, as through glass. A black handle runs down to the right."""
    for y in range(canvas.size):
        for x in range(canvas.size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d > radius:
                continue
            if d > radius - ring:
                canvas.put(x, y, NAVY)
            elif is_glint(x + 0.5 - cx, y + 0.5 - cy, radius - ring):
                canvas.put(x, y, WHITE)
            elif canvas.get(x, y) in (GREY, BLACK):
                canvas.put(x, y, NAVY)
            else:
                canvas.put(x, y, AQUA)
    (x0, y0), (x1, y1) = handle_from, handle_to
    for y in range(canvas.size):
        for x in range(canvas.size):
            if segment_distance(x + 0.5, y + 0.5, x0, y0, x1, y1) <= handle_width / 2.0:
                canvas.put(x, y, BLACK)


def is_glint(dx, dy, inner):
    """The light caught on the glass: a short arc in the lens's upper left."""
    d = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(dy, dx)) % 360.0
    return 0.5 * inner <= d <= 0.75 * inner and 195.0 <= angle <= 255.0


def segment_distance(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def draw_large():
    canvas = Canvas(32)
    draw_page(canvas, 3, 1, 22, 28, fold=6, text_rows=[5, 8, 11, 14, 17, 20, 23],
              text_left=6, text_right=19)
    draw_magnifier(canvas, cx=19.5, cy=17.5, radius=8.5, ring=2.2,
                   handle_from=(25.5, 23.5), handle_to=(30.0, 28.0), handle_width=3.6)
    return canvas


def draw_small():
    canvas = Canvas(16)
    draw_page(canvas, 1, 0, 11, 14, fold=3, text_rows=[3, 5, 7, 9, 11], text_left=3,
              text_right=9)
    draw_magnifier(canvas, cx=9.5, cy=8.5, radius=4.6, ring=1.2,
                   handle_from=(12.6, 11.6), handle_to=(15.0, 14.0), handle_width=2.2)
    return canvas


def icon_image(canvas):
    """One image of the icon file: a bottom-up 4-bit bitmap (height doubled, as icons count the
    mask with it), the palette, the colour rows and the transparency mask."""
    size = canvas.size
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_rows = bytearray()
    mask_rows = bytearray()
    for y in reversed(range(size)):
        row = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for x in range(size):
            value = canvas.get(x, y)
            if value is CLEAR:
                mask[x // 8] |= 0x80 >> (x % 8)
                value = 0
            row[x // 2] |= value << (4 if x % 2 == 0 else 0)
        colour_rows += row
        mask_rows += mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(colour_rows) + bytes(mask_rows)


def icon_file(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "orv.ico"), "wb") as f:
        f.write(icon_file([draw_large(), draw_small()]))


if __name__ == "__main__":
    main()
