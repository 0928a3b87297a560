// An indexed picture in memory and the few shapes every picture is built from. Shaded shapes
// take a material ramp and light themselves from the top left, so every sprite agrees.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "assets/palette.h"

struct Canvas {
    int width, height;
    std::vector<uint8_t> pixels;

    Canvas(int w, int h, uint8_t fill = Key);
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t At(int x, int y) const { return Inside(x, y) ? pixels[y * width + x] : Key; }
    bool Opaque(int x, int y) const { return At(x, y) != Key; }
    void Put(int x, int y, uint8_t c) {
        if (Inside(x, y)) pixels[y * width + x] = c;
    }
};

// A whole turn, in radians.
constexpr float Tau = 6.2831853f;

// Pictures are measured in floats and indexed in ints; this keeps the crossings short.
constexpr float F(int v) {
    return static_cast<float>(v);
}

struct Vec {
    float x, y;
};

// A small deterministic generator, so every build draws the same stars and crumbs.
struct Rng {
    uint32_t state;
    uint32_t Next();
    float Uniform(float lo, float hi);
    int Below(int n);
};

// `picture` copied whole into `target` at (x, y), its transparent pixels included.
void Place(Canvas& target, const Canvas& picture, int x, int y);
// `picture` drawn over `target` at (x, y): transparent pixels leave the target alone.
void Overlay(Canvas& target, const Canvas& picture, int x, int y);

// Brightness 0..1 of a surface with unit normal (nx, ny, nz) under the one light.
float Lighting(float nx, float ny, float nz);
// The ordered-dither threshold of a pixel, 0..1: fades and tone blends share one pattern.
float Dither(int x, int y);
// The ramp's tone for a brightness, above the outline tone; `dither` 0..1 blends
// neighbouring tones with an ordered pattern.
uint8_t ToneAt(Ramp ramp, float brightness, int x, int y, float dither = 0);

// Calls paint for every pixel centre of the box; paint returns the colour, or -1 to skip.
void Paint(Canvas& c, int x0, int y0, int x1, int y1,
           const std::function<int(int x, int y, float px, float py)>& paint);

void FillRect(Canvas& c, int x, int y, int w, int h, uint8_t colour);
void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, uint8_t colour);
// A lit ellipsoid seen from above; `lift` brightens or darkens it as a whole.
void ShadeBall(Canvas& c, float cx, float cy, float rx, float ry, Ramp ramp, float dither = 0,
               float lift = 0);
void FillPolygon(Canvas& c, std::initializer_list<Vec> points, uint8_t colour);
bool InPolygon(const std::vector<Vec>& points, float px, float py);
void DrawLine(Canvas& c, Vec a, Vec b, uint8_t colour);
// Every transparent pixel touching the picture takes the outline tone of its neighbour.
void Outline(Canvas& c);
// Every opaque pixel `steps` tones darker inside the ellipse (shadows, dents, smears).
void Darken(Canvas& c, float cx, float cy, float rx, float ry, int steps);
