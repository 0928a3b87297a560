// Text on the web host: the browser's own letters, drawn with fillText and cut at half cover
// into the unsmoothed mask an 8-bit screen showed. The old names pick the families: a bold
// serif for "Times New Roman Bold", a bold monospace for "Courier New Bold". The screen's
// resolution lives with the display.
#include <emscripten.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/host.h"

namespace {

struct Face {
    std::string font; // as CSS writes it
    double stretch;   // across, 1 for the face's own width
    int lines;        // the style's underline and strike-out bits
};
std::vector<Face> Faces; // handle - 1

// Sizes on a canvas of its own, kept for the letters: the width and the height of the string.
EM_JS(double, MeasureText, (const char* font, const char* text, int* height), {
    var canvas =
        Module.kestor.letters || (Module.kestor.letters = document.createElement("canvas"));
    var context = canvas.getContext("2d", {willReadFrequently : true});
    context.font = UTF8ToString(font);
    var m = context.measureText(UTF8ToString(text));
    HEAP32[height >> 2] = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
    return m.width;
});

// Lines go where SDL_ttf puts them: the underline just below the baseline, the strike-out at
// the middle of the lower-case letters; both as thick as a stroke of the face.
EM_JS(void, DrawText,
      (const char* font, const char* text, double stretch, int lines, uint8_t* mask, int width,
       int height),
      {
          var canvas = Module.kestor.letters;
          canvas.width = width;
          canvas.height = height;
          var context = canvas.getContext("2d", {willReadFrequently : true});
          context.font = UTF8ToString(font);
          context.textBaseline = "alphabetic";
          context.fillStyle = "#fff";
          var m = context.measureText("x");
          var baseline = Math.round(m.fontBoundingBoxAscent);
          var stroke = Math.max(1, Math.round(height / 16));
          context.scale(stretch, 1);
          context.fillText(UTF8ToString(text), 0, baseline);
          context.setTransform(1, 0, 0, 1, 0, 0);
          if (lines & 4) context.fillRect(0, baseline + stroke, width, stroke);
          if (lines & 8)
              context.fillRect(0, baseline - Math.round(m.actualBoundingBoxAscent / 2), width,
                               stroke);
          var cover = context.getImageData(0, 0, width, height).data;
          for (var i = 0; i < width * height; i++)
              HEAPU8[mask + i] = cover[4 * i + 3] >= 128 ? 1 : 0;
      });

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
