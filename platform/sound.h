// Sound clips and cues: the bank of 19 effects, the looping title music.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The fields of a "fmt " chunk the host needs to play a clip.
struct WaveFormat {
    int formatTag;
    int channels;
    int samplesPerSec;
    int bitsPerSample; // 0 when the chunk is too short to say
};

struct SoundClip {
    const uint8_t* samples;
    uint32_t sampleBytes;
    int voices;
    int current;
    std::vector<int> voice; // host voice handles; 0 is an empty slot
};

constexpr int BankSize = 19;
// The bank's clips in load order.
constexpr int BankIds[BankSize] = {112, 113, 114, 115, 116, 117, 105, 118, 133, 119,
                                   120, 121, 122, 123, 124, 125, 126, 127, 128};

extern SoundClip* SoundBank[BankSize];
extern SoundClip* TitleClip;
extern int soundOn;

void LoadSoundBank();
void PlayCue(int wavId);
void StartTitleMusic();
void StopTitleMusic();
void ReleaseSoundBank();

SoundClip* CreateSoundClip(int id, int voices);
void DestroySoundClip(SoundClip* clip);
void PlayClip(SoundClip* clip, uint32_t flags);
void PlayClipOnce(SoundClip* clip);
int StopClip(SoundClip* clip);
int NextFreeVoice(SoundClip* clip);
// Finds the format and the samples in a RIFF WAVE image of `size` bytes; never reads past it.
// `format` points at the "fmt " body, `formatBytes` gives its length.
int ParseWaveImage(const uint8_t* image, size_t size, const uint8_t** format,
                   uint32_t* formatBytes, const uint8_t** samples, uint32_t* sampleBytes);
WaveFormat ReadWaveFormat(const uint8_t* body, uint32_t bytes);
// The WAV id of the clip a host voice belongs to, 0 if none (for recording the cues).
int ClipIdOfVoice(int voice);
constexpr uint32_t DSBPLAY_LOOPING = 1;
