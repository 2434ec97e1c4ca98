#include "lister/pathclass.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "lister/filelist.h"
#include "platform/platform.h"
#include "platform/uiseam.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The drive a text names ("c:"), checked: false when the drive is invalid or not ready.
bool DriveUsable(char letter) {
    char root[4] = {letter, ':', kPlatDirSeparator, 0};
    PlatDriveType type = Plat_DriveType(root);
    if (type == kPlatDriveUnknown || type == kPlatDriveNoRoot)
        return false;
    char label[2], fileSystem[2];
    return Plat_VolumeInfo(root, label, sizeof label, fileSystem, sizeof fileSystem) != 0;
}

// What the text matches as a mask, the way listings match it (wildcards and patterns alike):
// files (kPathFile), directories (kPathDirectory).
int WhatMatches(const char* text) {
    FileScan scan = {};
    char entry[kEntryTextMax];
    int found = 0;
    for (int kind = FileScan_Next(&scan, text, entry, true, true); kind != kEnumDone;
         kind = FileScan_Next(&scan, text, entry, false, true))
        found |= kind == kEnumDirectory ? kPathDirectory : kPathFile;
    FileScan_Close(&scan);
    return found;
}

} // namespace

int ClassifyPath(const char* text) {
    const size_t length = strlen(text);
    int flags = 0;
    const char* colon = strchr(text, ':');
    if (colon) {
        flags |= kPathDrive;
        const char letter = colon > text ? colon[-1] : 0;
        if (letter == '*' || letter == '?')
            flags |= kPathAnyDrive;
        else if (kPlatDirSeparator == '\\' && (!letter || !DriveUsable(letter)))
            return 0;
        if (colon[1] == 0 && colon - text <= 1)
            return flags; // a bare drive
    }
    if (strpbrk(text, "*+?["))
        flags |= kPathPattern;
    if (text[0] == '.' && length <= 2)
        return kPathDirectory | (flags & (kPathDrive | kPathAnyDrive));
    if (strchr(text, '\\') || strchr(text, '/') || text[0] == '.')
        flags |= kPathDirectory;

    if (flags & kPathPattern) {
        if (!(flags & kPathAnyDrive))
            flags |= WhatMatches(text);
        return flags;
    }
    PlatFileInfo info;
    if (Plat_GetFileInfo(text, &info)) {
        if (info.attributes & kPlatAttrDirectory)
            return (flags | kPathDirectory) & ~kPathFile;
        return flags | kPathFile;
    }
    // Not there: a name part makes it a file to be.
    const char* name = text + length;
    while (name > text && !IsSeparator(name[-1]) && name[-1] != ':')
        name--;
    if (*name)
        flags |= kPathFile;
    return flags;
}

bool RefuseUnusableName(const char* path) {
    if (!strpbrk(path, "?*"))
        return false;
    char text[sizeof kUnusableNameText + kPlatNameMax];
    snprintf(text, sizeof text, kUnusableNameText, path);
    PromptRequest request = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
    return true;
}
