// The clock and the observation calls of the SDL host.
#include <SDL.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

#include "platform/host/host.h"
#include "platform/host/sdl/clock.h"

namespace {

int64_t Nanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// The clock starts with the program; a millisecond begins at a known instant, so a wait can
// end exactly at it.
const int64_t Start = Nanoseconds();

} // namespace

uint32_t GetTickCount() {
    return static_cast<uint32_t>((Nanoseconds() - Start) / 1000000);
}

void SleepUntil(uint32_t ms) {
    int64_t due = Start + int64_t{ms} * 1000000;
    timespec t{static_cast<time_t>(due / 1000000000), static_cast<long>(due % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}
long long HostCalendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

// Only a recording host notes the game's ticks and keys.
void HostTickDone() {}
void HostKeyDone(int) {}
