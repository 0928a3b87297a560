// The two fly swatters: movement, the swing cycle and the power-up.
#pragma once

#include <cstdint>

#include "platform/display.h"

enum SwingState { Ready, Swinging, Recovering };

struct Swatter {
    int x, y;
    int swingState;
    Rect picture; // the ready picture in sheet coordinates; the swinging one lies right of it
    int width, height;
    int handle; // rows at the bottom of the picture that show the handle
    uint32_t powerStart;
    uint32_t swingStart;
};

extern Swatter Swatters[2]; // player 1, player 2
extern int SwatActive[2];
extern int TriggerArmed[2];

// Picture templates, [player]: normal 64x48 and powered 96x72.
constexpr Rect NormalPicture[2] = {{0, 368, 64, 416}, {128, 368, 192, 416}};
constexpr Rect PoweredPicture[2] = {{256, 368, 352, 440}, {448, 368, 544, 440}};

void UpdatePlayer1();
void UpdatePlayer2();
void DrawPlayers();
void PowerUp(int player);
// The swatter at its normal size and picture, ready, at (x, y).
void PlaceSwatter(int player, int x, int y);
