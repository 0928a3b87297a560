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
} // namespace

int FontPixelHeight(int tenthsOfPoint, int dotsPerInch) {
    // Single-precision throughout, as the old font code worked: 240 at 96 dpi gives 32,
    // 200 gives 27.
    const float k = 1.0f / 72.0f;
    auto py =
        static_cast<int>(static_cast<float>(tenthsOfPoint) * static_cast<float>(dotsPerInch) * k);
    return static_cast<int>(static_cast<float>(std::abs(py)) * 0.1f + 0.5f);
}

Font* MakeFont(const char* face, int height, int, int style, int) {
    if (!lpDDSBack) return nullptr;
    int pixels = FontPixelHeight(height, HostDotsPerInch());
    Font made{HostOpenFace(face, pixels), pixels, (style & 1) ? 700 : 0};
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
