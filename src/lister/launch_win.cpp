#include "lister/launch_win.h"

#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include "lister/pathclass.h"
#include "look/dlgcolor_win.h"
#include "resources/resource.h"
#include "shell/frame_win.h"
#include "shell/settings.h"
#include "platform/uiseam.h"

namespace {

const char kDidNotRun[] = "Program did not run.";
// A batch file runs through the command processor, which expands "%" even inside quotes.
const char kPercentRefused[] =
    "%s\ncannot go through the command processor, which would change the \"%%\" in the name.";
constexpr int kProgramsMax = 128;
constexpr int kExtensionEntryMax = 520;
constexpr int kProgramTextMax = 520;

bool ShellFindExecutable(const char* file, const char* dir, std::string* program) {
    char found[MAX_PATH] = "";
    if ((INT_PTR)FindExecutableA(file, dir[0] ? dir : NULL, found) <= 32 || !found[0])
        return false;
    *program = found;
    return true;
}

bool ExtensionEntry(const char* extension, std::string* entry) {
    char value[kExtensionEntryMax + 1] = "";
    GetProfileStringA("Extensions", extension, "", value, sizeof value);
    *entry = value;
    return value[0] != '\0';
}

std::string DirectoryOf(const char* path) {
    std::string dir = path;
    size_t cut = dir.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : dir.substr(0, cut + 1);
}

struct LaunchRecord {
    const char* path;
};

void LaunchDlg_OnInit(HWND dialog, const LaunchRecord* record) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    SendDlgItemMessageA(dialog, IDC_LAUNCH_PROGRAM, EM_LIMITTEXT, kProgramTextMax, 0);
    CheckDlgButton(dialog, IDC_LAUNCH_MINIMIZE, gSettings.minOnLaunch == 1 ? BST_CHECKED : BST_UNCHECKED);
    const ProgramFor found = FindProgramForFile(record->path);
    SetDlgItemTextA(dialog, IDC_LAUNCH_PROGRAM, found.program.c_str());
    SetDlgItemTextA(dialog, IDC_LAUNCH_FILE, found.file.c_str());
}

void LaunchDlg_OnLaunch(HWND dialog) {
    char program[kProgramTextMax + 1] = "", file[MAX_PATH * 2] = "";
    GetDlgItemTextA(dialog, IDC_LAUNCH_PROGRAM, program, sizeof program);
    GetDlgItemTextA(dialog, IDC_LAUNCH_FILE, file, sizeof file);
    gSettings.minOnLaunch = IsDlgButtonChecked(dialog, IDC_LAUNCH_MINIMIZE) == BST_CHECKED;
    const std::string commandLine = Launch_CommandLine(program, file);
    EndDialog(dialog, 1);
    LaunchCommand(commandLine.c_str(), program, file);
}

} // namespace

ProgramFor FindProgramForFile(const char* path) {
    char programs[kProgramsMax + 1] = "";
    GetProfileStringA("windows", "Programs", "", programs, sizeof programs); // "": the usual ones
    char own[MAX_PATH] = "";
    GetModuleFileNameA(NULL, own, sizeof own);
    ProgramLookup lookup = {programs, ShellFindExecutable, ExtensionEntry, own, gSettings.editor};
    return FindProgramFor(path, lookup);
}

INT_PTR CALLBACK LaunchDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        LaunchDlg_OnInit(dialog, reinterpret_cast<const LaunchRecord*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            LaunchDlg_OnLaunch(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

int LaunchDlg_Run(HWND owner, const char* path) {
    LaunchRecord record = {path};
    return (int)DialogBoxParamA(GetModuleHandleA(NULL), "EDITORBOX", owner, LaunchDlg,
                                reinterpret_cast<LPARAM>(&record));
}

// The shell starts the program from its parts; the whole command line is what the user saw.
int LaunchCommand(const char* commandLine, const char* program, const char* file) {
    // The program's own switches come before the file; a name with blanks goes quoted, so
    // "C:\Program Files\..." is never taken for "C:\Program", and a batch file's name always.
    LaunchRequest launch;
    if (!Launch_Prepare(program, file, &launch)) {
        char text[2 * MAX_PATH + sizeof kPercentRefused];
        snprintf(text, sizeof text, kPercentRefused, launch.refusedName.c_str());
        PromptRequest refusal = {text, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
        Ui_Ask(refusal);
        return 0;
    }
    if (gSettings.minOnLaunch == 1 && gFrame)
        ShowWindow(gFrame, SW_MINIMIZE);
    HCURSOR previous = SetCursor(LoadCursor(NULL, IDC_WAIT));
    const std::string& parameters = launch.parameters;
    const std::string dir = DirectoryOf(file[0] ? file : launch.program.c_str());
    INT_PTR result = (INT_PTR)ShellExecuteA(gFrame, "open", launch.program.c_str(),
                                            parameters.empty() ? NULL : parameters.c_str(),
                                            dir.empty() ? NULL : dir.c_str(), SW_SHOWNORMAL);
    SetCursor(previous);
    if (result > 32)
        return 1;
    PromptRequest request = {kDidNotRun, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
    if (gFrame && IsIconic(gFrame))
        ShowWindow(gFrame, SW_RESTORE);
    if (gFrame)
        Frame_AutoOpen(gFrame, false);
    return 0;
}

void Launch_Files(HWND owner, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (RefuseUnusableName(path.c_str()))
            continue;
        if (gSettings.confirmLaunch) {
            LaunchDlg_Run(owner, path.c_str());
            continue;
        }
        const ProgramFor found = FindProgramForFile(path.c_str());
        if (found.kind == kProgramIsFile) {
            // A program starts in its own directory, as it would from the system's shell.
            const std::string dir = DirectoryOf(path.c_str());
            if (!dir.empty())
                SetCurrentDirectoryA(dir.c_str());
        }
        LaunchCommand(found.commandLine.c_str(), found.program.c_str(), found.file.c_str());
    }
}
