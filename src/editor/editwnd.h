// The editor window (class OrvEditClass, an MDI child holding an edit control): one small text
// file, edited in place and saved back.
#pragma once

#include <windows.h>

#include <stdint.h>

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);

// Opens an editor on a file (untitled: a new file that has no name yet), titled with the path
// in capitals, placed as new windows are, with the focus. Null when no editor was made (after
// telling the user why).
HWND Editor_Open(const char* path, bool untitled);
// The editor that last had the focus, or null when no editor is open.
HWND Editor_Current();
// The editor's file path ("" for a window that is not an editor).
const char* Editor_Path(HWND editor);
// An editor made by "&New", whose file has no name yet.
bool Editor_IsUntitled(HWND editor);
// The edit control of an editor (null for a window that is not an editor).
HWND Editor_Control(HWND editor);
// The first line the editor shows, 1-based; scrolling an editor so that a line comes first.
int64_t Editor_FirstVisibleLine(HWND editor);
void Editor_ShowLine(HWND editor, int64_t line);
// Forgets that the text was changed, so that closing asks nothing.
void Editor_MarkUnmodified(HWND editor);
// Writes the editor's text to its file: 1 when written, 0 when it failed (after telling the
// user; the text stays marked as changed).
int Editor_Save(HWND editor);
