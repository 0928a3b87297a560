// An enemy as a spawner leaves it, for the tests and benchmarks that set a scene by hand.
#pragma once

#include "enemies/enemies.h"

// Stands at its spawn point, which is its anchor, with its kind's hit points; the rest of it
// (its place in the list included) is left as it was.
inline Enemy* Spawn(Enemy* e, int kind, int pattern, int x, int y, int speed, int angle) {
    e->kind = kind;
    e->pattern = pattern;
    e->x = e->anchorX = x;
    e->y = e->anchorY = y;
    e->speed = speed;
    e->angle = angle;
    e->hitPoints = EnemyKinds[kind].maxHitPoints;
    return e;
}
