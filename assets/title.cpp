// The title picture "Tilte.bmp": the game's name over the star field, a swatter swinging at
// the swarm round a dish, and the keys a newcomer needs. It is drawn at half size with the
// sheet's own pictures and doubled, so it looks of a piece with the game.
#include "assets/assets.h"
#include "assets/bmp.h"
#include "assets/font.h"
#include "assets/sheet.h"
#include "enemies/enemies.h"

namespace {

constexpr int Width = 320, Height = 240;

// The name in gold tiles standing out of the picture on a lacquer-red block.
Canvas Logo(const char* name, int scale) {
    const Canvas mask = TextMask(name, scale, White);
    constexpr int Depth = 5;
    Canvas logo(mask.width + Depth + 2, mask.height + Depth + 2);
    Ramp block = RampOf(Lacquer), gold = RampOf(Gold);
    for (int d = Depth; d >= 1; --d)
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                if (mask.Opaque(x, y)) logo.Put(x + d + 1, y + d + 1, block[d > 3 ? 1 : 2]);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.Opaque(x, y)) continue;
            // Each tile of the font is bevelled: lit on its upper left, shaded on its lower right.
            int u = x % scale, v = y % scale;
            float light = 0.9f - 0.45f * static_cast<float>(y) / static_cast<float>(mask.height);
            if (u == 0 || v == 0) light += 0.25f;
            if (u == scale - 1 || v == scale - 1) light -= 0.3f;
            if (y == mask.height / 3) light = 1; // the shine across the letters
            logo.Put(x + 1, y + 1, ToneAt(gold, light, x, y, 0.5f));
        }
    Outline(logo);
    return logo;
}

void Centre(Canvas& c, const Canvas& picture, int y) {
    Overlay(c, picture, (c.width - picture.width) / 2, y);
}

// A panel of dark glass behind the keys, so they read over the stars.
void Panel(Canvas& c, int x, int y, int w, int h) {
    Ramp space = RampOf(Space), steel = RampOf(Steel);
    FillRect(c, x, y, w, h, space[1]);
    FillRect(c, x, y, w, 1, steel[3]);
    FillRect(c, x, y, 1, h, steel[3]);
    FillRect(c, x, y + h - 1, w, 1, steel[1]);
    FillRect(c, x + w - 1, y, 1, h, steel[1]);
}

struct KeyHelp {
    const char* key;
    const char* action;
};
constexpr KeyHelp Keys[] = {
    {"F1", "ONE PLAYER"}, {"F2", "TWO PLAYERS"}, {"F3", "CONTINUE FROM THE"},
    {"", "LAST MISSION"}, {"ESC", "QUIT"},
};

} // namespace

bool WriteTitlePicture(const std::string& path) {
    Canvas c(Width, Height);
    const Canvas stars = StarTile();
    for (int y = 0; y < Height; y += stars.height) Place(c, stars, 0, y);

    Centre(c, Logo("KESTOR", 6), 8);
    Centre(c, Lettering("SWAT THE FLIES - SAVE THE DISH!", 1, RampOf(Star)), 62);

    // The swarm coming down on the hamburger, the boss among them, one fly swatted.
    Overlay(c, DishPicture(4, 0), 186, Height - 96);
    Overlay(c, FlyPicture(Boss, 1, false, 2), 244, 66);
    Overlay(c, FlyPicture(Carrier, 2, false, 1), 170, 78);
    Overlay(c, FlyPicture(Tough, 0, false, 2), 204, 108);
    Overlay(c, FlyPicture(Common, 1, false, 2), 286, 134);
    Overlay(c, FlyPicture(Brood, 3, false, 2), 198, 84);
    Overlay(c, FlyPicture(Brood, 1, false, 2), 300, 100);
    Overlay(c, FallingPicture(Common), 170, 150);
    Overlay(c, SwatterPicture(1, true, true), 158, 100);

    constexpr int PanelX = 8, PanelY = 84, Spacing = 13;
    Panel(c, PanelX, PanelY, 140, Spacing * 5 + 12);
    int y = PanelY + 7;
    for (const KeyHelp& k : Keys) {
        Overlay(c, Lettering(k.key, 1, RampOf(Gold)), PanelX + 8, y);
        Overlay(c, Lettering(k.action, 1, RampOf(Star)), PanelX + 32, y);
        y += Spacing;
    }
    Overlay(c, Lettering("PLAYER 1  MOUSE", 1, RampOf(Player1Red)), PanelX + 2, 172);
    Overlay(c, Lettering("PLAYER 2  JOYSTICK OR", 1, RampOf(Player2Blue)), PanelX + 2, 184);
    Overlay(c, Lettering("          ARROWS AND CTRL", 1, RampOf(Player2Blue)), PanelX + 2, 194);
    Overlay(c, Lettering("(C) 2026 KESTOR TEAM", 1, RampOf(Steel)), PanelX + 2, Height - 12);

    std::vector<uint8_t> doubled(static_cast<size_t>(Width) * Height * 4);
    for (int y2 = 0; y2 < Height * 2; ++y2)
        for (int x2 = 0; x2 < Width * 2; ++x2)
            doubled[static_cast<size_t>(y2) * Width * 2 + x2] = c.At(x2 / 2, y2 / 2);
    // The title has no colour key: whatever is still transparent is deep space.
    for (uint8_t& p : doubled)
        if (p == Key) p = RampOf(Space)[0];
    return WriteFile(path, EncodeBmp8(Width * 2, Height * 2, doubled, SheetPalette()));
}
