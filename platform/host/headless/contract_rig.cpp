// The headless host's rig for the contract: its own injection calls, in process.
#include <cstring>
#include <string>

#include "platform/host/contract/rig.h"
#include "platform/host/headless/headless.h"

namespace {

// Letters and digits are their own codes.
int VirtualKey(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return name[0] - 'a' + 'A';
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
    for (const RigKeyName& k : RigKeys)
        if (name == k.name) return k.vk;
    return 0;
}

} // namespace

bool RigStart(std::string*) {
    HeadlessReset();
    return true;
}

void RigKey(const char* chord) {
    bool alt = false, ctrl = false;
    std::string rest = chord;
    for (;;) {
        size_t plus = rest.find('+');
        std::string name = rest.substr(0, plus);
        int vk = VirtualKey(name);
        HeadlessKeyStroke(vk, alt, ctrl);
        alt = alt || vk == VK_MENU;
        ctrl = ctrl || vk == VK_CONTROL;
        if (plus == std::string::npos) return;
        rest = rest.substr(plus + 1);
    }
}

void RigHoldKey(const char* name, bool down) {
    HeadlessHoldKey(VirtualKey(name), down);
}

void RigMoveMouse(int dx, int dy) {
    HeadlessMouseMove(dx, dy);
}
void RigMouseButton(bool down) {
    HeadlessMouseButton(down);
}

bool RigAttachJoystick() {
    HeadlessAttachJoystick(true);
    return true;
}
void RigJoystick(uint32_t x, uint32_t y, uint32_t buttons) {
    HeadlessJoystick(x, y, buttons);
}
void RigUnplugJoystick() {
    HeadlessAttachJoystick(false);
}
bool RigAttachLayoutPad() {
    return false;
}
void RigLayoutPad(uint32_t, uint32_t, int, int, bool, bool) {}

// The headless machine has no window system and no audio system: its window's events are
// whatever a test pushes, and nothing of its sound runs beside the program.
bool RigTakeFocus() {
    return false;
}
bool RigCloseWindow() {
    return false;
}

// The headless clock moves only as far as each wait asks: every wait ends on time.
// The headless host never sleeps: its clock moves only when the program waits.
long RigWakeUps() {
    return -1;
}

bool RigRealTimePriority() {
    return true;
}

void RigFailSoundDevice() {
    HeadlessFault().noSound = true;
}
bool RigAudioRunning(bool*) {
    return false;
}
bool RigPlayed(std::vector<int16_t>*, int*) {
    return false;
}
