#include "lister/dirremove.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "lister/fileops.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "shell/settings.h"

bool gDeleteDeepConfirmEach = false;

namespace {

const char kRemoveQuestion[] = "Remove directory %s?";
const char kRemoveCaption[] = "Remove";
const char kCouldNotRemove[] = "Could not remove %s.";
const char kTreeCorrupted[] = "Directory tree memory corrupted\nProcess aborted.";
const char kRootKept[] = "%s is a root directory and cannot be removed.";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && isalpha((unsigned char)path[0]) && path[1] == ':';
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i]))
            return false;
    return true;
}

// How long the root part of an absolute path is: "c:\", "\\server\share\" or "/".
size_t RootLength(const std::string& path) {
    if (HasDrive(path))
        return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t share = path.find_first_of("\\/", 2);
        size_t end = share == std::string::npos ? share : path.find_first_of("\\/", share + 1);
        return end == std::string::npos ? path.size() : end + 1;
    }
    return IsSeparator(path[0]) ? 1 : 0;
}

std::string ParentOf(const std::string& path) {
    const size_t root = RootLength(path);
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos || cut < root)
        return path.substr(0, root);
    return path.substr(0, cut < root ? root : cut);
}

int Ask(const char* text, const char* caption, PromptButtons buttons, PromptIcon icon,
        int flags = kPromptOwnedByFocus) {
    PromptRequest request = {text, caption, buttons, icon, flags};
    return Ui_Ask(request);
}

// Whether a full path names the root of a drive or a share ("c:\", "\\server\share", "/"),
// however it is spelt: doubled or forward separators, "." and "..", a "\\?\" prefix, and the
// dots and blanks the system drops from the end of a name ("c:\..." is "c:\"). A root is
// never removed nor deleted deep: every route to one stops here.
bool IsRootPath(const std::string& path) {
    std::string full = path;
    if (full.size() >= 4 && IsSeparator(full[0]) && IsSeparator(full[1]) &&
        (full[2] == '?' || full[2] == '.') && IsSeparator(full[3])) {
        full = full.substr(4);
        if (full.size() >= 4 && SameText(full.substr(0, 3), "unc") && IsSeparator(full[3]))
            full = std::string(2, kPlatDirSeparator) + full.substr(4);
    }
    full = ResolveDirectory(full.c_str(), "");
    const size_t root = RootLength(full);
    while (full.size() > root && (full.back() == '.' || full.back() == ' ')) {
        full.pop_back();
        while (full.size() > root && IsSeparator(full.back()))
            full.pop_back(); // the name was all dots and blanks: its parent is meant
    }
    return !full.empty() && full.size() <= root;
}

void TellRootKept(const std::string& path) {
    char text[2 * kPlatNameMax];
    snprintf(text, sizeof text, kRootKept, path.c_str());
    Ask(text, nullptr, kButtonsOk, kIconWarning);
}

void TellCouldNotRemove(const std::string& path) {
    char text[2 * kPlatNameMax];
    snprintf(text, sizeof text, kCouldNotRemove, path.c_str());
    Ask(text, nullptr, kButtonsOk, kIconWarning);
}

// Any entry besides "." and "..".
bool HoldsEntries(const std::string& dir) {
    std::string pattern = dir;
    if (!IsSeparator(pattern.back()))
        pattern += kPlatDirSeparator;
    pattern += "*.*";
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(pattern.c_str(), &entry, &error);
    bool holds = false;
    for (int more = scan != nullptr; more && !holds; more = Plat_FindNext(scan, &entry))
        holds = strcmp(entry.name, ".") != 0 && strcmp(entry.name, "..") != 0;
    if (scan)
        Plat_FindClose(scan);
    return holds;
}

// The process's own current directory keeps a directory in use: it goes up a level first.
void LeaveIfCurrent(const std::string& dir) {
    char current[kPlatNameMax];
    if (Plat_GetCurrentDir(0, current, sizeof current) > 0 && SameText(current, dir))
        Plat_SetCurrentDir(ParentOf(dir).c_str());
}

int DeleteFileQuietly(void*, const char* path) {
    return DeleteOneFile(path, true, false);
}

} // namespace

std::string ResolveDirectory(const char* name, const char* listingDir) {
    std::string path = name ? name : "";
    const std::string listing = listingDir ? listingDir : "";
    if (RootLength(path) == 0 || (HasDrive(path) && RootLength(path) == 2)) {
        // Relative: below the listing directory (or below the named drive's current one).
        std::string base = listing;
        if (HasDrive(path)) {
            char dir[kPlatNameMax];
            base = Plat_GetCurrentDir(path[0], dir, sizeof dir) > 0 ? dir : path.substr(0, 2);
            path = path.substr(2);
        }
        if (!base.empty() && !IsSeparator(base.back()))
            base += kPlatDirSeparator;
        path = base + path;
    } else if (RootLength(path) == 1 && HasDrive(listing)) {
        path = listing.substr(0, 2) + path; // "\dir" on the listing directory's drive
    }
    const size_t root = RootLength(path);
    std::vector<std::string> parts;
    for (size_t start = root; start < path.size();) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved = path.substr(0, root);
    for (size_t i = 0; i < parts.size(); i++)
        resolved += (i ? std::string(1, kPlatDirSeparator) : std::string()) + parts[i];
    return resolved;
}

int RemoveOneDirectory(const char* path, const char* listingDir, bool chosenInTree,
                       const RemoveDirHooks& hooks) {
    std::string dir = chosenInTree ? std::string(path) : ResolveDirectory(path, listingDir);
    while (dir.size() > RootLength(dir) && IsSeparator(dir.back()))
        dir.pop_back();
    if (dir.empty())
        return 0;
    if (IsRootPath(dir)) {
        TellRootKept(dir);
        return 0;
    }
    if (gSettings.confirmDelete) {
        char text[2 * kPlatNameMax];
        snprintf(text, sizeof text, kRemoveQuestion, dir.c_str());
        if (Ask(text, kRemoveCaption, kButtonsYesNo, kIconQuestion,
                kPromptOwnedByFocus | kPromptDefaultSecond) != kAnswerYes)
            return 0;
    }
    LeaveIfCurrent(dir);
    if (Plat_RemoveDir(dir.c_str()) != 0) {
        const bool deepRan = HoldsEntries(dir) && hooks.deleteDeep;
        if (!deepRan || hooks.deleteDeep(hooks.context, dir.c_str()) != 0) {
            TellCouldNotRemove(dir);
            return 0;
        }
    }
    if (hooks.removed)
        hooks.removed(hooks.context, dir.c_str());
    return 1;
}

int DeleteDeep_Read(DirTree* tree, const char* dir) {
    ReadTreeLevel(tree, dir, kTreeReadSeparate, kTreeReadAbsolute | kTreeReadWholeSubtree, nullptr);
    return tree->nodes != nullptr;
}

int DeleteDeep_Run(DirTree* tree, bool confirmEach) {
    if (!tree->nodes) {
        Ask(kTreeCorrupted, nullptr, kButtonsOk, kIconWarning);
        return -1;
    }
    const std::string dir = tree->nodes[0].path;
    if (IsRootPath(dir)) {
        TellRootKept(dir);
        return -1;
    }
    Plat_SetCurrentDir(ParentOf(dir).c_str());
    WalkCounters counters = {};
    WalkOptions options = {confirmEach, DeleteFileQuietly, nullptr};
    void* cursor = Ui_BeginBusy(dir.c_str());
    const int result = WalkSubtree(tree, 0, kWalkDelete, &counters, &options);
    Ui_EndBusy(cursor);
    return result;
}
