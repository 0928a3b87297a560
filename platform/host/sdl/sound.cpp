// The voices of the SDL host: each clip is converted once to the device's format and owns a
// mixer channel of its own, so "is it playing" is simply that channel's state.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <list>
#include <vector>

#include "platform/host/host.h"

namespace {

// A clip in the device's format. Kept for the whole run: the title music is made and released
// at every title screen, and is converted only the first time.
struct Converted {
    const uint8_t* source;
    uint32_t bytes;
    int bitsPerSample, sampleRate, channels;
    uint64_t digest;
    std::vector<Sint16> samples;
    Mix_Chunk chunk;
};

struct Voice {
    Mix_Chunk* chunk; // null once released
    int channel;
    bool looped;
};

bool SoundOpen;
int DeviceRate, DeviceChannels;
std::list<Converted> ConvertedClips; // a list: voices point into it
std::vector<Voice> Voices;           // handle - 1

Voice* Find(int voice) {
    if (voice < 1 || voice > static_cast<int>(Voices.size())) return nullptr;
    Voice* v = &Voices[static_cast<size_t>(voice - 1)];
    return v->chunk ? v : nullptr;
}

// The lowest channel no voice holds; the title music is made and released again and again,
// so freed channels are taken again.
int FreeChannel() {
    for (int channel = 0;; ++channel) {
        bool taken = std::any_of(Voices.begin(), Voices.end(), [channel](const Voice& v) {
            return v.chunk && v.channel == channel;
        });
        if (taken) continue;
        if (channel >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(channel + 1);
        return channel;
    }
}

// FNV-1a: the same resource handed in again is known by its bytes, not only by its address.
uint64_t Digest(const uint8_t* bytes, uint32_t size) {
    uint64_t h = 14695981039346656037ull;
    for (uint32_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}

struct Clip {
    const uint8_t* pcm;
    uint32_t frames;
    int bytesPerSample, channels;
};

// Sample of a channel of a frame as 16-bit.
int SampleAt(const Clip& c, uint32_t frame, int channel) {
    const uint8_t* p =
        c.pcm + (static_cast<size_t>(frame) * c.channels + channel) * c.bytesPerSample;
    if (c.bytesPerSample == 1) return (p[0] - 128) * 256;
    return static_cast<Sint16>(p[0] | p[1] << 8);
}

// The clip at the device's rate by linear interpolation, written straight into its place:
// exactly the clip's own length, with no buffer in between. The frame after the last is the
// first again, so a looped clip joins its own beginning at the seam. Each device channel takes
// the clip's channel of the same number, or its last (a mono clip sounds centred).
void Resample(const Clip& c, int rate, std::vector<Sint16>* out) {
    const uint64_t frames = (uint64_t{c.frames} * DeviceRate + rate / 2) / rate;
    out->resize(frames * DeviceChannels);
    Sint16* to = out->data();
    const double step = 1.0 / DeviceRate;
    uint32_t n = 0;    // the source frame at or before this output frame
    int64_t phase = 0; // how far past it, in 1/DeviceRate of a source frame
    for (uint64_t i = 0; i < frames; ++i) {
        const uint32_t next = n + 1 < c.frames ? n + 1 : 0;
        const double t = static_cast<double>(phase) * step;
        for (int ch = 0; ch < DeviceChannels; ++ch) {
            int from = std::min(ch, c.channels - 1);
            int a = SampleAt(c, n, from), b = SampleAt(c, next, from);
            *to++ = static_cast<Sint16>(a + static_cast<int>((b - a) * t));
        }
        for (phase += rate; phase >= DeviceRate; phase -= DeviceRate) ++n;
    }
}

Mix_Chunk* Convert(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int rate, int channels) {
    uint64_t digest = Digest(pcm, bytes);
    for (Converted& c : ConvertedClips)
        if (c.source == pcm && c.bytes == bytes && c.bitsPerSample == bitsPerSample &&
            c.sampleRate == rate && c.channels == channels && c.digest == digest)
            return &c.chunk;
    Clip clip{pcm, bytes / static_cast<uint32_t>(bitsPerSample / 8 * channels), bitsPerSample / 8,
              channels};
    if (clip.frames == 0) return nullptr;
    Converted& c = ConvertedClips.emplace_back(
        Converted{pcm, bytes, bitsPerSample, rate, channels, digest, {}, {}});
    Resample(clip, rate, &c.samples);
    // allocated = 0: the samples are ours, not the mixer's to free.
    c.chunk = {0, reinterpret_cast<Uint8*>(c.samples.data()),
               static_cast<Uint32>(c.samples.size() * sizeof(Sint16)), MIX_MAX_VOLUME};
    return &c.chunk;
}

} // namespace

// One mono channel at 44100 Hz is all the game's centred clips need; the mixer may give more
// channels or another rate, and the clips are converted to whatever it gives. A device that
// can't be had leaves nothing of the audio system running.
bool HostOpenSound() {
    if (SoundOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Uint16 format = 0;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 1, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_QuerySpec(&DeviceRate, &format, &DeviceChannels);
    if (format != AUDIO_S16SYS || DeviceRate <= 0 || DeviceChannels < 1) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(32);
    SoundOpen = true;
    return true;
}

int HostMakeVoice(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int sampleRate,
                  int channels) {
    if (!SoundOpen || !pcm || sampleRate <= 0 || channels < 1 || channels > 2) return 0;
    if (bitsPerSample != 8 && bitsPerSample != 16) return 0;
    Mix_Chunk* chunk = Convert(pcm, bytes, bitsPerSample, sampleRate, channels);
    if (!chunk) return 0;
    // Channels are never panned or turned down: every voice sounds centred at full volume.
    Voices.push_back({chunk, FreeChannel(), false});
    return static_cast<int>(Voices.size());
}

void HostPlayVoice(int voice, bool looped) {
    Voice* v = Find(voice);
    if (!v) return;
    v->looped = looped;
    Mix_PlayChannel(v->channel, v->chunk, looped ? -1 : 0);
}

void HostStopVoice(int voice) {
    if (Voice* v = Find(voice)) Mix_HaltChannel(v->channel);
}

// Every play starts at the beginning already; a voice rewound while it sounds goes on from
// the beginning, as the old buffers did.
void HostRewindVoice(int voice) {
    Voice* v = Find(voice);
    if (v && Mix_Playing(v->channel)) Mix_PlayChannel(v->channel, v->chunk, v->looped ? -1 : 0);
}

bool HostVoicePlaying(int voice) {
    Voice* v = Find(voice);
    return v && Mix_Playing(v->channel);
}

void HostReleaseVoice(int voice) {
    Voice* v = Find(voice);
    if (!v) return;
    Mix_HaltChannel(v->channel);
    v->chunk = nullptr;
}
