// The view's side of the PostScript display: the frame's PostScript command for the focused
// view, and the screen metrics the reader lays its rows out by.
#pragma once

struct WinData;

// Switches the view between the file as it is and the text its print file would print; the top
// line keeps its place in the file. A file the reader does not know stays as it is, and the
// user is told so.
void PsView_Toggle(WinData* w);
// The view now holding the engine lays out PostScript text in its own font.
void PsView_TakeScreen(const WinData* w);
