// Clipping, the colour key, flips and the lost-surface paths of the sprite draw.
#include <gtest/gtest.h>

#include "boot.h"
#include "platform/display.h"

namespace {

// A sheet whose every pixel says where it came from: value = column, except one keyed pixel.
void StampSheet() {
    for (int y = 0; y < lpDDSSheet->height; ++y)
        for (int x = 0; x < lpDDSSheet->width; ++x)
            lpDDSSheet->pixels[static_cast<size_t>(y) * 640 + x] =
                static_cast<uint8_t>(x % 50 + 100);
    lpDDSSheet->colorKey = 59;
}

uint8_t Back(int x, int y) {
    return lpDDSBack->pixels[static_cast<size_t>(y) * 640 + x];
}

} // namespace

TEST(DrawSprite, ClipsAtTheLeftAndRightEdgesByMovingTheSource) {
    Boot();
    StampSheet();
    ClearSurface(lpDDSBack);
    EXPECT_EQ(DrawSprite(-10, 100, 0, 368, 64, 416), 1);
    EXPECT_EQ(Back(0, 100), 110); // source column 10
    EXPECT_EQ(Back(53, 147), 100 + 63 % 50);
    EXPECT_EQ(Back(54, 100), 0);

    ClearSurface(lpDDSBack);
    EXPECT_EQ(DrawSprite(600, 100, 0, 368, 64, 416), 1);
    EXPECT_EQ(Back(600, 100), 100);
    EXPECT_EQ(Back(639, 100), 139);
    EXPECT_EQ(Back(599, 100), 0);
}

TEST(DrawSprite, ClipsAtTheTopAndBottomEdges) {
    Boot();
    StampSheet();
    ClearSurface(lpDDSBack);
    EXPECT_EQ(DrawSprite(10, -20, 0, 368, 64, 416), 1);
    EXPECT_NE(Back(10, 0), 0);
    EXPECT_NE(Back(10, 27), 0);
    EXPECT_EQ(Back(10, 28), 0);
    ClearSurface(lpDDSBack);
    EXPECT_EQ(DrawSprite(10, 470, 0, 368, 64, 416), 1);
    EXPECT_NE(Back(10, 479), 0);
    EXPECT_EQ(Back(10, 469), 0);
}

TEST(DrawSprite, OffScreenEmptyAndHostileRectanglesDrawNothing) {
    Boot();
    StampSheet();
    ClearSurface(lpDDSBack);
    EXPECT_EQ(DrawSprite(640, 0, 0, 368, 64, 416), 0);
    EXPECT_EQ(DrawSprite(0, 480, 0, 368, 64, 416), 0);
    EXPECT_EQ(DrawSprite(-64, 0, 0, 368, 64, 416), 0);
    EXPECT_EQ(DrawSprite(0, -48, 0, 368, 64, 416), 0);
    EXPECT_EQ(DrawSprite(5, 5, 10, 10, 10, 20), 0);
    EXPECT_EQ(DrawSprite(5, 5, 10, 10, 5, 20), 0);
    // Rectangles reaching outside the sheet, or a sprite cut on the left that is still too
    // wide for the screen, are refused whole rather than read or written out of bounds.
    EXPECT_EQ(DrawSprite(0, 0, 600, 0, 700, 10), 0);
    EXPECT_EQ(DrawSprite(0, 0, -5, 0, 10, 10), 0);
    EXPECT_EQ(DrawSprite(0, 0, 0, 1900, 10, 1990), 0);
    EXPECT_EQ(DrawSprite(-10, 0, 0, 0, 700, 10), 0);
    EXPECT_EQ(DrawSprite(INT32_MIN + 1, 0, 0, 0, 10, 10), 0);
    for (uint8_t p : lpDDSBack->pixels) ASSERT_EQ(p, 0);
}

TEST(DrawSprite, TheKeyValueNeverReachesTheBackSurfaceButIndexZeroDoes) {
    Boot();
    lpDDSSheet->pixels[0] = 59;
    lpDDSSheet->pixels[1] = 0;
    lpDDSSheet->colorKey = 59;
    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 7);
    DrawSprite(0, 0, 0, 0, 2, 1);
    EXPECT_EQ(Back(0, 0), 7);
    EXPECT_EQ(Back(1, 0), 0);
}

// The keyed copy works on many pixels at once; every width, every alignment and every key
// value must still leave the destination's pixel exactly where the source holds the key.
TEST(DrawSprite, KeyedCopiesOfEveryWidthAndAlignmentKeepExactlyTheKeyedPixels) {
    Boot();
    uint32_t seed = 1;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
    for (int key : {59, 0, 255}) {
        lpDDSSheet->colorKey = static_cast<uint8_t>(key);
        // A quarter of the sheet is the key, in runs and alone.
        for (uint8_t& p : lpDDSSheet->pixels)
            p = next() % 4 == 0 ? static_cast<uint8_t>(key) : static_cast<uint8_t>(next());
        for (uint8_t& p : lpDDSBack->pixels) p = static_cast<uint8_t>(next());
        std::vector<uint8_t> want = lpDDSBack->pixels;
        for (int width = 1; width <= 80; ++width)
            for (int shift = 0; shift < 17; shift += 3) {
                int left = shift * 5, top = width, x = 600 - width - shift, y = 7 + shift;
                ASSERT_EQ(DrawSprite(x, y, left, top, left + width, top + 3), 1);
                for (int row = 0; row < 3; ++row)
                    for (int col = 0; col < width; ++col) {
                        uint8_t from =
                            lpDDSSheet->pixels[static_cast<size_t>(top + row) * 640 + left + col];
                        if (from != key) want[static_cast<size_t>(y + row) * 640 + x + col] = from;
                    }
                ASSERT_TRUE(lpDDSBack->pixels == want)
                    << "key " << key << ", width " << width << ", shift " << shift;
            }
    }
}

TEST(Display, TheSheetIsDoubledAndKeyedOnItsOwnPixel) {
    Boot();
    ASSERT_EQ(lpDDSSheet->width, 640);
    ASSERT_EQ(lpDDSSheet->height, 1920);
    EXPECT_TRUE(lpDDSSheet->hasColorKey);
    EXPECT_EQ(lpDDSSheet->colorKey, 59);
    EXPECT_EQ(lpDDPal->entries[59].red, 252);
    EXPECT_EQ(lpDDPal->entries[59].green, 4);
    EXPECT_EQ(lpDDPal->entries[59].blue, 252);
    // Every sheet pixel is a 2x2 block.
    for (int y = 0; y < 1920; y += 2)
        for (int x = 0; x < 640; x += 2) {
            const uint8_t* p = &lpDDSSheet->pixels[static_cast<size_t>(y) * 640 + x];
            ASSERT_TRUE(p[0] == p[1] && p[0] == p[640] && p[0] == p[641]) << x << "," << y;
        }
}

TEST(Display, FlipShowsTheBackBufferAndALostSurfaceDropsOnlyThatOperation) {
    Boot();
    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 9);
    int shown = HeadlessPresentCount();
    FlipFrame();
    EXPECT_EQ(HeadlessPresentCount(), shown + 1);
    EXPECT_EQ(HeadlessScreen()[1234], 9);

    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 5);
    HeadlessFault().surfaceResult = DDERR_SURFACELOST;
    HeadlessFault().surfaceResultCount = 1;
    FlipFrame();
    EXPECT_EQ(HeadlessPresentCount(), shown + 1); // not shown
    FlipFrame();
    EXPECT_EQ(HeadlessScreen()[1234], 5);

    StampSheet();
    HeadlessFault().surfaceResultCount = 1;
    EXPECT_EQ(DrawSprite(0, 0, 0, 0, 10, 10), 0); // skipped
    EXPECT_EQ(DrawSprite(0, 0, 0, 0, 10, 10), 1); // the next one draws

    HeadlessFault().surfaceResult = DDERR_WASSTILLDRAWING;
    HeadlessFault().surfaceResultCount = 3;
    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 4);
    ClearSurface(lpDDSBack); // waits it out, then fills
    EXPECT_EQ(Back(3, 3), 0);

    // A copy with the wait flag waits the drawing out; one without it (the title's) is
    // not made at all, and the next one is.
    Rect corner = {0, 0, 8, 8};
    HeadlessFault().surfaceResultCount = 2;
    EXPECT_EQ(CopySurfaceRect(lpDDSSheet, lpDDSBack, 0, 0, corner, DDBLTFAST_WAIT), 1);
    EXPECT_EQ(HeadlessFault().surfaceResultCount, 0);
    std::fill(lpDDSPrimary->pixels.begin(), lpDDSPrimary->pixels.end(), 6);
    HeadlessFault().surfaceResultCount = 1;
    EXPECT_EQ(CopySurfaceRect(lpDDSBack, lpDDSPrimary, 0, 0, corner, 0), 0);
    EXPECT_EQ(lpDDSPrimary->pixels[0], 6);
    EXPECT_EQ(CopySurfaceRect(lpDDSBack, lpDDSPrimary, 0, 0, corner, 0), 1);
    EXPECT_EQ(lpDDSPrimary->pixels[0], lpDDSBack->pixels[0]);
}

TEST(Display, AFailedDisplayReleasesAndShowsItsBox) {
    HeadlessReset();
    HeadlessFault().noDisplay = true;
    EXPECT_EQ(DDInit(), 0);
    EXPECT_FALSE(lpDD);
    ASSERT_EQ(HeadlessBoxes().size(), 1u);
    EXPECT_EQ(HeadlessBoxes()[0].title, "DirectDraw Error");
    EXPECT_EQ(HeadlessBoxes()[0].text, "DirectDrawCreate Failed");
    DDRelease(); // a second release finds nothing
    EXPECT_EQ(DDSInit(), 0);
    EXPECT_EQ(HeadlessBoxes().back().text, "Create lpDDSPrimary Failed");
}
