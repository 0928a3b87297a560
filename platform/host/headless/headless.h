// The headless host's own controls: a virtual clock that moves only while the program waits,
// scripted input, recorded output and injected faults. Used by the tests and kestor-sim.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/host.h"

struct HeadlessVoiceEvent {
    uint32_t time;
    int voice;
    bool started; // false: stopped or released
};

struct HeadlessBox {
    std::string title, text;
    bool windowed; // the program's window stood behind it, so it showed as a box
};

struct HeadlessFaults {
    bool noDisplay = false;      // the display cannot be opened (step 1)
    int mouseOpenStep = 0;       // the mouse set-up fails at this step (1..5), 0 none
    bool mouseReadFails = false; // every mouse read fails
    bool noSound = false;        // no sound device
    std::vector<std::pair<std::string, int>> missingResources;
    uint32_t surfaceResult = 0; // what the next surface operations answer
    int surfaceResultCount = 0; // for how many operations
};

// Back to the state of a freshly started machine: clock 0, no input, nothing recorded.
void HeadlessReset();
HeadlessFaults& HeadlessFault();
// What the calendar clock reads: the random seed of the run.
void HeadlessSetCalendarSeconds(long long seconds);
// The screen's logical and physical dots per inch (both 96 unless set).
void HeadlessSetDotsPerInch(float logical, float physical);

// The clock. Advance moves it at once (a test stepping time by hand).
void HeadlessAdvance(uint32_t ms);
// Runs `action` when the clock reaches `at` (while the program waits), in the order given.
void HeadlessAt(uint32_t at, std::function<void()> action);
// True while actions are still scheduled.
bool HeadlessHasScheduled();

// Input.
void HeadlessPushEvent(HostEventKind kind, int key = 0);
// A key pressed at the keyboard, with Alt or Ctrl held: its key message, unless it is one of
// the system's keys (keys.h). Either way the key counts as pressed for HostKeyDown.
void HeadlessKeyStroke(int vk, bool alt = false, bool ctrl = false);
void HeadlessMouseMove(int dx, int dy);
void HeadlessMouseButton(bool down);
void HeadlessHoldKey(int vk, bool held);
// A joystick is attached with axes reporting 0..65535.
void HeadlessAttachJoystick(bool attached);
void HeadlessJoystick(uint32_t x, uint32_t y, uint32_t buttons);
void HeadlessJoystickFails(bool fails);

// Recorded output.
const std::vector<uint8_t>& HeadlessScreen(); // the last presented frame, 640x480 indices
const HostColor* HeadlessScreenPalette();     // its palette (256 entries)
int HeadlessPresentCount();
// Where the game last told the host player 1's swatter's mesh stands: x, y, width, height.
std::array<int, 4> HeadlessSwatterTold();
const std::vector<HeadlessVoiceEvent>& HeadlessVoiceLog();
const std::vector<HeadlessBox>& HeadlessBoxes();
// Voice handles started since the previous call (the trace's cues of one tick).
std::vector<int> HeadlessTakeStartedVoices();

// Observers of the game's ticks and key messages.
extern std::function<void()> HeadlessOnTick;
extern std::function<void(int)> HeadlessOnKey;
extern std::function<void(const HeadlessBox&)> HeadlessOnBox;
