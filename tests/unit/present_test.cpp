// The SDL host's expansion of the indexed frame into the window's or the texture's 32-bit
// pixels, at every whole scale: every output pixel is its source pixel's colour, and nothing
// beyond the picture's rows and columns is written.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host/sdl/present.h"

TEST(Present, EveryScaleShowsEachPixelAsASquareOfItsColourAndWritesNothingElse) {
    const int pitch = FrameWidth + 7; // the source rows padded too
    std::vector<uint8_t> frame(static_cast<size_t>(pitch) * FrameHeight);
    uint32_t seed = 5;
    for (uint8_t& p : frame) p = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
    uint32_t colors[256];
    for (uint32_t i = 0; i < 256; ++i) colors[i] = 0xFF000000u | (i * 0x9E3779u & 0xFFFFFFu);
    for (int scale = 1; scale <= 5; ++scale) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        const int outPitch = FrameWidth * scale * 4 + 12;
        std::vector<uint32_t> out((static_cast<size_t>(outPitch) * FrameHeight * scale) / 4,
                                  0xABCDEF01u);
        ExpandFrame(frame.data(), pitch, colors, scale, reinterpret_cast<uint8_t*>(out.data()),
                    outPitch);
        for (int y = 0; y < FrameHeight * scale; ++y) {
            const uint32_t* row = out.data() + static_cast<size_t>(y) * (outPitch / 4);
            for (int x = 0; x < FrameWidth * scale; ++x)
                ASSERT_EQ(row[x], colors[frame[static_cast<size_t>(y / scale) * pitch + x / scale]])
                    << x << "," << y;
            for (int x = FrameWidth * scale; x < outPitch / 4; ++x) ASSERT_EQ(row[x], 0xABCDEF01u);
        }
    }
}
