// Starting the program that opens a file: the Launch box (EDITORBOX) when launching asks first,
// else straight away.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "lister/launch.h"

// The system's answers for FindProgramFor: its program extensions and associations, this
// program's own executable and the default editor.
ProgramFor FindProgramForFile(const char* path);
// The Launch box for one file: 1 when it launched (or tried to), 0 when cancelled.
int LaunchDlg_Run(HWND owner, const char* path);
INT_PTR CALLBACK LaunchDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs program with file as its parameter in the file's directory (the program alone when file
// is ""), minimising ORV first when "MinOnLaunch" says so. 1 when it ran; 0 after
// "Program did not run.", or after telling that a name holding "%" cannot go to a batch file.
int LaunchCommand(const char* commandLine, const char* program, const char* file);
// Launches each file in turn: through the Launch box when "ConfirmLaunch" is on, else with the
// program found for it.
void Launch_Files(HWND owner, const std::vector<std::string>& paths);
