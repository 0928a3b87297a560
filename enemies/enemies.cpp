#include "enemies/enemies.h"

Enemy* EnemyHead = nullptr;
Enemy* EnemyTail = nullptr;
int spawnSerial, killGauge, catchChain, bossPending, carrierArmed, speedBase, maxEnemies,
    scheduleCursor;
uint32_t rowDeadline;

Enemy* AppendEnemy() { return nullptr; }
Enemy* RemoveEnemy(Enemy*) { return nullptr; }
void ClearEnemies() {}
void ClearForGameOver() {}
void ClearForBossDefeat() {}
int EnemyCount() { return 0; }
void ResetSpawnState() {}
