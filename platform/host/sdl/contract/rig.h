// What the desktop platforms' rigs share (sdl/contract/rig.cpp).
#pragma once

#include <string>
#include <vector>

// The keys of a chord ("Alt_L+F1"), in the order they go down.
std::vector<std::string> ChordKeys(const char* chord);

// From the next sound device on, the mix goes into `file` (removed when the test ends).
void ListenThroughDiskDriver(const std::string& file);
// Sets a variable where SDL looks for it: the C library's own copy of the environment, which
// on Windows is not the system's (SDL_setenv writes the system's there).
void SetEnvironment(const char* name, const char* value);
