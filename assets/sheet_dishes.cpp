// The five dishes the players defend, each intact, damaged (bites taken, crumbs about) and
// eaten (little left on the plate). Each is built from the tableware up; the food goes on a
// layer of its own so that bites can be cut out of it before it is outlined.
#include <algorithm>
#include <cmath>

#include "app/missions.h"
#include "assets/sheet.h"

namespace {

enum State { Intact, Damaged, Eaten };

// A plate seen from the front and above: its foot, the rim lit from the top left and the
// well, which being hollow catches the light on its far side.
void Plate(Canvas& c, float cx, float cy, float rx, float ry, Material band) {
    Ramp china = RampOf(Porcelain);
    FillEllipse(c, cx + 1, cy + 2.5f, rx * 0.98f, ry, china[1]);
    Paint(c, int(cx - rx), int(cy - ry), int(cx + rx + 1), int(cy + ry + 1),
          [&](int x, int y, float px, float py) {
              float dx = (px - cx) / rx, dy = (py - cy) / ry, d = dx * dx + dy * dy;
              if (d > 1) return -1;
              float wx = dx / 0.8f, wy = dy / 0.74f, w = wx * wx + wy * wy;
              if (w <= 1) return int(ToneAt(china, 0.62f + 0.22f * (wx + wy) * 0.5f, x, y, 0.8f));
              if (w <= 1.14f && band != Porcelain) return int(RampOf(band)[2]);
              return int(ToneAt(china, 0.95f - 0.35f * (dx + dy), x, y, 0.8f));
          });
}

// Teeth marks: a scalloped round bite out of the food layer. Where the food is more than a
// crust, the bitten edge shows its `inside` (pass MaterialCount for none).
void Bite(Canvas& food, float cx, float cy, float r, Material inside = MaterialCount) {
    auto edge = [&](float dx, float dy) {
        return r * (1 + 0.11f * std::cos(std::atan2(dy, dx) * 9));
    };
    Paint(food, int(cx - r - 5), int(cy - r - 5), int(cx + r + 6), int(cy + r + 6),
          [&](int x, int y, float px, float py) {
              float dx = px - cx, dy = py - cy, d = std::sqrt(dx * dx + dy * dy);
              float e = edge(dx, dy);
              if (d <= e) return int(Key);
              if (inside == MaterialCount || d > e + 2.5f || !food.Opaque(x, y)) return -1;
              return int(ToneAt(RampOf(inside), 0.75f - (d - e) * 0.15f, x, y, 0.8f));
          });
}

struct Spot {
    int x, y;
};
// A pixel anywhere in the ellipse, evenly spread over its area.
Spot Scatter(Rng& rng, float cx, float cy, float rx, float ry) {
    float a = rng.Uniform(0, Tau), d = std::sqrt(rng.Uniform(0, 1));
    return {int(cx + std::cos(a) * d * rx), int(cy + std::sin(a) * d * ry)};
}

// Crumbs of `ramp` strewn in the ellipse, only onto pixels that are already drawn.
void Crumbs(Canvas& c, float cx, float cy, float rx, float ry, Ramp ramp, int count,
            uint32_t seed) {
    Rng rng{seed};
    for (int i = 0; i < count; ++i) {
        auto [x, y] = Scatter(rng, cx, cy, rx, ry);
        if (!c.Opaque(x, y)) continue;
        c.Put(x, y, ramp[ramp.Top() - 1]);
        if (rng.Below(2) && c.Opaque(x + 1, y)) c.Put(x + 1, y, ramp[2]);
        if (c.Opaque(x, y + 1)) c.Put(x, y + 1, ramp[1]);
    }
}

// A texture of small flecks a tone lighter or darker over whatever is drawn in the ellipse.
void Speckle(Canvas& c, float cx, float cy, float rx, float ry, int count, int steps,
             uint32_t seed) {
    Rng rng{seed};
    for (int i = 0; i < count; ++i) {
        auto [x, y] = Scatter(rng, cx, cy, rx, ry);
        if (c.Opaque(x, y) && RampAt(c.At(x, y)).count > 0) c.Put(x, y, Shifted(c.At(x, y), steps));
    }
}

// A flattened lit lump of food: a shaded ellipse whose upper side bulges toward the light.
void Lump(Canvas& c, float cx, float cy, float rx, float ry, Material m, float lift = 0) {
    ShadeBall(c, cx, cy, rx, ry, RampOf(m), 0.7f, lift);
}

// --- Curry and rice ---------------------------------------------------------------------

Canvas CurryDish(State s) {
    Canvas c(160, 64);
    Plate(c, 80, 37, 78, 24, PlateBlue);
    Canvas food(160, 64);
    if (s != Eaten) {
        Lump(food, 56, 31, 34, 17, Rice, 0.05f);
        Speckle(food, 56, 31, 32, 15, 260, 1, 11);
        Speckle(food, 56, 30, 28, 12, 120, -1, 12);
        // The sauce pools over the right half and laps against the rice.
        Paint(food, 60, 16, 150, 58, [&](int x, int y, float px, float py) {
            float dx = (px - 103) / 42, dy = (py - 38) / 16;
            float wobble = 0.08f * std::sin(px * 0.35f) + 0.06f * std::cos(py * 0.9f);
            if (dx * dx + dy * dy > 1 + wobble) return -1;
            return int(ToneAt(RampOf(CurrySauce), 0.55f - 0.25f * dx - 0.35f * dy, x, y, 0.8f));
        });
        struct Piece {
            float x, y, rx, ry;
            Material m;
        };
        constexpr Piece Pieces[] = {
            {88, 34, 5, 4, Potato},  {104, 28, 5.5f, 4, Beef},   {120, 36, 5, 3.5f, Carrot},
            {98, 44, 5, 4, Carrot},  {116, 46, 5.5f, 4, Potato}, {132, 40, 4.5f, 3.5f, Beef},
            {110, 38, 4, 3, Potato}, {80, 44, 4.5f, 3.5f, Beef}, {128, 30, 4, 3, Potato},
        };
        for (const Piece& p : Pieces) Lump(food, p.x, p.y, p.rx, p.ry, p.m, 0.1f);
        // Gloss on the sauce and the red pickles by the rice.
        for (int i = 0; i < 6; ++i)
            food.Put(96 + i * 7, 31 + (i * 5) % 11, RampOf(CurrySauce)[RampOf(CurrySauce).Top()]);
        for (int i = 0; i < 5; ++i)
            Lump(food, 30 + F(i % 3) * 3, 44 + F(i / 3) * 2.5f, 2, 1.6f, Berry);
    }
    if (s == Damaged) {
        Bite(food, 32, 20, 10);
        Bite(food, 118, 27, 9);
        Bite(food, 143, 44, 8);
    }
    if (s == Eaten) {
        // Smears of sauce, a last spoonful of rice and a lonely carrot.
        Darken(c, 104, 40, 30, 10, 2);
        Paint(food, 80, 30, 140, 52, [&](int x, int y, float px, float py) {
            float dx = (px - 108) / 24, dy = (py - 41) / 6;
            if (dx * dx + dy * dy > 1 || (x + y) % 2 || (dx * dx + dy * dy > 0.5f && x % 2))
                return -1;
            return int(RampOf(CurrySauce)[2]);
        });
        Lump(food, 60, 36, 9, 5, Rice);
        Speckle(food, 60, 36, 8, 4, 30, 1, 13);
        Lump(food, 116, 44, 4, 3, Carrot);
    }
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, 80, 40, 74, 20, RampOf(Rice), s == Eaten ? 60 : 40, 14);
    return c;
}

// --- Roast chicken ----------------------------------------------------------------------

// A drumstick from its thick end to the bone's knuckle, tipped with a paper frill; a bare
// one is the bone alone.
void Drumstick(Canvas& food, Vec base, Vec tip, bool bare) {
    Ramp paper = RampOf(Cream);
    for (int i = 0; i <= 10; ++i) {
        float t = 0.45f + F(i) / 10 * 0.55f;
        Lump(food, base.x + (tip.x - base.x) * t, base.y + (tip.y - base.y) * t, 2.2f, 2.2f, Cream);
    }
    Lump(food, tip.x, tip.y, 3.4f, 2.8f, Cream, 0.1f);
    if (bare) return;
    for (int i = 0; i <= 8; ++i) {
        float t = F(i) / 8 * 0.55f;
        float r = 11 - F(i) * 0.8f;
        Lump(food, base.x + (tip.x - base.x) * t, base.y + (tip.y - base.y) * t, r, r * 0.85f,
             Roast, -0.05f - t * 0.2f);
    }
    for (int i = 0; i < 4; ++i) // the frill round the bone
        DrawLine(food, {tip.x - 3, tip.y + 3 + F(i)}, {tip.x + 3, tip.y + 3 + F(i)},
                 paper[paper.Top() - i % 2]);
}

void Greens(Canvas& c, float cx, float cy, float rx, float ry, uint32_t seed) {
    Rng rng{seed};
    for (int i = 0; i < 7; ++i) {
        float x = cx + rng.Uniform(-rx, rx), y = cy + rng.Uniform(-ry, ry);
        Lump(c, x, y, rng.Uniform(7, 11), rng.Uniform(3.5f, 5), Leaf, rng.Uniform(-0.1f, 0.1f));
    }
    Speckle(c, cx, cy, rx + 8, ry + 4, 70, -1, seed + 1);
}

Canvas ChickenDish(State s) {
    Canvas c(192, 96);
    Plate(c, 96, 70, 94, 24, Gold);
    Canvas food(192, 96);
    Greens(food, 30, 70, 18, 6, 21);
    Greens(food, 164, 70, 18, 6, 22);
    if (s != Eaten) {
        // The bird trussed on its back: wings tucked, the drumsticks crossed in front.
        Lump(food, 48, 52, 14, 10, Roast, -0.1f);
        Lump(food, 144, 52, 14, 10, Roast, -0.1f);
        Lump(food, 96, 52, 52, 32, Roast, 0.05f);
        Darken(food, 96, 46, 2.5f, 22, 1); // the breastbone's crease
        Speckle(food, 96, 52, 54, 32, 420, 1, 23);
        Speckle(food, 84, 38, 30, 14, 90, -1, 24);
        // The drumsticks are outlined on their own, so they stand out against the body.
        Canvas legs(192, 96);
        Drumstick(legs, {64, 68}, {82, 30}, false);
        Drumstick(legs, {128, 68}, {110, 30}, false);
        Speckle(legs, 96, 60, 50, 14, 90, 1, 26);
        Outline(legs);
        Overlay(food, legs, 0, 0);
        for (int i = 0; i < 3; ++i) // cherry tomatoes
            Lump(food, 152 + F(i) * 9, 82 - F(i % 2) * 4, 4, 3.5f, Berry, 0.1f);
        if (s == Damaged) {
            Bite(food, 138, 28, 14, Cream);
            Bite(food, 40, 44, 11, Cream);
            Bite(food, 96, 18, 9, Cream);
            Bite(food, 66, 72, 8, Cream);
        }
    } else {
        // The carcass: a cage of picked ribs over the last scraps, and two bare bones.
        Lump(food, 96, 62, 24, 7, Roast, -0.3f);
        Ramp bone = RampOf(Cream);
        for (int i = 3; i >= 0; --i) {
            const float cx = 92 + F(i) * 4, rx = 26 - F(i) * 3, ry = 20 - F(i) * 2;
            Paint(food, int(cx - rx - 2), int(62 - ry - 2), int(cx + rx + 2), 63,
                  [&](int x, int y, float px, float py) {
                      float dx = (px - cx) / rx, dy = (py - 62) / ry;
                      float d = std::sqrt(dx * dx + dy * dy);
                      if (dy > 0 || d > 1 || d < 1 - 2.2f / ry) return -1;
                      return int(
                          ToneAt(bone, 0.8f - dx * 0.3f + dy * 0.2f - F(i) * 0.1f, x, y, 0.5f));
                  });
        }
        Drumstick(food, {40, 80}, {58, 70}, true);
        Drumstick(food, {150, 80}, {132, 72}, true);
    }
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, 96, 72, 88, 20, RampOf(Roast), s == Eaten ? 70 : 45, 25);
    if (s == Eaten) Darken(c, 100, 76, 30, 6, 1);
    return c;
}

// --- Strawberry shortcake ---------------------------------------------------------------

constexpr float CakeX = 80, CakeTop = 28, CakeRx = 54, CakeRy = 15, CakeDepth = 30;

// The inside of the cake where a slice is gone: sponge, cream and sliced strawberries.
int LayerTone(int x, int y, float depth) {
    if (depth < 3) return RampOf(Cream)[3 + (x + y) % 2];
    int band = int(depth - 3) % 9;
    if (band < 3) return ToneAt(RampOf(Sponge), 0.6f, x, y, 1);
    if (band < 5) return RampOf(Cream)[3];
    if (band < 7) return (x / 3 + y) % 2 ? RampOf(Berry)[3] : RampOf(Cream)[3];
    return ToneAt(RampOf(Sponge), 0.5f, x, y, 1);
}

// One strawberry standing on the cream: red, seeded, with its green cap.
void Strawberry(Canvas& c, float x, float y) {
    Lump(c, x, y, 4.6f, 4.2f, Berry, 0.1f);
    c.Put(int(x - 1), int(y), RampOf(Sponge)[4]);
    c.Put(int(x + 2), int(y + 1), RampOf(Sponge)[3]);
    c.Put(int(x), int(y + 2), RampOf(Sponge)[3]);
    FillEllipse(c, x, y - 3.6f, 3, 1.2f, RampOf(Leaf)[2]);
    c.Put(int(x), int(y - 5), RampOf(Leaf)[3]);
}

// The cake, a cylinder seen from above the front, is found pixel by pixel: of the top, the
// wall and the two faces where slices were cut, the surface nearest the eye is the one seen.
// Only the part between the angles `from` and `to` round its axis is left (0 faces the
// viewer, growing to the right).
Canvas CakeBody(float from, float to) {
    constexpr float Tilt = CakeRy / CakeRx; // sine of the angle we look down at
    const float cosTilt = std::sqrt(1 - Tilt * Tilt), height = CakeDepth / cosTilt;
    const bool whole = to - from >= 6.28f;
    auto kept = [&](float x, float z) {
        float a = std::atan2(x, z) - from;
        a -= std::floor(a / Tau) * Tau;
        return whole || a <= to - from;
    };
    Canvas c(160, 80);
    Ramp cream = RampOf(Cream);
    Paint(c, 0, 0, 160, 80, [&](int x, int y, float px, float py) {
        const float X = px - CakeX, q = py - CakeTop;
        if (std::fabs(X) > CakeRx) return -1;
        float bestZ = -1e9f;
        int colour = -1;
        auto offer = [&](float z, float up, int tone) {
            if (up > 0.01f || up < -height || z <= bestZ) return;
            bestZ = z;
            colour = tone;
        };
        // The top, with a piped border round its edge.
        float z = q / Tilt;
        if (X * X + z * z <= CakeRx * CakeRx && kept(X, z)) {
            bool border = X * X + z * z > CakeRx * CakeRx * 0.8f;
            float light =
                border ? 0.95f - 0.5f * ((x + y / 2) % 3 == 0) : 0.82f - 0.12f * X / CakeRx;
            offer(z, 0, ToneAt(cream, light, x, y, 0.6f));
        }
        // The wall, near and far: the far side shows only through a gap.
        for (float sign : {1.0f, -1.0f}) {
            float wz = sign * std::sqrt(CakeRx * CakeRx - X * X);
            float up = (wz * Tilt - q) / cosTilt;
            if (!kept(X, wz)) continue;
            float nx = X / CakeRx, nz = wz / CakeRx;
            float light = Lighting(nx, nz * Tilt, nz * cosTilt) * 0.55f + 0.4f;
            offer(wz, up, sign > 0 ? ToneAt(cream, light, x, y, 0.25f) : cream[2]);
        }
        // The cut faces show the layers inside.
        for (float a : {from, to}) {
            if (whole || std::fabs(std::sin(a)) < 1e-3f) continue;
            float reach = X / std::sin(a);
            if (reach < 0 || reach > CakeRx) continue;
            float fz = reach * std::cos(a);
            float up = (fz * Tilt - q) / cosTilt;
            offer(fz, up, LayerTone(x, y, -up));
        }
        return colour;
    });
    return c;
}

Canvas CakeDish(State s) {
    Canvas c(160, 80);
    Plate(c, 80, 64, 78, 14, Porcelain);
    Canvas food(160, 80);
    // Damaged, a slice is gone from the front; eaten, only the last slice stands at the back.
    const float from = s == Intact ? 0 : s == Damaged ? 1.3f : 2.75f;
    const float to = s == Intact ? 6.2832f : s == Damaged ? 6.0f : 3.75f;
    // The last slice has been slid to the middle of the plate.
    const int shift = s == Eaten ? 12 : 0;
    Overlay(food, CakeBody(from, to), 0, shift);
    // A ring of strawberries and cream rosettes round the top, on the part that is left.
    for (int i = 0; i < 10; ++i) {
        float a = F(i) / 10 * Tau + 0.3f;
        float rel = a - from;
        while (rel < 0) rel += Tau;
        if (rel > to - from) continue;
        float x = CakeX + std::sin(a) * CakeRx * 0.72f;
        float y = CakeTop + std::cos(a) * CakeRy * 0.68f + F(shift);
        Lump(food, x + std::sin(a + 0.3f) * 6, y + std::cos(a + 0.3f) * 2 - 1, 3, 2.2f, Cream,
             0.2f);
        Strawberry(food, x, y - 2);
    }
    if (s == Intact) Strawberry(food, CakeX, CakeTop - 3);
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, 80, 64, 74, 12, RampOf(Sponge), s == Eaten ? 80 : 40, 31);
    if (s == Eaten) {
        Canvas smears(160, 80);
        Lump(smears, 40, 66, 9, 3, Cream);
        Lump(smears, 118, 62, 4, 2.5f, Berry);
        Outline(smears);
        Overlay(c, smears, 0, 0);
    }
    return c;
}

// --- Gyu-don -----------------------------------------------------------------------------

constexpr float BowlX = 96, RimY = 24, RimRx = 60, RimRy = 13;

// The bowl: lacquered red outside with a gold band, dark inside, on a foot ring.
void Bowl(Canvas& c) {
    Ramp lacquer = RampOf(Lacquer);
    Lump(c, BowlX + 1, 60, 26, 4, Lacquer, -0.3f);
    Paint(c, 0, 0, 192, 64, [&](int x, int y, float px, float py) {
        float dx = (px - BowlX) / RimRx;
        if (std::fabs(dx) > 1 || py < RimY) return -1;
        float depth = (py - RimY) / 34;         // 0 at the rim, 1 at the foot
        float half = 1 - 0.55f * depth * depth; // the bowl narrows toward its foot
        if (std::fabs(dx) > half || depth > 1) return -1;
        float nx = dx / half;
        float light = Lighting(nx * 0.9f, 0.2f, std::sqrt(std::max(0.0f, 1 - nx * nx)) * 0.9f);
        if (depth > 0.18f && depth < 0.26f) return int(ToneAt(RampOf(Gold), light, x, y, 0.5f));
        return int(ToneAt(lacquer, light * 0.95f, x, y, 0.6f));
    });
    FillEllipse(c, BowlX, RimY, RimRx, RimRy, lacquer[4]);
    FillEllipse(c, BowlX, RimY + 0.5f, RimRx - 2, RimRy - 1.5f, lacquer[1]);
}

void Chopsticks(Canvas& c) {
    Ramp wood = RampOf(Handle);
    for (int k = 0; k < 2; ++k) {
        float y = 50 + F(k) * 4;
        DrawLine(c, {150, y}, {190, y - 14}, wood[3]);
        DrawLine(c, {150, y + 1}, {190, y - 13}, wood[2]);
    }
}

Canvas GyuDonDish(State s) {
    Canvas c(192, 64);
    Canvas ware(192, 64);
    Bowl(ware);
    Chopsticks(ware);
    Outline(ware);
    Overlay(c, ware, 0, 0);
    Canvas food(192, 64);
    if (s != Eaten) {
        // Rice shows at the edges; the beef and onion are heaped above the rim.
        Lump(food, BowlX, RimY, RimRx - 4, RimRy - 3, Rice);
        Speckle(food, BowlX, RimY, RimRx - 4, RimRy - 3, 160, 1, 41);
        // Thin slices of beef heaped over it, soft onion strips among them.
        Rng rng{45};
        for (int i = 0; i < 22; ++i) {
            auto [x, y] = Scatter(rng, BowlX, RimY - 2, 42, 9);
            Lump(food, F(x), F(y), rng.Uniform(10, 16), rng.Uniform(2.2f, 3.0f), Beef,
                 rng.Uniform(0, 0.25f));
        }
        for (int i = 0; i < 6; ++i) {
            float x = BowlX + rng.Uniform(-38, 38), y = RimY - 2 + rng.Uniform(-7, 7);
            for (float t = 0; t < 1; t += 0.1f)
                food.Put(int(x + t * 9), int(y + std::sin(t * 3) * 2.5f), RampOf(Onion)[3]);
            for (float t = 0; t < 1; t += 0.1f)
                food.Put(int(x + t * 9), int(y + 1 + std::sin(t * 3) * 2.5f), RampOf(Onion)[2]);
        }
        Speckle(food, BowlX, RimY - 2, 48, 12, 80, -1, 46);
        Lump(food, 124, 18, 7, 4, Berry, 0.2f); // pickled ginger
        Speckle(food, 124, 18, 6, 3, 14, -1, 42);
    } else {
        Lump(food, BowlX - 8, RimY + 2, 16, 4, Rice, -0.1f);
        Speckle(food, BowlX - 8, RimY + 2, 15, 3, 30, 1, 43);
        Lump(food, BowlX + 18, RimY + 1, 5, 2, Onion);
    }
    if (s == Damaged) {
        // A good part of the beef is gone, down to the rice.
        Lump(food, 76, RimY, 22, 7, Rice, -0.05f);
        Speckle(food, 76, RimY, 21, 6, 60, 1, 47);
        Bite(food, 62, 15, 9);
        Bite(food, 112, 10, 8);
        Bite(food, 140, 24, 7);
    }
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, BowlX, RimY + 2, 58, 8, RampOf(Rice), s == Eaten ? 40 : 30, 44);
    return c;
}

// --- Hamburger ----------------------------------------------------------------------------

Canvas HamburgerDish(State s) {
    Canvas c(128, 96);
    Plate(c, 64, 84, 62, 10, PlateBlue);
    Canvas food(128, 96);
    Lump(food, 64, 74, 44, 9, Bun, -0.1f); // the heel of the bun
    if (s != Eaten) {
        Lump(food, 64, 64, 48, 8, Beef, -0.2f);
        Speckle(food, 64, 64, 46, 7, 120, 1, 51);
        // Cheese drips over the patty.
        for (int i = 0; i < 6; ++i) {
            float x = 26 + F(i) * 15;
            FillPolygon(food, {{x - 6, 57}, {x + 6, 57}, {x + 1, 64 + F(i % 3) * 2}},
                        RampOf(Cheese)[2 + i % 2]);
        }
        Lump(food, 64, 56, 47, 4, Berry, 0.1f); // tomato
        Paint(food, 8, 46, 120, 58, [&](int x, int y, float px, float py) {
            float frill = 52 + 2.2f * std::sin(px * 0.7f) + std::sin(px * 0.23f);
            float dx = (px - 64) / 54;
            if (std::fabs(dx) > 1 || py < 48 || py > frill) return -1;
            return int(ToneAt(RampOf(Leaf), 0.8f - (py - 48) * 0.08f - dx * 0.2f, x, y, 0.7f));
        });
        // The crown of the bun, a dome with sesame seeds.
        Paint(food, 16, 14, 112, 50, [&](int x, int y, float px, float py) {
            float dx = (px - 64) / 46, dy = (py - 48) / 32;
            if (dy > 0 || dx * dx + dy * dy > 1) return -1;
            float nz = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
            return int(ToneAt(RampOf(Bun), Lighting(dx, dy, nz) + 0.05f, x, y, 0.7f));
        });
        Rng rng{52};
        for (int i = 0; i < 26; ++i) {
            float a = rng.Uniform(-2.8f, -0.35f), d = rng.Uniform(0.2f, 0.85f);
            int x = int(64 + std::cos(a) * d * 44), y = int(48 + std::sin(a) * d * 30);
            food.Put(x, y, RampOf(Rice)[4]);
            food.Put(x + 1, y, RampOf(Rice)[2]);
        }
    } else {
        Paint(food, 20, 62, 108, 72, [&](int x, int y, float px, float py) {
            float frill = 68 + 1.5f * std::sin(px * 0.8f);
            if (px < 30 || px > 96 || py < 64 || py > frill) return -1;
            return int(ToneAt(RampOf(Leaf), 0.6f, x, y, 0.7f));
        });
        Bite(food, 104, 70, 12);
        Darken(c, 40, 86, 16, 4, 1);
        Lump(food, 30, 86, 5, 2, Berry, -0.2f); // a smear of ketchup
    }
    if (s == Damaged) {
        Bite(food, 104, 36, 17, Sponge);
        Bite(food, 20, 28, 9, Sponge);
    }
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, 64, 84, 58, 9, RampOf(Bun), s == Eaten ? 50 : 35, 53);
    return c;
}

} // namespace

Canvas DishPicture(int mission, int state) {
    State s = static_cast<State>(state);
    switch (mission % 5) {
    case 0:
        return CurryDish(s);
    case 1:
        return ChickenDish(s);
    case 2:
        return CakeDish(s);
    case 3:
        return GyuDonDish(s);
    default:
        return HamburgerDish(s);
    }
}

void DrawDishes(Canvas& sheet) {
    for (int m = 0; m < 5; ++m) {
        const MissionRow& d = MissionInfo[m];
        PlaceAt(sheet, DishPicture(m, Intact), d.intactX, d.intactY);
        PlaceAt(sheet, DishPicture(m, Damaged), d.damagedX, d.damagedY);
        PlaceAt(sheet, DishPicture(m, Eaten), d.eatenX, d.eatenY);
    }
}
