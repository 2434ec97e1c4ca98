// The disk search: files whose names match a mask, on one directory, one tree or whole disks,
// that pass the size, date and contents qualifiers. It is a resumable generator: each call
// delivers the next match and keeps its place, so the results window lists every match, the
// Match box offers them one by one, and Find File looks for a file that could not be opened.
#pragma once

#include <stdint.h>

#include "lister/filelist.h"
#include "search/searchparse.h"

struct ViewEngine;

constexpr int kSearchTextMax = 260; // 259 characters and the terminator
constexpr int kSearchDisksMax = 26;

// A size or time qualifier; isSet false leaves it out of the test.
struct SearchSize {
    bool isSet;
    int64_t bytes;
};
struct SearchTime {
    bool isSet;
    int64_t seconds; // since 1970 UTC, as ParseSearchDate gives it
};

// What the criteria dialogs set.
struct SearchCriteria {
    char mask[kSearchTextMax]; // a name or mask, optionally after a drive and directory
    char startDirectory[kSearchTextMax];
    bool startTyped; // the start directory was typed, and made current
    bool onlyStartDir;
    bool onlyLimb; // the start directory and the tree below it, on its disk
    bool containingString; // gFind must match inside the file
    bool listMatchingLines;
    bool limitSize;
    SearchSize equalSize;
    SearchSize largerSize;
    SearchSize smallerSize;
    bool matchDates;
    SearchTime datedTime;
    SearchTime newerTime;
    SearchTime olderTime;
    DatePrecision datedPrecision;
    char disks[kSearchDisksMax + 1]; // lower-case drive letters; "" only the starting disk
    bool listWindow;
};

extern SearchCriteria gSearchCriteria;

// What the Match box answers, numbered as the box's buttons.
enum SearchAnswer {
    kSearchAnswerView = 6,
    kSearchAnswerSkip = 7,
    kSearchAnswerErase = 883,
    kSearchAnswerLaunch = 885,
    kSearchAnswerEdit = 886,
    kSearchAnswerCancel = 2,
};

// What the next-match call returns.
enum {
    kSearchFound = 1,
    kSearchEnded = -1, // no more files, or the search was cancelled
    kSearchLaunch = -2, // the user chose Launch for resultPath
    kSearchEdit = -3,   // the user chose Edit for it
    kSearchDeclined = 0, // Find File: the user did not want the search
};

enum SearchMode {
    kSearchListMode,     // every match is delivered at once
    kSearchMatchBoxMode, // every match is offered first
};

// The user's side of the search: the program fills it with the Match box, the progress line,
// the Next command and the drive change; tests with scripts. Null members do the plain thing.
struct SearchHooks {
    void* context;
    ViewEngine* engine; // the contents test reads files through it; null: gEngine
    // A SearchAnswer for the file; defaultSkip puts the first focus on Skip. Null: View.
    int (*offer)(void* context, const char* path, bool defaultSkip);
    // Deletes the file with the usual confirmation. Null: the file stays.
    void (*erase)(void* context, const char* path);
    // The directory being searched ("Searching dir:", or the results window's title).
    void (*showDirectory)(void* context, const char* directory);
    void (*enableNext)(void* context, bool enabled);
    // The current drive's letter, lower case; 0 for none. Null: the current directory's.
    char (*currentDrive)(void* context);
    // Makes the drive current: 1, or 0 after "Could not change to that drive". Null: ChangeDrive.
    int (*changeDrive)(void* context, char drive);
    // The drive's root directory, ending in a separator. Its length, or 0. Null: "x:\".
    int (*driveRoot)(void* context, char drive, char* dest, int destSize);
};

enum SearchPhase {
    kPhaseIdle,
    kPhaseStartDir,
    kPhaseWalk,
};

struct SearchFrame; // one directory level of the walk

// The search's place between two calls.
struct SearchWalk {
    SearchPhase phase;
    SearchMode mode;
    bool findFile; // every file of the name is offered, without the qualifiers
    bool multiDisk;
    char name[kSearchTextMax]; // the mask's name and extension
    char startDirectory[kSearchTextMax]; // with a trailing separator
    char currentDirectory[kSearchTextMax];
    char shownDirectory[kSearchTextMax];
    bool startScanBegun; // the start directory's enumeration has begun
    // The start directory's subdirectories, as its enumeration met them, for the walk.
    bool startSubdirsKept;
    char* startSubdirs;
    size_t startSubdirsUsed;
    FileScan files; // the files of the directory being searched
    SearchFrame* stack; // the innermost directory first
    int diskPosition; // index in disks of the disk walked; -1 for the starting disk
    char startDisk;
    char previousDrive;
    bool driveChanged;
    bool running; // inside a call: the user's answers to its questions come meanwhile
    int lastAnswer; // View or Skip: the Match box's default button
    int directTestError; // why the named file of the start directory was not there (kPlatErr*)
    // The file delivered: its path as shown (upper case unless PreserveCase) and as found;
    // its size, time and attributes where a size, date or contents test described it.
    char resultPath[kSearchTextMax];
    char foundPath[kSearchTextMax];
    int64_t resultSize;
    int64_t resultLastWrite; // seconds since 1970 UTC
    uint32_t resultAttributeBits; // kPlatAttr*
    // The contents test met a file larger than the engine's block table can step through.
    int32_t tooLargeSkipped;
};

extern SearchWalk gSearchWalk;

// The next match: kSearchFound with the file in resultPath, kSearchLaunch, kSearchEdit, or
// kSearchEnded. An idle walk starts a new search in the mode given; any other resumes.
int Search_NextMatch(SearchWalk* w, const SearchCriteria& c, SearchMode mode,
                     const SearchHooks& hooks);
// Ends the search: the walk's handles and frames are freed, Next is disabled, the drive the
// search began on is current again and the phase idle.
void Search_Reset(SearchWalk* w, const SearchHooks& hooks);

// Find File: the file at path could not be opened (openError the system's number, or 0). Asks
// "Search for file %s?" and, on Yes, searches for every file of its name in match-box mode (on
// the disks of c when there are any): Search_NextMatch's result. On No (kSearchDeclined) the
// walk's startDirectory is the one the directory window goes on in.
int Search_FindFile(SearchWalk* w, const char* path, int openError, const SearchCriteria& c,
                    const SearchHooks& hooks);

// ---- List mode ------------------------------------------------------------------------------

// The results list as the search sees it.
struct SearchListSink {
    void* context;
    // Adds an entry: 1, or 0 when the list refuses it (full, or an error).
    int (*add)(void* context, const char* entry);
    // Lines are being found in this file (the results window's title may show it). May be null.
    void (*fileBegun)(void* context, const char* path);
};

// What a full list leaves for the window that carries on.
struct SearchContinuation {
    bool full;
    char entry[kSearchTextMax + 32 + 1024]; // the entry that did not fit
    char path[kSearchTextMax]; // the file it belongs to, as found
    int64_t lastLine; // the last line listed of that file; 0 for a file entry
};

constexpr int kSearchEntryMax = (int)sizeof(SearchContinuation::entry);

// Runs the list-mode search to its end: every match as an entry "PATH", or with
// listMatchingLines every matching line as "PATH :%6ld: text" once, in line order. After each
// file a pending key or click asks "Continue Search?". With cont->full set on entry, the list
// begins with cont->entry and goes on in cont->path after cont->lastLine. Returns the entries
// added; cont->full tells a list that filled up (the walk is kept for the next window).
int Search_ListMatches(SearchWalk* w, const SearchCriteria& c, const SearchHooks& hooks,
                       const SearchListSink& sink, SearchContinuation* cont);

// Tests let the next succeedFirst directory frames be had and fail the ones after (-1: none).
void Search_FailFramesForTests(int succeedFirst);
