// What the two POSIX halves of the platform seam share (platform_posix.cpp,
// platform_dir_posix.cpp).
#pragma once

// Opens a file read-only relative to the directory an enumeration has open when the path
// names an entry of it: the system then looks up one name rather than walking the whole path,
// as a search through a tree opens file after file of the directory it reads. The descriptor,
// or -1 with errno set; -2 when no enumeration has that directory open.
int Posix_OpenInScannedDirectory(const char* path, int flags);
