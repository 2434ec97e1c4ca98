// What a path typed or handed to ORV names: a file, a pattern, a directory, a drive.
#pragma once

enum PathFlags {
    kPathFile = 1, // an existing file, a name that does not exist yet, or a pattern matching a file
    kPathPattern = 2, // holds "*", "+", "?" or "["
    kPathDirectory = 4, // an existing directory, a path with a separator, or one starting with "."
    kPathDrive = 8, // names a drive ("c:")
    kPathAnyDrive = 16, // the drive letter is "*" or "?": every drive
};

// The flags of a path; 0 when its drive is invalid or not ready.
int ClassifyPath(const char* text);

constexpr char kUnusableNameText[] =
    "%s\ncannot be used: this system's code page\nlacks some characters of its name.";

// A path to a file that an operation was asked to reach: true, after telling the user, when it
// holds "?" or "*". No file's name holds them; a listing gives them only in a name the code
// page cannot hold (kPlatAttrUnusableName), which as a mask would reach other files.
bool RefuseUnusableName(const char* path);
