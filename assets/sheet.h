// The sprite sheet, drawn at its native 320x960; the game shows it doubled. Each topic's
// pictures go where the game's tables look for them (their coordinates are doubled ones).
#pragma once

#include "assets/canvas.h"

constexpr int SheetWidth = 320, SheetHeight = 960;

Canvas DrawSheet();
// `picture` at the doubled sheet position (x, y).
void PlaceAt(Canvas& sheet, const Canvas& picture, int x, int y);

void DrawStarField(Canvas& sheet);
void DrawFlies(Canvas& sheet);
void DrawSwatters(Canvas& sheet);
void DrawBursts(Canvas& sheet);
void DrawItems(Canvas& sheet);
void DrawDishes(Canvas& sheet);
void DrawScoreArt(Canvas& sheet);

// A white glint with golden rays `arm` pixels long.
void Sparkle(Canvas& c, int x, int y, int arm);

// Single pictures the title, the icon and the review sheets reuse.
Canvas StarTile();
// A fly of `kind` in wing-beat `frame`, drawn `scale` times its size in the sheet.
Canvas FlyPicture(int kind, int frame, bool damaged, int scale);
Canvas FallingPicture(int kind);
Canvas SwatterPicture(int player, bool powered, bool swinging);
// A small golden swatter `size` pixels square, tipped over: the power-up.
Canvas PowerUpSwatter(int size);
// The dish of a mission in a dish state: 0 intact, 1 damaged, 2 eaten.
Canvas DishPicture(int mission, int state);
