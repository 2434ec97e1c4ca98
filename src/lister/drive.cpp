#include "lister/drive.h"

#include <ctype.h>

#include <string>

#include "platform/platform.h"
#include "platform/uiseam.h"
#include "viewer/engine.h"

namespace {

const char kCannotChange[] = "Could not change to that drive";

bool DriveExists(char drive) {
    const int letter = tolower((unsigned char)drive);
    return letter >= 'a' && letter <= 'z' && (Plat_LogicalDrives() >> (letter - 'a') & 1);
}

// A drive whose directory cannot be listed (no disk, a lost connection) is no use to a window.
bool CanList(const char* dir) {
    std::string pattern = dir;
    if (!pattern.empty() && pattern.back() != kPlatDirSeparator)
        pattern += kPlatDirSeparator;
    pattern += '*';
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(pattern.c_str(), &entry, &error);
    if (!scan)
        return error == kPlatErrFileNotFound; // there, and empty
    Plat_FindClose(scan);
    return true;
}

} // namespace

int ChangeDrive(char drive) {
    char previous[kPlatNameMax];
    const bool hadPrevious = Plat_GetCurrentDir(0, previous, sizeof previous) > 0;
    gEngine.driveError = false;
    char dir[kPlatNameMax];
    if (DriveExists(drive) && Plat_GetCurrentDir(drive, dir, sizeof dir) > 0 &&
        Plat_SetCurrentDir(dir) == 0 && CanList(dir))
        return 1;
    gEngine.driveError = true;
    PromptRequest request = {kCannotChange, nullptr, kButtonsOk, kIconWarning, kPromptOwnedByFocus};
    Ui_Ask(request);
    // Back on the drive it came from, the viewed file reads as before; a drive that is gone
    // too keeps the flag, and the next read of the file stops the program.
    if (hadPrevious && Plat_SetCurrentDir(previous) == 0)
        gEngine.driveError = false;
    return 0;
}
