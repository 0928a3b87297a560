// The voices of the SDL host: each clip is converted once to the device's format and owns a
// mixer channel of its own, so "is it playing" is simply that channel's state.
//
// The device may go away under the game (the sound server restarts, a headset is pulled out).
// The mixer is then closed, the converted clips kept, and the default device opened again as
// soon as one can be had. Meanwhile the game hears nothing but notices nothing: a voice played
// sounds in silence for its clip's length.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <list>
#include <thread>
#include <vector>

#include "platform/host/host.h"
#include "platform/host/sdl/device.h"

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
    // Played while there was no device to hear it, and until when it would have sounded.
    bool silent;
    uint32_t silentUntil;
};

bool SoundOpen; // the game has its sound, whether a device is there now or not
int DeviceRate, DeviceChannels;
// Who has the mixer. Closing it and opening it again takes a tenth of a second or more, longer
// than a tick, so a lost device is the keeper's, on a thread of its own, until it is back.
enum DeviceState { Mixing, Lost, Back };
std::atomic<DeviceState> Device;
// The keeper's word that the device is back: the main thread may be waiting for events.
Uint32 BackEvent = static_cast<Uint32>(-1);
int Channels = 32;                   // as many as the voices hold, kept over a lost device
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
        if (channel >= Channels) {
            Channels = channel + 1;
            if (Device == Mixing) Mix_AllocateChannels(Channels);
        }
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

// How long a voice sounds, in milliseconds, once played.
uint32_t LengthOf(const Voice& v) {
    const uint64_t frames = v.chunk->alen / sizeof(Sint16) / static_cast<unsigned>(DeviceChannels);
    return static_cast<uint32_t>((frames * 1000 + static_cast<unsigned>(DeviceRate) - 1) /
                                 static_cast<unsigned>(DeviceRate));
}

void PlaySilently(Voice* v) {
    v->silent = true;
    v->silentUntil = GetTickCount() + LengthOf(*v);
}

// The mixer on the default device, at the rate and channels asked for, or at what the device
// likes when `changes` allows. A device that can't be had leaves nothing of the audio system
// running.
bool OpenDevice(int rate, int channels, int changes) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudioDevice(rate, AUDIO_S16SYS, channels, 1024, nullptr, changes) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int gotRate = 0, gotChannels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&gotRate, &format, &gotChannels);
    if (format != AUDIO_S16SYS || gotRate <= 0 || gotChannels < 1) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// The keeper: closes what is left of the lost device, then tries the default device once a
// second until it opens, at the rate and channels the clips were converted to (SDL converts
// for whatever the device is).
void KeepDevice() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    do SDL_Delay(1000);
    while (!OpenDevice(DeviceRate, DeviceChannels, 0));
    Device = Back;
    SDL_Event back{};
    back.type = BackEvent;
    SDL_PushEvent(&back);
}

// The mixer is the main thread's again once the keeper is done with it. A looped voice (the
// title music) goes on from its beginning; what was played once has been heard in silence.
bool Mixed() {
    if (Device == Back) {
        Mix_AllocateChannels(Channels);
        for (Voice& v : Voices)
            if (v.chunk && v.silent && v.looped) Mix_PlayChannel(v.channel, v.chunk, -1);
        Device = Mixing;
    }
    return Device == Mixing;
}

} // namespace

// One mono channel at 44100 Hz is all the game's centred clips need; the mixer may give more
// channels or another rate, and the clips are converted to whatever it gives.
bool HostOpenSound() {
    if (SoundOpen) return true;
    if (!OpenDevice(44100, 1, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE))
        return false;
    Uint16 format;
    Mix_QuerySpec(&DeviceRate, &format, &DeviceChannels);
    Mix_AllocateChannels(Channels);
    BackEvent = SDL_RegisterEvents(1);
    SoundOpen = true;
    return true;
}

// The device gone, what was sounding goes on in silence, the voices keeping their clips and
// channels, until the keeper has it back.
void SoundDeviceEvent(const SDL_Event& e) {
    if (e.type == BackEvent) {
        Mixed();
    } else if (e.type == SDL_AUDIODEVICEREMOVED && !e.adevice.iscapture && Mixed()) {
        for (Voice& v : Voices)
            if (v.chunk && Mix_Playing(v.channel)) PlaySilently(&v);
        Device = Lost;
        std::thread(KeepDevice).detach();
    }
}

int HostMakeVoice(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int sampleRate,
                  int channels) {
    if (!SoundOpen || !pcm || sampleRate <= 0 || channels < 1 || channels > 2) return 0;
    if (bitsPerSample != 8 && bitsPerSample != 16) return 0;
    Mix_Chunk* chunk = Convert(pcm, bytes, bitsPerSample, sampleRate, channels);
    if (!chunk) return 0;
    // Channels are never panned or turned down: every voice sounds centred at full volume.
    Voices.push_back({chunk, FreeChannel(), false, false, 0});
    return static_cast<int>(Voices.size());
}

void HostPlayVoice(int voice, bool looped) {
    Voice* v = Find(voice);
    if (!v) return;
    v->looped = looped;
    v->silent = false;
    if (Mixed())
        Mix_PlayChannel(v->channel, v->chunk, looped ? -1 : 0);
    else
        PlaySilently(v);
}

void HostStopVoice(int voice) {
    Voice* v = Find(voice);
    if (!v) return;
    v->silent = false;
    if (Mixed()) Mix_HaltChannel(v->channel);
}

bool HostVoicePlaying(int voice) {
    Voice* v = Find(voice);
    if (!v) return false;
    if (v->silent && (v->looped || static_cast<int32_t>(v->silentUntil - GetTickCount()) > 0))
        return true;
    return Mixed() && Mix_Playing(v->channel);
}

// Every play starts at the beginning already; a voice rewound while it sounds goes on from
// the beginning, as the old buffers did.
void HostRewindVoice(int voice) {
    Voice* v = Find(voice);
    if (v && HostVoicePlaying(voice)) HostPlayVoice(voice, v->looped);
}

void HostReleaseVoice(int voice) {
    Voice* v = Find(voice);
    if (!v) return;
    HostStopVoice(voice);
    v->chunk = nullptr;
}
