// Running the disk search from the frame: "Searc&h..." (command 142) asks for the criteria and
// starts the search in a results window or through the progress box "File Search" (SRCHBOX),
// which offers each match in the Match box; "&Next" resumes a paused match-box search.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SrchFileDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The File Search command.
void FileSearch_Command(HWND frame);
// List mode: a results window titled with the mask, which then runs the search into its list
// (and on into further windows as the user asks when one fills up).
void FileSearch_OpenResults();
// True while a match-box search is paused on a file the user viewed, launched or edited.
bool FileSearch_IsPaused();
// True while the search is at work (the Match box and the questions it asks are up).
bool FileSearch_IsRunning();
// "&Next" with a paused search: the progress box runs on to the next match. The file-open
// result (positive when a view was opened).
int FileSearch_Resume(HWND frame);
// Find File: the file could not be opened (openError the system's number, or 0): offers to
// search the disks for it, and opens the first match the user views. Positive when a view
// was opened.
int FileSearch_FindFile(HWND frame, const char* path, int openError);
