// One Battle tick, update and drawing, with a crowd of live enemies.
#include <benchmark/benchmark.h>

#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "enemies/schedule.h"
#include "platform/host/headless/headless.h"
#include "players/objects.h"
#include "tests/bench/mission.h"
#include "tests/spawn.h"

namespace {

// `count` flying enemies of the three ordinary kinds and patterns, spread over the upper
// screen, with the schedule held on a pause so that the crowd is the same every tick.
void Crowd(int count) {
    ClearEnemies();
    ClearObjects();
    ClearPopups();
    DamageCount = DishState = 0;
    scheduleCursor = 1;
    rowDeadline = FrameCounter + 100000;
    for (int i = 0; i < count; ++i) {
        Enemy* e = Spawn(AppendEnemy(), i % 3, i % 3, 40 + (i * 37) % 520, (i * 53) % 250,
                         8 + i % 5, 20 + (i * 7) % 140);
        e->step1 = e->step2 = i % 9;
    }
}

void BM_BattleTick(benchmark::State& state) {
    StartMission();
    for (auto _ : state) {
        state.PauseTiming();
        Crowd(static_cast<int>(state.range(0)));
        HeadlessAdvance(40);
        state.ResumeTiming();
        GameFrame();
    }
    state.SetLabel(PlayPhase == Battle ? "Battle" : PhaseName(PlayPhase));
}
BENCHMARK(BM_BattleTick)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
