// The SDL host's rig for the contract on Linux, under an X server: keys and the mouse come
// through the server (XTest), as a player's would; a second X window takes the focus; the close
// button is the window manager's WM_DELETE_WINDOW. The joystick and the sound device are SDL's
// own (sdl/contract/rig.cpp).
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <sched.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/host/contract/rig.h"
#include "platform/host/host.h"
#include "platform/host/sdl/contract/rig.h"
#include "platform/host/sdl/window.h"

namespace {

Display* X;

void Flush() {
    XSync(X, False);
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

void SetEnvironment(const char* name, const char* value) {
    setenv(name, value, 1);
}

bool RigStart(std::string* why) {
    X = XOpenDisplay(nullptr);
    if (!X) return *why = "no X display to run the program on", false;
    int event, error, major, minor;
    if (!XTestQueryExtension(X, &event, &error, &major, &minor))
        return *why = "the X server has no XTest to press keys with", false;
    // Each test has a device file of its own, so the mix it reads is its own.
    ListenThroughDiskDriver("/tmp/kestor-contract-" + std::to_string(getpid()) + ".raw");
    return true;
}

void RigKey(const char* chord) {
    std::vector<KeyCode> held;
    for (const std::string& name : ChordKeys(chord)) {
        held.push_back(CodeOf(name));
        XTestFakeKeyEvent(X, held.back(), True, CurrentTime);
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

// The kernel counts a thread's voluntary context switches: each is a wake-up from a sleep.
long RigWakeUps() {
    std::ifstream status("/proc/thread-self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("voluntary_ctxt_switches:")) return std::stol(line.substr(24));
    return -1;
}

bool RigRealTimePriority() {
    sched_param first{};
    first.sched_priority = 1;
    return sched_setscheduler(0, SCHED_FIFO, &first) == 0;
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
