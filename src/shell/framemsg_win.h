// The frame's own messages besides its commands, one procedure a message, called from the one
// switch of ORVFrameWndProc (frame_win.cpp); framemsg_win.cpp carries them out.
#pragma once

#include <windows.h>

#include <shellapi.h>

// A new frame starts with no menu item highlighted, no caption cut and no client watched.
void FrameMsg_Reset();
// Sizing: laid out below the control bar and tiled when asked (true), or, when the frame
// becomes an icon, the active child's caption kept and cut to its file name (false: the
// default processing follows).
bool FrameMsg_OnSize(HWND frame, WPARAM how);
// The frame comes back from an icon: a cut caption is put back on its child, unless the child
// is gone or has taken another caption meanwhile; an empty frame runs the auto-open rule.
void FrameMsg_OnQueryOpen(HWND frame);
// Each window in the Window menu's list shows the mark of its kind, and the check mark when it
// is the active one. The MDI client rebuilds the list as windows come and go, so the marks are
// set each time the menu opens.
void FrameMsg_OnInitMenuPopup(HWND frame, HMENU popup);
// The menu item under the bar is remembered for F1.
void FrameMsg_OnMenuSelect(WPARAM wParam, LPARAM lParam);
// F1 pressed while a menu is open asks for the highlighted item's help.
void FrameMsg_OnEnterIdle(WPARAM source);
// Coming back from another program: the current view's file may have been changed or deleted
// there. The engine's file block is the current view's, as the view with the focus owns it.
void FrameMsg_OnActivateApp(HWND frame, bool active);
// A double click on a maximised child's system-menu icon, which leads the menu bar, closes it:
// true when it did.
bool FrameMsg_OnNcDoubleClick(HWND frame, WPARAM hit, LPARAM where);
// The MDI client is made inside the frame's own creation; its birth notice is the first point
// where the frame can put it under watch (the next-window request passes the frame first).
void FrameMsg_OnParentNotify(WPARAM wParam, LPARAM lParam);
// Dropped files open last to first, each as a freshly opened file, so the first one dropped
// ends up on top; the children are arranged once, at the end.
void FrameMsg_OnDropFiles(HWND frame, HDROP drop);
