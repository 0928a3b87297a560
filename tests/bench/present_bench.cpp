// The cost of showing one frame on the SDL host: every indexed pixel through the colour table
// into the 32-bit texture memory. It runs on every drawn frame, 25 a second while playing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/host/sdl/present.h"

namespace {

void ExpandOneFrame(benchmark::State& state) {
    std::vector<uint8_t> frame(FrameWidth * FrameHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 131 + i / 640);
    uint32_t colors[256];
    for (uint32_t i = 0; i < 256; ++i) colors[i] = 0xFF000000u | i * 0x010305u;
    // A texture row is often padded beyond its 640 pixels.
    const int outPitch = FrameWidth * 4 + 64;
    std::vector<uint8_t> texture(static_cast<size_t>(outPitch) * FrameHeight);
    for (auto _ : state) {
        ExpandFrame(frame.data(), FrameWidth, colors, texture.data(), outPitch);
        benchmark::DoNotOptimize(texture.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * FrameWidth * FrameHeight);
}
BENCHMARK(ExpandOneFrame);

} // namespace
