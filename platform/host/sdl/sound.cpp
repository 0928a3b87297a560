// The voices of the SDL host: each clip is converted once to the device's format and owns a
// mixer channel of its own, so "is it playing" is simply that channel's state.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

#include "platform/host/host.h"

namespace {

struct Voice {
    Mix_Chunk* chunk; // null once released
    int channel;
    bool looped;
};

bool SoundOpen;
int DeviceRate, DeviceChannels;
SDL_AudioFormat DeviceFormat;
std::vector<Voice> Voices; // handle - 1

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

// The clip's samples in the device's format and rate; the mixer plays chunks as they lie.
Mix_Chunk* Convert(const uint8_t* pcm, uint32_t bytes, SDL_AudioFormat format, int rate,
                   int channels) {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, DeviceFormat,
                           static_cast<Uint8>(DeviceChannels), DeviceRate);
    if (!stream) return nullptr;
    Mix_Chunk* chunk = nullptr;
    if (SDL_AudioStreamPut(stream, pcm, static_cast<int>(bytes)) == 0 &&
        SDL_AudioStreamFlush(stream) == 0) {
        int size = SDL_AudioStreamAvailable(stream);
        auto* samples = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(size)));
        chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
        if (samples && chunk && SDL_AudioStreamGet(stream, samples, size) == size) {
            // allocated = 1: Mix_FreeChunk frees the samples with the chunk.
            *chunk = {1, samples, static_cast<Uint32>(size), MIX_MAX_VOLUME};
        } else {
            SDL_free(samples);
            SDL_free(chunk);
            chunk = nullptr;
        }
    }
    SDL_FreeAudioStream(stream);
    return chunk;
}

} // namespace

bool HostOpenSound() {
    if (SoundOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) return false;
    Uint16 format;
    Mix_QuerySpec(&DeviceRate, &format, &DeviceChannels);
    DeviceFormat = format;
    Mix_AllocateChannels(32);
    SoundOpen = true;
    return true;
}

int HostMakeVoice(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int sampleRate,
                  int channels) {
    if (!SoundOpen || sampleRate <= 0 || channels < 1 || channels > 2) return 0;
    if (bitsPerSample != 8 && bitsPerSample != 16) return 0;
    SDL_AudioFormat format = bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    // A clip that ends inside a sample frame loses the broken frame.
    uint32_t frame = static_cast<uint32_t>(bitsPerSample / 8 * channels);
    Mix_Chunk* chunk = Convert(pcm, bytes - bytes % frame, format, sampleRate, channels);
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
    Mix_FreeChunk(v->chunk);
    v->chunk = nullptr;
}
