// The search results window (class OrvSrchClass, an MDI child): a sorted list of the files, or
// matching lines, a disk search found, opened one at a time with "&Next".
#pragma once

#include <windows.h>

#include <string>

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a results window titled with the search's mask, placed as new windows are, with the
// focus. Null when it could not be made.
HWND Results_Create(const char* mask);
// The window's list box (null for a window that is not a results window).
HWND Results_List(HWND results);
// Adds an entry to the sorted list, keeping the list wide enough to scroll to its end: its
// index, or -1 when the list refuses it (full).
int Results_AddEntry(HWND results, const char* text);
// A deleted file leaves every results window: its own entry and the entries of its lines.
void Results_FileDeleted(const char* path);
// The selected entries of a list as one text, each entry followed by a line break, with the
// list's marks cleared; also put on the clipboard for owner when toClipboard. 1, or 0 when
// nothing is selected (or the clipboard could not be opened).
int Results_CollectSelected(HWND owner, HWND list, bool toClipboard, std::string* text);
