// The editor's files as bytes: text test, whole reads and whole writes.
#include "editor/textfile.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/platform.h"
#include "platform/uiseam.h"
#include "shell/settings.h"
#include "viewer/engine.h"
#include "viewer/filetypes.h"

const char kTextOnlyTextFiles[] = "Only text files may be edited";
const char kTextNoEditMemory[] = "No more edit memory.\nThe file has grown too large.";
const char kTextCannotOpenFile[] = "Could not open the file.";
const char kTextReadError[] = "Error reading file.";
const char kTextCannotWrite[] = "Could not open the file for writing.";
const char kTextWriteFailed[] = "Unsuccessful file write.";
const char kTextNewTextIn[] = "The new text is in";
const char kTextOldFileNow[] = "The old file is now";

namespace {

int Tell(const char* text) {
    PromptRequest request = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
    return 0;
}

} // namespace

int TextFile_TextTest(ViewEngine* e, const char* path) {
    if (!Engine_SetFile(e, path))
        return -1;
    e->settings.crIsNewLine = 0;
    const int rc = Engine_Load(e, EngineLoad{false, true, true, false});
    const bool binary = e->settings.binaryMode != 0;
    // The engine holds no view's file now: whoever uses it next loads one afresh.
    e->file.validMarker = -1;
    e->settings.binaryMode = 0;
    if (rc < 0)
        return -1;
    if (binary) {
        Tell(kTextOnlyTextFiles);
        return 0;
    }
    return 1;
}

char* TextFile_ReadForEditing(const char* path, int64_t most, int64_t* length) {
    *length = 0;
    PlatFileInfo info;
    PlatFile* file = Plat_GetFileInfo(path, &info) && !(info.attributes & kPlatAttrDirectory)
                         ? Plat_OpenRead(path)
                         : nullptr;
    if (!file) {
        Tell(kTextCannotOpenFile);
        return nullptr;
    }
    char* text = info.size <= most && (uint64_t)info.size < SIZE_MAX
                     ? static_cast<char*>(malloc((size_t)info.size + 1))
                     : nullptr;
    if (!text) {
        Plat_Close(file);
        Tell(kTextNoEditMemory);
        return nullptr;
    }
    int64_t done = 0;
    while (done < info.size) {
        const int64_t got = Plat_Read(file, text + done, info.size - done);
        if (got <= 0)
            break;
        done += got;
    }
    Plat_Close(file);
    text[done] = 0;
    const char* stop = done < info.size                ? kTextReadError
                       : memchr(text, 0, (size_t)done) ? kTextOnlyTextFiles
                                                       : nullptr;
    if (stop) {
        free(text);
        Tell(stop);
        return nullptr;
    }
    *length = done;
    return text;
}

int TextFile_Write(const char* path, const char* text, int64_t length) {
    PlatNewFile* file = Plat_CreateBeside(path);
    if (!file)
        return Tell(kTextCannotWrite);
    bool written = true;
    for (int64_t done = 0; written && done < length; done += kTextWritePiece) {
        const int64_t piece = length - done < kTextWritePiece ? length - done : kTextWritePiece;
        written = Plat_WriteNew(file, text + done, piece) == piece;
    }
    if (!written || !Plat_FlushNew(file)) {
        Plat_DiscardNew(file);
        return Tell(kTextWriteFailed);
    }
    PlatCommitLeft left;
    const int placed = Plat_CommitNew(file, path, &left);
    if (placed == 0)
        return Tell(kTextWriteFailed);
    if (placed < 0) {
        // The old file was moved aside before the new one failed to take its name: the user
        // must learn which files now hold the text, for nothing was removed.
        char told[64 + 2 * kPlatPathMax];
        int length = snprintf(told, sizeof told, "%s\n\n%s\n%s", kTextWriteFailed, kTextNewTextIn,
                              left.newFile);
        if (left.oldFile[0] && length > 0 && length < (int)sizeof told)
            snprintf(told + length, sizeof told - length, "\n\n%s\n%s", kTextOldFileNow,
                     left.oldFile);
        return Tell(told);
    }
    return 1;
}

int32_t TextFile_TabWidth(const char* path) {
    TypeSettings type = {};
    if (FileTypes_FindForPath(path, &type) == 1 && type.tab > 0)
        return type.tab;
    return gSettings.tabs > 0 ? gSettings.tabs : 1;
}

int32_t TextFile_TabStopUnits(int32_t tabWidth, int32_t averageCharWidth, int32_t baseUnitX) {
    if (baseUnitX < 4)
        baseUnitX = 4;
    const int64_t units = (int64_t)tabWidth * averageCharWidth * 4 / baseUnitX;
    return units < 1 ? 1 : units > 0x7FFFFFFF ? 0x7FFFFFFF : (int32_t)units;
}

const char* TextFile_NamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}
