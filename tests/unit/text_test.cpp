// Font heights, colour matching and the title picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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

struct Inked {
    std::vector<uint8_t> mask;
    int w = 0, h = 0;
    bool At(int x, int y) const { return mask[static_cast<size_t>(y * w + x)] != 0; }
    int RowInk(int y) const {
        int n = 0;
        for (int x = 0; x < w; ++x) n += At(x, y);
        return n;
    }
};

Inked Render(const Font* font, const char* text) {
    Inked r;
    EXPECT_TRUE(HostRenderText(font->face, text, &r.mask, &r.w, &r.h));
    return r;
}

// The first row from the top (or from the bottom) whose ink spans most of the text.
int FullRow(const Inked& r, bool fromBottom) {
    for (int i = 0; i < r.h; ++i) {
        int y = fromBottom ? r.h - 1 - i : i;
        if (r.RowInk(y) > r.w * 9 / 10) return y;
    }
    return -1;
}

} // namespace

// The font's width is made, measured and made again: half the height in tenths of a point
// gives letters at half their own width, twice the height at twice.
TEST(Text, MakeFontSqueezesAndStretchesToItsWidth) {
    Boot();
    if (!CaptionFont->face) GTEST_SKIP() << "no serif face installed";
    Font* narrow = MakeFont("Times New Roman Bold", 240, 120, 0, 1);
    Font* wide = MakeFont("Times New Roman Bold", 240, 480, 0, 1);
    ASSERT_TRUE(narrow && wide && narrow->face && wide->face);
    EXPECT_EQ(narrow->pixelHeight, 32);
    EXPECT_EQ(wide->pixelHeight, 32);
    int own = AverageCharWidth(CaptionFont->face);
    EXPECT_NEAR(AverageCharWidth(narrow->face), own / 2.0, 1.0);
    EXPECT_NEAR(AverageCharWidth(wide->face), own * 2.0, 1.0);
    int mission = Render(CaptionFont, "Mission 10").w;
    EXPECT_NEAR(Render(narrow, "Mission 10").w, mission / 2.0, mission * 0.06);
    EXPECT_NEAR(Render(wide, "Mission 10").w, mission * 2.0, mission * 0.06);
    // A width equal to the height is the face's own.
    EXPECT_NEAR(AverageCharWidth(MakeFont("Times New Roman Bold", 240, 240, 0, 1)->face), own, 1);
}

TEST(Text, MakeFontTakesTheLogicalOrThePhysicalResolution) {
    Boot([] { HeadlessSetDotsPerInch(96, 120); });
    EXPECT_EQ(MakeFont("Courier New Bold", 200, 0, 0, 1)->pixelHeight, 27);
    EXPECT_EQ(MakeFont("Courier New Bold", 200, 0, 0, 0)->pixelHeight, 33);
    EXPECT_EQ(MakeFont("Times New Roman Bold", 240, 0, 0, 0)->pixelHeight, 40);
}

TEST(Text, MakeFontDrawsItalicUnderlinedAndStruckOutLetters) {
    Boot();
    if (!RollFont->face) GTEST_SKIP() << "no monospaced face installed";
    Inked plain = Render(RollFont, "IIII");
    EXPECT_EQ(FullRow(plain, false), -1);

    Inked under = Render(MakeFont("Courier New Bold", 200, 0, 4, 1), "IIII");
    int line = FullRow(under, true);
    EXPECT_GT(line, under.h * 2 / 3) << "the underline lies below the letters";

    Inked struck = Render(MakeFont("Courier New Bold", 200, 0, 8, 1), "IIII");
    line = FullRow(struck, false);
    EXPECT_GT(line, struck.h / 4);
    EXPECT_LT(line, struck.h * 3 / 4) << "the strike-out crosses the letters' middle";

    // An upright I has its ink at the same columns top and bottom; a slanted one leans right.
    auto leftmostInk = [](const Inked& r, int y) {
        for (int x = 0; x < r.w; ++x)
            if (r.At(x, y)) return x;
        return -1;
    };
    auto lean = [&](const Inked& r) {
        int top = -1, bottom = -1;
        for (int y = 0; y < r.h && top < 0; ++y) top = leftmostInk(r, y);
        for (int y = r.h - 1; y >= 0 && bottom < 0; --y) bottom = leftmostInk(r, y);
        return top - bottom;
    };
    Inked italic = Render(MakeFont("Courier New Bold", 200, 0, 2, 1), "I");
    EXPECT_LE(std::abs(lean(Render(RollFont, "I"))), 1);
    EXPECT_GE(lean(italic), 3);
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
