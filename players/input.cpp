#include "players/input.h"

#include "platform/host/host.h"

int JoystickPresent = 0;
JoystickReadingT JoystickReading = {};

namespace {

bool MouseDevice = false;
HostJoystickCaps JoyCaps = {};

} // namespace

int DIInit() {
    // The host names the step of the old mouse set-up that failed.
    constexpr const char* messages[] = {"DirectInputCreate Failed", "CreateDevice Failed",
                                        "SetDataFormat Failed", "SetCooperativeLevel Failed",
                                        "Acquire Failed"};
    int step = HostOpenMouse();
    if (step >= 1 && step <= 5) return DIErrorBox(messages[step - 1]);
    if (step != 0) return DIErrorBox(messages[0]);
    MouseDevice = true;
    return 1;
}

int DIGetMousePos(int* dx, int* dy) {
    *dx = *dy = 0;
    // Once a failed read has let the device go, the mouse simply stands still.
    if (!MouseDevice) return 0;
    if (!HostReadMouse(dx, dy, nullptr)) {
        *dx = *dy = 0;
        return DIErrorBox(" DIGetMousePos() GetDeviceState Failed");
    }
    return 1;
}

int DIGetLButton() {
    if (!MouseDevice) return 0;
    int dx, dy;
    bool left;
    if (!HostReadMouse(&dx, &dy, &left)) return DIErrorBox("DIGetLButton() GetDeviceState Failed");
    return left ? 1 : 0;
}

int DIErrorBox(const char* message) {
    DIRelease();
    HostMessageBox("DirectInput Error", message);
    return 0;
}

void DIRelease() {
    if (!MouseDevice) return;
    HostCloseMouse();
    MouseDevice = false;
}

int JoyInit() {
    if (HostJoystickCount() == 0) return 0;
    // A stick whose ranges can't be read can't be scaled: player 2 keeps to the keys.
    if (!HostJoystickCapsOf(&JoyCaps)) return 0;
    return 1;
}

int JoyScale(int value, int minimum, int maximum, int range) {
    if (maximum == minimum) return 0;
    long long scaled = static_cast<long long>(range) * (static_cast<long long>(value) - minimum) /
                       (static_cast<long long>(maximum) - minimum);
    return static_cast<int>(scaled);
}

void JoyGetState(JoystickReadingT* reading) {
    uint32_t x, y, buttons;
    if (!HostJoystickRead(&x, &y, &buttons)) return;
    int sx = JoyScale(static_cast<int>(x), static_cast<int>(JoyCaps.xMin),
                      static_cast<int>(JoyCaps.xMax), 640);
    reading->dirX = sx < 280 ? 1 : sx > 360 ? 2 : 0;
    int sy = JoyScale(static_cast<int>(y), static_cast<int>(JoyCaps.yMin),
                      static_cast<int>(JoyCaps.yMax), 480);
    reading->dirY = sy < 200 ? 1 : sy > 280 ? 2 : 0;
    reading->button1 = (buttons & 0x1) ? 1 : 0;
    reading->button2 = (buttons & 0x2) ? 1 : 0;
}

bool KeyDown(int vk) {
    return HostKeyDown(vk);
}
