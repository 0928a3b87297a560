// The present that the desktop's and the page's hosts share: where the picture stands in the
// space it has, and the indexed frame expanded through its palette's colours into 32-bit pixels
// at that size, sharp. Kept apart from either host, so the benchmark can run it without a window.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/host/host.h"

constexpr int FrameWidth = 640, FrameHeight = 480;

// The palette's colours in a screen's pixel format, built again only when the palette or the
// format changes: at the title and at each game start, not per frame.
struct ColorTable {
    uint32_t colors[256];
    HostColor palette[256]; // what `colors` was built from
    uint32_t format;
    bool built;
};

// True when the table was built again. `pixel` makes one pixel of `format` from a colour.
template <typename Pixel>
bool UpdateColorTable(ColorTable* table, const HostColor palette[256], uint32_t format,
                      Pixel pixel) {
    if (table->built && table->format == format &&
        std::memcmp(palette, table->palette, sizeof table->palette) == 0)
        return false;
    for (int i = 0; i < 256; ++i) table->colors[i] = pixel(palette[i]);
    std::copy(palette, palette + 256, table->palette);
    table->format = format;
    table->built = true;
    return true;
}

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

// Where the picture stands in a space of `width` x `height` device pixels: filling its limiting
// side, 4:3, centred; with `whole`, at the largest whole multiple that fits. Never smaller than
// its own 640x480, which a smaller space shows cut.
struct PictureRect {
    int x, y, w, h;
};
PictureRect FitPicture(int width, int height, bool whole);

// The picture drawn at any size of at least 640x480, "sharp bilinear": each of the frame's pixels
// a square of the output at a fractional size, the output pixels wholly inside it of its colour
// and only those that straddle an edge blended, by the area each side covers. At a whole
// multiple that is ExpandFrame's picture exactly. The tables are laid out once per size.
struct SharpScaler {
    int width, height; // the output's size, 0 until laid out
    int whole;         // the whole multiple the size is, else 0
    // Across: for each of the frame's columns, the first output pixel wholly inside it, and the
    // weight (of 256) it has in the output pixel that straddles it and the next, 0 when none does.
    uint16_t pureFrom[FrameWidth + 1];
    uint16_t edge[FrameWidth];
    // Down: for each output row, the frame's row and its weight (of 256) against the next.
    struct Row {
        int16_t from;
        uint16_t weight;
    };
    std::vector<Row> rows;
    // The last two of the frame's rows expanded across, by the row they came from.
    std::vector<uint32_t> expanded[2];
    int expandedFrom[2];
    std::vector<uint32_t> mixed; // a row mixed from two, on its way to the output
    // The frame and colours the output shows, so that output rows a new frame leaves as they were
    // are not written again (in battle, every other row of the frame changes in a tick); false
    // until the output has them, and again whenever the output was cleared or is another.
    std::vector<uint8_t> shown;
    uint32_t shownColors[256];
    bool showing;
};
void LayOutScaler(SharpScaler* scaler, int width, int height);
void ScaleFrame(SharpScaler* scaler, const uint8_t* pixels, int pitch, const uint32_t colors[256],
                uint8_t* out, int outPitch);

// Whether the environment asks for whole multiples only: KESTOR_SCALE=whole.
bool WholeScaleAsked(const char* setting);
