// The frame's PostScript command for a view: recognise the print file, switch the engine's block
// reads to the reader (or back to plain reads) and show the file again at the same place.
#include "print/psview_win.h"

#include <windows.h>

#include "platform/uiseam.h"
#include "print/psread.h"
#include "shell/frame_win.h"
#include "shell/menustate_win.h"
#include "viewer/engine.h"
#include "viewer/windata_win.h"

namespace {

const char kTextNotPostScript[] = "Cannot interpret this file as Postscript";

void ShowAgain(WinData* w, int64_t keep) {
    ViewEngine* e = &gEngine;
    if (ResetEngine(e, false) == 0) {
        GoToOffset(e, keep);
        EnsureWindow(e, false);
    }
    w->display = e->settings;
    View_DropSelection(w);
    View_Redisplay(w);
    Menu_ApplyState(gFrame, w->window);
}

} // namespace

void PsView_TakeScreen(const WinData* w) {
    gPsScreen.lineHeight = w->geo.lineHeight;
    gPsScreen.charWidth = w->geo.charWidth;
    gPsScreen.dpiX = w->geo.dpiX;
    gPsScreen.dpiY = w->geo.dpiY;
}

void PsView_Toggle(WinData* w) {
    ViewEngine* e = &gEngine;
    if (!e->psLineOffset)
        return; // no table to map the rows to the file: the command is greyed
    // From the top of the file the view stays at the top; else at the top line's file offset.
    const int64_t keep = e->file.topLine <= 1 ? 0 : TopLineOffset(e);
    uint32_t& state = reinterpret_cast<uint32_t&>(e->settings.postScriptState);
    if (state & kPostScriptShown) {
        state &= ~(kPostScriptShown | kPostScriptDialect);
        ShowAgain(w, keep);
        return;
    }
    const int dialect = PsRead_RecognizeFile(e->file.path);
    if (dialect <= kPsNone) {
        PromptRequest request = {kTextNotPostScript, nullptr, kButtonsOk, kIconWarning,
                                 kPromptOwnedByFocus};
        Ui_Ask(request);
        return;
    }
    e->readPostScript = PsRead_Block;
    PsView_TakeScreen(w);
    // The reader's lines are text: hex and binary rows give way to them.
    e->settings.hexMode = 0;
    e->settings.binaryMode = 0;
    state = (state & ~kPostScriptDialect) | kPostScriptShown | (uint32_t)dialect;
    ShowAgain(w, keep);
}
