// The menu follows the active window: a row of enabled and greyed items per kind of window,
// applied when a child becomes active, and refinements each time a menu is about to open.
#pragma once

#include <windows.h>

#include "shell/winkind_win.h"

// Whether a list of files waits to be opened one by one with "&Next" (the selection queue).
extern bool gNextPending;

// Fits the menu to the settings and the machine once the frame is shown: the Launch and Delete
// texts, the network drive items, "Tile &Horizontal", and "&Button Bar" without a mouse.
void Menu_AdjustAtStartup(HWND frame);
// Applies the row of the window's kind (the frame's own handle, or null, for none) and the
// additions that follow it; remembers the kind for the menu-open refinements.
void Menu_ApplyState(HWND frame, HWND activeChild);
// The Delete item takes its plain text ("ConfirmDelete" changed) and the state the active
// kind's row gives it, so that Ctrl+D goes on working in every kind that has it.
void Menu_ResetDeleteItem(HWND frame);
// The kind remembered by the last Menu_ApplyState.
WindowKind Menu_ActiveKind();
// Before a menu opens: the refinements for the remembered kind and the focused control.
void Menu_OnInitMenu(HWND frame, HMENU menu);

enum DeleteText { kDeletePlain, kDeleteDir, kDeleteFile, kDeleteFiles };
// "&Delete", "&Delete Dir", "&Delete File" or "&Delete Files", with "..." when deleting asks
// first, then "\tCtrl+D".
void Menu_DeleteText(DeleteText which, bool confirm, char* dest, int size);
