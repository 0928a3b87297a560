// The contract rig's parts that are SDL's alone, for both desktop platforms: the joystick is
// SDL's virtual one, and the sound device SDL's disk driver, which plays at a device's pace
// with no sound card. What it played is heard where the mixer hands it to the device: the
// driver's file can't be read while it is open on Windows, where SDL opens it for itself alone.
#include "platform/host/sdl/contract/rig.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/host/contract/rig.h"
#include "platform/host/host.h"

namespace {

SDL_Joystick* Stick;
std::string MixFile;
// The first channel of every buffer the mixer gave the device, in 16-bit samples, filled on
// SDL's audio thread.
std::vector<int16_t> Played;
std::mutex PlayedLock;

void NotePlayed(void*, Uint8* stream, int bytes) {
    int rate, channels;
    Uint16 format;
    if (!Mix_QuerySpec(&rate, &format, &channels) || format != AUDIO_S16SYS || channels < 1) return;
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    std::lock_guard hold(PlayedLock);
    size_t frames = static_cast<size_t>(bytes) / sizeof(int16_t) / static_cast<size_t>(channels);
    for (size_t f = 0; f < frames; ++f) Played.push_back(samples[f * static_cast<size_t>(channels)]);
}

// The first two axes, from the old interface's range.
void MoveStick(uint32_t x, uint32_t y) {
    SDL_JoystickSetVirtualAxis(Stick, 0, static_cast<Sint16>(static_cast<int>(x) - 32768));
    SDL_JoystickSetVirtualAxis(Stick, 1, static_cast<Sint16>(static_cast<int>(y) - 32768));
}

} // namespace

std::vector<std::string> ChordKeys(const char* chord) {
    std::vector<std::string> keys;
    std::string rest = chord;
    for (size_t plus; (plus = rest.find('+')) != std::string::npos; rest = rest.substr(plus + 1))
        keys.push_back(rest.substr(0, plus));
    keys.push_back(rest);
    return keys;
}

void ListenThroughDiskDriver(const std::string& file) {
    MixFile = file;
    std::lock_guard hold(PlayedLock);
    Played.clear();
    SetEnvironment("SDL_AUDIODRIVER", "disk");
    SetEnvironment("SDL_DISKAUDIOFILE", MixFile.c_str());
    // The hook outlives the mixer's closing and opening again, as the device's file would; it
    // goes before the samples it fills do, while the device may still be playing.
    Mix_SetPostMix(NotePlayed, nullptr);
    std::atexit([] {
        Mix_SetPostMix(nullptr, nullptr);
        std::remove(MixFile.c_str());
    });
}

// The host starts SDL's joystick support its own way first; the virtual stick then comes in
// as a device plugged in would.
bool RigAttachJoystick() {
    HostJoystickCount();
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
    if (index < 0) return false;
    Stick = SDL_JoystickOpen(index);
    return Stick != nullptr;
}

void RigJoystick(uint32_t x, uint32_t y, uint32_t buttons) {
    MoveStick(x, y);
    SDL_JoystickSetVirtualButton(Stick, 0, (buttons & 1) ? SDL_PRESSED : SDL_RELEASED);
    SDL_JoystickSetVirtualButton(Stick, 1, (buttons & 2) ? SDL_PRESSED : SDL_RELEASED);
}

void RigUnplugJoystick() {
    SDL_JoystickID id = SDL_JoystickInstanceID(Stick);
    SDL_JoystickClose(Stick);
    Stick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
}

// A virtual game controller: SDL lays its buttons out in the order of the mask, so button 0 is
// the south one, 1 the east one, then the D-pad's up, down, left and right.
bool RigAttachLayoutPad() {
    HostJoystickCount();
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = 2;
    pad.nbuttons = 6;
    pad.axis_mask = (1u << SDL_CONTROLLER_AXIS_LEFTX) | (1u << SDL_CONTROLLER_AXIS_LEFTY);
    for (auto b : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_DPAD_UP,
                   SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                   SDL_CONTROLLER_BUTTON_DPAD_RIGHT})
        pad.button_mask |= 1u << b;
    pad.name = "rig pad";
    int index = SDL_JoystickAttachVirtualEx(&pad);
    if (index < 0) return false;
    Stick = SDL_JoystickOpen(index);
    return Stick != nullptr;
}

void RigLayoutPad(uint32_t x, uint32_t y, int dx, int dy, bool south, bool east) {
    MoveStick(x, y);
    const bool held[] = {south, east, (dy < 0), (dy > 0), (dx < 0), (dx > 0)};
    for (int b = 0; b < 6; ++b)
        SDL_JoystickSetVirtualButton(Stick, b, held[b] ? SDL_PRESSED : SDL_RELEASED);
}

// The disk driver can't open a file in a folder that isn't there.
void RigFailSoundDevice() {
    SetEnvironment("SDL_DISKAUDIOFILE", "/nonexistent/kestor/mix.raw");
}

bool RigPlayed(std::vector<int16_t>* samples, int* rate) {
    Uint16 format = 0;
    int channels;
    samples->clear();
    if (!Mix_QuerySpec(rate, &format, &channels) || format != AUDIO_S16SYS) return false;
    std::lock_guard hold(PlayedLock);
    *samples = Played;
    return true;
}
