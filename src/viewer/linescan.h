// Counting the lines of a block of text without splitting it: what a walk needs of a block it
// passes through on its way to a window further on.
#pragma once

#include <stdint.h>

// The lines SplitLines makes of a block of n bytes that is not the file's end, when the block
// is plain text: no NUL and no stretch of lineLength bytes without a line feed. 1 and
// *lineCount set; 0 when the block may be anything else, which only SplitLines can decide
// (a line near lineLength long is such a case too: the test is a little wider than the rule).
int SkimTextLines(const char* bytes, int32_t n, int32_t lineLength, int32_t* lineCount);
// Where line `line` (0-based) of such a block begins, found from its end: the pivot a walk
// steps on from lies a page above the block's last line.
int32_t SkimLineStart(const char* bytes, int32_t n, int32_t lineCount, int32_t line);
