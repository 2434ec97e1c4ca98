#include "search/searchwalk.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "find/findengine.h"
#include "lister/drive.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "shell/settings.h"
#include "viewer/engine.h"

SearchCriteria gSearchCriteria = [] {
    SearchCriteria c = SearchCriteria();
    snprintf(c.mask, sizeof c.mask, "*.*");
    return c;
}();
SearchWalk gSearchWalk;

struct SearchFrame {
    char path[kSearchTextMax]; // with a trailing separator
    int state;
    PlatDirScan* subdirs; // the enumeration of this level's subdirectories
    // Or the subdirectories its files' enumeration met, when it met every entry.
    bool subdirsKept;
    char* kept;
    size_t keptUsed, keptAt;
    SearchFrame* parent;
};

namespace {

enum FrameState {
    kFrameNew,     // not entered yet
    kFrameFiles,   // its files are being enumerated
    kFrameSubdirs, // its subdirectories are being walked
};

// What a candidate came to.
enum Outcome {
    kOutcomeSkip,
    kOutcomeDeliver, // the call returns `result`
    kOutcomeCancel,
};

const char kTextOpenMatching[] = "Could not open matching file %s.";
const char kTextOpenForFind[] = "Could not open file %s\nto check for find string.";
const char kCaptionOpenError[] = "Open Error";
const char kTextContinue[] = "Continue file search?";
const char kCaptionContinue[] = "Quit?";
const char kTextNoFrame[] = "Could not allocate mem for search. Press a key...";
const char kTextSearchFor[] = "Search for file %s?";
const char kCaptionFindFile[] = "Find File?";
const char kTextErrorOccurred[] = "Error %d occurred";
const char kTextContinueList[] = "Continue Search?";
const char kCaptionContinueList[] = "Search";

int gFramesLeftForTests = -1;

bool IsSeparator(char c) {
    return c == kPlatDirSeparator || c == '/';
}

bool HasDrive(const char* path) {
    return isalpha((unsigned char)path[0]) && path[1] == ':';
}

bool HasWildcard(const char* name) {
    return strpbrk(name, "*+?[") != nullptr;
}

// A bounded copy; a search makes several for every file it visits, so no formatting.
void Copy(char* dest, const char* src, size_t size) {
    const size_t n = strnlen(src, size - 1);
    memcpy(dest, src, n);
    dest[n] = 0;
}

// Appends a separator unless the path ends in one. False when it does not fit.
bool EndWithSeparator(char* path, size_t size) {
    const size_t n = strlen(path);
    if (n > 0 && IsSeparator(path[n - 1]))
        return true;
    if (n + 2 > size)
        return false;
    path[n] = kPlatDirSeparator;
    path[n + 1] = 0;
    return true;
}

bool SamePath(const char* a, const char* b) {
    for (; *a && *b; a++, b++)
        if (tolower((unsigned char)*a) != tolower((unsigned char)*b) &&
            !(IsSeparator(*a) && IsSeparator(*b)))
            return false;
    return *a == *b;
}

ViewEngine* EngineOf(const SearchHooks& h) {
    return h.engine ? h.engine : &gEngine;
}

char CurrentDrive(const SearchHooks& h) {
    if (h.currentDrive)
        return h.currentDrive(h.context);
    char dir[kPlatNameMax];
    if (Plat_GetCurrentDir(0, dir, sizeof dir) > 0 && HasDrive(dir))
        return (char)tolower((unsigned char)dir[0]);
    return 0;
}

int ChangeTo(const SearchHooks& h, char drive) {
    return h.changeDrive ? h.changeDrive(h.context, drive) : ChangeDrive(drive);
}

int DriveRoot(const SearchHooks& h, char drive, char* dest, int destSize) {
    if (h.driveRoot)
        return h.driveRoot(h.context, drive, dest, destSize);
    const int n = snprintf(dest, (size_t)destSize, "%c:%c", drive, kPlatDirSeparator);
    return n < destSize ? n : 0;
}

void EnableNext(const SearchHooks& h, bool enabled) {
    if (h.enableNext)
        h.enableNext(h.context, enabled);
}

void Tell(const char* text, const char* caption, PromptIcon icon) {
    PromptRequest request = {text, caption, kButtonsOk, icon, kPromptOwnedByFocus};
    Ui_Ask(request);
}

bool AskYes(const char* text, const char* caption, int flags) {
    PromptRequest request = {text, caption, kButtonsYesNo, kIconQuestion, flags};
    return Ui_Ask(request) == kAnswerYes;
}

void ShowDirectory(SearchWalk* w, const SearchHooks& h, const char* dir) {
    if (strcmp(w->shownDirectory, dir) == 0)
        return;
    Copy(w->shownDirectory, dir, sizeof w->shownDirectory);
    if (h.showDirectory)
        h.showDirectory(h.context, dir);
}

void UpperUnlessPreserved(char* path) {
    if (gSettings.preserveCase)
        return;
    for (; *path; path++)
        *path = (char)toupper((unsigned char)*path);
}

// ---- Directory frames -----------------------------------------------------------------------

SearchFrame* PushFrame(SearchWalk* w, const char* path) {
    SearchFrame* f = nullptr;
    if (gFramesLeftForTests != 0) {
        f = (SearchFrame*)calloc(1, sizeof(SearchFrame));
        if (gFramesLeftForTests > 0)
            gFramesLeftForTests--;
    }
    if (!f) {
        Tell(kTextNoFrame, nullptr, kIconError);
        return nullptr;
    }
    Copy(f->path, path, sizeof f->path);
    f->state = kFrameNew;
    f->parent = w->stack;
    w->stack = f;
    return f;
}

void PopFrame(SearchWalk* w) {
    SearchFrame* f = w->stack;
    if (!f)
        return;
    Plat_FindClose(f->subdirs);
    free(f->kept);
    w->stack = f->parent;
    free(f);
}

void FreeStack(SearchWalk* w) {
    while (w->stack)
        PopFrame(w);
    FileScan_Close(&w->files);
    free(w->startSubdirs);
    w->startSubdirs = nullptr;
    w->startSubdirsKept = false;
}

// The files' enumeration of the frame's directory has ended: the subdirectories it met are
// walked from the frame rather than read again.
void TakeSubdirs(SearchWalk* w, SearchFrame* f) {
    f->subdirsKept = FileScan_TakeDirectories(&w->files, &f->kept, &f->keptUsed);
    f->keptAt = 0;
    f->state = kFrameSubdirs;
}

// Enters the next subdirectory of the frame: false when there is none left (or it would not
// fit, or no frame could be had: *ended then).
bool EnterSubdir(SearchWalk* w, SearchFrame* f, const char* name, bool* ended) {
    char sub[kSearchTextMax];
    if (snprintf(sub, sizeof sub, "%s%s%c", f->path, name, kPlatDirSeparator) >= (int)sizeof sub)
        return false; // out of reach
    if (!PushFrame(w, sub))
        *ended = true;
    return true;
}

// ---- Candidate steps --------------------------------------------------------------------------

bool SizePasses(const SearchCriteria& c, int64_t s) {
    if (!c.limitSize)
        return true;
    if (c.equalSize.isSet && c.largerSize.isSet) {
        if (s < c.equalSize.bytes) // they share one value
            return false;
    } else if (c.equalSize.isSet) {
        if (s != c.equalSize.bytes)
            return false;
    } else if (c.largerSize.isSet) {
        if (s <= c.largerSize.bytes)
            return false;
    }
    return !c.smallerSize.isSet || s <= c.smallerSize.bytes;
}

bool DatePasses(const SearchCriteria& c, int64_t t) {
    if (!c.matchDates)
        return true;
    if (c.datedTime.isSet && c.newerTime.isSet) {
        if (t < c.datedTime.seconds)
            return false;
    } else if (c.newerTime.isSet) {
        if (t <= c.newerTime.seconds)
            return false;
    } else if (c.datedTime.isSet) {
        // The span of time the Dated text named: a whole day, hour or minute, or one second.
        const int64_t d = t - c.datedTime.seconds;
        switch (c.datedPrecision) {
        case kPrecisionDay:
            if (d < 0 || d > 86400)
                return false;
            break;
        case kPrecisionHour:
            if (d < 0 || d >= 3600)
                return false;
            break;
        case kPrecisionMinute:
            if (d < 0 || d >= 60)
                return false;
            break;
        case kPrecisionSecond:
            if (d != 0)
                return false;
            break;
        }
    }
    return !c.olderTime.isSet || t <= c.olderTime.seconds;
}

// Loads the file into the engine from its first block and runs a new, quiet find. 1 when the
// find settings match inside it, 0 when not (or the file is too large to step through), -1
// when it cannot be read.
// opened, when not null, is the file already open at path; it is closed here. When the file
// came undescribed from its listing, a match describes it (and a file that cannot be described
// then counts as one that cannot be read): most files lack the find string, and are never
// asked about.
int ContentsMatch(SearchWalk* w, const SearchHooks& h, const char* path, PlatFile* opened,
                  bool undescribed = false) {
    ViewEngine* e = EngineOf(h);
    const PlatFileInfo info = {w->resultSize, w->resultLastWrite, w->resultAttributeBits};
    if (!Engine_SetDescribedFile(e, path, info)) {
        Plat_Close(opened);
        return -1;
    }
    if (opened)
        Engine_BeginWalkOn(e, opened);
    const bool special = HasSpecialBytes(gFind);
    e->settings.hexMode = special ? 1 : 0;
    e->settings.binaryMode = 0;
    e->skipTooLarge = true;
    e->tooLargeMet = false;
    e->rowsDeferred = true;
    int rc = -1;
    if (Engine_Load(e, EngineLoad{false, false, true, false}) == 0) {
        const int32_t length =
            gFind.hexFind ? gFind.byteCount1 : (int32_t)strnlen(gFind.string1, kFindTextMax);
        rc = FindInView(e, &gFind, false, length, false) ? 1 : 0;
    }
    if (rc == 1 && undescribed) {
        PlatFileInfo found;
        if (e->walkFile && Plat_GetOpenFileInfo(e->walkFile, path, &found)) {
            w->resultSize = found.size;
            w->resultLastWrite = found.lastWrite;
            w->resultAttributeBits = found.attributes;
            Engine_SetDescribedFile(e, path, found);
        } else {
            rc = -1;
        }
    }
    if (opened)
        Engine_EndWalk(e);
    e->rowsDeferred = false;
    if (rc == 1)
        BuildRows(e); // the rows of the window the match moved it to
    if (e->tooLargeMet && rc != 1) {
        w->tooLargeSkipped++;
        rc = 0;
    }
    e->skipTooLarge = false;
    return rc;
}

// A contents test opens the file itself; with no size or date test before it, that open is
// the open test too, and tells the same "Open Error" when it fails. Such a search describes
// only the files that match; every other describes each file from its open test.
bool ContentsOpens(const SearchWalk* w, const SearchCriteria& c) {
    return !w->findFile && c.containingString && !c.limitSize && !c.matchDates;
}

void TellOpenError(const SearchCriteria& c, bool qualified, const char* path) {
    char upper[kSearchTextMax];
    Copy(upper, path, sizeof upper);
    for (char* p = upper; *p; p++)
        *p = (char)toupper((unsigned char)*p);
    char text[kSearchTextMax + 64];
    snprintf(text, sizeof text,
             qualified && c.containingString ? kTextOpenForFind : kTextOpenMatching, upper);
    Tell(text, kCaptionOpenError, kIconInformation);
}

// Takes one file whose name matches through the steps: open test, record, size, date,
// contents, offer. *result is what the call returns when the outcome is kOutcomeDeliver.
Outcome Candidate(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h, const char* path,
                  int64_t size, int64_t lastWrite, uint32_t attributes, int* result) {
    const bool qualified = !w->findFile;
    const bool contentsOpens = ContentsOpens(w, c);
    PlatFile* opened = nullptr;
    bool undescribed = (attributes & kPlatAttrUndescribed) != 0;
    if (undescribed) {
        // Listed by name alone, the file is opened once: that open is the open test, the
        // contents test reads the file from it, and the file is described from it when a
        // size or date test needs it first, or else when its contents match. A search by name
        // alone delivers the name.
        opened = Plat_OpenListedFile(path);
        if (!opened) {
            // Gone since it was listed, it is passed over as the listing would have.
            PlatFileInfo info;
            if (Plat_GetFileInfo(path, &info))
                TellOpenError(c, qualified, path);
            return kOutcomeSkip;
        }
        attributes &= ~(uint32_t)kPlatAttrUndescribed;
        PlatFileInfo info;
        if (!contentsOpens && qualified && (c.limitSize || c.matchDates || c.containingString)) {
            if (!Plat_GetOpenFileInfo(opened, path, &info)) {
                Plat_Close(opened);
                TellOpenError(c, qualified, path);
                return kOutcomeSkip;
            }
            size = info.size;
            lastWrite = info.lastWrite;
            attributes = info.attributes;
            undescribed = false;
        }
    } else if (!contentsOpens) {
        PlatFile* file = Plat_OpenRead(path);
        if (!file) {
            TellOpenError(c, qualified, path);
            return kOutcomeSkip;
        }
        Plat_Close(file);
    }

    Copy(w->foundPath, path, sizeof w->foundPath);
    Copy(w->resultPath, path, sizeof w->resultPath);
    UpperUnlessPreserved(w->resultPath);
    w->resultSize = size;
    w->resultLastWrite = lastWrite;
    w->resultAttributeBits = attributes;

    if (qualified && c.containingString && SizePasses(c, size) && DatePasses(c, lastWrite)) {
        const int m = ContentsMatch(w, h, path, opened, undescribed); // closes what was opened
        if (m < 0)
            TellOpenError(c, qualified, path);
        if (m != 1)
            return kOutcomeSkip;
    } else {
        Plat_Close(opened);
        if (qualified && (!SizePasses(c, size) || !DatePasses(c, lastWrite)))
            return kOutcomeSkip;
    }

    if (w->mode == kSearchListMode) {
        *result = kSearchFound;
        return kOutcomeDeliver;
    }
    const int answer = h.offer ? h.offer(h.context, w->resultPath,
                                         w->lastAnswer == kSearchAnswerSkip)
                               : kSearchAnswerView;
    switch (answer) {
    case kSearchAnswerView:
        w->lastAnswer = kSearchAnswerView;
        EnableNext(h, true);
        *result = kSearchFound;
        return kOutcomeDeliver;
    case kSearchAnswerErase:
        if (h.erase)
            h.erase(h.context, path);
        return kOutcomeSkip;
    case kSearchAnswerLaunch:
        EnableNext(h, true);
        *result = kSearchLaunch;
        return kOutcomeDeliver;
    case kSearchAnswerEdit:
        EnableNext(h, true);
        *result = kSearchEdit;
        return kOutcomeDeliver;
    case kSearchAnswerSkip:
        w->lastAnswer = kSearchAnswerSkip;
        return kOutcomeSkip;
    default:
        return kOutcomeCancel;
    }
}

// Candidate for the entry FileScan_Next just returned in dir.
Outcome ScannedCandidate(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h,
                         const char* dir, const char* name, int* result) {
    char path[kSearchTextMax];
    const size_t dirLength = strlen(dir), nameLength = strlen(name);
    if (dirLength + nameLength >= sizeof path)
        return kOutcomeSkip; // out of reach: its path would not fit
    if (w->files.entryAttributes & kPlatAttrUnusableName)
        return kOutcomeSkip; // out of reach too: as a mask its name would reach other files
    memcpy(path, dir, dirLength);
    memcpy(path + dirLength, name, nameLength + 1);
    return Candidate(w, c, h, path, (int64_t)w->files.entrySize, w->files.entryLastWrite,
                     w->files.entryAttributes, result);
}

// ---- Starting -------------------------------------------------------------------------------

// The directory the search starts in, from the mask's drive and directory, or the criteria.
void ResolveStart(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h, const char* dir,
                  size_t dirLength) {
    char start[kSearchTextMax] = "";
    char current[kPlatNameMax] = "";
    if (HasDrive(c.mask)) {
        char drive = (char)tolower((unsigned char)c.mask[0]);
        char letter = c.mask[0];
        if (drive != CurrentDrive(h)) {
            if (ChangeTo(h, drive)) {
                w->driveChanged = true;
            } else {
                // Told once by the change; the search goes on from the current drive.
                if (w->startDisk == drive)
                    w->startDisk = CurrentDrive(h);
                drive = CurrentDrive(h);
                letter = drive;
            }
        }
        if (dirLength > 2) {
            if (IsSeparator(dir[2]))
                snprintf(start, sizeof start, "%c:%.*s", letter, (int)(dirLength - 2), dir + 2);
            else if (Plat_GetCurrentDir(drive, current, sizeof current) > 0)
                snprintf(start, sizeof start, "%s%c%.*s", current, kPlatDirSeparator,
                         (int)(dirLength - 2), dir + 2);
        } else {
            Plat_GetCurrentDir(0, start, sizeof start);
        }
    } else if (dirLength > 0) {
        if (Plat_IsAbsolutePath(dir)) {
            snprintf(start, sizeof start, "%.*s", (int)dirLength, dir);
        } else if (Plat_GetCurrentDir(0, current, sizeof current) > 0) {
            if (IsSeparator(dir[0]) && HasDrive(current)) // the current drive's root
                snprintf(start, sizeof start, "%.2s%.*s", current, (int)dirLength, dir);
            else
                snprintf(start, sizeof start, "%s%c%.*s", current, kPlatDirSeparator,
                         (int)dirLength, dir);
        }
    } else if (!c.startTyped && c.startDirectory[0]) {
        Copy(start, c.startDirectory, sizeof start);
    } else {
        Plat_GetCurrentDir(0, start, sizeof start);
    }
    EndWithSeparator(start, sizeof start);
    // Read back as the system spells it once current: "docs\" under a drive root, ".\" and
    // "..\" come back as the one path the walk meets, so it is not searched again there.
    if (Plat_SetCurrentDir(start) == 0 && Plat_GetCurrentDir(0, current, sizeof current) > 0) {
        Copy(start, current, sizeof start);
        EndWithSeparator(start, sizeof start);
    }
    Copy(w->startDirectory, start, sizeof w->startDirectory);
}

void Start(SearchWalk* w, const SearchCriteria& c, SearchMode mode, const SearchHooks& h,
           bool findFile) {
    FreeStack(w);
    const int tooLarge = w->tooLargeSkipped;
    *w = SearchWalk();
    w->tooLargeSkipped = tooLarge;
    w->mode = mode;
    w->findFile = findFile;
    w->lastAnswer = kSearchAnswerView;
    w->diskPosition = -1;
    w->previousDrive = CurrentDrive(h);

    // The mask as directory and name: the name is all after the last separator (or drive).
    const char* mask = c.mask[0] ? c.mask : "*.*";
    size_t dirLength = 0;
    for (size_t i = 0; mask[i]; i++)
        if (IsSeparator(mask[i]) || (i == 1 && HasDrive(mask)))
            dirLength = i + 1;
    Copy(w->name, mask + dirLength, sizeof w->name);
    if (!w->name[0])
        Copy(w->name, "*.*", sizeof w->name);

    const bool onlyHere = !findFile && (c.onlyStartDir || c.onlyLimb);
    w->multiDisk = c.disks[0] && !onlyHere;
    const char current = w->previousDrive;
    const char maskDrive = HasDrive(mask) ? (char)tolower((unsigned char)mask[0]) : 0;
    if (!w->multiDisk || strchr(c.disks, current))
        w->startDisk = maskDrive ? maskDrive : current;
    else
        w->startDisk = c.disks[0];

    ResolveStart(w, c, h, mask, dirLength);
    w->phase = kPhaseStartDir;
    if (mode == kSearchListMode) {
        // The results window's title shows what is searched for until the walk moves on.
        char spec[2 * kSearchTextMax];
        snprintf(spec, sizeof spec, "%s%s", w->startDirectory, w->name);
        ShowDirectory(w, h, spec);
    }
}

// Puts the walk at the root of a disk (or the start directory for onlyLimb). False when the
// frame could not be had.
bool BeginDisk(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h, char disk) {
    char root[kSearchTextMax];
    if (!w->findFile && c.onlyLimb) {
        Copy(root, w->startDirectory, sizeof root);
    } else if (DriveRoot(h, disk, root, sizeof root) <= 0) {
        return true; // nothing to walk there
    }
    EndWithSeparator(root, sizeof root);
    return PushFrame(w, root) != nullptr;
}

// The walk of one disk ended: on to the next disk of the list that can be made current.
bool NextDisk(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h) {
    if (!w->multiDisk)
        return false;
    for (;;) {
        w->diskPosition++;
        if (w->diskPosition >= (int)strlen(c.disks))
            return false;
        const char disk = c.disks[w->diskPosition];
        if (disk == w->startDisk)
            continue; // walked first
        if (!ChangeTo(h, disk))
            continue; // told; the following disk is tried
        w->driveChanged = true;
        return BeginDisk(w, c, h, disk);
    }
}

// ---- The walk -------------------------------------------------------------------------------

// Where the walk goes from the innermost frame. Returns true when a candidate has an outcome
// to act on (in *outcome); false to go round again, with *ended set when the walk is over.
bool WalkStep(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h, Outcome* outcome,
              int* result, bool* ended) {
    SearchFrame* f = w->stack;
    if (!f) {
        if (!NextDisk(w, c, h) || !w->stack)
            *ended = true;
        return false;
    }
    char text[kEntryTextMax];
    char query[kSearchTextMax + kSearchTextMax];
    switch (f->state) {
    case kFrameNew:
        if (Ui_PendingInput(kPendingKey | kPendingClick) &&
            !AskYes(kTextContinue, kCaptionContinue, kPromptOwnedByFocus)) {
            *outcome = kOutcomeCancel;
            return true;
        }
        Copy(w->currentDirectory, f->path, sizeof w->currentDirectory);
        ShowDirectory(w, h, f->path);
        if (SamePath(f->path, w->startDirectory)) {
            f->state = kFrameSubdirs; // its files were searched first
            f->subdirsKept = w->startSubdirsKept;
            f->kept = w->startSubdirs;
            f->keptUsed = w->startSubdirsUsed;
            w->startSubdirs = nullptr;
            w->startSubdirsKept = false;
            return false;
        }
        f->state = kFrameFiles;
        if (snprintf(query, sizeof query, "%s%s", f->path, w->name) >= (int)sizeof query) {
            f->state = kFrameSubdirs;
            return false;
        }
        {
            void* busy = Ui_BeginBusy(f->path);
            w->files.keepDirectories = true;
            w->files.filesUndescribed = true; // described from the open test
            const int kind = FileScan_Next(&w->files, query, text, true, false);
            Ui_EndBusy(busy);
            if (kind != kEnumFile) {
                TakeSubdirs(w, f);
                return false;
            }
        }
        *outcome = ScannedCandidate(w, c, h, f->path, text, result);
        return true;
    case kFrameFiles: {
        void* busy = Ui_BeginBusy(f->path);
        const int kind = FileScan_Next(&w->files, "", text, false, false);
        Ui_EndBusy(busy);
        if (kind != kEnumFile) {
            TakeSubdirs(w, f);
            return false;
        }
        *outcome = ScannedCandidate(w, c, h, f->path, text, result);
        return true;
    }
    default: {
        if (f->subdirsKept) {
            while (f->keptAt < f->keptUsed) {
                const char* name = f->kept + f->keptAt;
                f->keptAt += strlen(name) + 1;
                if (EnterSubdir(w, f, name, ended))
                    return false;
            }
            PopFrame(w);
            return false;
        }
        PlatDirEntry entry;
        bool have;
        if (!f->subdirs) {
            int error = 0;
            snprintf(query, sizeof query, "%s*", f->path);
            f->subdirs = Plat_FindFirstDirectories(query, &entry, &error);
            have = f->subdirs != nullptr;
            if (!have) {
                PopFrame(w);
                return false;
            }
        } else {
            have = Plat_FindNext(f->subdirs, &entry) != 0;
        }
        for (; have; have = Plat_FindNext(f->subdirs, &entry) != 0) {
            // A junction or symbolic link is never entered: it may lead back up the tree or
            // off the disk. Nor is a directory by a name the walk could not use.
            if (!(entry.attributes & kPlatAttrDirectory) ||
                (entry.attributes & (kPlatAttrLink | kPlatAttrUnusableName)) ||
                strcmp(entry.name, ".") == 0 || strcmp(entry.name, "..") == 0)
                continue;
            if (EnterSubdir(w, f, entry.name, ended))
                return false;
        }
        PopFrame(w);
        return false;
    }
    }
}

// The start-directory pass: the next candidate, or false when the pass is over.
bool StartStep(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h, Outcome* outcome,
               int* result) {
    char path[kSearchTextMax];
    if (snprintf(path, sizeof path, "%s%s", w->startDirectory, w->name) >= (int)sizeof path)
        return false;
    if (!HasWildcard(w->name)) {
        if (w->startScanBegun)
            return false;
        w->startScanBegun = true;
        PlatFileInfo info;
        if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory)) {
            w->directTestError = kPlatErrFileNotFound;
            return false;
        }
        *outcome = Candidate(w, c, h, path, info.size, info.lastWrite, info.attributes, result);
        return true;
    }
    char text[kEntryTextMax];
    const bool first = !w->startScanBegun;
    w->startScanBegun = true;
    if (first) {
        w->files.keepDirectories = true; // the walk goes on in the subdirectories it meets
        w->files.filesUndescribed = true;
    }
    void* busy = Ui_BeginBusy(w->startDirectory);
    const int kind = FileScan_Next(&w->files, first ? path : "", text, first, false);
    Ui_EndBusy(busy);
    if (kind != kEnumFile)
        return false;
    *outcome = ScannedCandidate(w, c, h, w->startDirectory, text, result);
    return true;
}

// The start pass is over: on to the walk, or the end with onlyStartDir.
bool BeginWalk(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h) {
    w->startSubdirsKept = FileScan_TakeDirectories(&w->files, &w->startSubdirs,
                                                   &w->startSubdirsUsed);
    FileScan_Close(&w->files);
    if (!w->findFile && c.onlyStartDir)
        return false;
    w->phase = kPhaseWalk;
    if (w->startDisk != CurrentDrive(h) && !(!w->findFile && c.onlyLimb)) {
        if (!ChangeTo(h, w->startDisk))
            return true; // the walk goes on with the next disk
        w->driveChanged = true;
    }
    return BeginDisk(w, c, h, w->startDisk);
}

int RunSteps(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h) {
    for (;;) {
        Outcome outcome = kOutcomeSkip;
        int result = kSearchEnded;
        bool have = false;
        bool ended = false;
        if (w->phase == kPhaseStartDir) {
            have = StartStep(w, c, h, &outcome, &result);
            if (!have && !BeginWalk(w, c, h))
                ended = true;
        } else if (w->phase == kPhaseWalk) {
            have = WalkStep(w, c, h, &outcome, &result, &ended);
        } else {
            ended = true;
        }
        if (ended || (have && outcome == kOutcomeCancel)) {
            Search_Reset(w, h);
            return kSearchEnded;
        }
        if (have && outcome == kOutcomeDeliver)
            return result;
    }
}

// The walk to its next outcome, marked as running meanwhile: a file erased from the Match box
// may leave the frame with no window, and nothing is to be opened while the walk is at work.
int Run(SearchWalk* w, const SearchCriteria& c, const SearchHooks& h) {
    w->running = true;
    const int result = RunSteps(w, c, h);
    w->running = false;
    return result;
}

} // namespace

int Search_NextMatch(SearchWalk* w, const SearchCriteria& c, SearchMode mode,
                     const SearchHooks& hooks) {
    if (w->phase == kPhaseIdle)
        Start(w, c, mode, hooks, false);
    return Run(w, c, hooks);
}

void Search_Reset(SearchWalk* w, const SearchHooks& hooks) {
    FreeStack(w);
    EnableNext(hooks, false);
    if (w->driveChanged && w->previousDrive && w->previousDrive != CurrentDrive(hooks))
        ChangeTo(hooks, w->previousDrive);
    w->driveChanged = false;
    w->phase = kPhaseIdle;
}

int Search_FindFile(SearchWalk* w, const char* path, int openError, const SearchCriteria& c,
                    const SearchHooks& hooks) {
    SearchCriteria byName = SearchCriteria();
    Copy(byName.mask, path, sizeof byName.mask);
    Copy(byName.startDirectory, c.startDirectory, sizeof byName.startDirectory);
    byName.startTyped = c.startTyped;
    Copy(byName.disks, c.disks, sizeof byName.disks);
    Start(w, byName, kSearchMatchBoxMode, hooks, true);
    // The start directory's file is the one that could not be opened: the pass is not run.
    w->startScanBegun = true;
    w->directTestError = openError ? openError : kPlatErrFileNotFound;

    char question[kSearchTextMax + 320];
    char errorText[256] = "";
    if (openError && Plat_ErrorText(openError, errorText, sizeof errorText) == 0)
        snprintf(errorText, sizeof errorText, kTextErrorOccurred, openError);
    char ask[kSearchTextMax + 32];
    snprintf(ask, sizeof ask, kTextSearchFor, w->name);
    if (errorText[0])
        snprintf(question, sizeof question, "%s\n%s", errorText, ask);
    else
        Copy(question, ask, sizeof question);
    if (!AskYes(question, kCaptionFindFile, kPromptOwnedByFocus)) {
        Search_Reset(w, hooks);
        return kSearchDeclined;
    }
    return Run(w, byName, hooks);
}

namespace {

// The row the engine shows for its match line: the window was moved to show it.
void MatchRowText(const ViewEngine* e, char* dest, size_t size) {
    dest[0] = 0;
    const int64_t r = e->matchLine - e->file.topLine;
    if (r < 0 || r > e->pageLines)
        return;
    for (int64_t i = 0; i <= r; i++)
        if (e->rowOffset[i] < 0)
            return;
    Copy(dest, e->displayText + e->rowOffset[r], size);
}

// Adds one entry, keeping it for the next window when the list is full. False when full.
bool AddEntry(const SearchListSink& sink, SearchContinuation* cont, const char* entry,
              const char* path, int64_t line) {
    if (sink.add(sink.context, entry))
        return true;
    cont->full = true;
    Copy(cont->entry, entry, sizeof cont->entry);
    Copy(cont->path, path, sizeof cont->path);
    cont->lastLine = line;
    return false;
}

// Lists the lines of the file in the engine that the find matches, from the match its contents
// test left, each line once and after `after`. The entries added, or -1 when the list filled.
int ListLines(SearchWalk* w, const SearchHooks& h, const SearchListSink& sink,
              SearchContinuation* cont, int64_t after) {
    ViewEngine* e = EngineOf(h);
    int added = 0;
    int64_t last = after;
    e->skipTooLarge = true;
    bool full = false;
    do {
        if (e->matchLine > last) {
            char row[1024];
            MatchRowText(e, row, sizeof row);
            char entry[kSearchEntryMax];
            snprintf(entry, sizeof entry, "%s :%6ld: %s", w->resultPath, (long)e->matchLine,
                     row);
            if (!AddEntry(sink, cont, entry, w->foundPath, e->matchLine)) {
                cont->lastLine = e->matchLine - 1; // the entry is listed by the next window
                full = true;
                break;
            }
            added++;
            last = e->matchLine;
        }
    } while (FindInView(e, &gFind, true, 0, false));
    e->skipTooLarge = false;
    return full ? -1 : added;
}

// A key or click waits: "Continue Search?". False on No.
bool ListGoesOn() {
    if (!Ui_PendingInput(kPendingKey | kPendingClick))
        return true;
    return AskYes(kTextContinueList, kCaptionContinueList, kPromptOwnedByFocus);
}

} // namespace

namespace {

int ListMatches(SearchWalk* w, const SearchCriteria& c, const SearchHooks& hooks,
                const SearchListSink& sink, SearchContinuation* cont) {
    int added = 0;
    if (cont->full) {
        // Carried on from a full list: its last entry first, then the rest of its file.
        cont->full = false;
        if (!AddEntry(sink, cont, cont->entry, cont->path, cont->lastLine))
            return 0;
        added++;
        int64_t after = cont->lastLine + 1;
        if (c.listMatchingLines && c.containingString &&
            ContentsMatch(w, hooks, cont->path, nullptr) == 1) {
            const int n = ListLines(w, hooks, sink, cont, after);
            if (n < 0)
                return added;
            added += n;
        }
        if (!ListGoesOn()) {
            Search_Reset(w, hooks);
            return added;
        }
    } else {
        Search_Reset(w, hooks);
    }
    for (;;) {
        const int rc = Search_NextMatch(w, c, kSearchListMode, hooks);
        if (rc != kSearchFound)
            break;
        if (sink.fileBegun)
            sink.fileBegun(sink.context, w->resultPath);
        if (c.listMatchingLines && c.containingString) {
            const int n = ListLines(w, hooks, sink, cont, 0);
            if (n < 0)
                return added;
            added += n;
        } else {
            if (!AddEntry(sink, cont, w->resultPath, w->foundPath, 0))
                return added;
            added++;
        }
        if (!ListGoesOn()) {
            Search_Reset(w, hooks);
            break;
        }
    }
    return added;
}

} // namespace

int Search_ListMatches(SearchWalk* w, const SearchCriteria& c, const SearchHooks& hooks,
                       const SearchListSink& sink, SearchContinuation* cont) {
    // One busy spell for the whole run: the reads of every directory and file inside it leave
    // the pointer as it is.
    void* busy = Ui_BeginBusy(w->startDirectory);
    const int added = ListMatches(w, c, hooks, sink, cont);
    Ui_EndBusy(busy);
    return added;
}

void Search_FailFramesForTests(int succeedFirst) {
    gFramesLeftForTests = succeedFirst;
}
