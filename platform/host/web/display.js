// The page's side of the web host's screen (display.cpp): the canvas in the screen's own pixels,
// the frame drawn on it by WebGL or as the host's picture on a 2D canvas, the message box, and
// the screen kept on while a game is played.
mergeInto(LibraryManager.library, {
    // The canvas holds as many pixels as the screen shows of it, so the picture drawn here is
    // never rescaled by the browser. A new size clears the canvas: the game paints it again.
    // The browser's own count of the screen's pixels is believed within a pixel of the layout's
    // size at the screen's ratio: Chromium's device emulation counts them as if unemulated.
    $watchCanvasSize: function(canvas) {
        var sized = function(entries) {
            var e = entries[entries.length - 1], box = e.devicePixelContentBoxSize;
            var pixels = function(counted, laidOut) {
                var measured = Math.round(laidOut * devicePixelRatio);
                return box && Math.abs(counted - measured) <= 1 ? counted : measured;
            };
            var width = pixels(box && box[0].inlineSize, e.contentRect.width);
            var height = pixels(box && box[0].blockSize, e.contentRect.height);
            if (width == canvas.width && height == canvas.height) return;
            canvas.width = width;
            canvas.height = height;
            _KestorDisplayBack();
        };
        var observer = new ResizeObserver(sized);
        try {
            observer.observe(canvas, { box: "device-pixel-content-box" });
        } catch (e) { // a browser that cannot tell: the layout's size at the screen's ratio
            observer.observe(canvas);
        }
    },

    // A graphics card, not WebGL drawn in software by the processor: asked of a canvas of its
    // own, as a canvas that once gave WebGL gives no 2D context any more.
    $hasGraphicsCard: function() {
        var probe = document.createElement("canvas").getContext(
            "webgl", { failIfMajorPerformanceCaveat: true });
        if (!probe) return false;
        var info = probe.getExtension("WEBGL_debug_renderer_info");
        var name = info ? probe.getParameter(info.UNMASKED_RENDERER_WEBGL) : "";
        var lose = probe.getExtension("WEBGL_lose_context");
        if (lose) lose.loseContext();
        return !new RegExp("SwiftShader|llvmpipe|softpipe|software", "i").test(name);
    },

    // A lost context (the phone short of graphics memory, the page long in the background)
    // draws nothing until the browser gives it back; the host answers "lost" meanwhile, and once
    // it is back the game is asked to paint its picture again.
    $watchContextLoss: function(canvas, lostEvent, restoredEvent, setUp) {
        canvas.addEventListener(lostEvent, function(e) {
            if (setUp) e.preventDefault(); // WebGL comes back only when asked to
            Module.kestor.screen.lost = true;
        });
        canvas.addEventListener(restoredEvent, function() {
            if (setUp) setUp();
            Module.kestor.screen.lost = false;
            _KestorDisplayBack();
        });
    },

    // The frame's indices are a one-channel texture, the palette a 256x1 one, both read
    // NEAREST. The first pass looks the colours up into a 640x480 colour texture; indices are
    // never blended. The second covers the canvas: each of its pixels has a footprint on the
    // frame less than one of the frame's pixels wide, which lies wholly in one pixel (its
    // colour) or straddles an edge between two, or four at a corner (their colours mixed by the
    // share each covers). The colour texture's linear filter does that mixing in one read,
    // placed that far past the first pixel's middle: in software WebGL the two passes take half
    // the time of eight reads for each pixel. False when the programs do not link.
    $setUpWebGL: function(screen) {
        var vertexShader = "attribute vec2 p; void main() { gl_Position = vec4(p, 0.0, 1.0); }";
        var paletteShader = `
            precision highp float;
            uniform sampler2D frame, colours;
            void main() {
                vec4 texel = texture2D(frame, gl_FragCoord.xy / vec2(640.0, 480.0));
                float i = floor(texel.r * 255.0 + 0.5);
                gl_FragColor = texture2D(colours, vec2((i + 0.5) / 256.0, 0.5));
            }`;
        var scaleShader = `
            precision highp float;
            uniform sampler2D picture;
            uniform vec2 size;
            const vec2 frameSize = vec2(640.0, 480.0);
            void main() {
                vec2 step = frameSize / size;
                vec2 start = vec2(gl_FragCoord.x - 0.5, size.y - gl_FragCoord.y - 0.5) * step;
                vec2 from = floor(start);
                vec2 past = clamp((start + step - from - 1.0) / step, 0.0, 1.0);
                gl_FragColor = texture2D(picture, (from + 0.5 + past) / frameSize);
            }`;
        var gl = screen.gl;
        var shader = function(kind, source) {
            var s = gl.createShader(kind);
            gl.shaderSource(s, source);
            gl.compileShader(s);
            return s;
        };
        var link = function(fragmentShader) {
            var program = gl.createProgram();
            gl.attachShader(program, shader(gl.VERTEX_SHADER, vertexShader));
            gl.attachShader(program, shader(gl.FRAGMENT_SHADER, fragmentShader));
            gl.bindAttribLocation(program, 0, "p");
            gl.linkProgram(program);
            return gl.getProgramParameter(program, gl.LINK_STATUS) ? program : null;
        };
        var palette = link(paletteShader), scale = link(scaleShader);
        if (!palette || !scale) return false;
        gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
        gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]),
            gl.STATIC_DRAW);
        gl.enableVertexAttribArray(0);
        gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
        gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
        var texture = function(unit, format, filter, width, height) {
            var t = gl.createTexture();
            gl.activeTexture(gl.TEXTURE0 + unit);
            gl.bindTexture(gl.TEXTURE_2D, t);
            gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, filter);
            gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, filter);
            gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
            gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
            gl.texImage2D(gl.TEXTURE_2D, 0, format, width, height, 0, format, gl.UNSIGNED_BYTE,
                null);
            return t;
        };
        var picture = texture(2, gl.RGBA, gl.LINEAR, 640, 480);
        texture(1, gl.RGBA, gl.NEAREST, 256, 1);
        texture(0, gl.LUMINANCE, gl.NEAREST, 640, 480); // the frame's unit stays the active one
        screen.coloured = gl.createFramebuffer();
        gl.bindFramebuffer(gl.FRAMEBUFFER, screen.coloured);
        gl.framebufferTexture2D(gl.FRAMEBUFFER, gl.COLOR_ATTACHMENT0, gl.TEXTURE_2D, picture, 0);
        gl.bindFramebuffer(gl.FRAMEBUFFER, null);
        gl.useProgram(palette);
        gl.uniform1i(gl.getUniformLocation(palette, "frame"), 0);
        gl.uniform1i(gl.getUniformLocation(palette, "colours"), 1);
        gl.useProgram(scale);
        gl.uniform1i(gl.getUniformLocation(scale, "picture"), 2);
        screen.palette = palette;
        screen.scale = scale;
        screen.size = gl.getUniformLocation(scale, "size");
        gl.clearColor(0, 0, 0, 1);
        gl.clear(gl.COLOR_BUFFER_BIT);
        return true;
    },

    // Two ways to the screen, chosen by what the machine has, as on the desktop. With a graphics
    // card WebGL takes the indexed frame as it is and looks its colours up there, which leaves
    // the page's main thread half its work. Without one (WebGL in software) that costs the main
    // thread three times what expanding the frame in the host and putting it on a 2D canvas
    // costs. "?webgl" and "?2d" choose either way, for the tests.
    OpenCanvas__deps: ["$specialHTMLTargets", "$watchCanvasSize", "$hasGraphicsCard",
        "$watchContextLoss", "$setUpWebGL"],
    OpenCanvas: function(title) {
        document.title = UTF8ToString(title);
        if (Module.kestor.screen) return Module.kestor.screen.gl ? 2 : 1;
        var canvas = Module.kestor.canvas;
        if (!canvas) return 0;
        specialHTMLTargets["!canvas"] = canvas;
        var asked = location.search;
        var gl = (asked.indexOf("webgl") >= 0 || (asked.indexOf("2d") < 0 && hasGraphicsCard())) &&
            canvas.getContext("webgl",
                { alpha: false, antialias: false, depth: false, preserveDrawingBuffer: true });
        if (gl) {
            var screen =
                { gl: gl, lost: false, palette: null, scale: null, size: null, coloured: null };
            if (setUpWebGL(screen)) {
                Module.kestor.screen = screen;
                watchContextLoss(canvas, "webglcontextlost", "webglcontextrestored",
                    function() { setUpWebGL(screen); });
                watchCanvasSize(canvas);
                return 2;
            }
        }
        var context = canvas.getContext("2d", { alpha: false });
        if (!context) return 0;
        Module.kestor.screen = { context: context, image: null, lost: false };
        watchContextLoss(canvas, "contextlost", "contextrestored", null);
        watchCanvasSize(canvas);
        context.fillStyle = "#000";
        context.fillRect(0, 0, 640, 480);
        return 1;
    },

    PutIndexedFrame: function(pixels, pitch, colours) {
        var screen = Module.kestor.screen, gl = screen.gl, canvas = Module.kestor.canvas;
        if (colours) {
            gl.activeTexture(gl.TEXTURE1);
            gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, 256, 1, gl.RGBA, gl.UNSIGNED_BYTE,
                HEAPU8.subarray(colours, colours + 1024));
            gl.activeTexture(gl.TEXTURE0);
        }
        for (var y = 0, rows = pitch == 640 ? 480 : 1; y < 480; y += rows)
            gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, y, 640, rows, gl.LUMINANCE, gl.UNSIGNED_BYTE,
                HEAPU8.subarray(pixels + y * pitch, pixels + y * pitch + 640 * rows));
        gl.bindFramebuffer(gl.FRAMEBUFFER, screen.coloured);
        gl.viewport(0, 0, 640, 480);
        gl.useProgram(screen.palette);
        gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
        gl.bindFramebuffer(gl.FRAMEBUFFER, null);
        gl.viewport(0, 0, canvas.width, canvas.height);
        gl.useProgram(screen.scale);
        gl.uniform2f(screen.size, canvas.width, canvas.height);
        gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
    },

    // CSS pixels are 1/96 inch; the picture's own pixels are as large as the page shows them.
    FrameDotsPerInch: function() {
        var canvas = Module.kestor.canvas;
        var shown = canvas ? canvas.getBoundingClientRect().width : 0;
        return shown > 0 ? 96 * 640 / shown : 96;
    },

    CanvasSize: function(width, height) {
        HEAP32[width >> 2] = Module.kestor.canvas.width;
        HEAP32[height >> 2] = Module.kestor.canvas.height;
    },

    // The image's pixels are the picture's own memory; memory that grows, or a new size, moves
    // it.
    PutFrame: function(pixels, width, height) {
        var screen = Module.kestor.screen, image = screen.image;
        if (!image || image.data.buffer != HEAPU8.buffer || image.data.byteOffset != pixels ||
            image.width != width || image.height != height) {
            var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
            image = screen.image = new ImageData(bytes, width, height);
        }
        screen.context.putImageData(image, 0, 0);
    },

    // The box waits for its OK, as the old one did, with the game asleep meanwhile.
    ShowBox__deps: ["$Asyncify"],
    ShowBox: function(title, text) {
        return Asyncify.handleAsync(async () => {
            var box = Module.kestor.box;
            if (!box) return;
            if (document.pointerLockElement) document.exitPointerLock();
            box.querySelector("h2").textContent = UTF8ToString(title);
            box.querySelector("p").textContent = UTF8ToString(text);
            box.style.display = "flex";
            await new Promise(function(resolve) { box.querySelector("button").onclick = resolve; });
            box.style.display = "none";
        });
    },

    // The screen stays on while a game is played and half a minute after, so that a long pause
    // or the title left alone lets the phone dim as it would. Browsers drop the lock whenever
    // the page is hidden: it is asked for again at the first tick of play once the page shows
    // again.
    KeepAwake: function() {
        var awake = Module.kestor.awake;
        if (!awake) {
            awake = Module.kestor.awake =
                { lock: null, asking: false, refused: false, playedAt: 0 };
            document.addEventListener("visibilitychange", function() {
                if (!document.hidden) awake.refused = false;
            });
            setInterval(function() {
                if (awake.lock && performance.now() - awake.playedAt > 30000) awake.lock.release();
            }, 5000);
        }
        awake.playedAt = performance.now();
        if (!navigator.wakeLock || awake.lock || awake.asking || awake.refused || document.hidden)
            return;
        awake.asking = true;
        navigator.wakeLock.request("screen").then(function(lock) {
            awake.asking = false;
            awake.lock = lock;
            lock.addEventListener("release", function() { awake.lock = null; });
        }, function() {
            awake.asking = false;
            awake.refused = true;
        });
    },

    DisplayLost: function() {
        return Module.kestor.screen && Module.kestor.screen.lost ? 1 : 0;
    },
});
