// Strikes against enemies and landings on the dish, alone and inside the enemy update.
#include <gtest/gtest.h>

#include "battle.h"
#include "enemies/behaviour.h"
#include "enemies/strikes.h"

namespace {

// A normal-size strike box with its top-left corner at (x, y): 64 x 40.
StrikeBox Box(int x, int y) {
    return {x, y, 64, 48, 8};
}

// Whether a fresh Flying enemy of `kind` at (100, 100) is struck by a box at (bx, by).
bool Struck(int kind, int bx, int by) {
    Enemy e{};
    e.kind = kind;
    e.x = e.y = 100;
    e.hitPoints = 2;
    return StrikeTest(&e, Box(bx, by), 0) != Miss;
}

// Whether an enemy of `kind` whose centre is at (cx, cy) lands on this mission's dish.
bool Lands(int kind, int cx, int cy) {
    Enemy e{};
    e.kind = kind;
    int half = EnemyKinds[kind].size / 2;
    e.x = cx - half;
    e.y = cy - half;
    return DishTest(&e);
}

} // namespace

TEST(Strike, TheBoxReachesTheCentreWidenedByTheHitRadius) {
    // A Common at (100, 100): centre (116, 116), radius 8.
    EXPECT_TRUE(Struck(Common, 124, 100));
    EXPECT_FALSE(Struck(Common, 125, 100));
    EXPECT_TRUE(Struck(Common, 45, 100)); // 45 + 64 > 108
    EXPECT_FALSE(Struck(Common, 44, 100));
    EXPECT_TRUE(Struck(Common, 100, 124));
    EXPECT_FALSE(Struck(Common, 100, 125));
    EXPECT_TRUE(Struck(Common, 100, 69)); // 69 + 40 > 108: the handle does not strike
    EXPECT_FALSE(Struck(Common, 100, 68));
    // A Brood is struck only by its centre (108, 108).
    EXPECT_TRUE(Struck(Brood, 108, 108));
    EXPECT_FALSE(Struck(Brood, 109, 100));
    EXPECT_TRUE(Struck(Brood, 45, 69));
    EXPECT_FALSE(Struck(Brood, 44, 100));
    EXPECT_FALSE(Struck(Brood, 100, 68));
    // A Boss at (100, 100): centre (132, 132), radius 16.
    EXPECT_TRUE(Struck(Boss, 148, 148));
    EXPECT_FALSE(Struck(Boss, 149, 100));
    EXPECT_TRUE(Struck(Boss, 53, 77));
    EXPECT_FALSE(Struck(Boss, 100, 76));
    // The enlarged swatter's box is 96 x 60.
    Enemy e{};
    e.kind = Common;
    e.x = e.y = 100;
    e.hitPoints = 1;
    EXPECT_EQ(StrikeTest(&e, {13, 49, 96, 72, 12}, 0), Kill);
}

TEST(Strike, HitPointsFlashStunAndTheBossKeepsFlying) {
    struct Case {
        int kind, hits;
    };
    for (Case c : {Case{Common, 1}, Case{Tough, 2}, Case{Brood, 1}, Case{Carrier, 3}}) {
        Enemy e{};
        e.kind = c.kind;
        e.x = e.y = 200;
        e.hitPoints = EnemyKinds[c.kind].maxHitPoints;
        for (int hit = 1; hit < c.hits; ++hit) {
            EXPECT_EQ(StrikeTest(&e, Box(190, 190), 1000u * hit), Hit) << c.kind;
            EXPECT_EQ(e.state, Flashing);
            EXPECT_EQ(e.stateTick, 1000u * hit);
            EXPECT_EQ(StrikeTest(&e, Box(190, 190), 0), Miss) << "struck while flashing";
            e.state = Flying;
        }
        EXPECT_EQ(StrikeTest(&e, Box(190, 190), 7777), Kill) << c.kind;
        EXPECT_EQ(e.state, Stunned);
        EXPECT_EQ(e.stateTick, 7777u);
        EXPECT_EQ(e.hitPoints, 0);
    }
    Enemy boss{};
    boss.kind = Boss;
    boss.x = boss.y = 200;
    boss.hitPoints = 6;
    for (int hit = 1; hit < 6; ++hit) {
        EXPECT_EQ(StrikeTest(&boss, Box(200, 200), 0), Hit);
        boss.state = Flying;
    }
    EXPECT_EQ(StrikeTest(&boss, Box(200, 200), 0), BossKilled);
    EXPECT_EQ(boss.state, Flying);
    EXPECT_EQ(boss.hitPoints, 0);
}

TEST(Strike, OnlyFlyingEnemiesAreHitAndOnlyFallingOnesCaught) {
    for (int state : {Flashing, Stunned, Eating, Falling}) {
        Enemy e{};
        e.kind = Common;
        e.x = e.y = 200;
        e.hitPoints = 1;
        e.state = state;
        EXPECT_EQ(StrikeTest(&e, Box(190, 190), 0), state == Falling ? Caught : Miss) << state;
        EXPECT_EQ(e.hitPoints, 1);
        EXPECT_EQ(e.state, state);
    }
}

TEST(Strike, EachDishHasItsOwnEatZone) {
    struct Zone {
        int left, right, top, bottom; // inclusive, as the mission table works them out
    };
    const Zone zones[5] = {{208, 431, 384, 447},
                           {160, 415, 368, 431},
                           {192, 447, 352, 447},
                           {176, 463, 384, 415},
                           {224, 415, 320, 447}};
    for (int m = 0; m < 10; ++m) {
        StartBattle(m);
        const Zone& z = zones[m % 5];
        EXPECT_TRUE(Lands(Common, z.left, z.top)) << m;
        EXPECT_TRUE(Lands(Carrier, z.right, z.bottom)) << m;
        EXPECT_TRUE(Lands(Brood, (z.left + z.right) / 2, z.bottom)) << m;
        EXPECT_FALSE(Lands(Common, z.left - 1, z.top)) << m;
        EXPECT_FALSE(Lands(Common, z.right + 1, z.top)) << m;
        EXPECT_FALSE(Lands(Common, z.left, z.top - 1)) << m;
        EXPECT_FALSE(Lands(Boss, z.right, z.bottom + 1)) << m;
        EXPECT_EQ(DamageCount, 3) << m;
    }
}

TEST(Strike, TheThirdLandingDamagesTheDishAndTheSixthDestroysIt) {
    StartBattle(0);
    const int states[7] = {0, 0, 0, 1, 1, 1, 2};
    for (int landing = 1; landing <= 6; ++landing) {
        EXPECT_TRUE(Lands(landing == 6 ? Boss : Tough, 320, 400));
        EXPECT_EQ(DamageCount, landing);
        EXPECT_EQ(DishState, states[landing]);
    }
    // Only Flying and Flashing enemies land.
    for (int state : {Stunned, Falling, Eating}) {
        Enemy e{};
        e.x = 304;
        e.y = 384;
        e.state = state;
        EXPECT_FALSE(DishTest(&e));
    }
    Enemy flashing{};
    flashing.x = 304;
    flashing.y = 384;
    flashing.state = Flashing;
    EXPECT_TRUE(DishTest(&flashing));
    EXPECT_EQ(flashing.state, Eating);
}

TEST(Strike, BothPlayersOnOneEnemyInOneTick) {
    // Player 1's hit leaves a Tough flashing, so player 2's strike misses it.
    StartBattle(1, 1);
    scheduleCursor = 1;
    rowDeadline = 100000;
    Enemy* tough = PlaceEnemy(Tough, 200, 100, Line, 8, 90);
    SwatAt(0, 216, 116);
    SwatAt(1, 216, 116);
    UpdateEnemies();
    EXPECT_EQ(tough->state, Flashing);
    EXPECT_EQ(tough->hitPoints, 1);
    EXPECT_EQ(PlayerScore[0], 30);
    EXPECT_EQ(PlayerScore[1], 0);
    EXPECT_TRUE(Played(Cues(), 133));
    // Player 2's own plain hit scores but is silent; the flash is over after 100 ms.
    HeadlessAdvance(101);
    SwatActive[0] = 0;
    Enemy* other = PlaceEnemy(Tough, 400, 100, Line, 8, 90);
    SwatAt(1, 416, 116);
    UpdateEnemies();
    EXPECT_EQ(tough->state, Flying);
    EXPECT_EQ(other->state, Flashing);
    EXPECT_EQ(PlayerScore[1], 30);
    EXPECT_FALSE(Played(Cues(), 133));
    // A kill by player 1 leaves nothing for player 2; a one-player game never asks player 2.
    StartBattle(1, 0);
    scheduleCursor = 1;
    rowDeadline = 100000;
    Enemy* common = PlaceEnemy(Common, 200, 100);
    SwatAt(1, 216, 116);
    UpdateEnemies();
    EXPECT_EQ(common->state, Flying);
    SwatAt(0, 216, 116);
    UpdateEnemies();
    EXPECT_EQ(common->state, Stunned);
    EXPECT_EQ(killGauge, 1);
}

TEST(Strike, SixLandingsEndTheBattleWithTheEatersLeftOnTheDish) {
    StartBattle(0);
    scheduleCursor = 1;
    rowDeadline = 100000;
    for (int i = 0; i < 5; ++i) PlaceEnemy(Common, 220 + 30 * i, 390)->state = Eating;
    DamageCount = 5;
    DishState = 1;
    PlaceEnemy(Common, 100, 50);               // flying, far from the dish
    PlaceEnemy(Common, 300, 370, Line, 8, 90); // lands on this move
    PlaceEnemy(Common, 500, 50);               // not reached this tick
    HeadlessAdvance(500);
    UpdateEnemies();
    EXPECT_EQ(DamageCount, 6);
    EXPECT_EQ(DishState, 2);
    EXPECT_EQ(PlayPhase, GameOver);
    EXPECT_EQ(PhaseDeadline, 500u + 8000);
    EXPECT_EQ(EnemyCount(), 6); // the five eaters and the sixth; the flying ones are gone
    for (const Enemy* e = EnemyHead; e; e = e->next) EXPECT_EQ(e->state, Eating);
    std::vector<int> cues = Cues();
    EXPECT_TRUE(Played(cues, 124));
    EXPECT_FALSE(Played(cues, 120)); // the destroying landing has no landing sound
}
