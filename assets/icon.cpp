// The icon: a common fly on a disc of deep space, so it reads on light and dark desktops alike.
// The window gets it as an 8-bit BMP, whose index 0 is the transparent background; the desktop
// gets it as PNG at every size of the hicolor theme.
#include <filesystem>

#include "assets/assets.h"
#include "assets/bmp.h"
#include "assets/sheet.h"
#include "enemies/enemies.h"
#include "tools/png.h"

namespace {

// The icon drawn afresh at 16 * scale pixels; outside the disc stays the key.
Canvas IconPicture(int scale) {
    const int size = 16 * scale;
    const float middle = F(size) / 2 - 0.5f, radius = F(size) / 2 - 0.4f;
    Canvas icon(size, size);
    ShadeBall(icon, middle, middle, radius, radius, RampOf(Space), 0.6f, 0.25f);
    Overlay(icon, FlyPicture(Common, 1, false, scale), 0, 0);
    // Black ink moves to the outline tone of the fly, so only the background is transparent.
    for (uint8_t& p : icon.pixels) p = p == Black ? RampOf(FlyGrey)[0] : p;
    return icon;
}

// `icon` enlarged `times` times pixel for pixel, as RGBA with the key transparent.
bool WriteIconPng(const std::string& path, const Canvas& icon, int times) {
    const int size = icon.width * times;
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint8_t p = icon.At(x / times, y / times);
            Rgb c = SheetPalette()[p];
            rgba.insert(rgba.end(), {c.r, c.g, c.b, static_cast<uint8_t>(p == Key ? 0 : 255)});
        }
    return WritePng(path, size, size, rgba, true);
}

} // namespace

bool WriteIcon(const std::string& path) {
    Canvas icon = IconPicture(2);
    for (uint8_t& p : icon.pixels) p = p == Key ? 0 : p;
    return WriteFile(path, EncodeBmp8(icon.width, icon.height, icon.pixels, SheetPalette()));
}

bool WriteDesktopIcons(const std::string& dir) {
    bool ok = true;
    for (const DesktopIcon& d : DesktopIcons) {
        std::string folder =
            dir + "/" + std::to_string(d.size) + "x" + std::to_string(d.size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        ok = ok &&
             WriteIconPng(folder + "/kestor.png", IconPicture(d.scale), d.size / (16 * d.scale));
    }
    return ok;
}
