// The present path of the SDL host, kept apart so the benchmark can run it without a window.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int FrameWidth = 640, FrameHeight = 480;

// Writes one indexed frame into 32-bit pixels. `colors` holds the palette already in the
// texture's pixel format, so each pixel costs one table load and one store.
inline void ExpandFrame(const uint8_t* pixels, int pitch, const uint32_t colors[256], uint8_t* out,
                        int outPitch) {
    for (int y = 0; y < FrameHeight; ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        auto* outRow = reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(y) * outPitch);
        for (int x = 0; x < FrameWidth; ++x) outRow[x] = colors[row[x]];
    }
}
