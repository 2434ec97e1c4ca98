// Turning what the user typed into a pattern (hex bytes, the wildcard dialect and its checks),
// and the matchers: one pattern over a region, the first line without it, and the two-string
// AND/OR query with negation.
#include "find/findpat.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/uiseam.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ORV_FINDPAT_SSE2 1
#endif

FindSettings gFind;

namespace {

const char kHexCharacters[] = " 0123456789aAbBcCdDeEfFxX";
const char kFindModeCaption[] = "Find Mode";
const char kBadHexText[] = "Invalid hex digit!\nTurn hex find off?";
const char kTruncatedText[] = "String must be bytes (00 -> FF).\nValue has been truncated";
const char kTurnRegexOffText[] = "\nTurn off regular expressions?";
const char kRegexCaption[] = "RegExp";
const char kLooksLikeRegexText[] = "This looks like a regular expression.\nTurn RE on?";
const char kSearchModeCaption[] = "Srch Mode";
const char kBothModesText[] = "Hex and regular expressions can't both be on.\nTurn RE off?";

// A pattern whose first character is one of these cannot start only where that character
// stands, so every position is tried.
const char kRegexOpeners[] = "!*+-?[\\]";

// The find fields hold 79 characters and a terminator; a field without one is read as 79.
int32_t TextLength(const char* text) {
    int32_t n = 0;
    while (n < kFindTextMax - 1 && text[n])
        n++;
    return n;
}

inline unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}

inline bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int AskYesNo(const char* text, const char* caption, PromptIcon icon) {
    PromptRequest q = {text, caption, kButtonsYesNo, icon, kPromptOwnedByFocus};
    return Ui_Ask(q);
}

// ---- The dialect, compiled
// ------------------------------------------------------------------------

// Longer patterns than this are not searched for; the find fields hold 79 characters.
constexpr int32_t kRegexMaxLength = 255;

enum ElemKind : uint8_t {
    kElemChar,    // one character
    kElemCharRun, // a character and "+": the whole run, never given back
    kElemAny,     // "?"
    kElemStar,    // "*"
    kElemSet,     // "[...]"
    kElemSetStar, // "[...]*": a run with one character of look-ahead, possibly empty
    kElemSetPlus, // "[...]+": the same, at least one
};

struct Elem {
    ElemKind kind;
    unsigned char c; // the character (folded when ignoring case)
    int16_t set;     // index into Regex::sets
};

// A set as the bytes it takes: bit b is set when byte b of the text is a member (folding is
// done when the set is built). The zero byte is never a member: it ends the text.
struct ByteSet {
    uint32_t bits[8];
    bool Has(unsigned char c) const {
        return (bits[c >> 5] >> (c & 31)) & 1;
    }
};

struct Regex {
    Elem elems[kRegexMaxLength];
    ByteSet sets[kRegexMaxLength / 2 + 1];
    int32_t count;
    bool fold;
    // The longest run of plain characters, which every match holds: a find looks for it with
    // the plain search and tries the pattern only where it could stand (no piece: length 0).
    unsigned char piece[kRegexMaxLength];
    int32_t pieceLength;
    int32_t minBefore; // the fewest and most characters a match holds before its piece
    int32_t maxBefore; // -1: any number (a run or a "*" comes first)
};

// Finds the piece and how far before it a match may begin.
void FindLiteralPiece(Regex* rx) {
    int32_t best = 0, bestLength = 0;
    for (int32_t k = 0; k < rx->count;) {
        int32_t run = 0;
        while (k + run < rx->count && rx->elems[k + run].kind == kElemChar)
            run++;
        if (run > bestLength) {
            best = k;
            bestLength = run;
        }
        k += run > 0 ? run : 1;
    }
    rx->pieceLength = bestLength;
    rx->minBefore = 0;
    rx->maxBefore = 0;
    for (int32_t k = 0; k < bestLength; k++)
        rx->piece[k] = rx->elems[best + k].c;
    for (int32_t k = 0; k < best; k++) {
        const ElemKind kind = rx->elems[k].kind;
        if (kind != kElemStar && kind != kElemSetStar)
            rx->minBefore++;
        if (kind == kElemChar || kind == kElemAny || kind == kElemSet) {
            if (rx->maxBefore >= 0)
                rx->maxBefore++;
        } else {
            rx->maxBefore = -1;
        }
    }
}

// Reads a set's members from p[i] (after "[" and any "!") to its "]", both for the check of a
// typed pattern and for matching, so the two never disagree about what a set holds. Returns the
// index after the "]" (length when the set is not closed) and the first problem met; with
// members it also fills in the bytes the set takes. Members compare as signed characters, so
// bytes 0x80-0xFF lie below all ASCII characters.
int32_t ScanSet(const char* p, int32_t length, int32_t i, bool fold, ByteSet* members,
                RegexProblem* problem) {
    *problem = kRegexOk;
    auto report = [&](RegexProblem found) {
        if (*problem == kRegexOk)
            *problem = found;
    };
    auto member = [&](int32_t at) -> unsigned char {
        unsigned char c = (unsigned char)p[at];
        return fold ? Fold(c) : c;
    };
    while (i < length && p[i] != ']') {
        int32_t lo = i;
        if (p[i] == '\\') {
            if (i + 1 >= length) {
                report(kRegexEndsInBackslash);
                return length;
            }
            lo = i + 1;
        }
        i = lo + 1;
        int32_t hi = lo;
        if (i < length && p[i] == '-') {
            if (i + 1 >= length || p[i + 1] == ']') {
                // No end: the start stands alone and the "-" is read as a member.
                report(kRegexRangeNoEnd);
            } else if (p[i + 1] == '\\') {
                if (i + 2 >= length) {
                    report(kRegexEndsInBackslash);
                    return length;
                }
                hi = i + 2;
                i += 3;
            } else {
                hi = i + 1;
                i += 2;
            }
        }
        if (members) {
            int a = (signed char)member(lo), b = (signed char)member(hi);
            if (a > b) {
                int t = a;
                a = b;
                b = t;
            }
            for (int byte = 1; byte < 256; byte++) {
                int v = (signed char)(fold ? Fold((unsigned char)byte) : (unsigned char)byte);
                if (v >= a && v <= b)
                    members->bits[byte >> 5] |= 1u << (byte & 31);
            }
        }
    }
    if (i >= length) {
        report(kRegexRangeNotClosed);
        return length;
    }
    return i + 1;
}

// Compiles any pattern, valid or not: a lone "\" at the end stands for itself, an unclosed set
// runs to the end, a "+" that follows nothing it could repeat is a literal "+". False only for
// a pattern longer than kRegexMaxLength.
bool CompileRegex(const char* p, int32_t length, bool fold, Regex* rx) {
    if (length > kRegexMaxLength)
        return false;
    rx->count = 0;
    rx->fold = fold;
    int32_t sets = 0;
    int32_t i = 0;
    while (i < length) {
        Elem& e = rx->elems[rx->count++];
        e.set = -1;
        const char c = p[i];
        if (c == '*' || c == '?') {
            e.kind = c == '*' ? kElemStar : kElemAny;
            i++;
        } else if (c == '[') {
            bool negated = i + 1 < length && p[i + 1] == '!';
            int32_t first = i + 1 + (negated ? 1 : 0);
            ByteSet& set = rx->sets[sets];
            memset(&set, 0, sizeof set);
            RegexProblem problem;
            i = ScanSet(p, length, first, fold, &set, &problem);
            if (negated) {
                // A negated set without members matches nothing.
                const bool empty = first >= length || p[first] == ']';
                for (uint32_t& w : set.bits)
                    w = empty ? 0 : ~w;
                set.bits[0] &= ~1u;
            }
            e.set = (int16_t)sets++;
            e.kind = kElemSet;
            if (i < length && (p[i] == '*' || p[i] == '+')) {
                e.kind = p[i] == '*' ? kElemSetStar : kElemSetPlus;
                i++;
            }
        } else {
            if (c == '\\' && i + 1 < length)
                i++;
            const unsigned char literal = (unsigned char)p[i++];
            e.kind = kElemChar;
            e.c = fold ? Fold(literal) : literal;
            if (i < length && p[i] == '+') {
                e.kind = kElemCharRun;
                i++;
            }
        }
    }
    FindLiteralPiece(rx);
    return true;
}

// What the match of one element has reached: the elements entered in this attempt after the
// last "*", and the spans of starting positions known to lead nowhere from there.
struct MatchMemo {
    int32_t enteredAt[kRegexMaxLength];
    int32_t reached[kRegexMaxLength];
    int32_t failFrom[kRegexMaxLength];
    int32_t failTo[kRegexMaxLength];
};

// Matches the compiled pattern at t, where t[0 .. limit) may be consumed (limit is at most the
// line length and the bytes left before the bound). Returns the matched length or -1.
//
// A "*" tries the rest at each following position, nearest first. Only the last "*" reached is
// ever moved on: the elements between two stars never give anything back, so where a later
// "*" has been reached and the rest fails at every position after it, moving an earlier "*"
// on could only start the later one further right. Each retry skips, in one step, starting
// positions already known to fail (a run entered anywhere inside the same run ends at the same
// place), which keeps a retry from redoing the runs of the previous one: the work stays near
// limit times the pattern's length, whatever the pattern.
int32_t MatchAt(const Regex& rx, const unsigned char* t, int32_t limit, MatchMemo* memo) {
    for (int32_t k = 0; k < rx.count; k++)
        memo->failFrom[k] = memo->failTo[k] = -1;
    int32_t ei = 0;
    int32_t pos = 0;
    int32_t starNext = -1; // the element after the last "*", -1 before any
    int32_t starPos = 0;   // where the rest is tried after it
    auto ok = [&](int32_t at) { return at < limit && t[at] != 0; };
    auto same = [&](const Elem& e, int32_t at) {
        return ok(at) && (rx.fold ? Fold(t[at]) : t[at]) == e.c;
    };
    auto inSet = [&](const Elem& e, int32_t at) { return ok(at) && rx.sets[e.set].Has(t[at]); };
    for (;;) {
        if (ei == rx.count)
            return pos;
        const Elem& e = rx.elems[ei];
        if (e.kind == kElemStar) {
            starNext = ei + 1;
            starPos = pos;
            ei++;
            continue;
        }
        bool matched = false;
        const int32_t start = pos;
        const bool known = pos >= memo->failFrom[ei] && pos < memo->failTo[ei];
        if (!known) {
            switch (e.kind) {
            case kElemChar:
            case kElemAny:
                matched = e.kind == kElemAny ? ok(pos) : same(e, pos);
                pos += matched;
                break;
            case kElemCharRun:
                matched = same(e, pos);
                while (same(e, pos))
                    pos++;
                break;
            case kElemSet:
                matched = inSet(e, pos);
                pos += matched;
                break;
            default: { // a set run: stop before the character the next element wants
                const Elem* next = ei + 1 < rx.count ? &rx.elems[ei + 1] : nullptr;
                auto stops = [&](int32_t at) {
                    if (!inSet(e, at) || !next)
                        return !inSet(e, at);
                    if (next->kind == kElemChar || next->kind == kElemCharRun)
                        return same(*next, at);
                    if (next->set >= 0)
                        return inSet(*next, at);
                    return false;
                };
                matched = true;
                if (e.kind == kElemSetPlus) {
                    matched = inSet(e, pos);
                    pos += matched;
                }
                if (matched)
                    while (!stops(pos))
                        pos++;
                break;
            }
            }
        }
        if (matched) {
            memo->enteredAt[ei] = start;
            memo->reached[ei] = pos;
            ei++;
            continue;
        }
        // Failed: the last "*" takes one more character, if there is one and it may.
        if (starNext < 0 || !ok(starPos))
            return -1;
        // Every state entered since that "*" leads nowhere; a run entered further inside its
        // own run would end at the same place.
        if (!known) {
            memo->failFrom[ei] = start;
            memo->failTo[ei] = start + 1;
        }
        for (int32_t k = starNext; k < ei; k++) {
            const ElemKind kind = rx.elems[k].kind;
            const bool run = kind == kElemCharRun || kind == kElemSetStar || kind == kElemSetPlus;
            memo->failFrom[k] = memo->enteredAt[k];
            memo->failTo[k] = run && memo->reached[k] > memo->enteredAt[k] ? memo->reached[k]
                                                                           : memo->enteredAt[k] + 1;
        }
        starPos++;
        pos = starPos;
        ei = starNext;
    }
}

// ---- Candidate scan ----------------------------------------------------------------------------

// Roughly how often each byte occurs in the text people search (prose and program source), so
// that a plain search looks for its rarest bytes first. Each line of a text view ends in a zero.
int ByteFrequency(unsigned char c) {
    static const short kLetters[26] = {820, 150, 280, 430, 1270, 220, 200, 610, 700,
                                       15,  77,  400, 240, 670,  750, 190, 10,  600,
                                       630, 910, 280, 98,  240,  15,  200, 7};
    if (c >= 'a' && c <= 'z')
        return kLetters[c - 'a'];
    if (c >= 'A' && c <= 'Z')
        return kLetters[c - 'A'] / 8 + 1;
    if (c == ' ')
        return 1600;
    if (c == 0)
        return 300;
    if (c >= '0' && c <= '9')
        return 60;
    if (c == '\t' || c == '\r')
        return 50;
    if (c < 0x80 && c > ' ' && strchr(".,;:()=\"'-_/*{}<>", c))
        return 40;
    return c < 0x80 ? 8 : 2;
}

// A byte this rare (about one in fifty of text, or rarer) is run to with the library's byte
// search; commoner bytes stop it too often, and the two-anchor scan judges fewer candidates.
constexpr int kRareByte = 200;

// One byte a candidate must hold at a given distance from its start: with ignore case a letter
// is taken in either case (a letter's two cases differ only in bit 5).
struct Anchor {
    int32_t offset;
    unsigned char orMask;
    unsigned char want;
};

Anchor MakeAnchor(int32_t offset, unsigned char c, bool fold) {
    if (fold && IsAsciiLetter(c))
        return {offset, 0x20, (unsigned char)(c | 0x20)};
    return {offset, 0, c};
}

typedef unsigned char ByteVector __attribute__((vector_size(16)));

// The lanes of a comparison's result (each all ones or all zeros) as the bits of a number, the
// lowest lane the lowest bit.
inline unsigned LaneBits(ByteVector v) {
#ifdef ORV_FINDPAT_SSE2
    __m128i m;
    memcpy(&m, &v, 16);
    return (unsigned)_mm_movemask_epi8(m);
#else
    unsigned bits = 0;
    for (int k = 0; k < 16; k++)
        bits |= (unsigned)(v[k] & 1) << k;
    return bits;
#endif
}

// The first i in [first, last] whose two anchor bytes are there and for which accept(i) holds,
// or -1. Sixteen positions are tested at once (GCC vector extensions: SSE2 where there is one,
// plain words elsewhere); only positions with both anchor bytes reach accept. kFolds: an
// anchor takes a letter in either case.
template <bool kFolds, typename Accept>
int64_t ScanAnchorsOf(const unsigned char* r, int64_t first, int64_t last, Anchor a, Anchor b,
                      Accept accept) {
    int64_t i = first;
    ByteVector maskA, wantA, maskB, wantB;
    for (int k = 0; k < 16; k++) {
        maskA[k] = a.orMask;
        wantA[k] = a.want;
        maskB[k] = b.orMask;
        wantB[k] = b.want;
    }
    auto hitsAt = [&](int64_t at) {
        ByteVector x, y;
        memcpy(&x, r + at + a.offset, 16);
        memcpy(&y, r + at + b.offset, 16);
        if constexpr (kFolds)
            return (ByteVector)(((x | maskA) == wantA) & ((y | maskB) == wantB));
        else
            return (ByteVector)((x == wantA) & (y == wantB));
    };
    while (i + 15 <= last) {
        // Four vectors at a time, tested together: most stretches of text hold no candidate.
        for (; i + 63 <= last; i += 64) {
            if (LaneBits(hitsAt(i) | hitsAt(i + 16) | hitsAt(i + 32) | hitsAt(i + 48)))
                break;
        }
        // The stretch that holds a candidate (or the last vectors), one vector at a time.
        for (const int64_t stop = i + 64; i + 15 <= last && i < stop; i += 16) {
            for (unsigned bits = LaneBits(hitsAt(i)); bits; bits &= bits - 1) {
                const int lane = __builtin_ctz(bits);
                if (accept(i + lane))
                    return i + lane;
            }
        }
    }
    for (; i <= last; i++) {
        if ((r[i + a.offset] | a.orMask) == a.want && (r[i + b.offset] | b.orMask) == b.want &&
            accept(i))
            return i;
    }
    return -1;
}

template <typename Accept>
int64_t ScanAnchors(const unsigned char* r, int64_t first, int64_t last, Anchor a, Anchor b,
                    Accept accept) {
    if (a.orMask | b.orMask)
        return ScanAnchorsOf<true>(r, first, last, a, b, accept);
    return ScanAnchorsOf<false>(r, first, last, a, b, accept);
}

bool SameBytes(const unsigned char* x, const unsigned char* y, int32_t n, bool fold) {
    if (!fold)
        return memcmp(x, y, (size_t)n) == 0;
    for (int32_t k = 0; k < n; k++)
        if (Fold(x[k]) != Fold(y[k]))
            return false;
    return true;
}

// A plain (or hex) search: the leftmost place where the pattern's bytes stand, whole, inside
// the region. Candidates are found by the pattern's two rarest bytes at once.
int64_t FindPlain(const unsigned char* r, int64_t n, const unsigned char* p, int32_t m, bool fold) {
    if (m > n)
        return -1;
    auto score = [&](int32_t k) {
        if (fold && IsAsciiLetter(p[k]))
            return ByteFrequency(Fold(p[k])) + ByteFrequency((unsigned char)(p[k] & ~0x20));
        return ByteFrequency(p[k]);
    };
    // The rarest byte, and the rarest of the others; the first of equals. One pass: a disk
    // search runs this once for every file it reads.
    int32_t k1 = 0, k2 = -1;
    int s1 = score(0), s2 = 0;
    for (int32_t k = 1; k < m; k++) {
        const int sk = score(k);
        if (sk < s1) {
            k2 = k1;
            s2 = s1;
            k1 = k;
            s1 = sk;
        } else if (k2 < 0 || sk < s2) {
            k2 = k;
            s2 = sk;
        }
    }
    if (k2 < 0)
        k2 = k1;
    const Anchor a = MakeAnchor(k1, p[k1], fold), b = MakeAnchor(k2, p[k2], fold);
    auto accept = [&](int64_t i) { return SameBytes(r + i, p, m, fold); };
    if (a.orMask == 0 && s1 <= kRareByte) {
        // A rare byte of one case: the library's byte search runs to it at memory speed, and
        // most text holds none, as with a disk search through many files that lack the pattern.
        int64_t stops = 0;
        for (int64_t i = 0; i <= n - m;) {
            // Text where the byte is not rare after all (another alphabet, random bytes) stops
            // the library's search too often: the two-anchor scan takes over.
            if (++stops > 64 && i < stops * 256)
                return ScanAnchors(r, i, n - m, a, b, accept);
            const unsigned char* hit =
                (const unsigned char*)memchr(r + i + k1, a.want, (size_t)(n - m - i + 1));
            if (!hit)
                return -1;
            i = hit - r - k1;
            if ((r[i + b.offset] | b.orMask) == b.want && accept(i))
                return i;
            i++;
        }
        return -1;
    }
    return ScanAnchors(r, 0, n - m, a, b, accept);
}

int32_t ClampLineLength(const FindScope& scope) {
    return scope.lineLength < 1 ? 1 : scope.lineLength;
}

// The leftmost match of a compiled pattern in r[0 .. n), looking at most at r[n].
int64_t FindRegex(const Regex& rx, const FindScope& scope, const unsigned char* r, int64_t n,
                  const char* pattern, int32_t* matched) {
    MatchMemo memo;
    const int32_t lineLength = ClampLineLength(scope);
    auto accept = [&](int64_t i) {
        const int64_t avail = n - i + 1; // the byte at the region's end may be looked at
        const int32_t limit = avail < lineLength ? (int32_t)avail : lineLength;
        *matched = MatchAt(rx, r + i, limit, &memo);
        return *matched >= 0;
    };
    const bool opener = pattern[0] != 0 && strchr(kRegexOpeners, pattern[0]);
    if (rx.pieceLength >= 2 || (opener && rx.pieceLength == 1)) {
        // Every match holds the piece: find it with the plain search, then try the starts that
        // could put it there, back to the zero before it (no match takes one in) and never
        // twice. The piece may take in the byte at the region's end, which a match may reach.
        int64_t tried = 0; // the first start not yet tried
        for (int64_t from = 0;;) {
            const int64_t found = FindPlain(r + from, n + 1 - from, rx.piece, rx.pieceLength,
                                            rx.fold);
            if (found < 0)
                return -1;
            const int64_t p = from + found;
            int64_t lo = rx.maxBefore < 0 ? p - lineLength : p - rx.maxBefore;
            if (lo < tried)
                lo = tried;
            int64_t hi = p - rx.minBefore;
            if (hi > n - 1)
                hi = n - 1;
            for (int64_t i = p - 1; i >= lo; i--)
                if (r[i] == 0) {
                    lo = i + 1;
                    break;
                }
            for (int64_t i = lo; i <= hi; i++)
                if (accept(i))
                    return i;
            if (hi + 1 > tried)
                tried = hi + 1;
            if (tried >= n)
                return -1;
            from = p + 1;
        }
    }
    if (opener) {
        for (int64_t i = 0; i < n; i++)
            if (accept(i))
                return i;
        return -1;
    }
    const Anchor first = MakeAnchor(0, (unsigned char)pattern[0], rx.fold);
    return ScanAnchors(r, 0, n - 1, first, first, accept);
}

bool UsesRegex(const FindSettings& s) {
    return s.regularExpression && !s.hexFind;
}

// A compiled pattern for the searches that run it many times (one line after another).
struct Searcher {
    const FindSettings* s;
    const FindScope* scope;
    const char* pattern;
    int32_t length;
    bool regex;
    Regex rx;
};

bool Searcher_Init(Searcher* f, const FindSettings& s, const FindScope& scope, const char* pattern,
                   int32_t length) {
    f->s = &s;
    f->scope = &scope;
    f->pattern = pattern;
    f->length = length;
    f->regex = UsesRegex(s);
    if (length <= 0) // an empty pattern finds nothing
        return false;
    return !f->regex || CompileRegex(pattern, length, s.ignoreCase != 0, &f->rx);
}

// Offset of the first match in region[0 .. n) and its length, or -1.
int64_t Searcher_Find(Searcher* f, const char* region, int64_t n, int32_t* matched) {
    const unsigned char* r = (const unsigned char*)region;
    if (n <= 0)
        return -1;
    if (f->regex)
        return FindRegex(f->rx, *f->scope, r, n, f->pattern, matched);
    *matched = f->length;
    return FindPlain(r, n, (const unsigned char*)f->pattern, f->length, f->s->ignoreCase != 0);
}

// ---- Lines -------------------------------------------------------------------------------------

// The length of the line that starts region[at]: in a text view up to and with the zero that
// ends it, at most LineLength characters; elsewhere the bytes are the file's own (zeros are
// data), and a "line" is the next LineLength bytes.
int64_t LineSpan(const FindScope& scope, const char* region, int64_t n, int64_t at) {
    const int64_t lineLength = ClampLineLength(scope);
    const int64_t left = n - at;
    const int64_t span = left < lineLength + 1 ? left : lineLength + 1;
    if (scope.textLines) {
        const char* end = (const char*)memchr(region + at, 0, (size_t)span);
        if (end)
            return end - (region + at) + 1;
    }
    return left < lineLength ? left : lineLength;
}

// How much of the line the region begins in lies before it, in the lines a NOT find takes: a
// line longer than LineLength is taken LineLength characters at a time from its real start.
int64_t LineBegun(const FindScope& scope, const char* region, int64_t n) {
    if (!scope.textLines || scope.lineBegun <= 0 || n <= 0)
        return 0;
    const int64_t lineLength = ClampLineLength(scope);
    int64_t begun = scope.lineBegun;
    if (begun > lineLength)
        begun = (begun - 1) % lineLength + 1;
    // A piece of LineLength characters takes in the zero that follows it, and nothing else.
    if (begun == lineLength && region[0] != 0)
        begun = 0;
    return begun;
}

int64_t FirstLineWithout(Searcher* f, const char* region, int64_t n, int64_t* lineOut) {
    int32_t matched;
    for (int64_t at = 0; at < n;) {
        const int64_t line = LineSpan(*f->scope, region, n, at);
        if (Searcher_Find(f, region + at, line, &matched) < 0) {
            *lineOut = line;
            return at;
        }
        at += line;
    }
    return -1;
}

// ---- The two-string query ----------------------------------------------------------------------

constexpr int64_t kNowhere = INT64_MIN;

struct Occurrence {
    int64_t at; // kNowhere: none; before the region for a line the region begins inside
    int32_t length;
    bool wholeLine; // a line that lacks a negated string
};

int32_t StringLength(const FindSettings& s, int which) {
    if (s.hexFind) {
        int32_t n = which == 1 ? s.byteCount1 : s.byteCount2;
        return n < 0 ? 0 : n > kFindTextMax ? kFindTextMax : n;
    }
    return TextLength(which == 1 ? s.string1 : s.string2);
}

Occurrence SearchString(const FindSettings& s, const FindScope& scope, const char* region,
                        int64_t n, int64_t from, int which) {
    Occurrence o = {kNowhere, 0, false};
    const char* pattern = which == 1 ? s.string1 : s.string2;
    const bool negated = (which == 1 ? s.not1 : s.not2) != 0;
    // A region begun inside a line: a negated string judges that line whole, from where it
    // really begins, so the line may come back as one that lacks the string.
    const int64_t back = negated && from == 0 ? LineBegun(scope, region, n) : 0;
    Searcher f;
    if (from >= n || !Searcher_Init(&f, s, scope, pattern, StringLength(s, which)))
        return o; // an empty string is found nowhere, and is in every line

    if (negated) {
        int64_t line = 0;
        int64_t at = FirstLineWithout(&f, region + from - back, n - from + back, &line);
        if (at >= 0)
            o = {from - back + at, (int32_t)line, true};
    } else {
        int32_t matched = 0;
        int64_t at = Searcher_Find(&f, region + from, n - from, &matched);
        if (at >= 0)
            o = {from + at, matched, false};
    }
    return o;
}

const char* Report(const char* region, const Occurrence& o, int32_t* matchLength, bool* wholeLine) {
    *matchLength = o.length;
    *wholeLine = o.wholeLine;
    return region + o.at;
}

const char* FindBoolean(const FindSettings& s, const FindScope& scope, const char* region,
                        int64_t n, int32_t* matchLength, bool* wholeLine) {
    Occurrence r1 = SearchString(s, scope, region, n, 0, 1);
    if (StringLength(s, 2) == 0)
        return r1.at == kNowhere ? nullptr : Report(region, r1, matchLength, wholeLine);
    Occurrence r2 = SearchString(s, scope, region, n, 0, 2);
    if (s.orMode && !s.andMode) {
        if (r1.at != kNowhere && (r2.at == kNowhere || r1.at <= r2.at))
            return Report(region, r1, matchLength, wholeLine);
        return r2.at == kNowhere ? nullptr : Report(region, r2, matchLength, wholeLine);
    }
    const int64_t lineLength = ClampLineLength(scope);
    for (;;) {
        if (r1.at == kNowhere || r2.at == kNowhere)
            return nullptr;
        const bool oneFirst = r1.at <= r2.at;
        const Occurrence& a = oneFirst ? r1 : r2;
        const Occurrence& b = oneFirst ? r2 : r1;
        // No pair is longer than LineLength: in text lines, where a line of the editor may be
        // longer, as in bytes. A restart nearer B below relies on it.
        const bool together =
            b.at - a.at <= lineLength &&
            (!scope.textLines || !memchr(region + a.at, 0, (size_t)(b.at - a.at)));
        if (together) {
            if (a.wholeLine == b.wholeLine) // neither negated, or both (A's whole line)
                return Report(region, a, matchLength, wholeLine);
            return Report(region, a.wholeLine ? b : a, matchLength, wholeLine);
        }
        // Start again after A (after its whole line when it is a line), or nearer B when B lies
        // more than a line past A. B is at or beyond the new start and stays the first
        // occurrence of its string from there: only A's string is looked for again, so every
        // round moves on, and a negated B keeps the whole line it was found as (looked for
        // again from inside a line, the rest of that line could lack what the line holds).
        int64_t from = a.wholeLine ? a.at + a.length : a.at + 1;
        if (b.at - a.at > lineLength && b.at - lineLength > from)
            from = b.at - lineLength;
        (oneFirst ? r1 : r2) = SearchString(s, scope, region, n, from, oneFirst ? 1 : 2);
    }
}


bool TakePiece(const FindSettings& s, const FindScope& scope, int which, FindSkip* skip) {
    const int32_t length = StringLength(s, which);
    if (length <= 0 || skip->pieces >= 2)
        return false;
    const char* pattern = which == 1 ? s.string1 : s.string2;
    const int k = skip->pieces;
    int32_t reach = 0;
    if (UsesRegex(s)) {
        Regex rx;
        if (!CompileRegex(pattern, length, s.ignoreCase != 0, &rx) || rx.pieceLength < 1)
            return false;
        memcpy(skip->piece[k], rx.piece, (size_t)rx.pieceLength);
        skip->length[k] = rx.pieceLength;
        reach = rx.maxBefore < 0 ? ClampLineLength(scope) : rx.maxBefore;
    } else {
        memcpy(skip->piece[k], pattern, (size_t)length);
        skip->length[k] = length;
    }
    if (reach > skip->reach)
        skip->reach = reach;
    skip->pieces++;
    return true;
}
} // namespace

int64_t FindLineBegun(const char* text, int64_t at) {
    int64_t begun = 0;
    while (begun < at && text[at - begun - 1] != 0)
        begun++;
    return begun;
}

void FindSettings_Init(FindSettings* s) {
    memset(s, 0, sizeof *s);
    s->ignoreCase = 1;
}

int ParseHexText(const char* text, char* hexTextOut, char* dest, int32_t* length,
                 int32_t* byteCount, int32_t* hexFind) {
    // The text may be one of the fields written below (string 1 is parsed in place).
    char typed[kFindTextMax];
    const int32_t n = TextLength(text);
    memcpy(typed, text, (size_t)n);
    typed[n] = 0;
    if (hexTextOut)
        memcpy(hexTextOut, typed, (size_t)n + 1);
    for (int32_t i = 0; i < n; i++) {
        if (strchr(kHexCharacters, typed[i]))
            continue;
        if (AskYesNo(kBadHexText, kFindModeCaption, kIconQuestion) != kAnswerYes)
            return -1;
        *hexFind = 0;
        *byteCount = 0;
        memcpy(dest, typed, (size_t)n + 1);
        *length = n;
        return 0;
    }
    int32_t count = 0;
    int32_t i = 0;
    for (;;) {
        while (i < n && typed[i] == ' ')
            i++;
        if (i >= n)
            break;
        if (typed[i] == '0' && i + 2 < n && (typed[i + 1] == 'x' || typed[i + 1] == 'X') &&
            HexDigitValue(typed[i + 2]) >= 0)
            i += 2;
        // Only the last two digits matter once a value is too big; the rest is remembered as a
        // flag, so a long run of digits cannot overflow.
        unsigned value = 0;
        bool digits = false, tooBig = false;
        for (int d; i < n && (d = HexDigitValue(typed[i])) >= 0; i++) {
            value = (value << 4) | (unsigned)d;
            tooBig = tooBig || value > 0xFF;
            value &= 0xFFF;
            digits = true;
        }
        while (i < n && typed[i] != ' ') // the token ends at its first non-digit: "4x" is 4
            i++;
        if (!digits)
            continue; // "x" alone holds no number: it gives no byte
        if (tooBig) {
            PromptRequest q = {kTruncatedText, nullptr, kButtonsOk, kIconInformation,
                               kPromptOwnedByFocus};
            Ui_Ask(q);
        }
        dest[count++] = (char)(value & 0xFF);
    }
    dest[count] = 0; // at most 40 bytes come from 79 characters
    *length = count;
    *byteCount = count;
    return 1;
}

RegexProblem ValidateRegex(const char* pattern, int32_t length) {
    if (length > 0 && pattern[0] == '+')
        return kRegexNoPreceding;
    for (int32_t i = 0; i < length;) {
        const char c = pattern[i];
        if (c == '\\') {
            if (i + 1 >= length)
                return kRegexEndsInBackslash;
            i += 2;
        } else if (c == '*' || c == '?') {
            if (i + 1 < length && pattern[i + 1] == '+')
                return kRegexNoPreceding;
            i++;
        } else if (c == '[') {
            if (i + 1 >= length)
                return kRegexRangeNotClosed;
            if (pattern[i + 1] == ']')
                return kRegexRangeEmpty;
            const int32_t first = i + 1 + (pattern[i + 1] == '!' ? 1 : 0);
            RegexProblem problem;
            i = ScanSet(pattern, length, first, false, nullptr, &problem);
            if (problem != kRegexOk)
                return problem;
        } else {
            i++;
        }
    }
    return kRegexOk;
}

const char* RegexProblemText(RegexProblem problem) {
    switch (problem) {
    case kRegexNoPreceding:
        return "No pattern preceeding +";
    case kRegexRangeEmpty:
        return "Range is empty.";
    case kRegexRangeNotClosed:
        return "Range is not closed.";
    case kRegexRangeNoEnd:
        return "Range has no end.";
    case kRegexEndsInBackslash:
        return "Pattern cannot end with \\";
    case kRegexOk:
        break;
    }
    return "";
}

bool LooksLikeRegex(const char* pattern, int32_t length) {
    for (int32_t i = 0; i < length; i++)
        if (pattern[i] != 0 && strchr("*+?[", pattern[i]))
            return true;
    return false;
}

int ConfirmFindMode(FindSettings* s) {
    const char* strings[2] = {s->string1, s->string2};
    const int taking = s->booleanFind ? 2 : 1;
    if (s->regularExpression) {
        for (int k = 0; k < taking && s->regularExpression; k++) {
            RegexProblem problem = ValidateRegex(strings[k], TextLength(strings[k]));
            if (problem == kRegexOk)
                continue;
            char text[96];
            snprintf(text, sizeof text, "%s%s", RegexProblemText(problem), kTurnRegexOffText);
            if (AskYesNo(text, nullptr, kIconWarning) != kAnswerYes)
                return 0;
            s->regularExpression = 0;
        }
    } else {
        // Offered only when every string taking part would pass the check as a pattern.
        bool looks = false, valid = true;
        for (int k = 0; k < taking; k++) {
            const int32_t n = TextLength(strings[k]);
            looks = looks || LooksLikeRegex(strings[k], n);
            valid = valid && ValidateRegex(strings[k], n) == kRegexOk;
        }
        if (looks && valid &&
            AskYesNo(kLooksLikeRegexText, kRegexCaption, kIconQuestion) == kAnswerYes)
            s->regularExpression = 1;
    }
    if (s->regularExpression && s->hexFind) {
        if (AskYesNo(kBothModesText, kSearchModeCaption, kIconQuestion) != kAnswerYes)
            return 0;
        s->regularExpression = 0;
    }
    return 1;
}

const char* FindOne(const FindSettings& s, const FindScope& scope, const char* region,
                    int64_t regionLength, const char* pattern, int32_t* patternLength) {
    Searcher f;
    if (!Searcher_Init(&f, s, scope, pattern, *patternLength))
        return nullptr;
    int32_t matched = 0;
    const int64_t at = Searcher_Find(&f, region, regionLength, &matched);
    if (at < 0)
        return nullptr;
    // A match never takes in the zero that ends a line (no element matches it), so the
    // length reported in a text view never counts the terminator.
    *patternLength = matched;
    return region + at;
}

struct CompiledPattern {
    Regex rx;
};

CompiledPattern* CompiledPattern_New(const char* pattern, int32_t length) {
    CompiledPattern* c = (CompiledPattern*)malloc(sizeof(CompiledPattern));
    if (c && (length <= 0 || !CompileRegex(pattern, length, true, &c->rx))) {
        free(c);
        c = nullptr;
    }
    return c;
}

void CompiledPattern_Free(CompiledPattern* compiled) {
    free(compiled);
}

bool CompiledPattern_MatchesAtStart(const CompiledPattern* c, const char* text, int32_t length) {
    MatchMemo memo;
    return MatchAt(c->rx, (const unsigned char*)text, length + 1, &memo) >= 0;
}

const char* FindFirstLineWithout(const FindSettings& s, const FindScope& scope, const char* region,
                                 int64_t regionLength, const char* pattern, int32_t patternLength,
                                 int32_t* lineLengthOut) {
    Searcher f;
    if (!Searcher_Init(&f, s, scope, pattern, patternLength))
        return nullptr; // the empty pattern is in every line
    int64_t line = 0;
    const int64_t at = FirstLineWithout(&f, region, regionLength, &line);
    if (at < 0)
        return nullptr;
    *lineLengthOut = (int32_t)line;
    return region + at;
}

const char* FindMatch(const FindSettings& s, const FindScope& scope, const char* region,
                      int64_t regionLength, int32_t* matchLength, bool* wholeLine) {
    *wholeLine = false;
    if (s.booleanFind)
        return FindBoolean(s, scope, region, regionLength, matchLength, wholeLine);
    int32_t length = StringLength(s, 1);
    const char* at = FindOne(s, scope, region, regionLength, s.string1, &length);
    if (at)
        *matchLength = length;
    return at;
}

bool FindSkip_Init(const FindSettings& s, const FindScope& scope, FindSkip* skip) {
    skip->pieces = 0;
    skip->reach = 0;
    skip->fold = s.ignoreCase != 0;
    if (!s.booleanFind || StringLength(s, 2) == 0)
        return !(s.booleanFind && s.not1) && TakePiece(s, scope, 1, skip);
    // Two strings: AND and OR judge lines, which only text lines give the file's own bytes.
    if (!scope.textLines)
        return false;
    if (s.orMode && !s.andMode) // either string may make the match: both are pieces
        return !s.not1 && !s.not2 && TakePiece(s, scope, 1, skip) && TakePiece(s, scope, 2, skip);
    // AND: a matching line holds every string that is not negated.
    return (!s.not1 && TakePiece(s, scope, 1, skip)) || (!s.not2 && TakePiece(s, scope, 2, skip));
}

int64_t FindSkip_Next(const FindSkip& skip, const char* bytes, int64_t n) {
    int64_t first = -1;
    for (int k = 0; k < skip.pieces; k++) {
        const int64_t limit = first < 0 ? n : first + skip.length[k] - 1;
        const int64_t at = FindPlain((const unsigned char*)bytes, limit < n ? limit : n,
                                     skip.piece[k], skip.length[k], skip.fold);
        if (at >= 0)
            first = at;
    }
    return first;
}

int32_t FindSkip_Span(const FindSkip& skip) {
    int32_t most = 1;
    for (int k = 0; k < skip.pieces; k++)
        most = skip.length[k] > most ? skip.length[k] : most;
    return most;
}

int32_t FindPatternLength(const FindSettings& s) {
    return s.hexFind ? s.byteCount1 : s.typedLength;
}
