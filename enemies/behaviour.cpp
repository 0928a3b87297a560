#include "enemies/behaviour.h"

void UpdateEnemies() {}
void DrawEnemies() {}
