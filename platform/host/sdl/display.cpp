// The screen of the SDL host: one borderless desktop-sized window showing the 640x480 frame
// filling the screen's height (or width), 4:3, centred on black, sharp; and the message boxes it
// owns. KESTOR_SCALE=whole keeps the picture to whole multiples.
//
// Two ways to the screen, chosen when the display opens. With a GPU, a streaming texture that
// the GPU enlarges by the whole multiple at or above the screen's and then shrinks to it with
// linear filtering, with vsync: only the screen pixels on the edges between two of the picture's
// pixels come out mixed. Without one (Mesa's llvmpipe, softpipe or swrast: every virtual machine
// and remote desktop), the host's own scaler writes the frame straight into the window's own
// pixels: SDL's renderers cost five to ten times as much there, and making the OpenGL one alone
// takes half a second of shader compiling.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/host.h"
#include "platform/host/present.h"
#include "platform/host/sdl/desktop.h"
#include "platform/host/sdl/window.h"
#include "platform/host/sdl_handles.h"

namespace {

SDL_Window* Window;
// The textures are declared after their renderer, so that they go first.
RendererPtr Renderer;
TexturePtr Picture;
FormatPtr PictureFormat;
// The picture enlarged on the GPU by `PrescaledBy`, for the linear shrink to the screen.
TexturePtr Prescaled;
int PrescaledBy;
bool WholeOnly;

// The window surface path: where the picture stands in the window's pixels, laid out for one
// surface of one size. SDL makes a new surface when the window changes size.
bool SurfacePath;
SDL_Surface* LaidOut;
int LaidOutWidth, LaidOutHeight;
SDL_Rect PicturePlace;
SharpScaler Scaler;
// The window was resized or uncovered: the borders are cleared and the whole window shown.
bool WindowChanged;

ColorTable Colors;

// The icon's background is palette index 0, drawn as transparent.
void SetWindowIcon() {
    const uint8_t* bytes;
    size_t size;
    if (!HostFindResource("ICON", 129, &bytes, &size)) return;
    SurfacePtr icon(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes, static_cast<int>(size)), 1));
    if (!icon) return;
    SDL_SetColorKey(icon.get(), SDL_TRUE, 0);
    SDL_SetWindowIcon(Window, icon.get());
}

// Without a screen SDL falls back on drivers that draw nowhere. Asked for by name they are
// welcome; fallen into, they mean there is no display.
bool FellBackOnNoScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    bool nowhere = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
    return nowhere && !SDL_GetHint(SDL_HINT_VIDEODRIVER);
}

void UpdateColors(const SDL_PixelFormat* format, const HostColor palette[256]) {
    UpdateColorTable(&Colors, palette, format->format,
                     [format](HostColor c) { return SDL_MapRGB(format, c.r, c.g, c.b); });
}

// What the renderer says of itself, and for OpenGL what the driver says: Mesa's software
// rasterisers call themselves accelerated.
bool RendererIsHardware() {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(Renderer.get(), &info) != 0 || !(info.flags & SDL_RENDERER_ACCELERATED))
        return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return true;
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned GlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(GlRenderer) : nullptr;
    if (!name) return false;
    const char* text = reinterpret_cast<const char*>(name);
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (std::strstr(text, soft)) return false;
    return true;
}

bool OpenTexturePath() {
    Renderer.reset(
        SDL_CreateRenderer(Window, -1, SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE));
    if (!Renderer) return false;
    Picture.reset(SDL_CreateTexture(Renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, FrameWidth, FrameHeight));
    if (!Picture) return false;
    // Set on the texture itself: a scale-quality hint from the environment would blur it.
    SDL_SetTextureScaleMode(Picture.get(), SDL_ScaleModeNearest);
    Uint32 format;
    SDL_QueryTexture(Picture.get(), &format, nullptr, nullptr, nullptr);
    PictureFormat.reset(SDL_AllocFormat(format));
    if (!PictureFormat) return false;
    SDL_SetRenderDrawColor(Renderer.get(), 0, 0, 0, 255);
    SDL_RenderClear(Renderer.get());
    SDL_RenderPresent(Renderer.get());
    return true;
}

void CloseTexturePath() {
    PictureFormat.reset();
    Picture.reset();
    Prescaled.reset();
    PrescaledBy = 0;
    Renderer.reset();
}

// The picture's place in the renderer's output, and the texture that takes it there: the
// picture itself where the place is a whole multiple of it, else the picture enlarged by the
// next whole multiple up, made again only when that multiple changes.
SDL_Texture* LayOutRenderer(SDL_Rect* place) {
    int w, h;
    if (SDL_GetRendererOutputSize(Renderer.get(), &w, &h) != 0) return nullptr;
    PictureRect fit = FitPicture(w, h, WholeOnly);
    *place = {fit.x, fit.y, fit.w, fit.h};
    if (fit.w % FrameWidth == 0 && fit.h % FrameHeight == 0) return Picture.get();
    const int by =
        std::max((fit.w + FrameWidth - 1) / FrameWidth, (fit.h + FrameHeight - 1) / FrameHeight);
    if (by != PrescaledBy) {
        Prescaled.reset(SDL_CreateTexture(Renderer.get(), PictureFormat->format,
                                          SDL_TEXTUREACCESS_TARGET, FrameWidth * by,
                                          FrameHeight * by));
        if (!Prescaled) return nullptr;
        SDL_SetTextureScaleMode(Prescaled.get(), SDL_ScaleModeLinear);
        PrescaledBy = by;
    }
    if (SDL_SetRenderTarget(Renderer.get(), Prescaled.get()) != 0) return nullptr;
    SDL_RenderCopy(Renderer.get(), Picture.get(), nullptr, nullptr);
    SDL_SetRenderTarget(Renderer.get(), nullptr);
    return Prescaled.get();
}

void PresentToTexture(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    UpdateColors(PictureFormat.get(), palette);
    void* out;
    int outPitch;
    if (SDL_LockTexture(Picture.get(), nullptr, &out, &outPitch) != 0) return;
    ExpandFrame(pixels, pitch, Colors.colors, 1, static_cast<uint8_t*>(out), outPitch);
    SDL_UnlockTexture(Picture.get());
    SDL_Rect place;
    SDL_Texture* shown = LayOutRenderer(&place);
    SDL_RenderClear(Renderer.get());
    if (shown) SDL_RenderCopy(Renderer.get(), shown, nullptr, &place);
    SDL_RenderPresent(Renderer.get());
}

int SDLCALL WatchWindow(void*, SDL_Event* event) {
    if (event->type != SDL_WINDOWEVENT) return 1;
    switch (event->window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
        WindowChanged = true;
        break;
    default:
        break;
    }
    return 1;
}

// The window's pixels, with the picture's place worked out for them; the borders are cleared
// only when the surface or its size is new, or the window was uncovered. Null when the
// window cannot give its pixels in a 32-bit format or is smaller than the picture.
SDL_Surface* LayOutWindow(bool* whole) {
    SDL_Surface* screen = SDL_GetWindowSurface(Window);
    if (!screen || screen->format->BytesPerPixel != 4 || screen->w < FrameWidth ||
        screen->h < FrameHeight)
        return nullptr;
    *whole = WindowChanged || screen != LaidOut || screen->w != LaidOutWidth ||
             screen->h != LaidOutHeight;
    if (!*whole) return screen;
    PictureRect fit = FitPicture(screen->w, screen->h, WholeOnly);
    PicturePlace = {fit.x, fit.y, fit.w, fit.h};
    LayOutScaler(&Scaler, fit.w, fit.h);
    Scaler.showing = false; // the window was cleared
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    LaidOut = screen;
    LaidOutWidth = screen->w;
    LaidOutHeight = screen->h;
    WindowChanged = false;
    return screen;
}

bool OpenSurfacePath() {
    bool whole;
    if (!LayOutWindow(&whole) || SDL_UpdateWindowSurface(Window) != 0) return false;
    SDL_AddEventWatch(WatchWindow, nullptr);
    SurfacePath = true;
    return true;
}

void PresentToWindow(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    bool whole;
    SDL_Surface* screen = LayOutWindow(&whole);
    if (!screen) return;
    UpdateColors(screen->format, palette);
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
    auto* corner = static_cast<uint8_t*>(screen->pixels) +
                   static_cast<ptrdiff_t>(PicturePlace.y) * screen->pitch + PicturePlace.x * 4;
    ScaleFrame(&Scaler, pixels, pitch, Colors.colors, corner, screen->pitch);
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    if (whole)
        SDL_UpdateWindowSurface(Window);
    else
        SDL_UpdateWindowSurfaceRects(Window, &PicturePlace, 1);
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
    if (!Window) return;
    SetWindowIcon();
    WatchWindowSystem(Window);
}

int HostOpenDisplay(const char* title) {
    HostOpenWindow(title);
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 1;
    if (!Window) return 2;
    SDL_ShowWindow(Window);
    WholeOnly = WholeScaleAsked(std::getenv("KESTOR_SCALE"));
    // The window surface is the window's own pixels, never a texture of a renderer that SDL
    // would make for it; SDL decides that once, at the first surface, which the software
    // renderer may ask for as well.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A renderer named in SDL_RENDER_DRIVER is taken as it is: that is how a maintainer tries
    // the texture path on a machine without a GPU.
    bool named = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    if (named || MayHaveGpu(Window)) {
        bool kept = OpenTexturePath() && (named || RendererIsHardware());
        if (!kept && named) return 3;
        if (!kept) CloseTexturePath();
    }
    if (!Renderer && !OpenSurfacePath() && !OpenTexturePath()) return 3;
    SDL_ShowCursor(SDL_DISABLE);
    // The old window took the focus as it was made; the keys must reach us without a click,
    // also where no window manager hands the focus out.
    SDL_RaiseWindow(Window);
    SDL_SetWindowInputFocus(Window);
    return 0;
}

// The physical resolution is the display's, spread over the picture's pixels.
void HostDotsPerInch(bool logical, float* x, float* y) {
    *x = *y = 96;
    if (logical || !SDL_WasInit(SDL_INIT_VIDEO)) return;
    float hdpi, vdpi;
    if (SDL_GetDisplayDPI(0, nullptr, &hdpi, &vdpi) != 0) return;
    int w = FrameWidth, h = FrameHeight;
    if (Renderer)
        SDL_GetRendererOutputSize(Renderer.get(), &w, &h);
    else if (Window)
        SDL_GetWindowSizeInPixels(Window, &w, &h);
    PictureRect fit = FitPicture(w, h, WholeOnly);
    *x = hdpi * FrameWidth / static_cast<float>(fit.w);
    *y = vdpi * FrameHeight / static_cast<float>(fit.h);
}

void HostPresent(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    if (SurfacePath)
        PresentToWindow(pixels, pitch, palette);
    else if (Picture)
        PresentToTexture(pixels, pitch, palette);
}

uint32_t HostSurfaceResult() {
    return 0;
}

// Boxes come at failures, often before or instead of a display; standard error always hears
// of them, and the platform shows its box where it can.
void HostMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    bool video = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    // The box needs the pointer: the held mouse would keep every click inside the game.
    if (video) {
        HostCloseMouse();
        SDL_ShowCursor(SDL_ENABLE);
    }
    // A box before the display step stands on its own: its window is not shown yet.
    bool shown = Window && !(SDL_GetWindowFlags(Window) & SDL_WINDOW_HIDDEN);
    ShowSystemBox(title, text, shown ? Window : nullptr);
    if (video) SDL_ShowCursor(SDL_DISABLE);
}
