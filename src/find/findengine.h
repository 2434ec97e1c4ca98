// Running a find over a file view: the engine's blocks are searched one after another from the
// top line (or just past the last match) until a match is found or the file ends, and the view
// is moved to show it.
#pragma once

#include <stdint.h>

#include "find/findpat.h"
#include "viewer/engine.h"

// A new find (repeat false) remembers patternLength for Find Next and starts at the top line;
// Find Next (repeat true) starts one byte after the last match, or on the line after a whole
// line. Interactive finds may be stopped by a key press or click and say "Not Found.".
// 1 when a match was found and the view moved to show it; 0 otherwise (the view is back where
// it was).
int FindInView(ViewEngine* e, FindSettings* s, bool repeat, int32_t patternLength,
               bool interactive);

// True when hex find is on and a pattern holds a zero, CR or LF byte (string 2 counts only
// with boolean find on): bytes that a text view and an editor cannot search for.
bool HasSpecialBytes(const FindSettings& s);
