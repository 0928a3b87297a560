// The mission flow through the whole program: keys, phase waits on the virtual clock, scores.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/flow.h"
#include "app/frame.h"
#include "boot.h"
#include "platform/host/host.h"
#include "tools/sim/sim.h"

namespace {

// The clock of the first tick row in `phase`, or -1.
long FirstTickIn(const SimResult& r, int phase) {
    for (const TraceRow& row : r.rows)
        if (row.key < 0 && row.mode == Playing && row.phase == phase) return row.t;
    return -1;
}

} // namespace

TEST(Flow, F1OpensTheFirstMissionAndItsPhasesFollowTheirWaits) {
    SimResult r = RunSim("wait 100\nkey F1\nwait 6000\nkey ESCAPE\n", {});
    EXPECT_EQ(r.exitCode, 0);
    // F1 at 100: DishRise waits 3000 ms and ends at the first tick after 3100.
    EXPECT_EQ(FirstTickIn(r, DishRise), 100);
    long intro = FirstTickIn(r, MissionIntro);
    EXPECT_GT(intro, 3100);
    EXPECT_LE(intro, 3100 + 40);
    long battle = FirstTickIn(r, Battle);
    EXPECT_GT(battle, intro + 2000 - 40);
    EXPECT_LE(battle, intro + 2000 + 40);
    // MissionIntro opens with the fanfare.
    auto opening = std::find_if(r.rows.begin(), r.rows.end(),
                                [](const TraceRow& row) { return row.phase == MissionIntro; });
    ASSERT_NE(opening, r.rows.end());
    EXPECT_NE(std::find(opening->cues.begin(), opening->cues.end(), 128), opening->cues.end());
}

TEST(Flow, TicksComeEvery40MsAndNeverCatchUp) {
    SimResult r = RunSim("key F1\nwait 1000\n", {});
    std::vector<uint32_t> ticks;
    for (const TraceRow& row : r.rows)
        if (row.key < 0) ticks.push_back(row.t);
    ASSERT_GE(ticks.size(), 20u);
    for (size_t i = 1; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - ticks[i - 1], 40u);
}

TEST(Flow, APauseFreezesTicksButNotThePhaseWaits) {
    // Pause during MissionIntro for longer than its wait: the battle starts at the first tick
    // after the pause ends.
    SimResult r = RunSim("key F1\nwait 3500\nkey PAUSE\nwait 4000\nkey A\nwait 200\n", {});
    long paused = 3500, resumed = 7500;
    for (const TraceRow& row : r.rows) {
        bool inPause =
            row.t > static_cast<uint32_t>(paused) && row.t < static_cast<uint32_t>(resumed);
        if (row.key < 0) {
            EXPECT_FALSE(inPause) << row.t;
        }
    }
    long battle = FirstTickIn(r, Battle);
    EXPECT_GE(battle, resumed);
    EXPECT_LE(battle, resumed + 40);
}

TEST(Flow, KeysThatDoNotApplyAreIgnored) {
    SimResult r = RunSim("key F3\nwait 100\nkey ENTER\nkey F2\nkey F1\nwait 100\n", {});
    // F3 on the first title starts mission 1 alone; F1, F2, Enter in DishRise do nothing.
    for (const TraceRow& row : r.rows) {
        if (row.key < 0) continue;
        EXPECT_EQ(row.mode, Playing);
        EXPECT_EQ(row.phase, DishRise);
        EXPECT_EQ(row.mission, 0);
    }
    EXPECT_EQ(TwoPlayer, 0);
}

TEST(Flow, EscapeFocusLossAndClosingAllEndWithZero) {
    EXPECT_EQ(RunSim("wait 50\nkey ESCAPE\n", {}).exitCode, 0);
    EXPECT_EQ(RunSim("key F1\nwait 500\nfocus lost\n", {}).exitCode, 0);
    EXPECT_EQ(RunSim("close\n", {}).exitCode, 0);
}

TEST(Flow, AFailingStartUpShowsItsBoxesAndEndsWithOne) {
    struct Case {
        const char* fail;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"resource:BIN:101", {"Error: LoadResource リソースロード失敗"}},
        {"display",
         {"DirectDraw Error: DirectDrawCreate Failed", "Error: DDInit DirectDraw 初期化失敗"}},
        {"mouse",
         {"DirectInput Error: DirectInputCreate Failed", "Error: DIInit DirectInput 初期化失敗"}},
    };
    for (const Case& c : cases) {
        SimOptions options;
        options.fails = {c.fail};
        SimResult r = RunSim("wait 100\n", options);
        EXPECT_EQ(r.exitCode, 1) << c.fail;
        std::vector<std::string> boxes;
        for (const HeadlessBox& b : r.boxes) {
            boxes.push_back(b.title + ": " + b.text);
            // The window is made before the start-up, so a box before the display step is a
            // box too; only where there is no display at all is there no window.
            EXPECT_EQ(b.windowed, std::string(c.fail) != "display") << b.text;
        }
        EXPECT_EQ(boxes, c.boxes) << c.fail;
        EXPECT_TRUE(r.rows.empty());
    }
}

TEST(Flow, FoodBonusShrinksWithEveryLanding) {
    const int want[6] = {10000, 5000, 3000, 500, 300, 100};
    for (int d = 0; d < 6; ++d) {
        DamageCount = d;
        EXPECT_EQ(FoodBonus(), want[d]) << d;
    }
}

TEST(Flow, ResetMissionPutsThePlayersAndCountersBack) {
    Boot();
    TwoPlayer = 1;
    DamageCount = 4;
    DishState = 1;
    FrameCounter = 77;
    Paused = 1;
    ResetMission();
    EXPECT_EQ(DamageCount, 0);
    EXPECT_EQ(DishState, 0);
    EXPECT_EQ(FrameCounter, 0u);
    EXPECT_EQ(Paused, 0);
}
