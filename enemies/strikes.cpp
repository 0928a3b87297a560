#include "enemies/strikes.h"

#include "app/flow.h"
#include "app/missions.h"
#include "enemies/enemies.h"
#include "players/swatters.h"

StrikeBox StrikeBoxOf(int player) {
    const Swatter& s = Swatters[player];
    return {s.x, s.y, s.width, s.height, s.handle};
}

int StrikeTest(Enemy* enemy, const StrikeBox& box, uint32_t now) {
    const EnemyKindInfo& kind = EnemyKinds[enemy->kind];
    int cx = enemy->x + kind.size / 2, cy = enemy->y + kind.size / 2, r = kind.hitRadius;
    if (cx + r < box.x || box.x + box.w <= cx - r || cy + r < box.y ||
        box.y + (box.h - box.i) <= cy - r)
        return Miss;
    switch (enemy->state) {
    case Flying:
        enemy->hitPoints -= 1;
        if (enemy->hitPoints > 0) {
            enemy->state = Flashing;
            enemy->stateTick = now;
            return Hit;
        }
        // The boss stays as it is, struck down, for its debris and its final blast.
        if (enemy->kind == Boss) return BossKilled;
        enemy->state = Stunned;
        enemy->stateTick = now;
        return Kill;
    case Falling:
        return Caught;
    default:
        return Miss;
    }
}

bool DishTest(Enemy* enemy) {
    if (enemy->state != Flying && enemy->state != Flashing) return false;
    const MissionRow& dish = MissionInfo[MissionIndex];
    const int size = EnemyKinds[enemy->kind].size;
    int cx = enemy->x + size / 2, cy = enemy->y + size / 2;
    if (cx < 320 - dish.width / 2 + dish.insetLeft ||
        cx >= 320 + dish.width / 2 - dish.insetRight || cy < 480 - dish.height + dish.insetTop ||
        cy >= 480 - dish.insetBottom)
        return false;
    enemy->state = Eating;
    DamageCount += 1;
    if (DamageCount >= 6)
        DishState = 2;
    else if (DamageCount >= 3)
        DishState = 1;
    return true;
}
