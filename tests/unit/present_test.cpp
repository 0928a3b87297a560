// The hosts' present: where the picture stands on screens of every shape, and the indexed frame
// expanded into the window's or the texture's 32-bit pixels, at whole scales and between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/host/present.h"

namespace {

constexpr int Pitch = FrameWidth + 7; // the source rows padded too

// Runs of random length and colour, as the game's pictures have, and single pixels among them.
std::vector<uint8_t> RandomFrame(uint32_t seed) {
    std::vector<uint8_t> frame(static_cast<size_t>(Pitch) * FrameHeight);
    int run = 0;
    uint8_t index = 0;
    for (uint8_t& p : frame) {
        seed = seed * 1103515245u + 12345u;
        if (run-- <= 0) {
            index = static_cast<uint8_t>(seed >> 16);
            run = (seed >> 8) % 5 == 0 ? static_cast<int>(seed >> 24) % 40 : 0;
        }
        p = index;
    }
    return frame;
}

struct Colors {
    uint32_t c[256];
    Colors() {
        for (uint32_t i = 0; i < 256; ++i) c[i] = 0xFF000000u | (i * 0x9E3779u & 0xFFFFFFu);
    }
};

} // namespace

// The screens people have, the desktop's and the page's, and one too small for the picture.
TEST(Present, ThePictureFillsTheLimitingSideCentredAt4To3) {
    struct Case {
        int width, height;
        bool whole;
        PictureRect want;
    };
    const Case cases[] = {
        {1366, 768, false, {171, 0, 1024, 768}},    {1920, 1080, false, {240, 0, 1440, 1080}},
        {1600, 900, false, {200, 0, 1200, 900}},    {2560, 1440, false, {320, 0, 1920, 1440}},
        {1366, 625, false, {266, 0, 833, 625}},     {1080, 1920, false, {0, 555, 1080, 810}},
        {1280, 960, false, {0, 0, 1280, 960}},      {500, 400, false, {-70, -40, 640, 480}},
        {1366, 768, true, {363, 144, 640, 480}},    {1920, 1080, true, {320, 60, 1280, 960}},
        {3840, 2160, true, {640, 120, 2560, 1920}},
    };
    for (const Case& c : cases) {
        PictureRect got = FitPicture(c.width, c.height, c.whole);
        EXPECT_EQ(std::vector<int>({got.x, got.y, got.w, got.h}),
                  std::vector<int>({c.want.x, c.want.y, c.want.w, c.want.h}))
            << c.width << "x" << c.height << (c.whole ? " whole" : "");
    }
}

TEST(Present, EveryScaleShowsEachPixelAsASquareOfItsColourAndWritesNothingElse) {
    const int pitch = Pitch;
    const std::vector<uint8_t> frame = RandomFrame(5);
    const Colors palette;
    const uint32_t* colors = palette.c;
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

// Between whole scales every output pixel is what area sampling of the picture's exact squares
// gives, worked out here in floating point: pixels wholly inside one of the picture's are its
// colour exactly, the rest off by rounding at most. At whole scales it is the expansion itself.
// Nothing beyond the picture's rows and columns is written.
TEST(Present, BetweenWholeScalesOnlyThePixelsOnAnEdgeAreMixedByTheAreaTheyCover) {
    const Colors palette;
    SharpScaler scaler{};
    for (auto [width, height] : {std::pair{1024, 768},
                                 {833, 625},
                                 {1441, 1081},
                                 {1280, 960},
                                 {1200, 900},
                                 {2880, 2160},
                                 {640, 480}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::vector<uint8_t> frame = RandomFrame(static_cast<uint32_t>(width));
        const int outPitch = width * 4 + 12;
        std::vector<uint32_t> out(static_cast<size_t>(outPitch / 4) * height, 0xABCDEF01u);
        LayOutScaler(&scaler, width, height);
        ScaleFrame(&scaler, frame.data(), Pitch, palette.c, reinterpret_cast<uint8_t*>(out.data()),
                   outPitch);
        const double sx = 640.0 / width, sy = 480.0 / height;
        int mixed = 0;
        for (int y = 0; y < height; ++y) {
            const double top = y * sy, bottom = (y + 1) * sy;
            for (int x = 0; x < width; ++x) {
                const double left = x * sx, right = (x + 1) * sx;
                double sum[4] = {};
                int sources = 0;
                for (int fy = static_cast<int>(top); fy < bottom && fy < FrameHeight; ++fy)
                    for (int fx = static_cast<int>(left); fx < right && fx < FrameWidth; ++fx) {
                        const double area = (std::min(right, fx + 1.0) - std::max(left, 1.0 * fx)) *
                                            (std::min(bottom, fy + 1.0) - std::max(top, 1.0 * fy));
                        const uint32_t c = palette.c[frame[static_cast<size_t>(fy) * Pitch + fx]];
                        for (int k = 0; k < 4; ++k) sum[k] += area * (c >> (8 * k) & 0xFF);
                        ++sources;
                    }
                const uint32_t got = out[static_cast<size_t>(y) * (outPitch / 4) + x];
                int worst = 0;
                for (int k = 0; k < 4; ++k) {
                    const double want = sum[k] / (sx * sy);
                    worst = std::max(worst, static_cast<int>(std::ceil(
                                                std::abs(want - (got >> (8 * k) & 0xFF)) - 1e-9)));
                }
                ASSERT_LE(worst, sources == 1 ? 0 : 2) << x << "," << y;
                mixed += sources > 1;
            }
            for (int x = width; x < outPitch / 4; ++x)
                ASSERT_EQ(out[static_cast<size_t>(y) * (outPitch / 4) + x], 0xABCDEF01u);
        }
        // Only the edges: no more than one row and one column of mixed pixels per picture pixel.
        EXPECT_LE(mixed, 640 * height + 480 * width);
    }
}

TEST(Present, OnlyTheWholeWordSwitchesToWholeScales) {
    EXPECT_TRUE(WholeScaleAsked("whole"));
    EXPECT_FALSE(WholeScaleAsked(nullptr));
    EXPECT_FALSE(WholeScaleAsked(""));
    EXPECT_FALSE(WholeScaleAsked("fill"));
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

// A frame that changes one row rewrites only the output rows that show it, and those are what
// scaling the new frame from nothing gives; new colours, or an output said to be cleared, have
// every row written again.
TEST(Present, OnlyTheOutputRowsAFrameChangedAreWrittenAgain) {
    const Colors palette;
    std::vector<uint8_t> frame = RandomFrame(11);
    const int width = 1024, height = 768, outPitch = width * 4;
    std::vector<uint8_t> kept(static_cast<size_t>(outPitch) * height), fresh(kept.size());
    SharpScaler scaler{}, other{};
    LayOutScaler(&scaler, width, height);
    LayOutScaler(&other, width, height);
    auto rowsWritten = [&](const uint32_t* colors) {
        std::fill(kept.begin(), kept.end(), 0xA5);
        ScaleFrame(&scaler, frame.data(), Pitch, colors, kept.data(), outPitch);
        std::vector<int> rows;
        for (int y = 0; y < height; ++y)
            if (std::any_of(kept.begin() + y * outPitch, kept.begin() + (y + 1) * outPitch,
                            [](uint8_t b) { return b != 0xA5; }))
                rows.push_back(y);
        return rows;
    };
    EXPECT_EQ(rowsWritten(palette.c).size(), static_cast<size_t>(height));
    EXPECT_TRUE(rowsWritten(palette.c).empty());
    // Frame row 100 covers output rows 160 to 161.6.
    frame[static_cast<size_t>(100) * Pitch + 5] ^= 1;
    EXPECT_EQ(rowsWritten(palette.c), (std::vector<int>{160, 161}));
    ScaleFrame(&other, frame.data(), Pitch, palette.c, fresh.data(), outPitch);
    for (int y : {160, 161})
        EXPECT_TRUE(std::equal(kept.begin() + y * outPitch, kept.begin() + (y + 1) * outPitch,
                               fresh.begin() + y * outPitch))
            << y;
    // Row 101 shows in output row 161, mixed with row 100 above it, and in rows 162 and 163.
    frame[static_cast<size_t>(101) * Pitch + 5] ^= 1;
    EXPECT_EQ(rowsWritten(palette.c), (std::vector<int>{161, 162, 163}));
    Colors brighter;
    brighter.c[frame[0]] ^= 0xFF;
    EXPECT_EQ(rowsWritten(brighter.c).size(), static_cast<size_t>(height));
    scaler.showing = false;
    EXPECT_EQ(rowsWritten(brighter.c).size(), static_cast<size_t>(height));
}
