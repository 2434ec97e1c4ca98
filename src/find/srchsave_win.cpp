#include "find/srchsave_win.h"

#include <commdlg.h>

#include <string>

#include "platform/uiseam.h"
#include "shell/frame.h"

namespace {

const char kCannotOpen[] = "Could not open the file for writing.";
const char kWriteFailed[] = "Unsuccessful file write.";
const char kProposedName[] = "untitled.txt";
// "All Files (*.*)%*.*%Text Files (*.TXT)%*.TXT" with each "%" a separator.
const char kFilter[] = "All Files (*.*)\0*.*\0Text Files (*.TXT)\0*.TXT\0";
constexpr DWORD kWritePiece = 65520; // each write stays below 64 KB

long long gFailAfterBytes = -1;

int Tell(const char* text) {
    PromptRequest request = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
    return 0;
}

// The directory a path lies in, with its separator ("" for a bare name: the current one).
std::string DirectoryOf(const char* path) {
    const std::string whole = path;
    const size_t cut = whole.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : whole.substr(0, cut + 1);
}

// Writes every byte in pieces; false at the first short write.
bool WriteAll(HANDLE file, const char* text, size_t length) {
    for (size_t done = 0; done < length;) {
        DWORD piece = (DWORD)(length - done < kWritePiece ? length - done : kWritePiece);
        if (gFailAfterBytes >= 0 && (long long)(done + piece) > gFailAfterBytes)
            piece =
                (DWORD)(gFailAfterBytes > (long long)done ? gFailAfterBytes - (long long)done : 0);
        DWORD wrote = 0;
        if (!piece || !WriteFile(file, text + done, piece, &wrote, NULL) || wrote != piece)
            return false;
        done += piece;
    }
    return true;
}

} // namespace

void ListSave_FailWritesForTests(long long afterBytes) {
    gFailAfterBytes = afterBytes;
}

int ListSave_WriteFile(const char* path, const char* text, size_t length) {
    // A read-only file or a directory of that name is refused before anything is written.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return Tell(kCannotOpen);
    // The new text goes beside the old file, on the same disk, so that putting it in the old
    // one's place is a rename that either happens whole or not at all.
    std::string dir = DirectoryOf(path);
    char temp[MAX_PATH] = "";
    if (!GetTempFileNameA(dir.empty() ? "." : dir.c_str(), "ORV", 0, temp))
        return Tell(kCannotOpen);
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp);
        return Tell(kCannotOpen);
    }
    const bool written = WriteAll(file, text, length) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written || !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp);
        return Tell(kWriteFailed);
    }
    return 1;
}

int ListSave_AskAndWrite(HWND owner, const char* text, size_t length) {
    char name[MAX_PATH];
    lstrcpynA(name, kProposedName, sizeof name);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    // A name without a directory starts where the last directory window listed.
    const std::string start = DirectoryOf(gCurrentDirSpec);
    dialog.lpstrInitialDir = start.empty() ? NULL : start.c_str();
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    // Asked before an existing file is replaced, whatever the system.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog))
        return 0;
    void* busy = Ui_BeginBusy(name);
    const int saved = ListSave_WriteFile(name, text, length);
    Ui_EndBusy(busy);
    return saved;
}
