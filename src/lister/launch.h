// Finding the program that opens a file: the file itself when it is a program, the program the
// system associates with its extension, or the default editor ("Editor").
#pragma once

#include <string>

// What the system knows about programs and extensions, asked through the shell's own means.
struct ProgramLookup {
    // The extensions that are programs, blank-separated; null or "" for "com exe bat pif".
    const char* programs;
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
    // What would be run: the file, or program + " " + file, each quoted when it holds a blank
    // (the file always when the program is a batch file, see Launch_Prepare).
    std::string commandLine;
    std::string program;
    std::string file; // the program's parameter ("" when the file is the program)
};

ProgramFor FindProgramFor(const char* path, const ProgramLookup& lookup);

// A path with a blank in it, quoted: to a program's command line it is one name only so.
std::string Launch_Quoted(const std::string& path);

// A program's text as typed into the Launch box: the program, and the switches typed after it.
// A quoted name, an existing file, or a path with a blank in it is the program as a whole.
struct LaunchParts {
    std::string program; // unquoted
    std::string switches;
};
LaunchParts Launch_Split(const char* programText);
// The command line that runs the program's text with the file (none when "" or null).
std::string Launch_CommandLine(const char* programText, const char* file);

// What the system is asked to start: the program (unquoted) and its parameters, its switches
// followed by the file's name.
struct LaunchRequest {
    std::string program;
    std::string parameters;
    std::string refusedName; // the name that cannot go through the command processor
};
// A batch file (".bat", ".cmd") runs through the command processor, which takes "&", "(",
// ")", "^" and blanks in a name for its own unless the name is quoted: for a batch file the
// file's name is always quoted, for any other program only when it holds a blank. 1, or 0 when
// the name given to a batch file, or the batch file's own, holds "%", which the command
// processor expands even inside quotes.
int Launch_Prepare(const char* programText, const char* file, LaunchRequest* request);
