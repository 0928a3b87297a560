#include "assets/palette.h"

#include <array>

namespace {

struct RampRecipe {
    int count;
    Rgb dark, mid, light;
};

// Shadows lean to cool and violet, highlights to warm: one light, warm, from the top left.
constexpr RampRecipe Recipes[MaterialCount] = {
    {6, {2, 2, 10}, {14, 14, 46}, {44, 40, 96}},          // Space
    {5, {56, 66, 110}, {170, 182, 222}, {255, 255, 255}}, // Star
    {4, {90, 60, 40}, {230, 180, 100}, {255, 244, 210}},  // WarmStar
    {6, {12, 12, 22}, {96, 98, 118}, {214, 218, 230}},    // FlyGrey
    {6, {44, 0, 10}, {196, 22, 32}, {255, 184, 160}},     // Eye
    {5, {56, 74, 110}, {140, 172, 204}, {236, 248, 255}}, // Wing
    {6, {2, 26, 12}, {36, 170, 60}, {210, 255, 170}},     // ToughGreen
    {5, {34, 30, 6}, {176, 170, 60}, {252, 250, 196}},    // BroodYellow
    {6, {26, 8, 22}, {130, 56, 80}, {236, 168, 160}},     // CarrierPlum
    {6, {40, 22, 8}, {162, 118, 66}, {244, 220, 164}},    // Sack
    {6, {14, 2, 30}, {98, 38, 146}, {224, 168, 255}},     // BossViolet
    {6, {56, 26, 0}, {222, 160, 20}, {255, 252, 190}},    // Gold
    {6, {46, 0, 12}, {222, 40, 40}, {255, 196, 170}},     // Player1Red
    {6, {0, 8, 52}, {36, 110, 232}, {184, 234, 255}},     // Player2Blue
    {5, {38, 18, 6}, {150, 92, 40}, {242, 194, 124}},     // Handle
    {6, {24, 36, 0}, {156, 200, 30}, {252, 255, 196}},    // Goo
    {7, {70, 0, 0}, {240, 118, 0}, {255, 255, 210}},      // Fire
    {5, {18, 16, 24}, {88, 84, 96}, {182, 178, 188}},     // Smoke
    {5, {6, 6, 14}, {48, 54, 76}, {172, 182, 214}},       // Steel
    {7, {56, 64, 88}, {196, 202, 214}, {255, 255, 255}},  // Porcelain
    {4, {10, 20, 72}, {48, 90, 184}, {152, 192, 252}},    // PlateBlue
    {5, {92, 86, 72}, {226, 222, 202}, {255, 255, 248}},  // Rice
    {6, {48, 18, 0}, {178, 98, 20}, {250, 204, 104}},     // CurrySauce
    {4, {84, 20, 0}, {240, 112, 20}, {255, 204, 124}},    // Carrot
    {4, {92, 70, 20}, {232, 202, 100}, {255, 246, 184}},  // Potato
    {6, {38, 14, 8}, {138, 68, 40}, {232, 162, 112}},     // Beef
    {7, {58, 18, 0}, {200, 110, 30}, {255, 224, 136}},    // Roast
    {5, {0, 38, 4}, {58, 168, 40}, {204, 255, 144}},      // Leaf
    {6, {58, 0, 10}, {222, 30, 44}, {255, 184, 172}},     // Berry
    {6, {112, 84, 96}, {222, 210, 204}, {255, 255, 250}}, // Cream
    {5, {102, 60, 10}, {240, 200, 92}, {255, 246, 184}},  // Sponge
    {4, {92, 62, 22}, {222, 182, 112}, {255, 242, 204}},  // Onion
    {6, {66, 28, 0}, {210, 130, 42}, {255, 222, 144}},    // Bun
    {4, {120, 70, 0}, {250, 192, 22}, {255, 250, 152}},   // Cheese
    {6, {20, 4, 4}, {140, 22, 22}, {242, 112, 92}},       // Lacquer
    {5, {0, 30, 12}, {30, 200, 84}, {204, 255, 204}},     // Gauge
    {6, {10, 4, 30}, {70, 30, 110}, {210, 120, 200}},     // Nebula
};

Rgb Mix(Rgb a, Rgb b, float t) {
    auto m = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(static_cast<float>(x) + (static_cast<float>(y) - x) * t + 0.5f);
    };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Ramps fill the table from entry 1 up, stepping over the key.
struct Table {
    Palette colours{};
    std::array<Ramp, MaterialCount> ramps{};
};

Table Build() {
    Table t;
    int next = 1;
    for (int m = 0; m < MaterialCount; ++m) {
        const RampRecipe& s = Recipes[m];
        if (next <= Key && next + s.count > Key) next = Key + 1;
        t.ramps[m] = {static_cast<uint8_t>(next), s.count};
        for (int i = 0; i < s.count; ++i) {
            float p = static_cast<float>(i) / static_cast<float>(s.count - 1);
            t.colours[next + i] =
                p < 0.5f ? Mix(s.dark, s.mid, p * 2) : Mix(s.mid, s.light, p * 2 - 1);
        }
        next += s.count;
    }
    t.colours[Black] = {0, 0, 0};
    t.colours[Key] = KeyColour;
    t.colours[Yellow] = {255, 255, 0};
    t.colours[Magenta] = {255, 0, 255};
    t.colours[Cyan] = {0, 255, 255};
    t.colours[White] = {255, 255, 255};
    return t;
}

const Table& TheTable() {
    static const Table table = Build();
    return table;
}

} // namespace

Ramp RampOf(Material m) {
    return TheTable().ramps[m];
}

const Palette& SheetPalette() {
    return TheTable().colours;
}

Ramp RampAt(uint8_t index) {
    for (const Ramp& r : TheTable().ramps)
        if (index >= r.first && index < r.first + r.count) return r;
    return {index, 0};
}

uint8_t Shifted(uint8_t index, int steps) {
    Ramp r = RampAt(index);
    if (r.count == 0) return index;
    int t = index - r.first - steps;
    return r[t < 1 ? 1 : t];
}
