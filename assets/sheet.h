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

// Single pictures the title and the icon reuse.
Canvas StarTile();
Canvas FlyPicture(int kind, int frame, int size);
Canvas SwatterPicture(int player, bool powered, bool swinging);
