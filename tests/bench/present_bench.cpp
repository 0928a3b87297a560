// The cost of showing one frame on the SDL host: every indexed pixel through the colour table
// into 32-bit pixels, scaled by the whole factor of the screen. Each scale runs beside a plain
// memcpy of the same output bytes, the least any present could cost.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/host/present.h"

namespace {

// Output rows are often padded beyond the picture (a window wider than it, a texture pitch).
int OutPitch(int scale) {
    return FrameWidth * scale * 4 + 64;
}

void BM_Present(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    std::vector<uint8_t> frame(FrameWidth * FrameHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 131 + i / 640);
    uint32_t colors[256];
    for (uint32_t i = 0; i < 256; ++i) colors[i] = 0xFF000000u | i * 0x010305u;
    std::vector<uint8_t> out(static_cast<size_t>(OutPitch(scale)) * FrameHeight * scale);
    for (auto _ : state) {
        ExpandFrame(frame.data(), FrameWidth, colors, scale, out.data(), OutPitch(scale));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_Present)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_PresentMemcpy(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    std::vector<uint8_t> from(static_cast<size_t>(OutPitch(scale)) * FrameHeight * scale, 1);
    std::vector<uint8_t> out(from.size());
    for (auto _ : state) {
        std::memcpy(out.data(), from.data(), out.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_PresentMemcpy)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

} // namespace
