#include "players/playfield.h"

#include <algorithm>

#include "app/flow.h"
#include "app/missions.h"
#include "platform/display.h"
#include "platform/sound.h"

int ScrollOffset = 0;
int DishFlicker = 0;

void DrawBackground() {
    int remaining = 480;
    bool first = true;
    while (remaining > 0) {
        int top = 0, bottom;
        if (first) {
            top = ScrollOffset;
            bottom = 160;
            first = false;
        } else {
            bottom = std::min(remaining, 160);
        }
        DrawSprite(0, 480 - remaining, 0, top, 640, bottom);
        remaining -= bottom - top;
    }
    // 161 offsets, not 160: the picture of offset 0 stands for two frames of each cycle.
    if (++ScrollOffset > 160) ScrollOffset = 0;
}

void DrawDish(int top) {
    int level = DishState;
    if (DamageCount == 5 && PlayPhase == Battle) {
        if (DishFlicker == 1) {
            DishFlicker = 0;
            level += 1;
        } else {
            DishFlicker = 1;
        }
        PlayCue(112);
    }
    const MissionRow& m = MissionInfo[MissionIndex];
    const int px[3] = {m.intactX, m.damagedX, m.eatenX};
    const int py[3] = {m.intactY, m.damagedY, m.eatenY};
    level = std::clamp(level, 0, 2);
    int x = 320 - m.width / 2;
    if (top == 0)
        DrawSprite(x, 480 - m.height, px[level], py[level], px[level] + m.width,
                   py[level] + m.height);
    else
        DrawSprite(x, top, px[level], py[level], px[level] + m.width, py[level] + 480 - top);
}
