#include "platform/display.h"

#include <algorithm>
#include <cstring>

#include "platform/host/host.h"

bool lpDD = false;
Surface* lpDDSPrimary = nullptr;
Surface* lpDDSBack = nullptr;
Surface* lpDDSSheet = nullptr;
DDPalette* lpDDPal = nullptr;
DDPalette* lpDDPalTitle = nullptr;

namespace {

constexpr int MaxSurfaceSide = 8192;

Surface* NewSurface(int width, int height) {
    if (width <= 0 || height <= 0 || width > MaxSurfaceSide || height > MaxSurfaceSide)
        return nullptr;
    auto* s = new Surface;
    s->width = width;
    s->height = height;
    s->pitch = width;
    s->pixels.assign(static_cast<size_t>(width) * height, 0);
    return s;
}

// The display may answer that a surface is still being drawn; the old code simply asked again.
uint32_t SurfaceResult() {
    uint32_t result;
    while ((result = HostSurfaceResult()) == DDERR_WASSTILLDRAWING) {
    }
    return result;
}

// Sixteen pixels at a time, without a branch: where the source holds the key, the
// destination's own byte is written back. A test per pixel mispredicts all along a sprite's
// ragged edges, and even a test per sixteen costs more than it saves on the star field.
using Pixels16 = uint8_t __attribute__((vector_size(16)));

void CopyKeyedRow(const uint8_t* from, uint8_t* to, int w, uint8_t key) {
    const Pixels16 keys = Pixels16{} + key;
    int col = 0;
    for (; col + 16 <= w; col += 16) {
        Pixels16 in, out;
        std::memcpy(&in, from + col, sizeof in);
        std::memcpy(&out, to + col, sizeof out);
        const auto hole = static_cast<Pixels16>(in == keys);
        out = (out & hole) | (in & ~hole);
        std::memcpy(to + col, &out, sizeof out);
    }
    for (; col < w; ++col)
        if (from[col] != key) to[col] = from[col];
}

} // namespace

int DDInit() {
    switch (HostOpenDisplay("Kestor")) {
    case 0:
        lpDD = true;
        return 1;
    case 1:
        return DDError("DirectDrawCreate Failed");
    case 2:
        return DDError("SetCooperativeLevel Failed");
    default:
        return DDError("SetDisplayMode Failed");
    }
}

int DDSInit() {
    if (!lpDD) return DDError("Create lpDDSPrimary Failed");
    lpDDSPrimary = NewSurface(ScreenWidth, ScreenHeight);
    lpDDSBack = NewSurface(ScreenWidth, ScreenHeight);
    return 1;
}

void ClearSurface(Surface* surface) {
    if (!surface) return;
    uint32_t result = SurfaceResult();
    if (result == DDERR_SURFACELOST) {
        RestoreAllSurfaces();
        return;
    }
    if (result == DD_OK) std::fill(surface->pixels.begin(), surface->pixels.end(), 0);
}

void SetRGBQuadPalette(DDPalette** slot, const uint8_t* rgbQuads) {
    if (!rgbQuads) {
        *slot = nullptr;
        return;
    }
    // The slot's palette is refilled in place, so surfaces that show it never see it vanish.
    if (!*slot) *slot = new DDPalette;
    for (int i = 0; i < 256; ++i)
        (*slot)->entries[i] = {rgbQuads[4 * i + 2], rgbQuads[4 * i + 1], rgbQuads[4 * i], 0};
}

void SetSurfacePalette(Surface* surface, const DDPalette* palette) {
    if (surface && palette) surface->palette = palette;
}

Surface* GetNewSurface(int width, int height) {
    return NewSurface(width, height);
}

int CopyDibToSurface(Surface* surface, Dib* dib, int width, int height) {
    if (!surface || !dib) return 0;
    dib->Stretch(surface->pixels.data(), surface->pitch, surface->width, surface->height, 0, 0,
                 width, height);
    return 1;
}

void SetColorKeyFromPixel(Surface* surface, int x, int y) {
    if (!surface || x < 0 || y < 0 || x >= surface->width || y >= surface->height) return;
    surface->colorKey = surface->pixels[static_cast<size_t>(y) * surface->pitch + x];
    surface->hasColorKey = true;
}

int DrawSprite(int x, int y, int left, int top, int right, int bottom) {
    if (x < 0) {
        left += -x;
        x = 0;
    } else if ((right - left) + x > ScreenWidth) {
        right = left - x + ScreenWidth;
    }
    if (y < 0) {
        top += -y;
        y = 0;
    } else if ((bottom - top) + y > ScreenHeight) {
        bottom = top - y + ScreenHeight;
    }
    return BltSprite(x, y, left, top, right, bottom, 0);
}

int BltSprite(int x, int y, int left, int top, int right, int bottom, int noKey) {
    uint32_t flags = noKey ? DDBLTFAST_WAIT : DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY;
    return CopySurfaceRect(lpDDSSheet, lpDDSBack, x, y, {left, top, right, bottom}, flags);
}

int CopySurfaceRect(Surface* source, Surface* destination, int x, int y, const Rect& rect,
                    uint32_t flags) {
    if (!source || !destination) return 0;
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    // Like the old fast copy without a clipper: a rectangle that is empty, or that reaches
    // outside either surface, copies nothing at all.
    if (w <= 0 || h <= 0 || rect.left < 0 || rect.top < 0 || rect.right > source->width ||
        rect.bottom > source->height || x < 0 || y < 0 || x + w > destination->width ||
        y + h > destination->height)
        return 0;
    // Without the wait flag a copy the display is still busy with is simply not made.
    uint32_t result = (flags & DDBLTFAST_WAIT) ? SurfaceResult() : HostSurfaceResult();
    if (result == DDERR_SURFACELOST) {
        RestoreAllSurfaces();
        return 0;
    }
    if (result != DD_OK) return 0;
    bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->hasColorKey;
    for (int row = 0; row < h; ++row) {
        const uint8_t* from =
            source->pixels.data() + static_cast<size_t>(rect.top + row) * source->pitch + rect.left;
        uint8_t* to =
            destination->pixels.data() + static_cast<size_t>(y + row) * destination->pitch + x;
        // The star field's wide rows mostly lack the key: a scan and a plain copy beat the blend.
        if (keyed && (w < 256 || std::memchr(from, source->colorKey, static_cast<size_t>(w))))
            CopyKeyedRow(from, to, w, source->colorKey);
        else
            std::memcpy(to, from, static_cast<size_t>(w));
    }
    return 1;
}

void DrawDibToSurface(Surface* surface, Dib* dib) {
    if (!surface || !dib) return;
    dib->Draw(surface->pixels.data(), surface->pitch, surface->width, surface->height, 0, 0);
}

void FlipFrame() {
    if (!lpDDSPrimary || !lpDDSBack) return;
    uint32_t result = SurfaceResult();
    if (result == DDERR_SURFACELOST) {
        RestoreAllSurfaces();
        return;
    }
    if (result != DD_OK) return;
    std::swap(lpDDSPrimary->pixels, lpDDSBack->pixels);
    PresentPrimary();
}

uint32_t RestoreAllSurfaces() {
    uint32_t result = DD_OK;
    for (Surface* s : {lpDDSPrimary, lpDDSBack, lpDDSSheet}) {
        if (!s) continue;
        result = HostSurfaceResult();
        if (result != DD_OK) break;
    }
    return result;
}

void DDRelease() {
    if (!lpDD) return;
    delete lpDDSPrimary;
    lpDDSPrimary = nullptr;
    delete lpDDSBack;
    lpDDSBack = nullptr;
    lpDD = false;
}

int DDError(const char* text) {
    DDRelease();
    HostMessageBox("DirectDraw Error", text);
    return 0;
}

void PresentPrimary() {
    if (!lpDDSPrimary) return;
    HostColor colors[256] = {};
    if (const DDPalette* p = lpDDSPrimary->palette)
        for (int i = 0; i < 256; ++i)
            colors[i] = {p->entries[i].red, p->entries[i].green, p->entries[i].blue};
    HostPresent(lpDDSPrimary->pixels.data(), lpDDSPrimary->pitch, colors);
}
