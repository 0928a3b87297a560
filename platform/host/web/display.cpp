// The screen of the web host: the 640x480 frame on the page's canvas through its palette, shown
// at the largest whole scale that fits the window (the page's own script sizes it), and the
// message boxes as a plain overlay on the page.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/host/sdl/present.h"
#include "platform/host/web/web.h"

namespace {

// The canvas takes bytes in R, G, B, A order: one little-endian word per pixel.
uint32_t Frame[FrameWidth * FrameHeight];
HostColor TablePalette[256];
bool TableBuilt;
uint32_t ColorTable[256];

void BuildColorTable(const HostColor palette[256]) {
    for (int i = 0; i < 256; ++i)
        ColorTable[i] =
            0xFF000000u | uint32_t{palette[i].b} << 16 | uint32_t{palette[i].g} << 8 | palette[i].r;
    std::copy(palette, palette + 256, TablePalette);
    TableBuilt = true;
}

EM_JS(int, OpenCanvas, (const char* title), {
    document.title = UTF8ToString(title);
    if (Module.kestorScreen) return 1;
    var canvas = document.getElementById("screen");
    var context = canvas && canvas.getContext("2d", {alpha : false});
    if (!context) return 0;
    Module.kestorScreen = {context : context, image : context.createImageData(640, 480)};
    Module.kestorStats = {ticks : 0, busyMs : 0, sliceStart : performance.now()};
    context.fillStyle = "#000";
    context.fillRect(0, 0, 640, 480);
    return 1;
});

// CSS pixels are 1/96 inch; the picture's own pixels are as large as the page shows them.
EM_JS(double, FrameDotsPerInch, (), {
    var canvas = document.getElementById("screen");
    var shown = canvas ? canvas.getBoundingClientRect().width : 0;
    return shown > 0 ? 96 * 640 / shown : 96;
});

EM_JS(void, PutFrame, (const uint32_t* pixels), {
    var screen = Module.kestorScreen;
    screen.image.data.set(HEAPU8.subarray(pixels, pixels + 640 * 480 * 4));
    screen.context.putImageData(screen.image, 0, 0);
});

// The box waits for its OK, as the old one did, with the game asleep meanwhile.
EM_ASYNC_JS(void, ShowBox, (const char* title, const char* text), {
    var box = document.getElementById("box");
    if (!box) return;
    if (document.pointerLockElement) document.exitPointerLock();
    box.querySelector("h2").textContent = UTF8ToString(title);
    box.querySelector("p").textContent = UTF8ToString(text);
    box.style.display = "flex";
    await new Promise(function(resolve) { box.querySelector("button").onclick = resolve; });
    box.style.display = "none";
});

} // namespace

// The page is there before the start-up: the canvas and the keys are taken at once.
void HostOpenWindow(const char* title) {
    static bool listening;
    if (OpenCanvas(title) && !listening) {
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
    if (!TableBuilt || std::memcmp(palette, TablePalette, sizeof TablePalette) != 0)
        BuildColorTable(palette);
    ExpandFrame(pixels, pitch, ColorTable, reinterpret_cast<uint8_t*>(Frame),
                FrameWidth * static_cast<int>(sizeof Frame[0]));
    PutFrame(Frame);
}

uint32_t HostSurfaceResult() {
    return 0;
}

// The console always hears of a box; the page shows it once there is a page to show it on.
void HostMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    HostCloseMouse();
    ShowBox(title, text);
}
