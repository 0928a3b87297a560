// The SDL host's rig for the contract, under an X server: keys and the mouse come through the
// server (XTest), as a player's would; a second X window takes the focus; the close button is
// the window manager's WM_DELETE_WINDOW; the joystick is SDL's virtual one; and the sound
// device is SDL's disk driver, whose file is the very mix the device played.
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/host/contract/rig.h"
#include "platform/host/host.h"
#include "platform/host/sdl/window.h"

namespace {

Display* X;
SDL_Joystick* Stick;
std::string MixFile;

void Flush() {
    XSync(X, False);
}

// The first two axes, from the old interface's range.
void MoveStick(uint32_t x, uint32_t y) {
    SDL_JoystickSetVirtualAxis(Stick, 0, static_cast<Sint16>(static_cast<int>(x) - 32768));
    SDL_JoystickSetVirtualAxis(Stick, 1, static_cast<Sint16>(static_cast<int>(y) - 32768));
}

KeyCode CodeOf(const std::string& name) {
    KeySym sym = XStringToKeysym(name.c_str());
    return sym == NoSymbol ? 0 : XKeysymToKeycode(X, sym);
}

// The program's window as the X server knows it.
::Window GameXWindow() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!GameWindow() || !SDL_GetWindowWMInfo(GameWindow(), &info)) return 0;
    return info.info.x11.window;
}

} // namespace

bool RigStart(std::string* why) {
    X = XOpenDisplay(nullptr);
    if (!X) return *why = "no X display to run the program on", false;
    int event, error, major, minor;
    if (!XTestQueryExtension(X, &event, &error, &major, &minor))
        return *why = "the X server has no XTest to press keys with", false;
    // Each test has a device file of its own, so the mix it reads is its own.
    MixFile = "/tmp/kestor-contract-" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", MixFile.c_str(), 1);
    std::atexit([] { std::remove(MixFile.c_str()); });
    return true;
}

void RigKey(const char* chord) {
    std::vector<KeyCode> held;
    std::string rest = chord;
    for (;;) {
        size_t plus = rest.find('+');
        KeyCode code = CodeOf(rest.substr(0, plus));
        XTestFakeKeyEvent(X, code, True, CurrentTime);
        held.push_back(code);
        if (plus == std::string::npos) break;
        rest = rest.substr(plus + 1);
    }
    for (auto k = held.rbegin(); k != held.rend(); ++k)
        XTestFakeKeyEvent(X, *k, False, CurrentTime);
    Flush();
}

void RigHoldKey(const char* name, bool down) {
    XTestFakeKeyEvent(X, CodeOf(name), down, CurrentTime);
    Flush();
}

// A mouse reports at most once a millisecond; SDL takes two equal motions stamped with the
// same millisecond for one event seen twice.
void RigMoveMouse(int dx, int dy) {
    XTestFakeRelativeMotionEvent(X, dx, dy, CurrentTime);
    Flush();
    usleep(2000);
}

void RigMouseButton(bool down) {
    XTestFakeButtonEvent(X, 1, down, CurrentTime);
    Flush();
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

bool RigTakeFocus() {
    ::Window other = XCreateSimpleWindow(X, DefaultRootWindow(X), 0, 0, 64, 64, 0, 0, 0);
    XSelectInput(X, other, StructureNotifyMask);
    XMapRaised(X, other);
    XEvent e;
    do XNextEvent(X, &e);
    while (e.type != MapNotify);
    XSetInputFocus(X, other, RevertToParent, CurrentTime);
    Flush();
    return true;
}

bool RigCloseWindow() {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = GameXWindow();
    e.xclient.message_type = XInternAtom(X, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(X, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(X, e.xclient.window, False, NoEventMask, &e);
    Flush();
    return true;
}

bool RigRealTimePriority() {
    sched_param first{};
    first.sched_priority = 1;
    return sched_setscheduler(0, SCHED_FIFO, &first) == 0;
}

// The disk driver can't open a file in a folder that isn't there.
void RigFailSoundDevice() {
    setenv("SDL_DISKAUDIOFILE", "/nonexistent/kestor/mix.raw", 1);
}

// SDL's audio threads are named "SDLAudio..."; the subsystem itself may hold more.
bool RigAudioRunning(bool* running) {
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) return false;
    *running = SDL_WasInit(SDL_INIT_AUDIO) != 0;
    while (dirent* t = readdir(tasks)) {
        std::ifstream comm(std::string("/proc/self/task/") + t->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name) && name.starts_with("SDLAudio")) *running = true;
    }
    closedir(tasks);
    return true;
}

bool RigPlayed(std::vector<int16_t>* samples, int* rate) {
    int channels = 0;
    Uint16 format = 0;
    samples->clear();
    if (!Mix_QuerySpec(rate, &format, &channels) || format != AUDIO_S16SYS) return false;
    std::ifstream file(MixFile, std::ios::binary);
    int16_t frame[8];
    auto bytes = static_cast<std::streamsize>(sizeof(int16_t)) * channels;
    while (channels <= 8 && file.read(reinterpret_cast<char*>(frame), bytes))
        samples->push_back(frame[0]);
    return true;
}
