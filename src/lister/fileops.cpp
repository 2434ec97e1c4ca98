#include "lister/fileops.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "lister/pathclass.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "platform/uiseam.h"

namespace {

const char kDeleteCaption[] = "Delete";
const char kDeleteOne[] = "Delete file %s?";
const char kDeleteMany[] = "Delete selected files?\n('YES' will immediately delete the files!)";
const char kNoSelection[] = "No selected file(s).";
const char kReadOnly[] = "File %s\nis marked Read-Only.\nDelete anyway?";
const char kReadOnlyCaption[] = "Change Attribute?";
const char kErrorNumber[] = "Error %d occurred";

FileOpsHooks gHooks = {};

int Ask(const char* text, const char* caption, PromptButtons buttons, PromptIcon icon,
        int flags = kPromptOwnedByFocus) {
    PromptRequest request = {text, caption, buttons, icon, flags};
    return Ui_Ask(request);
}

// A path as the question shows it: one without a drive is taken from the current directory.
std::string FullPath(const char* path) {
    if (Plat_IsAbsolutePath(path))
        return path;
    char dir[kPlatNameMax];
    int n = Plat_GetCurrentDir(0, dir, sizeof dir);
    if (n <= 0)
        return path;
    std::string full(dir, (size_t)n);
    if (full.back() != kPlatDirSeparator)
        full += kPlatDirSeparator;
    return full + path;
}

} // namespace

void FileOps_SetHooks(const FileOpsHooks* hooks) {
    gHooks = hooks ? *hooks : FileOpsHooks();
}

std::string FileOps_ErrorText(int error) {
    char text[512];
    if (Plat_ErrorText(error, text, sizeof text) > 0)
        return text;
    snprintf(text, sizeof text, kErrorNumber, error);
    return text;
}

void FileOps_TellNoSelection() {
    Ask(kNoSelection, nullptr, kButtonsOk, kIconWarning);
}

bool AskDeleteFile(const char* path) {
    if (!gSettings.confirmDelete)
        return true;
    char text[2 * kPlatNameMax];
    snprintf(text, sizeof text, kDeleteOne, FullPath(path).c_str());
    return Ask(text, kDeleteCaption, kButtonsYesNo, kIconQuestion,
               kPromptOwnedByFocus | kPromptDefaultSecond) == kAnswerYes;
}

int DeleteOneFile(const char* path, bool silent, bool continueAfterwards) {
    if (RefuseUnusableName(path))
        return kPlatErrInvalidName;
    const std::string full = FullPath(path);
    char text[2 * kPlatNameMax];
    if (!silent && !AskDeleteFile(full.c_str()))
        return 0;
    if (gHooks.closeViewsOf)
        gHooks.closeViewsOf(full.c_str());
    PlatFileInfo info = {};
    const bool known = Plat_GetFileInfo(full.c_str(), &info) != 0;
    int error = Plat_DeleteFile(full.c_str());
    if (error && error != kPlatErrFileNotFound && known && (info.attributes & kPlatAttrReadOnly)) {
        snprintf(text, sizeof text, kReadOnly, full.c_str());
        // Delete Deep asks this of every read-only file: Enter held down must keep them.
        if (Ask(text, kReadOnlyCaption, kButtonsYesNo, kIconQuestion,
                kPromptOwnedByFocus | kPromptDefaultSecond) != kAnswerYes)
            return 0;
        error = Plat_SetReadOnly(full.c_str(), false);
        if (!error)
            error = Plat_DeleteFile(full.c_str());
    }
    if (error) {
        Ask(FileOps_ErrorText(error).c_str(), full.c_str(), kButtonsOk, kIconWarning);
        return error;
    }
    if (gHooks.fileDeleted)
        gHooks.fileDeleted(full.c_str(), (uint64_t)info.size);
    if (continueAfterwards && gHooks.autoOpen)
        gHooks.autoOpen();
    return 0;
}

int DeleteSelectedFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        FileOps_TellNoSelection();
        return 0;
    }
    if (gSettings.confirmDelete &&
        Ask(kDeleteMany, kDeleteCaption, kButtonsYesNo, kIconQuestion,
            kPromptOwnedByFocus | kPromptDefaultSecond) != kAnswerYes)
        return 0;
    void* cursor = Ui_BeginBusy(paths.front().c_str());
    for (size_t i = 0; i < paths.size(); i++) {
        if (i == 0 || paths[i] != paths[i - 1])
            DeleteOneFile(paths[i].c_str(), true, false);
    }
    Ui_EndBusy(cursor);
    return 1;
}
