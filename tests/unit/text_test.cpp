// Font heights, colour matching and the title picture.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/flow.h"
#include "app/frame.h"
#include "boot.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/text.h"

TEST(Text, FontHeightsFollowTheDotsPerInch) {
    EXPECT_EQ(FontPixelHeight(240, 96), 32);
    EXPECT_EQ(FontPixelHeight(200, 96), 27);
    EXPECT_EQ(FontPixelHeight(240, 120), 40);
    EXPECT_EQ(FontPixelHeight(200, 120), 33);
}

TEST(Text, ColoursMatchTheNearestPaletteEntry) {
    DDPalette p{};
    p.entries[3] = {250, 250, 250, 0};
    p.entries[7] = {0, 250, 240, 0};
    p.entries[9] = {255, 0, 250, 0};
    EXPECT_EQ(NearestPaletteIndex(&p, White), 3);
    EXPECT_EQ(NearestPaletteIndex(&p, Cyan), 7);
    EXPECT_EQ(NearestPaletteIndex(&p, Magenta), 9);
    EXPECT_EQ(NearestPaletteIndex(&p, 0x000000), 0);
}

TEST(Text, CaptionsAreDrawnInTheMatchedColourOverWhatIsThere) {
    Boot();
    ASSERT_NE(CaptionFont, nullptr);
    EXPECT_EQ(CaptionFont->pixelHeight, 32);
    EXPECT_EQ(RollFont->pixelHeight, 27);
    if (!CaptionFont->face) GTEST_SKIP() << "no serif face installed";
    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 200);
    PutText(CaptionFont, 250, 100, White, "Mission 1");
    int ink = NearestPaletteIndex(lpDDSBack->palette, White);
    int inked = 0, other = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            uint8_t v = lpDDSBack->pixels[static_cast<size_t>(y) * 640 + x];
            if (v == ink) {
                ++inked;
                EXPECT_TRUE(x >= 250 && y >= 100 && y < 100 + 48) << x << "," << y;
            } else if (v != 200) {
                ++other; // unsmoothed: no in-between shades
            }
        }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(other, 0);
    PutText(CaptionFont, 10, 10, White, ""); // nothing to draw
}

namespace {

void WriteTitle(const char* name, int width, int height, uint8_t index) {
    uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) & ~3u;
    uint32_t off = 54 + 1024, size = off + rowBytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> f(size, index);
    std::fill(f.begin(), f.begin() + 54, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, size);
    put32(10, off);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    f[26] = 1;
    f[28] = 8;
    for (int i = 0; i < 256; ++i) {
        f[54 + 4 * i] = static_cast<uint8_t>(255 - i);
        f[55 + 4 * i] = 0;
        f[56 + 4 * i] = static_cast<uint8_t>(i);
        f[57 + 4 * i] = 0;
    }
    FILE* out = std::fopen(name, "wb");
    std::fwrite(f.data(), 1, f.size(), out);
    std::fclose(out);
}

} // namespace

TEST(TitlePicture, AMissingFileLeavesABlackScreenWithTheGreyRamp) {
    Boot();
    ShowTitlePicture("no-such-title.bmp");
    for (uint8_t v : HeadlessScreen()) ASSERT_EQ(v, 0);
    EXPECT_EQ(HeadlessScreenPalette()[200].r, 200);
    EXPECT_EQ(HeadlessScreenPalette()[200].b, 200);
}

TEST(TitlePicture, ASmallerPictureStandsTopLeftAndALargerOneIsNotShown) {
    Boot();
    std::string small = testing::TempDir() + "small-title.bmp";
    WriteTitle(small.c_str(), 100, 50, 33);
    ShowTitlePicture(small.c_str());
    EXPECT_EQ(HeadlessScreen()[0], 33);
    EXPECT_EQ(HeadlessScreen()[49 * 640 + 99], 33);
    EXPECT_EQ(HeadlessScreen()[50 * 640], 0);
    EXPECT_EQ(HeadlessScreenPalette()[33].r, 33); // its own colours

    std::string large = testing::TempDir() + "large-title.bmp";
    WriteTitle(large.c_str(), 700, 500, 44);
    ShowTitlePicture(large.c_str());
    EXPECT_EQ(HeadlessScreen()[0], 33); // the former picture, under the new palette
}

TEST(TitlePicture, TheShippedTitleFillsTheScreen) {
    Boot();
    ShowTitlePicture("Tilte.bmp");
    int distinct = 0;
    bool seen[256] = {};
    for (uint8_t v : HeadlessScreen()) distinct += !seen[v], seen[v] = true;
    EXPECT_GT(distinct, 1);
}

namespace {

std::vector<uint8_t> ReadBytes(const std::string& name) {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void Put32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

// Whatever broken file a player leaves in place of the title picture, the title stays black
// and F1 still opens a mission.
TEST(TitlePicture, AMalformedFileLeavesABlackTitleAndAWorkingGame) {
    std::string good = testing::TempDir() + "good-title.bmp";
    WriteTitle(good.c_str(), 640, 480, 77);
    const std::vector<uint8_t> title = ReadBytes(good);
    ASSERT_GT(title.size(), 1078u);

    std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
    cases.emplace_back("truncated", std::vector<uint8_t>(title.begin(), title.begin() + 600));
    std::vector<uint8_t> huge = title;
    Put32(huge, 18, 0x7FFFFFFF);
    Put32(huge, 22, 0x7FFFFFFF);
    cases.emplace_back("huge dimensions", huge);
    std::vector<uint8_t> offset = title;
    Put32(offset, 10, static_cast<uint32_t>(title.size()) + 4096);
    cases.emplace_back("bits past the end", offset);
    std::vector<uint8_t> text(3000, 'x');
    cases.emplace_back("not a bitmap", text);

    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        Boot();
        std::string name = testing::TempDir() + "bad-title.bmp";
        WriteBytes(name, bytes);
        ShowTitlePicture(name.c_str());
        int lit = 0;
        for (uint8_t v : HeadlessScreen()) lit += v != 0;
        EXPECT_EQ(lit, 0);

        MainWndProc(WM_KEYDOWN, VK_F1);
        for (int tick = 0; tick < 100 && PlayPhase != MissionIntro; ++tick) {
            HeadlessAdvance(40);
            GameFrame();
        }
        ASSERT_EQ(PlayPhase, MissionIntro);
        // The mission's frames reach the screen, in the sheet's colours again.
        lit = 0;
        for (uint8_t v : HeadlessScreen()) lit += v != 0;
        EXPECT_GT(lit, 640 * 480 / 2);
    }
}

// A table that claims more colours than a palette holds is read for its first 256.
TEST(TitlePicture, AColourCountOf65535ShowsThePictureInItsFirst256Colours) {
    Boot();
    std::string name = testing::TempDir() + "many-colours.bmp";
    WriteTitle(name.c_str(), 640, 480, 77);
    std::vector<uint8_t> bytes = ReadBytes(name);
    Put32(bytes, 46, 65535);
    WriteBytes(name, bytes);
    ShowTitlePicture(name.c_str());
    EXPECT_EQ(HeadlessScreen()[0], 77);
    EXPECT_EQ(HeadlessScreenPalette()[77].r, 77);
}
