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

// Rn random mode and Pn a pause for a stored delay of n (twice the ticks); Fn formation row n,
// a run of which comes in one tick; End, random mode for the rest of the mission.
constexpr ScheduleRow R(int delay) {
    return {1, delay};
}
constexpr ScheduleRow P(int delay) {
    return {0, delay};
}
constexpr ScheduleRow F(int row) {
    return {row, 0};
}
constexpr ScheduleRow End = {1, -1};

// The ten missions' schedules one after another.
// clang-format off
constexpr ScheduleRow StoredSchedule[] = {
    // Mission 0: 42 ordinary rows and the final row
    R(500), P(100), F(2), F(3), P(100),
    R(100), P(100), F(2), F(3), P(30), F(2), F(3), P(100),
    R(100), P(100), F(2), F(3), P(30), F(2), F(3), P(30), F(2), F(3), P(100),
    R(300), P(100), F(4), P(20), F(5), P(20), F(4), P(20), F(5), P(20), F(4), P(20), F(5), P(20),
    F(60), P(20), F(61), P(100), End,
    // Mission 1: 29 ordinary rows and the final row
    R(500), P(100), F(16), F(17), P(100),
    R(200), P(100), F(12), F(6), P(30), F(11), F(7), P(30), F(10), F(8), P(30), F(9), P(50),
    F(13), P(100),
    R(200), P(100), F(16), F(17), F(18), F(19), F(20), F(21), P(100), End,
    // Mission 2: 61 ordinary rows and the final row
    R(300), P(80), F(22), F(23), P(30), F(22), F(23), P(30), F(64), F(65), P(80),
    R(200), P(80), F(18), F(19), F(20), F(21), P(30), F(18), F(19), F(20), F(21), P(80),
    R(200), P(80), F(4), P(20), F(5), P(20), F(4), P(20), F(5), P(20), F(4), P(20), F(5), P(20),
    F(60), P(20), F(61), P(80),
    F(24), P(20), F(25), P(20), F(24), P(20), F(25), P(20), F(24), P(20), F(25), P(20),
    F(62), P(20), F(63), P(80),
    F(14), P(20), F(15), P(100), End,
    // Mission 3: 101 ordinary rows and the final row
    P(50), F(26), F(27), P(15), F(28), P(50), F(29), F(30), P(15), F(31),
    P(80),
    F(18), F(19), F(20), F(21), P(30), F(18), F(19), F(20), F(21), P(80),
    F(26), F(27), P(15), F(28), P(60), F(32), F(33), P(6), F(34), P(60),
    F(29), F(30), P(15), F(31), P(60), F(35), F(36), P(6), F(37), P(60),
    // twenty times
    F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15),
    F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15),
    F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15),
    F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15), F(38), P(15),
    // five times
    F(39), P(15), F(40), P(15), F(39), P(15), F(40), P(15), F(39), P(15),
    F(40), P(15), F(39), P(15), F(40), P(15), F(39), P(15), F(40), P(15),
    End,
    // Mission 4: 104 ordinary rows and the final row
    P(50), R(200), F(45), F(46), P(20), F(45), F(46), P(100), F(47), F(48),
    P(40), F(47), F(48), P(100),
    F(49), F(50), P(20), F(49), F(50), P(100), F(51), F(52), P(20), F(51),
    F(52), P(100), R(100), P(100),
    // five times
    F(41), P(15), F(43), P(15), F(41), P(15), F(43), P(15), F(41), P(15),
    F(43), P(15), F(41), P(15), F(43), P(15), F(41), P(15), F(43), P(15),
    F(42), P(15), F(44), P(15), P(100), R(200), P(100),
    // six lines of seven
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(12),
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(40),
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(12),
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(12),
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(40),
    F(6), F(7), F(8), F(9), F(10), F(11), F(12), P(12),
    P(100), End,
    // The extra missions: random mode from the first tick
    End, End, End, End, End,
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
