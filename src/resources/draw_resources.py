#!/usr/bin/env python3
"""Draws every picture ORV32.EXE names -- icons, bitmaps and cursors -- into src/resources/pictures/.

    python3 src/resources/draw_resources.py            rewrites the pictures
    python3 src/resources/draw_resources.py --check    exits 1 when a written picture is out of date
    python3 src/resources/draw_resources.py --preview F.png   also writes a magnified contact sheet

The pictures are made here from simple shapes and rows of letters (drawing/), in the 16 colours
of the classic Windows palette. Standard library only; the output is the same byte for byte on
every run, so the checked-in files can be compared with what this script makes.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, HERE)

from drawing import bitmaps, buttons, cursors, icons  # noqa: E402
from drawing.canvas import (CLEAR, INVERT, PALETTE, bitmap_file, cursor_file,  # noqa: E402
                            icon_file, mono_bitmap_file, png_file)

OUT = os.path.join(HERE, "pictures")


def pictures():
    """(file name, bytes, canvases for the preview) of every picture, in a fixed order."""
    out = []
    for name, (large, small) in icons.ICONS.items():
        images = [large(), small()]
        out.append((name + ".ico", icon_file(images), images))
    for name, draw in buttons.BUTTONS.items():
        image = draw()
        out.append((name + ".ico", icon_file([image]), [image]))
    for name, draw in bitmaps.BITMAPS.items():
        image = draw()
        out.append((name + ".bmp", bitmap_file(image), [image]))
    for name, draw in bitmaps.MONO_BITMAPS.items():
        image = draw()
        out.append((name + ".bmp", mono_bitmap_file(image), [image]))
    for name, (draw, hot_x, hot_y) in cursors.CURSORS.items():
        image = draw()
        out.append((name + ".cur", cursor_file(image, hot_x, hot_y), [image]))
    return out


def preview(path, items, scale=4):
    """Every picture on a teal desktop, magnified, eight to a row, each image of an icon below the
    one before; cursors show their inverted pixels in magenta."""
    cell, per_row = 40, 8
    width = cell * per_row
    height = cell * 2 * ((len(items) + per_row - 1) // per_row)
    pixels = [[(0, 128, 128)] * width for _ in range(height)]
    for index, (_, _, canvases) in enumerate(items):
        x = (index % per_row) * cell + 4
        y = (index // per_row) * cell * 2 + 4
        for c in canvases:
            for cy in range(c.height):
                for cx in range(c.width):
                    v = c.get(cx, cy)
                    if v is not CLEAR:
                        pixels[y + cy][x + cx] = (255, 0, 255) if v == INVERT else PALETTE[v]
            y += c.height + 4
    big = []
    for line in pixels:
        wide = [p for p in line for _ in range(scale)]
        big.extend([wide] * scale)
    with open(path, "wb") as f:
        f.write(png_file(width * scale, height * scale, big))


def main(argv):
    items = pictures()
    if "--check" in argv:
        stale = []
        for name, data, _ in items:
            path = os.path.join(OUT, name)
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        known = {name for name, _, _ in items}
        extra = sorted(set(os.listdir(OUT)) - known) if os.path.isdir(OUT) else []
        for name in stale:
            print("out of date: pictures/" + name)
        for name in extra:
            print("not drawn by draw_resources.py: pictures/" + name)
        if stale or extra:
            print("run: python3 src/resources/draw_resources.py")
            return 1
        print("%d pictures up to date" % len(items))
        return 0
    os.makedirs(OUT, exist_ok=True)
    for name, data, _ in items:
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    if "--preview" in argv:
        preview(argv[argv.index("--preview") + 1], items)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
