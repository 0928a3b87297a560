#include "app/flow.h"

#include <cstdio>

#include "app/frame.h"
#include "app/missions.h"
#include "enemies/behaviour.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "enemies/schedule.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "players/objects.h"
#include "players/playfield.h"
#include "players/swatters.h"

int GameMode = Title;
int PlayPhase = DishRise;
uint32_t PhaseDeadline = 0;
int MissionIndex = 0;
int TwoPlayer = 0;
int PlayerScore[2] = {};
int HighScore = 0;
int TitlePending = 0;
int RiseOffset = 0;
int LastBonus = 0;
int DamageCount = 0;
int DishState = 0;

namespace {

char TextBuffer[64];

// The staff roll: a role label in a field of fifteen, then who did it.
constexpr const char* StaffLines[7] = {
    "DIRECTOR       KESTOR PROJECT", "PROGRAMMER     KESTOR PROJECT",
    "TITLE DESIGN   KESTOR PROJECT", "SOUND CREATOR  KESTOR PROJECT",
    "TEST PLAYER    KESTOR PROJECT", "               AND EVERY PLAYER",
    "               OF THIS GAME",
};

void Caption(const Font* font, int x, int y, uint32_t color, const char* format, int value) {
    std::snprintf(TextBuffer, sizeof TextBuffer, format, value);
    PutText(font, x, y, color, TextBuffer);
}

void AddToPlayers(int points) {
    PlayerScore[0] += points;
    if (TwoPlayer) PlayerScore[1] += points;
}

void DishRiseTick(uint32_t now) {
    DrawBackground();
    int height = MissionInfo[MissionIndex].height;
    if (RiseOffset >= height) RiseOffset = height;
    DrawDish(480 - RiseOffset);
    FlipFrame();
    RiseOffset += 4;
    if (PhaseDeadline < now) {
        PhaseDeadline = now + 2000;
        RiseOffset = 0;
        PlayPhase = MissionIntro;
        PlayCue(128);
    }
}

void MissionIntroTick(uint32_t now) {
    DrawBackground();
    UpdatePlayer1();
    UpdatePlayer2();
    DrawDish(0);
    DrawScoreLine();
    DrawPlayers();
    Caption(CaptionFont, 250, 100, White, "Mission %d", MissionIndex + 1);
    std::snprintf(TextBuffer, sizeof TextBuffer, "Defend The %s", MissionInfo[MissionIndex].name);
    PutText(CaptionFont, CaptionX[MissionIndex], 150, Cyan, TextBuffer);
    FlipFrame();
    if (PhaseDeadline < now) {
        PlayPhase = Battle;
        StartBattleSchedule();
    }
}

void BattleTick() {
    UpdatePlayer1();
    UpdatePlayer2();
    UpdateObjects();
    UpdateEnemies();
    ExpirePopups();
    DrawBattle();
}

void BossDownTick(uint32_t now) {
    BossDebris();
    UpdateObjects();
    DrawBackground();
    DrawDish(0);
    DrawEnemies();
    DrawObjects();
    DrawScoreLine();
    FlipFrame();
    if (PhaseDeadline < now) {
        // The boss is the one enemy the clear left, and both players share its points.
        if (EnemyHead) AddToPlayers(EnemyKinds[EnemyHead->kind].score);
        BossFinalBlast();
        PhaseDeadline = now + 2000;
        PlayPhase = MissionClear;
    }
}

void MissionClearTick(uint32_t now) {
    UpdateObjects();
    DrawBackground();
    DrawDish(0);
    DrawObjects();
    DrawScoreLine();
    FlipFrame();
    if (PhaseDeadline < now) {
        ClearObjects();
        LastBonus = FoodBonus();
        AddToPlayers(LastBonus);
        PlayPhase = MissionResult;
        PhaseDeadline = now + 3000;
    }
}

void MissionResultTick(uint32_t now) {
    DrawBackground();
    DrawDish(0);
    DrawScoreLine();
    Caption(CaptionFont, 190, 100, White, "Mission %d Completed", MissionIndex + 1);
    Caption(CaptionFont, 168, 150, LastBonus == 10000 ? Magenta : Cyan, "Flesh Food Bonus %d",
            LastBonus);
    FlipFrame();
    if (!(PhaseDeadline < now)) return;
    if (MissionIndex >= 9) {
        ClearForGameOver();
        PlayPhase = GameOver;
        PhaseDeadline = now + 8000;
    } else if (MissionIndex == 4) {
        PlayPhase = StaffRoll;
    } else {
        MissionIndex += 1;
        PlayPhase = DishRise;
        PhaseDeadline = now + 3000;
        ResetMission();
    }
}

void GameOverTick(uint32_t now) {
    DrawBackground();
    DrawDish(0);
    DrawEnemies();
    DrawScoreLine();
    PutText(CaptionFont, 240, 100, White, "Game Over");
    FlipFrame();
    if (PhaseDeadline < now) {
        // Both scores count: when both beat the record, the better one stands.
        for (int score : PlayerScore)
            if (score > HighScore) HighScore = score;
        ClearEnemies();
        GameMode = Title;
        TitlePending = 1;
        StartTitleMusic();
    }
}

void StaffRollTick() {
    DrawBackground();
    PutText(RollFont, 40, 20, Magenta, "Normal Mission Completed.");
    PutText(RollFont, 40, 50, Magenta, "Thank You For Your Play.");
    PutText(RollFont, 40, 100, Magenta, "Kestor Create Staff");
    for (int line = 0; line < 7; ++line)
        PutText(RollFont, 80, 130 + 30 * line, White, StaffLines[line]);
    PutText(RollFont, 180, 400, Yellow, "PUSH ENTER KEY!");
    FlipFrame();
}

void ExtraPromptTick() {
    DrawBackground();
    PutText(RollFont, 40, 50, Magenta, "Extra Stage Is Very Very Hard.");
    PutText(RollFont, 40, 80, Magenta, "Do You Challenge It?");
    PutText(RollFont, 160, 360, Yellow, "PUSH F1 TO CONTINUE");
    PutText(RollFont, 160, 400, Yellow, "PUSH F2 TO GAME OVER");
    FlipFrame();
}

} // namespace

bool GameFrame() {
    uint32_t now = GetTickCount();
    if (GameMode == Title) {
        if (!TitlePending) return false;
        // "Tilte", not "Title": the game's own file name, misspelt as it always shipped. The
        // build, the package and the page put the picture beside the program by this name.
        ShowTitlePicture("Tilte.bmp");
        TitlePending = 0;
        return true;
    }
    if (!FrameTick()) return false;
    switch (PlayPhase) {
    case DishRise:
        DishRiseTick(now);
        break;
    case MissionIntro:
        MissionIntroTick(now);
        break;
    case Battle:
        BattleTick();
        break;
    case BossDown:
        BossDownTick(now);
        break;
    case MissionClear:
        MissionClearTick(now);
        break;
    case MissionResult:
        MissionResultTick(now);
        break;
    case GameOver:
        GameOverTick(now);
        break;
    case StaffRoll:
        StaffRollTick();
        break;
    case ExtraPrompt:
        ExtraPromptTick();
        break;
    default:
        break;
    }
    HostTickDone();
    return true;
}

void DrawBattle() {
    DrawBackground();
    DrawDish(0);
    DrawKillGauge();
    DrawEnemies();
    DrawObjects();
    DrawScoreLine();
    DrawPlayers();
    DrawPopups();
    FlipFrame();
}

void RaiseBossDefeated(uint32_t now) {
    ClearForBossDefeat();
    PhaseDeadline = now + 3000;
    PlayPhase = BossDown;
}

void RaiseDishDestroyed(uint32_t now) {
    ClearForGameOver();
    PhaseDeadline = now + 8000;
    PlayPhase = GameOver;
}

void ResetPlayers() {
    PlaceSwatter(0, 181, 216);
    if (TwoPlayer) PlaceSwatter(1, 394, 216);
}

void ResetMission() {
    ResetPlayers();
    ClearObjects();
    ClearPopups();
    ResetSpawnState();
    DamageCount = 0;
    DishState = 0;
    FrameCounter = 0;
    Paused = 0;
    SwatActive[0] = SwatActive[1] = 0;
}

int FoodBonus() {
    if (DamageCount == 0) return 10000;
    if (DamageCount < 3) return 7000 - 2000 * DamageCount;
    return 1100 - 200 * DamageCount;
}

const char* PhaseName(int phase) {
    constexpr const char* names[] = {"DishRise", "MissionIntro", "Battle",
                                     "BossDown", "MissionClear", "MissionResult",
                                     "GameOver", "StaffRoll",    "ExtraPrompt"};
    return phase >= 0 && phase < 9 ? names[phase] : "?";
}

const char* ModeName(int mode) {
    return mode == Title ? "Title" : mode == Playing ? "Playing" : "?";
}
