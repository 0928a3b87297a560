#include "enemies/enemies.h"

#include "app/flow.h"
#include "app/lists.h"
#include "enemies/effects.h"
#include "platform/sound.h"
#include "players/objects.h"

Enemy* EnemyHead = nullptr;
Enemy* EnemyTail = nullptr;

int spawnSerial, killGauge, catchChain, bossPending, carrierArmed, speedBase, maxEnemies,
    scheduleCursor;
uint32_t rowDeadline;

Enemy* AppendEnemy() {
    return AppendNode(EnemyHead, EnemyTail);
}

Enemy* RemoveEnemy(Enemy* enemy) {
    return RemoveNode(EnemyHead, EnemyTail, enemy);
}

void ClearEnemies() {
    ClearNodes(EnemyHead, EnemyTail);
}

void ClearForGameOver() {
    // The flies that ate the dish stay on it for the game-over picture.
    for (Enemy* e = EnemyHead; e;) e = e->state == Eating ? e->next : RemoveEnemy(e);
    ClearObjects();
    ClearPopups();
    PlayCue(124);
}

void ClearForBossDefeat() {
    // Only the struck boss stays, at the head, for the debris and the final blast.
    for (Enemy* e = EnemyHead; e;)
        e = e->kind == Boss && e->state != Eating ? e->next : RemoveEnemy(e);
    ClearObjects();
    ClearPopups();
}

int EnemyCount() {
    int count = 0;
    for (const Enemy* e = EnemyHead; e; e = e->next) ++count;
    return count;
}

void ResetSpawnState() {
    ClearEnemies();
    const TuningRow& tuning = MissionTuning[MissionIndex];
    spawnSerial = 0;
    killGauge = 0;
    catchChain = 0;
    bossPending = 1;
    carrierArmed = 1;
    scheduleCursor = 0;
    maxEnemies = tuning.maxEnemies;
    speedBase = 2 * tuning.speedHalf;
}
