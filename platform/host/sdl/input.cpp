// Player 1's mouse and player 2's joystick on the SDL host.
#include <SDL.h>

#include "platform/host/host.h"
#include "platform/host/sdl/window.h"
#include "platform/host/sdl_handles.h"

namespace {

bool MouseHeld;
bool Pressed; // the left button, since the last look at it
// Player 2's pad: whichever is attached now. Pads SDL knows (its game controller database, and
// SDL_GAMECONTROLLERCONFIG from the environment) are read by their layout; others raw.
PadPtr Pad;
JoystickPtr Unknown;    // a pad SDL does not know, held as a plain joystick
SDL_Joystick* Joystick; // the pad's, or the unknown one

// The swatter moves one pixel per mouse count, as it did with the raw device: no pointer
// speed, no acceleration, no scaling to the enlarged picture, whatever the environment asks.
void AskForRawCounts() {
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SCALING, "0", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SPEED_SCALE, "1", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_RELATIVE_SYSTEM_SCALE, "0", SDL_HINT_OVERRIDE);
}

// The pad held while it stays plugged in, else the first one there is. SDL finds pads plugged
// in and pulled out as it updates them.
SDL_Joystick* AttachedPad() {
    SDL_JoystickUpdate();
    if (Joystick && SDL_JoystickGetAttached(Joystick)) return Joystick;
    Pad.reset();
    Unknown.reset();
    Joystick = nullptr;
    if (SDL_NumJoysticks() < 1) return nullptr;
    if (SDL_IsGameController(0)) Pad.reset(SDL_GameControllerOpen(0));
    if (!Pad) Unknown.reset(SDL_JoystickOpen(0));
    Joystick = Pad ? SDL_GameControllerGetJoystick(Pad.get()) : Unknown.get();
    return Joystick;
}

// The old interface's 0..65535 from SDL's -32768..32767.
uint32_t Unsigned(Sint16 axis) {
    return static_cast<uint32_t>(axis + 32768);
}

// The left stick, or the D-pad where it is pressed; button 1 the south button (A, cross),
// button 2 the east one (B, circle).
void ReadLayout(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    auto held = [](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(Pad.get(), b) != 0;
    };
    *x = Unsigned(SDL_GameControllerGetAxis(Pad.get(), SDL_CONTROLLER_AXIS_LEFTX));
    *y = Unsigned(SDL_GameControllerGetAxis(Pad.get(), SDL_CONTROLLER_AXIS_LEFTY));
    if (held(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) *x = 0;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) *x = 65535;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_UP)) *y = 0;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_DOWN)) *y = 65535;
    *buttons =
        (held(SDL_CONTROLLER_BUTTON_A) ? 0x1u : 0u) | (held(SDL_CONTROLLER_BUTTON_B) ? 0x2u : 0u);
}

// Events pass here as SDL pumps them, before the state is read: a click that went down and up
// between two looks (a touchpad's tap) is still noted.
int NotePress(void*, SDL_Event* e) {
    if (e->type == SDL_MOUSEBUTTONDOWN && e->button.button == SDL_BUTTON_LEFT) Pressed = true;
    return 0;
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
    SDL_AddEventWatch(NotePress, nullptr);
    Pressed = false;
    MouseHeld = true;
    return 0;
}

bool HostReadMouse(int* dx, int* dy, bool* leftDown) {
    *dx = *dy = 0;
    if (leftDown) *leftDown = false;
    if (!MouseHeld) return false;
    SDL_PumpEvents();
    Uint32 buttons = SDL_GetRelativeMouseState(dx, dy);
    if (leftDown) {
        *leftDown = (buttons & SDL_BUTTON_LMASK) != 0 || Pressed;
        Pressed = false;
    }
    return true;
}

void HostCloseMouse() {
    if (!MouseHeld) return;
    SDL_DelEventWatch(NotePress, nullptr);
    SDL_SetRelativeMouseMode(SDL_FALSE);
    MouseHeld = false;
}

// The desktop's mouse gives counts of its own: where the swatter stands is no concern of it.
void HostSwatterAt(int, int, int, int) {}

// No joystick, or no joystick support at all, only means player 2 uses the keyboard. The
// reads update the joystick themselves; left to SDL, an attached joystick would turn every
// wait for an event into polling once a millisecond.
int HostJoystickCount() {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return 0;
    }
    return SDL_NumJoysticks();
}

// SDL's axes run -32768..32767; the game scales from the old interface's 0..65535.
bool HostJoystickCapsOf(HostJoystickCaps* caps) {
    if (HostJoystickCount() < 1 || !AttachedPad()) return false;
    *caps = {0, 65535, 0, 65535};
    return true;
}

// A pad pulled out is a pad let go: centred, no buttons, until one is plugged in again.
bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return false;
    SDL_Joystick* j = AttachedPad();
    *x = *y = 32768;
    *buttons = 0;
    if (Pad) {
        ReadLayout(x, y, buttons);
    } else if (j) {
        *x = Unsigned(SDL_JoystickGetAxis(j, 0));
        *y = Unsigned(SDL_JoystickGetAxis(j, 1));
        *buttons =
            (SDL_JoystickGetButton(j, 0) ? 0x1u : 0u) | (SDL_JoystickGetButton(j, 1) ? 0x2u : 0u);
    }
    return true;
}
