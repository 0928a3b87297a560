// What the parts of the web host tell each other.
#pragma once

#include "platform/host/host.h"

// The page's canvas (page.js finds it), as the HTML5 calls name it once the window is open.
constexpr const char* CanvasTarget = "!canvas";

// The page's clock (performance.now) when GetTickCount() reaches `ms`.
double PageTimeAt(uint32_t ms);
// Starts listening for the keys and the page's focus.
void ListenForEvents();
// A message for the game; wakes a waiting game.
void PostEvent(HostEventKind kind, int key);
// Browsers start sound only after a key or a click on the page (sound.js).
extern "C" void ResumeSound();
// Player 1's left button, from the mouse or a finger.
void PressLeftButton(bool down);
// Takes fingers on the picture as player 1's mouse.
void ListenForTouch();
// Adds the counts that carry the swatter under the finger, while one steers.
void AddFingerCounts(int* dx, int* dy);
// A game is being played: the screen stays on (display.js).
extern "C" void KeepAwake();
