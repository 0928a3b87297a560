// The strike test of a swat against an enemy, and the dish test.
#pragma once

struct Enemy;

enum StrikeResult { Miss, Hit, Kill, BossKilled, Caught };

struct StrikeBox {
    int x, y;
    int w, h;
    int i; // bottom inset: the handle
};

StrikeBox StrikeBoxOf(int player);
int StrikeTest(Enemy* enemy, const StrikeBox& box);
bool DishTest(Enemy* enemy);
