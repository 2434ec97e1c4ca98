// The settings store: every option ORV keeps in ORV32.INI, loaded once at start-up into
// gSettings, and the save groups, "Save Options", the exit save and the save-on-exit switch
// that write them back. Other parts read gSettings and set optionsChanged when the user
// confirms a dialog that edits options.
#pragma once

#include <stdint.h>

#include "look/fontspec.h"
#include "shell/memsettings.h"

constexpr char kSettingsFile[] = "ORV32.INI";
constexpr char kSettingsFirstRunSource[] = "ORV.INI";
constexpr char kMainSection[] = "ORV for Windows";
constexpr char kMasksSection[] = "Masks";
constexpr char kMemorySection[] = "Memory";

// Room for each text value, terminator included: longer values are cut when read.
constexpr int kEditorPathMax = 260;
constexpr int kPageTextMax = 140; // "Header", "Footer"
constexpr int kMarginTextMax = 10;
constexpr int kWindowTextMax = 30;
constexpr int kSearchDisksTextMax = 260;
constexpr int kMaskTextMax = 260;
constexpr int kMaskCount = 4;
constexpr int kMaxDrives = 26;
constexpr unsigned char kDriveListEnd = 255; // ends searchDisks and driveList

// A colour packed as the platform packs RGB: red in the low byte, then green, then blue.
typedef uint32_t OrvColor;
constexpr OrvColor OrvRgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

// The eight colours, in the order of their keys in ORV32.INI.
enum ColorSlot {
    kColorText,
    kColorBackgnd,
    kColorEditText,
    kColorEditBackgnd,
    kColorSrchText,
    kColorSrchBackgnd,
    kColorDirText,
    kColorDirBackgnd,
    kColorSlots
};

// The "File Open &Masks": four consecutive zero-terminated strings in one block sized exactly
// to them, with where each starts. text is null while the masks are not loaded.
struct MaskBlock {
    char* text;
    int32_t size;
    int32_t offsets[kMaskCount];
};

// A frame's window rectangle in screen pixels, as the platform gives it.
struct WindowRect {
    int32_t left, top, right, bottom;
};

struct Settings {
    int32_t tabs; // at least 1
    // "PreviousFile": at most one of the two on ("NoChg" when neither).
    int32_t closePrevious, minimisePrevious;
    // "NextFile": exactly one of the three on.
    int32_t maximiseNew, tileNew, cascadeNew;
    // "SearchDisks": up to 26 distinct lower-case drive letters, ending in kDriveListEnd.
    unsigned char searchDisks[kMaxDrives + 1];
    OrvColor colors[kColorSlots];
    int32_t bitStrip;
    int32_t buttonBar; // 0 whenever no mouse is present
    char header[kPageTextMax], footer[kPageTextMax];
    char leftMargin[kMarginTextMax], topMargin[kMarginTextMax], bottomMargin[kMarginTextMax];
    int32_t processFF, process1;
    char window[kWindowTextMax];              // "Window" as read: "top left bottom right"
    char fontSpecs[kFontKinds][kFontSpecMax]; // the four font keys as read
    FontChoice fonts[kFontKinds];             // what the font loading made of them
    int32_t hiddenFiles, systemFiles, preserveCase, confirmDelete, autoOpen, autoSaveOptions;
    char editor[kEditorPathMax];
    int32_t minOnLaunch, confirmLaunch;
    MaskBlock masks;
    MemorySizes memory;
    uint32_t ignoredDrives; // bit n: drive "A" + n is never listed or searched
    // The drives the program lists: upper-case letters in order, ending in kDriveListEnd.
    char driveList[kMaxDrives + 1];
    int32_t driveCount;
    int32_t optionsChanged; // decides whether the exit save asks
    // Built-in starting values, never kept in the file.
    int32_t pageLength;    // lines a page of a file view moves
    int32_t vertScrollBar; // file views show a vertical scroll bar
};

extern Settings gSettings;

// What only the windowing side knows. A null member keeps the quiet default: a mouse is
// present, and the screen shows every colour as it is.
struct SettingsHooks {
    int (*hasMouse)();
    OrvColor (*nearestScreenColor)(OrvColor color);
};
void Settings_SetHooks(const SettingsHooks* hooks);
// The nearest colour the screen shows as a solid colour, through the hook.
OrvColor Settings_NearestScreenColor(OrvColor color);

// ---- Loading ------------------------------------------------------------------------------------

// First run: when ORV32.INI is not in the Windows directory, ORV.INI there is copied to it
// (nothing is said when that cannot be done). 1 when a copy was made.
int Settings_EnsureFile();
// Sets every setting to its default (the masks block is freed) and clears optionsChanged.
void Settings_Reset();
// Reads every key in the load order into gSettings, with the defaults and load rules.
void Settings_Load();
// The "Memory" keys with their load rules (also part of Settings_Load).
MemorySizes Settings_LoadMemory();
// Reads "IgnoreDrives" and builds the drive list from the drives the system reports.
void Settings_LoadDriveList();
// Bit (letter - 'a') for every letter a-z in text, case-blind; other characters are skipped.
uint32_t Settings_ParseIgnoreDrives(const char* text);
// The letters of the drives in logicalDrives (bit 0 = A:) not in ignored, upper-case, in order,
// ending in kDriveListEnd: list has room for kMaxDrives + 1. Returns the number of drives.
int Settings_BuildDriveList(uint32_t logicalDrives, uint32_t ignored, char* list);

// The masks as four strings; "" for each while they are not loaded.
const char* Settings_Mask(int index);
// Replaces the masks block with a new one holding these four. 1, or 0 (masks unchanged) when
// the memory cannot be had.
int Settings_SetMasks(const char* const masks[kMaskCount]);

// ---- The frame's placement ---------------------------------------------------------------------

struct FramePlacement {
    int32_t x, y, width, height; // meaningful only when useDefault is 0
    int32_t useDefault;          // the system's default position and size
    int32_t maximised;           // shown maximised rather than as the start-up command asks
};
// What "Window" asks of a frame on a screen whose full-screen client area is this size.
FramePlacement Settings_FramePlacement(const char* windowText, int32_t screenClientWidth,
                                       int32_t screenClientHeight);
// "top left bottom right", cut to size - 1 characters.
void Settings_FormatWindowRect(const WindowRect& rect, char* out, int size);

// ---- Saving ------------------------------------------------------------------------------------

// The groups of "Save Options", in the dialog's order.
enum SaveGroup {
    kSaveView,
    kSaveOperational,
    kSavePrintPage,
    kSaveDisks,
    kSaveFileOpen,
    kSaveWindow,
    kSaveNames,
    kSaveGroups
};

// The text a failed write of the settings shows (warning icon).
constexpr char kSettingsWriteFailed[] = "Could not write ORV32.INI";

// Writes value in decimal. 1, or 0 when the write failed.
int Settings_WriteInt(const char* section, const char* key, int64_t value);
// Writes every key of the group from gSettings ("Window" from the frame rectangle: null takes
// gSettings.window as it stands). 1, or 0 when any write failed.
int Settings_SaveGroup(SaveGroup group, const WindowRect* frame = nullptr);
// "Save Options" confirmed: clears optionsChanged, writes the checked groups in the dialog's
// order and then "BlockPointers" and "FileBuffer", under the busy cursor. When a write fails
// the user is warned and optionsChanged is set again. 1, or 0 after a failed write.
int Settings_SaveOptions(const int32_t checked[kSaveGroups], const WindowRect* frame);

// The frame at the moment it is asked to close.
struct FrameExitState {
    int32_t isMinimised;
    WindowRect now;
    WindowRect created; // just after it was created at start-up
};
// The exit save: changed options saved (asking first unless "AutoSaveOptions" is on), and
// "Window" when the frame moved or was resized and is not minimised. A failed write warns
// the user and leaves optionsChanged set. 1, or 0 after a failed write.
int Settings_ExitSave(const FrameExitState& frame);
// "Save Settings On E&xit": flips autoSaveOptions and writes it at once. 1, or 0 (after
// warning the user) when the write failed.
int Settings_ToggleSaveOnExit();
