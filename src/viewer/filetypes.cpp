// The file types: the extension list lives in one block of zero-terminated names, reloaded
// after every change; a type's own settings are read afresh at every lookup, so an edit made by
// hand in ORV32.INI counts at the next file opened.
#include "viewer/filetypes.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "find/findpat.h"
#include "platform/platform.h"
#include "shell/settings.h"

const char kTextBadExtent[] = "The extent must be three or fewer characters\nwithout the '.'";

namespace {

constexpr int32_t kListStep = 512;
constexpr int32_t kListSlack = 32;
constexpr int kKeyNamesFirst = 256;

// The other sections of ORV32.INI: a type by one of these names would overwrite or remove them.
const char* const kReservedSections[] = {"Printer", kMemorySection, kMasksSection,
                                         kSpecialTypesSection, kMainSection};

struct ExtensionList {
    char* block; // names, each ending in a zero, then an empty name
    int32_t size;
    int32_t count;
};

ExtensionList gList = {nullptr, 0, 0};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; a++, b++)
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    return *a == *b;
}

// A profile value or key list of any length: read again into a larger block while the
// platform says the block was filled. Null when memory cannot be had.
char* ReadWhole(const char* section, const char* key, int first, int* length) {
    int size = first;
    for (;;) {
        char* text = (char*)malloc((size_t)size);
        if (!text)
            return nullptr;
        int got = Plat_GetProfileString(section, key, "", text, size);
        // A key list that filled the block comes back two short, a value one short.
        if (got < size - 2 || size > (1 << 24)) {
            *length = got;
            return text;
        }
        free(text);
        size += kListStep;
    }
}

// Appends a name; the block grows by steps while fewer than kListSlack bytes would be left.
bool AppendName(ExtensionList* list, const char* name, int32_t* used) {
    int32_t length = (int32_t)strlen(name);
    while (list->size - *used - length - 2 < kListSlack) {
        char* grown = (char*)realloc(list->block, (size_t)(list->size + kListStep));
        if (!grown)
            return false;
        list->block = grown;
        list->size += kListStep;
    }
    for (int32_t i = 0; i <= length; i++)
        list->block[*used + i] = LowerAscii(name[i]);
    *used += length + 1;
    list->block[*used] = 0;
    list->count++;
    return true;
}

int32_t ReadTypeInt(const char* section, const char* key, int32_t defaultValue) {
    char text[32];
    char defaultText[16];
    snprintf(defaultText, sizeof defaultText, "%d", (int)defaultValue);
    Plat_GetProfileString(section, key, defaultText, text, sizeof text);
    return (int32_t)strtol(text, nullptr, 10);
}

int WriteTypeInt(const char* section, const char* key, int32_t value) {
    char text[16];
    snprintf(text, sizeof text, "%d", (int)value);
    return Plat_WriteProfileString(section, key, text);
}

// A list entry as a find pattern over the whole extension. The matcher finds a pattern anywhere
// in a region, so both are framed with a byte no name holds: a match must then run from the
// first frame byte to the last.
bool PatternMatches(const char* pattern, const char* extension) {
    const char kFrame = '\x01';
    char framedPattern[kTypeNameMax + 2], framedName[kTypeNameMax + 2];
    int patternLength =
        snprintf(framedPattern, sizeof framedPattern, "%c%s%c", kFrame, pattern, kFrame);
    int nameLength = snprintf(framedName, sizeof framedName, "%c%s%c", kFrame, extension, kFrame);
    if (patternLength >= (int)sizeof framedPattern || nameLength >= (int)sizeof framedName)
        return false;
    FindSettings s;
    FindSettings_Init(&s);
    s.ignoreCase = 1; // file names are the same name in either case
    s.regularExpression = LooksLikeRegex(pattern, (int32_t)strlen(pattern));
    FindScope scope = {kTypeNameMax + 2, false, 0};
    int32_t matched = patternLength;
    const char* at = FindOne(s, scope, framedName, nameLength, framedPattern, &matched);
    return at == framedName && matched == nameLength;
}

void PlainTextType(TypeSettings* out) {
    *out = TypeSettings{};
    out->text = 1;
    out->tab = gSettings.tabs > 0 ? gSettings.tabs : 8;
}

} // namespace

int FileTypes_Load() {
    free(gList.block);
    gList = {nullptr, 0, 0};
    int namesLength = 0;
    char* names = ReadWhole(kSpecialTypesSection, nullptr, kKeyNamesFirst, &namesLength);
    if (!names)
        return 0;
    gList.block = (char*)malloc(kListStep);
    if (!gList.block) {
        free(names);
        return 0;
    }
    gList.size = kListStep;
    gList.block[0] = 0;
    int32_t used = 0;
    bool ok = true;
    for (const char* key = names; ok && key < names + namesLength && *key; key += strlen(key) + 1) {
        int valueLength = 0;
        char* value = ReadWhole(kSpecialTypesSection, key, kTypeNameMax, &valueLength);
        ok = value && (valueLength == 0 || AppendName(&gList, value, &used));
        free(value);
    }
    free(names);
    if (!ok) {
        free(gList.block);
        gList = {nullptr, 0, 0};
        return 0;
    }
    return gList.count;
}

int FileTypes_Count() {
    return gList.count;
}

const char* FileTypes_At(int index) {
    if (!gList.block || index < 0 || index >= gList.count)
        return nullptr;
    const char* name = gList.block;
    for (int i = 0; i < index; i++)
        name += strlen(name) + 1;
    return name;
}

int FileTypes_Read(const char* extension, TypeSettings* out) {
    *out = TypeSettings{};
    if (!FileTypes_IsValidName(extension) || ReadTypeInt(extension, "Hex", -1) == -1)
        return 0;
    out->text = ReadTypeInt(extension, "Text", 0);
    out->hex = ReadTypeInt(extension, "Hex", 0);
    out->binary = ReadTypeInt(extension, "Binary", 0);
    out->newLineCR = ReadTypeInt(extension, "NewLineCR", 0);
    out->showAllChars = ReadTypeInt(extension, "ShowAllChars", 0);
    out->showCRLF = ReadTypeInt(extension, "ShowCRLF", 0);
    out->strip7 = ReadTypeInt(extension, "Strip7", 0);
    out->tab = ReadTypeInt(extension, "tab", 8);
    if (out->tab <= 0)
        out->tab = 1;
    out->lockStart = ReadTypeInt(extension, "LockStart", 0);
    out->lockEnd = ReadTypeInt(extension, "LockEnd", 0);
    return 1;
}

int FileTypes_Find(const char* extension, bool exact, TypeSettings* out) {
    *out = TypeSettings{};
    if (extension[0] == '.')
        extension++;
    for (int i = 0; i < gList.count; i++) {
        const char* entry = FileTypes_At(i);
        bool matches =
            exact ? SameIgnoringCase(entry, extension) : PatternMatches(entry, extension);
        if (matches)
            return FileTypes_Read(entry, out);
    }
    return 0;
}

int FileTypes_FindForPath(const char* path, TypeSettings* out) {
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = strrchr(name, '.');
    if (dot && FileTypes_Find(dot + 1, false, out))
        return 1;
    PlainTextType(out);
    return 0;
}

void FileTypes_ApplyToView(const TypeSettings& type, DisplaySettings* display, int32_t* showCrLf) {
    display->hexMode = type.hex != 0;
    display->binaryMode = type.binary != 0;
    display->stripBit7 = type.strip7 != 0;
    if (display->hexMode) {
        display->all256Chars = type.showAllChars != 0;
    } else if (display->binaryMode) {
        display->crIsNewLine = type.newLineCR != 0;
        if (showCrLf)
            *showCrLf = type.showCRLF != 0;
    } else {
        display->all256Chars = 0;
        display->crIsNewLine = 0;
    }
    display->tabSpacing = type.tab > 0 ? type.tab : 1;
}

void FileTypes_ApplyToDisplay(const TypeSettings& type, DisplaySettings* display) {
    FileTypes_ApplyToView(type, display, nullptr);
}

bool FileTypes_IsPlainText(const TypeSettings& type) {
    return type.text && !type.hex && !type.binary;
}

bool FileTypes_IsValidName(const char* extension) {
    if (!extension[0] || extension[0] == '.' || strpbrk(extension, "[]=\r\n"))
        return false;
    for (const char* reserved : kReservedSections)
        if (SameIgnoringCase(extension, reserved))
            return false;
    return true;
}

int FileTypes_RewriteList(const char* section, const char* removed) {
    // Keys numbered by hand ("1", "3", "7") would keep their places beside the new numbers, and
    // the list would come back in another order: such a section is written afresh.
    int namesLength = 0;
    char* oldKeys = ReadWhole(section, nullptr, kKeyNamesFirst, &namesLength);
    int expected = 1;
    bool numberedInOrder = true;
    for (const char* old = oldKeys; old && old < oldKeys + namesLength && *old;
         old += strlen(old) + 1) {
        char key[16];
        snprintf(key, sizeof key, "%d", expected++);
        numberedInOrder = numberedInOrder && strcmp(old, key) == 0;
    }
    free(oldKeys);
    int ok = 1;
    if (!numberedInOrder)
        ok &= Plat_WriteProfileString(section, nullptr, nullptr);

    int written = 0;
    char key[16];
    for (int i = 0; i < gList.count; i++) {
        const char* entry = FileTypes_At(i);
        if (removed && SameIgnoringCase(entry, removed))
            continue;
        snprintf(key, sizeof key, "%d", ++written);
        ok &= Plat_WriteProfileString(section, key, entry);
    }
    snprintf(key, sizeof key, "%d", written + 1);
    ok &= Plat_WriteProfileString(section, key, nullptr);
    return ok;
}

int FileTypes_Save(const char* extension, const TypeSettings& type) {
    if (!FileTypes_IsValidName(extension) || strlen(extension) >= (size_t)kTypeNameMax)
        return -1;
    char name[kTypeNameMax];
    size_t length = strlen(extension);
    for (size_t i = 0; i <= length; i++)
        name[i] = LowerAscii(extension[i]);
    int ok = 1;
    bool listed = false;
    for (int i = 0; i < gList.count && !listed; i++)
        listed = SameIgnoringCase(FileTypes_At(i), name);
    if (!listed) {
        // The list in memory takes the name first, so the section is written renumbered.
        int32_t used = 0;
        for (int i = 0; i < gList.count; i++)
            used += (int32_t)strlen(FileTypes_At(i)) + 1;
        if (!gList.block) {
            gList.block = (char*)malloc(kListStep);
            gList.size = gList.block ? kListStep : 0;
            if (gList.block)
                gList.block[0] = 0;
        }
        if (!gList.block || !AppendName(&gList, name, &used))
            return 0;
        ok &= FileTypes_RewriteList(kSpecialTypesSection, nullptr);
    }
    ok &= WriteTypeInt(name, "Text", type.text);
    ok &= WriteTypeInt(name, "Hex", type.hex);
    ok &= WriteTypeInt(name, "Binary", type.binary);
    ok &= WriteTypeInt(name, "NewLineCR", type.newLineCR);
    ok &= WriteTypeInt(name, "ShowAllChars", type.showAllChars);
    ok &= WriteTypeInt(name, "ShowCRLF", type.showCRLF);
    ok &= WriteTypeInt(name, "Strip7", type.strip7);
    ok &= WriteTypeInt(name, "tab", type.tab > 0 ? type.tab : 8);
    bool lock = type.lockStart != 0;
    ok &= WriteTypeInt(name, "LockStart", lock ? type.lockStart : 0);
    ok &= WriteTypeInt(name, "LockEnd", lock ? type.lockEnd : 0);
    FileTypes_Load();
    return ok;
}

int FileTypes_Undefine(const char* extension) {
    if (!FileTypes_IsValidName(extension))
        return -1;
    int ok = Plat_WriteProfileString(extension, nullptr, nullptr);
    ok &= FileTypes_RewriteList(kSpecialTypesSection, extension);
    FileTypes_Load();
    return ok;
}
