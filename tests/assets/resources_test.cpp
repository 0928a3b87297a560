// The program carries every resource it looks up, in the formats it reads them.
#include <gtest/gtest.h>

#include "assets/assets.h"
#include "platform/dib.h"
#include "platform/host/resources.h"
#include "platform/sound.h"

TEST(Resources, SheetIconAndEveryClipAreCompiledIn) {
    const EmbeddedResource* sheet = FindEmbeddedResource("BIN", 101);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->size, 308280u);
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(sheet->bytes, sheet->size));
    EXPECT_EQ(dib.Width(), 320);
    EXPECT_EQ(dib.Height(), 960);
    EXPECT_EQ(dib.BitsSize(), 307202u);
    EXPECT_NE(FindEmbeddedResource("ICON", 129), nullptr);
    for (const ClipFormat& clip : ClipFormats) {
        const EmbeddedResource* r = FindEmbeddedResource("WAV", clip.id);
        ASSERT_NE(r, nullptr) << clip.id;
        const uint8_t *format, *samples;
        uint32_t formatBytes, sampleBytes;
        ASSERT_TRUE(ParseWaveImage(r->bytes, r->size, &format, &formatBytes, &samples, &sampleBytes))
            << clip.id;
        WaveFormat f = ReadWaveFormat(format, formatBytes);
        EXPECT_EQ(f.formatTag, 1) << clip.id;
        EXPECT_EQ(f.channels, 1) << clip.id;
        EXPECT_EQ(f.bitsPerSample, clip.bits) << clip.id;
        EXPECT_EQ(f.samplesPerSec, clip.rate) << clip.id;
        EXPECT_EQ(sampleBytes, static_cast<uint32_t>(clip.dataBytes)) << clip.id;
    }
    EXPECT_EQ(FindEmbeddedResource("WAV", 999), nullptr);
}
