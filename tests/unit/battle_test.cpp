// Whole battles through kestor-sim: one won by the built-in player, one lost to the flies.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/flow.h"
#include "tools/sim/sim.h"

namespace {

struct Span {
    const TraceRow* first = nullptr;
    const TraceRow* last = nullptr;
};

// The first and last tick rows of `phase` in `mission`.
Span PhaseSpan(const SimResult& r, int mission, int phase) {
    Span s;
    for (const TraceRow& row : r.rows) {
        if (row.key >= 0 || row.mode != Playing || row.mission != mission || row.phase != phase)
            continue;
        if (!s.first) s.first = &row;
        s.last = &row;
    }
    return s;
}

bool Heard(const TraceRow& row, int id) {
    return std::find(row.cues.begin(), row.cues.end(), id) != row.cues.end();
}

SimResult Seeded(const std::string& script, long long seed) {
    SimOptions options;
    options.haveSeed = true;
    options.seed = seed;
    return RunSim(script, options);
}

} // namespace

TEST(Battle, TheBuiltInPlayerWinsTheFirstMissionAndTheFlowRunsOnToTheSecond) {
    SimResult r = Seeded("autoplay on\nkey F1\nwait 70000\nkey ESCAPE\n", 1);
    ASSERT_EQ(r.exitCode, 0);
    Span battle = PhaseSpan(r, 0, Battle), down = PhaseSpan(r, 0, BossDown),
         clear = PhaseSpan(r, 0, MissionClear), result = PhaseSpan(r, 0, MissionResult),
         next = PhaseSpan(r, 1, DishRise);
    ASSERT_TRUE(battle.first && down.first && clear.first && result.first && next.first);
    // Fifty kills brought the boss, whose clip sounded; its last hit point ended the battle.
    bool bossHeard = false;
    for (const TraceRow* row = battle.first; row <= battle.last; ++row)
        bossHeard = bossHeard || Heard(*row, 113);
    EXPECT_TRUE(bossHeard);
    EXPECT_GE(battle.last->gauge, 50);
    EXPECT_EQ(down.first->enemies, 1);
    EXPECT_EQ(down.first->popups, 0);
    // The waits: 3000 ms of debris, 2000 of the blast, 3000 of the result.
    EXPECT_NEAR(static_cast<double>(clear.first->t - down.first->t), 3000, 80);
    EXPECT_NEAR(static_cast<double>(result.first->t - clear.first->t), 2000, 80);
    EXPECT_NEAR(static_cast<double>(next.first->t - result.first->t), 3000, 80);
    bool debrisHeard = false;
    for (const TraceRow* row = down.first; row <= down.last; ++row)
        debrisHeard = debrisHeard || Heard(*row, 123);
    EXPECT_TRUE(debrisHeard);
    EXPECT_TRUE(Heard(*clear.first, 121));
    EXPECT_EQ(clear.first->enemies, 0);
    EXPECT_EQ(clear.first->objects, 1);
    // The boss's thousand, then the fresh-food bonus for the dish as it stands.
    EXPECT_EQ(clear.first->p1 - down.last->p1, 1000);
    const int bonus[6] = {10000, 5000, 3000, 500, 300, 100};
    EXPECT_EQ(result.first->p1 - clear.last->p1, bonus[result.first->damage]);
    EXPECT_EQ(next.first->gauge, 0);
    EXPECT_EQ(next.first->damage, 0);
    EXPECT_EQ(next.first->p1, result.last->p1);
}

TEST(Battle, SixLandingsDestroyTheDishAndTheGameEndsOnTheTitle) {
    SimResult r = Seeded("key F1\nwait 60000\n", 5);
    ASSERT_EQ(r.exitCode, 0);
    Span battle = PhaseSpan(r, 0, Battle), over = PhaseSpan(r, 0, GameOver);
    ASSERT_TRUE(battle.first && over.first);
    int damage = 0;
    for (const TraceRow* row = battle.first; row <= battle.last; ++row) {
        EXPECT_GE(row->damage, damage);
        damage = row->damage;
        EXPECT_EQ(row->dish, damage >= 3 ? 1 : 0) << row->t;
    }
    EXPECT_EQ(damage, 5);
    EXPECT_EQ(over.first->damage, 6);
    EXPECT_EQ(over.first->dish, 2);
    EXPECT_TRUE(Heard(*over.first, 124));
    EXPECT_EQ(over.first->enemies, 6); // the six eaters stay on the dish
    EXPECT_EQ(over.first->objects, 0);
    // Eight seconds of "Game Over", then the title with its music.
    auto title = std::find_if(r.rows.begin(), r.rows.end(), [&](const TraceRow& row) {
        return row.t > over.first->t && row.mode == Title;
    });
    ASSERT_NE(title, r.rows.end());
    EXPECT_NEAR(static_cast<double>(title->t - over.first->t), 8000, 80);
    EXPECT_EQ(title->enemies, 0);
    EXPECT_TRUE(Heard(*title, 134));
}
