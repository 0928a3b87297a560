// What a desktop platform gives the SDL host: the few things SDL leaves to the system under it.
// Each platform's folder answers them (linux/, windows/).
#pragma once

#include <SDL.h>

#include <cstdint>

// Sleeps until GetTickCount() reaches `ms`, to within the system's timer slack.
void SleepUntil(uint32_t ms);
// False where there is certainly no GPU to draw with: no render device, software OpenGL asked
// for, or a display without direct rendering. True means "make a renderer and ask it".
bool MayHaveGpu(SDL_Window* window);
// Once the window is made: the end of the window system under it ends the game as the
// window's close would.
void WatchWindowSystem(SDL_Window* window);
// The system's own message box, in front of `owner` where there is one; a platform that may
// have no screen to show it on leaves it out.
void ShowSystemBox(const char* title, const char* text, SDL_Window* owner);
