// The window icon: a common fly on a disc of deep space, so it reads on light and dark desktops
// alike. Index 0 is the icon's transparent background.
#include "assets/assets.h"
#include "assets/bmp.h"
#include "assets/sheet.h"
#include "enemies/enemies.h"

bool WriteIcon(const std::string& path) {
    constexpr int Size = 32;
    Canvas icon(Size, Size);
    ShadeBall(icon, 15.5f, 15.5f, 15.6f, 15.6f, RampOf(Space), 0.6f, 0.25f);
    Overlay(icon, FlyPicture(Common, 1, false, 2), 0, 0);
    std::vector<uint8_t> pixels = icon.pixels;
    // Black ink moves to the outline tone of the fly, so only the background is index 0.
    for (uint8_t& p : pixels) p = p == Key ? 0 : p == Black ? RampOf(FlyGrey)[0] : p;
    return WriteFile(path, EncodeBmp8(Size, Size, pixels, SheetPalette()));
}
