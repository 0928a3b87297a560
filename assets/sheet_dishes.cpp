// The five dishes the players defend, each intact, damaged (bites taken, crumbs about) and
// eaten (little left on the plate). Each is built from the tableware up; the food goes on a
// layer of its own so that bites can be cut out of it before it is outlined.
#include <cmath>

#include "app/missions.h"
#include "assets/sheet.h"

namespace {

enum State { Intact, Damaged, Eaten };

float F(int v) {
    return static_cast<float>(v);
}

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

// Teeth marks: a scalloped round bite out of the food layer.
void Bite(Canvas& food, float cx, float cy, float r) {
    Paint(food, int(cx - r - 2), int(cy - r - 2), int(cx + r + 3), int(cy + r + 3),
          [&](int, int, float px, float py) {
              float dx = px - cx, dy = py - cy;
              float edge = r * (1 + 0.11f * std::cos(std::atan2(dy, dx) * 9));
              return dx * dx + dy * dy <= edge * edge ? int(Key) : -1;
          });
}

// Crumbs of `ramp` strewn in the ellipse, only onto pixels that are already drawn.
void Crumbs(Canvas& c, float cx, float cy, float rx, float ry, Ramp ramp, int count,
            uint32_t seed) {
    Rng rng{seed};
    for (int i = 0; i < count; ++i) {
        float a = rng.Uniform(0, 6.2831853f), d = std::sqrt(rng.Uniform(0, 1));
        int x = int(cx + std::cos(a) * d * rx), y = int(cy + std::sin(a) * d * ry);
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
        float a = rng.Uniform(0, 6.2831853f), d = std::sqrt(rng.Uniform(0, 1));
        int x = int(cx + std::cos(a) * d * rx), y = int(cy + std::sin(a) * d * ry);
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
            if (dx * dx + dy * dy > 1 || (x * 7 + y * 3) % 5 == 0) return -1;
            return int(RampOf(CurrySauce)[2 + (x + y) % 2]);
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

// A drumstick, its bone end poking out with a paper frill.
void Drumstick(Canvas& food, float x, float y, float side, bool bare) {
    Ramp bone = RampOf(Cream);
    float tipX = x + side * 20, tipY = y - 10;
    for (int i = 0; i <= 8; ++i) {
        float t = F(i) / 8;
        Lump(food, x + (tipX - x) * t, y + (tipY - y) * t, 2.2f, 2.0f, Cream);
    }
    Lump(food, tipX + side * 1.5f, tipY - 1, 3.2f, 2.6f, Cream, 0.1f);
    if (!bare) {
        Lump(food, x, y, 18, 12, Roast, 0.05f);
        Speckle(food, x, y, 16, 10, 50, 1, uint32_t(40 + x));
        for (int i = 0; i < 5; ++i) // the frill
            DrawLine(food, {tipX - side * (3 - F(i) * 0.6f), tipY - 4 + F(i) * 1.6f},
                     {tipX - side * 6, tipY - 3 + F(i) * 1.6f}, bone[bone.Top() - (i % 2)]);
    }
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
        Drumstick(food, 50, 64, -1, false);
        Drumstick(food, 142, 64, 1, false);
        Lump(food, 96, 52, 52, 33, Roast, 0.05f);
        Lump(food, 96, 38, 34, 16, Roast, 0.2f); // the breast
        Darken(food, 96, 56, 3, 26, 1);          // the breastbone's crease
        Speckle(food, 96, 52, 50, 30, 380, 1, 23);
        Speckle(food, 90, 40, 30, 12, 90, -1, 24);
        for (int i = 0; i < 3; ++i) // cherry tomatoes
            Lump(food, 150 + F(i) * 9, 80 - F(i % 2) * 4, 4, 3.5f, Berry, 0.1f);
        if (s == Damaged) {
            Bite(food, 128, 30, 11);
            Bite(food, 62, 44, 9);
            Bite(food, 33, 55, 7);
            // Bitten flesh shows pale inside the skin.
            Paint(food, 100, 20, 150, 60, [&](int x, int y, float px, float py) {
                float dx = px - 128, dy = py - 30, d = std::sqrt(dx * dx + dy * dy);
                if (d < 11.5f || d > 14 || !food.Opaque(x, y)) return -1;
                return int(RampOf(Cream)[2 + (x + y) % 2]);
            });
        }
    } else {
        // The carcass: a ribcage and two picked bones.
        Ramp bone = RampOf(Cream);
        Lump(food, 96, 60, 26, 10, Roast, -0.15f);
        for (int i = 0; i < 6; ++i) {
            float x = 76 + F(i) * 8;
            DrawLine(food, {x, 62}, {x + 3, 44}, bone[3]);
            DrawLine(food, {x + 1, 62}, {x + 4, 44}, bone[2]);
        }
        DrawLine(food, {74, 44}, {122, 44}, bone[3]);
        Drumstick(food, 44, 72, -1, true);
        Drumstick(food, 150, 74, 1, true);
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
    Lump(c, x, y, 4, 3.6f, Berry, 0.1f);
    c.Put(int(x - 1), int(y), RampOf(Cream)[4]);
    c.Put(int(x + 1), int(y + 1), RampOf(Sponge)[3]);
    FillEllipse(c, x, y - 3, 2.5f, 1, RampOf(Leaf)[2]);
}

// The cake, a cylinder seen from above the front. `from`..`to` is the part of it that is left,
// as an angle round its axis (0 toward the viewer, increasing to the right).
Canvas CakeBody(float from, float to) {
    Canvas c(160, 80);
    Ramp cream = RampOf(Cream);
    auto left = [&](float a) {
        float t = a - std::floor(a / 6.2831853f) * 6.2831853f;
        float f = from - std::floor(from / 6.2831853f) * 6.2831853f;
        float span = to - from;
        float rel = t - f;
        if (rel < 0) rel += 6.2831853f;
        return rel <= span;
    };
    Paint(c, 0, 0, 160, 80, [&](int x, int y, float px, float py) {
        float dx = (px - CakeX) / CakeRx;
        if (std::fabs(dx) > 1) return -1;
        float dyTop = (py - CakeTop) / CakeRy;
        // Top surface: inside the top ellipse, at the angle of that point round the axis.
        if (dx * dx + dyTop * dyTop <= 1) {
            float a = std::atan2(dx, dyTop);
            if (left(a)) return int(ToneAt(cream, 0.85f - 0.15f * (dx + dyTop), x, y, 0.6f));
        }
        // Front side: a point on the wall at this column, the near half of the ellipse.
        float wall = std::sqrt(std::max(0.0f, 1 - dx * dx));
        float topY = CakeTop + wall * CakeRy;
        if (py >= topY - 0.01f && py <= topY + CakeDepth) {
            float a = std::atan2(dx, wall);
            if (left(a)) {
                float light = Lighting(dx, 0, wall) * 0.8f + 0.15f;
                return int(ToneAt(cream, light, x, y, 0.6f));
            }
            // The slice is gone here: through the gap, the cut face inside shows its layers.
            if (std::fabs(dx) < 0.999f) {
                float inner = (py - CakeTop) - std::fabs(dx) * 4;
                if (inner >= 0 && inner <= CakeDepth) return LayerTone(x, y, inner);
            }
        }
        return -1;
    });
    return c;
}

Canvas CakeDish(State s) {
    Canvas c(160, 80);
    Plate(c, 80, 64, 78, 14, Porcelain);
    Canvas food(160, 80);
    const float from = s == Intact ? 0 : s == Damaged ? 1.2f : -0.6f;
    const float to = s == Intact ? 6.2832f : s == Damaged ? 5.9f : 0.6f;
    Overlay(food, CakeBody(from, to), 0, 0);
    // A ring of strawberries and cream rosettes round the top, on the part that is left.
    for (int i = 0; i < 10; ++i) {
        float a = F(i) / 10 * 6.2831853f + 0.3f;
        float rel = a - from;
        while (rel < 0) rel += 6.2831853f;
        if (rel > to - from) continue;
        float x = CakeX + std::sin(a) * CakeRx * 0.72f, y = CakeTop + std::cos(a) * CakeRy * 0.68f;
        Lump(food, x + std::sin(a + 0.3f) * 6, y + std::cos(a + 0.3f) * 2 - 1, 3, 2.2f, Cream,
             0.2f);
        Strawberry(food, x, y - 2);
    }
    if (s == Intact) Strawberry(food, CakeX, CakeTop - 3);
    if (s == Damaged) {
        Bite(food, 26, 42, 7);
        Bite(food, 131, 30, 6);
    }
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
        Paint(food, 40, 0, 152, 40, [&](int x, int y, float px, float py) {
            float dx = (px - BowlX) / (RimRx - 9), dy = (py - RimY + 3) / (RimRy + 1);
            if (dx * dx + dy * dy > 1) return -1;
            // Slices lie in wavy bands; every third band is a strip of soft onion.
            float band = py + 3 * std::sin(px * 0.22f) + px * 0.18f;
            int b = int(std::floor(band / 3.2f));
            float light = 0.72f - 0.3f * (dx + dy) + 0.18f * (band / 3.2f - F(b));
            return int(ToneAt(RampOf(b % 3 == 0 ? Onion : Beef), light, x, y, 0.8f));
        });
        Lump(food, 124, 18, 7, 4, Berry, 0.2f); // pickled ginger
        Speckle(food, 124, 18, 6, 3, 14, -1, 42);
    } else {
        Lump(food, BowlX - 8, RimY + 2, 16, 4, Rice, -0.1f);
        Speckle(food, BowlX - 8, RimY + 2, 15, 3, 30, 1, 43);
        Lump(food, BowlX + 18, RimY + 1, 5, 2, Onion);
    }
    if (s == Damaged) {
        Bite(food, 62, 15, 9);
        Bite(food, 112, 10, 8);
        Bite(food, 140, 24, 7);
    }
    Outline(food);
    Overlay(c, food, 0, 0);
    if (s != Intact) Crumbs(c, BowlX, RimY + 18, 70, 20, RampOf(Rice), s == Eaten ? 50 : 30, 44);
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
        Bite(food, 104, 36, 17);
        Bite(food, 20, 28, 9);
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
