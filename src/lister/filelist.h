// The files of a directory window: finding them (masks, attribute filter, letter case), the
// collection a listing is gathered in, the sort orders, the hand-over to the window's list, and
// the figures and texts of the window's status lines.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

constexpr int kFileNameMax = kPlatNameMax;    // a name and its terminator
constexpr int kEntryTextMax = kPlatNameMax + 2; // room for "[" name "]"
constexpr int kMaskListMax = 260;
constexpr int kCountTextMax = 40;  // 18,446,744,073,709,551,615 bytes and the terminator
constexpr int kStatusTextMax = 96; // a files, space or selection info line
constexpr int kAttributeLettersMax = 7;

constexpr char kInvalidFilespecText[] = "Invalid filespec";
constexpr char kNoListMemoryText[] = "Could not get memory for the file list";
constexpr char kListFullText[] = "List memory full.\nNot all files are shown.";
constexpr char kListFullCaption[] = "Partial List";

// One listed file. Sizes are kept in full, so files and drives past 4 GB show true figures.
struct FileEntry {
    const char* name; // lower-cased unless PreserveCase; in the collection's name blocks
    uint32_t stamp; // DOS date << 16 | DOS time of the local last-write time: compares as times
    uint64_t size;
};

// Names back to back in blocks that never move, so entries point into them and a listing of
// many files takes little more memory than its names.
struct FileNameBlock {
    FileNameBlock* older;
    size_t used, room;
    char* text;
};

// A listing being gathered: entries back to back, grown in whole steps of 256 entries.
struct FileCollection {
    FileEntry* entries;
    int32_t count;
    int32_t capacity;
    int32_t failed; // an allocation failed: the gathering stopped and nothing is shown
    FileNameBlock* names; // the newest block, which names are added to
};

constexpr int32_t kCollectionStep = 256;
constexpr size_t kNameBlockBytes = 64 * 1024;

// Discards any previous entries and starts with room for 256. 1, or 0 (failed set) without
// memory.
int FileCollection_Begin(FileCollection* c);
// Room for `more` entries beyond those there, when it can be had; the appends grow it anyway.
void FileCollection_Reserve(FileCollection* c, int32_t more);
// 1, or 0 (failed set, entry dropped) when the collection could not grow.
int FileCollection_Append(FileCollection* c, const char* name, uint32_t stamp, uint64_t size);
void FileCollection_Free(FileCollection* c);
// Tests make the collection refuse to grow past this many entries (0: no limit).
void FileCollection_LimitForTests(int32_t maxEntries);

// ---- Enumerating one mask ---------------------------------------------------------------------

// One enumeration in progress and what it found. The listing and the disk search each keep
// their own, so a search may walk while a listing is being gathered.
struct CompiledPattern;
struct DirSnapshot;

struct FileScan {
    PlatDirScan* handle;
    // Instead of the handle: the snapshot of the directory just read, and its next entry.
    const DirSnapshot* replay;
    int32_t replayNext;
    char pattern[kMaskListMax + 2]; // the mask as a name pattern; "" when the system matches
    CompiledPattern* compiled; // the pattern, made once for the names of the enumeration
    int32_t lastError; // why a first call found nothing (kPlatErr*), 0 when it found something
    // The entry just returned.
    uint64_t entrySize;
    uint32_t entryStamp;
    bool entryStampValid; // entryStamp belongs to entryLastWrite
    uint32_t entryAttributes;
    int64_t entryLastWrite; // seconds since 1970 UTC
    bool wantDirectories; // as the first call asked
    // Set before a first call: the subdirectories the enumeration meets (links left out) are
    // kept, so a walk of a tree reads each directory once. Names one after another, each with
    // its terminator; complete once an enumeration of the whole directory has ended.
    bool keepDirectories;
    char* directories;
    size_t directoriesUsed, directoriesRoom;
    bool directoriesComplete;
    // Set before a first call: plain files may come undescribed (kPlatAttrUndescribed in
    // entryAttributes, size and time 0) where the system would look each one up, for a caller
    // that opens every file it is given and describes it from the open file.
    bool filesUndescribed;
    bool admittedUnmatched; // the entry was let through for the directory test alone
    // Sizes of the files returned since the first call.
    uint64_t totalBytes;
};

// The enumeration the directory window's listing uses.
extern FileScan gFileScan;

enum {
    kEnumDone = 0,
    kEnumFile = 1,
    kEnumDirectory = 2, // entryText is "[" name "]"; only when directories are wanted
};

// The next entry of directory + mask in path: kEnumDone, kEnumFile or kEnumDirectory, the entry
// text in entryText (kEntryTextMax bytes). first starts a new enumeration (closing the one before
// and zeroing the total); wantDirectories counts from it. "." and ".." are never returned.
int FileScan_Next(FileScan* scan, const char* path, char* entryText, bool first,
                  bool wantDirectories);
// Ends the enumeration and frees the kept subdirectories.
void FileScan_Close(FileScan* scan);
// Hands the kept subdirectories over (the caller frees *names, null when there are none) when
// the enumeration ended having met every entry of its directory. False otherwise.
bool FileScan_TakeDirectories(FileScan* scan, char** names, size_t* used);
// FileScan_Next on gFileScan.
int EnumerateFiles(const char* path, char* entryText, bool first, bool wantDirectories);

// The name pattern a mask becomes, or "" when the system matches it itself (no wildcard,
// not a valid pattern, or exactly "*.*"). dest has kMaskListMax + 2 bytes.
void FileScan_NamePattern(const char* mask, char* dest);
// DOS date << 16 | DOS time of a last-write time in local time; times before 1980 give 0 and
// times past 2107 the last stamp there is, so the order of stamps stays the order of times.
uint32_t FileStampOf(int64_t lastWriteUtc);

// ---- Sort orders ------------------------------------------------------------------------------

// Numbered as the directory window's sort buttons.
enum FileSortKey {
    kSortNone = 0, // the order the masks and the system delivered
    kSortName = 5,
    kSortType = 6, // the extension from the first ".", names without one first
    kSortDate = 7,
    kSortSize = 8,
};

// Puts the addresses of the entries into order (count of them), sorted by key; entries that
// compare equal keep the order they came in.
void FileList_Sort(const FileEntry* entries, int32_t count, FileSortKey key,
                   const FileEntry** order);

// ---- The listing --------------------------------------------------------------------------------

// The names a window's list shows, kept for it to draw and read: the gathered entries and
// their sorted order, so nothing is copied per name into the list control.
struct FileListing {
    FileCollection collection;
    const FileEntry** order;
    int32_t count;
};

// The name shown at index, or null past the end.
const char* FileListing_Name(const FileListing* listing, int32_t index);
// The index of the first name equal to name regardless of case, or -1.
int32_t FileListing_Find(const FileListing* listing, const char* name);
// Type-ahead: the first name after row `after` (wrapping round, `after` itself last) that
// starts with c regardless of case, a leading "[" passed over; -1 when none does.
int32_t FileListing_NextStartingWith(const FileListing* listing, int32_t after, char c);
// Takes the name at index out of the order; the rest move up.
void FileListing_Remove(FileListing* listing, int32_t index);
void FileListing_Free(FileListing* listing);

// The window's side of a listing.
struct FileListSink {
    void* context;
    // Adds a name to the list: 1, or 0 when the list refuses it (full, or an error).
    int (*add)(void* context, const char* name);
    // Width of the name followed by "MM" in the list font; may be null.
    int (*measure)(void* context, const char* name);
    // The listing directory is gone: the window drops its tree node and selects the parent,
    // before "Invalid filespec" is shown. May be null.
    void (*directoryGone)(void* context);
    // Told how many names are about to be added, so the list can make room once. May be null.
    void (*reserve)(void* context, int32_t count);
    // Instead of add: the whole sorted listing at once; the sink owns it when it returns 1,
    // and 0 says the list cannot show it (the listing is freed). May be null.
    int (*take)(void* context, FileListing* listing);
};

// What a directory window shows under its list; kept in its record between listings.
struct DirFigures {
    uint64_t listedBytes;
    uint64_t freeBytes;
    uint64_t diskBytes;
};

struct ListOutcome {
    int32_t gathered; // entries found for the mask list
    int32_t added; // names the list took
    int32_t widest; // widest measured name, pixels; 0 without a measure
};

// Rebuilds a window's list: every ";"-separated mask of maskList in directory (a trailing
// separator is supplied), sorted by key and handed to the sink, under the busy cursor. Stores
// the figures. Returns 1 when a listing was shown (empty or not; the failures without a
// directory gone were told to the user), 0 when the directory is gone: the sink was told,
// "Invalid filespec" shown and the figures left as they were.
int ListFiles(const char* directory, const char* maskList, FileSortKey key,
              const FileListSink& sink, DirFigures* figures, ListOutcome* outcome);

// ---- Texts of the status lines --------------------------------------------------------------

// "1,234,567"; compact: "1,234 bytes" up to 1 MB, "12.345MB" up to 1 GB, above that "2.147GB".
void FormatCount(uint64_t number, bool compact, char* dest, int destSize);
// "12 Files (1,234 bytes)"; compact "12 Files (12.345MB)". Ends in no blank.
void FormatFilesLine(int32_t files, uint64_t listedBytes, bool compact, char* dest,
                     int destSize);
// "1,234 bytes free (of 5,678)"; compact "2.147GB free (of 10.000GB)".
void FormatSpaceLine(uint64_t freeBytes, uint64_t diskBytes, bool compact, char* dest,
                     int destSize);
// "RASHTC", each letter present when its attribute is set.
void AttributeLettersOf(uint32_t attributes, char dest[kAttributeLettersMax]);
// The letters of a file on disk; "" when it cannot be read.
void AttributeLetters(const char* path, char dest[kAttributeLettersMax]);
// The selection info line for the names selected in the listing directory: "" for none,
// "05Mar97 14:07  Size:1,234      Attr:RA" for one, "Selected sizes: 3,456" for more.
// Returns the number of selected files whose details could be read.
int SelectionInfoLine(const char* directory, const char* const* names, int32_t count,
                      char* dest, int destSize);
