// What Windows gives the SDL host: a clock that waits to the millisecond, the system's own
// message boxes, and a GPU that is always there to ask (Direct3D; a machine without one has
// Microsoft's software adapter, which SDL names as such).
#include "platform/host/windows/system.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <chrono>

#include "platform/host/host.h"
#include "platform/host/sdl/desktop.h"

namespace {

using Clock = std::chrono::steady_clock;

// The clock starts with the program; a millisecond begins at a known instant, so a wait can
// end exactly at it.
const Clock::time_point Start = Clock::now();

// A high-resolution timer wakes within half a millisecond where the system has it (Windows 10
// 1803 on); elsewhere the plain one wakes at the system's tick, which SDL sets to 1 ms.
// (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION is newer than MinGW-w64's headers.)
HANDLE Timer() {
    constexpr DWORD HighResolution = 0x2;
    static HANDLE timer = [] {
        HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, HighResolution, TIMER_ALL_ACCESS);
        return t ? t : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }();
    return timer;
}

} // namespace

uint32_t GetTickCount() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start);
    return static_cast<uint32_t>(ms.count());
}

void SleepUntil(uint32_t ms) {
    const Clock::time_point due = Start + std::chrono::milliseconds(ms);
    for (Clock::time_point now = Clock::now(); now < due; now = Clock::now()) {
        // Due times are relative, in units of 100 ns, and negative.
        LARGE_INTEGER after;
        after.QuadPart = -std::chrono::duration_cast<std::chrono::nanoseconds>(due - now).count() / 100;
        if (!Timer() || !SetWaitableTimer(Timer(), &after, 0, nullptr, nullptr, FALSE)) {
            Sleep(1);
            continue;
        }
        WaitForSingleObject(Timer(), INFINITE);
    }
}

bool MayHaveGpu(SDL_Window*) {
    return true;
}

// Nothing to watch: the window system is the system itself.
void WatchWindowSystem(SDL_Window*) {}

// MessageBox, as the original showed its failures: an OK button, owned by the window where it
// is shown. Windows has a screen even where SDL's video could not start.
void ShowSystemBox(const char* title, const char* text, SDL_Window* owner) {
    HWND window = nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (owner && SDL_GetWindowWMInfo(owner, &info) && info.subsystem == SDL_SYSWM_WINDOWS)
        window = info.info.win.window;
    MessageBoxW(window, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}
