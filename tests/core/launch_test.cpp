// Which program a file is launched with: the file itself, its registered program, or the default
// editor, with the system's registrations stood in for by a table.
#include <gtest/gtest.h>

#include <map>

#include "lister/launch.h"

namespace {

std::map<std::string, std::string> gAssociations; // file → what the shell would run
std::map<std::string, std::string> gExtensions; // extension → registration entry

ProgramLookup Lookup() {
    ProgramLookup lookup = {};
    lookup.programs = "com EXE bat pif";
    lookup.findExecutable = [](const char* file, const char*, std::string* program) {
        auto found = gAssociations.find(file);
        if (found == gAssociations.end())
            return false;
        *program = found->second;
        return true;
    };
    lookup.extensionEntry = [](const char* extension, std::string* entry) {
        auto found = gExtensions.find(extension);
        if (found == gExtensions.end())
            return false;
        *entry = found->second;
        return true;
    };
    lookup.ownExecutable = "C:\\TOOLS\\ORV32.EXE";
    lookup.editor = "Notepad.exe";
    return lookup;
}

TEST(FindProgramFor, TheFileTheShellsProgramTheRegistrationOrTheEditor) {
    gAssociations = {{"C:\\DOCS\\LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE"},
                     {"C:\\DOCS\\NOTES.TXT", "c:\\tools\\orv32.exe"},
                     {"C:\\DOCS\\MY LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE"}};
    gExtensions = {{"pcx", "pbrush.exe ^.pcx"}, {"log", "C:\\TOOLS\\ORV32.EXE ^.log"}};
    const struct {
        const char* path;
        ProgramKind kind;
        const char* program;
        const char* file;
        const char* commandLine;
    } cases[] = {
        {"C:\\GAMES\\SOL.EXE", kProgramIsFile, "C:\\GAMES\\SOL.EXE", "", "C:\\GAMES\\SOL.EXE"},
        {"C:\\GAMES\\setup.v2.exe", kProgramIsFile, "C:\\GAMES\\setup.v2.exe", "",
         "C:\\GAMES\\setup.v2.exe"},
        {"C:\\DOCS\\LETTER.WRI", kProgramAssociated, "C:\\WINDOWS\\WRITE.EXE", "C:\\DOCS\\LETTER.WRI",
         "C:\\WINDOWS\\WRITE.EXE C:\\DOCS\\LETTER.WRI"},
        {"C:\\DOCS\\MY LETTER.WRI", kProgramAssociated, "C:\\WINDOWS\\WRITE.EXE",
         "C:\\DOCS\\MY LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE C:\\DOCS\\MY LETTER.WRI"},
        // The registration table, cut at "^." and without its trailing blank.
        {"C:\\PICS\\CAT.PCX", kProgramAssociated, "pbrush.exe", "C:\\PICS\\CAT.PCX",
         "pbrush.exe C:\\PICS\\CAT.PCX"},
        // Registered to ORV itself, by the shell or the table: the default editor instead.
        {"C:\\DOCS\\NOTES.TXT", kProgramEditor, "Notepad.exe", "C:\\DOCS\\NOTES.TXT",
         "Notepad.exe C:\\DOCS\\NOTES.TXT"},
        {"C:\\DOCS\\RUN.LOG", kProgramEditor, "Notepad.exe", "C:\\DOCS\\RUN.LOG",
         "Notepad.exe C:\\DOCS\\RUN.LOG"},
        // No extension, an empty one, or one nobody knows.
        {"C:\\DOCS\\README", kProgramEditor, "Notepad.exe", "C:\\DOCS\\README",
         "Notepad.exe C:\\DOCS\\README"},
        {"C:\\DOCS\\README.", kProgramEditor, "Notepad.exe", "C:\\DOCS\\README.",
         "Notepad.exe C:\\DOCS\\README."},
        {"C:\\DOCS.OLD\\README", kProgramEditor, "Notepad.exe", "C:\\DOCS.OLD\\README",
         "Notepad.exe C:\\DOCS.OLD\\README"},
        {"C:\\DOCS\\DATA.XYZ", kProgramEditor, "Notepad.exe", "C:\\DOCS\\DATA.XYZ",
         "Notepad.exe C:\\DOCS\\DATA.XYZ"},
        // Long names are names like any other.
        {"C:\\DOCS\\a-file-name-of-well-over-forty-characters-in-all.pcx", kProgramAssociated,
         "pbrush.exe", "C:\\DOCS\\a-file-name-of-well-over-forty-characters-in-all.pcx",
         "pbrush.exe C:\\DOCS\\a-file-name-of-well-over-forty-characters-in-all.pcx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const ProgramFor found = FindProgramFor(c.path, Lookup());
        EXPECT_EQ(c.kind, found.kind);
        EXPECT_EQ(c.program, found.program);
        EXPECT_EQ(c.file, found.file);
        EXPECT_EQ(c.commandLine, found.commandLine);
    }
}

} // namespace
