// Player 1's mouse and player 2's joystick on the SDL host.
#include <SDL.h>

#include "platform/host/host.h"
#include "platform/host/sdl/window.h"

namespace {

bool MouseHeld;
SDL_Joystick* Joystick;

// The swatter moves one pixel per mouse count, as it did with the raw device: no pointer
// speed, no acceleration, no scaling to the enlarged picture, whatever the environment asks.
void AskForRawCounts() {
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SCALING, "0", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SPEED_SCALE, "1", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SYSTEM_SCALE, "0", SDL_HINT_OVERRIDE);
}

SDL_Joystick* FirstJoystick() {
    if (!Joystick && HostJoystickCount() > 0) Joystick = SDL_JoystickOpen(0);
    return Joystick;
}

} // namespace

// The steps follow the old mouse set-up: 1 the input system is SDL's video, which carries the
// mouse; 2 the device is the game window the mouse belongs to; 3 the data format is raw
// counts, which SDL cannot refuse; 4 the exclusive hold is relative mode; 5, taking the
// device, is part of relative mode on SDL and has no failure of its own.
int HostOpenMouse() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 1;
    if (!GameWindow()) return 2;
    AskForRawCounts();
    if (SDL_SetRelativeMouseMode(SDL_TRUE) != 0) return 4;
    // Motion from before the game held the mouse is not the player's.
    SDL_PumpEvents();
    SDL_GetRelativeMouseState(nullptr, nullptr);
    MouseHeld = true;
    return 0;
}

bool HostReadMouse(int* dx, int* dy, bool* leftDown) {
    *dx = *dy = 0;
    *leftDown = false;
    if (!MouseHeld) return false;
    SDL_PumpEvents();
    Uint32 buttons = SDL_GetRelativeMouseState(dx, dy);
    *leftDown = (buttons & SDL_BUTTON_LMASK) != 0;
    return true;
}

void HostCloseMouse() {
    if (!MouseHeld) return;
    SDL_SetRelativeMouseMode(SDL_FALSE);
    MouseHeld = false;
}

// The desktop's mouse gives counts of its own: where the swatter stands is no concern of it.
void HostSwatterAt(int, int, int, int) {}

// No joystick, or no joystick support at all, only means player 2 uses the keyboard. The
// reads update the joystick themselves; left to SDL, an attached joystick would turn every
// wait for an event into polling once a millisecond.
int HostJoystickCount() {
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) {
        SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return 0;
    }
    return SDL_NumJoysticks();
}

// SDL's axes run -32768..32767; the game scales from the old interface's 0..65535.
bool HostJoystickCapsOf(HostJoystickCaps* caps) {
    if (!FirstJoystick()) return false;
    *caps = {0, 65535, 0, 65535, 0};
    return true;
}

bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    SDL_Joystick* j = FirstJoystick();
    if (!j || !SDL_JoystickGetAttached(j)) return false;
    SDL_JoystickUpdate();
    *x = static_cast<uint32_t>(SDL_JoystickGetAxis(j, 0) + 32768);
    *y = static_cast<uint32_t>(SDL_JoystickGetAxis(j, 1) + 32768);
    *buttons =
        (SDL_JoystickGetButton(j, 0) ? 0x1u : 0u) | (SDL_JoystickGetButton(j, 1) ? 0x2u : 0u);
    return true;
}
