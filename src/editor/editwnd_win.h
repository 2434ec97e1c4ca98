// The editor window (class OrvEditClass, an MDI child holding an edit control): one small text
// file, edited in place and saved back; and the save routine that also writes a view's
// selection or a list's selected entries to a file the user names.
#pragma once

#include <windows.h>

#include <stdint.h>

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);

// Opens an editor on a file (untitled: a new file that has no name yet), titled with the path
// in capitals, placed as new windows are, with the focus. A file that the line decoder judges
// not to be text is refused first, the view that held the engine keeping its state. Null when
// no editor was made (after telling the user why).
HWND Editor_Open(const char* path, bool untitled);
// The editor that last had the focus or a click, or null when no editor is open.
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
// The editor's tab width in characters; setting it sets the control's tab stops and repaints.
int32_t Editor_TabWidth(HWND editor);
void Editor_SetTabWidth(HWND editor, int32_t width);

// "EditTextColor", "EditBackgndColor", its brush and the editor font as they are now: the
// control takes the font, its tab stops are measured again, and it repaints.
void Editor_ApplyLook(HWND editor);
enum EditorSaveKind {
    kSaveToPath = 0,   // the editor's text to its own file (an untitled one asks for a name)
    kSaveAsNew = 1,    // the editor's text under a name the user chooses, which it then takes
    kSavePrepared = 4, // a prepared text (a view's selection, a list's entries) to a new name
};
// Saves: 1 when written; 0 when the user cancelled or the write failed (after telling the
// user; the file is as it was and an editor's text stays marked as changed). window is the
// editor for kinds 0 and 1, and owns the Save As dialog for kind 4. Directory windows that
// list the saved file's folder read it again.
int Editor_Save(HWND window, int kind, const char* prepared = nullptr, int64_t preparedLength = 0);
