#include "lister/drive.h"

#include "platform/platform.h"

// Until a directory window changes drives, a change is only asked for.
int ChangeDrive(char drive) {
    char dir[kPlatNameMax];
    return Plat_GetCurrentDir(drive, dir, sizeof dir) > 0;
}
