// The page's side of text on the web host (text.cpp): the browser's own letters on a canvas of
// their own, kept for them.
mergeInto(LibraryManager.library, {
    // Sizes on a canvas of its own, kept for the letters.
    MeasureText: function(font, text, height) {
        var canvas =
            Module.kestor.letters || (Module.kestor.letters = document.createElement("canvas"));
        var context = canvas.getContext("2d", { willReadFrequently: true });
        context.font = UTF8ToString(font);
        var m = context.measureText(UTF8ToString(text));
        HEAP32[height >> 2] = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
        return m.width;
    },

    // Lines go where SDL_ttf puts them: the underline just below the baseline, the strike-out at
    // the middle of the lower-case letters; both as thick as a stroke of the face.
    DrawText: function(font, text, stretch, lines, mask, width, height) {
        var canvas = Module.kestor.letters;
        canvas.width = width;
        canvas.height = height;
        var context = canvas.getContext("2d", { willReadFrequently: true });
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
    },
});
