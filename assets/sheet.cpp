// Placeholder sheet: flat regions where the layout puts pictures, until the art lands.
#include "assets/assets.h"
#include "assets/bmp.h"

bool WriteSpriteSheet(const std::string& path) {
    Palette pal{};
    for (int i = 0; i < 256; ++i) pal[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
    pal[59] = {252, 4, 252};
    std::vector<uint8_t> px(320 * 960, 59);
    auto fill = [&](int l, int t, int r, int b, uint8_t c) {
        for (int y = t / 2; y < b / 2; ++y)
            for (int x = l / 2 + 1; x < r / 2 - 1; ++x) px[y * 320 + x] = c;
    };
    fill(0, 0, 640, 160, 1);
    fill(0, 480, 640, 1920, 120);
    px[80 * 320] = 59;
    return WriteFile(path, EncodeBmp8(320, 960, px, pal));
}
