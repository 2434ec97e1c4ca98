// Which program a file is launched with: the file itself, its registered program, or the default
// editor, with the system's registrations stood in for by a table.
#include <gtest/gtest.h>

#include <map>

#include "lister/launch.h"
#include "support.h"

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
                     {"C:\\TOOLS\\SAVER.SCR", "C:\\TOOLS\\saver.scr"},
                     {"C:\\DOCS\\PLAN.DOC", "C:\\Program Files\\Words\\words.exe"},
                     {"C:\\DOCS\\NOTES.TXT", "c:\\tools\\orv32.exe"},
                     {"C:\\DOCS\\MY LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE"},
                     {"C:\\DOCS\\A&B.LST", "C:\\TOOLS\\SHOW.BAT"}};
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
        {"C:\\DOCS\\LETTER.WRI", kProgramAssociated, "C:\\WINDOWS\\WRITE.EXE",
         "C:\\DOCS\\LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE C:\\DOCS\\LETTER.WRI"},
        {"C:\\DOCS\\MY LETTER.WRI", kProgramAssociated, "C:\\WINDOWS\\WRITE.EXE",
         "C:\\DOCS\\MY LETTER.WRI", "C:\\WINDOWS\\WRITE.EXE \"C:\\DOCS\\MY LETTER.WRI\""},
        // A program with a blank in its path is one name to the system, quoted.
        {"C:\\DOCS\\PLAN.DOC", kProgramAssociated, "C:\\Program Files\\Words\\words.exe",
         "C:\\DOCS\\PLAN.DOC", "\"C:\\Program Files\\Words\\words.exe\" C:\\DOCS\\PLAN.DOC"},
        // The shell naming the file itself: the file is a program, not its own parameter.
        {"C:\\TOOLS\\SAVER.SCR", kProgramIsFile, "C:\\TOOLS\\SAVER.SCR", "",
         "C:\\TOOLS\\SAVER.SCR"},
        // A batch file is read by the command processor: the name goes quoted.
        {"C:\\DOCS\\A&B.LST", kProgramAssociated, "C:\\TOOLS\\SHOW.BAT", "C:\\DOCS\\A&B.LST",
         "C:\\TOOLS\\SHOW.BAT \"C:\\DOCS\\A&B.LST\""},
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

TEST(FindProgramFor, WithoutAProgramsListTheUsualExtensionsArePrograms) {
    gAssociations = {};
    gExtensions = {};
    for (const char* listed : {(const char*)nullptr, ""}) {
        ProgramLookup lookup = Lookup();
        lookup.programs = listed;
        for (const char* path : {"C:\\X\\A.COM", "C:\\X\\B.exe", "C:\\X\\C.BAT", "C:\\X\\D.PIF"})
            EXPECT_EQ(kProgramIsFile, FindProgramFor(path, lookup).kind) << path;
        EXPECT_EQ(kProgramEditor, FindProgramFor("C:\\X\\E.TXT", lookup).kind);
    }
}

TEST(LaunchCommandLine, NamesWithBlanksAreQuotedAndSwitchesKept) {
    const struct {
        const char* program;
        const char* file;
        const char* runs; // the program the system is asked to start
        const char* switches;
        const char* commandLine;
    } cases[] = {
        {"notepad.exe", "C:\\A\\B.TXT", "notepad.exe", "", "notepad.exe C:\\A\\B.TXT"},
        {"notepad.exe /p", "C:\\My Docs\\B.TXT", "notepad.exe", "/p",
         "notepad.exe /p \"C:\\My Docs\\B.TXT\""},
        // Never "C:\\Program" with "Files\\..." as its switches.
        {"C:\\Program Files\\Ed\\ed.exe", "C:\\My Docs\\B.TXT", "C:\\Program Files\\Ed\\ed.exe", "",
         "\"C:\\Program Files\\Ed\\ed.exe\" \"C:\\My Docs\\B.TXT\""},
        {"\"C:\\Program Files\\Ed\\ed.exe\" -r", "", "C:\\Program Files\\Ed\\ed.exe", "-r",
         "\"C:\\Program Files\\Ed\\ed.exe\" -r"},
        {"C:\\My Tools\\run.bat", "", "C:\\My Tools\\run.bat", "", "\"C:\\My Tools\\run.bat\""},
    };
    // A program that is there, with a blank in its name and switches after it.
    const std::string there = WriteTestFile("run it.bat", "");
    const std::string withSwitches = there + " -x";
    const std::string thereAlone = "\"" + there + "\"", thereQuoted = thereAlone + " -x";
    const struct {
        const char* program;
        const char* file;
        const char* runs;
        const char* switches;
        const char* commandLine;
    } found[] = {
        {withSwitches.c_str(), "", there.c_str(), "-x", thereQuoted.c_str()},
        {there.c_str(), "", there.c_str(), "", thereAlone.c_str()},
    };
    for (const auto& c : found) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(c.runs, Launch_Split(c.program).program);
        EXPECT_EQ(c.switches, Launch_Split(c.program).switches);
        EXPECT_EQ(c.commandLine, Launch_CommandLine(c.program, c.file));
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        const LaunchParts parts = Launch_Split(c.program);
        EXPECT_EQ(c.runs, parts.program);
        EXPECT_EQ(c.switches, parts.switches);
        EXPECT_EQ(c.commandLine, Launch_CommandLine(c.program, c.file));
    }
}

// The command processor that runs a batch file takes "&", "(", ")", "^" and blanks in an
// unquoted name for its own, and expands "%" even inside quotes; other programs get names as ever.
TEST(LaunchCommandLine, ABatchFileGetsNamesQuotedAndNoneWithAPercent) {
    const struct {
        const char* program;
        const char* file;
        const char* parameters; // null: refused, this name told
        const char* refused;
    } cases[] = {
        {"C:\\T\\rec.bat", "C:\\D\\a&b.txt", "\"C:\\D\\a&b.txt\"", ""},
        {"REC.CMD /q", "C:\\D\\x^y (1).txt", "/q \"C:\\D\\x^y (1).txt\"", ""},
        {"C:\\T\\rec.bat", "C:\\D\\plain.txt", "\"C:\\D\\plain.txt\"", ""},
        {"C:\\T\\rec.bat", "\"C:\\D\\my notes.txt\"", "\"C:\\D\\my notes.txt\"", ""},
        {"C:\\T\\rec.bat", "", "", ""},
        {"C:\\T\\rec.bat", "C:\\D\\50%.txt", nullptr, "C:\\D\\50%.txt"},
        {"C:\\T\\rec.bat", "C:\\D\\%PATH%.txt", nullptr, "C:\\D\\%PATH%.txt"},
        {"C:\\T\\100%.bat", "C:\\D\\a.txt", nullptr, "C:\\T\\100%.bat"},
        {"C:\\T\\100%.cmd", "", nullptr, "C:\\T\\100%.cmd"},
        // Not a batch file: as ever.
        {"notepad.exe", "C:\\D\\a&b.txt", "C:\\D\\a&b.txt", ""},
        {"notepad.exe", "C:\\D\\50%.txt", "C:\\D\\50%.txt", ""},
        {"C:\\T\\rec.bat.exe", "C:\\D\\a&b.txt", "C:\\D\\a&b.txt", ""},
        {"C:\\T\\rec.bat.exe", "C:\\D\\my notes.txt", "\"C:\\D\\my notes.txt\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.file);
        LaunchRequest request;
        EXPECT_EQ(c.parameters ? 1 : 0, Launch_Prepare(c.program, c.file, &request));
        EXPECT_EQ(c.refused, request.refusedName);
        if (!c.parameters)
            continue;
        EXPECT_EQ(c.parameters, request.parameters);
        EXPECT_EQ(Launch_Split(c.program).program, request.program);
        const std::string line = Launch_Quoted(request.program) +
                                 (request.parameters.empty() ? "" : " " + request.parameters);
        EXPECT_EQ(line, Launch_CommandLine(c.program, c.file));
    }
}

} // namespace
