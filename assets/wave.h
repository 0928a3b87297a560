// Packs synthesised samples into RIFF WAVE files: PCM, one channel, 8 or 16 bits.
#pragma once

#include <cstdint>
#include <vector>

// The chunks a clip carries beyond the plain 16-byte "fmt " and the "data".
struct WaveLayout {
    // An 18-byte "fmt " (cbSize 0) followed by a "fact" chunk, as some editors write them.
    bool extendedFormat = false;
    // When set, a trailing "LIST" INFO chunk naming the clip.
    const char* name = nullptr;
};

// samples run from -1 to 1; 8-bit data is unsigned around 128, 16-bit signed around 0.
// An odd data length gets its pad byte, and the RIFF length counts it.
std::vector<uint8_t> EncodeWave(int bits, int rate, const std::vector<double>& samples,
                                const WaveLayout& layout);
