// The sprite-object list: items collected by swats, falling items, animations and stunning.
#include <gtest/gtest.h>

#include "battle.h"
#include "players/objects.h"

namespace {

int Objects(int type) {
    int n = 0;
    for (const SpriteObject* o = ObjectHead; o; o = o->next) n += o->type == type;
    return n;
}

} // namespace

TEST(Objects, AnItemIsCollectedWhenItsCentreLiesUnderTheMesh) {
    StartBattle(0);
    PlaceSwatter(0, 100, 100); // mesh 100..163 x 100..139
    struct Case {
        int x, y;
        bool collected;
    };
    // A 32 x 32 item's centre is 16 px in.
    for (Case c :
         {Case{84, 84, true}, Case{147, 107, true}, Case{148, 100, false}, Case{100, 123, true},
          Case{100, 124, false}, Case{83, 100, false}, Case{100, 83, false}}) {
        ClearObjects();
        AddObjectAt(PowerUpItem, c.x, c.y, 0);
        EXPECT_EQ(InStrikeArea(ObjectHead, 0), c.collected ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST(Objects, ASwatCollectsEveryItemUnderItAndPlayerOneComesFirst) {
    StartBattle(0, 1);
    PlaceSwatter(0, 100, 100);
    PlaceSwatter(1, 100, 100);
    SwatActive[0] = SwatActive[1] = 1;
    AddObjectAt(PowerUpItem, 110, 100, 0);
    AddObjectAt(SwatMark1, 100, 100, 0); // not an item: left alone
    AddObjectAt(PowerUpItem, 120, 100, 0);
    UpdateObjects();
    EXPECT_EQ(Objects(PowerUpItem), 0);
    EXPECT_EQ(Objects(SwatMark1), 1);
    EXPECT_EQ(Swatters[0].width, 96);
    EXPECT_EQ(Swatters[1].width, 64);
    EXPECT_TRUE(Played(Cues(), 125));
    // Player 2 collects what player 1 does not reach.
    SwatActive[0] = 0;
    AddObjectAt(PowerUpItem, 110, 100, 0);
    UpdateObjects();
    EXPECT_EQ(Swatters[1].width, 96);
    EXPECT_EQ(Swatters[1].handle, 12);
    // Without a swat nothing is collected.
    SwatActive[0] = SwatActive[1] = 0;
    AddObjectAt(BombItem, 110, 100, 0);
    UpdateObjects();
    EXPECT_EQ(Objects(BombItem), 1);
}

TEST(Objects, ItemsFallSixAndLeaveOnlyPastTheBottom) {
    StartBattle(0);
    SpriteObject* item = AddObjectAt(RescueItem, 10, 474, 0);
    UpdateObjects();
    EXPECT_EQ(item->y, 480);
    EXPECT_EQ(ObjectCount(), 1); // still there, out of sight
    UpdateObjects();
    EXPECT_EQ(ObjectCount(), 0);
}

TEST(Objects, TheBombStunsEveryFlyingAndFlashingEnemyButTheBoss) {
    StartBattle(0);
    Enemy* common = PlaceEnemy(Common, 10, 10);
    Enemy* brood = PlaceEnemy(Brood, 50, 10);
    Enemy* carrier = PlaceEnemy(Carrier, 90, 10);
    carrier->state = Flashing;
    Enemy* eater = PlaceEnemy(Tough, 300, 400);
    eater->state = Eating;
    Enemy* boss = PlaceEnemy(Boss, 300, 100);
    HeadlessAdvance(1234);
    PlaceSwatter(0, 400, 300);
    SwatActive[0] = 1;
    AddObjectAt(BombItem, 400, 300, 0);
    UpdateObjects();
    for (Enemy* e : {common, brood, carrier}) {
        EXPECT_EQ(e->state, Stunned);
        EXPECT_EQ(e->hitPoints, 0);
        EXPECT_EQ(e->stateTick, 1234u);
    }
    EXPECT_EQ(eater->state, Eating);
    EXPECT_EQ(boss->state, Flying);
    EXPECT_EQ(boss->hitPoints, 6);
    // One burst each, sized by kind, in list order.
    ASSERT_EQ(ObjectCount(), 3);
    EXPECT_EQ(ObjectHead->type, MediumBurst);
    EXPECT_EQ(ObjectHead->next->type, SmallBurst);
    EXPECT_EQ(ObjectTail->type, LargeBurst);
    EXPECT_EQ(ObjectTail->x, 90);
    EXPECT_EQ(ObjectTail->frameTick, 1234u);
    EXPECT_TRUE(Played(Cues(), 122));
}

TEST(Objects, TheRescueStunsTheEatersAndGivesBackTheDish) {
    StartBattle(0);
    for (int i = 0; i < 2; ++i) PlaceEnemy(Common, 250 + 40 * i, 390)->state = Eating;
    Enemy* boss = PlaceEnemy(Boss, 300, 380);
    boss->state = Eating;
    DamageCount = 4; // two flies, the boss and one since rescued
    DishState = 1;
    PlaceSwatter(0, 400, 300);
    SwatActive[0] = 1;
    AddObjectAt(RescueItem, 400, 300, 0);
    UpdateObjects();
    EXPECT_EQ(DamageCount, 2);
    EXPECT_EQ(DishState, 0);
    EXPECT_EQ(boss->state, Eating); // the boss eats on
    // With no eaters and damage 3 or more the dish stays damaged; below 3 it is whole again.
    DamageCount = 3;
    DishState = 1;
    AddObjectAt(RescueItem, 400, 300, 0);
    UpdateObjects();
    EXPECT_EQ(DamageCount, 3);
    EXPECT_EQ(DishState, 1);
    DamageCount = 2;
    AddObjectAt(RescueItem, 400, 300, 0);
    UpdateObjects();
    EXPECT_EQ(DishState, 0);
}

TEST(Objects, AnAnimationShowsEachFrameForItsPeriodAndItsLastFrameOnce) {
    StartBattle(0);
    AddObjectAt(MediumBurst, 10, 10, GetTickCount()); // 6 frames of 100 ms
    AddObjectAt(SwatMark1, 10, 10, GetTickCount());   // 2 frames of 300 ms
    std::vector<int> burst, mark;
    for (int tick = 0; tick < 20; ++tick) {
        UpdateObjects();
        DrawObjects();
        for (const SpriteObject* o = ObjectHead; o; o = o->next)
            (o->type == MediumBurst ? burst : mark).push_back(o->frame);
        HeadlessAdvance(40);
    }
    EXPECT_EQ(burst, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5}));
    EXPECT_EQ(mark, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(Objects, RemovingTheTailThenAddingAppendsAfterTheNewTail) {
    StartBattle(0);
    SpriteObject* a = AddObjectAt(SmallBurst, 1, 0, 0);
    SpriteObject* b = AddObjectAt(SmallBurst, 2, 0, 0);
    EXPECT_EQ(RemoveObject(b), nullptr);
    EXPECT_EQ(ObjectTail, a);
    SpriteObject* c = AddObjectAt(SmallBurst, 3, 0, 0);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(RemoveObject(a), c); // the head: the next becomes the head
    EXPECT_EQ(ObjectHead, c);
    EXPECT_EQ(RemoveObject(c), nullptr);
    EXPECT_EQ(ObjectHead, nullptr);
    EXPECT_EQ(ObjectTail, nullptr);
    EXPECT_EQ(AddObjectAt(SmallBurst, 4, 0, 0), ObjectHead);

    Enemy* e1 = PlaceEnemy(Common, 0, 0);
    Enemy* e2 = PlaceEnemy(Common, 1, 0);
    Enemy* e3 = PlaceEnemy(Common, 2, 0);
    EXPECT_EQ(RemoveEnemy(e2), e3);
    EXPECT_EQ(RemoveEnemy(e3), nullptr);
    EXPECT_EQ(EnemyTail, e1);
    Enemy* e4 = PlaceEnemy(Common, 3, 0);
    EXPECT_EQ(e1->next, e4);
    EXPECT_EQ(EnemyCount(), 2);
}
