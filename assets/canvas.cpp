#include "assets/canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int w, int h, uint8_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

uint32_t Rng::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Rng::Uniform(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(Next() % 65536) / 65536.0f;
}

int Rng::Below(int n) {
    return static_cast<int>(Next() % static_cast<uint32_t>(n));
}

void Place(Canvas& target, const Canvas& picture, int x, int y) {
    for (int j = 0; j < picture.height; ++j)
        for (int i = 0; i < picture.width; ++i) target.Put(x + i, y + j, picture.At(i, j));
}

void Overlay(Canvas& target, const Canvas& picture, int x, int y) {
    for (int j = 0; j < picture.height; ++j)
        for (int i = 0; i < picture.width; ++i)
            if (picture.Opaque(i, j)) target.Put(x + i, y + j, picture.At(i, j));
}

float Lighting(float nx, float ny, float nz) {
    // Light from the upper left and in front; the half vector gives the glints.
    constexpr float lx = -0.48f, ly = -0.62f, lz = 0.62f;
    constexpr float hx = lx * 0.5f, hy = ly * 0.5f, hz = (lz + 1) * 0.5f;
    const float hLen = std::sqrt(hx * hx + hy * hy + hz * hz);
    float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    float glint = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hLen), 24.0f);
    return std::clamp(0.16f + 0.84f * diffuse + 0.55f * glint, 0.0f, 1.0f);
}

float Dither(int x, int y) {
    static constexpr int Bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (static_cast<float>(Bayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

uint8_t ToneAt(Ramp ramp, float brightness, int x, int y, float dither) {
    float threshold = Dither(x, y) - 0.5f;
    float v = 1 + std::clamp(brightness, 0.0f, 1.0f) * static_cast<float>(ramp.Top() - 1);
    int tone = static_cast<int>(std::floor(v + 0.5f + threshold * dither));
    return ramp[std::clamp(tone, 1, ramp.Top())];
}

void Paint(Canvas& c, int x0, int y0, int x1, int y1,
           const std::function<int(int x, int y, float px, float py)>& paint) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, c.width);
    y1 = std::min(y1, c.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int colour = paint(x, y, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (colour >= 0) c.Put(x, y, static_cast<uint8_t>(colour));
        }
}

void FillRect(Canvas& c, int x, int y, int w, int h, uint8_t colour) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) c.Put(i, j, colour);
}

namespace {
int Floor(float v) {
    return static_cast<int>(std::floor(v));
}
int Ceil(float v) {
    return static_cast<int>(std::ceil(v));
}
} // namespace

void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, uint8_t colour) {
    Paint(c, Floor(cx - rx), Floor(cy - ry), Ceil(cx + rx), Ceil(cy + ry),
          [&](int, int, float px, float py) {
              float dx = (px - cx) / rx, dy = (py - cy) / ry;
              return dx * dx + dy * dy <= 1 ? colour : -1;
          });
}

void ShadeBall(Canvas& c, float cx, float cy, float rx, float ry, Ramp ramp, float dither,
               float lift) {
    Paint(c, Floor(cx - rx), Floor(cy - ry), Ceil(cx + rx), Ceil(cy + ry),
          [&](int x, int y, float px, float py) {
              float dx = (px - cx) / rx, dy = (py - cy) / ry;
              float d = dx * dx + dy * dy;
              if (d > 1) return -1;
              return int(ToneAt(ramp, Lighting(dx, dy, std::sqrt(1 - d)) + lift, x, y, dither));
          });
}

bool InPolygon(const std::vector<Vec>& points, float px, float py) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec& a = points[i];
        const Vec& b = points[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

void FillPolygon(Canvas& c, std::initializer_list<Vec> list, uint8_t colour) {
    std::vector<Vec> points(list);
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Vec& p : points) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    Paint(c, Floor(x0), Floor(y0), Ceil(x1), Ceil(y1),
          [&](int, int, float px, float py) { return InPolygon(points, px, py) ? colour : -1; });
}

void DrawLine(Canvas& c, Vec a, Vec b, uint8_t colour) {
    int steps = std::max(1, Ceil(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))));
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / static_cast<float>(steps);
        c.Put(Floor(a.x + (b.x - a.x) * t), Floor(a.y + (b.y - a.y) * t), colour);
    }
}

void Outline(Canvas& c) {
    const Canvas before = c;
    static constexpr int Near[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (before.Opaque(x, y)) continue;
            for (const auto& n : Near) {
                uint8_t next = before.At(x + n[0], y + n[1]);
                if (next == Key) continue;
                Ramp r = RampAt(next);
                c.Put(x, y, r.count ? r[0] : Black);
                break;
            }
        }
}

void Darken(Canvas& c, float cx, float cy, float rx, float ry, int steps) {
    Paint(c, Floor(cx - rx), Floor(cy - ry), Ceil(cx + rx), Ceil(cy + ry),
          [&](int x, int y, float px, float py) {
              float dx = (px - cx) / rx, dy = (py - cy) / ry;
              if (dx * dx + dy * dy > 1 || !c.Opaque(x, y)) return -1;
              return int(Shifted(c.At(x, y), steps));
          });
}
