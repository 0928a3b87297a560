// Loaded with LD_PRELOAD by tools/soak-real only: the game is given a joystick that is not there.
// A virtual joystick is attached the first time the program counts its joysticks; every time the
// program reads it, its stick has wandered or jumped and its buttons have changed at random, and
// at one of its first hundred reads it is pulled out, for good: the game counts its joysticks
// only as it starts. The game itself knows nothing of this.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

SDL_Joystick* Stick; // our own handle on the virtual device, through which its state is set
int Index = -1;      // its device index while attached
std::minstd_rand Random;
int X, Y;
int Reads, Pulls; // told on standard error at exit, so the soak can say what the stick did
int PullAt;

struct Tell {
    ~Tell() { std::fprintf(stderr, "virtual joystick: %d reads, %d pulled out\n", Reads, Pulls); }
} AtExit;

template <typename F> F Real(F, const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void Attach() {
    if (Index >= 0 || !SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    if (const char* seed = std::getenv("KESTOR_SOAK_SEED"))
        Random.seed(std::strtoul(seed, nullptr, 10));
    Index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
    if (Index >= 0) Stick = SDL_JoystickOpen(Index);
    PullAt = 1 + static_cast<int>(Random() % 100);
}

void Detach() {
    ++Pulls;
    SDL_JoystickClose(Stick);
    Stick = nullptr;
    SDL_JoystickDetachVirtual(Index);
    Index = -1;
}

Sint16 Wander(int* axis) {
    int step = static_cast<int>(Random() % 4001) - 2000;
    *axis = Random() % 50 == 0 ? (Random() % 2 ? 32767 : -32768) : *axis + step;
    *axis = *axis < -32768 ? -32768 : *axis > 32767 ? 32767 : *axis;
    return static_cast<Sint16>(*axis);
}

void Move() {
    if (!Stick) return;
    ++Reads;
    if (Reads == PullAt) return Detach();
    SDL_JoystickSetVirtualAxis(Stick, 0, Wander(&X));
    SDL_JoystickSetVirtualAxis(Stick, 1, Wander(&Y));
    for (int b = 0; b < 2; ++b)
        if (Random() % 8 == 0) SDL_JoystickSetVirtualButton(Stick, b, Random() % 2);
}

} // namespace

extern "C" int SDL_NumJoysticks() {
    static auto real = Real(&SDL_NumJoysticks, "SDL_NumJoysticks");
    Attach();
    return real();
}

extern "C" void SDL_JoystickUpdate() {
    static auto real = Real(&SDL_JoystickUpdate, "SDL_JoystickUpdate");
    Move();
    real();
}
