// Start-up, the key handler, the 40 ms tick and the start of a game.
#pragma once

#include <cstdint>

#include "platform/dib.h"

extern Dib* SpriteSheet;
extern int Paused;
extern uint32_t NextTickTime;
extern uint32_t FrameCounter;
extern int QuitPosted;

// The whole program, start-up to exit; returns the process exit code.
int KestorMain();
int AppInit();
void MainWndProc(int message, int key);
int FrameTick();
int StartGame();
int RestorePalette();
void PostQuit();
// Takes back what the end of the process would: the objects start-up made and the game keeps
// to the end. For hosts that run the program more than once in one process.
void ReleaseStartUpObjects();

// Messages MainWndProc takes (the host's events, by their old names).
constexpr int WM_KEYDOWN = 0x100, WM_DESTROY = 0x2, WM_ACTIVATEAPP = 0x1C, WM_PAINT = 0xF;
