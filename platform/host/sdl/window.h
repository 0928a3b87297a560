// The SDL host's one window, for the parts of the host that act on it.
#pragma once

#include <SDL.h>

// Null until the display is open.
SDL_Window* GameWindow();
