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
void QueueEvent(HostEventKind kind, int key);
// Browsers start sound only after a key or a click on the page.
void ResumeSound();
// The game itself gave the pointer back: that is no Escape.
bool MouseReleasedByGame();
