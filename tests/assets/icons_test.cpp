// The desktop icons the build wrote into its hicolor folder: every size the same fly as the
// window icon, crisp (each pixel a colour of the sheet, fully opaque or fully transparent) and
// with transparent corners, so it sits on any panel or menu.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "assets/palette.h"
#include "platform/dib.h"
#include "platform/host/resources.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;
    Rgba At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t Big32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Reads the generator's own PNGs: 8-bit RGBA, unfiltered rows in stored deflate blocks.
// Anything else leaves the picture empty.
Picture ReadIcon(int size) {
    std::string path = std::string(ASSET_DIR) + "/hicolor/" + std::to_string(size) + "x" +
                       std::to_string(size) + "/apps/kestor.png";
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file(std::istreambuf_iterator<char>(in), {});
    Picture p;
    std::vector<uint8_t> z;
    for (size_t at = 8; at + 12 <= file.size();) {
        size_t length = Big32(file, at);
        std::string type(file.begin() + long(at) + 4, file.begin() + long(at) + 8);
        if (at + 12 + length > file.size()) return {};
        if (type == "IHDR") {
            p.width = int(Big32(file, at + 8));
            p.height = int(Big32(file, at + 12));
            if (file[at + 16] != 8 || file[at + 17] != 6) return {};
        }
        if (type == "IDAT")
            z.insert(z.end(), file.begin() + long(at) + 8, file.begin() + long(at + 8 + length));
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    for (size_t at = 2; at + 5 <= z.size();) {
        if ((z[at] & 6) != 0) return {}; // not a stored block
        size_t n = z[at + 1] | z[at + 2] << 8;
        raw.insert(raw.end(), z.begin() + long(at) + 5, z.begin() + long(at + 5 + n));
        if (z[at] & 1) break;
        at += 5 + n;
    }
    size_t row = size_t(p.width) * 4 + 1;
    if (p.width <= 0 || raw.size() != row * size_t(p.height)) return {};
    for (int y = 0; y < p.height; ++y) {
        const uint8_t* r = &raw[row * size_t(y)];
        if (r[0] != 0) return {};
        for (int x = 0; x < p.width; ++x)
            p.pixels.push_back({r[1 + 4 * x], r[2 + 4 * x], r[3 + 4 * x], r[4 + 4 * x]});
    }
    return p;
}

bool InSheetPalette(Rgba c) {
    for (const Rgb& q : SheetPalette())
        if (q.r == c.r && q.g == c.g && q.b == c.b) return true;
    return false;
}

} // namespace

TEST(DesktopIcons, EverySizeIsACrispFlyOnADiscWithTransparentCorners) {
    for (const DesktopIcon& icon : DesktopIcons) {
        SCOPED_TRACE(icon.size);
        Picture p = ReadIcon(icon.size);
        ASSERT_EQ(p.width, icon.size);
        ASSERT_EQ(p.height, icon.size);
        const int last = icon.size - 1;
        for (Rgba corner : {p.At(0, 0), p.At(last, 0), p.At(0, last), p.At(last, last)})
            EXPECT_EQ(corner.a, 0);
        EXPECT_EQ(p.At(icon.size / 2, icon.size / 2).a, 255);
        int opaque = 0, red = 0;
        for (Rgba c : p.pixels) {
            if (c.a == 0) continue;
            ASSERT_EQ(c.a, 255) << "a soft edge";
            ASSERT_TRUE(InSheetPalette(c))
                << "a blended colour: " << int(c.r) << "," << int(c.g) << "," << int(c.b);
            ++opaque;
            red += c.r > 150 && c.r > 2 * c.g && c.r > 2 * c.b; // the eyes
        }
        EXPECT_GT(opaque, icon.size * icon.size / 2);
        EXPECT_GE(red, icon.size * icon.size / 170);
    }
}

// The 32-pixel desktop icon is the window icon itself, its transparent index left out.
TEST(DesktopIcons, ThirtyTwoPixelsAreTheWindowIcon) {
    const EmbeddedResource* resource = FindEmbeddedResource("ICON", 129);
    ASSERT_NE(resource, nullptr);
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(resource->bytes, resource->size));
    std::vector<uint8_t> px(32 * 32);
    dib.Draw(px.data(), 32, 32, 32, 0, 0);
    Picture p = ReadIcon(32);
    ASSERT_EQ(p.width, 32);
    for (int i = 0; i < 32 * 32; ++i) {
        SCOPED_TRACE(testing::Message() << "pixel " << i % 32 << "," << i / 32);
        if (px[i] == 0) {
            ASSERT_EQ(p.pixels[i].a, 0);
            continue;
        }
        const uint8_t* q = dib.ColorTable() + 4 * px[i];
        ASSERT_EQ(p.pixels[i], (Rgba{q[2], q[1], q[0], 255}));
    }
}

// Sizes beyond the largest drawing are that drawing enlarged pixel for pixel: never smoothed.
TEST(DesktopIcons, LargeSizesAreWholePixelEnlargements) {
    for (const DesktopIcon& icon : DesktopIcons) {
        const int drawn = 16 * icon.scale, times = icon.size / drawn;
        if (times == 1) continue;
        SCOPED_TRACE(icon.size);
        EXPECT_EQ(drawn * times, icon.size);
        Picture small = ReadIcon(drawn), large = ReadIcon(icon.size);
        ASSERT_EQ(small.width, drawn);
        ASSERT_EQ(large.width, icon.size);
        for (int y = 0; y < icon.size; ++y)
            for (int x = 0; x < icon.size; ++x)
                ASSERT_EQ(large.At(x, y), small.At(x / times, y / times)) << x << "," << y;
    }
}
