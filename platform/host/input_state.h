// What every host keeps of the input between the game's looks at it, written once: the events
// waiting for the window procedure, the "pressed since the last look" latches of the keys and
// of the left button, the focus rule, and the pad's layout and range. Each host notes its own
// system's events here; its host.h calls read them.
#pragma once

#include <cstdint>

#include "platform/host/host.h"

// ---- Events -------------------------------------------------------------------------------
void QueueEvent(HostEventKind kind, int key);
bool EventWaiting();
bool TakeQueuedEvent(HostEvent* event);

// ---- Keys ---------------------------------------------------------------------------------
// A key went down (held keys repeat as presses, as the old key messages did): it is latched for
// the next look, and the key handler hears of it unless the system keeps it. True when an
// event was queued.
bool NoteKeyPress(int vk, bool alt, bool ctrl);
// Held keys, for hosts whose system does not keep them; a key going down is latched too.
void NoteKeyHeld(int vk, bool held);
void ForgetHeldKeys();
bool KeyHeld(int vk);
// Down now (`held`, as the host knows it) or pressed since the previous look at the same key.
bool LookAtKey(int vk, bool held);

// ---- The left button ----------------------------------------------------------------------
void NoteButton(bool down);
// Down now, or pressed since the previous look, so that a click that comes and goes between two
// ticks (a touchpad's tap) still swats once.
bool LookAtButton();

// ---- Focus --------------------------------------------------------------------------------
// A window manager, or Xvfb, may move the focus about while the window first appears; only a
// loss after the window once had the focus is the player switching away. True when an event
// was queued.
void NoteFocusGained();
bool NoteFocusLost();

// ---- Pads ---------------------------------------------------------------------------------
// The old joystick interface's range, 0..65535 on each axis, centred at rest.
constexpr uint32_t PadCentre = 32768;
constexpr HostJoystickCaps PadRange = {0, 65535, 0, 65535};
// A pad of today's layout as the old joystick: the left stick (in the old range), or the D-pad
// where it is pressed; button 1 the south button (A, cross), button 2 the east one (B, circle).
struct PadLayout {
    uint32_t x, y;
    bool up, down, left, right, south, east;
};
void ReadPadLayout(const PadLayout& pad, uint32_t* x, uint32_t* y, uint32_t* buttons);

// Everything forgotten, for a host started afresh (the headless one, test after test).
void ResetInput();
