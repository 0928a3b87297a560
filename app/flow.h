// The two game modes, the nine phases of a mission, scores and the high score.
#pragma once

#include <cstdint>

enum GameModes { Title = 2, Playing = 3 };
enum PlayPhases {
    DishRise,
    MissionIntro,
    Battle,
    BossDown,
    MissionClear,
    MissionResult,
    GameOver,
    StaffRoll,
    ExtraPrompt
};

extern int GameMode;
extern int PlayPhase;
extern uint32_t PhaseDeadline;
extern int MissionIndex;
extern int TwoPlayer;
extern int PlayerScore[2];
extern int HighScore;
extern int TitlePending;
extern int RiseOffset;
extern int LastBonus;
extern int DamageCount;
extern int DishState;

// Runs one frame of the current mode; returns true when it did any work.
bool GameFrame();
void ResetMission();
void ResetPlayers();
int FoodBonus();
void DrawBattle();
// The two events the enemy update raises inside Battle; `now` is the update's clock.
void RaiseBossDefeated(uint32_t now);
void RaiseDishDestroyed(uint32_t now);
// Phase names as the trace prints them.
const char* PhaseName(int phase);
const char* ModeName(int mode);
