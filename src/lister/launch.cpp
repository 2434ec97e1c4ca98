#include "lister/launch.h"

#include <ctype.h>
#include <string.h>

#include "platform/platform.h"

namespace {

// What counts as a program where the system's profile names none.
const char kDefaultPrograms[] = "com exe bat pif";

std::string Lower(std::string text) {
    for (char& c : text)
        c = (char)tolower((unsigned char)c);
    return text;
}

// The last component of a path (after its last "\", "/" or drive colon).
std::string FileNamePart(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string DirectoryPart(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool IsWordOf(const std::string& word, const char* list) {
    const std::string words = Lower(list && list[0] ? list : kDefaultPrograms);
    for (size_t start = 0; start < words.size();) {
        size_t end = words.find(' ', start);
        if (end == std::string::npos)
            end = words.size();
        if (end > start && words.compare(start, end - start, word) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool SameFileName(std::string a, std::string b) {
    while (!a.empty() && a.back() == ' ')
        a.pop_back();
    return Lower(FileNamePart(a)) == Lower(FileNamePart(b));
}

ProgramFor Editor(const std::string& path, const ProgramLookup& lookup) {
    std::string editor = lookup.editor ? lookup.editor : "";
    return {kProgramEditor, Launch_CommandLine(editor.c_str(), path.c_str()), editor, path};
}

bool IsQuoted(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

std::string Unquoted(const std::string& text) {
    return IsQuoted(text) ? text.substr(1, text.size() - 2) : text;
}

bool NamesFile(const std::string& path) {
    PlatFileInfo info;
    return !path.empty() && Plat_GetFileInfo(path.c_str(), &info) &&
           !(info.attributes & kPlatAttrDirectory);
}

// The command processor runs it: it reads the whole line it is given, names included.
bool IsBatchFile(const std::string& program) {
    const std::string name = Lower(FileNamePart(program));
    const size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    return extension == ".bat" || extension == ".cmd";
}

} // namespace

ProgramFor FindProgramFor(const char* path, const ProgramLookup& lookup) {
    const std::string file = path;
    // The extension follows the name's last dot: "report.2024.txt" is a text file.
    const std::string name = FileNamePart(file);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return Editor(file, lookup);
    const std::string extension = Lower(name.substr(dot + 1));

    const ProgramFor itself = {kProgramIsFile, Launch_Quoted(file), file, ""};
    if (IsWordOf(extension, lookup.programs))
        return itself;

    std::string program;
    bool found = lookup.findExecutable &&
                 lookup.findExecutable(file.c_str(), DirectoryPart(file).c_str(), &program);
    if (!found && lookup.extensionEntry) {
        std::string entry;
        if (lookup.extensionEntry(extension.c_str(), &entry)) {
            program = entry.substr(0, entry.find("^."));
            found = !program.empty();
        }
    }
    if (!found)
        return Editor(file, lookup);
    // The shell names the file itself when the file is a program (an extension the profile
    // does not list): run it, never with itself as its parameter.
    if (Lower(Unquoted(program)) == Lower(file))
        return itself;
    // A file registered to this very program opens in the default editor, not in a second ORV.
    if (lookup.ownExecutable && SameFileName(program, lookup.ownExecutable))
        return Editor(file, lookup);
    while (!program.empty() && program.back() == ' ')
        program.pop_back();
    program = Unquoted(program);
    return {kProgramAssociated, Launch_CommandLine(Launch_Quoted(program).c_str(), file.c_str()),
            program, file};
}

std::string Launch_Quoted(const std::string& path) {
    if (path.find(' ') == std::string::npos || IsQuoted(path))
        return path;
    return "\"" + path + "\"";
}

LaunchParts Launch_Split(const char* programText) {
    std::string text = programText;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    size_t start = text.find_first_not_of(' ');
    text = start == std::string::npos ? std::string() : text.substr(start);
    LaunchParts parts;
    if (!text.empty() && text.front() == '"') {
        const size_t close = text.find('"', 1);
        parts.program = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (close != std::string::npos && close + 1 < text.size())
            parts.switches = text.substr(text.find_first_not_of(' ', close + 1));
        return parts;
    }
    if (NamesFile(text)) {
        parts.program = text;
        return parts;
    }
    // The longest part before a blank that names an existing file is the program: a path
    // with blanks can carry switches too ("C:\Program Files\Ed\ed.exe /r").
    for (size_t blank = text.rfind(' '); blank != std::string::npos && blank > 0;
         blank = text.rfind(' ', blank - 1)) {
        if (NamesFile(text.substr(0, blank))) {
            parts.program = text.substr(0, blank);
            parts.switches = text.substr(text.find_first_not_of(' ', blank));
            return parts;
        }
    }
    const size_t blank = text.find(' ');
    // A path cut by a blank is one program, there or not: its first part must never start a
    // program of that name.
    if (blank == std::string::npos || text.find_first_of("\\/") < blank) {
        parts.program = text;
        return parts;
    }
    parts.program = text.substr(0, blank);
    parts.switches = text.substr(text.find_first_not_of(' ', blank));
    return parts;
}

std::string Launch_CommandLine(const char* programText, const char* file) {
    LaunchRequest request;
    Launch_Prepare(programText, file, &request);
    std::string line = Launch_Quoted(request.program);
    if (!request.parameters.empty())
        line += " " + request.parameters;
    return line;
}

int Launch_Prepare(const char* programText, const char* file, LaunchRequest* request) {
    const LaunchParts parts = Launch_Split(programText);
    const std::string name = file ? file : "";
    request->program = parts.program;
    request->parameters = parts.switches;
    request->refusedName.clear();
    const bool batch = IsBatchFile(parts.program);
    if (!name.empty()) {
        if (!request->parameters.empty())
            request->parameters += " ";
        request->parameters += batch && !IsQuoted(name) ? "\"" + name + "\"" : Launch_Quoted(name);
    }
    if (batch && parts.program.find('%') != std::string::npos)
        request->refusedName = parts.program;
    else if (batch && name.find('%') != std::string::npos)
        request->refusedName = name;
    return request->refusedName.empty() ? 1 : 0;
}
