#include "enemies/enemies.h"

#include <new>

#include "app/flow.h"
#include "enemies/effects.h"
#include "platform/sound.h"
#include "players/objects.h"

Enemy* EnemyHead = nullptr;
Enemy* EnemyTail = nullptr;

int spawnSerial, killGauge, catchChain, bossPending, carrierArmed, speedBase, maxEnemies,
    scheduleCursor;
uint32_t rowDeadline;

Enemy* AppendEnemy() {
    Enemy* enemy = new (std::nothrow) Enemy{};
    if (!enemy) return nullptr;
    if (EnemyTail)
        EnemyTail->next = enemy;
    else
        EnemyHead = enemy;
    EnemyTail = enemy;
    return enemy;
}

Enemy* RemoveEnemy(Enemy* enemy) {
    Enemy* following = enemy->next;
    if (enemy == EnemyHead) {
        EnemyHead = following;
        if (!following) EnemyTail = nullptr;
    } else {
        Enemy* before = EnemyHead;
        while (before->next != enemy) before = before->next;
        before->next = following;
        if (enemy == EnemyTail) EnemyTail = before;
    }
    delete enemy;
    return following;
}

void ClearEnemies() {
    while (EnemyHead) RemoveEnemy(EnemyHead);
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
