// Reading clip images, and the cue rules: one voice per clip, a sounding clip drops its cue.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/flow.h"
#include "boot.h"
#include "platform/sound.h"
#include "tools/sim/sim.h"

namespace {

void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
}
void Chunk(std::string& s, const char* id, const std::string& body) {
    s += id;
    Put32(s, static_cast<uint32_t>(body.size()));
    s += body;
    if (body.size() & 1) s += '\0';
}
std::string Fmt(int bytes) {
    std::string f = std::string("\x01\x00\x01\x00", 4);
    Put32(f, 11025);
    Put32(f, 11025);
    f += std::string("\x01\x00\x08\x00", 4);
    f.resize(static_cast<size_t>(bytes), '\0');
    return f;
}
std::string Riff(const std::string& chunks) {
    std::string s = "RIFF";
    Put32(s, static_cast<uint32_t>(4 + chunks.size()));
    return s + "WAVE" + chunks;
}

struct Parsed {
    int ok;
    const uint8_t* format;
    uint32_t formatBytes;
    const uint8_t* samples;
    uint32_t sampleBytes;
};
Parsed Parse(const std::string& image) {
    Parsed p{};
    p.ok = ParseWaveImage(reinterpret_cast<const uint8_t*>(image.data()), image.size(), &p.format,
                          &p.formatBytes, &p.samples, &p.sampleBytes);
    return p;
}

size_t Starts(int clipId) {
    size_t n = 0;
    for (const HeadlessVoiceEvent& e : HeadlessVoiceLog())
        n += e.started && ClipIdOfVoice(e.voice) == clipId;
    return n;
}

} // namespace

TEST(WaveImage, FindsFormatAndDataAcrossOtherChunks) {
    std::string chunks;
    Chunk(chunks, "fmt ", Fmt(18));
    Chunk(chunks, "fact", "\x10\x00\x00\x00");
    Chunk(chunks, "data", std::string(5, '\x80')); // odd: padded to the next even offset
    Chunk(chunks, "LIST", "INFOxxxx");
    const std::string image = Riff(chunks); // the parse points into it
    Parsed p = Parse(image);
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.formatBytes, 18u);
    EXPECT_EQ(p.sampleBytes, 5u);
    WaveFormat f = ReadWaveFormat(p.format, p.formatBytes);
    EXPECT_EQ(f.samplesPerSec, 11025);
    EXPECT_EQ(f.bitsPerSample, 8);

    std::string dataFirst;
    Chunk(dataFirst, "data", std::string(3, '\x80'));
    Chunk(dataFirst, "LIST", "abcd");
    Chunk(dataFirst, "fmt ", Fmt(16));
    EXPECT_EQ(Parse(Riff(dataFirst)).ok, 1); // the odd data length is stepped over
}

TEST(WaveImage, ShortFormatsAndHostileImagesFailWithoutReadingPastTheEnd) {
    std::string shortFmt;
    Chunk(shortFmt, "fmt ", Fmt(12));
    Chunk(shortFmt, "data", "ab");
    EXPECT_EQ(Parse(Riff(shortFmt)).ok, 0);

    std::string good;
    Chunk(good, "fmt ", Fmt(16));
    Chunk(good, "data", std::string(100, 'x'));
    std::string image = Riff(good);
    ASSERT_EQ(Parse(image).ok, 1);
    for (size_t cut = 0; cut < image.size(); ++cut) {
        Parsed p = Parse(image.substr(0, cut));
        EXPECT_EQ(p.ok, 0) << cut;
    }
    std::string longRiff = image;
    longRiff[4] = '\xFF'; // a RIFF length beyond the image
    EXPECT_EQ(Parse(longRiff).ok, 0);
    std::string hugeChunk = image;
    hugeChunk[16] = '\xF0'; // the "fmt " length runs off the end
    hugeChunk[19] = '\x7F';
    EXPECT_EQ(Parse(hugeChunk).ok, 0);
    std::string noData;
    Chunk(noData, "fmt ", Fmt(16));
    Parsed p = Parse(Riff(noData));
    EXPECT_EQ(p.ok, 0);
    EXPECT_EQ(p.sampleBytes, 0u);
    EXPECT_EQ(Parse("RIFX").ok, 0);
}

TEST(Cues, ACueWhoseClipStillSoundsIsDropped) {
    Boot();
    PlayCue(105);
    HeadlessAdvance(100);
    PlayCue(105); // the 189 ms swish is still sounding
    EXPECT_EQ(Starts(105), 1u);
    HeadlessAdvance(100);
    PlayCue(105);
    EXPECT_EQ(Starts(105), 2u);
}

TEST(Cues, TwoPlayersSwattingWithin189MsMakeOneSwish) {
    SimResult r =
        RunSim("key F2\nwait 3200\nbutton up\nwait 80\nbutton down\nhold CTRL\nwait 200\n", {});
    size_t swishes = 0;
    for (const TraceRow& row : r.rows)
        for (int cue : row.cues) swishes += cue == 105;
    EXPECT_EQ(swishes, 1u);
}

TEST(Cues, WithoutASoundDeviceEverythingIsSilent) {
    Boot([] { HeadlessFault().noSound = true; });
    EXPECT_EQ(soundOn, 0);
    PlayCue(105);
    StopTitleMusic();
    StartTitleMusic();
    ReleaseSoundBank();
    EXPECT_TRUE(HeadlessVoiceLog().empty());
    for (SoundClip* clip : SoundBank) EXPECT_EQ(clip, nullptr);
}

TEST(Cues, TheTitleMusicLoopsAndStopsWithTheBank) {
    Boot();
    ASSERT_NE(TitleClip, nullptr);
    EXPECT_EQ(Starts(134), 1u);
    HeadlessAdvance(60000); // twice its length: still looping
    ASSERT_FALSE(TitleClip->voice.empty());
    EXPECT_TRUE(HostVoicePlaying(TitleClip->voice[0]));
    int title = TitleClip->voice[0];
    ReleaseSoundBank(); // Escape on the title
    EXPECT_EQ(TitleClip, nullptr);
    EXPECT_FALSE(HostVoicePlaying(title));
    for (SoundClip* clip : SoundBank) EXPECT_EQ(clip, nullptr);
    ReleaseSoundBank(); // a second quit finds nothing left
}

TEST(Cues, AMissingClipIsSilentAndTheRestStillPlay) {
    Boot([] { HeadlessFault().missingResources = {{"WAV", 118}}; });
    PlayCue(118);
    PlayCue(123);
    EXPECT_EQ(Starts(118), 0u);
    EXPECT_EQ(Starts(123), 1u);
}
