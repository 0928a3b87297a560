// What the desktop platforms' rigs share (sdl/contract/rig.cpp).
#pragma once

#include <string>

// From the next sound device on, the mix goes into `file` (removed when the test ends).
void ListenThroughDiskDriver(const std::string& file);
// Sets a variable where SDL looks for it: the C library's own copy of the environment, which
// on Windows is not the system's (SDL_setenv writes the system's there).
void SetEnvironment(const char* name, const char* value);
