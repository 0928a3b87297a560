// Display surfaces and sprite drawing: the primary and back buffers, the doubled sheet, the
// palettes and the clipped, colour-keyed sprite copy. A surface is plain 8-bit memory.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dib.h"
#include "platform/host/host.h"

struct Rect {
    int left, top, right, bottom;
};

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};
struct DDPalette {
    PaletteEntry entries[256];
};

struct Surface {
    int width = 0, height = 0, pitch = 0;
    std::vector<uint8_t> pixels;
    const DDPalette* palette = nullptr;
    bool hasColorKey = false;
    uint8_t colorKey = 0;
};

// Result codes of the old display interface that the logic tells apart.
constexpr uint32_t DD_OK = 0;
constexpr uint32_t DDERR_SURFACELOST = HostSurfaceLost;
constexpr uint32_t DDERR_WASSTILLDRAWING = 0x8876021C;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x01;

extern bool lpDD; // the display is open
extern Surface* lpDDSPrimary;
extern Surface* lpDDSBack;
extern Surface* lpDDSSheet;
extern DDPalette* lpDDPal;
extern DDPalette* lpDDPalTitle;

constexpr int ScreenWidth = 640, ScreenHeight = 480;

int DDInit();
int DDSInit();
void ClearSurface(Surface* surface);
void SetRGBQuadPalette(DDPalette** slot, const uint8_t* rgbQuads);
void SetSurfacePalette(Surface* surface, const DDPalette* palette);
Surface* GetNewSurface(int width, int height);
int CopyDibToSurface(Surface* surface, Dib* dib, int width, int height);
void SetColorKeyFromPixel(Surface* surface, int x, int y);
int DrawSprite(int x, int y, int left, int top, int right, int bottom);
int BltSprite(int x, int y, int left, int top, int right, int bottom, int noKey);
int CopySurfaceRect(Surface* source, Surface* destination, int x, int y, const Rect& rect,
                    uint32_t flags);
void DrawDibToSurface(Surface* surface, Dib* dib);
void FlipFrame();
uint32_t RestoreAllSurfaces();
void DDRelease();
int DDError(const char* text);
// Shows the primary surface through its palette (after a flip or a direct write).
void PresentPrimary();
