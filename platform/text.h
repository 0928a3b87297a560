// Captions in the two fonts, and the title picture.
#pragma once

#include <cstdint>

struct Font {
    int face;        // host face handle, 0 when none
    int pixelHeight; // character height in pixels
    int weight;
};

extern Font* CaptionFont;
extern Font* RollFont;

// Colour values as the old text calls took them: 0x00BBGGRR.
constexpr uint32_t White = 0xFFFFFF, Cyan = 0xFFFF00, Magenta = 0xFF00FF, Yellow = 0x00FFFF;

Font* MakeFont(const char* face, int height, int width, int style, int logical);
// Height in pixels for a height in tenths of a point at the given dots per inch.
int FontPixelHeight(int tenthsOfPoint, float dotsPerInch);
// The mean advance of the lower-case letters of a host face, in pixels.
int AverageCharWidth(int face);
void PutText(const Font* font, int x, int y, uint32_t color, const char* text);
// Index of the palette entry nearest to a colour value.
int NearestPaletteIndex(const struct DDPalette* palette, uint32_t color);
int ShowTitlePicture(const char* name);
