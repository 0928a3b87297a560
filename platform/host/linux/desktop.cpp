// What the Linux desktop gives the SDL host: the clock to the very millisecond, the questions
// only the X server can answer (is there a GPU behind it, has it gone), and SDL's own boxes.
// Kept apart from the SDL host's display: X11's headers name a type Window.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

#include "platform/host/host.h"
#include "platform/host/sdl/desktop.h"

namespace {

int64_t Nanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// The clock starts with the program; a millisecond begins at a known instant, so a wait can
// end exactly at it.
const int64_t Start = Nanoseconds();

// Only an X server that hands out direct rendering (DRI2, DRI3, or NVIDIA's own GLX) can give
// a hardware OpenGL; Xvfb, Xvnc and the X servers of remote desktops answer with llvmpipe even
// on a machine with a GPU.
bool XServerRendersOnGpu(SDL_Window* window) {
    SDL_SysWMinfo wm;
    SDL_VERSION(&wm.version);
    if (!SDL_GetWindowWMInfo(window, &wm) || wm.subsystem != SDL_SYSWM_X11) return true;
    int opcode, event, error;
    for (const char* extension : {"DRI3", "DRI2", "NV-GLX"})
        if (XQueryExtension(wm.info.x11.display, extension, &opcode, &event, &error)) return true;
    return false;
}

// The X server gone: it died, or the session ended. Xlib's own answer is exit(1) from inside
// whatever call noticed, and SDL can't go on without its connection: let its calls return and
// the next one crashes. The game has nothing to save and its sound ends with the process, so
// it ends there and then, with 0 as when its window is closed.
int OnWindowSystemGone(Display*) {
    std::_Exit(0);
}

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

// Making an OpenGL renderer to ask for its name costs half a second and 70 MB where the answer
// is llvmpipe, so it is made only where a GPU may be: a render device, and a display that
// can reach it.
bool MayHaveGpu(SDL_Window* window) {
    const char* software = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (software && *software && std::strcmp(software, "0") != 0) return false;
    bool device = access("/dev/nvidiactl", F_OK) == 0;
    if (DIR* dri = opendir("/dev/dri")) {
        while (dirent* entry = readdir(dri))
            device = device || std::strncmp(entry->d_name, "renderD", 7) == 0;
        closedir(dri);
    }
    return device && XServerRendersOnGpu(window);
}

void WatchWindowSystem(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        XSetIOErrorHandler(OnWindowSystemGone);
}

// A box is only tried where there is a screen, so that none can hang.
void ShowSystemBox(const char* title, const char* text, SDL_Window* owner) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, owner);
}
