// The SDL host's one window, for the parts of the host that act on it.
#pragma once

#include <SDL.h>

// Null until the display is open.
SDL_Window* GameWindow();
// Once the window is made: the end of the window system under it ends the game as the
// window's close would.
void WatchWindowSystem();
