// The present path of the SDL host, kept apart so the benchmark can run it without a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr int FrameWidth = 640, FrameHeight = 480;

// One row through the colour table, each pixel `scale` times across. A constant scale lets
// the inner writes unroll into plain stores.
template <int Scale>
void ExpandRow(const uint8_t* row, const uint32_t colors[256], int scale, uint32_t* out) {
    const int n = Scale ? Scale : scale;
    for (int x = 0; x < FrameWidth; ++x) {
        const uint32_t color = colors[row[x]];
        for (int k = 0; k < n; ++k) out[x * n + k] = color;
    }
}

// Writes one indexed frame into 32-bit pixels, `scale` times its size in both directions.
// `colors` holds the palette already in the output's pixel format, so a pixel costs one table
// load; the repeated rows are copies of the first.
inline void ExpandFrame(const uint8_t* pixels, int pitch, const uint32_t colors[256], int scale,
                        uint8_t* out, int outPitch) {
    const size_t rowBytes = static_cast<size_t>(FrameWidth) * scale * sizeof(uint32_t);
    for (int y = 0; y < FrameHeight; ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* first = out + static_cast<ptrdiff_t>(y) * scale * outPitch;
        auto* expanded = reinterpret_cast<uint32_t*>(first);
        switch (scale) {
        case 1:
            ExpandRow<1>(row, colors, scale, expanded);
            break;
        case 2:
            ExpandRow<2>(row, colors, scale, expanded);
            break;
        case 3:
            ExpandRow<3>(row, colors, scale, expanded);
            break;
        case 4:
            ExpandRow<4>(row, colors, scale, expanded);
            break;
        default:
            ExpandRow<0>(row, colors, scale, expanded);
            break;
        }
        for (int k = 1; k < scale; ++k)
            std::memcpy(first + static_cast<ptrdiff_t>(k) * outPitch, first, rowBytes);
    }
}
