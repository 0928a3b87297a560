// Any bytes as a clip resource: the walk over its chunks stays inside them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so any read past the end is caught.
    std::vector<uint8_t> image(data, data + size);
    const uint8_t *format, *samples;
    uint32_t formatBytes, sampleBytes;
    if (ParseWaveImage(image.data(), image.size(), &format, &formatBytes, &samples, &sampleBytes)) {
        WaveFormat f = ReadWaveFormat(format, formatBytes);
        volatile int sink = f.channels;
        (void)sink;
        if (samples && sampleBytes) {
            volatile uint8_t last = samples[sampleBytes - 1];
            (void)last;
        }
    }
    ParseWaveImage(image.data(), image.size(), &format, &formatBytes, nullptr, nullptr);
    return 0;
}
