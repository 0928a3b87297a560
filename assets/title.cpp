#include "assets/assets.h"
#include "assets/bmp.h"

bool WriteTitlePicture(const std::string& path) {
    Palette pal{};
    for (int i = 0; i < 256; ++i) pal[i] = {uint8_t(i), 0, uint8_t(255 - i)};
    std::vector<uint8_t> px(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) px[y * 640 + x] = uint8_t(y * 255 / 479);
    return WriteFile(path, EncodeBmp8(640, 480, px, pal));
}
