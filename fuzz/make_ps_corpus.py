#!/usr/bin/env python3
"""Writes the seed inputs of ps_fuzz into fuzz/corpus/ps/ (seed-*.bin).

Each seed is the 8-byte header ps_fuzz.cpp describes and a print file of one of the three
drivers, made of random records, page breaks and lines that are no records. Rerun after changing
that layout; inputs the fuzzer found (other names) are kept.
"""
import os
import random
import struct

from make_corpus import write_seeds

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "ps")

FOUND, PS10, PS20, PS30 = range(4)
HEADERS = {PS10: b"%!PS-Adobe-1.0", PS20: b"%!PS-Adobe-2.0", PS30: b"%!PS-Adobe-3.0"}
ALPHABET = b"abcdefghij klmnopqrstuvwxyzABC0123456789.,;-()\\nu"


def header(dialect=FOUND, capacity=255, entries=255, linelen=0, height=15, width=7, dpi=48,
           repeat=0):
    return bytes([dialect, capacity, entries, linelen, height, width, dpi, repeat])


def text(rng, low=0, high=40):
    raw = bytes(rng.choice(ALPHABET) for _ in range(rng.randint(low, high)))
    out = bytearray()
    for c in raw:  # parentheses and backslashes escaped, as the drivers write them
        if c in b"()\\":
            out += b"\\" + bytes([c])
        else:
            out.append(c)
    if rng.random() < 0.1:
        out += b"\\267"
    return bytes(out)


def record(rng, dialect, x, y):
    t = text(rng)
    if dialect == PS10:
        if rng.random() < 0.5:
            return b"%d %d 0 0 (%s)fjt" % (x, y, t)
        return b"(%s) 0 0 %d %d fet" % (t, x, y)
    if dialect == PS20:
        word = rng.choice([b"TXs", b"TXb", b"TX"])
        if rng.random() < 0.1:
            return b"(%s\r\n%s) %d %d %s" % (t, text(rng), x, y, word)
        return b"(%s) %d %d %s" % (t, x, y, word)
    return b"%d %d 0 (%s) SB" % (x, y, t)


def page_break(dialect):
    return {PS10: b"%End Page", PS20: b"0 0 moveto showpage", PS30: b"EJ"}[dialect]


def print_file(rng, dialect, records, end=b"\r\n", huge=False):
    lines = [HEADERS[dialect], b"%%Creator: a text driver", b"/F 10 def"]
    y = 100
    for i in range(records):
        step = rng.choice([0, 0, 50, 50, 50, 100, 300, -50])
        if huge and rng.random() < 0.05:
            step = rng.choice([10 ** 13, -(10 ** 13)])
        y = y - step if dialect == PS10 else y + step
        x = rng.choice([0, 75, 150, 300, 600, 1200]) + rng.randint(0, 40)
        if huge and rng.random() < 0.05:
            x = 10 ** 13
        line = record(rng, dialect, x, y)
        if dialect == PS20 and rng.random() < 0.1:
            line += b" " + record(rng, dialect, x + 300, y)
        if dialect == PS20 and rng.random() < 0.05:
            line += b" showpage"
        lines.append(line)
        if rng.random() < 0.04:
            lines.append(page_break(dialect))
            y = 100
        if rng.random() < 0.05:
            lines.append(b"junk " + text(rng) + b" (no record")
    return end.join(lines) + end


def seeds():
    rng = random.Random(64)
    s = {}
    for dialect, name in ((PS10, "10"), (PS20, "20"), (PS30, "30")):
        s["found-" + name] = header() + print_file(rng, dialect, 60)
        s["set-" + name] = header(dialect) + print_file(rng, dialect, 40)
        s["lf-" + name] = header(dialect, height=20) + print_file(rng, dialect, 30, end=b"\n")
        s["huge-" + name] = header(FOUND, capacity=3, entries=9) + print_file(
            rng, dialect, 40, huge=True)
        s["blocks-" + name] = header(FOUND, repeat=15, linelen=255) + print_file(
            rng, dialect, 300)
    s["plain-text"] = header() + b"just some\r\nplain text\r\n" * 20
    s["pjl-30"] = header() + b"\x1b%-12345X@PJL\r\n" + print_file(rng, PS30, 20)
    s["long-line"] = header(PS30) + b"%!PS-Adobe-3.0\r\n" + b"1" * 900 + b" SB\r\n0 0 0 (x) SB\r\n"
    s["empty-3"] = header(PS30)
    return s


def main():
    write_seeds(OUT, seeds())


if __name__ == "__main__":
    main()
