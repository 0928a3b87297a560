// Text on the web host: the browser's own letters, drawn with fillText and cut at half cover
// into the unsmoothed mask an 8-bit screen showed. The old names pick the families: a bold
// serif for "Times New Roman Bold", a bold monospace for "Courier New Bold". The screen's
// resolution lives with the display.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/host.h"

// The page's side, in text.js: letters drawn on a canvas of their own.
extern "C" {
// The string's width; its height to `height`.
double MeasureText(const char* font, const char* text, int* height);
// The string's mask: 1 where the letters or their lines cover half a pixel or more.
void DrawText(const char* font, const char* text, double stretch, int lines, uint8_t* mask,
              int width, int height);
}

namespace {

struct Face {
    std::string font; // as CSS writes it
    double stretch;   // across, 1 for the face's own width
    int lines;        // the style's underline and strike-out bits
};
std::vector<Face> Faces; // handle - 1

int FaceHandle(const Face& face) {
    for (size_t i = 0; i < Faces.size(); ++i)
        if (Faces[i].font == face.font && Faces[i].stretch == face.stretch &&
            Faces[i].lines == face.lines)
            return static_cast<int>(i + 1);
    Faces.push_back(face);
    return static_cast<int>(Faces.size());
}

} // namespace

// The old height is the em height in pixels, which is what CSS sizes a font by. A width of its
// own stretches the face's average letter (the lower-case alphabet's mean advance) to it.
int HostOpenFace(const char* name, int pixelHeight, int averageWidth, int style) {
    if (!name || pixelHeight <= 0 || averageWidth < 0) return 0;
    std::string_view old = name;
    bool bold = old.ends_with(" Bold") || (style & StyleBold);
    bool mono = old.starts_with("Courier");
    Face face{std::string(style & StyleItalic ? "italic " : "") + (bold ? "bold " : "") +
                  std::to_string(pixelHeight) + "px " +
                  (mono ? "'Courier New', 'Liberation Mono', monospace"
                        : "'Times New Roman', 'Liberation Serif', serif"),
              1, style & (StyleUnderline | StyleStrikeOut)};
    if (averageWidth > 0) {
        int height;
        double natural = MeasureText(face.font.c_str(), "abcdefghijklmnopqrstuvwxyz", &height);
        int letter = (static_cast<int>(natural + 0.5) + 13) / 26;
        if (letter > 0) face.stretch = static_cast<double>(averageWidth) / letter;
    }
    return FaceHandle(face);
}

bool HostRenderText(int face, const char* text, std::vector<uint8_t>* mask, int* width,
                    int* height) {
    if (face < 1 || face > static_cast<int>(Faces.size()) || !text || !*text) return false;
    const Face& f = Faces[static_cast<size_t>(face - 1)];
    *width = static_cast<int>(std::ceil(MeasureText(f.font.c_str(), text, height) * f.stretch));
    if (*width <= 0 || *height <= 0) return false;
    mask->assign(static_cast<size_t>(*width) * static_cast<size_t>(*height), 0);
    DrawText(f.font.c_str(), text, f.stretch, f.lines, mask->data(), *width, *height);
    return true;
}
