#include "assets/wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// Opens a chunk and returns where its length goes, to be filled in by CloseChunk.
size_t OpenChunk(std::vector<uint8_t>& out, const char* tag) {
    PutTag(out, tag);
    Put32(out, 0);
    return out.size();
}

// The length excludes the pad byte that keeps the next chunk on an even offset.
void CloseChunk(std::vector<uint8_t>& out, size_t body) {
    uint32_t length = uint32_t(out.size() - body);
    for (int i = 0; i < 4; ++i) out[body - 4 + i] = uint8_t(length >> (8 * i));
    if (length & 1) out.push_back(0);
}

void PutSample(std::vector<uint8_t>& out, int bits, double s) {
    s = std::clamp(s, -1.0, 1.0);
    if (bits == 8) {
        out.push_back(uint8_t(std::lround(128 + s * 127)));
    } else {
        Put16(out, uint16_t(int16_t(std::lround(s * 32767))));
    }
}

} // namespace

std::vector<uint8_t> EncodeWave(int bits, int rate, const std::vector<double>& samples,
                                const WaveLayout& layout) {
    std::vector<uint8_t> out;
    size_t riff = OpenChunk(out, "RIFF");
    PutTag(out, "WAVE");

    uint32_t block = uint32_t(bits / 8);
    size_t fmt = OpenChunk(out, "fmt ");
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, uint32_t(rate));
    Put32(out, uint32_t(rate) * block);
    Put16(out, block);
    Put16(out, uint32_t(bits));
    if (layout.extendedFormat) Put16(out, 0);
    CloseChunk(out, fmt);

    if (layout.extendedFormat) {
        size_t fact = OpenChunk(out, "fact");
        Put32(out, uint32_t(samples.size()));
        CloseChunk(out, fact);
    }

    size_t data = OpenChunk(out, "data");
    for (double s : samples) PutSample(out, bits, s);
    CloseChunk(out, data);

    if (layout.name) {
        size_t list = OpenChunk(out, "LIST");
        PutTag(out, "INFO");
        size_t name = OpenChunk(out, "INAM");
        out.insert(out.end(), layout.name, layout.name + std::strlen(layout.name));
        out.push_back(0);
        CloseChunk(out, name);
        CloseChunk(out, list);
    }

    CloseChunk(out, riff);
    return out;
}
