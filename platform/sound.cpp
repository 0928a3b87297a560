#include "platform/sound.h"

#include <cstring>
#include <new>
#include <utility>

#include "app/flow.h"
#include "platform/host/host.h"

SoundClip* SoundBank[BankSize] = {};
SoundClip* TitleClip = nullptr;
int soundOn = 0;

namespace {

constexpr int TitleMusicId = 134;

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
int Read16(const uint8_t* p) { return p[0] | p[1] << 8; }

bool FindWaveResource(int id, const uint8_t** bytes, size_t* size) {
    return HostFindResource("WAV", id, bytes, size);
}

// One playable voice of a clip's resource; 0 when the resource has no usable format or data.
int MakeClipBuffer(int id) {
    const uint8_t* image;
    size_t size;
    if (!FindWaveResource(id, &image, &size)) return 0;
    const uint8_t* format;
    uint32_t formatBytes, sampleBytes;
    const uint8_t* samples;
    ParseWaveImage(image, size, &format, &formatBytes, &samples, &sampleBytes);
    if (!format || !samples || sampleBytes == 0) return 0;
    WaveFormat f = ReadWaveFormat(format, formatBytes);
    if (f.formatTag != 1 || (f.bitsPerSample != 8 && f.bitsPerSample != 16)) return 0;
    return HostMakeVoice(samples, sampleBytes, f.bitsPerSample, f.samplesPerSec, f.channels);
}

} // namespace

WaveFormat ReadWaveFormat(const uint8_t* body, uint32_t bytes) {
    WaveFormat f{};
    if (!body || bytes < 14) return f;
    f.formatTag = Read16(body);
    f.channels = Read16(body + 2);
    f.samplesPerSec = static_cast<int>(Read32(body + 4));
    if (bytes >= 16) f.bitsPerSample = Read16(body + 14);
    return f;
}

int ParseWaveImage(const uint8_t* image, size_t size, const uint8_t** format,
                   uint32_t* formatBytes, const uint8_t** samples, uint32_t* sampleBytes) {
    if (format) *format = nullptr;
    if (formatBytes) *formatBytes = 0;
    if (samples) *samples = nullptr;
    if (sampleBytes) *sampleBytes = 0;
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) != 0 ||
        std::memcmp(image + 8, "WAVE", 4) != 0)
        return 0;
    // The walk stays inside both the RIFF length and the bytes really there.
    uint64_t end = 8 + uint64_t{Read32(image + 4)};
    if (end > size) return 0;
    bool formatFound = false, dataFound = false;
    for (uint64_t pos = 12;;) {
        if (pos + 8 > end) return 0;
        const uint8_t* chunk = image + pos;
        uint32_t length = Read32(chunk + 4);
        uint64_t body = pos + 8;
        if (body + length > end) return 0;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && format && !formatFound) {
            if (length < 14) return 0;
            *format = image + body;
            if (formatBytes) *formatBytes = length;
            formatFound = true;
            if (dataFound || (!samples && !sampleBytes)) return 1;
        } else if (std::memcmp(chunk, "data", 4) == 0 && (samples || sampleBytes) && !dataFound) {
            if (samples) *samples = image + body;
            if (sampleBytes) *sampleBytes = length;
            dataFound = true;
            if (formatFound || !format) return 1;
        }
        pos = body + length + (length & 1);
        if (pos >= end) return 0;
    }
}

SoundClip* CreateSoundClip(int id, int voices) {
    if (voices < 1) voices = 1;
    auto* clip = new (std::nothrow) SoundClip{};
    if (!clip) return nullptr;
    clip->voices = voices;
    clip->voice.assign(static_cast<size_t>(voices), 0);
    const uint8_t* image;
    size_t size;
    if (!FindWaveResource(id, &image, &size)) return clip;
    ParseWaveImage(image, size, nullptr, nullptr, &clip->samples, &clip->sampleBytes);
    for (int& v : clip->voice) {
        v = MakeClipBuffer(id);
        if (!v) {
            DestroySoundClip(clip);
            return nullptr;
        }
    }
    return clip;
}

void DestroySoundClip(SoundClip* clip) {
    if (!clip) return;
    for (int& v : clip->voice)
        if (v) HostReleaseVoice(std::exchange(v, 0));
    delete clip;
}

int NextFreeVoice(SoundClip* clip) {
    if (!clip) return 0;
    int v = clip->voice[static_cast<size_t>(clip->current)];
    if (!v) return 0;
    if (HostVoicePlaying(v)) {
        // A clip of one voice still sounding drops the request: cues never stack up.
        if (clip->voices < 2) return 0;
        clip->current = (clip->current + 1) % clip->voices;
        v = clip->voice[static_cast<size_t>(clip->current)];
        if (v && HostVoicePlaying(v)) {
            HostStopVoice(v);
            HostRewindVoice(v);
        }
    }
    return v;
}

void PlayClipOnce(SoundClip* clip) {
    if (int v = NextFreeVoice(clip)) HostPlayVoice(v, false);
}

void PlayClip(SoundClip* clip, uint32_t flags) {
    if (!clip) return;
    if ((flags & DSBPLAY_LOOPING) && clip->voices > 1) return;
    if (int v = NextFreeVoice(clip)) HostPlayVoice(v, flags & DSBPLAY_LOOPING);
}

int StopClip(SoundClip* clip) {
    if (!clip) return 0;
    for (int v : clip->voice) {
        if (!v) continue;
        HostStopVoice(v);
        HostRewindVoice(v);
    }
    return 1;
}

void LoadSoundBank() {
    if (!HostOpenSound()) {
        soundOn = 0;
        return;
    }
    for (int i = 0; i < BankSize; ++i) SoundBank[i] = CreateSoundClip(BankIds[i], 1);
    soundOn = 1;
}

void PlayCue(int wavId) {
    if (!soundOn) return;
    for (int i = 0; i < BankSize; ++i)
        if (BankIds[i] == wavId) PlayClipOnce(SoundBank[i]);
}

void StartTitleMusic() {
    if (!soundOn) return;
    TitleClip = CreateSoundClip(TitleMusicId, 1);
    PlayClip(TitleClip, DSBPLAY_LOOPING);
}

void StopTitleMusic() {
    if (!soundOn) return;
    StopClip(TitleClip);
    DestroySoundClip(TitleClip);
    TitleClip = nullptr;
}

void ReleaseSoundBank() {
    if (GameMode == Title) StopTitleMusic();
    for (SoundClip*& clip : SoundBank) DestroySoundClip(std::exchange(clip, nullptr));
}

int ClipIdOfVoice(int voice) {
    auto owns = [voice](const SoundClip* clip) {
        if (!clip) return false;
        for (int v : clip->voice)
            if (v == voice) return true;
        return false;
    };
    for (int i = 0; i < BankSize; ++i)
        if (owns(SoundBank[i])) return BankIds[i];
    return owns(TitleClip) ? TitleMusicId : 0;
}
