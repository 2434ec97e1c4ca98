// What the user is looking for, and the matchers that look for it: plain text, hex bytes, the
// small wildcard dialect and the two-string AND/OR query with negation. One set of find
// settings serves every view, editor, control-bar find and disk search.
#pragma once

#include <stdint.h>

constexpr int kFindTextMax = 80; // 79 characters and the terminator
constexpr int kFindLabelMax = 20;

struct FindSettings {
    char string1[kFindTextMax]; // as typed; in hex mode overwritten by the parsed bytes
    char string2[kFindTextMax];
    char hexText1[kFindTextMax]; // the hex strings as typed, to show them again
    char hexText2[kFindTextMax];
    int32_t typedLength; // length of string 1 as typed
    int32_t byteCount1; // bytes parsed from the hex text; 0 when hex find is off
    int32_t byteCount2;
    int32_t findNextLength; // pattern length of the last new find, for Find Next
    int32_t ignoreCase;
    int32_t hexFind;
    int32_t startAtTop;
    int32_t regularExpression;
    int32_t booleanFind;
    int32_t not1;
    int32_t not2;
    int32_t andMode;
    int32_t orMode;
    int32_t replaceEnabled;
    char replaceText[kFindTextMax];
};

// The program's one set of find settings.
extern FindSettings gFind;

// Empty strings, ignore case on, every other flag off.
void FindSettings_Init(FindSettings* s);

// Where a find looks. In a text view (and an editor's copy of its text) every line ends in a
// zero byte; in a hex or binary view the bytes are the file's own and a zero is just a byte.
struct FindScope {
    int32_t lineLength; // LineLength: no match, NOT line or AND pair is longer
    bool textLines;
    // How many bytes of the text line the region begins in lie before it (a Find Next from just
    // past a match); the buffer holds them just before the region. A negated string judges that
    // line whole, from where it really begins, never the rest of it alone.
    int64_t lineBegun;
};

// How far text[at] lies into its line: the bytes since the zero before it, or since text[0].
int64_t FindLineBegun(const char* text, int64_t at);

// ---- Turning typed text into a pattern ---------------------------------------------------------

// Parses hex text ("0d a 5", "0x41 42") into bytes. The text is first copied to hexTextOut
// (when not null). Asks the user about bad digits and out-of-range values.
//  1: parsed; dest holds the bytes, *length and *byteCount their number.
//  0: the user turned hex find off (*hexFind = 0, *byteCount = 0, dest holds the text and
//     *length its length: it is searched literally).
// -1: the user declined; the caller keeps its dialog open.
int ParseHexText(const char* text, char* hexTextOut, char* dest, int32_t* length,
                 int32_t* byteCount, int32_t* hexFind);

enum RegexProblem {
    kRegexOk,
    kRegexNoPreceding, // "No pattern preceeding +"
    kRegexRangeEmpty, // "Range is empty."
    kRegexRangeNotClosed, // "Range is not closed."
    kRegexRangeNoEnd, // "Range has no end."
    kRegexEndsInBackslash, // "Pattern cannot end with \"
};

// The first problem of the pattern, left to right.
RegexProblem ValidateRegex(const char* pattern, int32_t length);
// The message for a problem (without the question that follows it).
const char* RegexProblemText(RegexProblem problem);
// True when the pattern holds "*", "+", "?" or "[".
bool LooksLikeRegex(const char* pattern, int32_t length);

// The questions a find dialog asks before a find starts: validation of the regular expression
// (string 1, and string 2 when boolean find is on), the offer to turn regular expressions on
// for a pattern that looks like one, and the refusal of hex together with regular expressions.
// Changes the settings as the user answers. 1: go on with the find; 0: the user wants to edit
// the find string (the dialog stays open with the focus on it).
int ConfirmFindMode(FindSettings* s);

// ---- Matching -----------------------------------------------------------------------------------

// The first match of one pattern in region[0 .. regionLength). *patternLength is the pattern's
// length on entry (typed length, or byte count in hex mode) and the matched length on return
// (they differ only for a regular expression). Null when there is no match.
const char* FindOne(const FindSettings& s, const FindScope& scope, const char* region,
                    int64_t regionLength, const char* pattern, int32_t* patternLength);

// A regular expression compiled once for many short texts (the names of a directory), matched
// case-blind from a text's first byte. Null when the pattern is not valid or there is no memory.
struct CompiledPattern;
CompiledPattern* CompiledPattern_New(const char* pattern, int32_t length);
void CompiledPattern_Free(CompiledPattern* compiled);
// True when a match begins at text[0]; text[length] and the byte after it may be looked at.
bool CompiledPattern_MatchesAtStart(const CompiledPattern* compiled, const char* text,
                                    int32_t length);

// The first line of the region that does not contain the pattern, and that line's length with
// its terminator. Null when every line contains it.
const char* FindFirstLineWithout(const FindSettings& s, const FindScope& scope,
                                 const char* region, int64_t regionLength, const char* pattern,
                                 int32_t patternLength, int32_t* lineLengthOut);

// The find the settings describe: string 1 alone, or both strings combined with AND/OR and
// their NOT flags. *matchLength is the length of the returned occurrence; *wholeLine is set
// when it is a whole line that lacks a negated string. Null when there is no match.
const char* FindMatch(const FindSettings& s, const FindScope& scope, const char* region,
                      int64_t regionLength, int32_t* matchLength, bool* wholeLine);

// What every match of a find holds in the file's own bytes: one of one or two literal pieces,
// so that a walk through a large file can pass over stretches that hold neither without
// splitting them into lines. A match begins at most `reach` bytes before its piece, and never
// in a text line before the piece's line.
struct FindSkip {
    unsigned char piece[2][256];
    int32_t length[2];
    int32_t pieces;
    bool fold;
    int32_t reach;
};

// False when no piece can be named (a negated string that decides alone, a regular expression
// without a literal character, a two-string find outside text lines): the walk must look at
// every line then.
bool FindSkip_Init(const FindSettings& s, const FindScope& scope, FindSkip* skip);
// The first offset in bytes[0 .. n) where a piece stands whole, or -1.
int64_t FindSkip_Next(const FindSkip& skip, const char* bytes, int64_t n);
// The longest piece: stretches looked at one after another overlap by one byte less.
int32_t FindSkip_Span(const FindSkip& skip);

// The pattern length a new find remembers for Find Next: the byte count in hex mode, else the
// typed length.
int32_t FindPatternLength(const FindSettings& s);

// ---- History ------------------------------------------------------------------------------------

struct FindHistoryEntry {
    char string1[kFindTextMax];
    char string2[kFindTextMax];
    char hexText1[kFindTextMax];
    char hexText2[kFindTextMax];
    int32_t patternLength;
    int32_t byteCount1;
    int32_t byteCount2;
    char label[kFindLabelMax];
    int32_t regularExpression;
    int32_t hexFind;
    int32_t startAtTop;
    int32_t ignoreCase;
    int32_t booleanFind;
    int32_t not1;
    int32_t not2;
    int32_t orMode;
    int32_t andMode;
};

// Oldest first; grown five entries at a time.
struct FindHistory {
    FindHistoryEntry* entries;
    int32_t count;
    int32_t capacity;
};

extern FindHistory gFindHistory;

// The control bar's "Find:" combo box, as the history sees it: labels newest first.
struct HistoryCombo {
    void* context;
    void (*setText)(void* context, const char* label);
    // 1 inserted at the top; 0 when the box is out of space.
    int (*insertTop)(void* context, const char* label);
    void (*deleteLast)(void* context);
};

// The label of a find: "printf", "alph*omeg" (AND), "alph+omeg" (OR).
void FindHistory_Label(const FindSettings& s, char label[kFindLabelMax]);
// Records the current find (combo may be null). A find identical to a stored one is not stored
// twice. Without memory the find simply goes unrecorded.
void FindHistory_Record(FindHistory* h, const FindSettings& s, int32_t patternLength,
                        const HistoryCombo* combo);
// Copies entry comboIndex (0 = newest) back into the settings; startAtTop is left alone.
// 1, or 0 when there is no such entry.
int FindHistory_Restore(const FindHistory* h, int32_t comboIndex, FindSettings* s);
void FindHistory_Free(FindHistory* h);
