// The web host's rig for the contract: the page's own events, dispatched as the browser would
// dispatch the player's, a gamepad standing in the browser's list of pads, and the recording the
// contract's page makes of everything the page plays (see contract.html).
#include <emscripten.h>

#include "platform/host/contract/rig.h"

// The page's side, in contract_rig.js.
extern "C" {
// A chord of X key names ("Alt_L+F1") pressed and let go, or one key held down or let go.
void DispatchKey(const char* chord, int hold, int down);
void MoveMouse(int dx, int dy);
void MouseButton(int down);
void AttachPad(int standard);
void UnplugPad();
void MovePad(uint32_t x, uint32_t y, uint32_t buttons);
void SendToWindow(const char* type);
// The page finds no sound from now on.
void FailAudio();
int AudioRunning();
void PageProblem(char* to, int size);
double PlayedByNow();
int HeardLength();
void CopyHeard(int16_t* to, int length);
int HeardRate();
}

// Each test has a page of its own, which starts it once it can hear itself.
bool RigStart(std::string* why) {
    char problem[256];
    PageProblem(problem, sizeof problem);
    *why = problem;
    return why->empty();
}

void RigKey(const char* chord) {
    DispatchKey(chord, 0, 0);
}

void RigHoldKey(const char* name, bool down) {
    DispatchKey(name, 1, down);
}

void RigMoveMouse(int dx, int dy) {
    MoveMouse(dx, dy);
}

void RigMouseButton(bool down) {
    MouseButton(down);
}

bool RigAttachJoystick() {
    AttachPad(0);
    return true;
}

void RigJoystick(uint32_t x, uint32_t y, uint32_t buttons) {
    MovePad(x, y, buttons);
}

void RigUnplugJoystick() {
    UnplugPad();
}

bool RigAttachLayoutPad() {
    AttachPad(1);
    return true;
}

// The standard mapping's buttons: 0 south, 1 east, 12 to 15 the D-pad's up, down, left, right.
void RigLayoutPad(uint32_t x, uint32_t y, int dx, int dy, bool south, bool east) {
    uint32_t held = (south ? 1u : 0u) | (east ? 2u : 0u) | (dy < 0 ? 1u << 12 : 0u) |
                    (dy > 0 ? 1u << 13 : 0u) | (dx < 0 ? 1u << 14 : 0u) | (dx > 0 ? 1u << 15 : 0u);
    MovePad(x, y, held);
}

bool RigTakeFocus() {
    SendToWindow("blur");
    return true;
}

bool RigCloseWindow() {
    SendToWindow("beforeunload");
    return true;
}

// A page has no say in where it stands in the processor's queue.
// A page can't count its thread's wake-ups.
long RigWakeUps() {
    return -1;
}

bool RigRealTimePriority() {
    return false;
}

void RigFailSoundDevice() {
    FailAudio();
}

bool RigAudioRunning(bool* running) {
    *running = AudioRunning();
    return true;
}

// Waits up to a second for the recording to catch up with the audio thread: a recording that
// still lags then is handed over as it is, short, for the test to find its end missing.
bool RigPlayed(std::vector<int16_t>* samples, int* rate) {
    double due = PlayedByNow();
    for (int waited = 0; HeardLength() < due && waited < 1000; waited += 5) emscripten_sleep(5);
    samples->resize(static_cast<size_t>(HeardLength()));
    CopyHeard(samples->data(), static_cast<int>(samples->size()));
    *rate = HeardRate();
    return true;
}
