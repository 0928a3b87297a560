// The third mission in its battle, on the headless host, started once for all the benchmarks
// of a run that need a game in play.
#pragma once

#include "app/flow.h"
#include "app/frame.h"
#include "enemies/schedule.h"
#include "platform/host/headless/headless.h"

inline void StartMission() {
    static bool started = false;
    if (started) return;
    HeadlessReset();
    AppInit();
    GameMode = Playing;
    MissionIndex = 2;
    ResetMission();
    PlayPhase = Battle;
    started = true;
}
