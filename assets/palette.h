// The one colour table of the sprite sheet: a ramp of tones per material, dark to light.
// Tone 0 of every ramp is its outline colour; shading uses the tones above it.
#pragma once

#include <cstdint>

#include "assets/bmp.h"

// The colour key: the game takes it from the sheet pixel at (0, 80).
constexpr uint8_t Key = 59;
constexpr Rgb KeyColour = {252, 4, 252};

// Pure colours the captions ask for; the display picks the nearest entry.
constexpr uint8_t Black = 0, White = 255, Cyan = 254, Magenta = 253, Yellow = 252;

enum Material {
    Space,
    Star,
    WarmStar,
    FlyGrey,
    Eye,
    Wing,
    ToughGreen,
    BroodYellow,
    CarrierPlum,
    Sack,
    BossViolet,
    Gold,
    Player1Red,
    Player2Blue,
    Handle,
    Goo,
    Fire,
    Smoke,
    Steel,
    Porcelain,
    PlateBlue,
    Rice,
    CurrySauce,
    Carrot,
    Potato,
    Beef,
    Roast,
    Leaf,
    Berry,
    Cream,
    Sponge,
    Onion,
    Bun,
    Cheese,
    Lacquer,
    Gauge,
    Nebula,
    MaterialCount
};

struct Ramp {
    uint8_t first;
    int count;
    // Tone t, held inside the ramp.
    uint8_t operator[](int t) const {
        return static_cast<uint8_t>(first + (t < 0 ? 0 : t >= count ? count - 1 : t));
    }
    int Top() const { return count - 1; }
};

Ramp RampOf(Material m);
const Palette& SheetPalette();
// The ramp holding palette entry `index`; count 0 for the key and the pure colours.
Ramp RampAt(uint8_t index);
// The same material `steps` tones darker (negative: lighter), never down to the outline tone.
uint8_t Shifted(uint8_t index, int steps);
