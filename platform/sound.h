// Sound clips and cues: the bank of 19 effects, the looping title music.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample; // present when the "fmt " body has 16 bytes or more
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
int ParseWaveImage(const uint8_t* image, size_t size, const WaveFormat** format,
                   const uint8_t** samples, uint32_t* sampleBytes, uint32_t* formatBytes = nullptr);
constexpr uint32_t DSBPLAY_LOOPING = 1;
