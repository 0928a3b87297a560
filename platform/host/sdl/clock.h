// The SDL host's clock, for the parts of the host that wait on it.
#pragma once

#include <cstdint>

// Sleeps until GetTickCount() reaches `ms`, to within the system's timer slack.
void SleepUntil(uint32_t ms);
