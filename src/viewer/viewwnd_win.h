// The file view window (class OrvViewClass, an MDI child) and its title pane (OrvTitleClass).
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>

LRESULT CALLBACK ORVMDIChildWndProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ORVTitleWndProc(HWND title, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a file in a new view that starts at topLine (1 for the top of the file) and gets the
// focus. Null when no view was made (the file cannot be read, or the user cancelled).
HWND View_OpenFile(const char* path, int64_t topLine = 1);
// The full path of the file a view shows; "" for a window that is not a view.
const char* View_Path(HWND view);
// The first line a view shows (1 for a window that is not a view).
int64_t View_TopLine(HWND view);
// Closes a view the way its own close does. closedByUser lets the focus go to the directory
// window of the same drive.
void View_Close(HWND view, bool closedByUser);
// Closes every view that shows this file (before the file is deleted).
void View_CloseViewsOf(const char* path);
// The process-wide "Vert S&croll Bar" flag changed: the view takes it and lays itself out again.
void View_ApplyScrollBarFlag(HWND view);
// The view font, "TextColor", "BackgndColor" and the view class's brush as they are now: the
// view lays itself out again for the font's size and repaints.
void View_ApplyLook(HWND view);
// A command of the frame for the view that has the focus (Hex, Text, Strip, Title Lock and
// Unlock, Home, End, Go to Line, Copy, Deselect, Find Next). 1 when the view took it.
int View_Command(HWND view, WORD id);
// Runs a find of the find settings in the view (a new one, or Find Next when repeat): 1 when a
// match was found and brought into the window.
int View_Find(HWND view, bool repeat, int32_t patternLength);
// The view's selection as a find string, when it is a character range within one line short
// enough for one (the selection is then dropped, as every use of it drops it). 1 when taken.
int View_SelectionForFind(HWND view, std::string* text);
// The view's selection as text for a file (lines joined by CR LF); the selection is dropped, as
// every use of it drops it. 1 when there was one to take.
int View_SelectionForSave(HWND view, std::string* text);
// Another user of the engine is about to load a file of its own: the view that holds the
// engine keeps its state in its record. That view, or null when none held it.
HWND View_LendEngine();
// The engine goes back to that view (null: nothing to do), its file loaded again.
void View_ReclaimEngine(HWND view);
// Printing mode: while a print job walks a view's lines through the engine, views paint nothing
// and note that a paint is due; leaving it repaints those views.
void View_SetPrinting(bool printing);
// Every open view, in the order they were opened.
int View_List(HWND* views, int most);

// What a view shows, as a user would read it off the screen.
struct ViewInfo {
    int64_t topLine;
    int32_t pageLines;
    int32_t lineHeight;
    int32_t charWidth; // the font's average
    int32_t leftMargin;
    RECT textArea;
    RECT statusBand;
    int32_t hScroll;
    int32_t hexMode, binaryMode, stripBit7;
    int32_t atEndOfView;
    int32_t selectionState;
    int64_t selFromLine, selToLine;
    int32_t selFromColumn, selToColumn;
    int32_t titleLineCount;
    int64_t fileSize;
    bool ownsEngine;
    char lineText[40]; // the line pane as last painted
    char factsText[96]; // the file facts pane as last painted
    char positionStrip[96]; // the right-button strip while it is shown, else ""
};
// 1 and the record filled for a view; 0 for any other window.
int View_GetInfo(HWND view, ViewInfo* info);
