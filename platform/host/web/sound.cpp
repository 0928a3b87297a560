// The voices of the web host: each clip decoded once from its PCM into an AudioBuffer at its
// own rate; every play is a new source node on it. "Still playing" is the clip's length on the
// page's clock, so it holds even before the browser lets the sound start.
#include "platform/host/web/web.h"

// The page's side, in sound.js. Voices are handles from 1; 0 is none.
extern "C" {
// 1 once the page has a sound context.
int OpenAudio();
int MakeVoice(const uint8_t* pcm, uint32_t bytes, int bits, int rate, int channels);
// A loop flag below 0 keeps the voice's own.
void PlayVoice(int voice, int looped);
void StopVoice(int voice);
int VoicePlaying(int voice);
void ReleaseVoice(int voice);
}

bool HostOpenSound() {
    return OpenAudio();
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
