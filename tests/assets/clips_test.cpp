// The clips as the build wrote them: the layout every player of RIFF files expects, the
// exact lengths the game times its cues by, and samples that neither click nor clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "assets/synth.h"
#include "assets/wave.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes ReadClip(int id) {
    return ReadBytes(std::string(ASSET_DIR) + "/wav" + std::to_string(id) + ".wav");
}

uint32_t Le16(const Bytes& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8);
}
uint32_t Le32(const Bytes& b, size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}
std::string Tag(const Bytes& b, size_t at) {
    return std::string(b.begin() + long(at), b.begin() + long(at) + 4);
}

struct Chunk {
    std::string id;
    size_t body;
    uint32_t length;
};

// Walks the chunks as every RIFF reader does, each starting on an even offset. An empty
// list means the walk ran off the end of the file.
std::vector<Chunk> Chunks(const Bytes& file) {
    std::vector<Chunk> chunks;
    size_t at = 12;
    while (at + 8 <= file.size()) {
        Chunk c{Tag(file, at), at + 8, Le32(file, at + 4)};
        if (c.body + c.length > file.size()) return {};
        chunks.push_back(c);
        at = c.body + c.length + (c.length & 1);
    }
    if (at != file.size()) return {};
    return chunks;
}

const Chunk* Find(const std::vector<Chunk>& chunks, const std::string& id) {
    for (const Chunk& c : chunks)
        if (c.id == id) return &c;
    return nullptr;
}

// Samples as signed values around 0, with their full scale; 8-bit data is stored around 128.
struct Samples {
    std::vector<int> values;
    int full;
};

Samples ReadSamples(const Bytes& file, int bits) {
    const std::vector<Chunk> chunks = Chunks(file);
    const Chunk* data = Find(chunks, "data");
    Samples s{{}, bits == 8 ? 128 : 32768};
    if (!data) return s;
    if (bits == 8) {
        for (uint32_t i = 0; i < data->length; ++i) s.values.push_back(file[data->body + i] - 128);
    } else {
        for (uint32_t i = 0; i + 1 < data->length; i += 2)
            s.values.push_back(int16_t(Le16(file, data->body + i)));
    }
    return s;
}

constexpr int TitleTuneId = 134;

} // namespace

TEST(ClipFiles, EveryClipHasItsFormatAndExactLength) {
    for (const ClipFormat& clip : ClipFormats) {
        SCOPED_TRACE("WAV " + std::to_string(clip.id));
        Bytes file = ReadClip(clip.id);
        ASSERT_GE(file.size(), 44u);
        EXPECT_EQ(Tag(file, 0), "RIFF");
        EXPECT_EQ(Tag(file, 8), "WAVE");
        EXPECT_EQ(Le32(file, 4), file.size() - 8);

        std::vector<Chunk> chunks = Chunks(file);
        ASSERT_FALSE(chunks.empty()) << "the chunk walk does not end at the end of the file";
        const Chunk* fmt = Find(chunks, "fmt ");
        const Chunk* data = Find(chunks, "data");
        ASSERT_TRUE(fmt && data);
        EXPECT_EQ(chunks.front().id, "fmt ");
        ASSERT_GE(fmt->length, 16u);
        uint32_t block = uint32_t(clip.bits / 8);
        EXPECT_EQ(Le16(file, fmt->body), 1u);     // PCM
        EXPECT_EQ(Le16(file, fmt->body + 2), 1u); // mono
        EXPECT_EQ(Le32(file, fmt->body + 4), uint32_t(clip.rate));
        EXPECT_EQ(Le32(file, fmt->body + 8), uint32_t(clip.rate) * block); // bytes a second
        EXPECT_EQ(Le16(file, fmt->body + 12), block);
        EXPECT_EQ(Le16(file, fmt->body + 14), uint32_t(clip.bits));
        EXPECT_EQ(data->length, uint32_t(clip.dataBytes));
    }
}

TEST(ClipFiles, ExtraChunksSitWhereTheGameMustStepOverThem) {
    int named = 0;
    for (const ClipFormat& clip : ClipFormats) {
        SCOPED_TRACE("WAV " + std::to_string(clip.id));
        Bytes file = ReadClip(clip.id);
        std::vector<Chunk> chunks = Chunks(file);
        ASSERT_FALSE(chunks.empty());
        std::vector<std::string> order;
        for (const Chunk& c : chunks) order.push_back(c.id);

        if (clip.id == TitleTuneId) {
            // An 18-byte format with an empty extension, then the sample count, then data.
            ASSERT_EQ(order, (std::vector<std::string>{"fmt ", "fact", "data"}));
            EXPECT_EQ(chunks[0].length, 18u);
            EXPECT_EQ(Le16(file, chunks[0].body + 16), 0u);
            EXPECT_EQ(chunks[1].length, 4u);
            EXPECT_EQ(Le32(file, chunks[1].body), uint32_t(clip.dataBytes));
        } else if (order.size() == 3) {
            // A name after the samples: the game has what it needs before it gets there.
            ASSERT_EQ(order, (std::vector<std::string>{"fmt ", "data", "LIST"}));
            EXPECT_EQ(chunks[0].length, 16u);
            const Chunk& list = chunks[2];
            ASSERT_GE(list.length, 14u);
            EXPECT_EQ(Tag(file, list.body), "INFO");
            EXPECT_EQ(Tag(file, list.body + 4), "INAM");
            uint32_t nameLength = Le32(file, list.body + 8);
            EXPECT_GT(nameLength, 1u);
            EXPECT_EQ(file[list.body + 12 + nameLength - 1], 0) << "the name ends in a NUL";
            ++named;
        } else {
            EXPECT_EQ(order, (std::vector<std::string>{"fmt ", "data"}));
            EXPECT_EQ(chunks[0].length, 16u);
        }
    }
    EXPECT_EQ(named, 1) << "exactly one clip carries a LIST chunk";
}

TEST(ClipFiles, OddDataLengthIsPaddedAndCountedInTheRiffLength) {
    Bytes file = ReadClip(115);
    std::vector<Chunk> chunks = Chunks(file);
    const Chunk* data = Find(chunks, "data");
    ASSERT_TRUE(data);
    ASSERT_EQ(data->length, 5759u);
    // The walk ends exactly at the file's end only when the pad byte is there.
    ASSERT_EQ(file.size(), data->body + 5760);
    EXPECT_EQ(file.back(), 0);
    EXPECT_EQ(Le32(file, 4), file.size() - 8);
}

TEST(ClipSamples, CentredAudibleAndNeverPinned) {
    for (const ClipFormat& clip : ClipFormats) {
        SCOPED_TRACE("WAV " + std::to_string(clip.id));
        Samples s = ReadSamples(ReadClip(clip.id), clip.bits);
        ASSERT_EQ(s.values.size(), size_t(clip.dataBytes / (clip.bits / 8)));
        double sum = 0, squares = 0;
        int pinned = 0, longestPinned = 0;
        for (int v : s.values) {
            sum += v;
            squares += double(v) * v;
            pinned = (v <= -s.full || v >= s.full - 1) ? pinned + 1 : 0;
            longestPinned = std::max(longestPinned, pinned);
        }
        double n = double(s.values.size());
        EXPECT_LT(std::abs(sum / n), 0.01 * s.full) << "offset from the midpoint";
        EXPECT_GT(std::sqrt(squares / n), 0.05 * s.full) << "too quiet to hear";
        EXPECT_LT(longestPinned, 2) << "samples pinned at full scale";
    }
}

TEST(ClipSamples, EffectsStartAndEndInSilence) {
    // A clip that starts or stops away from the midpoint clicks, and 112 and 113 follow
    // themselves back to back for as long as their cue keeps firing.
    for (const ClipFormat& clip : ClipFormats) {
        if (clip.id == TitleTuneId) continue;
        SCOPED_TRACE("WAV " + std::to_string(clip.id));
        Samples s = ReadSamples(ReadClip(clip.id), clip.bits);
        ASSERT_FALSE(s.values.empty());
        EXPECT_LE(std::abs(s.values.front()), s.full / 64);
        EXPECT_LE(std::abs(s.values.back()), s.full / 64);
    }
}

TEST(ClipSamples, TitleTuneLoopsWithoutAStepAtTheSeam) {
    Samples s = ReadSamples(ReadClip(TitleTuneId), 8);
    ASSERT_GT(s.values.size(), 2u);
    // The seam's step must look like any other step of the tune, not like an edge.
    std::vector<int> steps;
    for (size_t i = 1; i < s.values.size(); ++i)
        steps.push_back(std::abs(s.values[i] - s.values[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 9 / 10), steps.end());
    int typical = steps[steps.size() * 9 / 10];
    EXPECT_LE(std::abs(s.values.back() - s.values.front()), std::max(typical, 3));
}

TEST(ClipGenerator, WritesTheSameBytesEveryTime) {
    for (int id : {105, 118, 121, TitleTuneId}) {
        SCOPED_TRACE("WAV " + std::to_string(id));
        std::string path = testing::TempDir() + "/clip" + std::to_string(id) + ".wav";
        ASSERT_TRUE(WriteClip(id, path));
        EXPECT_EQ(ReadBytes(path), ReadClip(id));
    }
    EXPECT_FALSE(WriteClip(999, testing::TempDir() + "/clip999.wav"));
}

TEST(ClipSynth, BandLimitedWavesCarryNoOffset) {
    // Narrow pulses are lopsided; left as they are they would push every clip off centre.
    for (double duty : {0.125, 0.25, 0.5, 0.0}) {
        SCOPED_TRACE(duty);
        Phase phase;
        double sum = 0, loudest = 0;
        constexpr int Count = 11127;
        for (int i = 0; i < Count; ++i) {
            Advance(phase, 220, 11127);
            double v = duty == 0.0 ? Saw(phase) : Pulse(phase, duty);
            sum += v;
            loudest = std::max(loudest, std::abs(v));
        }
        EXPECT_LT(std::abs(sum / Count), 0.01);
        EXPECT_LT(loudest, 2.0);
    }
}

TEST(ClipSynth, FilterStaysStableWhateverItsCutoff) {
    Noise noise{1};
    Svf svf;
    double loudest = 0;
    for (int i = 0; i < 22050; ++i) {
        double hz = Glide(20, 11025, double(i % 2205) / 2205);
        SvfOut out = Filter(svf, NextNoise(noise), hz, 8, 22050);
        loudest = std::max({loudest, std::abs(out.low), std::abs(out.band), std::abs(out.high)});
    }
    EXPECT_TRUE(std::isfinite(loudest));
    EXPECT_LT(loudest, 50);
}

TEST(ClipSynth, ALoopCarriesANoteTailRoundToItsStart) {
    constexpr Instrument Beep = {Wave::Triangle, 0, {0.001, 0, 1, 0.02}};
    for (bool loops : {true, false}) {
        SCOPED_TRACE(loops);
        Sound sound = MakeSound(8000, 800, loops);
        PlayNote(sound, Beep, A4, 0.09, 0.03, 1); // sounds on 40 ms past the end
        double head = 0;
        for (int i = 0; i < 160; ++i) head = std::max(head, std::abs(sound.samples[size_t(i)]));
        if (loops)
            EXPECT_GT(head, 0.5);
        else
            EXPECT_EQ(head, 0);
    }
}

TEST(ClipSynth, FinishSoftensLoudEdgesAndSetsThePeak) {
    Sound sound = MakeSound(11127, 2000);
    Phase phase;
    for (double& s : sound.samples) {
        Advance(phase, 300, sound.rate);
        s = 3 + 2 * Sine(phase); // far off centre and past full scale
    }
    Finish(sound);
    double loudest = 0, sum = 0;
    for (double s : sound.samples) {
        loudest = std::max(loudest, std::abs(s));
        sum += s;
    }
    EXPECT_NEAR(loudest, 0.9, 1e-9);
    EXPECT_LT(std::abs(sound.samples.front()), 0.01);
    EXPECT_LT(std::abs(sound.samples.back()), 0.01);
    EXPECT_LT(std::abs(sum / double(Length(sound))), 0.05);
}

TEST(ClipSynth, EncodingClampsRatherThanWrapsAround) {
    // A sample past full scale that wrapped would turn a loud peak into a crack.
    const std::vector<double> samples = {0, 1.5, -1.5, 1, -1};
    Bytes eight = EncodeWave(8, 11025, samples, {});
    ASSERT_EQ(eight.size(), 44u + 5 + 1);
    EXPECT_EQ(Bytes(eight.begin() + 44, eight.begin() + 49), (Bytes{128, 255, 1, 255, 1}));
    Bytes sixteen = EncodeWave(16, 22050, samples, {});
    ASSERT_EQ(sixteen.size(), 44u + 10);
    std::vector<int> values;
    for (size_t at = 44; at < sixteen.size(); at += 2) values.push_back(int16_t(Le16(sixteen, at)));
    EXPECT_EQ(values, (std::vector<int>{0, 32767, -32767, 32767, -32767}));
}
