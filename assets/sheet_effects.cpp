// What a swat leaves behind: the splats of swatted flies, the boss's final blast, and the
// three items a stunned fly now and then turns into.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/sheet.h"
#include "players/objects.h"

namespace {

// A splat of fly goo, `size` native pixels square, in frame f of six: a white flash, the
// splash blooming out with flying drops, then the goo darkening and breaking up as it fades.
Canvas Splat(int size, int f, uint32_t seed) {
    static constexpr float Bloom[6] = {0.35f, 0.72f, 0.92f, 1.0f, 1.0f, 1.0f};
    static constexpr float Fade[6] = {0, 0, 0, 0.25f, 0.42f, 0.6f};
    Canvas c(size, size);
    const float mid = F(size) / 2, radius = mid * 0.78f * Bloom[f];
    Rng rng{seed};
    float lobes[9];
    for (float& l : lobes) l = rng.Uniform(0.45f, 1.0f);
    Ramp goo = RampOf(Goo);
    Paint(c, 0, 0, size, size, [&](int x, int y, float px, float py) {
        float dx = px - mid, dy = py - mid, d = std::sqrt(dx * dx + dy * dy);
        float a = std::atan2(dy, dx) / Tau * 9 + 9;
        int i = int(a) % 9;
        float t = a - std::floor(a);
        t = t * t * (3 - 2 * t); // lobes bulge, the gaps between them pinch in
        float reach = radius * (lobes[i] * (1 - t) + lobes[(i + 1) % 9] * t);
        if (d > reach) return -1;
        if (Dither(x, y) < Fade[f] * (0.4f + d / reach)) return -1;
        float nz = std::sqrt(std::max(0.0f, 1 - (d / reach) * (d / reach)));
        float light = Lighting(dx / reach, dy / reach, nz * 0.6f + 0.2f) - Fade[f] * 0.5f;
        return int(ToneAt(goo, light, x, y, 0.5f));
    });
    // Drops thrown outward, further in each frame, shrinking as they fly.
    for (int k = 0; k < 6 && f > 0; ++k) {
        float a = rng.Uniform(0, Tau),
              far = radius * (1.05f + 0.18f * F(f)) * rng.Uniform(0.85f, 1.1f);
        float r = std::max(0.5f, F(size) / 16 * (1.4f - 0.22f * F(f)));
        if (f < 5) ShadeBall(c, mid + std::cos(a) * far, mid + std::sin(a) * far, r, r, goo);
    }
    if (f == 0) FillEllipse(c, mid, mid, radius * 0.5f, radius * 0.5f, White);
    if (f == 1) FillEllipse(c, mid - 0.5f, mid - 0.5f, radius * 0.25f, radius * 0.25f, White);
    if (f < 4) Outline(c);
    return c;
}

// The boss's end: a flash with rays, a fireball of tumbling puffs whose outer edge cools to
// smoke, the smoke taking over, and at last a few wisps drifting apart.
Canvas Blast(int f) {
    constexpr int Size = 32;
    Canvas c(Size, Size);
    const float mid = F(Size) / 2;
    Ramp fire = RampOf(Fire);
    if (f == 0) {
        for (int k = 0; k < 8; ++k) {
            float a = F(k) * Tau / 8 + 0.2f, r = k % 2 ? 9.0f : 13.0f;
            DrawLine(c, {mid, mid}, {mid + std::cos(a) * r, mid + std::sin(a) * r}, fire[4]);
        }
        ShadeBall(c, mid, mid, 7, 7, fire, 0.5f, 0.5f);
    }
    struct Puff {
        float x, y, r, spread;
    };
    std::vector<Puff> puffs;
    Rng rng{0xB1A57u};
    for (int k = 0; k < 16; ++k) {
        float a = rng.Uniform(0, Tau), spread = rng.Uniform(0.1f, 1.0f), r = rng.Uniform(3.5f, 6);
        float d = spread * (3 + 2.4f * F(f));
        float grow = f < 3 ? 0.9f + 0.25f * F(f) : 1.5f - 0.15f * F(f);
        if (f == 5 && k % 2) continue; // the smoke thins out
        puffs.push_back(
            {mid + std::cos(a) * d, mid + std::sin(a) * d - F(f) * 0.7f, r * grow, spread});
    }
    // Outer puffs first, so the hot heart of the cloud stays in front.
    std::sort(puffs.begin(), puffs.end(),
              [](const Puff& a, const Puff& b) { return a.spread > b.spread; });
    static constexpr float Cooling[6] = {2, 1.1f, 0.7f, 0.4f, 0, 0};
    for (const Puff& p : puffs) {
        if (f == 0) break;
        bool smoke = p.spread > Cooling[f];
        float lift = smoke ? -0.1f * F(f - 2) : 0.45f - 0.18f * F(f) - p.spread * 0.3f;
        ShadeBall(c, p.x, p.y, p.r, p.r * 0.9f, RampOf(smoke ? Smoke : Fire), 0.7f, lift);
    }
    // Embers thrown clear of the cloud.
    for (int k = 0; k < 12 && f > 0 && f < 5; ++k) {
        float a = rng.Uniform(0, Tau), d = F(f) * rng.Uniform(2.8f, 3.6f) + 4;
        int x = int(mid + std::cos(a) * d), y = int(mid + std::sin(a) * d);
        if (!c.Opaque(x, y)) c.Put(x, y, fire[fire.Top() - f / 2]);
    }
    if (f == 1) FillEllipse(c, mid - 1, mid - 1, 3.5f, 3.5f, White);
    if (f < 5) Outline(c);
    return c;
}

Canvas PowerUpPicture() {
    Canvas c = PowerUpSwatter(16);
    Sparkle(c, 12, 3, 2);
    Sparkle(c, 3, 12, 1);
    return c;
}

Canvas BombPicture() {
    Canvas c(16, 16);
    ShadeBall(c, 7.5f, 9.5f, 5.6f, 5.6f, RampOf(Steel), 0.6f);
    Ramp steel = RampOf(Steel);
    FillPolygon(c, {{9.0f, 3.2f}, {12.2f, 5.0f}, {11.0f, 7.0f}, {7.8f, 5.2f}}, steel[2]);
    DrawLine(c, {9.2f, 3.6f}, {11.6f, 5.0f}, steel[4]);
    Outline(c);
    // The lit fuse curls up from the cap and spits sparks.
    Ramp fuse = RampOf(Handle);
    DrawLine(c, {11.5f, 3.5f}, {12.5f, 2.0f}, fuse[3]);
    DrawLine(c, {12.5f, 2.0f}, {13.5f, 1.5f}, fuse[2]);
    Sparkle(c, 14, 1, 1);
    c.Put(12, 0, RampOf(Fire)[5]);
    c.Put(15, 3, RampOf(Fire)[4]);
    return c;
}

// The rescue: a rice ball in a golden burst, the dish saved.
Canvas RescuePicture() {
    Canvas c(16, 16);
    const float mid = 7.5f;
    Ramp gold = RampOf(Gold);
    Paint(c, 0, 0, 16, 16, [&](int x, int y, float px, float py) {
        float dx = px - mid - 0.5f, dy = py - mid - 0.5f;
        float a = std::atan2(dy, dx), d = std::sqrt(dx * dx + dy * dy);
        float spike = 4.6f + 3.2f * std::pow(std::fabs(std::cos(a * 4)), 3.0f);
        if (d > spike) return -1;
        return int(ToneAt(gold, 1.0f - d / spike * 0.7f - (dx + dy) * 0.02f, x, y, 0.6f));
    });
    Outline(c);
    Canvas ball(16, 16);
    Ramp rice = RampOf(Rice);
    Paint(ball, 0, 0, 16, 16, [&](int x, int y, float px, float py) {
        if (!InPolygon({{8, 3.5f}, {13, 12.5f}, {3, 12.5f}}, px, py)) return -1;
        if (py > 9.5f && px > 5.5f && px < 10.5f) return int(RampOf(Space)[2]); // the nori band
        return int(ToneAt(rice, 0.95f - (px - 3) * 0.04f - (py - 3) * 0.03f, x, y, 0.6f));
    });
    Outline(ball);
    Overlay(c, ball, 0, 0);
    return c;
}

} // namespace

void Sparkle(Canvas& c, int x, int y, int arm) {
    c.Put(x, y, White);
    for (int r = 1; r <= arm; ++r) {
        uint8_t glow = RampOf(Gold)[RampOf(Gold).Top() - r + 1];
        c.Put(x + r, y, glow);
        c.Put(x - r, y, glow);
        c.Put(x, y + r, glow);
        c.Put(x, y - r, glow);
    }
}

void DrawBursts(Canvas& sheet) {
    for (int type : {LargeBurst, MediumBurst, SmallBurst}) {
        const AnimRow& a = AnimInfo[type];
        for (int f = 0; f < a.frames; ++f)
            PlaceAt(sheet, Splat(a.width / 2, f, 0x5B1A7u + static_cast<uint32_t>(type)),
                    a.sheetX + f * a.width, a.sheetY);
    }
    const AnimRow& blast = AnimInfo[LargeExplosion];
    for (int f = 0; f < blast.frames; ++f)
        PlaceAt(sheet, Blast(f), blast.sheetX + f * blast.width, blast.sheetY);
}

void DrawItems(Canvas& sheet) {
    PlaceAt(sheet, PowerUpPicture(), AnimInfo[PowerUpItem].sheetX, AnimInfo[PowerUpItem].sheetY);
    PlaceAt(sheet, BombPicture(), AnimInfo[BombItem].sheetX, AnimInfo[BombItem].sheetY);
    PlaceAt(sheet, RescuePicture(), AnimInfo[RescueItem].sheetX, AnimInfo[RescueItem].sheetY);
}
