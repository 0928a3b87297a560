// The strike test of a swat against an enemy, and the dish test.
#pragma once

#include <cstdint>

struct Enemy;

enum StrikeResult { Miss, Hit, Kill, BossKilled, Caught };

struct StrikeBox {
    int x, y;
    int w, h;
    int i; // bottom inset: the handle
};

StrikeBox StrikeBoxOf(int player);
// `now` is the enemy update's clock, so that the flash and the stun are timed from the same
// reading the update later compares them with.
int StrikeTest(Enemy* enemy, const StrikeBox& box, uint32_t now);
bool DishTest(Enemy* enemy);
