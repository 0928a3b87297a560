// The SDL host's sound device, for the part of the host that hears of it coming and going.
#pragma once

#include <SDL.h>

// An event that may concern the sound device: its removal, or its return.
void SoundDeviceEvent(const SDL_Event& e);
