// Text for both Linux hosts: fontconfig stands in for the old font mapper, SDL_ttf draws the letters
// without smoothing, as they came out on the 8-bit screen. Nothing here needs a display, so
// the headless host draws the very same letters.
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/host/host.h"
#include "platform/host/sdl_handles.h"

namespace {

using FontPtr = std::unique_ptr<TTF_Font, FreedBy<TTF_CloseFont>>;

// One opened face per file and size, shared by every font made with them, as the old font
// mapper shared its realised fonts; closed when the process ends so that nothing of SDL_ttf,
// FreeType or fontconfig is left behind.
struct OpenFace {
    std::string path;
    int index;
    int pixelHeight;
    int averageWidth;
    int style;
    FontPtr font;
};

struct FaceTable {
    std::vector<OpenFace> faces; // handle - 1
    ~FaceTable() {
        faces.clear();
        if (TTF_WasInit()) TTF_Quit();
        FcFini();
    }
};

FaceTable Faces;

struct FaceFile {
    std::string path;
    int index = 0;
    bool italic = false; // the file's own letters slant
};

// The old names carry the style in the name ("Times New Roman Bold"); fontconfig's aliases
// then give the metric-compatible faces of the same family.
FaceFile FindFace(std::string_view name, int style) {
    constexpr std::string_view Bold = " Bold";
    bool bold = name.ends_with(Bold) || (style & StyleBold);
    if (name.ends_with(Bold)) name.remove_suffix(Bold.size());
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(std::string(name).c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    if (style & StyleItalic) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FaceFile face;
    FcChar8* file;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        face.path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        face.italic = slant != FC_SLANT_ROMAN;
    }
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return face;
}

// The face's own average character width at a size: the lower-case alphabet's mean advance.
int AverageWidth(TTF_Font* font) {
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, "abcdefghijklmnopqrstuvwxyz", &w, &h) != 0) return 0;
    return (w + 13) / 26;
}

// SDL_ttf sizes in points; at 72 dots per inch a point is a pixel. A width of its own comes
// from a horizontal resolution that stretches the face's average letter to it.
FontPtr OpenSized(const FaceFile& file, int pixelHeight, int averageWidth) {
    FontPtr font(TTF_OpenFontIndex(file.path.c_str(), pixelHeight, file.index));
    if (!font || averageWidth <= 0) return font;
    int natural = AverageWidth(font.get());
    if (natural <= 0) return font;
    auto hdpi = static_cast<unsigned>((72 * averageWidth + natural / 2) / natural);
    if (TTF_SetFontSizeDPI(font.get(), pixelHeight, hdpi > 0 ? hdpi : 1, 72) != 0) return nullptr;
    return font;
}

} // namespace

// The old height is the em height in pixels.
int HostOpenFace(const char* name, int pixelHeight, int averageWidth, int style) {
    if (!name || pixelHeight <= 0 || averageWidth < 0) return 0;
    if (!TTF_WasInit() && TTF_Init() != 0) return 0;
    FaceFile file = FindFace(name, style);
    if (file.path.empty()) return 0;
    std::vector<OpenFace>& faces = Faces.faces;
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i].path == file.path && faces[i].index == file.index &&
            faces[i].pixelHeight == pixelHeight && faces[i].averageWidth == averageWidth &&
            faces[i].style == style)
            return static_cast<int>(i + 1);
    FontPtr font = OpenSized(file, pixelHeight, averageWidth);
    if (!font) return 0;
    // Slanted letters come from the file where it has them; SDL_ttf shears upright ones.
    int drawn = (style & StyleUnderline ? TTF_STYLE_UNDERLINE : 0) |
                (style & StyleStrikeOut ? TTF_STYLE_STRIKETHROUGH : 0) |
                (style & StyleItalic && !file.italic ? TTF_STYLE_ITALIC : 0);
    TTF_SetFontStyle(font.get(), drawn);
    faces.push_back({file.path, file.index, pixelHeight, averageWidth, style, std::move(font)});
    return static_cast<int>(faces.size());
}

bool HostRenderText(int face, const char* text, std::vector<uint8_t>* mask, int* width,
                    int* height) {
    if (face < 1 || face > static_cast<int>(Faces.faces.size()) || !text || !*text) return false;
    SurfacePtr glyphs(TTF_RenderUTF8_Solid(Faces.faces[static_cast<size_t>(face - 1)].font.get(),
                                           text, SDL_Color{255, 255, 255, 255}));
    if (!glyphs) return false;
    // A solid rendering is 8-bit with index 0 for the background.
    *width = glyphs->w;
    *height = glyphs->h;
    mask->assign(static_cast<size_t>(glyphs->w) * static_cast<size_t>(glyphs->h), 0);
    for (int y = 0; y < glyphs->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(glyphs->pixels) + y * glyphs->pitch;
        for (int x = 0; x < glyphs->w; ++x)
            (*mask)[static_cast<size_t>(y * glyphs->w + x)] = row[x] != 0;
    }
    return true;
}
