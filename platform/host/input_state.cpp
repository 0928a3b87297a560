#include "platform/host/input_state.h"

#include <array>
#include <deque>

namespace {

std::deque<HostEvent> Waiting;
std::array<bool, 256> Held;
std::array<bool, 256> PressedSinceLook;
bool ButtonDown;
bool ButtonPressed; // since the last look
bool HadFocus;

bool Valid(int vk) {
    return vk > 0 && vk <= 255;
}

} // namespace

void QueueEvent(HostEventKind kind, int key) {
    Waiting.push_back({kind, key});
}

bool EventWaiting() {
    return !Waiting.empty();
}

bool TakeQueuedEvent(HostEvent* event) {
    if (Waiting.empty()) return false;
    *event = Waiting.front();
    Waiting.pop_front();
    return true;
}

// Every key is a press, one the old keyboard did not name too (code 0: it ends a pause).
bool NoteKeyPress(int vk, bool alt, bool ctrl) {
    if (Valid(vk)) PressedSinceLook[static_cast<size_t>(vk)] = true;
    if (SystemKey(vk, alt, ctrl)) return false;
    QueueEvent(HostKeyPress, vk);
    return true;
}

void NoteKeyHeld(int vk, bool held) {
    if (!Valid(vk)) return;
    Held[static_cast<size_t>(vk)] = held;
    if (held) PressedSinceLook[static_cast<size_t>(vk)] = true;
}

void ForgetHeldKeys() {
    Held.fill(false);
}

bool KeyHeld(int vk) {
    return Valid(vk) && Held[static_cast<size_t>(vk)];
}

bool LookAtKey(int vk, bool held) {
    if (!Valid(vk)) return false;
    bool pressed = PressedSinceLook[static_cast<size_t>(vk)];
    PressedSinceLook[static_cast<size_t>(vk)] = false;
    return held || pressed;
}

void NoteButton(bool down) {
    if (down && !ButtonDown) ButtonPressed = true;
    ButtonDown = down;
}

bool LookAtButton() {
    bool down = ButtonDown || ButtonPressed;
    ButtonPressed = false;
    return down;
}

void NoteFocusGained() {
    HadFocus = true;
}

bool NoteFocusLost() {
    if (!HadFocus) return false;
    QueueEvent(HostFocusLost, 0);
    return true;
}

void ReadPadLayout(const PadLayout& pad, uint32_t* x, uint32_t* y, uint32_t* buttons) {
    *x = pad.right ? PadRange.xMax : pad.left ? PadRange.xMin : pad.x;
    *y = pad.down ? PadRange.yMax : pad.up ? PadRange.yMin : pad.y;
    *buttons = (pad.south ? 0x1u : 0u) | (pad.east ? 0x2u : 0u);
}

void ResetInput() {
    Waiting.clear();
    Held.fill(false);
    PressedSinceLook.fill(false);
    ButtonDown = ButtonPressed = HadFocus = false;
}
