#include "enemies/schedule.h"

MissionSchedule MissionSchedules[10];

void ConvertSchedules() {}
void StartBattleSchedule() {}
bool RunScheduleSpawner(int) { return false; }
bool RunCarrierSpawner() { return false; }
bool RunBossSpawner() { return false; }
void BroodDrop(Enemy*) {}
