// The moves a user makes through a huge file, timed through the engine alone: shared by the
// native bench and the Wine-side view bench, so both measure the same steps.
#pragma once

#include <stdint.h>

#include "viewer/engine.h"

struct ViewMoveTimes {
    double openMs; // set the file, read block 0, build the first page
    double endMs; // End: every block walked to the last line
    double middleMs; // digit 5: back to the middle
    double pageDownMs; // one Page Down, averaged
    int32_t pageDowns;
    int64_t endTopLine;
};

// Opens path in the engine as a new view does (a file that is not text as binary rows), then
// End, the middle, and pageDowns Page Downs. 1, or 0 when a step failed.
int ViewMoves_Run(ViewEngine* e, const char* path, int32_t pageLines, int32_t pageDowns,
                  ViewMoveTimes* out);
