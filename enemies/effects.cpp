#include "enemies/effects.h"

#include <cmath>
#include <cstdlib>

#include "app/flow.h"
#include "app/lists.h"
#include "enemies/enemies.h"
#include "enemies/strikes.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "players/objects.h"
#include "players/swatters.h"

ScorePopup* PopupHead = nullptr;
ScorePopup* PopupTail = nullptr;
int BossIconToggle = 0;

namespace {

ScorePopup* RemovePopup(ScorePopup* popup) {
    return RemoveNode(PopupHead, PopupTail, popup);
}

// Eight digits with leading zeros, 16 px apart.
void DrawScore(int x, int score) {
    uint32_t value = static_cast<uint32_t>(score);
    for (uint32_t place = 10000000; place > 0; place /= 10, x += 16) {
        int d = static_cast<int>(value / place % 10);
        DrawSprite(x, 24, ScoreDigitX + 16 * d, ScoreDigitY, ScoreDigitX + 16 * d + 16,
                   ScoreDigitY + 16);
    }
}

} // namespace

void AddPopup(int style, int x, int y, int value, uint32_t now) {
    ScorePopup* popup = AppendNode(PopupHead, PopupTail);
    if (!popup) return;
    *popup = {style, x, y, value, now, nullptr};
}

void KillAward(int player, Enemy* enemy, uint32_t now) {
    const EnemyKindInfo& kind = EnemyKinds[enemy->kind];
    const StrikeBox box = StrikeBoxOf(player);
    int ex = enemy->x + kind.size / 2, ey = enemy->y + kind.size / 2;
    int px = box.x + box.w / 2, py = box.y + (box.h - box.i) / 2;
    int points = kind.score, style = 0;
    if (ex - 2 <= px && px < ex + 2 && ey - 2 <= py && py < ey + 2) {
        points = 5 * kind.score;
        style = 1;
        PlayCue(118);
    } else if (ex - 4 <= px && px < ex + 4 && ey - 4 <= py && py < ey + 4) {
        points = 2 * kind.score;
        PlayCue(118);
    } else {
        PlayCue(123);
    }
    PlayerScore[player] += points;
    AddPopup(style, enemy->x, enemy->y - 16, points, now);
    AddObjectAt(BurstOf(enemy->kind), enemy->x, enemy->y, now);
}

void CatchAward(int player, Enemy* enemy, uint32_t now) {
    catchChain += 1;
    int points = catchChain < 6 ? 100 * catchChain : 600;
    PlayerScore[player] += points;
    AddPopup(0, enemy->x, enemy->y - 16, points, now);
}

void MultiKillBonus(int player, int kills, uint32_t now) {
    int points = static_cast<int>(std::pow(2, kills)) * 100;
    PlayerScore[player] += points;
    const Swatter& s = Swatters[player];
    AddPopup(2, s.x + s.width / 2 - 16, s.y - 32, points, now);
}

void ExpirePopups() {
    const uint32_t now = GetTickCount();
    for (ScorePopup* p = PopupHead; p;) p = now - p->created >= 1000 ? RemovePopup(p) : p->next;
}

void DrawPopups() {
    for (const ScorePopup* p = PopupHead; p; p = p->next) {
        // Right-aligned in four places; a bigger number takes more places to the left.
        int places = 4, top = 1000;
        for (int rest = p->value / 10000; rest > 0; rest /= 10) {
            places += 1;
            top *= 10;
        }
        int x = p->x - 8 * (places - 4);
        if (p->style == 2) {
            DrawSprite(x, p->y, BonusMarkX, BonusMarkY, BonusMarkX + 8, BonusMarkY + 16);
            x += 8;
        }
        const int digitX = p->style == 0 ? PopupDigitX : PopupDigit2X;
        bool shown = false;
        for (int place = top; place > 0; place /= 10, x += 8) {
            int d = p->value / place % 10;
            if (d == 0 && !shown) continue;
            shown = true;
            DrawSprite(x, p->y, digitX + 8 * d, PopupDigitY, digitX + 8 * d + 8, PopupDigitY + 16);
        }
    }
}

void ClearPopups() {
    ClearNodes(PopupHead, PopupTail);
}

int PopupCount() {
    int count = 0;
    for (const ScorePopup* p = PopupHead; p; p = p->next) ++count;
    return count;
}

void BossDebris() {
    const Enemy* boss = EnemyHead;
    if (!boss) return;
    const int spread = EnemyKinds[Boss].size - AnimInfo[MediumBurst].width;
    int x = boss->x + rand() % spread;
    int y = boss->y + rand() % spread;
    AddObjectAt(MediumBurst, x, y, GetTickCount());
    PlayCue(123);
}

void BossFinalBlast() {
    const Enemy* boss = EnemyHead;
    ClearObjects();
    if (boss) AddObjectAt(LargeExplosion, boss->x, boss->y, GetTickCount());
    ClearEnemies();
    PlayCue(121);
}

void DrawScoreLine() {
    DrawSprite(32, 8, Label1X, LabelY, Label1X + 48, LabelY + 16);
    DrawSprite(480, 8, Label2X, LabelY, Label2X + 48, LabelY + 16);
    DrawSprite(256, 8, LabelHighX, LabelY, LabelHighX + 160, LabelY + 16);
    DrawScore(32, PlayerScore[0]);
    DrawScore(480, PlayerScore[1]);
    DrawScore(256, HighScore);
}

void DrawKillGauge() {
    for (int n = 0; n < 50; ++n) {
        int left = n < killGauge ? GaugeLitX : GaugeUnlitX;
        DrawSprite(n % 2 == 0 ? 624 : 608, (29 - n / 2) * 16, left, GaugeY, left + 16, GaugeY + 16);
    }
    int icon = BossIconX;
    if (bossPending != 1) {
        // A boss on the screen: the icon blinks, one picture per drawing.
        if (BossIconToggle == 1) icon = BossIcon2X;
        BossIconToggle = BossIconToggle == 1 ? 0 : 1;
    }
    DrawSprite(608, 48, icon, BossIconY, icon + 32, BossIconY + 32);
}
