// Player 1's mouse and player 2's gamepad on the web host. The mouse is the pointer locked to
// the canvas: its movementX/Y are the device's counts, one pixel of the swatter each.
#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

#include "platform/host/input_state.h"
#include "platform/host/web/web.h"

// The page's side, in input.js: the pointer locked to the canvas, if the browser lets it.
extern "C" void TakePointer();

namespace {

bool MouseHeld;
bool ReleasingPointer;
int MotionX, MotionY;

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* e, void*) {
    MotionX += static_cast<int>(e->movementX);
    MotionY += static_cast<int>(e->movementY);
    return false;
}

EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* e, void*) {
    ResumeSound();
    // The first click takes the pointer; browsers give it only inside a click.
    TakePointer();
    if (e->button == 0) PressLeftButton(true);
    return false;
}

EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent* e, void*) {
    if (e->button == 0) PressLeftButton(false);
    return false;
}

// Browsers keep Escape for letting the pointer go and may not pass the key on: a pointer the
// game did not give back is the player's Escape. Motion from before the game held the pointer
// (on its way to the first click) is not the player's.
EM_BOOL OnPointerLockChange(int, const EmscriptenPointerlockChangeEvent* e, void*) {
    if (e->isActive) MotionX = MotionY = 0;
    if (!e->isActive && !ReleasingPointer && MouseHeld) PostEvent(HostKeyPress, VK_ESCAPE);
    ReleasingPointer = false;
    return false;
}

} // namespace

void PressLeftButton(bool down) {
    NoteButton(down);
}

// The steps follow the old mouse set-up; the browser refuses nothing until the first click.
int HostOpenMouse() {
    const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    if (emscripten_set_mousemove_callback(document, nullptr, true, OnMouseMove) !=
        EMSCRIPTEN_RESULT_SUCCESS)
        return 1;
    if (emscripten_set_mousedown_callback(CanvasTarget, nullptr, true, OnMouseDown) !=
        EMSCRIPTEN_RESULT_SUCCESS)
        return 2;
    emscripten_set_mouseup_callback(document, nullptr, true, OnMouseUp);
    emscripten_set_pointerlockchange_callback(document, nullptr, true, OnPointerLockChange);
    ListenForTouch();
    MotionX = MotionY = 0;
    MouseHeld = true;
    return 0;
}

bool HostReadMouse(int* dx, int* dy, bool* leftDown) {
    *dx = *dy = 0;
    if (leftDown) *leftDown = false;
    if (!MouseHeld) return false;
    *dx = MotionX;
    *dy = MotionY;
    MotionX = MotionY = 0;
    AddFingerCounts(dx, dy);
    if (leftDown) *leftDown = LookAtButton();
    return true;
}

void HostCloseMouse() {
    if (!MouseHeld) return;
    MouseHeld = false;
    EmscriptenPointerlockChangeEvent lock;
    if (emscripten_get_pointerlock_status(&lock) == EMSCRIPTEN_RESULT_SUCCESS && lock.isActive) {
        ReleasingPointer = true;
        emscripten_exit_pointerlock();
    }
}

// A gamepad shows itself to the page only at its first button press, long after start-up: a
// browser with the Gamepad API has player 2's stick, read whenever one is there.
int HostJoystickCount() {
    return emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS ? 1 : 0;
}

bool HostJoystickCapsOf(HostJoystickCaps* caps) {
    if (HostJoystickCount() == 0) return false;
    *caps = PadRange;
    return true;
}

namespace {

// The Gamepad API's -1..1 as the old interface's 0..65535.
uint32_t Unsigned(double axis) {
    axis = axis < -1 ? -1 : axis > 1 ? 1 : axis;
    return static_cast<uint32_t>(std::lround((axis + 1) * 32767.5));
}

bool Held(const EmscriptenGamepadEvent& pad, int button) {
    return button < pad.numButtons && pad.digitalButton[button];
}

} // namespace

// The first pad: its first two axes and buttons, which on a pad of the "standard" mapping are
// the left stick and the south (A, cross) and east (B, circle) buttons; there its D-pad
// (buttons 12 to 15: up, down, left, right) steers as well. A pad pulled out is a pad let go:
// centred, no buttons, until one is plugged in again.
bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
    *x = *y = PadCentre;
    *buttons = 0;
    EmscriptenGamepadEvent pad;
    if (emscripten_get_num_gamepads() < 1 ||
        emscripten_get_gamepad_status(0, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected)
        return true;
    bool standard = std::strcmp(pad.mapping, "standard") == 0;
    auto dpad = [&](int button) { return standard && Held(pad, button); };
    ReadPadLayout({pad.numAxes >= 2 ? Unsigned(pad.axis[0]) : PadCentre,
                   pad.numAxes >= 2 ? Unsigned(pad.axis[1]) : PadCentre, dpad(12), dpad(13),
                   dpad(14), dpad(15), Held(pad, 0), Held(pad, 1)},
                  x, y, buttons);
    return true;
}
