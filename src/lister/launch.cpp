#include "lister/launch.h"

#include <ctype.h>
#include <string.h>

namespace {

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
    const std::string words = Lower(list ? list : "");
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
    return {kProgramEditor, editor + " " + path, editor, path};
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

    if (IsWordOf(extension, lookup.programs))
        return {kProgramIsFile, file, file, ""};

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
    // A file registered to this very program opens in the default editor, not in a second ORV.
    if (lookup.ownExecutable && SameFileName(program, lookup.ownExecutable))
        return Editor(file, lookup);
    while (!program.empty() && program.back() == ' ')
        program.pop_back();
    return {kProgramAssociated, program + " " + file, program, file};
}
