// Text through the system's own font mapper, as the game's was made: GDI's CreateFont with the
// old face names at the old heights and widths, drawn without smoothing into a DIB section.
// Windows has the faces the game names; the font mapper stands in its nearest for any other.
#include "platform/host/windows/system.h"

#include <string>
#include <string_view>

#include "platform/host/host.h"

namespace {

struct Face {
    std::string name;
    int pixelHeight, averageWidth, style;
    HFONT font;
};

// One font per name, size and style, as the old font mapper shared its realised fonts; and one
// memory device context to draw them on. Freed when the process ends.
struct FaceTable {
    std::vector<Face> faces; // handle - 1
    HDC canvas = nullptr;
    ~FaceTable() {
        if (canvas) DeleteDC(canvas);
        for (Face& f : faces) DeleteObject(f.font);
    }
};

FaceTable Faces;

// The faces Windows has always had, and the metric-compatible ones that stand in for them where
// they are missing (Wine on a Linux desktop, whose font mapper would take any sans face): the
// same widths, so the captions are laid out as the game laid them out.
struct Twin {
    std::string_view family;
    const wchar_t* twin;
};
constexpr Twin Twins[] = {
    {"Times New Roman", L"Liberation Serif"},
    {"Courier New", L"Liberation Mono"},
    {"Arial", L"Liberation Sans"},
};

bool Installed(const std::wstring& family) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(
        Faces.canvas, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
            *reinterpret_cast<bool*>(flag) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The old names carry the style in the name ("Times New Roman Bold"): the family is asked for
// with the weight, which every font mapper matches, Wine's too.
HFONT MakeFont(std::string_view name, int pixelHeight, int averageWidth, int style) {
    constexpr std::string_view Bold = " Bold";
    bool bold = name.ends_with(Bold) || (style & StyleBold);
    if (name.ends_with(Bold)) name.remove_suffix(Bold.size());
    std::wstring family = Wide(std::string(name).c_str());
    if (family.empty() || family.size() >= LF_FACESIZE) return nullptr;
    for (const Twin& t : Twins)
        if (t.family == name && !Installed(family) && Installed(t.twin)) family = t.twin;
    // A negative height is the em height, the old height's meaning.
    return CreateFontW(-pixelHeight, averageWidth, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                       (style & StyleItalic) != 0, (style & StyleUnderline) != 0,
                       (style & StyleStrikeOut) != 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       family.c_str());
}

} // namespace

int HostOpenFace(const char* name, int pixelHeight, int averageWidth, int style) {
    if (!name || pixelHeight <= 0 || averageWidth < 0) return 0;
    std::vector<Face>& faces = Faces.faces;
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i].name == name && faces[i].pixelHeight == pixelHeight &&
            faces[i].averageWidth == averageWidth && faces[i].style == style)
            return static_cast<int>(i + 1);
    if (!Faces.canvas) Faces.canvas = CreateCompatibleDC(nullptr);
    HFONT font = Faces.canvas ? MakeFont(name, pixelHeight, averageWidth, style) : nullptr;
    if (!font) return 0;
    faces.push_back({name, pixelHeight, averageWidth, style, font});
    return static_cast<int>(faces.size());
}

// White on black in a 32-bit DIB; ink is wherever a pixel is not black.
bool HostRenderText(int face, const char* text, std::vector<uint8_t>* mask, int* width,
                    int* height) {
    if (face < 1 || face > static_cast<int>(Faces.faces.size()) || !text || !*text) return false;
    std::wstring letters = Wide(text);
    HDC dc = Faces.canvas;
    HGDIOBJ oldFont = SelectObject(dc, Faces.faces[static_cast<size_t>(face - 1)].font);
    SIZE size{};
    bool measured = GetTextExtentPoint32W(dc, letters.c_str(), static_cast<int>(letters.size()), &size) &&
                    size.cx > 0 && size.cy > 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture =
        measured ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!picture) {
        SelectObject(dc, oldFont);
        return false;
    }
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, 0, 0, letters.c_str(), static_cast<int>(letters.size()));
    GdiFlush();
    *width = size.cx;
    *height = size.cy;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    size_t count = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
    mask->resize(count);
    for (size_t i = 0; i < count; ++i) (*mask)[i] = (pixels[i] & 0xFFFFFF) != 0;
    SelectObject(dc, oldPicture);
    SelectObject(dc, oldFont);
    DeleteObject(picture);
    return true;
}
