// The five movement patterns and the boss's five paths, tick by tick against positions worked
// out by hand from the formulas (truncation toward zero, pi as 3.1415926535).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/flow.h"
#include "enemies/enemies.h"
#include "enemies/movement.h"
#include "tests/spawn.h"

namespace {

Enemy Make(int kind, int pattern, int x, int y, int speed, int angle) {
    Enemy e{};
    Spawn(&e, kind, pattern, x, y, speed, angle);
    return e;
}

using Path = std::vector<std::pair<int, int>>;

// The positions after each of `ticks` moves.
Path Moves(Enemy& e, int ticks) {
    Path path;
    for (int i = 0; i < ticks; ++i) {
        EXPECT_FALSE(MoveEnemy(&e)) << "left the screen at move " << i;
        path.emplace_back(e.x, e.y);
    }
    return path;
}

Enemy BossOf(int mission) {
    MissionIndex = mission;
    Enemy e = Make(Boss, BossPath, 0, 0, 12, 0);
    e.anchorX = 0;
    return e;
}

} // namespace

TEST(Movement, LineStraightDownStandsOnItsSpawnPointFirst) {
    // Formation rows 6..12: speed step -1 gives 6 px a tick, straight down.
    Enemy e = Make(Common, Line, 124, 0, 6, 90);
    EXPECT_EQ(Moves(e, 5), (Path{{124, 0}, {124, 6}, {124, 12}, {124, 18}, {124, 24}}));
}

TEST(Movement, LineAtTenDegreesCrossesFlatAndBouncesOffTheRightEdgeTo170) {
    Enemy e = Make(Common, Line, 304, 0, 32, 10); // formation row 14
    Path path = Moves(e, 10);
    EXPECT_EQ(path[1], std::make_pair(335, 5));
    EXPECT_EQ(path[9], std::make_pair(587, 50));
    // The eleventh move goes past 608; the bounce is seen only on the move after it.
    EXPECT_FALSE(MoveEnemy(&e));
    EXPECT_EQ(e.x, 619);
    EXPECT_EQ(e.angle, 170);
    EXPECT_EQ(e.anchorX, 640 - 32);
    EXPECT_EQ(e.step1, 0);
    EXPECT_EQ(Moves(e, 3), (Path{{608, 61}, {577, 66}, {545, 72}}));
}

TEST(Movement, LineBouncesOffTheLeftEdgeAndAddsItsAnchorY) {
    Enemy e = Make(Brood, Line, 10, 148, 10, 135);
    EXPECT_EQ(Moves(e, 2), (Path{{10, 148}, {3, 155}}));
    EXPECT_FALSE(MoveEnemy(&e));
    EXPECT_EQ(e.x, -4);
    EXPECT_EQ(e.angle, 45);
    EXPECT_EQ(e.anchorX, 0);
    EXPECT_EQ(e.y, 148 + 14);
}

TEST(Movement, WaveSwingsFromItsAnchorAndSinksByHalfItsSpeed) {
    Enemy e = Make(Common, Wave, 304, 0, 10, 0);
    EXPECT_EQ(Moves(e, 5), (Path{{304, 5}, {319, 10}, {335, 15}, {350, 20}, {365, 25}}));
    // A Wave swings past an edge and back: no bounce.
    Enemy w = Make(Common, Wave, 600, 0, 10, 90);
    Moves(w, 1);
    EXPECT_EQ(w.x, 750);
    EXPECT_EQ(w.angle, 90);
    EXPECT_EQ(w.anchorX, 600);
}

TEST(Movement, SwoopFromTheLeftHalfLoopsCounterClockwiseOnceAndLeavesDownAndRight) {
    Enemy e = Make(Common, Swoop, 200, 0, 10, 60);
    Path dive = Moves(e, 21);
    EXPECT_EQ(dive[1], std::make_pair(205, 8));
    EXPECT_EQ(dive[20], std::make_pair(300, 173)); // y reached 170: the loop starts here
    EXPECT_EQ(e.leg, 1);
    EXPECT_EQ(e.circleX, 380);
    EXPECT_EQ(e.circleY, 173);
    EXPECT_EQ(e.circleReverse, 1);
    Path loop = Moves(e, 37);
    EXPECT_EQ(loop[0], std::make_pair(300, 173));  // 540: the loop starts where it stands
    EXPECT_EQ(loop[9], std::make_pair(380, 253));  // 450: the bottom, reached first
    EXPECT_EQ(loop[18], std::make_pair(460, 173)); // 360: the right
    EXPECT_EQ(loop[36], std::make_pair(300, 173)); // 180: back
    EXPECT_EQ(e.step2, 21);                        // the loop does not count its ticks
    EXPECT_EQ(e.leg, 2);
    EXPECT_EQ(e.angle, 60);
    EXPECT_EQ(Moves(e, 3), (Path{{300, 181}, {305, 190}, {310, 199}}));
}

TEST(Movement, SwoopFromTheRightHalfLoopsClockwiseAndLeavesDownAndLeft) {
    Enemy e = Make(Common, Swoop, 440, 0, 10, 120);
    Moves(e, 21);
    EXPECT_EQ(e.circleX, 261);
    EXPECT_EQ(e.circleReverse, 0);
    Path loop = Moves(e, 37);
    EXPECT_EQ(loop[0], std::make_pair(341, 173));
    EXPECT_EQ(loop[9], std::make_pair(261, 253)); // 90: the bottom, then on to the left
    EXPECT_EQ(loop[18], std::make_pair(181, 173));
    EXPECT_EQ(e.angle, 120);
    EXPECT_EQ(Moves(e, 2), (Path{{341, 181}, {337, 190}}));
}

TEST(Movement, ASwoopLoopIsNotHeldInsideTheEdges) {
    Enemy e = Make(Common, Swoop, 0, 0, 10, 90);
    e.leg = 1;
    e.circleX = 40;
    e.circleY = 200;
    e.circleAngle = 180; // on the far left of a loop that reaches past the edge
    e.circleReverse = 1;
    e.anchorX = 123;
    EXPECT_FALSE(MoveEnemy(&e));
    EXPECT_EQ(e.x, -40);
    EXPECT_EQ(e.anchorX, -40); // the loop ended: the dive starts where it stands
    EXPECT_EQ(e.angle, 90);
    EXPECT_EQ(e.step1, 0);
}

TEST(Movement, CarriersCrossToTheRightAndFlyOnOutOfSight) {
    Enemy e = Make(Carrier, Cross, -48, 100, 0, 0);
    EXPECT_EQ(Moves(e, 2), (Path{{-42, 100}, {-36, 100}}));
    e.x = 700;
    Moves(e, 1);
    EXPECT_EQ(e.x, 706);
    EXPECT_EQ(e.anchorX, -48);
}

TEST(Movement, FallingDropsEightAndLeavesOnlyPastTheBottom) {
    Enemy e = Make(Common, Line, 100, 464, 8, 45);
    e.state = Falling;
    EXPECT_FALSE(MoveEnemy(&e));
    EXPECT_EQ(e.y, 472);
    EXPECT_FALSE(MoveEnemy(&e));
    EXPECT_EQ(e.y, 480);
    EXPECT_TRUE(MoveEnemy(&e));
    for (int state : {Stunned, Eating}) {
        Enemy still = Make(Common, Line, 100, 100, 8, 45);
        still.state = state;
        still.step1 = still.step2 = 5;
        EXPECT_FALSE(MoveEnemy(&still));
        EXPECT_EQ(std::make_pair(still.x, still.y), std::make_pair(100, 100));
        EXPECT_EQ(still.step2, 5);
    }
}

TEST(Movement, BossPath0SlantsAtTwentyDegreesAndBounces) {
    Enemy e = BossOf(5);
    e.x = e.anchorX = 288;
    e.angle = 20;
    Path path = Moves(e, 27);
    EXPECT_EQ(path[1], std::make_pair(299, 4));
    EXPECT_EQ(path[26], std::make_pair(581, 106));
    EXPECT_EQ(e.angle, 160);
    EXPECT_EQ(Moves(e, 2), (Path{{576, 110}, {565, 114}}));
}

TEST(Movement, BossPath1GoesRoundThreeTimesAndDropsOntoTheMiddleOfTheDish) {
    Enemy e = BossOf(1);
    e.x = 80;
    Path path;
    while (e.leg <= 11) path.push_back(Moves(e, 1)[0]);
    EXPECT_EQ(path[19], std::make_pair(80, 240)); // down to 240
    EXPECT_EQ(path[20], std::make_pair(92, 240)); // then right
    // The last leftward leg stops once the centre reaches the middle.
    EXPECT_EQ(std::make_pair(e.x, e.y), std::make_pair(284, 0));
    EXPECT_EQ(e.leg, 12);
    EXPECT_EQ(Moves(e, 2), (Path{{284, 12}, {284, 24}}));
}

TEST(Movement, BossPath2SwaysTwoHundredAndFiftyEachWayAndSinksTwo) {
    Enemy e = BossOf(7);
    e.x = e.anchorX = 288;
    e.speed = 16;
    Path path = Moves(e, 12);
    EXPECT_EQ(path[0], std::make_pair(288, 2));
    EXPECT_EQ(path[1], std::make_pair(329, 4));
    EXPECT_EQ(path[9], std::make_pair(537, 20)); // near the top of the sway, 86.4 degrees
    EXPECT_EQ(path[11], std::make_pair(528, 24));
}

TEST(Movement, BossPath3HoldsItsFirstSpotTwentyTwoTicksAndEveryLaterOneTwentyOne) {
    Enemy e = BossOf(3);
    const std::pair<int, int> spots[5] = {{288, 160}, {80, 240}, {496, 96}, {496, 240}, {80, 96}};
    std::vector<int> held;
    std::pair<int, int> at = {-1, -1};
    int spot = 0;
    while (e.leg <= 15) {
        std::pair<int, int> now = Moves(e, 1)[0];
        if (now != at) {
            ASSERT_EQ(now, spots[spot % 5]) << "hop " << spot;
            held.push_back(0);
            at = now;
            ++spot;
        }
        ++held.back();
    }
    EXPECT_EQ(spot, 16);
    EXPECT_EQ(held[0], 22);
    for (size_t i = 1; i < held.size(); ++i) EXPECT_EQ(held[i], 21) << "hop " << i;
    EXPECT_EQ(Moves(e, 1)[0], std::make_pair(288, 172)); // from spot 0 straight down
}

TEST(Movement, BossPath4CirclesFourAndAHalfTurnsThenDrops) {
    Enemy e = BossOf(9);
    e.circleX = 320;
    e.circleY = 120;
    e.circleAngle = 1710;
    Path path;
    while (e.leg == 0) path.push_back(Moves(e, 1)[0]);
    EXPECT_EQ(path.size(), 136u);               // 1710 down by 12 to 78
    EXPECT_EQ(path[0], std::make_pair(320, 0)); // enters at the top
    EXPECT_EQ(path[1], std::make_pair(296, 3));
    EXPECT_EQ(path.back(), std::make_pair(320, 240)); // leaves from the bottom
    EXPECT_EQ(Moves(e, 1)[0], std::make_pair(320, 252));
}

TEST(Movement, OnlyTheSlantingBossBouncesAndEveryBossLeavesThroughTheBottom) {
    Enemy hop = BossOf(8);
    hop.leg = 16;
    hop.x = -30;
    Moves(hop, 1);
    EXPECT_EQ(hop.angle, 0); // not bounced
    EXPECT_EQ(hop.step1, 1);
    Enemy drop = BossOf(4);
    drop.leg = 1;
    drop.y = 470;
    EXPECT_TRUE(MoveEnemy(&drop));
}
