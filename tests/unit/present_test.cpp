// The hosts' expansion of the indexed frame into the window's or the texture's 32-bit
// pixels, at every whole scale: every output pixel is its source pixel's colour, and nothing
// beyond the picture's rows and columns is written.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host/present.h"

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

// A new palette (the title's, a game's) or a new pixel format must show at once; the same
// palette again costs nothing.
TEST(Present, TheColourTableIsBuiltAgainOnlyForANewPaletteOrFormat) {
    HostColor palette[256] = {};
    int builds = 0;
    auto pixel = [&builds](HostColor c) {
        ++builds;
        return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
    };
    ColorTable table{};
    EXPECT_TRUE(UpdateColorTable(&table, palette, 1, pixel));
    EXPECT_FALSE(UpdateColorTable(&table, palette, 1, pixel));
    EXPECT_EQ(builds, 256);
    palette[7] = {1, 2, 3};
    EXPECT_TRUE(UpdateColorTable(&table, palette, 1, pixel));
    EXPECT_EQ(table.colors[7], 0x010203u);
    EXPECT_TRUE(UpdateColorTable(&table, palette, 2, pixel));
}
