// Points, popups, the boss's end and the displays of the battle: the score line, the kill
// gauge and the boss icon. Drawings are read back from a sheet painted cell by cell.
#include <gtest/gtest.h>

#include <cstdlib>

#include "battle.h"
#include "enemies/behaviour.h"
#include "enemies/effects.h"
#include "players/objects.h"

namespace {

void QuietBattle(int mission, int twoPlayer = 0) {
    StartBattle(mission, twoPlayer);
    scheduleCursor = 1; // a pause
    rowDeadline = 100000;
}

// Paints every cell these displays use in a colour of its own and clears the back buffer.
void PaintCells() {
    for (int d = 0; d < 10; ++d) {
        PaintSheet(8 * d, 1840, 8, 16, static_cast<uint8_t>(100 + d));
        PaintSheet(80 + 8 * d, 1840, 8, 16, static_cast<uint8_t>(120 + d));
        PaintSheet(16 * d, 448, 16, 16, static_cast<uint8_t>(160 + d));
    }
    PaintSheet(160, 1840, 8, 16, 140);
    PaintSheet(464, 1264, 16, 16, 150); // gauge lit
    PaintSheet(448, 1264, 16, 16, 151); // unlit
    PaintSheet(384, 1264, 32, 32, 152); // boss icon
    PaintSheet(416, 1264, 32, 32, 153);
    PaintSheet(160, 448, 48, 16, 170);
    PaintSheet(208, 448, 48, 16, 171);
    PaintSheet(256, 448, 160, 16, 172);
    ASSERT_LT(lpDDSSheet->colorKey, 100);
    ClearSurface(lpDDSBack);
}

// The colours of the eight-pixel places of a popup row starting at (x, y).
std::vector<int> Places(int x, int y, int places) {
    std::vector<int> seen;
    for (int i = 0; i < places; ++i) seen.push_back(BackPixel(x + 8 * i + 3, y + 7));
    return seen;
}

// The kill award for a Common at (100, 100), centre (116, 116), struck with the swatter's
// centre at (px, py): the points, the popup's style, and whether the better sound played.
struct Award {
    int points, style;
    bool sharp;
};
Award KillWithCentreAt(int px, int py) {
    Enemy e{};
    e.kind = Common;
    e.x = e.y = 100;
    PlaceSwatter(0, px - 32, py - 20);
    int before = PlayerScore[0];
    HeadlessAdvance(3000); // let the last kill's clip end
    Cues();
    KillAward(0, &e, GetTickCount());
    std::vector<int> cues = Cues();
    EXPECT_NE(Played(cues, 118), Played(cues, 123));
    return {PlayerScore[0] - before, PopupTail->style, Played(cues, 118)};
}

} // namespace

TEST(Effects, ACarrierKilledDeadCentreGivesFiveTimesItsScoreInTheSecondColour) {
    QuietBattle(0);
    Enemy* carrier = PlaceEnemy(Carrier, 200, 100, Cross);
    carrier->hitPoints = 1;
    SwatAt(0, 224, 124);
    UpdateEnemies();
    EXPECT_EQ(PlayerScore[0], 1250);
    ASSERT_EQ(PopupCount(), 1);
    EXPECT_EQ(PopupHead->style, 1);
    EXPECT_EQ(PopupHead->value, 1250);
    EXPECT_EQ(PopupHead->x, 200);
    EXPECT_EQ(PopupHead->y, 84);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(ObjectHead->type, LargeBurst);
    EXPECT_EQ(ObjectHead->x, 200);
    EXPECT_TRUE(Played(Cues(), 118));
    EXPECT_EQ(killGauge, 1);
}

TEST(Effects, TheCentreWindowsReachFurtherLeftAndUpThanRightAndDown) {
    QuietBattle(0);
    struct Case {
        int px, py, points, style;
    };
    const Case cases[] = {
        {116, 116, 500, 1}, {114, 114, 500, 1}, {117, 117, 500, 1}, {118, 116, 200, 0},
        {116, 118, 200, 0}, {113, 116, 200, 0}, {112, 112, 200, 0}, {119, 119, 200, 0},
        {111, 116, 100, 0}, {116, 111, 100, 0}, {120, 116, 100, 0}, {116, 120, 100, 0},
    };
    for (const Case& c : cases) {
        Award a = KillWithCentreAt(c.px, c.py);
        EXPECT_EQ(a.points, c.points) << c.px << "," << c.py;
        EXPECT_EQ(a.style, c.style) << c.px << "," << c.py;
        EXPECT_EQ(a.sharp, c.points > 100) << c.px << "," << c.py;
    }
    // A bigger swatter's centre sits lower: (x + 48, y + 30).
    PowerUp(0);
    Swatters[0].x = 116 - 48;
    Swatters[0].y = 116 - 30;
    Enemy e{};
    e.kind = Tough;
    e.x = e.y = 100;
    int before = PlayerScore[0];
    KillAward(0, &e, 0);
    EXPECT_EQ(PlayerScore[0] - before, 1000);
}

TEST(Effects, CatchesChainUpToSixHundredAndAnUncaughtFallStartsAgain) {
    QuietBattle(0, 1);
    Enemy e{};
    e.x = 50;
    e.y = 300;
    const int points[] = {100, 200, 300, 400, 500, 600, 600};
    int total[2] = {0, 0};
    for (int i = 0; i < 7; ++i) {
        CatchAward(i % 2, &e, 0); // the chain is shared by both players
        total[i % 2] += points[i];
        EXPECT_EQ(PopupTail->value, points[i]);
        EXPECT_EQ(PopupTail->style, 0);
        EXPECT_EQ(PopupTail->y, 284);
    }
    EXPECT_EQ(PlayerScore[0], total[0]);
    EXPECT_EQ(PlayerScore[1], total[1]);
    // A caught fly through the update: removed, with its sound.
    Enemy* falling = PlaceEnemy(Common, 200, 200);
    falling->state = Falling;
    SwatAt(0, 216, 216);
    UpdateEnemies();
    EXPECT_EQ(EnemyCount(), 0);
    EXPECT_EQ(catchChain, 8);
    EXPECT_TRUE(Played(Cues(), 126));
    // One that falls out of the bottom ends the chain.
    SwatActive[0] = 0;
    PlaceEnemy(Common, 200, 476)->state = Falling;
    UpdateEnemies();
    EXPECT_EQ(EnemyCount(), 0);
    EXPECT_EQ(catchChain, 0);
    CatchAward(0, &e, 0);
    EXPECT_EQ(PopupTail->value, 100);
}

TEST(Effects, TwoKillsInOneTickBringTheBonusAboveTheSwatter) {
    QuietBattle(0, 1);
    PlaceEnemy(Common, 200, 100);
    PlaceEnemy(Common, 200, 100);
    PlaceEnemy(Common, 400, 100);
    SwatAt(0, 216, 116);
    SwatAt(1, 416, 116); // one kill: no bonus
    UpdateEnemies();
    EXPECT_EQ(PlayerScore[0], 500 + 500 + 400);
    EXPECT_EQ(PlayerScore[1], 500);
    ASSERT_EQ(PopupCount(), 4);
    EXPECT_EQ(PopupTail->style, 2);
    EXPECT_EQ(PopupTail->value, 400);
    EXPECT_EQ(PopupTail->x, 184 + 32 - 16);
    EXPECT_EQ(PopupTail->y, 96 - 32);
    EXPECT_EQ(killGauge, 3);
    const int bonus[] = {400, 800, 1600, 3200, 6400, 12800};
    for (int k = 2; k <= 7; ++k) {
        int before = PlayerScore[1];
        MultiKillBonus(1, k, 0);
        EXPECT_EQ(PlayerScore[1] - before, bonus[k - 2]);
    }
}

TEST(Effects, TheBossGivesBothPlayersItsThousandAndEndsInOneBlast) {
    QuietBattle(0, 1);
    PlaceEnemy(Common, 10, 10);
    Enemy* boss = PlaceEnemy(Boss, 300, 100, BossPath, 12, 20);
    boss->hitPoints = 1;
    PlaceEnemy(Tough, 20, 20);
    AddPopup(0, 0, 0, 100, 0);
    AddObjectAt(PowerUpItem, 0, 0, 0);
    SwatAt(1, 332, 132); // player 2 strikes the last blow
    HeadlessAdvance(100);
    UpdateEnemies();
    EXPECT_EQ(PlayPhase, BossDown);
    EXPECT_EQ(PhaseDeadline, 3100u);
    ASSERT_EQ(EnemyCount(), 1);
    EXPECT_EQ(EnemyHead->kind, Boss);
    EXPECT_EQ(EnemyHead->state, Flying);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(PopupCount(), 0);
    EXPECT_EQ(PlayerScore[1], 0); // the boss is not scored by the kill award
    SwatActive[1] = 0;
    Cues();
    int debris = 0;
    NextTickTime = 0;
    while (PlayPhase == BossDown) {
        GameFrame();
        HeadlessAdvance(40);
        if (PlayPhase == BossDown) debris = ObjectCount();
    }
    EXPECT_GT(debris, 10);
    EXPECT_EQ(PlayPhase, MissionClear);
    EXPECT_EQ(PlayerScore[0], 1000);
    EXPECT_EQ(PlayerScore[1], 1000);
    EXPECT_EQ(EnemyCount(), 0);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(ObjectHead->type, LargeExplosion);
    EXPECT_EQ(ObjectHead->x, 300);
    EXPECT_EQ(ObjectHead->y, 100);
    std::vector<int> cues = Cues();
    EXPECT_TRUE(Played(cues, 123));
    EXPECT_TRUE(Played(cues, 121));
}

TEST(Effects, BossDebrisBurstsAtRandomWithinTheBoss) {
    QuietBattle(2);
    PlaceEnemy(Boss, 250, 150, BossPath);
    for (unsigned seed : {1u, 2u, 3u}) {
        std::srand(seed);
        int x = 250 + std::rand() % 32;
        int y = 150 + std::rand() % 32;
        std::srand(seed);
        BossDebris();
        EXPECT_EQ(ObjectTail->type, MediumBurst);
        EXPECT_EQ(ObjectTail->x, x);
        EXPECT_EQ(ObjectTail->y, y);
    }
}

TEST(Effects, PopupsLastOneSecond) {
    QuietBattle(0);
    HeadlessAdvance(500);
    AddPopup(0, 0, 0, 100, 500);
    AddPopup(0, 0, 0, 200, 700);
    HeadlessAdvance(999);
    ExpirePopups();
    EXPECT_EQ(PopupCount(), 2);
    HeadlessAdvance(1);
    ExpirePopups();
    ASSERT_EQ(PopupCount(), 1);
    EXPECT_EQ(PopupHead->value, 200);
    HeadlessAdvance(200);
    ExpirePopups();
    EXPECT_EQ(PopupCount(), 0);
    EXPECT_EQ(PopupTail, nullptr);
}

TEST(Effects, PopupsAreRightAlignedWithBlankLeadingPlaces) {
    QuietBattle(0);
    PaintCells();
    AddPopup(0, 100, 100, 600, 0);
    AddPopup(1, 100, 200, 1050, 0);
    AddPopup(2, 100, 300, 400, 0);
    AddPopup(0, 100, 400, 0, 0);
    AddPopup(2, 300, 100, 12800, 0); // the field grows one place to the left
    DrawPopups();
    const int blank = 0;
    EXPECT_EQ(Places(100, 100, 5), (std::vector<int>{blank, 106, 100, 100, blank}));
    EXPECT_EQ(Places(100, 200, 4), (std::vector<int>{121, 120, 125, 120}));
    EXPECT_EQ(Places(100, 300, 6), (std::vector<int>{140, blank, 124, 120, 120, blank}));
    EXPECT_EQ(Places(92, 400, 6), (std::vector<int>(6, blank)));
    EXPECT_EQ(Places(284, 100, 7), (std::vector<int>{blank, 140, 121, 122, 128, 120, 120}));
}

TEST(Effects, TheScoreLineShowsEightDigitsOfEachScore) {
    QuietBattle(0); // one player: player 2's line is drawn too
    PaintCells();
    PlayerScore[0] = 12345678;
    HighScore = 99;
    DrawScoreLine();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(BackPixel(32 + 16 * i + 8, 32), 161 + i);
        EXPECT_EQ(BackPixel(480 + 16 * i + 8, 32), 160);
        EXPECT_EQ(BackPixel(256 + 16 * i + 8, 32), i < 6 ? 160 : 169);
    }
    EXPECT_EQ(BackPixel(32, 8), 170);
    EXPECT_EQ(BackPixel(480, 8), 171);
    EXPECT_EQ(BackPixel(415, 23), 172);
}

TEST(Effects, TheGaugeFillsFromTheBottomInPairsAndTheIconBlinksOnlyForABossOnScreen) {
    QuietBattle(0);
    PaintCells();
    killGauge = 30; // after a boss has landed
    std::vector<int> icon;
    for (int drawing = 0; drawing < 3; ++drawing) {
        DrawKillGauge();
        icon.push_back(BackPixel(620, 60));
    }
    for (int n = 0; n < 50; ++n) {
        int x = n % 2 == 0 ? 624 : 608, y = (29 - n / 2) * 16;
        EXPECT_EQ(BackPixel(x + 8, y + 8), n < 30 ? 150 : 151) << "cell " << n;
    }
    bossPending = 0;
    for (int drawing = 0; drawing < 4; ++drawing) {
        DrawKillGauge();
        icon.push_back(BackPixel(620, 60));
    }
    EXPECT_EQ(icon, (std::vector<int>{152, 152, 152, 152, 153, 152, 153}));
}
