#include "assets/assets.h"
#include "assets/bmp.h"

bool WriteIcon(const std::string& path) {
    Palette pal{};
    pal[1] = {40, 40, 40};
    std::vector<uint8_t> px(32 * 32, 0);
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x) px[y * 32 + x] = 1;
    return WriteFile(path, EncodeBmp8(32, 32, px, pal));
}
