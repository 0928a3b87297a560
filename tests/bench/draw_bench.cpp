// What one frame's drawing costs: the star field and a crowd of keyed sprites.
#include <benchmark/benchmark.h>

#include "app/frame.h"
#include "platform/display.h"
#include "platform/host/headless/headless.h"
#include "platform/host/host.h"
#include "players/playfield.h"

namespace {

void SetUpDisplay() {
    static bool ready = false;
    if (ready) return;
    HeadlessReset();
    SpriteSheet = new Dib;
    const uint8_t* bytes;
    size_t size;
    HostFindResource("BIN", 101, &bytes, &size);
    SpriteSheet->LoadResource(bytes, size);
    DDInit();
    DDSInit();
    SetRGBQuadPalette(&lpDDPal, SpriteSheet->ColorTable());
    SetSurfacePalette(lpDDSPrimary, lpDDPal);
    SetSurfacePalette(lpDDSBack, lpDDPal);
    lpDDSSheet = GetNewSurface(640, 1920);
    CopyDibToSurface(lpDDSSheet, SpriteSheet, 640, 1920);
    SetColorKeyFromPixel(lpDDSSheet, 0, 160);
    ready = true;
}

void BM_Background(benchmark::State& state) {
    SetUpDisplay();
    for (auto _ : state) DrawBackground();
}
BENCHMARK(BM_Background);

void BM_HundredSprites(benchmark::State& state) {
    SetUpDisplay();
    for (auto _ : state)
        for (int i = 0; i < 100; ++i) DrawSprite((i * 37) % 608, (i * 53) % 448, 0, 160, 32, 192);
}
BENCHMARK(BM_HundredSprites);

void BM_Flip(benchmark::State& state) {
    SetUpDisplay();
    for (auto _ : state) FlipFrame();
}
BENCHMARK(BM_Flip);

} // namespace
