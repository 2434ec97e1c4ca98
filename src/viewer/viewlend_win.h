// The one engine lent from view to view (viewlend_win.cpp), as the view's own files see it: which
// view holds it, handing it over, opening a file into a new view, and the list of open views.
// Callers outside the viewer use View_LendEngine and View_ReclaimEngine (viewwnd_win.h).
#pragma once

#include <windows.h>

#include "viewer/engine.h"

struct WinData;

// The engine every view's procedures (and the view's dialogs) work through.
ViewEngine* View_Engine();
// The view whose file state the engine holds; null for none.
HWND View_EngineView();
// Whether the engine holds this view's file state.
bool View_OwnsEngine(const WinData* w);
// Saves the engine into the record of the view that owns it (nothing for another view). The
// match highlight goes first when asked (it belongs to the window that loses the focus).
void View_SaveEngine(WinData* w, bool removeHighlight);
// Makes this view the one whose state the engine holds (reloading its file when another held
// it or the file may have changed on disk). 1, or 0 when the view's file is gone (the view is
// closed then, or after the paint when one is under way).
int View_Activate(WinData* w, bool painting);

// A file is about to be loaded into the engine for a new view: the view that held the engine
// keeps its state in its record, and until View_EndOpening focus changes leave the engine
// alone. The view that held it (to go back to if the open fails), or null.
HWND View_BeginOpening();
// The engine holds this new view's file.
void View_GiveEngine(WinData* w);
void View_EndOpening();
// Whether a file is being opened into a new view.
bool View_Opening();

// A view made: it joins the list of open views.
void View_Join(WinData* w);
// A view going: it leaves the list, and when it held the engine the first view left takes it
// (with no view left, the engine holds no file).
void View_Leave(WinData* w);

// Whether a print job is walking a view's lines through the engine.
bool View_Printing();
