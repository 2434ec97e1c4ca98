// Finding the program that opens a file: the file itself when it is a program, the program the
// system associates with its extension, or the default editor ("Editor").
#pragma once

#include <string>

// What the system knows about programs and extensions, asked through the shell's own means.
struct ProgramLookup {
    const char* programs; // the extensions that are programs, blank-separated ("exe com bat pif")
    // The program the shell opens the file with (searched in dir); false for none.
    bool (*findExecutable)(const char* file, const char* dir, std::string* program);
    // The registration of an extension ("notepad.exe ^.txt"); false for none.
    bool (*extensionEntry)(const char* extension, std::string* entry);
    const char* ownExecutable; // this program's own executable, by file name
    const char* editor; // the default editor's command
};

enum ProgramKind {
    kProgramIsFile = 1, // the file is itself a program
    kProgramAssociated = 2, // the program registered for its extension
    kProgramEditor = 3, // the default editor
};

struct ProgramFor {
    ProgramKind kind;
    std::string commandLine; // what would be run: the file, or program + " " + file
    std::string program;
    std::string file; // the program's parameter ("" when the file is the program)
};

ProgramFor FindProgramFor(const char* path, const ProgramLookup& lookup);
