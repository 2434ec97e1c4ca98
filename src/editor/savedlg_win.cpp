#include "editor/savedlg_win.h"

#include <commdlg.h>

#include <string>

#include "shell/frame_win.h"

namespace {

// "All Files (*.*)%*.*%Text Files (*.TXT)%*.TXT" with each "%" a separator.
const char kFilter[] = "All Files (*.*)\0*.*\0Text Files (*.TXT)\0*.TXT\0";

// The directory a path lies in, with its separator ("" for a bare name).
std::string DirectoryOf(const char* path) {
    const std::string whole = path;
    const size_t cut = whole.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : whole.substr(0, cut + 1);
}

} // namespace

int SaveDlg_AskName(HWND owner, const char* proposed, char* name, int nameSize) {
    std::string start = DirectoryOf(proposed);
    if (start.empty())
        start = DirectoryOf(gCurrentDirSpec);
    lstrcpynA(name, proposed + DirectoryOf(proposed).size(), nameSize);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrInitialDir = start.empty() ? NULL : start.c_str();
    dialog.lpstrFile = name;
    dialog.nMaxFile = (DWORD)nameSize;
    // The Explorer style on every system: it gives long names, and an existing file is only
    // ever replaced after the user said so.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return GetSaveFileNameA(&dialog) ? 1 : 0;
}
