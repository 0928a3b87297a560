// The enemy list, the kind and tuning tables, the spawn state and the list operations.
// Schedules and spawners: schedule.h. Behaviour: behaviour.h. Effects: effects.h.
#pragma once

#include <cstdint>

enum EnemyKind { Common, Tough, Brood, Carrier, Boss };
enum EnemyState { Flying, Flashing, Stunned, Falling, Eating };
enum MovePattern { Line, Wave, Swoop, Cross, BossPath };

struct Enemy {
    int kind;
    int x, y;
    int frame;
    int hitPoints;
    uint32_t frameTick;
    int state;
    int pattern;
    int speed;
    int leg;
    int anchorX, anchorY;
    int step1, step2;
    int drops;
    int angle;
    int blink;
    int circleX, circleY;
    int circleAngle;
    int circleReverse;
    uint32_t stateTick;
    Enemy* next;
};

struct EnemyKindInfo {
    int sheetX, sheetY;
    int frameCount;
    int framePeriodMs;
    int size;
    int score;
    int maxHitPoints;
    int hitRadius;
};

constexpr EnemyKindInfo EnemyKinds[5] = {
    // sheetX sheetY frames period size score hp radius
    {0, 160, 4, 150, 32, 100, 1, 8},   // Common
    {128, 160, 4, 100, 32, 200, 2, 8}, // Tough
    {384, 160, 4, 100, 16, 150, 1, 0}, // Brood
    {0, 192, 4, 100, 48, 250, 3, 12},  // Carrier
    {0, 304, 4, 200, 64, 1000, 6, 16}, // Boss
};

struct FallCell {
    int sheetX, sheetY, size;
};
// The picture of a falling enemy, per kind; a boss never falls.
constexpr FallCell FallSprite[4] = {{48, 240, 32}, {48, 240, 32}, {80, 240, 16}, {0, 240, 48}};

struct TuningRow {
    int maxEnemies;
    int speedHalf; // the mission's starting speedBase is twice this
    int patternCount;
    int toughEvery;
    int carrierEvery;
    int dropScheme;
};

constexpr TuningRow MissionTuning[10] = {
    // max speed/2 patterns tough carrier drops
    {3, 4, 1, 20, 25, 1},
    {4, 4, 2, 20, 25, 2},
    {4, 5, 3, 15, 20, 2},
    {5, 5, 3, 10, 20, 3},
    {5, 5, 3, 5, 15, 3},
    // the extra missions
    {6, 7, 3, 5, 15, 3},
    {7, 7, 3, 4, 15, 3},
    {7, 8, 3, 3, 10, 3},
    {7, 8, 3, 2, 10, 3},
    {7, 8, 3, 1, 10, 3},
};

extern Enemy* EnemyHead;
extern Enemy* EnemyTail;

// Spawn state of the mission in play.
extern int spawnSerial;
extern int killGauge;
extern int catchChain;
extern int bossPending;
extern int carrierArmed;
extern int speedBase;
extern int maxEnemies;
extern int scheduleCursor;
extern uint32_t rowDeadline;

Enemy* AppendEnemy(); // null when no record could be had
Enemy* RemoveEnemy(Enemy* enemy);
void ClearEnemies();
void ClearForGameOver();
void ClearForBossDefeat();
int EnemyCount();
// The mission reset's part: the spawn state for MissionIndex, the enemy list emptied.
void ResetSpawnState();
