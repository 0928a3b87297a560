// Whole games through kestor-sim, steered by its built-in player: the road from the title
// through all ten missions, two players sharing the boss, a lost game and its restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/flow.h"
#include "enemies/enemies.h"
#include "platform/host/headless/headless.h"
#include "tools/sim/sim.h"

namespace {

struct Step {
    int mode, phase, mission;
    bool operator==(const Step&) const = default;
};

// The tick rows where mode, phase or mission changes: the game's road.
std::vector<TraceRow> Road(const SimResult& r) {
    std::vector<TraceRow> road;
    for (const TraceRow& row : r.rows) {
        if (row.key >= 0) continue;
        if (road.empty() || road.back().mode != row.mode || road.back().phase != row.phase ||
            road.back().mission != row.mission)
            road.push_back(row);
    }
    return road;
}

std::vector<Step> Steps(const std::vector<TraceRow>& road) {
    std::vector<Step> steps;
    for (const TraceRow& row : road)
        if (row.mode == Playing) steps.push_back({row.mode, row.phase, row.mission});
    return steps;
}

void AddMission(std::vector<Step>& steps, int mission) {
    for (int phase : {DishRise, MissionIntro, Battle, BossDown, MissionClear, MissionResult})
        steps.push_back({Playing, phase, mission});
}

// The last tick row before `at` in the trace, for the scores a transition started from.
TraceRow Before(const SimResult& r, const TraceRow& at) {
    TraceRow last;
    for (const TraceRow& row : r.rows)
        if (row.key < 0 && row.t < at.t) last = row;
    return last;
}

int Bonus(int damage) {
    if (damage == 0) return 10000;
    if (damage < 3) return 7000 - 2000 * damage;
    return 1100 - 200 * damage;
}

// Every won mission pays the boss's 1000 on entering MissionClear and the food bonus on
// entering MissionResult, to player 1 and, in a two-player game, to player 2 as well.
void ExpectMissionAwards(const SimResult& r, const std::vector<TraceRow>& road, bool twoPlayer) {
    for (const TraceRow& step : road) {
        if (step.mode != Playing) continue;
        const TraceRow before = Before(r, step);
        if (step.phase == MissionClear) {
            SCOPED_TRACE("boss of mission " + std::to_string(step.mission + 1));
            EXPECT_EQ(step.p1 - before.p1, EnemyKinds[Boss].score);
            EXPECT_EQ(step.p2 - before.p2, twoPlayer ? EnemyKinds[Boss].score : 0);
        } else if (step.phase == MissionResult) {
            SCOPED_TRACE("bonus of mission " + std::to_string(step.mission + 1));
            EXPECT_EQ(step.p1 - before.p1, Bonus(before.damage));
            EXPECT_EQ(step.p2 - before.p2, twoPlayer ? Bonus(before.damage) : 0);
        }
    }
}

bool Sounded(const TraceRow& row, int clip) {
    return std::find(row.cues.begin(), row.cues.end(), clip) != row.cues.end();
}

// The built-in player wins missions 1 to 5; Enter after the staff roll brings the prompt.
const std::string ToTheExtraPrompt = "key F1\nautoplay on\nwait 450000\nkey ENTER\nwait 1000\n";

SimOptions Seeded(long long seed) {
    SimOptions options;
    options.haveSeed = true;
    options.seed = seed;
    return options;
}

} // namespace

TEST(Playthrough, OnePlayerWinsAllTenMissions) {
    SimResult r = RunSim(ToTheExtraPrompt + "key F1\nwait 750000\nkey ESCAPE\n", Seeded(2));
    EXPECT_EQ(r.exitCode, 0);
    std::vector<TraceRow> road = Road(r);
    std::vector<Step> want;
    for (int mission = 0; mission < 5; ++mission) AddMission(want, mission);
    want.push_back({Playing, StaffRoll, 4});
    want.push_back({Playing, ExtraPrompt, 4});
    for (int mission = 5; mission < 10; ++mission) AddMission(want, mission);
    want.push_back({Playing, GameOver, 9});
    EXPECT_EQ(Steps(road), want);
    ExpectMissionAwards(r, road, false);

    // "Game Over" stands for 8000 ms, then the title; the record is the game's score.
    auto over = std::find_if(road.begin(), road.end(),
                             [](const TraceRow& row) { return row.phase == GameOver; });
    ASSERT_NE(over, road.end());
    ASSERT_NE(over + 1, road.end());
    const TraceRow& title = *(over + 1);
    EXPECT_EQ(title.mode, Title);
    EXPECT_GT(title.t - over->t, 8000u - 40u);
    EXPECT_LE(title.t - over->t, 8000u + 40u);
    EXPECT_GT(title.p1, 100000);
    EXPECT_EQ(title.hi, title.p1);
    EXPECT_EQ(title.p2, 0);
}

TEST(Playthrough, TwoPlayersBothScoreAndShareTheBossAndTheBonus) {
    SimResult r = RunSim("key F2\nautoplay 2\nwait 120000\nkey ESCAPE\n", Seeded(5));
    EXPECT_EQ(r.exitCode, 0);
    std::vector<TraceRow> road = Road(r);
    std::vector<Step> steps = Steps(road);
    std::vector<Step> first;
    AddMission(first, 0);
    ASSERT_GE(steps.size(), first.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), steps.begin()));
    ExpectMissionAwards(r, road, true);
    // Player 2 swatted flies of its own, beyond what it was given.
    const TraceRow& result = *std::find_if(
        road.begin(), road.end(), [](const TraceRow& row) { return row.phase == MissionResult; });
    EXPECT_GT(result.p2, EnemyKinds[Boss].score + Bonus(result.damage));
}

TEST(Playthrough, ALostMissionRestartsWithF3AtThatMissionWithScoresAtZero) {
    // The built-in player wins the first mission and leaves the second to the flies.
    std::vector<TraceRow> rows;
    SimResult r = RunSim("key F1\nautoplay on\nwait 400000\nkey F3\nwait 5000\nkey ESCAPE\n",
                         Seeded(3), nullptr, [&rows](const TraceRow& row) {
                             if (row.mode == Playing && row.mission == 1) SetAutoplay(0);
                             rows.push_back(row);
                         });
    r.rows = rows;
    EXPECT_EQ(r.exitCode, 0);
    std::vector<TraceRow> road = Road(r);
    auto lost = std::find_if(road.begin(), road.end(),
                             [](const TraceRow& row) { return row.phase == GameOver; });
    ASSERT_NE(lost, road.end());
    EXPECT_EQ(lost->mission, 1);
    EXPECT_EQ(lost->damage, 6);
    EXPECT_TRUE(Sounded(*lost, 124));
    const TraceRow before = Before(r, *lost);
    EXPECT_EQ(before.phase, Battle);
    ASSERT_GT(before.p1, 0);

    auto again = std::find_if(lost, road.end(), [](const TraceRow& row) {
        return row.mode == Playing && row.phase == DishRise;
    });
    ASSERT_NE(again, road.end());
    EXPECT_EQ(again->mission, 1);
    EXPECT_EQ(again->p1, 0);
    EXPECT_EQ(again->damage, 0);
    EXPECT_EQ(again->hi, before.p1);
}

TEST(Playthrough, DecliningTheExtraMissionsEndsTheGameAndF3RestartsMissionFive) {
    SimResult r =
        RunSim(ToTheExtraPrompt + "key F2\nwait 10000\nkey F3\nwait 5000\nkey ESCAPE\n", Seeded(4));
    EXPECT_EQ(r.exitCode, 0);
    std::vector<TraceRow> road = Road(r);
    auto prompt = std::find_if(road.begin(), road.end(),
                               [](const TraceRow& row) { return row.phase == ExtraPrompt; });
    ASSERT_NE(prompt, road.end());
    ASSERT_GE(road.end() - prompt, 4);
    const TraceRow& over = *(prompt + 1);
    EXPECT_EQ(over.phase, GameOver);
    EXPECT_EQ(over.mission, 4);
    const TraceRow& title = *(prompt + 2);
    EXPECT_EQ(title.mode, Title);
    EXPECT_EQ(title.hi, over.p1);
    const TraceRow& restart = *(prompt + 3);
    EXPECT_EQ(restart.mode, Playing);
    EXPECT_EQ(restart.phase, DishRise);
    EXPECT_EQ(restart.mission, 4);
    EXPECT_EQ(restart.p1, 0);
    EXPECT_EQ(restart.hi, over.p1);
}

namespace {

struct Picture {
    std::vector<uint8_t> pixels;
    std::vector<HostColor> colours;
};

Picture Screen() {
    const HostColor* palette = HeadlessScreenPalette();
    return {HeadlessScreen(), std::vector<HostColor>(palette, palette + 256)};
}

// Pixels of a caption's colour in the box where its text stands.
int Inked(const Picture& p, int x, int y, int w, int h, bool (*colour)(const HostColor&)) {
    int n = 0;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            n += colour(p.colours[p.pixels[static_cast<size_t>(row) * 640 + col]]);
    return n;
}

bool IsWhite(const HostColor& c) {
    return c.r > 200 && c.g > 200 && c.b > 200;
}
bool IsCyan(const HostColor& c) {
    return c.r < 100 && c.g > 200 && c.b > 200;
}
bool IsMagenta(const HostColor& c) {
    return c.r > 200 && c.g < 100 && c.b > 200;
}

} // namespace

TEST(Playthrough, MissionOneShowsItsCaptionsAndSoundsItsCues) {
    std::vector<TraceRow> rows;
    Picture intro, result;
    SimResult r = RunSim("wait 500\nkey F1\nautoplay on\nwait 70000\nkey ESCAPE\n", Seeded(2),
                         nullptr, [&](const TraceRow& row) {
                             rows.push_back(row);
                             if (row.key >= 0 || row.mode != Playing) return;
                             if (row.phase == MissionIntro) intro = Screen();
                             if (row.phase == MissionResult) result = Screen();
                         });
    r.rows = rows;
    ASSERT_FALSE(intro.pixels.empty());
    ASSERT_FALSE(result.pixels.empty());
    EXPECT_GT(Inked(intro, 250, 100, 140, 36, IsWhite), 200);  // "Mission 1"
    EXPECT_GT(Inked(intro, 180, 150, 280, 36, IsCyan), 400);   // "Defend The CURRY"
    EXPECT_GT(Inked(result, 190, 100, 280, 36, IsWhite), 400); // "Mission 1 Completed"
    const TraceRow before =
        Before(r, *std::find_if(rows.begin(), rows.end(), [](const TraceRow& row) {
                   return row.key < 0 && row.phase == MissionResult;
               }));
    // "Flesh Food Bonus %d": magenta for the whole 10000, cyan for less.
    EXPECT_GT(Inked(result, 168, 150, 320, 36, before.damage == 0 ? IsMagenta : IsCyan), 400);

    // The title's tune at start-up, the fanfare opening the mission, the swatter's swish, the
    // boss's pulse and its final blast.
    auto heard = [&](int clip, int phase) {
        return std::any_of(rows.begin(), rows.end(), [&](const TraceRow& row) {
            return (phase < 0 || (row.mode == Playing && row.phase == phase)) && Sounded(row, clip);
        });
    };
    EXPECT_TRUE(heard(128, MissionIntro));
    EXPECT_TRUE(heard(105, Battle));
    EXPECT_TRUE(heard(113, Battle));
    EXPECT_TRUE(heard(121, -1));
}
