#include "shell/settings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "shell/asciitext.h"
#include "platform/platform.h"
#include "platform/uiseam.h"
#include "viewer/filetypes.h"

Settings gSettings;

namespace {

const char* const kColorKeys[kColorSlots] = {
    "TextColor",     "BackgndColor",     "EditTextColor", "EditBackgndColor",
    "SrchTextColor", "SrchBackgndColor", "DirTextColor",  "DirBackgndColor",
};
const OrvColor kColorDefaults[kColorSlots] = {
    OrvRgb(0, 0, 0), OrvRgb(255, 255, 255), OrvRgb(255, 255, 255), OrvRgb(0, 0, 255),
    OrvRgb(0, 0, 0), OrvRgb(255, 255, 255), OrvRgb(0, 0, 0),       OrvRgb(255, 255, 255),
};
const char* const kFontKeys[kFontKinds] = {"Font", "EditFont", "SearchFont", "DirFont"};
const char* const kFontDefaults[kFontKinds] = {"Terminal(9)", "Terminal(9)", "Terminal(9)",
                                               "System(10,bold)"};
const char* const kMaskKeys[kMaskCount] = {"Mask1", "Mask2", "Mask3", "Mask4"};
const char* const kMaskDefaults[kMaskCount] = {"*.*", "*.txt", "*.doc", "*read*"};

const char kSaveQuestion[] = "You changed ORV's options.\nSave new settings?";
const char kSaveQuestionCaption[] = "Save ORV?";

constexpr int kDefaultPageLength = 22; // a 25-line screen less 3
constexpr int64_t kDefaultLineLength = 256;

int QuietHasMouse() {
    return 1;
}
OrvColor QuietNearestColor(OrvColor color) {
    return color;
}
SettingsHooks gHooks = {QuietHasMouse, QuietNearestColor};

// Reads a whole decimal number the way the profile's integer reader does (leading blanks, an
// optional sign, digits up to the first other character; an empty value is absent),
// saturating instead of wrapping so that an absurd value stays absurd.
int64_t ReadInt64(const char* section, const char* key, int64_t defaultValue) {
    char text[64];
    Plat_GetProfileString(section, key, "", text, sizeof text);
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    if (!*p)
        return defaultValue;
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        int digit = *p - '0';
        if (value > (INT64_MAX - digit) / 10) {
            value = INT64_MAX;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int32_t ReadInt(const char* key, int32_t defaultValue) {
    int64_t value = ReadInt64(kMainSection, key, defaultValue);
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : (int32_t)value;
}

void ReadText(const char* key, const char* defaultValue, char* dest, int destSize) {
    Plat_GetProfileString(kMainSection, key, defaultValue, dest, destSize);
}

// "r g b": each number taken modulo 256 (the digits are folded as they come, so no length of
// number overflows); a missing number is 0.
OrvColor ParseColor(const char* text) {
    uint32_t parts[3] = {0, 0, 0};
    const char* p = text;
    for (int i = 0; i < 3; i++) {
        while (*p == ' ' || *p == '\t')
            p++;
        bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            p++;
        if (*p < '0' || *p > '9')
            break;
        uint32_t value = 0;
        for (; *p >= '0' && *p <= '9'; p++)
            value = (value * 10 + (uint32_t)(*p - '0')) & 0xFF;
        parts[i] = negative ? (0u - value) & 0xFF : value;
    }
    return OrvRgb(parts[0], parts[1], parts[2]);
}

void FormatColor(OrvColor color, char* out, int size) {
    snprintf(out, (size_t)size, "%u %u %u", (unsigned)(color & 0xFF), (unsigned)(color >> 8 & 0xFF),
             (unsigned)(color >> 16 & 0xFF));
}

// "SearchDisks": "-" first means none; otherwise the first 26 distinct letters, lower-cased.
void ParseSearchDisks(const char* text, unsigned char* disks) {
    int count = 0;
    if (text[0] != '-') {
        for (const char* p = text; *p && count < kMaxDrives; p++) {
            char letter = LowerAscii(*p);
            if (letter < 'a' || letter > 'z' || memchr(disks, letter, (size_t)count))
                continue;
            disks[count++] = (unsigned char)letter;
        }
    }
    disks[count] = kDriveListEnd;
}

void ReadPreviousFile() {
    char text[32];
    ReadText("PreviousFile", "Min", text, sizeof text);
    gSettings.closePrevious = EqualsCaseBlind(text, "Close");
    gSettings.minimisePrevious = !gSettings.closePrevious && EqualsCaseBlind(text, "Min");
}

void ReadNextFile() {
    char text[32];
    ReadText("NextFile", "Tile", text, sizeof text);
    gSettings.maximiseNew = EqualsCaseBlind(text, "Max");
    gSettings.tileNew = !gSettings.maximiseNew && EqualsCaseBlind(text, "Tile");
    gSettings.cascadeNew = !gSettings.maximiseNew && !gSettings.tileNew;
}

void ReadMasks() {
    char masks[kMaskCount][kMaskTextMax];
    const char* texts[kMaskCount];
    for (int i = 0; i < kMaskCount; i++) {
        Plat_GetProfileString(kMasksSection, kMaskKeys[i], kMaskDefaults[i], masks[i],
                              kMaskTextMax);
        texts[i] = masks[i];
    }
    Settings_SetMasks(texts); // without memory the masks stay unloaded and loading goes on
}

void ReadFontSpecs() {
    for (int kind = 0; kind < kFontKinds; kind++) {
        Plat_GetProfileString(kMainSection, kFontKeys[kind], kFontDefaults[kind],
                              gSettings.fontSpecs[kind], kFontSpecMax);
        FontSpec_Parse(gSettings.fontSpecs[kind], &gSettings.fonts[kind]);
    }
}

// Each write is made even after one failed, so as much as can be kept is kept.
int WriteText(const char* section, const char* key, const char* value) {
    return Plat_WriteProfileString(section, key, value);
}

int WriteFlag(const char* key, int32_t value) {
    return Settings_WriteInt(kMainSection, key, value);
}

int SaveView() {
    int ok = WriteFlag("Tabs", gSettings.tabs);
    for (int slot = 0; slot < kColorSlots; slot++) {
        char text[16];
        FormatColor(gSettings.colors[slot], text, sizeof text);
        ok &= WriteText(kMainSection, kColorKeys[slot], text);
    }
    for (int kind = 0; kind < kFontKinds; kind++) {
        char text[kFontSpecMax];
        FontSpec_Format((FontKind)kind, gSettings.fonts[kind], text, sizeof text);
        ok &= WriteText(kMainSection, kFontKeys[kind], text);
    }
    ok &= WriteFlag("BitStrip", gSettings.bitStrip);
    return ok;
}

int SaveOperational() {
    int ok = WriteText(kMainSection, "Editor", gSettings.editor);
    ok &= WriteFlag("MinOnLaunch", gSettings.minOnLaunch);
    ok &= WriteFlag("ConfirmLaunch", gSettings.confirmLaunch);
    ok &= WriteFlag("ConfirmDelete", gSettings.confirmDelete);
    ok &= WriteFlag("PreserveCase", gSettings.preserveCase);
    ok &= WriteFlag("HiddenFiles", gSettings.hiddenFiles);
    ok &= WriteFlag("SystemFiles", gSettings.systemFiles);
    ok &= WriteFlag("ButtonBar", gSettings.buttonBar);
    return ok;
}

int SavePrintPage() {
    int ok = WriteText(kMainSection, "Header", gSettings.header);
    ok &= WriteText(kMainSection, "Footer", gSettings.footer);
    ok &= WriteText(kMainSection, "LeftMargin", gSettings.leftMargin);
    ok &= WriteText(kMainSection, "TopMargin", gSettings.topMargin);
    ok &= WriteText(kMainSection, "BottomMargin", gSettings.bottomMargin);
    ok &= WriteFlag("ProcessFF", gSettings.processFF);
    ok &= WriteFlag("Process1", gSettings.process1);
    return ok;
}

int SaveDisks() {
    char text[kMaxDrives + 1];
    int count = 0;
    while (count < kMaxDrives && gSettings.searchDisks[count] != kDriveListEnd)
        count++;
    memcpy(text, gSettings.searchDisks, (size_t)count);
    text[count] = 0;
    return WriteText(kMainSection, "SearchDisks", text);
}

int SaveFileOpen() {
    const char* previous = gSettings.closePrevious      ? "Close"
                           : gSettings.minimisePrevious ? "Min"
                                                        : "NoChg";
    const char* next = gSettings.maximiseNew ? "Max" : gSettings.tileNew ? "Tile" : "Cascade";
    int ok = WriteText(kMainSection, "PreviousFile", previous);
    ok &= WriteText(kMainSection, "NextFile", next);
    ok &= WriteFlag("AutoOpen", gSettings.autoOpen);
    return ok;
}

int SaveWindow(const WindowRect* frame) {
    if (frame)
        Settings_FormatWindowRect(*frame, gSettings.window, sizeof gSettings.window);
    return WriteText(kMainSection, "Window", gSettings.window);
}

int SaveNames() {
    int ok = 1;
    for (int i = 0; i < kMaskCount; i++)
        ok &= WriteText(kMasksSection, kMaskKeys[i], Settings_Mask(i));
    return ok;
}

void WarnWriteFailed() {
    Ui_Ask({kSettingsWriteFailed, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus});
}

bool SameRect(const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

void Settings_SetHooks(const SettingsHooks* hooks) {
    gHooks.hasMouse = hooks && hooks->hasMouse ? hooks->hasMouse : QuietHasMouse;
    gHooks.nearestScreenColor =
        hooks && hooks->nearestScreenColor ? hooks->nearestScreenColor : QuietNearestColor;
}

OrvColor Settings_NearestScreenColor(OrvColor color) {
    return gHooks.nearestScreenColor(color);
}

int Settings_EnsureFile() {
    char dir[kEditorPathMax];
    int length = Plat_GetWindowsDir(dir, (int)sizeof dir - 1);
    if (!length)
        return 0;
    if (dir[length - 1] != kPlatDirSeparator) {
        dir[length++] = kPlatDirSeparator;
        dir[length] = 0;
    }
    char target[kEditorPathMax + 16], source[kEditorPathMax + 16];
    snprintf(target, sizeof target, "%s%s", dir, kSettingsFile);
    snprintf(source, sizeof source, "%s%s", dir, kSettingsFirstRunSource);
    PlatFileInfo info;
    if (Plat_GetFileInfo(target, &info))
        return 0;
    return Plat_CopyFileIfAbsent(source, target);
}

void Settings_Reset() {
    free(gSettings.masks.text);
    memset(&gSettings, 0, sizeof gSettings);
    gSettings.tabs = 8;
    gSettings.minimisePrevious = 1;
    gSettings.tileNew = 1;
    gSettings.searchDisks[0] = kDriveListEnd;
    memcpy(gSettings.colors, kColorDefaults, sizeof gSettings.colors);
    gSettings.buttonBar = 1;
    snprintf(gSettings.leftMargin, sizeof gSettings.leftMargin, "0");
    snprintf(gSettings.topMargin, sizeof gSettings.topMargin, "0");
    snprintf(gSettings.bottomMargin, sizeof gSettings.bottomMargin, "0");
    gSettings.processFF = 1;
    for (int kind = 0; kind < kFontKinds; kind++) {
        snprintf(gSettings.fontSpecs[kind], kFontSpecMax, "%s", kFontDefaults[kind]);
        FontSpec_Parse(gSettings.fontSpecs[kind], &gSettings.fonts[kind]);
    }
    gSettings.hiddenFiles = 1;
    gSettings.systemFiles = 1;
    gSettings.confirmDelete = 1;
    gSettings.autoOpen = 1;
    gSettings.autoSaveOptions = 1;
    snprintf(gSettings.editor, sizeof gSettings.editor, "Notepad.exe");
    gSettings.minOnLaunch = 1;
    gSettings.confirmLaunch = 1;
    gSettings.memory =
        ComputeMemorySizes(kDefaultLineLength, kDefaultBlockPointers, kFileBufferDefault);
    gSettings.driveList[0] = (char)kDriveListEnd;
    gSettings.pageLength = kDefaultPageLength;
    gSettings.vertScrollBar = 1;
}

void Settings_Load() {
    Settings_Reset();
    Settings& s = gSettings;
    s.tabs = ReadInt("Tabs", 8);
    if (s.tabs <= 0)
        s.tabs = 1;
    ReadPreviousFile();
    ReadNextFile();
    char disks[kSearchDisksTextMax];
    ReadText("SearchDisks", "-1", disks, sizeof disks);
    ParseSearchDisks(disks, s.searchDisks);
    for (int slot = 0; slot < kColorSlots; slot++) {
        char text[64], defaultText[16];
        FormatColor(kColorDefaults[slot], defaultText, sizeof defaultText);
        ReadText(kColorKeys[slot], defaultText, text, sizeof text);
        s.colors[slot] = ParseColor(text);
    }
    // Editors and result lists paint their background with a solid brush, which must not dither.
    s.colors[kColorEditBackgnd] = gHooks.nearestScreenColor(s.colors[kColorEditBackgnd]);
    s.colors[kColorSrchBackgnd] = gHooks.nearestScreenColor(s.colors[kColorSrchBackgnd]);
    s.bitStrip = ReadInt("BitStrip", 0);
    s.buttonBar = ReadInt("ButtonBar", 1);
    if (!gHooks.hasMouse())
        s.buttonBar = 0;
    ReadText("Header", "", s.header, sizeof s.header);
    ReadText("Footer", "", s.footer, sizeof s.footer);
    ReadText("LeftMargin", "0", s.leftMargin, sizeof s.leftMargin);
    ReadText("TopMargin", "0", s.topMargin, sizeof s.topMargin);
    ReadText("BottomMargin", "0", s.bottomMargin, sizeof s.bottomMargin);
    s.processFF = ReadInt("ProcessFF", 1);
    s.process1 = ReadInt("Process1", 0);
    ReadText("Window", "", s.window, sizeof s.window);
    s.hiddenFiles = ReadInt("HiddenFiles", 1);
    s.systemFiles = ReadInt("SystemFiles", 1);
    s.preserveCase = ReadInt("PreserveCase", 0);
    s.confirmDelete = ReadInt("ConfirmDelete", 1);
    s.autoOpen = ReadInt("AutoOpen", 1);
    s.autoSaveOptions = ReadInt("AutoSaveOptions", 1);
    ReadText("Editor", "Notepad.exe", s.editor, sizeof s.editor);
    s.minOnLaunch = ReadInt("MinOnLaunch", 1);
    s.confirmLaunch = ReadInt("ConfirmLaunch", 1);
    ReadMasks();
    s.memory = Settings_LoadMemory();
    // The font keys are turned into fonts once the frame exists; their texts are read here so
    // that a save before then writes back what the file holds.
    ReadFontSpecs();
    FileTypes_Load();
}

MemorySizes Settings_LoadMemory() {
    int64_t lineLength = ReadInt64(kMemorySection, "LineLength", kDefaultLineLength);
    int64_t blockPointers = ReadInt64(kMemorySection, "BlockPointers", kDefaultBlockPointers);
    int64_t fileBuffer = ReadInt64(kMemorySection, "FileBuffer", kFileBufferDefault);
    return ComputeMemorySizes(lineLength, blockPointers, fileBuffer);
}

uint32_t Settings_ParseIgnoreDrives(const char* text) {
    uint32_t mask = 0;
    for (const char* p = text; *p; p++) {
        char letter = LowerAscii(*p);
        if (letter >= 'a' && letter <= 'z')
            mask |= 1u << (letter - 'a');
    }
    return mask;
}

int Settings_BuildDriveList(uint32_t logicalDrives, uint32_t ignored, char* list) {
    int count = 0;
    for (int drive = 0; drive < kMaxDrives; drive++)
        if ((logicalDrives >> drive & 1) && !(ignored >> drive & 1))
            list[count++] = (char)('A' + drive);
    list[count] = (char)kDriveListEnd;
    return count;
}

void Settings_LoadDriveList() {
    char text[kSearchDisksTextMax];
    ReadText("IgnoreDrives", "", text, sizeof text);
    gSettings.ignoredDrives = Settings_ParseIgnoreDrives(text);
    gSettings.driveCount =
        Settings_BuildDriveList(Plat_LogicalDrives(), gSettings.ignoredDrives, gSettings.driveList);
}

const char* Settings_Mask(int index) {
    const MaskBlock& masks = gSettings.masks;
    if (!masks.text || index < 0 || index >= kMaskCount)
        return "";
    return masks.text + masks.offsets[index];
}

int Settings_SetMasks(const char* const masks[kMaskCount]) {
    size_t lengths[kMaskCount];
    size_t total = 0;
    for (int i = 0; i < kMaskCount; i++) {
        lengths[i] = strlen(masks[i]);
        total += lengths[i] + 1;
    }
    char* block = (char*)malloc(total);
    if (!block)
        return 0;
    MaskBlock fresh = {block, (int32_t)total, {}};
    size_t at = 0;
    for (int i = 0; i < kMaskCount; i++) {
        fresh.offsets[i] = (int32_t)at;
        memcpy(block + at, masks[i], lengths[i] + 1);
        at += lengths[i] + 1;
    }
    free(gSettings.masks.text);
    gSettings.masks = fresh;
    return 1;
}

FramePlacement Settings_FramePlacement(const char* windowText, int32_t screenClientWidth,
                                       int32_t screenClientHeight) {
    FramePlacement placement = {0, 0, 0, 0, 1, 0};
    int top, left, bottom, right;
    if (sscanf(windowText, "%d %d %d %d", &top, &left, &bottom, &right) != 4)
        return placement;
    int64_t width = (int64_t)right - left + 1;
    int64_t height = (int64_t)bottom - top + 1;
    if (width >= screenClientWidth || height >= screenClientHeight) {
        placement.maximised = 1;
        return placement;
    }
    placement.x = left;
    placement.y = top;
    placement.width = (int32_t)width;
    placement.height = (int32_t)height;
    placement.useDefault = 0;
    return placement;
}

// The platform's rectangle ends one pixel past the window, while "Window" is read with its
// right and bottom edges inside it: written as the platform gives them, a frame saved by
// "Save Options" would come back one pixel wider and taller at every start.
void Settings_FormatWindowRect(const WindowRect& rect, char* out, int size) {
    if (size > 0)
        snprintf(out, (size_t)size, "%d %d %d %d", (int)rect.top, (int)rect.left,
                 (int)rect.bottom - 1, (int)rect.right - 1);
}

int Settings_WriteInt(const char* section, const char* key, int64_t value) {
    char text[24];
    snprintf(text, sizeof text, "%lld", (long long)value);
    return Plat_WriteProfileString(section, key, text);
}

int Settings_SaveGroup(SaveGroup group, const WindowRect* frame) {
    switch (group) {
    case kSaveView:
        return SaveView();
    case kSaveOperational:
        return SaveOperational();
    case kSavePrintPage:
        return SavePrintPage();
    case kSaveDisks:
        return SaveDisks();
    case kSaveFileOpen:
        return SaveFileOpen();
    case kSaveWindow:
        return SaveWindow(frame);
    case kSaveNames:
        return SaveNames();
    case kSaveGroups:
        break;
    }
    return 0;
}

int Settings_SaveOptions(const int32_t checked[kSaveGroups], const WindowRect* frame) {
    gSettings.optionsChanged = 0;
    char dir[kEditorPathMax] = "";
    Plat_GetWindowsDir(dir, sizeof dir);
    void* restore = Ui_BeginBusy(dir);
    int ok = 1;
    for (int group = 0; group < kSaveGroups; group++)
        if (checked[group])
            ok &= Settings_SaveGroup((SaveGroup)group, frame);
    const MemorySizes& memory = gSettings.memory;
    ok &= Settings_WriteInt(kMemorySection, "BlockPointers", memory.blockPointers);
    // The effective size, so that the next load derives the same number of lines.
    ok &=
        Settings_WriteInt(kMemorySection, "FileBuffer", memory.bufferLines * 2 * memory.lineLength);
    Ui_EndBusy(restore);
    if (!ok) {
        gSettings.optionsChanged = 1;
        WarnWriteFailed();
    }
    return ok;
}

int Settings_ExitSave(const FrameExitState& frame) {
    static const SaveGroup kExitOrder[] = {kSaveView,      kSaveOperational, kSaveFileOpen,
                                           kSavePrintPage, kSaveDisks,       kSaveNames};
    int ok = 1;
    if (gSettings.optionsChanged) {
        int answer = kAnswerYes;
        if (!gSettings.autoSaveOptions)
            answer = Ui_Ask({kSaveQuestion, kSaveQuestionCaption, kButtonsYesNo, kIconQuestion,
                             kPromptOwnedByFocus});
        if (answer == kAnswerYes) {
            for (SaveGroup group : kExitOrder)
                ok &= Settings_SaveGroup(group);
            if (ok)
                gSettings.optionsChanged = 0; // a close an editor refuses does not ask again
        }
    }
    if (!frame.isMinimised && !SameRect(frame.now, frame.created))
        ok &= Settings_SaveGroup(kSaveWindow, &frame.now);
    if (!ok)
        WarnWriteFailed();
    return ok;
}

int Settings_ToggleSaveOnExit() {
    gSettings.autoSaveOptions = !gSettings.autoSaveOptions;
    int ok = Settings_WriteInt(kMainSection, "AutoSaveOptions", gSettings.autoSaveOptions);
    if (!ok)
        WarnWriteFailed();
    return ok;
}
