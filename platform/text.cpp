#include "platform/text.h"

#include <cmath>
#include <cstdlib>
#include <forward_list>
#include <new>
#include <vector>

#include "platform/dib.h"
#include "platform/display.h"
#include "platform/host/host.h"

Font* CaptionFont = nullptr;
Font* RollFont = nullptr;

namespace {
// Fonts live until the process ends, as the game never deletes one; a start-up made again
// (as the tests do) gets the fonts it made before.
std::forward_list<Font> MadeFonts;

// Tenths of a point to a pixel count at a resolution, single-precision throughout as the old
// font code worked, truncated toward zero.
int TenthsToDots(int tenthsOfPoint, float dotsPerInch) {
    const float k = 1.0f / 72.0f;
    return static_cast<int>(static_cast<float>(tenthsOfPoint) * dotsPerInch * k);
}

} // namespace

int FontPixelHeight(int tenthsOfPoint, float dotsPerInch) {
    // 240 at 96 dpi gives 32, 200 gives 27.
    int py = TenthsToDots(tenthsOfPoint, dotsPerInch);
    return static_cast<int>(static_cast<float>(std::abs(py)) * 0.1f + 0.5f);
}

int AverageCharWidth(int face) {
    std::vector<uint8_t> mask;
    int w = 0, h = 0;
    if (!HostRenderText(face, "abcdefghijklmnopqrstuvwxyz", &mask, &w, &h)) return 0;
    return (w + 13) / 26;
}

// A width of its own is had the old way: make the font, measure its average letter, and make
// it again with that letter scaled by the width's share of the height.
Font* MakeFont(const char* face, int height, int width, int style, int logical) {
    if (!lpDDSBack) return nullptr;
    float cx, cy;
    HostDotsPerInch(logical != 0, &cx, &cy);
    int pixels = FontPixelHeight(height, cy);
    Font made{HostOpenFace(face, pixels, 0, style), pixels, (style & StyleBold) ? 700 : 0};
    int px = std::abs(TenthsToDots(width, cx)), py = std::abs(TenthsToDots(height, cy));
    if (width != 0 && made.face && py != 0) {
        auto average = static_cast<float>(AverageCharWidth(made.face));
        int scaled =
            static_cast<int>(average * static_cast<float>(px) / static_cast<float>(py) + 0.5f);
        made.face = HostOpenFace(face, pixels, scaled, style);
    }
    for (Font& font : MadeFonts)
        if (font.face == made.face && font.pixelHeight == made.pixelHeight &&
            font.weight == made.weight)
            return &font;
    return &MadeFonts.emplace_front(made);
}

int NearestPaletteIndex(const DDPalette* palette, uint32_t color) {
    if (!palette) return 0;
    int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette->entries[i];
        long dr = e.red - r, dg = e.green - g, db = e.blue - b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void PutText(const Font* font, int x, int y, uint32_t color, const char* text) {
    if (!lpDDSBack || !font || !font->face || !text || !*text) return;
    std::vector<uint8_t> mask;
    int w = 0, h = 0;
    if (!HostRenderText(font->face, text, &mask, &w, &h)) return;
    auto ink = static_cast<uint8_t>(NearestPaletteIndex(lpDDSBack->palette, color));
    Surface& s = *lpDDSBack;
    for (int row = 0; row < h; ++row) {
        int ty = y + row;
        if (ty < 0 || ty >= s.height) continue;
        for (int col = 0; col < w; ++col) {
            int tx = x + col;
            if (tx >= 0 && tx < s.width && mask[static_cast<size_t>(row) * w + col])
                s.pixels[static_cast<size_t>(ty) * s.pitch + tx] = ink;
        }
    }
}

int ShowTitlePicture(const char* name) {
    auto* dib = new (std::nothrow) Dib;
    if (!dib) return 1;
    dib->LoadFile(name);
    Rect rect = {0, 0, dib->Width(), dib->Height()};
    SetRGBQuadPalette(&lpDDPalTitle, dib->ColorTable());
    if (lpDDPalTitle) {
        SetSurfacePalette(lpDDSPrimary, lpDDPalTitle);
        SetSurfacePalette(lpDDSBack, lpDDPalTitle);
    }
    DrawDibToSurface(lpDDSBack, dib);
    CopySurfaceRect(lpDDSBack, lpDDSPrimary, 0, 0, rect, 0);
    dib->Free();
    delete dib;
    PresentPrimary();
    return 1;
}
