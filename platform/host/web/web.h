// What the parts of the web host tell each other.
#pragma once

#include "platform/host/host.h"

// The page's canvas, as the HTML5 calls name it.
constexpr const char* CanvasTarget = "#screen";

// Starts listening for the keys and the page's focus.
void ListenForEvents();
// A message for the game; wakes a waiting game.
void QueueEvent(HostEventKind kind, int key);
// Browsers start sound only after a key or a click on the page.
void ResumeSound();
// A press is let go after the tick that follows it.
void MouseTickDone();
// The game itself gave the pointer back: that is no Escape.
bool MouseReleasedByGame();
