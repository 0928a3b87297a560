// Starts the game on the headless host as the program would, without entering its loop.
#pragma once

#include <gtest/gtest.h>

#include "app/frame.h"
#include "platform/host/headless.h"

inline void Boot() {
    ReleaseStartUpObjects();
    HeadlessReset();
    ASSERT_EQ(AppInit(), 1);
}
