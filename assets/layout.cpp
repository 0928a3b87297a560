#include "assets/layout.h"

#include "app/missions.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "players/objects.h"
#include "players/swatters.h"

namespace {

constexpr const char* KindNames[5] = {"COMMON", "TOUGH", "BROOD", "CARRIER", "BOSS"};
constexpr const char* AnimNames[11] = {"POWER-UP", "BOMB",   "RESCUE", "BLAST",
                                       "BURST L",  "BURST M", "BURST S", "MARK 1",
                                       "MARK 2",   "BIG MARK 1", "BIG MARK 2"};
constexpr const char* DishStates[3] = {"INTACT", "DAMAGED", "EATEN"};

void AddRow(std::vector<SheetCell>& cells, const std::string& name, int x, int y, int w, int h,
            int count) {
    for (int i = 0; i < count; ++i)
        cells.push_back({count > 1 ? name + " " + std::to_string(i) : name, x + i * w, y, w, h,
                         false});
}

void AddSwatter(std::vector<SheetCell>& cells, const std::string& name, const Rect& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    cells.push_back({name, r.left, r.top, w, h, false});
    cells.push_back({name + " SWING", r.left + w, r.top, w, h, false});
}

} // namespace

std::vector<SheetCell> SheetCells() {
    std::vector<SheetCell> cells;
    cells.push_back({"STARS", 0, 0, 640, 160, false});
    for (int k = 0; k < 5; ++k) {
        const EnemyKindInfo& kind = EnemyKinds[k];
        AddRow(cells, KindNames[k], kind.sheetX, kind.sheetY, kind.size, kind.size,
               kind.frameCount);
        if (kind.maxHitPoints > 1)
            AddRow(cells, std::string(KindNames[k]) + " HURT", kind.sheetX + kind.frameCount * kind.size,
                   kind.sheetY, kind.size, kind.size, kind.frameCount);
    }
    // Common and Tough share one falling picture.
    for (int k : {0, 2, 3})
        cells.push_back({std::string(KindNames[k]) + " FALL", FallSprite[k].sheetX,
                         FallSprite[k].sheetY, FallSprite[k].size, FallSprite[k].size, false});
    for (int t = 0; t < 11; ++t) {
        const AnimRow& a = AnimInfo[t];
        AddRow(cells, AnimNames[t], a.sheetX, a.sheetY, a.width, a.height, a.frames);
        // A swat mark shows for one period and then vanishes: its last frame is empty.
        if (t >= SwatMark1) cells.back().blank = true;
    }
    for (int p = 0; p < 2; ++p) {
        AddSwatter(cells, "SWATTER " + std::to_string(p + 1), NormalPicture[p]);
        AddSwatter(cells, "BIG SWATTER " + std::to_string(p + 1), PoweredPicture[p]);
    }
    AddRow(cells, "DIGIT", ScoreDigitX, ScoreDigitY, 16, 16, 10);
    cells.push_back({"1UP", Label1X, LabelY, 48, 16, false});
    cells.push_back({"2UP", Label2X, LabelY, 48, 16, false});
    cells.push_back({"HI-SCORE", LabelHighX, LabelY, 160, 16, false});
    AddRow(cells, "POP", PopupDigitX, PopupDigitY, 8, 16, 10);
    AddRow(cells, "POP HOT", PopupDigit2X, PopupDigitY, 8, 16, 10);
    cells.push_back({"BONUS", BonusMarkX, BonusMarkY, 8, 16, false});
    cells.push_back({"GAUGE OFF", GaugeUnlitX, GaugeY, 16, 16, false});
    cells.push_back({"GAUGE ON", GaugeLitX, GaugeY, 16, 16, false});
    cells.push_back({"BOSS ICON 0", BossIconX, BossIconY, 32, 32, false});
    cells.push_back({"BOSS ICON 1", BossIcon2X, BossIconY, 32, 32, false});
    for (int m = 0; m < 5; ++m) {
        const MissionRow& d = MissionInfo[m];
        const int xs[3] = {d.intactX, d.damagedX, d.eatenX};
        const int ys[3] = {d.intactY, d.damagedY, d.eatenY};
        for (int s = 0; s < 3; ++s)
            cells.push_back({std::string(d.name) + " " + DishStates[s], xs[s], ys[s], d.width,
                             d.height, false});
    }
    return cells;
}
