// The search results window (class OrvSrchClass, an MDI child): a sorted list of the files, or
// matching lines, a disk search found, opened one at a time with "&Next".
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>

LRESULT CALLBACK ORVSrchWndProc(HWND results, UINT message, WPARAM wParam, LPARAM lParam);

// Commands sent to a results window itself.
constexpr WORD kResultsRunCommand = 20; // run the search into the list (the disk search's own)
constexpr WORD kResultsMinimizeCommand = 30;

// The disk search's loop that fills a results window: run when the window is sent
// kResultsRunCommand (after Results_Create, or by Results_Continue's caller). Null: none.
typedef void (*ResultsRun)(HWND results);
void Results_SetRun(ResultsRun run);

// Creates a results window titled with the search's mask, placed as new windows are, with the
// focus. Null when it could not be made.
HWND Results_Create(const char* mask);
// The window's list box (null for a window that is not a results window).
HWND Results_List(HWND results);
// The results window that last had the focus or a click in its list; null when none is open.
HWND Results_Current();
// Adds an entry to the sorted list, keeping the list wide enough to scroll to its end: its
// index, or -1 when the list refuses it (full). A refused entry is kept for Results_Continue.
int Results_AddEntry(HWND results, const char* text);
// The directory a running search is in, shown as the window's title; null sets the title back
// to the search's mask.
void Results_ShowSearching(HWND results, const char* directory);
// After the list refused an entry: asks "List box is full.\nContinue in another window?". Yes
// makes another results window with the same title, starting with the refused entry, and
// returns it: the search goes on into that one. No (or a window that cannot be made): null,
// and the search is to end.
HWND Results_Continue(HWND full);

// What a full list hands to the window that continues it: the entry that did not fit, the file
// it belongs to and the last line of that file listed (0 for a file entry).
struct ResultsContinuation {
    std::string entry;
    std::string path;
    int64_t lastLine;
};
const ResultsContinuation& Results_Pending();

// A deleted file leaves every results window: its own entry and the entries of its lines.
void Results_FileDeleted(const char* path);
// The selected entries of a list as one text, each entry followed by a line break, with the
// list's marks cleared; also put on the clipboard for owner when toClipboard. 1, or 0 when
// nothing is selected (or the clipboard could not be opened).
int Results_CollectSelected(HWND owner, HWND list, bool toClipboard, std::string* text);
// "Save &As..." of a list: the selected entries written to a file the user names. 1 when
// written; 0 with nothing selected, when cancelled or when the write failed (after saying so).
int Results_SaveSelected(HWND owner, HWND list);
// The search colours ("SrchTextColor", "SrchBackgndColor") or a new search font replace the
// window's; the list stays wide enough for its widest entry.
void Results_ApplyColors(HWND results);
void Results_ApplyFont(HWND results, HFONT font);

// Tests make a list refuse entries past this many (0: only the list control's own limit).
void Results_SetEntryLimitForTests(int entries);
