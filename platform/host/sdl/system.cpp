// The clock, the compiled-in resources and the observation calls of the SDL host.
#include <SDL.h>

#include <ctime>

#include "platform/host/host.h"
#include "platform/host/resources.h"

uint32_t GetTickCount() {
    return SDL_GetTicks();
}
long long HostCalendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

bool HostFindResource(const char* type, int id, const uint8_t** bytes, size_t* size) {
    const EmbeddedResource* r = FindEmbeddedResource(type, id);
    if (!r) return false;
    *bytes = r->bytes;
    *size = r->size;
    return true;
}

// Only a recording host notes the game's ticks and keys.
void HostTickDone() {}
void HostKeyDone(int) {}
