// The scrolling star field and the dish.
#pragma once

extern int ScrollOffset;
extern int DishFlicker;

void DrawBackground();
void DrawDish(int top);
