// Pictures for reviewing the art outside the game: the contact sheet (the sheet doubled as the
// game shows it, every cell outlined and tagged with a number its legend names) and the five
// dishes in their three states over the star field, as the players will see them.
#include <algorithm>
#include <string>
#include <vector>

#include "app/missions.h"
#include "assets/assets.h"
#include "assets/font.h"
#include "assets/layout.h"
#include "assets/sheet.h"
#include "tools/png.h"

namespace {

struct Picture {
    int width, height;
    std::vector<uint8_t> rgb;

    Picture(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3) {}
    void Put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void Fill(int x, int y, int w, int h, Rgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) Put(i, j, c);
    }
};

constexpr Rgb Ink = {255, 255, 255}, Paper = {0, 0, 0};
constexpr Rgb Backdrop = {40, 44, 52};

// An indexed canvas doubled into the picture at (x, y); the key shows as the backdrop, or is
// left alone when `keyed` so that what lies beneath shows through.
void Blit(Picture& out, const Canvas& c, int x, int y, bool keyed) {
    const Palette& pal = SheetPalette();
    for (int j = 0; j < c.height; ++j)
        for (int i = 0; i < c.width; ++i) {
            if (keyed && !c.Opaque(i, j)) continue;
            Rgb colour = c.Opaque(i, j) ? pal[c.At(i, j)] : Backdrop;
            out.Fill(x + 2 * i, y + 2 * j, 2, 2, colour);
        }
}

void Write(Picture& out, const std::string& text, int x, int y, Rgb colour) {
    Canvas mask = TextMask(text, 1, White);
    for (int j = 0; j < mask.height; ++j)
        for (int i = 0; i < mask.width; ++i)
            if (mask.Opaque(i, j)) out.Put(x + i, y + j, colour);
}

void Frame(Picture& out, int x, int y, int w, int h, Rgb colour) {
    out.Fill(x, y, w, 1, colour);
    out.Fill(x, y + h - 1, w, 1, colour);
    out.Fill(x, y, 1, h, colour);
    out.Fill(x + w - 1, y, 1, h, colour);
}

// A row of frames shares one name: "COMMON 0" .. "COMMON 3" are the cells of "COMMON".
std::string GroupName(const std::string& name) {
    size_t space = name.rfind(' ');
    if (space == std::string::npos || space + 1 == name.size()) return name;
    for (size_t i = space + 1; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return name;
    return name.substr(0, space);
}

bool WriteContactSheet(const std::string& path) {
    constexpr int LegendX = 660, LineHeight = 10;
    Picture out(960, 1920);
    out.Fill(0, 0, out.width, out.height, Backdrop);
    Blit(out, DrawSheet(), 0, 0, false);
    const std::vector<SheetCell> cells = SheetCells();
    constexpr Rgb Frames[2] = {{0, 255, 255}, {255, 255, 0}};
    int tag = 0, line = 0;
    std::string last;
    for (size_t i = 0; i < cells.size(); ++i) {
        const SheetCell& c = cells[i];
        Frame(out, c.x, c.y, c.width, c.height, Frames[i % 2]);
        std::string group = GroupName(c.name);
        if (group == last) continue;
        last = group;
        int frames = 0;
        while (i + frames < cells.size() && GroupName(cells[i + frames].name) == group) ++frames;
        std::string number = std::to_string(++tag);
        out.Fill(c.x + 1, c.y + 1, TextWidth(number, 1) + 2, LetterHeight + 2, Paper);
        Write(out, number, c.x + 2, c.y + 2, Ink);
        std::string entry = number + " " + group + " " + std::to_string(c.x) + "," +
                            std::to_string(c.y) + " " + std::to_string(c.width) + "X" +
                            std::to_string(c.height);
        if (frames > 1) entry += " X" + std::to_string(frames);
        Write(out, entry, LegendX, 8 + line++ * LineHeight, c.blank ? Frames[1] : Ink);
    }
    return WritePng(path, out.width, out.height, out.rgb);
}

bool WriteDishSheet(const std::string& path) {
    constexpr int Gap = 16, LabelRoom = 14;
    constexpr const char* States[3] = {"INTACT", "DAMAGED", "EATEN"};
    int width = 0, height = Gap;
    for (int m = 0; m < 5; ++m) {
        width = std::max(width, Gap + 3 * (MissionInfo[m].width + Gap));
        height += MissionInfo[m].height + LabelRoom + Gap;
    }
    Picture out(width, height);
    const Canvas stars = StarTile();
    for (int y = 0; y < height; y += stars.height * 2)
        for (int x = 0; x < width; x += stars.width * 2) Blit(out, stars, x, y, false);
    int y = Gap;
    for (int m = 0; m < 5; ++m) {
        const MissionRow& d = MissionInfo[m];
        for (int s = 0; s < 3; ++s) {
            int x = Gap + s * (d.width + Gap);
            Write(out, std::string(d.name) + " " + States[s], x, y, Ink);
            Blit(out, DishPicture(m, s), x, y + LabelRoom, true);
        }
        y += d.height + LabelRoom + Gap;
    }
    return WritePng(path, out.width, out.height, out.rgb);
}

} // namespace

bool WriteReview(const std::string& dir) {
    return WriteContactSheet(dir + "/contact-sheet.png") && WriteDishSheet(dir + "/dishes.png");
}
