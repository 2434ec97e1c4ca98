#!/usr/bin/env python3
"""Writes the seed inputs of engine_fuzz into fuzz/corpus/engine/ (seed-*.bin).

Each seed is a header in the layout engine_fuzz.cpp describes, a script of moves and the body of
the file. Rerun after changing that layout; inputs the fuzzer found (other names) are kept.
"""
import os
import random
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "engine")

TEXT, HEX, BINARY = 0, 1, 2
ASK, YES, NO = 0, 1, 2
YES_A, NO_A, CANCEL_A = 0, 1, 2

# Moves, numbered as MoveOp in engine_fuzz.cpp.
(TO_END, TO_TOP, DOWN, PAGE_DOWN, UP, SCROLL_ONE, GO_OFFSET, GO_PERCENT, REPOSITION,
 TOGGLE_HEX, TOGGLE_RAW, TOGGLE_SPLITTING, SET_TABS, RESIZE, NEXT_BLOCK, RESET,
 SET_MATCH) = range(17)


def match(row, column, length):
    return row | column << 8 | length << 16

# FileBuffer choices (index into kFileBuffers): 0 -> smallest (30720), 7 -> default L * 400.
FB_MIN, FB_DEFAULT, FB_40000, FB_65536 = 0, 7, 4, 6
LL_256, LL_1024 = 3, 2
BP_LARGE, BP_TWO = 255, 0


def tabs(n):
    return n - 1  # 1..300 as stored: 1 + v % 300


def pages(n):
    return n - 1


def odd(k):
    return 0xFF00 + k  # one of kOddTabs / kOddPages


def seed(body, mode=TEXT, strip=0, cr=0, all256=0, showcrlf=0, opening=0, clear=0,
         policy=YES, answers=(), tab=tabs(8), page=pages(22), linelen=LL_256, fbuf=FB_MIN,
         bptr=BP_LARGE, repeat=1, moves=()):
    flags = mode | strip << 2 | cr << 3 | all256 << 4 | showcrlf << 5 | opening << 6 | clear << 7
    answer_bits = 0
    for i, a in enumerate(answers[:4]):
        answer_bits |= a << (2 * i)
    header = bytes([flags, policy, answer_bits]) + struct.pack("<HH", tab, page)
    header += bytes([linelen, fbuf, bptr, repeat - 1, len(moves)])
    script = b"".join(struct.pack("<BI", op, arg & 0xFFFFFFFF) for op, arg in moves)
    return header + script + body


def lines(rng, count, low=0, high=80, alphabet=b"abcdefghij klmnopqrstuvwxyz0123456789"):
    out = bytearray()
    for _ in range(count):
        out += bytes(rng.choice(alphabet) for _ in range(rng.randint(low, high))) + b"\n"
    return bytes(out)


WALK = [(TO_END, 0), (UP, 500), (PAGE_DOWN, 0), (TO_TOP, 0), (GO_PERCENT, 50_000_000),
        (GO_OFFSET, 0x1000 << 2), (SCROLL_ONE, 1), (SCROLL_ONE, 0), (NEXT_BLOCK, 0)]


def seeds():
    rng = random.Random(1996)
    text1k = lines(rng, 25)
    s = {}
    s["empty-text"] = seed(b"", moves=[(TO_END, 0), (GO_PERCENT, 0x7 | 5 << 3)])
    s["empty-hex"] = seed(b"", mode=HEX, moves=[(TO_END, 0), (PAGE_DOWN, 0)])
    s["empty-binary"] = seed(b"", mode=BINARY, moves=[(TO_END, 0)])
    s["one-line-no-lf"] = seed(b"hello", moves=[(TO_END, 0), (NEXT_BLOCK, 0)])
    s["short-text-walk"] = seed(text1k, moves=WALK)
    s["text-blocks-walk"] = seed(text1k, repeat=120, moves=WALK + [(REPOSITION, 0)])
    s["hex-blocks-walk"] = seed(text1k, mode=HEX, repeat=120, moves=WALK)
    s["binary-blocks-walk"] = seed(text1k, mode=BINARY, repeat=120, moves=WALK)
    s["binary-crlf-shown"] = seed(b"row one\r\nrow two\rrow three\n" * 20, mode=BINARY, cr=1,
                                  showcrlf=1, moves=[(PAGE_DOWN, 0), (TOGGLE_SPLITTING, 2)])
    s["binary-long-rows"] = seed(bytes(range(256)) * 4, mode=BINARY, repeat=40,
                                 moves=[(TO_END, 0), (SCROLL_ONE, 0), (GO_OFFSET, 3 | 2 << 2)])
    s["crlf-text"] = seed(b"first line\r\nsecond\r\n\r\nlone \r cr\r\n" * 30,
                          moves=[(TO_END, 0), (TOGGLE_RAW, 0), (TOGGLE_SPLITTING, 1)])
    s["tabs-8"] = seed(b"a\tb\t\tc\n\t\t\t\tdeep\n" * 40, moves=[(PAGE_DOWN, 0)])
    s["tabs-1"] = seed(b"x\ty\t\tz\n" * 40, tab=tabs(1))
    s["tabs-300"] = seed(b"\t" * 30 + b"x\n" + b"a\tb\n" * 30, tab=tabs(300), page=pages(59))
    s["tabs-odd"] = seed(b"\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tq\n" * 100, tab=odd(6),
                         moves=[(SET_TABS, odd(7)), (SET_TABS, odd(2)), (SET_TABS, odd(3)),
                                (SET_TABS, 0)])
    s["tabs-fill-display"] = seed(b"\t" * 255 + b"\n", repeat=200, tab=tabs(300), page=odd(6),
                                  moves=[(PAGE_DOWN, 0), (TO_END, 0)])
    s["nul-split"] = seed(b"ab\0\0cd\nab\0\0\n" * 10, moves=[(TO_END, 0), (REPOSITION, 0)])
    s["nul-trailing"] = seed(b"text line\n" + b"\0" * 100, policy=ASK)
    s["nul-trailing-long"] = seed(b"text line\n" + b"\0" * 300, policy=ASK, answers=(NO_A,))
    s["nul-leading"] = seed(b"\0\0\0abc\n" * 5, policy=ASK, answers=(NO_A, YES_A))
    s["nul-run-to-end"] = seed(b"abc" + b"\0" * 40)
    s["long-line-ask-yes"] = seed(b"x" * 600 + b"\nshort\n", policy=ASK, answers=(YES_A,),
                                  moves=[(TOGGLE_HEX, 0), (TO_END, 0)])
    s["long-line-ask-no"] = seed(b"x" * 600 + b"\nshort\n", policy=ASK, answers=(NO_A,),
                                 moves=[(TO_END, 0), (TOGGLE_RAW, 0)])
    s["long-line-cancel-open"] = seed(b"y" * 700 + b"\n", policy=ASK, opening=1,
                                      answers=(CANCEL_A,))
    s["long-line-cancel-later"] = seed(b"y" * 700 + b"\n", policy=ASK, answers=(CANCEL_A,))
    # A full line table (1920 lines at the smallest sizes) ends block 0 before the long line.
    s["long-line-late-block"] = seed(b"\n" * 2100 + b"z" * 2000 + b"\n", policy=ASK,
                                     answers=(YES_A, NO_A), moves=[(TO_END, 0), (TO_TOP, 0),
                                                                   (TOGGLE_HEX, 0), (TO_END, 0)])
    s["long-line-policy-no"] = seed(b"ab\n" * 2000 + b"w" * 3000, policy=NO,
                                    moves=[(TO_END, 0), (GO_PERCENT, 0x7 | 3 << 3)])
    s["linelength-1024"] = seed(b"m" * 1000 + b"\n" + text1k, linelen=LL_1024, fbuf=FB_DEFAULT,
                                moves=[(TO_END, 0)])
    s["too-large-text"] = seed(text1k, bptr=BP_TWO, repeat=120, moves=[(TO_END, 0), (TO_END, 0)])
    s["too-large-hex"] = seed(bytes(range(256)), mode=HEX, bptr=BP_TWO, repeat=250,
                              moves=[(GO_PERCENT, 0x7 | 4 << 3), (PAGE_DOWN, 0)])
    s["too-large-three"] = seed(text1k, bptr=1, repeat=200, moves=[(GO_OFFSET, 3 | 3 << 2)])
    s["empty-lines-table-full"] = seed(b"\n" * 500, repeat=100, moves=WALK)
    s["exact-read-size"] = seed(b"abcdefghijklmnopqrstuvwxyz01234\n" * 8, repeat=120,
                                moves=[(TO_END, 0), (NEXT_BLOCK, 0), (UP, 3)])
    # 30721 = 31 * 991 bytes: one byte more than the smallest read size.
    s["read-size-plus-one"] = seed((text1k * 2)[:991], repeat=31,
                                   moves=[(TO_END, 0), (UP, 0), (NEXT_BLOCK, 0)])
    s["strip-bit7"] = seed(bytes(range(128, 256)) + b"\n" + text1k, strip=1, repeat=30,
                           moves=[(TO_END, 0), (TOGGLE_SPLITTING, 0), (TOGGLE_HEX, 0)])
    s["hex-all256"] = seed(bytes(range(256)), mode=HEX, all256=1, repeat=10,
                           moves=[(TOGGLE_RAW, 0), (SCROLL_ONE, 1), (SCROLL_ONE, 1)])
    s["hex-20-bytes"] = seed(b"0123456789abcdefghij", mode=HEX, moves=[(TO_END, 0)])
    s["resize-between-steps"] = seed(text1k, repeat=100,
                                     moves=[(PAGE_DOWN, 0), (TO_END, 0), (RESIZE, pages(5)),
                                            (TO_TOP, 0), (RESIZE, pages(59)), (TO_END, 0),
                                            (UP, 1), (RESIZE, odd(5)), (RESIZE, odd(0))])
    s["pages-odd"] = seed(text1k, page=odd(3), repeat=40, moves=[(TO_END, 0), (RESIZE, odd(6))])
    s["pages-one"] = seed(text1k, mode=HEX, page=pages(1), repeat=40,
                          moves=[(SCROLL_ONE, 1), (SCROLL_ONE, 0), (TO_END, 0)])
    s["fb-40000"] = seed(text1k, fbuf=FB_40000, linelen=4, repeat=50, moves=WALK)
    s["fb-65536-binary"] = seed(text1k, mode=BINARY, fbuf=FB_65536, repeat=50, moves=WALK)
    s["goto-offsets"] = seed(text1k, repeat=60,
                             moves=[(GO_OFFSET, 3 | 0 << 2), (GO_OFFSET, 3 | 1 << 2),
                                    (GO_OFFSET, 3 | 2 << 2), (GO_OFFSET, 3 | 3 << 2),
                                    (GO_OFFSET, 1 | 5 << 2), (GO_OFFSET, 12345 << 2)])
    s["goto-percents"] = seed(text1k, mode=HEX, repeat=60,
                              moves=[(GO_PERCENT, 0x7 | k << 3) for k in range(8)])
    s["mode-toggles"] = seed(text1k, repeat=40,
                             moves=[(TOGGLE_HEX, 0), (TOGGLE_RAW, 0), (TOGGLE_HEX, 0),
                                    (TOGGLE_RAW, 0), (TOGGLE_SPLITTING, 0),
                                    (TOGGLE_SPLITTING, 1), (TOGGLE_SPLITTING, 2), (RESET, 1),
                                    (RESET, 0)])
    s["clear-mode-open"] = seed(bytes(rng.randrange(256) for _ in range(900)), mode=HEX,
                                clear=1, policy=ASK, answers=(NO_A,), moves=[(TO_END, 0)])
    s["random-bytes-text"] = seed(bytes(rng.randrange(256) for _ in range(2000)), repeat=20,
                                  policy=ASK, answers=(YES_A, NO_A, YES_A, NO_A),
                                  moves=[(TO_END, 0), (TOGGLE_HEX, 0), (TOGGLE_HEX, 0)])
    s["match-binary-wrap"] = seed(b"0123456789\r\nabcdefghij\nklmnopqrstuvwxyz\n" * 30, mode=BINARY,
                                  moves=[(SET_MATCH, match(2, 5, 40)), (SCROLL_ONE, 1),
                                         (SET_MATCH, match(22, 70, 299)),
                                         (TOGGLE_SPLITTING, 2), (SET_MATCH, match(0, 0, 0))])
    s["match-binary-long"] = seed(bytes(range(32, 127)) * 20, mode=BINARY,
                                  moves=[(SET_MATCH, match(1, 60, 250)), (PAGE_DOWN, 0)])
    s["match-text-tabs"] = seed(b"a\tb\t\tneedle\n\t\t\tx\n" * 40,
                                moves=[(SET_MATCH, match(3, 4, 6)), (SET_MATCH, match(23, 0, 1)),
                                       (SET_TABS, odd(6)), (SET_MATCH, match(1, 99, 5))])
    return s


def write_seeds(out, seeds):
    """Replaces the seed files in out with seeds, a dict from name to bytes."""
    os.makedirs(out, exist_ok=True)
    for name in os.listdir(out):
        if name.startswith("seed-"):
            os.remove(os.path.join(out, name))
    total = 0
    for name, data in sorted(seeds.items()):
        with open(os.path.join(out, "seed-" + name + ".bin"), "wb") as f:
            f.write(data)
        total += len(data)
    print(f"{len(seeds)} seeds, {total} bytes in {out}", file=sys.stderr)


def main():
    write_seeds(OUT, seeds())


if __name__ == "__main__":
    main()
