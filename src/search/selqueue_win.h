// The selection queue taken from a real list box, and "&Next" switched on and off with it.
#pragma once

#include <windows.h>

#include <string>

#include "search/selqueue.h"

// Builds the queue from the list's selected entries (a directory list's names prefixed with
// dirPrefix) and enables "&Next" when any is selected: their number, or -1 when memory ran out
// ("Not enough free memory\nfor multiple selection"; the queue is then empty).
int SelQueue_BuildFromList(HWND list, const char* dirPrefix, QueueMode mode);
// "&Next" enabled or greyed (the menu item and the state the menus are rebuilt from).
void SelQueue_SetNextEnabled(bool enabled);
// Drops the queue and greys "&Next".
void SelQueue_DropAndGrey();
// Clears the selection of the list the queue was built from, if that list is still there.
void SelQueue_ClearListSelection();
// The text of one entry of a list box ("" when there is none).
std::string List_ItemText(HWND list, int index);
// Clears every selection of a list box.
void List_ClearSelection(HWND list);
