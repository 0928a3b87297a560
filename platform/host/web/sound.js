// The page's side of the web host's voices (sound.cpp): one Web Audio context, an AudioBuffer for
// each clip and a new source node on it for every play.
mergeInto(LibraryManager.library, {
    // Suspended before the player's first gesture, "interrupted" on some phones after a call or
    // the background. Asked at every gesture, whatever the state says: a resume asked for
    // outside a gesture may still be pending, and only one inside a gesture is sure to be
    // granted.
    ResumeSound: function() {
        var audio = Module.kestor.audio;
        if (audio && audio.state != "closed") audio.resume();
    },

    OpenAudio__deps: ["ResumeSound"],
    OpenAudio: function() {
        if (Module.kestor.audio) return 1;
        var Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return 0;
        try {
            Module.kestor.audio = new Context();
        } catch (e) {
            return 0;
        }
        Module.kestor.voices = [];
        // A phone stops the sound while the page is in the background and may leave it stopped.
        document.addEventListener("visibilitychange", function() {
            if (!document.hidden) _ResumeSound();
        });
        return 1;
    },

    MakeVoice: function(pcm, bytes, bits, rate, channels) {
        var audio = Module.kestor.audio;
        var frameBytes = bits / 8 * channels;
        var frames = Math.floor(bytes / frameBytes);
        if (frames == 0) return 0;
        var buffer;
        try {
            buffer = audio.createBuffer(channels, frames, rate);
        } catch (e) {
            return 0;
        }
        for (var c = 0; c < channels; c++) {
            var out = buffer.getChannelData(c);
            for (var i = 0; i < frames; i++) {
                var at = pcm + i * frameBytes + c * bits / 8;
                // 8-bit samples are unsigned around 128, 16-bit ones signed little-endian.
                out[i] = bits == 8 ? (HEAPU8[at] - 128) / 128
                    : ((HEAPU8[at] | HEAPU8[at + 1] << 8) << 16 >> 16) / 32768;
            }
        }
        Module.kestor.voices.push({ buffer: buffer, source: null, started: 0, looped: false });
        return Module.kestor.voices.length;
    },

    PlayVoice: function(voice, looped) {
        var v = Module.kestor.voices[voice - 1];
        if (!v) return;
        if (looped < 0) looped = v.looped ? 1 : 0;
        if (v.source) v.source.stop();
        var audio = Module.kestor.audio;
        v.source = audio.createBufferSource();
        v.source.buffer = v.buffer;
        v.source.loop = looped != 0;
        v.source.connect(audio.destination);
        v.source.start();
        v.started = performance.now();
        v.looped = looped != 0;
    },

    StopVoice: function(voice) {
        var v = Module.kestor.voices[voice - 1];
        if (!v || !v.source) return;
        v.source.stop();
        v.source = null;
    },

    VoicePlaying: function(voice) {
        var v = Module.kestor.voices[voice - 1];
        if (!v || !v.source) return 0;
        return v.looped || performance.now() - v.started < v.buffer.duration * 1000 ? 1 : 0;
    },

    ReleaseVoice: function(voice) {
        var v = Module.kestor.voices[voice - 1];
        if (v && v.source) v.source.stop();
        Module.kestor.voices[voice - 1] = null;
    },
});
