// Starts the game on the headless host as the program would, without entering its loop.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/frame.h"
#include "platform/host/headless/headless.h"

// `prepare` sets up the machine (faults, a joystick) before the start-up sees it.
inline void Boot(const std::function<void()>& prepare = nullptr) {
    ReleaseStartUpObjects();
    HeadlessReset();
    if (prepare) prepare();
    ASSERT_EQ(AppInit(), 1);
}
