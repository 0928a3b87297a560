// The missions' schedules and the four spawners: who comes, on which tick, and where.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "battle.h"
#include "enemies/behaviour.h"
#include "enemies/formations.h"
#include "enemies/movement.h"

namespace {

// One tick of the schedule alone, with `alive` Common and Tough enemies on the screen.
bool ScheduleTick(int alive) {
    FrameCounter += 1;
    return RunScheduleSpawner(alive);
}

int Count(int kind) {
    int n = 0;
    for (const Enemy* e = EnemyHead; e; e = e->next) n += e->kind == kind;
    return n;
}

// A seed whose first rand() passes random mode's one-in-fifteen roll.
unsigned SeedThatSpawns(unsigned from) {
    for (unsigned seed = from;; ++seed) {
        std::srand(seed);
        if (std::rand() % 15 == 0) return seed;
    }
}

// Parks the schedule on the mission's first pause, so that only the enemies a test places fly.
void QuietSchedule() {
    const MissionSchedule& s = MissionSchedules[MissionIndex];
    scheduleCursor = 0;
    while (s.rows[scheduleCursor].entry != 0) ++scheduleCursor;
    rowDeadline = 100000;
}

} // namespace

TEST(Schedule, TheStoredTableConvertsIntoTenMissionsOfHalvedRows) {
    Boot();
    const int counts[10] = {42, 29, 61, 101, 104, 0, 0, 0, 0, 0};
    for (int m = 0; m < 10; ++m) {
        const MissionSchedule& s = MissionSchedules[m];
        EXPECT_EQ(s.count, counts[m]) << "mission " << m;
        EXPECT_EQ(s.rows[s.count].entry, 1) << "mission " << m;
        EXPECT_EQ(s.rows[s.count].delay, 0) << "mission " << m;
        // Every run of formation rows ends on a row that waits, before the final row, and
        // only points at rows of the formation table that a schedule may use.
        for (int i = 0; i < s.count; ++i) {
            const ScheduleRow& row = s.rows[i];
            if (row.entry < 2) continue;
            EXPECT_EQ(row.delay, 0) << m << ":" << i;
            EXPECT_TRUE(row.entry <= 52 || row.entry >= 60) << m << ":" << i;
            EXPECT_LE(row.entry, 65);
            ASSERT_LT(i + 1, s.count) << "a run reaches the final row in mission " << m;
        }
    }
    const MissionSchedule& first = MissionSchedules[0];
    EXPECT_EQ(first.rows[0].entry, 1);
    EXPECT_EQ(first.rows[0].delay, 250); // R500
    EXPECT_EQ(first.rows[10].entry, 2);
    EXPECT_EQ(first.rows[41].delay, 50);              // the last P100
    EXPECT_EQ(MissionSchedules[3].rows[3].delay, 7);  // P15 halves toward zero
    EXPECT_EQ(MissionSchedules[3].rows[28].delay, 3); // P6
    EXPECT_EQ(MissionSchedules[4].rows[103].delay, 50);
    EXPECT_EQ(MissionSchedules[4].rows[61].entry, 12); // the last of the first line of seven
    EXPECT_EQ(MissionSchedules[4].rows[62].delay, 6);  // P12
}

TEST(Schedule, ARowOfHalvedDelayDLastsDPlusOneTicksAndARunComesInOneTick) {
    StartBattle(0);
    EXPECT_EQ(rowDeadline, 250u);
    // Row 0 (random mode, 250) from tick 0 through tick 250; crowded, so nobody comes.
    for (int tick = 1; tick <= 250; ++tick) ScheduleTick(100);
    EXPECT_EQ(scheduleCursor, 0);
    ScheduleTick(100);
    EXPECT_EQ(scheduleCursor, 1); // the pause, 50, reached at tick 251
    for (int tick = 252; tick <= 301; ++tick) EXPECT_FALSE(ScheduleTick(0));
    EXPECT_EQ(EnemyCount(), 0);
    EXPECT_TRUE(ScheduleTick(0)); // tick 302: rows 2 and 3 together
    ASSERT_EQ(EnemyCount(), 2);
    EXPECT_EQ(spawnSerial, 2);
    EXPECT_EQ(scheduleCursor, 4);
    EXPECT_EQ(rowDeadline, 302u + 50);
    const Enemy* a = EnemyHead;
    const Enemy* b = a->next;
    EXPECT_EQ(a->kind, Common);
    EXPECT_EQ(a->x, 320);
    EXPECT_EQ(a->anchorX, 320);
    EXPECT_EQ(a->angle, 30);
    EXPECT_EQ(a->speed, 8);
    EXPECT_EQ(a->hitPoints, 1);
    EXPECT_EQ(b->x, 288);
    EXPECT_EQ(b->angle, 150);
    // Formation enemies arrive silently.
    EXPECT_FALSE(Played(Cues(), 116));
}

TEST(Schedule, ALineOfSevenComesInOneTickAndRaisesTheSerialBySeven) {
    StartBattle(4);
    scheduleCursor = 54; // the pause before the first line of seven
    rowDeadline = FrameCounter;
    EXPECT_TRUE(ScheduleTick(0));
    ASSERT_EQ(EnemyCount(), 7);
    EXPECT_EQ(spawnSerial, 7);
    EXPECT_EQ(scheduleCursor, 62);
    int x = 124;
    for (const Enemy* e = EnemyHead; e; e = e->next, x += 60) {
        EXPECT_EQ(e->x, x);
        EXPECT_EQ(e->speed, 6);
        EXPECT_EQ(e->angle, 90);
        EXPECT_EQ(e->pattern, Line);
    }
}

TEST(Schedule, ARandomColumnLiesBetween80AndTheSizeShortOf560) {
    StartBattle(3);
    std::srand(7);
    int expect = 80 + std::rand() % (480 - 32);
    std::srand(7);
    scheduleCursor = 40; // the pause before the twenty rows of 38
    rowDeadline = FrameCounter;
    ScheduleTick(0);
    ASSERT_EQ(EnemyCount(), 1);
    EXPECT_EQ(EnemyHead->x, expect);
    EXPECT_EQ(EnemyHead->anchorX, expect);
    EXPECT_EQ(EnemyHead->speed, 16);
}

TEST(Schedule, TheFinalRowHoldsTheCursorInRandomMode) {
    StartBattle(0);
    scheduleCursor = 42;
    rowDeadline = 0;
    for (int i = 0; i < 5; ++i) ScheduleTick(100);
    EXPECT_EQ(scheduleCursor, 42);
}

TEST(Schedule, TheRandomCeilingGrowsWithTheGaugeInSinglePrecision) {
    StartBattle(3); // maxEnemies 5
    const int ceilings[][2] = {{0, 2}, {10, 2}, {13, 3}, {20, 3}, {24, 4}, {25, 5}, {49, 5}};
    for (const auto& [gauge, ceiling] : ceilings) {
        killGauge = gauge;
        EXPECT_EQ(RandomCeiling(), ceiling) << "gauge " << gauge;
    }
    // 10 and 20 x 0.04 x 2.5 fall just short of 1 and 2 with 0.04 in single precision.
    MissionIndex = 0;
    ResetSpawnState();
    EXPECT_EQ(RandomCeiling(), 1); // one enemy at a time at the start of the first mission
    maxEnemies = 8;
    killGauge = 25;
    EXPECT_EQ(RandomCeiling(), 8);
}

TEST(Schedule, RandomModeDrawsItsNumbersInOrder) {
    // Extra missions have no scripted rows: random mode from the first tick.
    bool sawWave = false, sawSlant = false;
    for (unsigned seed = 1; !(sawWave && sawSlant); ++seed) {
        StartBattle(5);
        seed = SeedThatSpawns(seed);
        std::srand(seed);
        std::rand(); // the one-in-fifteen roll
        int pattern = std::rand() % 3;
        int speed = 14 - std::rand() % 2;
        int angle;
        if (pattern == Wave)
            angle = std::rand() % 180;
        else
            angle = std::rand() % 2 == 0 ? 45 - std::rand() % 25 : 135 + std::rand() % 25;
        int anchorX = 160 + std::rand() % 320;
        int after = std::rand();

        std::srand(seed);
        ASSERT_TRUE(ScheduleTick(0));
        ASSERT_EQ(EnemyCount(), 1);
        const Enemy* e = EnemyHead;
        EXPECT_EQ(e->pattern, pattern);
        EXPECT_EQ(e->speed, speed);
        EXPECT_EQ(e->angle, angle);
        EXPECT_EQ(e->anchorX, anchorX);
        EXPECT_EQ(e->y, 0);
        EXPECT_EQ(e->kind, Common); // serial 1
        if (pattern == Wave) {
            EXPECT_EQ(e->x, anchorX + static_cast<int>(150 * std::sin(angle * Pi / 180)));
            sawWave = true;
        } else {
            EXPECT_EQ(e->x, anchorX);
            EXPECT_TRUE((angle >= 21 && angle <= 45) || (angle >= 135 && angle <= 159));
            sawSlant = true;
        }
        EXPECT_EQ(std::rand(), after); // no other call was made
        EXPECT_TRUE(Played(Cues(), 116));
    }
}

TEST(Schedule, RandomModeAtItsCeilingNeitherSpawnsNorDraws) {
    StartBattle(5); // ceiling 3 at gauge 0
    std::srand(SeedThatSpawns(1));
    int first = std::rand();
    std::srand(SeedThatSpawns(1));
    EXPECT_FALSE(ScheduleTick(3));
    EXPECT_EQ(std::rand(), first);
    EXPECT_EQ(EnemyCount(), 0);
}

TEST(Schedule, ToughnessFollowsTheSpawnSerial) {
    StartBattle(0); // every twentieth is Tough
    scheduleCursor = 42;
    spawnSerial = 18;
    for (int spawned = 0; spawned < 3;) {
        if (ScheduleTick(0)) ++spawned;
    }
    const Enemy* e = EnemyHead;
    EXPECT_EQ(e->kind, Common); // 19
    EXPECT_EQ(e->next->kind, Tough);
    EXPECT_EQ(e->next->hitPoints, 2);
    EXPECT_EQ(e->next->next->kind, Common);

    StartBattle(9); // every one is Tough
    for (int spawned = 0; spawned < 10;)
        if (ScheduleTick(0)) ++spawned;
    EXPECT_EQ(Count(Tough), 10);
}

TEST(Schedule, ACarrierComesOnlyOnTheTickThatReachesAMultiple) {
    StartBattle(0);      // carriers every 25
    scheduleCursor = 13; // R100 before F2+3 at rows 15 and 16
    rowDeadline = 0;
    FrameCounter = 10;
    spawnSerial = 23;
    // The pause: nothing happens; then the run takes the serial to 25.
    UpdateEnemies(); // row 14, the pause
    FrameCounter = 200;
    UpdateEnemies();
    ASSERT_EQ(spawnSerial, 25);
    EXPECT_EQ(Count(Carrier), 1);
    EXPECT_EQ(carrierArmed, 0);
    const Enemy* c = EnemyTail;
    EXPECT_EQ(c->kind, Carrier);
    EXPECT_EQ(c->pattern, Cross);
    EXPECT_EQ(c->x, -48);
    EXPECT_EQ(c->y, 100);
    EXPECT_EQ(c->hitPoints, 3);
    EXPECT_TRUE(Played(Cues(), 114));
    // The serial stays at 25 through the pause, but the carrier is not armed again.
    for (int i = 0; i < 10; ++i) {
        FrameCounter += 1;
        UpdateEnemies();
    }
    EXPECT_EQ(Count(Carrier), 1);

    // A run that steps over a multiple brings none.
    StartBattle(0);
    spawnSerial = 24;
    scheduleCursor = 14;
    rowDeadline = 0;
    FrameCounter = 200;
    UpdateEnemies();
    EXPECT_EQ(spawnSerial, 26);
    EXPECT_EQ(Count(Carrier), 0);
}

TEST(Schedule, BroodDropAtEachOfSchemeThreesPointsOnePerTick) {
    StartBattle(3);
    QuietSchedule();
    Enemy* carrier = PlaceEnemy(Carrier, 116, 100, Cross);
    std::vector<int> dropsAt;
    for (int tick = 0; tick < 70; ++tick) {
        int before = Count(Brood);
        UpdateEnemies();
        if (Count(Brood) > before) {
            EXPECT_EQ(Count(Brood), before + 1);
            dropsAt.push_back(carrier->x);
            const Enemy* b = EnemyTail;
            EXPECT_EQ(b->x, carrier->x + 24);
            EXPECT_EQ(b->y, 148);
            EXPECT_EQ(b->anchorY, 148);
            EXPECT_EQ(b->pattern, Line);
            EXPECT_GE(b->speed, 9);
            EXPECT_TRUE(Played(Cues(), 117));
        }
        HeadlessAdvance(40);
        for (Enemy* e = EnemyHead; e; e = e->next)
            if (e->kind == Brood) e->state = Eating; // keep the brood out of the way
    }
    EXPECT_EQ(dropsAt, (std::vector<int>{128, 260, 386, 512}));
    EXPECT_EQ(carrier->drops, 4);

    // A carrier already past every point still drops only one a tick.
    StartBattle(3);
    QuietSchedule();
    PlaceEnemy(Carrier, 600, 100, Cross);
    UpdateEnemies();
    EXPECT_EQ(Count(Brood), 1);
    UpdateEnemies();
    EXPECT_EQ(Count(Brood), 2);
}

TEST(Schedule, TheBossStartsOnItsMissionsRow) {
    struct Start {
        int x, anchorX, angle, speed, circleAngle;
    };
    const Start starts[5] = {{288, 288, 20, 12, 0},
                             {80, 0, 0, 12, 0},
                             {288, 288, 0, 16, 0},
                             {0, 0, 0, 12, 1710},
                             {0, 0, 0, 12, 1710}};
    for (int m = 0; m < 10; ++m) {
        StartBattle(m);
        killGauge = 50;
        ASSERT_TRUE(RunBossSpawner());
        const Enemy* b = EnemyTail;
        const Start& s = starts[m % 5];
        EXPECT_EQ(b->kind, Boss);
        EXPECT_EQ(b->pattern, BossPath);
        EXPECT_EQ(b->hitPoints, 6);
        EXPECT_EQ(b->y, 0);
        EXPECT_EQ(b->x, s.x) << m;
        EXPECT_EQ(b->anchorX, s.anchorX) << m;
        EXPECT_EQ(b->angle, s.angle) << m;
        EXPECT_EQ(b->speed, s.speed) << m;
        EXPECT_EQ(b->circleAngle, s.circleAngle) << m;
        if (s.circleAngle) {
            EXPECT_EQ(b->circleX, 320);
            EXPECT_EQ(b->circleY, 120);
        }
        EXPECT_TRUE(Played(Cues(), 113));
    }
    StartBattle(0);
    killGauge = 49;
    EXPECT_FALSE(RunBossSpawner());
    killGauge = 50;
    bossPending = 0;
    EXPECT_FALSE(RunBossSpawner());
}

TEST(Schedule, TheBossComesOnTheTickOfTheFiftiethKill) {
    StartBattle(0);
    QuietSchedule();
    killGauge = 49;
    PlaceEnemy(Common, 200, 100);
    SwatAt(0, 216, 116);
    UpdateEnemies();
    EXPECT_EQ(killGauge, 50);
    EXPECT_EQ(EnemyTail->kind, Boss);
    EXPECT_EQ(bossPending, 0);
    // While it is on the screen its clip is asked for every tick.
    SwatActive[0] = 0;
    Cues();
    HeadlessAdvance(5000);
    UpdateEnemies();
    EXPECT_TRUE(Played(Cues(), 113));
}

TEST(Schedule, ABossOnTheDishSpeedsTheNextEnemiesAndTakesTheGaugeBackTo30) {
    StartBattle(0);
    QuietSchedule();
    killGauge = 50;
    bossPending = 0;
    Enemy* boss = PlaceEnemy(Boss, 288, 0, BossPath, 12, 20);
    boss->step2 = 90; // the next move puts it at y 369, its centre on the curry
    UpdateEnemies();
    EXPECT_EQ(boss->state, Eating);
    EXPECT_EQ(DamageCount, 1);
    EXPECT_EQ(killGauge, 30);
    EXPECT_EQ(bossPending, 1);
    EXPECT_EQ(speedBase, 9);
    EXPECT_EQ(maxEnemies, 4);
    EXPECT_TRUE(Played(Cues(), 120));
    EXPECT_EQ(Count(Boss), 1); // the gauge is under 50 again: no new boss
}

TEST(Schedule, ABossLeavingThroughTheBottomIsReplacedAtOnceWhileTheGaugeIsFull) {
    StartBattle(2);
    QuietSchedule();
    killGauge = 55;
    bossPending = 0;
    Enemy* boss = PlaceEnemy(Boss, 40, 479, BossPath, 16, 0);
    boss->anchorX = 40;
    UpdateEnemies();
    ASSERT_EQ(Count(Boss), 1);
    EXPECT_EQ(EnemyHead->x, 288); // a fresh boss at its start
    EXPECT_EQ(EnemyHead->y, 0);
    EXPECT_EQ(bossPending, 0);
    EXPECT_EQ(killGauge, 55);
}
