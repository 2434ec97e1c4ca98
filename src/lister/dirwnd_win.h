// The directory window (class OrvDirClass, an MDI child), its disk bar (OrvDiskClass) and its
// splitter (OrvSplitClass).
#pragma once

#include <windows.h>

LRESULT CALLBACK ORVDirWndProc(HWND dir, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVDiskWndProc(HWND disk, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVSplitWndProc(HWND split, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a directory window on a path (a directory, or a directory and its mask): the directory
// becomes its drive's current one (and the mask the mask list), the tree of its drive is read
// down to it, and it is listed with the mask. Null when the drive's root cannot be read.
HWND DirWindow_Open(const char* spec);
// A new window on the drive of path at the drive's current directory, as the disk bar opens
// one: the working directory is left alone. Null when the drive's root cannot be read.
HWND DirWindow_OpenOnDrive(const char* path);
// The child of the class whose file (a view or an editor) is path, or, for directory windows,
// whose tree is rooted at the drive root path; case ignored. Null when none is.
HWND FindWindowFor(const char* path, const char* className);
// The directory window whose tree is rooted at this drive root, or null.
HWND DirWindow_FindForRoot(const char* root);
// The "File Name:" box's edit field: Tab steps through the window's tab order, Enter opens.
LRESULT DirWindow_ComboEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
// A new directory font: the tree's rows, the box and the file list take it, the files are
// listed again and the window laid out again.
void DirWindow_ApplyFont(HWND dir, HFONT font);
// The colours of the settings ("DirTextColor", "DirBackgndColor") replace the window's.
void DirWindow_ApplyColors(HWND dir);
// "Connect Net Drive..." (150) and "Disconnect Net Drive..." (151) through the system's dialogs.
void DirWindow_ConnectNet(HWND owner, bool connect);
// The window's file list (null for a window that is not a directory window).
HWND DirWindow_FileList(HWND dir);
// The directory the window lists, ending in a separator ("" when it lists none).
const char* DirWindow_Directory(HWND dir);
// The name in row index of a directory window's file list (the list keeps no strings: its
// rows are drawn from the window's listing); null for another list or past the end.
const char* DirWindow_ListedName(HWND list, int index);
// The row of a file list showing name (letter case aside), or -1.
int DirWindow_FindListed(HWND list, const char* name);

// ---- What the file operations ask of directory windows --------------------------------------
#include <stdint.h>

#include <string>

// The tree list has the keyboard focus.
bool DirWindow_TreeHasFocus(HWND dir);
// The path of the directory selected in the tree ("" when none).
std::string DirWindow_SelectedTreeDir(HWND dir);
// The text of the "File Name:" box.
std::string DirWindow_ComboText(HWND dir);
// Puts the current mask list back into the "File Name:" box, fully selected.
void DirWindow_ResetComboToMasks(HWND dir);
// Drops a shown Sum text, so the Sum button comes back.
void DirWindow_ClearSum(HWND dir);
// A file is gone: every directory window listing its directory drops its row, its free bytes
// are read again, its listed bytes drop by size, and its status row is repainted.
void DirWindows_FileDeleted(const char* path, uint64_t size);
// A file was written: every directory window listing its folder (or, with treeToo, whose tree
// has that folder selected) lists its files again.
void DirWindows_FileSaved(const char* path, bool treeToo);
// A directory was removed: when it was the listing directory its parent becomes it, its node
// leaves the tree with the parent's row selected, and the files are listed again.
void DirWindow_DirectoryRemoved(HWND dir, const char* path);

// Tests make the next directory windows fail to be built: no memory for the record, or no list.
enum DirCreateFailure { kDirFailNothing, kDirFailRecord, kDirFailList };
void DirWindow_FailCreateForTests(DirCreateFailure failure);
