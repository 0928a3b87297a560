// Events and keys of the SDL host: SDL's events become the game's window messages, and a key
// press also marks the key for player 2's "pressed since the last look".
#include <SDL.h>

#include <algorithm>
#include <climits>

#include "platform/host/host.h"
#include "platform/host/input_state.h"
#include "platform/host/sdl/desktop.h"
#include "platform/host/sdl/device.h"

namespace {

struct KeyCode {
    SDL_Keycode key;
    int vk;
};

constexpr KeyCode NamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_KP_0, VK_NUMPAD0},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
};

// The old virtual-key code of a key, 0 for a key the old keyboard did not name.
int VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    for (const KeyCode& k : NamedKeys)
        if (k.key == key) return k.vk;
    return 0;
}

void Translate(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        QueueEvent(HostWindowClosed, 0);
    } else if (e.type == SDL_KEYDOWN) {
        Uint16 mod = e.key.keysym.mod;
        NoteKeyPress(VirtualKey(e.key.keysym.sym), mod & KMOD_ALT, mod & KMOD_CTRL);
    } else if (e.type == SDL_WINDOWEVENT) {
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            NoteFocusGained();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            NoteFocusLost();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
            QueueEvent(HostWindowExposed, 0);
            break;
        }
    } else {
        SoundDeviceEvent(e);
    }
}

void TranslateAll() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) Translate(e);
}

} // namespace

bool HostTakeEvent(HostEvent* event) {
    TranslateAll();
    return TakeQueuedEvent(event);
}

// Events the game does not hear of (mouse motion) wake SDL but not the game: the wait goes
// on until a message for the game arrives or the time is up. SDL's wait counts whole
// milliseconds and wakes late; the next tick is timed from this one's grant, so every late
// wake would be kept. So the wait ends early and the last stretch sleeps to the very
// millisecond.
void HostWaitEvent(uint32_t until) {
    constexpr uint32_t Early = 2;
    TranslateAll();
    for (;;) {
        uint32_t now = GetTickCount();
        if (EventWaiting() || now >= until) return;
        if (until - now <= Early) {
            SleepUntil(until);
            TranslateAll();
            return;
        }
        SDL_Event e;
        uint32_t wait = std::min<uint32_t>(until - now - Early, INT_MAX);
        if (SDL_WaitEventTimeout(&e, static_cast<int>(wait))) Translate(e);
    }
}

// SDL's key state is only as fresh as the last look at the event queue; the main loop looks
// before every frame, so it is never older than the frame.
bool HostKeyDown(int vk) {
    if (vk <= 0 || vk > 255) return false;
    int count;
    const Uint8* state = SDL_GetKeyboardState(&count);
    bool held = false;
    for (int s = 0; s < count && !held; ++s)
        held = state[s] && VirtualKey(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(s))) == vk;
    return LookAtKey(vk, held);
}
