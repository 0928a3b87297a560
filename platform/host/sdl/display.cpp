// The screen of the SDL host: one borderless desktop-sized window showing the 640x480 frame at
// the largest whole scale that fits, centred on black, and the message boxes it owns.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/host/host.h"
#include "platform/host/sdl/present.h"
#include "platform/host/sdl/window.h"

namespace {

SDL_Window* Window;
SDL_Renderer* Renderer;
SDL_Texture* Picture;
SDL_PixelFormat* PictureFormat;

// The palette the colour table was built from; the table is rebuilt only when it changes,
// which happens at the title and at each game start, not per frame.
HostColor TablePalette[256];
bool TableBuilt;
uint32_t ColorTable[256];

// The icon's background is palette index 0, drawn as transparent.
void SetWindowIcon() {
    const uint8_t* bytes;
    size_t size;
    if (!HostFindResource("ICON", 129, &bytes, &size)) return;
    SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes, static_cast<int>(size)), 1);
    if (!icon) return;
    SDL_SetColorKey(icon, SDL_TRUE, 0);
    SDL_SetWindowIcon(Window, icon);
    SDL_FreeSurface(icon);
}

// Without a screen SDL falls back on drivers that draw nowhere. Asked for by name they are
// welcome; fallen into, they mean there is no display.
bool FellBackOnNoScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    bool nowhere = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
    return nowhere && !SDL_GetHint(SDL_HINT_VIDEODRIVER);
}

void BuildColorTable(const HostColor palette[256]) {
    for (int i = 0; i < 256; ++i)
        ColorTable[i] = SDL_MapRGB(PictureFormat, palette[i].r, palette[i].g, palette[i].b);
    std::copy(palette, palette + 256, TablePalette);
    TableBuilt = true;
}

void ShowPicture() {
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Picture, nullptr, nullptr);
    SDL_RenderPresent(Renderer);
}

} // namespace

SDL_Window* GameWindow() {
    return Window;
}

// The window is made hidden before the start-up, so that its boxes have a window; the display
// step shows it. The picture's scale is counted in the screen's own pixels (high-DPI), so a
// scaled desktop still gets whole pixels.
void HostOpenWindow(const char* title) {
    if (Window) return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    if (FellBackOnNoScreen()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    // A bare X server has no window manager to make the window full-screen; a window of the
    // desktop's size covers it all the same.
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        desktop = {0, FrameWidth, FrameHeight, 0, nullptr};
    Window = SDL_CreateWindow(
        title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, desktop.w, desktop.h,
        SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (Window) SetWindowIcon();
}

int HostOpenDisplay(const char* title) {
    HostOpenWindow(title);
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 1;
    if (!Window) return 2;
    SDL_ShowWindow(Window);
    Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!Renderer || SDL_RenderSetLogicalSize(Renderer, FrameWidth, FrameHeight) != 0 ||
        SDL_RenderSetIntegerScale(Renderer, SDL_TRUE) != 0)
        return 3;
    Picture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                FrameWidth, FrameHeight);
    if (!Picture) return 3;
    // Set on the texture itself: a scale-quality hint from the environment would blur it.
    SDL_SetTextureScaleMode(Picture, SDL_ScaleModeNearest);
    Uint32 format;
    SDL_QueryTexture(Picture, &format, nullptr, nullptr, nullptr);
    PictureFormat = SDL_AllocFormat(format);
    if (!PictureFormat) return 3;
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_ShowCursor(SDL_DISABLE);
    // The old window took the focus as it was made; the keys must reach us without a click,
    // also where no window manager hands the focus out.
    SDL_RaiseWindow(Window);
    SDL_SetWindowInputFocus(Window);
    SDL_RenderClear(Renderer);
    SDL_RenderPresent(Renderer);
    return 0;
}

// The physical resolution is the display's, shared out over the whole steps of the picture.
void HostDotsPerInch(bool logical, float* x, float* y) {
    *x = *y = 96;
    if (logical || !SDL_WasInit(SDL_INIT_VIDEO)) return;
    float hdpi, vdpi;
    if (SDL_GetDisplayDPI(0, nullptr, &hdpi, &vdpi) != 0) return;
    int w = FrameWidth, h = FrameHeight;
    if (Renderer) SDL_GetRendererOutputSize(Renderer, &w, &h);
    int scale = std::max(1, std::min(w / FrameWidth, h / FrameHeight));
    *x = hdpi / static_cast<float>(scale);
    *y = vdpi / static_cast<float>(scale);
}

void HostPresent(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    if (!Picture) return;
    if (!TableBuilt || std::memcmp(palette, TablePalette, sizeof TablePalette) != 0)
        BuildColorTable(palette);
    void* out;
    int outPitch;
    if (SDL_LockTexture(Picture, nullptr, &out, &outPitch) != 0) return;
    ExpandFrame(pixels, pitch, ColorTable, static_cast<uint8_t*>(out), outPitch);
    SDL_UnlockTexture(Picture);
    ShowPicture();
}

uint32_t HostSurfaceResult() {
    return 0;
}

// Boxes come at failures, often before or instead of a display; standard error always hears
// of them, and a box is only tried where there is a screen, so no box can hang.
void HostMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    // The box needs the pointer: the held mouse would keep every click inside the game.
    HostCloseMouse();
    SDL_ShowCursor(SDL_ENABLE);
    // A box before the display step stands on its own: its window is not shown yet.
    bool shown = Window && !(SDL_GetWindowFlags(Window) & SDL_WINDOW_HIDDEN);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, shown ? Window : nullptr);
    SDL_ShowCursor(SDL_DISABLE);
}
