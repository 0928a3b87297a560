#include "enemies/schedule.h"

#include <cstdlib>

#include "app/flow.h"
#include "app/frame.h"
#include "enemies/enemies.h"
#include "enemies/formations.h"
#include "enemies/movement.h"
#include "platform/sound.h"

MissionSchedule MissionSchedules[10];

namespace {

// The ten missions' schedules one after another, in stored delays (twice the ticks). Each
// mission ends with its final row, delay -1: random mode for the rest of the mission.
// {0, d} pause, {1, d} random mode, {n, 0} formation row n: a run of them comes in one tick.
// clang-format off
constexpr ScheduleRow StoredSchedule[] = {
    // Mission 0: 42 ordinary rows and the final row
    {1, 500}, {0, 100}, {2, 0}, {3, 0}, {0, 100}, {1, 100}, {0, 100}, {2, 0}, {3, 0}, {0, 30},
    {2, 0}, {3, 0}, {0, 100},
    {1, 100}, {0, 100}, {2, 0}, {3, 0}, {0, 30}, {2, 0}, {3, 0}, {0, 30}, {2, 0}, {3, 0}, {0, 100},
    {1, 300}, {0, 100}, {4, 0}, {0, 20}, {5, 0}, {0, 20}, {4, 0}, {0, 20}, {5, 0}, {0, 20}, {4, 0},
    {0, 20}, {5, 0}, {0, 20},
    {60, 0}, {0, 20}, {61, 0}, {0, 100}, {1, -1},
    // Mission 1: 29 ordinary rows and the final row
    {1, 500}, {0, 100}, {16, 0}, {17, 0}, {0, 100}, {1, 200}, {0, 100}, {12, 0}, {6, 0}, {0, 30},
    {11, 0}, {7, 0}, {0, 30}, {10, 0}, {8, 0}, {0, 30},
    {9, 0}, {0, 50}, {13, 0}, {0, 100}, {1, 200}, {0, 100}, {16, 0}, {17, 0}, {18, 0}, {19, 0},
    {20, 0}, {21, 0}, {0, 100}, {1, -1},
    // Mission 2: 61 ordinary rows and the final row
    {1, 300}, {0, 80}, {22, 0}, {23, 0}, {0, 30}, {22, 0}, {23, 0}, {0, 30}, {64, 0}, {65, 0},
    {0, 80},
    {1, 200}, {0, 80}, {18, 0}, {19, 0}, {20, 0}, {21, 0}, {0, 30}, {18, 0}, {19, 0}, {20, 0},
    {21, 0}, {0, 80},
    {1, 200}, {0, 80}, {4, 0}, {0, 20}, {5, 0}, {0, 20}, {4, 0}, {0, 20}, {5, 0}, {0, 20}, {4, 0},
    {0, 20}, {5, 0}, {0, 20}, {60, 0}, {0, 20}, {61, 0}, {0, 80},
    {24, 0}, {0, 20}, {25, 0}, {0, 20}, {24, 0}, {0, 20}, {25, 0}, {0, 20}, {24, 0}, {0, 20},
    {25, 0}, {0, 20}, {62, 0}, {0, 20}, {63, 0}, {0, 80},
    {14, 0}, {0, 20}, {15, 0}, {0, 100}, {1, -1},
    // Mission 3: 101 ordinary rows and the final row
    {0, 50}, {26, 0}, {27, 0}, {0, 15}, {28, 0}, {0, 50}, {29, 0}, {30, 0}, {0, 15}, {31, 0},
    {0, 80},
    {18, 0}, {19, 0}, {20, 0}, {21, 0}, {0, 30}, {18, 0}, {19, 0}, {20, 0}, {21, 0}, {0, 80},
    {26, 0}, {27, 0}, {0, 15}, {28, 0}, {0, 60}, {32, 0}, {33, 0}, {0, 6}, {34, 0}, {0, 60},
    {29, 0}, {30, 0}, {0, 15}, {31, 0}, {0, 60}, {35, 0}, {36, 0}, {0, 6}, {37, 0}, {0, 60},
    // twenty times
    {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15},
    {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15},
    {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15},
    {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15}, {38, 0}, {0, 15},
    // five times
    {39, 0}, {0, 15}, {40, 0}, {0, 15}, {39, 0}, {0, 15}, {40, 0}, {0, 15}, {39, 0}, {0, 15},
    {40, 0}, {0, 15}, {39, 0}, {0, 15}, {40, 0}, {0, 15}, {39, 0}, {0, 15}, {40, 0}, {0, 15},
    {1, -1},
    // Mission 4: 104 ordinary rows and the final row
    {0, 50}, {1, 200}, {45, 0}, {46, 0}, {0, 20}, {45, 0}, {46, 0}, {0, 100}, {47, 0}, {48, 0},
    {0, 40}, {47, 0}, {48, 0}, {0, 100},
    {49, 0}, {50, 0}, {0, 20}, {49, 0}, {50, 0}, {0, 100}, {51, 0}, {52, 0}, {0, 20}, {51, 0},
    {52, 0}, {0, 100}, {1, 100}, {0, 100},
    // five times
    {41, 0}, {0, 15}, {43, 0}, {0, 15}, {41, 0}, {0, 15}, {43, 0}, {0, 15}, {41, 0}, {0, 15},
    {43, 0}, {0, 15}, {41, 0}, {0, 15}, {43, 0}, {0, 15}, {41, 0}, {0, 15}, {43, 0}, {0, 15},
    {42, 0}, {0, 15}, {44, 0}, {0, 15}, {0, 100}, {1, 200}, {0, 100},
    // six lines of seven
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 12},
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 40},
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 12},
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 12},
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 40},
    {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 12},
    {0, 100}, {1, -1},
    // The extra missions: random mode from the first tick
    {1, -1}, {1, -1}, {1, -1}, {1, -1}, {1, -1},
};
// clang-format on

constexpr int FinalDelay = -1;
constexpr int MaxScheduleRows = 200;

struct DropPoints {
    int count;
    int x[4];
};
// Where a carrier drops its brood, by the mission's drop scheme.
constexpr DropPoints DropSchemes[4] = {
    {1, {320}}, {2, {213, 426}}, {3, {160, 320, 480}}, {4, {128, 256, 384, 512}}};

void StartRow(const MissionSchedule& schedule) {
    rowDeadline = FrameCounter + static_cast<uint32_t>(schedule.rows[scheduleCursor].delay);
}

bool IsSpawnRow(const ScheduleRow& row) {
    return row.entry >= 2 && row.delay == 0;
}

int RandomSpeed() {
    int speed = speedBase - rand() % 2;
    return speed < 8 ? 8 : speed;
}

// Down and right (21..45 degrees) or down and left (135..159).
int RandomSlant() {
    if (rand() % 2 == 0) return 45 - rand() % 25;
    return 135 + rand() % 25;
}

void SpawnFormation(int row) {
    const FormationEntry& f = Formations[row];
    Enemy* e = AppendEnemy();
    if (!e) return;
    const EnemyKindInfo& kind = EnemyKinds[f.kind];
    e->kind = f.kind;
    e->x = f.x == RandomColumn ? 80 + rand() % (480 - kind.size) : f.x;
    e->hitPoints = kind.maxHitPoints;
    e->pattern = f.pattern;
    e->speed = 2 * f.speedStep + 8;
    e->angle = f.angle;
    e->anchorX = e->x;
    spawnSerial += 1;
}

bool RunFormations(const MissionSchedule& schedule) {
    // The stored table follows every run with a waiting row; stopping at any other row, or at
    // the final row, keeps a careless schedule from spinning here.
    do {
        SpawnFormation(schedule.rows[scheduleCursor].entry);
        scheduleCursor += 1;
        StartRow(schedule);
    } while (scheduleCursor < schedule.count && IsSpawnRow(schedule.rows[scheduleCursor]));
    return true;
}

bool RunRandomMode(int aliveCount) {
    if (aliveCount >= RandomCeiling()) return false;
    if (rand() % 15 != 0) return false;
    Enemy* e = AppendEnemy();
    if (!e) return false;
    const TuningRow& tuning = MissionTuning[MissionIndex];
    e->pattern = rand() % tuning.patternCount;
    e->speed = RandomSpeed();
    e->angle = e->pattern == Wave ? rand() % 180 : RandomSlant();
    spawnSerial += 1;
    e->kind = spawnSerial % tuning.toughEvery == 0 ? Tough : Common;
    e->anchorX = 160 + rand() % 320;
    e->hitPoints = EnemyKinds[e->kind].maxHitPoints;
    e->x = e->anchorX;
    if (e->pattern == Wave) e->x += WaveOffset(e->angle);
    PlayCue(116);
    return true;
}

} // namespace

void ConvertSchedules() {
    const ScheduleRow* stored = StoredSchedule;
    for (MissionSchedule& schedule : MissionSchedules) {
        int count = 0;
        while (stored->delay != FinalDelay && count < MaxScheduleRows) {
            schedule.rows[count++] = {stored->entry, stored->delay / 2};
            ++stored;
        }
        schedule.rows[count] = {stored->entry, stored->delay / 2};
        schedule.count = count;
        ++stored;
    }
}

void StartBattleSchedule() {
    StartRow(MissionSchedules[MissionIndex]);
}

int RandomCeiling() {
    if (killGauge >= 25) return maxEnemies;
    // Single-precision constants, as the game always had them: 0.04f is a shade under 0.04,
    // so a product that should come out whole falls just short of it.
    constexpr double GaugeStep = 0.04f, Half = 0.5f;
    int ceiling = static_cast<int>((killGauge * GaugeStep) * (maxEnemies * Half)) + maxEnemies / 2;
    return ceiling < 1 ? 1 : ceiling;
}

bool RunScheduleSpawner(int aliveCount) {
    const MissionSchedule& schedule = MissionSchedules[MissionIndex];
    if (scheduleCursor < schedule.count && FrameCounter > rowDeadline) {
        scheduleCursor += 1;
        StartRow(schedule);
    }
    const ScheduleRow& row = schedule.rows[scheduleCursor];
    if (row.entry == 1) return RunRandomMode(aliveCount);
    if (IsSpawnRow(row) && scheduleCursor < schedule.count) return RunFormations(schedule);
    return false;
}

bool RunCarrierSpawner() {
    int every = MissionTuning[MissionIndex].carrierEvery;
    if (spawnSerial == 0 || spawnSerial % every != 0 || carrierArmed != 1) return false;
    Enemy* e = AppendEnemy();
    if (!e) return false;
    e->kind = Carrier;
    e->pattern = Cross;
    e->x = -EnemyKinds[Carrier].size;
    e->y = 100;
    e->hitPoints = EnemyKinds[Carrier].maxHitPoints;
    PlayCue(114);
    return true;
}

bool RunBossSpawner() {
    if (killGauge < 50 || bossPending != 1) return false;
    Enemy* e = AppendEnemy();
    if (!e) return false;
    e->kind = Boss;
    e->pattern = BossPath;
    e->hitPoints = EnemyKinds[Boss].maxHitPoints;
    e->speed = 12;
    switch (MissionIndex % 5) {
    case 0:
        e->x = e->anchorX = 320 - EnemyKinds[Boss].size / 2;
        e->angle = 20;
        break;
    case 1:
        e->x = 80;
        break;
    case 2:
        e->x = e->anchorX = 320 - EnemyKinds[Boss].size / 2;
        e->speed = 16;
        break;
    default: // the two circling paths start from the same circle
        e->circleX = 320;
        e->circleY = 120;
        e->circleAngle = 1710;
        break;
    }
    PlayCue(113);
    return true;
}

void BroodDrop(Enemy* carrier) {
    const DropPoints& points = DropSchemes[MissionTuning[MissionIndex].dropScheme];
    if (carrier->drops >= points.count || carrier->x < points.x[carrier->drops]) return;
    carrier->drops += 1;
    Enemy* e = AppendEnemy();
    if (!e) return;
    const int size = EnemyKinds[Carrier].size;
    e->kind = Brood;
    e->pattern = Line;
    e->speed = RandomSpeed();
    e->angle = RandomSlant();
    e->x = e->anchorX = carrier->x + size / 2;
    e->y = e->anchorY = carrier->y + size;
    e->hitPoints = EnemyKinds[Brood].maxHitPoints;
    PlayCue(117);
}
