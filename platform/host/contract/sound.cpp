// The voices: every clip sounds for the length its header gives and says it plays for that long, a
// looped clip joins itself without a gap or a click, clips mix at their own rates, and a sound
// device that can't be had leaves nothing running.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/host/contract/contract.h"
#include "platform/sound.h"

namespace {

// A clip as the game embeds it: its samples, its format from its own header, and how long it
// plays.
struct Clip {
    int id, bits, rate, channels;
    const uint8_t* pcm;
    uint32_t bytes, ms;
};

constexpr int TitleMusic = 134;

Clip ClipOf(int id) {
    Clip c{id, 0, 0, 0, nullptr, 0, 0};
    const uint8_t* image = nullptr;
    size_t size = 0;
    EXPECT_TRUE(HostFindResource("WAV", id, &image, &size)) << id;
    const uint8_t* format = nullptr;
    uint32_t formatBytes = 0;
    EXPECT_EQ(ParseWaveImage(image, size, &format, &formatBytes, &c.pcm, &c.bytes), 1) << id;
    WaveFormat f = ReadWaveFormat(format, formatBytes);
    c.bits = f.bitsPerSample;
    c.rate = f.samplesPerSec;
    c.channels = f.channels;
    EXPECT_TRUE((c.bits == 8 || c.bits == 16) && c.channels == 1 && c.rate > 0) << id;
    if (c.bits >= 8 && c.rate > 0)
        c.ms = static_cast<uint32_t>(std::lround(c.bytes / (c.bits / 8) * 1000.0 / c.rate));
    return c;
}

// The mixer works in buffers of 1024 frames at 44100 Hz: a voice starts and ends on one.
constexpr uint32_t MixingBufferMs = 24;

int MakeClip(const Clip& clip) {
    return HostMakeVoice(clip.pcm, clip.bytes, clip.bits, clip.rate, clip.channels);
}

// One sample of a clip as 16-bit.
int SampleOf(const Clip& clip, uint32_t i) {
    if (clip.bits == 8) return (clip.pcm[i] - 128) * 256;
    return static_cast<int16_t>(clip.pcm[2 * i] | clip.pcm[2 * i + 1] << 8);
}

// Milliseconds from the first to the last sample at least `floor` loud.
double AudibleMs(const std::vector<int>& samples, int rate, int floor) {
    auto loud = [floor](int v) { return std::abs(v) >= floor; };
    auto first = std::find_if(samples.begin(), samples.end(), loud);
    auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
    if (first == samples.end()) return 0;
    return static_cast<double>(samples.rend() - last - (first - samples.begin())) * 1000 / rate;
}

// Two 8-bit steps: the quietest sound every clip format can make for sure.
constexpr int Floor = 512;

// Where the first sample at least `Floor` loud lies; the size when there is none.
size_t FirstLoud(const std::vector<int>& mix) {
    auto loud = std::find_if(mix.begin(), mix.end(), [](int v) { return std::abs(v) >= Floor; });
    return static_cast<size_t>(loud - mix.begin());
}

std::vector<int> ClipAsHeard(const Clip& clip) {
    std::vector<int> v(clip.bytes / static_cast<uint32_t>(clip.bits / 8));
    for (uint32_t i = 0; i < v.size(); ++i) v[i] = SampleOf(clip, i);
    return v;
}

std::vector<int> PlayedSince(size_t mark, int* rate) {
    std::vector<int16_t> played;
    EXPECT_TRUE(RigPlayed(&played, rate));
    if (played.size() < mark) return {};
    return {played.begin() + static_cast<long>(mark), played.end()};
}

bool HearsTheMix() {
    std::vector<int16_t> played;
    int rate;
    return RigPlayed(&played, &rate);
}

// The mix since `mark` once it holds `ms` after its first sound and a quarter of a second
// more, or what it holds when that is three seconds overdue: on a busy machine a sound device
// can play behind the program's clock.
std::vector<int> PlayedOut(size_t mark, uint32_t ms, int* rate) {
    for (uint32_t waited = 0;; waited += 50) {
        std::vector<int> mix = PlayedSince(mark, rate);
        size_t start = FirstLoud(mix);
        if (start < mix.size() &&
            mix.size() >= start + (ms + 250) * static_cast<size_t>(*rate) / 1000)
            return mix;
        if (waited >= ms + 3000) return mix;
        Pass(50);
    }
}

size_t PlayedSoFar() {
    std::vector<int16_t> played;
    int rate;
    return RigPlayed(&played, &rate) ? played.size() : 0;
}

// Plays a clip once; returns how long it said it was playing, in milliseconds.
uint32_t PlayOnce(int voice, uint32_t limitMs) {
    uint32_t start = GetTickCount();
    HostPlayVoice(voice, false);
    while (HostVoicePlaying(voice) && GetTickCount() - start < limitMs) Pass(2);
    return GetTickCount() - start;
}

// Each clip is played alone: it says it plays for at least its own length, less a buffer
// and the pace of the device's own clock (SDL's disk driver runs up to a few percent off on a
// busy machine), and it does stop (a stalled machine can add a lot); where the mix can be
// heard, all of it is heard: from its first sound to its last, as long as the clip's own.
void ExpectHeardWhole(const Clip& row) {
    SCOPED_TRACE(row.id);
    int voice = MakeClip(row);
    ASSERT_GT(voice, 0);
    size_t mark = PlayedSoFar();
    uint32_t said = PlayOnce(voice, row.ms + 2000);
    EXPECT_GE(said + MixingBufferMs + row.ms / 100, row.ms);
    EXPECT_LE(said, row.ms + row.ms / 20 + 500) << "a clip that would not stop";
    if (!HearsTheMix()) return;
    int rate;
    std::vector<int> heard = PlayedOut(mark, row.ms, &rate);
    double want = AudibleMs(ClipAsHeard(row), row.rate, Floor);
    // The faint ends of a clip cross the floor a few milliseconds apart at another rate; a lost
    // tail of the resampler's is 512 source frames, 11 to 46 ms.
    EXPECT_NEAR(AudibleMs(heard, rate, Floor), want, 8.0);
}

} // namespace

TEST_F(HostContract, EveryEffectSoundsForItsOwnLength) {
    ASSERT_TRUE(HostOpenSound());
    for (int id : BankIds) ExpectHeardWhole(ClipOf(id));
}

TEST_F(HostContract, TheTitleMusicSoundsForItsOwnLength) {
    ASSERT_TRUE(HostOpenSound());
    ExpectHeardWhole(ClipOf(TitleMusic));
}

// Looped, the title music comes round again after exactly its own length, and the seam is no
// louder a step than the music makes anywhere else: no gap, no click.
TEST_F(HostContract, ALoopedClipJoinsItselfWithoutAGapOrAClick) {
    const Clip title = ClipOf(TitleMusic);
    ASSERT_TRUE(HostOpenSound());
    if (!HearsTheMix()) GTEST_SKIP() << "this host keeps its voices' time but mixes no samples";
    int voice = MakeClip(title);
    ASSERT_GT(voice, 0);
    size_t mark = PlayedSoFar();
    HostPlayVoice(voice, true);
    int rate;
    PlayedSince(mark, &rate);
    // The length in device frames is the clip's, rounded to the nearest frame.
    const auto frames = uint64_t{title.bytes} * 8 / static_cast<uint64_t>(title.bits);
    const auto period = static_cast<size_t>(
        (frames * static_cast<uint64_t>(rate) + static_cast<uint64_t>(title.rate / 2)) /
        static_cast<uint64_t>(title.rate));
    // A loop and a bit. The disk driver's clock runs some percent slow on a busy machine: the
    // test waits for the samples, not for the time they would take on an idle one.
    Pass(title.ms);
    std::vector<int> mix;
    size_t start = 0;
    for (uint32_t waited = 0; waited < title.ms; waited += 250) {
        Pass(250);
        mix = PlayedSince(mark, &rate);
        start = FirstLoud(mix);
        if (start < mix.size() &&
            mix.size() > start + period + 4096 + static_cast<size_t>(rate) / 4)
            break;
    }
    EXPECT_TRUE(HostVoicePlaying(voice));
    HostStopVoice(voice);
    ASSERT_LT(start, mix.size());
    ASSERT_GT(mix.size(), start + period + 4096) << "the mix holds less than a loop and a bit";
    // A clip starting with silence could make `start` late; compare a stretch well inside.
    for (size_t k = 0; k < 4096; ++k)
        ASSERT_EQ(mix[start + k], mix[start + period + k]) << "at " << k;
    int steepest = 0;
    for (size_t i = start + 1; i < start + period - 64; ++i)
        steepest = std::max(steepest, std::abs(mix[i] - mix[i - 1]));
    size_t seam = start + period;
    for (size_t i = seam - 64; i < seam + 64; ++i)
        EXPECT_LE(std::abs(mix[i] - mix[i - 1]), steepest) << "a click at the seam, " << i;
    // Walking back from the seam, the music is there right up to it.
    int loudest = 0;
    for (size_t i = seam - rate / 100; i < seam; ++i) loudest = std::max(loudest, std::abs(mix[i]));
    EXPECT_GE(loudest, Floor) << "a gap before the seam";
}

namespace {

// A tone of `hz` as the clip's samples at `rate`, at a fifth of full scale.
std::vector<uint8_t> Tone(double hz, int rate, int bits, double seconds) {
    std::vector<uint8_t> pcm;
    auto n = static_cast<int>(seconds * rate);
    for (int i = 0; i < n; ++i) {
        double v = 0.2 * std::sin(2 * std::numbers::pi * hz * i / rate);
        if (bits == 8) {
            pcm.push_back(static_cast<uint8_t>(std::lround(128 + 127 * v)));
        } else {
            auto s = static_cast<int16_t>(std::lround(32767 * v));
            pcm.push_back(static_cast<uint8_t>(s & 0xFF));
            pcm.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
        }
    }
    return pcm;
}

// The amplitude of one frequency in a stretch of the mix, as a share of full scale
// (a Goertzel filter over a Hann window).
double Amplitude(const std::vector<int>& mix, size_t from, size_t n, double hz, int rate) {
    double w = 2 * std::numbers::pi * hz / rate, c = 2 * std::cos(w), s1 = 0, s2 = 0;
    for (size_t i = 0; i < n; ++i) {
        double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) /
                                           static_cast<double>(n - 1));
        double s0 = hann * mix[from + i] / 32768.0 + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    double power = s1 * s1 + s2 * s2 - c * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / (static_cast<double>(n) * 0.5);
}

} // namespace

// Four clips at once, each at its own rate: the very same bytes at 11025 and at 11127 Hz are
// two tones 0.9% apart, and clips at 22050 and 44100 Hz keep their pitch too.
TEST_F(HostContract, ClipsMixAtOnceEachAtItsOwnRate) {
    ASSERT_TRUE(HostOpenSound());
    if (!HearsTheMix()) GTEST_SKIP() << "this host keeps its voices' time but mixes no samples";
    struct Voice {
        std::vector<uint8_t> pcm;
        int bits, rate;
        double heardHz;
    };
    std::vector<uint8_t> low = Tone(1000, 11025, 8, 1.5);
    Voice voices[] = {{low, 8, 11025, 1000},
                      {low, 8, 11127, 1000.0 * 11127 / 11025},
                      {Tone(2500, 22050, 16, 1.5), 16, 22050, 2500},
                      {Tone(6000, 44100, 16, 1.5), 16, 44100, 6000}};
    std::vector<int> handles;
    for (Voice& v : voices) {
        handles.push_back(
            HostMakeVoice(v.pcm.data(), static_cast<uint32_t>(v.pcm.size()), v.bits, v.rate, 1));
        ASSERT_GT(handles.back(), 0);
    }
    size_t mark = PlayedSoFar();
    for (int h : handles) HostPlayVoice(h, false);
    int rate;
    std::vector<int> mix = PlayedOut(mark, 1200, &rate);
    size_t start = FirstLoud(mix);
    size_t n = static_cast<size_t>(rate); // one second: tones a hertz apart stand apart
    ASSERT_GE(mix.size(), start + static_cast<size_t>(rate) / 10 + n);
    size_t from = start + static_cast<size_t>(rate) / 10;
    for (const Voice& v : voices) {
        SCOPED_TRACE(v.heardHz);
        EXPECT_NEAR(Amplitude(mix, from, n, v.heardHz, rate), 0.2, 0.03);
    }
    // Nothing between the two low tones: neither was played at the other's rate.
    EXPECT_LT(Amplitude(mix, from, n, 1004.6, rate), 0.02);
}

// Stop silences a voice at once; a voice rewound while it sounds starts again from its
// beginning and sounds its whole length from there, as the old buffers did; a stopped voice
// plays again from the beginning.
TEST_F(HostContract, StopAndRewindActAsTheOldBuffersDid) {
    const Clip arrival = ClipOf(116); // a long one, near two seconds
    ASSERT_TRUE(HostOpenSound());
    int voice = MakeClip(arrival);
    ASSERT_GT(voice, 0);
    HostPlayVoice(voice, false);
    Pass(500);
    HostRewindVoice(voice);
    uint32_t rewound = GetTickCount();
    Pass(arrival.ms - 150);
    EXPECT_TRUE(HostVoicePlaying(voice)) << "the rewind did not start the voice again";
    Pass(150 + 2 * MixingBufferMs + arrival.ms / 20 + 100);
    EXPECT_FALSE(HostVoicePlaying(voice)) << GetTickCount() - rewound << " ms after the rewind";
    HostPlayVoice(voice, false);
    Pass(100);
    EXPECT_TRUE(HostVoicePlaying(voice));
    HostStopVoice(voice);
    EXPECT_FALSE(HostVoicePlaying(voice));
    HostRewindVoice(voice); // a stopped voice stays stopped
    EXPECT_FALSE(HostVoicePlaying(voice));
    HostReleaseVoice(voice);
    EXPECT_FALSE(HostVoicePlaying(voice));
}

// A sound device that can't be had: no sound, and nothing of the audio system left running.
TEST_F(HostContract, AFailedSoundDeviceLeavesNothingRunning) {
    RigFailSoundDevice();
    EXPECT_FALSE(HostOpenSound());
    EXPECT_EQ(HostMakeVoice(reinterpret_cast<const uint8_t*>("\x80\x80"), 2, 8, 11025, 1), 0);
    bool running = true;
    if (!RigAudioRunning(&running)) GTEST_SKIP() << "this host has no audio system to look at";
    EXPECT_FALSE(running);
}
