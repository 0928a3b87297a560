#include "players/objects.h"

SpriteObject* ObjectHead = nullptr;
SpriteObject* ObjectTail = nullptr;

SpriteObject* AddObject() { return nullptr; }
SpriteObject* AddObjectAt(int, int, int, uint32_t) { return nullptr; }
SpriteObject* RemoveObject(SpriteObject*) { return nullptr; }
void ClearObjects() {}
void UpdateObjects() {}
void DrawObjects() {}
int InStrikeArea(const SpriteObject*, int) { return 0; }
int StunEnemies(int) { return 0; }
int ObjectCount() { return 0; }
