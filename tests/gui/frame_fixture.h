// Each test starts ORV's frame through the program's own start-up and ends it again, with the
// box watcher on: every box a test raises must be one it scripted an answer for.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "gui/harness.h"
#include "shell/frame.h"
#include "shell/startup.h"

class OrvFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Harness_Start();
        ASSERT_EQ(1, Orv_Startup(GetModuleHandleA(NULL), "", SW_SHOWNORMAL));
        ASSERT_TRUE(gFrame != NULL);
        ASSERT_TRUE(gMdiClient != NULL);
    }

    void TearDown() override {
        Orv_Shutdown();
        for (const SeenBox& box : Harness_SeenBoxes())
            EXPECT_TRUE(box.expected) << "unexpected box \"" << box.caption << "\": " << box.text;
        EXPECT_EQ(0, Harness_AnswersLeft()) << "a scripted box never came";
        Harness_Stop();
    }
};
