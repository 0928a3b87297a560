// Each mission's spawn schedule, the formation table and the four spawners.
#pragma once

#include <cstdint>

struct ScheduleRow {
    int entry; // 0 pause, 1 random mode, 2.. formation row
    int delay;
};

struct MissionSchedule {
    int count; // ordinary rows; the final row stands at index count
    ScheduleRow rows[201];
};

extern MissionSchedule MissionSchedules[10];

void ConvertSchedules();
// When Battle begins: the current row's wait starts now.
void StartBattleSchedule();
// The most Common and Tough enemies random mode lets onto the screen at once.
int RandomCeiling();
bool RunScheduleSpawner(int aliveCount);
bool RunCarrierSpawner();
bool RunBossSpawner();
struct Enemy;
void BroodDrop(Enemy* carrier);
