// Deleting files the way every window of ORV deletes them: asked first when "ConfirmDelete" is
// on, read-only files only after a second question, and a failure told in the system's words.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// What the windows that show a file do around its deletion; a null member does nothing.
struct FileOpsHooks {
    void (*closeViewsOf)(const char* path); // before: no view may keep the file open
    void (*fileDeleted)(const char* path, uint64_t size); // after: lists and figures drop it
    void (*autoOpen)(); // "continue afterwards"
};
void FileOps_SetHooks(const FileOpsHooks* hooks);

// The system's words for one of its error numbers, else "Error %d occurred".
std::string FileOps_ErrorText(int error);
// "No selected file(s)." for a command that works on the selected files of a list.
void FileOps_TellNoSelection();
// "Delete file %s?" when "ConfirmDelete" is on (No is the default): true to go ahead.
bool AskDeleteFile(const char* path);

// 0 when the file was deleted or the user declined; otherwise the system's error number of the
// failed deletion (after telling the user). silent skips "Delete file %s?" (the caller asked).
int DeleteOneFile(const char* path, bool silent, bool continueAfterwards);

// The several-files path of Delete: "No selected file(s)." for none; otherwise, when deleting
// asks first, one question for all, then each file in turn (a name equal to the one before it
// is skipped). 1 when the files were gone through, 0 when nothing was selected or the user said No.
int DeleteSelectedFiles(const std::vector<std::string>& paths);
