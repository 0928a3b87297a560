#include "enemies/effects.h"

ScorePopup* PopupHead = nullptr;
ScorePopup* PopupTail = nullptr;
int BossIconToggle = 0;

void KillAward(int, Enemy*, uint32_t) {}
void CatchAward(int, Enemy*, uint32_t) {}
void MultiKillBonus(int, int, uint32_t) {}
void ExpirePopups() {}
void DrawPopups() {}
void ClearPopups() {}
int PopupCount() { return 0; }
void BossDebris() {}
void BossFinalBlast() {}
void DrawScoreLine() {}
void DrawKillGauge() {}
