// The file list of a directory window: the masks are enumerated one by one into a collection,
// sorted once, and the names handed to the window's list; the status lines are texts made here.
#include "lister/filelist.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include <stdint.h>

#include "find/findpat.h"
#include "lister/dirsnap.h"
#include "shell/settings.h"
#include "platform/uiseam.h"
#include "viewer/engine.h"

FileScan gFileScan;

namespace {

int32_t gCollectionLimit = 0; // tests: refuse to grow past this many entries

// Ends a name pattern: a byte no file name holds, so "the pattern reaches it" means "the
// pattern covers the whole name" in the matcher's dialect, which has no end anchor.
constexpr char kNameEnd = '\x01';

inline unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}

void LowerCase(char* text) {
    for (; *text; text++)
        *text = (char)Fold((unsigned char)*text);
}

bool IsSeparator(char c) {
    return c == '/' || c == kPlatDirSeparator;
}

// Length of the directory part of a path, separator included ("c:" counts as one).
size_t DirectoryLength(const char* path) {
    size_t n = strlen(path);
    while (n > 0 && !IsSeparator(path[n - 1]))
        n--;
    if (n == 0 && kPlatDirSeparator == '\\' && path[0] && path[1] == ':')
        n = 2;
    return n;
}

bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// The whole name must be matched: the pattern ends in kNameEnd and so does the text, and the
// match must start at the name's first character. Names and masks are both lower-cased unless
// PreserveCase; with it, the mask still matches as the system matches names, without regard to
// case.
bool PatternMatchesName(const FileScan* s, const char* name) {
    char text[kFileNameMax + 2];
    const size_t length = strnlen(name, kFileNameMax - 1);
    memcpy(text, name, length);
    text[length] = kNameEnd;
    text[length + 1] = 0;
    if (s->compiled)
        return CompiledPattern_MatchesAtStart(s->compiled, text, (int32_t)length + 1);
    // Without memory for the compiled form, the pattern is made again for each name.
    static FindSettings settings;
    static bool ready = false;
    if (!ready) {
        FindSettings_Init(&settings);
        settings.regularExpression = 1;
        settings.ignoreCase = 1;
        ready = true;
    }
    const FindScope scope = {2 * kFileNameMax, true, 0};
    int32_t patternLength = (int32_t)strlen(s->pattern);
    return FindOne(settings, scope, text, (int64_t)length + 1, s->pattern, &patternLength) == text;
}

void ReadDriveSpace(const char* path, DirFigures* figures) {
    char root[kPlatNameMax];
    figures->freeBytes = figures->diskBytes = 0;
    if (Plat_DriveRoot(path, root, sizeof root) > 0)
        Plat_DiskSpace(root, &figures->freeBytes, &figures->diskBytes);
}

// Skips what the listing never shows: "." and "..", directories unless wanted, and hidden and
// system entries unless the settings show them.
bool Admits(const PlatDirEntry& e, bool wantDirectories) {
    if (IsDotName(e.name))
        return false;
    uint32_t excluded = 0;
    if (!wantDirectories)
        excluded |= kPlatAttrDirectory;
    if (gSettings.hiddenFiles != 1)
        excluded |= kPlatAttrHidden;
    if (gSettings.systemFiles != 1)
        excluded |= kPlatAttrSystem;
    return (e.attributes & excluded) == 0;
}

// The names a scan wants, known before the entry is described: the pattern is matched as the
// system matches names, without regard to case.
bool NameAdmitted(void* context, const char* name, PlatEntryKind kind) {
    FileScan* s = static_cast<FileScan*>(context);
    s->admittedUnmatched = false;
    if (IsDotName(name))
        return false;
    if (s->keepDirectories && kind != kPlatKindFile) {
        s->admittedUnmatched = true; // described first: it may be a directory to keep
        return true;
    }
    if (kind == kPlatKindDirectory && !s->wantDirectories)
        return false;
    return !s->pattern[0] || PatternMatchesName(s, name);
}

void KeepDirectory(FileScan* s, const char* name) {
    const size_t length = strlen(name) + 1;
    if (s->directoriesUsed + length > s->directoriesRoom) {
        const size_t room = s->directoriesRoom ? 2 * s->directoriesRoom + length : 1024 + length;
        char* grown = (char*)realloc(s->directories, room);
        if (!grown) {
            s->keepDirectories = false; // the walk reads the directory again instead
            return;
        }
        s->directories = grown;
        s->directoriesRoom = room;
    }
    memcpy(s->directories + s->directoriesUsed, name, length);
    s->directoriesUsed += length;
}

// Ends an enumeration; the kept subdirectories stay for the walk to take.
void EndEnumeration(FileScan* s) {
    Plat_FindClose(s->handle);
    s->handle = nullptr;
    s->replay = nullptr;
    CompiledPattern_Free(s->compiled);
    s->compiled = nullptr;
}

// Fills the entry text and the scan's record of the entry: kEnumFile or kEnumDirectory.
int TakeEntry(FileScan* s, PlatDirEntry* e, char* entryText) {
    if (!gSettings.preserveCase)
        LowerCase(e->name);
    const bool isDirectory = (e->attributes & kPlatAttrDirectory) != 0;
    s->entrySize = isDirectory || e->size < 0 ? 0 : (uint64_t)e->size;
    s->entryAttributes = e->attributes;
    if (e->attributes & kPlatAttrUndescribed) {
        s->entryStampValid = false;
        s->entryLastWrite = 0;
    } else {
        // Files written together share their time: the local time is worked out once for them.
        if (e->lastWrite != s->entryLastWrite || !s->entryStampValid)
            s->entryStamp = FileStampOf(e->lastWrite);
        s->entryStampValid = true;
        s->entryLastWrite = e->lastWrite;
    }
    const size_t length = strnlen(e->name, kFileNameMax - 1);
    if (isDirectory) {
        entryText[0] = '[';
        memcpy(entryText + 1, e->name, length);
        entryText[length + 1] = ']';
        entryText[length + 2] = 0;
        return kEnumDirectory;
    }
    memcpy(entryText, e->name, length);
    entryText[length] = 0;
    s->totalBytes += s->entrySize;
    return kEnumFile;
}

// "dir\*.*": every entry of the directory, as a level read of the tree has just enumerated it.
bool IsWholeDirectoryQuery(const char* query, size_t dirLength) {
    return strcmp(query + dirLength, "*.*") == 0;
}

// The next entry of the enumeration in progress, from the disk or from the snapshot.
bool NextEntry(FileScan* s, PlatDirEntry* e) {
    if (s->replay) {
        if (s->replayNext >= s->replay->count)
            return false;
        do {
            DirSnapshot_Entry(s->replay, s->replayNext++, e);
            const bool directory = (e->attributes & kPlatAttrDirectory) != 0;
            if (NameAdmitted(s, e->name, directory ? kPlatKindDirectory : kPlatKindFile))
                return true;
        } while (s->replayNext < s->replay->count);
        return false;
    }
    return s->handle && Plat_FindNext(s->handle, e);
}

} // namespace

// ---- The collection ---------------------------------------------------------------------------

int FileCollection_Begin(FileCollection* c) {
    FileCollection_Free(c);
    c->entries = (FileEntry*)calloc(kCollectionStep, sizeof(FileEntry));
    if (!c->entries) {
        c->failed = 1;
        return 0;
    }
    c->capacity = kCollectionStep;
    return 1;
}

namespace {

bool Grow(FileCollection* c, int32_t capacity) {
    FileEntry* grown = nullptr;
    if (capacity > c->capacity && (gCollectionLimit <= 0 || capacity <= gCollectionLimit))
        grown = (FileEntry*)realloc(c->entries, (size_t)capacity * sizeof(FileEntry));
    if (!grown)
        return false;
    c->entries = grown;
    c->capacity = capacity;
    return true;
}

} // namespace

void FileCollection_Reserve(FileCollection* c, int32_t more) {
    if (c->failed || !c->entries || more <= 0 || more > INT32_MAX - kCollectionStep - c->count)
        return;
    const int32_t wanted = c->count + more;
    if (wanted > c->capacity)
        Grow(c, (wanted + kCollectionStep - 1) / kCollectionStep * kCollectionStep);
}

namespace {

// Room for a name and its terminator in the newest block, a new block when it is full; null
// without memory.
char* NameRoom(FileCollection* c, size_t length) {
    FileNameBlock* block = c->names;
    if (!block || block->room - block->used < length + 1) {
        block = (FileNameBlock*)malloc(sizeof(FileNameBlock) + kNameBlockBytes);
        if (!block)
            return nullptr;
        *block = {c->names, 0, kNameBlockBytes, reinterpret_cast<char*>(block + 1)};
        c->names = block;
    }
    char* room = block->text + block->used;
    block->used += length + 1;
    return room;
}

} // namespace

int FileCollection_Append(FileCollection* c, const char* name, uint32_t stamp, uint64_t size) {
    if (c->failed || !c->entries)
        return 0;
    if (c->count == c->capacity) {
        // Whole steps of 256, but half the block at a time once it is large: the system's
        // reallocation copies the block, and a step of 256 alone copies a listing of n files
        // n / 256 times over (seconds for 100,000 files).
        const int32_t steps = c->capacity / kCollectionStep / 2;
        if (!Grow(c, c->capacity + (steps > 1 ? steps : 1) * kCollectionStep)) {
            c->failed = 1;
            return 0;
        }
    }
    const size_t length = strnlen(name, kFileNameMax - 1);
    char* copy = NameRoom(c, length);
    if (!copy) {
        c->failed = 1;
        return 0;
    }
    memcpy(copy, name, length);
    copy[length] = 0;
    FileEntry* e = &c->entries[c->count++];
    e->name = copy;
    e->stamp = stamp;
    e->size = size;
    return 1;
}

void FileCollection_Free(FileCollection* c) {
    free(c->entries);
    while (FileNameBlock* block = c->names) {
        c->names = block->older;
        free(block);
    }
    *c = FileCollection{};
}

void FileCollection_LimitForTests(int32_t maxEntries) {
    gCollectionLimit = maxEntries;
}

// ---- Enumerating one mask ---------------------------------------------------------------------

void FileScan_NamePattern(const char* mask, char* dest) {
    dest[0] = 0;
    const size_t length = strlen(mask);
    if (length > kMaskListMax || strcmp(mask, "*.*") == 0 ||
        !LooksLikeRegex(mask, (int32_t)length) || ValidateRegex(mask, (int32_t)length) != kRegexOk)
        return;
    memcpy(dest, mask, length + 1);
    if (!gSettings.preserveCase)
        LowerCase(dest);
    // abc*.* also lists abc, as the system's own matching of it would.
    if (length >= 3 && strcmp(dest + length - 3, "*.*") == 0)
        dest[length - 2] = 0;
}

uint32_t FileStampOf(int64_t lastWriteUtc) {
    PlatLocalTime t;
    if (!Plat_ToLocalTime(lastWriteUtc, &t) || t.year < 1980)
        return 0;
    if (t.year > 2107)
        return 0xFFFFFFFFu;
    const uint32_t date = (uint32_t)((t.year - 1980) << 9 | t.month << 5 | t.day);
    const uint32_t time = (uint32_t)(t.hour << 11 | t.minute << 5 | t.second / 2);
    return date << 16 | time;
}

int FileScan_Next(FileScan* s, const char* path, char* entryText, bool first,
                  bool wantDirectories) {
    PlatDirEntry e;
    int have = 0;
    entryText[0] = 0;
    if (first) {
        const bool keep = s->keepDirectories, undescribed = s->filesUndescribed;
        FileScan_Close(s);
        s->keepDirectories = keep;
        s->filesUndescribed = undescribed;
        s->totalBytes = 0;
        s->lastError = 0;
        s->entryStampValid = false;
        const size_t dirLength = DirectoryLength(path);
        FileScan_NamePattern(path + dirLength, s->pattern);
        char query[2 * kPlatNameMax + 8];
        int fits;
        if (s->pattern[0]) {
            const size_t n = strlen(s->pattern);
            s->pattern[n] = kNameEnd;
            s->pattern[n + 1] = 0;
            s->compiled = CompiledPattern_New(s->pattern, (int32_t)n + 1);
            fits = snprintf(query, sizeof query, "%.*s*.*", (int)dirLength, path) <
                   (int)sizeof query;
        } else {
            fits = snprintf(query, sizeof query, "%s", path) < (int)sizeof query;
        }
        s->wantDirectories = wantDirectories;
        // Only an enumeration of every entry meets every subdirectory.
        s->keepDirectories = s->keepDirectories && fits && IsWholeDirectoryQuery(query, dirLength);
        if (!fits) {
            s->lastError = kPlatErrFileNotFound;
            return kEnumDone;
        }
        if (IsWholeDirectoryQuery(query, dirLength))
            s->replay = DirSnapshot_Of(query, dirLength);
        if (s->replay) {
            s->replayNext = 0;
            have = NextEntry(s, &e);
            if (!have)
                s->lastError = kPlatErrFileNotFound;
        } else {
            s->handle = Plat_FindFirstTested(
                query, PlatNameTest{NameAdmitted, s, s->filesUndescribed}, &e, &s->lastError);
            have = s->handle != nullptr;
        }
        if (!have) {
            s->directoriesComplete = s->keepDirectories && s->lastError == kPlatErrFileNotFound;
            return kEnumDone;
        }
    } else {
        have = NextEntry(s, &e);
    }
    for (; have; have = NextEntry(s, &e)) {
        if (s->admittedUnmatched) {
            if (e.attributes & kPlatAttrDirectory) {
                // A walk never enters a link, nor a directory by a name it could not use.
                if (s->keepDirectories &&
                    !(e.attributes & (kPlatAttrLink | kPlatAttrUnusableName)))
                    KeepDirectory(s, e.name);
                if (!s->wantDirectories)
                    continue;
            }
            if (s->pattern[0] && !PatternMatchesName(s, e.name))
                continue;
        }
        if (Admits(e, s->wantDirectories))
            return TakeEntry(s, &e, entryText);
    }
    s->directoriesComplete = s->keepDirectories;
    EndEnumeration(s);
    return kEnumDone;
}

void FileScan_Close(FileScan* s) {
    EndEnumeration(s);
    free(s->directories);
    s->directories = nullptr;
    s->directoriesUsed = s->directoriesRoom = 0;
    s->directoriesComplete = false;
    s->keepDirectories = false;
    s->filesUndescribed = false;
}

bool FileScan_TakeDirectories(FileScan* s, char** names, size_t* used) {
    *names = nullptr;
    *used = 0;
    if (!s->directoriesComplete || !s->keepDirectories)
        return false;
    *names = s->directories;
    *used = s->directoriesUsed;
    s->directories = nullptr;
    s->directoriesUsed = s->directoriesRoom = 0;
    s->directoriesComplete = false;
    return true;
}

int EnumerateFiles(const char* path, char* entryText, bool first, bool wantDirectories) {
    return FileScan_Next(&gFileScan, path, entryText, first, wantDirectories);
}

// ---- Sort orders ------------------------------------------------------------------------------

namespace {

int CompareFolded(const char* a, const char* b) {
    const unsigned char* p = (const unsigned char*)a;
    const unsigned char* q = (const unsigned char*)b;
    while (*p && Fold(*p) == Fold(*q)) {
        p++;
        q++;
    }
    return (int)Fold(*p) - (int)Fold(*q);
}

int CompareType(const FileEntry* a, const FileEntry* b) {
    const char* x = strchr(a->name, '.');
    const char* y = strchr(b->name, '.');
    if (x && y) {
        const int c = CompareFolded(x, y);
        return c ? c : CompareFolded(a->name, b->name);
    }
    if (x || y)
        return x ? 1 : -1;
    return CompareFolded(a->name, b->name);
}

int CompareEntries(const FileEntry* a, const FileEntry* b, FileSortKey key) {
    switch (key) {
    case kSortName:
        return CompareFolded(a->name, b->name);
    case kSortType:
        return CompareType(a, b);
    case kSortDate:
        return a->stamp < b->stamp ? -1 : a->stamp > b->stamp;
    case kSortSize:
        if (a->size != b->size)
            return a->size < b->size ? -1 : 1;
        return CompareFolded(a->name, b->name);
    default:
        return 0;
    }
}

} // namespace

namespace {

// The first sixteen bytes of a name, folded, as two numbers: most name comparisons end in them,
// and a sort moving these small records runs in the cache. Bytes past the terminator are zero,
// and no name holds a zero, so comparing keys compares the names' first bytes in order.
struct NameKey {
    uint64_t high, low;
    const FileEntry* entry;
};

constexpr int kKeyBytes = 16;

NameKey KeyOf(const FileEntry* e) {
    uint64_t part[2] = {0, 0};
    for (int i = 0; i < kKeyBytes && e->name[i]; i++)
        part[i / 8] |= (uint64_t)Fold((unsigned char)e->name[i]) << (56 - 8 * (i % 8));
    return {part[0], part[1], e};
}

struct NameBefore {
    bool operator()(const NameKey& a, const NameKey& b) const {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        // Equal keys: a name shorter than the key (a zero last byte) has ended in both.
        if (a.low & 0xFF)
            return CompareFolded(a.entry->name + kKeyBytes, b.entry->name + kKeyBytes) < 0;
        return false;
    }
};

} // namespace

void FileList_Sort(const FileEntry* entries, int32_t count, FileSortKey key,
                   const FileEntry** order) {
    for (int32_t i = 0; i < count; i++)
        order[i] = &entries[i];
    if (key == kSortNone || count < 2)
        return;
    if (key == kSortName) {
        NameKey* keys = (NameKey*)malloc((size_t)count * sizeof *keys);
        if (keys) {
            for (int32_t i = 0; i < count; i++)
                keys[i] = KeyOf(&entries[i]);
            std::stable_sort(keys, keys + count, NameBefore());
            for (int32_t i = 0; i < count; i++)
                order[i] = keys[i].entry;
            free(keys);
            return;
        }
    }
    std::stable_sort(order, order + count, [key](const FileEntry* a, const FileEntry* b) {
        return CompareEntries(a, b, key) < 0;
    });
}

// ---- The listing --------------------------------------------------------------------------------

namespace {

void Tell(const char* text, const char* caption, PromptIcon icon) {
    PromptRequest q = {text, caption, kButtonsOk, icon, kPromptOwnedByFocus};
    Ui_Ask(q);
}

// Hands the sorted names to the window's list until it refuses one; a sink that takes the
// whole listing gets the collection itself (c is then left empty).
void FillList(FileCollection& c, FileSortKey key, const FileListSink& sink,
              ListOutcome* outcome) {
    const FileEntry** order = nullptr;
    if (!c.failed && c.count > 0)
        order = (const FileEntry**)malloc((size_t)c.count * sizeof *order);
    if (c.failed || (c.count > 0 && !order)) {
        Tell(kNoListMemoryText, nullptr, kIconWarning);
        return;
    }
    FileList_Sort(c.entries, c.count, key, order);
    if (sink.take) {
        FileListing listing = {c, order, c.count};
        c = FileCollection{};
        const int32_t count = listing.count;
        if (sink.take(sink.context, &listing)) {
            outcome->added = count;
        } else {
            FileListing_Free(&listing);
            Tell(kListFullText, kListFullCaption, kIconError);
        }
        return;
    }
    if (sink.reserve && c.count > 0)
        sink.reserve(sink.context, c.count);
    for (int32_t i = 0; i < c.count; i++) {
        if (!sink.add(sink.context, order[i]->name)) {
            Tell(kListFullText, kListFullCaption, kIconError);
            break;
        }
        outcome->added++;
    }
    free(order);
}

} // namespace

int ListFiles(const char* directory, const char* maskList, FileSortKey key,
              const FileListSink& sink, DirFigures* figures, ListOutcome* outcome) {
    ListOutcome result = {};
    FileCollection c = {};
    void* busy = Ui_BeginBusy(directory);
    FileCollection_Begin(&c);

    char folder[kPlatNameMax + 2];
    snprintf(folder, sizeof folder, "%s", directory);
    const size_t folderLength = strlen(folder);
    if (folderLength > 0 && !IsSeparator(folder[folderLength - 1]) &&
        folderLength + 1 < sizeof folder) {
        folder[folderLength] = kPlatDirSeparator;
        folder[folderLength + 1] = 0;
    }

    // Each mask's first call zeroes the scan's total; the listing counts every mask's files.
    uint64_t listedBytes = 0;
    int masks = 0, masksGone = 0;
    const char* mask = maskList;
    while (*mask && !c.failed) {
        const char* end = strchr(mask, ';');
        const size_t maskLength = end ? (size_t)(end - mask) : strlen(mask);
        if (maskLength > 0) {
            char path[2 * kPlatNameMax + 8];
            snprintf(path, sizeof path, "%s%.*s", folder, (int)maskLength, mask);
            char name[kEntryTextMax];
            bool first = true;
            masks++;
            while (FileScan_Next(&gFileScan, path, name, first, false) == kEnumFile) {
                // A replayed level tells how many entries are to come: room for them all at
                // once rather than growing the block step by step.
                if (first && gFileScan.replay)
                    FileCollection_Reserve(&c, gFileScan.replay->count);
                first = false;
                if (!FileCollection_Append(&c, name, gFileScan.entryStamp, gFileScan.entrySize))
                    break;
                listedBytes += gFileScan.entrySize;
                if (sink.measure) {
                    const int width = sink.measure(sink.context, name);
                    if (width > result.widest)
                        result.widest = width;
                }
            }
            FileScan_Close(&gFileScan);
            if (first && gFileScan.lastError == kPlatErrPathNotFound)
                masksGone++;
        }
        mask = end ? end + 1 : mask + maskLength;
    }
    result.gathered = c.count;

    int shown = 1;
    if (c.count == 0 && masks > 0 && masksGone == masks) {
        // The directory has gone since the tree was read.
        Ui_EndBusy(busy);
        busy = nullptr;
        if (sink.directoryGone)
            sink.directoryGone(sink.context);
        Tell(kInvalidFilespecText, nullptr, kIconWarning);
        shown = 0;
    } else {
        figures->listedBytes = listedBytes;
        if (masks > 0) // the drive was read: the space is this listing's
            ReadDriveSpace(directory, figures);
        Ui_EndBusy(busy);
        busy = nullptr;
        FillList(c, key, sink, &result);
    }
    FileCollection_Free(&c);
    if (outcome)
        *outcome = result;
    return shown;
}

// ---- The names a window shows ----------------------------------------------------------------

const char* FileListing_Name(const FileListing* listing, int32_t index) {
    if (!listing || !listing->order || index < 0 || index >= listing->count)
        return nullptr;
    return listing->order[index]->name;
}

int32_t FileListing_Find(const FileListing* listing, const char* name) {
    for (int32_t i = 0; listing && listing->order && i < listing->count; i++) {
        const unsigned char* a = (const unsigned char*)listing->order[i]->name;
        const unsigned char* b = (const unsigned char*)name;
        while (*a && Fold(*a) == Fold(*b))
            a++, b++;
        if (*a == 0 && *b == 0)
            return i;
    }
    return -1;
}

int32_t FileListing_NextStartingWith(const FileListing* listing, int32_t after, char c) {
    if (!listing || !listing->order || listing->count <= 0)
        return -1;
    const unsigned char want = Fold((unsigned char)c);
    int32_t index = after + 1 >= listing->count || after < 0 ? 0 : after + 1;
    for (int32_t i = 0; i < listing->count; i++, index = index + 1 < listing->count ? index + 1 : 0) {
        const unsigned char* name = (const unsigned char*)listing->order[index]->name;
        if (Fold(name[0]) == want || (name[0] == '[' && Fold(name[1]) == want))
            return index;
    }
    return -1;
}

void FileListing_Remove(FileListing* listing, int32_t index) {
    if (!listing || !listing->order || index < 0 || index >= listing->count)
        return;
    memmove(&listing->order[index], &listing->order[index + 1],
            (size_t)(listing->count - index - 1) * sizeof *listing->order);
    listing->count--;
}

void FileListing_Free(FileListing* listing) {
    free(listing->order);
    FileCollection_Free(&listing->collection);
    *listing = FileListing{};
}

// ---- Texts of the status lines --------------------------------------------------------------

namespace {

// Digits of n with "," every three from the right; the last separator becomes "." when
// decimalPoint, so a value counted in thousandths reads "2.147".
void GroupDigits(uint64_t n, bool decimalPoint, char* dest, int destSize) {
    char digits[24];
    const int count = snprintf(digits, sizeof digits, "%llu", (unsigned long long)n);
    char out[kCountTextMax];
    int o = 0;
    for (int i = 0; i < count; i++) {
        const int left = count - i; // digits from here to the end
        if (i > 0 && left % 3 == 0)
            out[o++] = decimalPoint && left == 3 ? '.' : ',';
        out[o++] = digits[i];
    }
    out[o] = 0;
    snprintf(dest, (size_t)destSize, "%s", out);
}

// value / 2^shift in thousandths, rounded down, without forming value * 1000 (which would
// overflow for the largest 64-bit values).
uint64_t Thousandths(uint64_t value, int shift) {
    const uint64_t whole = value >> shift;
    const uint64_t part = value & ((UINT64_C(1) << shift) - 1);
    return whole * 1000 + ((part * 1000) >> shift);
}

} // namespace

void FormatCount(uint64_t number, bool compact, char* dest, int destSize) {
    if (destSize <= 0)
        return;
    constexpr uint64_t kMega = UINT64_C(1) << 20;
    constexpr uint64_t kGiga = UINT64_C(1) << 30;
    char digits[kCountTextMax];
    if (!compact) {
        GroupDigits(number, false, dest, destSize);
    } else if (number > kGiga) {
        GroupDigits(Thousandths(number, 30), true, digits, sizeof digits);
        snprintf(dest, (size_t)destSize, "%sGB", digits);
    } else if (number <= kMega) {
        GroupDigits(number, false, digits, sizeof digits);
        snprintf(dest, (size_t)destSize, "%s bytes", digits);
    } else {
        GroupDigits(Thousandths(number, 20), true, digits, sizeof digits);
        snprintf(dest, (size_t)destSize, "%sMB", digits);
    }
}

void FormatFilesLine(int32_t files, uint64_t listedBytes, bool compact, char* dest,
                     int destSize) {
    char count[kCountTextMax], bytes[kCountTextMax];
    FormatCount(files < 0 ? 0 : (uint64_t)files, false, count, sizeof count);
    FormatCount(listedBytes, compact, bytes, sizeof bytes);
    snprintf(dest, (size_t)destSize, compact ? "%s %s (%s)" : "%s %s (%s bytes)", count,
             files == 1 ? "File" : "Files", bytes);
}

void FormatSpaceLine(uint64_t freeBytes, uint64_t diskBytes, bool compact, char* dest,
                     int destSize) {
    char free[kCountTextMax], disk[kCountTextMax];
    FormatCount(freeBytes, compact, free, sizeof free);
    FormatCount(diskBytes, compact, disk, sizeof disk);
    snprintf(dest, (size_t)destSize, compact ? "%s free (of %s)" : "%s bytes free (of %s)",
             free, disk);
}

void AttributeLettersOf(uint32_t attributes, char dest[kAttributeLettersMax]) {
    static const struct {
        uint32_t bit;
        char letter;
    } kLetters[] = {{kPlatAttrReadOnly, 'R'},  {kPlatAttrArchive, 'A'},
                    {kPlatAttrSystem, 'S'},    {kPlatAttrHidden, 'H'},
                    {kPlatAttrTemporary, 'T'}, {kPlatAttrCompressed, 'C'}};
    int n = 0;
    for (const auto& l : kLetters)
        if (attributes & l.bit)
            dest[n++] = l.letter;
    dest[n] = 0;
}

void AttributeLetters(const char* path, char dest[kAttributeLettersMax]) {
    PlatFileInfo info;
    dest[0] = 0;
    if (Plat_GetFileInfo(path, &info))
        AttributeLettersOf(info.attributes, dest);
}

int SelectionInfoLine(const char* directory, const char* const* names, int32_t count,
                      char* dest, int destSize) {
    if (destSize <= 0)
        return 0;
    dest[0] = 0;
    const size_t dirLength = strlen(directory);
    char separator[2] = {kPlatDirSeparator, 0};
    if (dirLength == 0 || IsSeparator(directory[dirLength - 1]))
        separator[0] = 0;
    uint64_t total = 0;
    int found = 0;
    PlatFileInfo info = {};
    for (int32_t i = 0; i < count; i++) {
        char path[2 * kPlatNameMax + 8];
        snprintf(path, sizeof path, "%s%s%s", directory, separator, names[i]);
        if (!Plat_GetFileInfo(path, &info))
            continue;
        total += info.size > 0 ? (uint64_t)info.size : 0;
        found++;
    }
    char size[kCountTextMax];
    if (count == 1 && found == 1) {
        char stamp[16], letters[kAttributeLettersMax];
        FormatFileStamp(info.lastWrite, stamp, sizeof stamp);
        FormatCount(total, false, size, sizeof size);
        AttributeLettersOf(info.attributes, letters);
        snprintf(dest, (size_t)destSize, "%s  Size:%-9s  Attr:%s", stamp, size, letters);
    } else if (count >= 2) {
        FormatCount(total, false, size, sizeof size);
        snprintf(dest, (size_t)destSize, "Selected sizes: %s", size);
    }
    return found;
}
