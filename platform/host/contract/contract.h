// What the contract's tests share: a machine started fresh for each test, time let pass as
// the program lets it (by waiting for events), and the events that arrived meanwhile.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/contract/rig.h"
#include "platform/host/host.h"

class HostContract : public testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(RigStart(&why)) << why;
    }
};

// Lets `ms` pass in the program's waits; the events that arrive are kept in `events`.
inline void Pass(uint32_t ms, std::vector<HostEvent>* events = nullptr) {
    const uint32_t until = GetTickCount() + ms;
    for (;;) {
        HostEvent e;
        while (HostTakeEvent(&e))
            if (events) events->push_back(e);
        if (GetTickCount() >= until) return;
        HostWaitEvent(until);
    }
}

// The key presses among some events.
inline std::vector<int> KeysOf(const std::vector<HostEvent>& events) {
    std::vector<int> keys;
    for (const HostEvent& e : events)
        if (e.kind == HostKeyPress) keys.push_back(e.key);
    return keys;
}

// The window, open and shown as the program has it, with what its opening sent drained away.
inline void OpenWindow() {
    HostOpenWindow("Kestor");
    ASSERT_EQ(HostOpenDisplay("Kestor"), 0);
    Pass(300);
}
