#!/usr/bin/env python3
"""Writes the seed inputs of find_fuzz into fuzz/corpus/find/ (seed-*.bin).

Each seed is a header in the layout find_fuzz.cpp describes, string 1, string 2 and the region.
Rerun after changing that layout; inputs the fuzzer found (other names) are kept.
"""
import glob
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "find")

RE, HEX, ICASE, BOOL, NOT1, NOT2, OR, LINES = (1 << k for k in range(8))


def seed(s1, s2=b"", flags=LINES, linelen=0, answers=0xFF, after=0, region=b""):
    header = bytes([flags, linelen, answers, len(s1), len(s2), after])
    return header + s1 + s2 + region


def lines(*texts):
    return b"".join(t + b"\0" for t in texts)


SEEDS = {
    "plain": seed(b"printf", region=lines(b"int main()", b"  printf(\"hi\");")),
    "plain-icase": seed(b"PrintF", flags=LINES | ICASE, region=lines(b"x", b"PRINTF and printf")),
    "plain-raw": seed(b"ab", flags=0, region=b"xa\0ab" * 40),
    "plain-long": seed(b"needle!", region=(b"needl" * 300) + b"needle!"),
    "hex": seed(b"0d 0a 41", flags=HEX, region=b"zz\r\nA\r\n"),
    "hex-bad": seed(b"0g", flags=HEX, answers=0x00, region=b"0g"),
    "hex-bad-off": seed(b"4x 0g", flags=HEX, answers=0x01, region=b"a 4x 0g"),
    "hex-big": seed(b"1ff 123456789 x", flags=HEX, region=b"\xff\x89"),
    "re-plus": seed(b"ab+c", flags=RE | LINES, region=lines(b"ac", b"abbbbc")),
    "re-star": seed(b"a*c", flags=RE | LINES, region=lines(b"abcabc")),
    "re-set-run": seed(b"[a-c]*x", flags=RE | LINES, region=lines(b"abcx", b"zx")),
    "re-negated": seed(b"[!0-9]+[z-a]?", flags=RE | ICASE, region=b"123abc\x80\xff"),
    "re-escape": seed(b"\\*+\\[[\\]\\-]", flags=RE | LINES, region=lines(b"**[]", b"*[-")),
    "re-stars": seed(b"*a*b*?c*", flags=RE, linelen=30, region=b"xxaxxbxxxcxx" * 20),
    "re-bad": seed(b"[a-", flags=RE | LINES, answers=0x00, region=lines(b"[a-")),
    "re-bound": seed(b"ab?", flags=RE, after=ord("c"), region=b"xxab"),
    "re-auto": seed(b"a*b", flags=LINES, answers=0x01, region=lines(b"a*b axb")),
    "and": seed(b"foo", b"bar", flags=BOOL | LINES, region=lines(b"foo", b"bar", b"bar foo")),
    "or": seed(b"foo", b"bar", flags=BOOL | OR | LINES, region=lines(b"x", b"bar foo")),
    "not-alone": seed(b"foo", flags=BOOL | NOT1 | LINES, region=lines(b"foo 1", b"foo 2", b"no")),
    "and-not": seed(b"foo", b"bar", flags=BOOL | NOT2 | LINES,
                    region=lines(b"bar foo foo", b"zz", b"foo")),
    "and-both-not": seed(b"foo", b"bar", flags=BOOL | NOT1 | NOT2 | LINES,
                         region=lines(b"foo", b"bar", b"baz")),
    "and-raw": seed(b"foo", b"bar", flags=BOOL, linelen=5,
                    region=b"foo" + b"x" * 300 + b"foo" + b"x" * 200 + b"bar"),
    "and-many": seed(b"a", b"b", flags=BOOL | LINES, region=lines(*([b"a"] * 500 + [b"b a"]))),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for old in glob.glob(os.path.join(OUT, "seed-*.bin")):
        os.remove(old)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, "seed-%s.bin" % name), "wb") as f:
            f.write(data)
    print("%d seeds in %s" % (len(SEEDS), OUT))


if __name__ == "__main__":
    main()
