// The screen of the web host: the 640x480 frame on the page's canvas through its palette, drawn
// sharp at the canvas's size in the screen's own pixels (the page's own script lays the canvas
// out), and the message boxes as a plain overlay on the page.
#include <emscripten.h>

#include <cstdio>
#include <vector>

#include "platform/host/present.h"
#include "platform/host/web/web.h"

namespace {

// The canvas takes bytes in R, G, B, A order: one little-endian word per pixel.
std::vector<uint32_t> Picture;
SharpScaler Scaler;
ColorTable Colors;
bool IndexedCanvas; // WebGL: the frame goes as it is

} // namespace

// The page's side of the screen, in display.js.
extern "C" {
// 1: a 2D canvas, 2: WebGL, 0: no canvas.
int OpenCanvas(const char* title);
// The indexed frame and, when they changed, its colours (256 R, G, B, A words).
void PutIndexedFrame(const uint8_t* pixels, int pitch, const uint32_t* colours);
double FrameDotsPerInch();
// The canvas's size in its own pixels.
void CanvasSize(int* width, int* height);
void PutFrame(const uint32_t* pixels, int width, int height);
// Returns at the box's OK, the game asleep meanwhile.
void ShowBox(const char* title, const char* text);
int DisplayLost();
}

// The canvas cleared, its context given back (its palette new and empty) or its size new: the
// picture is the game's to paint again.
extern "C" EMSCRIPTEN_KEEPALIVE void KestorDisplayBack() {
    Colors.built = false;
    PostEvent(HostWindowExposed, 0);
}

// The page is there before the start-up: the canvas and the keys are taken at once.
void HostOpenWindow(const char* title) {
    static bool listening;
    int canvas = OpenCanvas(title);
    IndexedCanvas = canvas == 2;
    if (canvas && !listening) {
        ListenForEvents();
        listening = true;
    }
}

int HostOpenDisplay(const char* title) {
    HostOpenWindow(title);
    return OpenCanvas(title) ? 0 : 1;
}

void HostDotsPerInch(bool logical, float* x, float* y) {
    *x = *y = logical ? 96.0f : static_cast<float>(FrameDotsPerInch());
}

void HostPresent(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    bool changed = UpdateColorTable(&Colors, palette, 0, [](HostColor c) {
        return 0xFF000000u | uint32_t{c.b} << 16 | uint32_t{c.g} << 8 | c.r;
    });
    if (IndexedCanvas) {
        PutIndexedFrame(pixels, pitch, changed ? Colors.colors : nullptr);
        return;
    }
    int width, height;
    CanvasSize(&width, &height);
    LayOutScaler(&Scaler, width, height);
    Picture.resize(static_cast<size_t>(Scaler.width) * static_cast<size_t>(Scaler.height));
    ScaleFrame(&Scaler, pixels, pitch, Colors.colors, reinterpret_cast<uint8_t*>(Picture.data()),
               Scaler.width * static_cast<int>(sizeof Picture[0]));
    PutFrame(Picture.data(), Scaler.width, Scaler.height);
}

uint32_t HostSurfaceResult() {
    return DisplayLost() ? HostSurfaceLost : 0;
}

// The console always hears of a box; the page shows it once there is a page to show it on.
void HostMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    HostCloseMouse();
    ShowBox(title, text);
}
