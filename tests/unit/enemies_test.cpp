// The enemy update's timed states and counts, the list clears, and the drawing of enemies.
#include <gtest/gtest.h>

#include <cstdlib>

#include "battle.h"
#include "enemies/behaviour.h"
#include "players/objects.h"

namespace {

void QuietBattle(int mission) {
    StartBattle(mission);
    scheduleCursor = 1; // a pause
    rowDeadline = 100000;
}

// A seed whose first rand() % 20 is, or is not, 0.
unsigned SeedWhere(bool zero) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        if ((std::rand() % 20 == 0) == zero) return seed;
    }
}

} // namespace

TEST(Enemies, AFlashLastsJustOverATenthOfASecond) {
    QuietBattle(0);
    Enemy* e = PlaceEnemy(Tough, 100, 50);
    e->state = Flashing;
    e->stateTick = 0;
    HeadlessAdvance(100);
    UpdateEnemies();
    EXPECT_EQ(e->state, Flashing);
    HeadlessAdvance(1);
    UpdateEnemies();
    EXPECT_EQ(e->state, Flying);
}

TEST(Enemies, HalfASecondAfterTheStunAFlyFallsOrNowAndThenTurnsIntoAnItem) {
    QuietBattle(0);
    Enemy* e = PlaceEnemy(Common, 100, 50);
    e->state = Stunned;
    HeadlessAdvance(500);
    UpdateEnemies();
    EXPECT_EQ(e->state, Stunned);
    EXPECT_EQ(e->y, 50); // a stunned fly hangs where it was struck
    HeadlessAdvance(1);
    std::srand(SeedWhere(false));
    UpdateEnemies();
    EXPECT_EQ(e->state, Falling);
    EXPECT_TRUE(Played(Cues(), 115));
    UpdateEnemies();
    EXPECT_EQ(e->y, 58);

    unsigned seed = SeedWhere(true);
    std::srand(seed);
    std::rand();
    int item = std::rand() % 3;
    std::srand(seed);
    Enemy* lucky = PlaceEnemy(Tough, 300, 60);
    lucky->state = Stunned;
    HeadlessAdvance(501);
    UpdateEnemies();
    EXPECT_EQ(EnemyCount(), 1);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(ObjectHead->type, item);
    EXPECT_EQ(ObjectHead->x, 300);
    EXPECT_EQ(ObjectHead->y, 60);
    EXPECT_EQ(ObjectHead->frameTick, GetTickCount());
}

TEST(Enemies, OnlyFlyingCommonAndToughEnemiesHoldBackRandomMode) {
    StartBattle(5); // random mode from the first tick, ceiling 3
    for (int kind : {Common, Tough}) PlaceEnemy(kind, 100, 10, Line, 8, 45);
    PlaceEnemy(Common, 300, 10)->state = Flashing;
    std::srand(7);
    int first = std::rand();
    std::srand(7);
    UpdateEnemies();
    EXPECT_EQ(std::rand(), first); // three alive: no roll at all
    // Brood, carriers and stunned flies do not count.
    StartBattle(5);
    PlaceEnemy(Brood, 100, 10);
    PlaceEnemy(Carrier, 0, 100, Cross);
    PlaceEnemy(Common, 300, 10)->state = Stunned;
    PlaceEnemy(Tough, 400, 10)->state = Stunned;
    std::srand(7);
    UpdateEnemies();
    EXPECT_NE(std::rand(), first);
}

TEST(Enemies, TheClearsKeepTheEatersForGameOverAndTheBossForItsEnd) {
    QuietBattle(0);
    PlaceEnemy(Common, 0, 0);
    PlaceEnemy(Tough, 0, 0)->state = Eating;
    PlaceEnemy(Boss, 0, 0)->state = Eating;
    PlaceEnemy(Boss, 100, 100);
    PlaceEnemy(Brood, 0, 0)->state = Falling;
    AddObjectAt(BombItem, 0, 0, 0);
    ClearForBossDefeat();
    ASSERT_EQ(EnemyCount(), 1);
    EXPECT_EQ(EnemyHead->kind, Boss);
    EXPECT_EQ(EnemyHead->x, 100);
    EXPECT_EQ(EnemyHead, EnemyTail);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_FALSE(Played(Cues(), 124));

    PlaceEnemy(Common, 0, 0)->state = Eating;
    PlaceEnemy(Carrier, 0, 0);
    ClearForGameOver();
    ASSERT_EQ(EnemyCount(), 1);
    EXPECT_EQ(EnemyHead->state, Eating);
    EXPECT_TRUE(Played(Cues(), 124));
}

TEST(Enemies, DrawingFlashesDamagedCellsAndAnimatesAllButTheStunned) {
    QuietBattle(0);
    for (int c = 0; c < 8; ++c)
        PaintSheet(128 + 32 * c, 160, 32, 32, static_cast<uint8_t>(180 + c));
    PaintSheet(48, 240, 32, 32, 190); // a falling Common or Tough
    ClearSurface(lpDDSBack);
    Enemy* tough = PlaceEnemy(Tough, 100, 100);
    std::vector<int> cells;
    auto draw = [&] {
        DrawEnemies();
        cells.push_back(BackPixel(116, 116));
        HeadlessAdvance(40);
    };
    for (int i = 0; i < 4; ++i) draw(); // the fourth at 120 ms: past the Tough's 100 ms frame
    EXPECT_EQ(cells, (std::vector<int>{180, 180, 180, 181}));
    // Flashing: its normal and its damaged cell in turn, on every drawing.
    cells.clear();
    tough->state = Flashing;
    tough->hitPoints = 1;
    draw();
    draw();
    draw();
    EXPECT_EQ(cells, (std::vector<int>{181, 185, 182}));
    // On its last hit point it keeps the damaged look.
    cells.clear();
    tough->state = Flying;
    draw();
    EXPECT_EQ(cells, (std::vector<int>{186}));
    // Stunned: the frame stands still.
    cells.clear();
    tough->state = Stunned;
    tough->hitPoints = 0;
    for (int i = 0; i < 6; ++i) draw();
    EXPECT_EQ(cells, std::vector<int>(6, 182));
    cells.clear();
    tough->state = Falling;
    draw();
    EXPECT_EQ(cells, (std::vector<int>{190}));
}
