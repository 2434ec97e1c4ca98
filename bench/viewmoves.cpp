#include "viewmoves.h"

#include <chrono>

namespace {

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

int ViewMoves_Run(ViewEngine* e, const char* path, int32_t pageLines, int32_t pageDowns,
                  ViewMoveTimes* out) {
    *out = ViewMoveTimes();
    double t = NowMs();
    if (!Engine_SetFile(e, path))
        return 0;
    e->modePolicy = kModeAnswerNo;
    e->pageLines = pageLines;
    e->file.topLine = 1;
    if (ResetEngine(e, true) < 0)
        return 0;
    out->openMs = NowMs() - t;

    t = NowMs();
    e->file.topLine = END_LINE;
    if (EnsureWindow(e, false) < 0)
        return 0;
    out->endMs = NowMs() - t;
    out->endTopLine = e->file.topLine;

    t = NowMs();
    GoToPercent(e, 50);
    if (EnsureWindow(e, false) < 0)
        return 0;
    out->middleMs = NowMs() - t;

    t = NowMs();
    for (int32_t i = 0; i < pageDowns; i++) {
        e->file.topLine += pageLines;
        if (EnsureWindow(e, false) < 0)
            return 0;
    }
    out->pageDownMs = pageDowns > 0 ? (NowMs() - t) / pageDowns : 0;
    out->pageDowns = pageDowns;
    e->modePolicy = kModeAsk;
    return 1;
}
