// The commands a search-results window and a directory window carry out alike on the files
// selected in their list: opened in editors, launched or deleted, the selection then cleared.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "search/selqueue.h"

// The selected entries of a list (a directory list's bare names prefixed with prefix), queued
// in the given mode; none when nothing is selected (or memory ran out, which the queue has
// told the user).
std::vector<QueuedEntry> ListCmd_Selected(HWND list, const char* prefix, QueueMode mode);
// The same, as paths only.
std::vector<std::string> ListCmd_SelectedPaths(HWND list, const char* prefix, QueueMode mode);
// After a command has taken a list's files: no marks left in the list and nothing for "&Next".
void ListCmd_End(HWND list);
// "&Edit": each selected file opens in an editor at its line, until one cannot; the windows
// are arranged once, at the end. Nothing selected says so.
void ListCmd_Edit(HWND list, const char* prefix);
// "&Launch...": the selected files handed to their programs. Nothing selected says so.
void ListCmd_Launch(HWND frame, HWND list, const char* prefix);
// "&Delete..." of the files taken from a list: once they are deleted the list keeps no marks
// and the queue is dropped; a paused disk search keeps "&Next", as it is how that search goes
// on.
void ListCmd_DeleteFiles(HWND list, const std::vector<std::string>& paths);
