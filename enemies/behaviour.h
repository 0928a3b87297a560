// The per-tick life of every enemy and its drawing.
#pragma once

void UpdateEnemies();
void DrawEnemies();
