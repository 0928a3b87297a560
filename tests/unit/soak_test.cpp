// A long run of random play: the game never breaks its own rules, whatever it is handed.
// Disabled in the ordinary run; the sanitizer build of the test command runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

#include "app/flow.h"
#include "enemies/enemies.h"
#include "tools/sim/sim.h"

namespace {

// Every (mode, phase) step the flow may take from one tick to the next.
bool Allowed(int fromMode, int fromPhase, int toMode, int toPhase) {
    if (fromMode == toMode && fromPhase == toPhase) return true;
    if (fromMode == Title) return toMode == Playing && toPhase == DishRise;
    if (toMode == Title) return fromPhase == GameOver;
    static const std::set<std::pair<int, int>> steps = {
        {DishRise, MissionIntro},  {MissionIntro, Battle},     {Battle, BossDown},
        {Battle, GameOver},        {BossDown, MissionClear},   {MissionClear, MissionResult},
        {MissionResult, GameOver}, {MissionResult, StaffRoll}, {MissionResult, DishRise},
        {StaffRoll, ExtraPrompt},  {ExtraPrompt, DishRise},    {ExtraPrompt, GameOver}};
    return steps.count({fromPhase, toPhase}) > 0;
}

void Soak(uint32_t ticks, uint32_t seed) {
    std::string script =
        "autoplay on\nchaos " + std::to_string(ticks * 40u) + " " + std::to_string(seed) + "\n";
    TraceRow last{};
    last.mode = Title;
    long long rows = 0, games = 0, missionsWon = 0;
    int mostEnemies = 0;
    int lastMission = 0;
    SimOptions options;
    options.haveSeed = true;
    options.seed = seed;
    SimResult r = RunSim(script, options, nullptr, [&](const TraceRow& row) {
        ++rows;
        ASSERT_TRUE(Allowed(last.mode, last.phase, row.mode, row.phase))
            << PhaseName(last.phase) << " -> " << PhaseName(row.phase) << " at " << row.t;
        bool newGame = last.mode == Title && row.mode == Playing;
        games += newGame;
        if (!newGame) {
            ASSERT_GE(row.p1, last.p1) << row.t;
            ASSERT_GE(row.p2, last.p2) << row.t;
        }
        ASSERT_GE(row.hi, last.hi);
        ASSERT_TRUE(row.damage >= 0 && row.damage <= 6) << row.damage;
        int dish = row.damage >= 6 ? 2 : row.damage >= 3 ? 1 : 0;
        ASSERT_EQ(row.dish, dish) << "damage " << row.damage << " at " << row.t;
        ASSERT_TRUE(row.mission >= 0 && row.mission <= 9);
        missionsWon += row.phase == MissionResult && last.phase == MissionClear;
        if (row.mission != lastMission) lastMission = row.mission;
        mostEnemies = std::max(mostEnemies, row.enemies);
        // Only carriers that flew off the right edge may pile up, and only within a mission.
        ASSERT_LT(row.objects, 2000);
        ASSERT_LT(row.popups, 2000);
        last = row;
    });
    EXPECT_EQ(r.exitCode, 0);
    std::printf("soak: %lld ticks, %lld games, %lld missions won, at most %d enemies at once\n",
                rows, games, missionsWon, mostEnemies);
    EXPECT_GT(games, 0);
}

} // namespace

TEST(Soak, TenThousandTicksOfRandomPlay) {
    Soak(10000, 3);
}

TEST(Soak, DISABLED_AMillionTicksOfRandomPlay) {
    Soak(1000000, 11);
}
