// Points, score popups, the boss's end, the score line, the kill gauge and the boss icon.
#pragma once

#include <cstdint>

struct Enemy;

struct ScorePopup {
    int style; // 0 plain, 1 centre hit, 2 multi-kill bonus
    int x, y;
    int value;
    uint32_t created;
    ScorePopup* next;
};

// Sheet cells of the score line, the popups, the kill gauge and the boss icon.
constexpr int PopupDigitX = 0, PopupDigit2X = 80, PopupDigitY = 1840; // 8x16, digit d at x + 8d
constexpr int BonusMarkX = 160, BonusMarkY = 1840;                    // 8x16
constexpr int ScoreDigitX = 0, ScoreDigitY = 448;                     // 16x16, digit d at x + 16d
constexpr int Label1X = 160, Label2X = 208, LabelHighX = 256, LabelY = 448; // 48, 48, 160 x 16
constexpr int GaugeLitX = 464, GaugeUnlitX = 448, GaugeY = 1264;            // 16x16
constexpr int BossIconX = 384, BossIcon2X = 416, BossIconY = 1264;          // 32x32

extern ScorePopup* PopupHead;
extern ScorePopup* PopupTail;
extern int BossIconToggle;

// Appends a popup; none when no memory can be had.
void AddPopup(int style, int x, int y, int value, uint32_t now);
void KillAward(int player, Enemy* enemy, uint32_t now);
void CatchAward(int player, Enemy* enemy, uint32_t now);
void MultiKillBonus(int player, int kills, uint32_t now);
void ExpirePopups();
void DrawPopups();
void ClearPopups();
int PopupCount();
void BossDebris();
void BossFinalBlast();
void DrawScoreLine();
void DrawKillGauge();
