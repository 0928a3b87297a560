// The voices of the web host: each clip decoded once from its PCM into an AudioBuffer at its
// own rate; every play is a new source node on it. "Still playing" is the clip's length on the
// page's clock, so it holds even before the browser lets the sound start.
#include <emscripten.h>

#include "platform/host/web/web.h"

namespace {

EM_JS(int, OpenAudio, (), {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    try {
        Module.kestor.audio = new Context();
    } catch (e) {
        return 0;
    }
    Module.kestor.voices = [];
    // A phone stops the sound while the page is in the background and may leave it stopped.
    document.addEventListener(
        "visibilitychange", function() {
            if (!document.hidden) _KestorResumeSound();
        });
    return 1;
});

EM_JS(int, MakeVoice, (const uint8_t* pcm, uint32_t bytes, int bits, int rate, int channels), {
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
    Module.kestor.voices.push({buffer : buffer, source : null, started : 0, looped : false});
    return Module.kestor.voices.length;
});

// A loop flag below 0 keeps the voice's own.
EM_JS(void, PlayVoice, (int voice, int looped), {
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
});

EM_JS(void, StopVoice, (int voice), {
    var v = Module.kestor.voices[voice - 1];
    if (!v || !v.source) return;
    v.source.stop();
    v.source = null;
});

EM_JS(int, VoicePlaying, (int voice), {
    var v = Module.kestor.voices[voice - 1];
    if (!v || !v.source) return 0;
    return v.looped || performance.now() - v.started < v.buffer.duration * 1000 ? 1 : 0;
});

EM_JS(void, ReleaseVoice, (int voice), {
    var v = Module.kestor.voices[voice - 1];
    if (v && v.source) v.source.stop();
    Module.kestor.voices[voice - 1] = null;
});

} // namespace

// Suspended before the player's first gesture, "interrupted" on some phones after a call or the
// background. Asked at every gesture, whatever the state says: a resume asked for outside a
// gesture may still be pending, and only one inside a gesture is sure to be granted.
void ResumeSound() {
    EM_ASM({
        var audio = Module.kestor.audio;
        if (audio && audio.state != "closed") audio.resume();
    });
}

extern "C" EMSCRIPTEN_KEEPALIVE void KestorResumeSound() {
    ResumeSound();
}

bool HostOpenSound() {
    return EM_ASM_INT({ return Module.kestor.audio ? 1 : 0; }) || OpenAudio();
}

int HostMakeVoice(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int sampleRate,
                  int channels) {
    if (!HostOpenSound() || sampleRate <= 0 || channels < 1 || channels > 2) return 0;
    if (bitsPerSample != 8 && bitsPerSample != 16) return 0;
    return MakeVoice(pcm, bytes, bitsPerSample, sampleRate, channels);
}

void HostPlayVoice(int voice, bool looped) {
    PlayVoice(voice, looped);
}

void HostStopVoice(int voice) {
    StopVoice(voice);
}

// Every play starts at the beginning already; a voice rewound while it sounds goes on from
// the beginning, as the old buffers did.
void HostRewindVoice(int voice) {
    if (VoicePlaying(voice)) PlayVoice(voice, -1);
}

bool HostVoicePlaying(int voice) {
    return VoicePlaying(voice);
}

void HostReleaseVoice(int voice) {
    ReleaseVoice(voice);
}
