// Short-lived sprites: falling items, bursts, explosions and swat marks.
#pragma once

#include <cstdint>

struct SpriteObject {
    int type;
    int x, y;
    int frame;
    uint32_t frameTick;
    SpriteObject* next;
};

struct AnimRow {
    int sheetX, sheetY;
    int frames;
    int period; // milliseconds per frame
    int width, height;
};

enum ObjectType {
    PowerUpItem,
    BombItem,
    RescueItem,
    LargeExplosion,
    LargeBurst,
    MediumBurst,
    SmallBurst,
    SwatMark1,
    SwatMark2,
    PoweredSwatMark1,
    PoweredSwatMark2
};

constexpr AnimRow AnimInfo[11] = {
    {176, 1840, 1, 0, 32, 32},   // power-up item
    {208, 1840, 1, 0, 32, 32},   // bomb item
    {240, 1840, 1, 0, 32, 32},   // dish-saving item
    {96, 240, 6, 200, 64, 64},   // large explosion (the boss's final blast)
    {0, 1872, 6, 100, 48, 48},   // large burst
    {384, 1056, 6, 100, 32, 32}, // medium burst
    {384, 1088, 6, 100, 16, 16}, // small burst
    {384, 192, 2, 300, 64, 48},  // swat mark, player 1
    {512, 192, 2, 300, 64, 48},  // swat mark, player 2
    {384, 1104, 2, 300, 96, 72}, // powered swat mark, player 1
    {384, 1184, 2, 300, 96, 72}, // powered swat mark, player 2
};

extern SpriteObject* ObjectHead;
extern SpriteObject* ObjectTail;

SpriteObject* AddObject();
// Adds an object of `type` at (x, y), frame 0, started at `now`; null when none could be had.
SpriteObject* AddObjectAt(int type, int x, int y, uint32_t now);
SpriteObject* RemoveObject(SpriteObject* object);
void ClearObjects();
void UpdateObjects();
void DrawObjects();
int InStrikeArea(const SpriteObject* object, int player);
int StunEnemies(int state);
// The burst an enemy of `kind` leaves when it is stunned.
int BurstOf(int kind);
int ObjectCount();
