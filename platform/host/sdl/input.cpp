// Player 1's mouse and player 2's joystick on the SDL host.
#include <SDL.h>

#include "platform/host/host.h"
#include "platform/host/input_state.h"
#include "platform/host/sdl/window.h"
#include "platform/host/sdl_handles.h"

namespace {

bool MouseHeld;
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

// The old interface's range from SDL's -32768..32767.
uint32_t Unsigned(Sint16 axis) {
    return static_cast<uint32_t>(axis + 32768);
}

void ReadLayout(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    auto held = [](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(Pad.get(), b) != 0;
    };
    ReadPadLayout({Unsigned(SDL_GameControllerGetAxis(Pad.get(), SDL_CONTROLLER_AXIS_LEFTX)),
                   Unsigned(SDL_GameControllerGetAxis(Pad.get(), SDL_CONTROLLER_AXIS_LEFTY)),
                   held(SDL_CONTROLLER_BUTTON_DPAD_UP), held(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                   held(SDL_CONTROLLER_BUTTON_DPAD_LEFT), held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                   held(SDL_CONTROLLER_BUTTON_A), held(SDL_CONTROLLER_BUTTON_B)},
                  x, y, buttons);
}

// Events pass here as SDL pumps them, before the state is read: a click that went down and up
// between two looks (a touchpad's tap) is still noted.
int NoteClick(void*, SDL_Event* e) {
    if ((e->type == SDL_MOUSEBUTTONDOWN || e->type == SDL_MOUSEBUTTONUP) &&
        e->button.button == SDL_BUTTON_LEFT)
        NoteButton(e->type == SDL_MOUSEBUTTONDOWN);
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
    NoteButton((SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0);
    LookAtButton();
    SDL_AddEventWatch(NoteClick, nullptr);
    MouseHeld = true;
    return 0;
}

bool HostReadMouse(int* dx, int* dy, bool* leftDown) {
    *dx = *dy = 0;
    if (leftDown) *leftDown = false;
    if (!MouseHeld) return false;
    SDL_PumpEvents();
    SDL_GetRelativeMouseState(dx, dy);
    if (leftDown) *leftDown = LookAtButton();
    return true;
}

void HostCloseMouse() {
    if (!MouseHeld) return;
    SDL_DelEventWatch(NoteClick, nullptr);
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

bool HostJoystickCapsOf(HostJoystickCaps* caps) {
    if (HostJoystickCount() < 1 || !AttachedPad()) return false;
    *caps = PadRange;
    return true;
}

// A pad pulled out is a pad let go: centred, no buttons, until one is plugged in again.
bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return false;
    SDL_Joystick* j = AttachedPad();
    *x = *y = PadCentre;
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
