// Changing drive: a drive that cannot be made current is told, the previous one comes back, and
// the viewed file reads on as before.
#include <gtest/gtest.h>

#include <ctype.h>

#include "lister/drive.h"
#include "platform/platform.h"
#include "support.h"
#include "viewer/engine.h"

namespace {

TEST(ChangeDrive, AFailedChangeComesBackAndClearsTheDriveError) {
    char before[kPlatNameMax];
    ASSERT_GT(Plat_GetCurrentDir(0, before, sizeof before), 0);
    // The native build has a drive C: alone; Wine maps C: and Z: unless told otherwise.
    const char current = before[1] == ':' ? (char)tolower((unsigned char)before[0]) : 'c';
    const struct {
        char drive;
        int result;
        bool told;
    } cases[] = {{'q', 0, true}, {current, 1, false}};
    for (const auto& c : cases) {
        gEngine.driveError = true; // left from an earlier failure
        ScriptedUser user;
        EXPECT_EQ(c.result, ChangeDrive(c.drive)) << c.drive;
        EXPECT_FALSE(gEngine.driveError) << c.drive;
        std::vector<AskedQuestion> told;
        if (c.told)
            told.push_back({"Could not change to that drive", "", kButtonsOk, kIconWarning, 0});
        EXPECT_EQ(told, user.asked);
        char now[kPlatNameMax];
        ASSERT_GT(Plat_GetCurrentDir(0, now, sizeof now), 0);
        EXPECT_STREQ(before, now);
    }
}

} // namespace
