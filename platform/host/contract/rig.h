// What the host contract's tests need from a host beyond host.h: hands at the machine (keys,
// mouse, joystick, the window system) and ears at its sound device. Each host has one rig;
// a rig that can't do something says so, and the test that needs it is skipped with why.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/keys.h"

// Before each test: the machine ready for the program (a screen, a sound device to listen
// to). False, with the reason in `why`, when it can't be had.
bool RigStart(std::string* why);

// Keys by their X keysym names ("F1", "Return", "Alt_L", "a"); a chord joins names with "+"
// and holds the earlier keys down around the last ("Alt_L+F1").
void RigKey(const char* chord);
void RigHoldKey(const char* name, bool down);
// The named keys the rigs press, and the old code each arrives as; letters and digits are
// their own names ("a" arrives as 'A').
struct RigKeyName {
    const char* name;
    int vk;
};
constexpr RigKeyName RigKeys[] = {
    {"Return", VK_RETURN}, {"KP_Enter", VK_RETURN}, {"Pause", VK_PAUSE},
    {"Escape", VK_ESCAPE}, {"F1", VK_F1},           {"F2", VK_F2},
    {"F3", VK_F3},         {"F10", VK_F10},         {"F12", VK_F12},
    {"Left", VK_LEFT},     {"Up", VK_UP},           {"Right", VK_RIGHT},
    {"Down", VK_DOWN},     {"Shift_L", VK_SHIFT},   {"Control_L", VK_CONTROL},
    {"Alt_L", VK_MENU},    {"space", VK_SPACE},
};

// The mouse, in device counts, and its left button.
void RigMoveMouse(int dx, int dy);
void RigMouseButton(bool down);

// A joystick of two axes and two buttons is plugged in; positions in the old interface's
// range, 0 to 65535 on each axis, buttons as bits (1 button 1, 2 button 2). False when the
// host can't have one.
bool RigAttachJoystick();
void RigJoystick(uint32_t x, uint32_t y, uint32_t buttons);
// The joystick pulled out.
void RigUnplugJoystick();
// A pad of the layout every modern pad has is plugged in instead: a left stick (positions as
// above), a D-pad (dx, dy each -1, 0 or 1), a south button (A, cross) and an east one (B,
// circle). False when the host knows no pad layouts.
bool RigAttachLayoutPad();
void RigLayoutPad(uint32_t x, uint32_t y, int dx, int dy, bool south, bool east);

// The window system: another window takes the focus; the window's close button. False when
// the host has no window system to act through.
bool RigTakeFocus();
bool RigCloseWindow();

// How often the test's own thread has been woken from its sleeps so far; -1 where the machine
// keeps no such count.
long RigWakeUps();

// The test's own thread given real-time priority, where the machine allows it: true when the
// program's waits can be held to the millisecond on this machine.
bool RigRealTimePriority();

// The sound device: the next HostOpenSound fails; whether any part of the audio system
// (threads included) is still running. False when the host has no audio system to look at.
void RigFailSoundDevice();
bool RigAudioRunning(bool* running);
// Everything the device has played since it opened, as mono 16-bit samples at `rate`.
// False when the host has no mix to listen to.
bool RigPlayed(std::vector<int16_t>* samples, int* rate);
