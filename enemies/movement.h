// One tick of an enemy's movement: the five patterns and the boss's five paths.
#pragma once

struct Enemy;

constexpr double Pi = 3.1415926535;

// The sideways swing of a Wave at `degrees` along its wave.
int WaveOffset(double degrees);
// Moves the enemy by one tick; true when it has left through the bottom edge.
bool MoveEnemy(Enemy* e);
