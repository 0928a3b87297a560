// The clock, the file beside the page, and the tick count of the web host. The page's busy time
// is measured here too: the slices of work between two waits.
#include <emscripten.h>
#include <emscripten/wget.h>

#include <cstdlib>
#include <ctime>

#include "platform/host/host.h"
#include "platform/host/web/web.h"

// The page's side, in system.js: its measure of itself.
extern "C" {
// Starts the page's counts; the page's clock now.
double StartClock();
void CountTick();
}

namespace {

const double StartedAt = StartClock();

} // namespace

uint32_t GetTickCount() {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now() - StartedAt));
}
double PageTimeAt(uint32_t ms) {
    return StartedAt + ms;
}
// Emscripten's time() reads the JavaScript clock.
long long HostCalendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

// "Beside the program" is beside the page: fetched from the same folder, the game asleep
// meanwhile.
bool HostReadFile(const char* name, std::vector<uint8_t>* bytes) {
    void* data = nullptr;
    int size = 0, error = 0;
    emscripten_wget_data(name, &data, &size, &error);
    if (error || !data) return false;
    const auto* first = static_cast<const uint8_t*>(data);
    bytes->assign(first, first + size);
    std::free(data);
    return true;
}

// The page keeps the count of ticks and their times, for the busy time per tick and how
// steadily they come.
void HostTickDone() {
    CountTick();
}
void HostKeyDone(int) {}
