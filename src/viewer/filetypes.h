// Display settings kept per file-name extension in ORV32.INI: one section per extension, the
// list of extensions in "Special Types", and the lookup a view or an editor makes when it opens
// a file.
#pragma once

#include <stdint.h>

#include "viewer/engine.h"

constexpr char kSpecialTypesSection[] = "Special Types";
constexpr int kTypeNameMax = 257; // the dialog's text: 256 characters and the terminator
// Shown when a name cannot be a type's section.
extern const char kTextBadExtent[]; // "The extent must be three or fewer characters\n..."

struct TypeSettings {
    int32_t text, hex, binary, strip7, newLineCR, showAllChars, showCRLF, tab, lockStart, lockEnd;
};

// Loads the extension list from "Special Types": the count (0 also when the list cannot be had).
int FileTypes_Load();
// The loaded extensions, lower-cased, in key order.
int FileTypes_Count();
const char* FileTypes_At(int index); // null past the end

// Reads one extension's section. 1 when the extension is defined (its section has "Hex").
int FileTypes_Read(const char* extension, TypeSettings* out);
// The first list entry that equals the extension ignoring case (exact) or, as a find pattern,
// matches all of it; its section is read into out. A leading "." is skipped. 1 found.
int FileTypes_Find(const char* extension, bool exact, TypeSettings* out);
// The type of a file by the text after the last "." of its name. Without a match, or for a name
// without ".", out holds the plain text settings with the global tab width ("Tabs"). 1 found.
int FileTypes_FindForPath(const char* path, TypeSettings* out);

// Applies a found type to a view's display settings as a newly opened view takes them;
// showCrLf (may be null) is the engine's shared "Display CR/LF", set by a binary type.
void FileTypes_ApplyToDisplay(const TypeSettings& type, DisplaySettings* display);
void FileTypes_ApplyToView(const TypeSettings& type, DisplaySettings* display, int32_t* showCrLf);
// A type that says "text" keeps a view from asking "Mode?".
bool FileTypes_IsPlainText(const TypeSettings& type);

// True when the name can be a type: not empty, no leading ".", no characters that end or
// split an INI line or section name, and not the name of another section of ORV32.INI.
bool FileTypes_IsValidName(const char* extension);
// Stores a type (added to the list when new) and reloads the list. 1 stored, 0 a write
// failed, -1 the name cannot be a type.
int FileTypes_Save(const char* extension, const TypeSettings& type);
// Removes a type's section and its list entry, renumbering the list, and reloads it.
// 1 removed, 0 a write failed, -1 the name cannot be a type.
int FileTypes_Undefine(const char* extension);
// Writes keys "1", "2", ... of section with every loaded entry but removed (ignoring case;
// null: none), then deletes the key after the last one written. 1, or 0 when a write failed.
int FileTypes_RewriteList(const char* section, const char* removed);
