// The star field behind the play: a tile that scrolls up and repeats, so everything on it
// wraps at the tile's edges and the seam never shows.
#include <algorithm>
#include <cmath>

#include "assets/sheet.h"

namespace {

constexpr int TileWidth = 320, TileHeight = 80;

// Faint nebula: waves whose periods divide the tile, so the field joins itself seamlessly.
float Haze(int x, int y) {
    float u = Tau * static_cast<float>(x) / TileWidth, v = Tau * static_cast<float>(y) / TileHeight;
    float h = std::sin(u * 2 + std::sin(v) * 1.5f) * 0.5f + std::sin(u * 3 - v + 1.3f) * 0.3f +
              std::cos(v * 2 + u * 1.0f) * 0.35f;
    return std::clamp(h * 0.5f + 0.2f, 0.0f, 1.0f);
}

void PutWrapped(Canvas& c, int x, int y, uint8_t colour) {
    c.Put((x % TileWidth + TileWidth) % TileWidth, (y % TileHeight + TileHeight) % TileHeight,
          colour);
}

// A star of size 0 (a dot) to 3 (a sparkle with long rays), lit to tone `tone`.
void DrawStar(Canvas& c, int x, int y, int size, Ramp ramp, int tone) {
    PutWrapped(c, x, y, ramp[tone]);
    for (int r = 1; r <= size; ++r) {
        uint8_t ray = ramp[tone - r];
        PutWrapped(c, x + r, y, ray);
        PutWrapped(c, x - r, y, ray);
        PutWrapped(c, x, y + r, ray);
        PutWrapped(c, x, y - r, ray);
    }
    if (size >= 2) {
        uint8_t glow = ramp[tone - 2];
        for (int d : {-1, 1}) {
            PutWrapped(c, x + d, y + 1, glow);
            PutWrapped(c, x + d, y - 1, glow);
        }
    }
}

} // namespace

Canvas StarTile() {
    Canvas tile(TileWidth, TileHeight);
    Ramp space = RampOf(Space), nebula = RampOf(Nebula);
    for (int y = 0; y < TileHeight; ++y)
        for (int x = 0; x < TileWidth; ++x) {
            float h = Haze(x, y);
            // The nebula's edge is dithered into the dark, so it glows rather than sits on it.
            bool glow = h > 0.58f + 0.08f * Dither(x, y);
            tile.Put(x, y,
                     glow ? ToneAt(nebula, (h - 0.58f) * 0.9f, x, y, 1.0f)
                          : ToneAt(space, h * 0.55f - 0.1f, x, y, 1.0f));
        }
    Rng rng{0x5EED1234u};
    Ramp star = RampOf(Star), warm = RampOf(WarmStar);
    for (int i = 0; i < 150; ++i) {
        int x = rng.Below(TileWidth), y = rng.Below(TileHeight);
        int roll = rng.Below(100);
        Ramp ramp = rng.Below(5) == 0 ? warm : star;
        if (roll < 70)
            DrawStar(tile, x, y, 0, ramp, 1 + rng.Below(ramp.Top()));
        else if (roll < 92)
            DrawStar(tile, x, y, 1, ramp, ramp.Top());
        else if (roll < 98)
            DrawStar(tile, x, y, 2, ramp, ramp.Top());
        else
            DrawStar(tile, x, y, 3, star, star.Top());
    }
    return tile;
}

void DrawStarField(Canvas& sheet) {
    PlaceAt(sheet, StarTile(), 0, 0);
}
