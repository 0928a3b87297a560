// Kept apart from the display: X11's headers name a type Window.
#include "platform/host/sdl/gpu.h"

#include <SDL_syswm.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

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

} // namespace

// Making an OpenGL renderer to ask for its name costs half a second and 70 MB where the answer
// is llvmpipe, so it is made only where a GPU may be: a render device, and a display that
// can reach it.
bool MayHaveGpu(SDL_Window* window) {
    const char* software = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (software && *software && std::strcmp(software, "0") != 0) return false;
#ifdef __linux__
    bool device = access("/dev/nvidiactl", F_OK) == 0;
    if (DIR* dri = opendir("/dev/dri")) {
        while (dirent* entry = readdir(dri))
            device = device || std::strncmp(entry->d_name, "renderD", 7) == 0;
        closedir(dri);
    }
    if (!device) return false;
#endif
    return XServerRendersOnGpu(window);
}
