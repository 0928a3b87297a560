#include "enemies/behaviour.h"

#include <cstdlib>

#include "app/flow.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "enemies/movement.h"
#include "enemies/schedule.h"
#include "enemies/strikes.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "players/objects.h"
#include "players/swatters.h"

namespace {

// What a swat leaves the walk to do with the enemy.
constexpr int GoOn = 0, Removed = 1, EndsBattle = 2;

// One player's swat against one enemy; a caught enemy is removed and `e` moves on to the
// enemy that followed it.
int Strike(int player, Enemy*& e, int kills[2], uint32_t now) {
    switch (StrikeTest(e, StrikeBoxOf(player), now)) {
    case Hit:
        PlayerScore[player] += 30;
        if (player == 0) PlayCue(133); // player 2's plain hits were always silent
        return GoOn;
    case Kill:
        KillAward(player, e, now);
        kills[player] += 1;
        killGauge += 1;
        return GoOn;
    case BossKilled:
        return EndsBattle;
    case Caught:
        CatchAward(player, e, now);
        e = RemoveEnemy(e);
        PlayCue(126);
        return Removed;
    default:
        return GoOn;
    }
}

// A stunned enemy, once its half second is up, falls; one in twenty becomes an item instead.
// Returns 1 when it has become an item and been removed.
int WakeStunned(Enemy*& e, uint32_t now) {
    if (now - e->stateTick <= 500) return 0;
    if (rand() % 20 != 0) {
        e->state = Falling;
        PlayCue(115);
        return 0;
    }
    AddObjectAt(rand() % 3, e->x, e->y, now);
    e = RemoveEnemy(e);
    return 1;
}

} // namespace

void UpdateEnemies() {
    const uint32_t now = GetTickCount();
    int kills[2] = {0, 0};
    int alive[5] = {0, 0, 0, 0, 0};
    for (Enemy* e = EnemyHead; e;) {
        int struck = SwatActive[0] ? Strike(0, e, kills, now) : GoOn;
        if (struck == GoOn && TwoPlayer && SwatActive[1]) struck = Strike(1, e, kills, now);
        if (struck == Removed) continue;
        if (struck == EndsBattle) {
            RaiseBossDefeated(now);
            return;
        }
        if (MoveEnemy(e)) {
            if (e->kind == Boss)
                bossPending = 1;
            else if (e->state == Falling)
                catchChain = 0;
            e = RemoveEnemy(e);
            continue;
        }
        if (DishTest(e)) {
            if (DishState == 2) {
                RaiseDishDestroyed(now);
                return;
            }
            if (e->kind == Boss) {
                speedBase += 1;
                maxEnemies += 1;
                bossPending = 1;
                killGauge = 30;
            }
            PlayCue(120);
        }
        if (e->kind == Carrier) BroodDrop(e);
        if (e->state == Flying || e->state == Flashing) {
            alive[e->kind] += 1;
            if (e->state == Flashing && now - e->stateTick > 100) e->state = Flying;
        } else if (e->state == Stunned && WakeStunned(e, now)) {
            continue;
        }
        e = e->next;
    }
    if (kills[0] > 1) MultiKillBonus(0, kills[0], now);
    if (TwoPlayer && kills[1] > 1) MultiKillBonus(1, kills[1], now);
    if (RunScheduleSpawner(alive[Common] + alive[Tough])) carrierArmed = 1;
    if (RunCarrierSpawner()) carrierArmed = 0;
    if (RunBossSpawner()) bossPending = 0;
    if (bossPending == 0) PlayCue(113);
}

void DrawEnemies() {
    const uint32_t now = GetTickCount();
    for (Enemy* e = EnemyHead; e; e = e->next) {
        if (e->state == Falling) {
            const FallCell& fall = FallSprite[e->kind];
            DrawSprite(e->x, e->y, fall.sheetX, fall.sheetY, fall.sheetX + fall.size,
                       fall.sheetY + fall.size);
            continue;
        }
        const EnemyKindInfo& kind = EnemyKinds[e->kind];
        if (now - e->frameTick > static_cast<uint32_t>(kind.framePeriodMs) &&
            kind.frameCount != 0 && e->state != Stunned) {
            e->frameTick = now;
            e->frame = (e->frame + 1) % kind.frameCount;
        }
        int cell = e->frame;
        if (e->state == Flashing) {
            // Every other drawing shows the damaged cells: the flash of a hit.
            if (e->blink == 1) cell += kind.frameCount;
            e->blink = e->blink == 1 ? 0 : 1;
        } else if (e->hitPoints == 1 && kind.maxHitPoints > 1) {
            cell += kind.frameCount;
        }
        int left = kind.sheetX + cell * kind.size;
        DrawSprite(e->x, e->y, left, kind.sheetY, left + kind.size, kind.sheetY + kind.size);
    }
}
