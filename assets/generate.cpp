// kestor-assets OUTDIR           the sheet, the title picture, the icons and the clips
// kestor-assets --review OUTDIR  the contact sheet and the dish pictures, for review
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--review") == 0) return WriteReview(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestor-assets [--review] OUTDIR\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = WriteSpriteSheet(dir + "/sheet.bmp") && WriteTitlePicture(dir + "/Tilte.bmp") &&
              WriteIcon(dir + "/icon.bmp") && WriteDesktopIcons(dir + "/hicolor");
    for (const ClipFormat& clip : ClipFormats)
        ok = ok && WriteClip(clip.id, dir + "/wav" + std::to_string(clip.id) + ".wav");
    if (!ok) std::fprintf(stderr, "kestor-assets: could not write the assets to %s\n", argv[1]);
    return ok ? 0 : 1;
}
