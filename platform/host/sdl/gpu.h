// Whether the machine may draw on a GPU, asked before any renderer is made.
#pragma once

#include <SDL.h>

// False where there is certainly no GPU to draw with: no render device, software OpenGL asked
// for, or an X server without direct rendering. True means "make a renderer and ask it".
bool MayHaveGpu(SDL_Window* window);
