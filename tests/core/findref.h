// Slow, plainly written finds that the tests and the fuzz target hold the real ones against: a
// byte-by-byte plain search, and the wildcard dialect as written down (a "*" tries the rest of
// the pattern at each following position, nearest first), with the outcome of each (element,
// position) remembered so that many stars stay cheap. Valid patterns only.
#pragma once

#include <stdint.h>

#include <algorithm>
#include <string>
#include <vector>

namespace findref {

inline unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c - 'A' + 'a') : c;
}

// Leftmost i with text[i .. i + m) equal to the pattern inside text[0 .. n), or -1.
inline int64_t Plain(const std::string& text, int64_t n, const std::string& p, bool fold) {
    const int64_t m = (int64_t)p.size();
    if (m == 0)
        return -1;
    for (int64_t i = 0; i + m <= n; i++) {
        int64_t k = 0;
        while (k < m && (fold ? Fold((unsigned char)text[(size_t)(i + k)]) ==
                                    Fold((unsigned char)p[(size_t)k])
                              : text[(size_t)(i + k)] == p[(size_t)k]))
            k++;
        if (k == m)
            return i;
    }
    return -1;
}

struct Element {
    char kind; // 'c' char, '?' any, '*' star, '[' set; with run '+' or '*' for repeats
    char run;  // 0, '+' (one or more) or '*' (sets: zero or more)
    unsigned char c;
    bool negated;
    std::vector<std::pair<int, int>> ranges; // signed, as typed
};

inline std::vector<Element> Parse(const std::string& p) {
    std::vector<Element> out;
    size_t i = 0;
    while (i < p.size()) {
        Element e{'c', 0, 0, false, {}};
        if (p[i] == '*' || p[i] == '?') {
            e.kind = p[i++];
        } else if (p[i] == '[') {
            e.kind = '[';
            i++;
            if (i < p.size() && p[i] == '!') {
                e.negated = true;
                i++;
            }
            while (i < p.size() && p[i] != ']') {
                if (p[i] == '\\')
                    i++;
                int lo = (signed char)p[i++], hi = lo;
                if (i + 1 < p.size() && p[i] == '-' && p[i + 1] != ']') {
                    i++;
                    if (p[i] == '\\')
                        i++;
                    hi = (signed char)p[i++];
                }
                e.ranges.push_back({lo, hi});
            }
            i++;
            if (i < p.size() && (p[i] == '*' || p[i] == '+'))
                e.run = p[i++];
        } else {
            if (p[i] == '\\')
                i++;
            e.c = (unsigned char)p[i++];
            if (i < p.size() && p[i] == '+') {
                e.run = '+';
                i++;
            }
        }
        out.push_back(e);
    }
    return out;
}

struct Matcher {
    std::vector<Element> elems;
    bool fold = false;
    const unsigned char* t = nullptr;
    int64_t limit = 0;
    std::vector<int64_t> memo; // (element, position) -> end + 2; 0 unknown, 1 fails

    bool Ok(int64_t at) const {
        return at < limit && t[at] != 0;
    }
    unsigned char F(unsigned char c) const {
        return fold ? Fold(c) : c;
    }
    bool Is(const Element& e, int64_t at) const {
        if (!Ok(at))
            return false;
        if (e.kind == '?')
            return true;
        if (e.kind == 'c')
            return F(t[at]) == F(e.c);
        bool in = false;
        const int v = (signed char)F(t[at]);
        for (auto r : e.ranges) {
            int a = (signed char)F((unsigned char)r.first),
                b = (signed char)F((unsigned char)r.second);
            if (v >= (a < b ? a : b) && v <= (a < b ? b : a))
                in = true;
        }
        return e.negated ? !in && !e.ranges.empty() : in;
    }
    int64_t At(size_t ei, int64_t pos) {
        if (ei == elems.size())
            return pos;
        int64_t& slot = memo[ei * (size_t)(limit + 1) + (size_t)pos];
        if (slot == 0)
            slot = Step(ei, pos) + 2;
        return slot - 2;
    }
    int64_t Step(size_t ei, int64_t pos) {
        const Element& e = elems[ei];
        if (e.kind == '*') {
            for (int64_t j = pos;; j++) {
                int64_t r = At(ei + 1, j);
                if (r >= 0 || !Ok(j))
                    return r;
            }
        }
        if (e.kind == '[' && e.run) {
            const Element* next = ei + 1 < elems.size() ? &elems[ei + 1] : nullptr;
            auto stops = [&](int64_t at) {
                return !Is(e, at) ||
                       (next && next->kind != '?' && next->kind != '*' && Is(*next, at));
            };
            if (e.run == '+') {
                if (!Is(e, pos))
                    return -1;
                pos++;
            }
            while (!stops(pos))
                pos++;
            return At(ei + 1, pos);
        }
        if (!Is(e, pos))
            return -1;
        pos++;
        while (e.run == '+' && Is(e, pos))
            pos++;
        return At(ei + 1, pos);
    }
};

// Leftmost match of a valid pattern in text[0 .. n) (looking at most at text[n]), each match
// at most lineLength long; *length gets its length. -1 when there is none.
inline int64_t Regex(const std::string& text, int64_t n, const std::string& pattern, bool fold,
                     int64_t lineLength, int32_t* length) {
    Matcher m;
    m.elems = Parse(pattern);
    m.fold = fold;
    if (pattern.empty())
        return -1;
    m.t = (const unsigned char*)text.data();
    for (int64_t i = 0; i < n; i++) {
        m.limit = std::min<int64_t>(lineLength, n - i + 1);
        m.t = (const unsigned char*)text.data() + i;
        m.memo.assign(m.elems.size() * (size_t)(m.limit + 1), 0);
        int64_t end = m.At(0, 0);
        if (end >= 0) {
            *length = (int32_t)end;
            return i;
        }
    }
    return -1;
}

// Every i with text[i .. i + m) equal to the pattern, as Plain compares them.
inline std::vector<int64_t> PlainStarts(const std::string& text, const std::string& p, bool fold) {
    std::vector<int64_t> at;
    for (int64_t i = 0, k;
         (k = Plain(text.substr((size_t)i), (int64_t)text.size() - i, p, fold)) >= 0; i += k + 1)
        at.push_back(i + k);
    return at;
}

// The stops of Find and then Find Next to "Not Found." in a text view, for two strings joined
// by AND or OR with at least one of them negated, worked out line by line: lines end at line
// feeds and none is longer than LineLength. A negated string stands for a whole line that
// lacks it, and that line begins where the line does.
//  - AND, one negated: every start of the other string in a line without the negated one.
//  - OR, one negated: in a line that holds the negated string, every start of the other; a
//    line without it is one stop, and a second when string 1 (the other) starts the line,
//    since string 1 wins a tie and the line follows it.
//  - Both negated: each line without both (AND) or without either (OR) is one stop.
inline int64_t LineQueryStops(const std::string& text, const std::string& s1, bool not1,
                              const std::string& s2, bool not2, bool orMode, bool fold) {
    int64_t stops = 0;
    for (size_t at = 0, lf; at < text.size(); at = lf + 1) {
        lf = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, lf - at);
        const std::vector<int64_t> one = PlainStarts(line, s1, fold),
                                   two = PlainStarts(line, s2, fold);
        if (not1 && not2) {
            stops += orMode ? one.empty() || two.empty() : one.empty() && two.empty();
            continue;
        }
        const std::vector<int64_t>& other = not1 ? two : one;
        const bool lacks = (not1 ? one : two).empty();
        if (!orMode)
            stops += lacks ? (int64_t)other.size() : 0;
        else if (!lacks)
            stops += (int64_t)other.size();
        else
            stops += 1 + (not2 && !other.empty() && other[0] == 0);
    }
    return stops;
}

} // namespace findref
