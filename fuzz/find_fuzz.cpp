// libFuzzer target for the find pattern model: the first bytes of an input choose the find
// settings, the two strings and how the questions are answered; the rest is the region searched.
// Every find must stay inside the region (a regular expression may look at the one byte after
// it, which the harness allocates and nothing further), a plain find, or a valid regular
// expression over a short region, must agree with the slow finds of tests/core/findref.h, and a
// find without a negated string must find the same match when begun later, up to it. A
// broken rule stops the run with a trap (the message names the rule).
//
// Input layout (fuzz/make_find_corpus.py writes seeds in it):
//   0  flags: bit 0 regular expression, 1 hex, 2 ignore case, 3 boolean, 4 NOT 1, 5 NOT 2,
//      6 OR (else AND), 7 text lines (zero-terminated, as in a text view)
//   1  LineLength: 256 + (b * 3) % 769
//   2  answers to the questions, one bit each in turn (1 Yes, 0 No), repeating
//   3  length of string 1 (mod 80), 4 length of string 2 (mod 80)
//   5  the byte at the region's end (the zero after a file's data, or the next line's first)
//   then string 1, string 2 (hex text in hex mode), and the region.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "find/findpat.h"
#include "findref.h"
#include "platform/uiseam.h"

namespace {

constexpr size_t kHeaderBytes = 6;
// The slow regular-expression find remembers every (element, position) of every start.
constexpr int64_t kRegexCompareMax = 200;

uint8_t gAnswers;
int gAsked;

[[noreturn]] void Fail(const char* rule) {
    fprintf(stderr, "find_fuzz: %s\n", rule);
    __builtin_trap();
}

int FuzzAsk(const PromptRequest* request) {
    if (!request->text || !request->text[0])
        Fail("a question without text");
    if (request->buttons == kButtonsOk)
        return kAnswerOk;
    return (gAnswers >> (gAsked++ % 8)) & 1 ? kAnswerYes : kAnswerNo;
}

void TakeString(const uint8_t*& at, const uint8_t* end, size_t length, char* field) {
    memset(field, 0, kFindTextMax);
    if (length > (size_t)(end - at))
        length = (size_t)(end - at);
    memcpy(field, at, length);
    at += length;
}

int32_t FieldLength(const char* field) {
    int32_t n = 0;
    while (n < kFindTextMax - 1 && field[n])
        n++;
    return n;
}

// Checks one returned occurrence against the region it came from.
void CheckOccurrence(const FindSettings& s, const FindScope& scope, const char* region, int64_t n,
                     const char* at, int32_t length, bool wholeLine) {
    if (at < region || at >= region + n)
        Fail("the match lies outside the region");
    if (length < 0)
        Fail("negative match length");
    const int64_t offset = at - region;
    if (wholeLine) {
        if (length == 0 || length > scope.lineLength + 1 || offset + length > n)
            Fail("a whole line that is no line of the region");
        return;
    }
    if (offset + length > n + 1)
        Fail("the match runs past the byte after the region");
    if (s.regularExpression && !s.hexFind) {
        if (length > scope.lineLength)
            Fail("a regular-expression match longer than LineLength");
        if (memchr(at, 0, (size_t)length))
            Fail("a regular-expression match takes in a zero byte");
    }
}

// The length a string is searched with: its bytes in hex mode, else its text.
int32_t StringLengthOf(const FindSettings& s, int which) {
    if (s.hexFind)
        return which == 1 ? s.byteCount1 : s.byteCount2;
    return FieldLength(which == 1 ? s.string1 : s.string2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    UiHooks hooks = {};
    hooks.ask = FuzzAsk;
    Ui_SetHooks(&hooks);
    gAnswers = data[2];
    gAsked = 0;

    FindSettings s;
    FindSettings_Init(&s);
    const uint8_t flags = data[0];
    s.regularExpression = flags & 1;
    s.hexFind = (flags >> 1) & 1;
    s.ignoreCase = (flags >> 2) & 1;
    s.booleanFind = (flags >> 3) & 1;
    s.not1 = (flags >> 4) & 1;
    s.not2 = (flags >> 5) & 1;
    s.orMode = (flags >> 6) & 1;
    s.andMode = !s.orMode;
    const FindScope scope = {256 + (data[1] * 3) % 769, ((flags >> 7) & 1) != 0, false};

    const uint8_t* at = data + kHeaderBytes;
    const uint8_t* end = data + size;
    TakeString(at, end, data[3] % kFindTextMax, s.string1);
    TakeString(at, end, data[4] % kFindTextMax, s.string2);
    s.typedLength = FieldLength(s.string1);

    // The checks and questions a dialog runs, on a copy: the finds below also get patterns
    // that fail the check.
    for (const char* p : {s.string1, s.string2}) {
        const RegexProblem problem = ValidateRegex(p, FieldLength(p));
        if (problem != kRegexOk && !RegexProblemText(problem)[0])
            Fail("a problem without a message");
        LooksLikeRegex(p, FieldLength(p));
    }
    FindSettings asked = s;
    if (ConfirmFindMode(&asked) == 1 && asked.regularExpression && asked.hexFind)
        Fail("hex and regular expressions both on after the questions");

    if (s.hexFind) {
        int32_t length = 0;
        for (int which = 1; which <= 2 && s.hexFind; which++) {
            char* field = which == 1 ? s.string1 : s.string2;
            char* hexText = which == 1 ? s.hexText1 : s.hexText2;
            int32_t* count = which == 1 ? &s.byteCount1 : &s.byteCount2;
            const int rc = ParseHexText(field, hexText, field, &length, count, &s.hexFind);
            if (rc < -1 || rc > 1 || length < 0 || length >= kFindTextMax)
                Fail("hex parsing out of its range");
            if (rc == 1 && *count != length)
                Fail("hex parsing: byte count and length differ");
            if (rc < 0)
                return 0;
            if (rc == 0 && which == 2)
                s.byteCount1 = 0;
            if (which == 1)
                s.typedLength = length;
        }
    }

    // The region in a block of its own size and the one byte after it that a find may read.
    const int64_t n = end - at;
    char* region = (char*)malloc((size_t)n + 1);
    memcpy(region, at, (size_t)n);
    region[n] = (char)data[5];

    int32_t length = -1;
    bool wholeLine = false;
    const char* found = FindMatch(s, scope, region, n, &length, &wholeLine);
    if (found)
        CheckOccurrence(s, scope, region, n, found, length, wholeLine);
    else if (wholeLine)
        Fail("the whole-line flag set without a match");

    const int32_t patternLength = s.hexFind ? s.byteCount1 : FieldLength(s.string1);
    const std::string text(region, (size_t)n + 1);
    const std::string pattern(s.string1, (size_t)patternLength);
    if (!s.booleanFind) {
        int64_t want = -1;
        int32_t wantLength = patternLength;
        bool compared = false;
        if (!s.regularExpression || s.hexFind) {
            want = findref::Plain(text, n, pattern, s.ignoreCase != 0);
            compared = true;
        } else if (n <= kRegexCompareMax && ValidateRegex(s.string1, patternLength) == kRegexOk) {
            want =
                findref::Regex(text, n, pattern, s.ignoreCase != 0, scope.lineLength, &wantLength);
            compared = true;
        }
        const int64_t got = found ? found - region : -1;
        if (compared && (got != want || (found && length != wantLength)))
            Fail("the find differs from the slow find");
    }

    // A find that begins later, but not past the match, finds the same match: a view's find
    // begins each block's search (and the stretch it carries across a cut) wherever the
    // blocks happen to lie. In hex and binary views a negated string's lines begin where the
    // region does, so only finds without one are held to it.
    if (found && !(s.booleanFind && (s.not1 || (s.not2 && StringLengthOf(s, 2) > 0)))) {
        const int64_t offset = found - region;
        const int64_t later = data[2] % (offset + 1);
        int32_t laterLength = -1;
        bool laterWhole = false;
        const FindScope laterScope = {scope.lineLength, scope.textLines,
                                      scope.textLines ? FindLineBegun(region, later) : 0};
        const char* again = FindMatch(s, laterScope, region + later, n - later, &laterLength,
                                      &laterWhole);
        if (again != found || laterLength != length)
            Fail("a find begun later finds another match");
    }

    // Lines without string 1, wherever the query's own use of it did not already look.
    int32_t line = 0;
    const char* without =
        FindFirstLineWithout(s, scope, region, n, s.string1, patternLength, &line);
    if (without)
        CheckOccurrence(s, scope, region, n, without, line, true);

    free(region);
    Ui_SetHooks(nullptr);
    return 0;
}
