// The cost of showing one frame on a host without a GPU: every indexed pixel through the colour
// table into 32-bit pixels, scaled sharp to the size the picture fills on screens of the common
// sizes, for the title picture (the busiest the game shows) and a frame of battle. Each size runs
// beside a plain memcpy of the same output bytes, the least any present could cost.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/host/present.h"
#include "tests/bench/mission.h"

namespace {

// The screens: the picture's fill of each, a whole multiple only at 2560x1440.
constexpr int Screens[][2] = {{1366, 768}, {1920, 1080}, {2560, 1440}, {3840, 2160}};

// The picture filling the screen, or at the whole multiple that fits (KESTOR_SCALE=whole, and
// what the program showed before it filled the screen) when the benchmark's third argument is 1.
PictureRect FillOf(const benchmark::State& state) {
    const int* screen = Screens[state.range(0)];
    return FitPicture(screen[0], screen[1], state.range(2) != 0);
}

// Output rows are often padded beyond the picture (a window wider than it, a texture pitch).
int OutPitch(const PictureRect& fill) {
    return fill.w * 4 + 64;
}

void Label(benchmark::State& state, const PictureRect& fill, const char* what = "") {
    const int* screen = Screens[state.range(0)];
    state.SetLabel(std::to_string(screen[0]) + "x" + std::to_string(screen[1]) + " -> " +
                   std::to_string(fill.w) + "x" + std::to_string(fill.h) + what);
}

struct Shown {
    std::vector<uint8_t> pixels;
    uint32_t colors[256];
};

Shown LastShown() {
    Shown shown{HeadlessScreen(), {}};
    const HostColor* palette = HeadlessScreenPalette();
    for (int i = 0; i < 256; ++i)
        shown.colors[i] =
            0xFF000000u | uint32_t{palette[i].r} << 16 | uint32_t{palette[i].g} << 8 | palette[i].b;
    return shown;
}

// The game's own frames: the title as it first shows, and two ticks in a row of the battle
// after a second of play (the star field draws every other row in turn).
const Shown& Frame(int which) {
    static Shown frames[3];
    if (frames[0].pixels.empty()) {
        HeadlessReset();
        AppInit();
        while (HeadlessPresentCount() == 0) {
            HeadlessAdvance(40);
            GameFrame();
        }
        frames[0] = LastShown();
        StartMission();
        for (int i = 1; i <= 27; ++i) {
            HeadlessAdvance(40);
            GameFrame();
            if (i >= 26) frames[i - 25] = LastShown();
        }
    }
    return frames[which];
}

void BM_Present(benchmark::State& state) {
    const PictureRect fill = FillOf(state);
    const bool battle = state.range(1) != 0;
    std::vector<uint8_t> out(static_cast<size_t>(OutPitch(fill)) * fill.h);
    SharpScaler scaler{};
    LayOutScaler(&scaler, fill.w, fill.h);
    int tick = 0;
    for (auto _ : state) {
        const Shown& shown = Frame(battle ? 1 + tick++ % 2 : 0);
        // The title written whole every time, as after the window was uncovered: the most a
        // present costs. Each tick of battle writes only the rows its frame changed.
        scaler.showing = scaler.showing && battle;
        ScaleFrame(&scaler, shown.pixels.data(), FrameWidth, shown.colors, out.data(),
                   OutPitch(fill));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
    Label(state, fill, state.range(1) ? ", battle" : ", title");
}
BENCHMARK(BM_Present)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 3, 1), {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_PresentMemcpy(benchmark::State& state) {
    const PictureRect fill = FillOf(state);
    std::vector<uint8_t> from(static_cast<size_t>(OutPitch(fill)) * fill.h, 1);
    std::vector<uint8_t> out(from.size());
    for (auto _ : state) {
        std::memcpy(out.data(), from.data(), out.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
    Label(state, fill);
}
BENCHMARK(BM_PresentMemcpy)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 3, 1), {0}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
