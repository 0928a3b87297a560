// The calendar and the observation calls of the SDL host; its clock is the platform's.
#include <ctime>

#include "platform/host/host.h"

long long HostCalendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

// Only a recording host notes the game's ticks and keys.
void HostTickDone() {}
void HostKeyDone(int) {}
