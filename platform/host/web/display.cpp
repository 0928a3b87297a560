// The screen of the web host: the 640x480 frame on the page's canvas through its palette, shown
// at the largest whole scale that fits the window (the page's own script sizes it), and the
// message boxes as a plain overlay on the page.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/host/present.h"
#include "platform/host/web/web.h"

namespace {

// The canvas takes bytes in R, G, B, A order: one little-endian word per pixel.
uint32_t Frame[FrameWidth * FrameHeight];
ColorTable Colors;
bool IndexedCanvas; // WebGL: the frame goes as it is

// The frame's indices are a one-channel texture, the palette a 256x1 one.
constexpr const char* VertexShader =
    "attribute vec2 p; varying vec2 uv;"
    "void main() { uv = vec2(p.x + 1.0, 1.0 - p.y) / 2.0; gl_Position = vec4(p, 0.0, 1.0); }";
constexpr const char* FragmentShader =
    "precision highp float; uniform sampler2D frame, colours; varying vec2 uv;"
    "void main() { float i = floor(texture2D(frame, uv).r * 255.0 + 0.5);"
    "gl_FragColor = texture2D(colours, vec2((i + 0.5) / 256.0, 0.5)); }";

// Two ways to the screen, chosen by what the machine has, as on the desktop. With a graphics
// card WebGL takes the indexed frame as it is and looks its colours up there, which leaves the
// page's main thread half its work. Without one (WebGL in software) that costs the main thread
// three times what expanding the frame here and putting it on a 2D canvas costs. "?webgl" and
// "?2d" choose either way, for the tests.
// 1: a 2D canvas, 2: WebGL, 0: no canvas.
EM_JS(int, OpenCanvas, (const char* title, const char* vertexShader, const char* fragmentShader), {
    document.title = UTF8ToString(title);
    if (Module.kestor.screen) return Module.kestor.screen.gl ? 2 : 1;
    var canvas = Module.kestor.canvas;
    if (!canvas) return 0;
    specialHTMLTargets["!canvas"] = canvas;
    // A graphics card, not WebGL drawn in software by the processor: asked of a canvas of its
    // own, as a canvas that once gave WebGL gives no 2D context any more.
    var hardware = function() {
        var probe = document.createElement("canvas").getContext(
            "webgl", {failIfMajorPerformanceCaveat : true});
        if (!probe) return false;
        var info = probe.getExtension("WEBGL_debug_renderer_info");
        var name = info ? probe.getParameter(info.UNMASKED_RENDERER_WEBGL) : "";
        var lose = probe.getExtension("WEBGL_lose_context");
        if (lose) lose.loseContext();
        return !new RegExp("SwiftShader|llvmpipe|softpipe|software", "i").test(name);
    };
    var asked = location.search;
    var gl = (asked.indexOf("webgl") >= 0 || (asked.indexOf("2d") < 0 && hardware())) &&
             canvas.getContext(
                 "webgl",
                 {alpha : false, antialias : false, depth : false, preserveDrawingBuffer : true});
    // A lost context (the phone short of graphics memory, the page long in the background)
    // draws nothing until the browser gives it back; the host answers "lost" meanwhile, and
    // once it is back the game is asked to paint its picture again.
    var watchLoss = function(lostEvent, restoredEvent, setUp) {
        canvas.addEventListener(lostEvent, function(e) {
            if (setUp) e.preventDefault(); // WebGL comes back only when asked to
            Module.kestor.screen.lost = true;
        });
        canvas.addEventListener(restoredEvent, function() {
            if (setUp) setUp();
            Module.kestor.screen.lost = false;
            _KestorDisplayBack();
        });
    };
    if (gl) {
        var shader = function(kind, source) {
            var s = gl.createShader(kind);
            gl.shaderSource(s, source);
            gl.compileShader(s);
            return s;
        };
        var setUp = function() {
            var program = gl.createProgram();
            gl.attachShader(program, shader(gl.VERTEX_SHADER, UTF8ToString(vertexShader)));
            gl.attachShader(program, shader(gl.FRAGMENT_SHADER, UTF8ToString(fragmentShader)));
            gl.bindAttribLocation(program, 0, "p");
            gl.linkProgram(program);
            if (!gl.getProgramParameter(program, gl.LINK_STATUS)) return false;
            gl.useProgram(program);
            gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
            gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([ -1, -1, 1, -1, -1, 1, 1, 1 ]),
                          gl.STATIC_DRAW);
            gl.enableVertexAttribArray(0);
            gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
            gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
            var texture = function(unit, name, format, width, height) {
                gl.activeTexture(gl.TEXTURE0 + unit);
                gl.bindTexture(gl.TEXTURE_2D, gl.createTexture());
                gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
                gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
                gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
                gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
                gl.texImage2D(gl.TEXTURE_2D, 0, format, width, height, 0, format, gl.UNSIGNED_BYTE,
                              null);
                gl.uniform1i(gl.getUniformLocation(program, name), unit);
            };
            texture(1, "colours", gl.RGBA, 256, 1);
            texture(0, "frame", gl.LUMINANCE, 640, 480);
            gl.viewport(0, 0, 640, 480);
            gl.clearColor(0, 0, 0, 1);
            gl.clear(gl.COLOR_BUFFER_BIT);
            return true;
        };
        if (setUp()) {
            Module.kestor.screen = {gl : gl, lost : false};
            watchLoss("webglcontextlost", "webglcontextrestored", setUp);
            return 2;
        }
    }
    var context = canvas.getContext("2d", {alpha : false});
    if (!context) return 0;
    Module.kestor.screen = {context : context, image : null, lost : false};
    watchLoss("contextlost", "contextrestored", null);
    context.fillStyle = "#000";
    context.fillRect(0, 0, 640, 480);
    return 1;
});

// The indexed frame and, when they changed, its colours (256 R, G, B, A words).
EM_JS(void, PutIndexedFrame, (const uint8_t* pixels, int pitch, const uint32_t* colours), {
    var gl = Module.kestor.screen.gl;
    if (colours) {
        gl.activeTexture(gl.TEXTURE1);
        gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, 256, 1, gl.RGBA, gl.UNSIGNED_BYTE,
                         HEAPU8.subarray(colours, colours + 1024));
        gl.activeTexture(gl.TEXTURE0);
    }
    for (var y = 0, rows = pitch == 640 ? 480 : 1; y < 480; y += rows)
        gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, y, 640, rows, gl.LUMINANCE, gl.UNSIGNED_BYTE,
                         HEAPU8.subarray(pixels + y * pitch, pixels + y * pitch + 640 * rows));
    gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
});

// CSS pixels are 1/96 inch; the picture's own pixels are as large as the page shows them.
EM_JS(double, FrameDotsPerInch, (), {
    var canvas = Module.kestor.canvas;
    var shown = canvas ? canvas.getBoundingClientRect().width : 0;
    return shown > 0 ? 96 * 640 / shown : 96;
});

// The image's pixels are the frame's own memory; memory that grows moves it.
EM_JS(void, PutFrame, (const uint32_t* pixels), {
    var screen = Module.kestor.screen;
    if (!screen.image || screen.image.data.buffer != HEAPU8.buffer) {
        var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, 640 * 480 * 4);
        screen.image = new ImageData(bytes, 640, 480);
    }
    screen.context.putImageData(screen.image, 0, 0);
});

// The box waits for its OK, as the old one did, with the game asleep meanwhile.
EM_ASYNC_JS(void, ShowBox, (const char* title, const char* text), {
    var box = Module.kestor.box;
    if (!box) return;
    if (document.pointerLockElement) document.exitPointerLock();
    box.querySelector("h2").textContent = UTF8ToString(title);
    box.querySelector("p").textContent = UTF8ToString(text);
    box.style.display = "flex";
    await new Promise(function(resolve) { box.querySelector("button").onclick = resolve; });
    box.style.display = "none";
});

// The screen stays on while a game is played and half a minute after, so that a long pause or
// the title left alone lets the phone dim as it would. Browsers drop the lock whenever the page
// is hidden: it is asked for again at the first tick of play once the page shows again.
EM_JS(void, KeepScreenOn, (), {
    var awake = Module.kestor.awake;
    if (!awake) {
        awake = Module.kestor.awake = {lock : null, asking : false, refused : false, playedAt : 0};
        document.addEventListener(
            "visibilitychange", function() {
                if (!document.hidden) awake.refused = false;
            });
        setInterval(
            function() {
                if (awake.lock && performance.now() - awake.playedAt > 30000) awake.lock.release();
            },
            5000);
    }
    awake.playedAt = performance.now();
    if (!navigator.wakeLock || awake.lock || awake.asking || awake.refused || document.hidden)
        return;
    awake.asking = true;
    navigator.wakeLock.request("screen").then(
        function(lock) {
            awake.asking = false;
            awake.lock = lock;
            lock.addEventListener(
                "release", function() { awake.lock = null; });
        },
        function() {
            awake.asking = false;
            awake.refused = true;
        });
});

EM_JS(int, DisplayLost, (), { return Module.kestor.screen && Module.kestor.screen.lost ? 1 : 0; });

} // namespace

// The context back: its palette is new and empty, and the picture is the game's to paint again.
extern "C" EMSCRIPTEN_KEEPALIVE void KestorDisplayBack() {
    Colors.built = false;
    QueueEvent(HostWindowExposed, 0);
}

// The page is there before the start-up: the canvas and the keys are taken at once.
void HostOpenWindow(const char* title) {
    static bool listening;
    int canvas = OpenCanvas(title, VertexShader, FragmentShader);
    IndexedCanvas = canvas == 2;
    if (canvas && !listening) {
        ListenForEvents();
        listening = true;
    }
}

int HostOpenDisplay(const char* title) {
    HostOpenWindow(title);
    return OpenCanvas(title, VertexShader, FragmentShader) ? 0 : 1;
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
    ExpandFrame(pixels, pitch, Colors.colors, 1, reinterpret_cast<uint8_t*>(Frame),
                FrameWidth * static_cast<int>(sizeof Frame[0]));
    PutFrame(Frame);
}

void KeepAwake() {
    KeepScreenOn();
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
