// A mission in play without the flow's waits: Boot, the mission's reset, the Battle phase,
// and small helpers to place enemies and swatters and to read what a tick played and drew.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/flow.h"
#include "app/frame.h"
#include "boot.h"
#include "enemies/enemies.h"
#include "enemies/schedule.h"
#include "platform/display.h"
#include "platform/host/headless/headless.h"
#include "platform/sound.h"
#include "players/swatters.h"
#include "tests/spawn.h"

inline void StartBattle(int mission, int twoPlayer = 0) {
    Boot();
    GameMode = Playing;
    MissionIndex = mission;
    TwoPlayer = twoPlayer;
    ResetMission();
    PlayerScore[0] = PlayerScore[1] = 0;
    PlayPhase = Battle;
    StartBattleSchedule();
    HeadlessTakeStartedVoices();
}

// A Flying enemy of `kind` at (x, y), as a spawner would leave it.
inline Enemy* PlaceEnemy(int kind, int x, int y, int pattern = Line, int speed = 8,
                         int angle = 90) {
    return Spawn(AppendEnemy(), kind, pattern, x, y, speed, angle);
}

// Puts a player's swatter, normal size, so that its mesh centre is at (cx, cy), and swats.
inline void SwatAt(int player, int cx, int cy) {
    PlaceSwatter(player, cx - 32, cy - 20);
    SwatActive[player] = 1;
}

// The clips started since the last call, by WAV number.
inline std::vector<int> Cues() {
    std::vector<int> ids;
    for (int voice : HeadlessTakeStartedVoices())
        if (int id = ClipIdOfVoice(voice)) ids.push_back(id);
    return ids;
}

inline bool Played(const std::vector<int>& cues, int id) {
    return std::find(cues.begin(), cues.end(), id) != cues.end();
}

// The back buffer's pixel at a screen point.
inline uint8_t BackPixel(int x, int y) {
    return lpDDSBack->pixels[static_cast<size_t>(y) * lpDDSBack->pitch + x];
}

// Fills a rectangle of the sheet surface with one colour, so that a test can tell which
// cell was drawn where.
inline void PaintSheet(int left, int top, int width, int height, uint8_t colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            lpDDSSheet->pixels[static_cast<size_t>(y) * lpDDSSheet->pitch + x] = colour;
}
