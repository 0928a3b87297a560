// The pictures as the game gets them: the sheet compiled into the program and enlarged onto
// its surface, "Tilte.bmp" and the icon the build wrote. Cells are those the game's own tables
// name, so a picture drawn in the wrong place or a table moved under the art both show here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "assets/bmp.h"
#include "assets/layout.h"
#include "assets/palette.h"
#include "assets/sheet.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "platform/dib.h"
#include "platform/host/resources.h"
#include "players/objects.h"
#include "players/swatters.h"

namespace {

constexpr int SurfaceWidth = 640, SurfaceHeight = 1920;
constexpr uint8_t KeyIndex = 59;

// The sheet surface: the compiled-in sheet enlarged twice, as the game makes it at start-up.
struct SheetSurface {
    Dib dib;
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(SurfaceWidth) * SurfaceHeight);

    SheetSurface() {
        const EmbeddedResource* sheet = FindEmbeddedResource("BIN", 101);
        if (!sheet || !dib.LoadResource(sheet->bytes, sheet->size)) return;
        dib.Stretch(pixels.data(), SurfaceWidth, SurfaceWidth, SurfaceHeight, 0, 0, SurfaceWidth,
                    SurfaceHeight);
    }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * SurfaceWidth + x]; }
    Rgb Colour(int x, int y) const {
        const uint8_t* q = dib.ColorTable() + 4 * At(x, y);
        return {q[2], q[1], q[0]};
    }
};

const SheetSurface& Sheet() {
    static const SheetSurface sheet;
    return sheet;
}

int Opaque(const SheetCell& c) {
    int n = 0;
    for (int y = c.y; y < c.y + c.height; ++y)
        for (int x = c.x; x < c.x + c.width; ++x) n += Sheet().At(x, y) != KeyIndex;
    return n;
}

std::set<uint8_t> Colours(const SheetCell& c) {
    std::set<uint8_t> colours;
    for (int y = c.y; y < c.y + c.height; ++y)
        for (int x = c.x; x < c.x + c.width; ++x) colours.insert(Sheet().At(x, y));
    colours.erase(KeyIndex);
    return colours;
}

int Differences(const SheetCell& a, const SheetCell& b) {
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            n += Sheet().At(a.x + x, a.y + y) != Sheet().At(b.x + x, b.y + y);
    return n;
}

// Mean red minus blue of the drawn pixels: which player's colours a picture wears.
double Warmth(int left, int top, int width, int height) {
    double sum = 0;
    int n = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (Sheet().At(x, y) != KeyIndex) {
                Rgb c = Sheet().Colour(x, y);
                sum += c.r - c.b;
                ++n;
            }
    return n ? sum / n : 0;
}

using Bytes = std::vector<uint8_t>;

Bytes ReadAsset(const std::string& name) {
    std::ifstream in(std::string(ASSET_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

int Luma(Rgb c) {
    return (c.r * 3 + c.g * 6 + c.b) / 10;
}

// The mean colour of a cell's drawn pixels.
Rgb MeanColour(int left, int top, int width, int height) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (Sheet().At(x, y) != KeyIndex) {
                Rgb c = Sheet().Colour(x, y);
                r += c.r, g += c.g, b += c.b, ++n;
            }
    if (!n) return {0, 0, 0};
    return {uint8_t(r / n), uint8_t(g / n), uint8_t(b / n)};
}

int Distance(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

SheetCell Cell(int x, int y, int size) {
    return {"", x, y, size, size, false};
}

} // namespace

TEST(SpriteSheet, IsThe8BitSheetWithTheKeyWhereTheGameTakesIt) {
    const Dib& dib = Sheet().dib;
    ASSERT_EQ(dib.Width(), 320);
    ASSERT_EQ(dib.Height(), 960);
    BitmapInfoHeader h = dib.Header();
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(Dib::NumColors(h), 256u);
    // The game reads its colour key from native pixel (0, 80), the surface's (0, 160).
    EXPECT_EQ(Sheet().At(0, 160), KeyIndex);
    Rgb key = Sheet().Colour(0, 160);
    EXPECT_EQ(key.r, 252);
    EXPECT_EQ(key.g, 4);
    EXPECT_EQ(key.b, 252);
}

TEST(SpriteSheet, IsWhatTheGeneratorDrawsEveryTime) {
    Canvas sheet = DrawSheet();
    Bytes drawn = EncodeBmp8(sheet.width, sheet.height, sheet.pixels, SheetPalette());
    const EmbeddedResource* compiled = FindEmbeddedResource("BIN", 101);
    ASSERT_NE(compiled, nullptr);
    EXPECT_TRUE(
        std::equal(drawn.begin(), drawn.end(), compiled->bytes, compiled->bytes + compiled->size));
    EXPECT_EQ(DrawSheet().pixels, sheet.pixels);
}

TEST(SpriteSheet, CaptionColoursFindThemselvesNotTheKey) {
    // Captions ask for pure colours and get the nearest entry: it must never be the key,
    // or a magenta caption would vanish where it is drawn with the key.
    const Palette& pal = SheetPalette();
    for (Rgb want : {Rgb{255, 255, 255}, Rgb{0, 255, 255}, Rgb{255, 0, 255}, Rgb{255, 255, 0}}) {
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
            int dr = pal[i].r - want.r, dg = pal[i].g - want.g, db = pal[i].b - want.b;
            int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) best = i, bestDistance = d;
        }
        EXPECT_EQ(bestDistance, 0);
        EXPECT_NE(best, KeyIndex);
    }
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(i == KeyIndex || !(pal[i].r == 252 && pal[i].g == 4 && pal[i].b == 252)) << i;
}

TEST(SpriteSheet, CellsFitTheSheetWithoutOverlapping) {
    const std::vector<SheetCell> cells = SheetCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const SheetCell& a = cells[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= SurfaceWidth &&
                    a.y + a.height <= SurfaceHeight)
            << a.name;
        // Cells start on native pixels, or half of a sheet pixel would belong to a neighbour.
        EXPECT_TRUE(a.x % 2 == 0 && a.y % 2 == 0 && a.width % 2 == 0 && a.height % 2 == 0)
            << a.name;
        for (size_t j = i + 1; j < cells.size(); ++j) {
            const SheetCell& b = cells[j];
            bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                         b.y + b.height <= a.y;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

TEST(SpriteSheet, EveryCellIsDrawnAndBlankCellsShowNothing) {
    for (const SheetCell& c : SheetCells()) {
        SCOPED_TRACE(c.name);
        // Even the last wisp of a fading burst is a few sheet pixels, never a stray dot.
        if (c.blank)
            EXPECT_EQ(Opaque(c), 0);
        else
            EXPECT_GE(Opaque(c), std::max(16, c.width * c.height / 64));
    }
}

TEST(SpriteSheet, SolidPicturesAreShadedNotFlat) {
    // Outline, shadow, body and light on every material: a flat fill is a placeholder.
    for (const SheetCell& c : SheetCells()) {
        bool solid = c.name.find("SWATTER") != std::string::npos ||
                     c.name.find("INTACT") != std::string::npos ||
                     c.name.find("BOSS") != std::string::npos ||
                     c.name.find("COMMON") != std::string::npos ||
                     c.name.find("CARRIER") != std::string::npos;
        EXPECT_TRUE(!solid || Colours(c).size() >= 8) << c.name;
    }
}

TEST(SpriteSheet, AnimationsMoveFromFrameToFrame) {
    const std::vector<SheetCell> cells = SheetCells();
    for (size_t i = 0; i + 1 < cells.size(); ++i) {
        const SheetCell &a = cells[i], &b = cells[i + 1];
        // Neighbours of one row of frames: same size, side by side.
        if (a.width != b.width || a.height != b.height || a.y != b.y || a.x + a.width != b.x ||
            a.name.substr(0, a.name.rfind(' ')) != b.name.substr(0, b.name.rfind(' ')) || b.blank)
            continue;
        EXPECT_GT(Differences(a, b), a.width * a.height / 50) << a.name << " and " << b.name;
    }
}

TEST(SpriteSheet, EachEnemyKindLooksItsOwnAndShowsItsHurt) {
    // Told apart at a glance: when two kinds share a size, much of the picture changes colour.
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            const EnemyKindInfo &ka = EnemyKinds[a], &kb = EnemyKinds[b];
            if (ka.size != kb.size) continue;
            int drawn = 0, changed = 0;
            for (int y = 0; y < ka.size; ++y)
                for (int x = 0; x < ka.size; ++x) {
                    bool inA = Sheet().At(ka.sheetX + x, ka.sheetY + y) != KeyIndex;
                    bool inB = Sheet().At(kb.sheetX + x, kb.sheetY + y) != KeyIndex;
                    if (!inA && !inB) continue;
                    ++drawn;
                    changed +=
                        inA != inB || Distance(Sheet().Colour(ka.sheetX + x, ka.sheetY + y),
                                               Sheet().Colour(kb.sheetX + x, kb.sheetY + y)) > 80;
                }
            EXPECT_GT(changed * 10, drawn * 3) << a << " and " << b;
        }
    for (const EnemyKindInfo& k : EnemyKinds) {
        if (k.maxHitPoints < 2) continue;
        // Every hurt frame differs from its healthy frame by more than the wing beat's legs.
        for (int f = 0; f < k.frameCount; ++f)
            EXPECT_GT(Differences(Cell(k.sheetX + f * k.size, k.sheetY, k.size),
                                  Cell(k.sheetX + (k.frameCount + f) * k.size, k.sheetY, k.size)),
                      k.size * k.size / 40)
                << k.sheetX << " frame " << f;
    }
    // A falling fly lies on its back: not the flying picture in another place.
    for (int kind : {Common, Brood, Carrier}) {
        const FallCell& fall = FallSprite[kind];
        const EnemyKindInfo& k = EnemyKinds[kind];
        EXPECT_EQ(fall.size, k.size);
        EXPECT_GT(Differences(Cell(fall.sheetX, fall.sheetY, fall.size),
                              Cell(k.sheetX, k.sheetY, k.size)),
                  k.size * k.size / 5)
            << kind;
    }
}

TEST(SpriteSheet, DigitsAreTenDifferentGlyphsAndPopupsComeInTwoColours) {
    for (int d = 0; d < 10; ++d)
        for (int e = d + 1; e < 10; ++e) {
            EXPECT_GT(Differences(Cell(ScoreDigitX + 16 * d, ScoreDigitY, 16),
                                  Cell(ScoreDigitX + 16 * e, ScoreDigitY, 16)),
                      8)
                << d << " and " << e;
            SheetCell pd = {"", PopupDigitX + 8 * d, PopupDigitY, 8, 16, false};
            SheetCell pe = {"", PopupDigitX + 8 * e, PopupDigitY, 8, 16, false};
            EXPECT_GE(Differences(pd, pe), 8) << d << " and " << e; // two sheet pixels at least
        }
    EXPECT_GT(Distance(MeanColour(PopupDigitX, PopupDigitY, 80, 16),
                       MeanColour(PopupDigit2X, PopupDigitY, 80, 16)),
              90);
    // The lit gauge cell must stand out from the unlit one.
    EXPECT_GT(
        Distance(MeanColour(GaugeLitX, GaugeY, 16, 16), MeanColour(GaugeUnlitX, GaugeY, 16, 16)),
        90);
}

TEST(SpriteSheet, NothingIsDrawnOutsideTheCells) {
    std::vector<bool> covered(size_t(SurfaceWidth) * SurfaceHeight);
    for (const SheetCell& c : SheetCells())
        for (int y = c.y; y < c.y + c.height; ++y)
            for (int x = c.x; x < c.x + c.width; ++x) covered[size_t(y) * SurfaceWidth + x] = true;
    int strays = 0;
    for (int y = 0; y < SurfaceHeight; ++y)
        for (int x = 0; x < SurfaceWidth; ++x)
            strays += !covered[size_t(y) * SurfaceWidth + x] && Sheet().At(x, y) != KeyIndex;
    EXPECT_EQ(strays, 0);
}

TEST(SpriteSheet, StarFieldIsOpaqueVariedAndJoinsItselfWhereItRepeats) {
    constexpr int Rows = 160;
    std::set<uint8_t> colours;
    for (int y = 0; y < Rows; ++y)
        for (int x = 0; x < SurfaceWidth; ++x) {
            // A keyed pixel in the background would let the last frame show through.
            ASSERT_NE(Sheet().At(x, y), KeyIndex) << x << "," << y;
            colours.insert(Sheet().At(x, y));
        }
    EXPECT_GE(colours.size(), 12u); // stars of several sizes and brightnesses, and the haze
    // The seam: its last row against its first must look like any row against its neighbour.
    // (Surface rows come in doubled pairs, so neighbours differ only from an odd row on.)
    auto step = [](int a, int b) {
        long sum = 0;
        for (int x = 0; x < SurfaceWidth; ++x)
            sum += std::abs(Luma(Sheet().Colour(x, a)) - Luma(Sheet().Colour(x, b)));
        return sum;
    };
    long total = 0;
    for (int y = 1; y + 1 < Rows; y += 2) total += step(y, y + 1);
    EXPECT_LE(step(Rows - 1, 0), 2 * total / (Rows / 2 - 1));
}

TEST(SpriteSheet, SwattersHaveTheMeshOnTopTheHandleBelowAndTheirPlayersColours) {
    for (int player = 0; player < 2; ++player)
        for (bool powered : {false, true}) {
            const Rect& r = powered ? PoweredPicture[player] : NormalPicture[player];
            const int w = r.right - r.left, h = r.bottom - r.top, handle = powered ? 12 : 8;
            SCOPED_TRACE("player " + std::to_string(player + 1) + (powered ? " powered" : ""));
            // How far across the picture a run of rows reaches, leftmost to rightmost.
            auto reach = [&](int from, int to) {
                int left = r.right, right = r.left - 1;
                for (int y = from; y < to; ++y)
                    for (int x = r.left; x < r.right; ++x)
                        if (Sheet().At(x, y) != KeyIndex)
                            left = std::min(left, x), right = std::max(right, x);
                return right - left + 1;
            };
            // The mesh spans the picture; below it the handle is a narrow stub, in every row.
            EXPECT_GE(reach(r.top, r.bottom - handle), w * 9 / 10);
            for (int y = r.bottom - handle + 2; y < r.bottom; ++y) {
                EXPECT_GT(reach(y, y + 1), 0) << "row " << y;
                EXPECT_LE(reach(y, y + 1), w / 3) << "row " << y;
            }
            EXPECT_GT(h, handle);
        }
    // Player 1 is the warm one, player 2 the cool one, in every picture and mark.
    for (bool powered : {false, true}) {
        const Rect &a = powered ? PoweredPicture[0] : NormalPicture[0],
                   &b = powered ? PoweredPicture[1] : NormalPicture[1];
        const int w = a.right - a.left, h = a.bottom - a.top;
        EXPECT_GT(Warmth(a.left, a.top, 2 * w, h), Warmth(b.left, b.top, 2 * w, h) + 80);
        const AnimRow &m1 = AnimInfo[powered ? PoweredSwatMark1 : SwatMark1],
                      &m2 = AnimInfo[powered ? PoweredSwatMark2 : SwatMark2];
        EXPECT_GT(Warmth(m1.sheetX, m1.sheetY, m1.width, m1.height),
                  Warmth(m2.sheetX, m2.sheetY, m2.width, m2.height) + 80);
    }
}

TEST(SpriteSheet, SwatMarksTraceTheStrikeAreaAndLeaveItsInsideClear) {
    for (int type : {SwatMark1, SwatMark2, PoweredSwatMark1, PoweredSwatMark2}) {
        const AnimRow& m = AnimInfo[type];
        const int handle = type >= PoweredSwatMark1 ? 12 : 8, mesh = m.height - handle;
        SCOPED_TRACE(type);
        int inside = 0, edge = 0;
        for (int y = m.sheetY; y < m.sheetY + m.height; ++y)
            for (int x = m.sheetX; x < m.sheetX + m.width; ++x) {
                if (Sheet().At(x, y) == KeyIndex) continue;
                const int band = mesh / 6 + 1; // the rounded corners stand in a little
                bool nearEdge = x < m.sheetX + band || x >= m.sheetX + m.width - band ||
                                y < m.sheetY + band ||
                                (y >= m.sheetY + mesh - band && y < m.sheetY + mesh);
                (nearEdge ? edge : inside) += 1;
                EXPECT_LT(y, m.sheetY + mesh) << "a mark below the mesh, at row " << y;
            }
        EXPECT_EQ(inside, 0);
        // Dashed: drawn along the edge, but with gaps.
        EXPECT_GT(edge, m.width);
        EXPECT_LT(edge, 3 * (m.width + mesh));
    }
}

TEST(SpriteSheet, DishesStandOnTheBottomEdgeAndLoseFoodAsTheyAreEaten) {
    const std::vector<SheetCell> cells = SheetCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const SheetCell& c = cells[i];
        if (c.name.find("INTACT") == std::string::npos) continue;
        const SheetCell &damaged = cells[i + 1], &eaten = cells[i + 2];
        SCOPED_TRACE(c.name);
        for (const SheetCell* state : {&c, &damaged, &eaten}) {
            int bottom = 0;
            for (int y = state->y + state->height - 8; y < state->y + state->height; ++y)
                for (int x = state->x; x < state->x + state->width; ++x)
                    bottom += Sheet().At(x, y) != KeyIndex;
            EXPECT_GT(bottom, state->width / 2) << state->name << " floats above the edge";
        }
        const int area = c.width * c.height;
        EXPECT_GT(Differences(c, damaged), area / 25);
        EXPECT_GT(Differences(damaged, eaten), area / 10);
        EXPECT_GE(Opaque(c), Opaque(eaten));
    }
}

TEST(TitlePicture, IsAFullScreen8BitPictureInItsOwnColours) {
    Bytes file = ReadAsset("Tilte.bmp");
    Dib title;
    ASSERT_TRUE(title.LoadResource(file.data(), file.size()));
    EXPECT_EQ(title.Width(), 640);
    EXPECT_EQ(title.Height(), 480);
    EXPECT_EQ(title.Header().biBitCount, 8);
    std::vector<uint8_t> screen(640 * 480);
    title.Draw(screen.data(), 640, 640, 480, 0, 0);
    std::set<uint8_t> used(screen.begin(), screen.end());
    EXPECT_GE(used.size(), 64u);
    // Its own table, not the grey ramp of an empty picture; and no pixel in the sheet's key
    // colour, since the title is copied without one.
    const uint8_t* table = title.ColorTable();
    int grey = 0;
    for (uint8_t i : used) {
        const uint8_t* q = table + 4 * i;
        grey += q[0] == i && q[1] == i && q[2] == i;
        EXPECT_FALSE(q[2] == 252 && q[1] == 4 && q[0] == 252) << int(i);
    }
    EXPECT_LT(grey, 4);
}

TEST(Icon, IsAFlyThatStandsOutOfItsTransparentCorners) {
    const EmbeddedResource* icon = FindEmbeddedResource("ICON", 129);
    ASSERT_NE(icon, nullptr);
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(icon->bytes, icon->size));
    ASSERT_EQ(dib.Width(), 32);
    ASSERT_EQ(dib.Height(), 32);
    std::vector<uint8_t> px(32 * 32);
    dib.Draw(px.data(), 32, 32, 32, 0, 0);
    // Index 0 is the window icon's transparent colour.
    for (int corner : {0, 31, 32 * 31, 32 * 32 - 1}) EXPECT_EQ(px[corner], 0);
    int drawn = 0, red = 0, dark = 255, light = 0;
    for (uint8_t p : px) {
        if (p == 0) continue;
        ++drawn;
        const uint8_t* q = dib.ColorTable() + 4 * p;
        Rgb c = {q[2], q[1], q[0]};
        red += c.r > 150 && c.r > 2 * c.g && c.r > 2 * c.b; // the eyes
        dark = std::min(dark, Luma(c));
        light = std::max(light, Luma(c));
    }
    EXPECT_GT(drawn, 32 * 32 / 2);
    EXPECT_GE(red, 6);
    EXPECT_GT(light - dark, 150); // enough contrast to read at this size
}
