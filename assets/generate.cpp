// kestor-assets OUTDIR           the sheet, the title picture, the icon and the clips
// kestor-assets --review OUTDIR  the contact sheet and the dish pictures, for review
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "tools/png.h"

namespace {

// The desktop wants the icon as PNG: the 8-bit BMP just written, through its colour table.
bool WriteIconPng(const std::string& bmpPath, const std::string& pngPath) {
    FILE* f = std::fopen(bmpPath.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> b(1 << 16);
    b.resize(std::fread(b.data(), 1, b.size(), f));
    std::fclose(f);
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
    };
    if (b.size() < 54 + 1024) return false;
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const uint32_t off = u32(10), row = (static_cast<uint32_t>(w) + 3) & ~3u;
    if (w <= 0 || h <= 0 || b.size() < off + row * static_cast<uint32_t>(h)) return false;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* c = &b[54 + 4 * b[off + row * static_cast<uint32_t>(h - 1 - y) + x]];
            rgb.insert(rgb.end(), {c[2], c[1], c[0]});
        }
    return WritePng(pngPath, w, h, rgb);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--review") == 0)
        return WriteReview(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestor-assets [--review] OUTDIR\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = WriteSpriteSheet(dir + "/sheet.bmp") && WriteTitlePicture(dir + "/Tilte.bmp") &&
              WriteIcon(dir + "/icon.bmp") && WriteIconPng(dir + "/icon.bmp", dir + "/kestor.png");
    for (const ClipFormat& clip : ClipFormats)
        ok = ok && WriteClip(clip.id, dir + "/wav" + std::to_string(clip.id) + ".wav");
    if (!ok) std::fprintf(stderr, "kestor-assets: could not write the assets to %s\n", argv[1]);
    return ok ? 0 : 1;
}
