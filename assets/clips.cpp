// Placeholder clips: silence of the exact format and length, until the sounds land.
#include "assets/assets.h"
#include "assets/bmp.h"

bool WriteClip(int id, const std::string& path) {
    for (const ClipFormat& c : ClipFormats) {
        if (c.id != id) continue;
        std::vector<uint8_t> out;
        auto put32 = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
        };
        auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
        uint32_t pad = c.dataBytes & 1;
        tag("RIFF");
        put32(4 + 8 + 16 + 8 + c.dataBytes + pad);
        tag("WAVE");
        tag("fmt ");
        put32(16);
        uint32_t block = c.bits / 8;
        put32(1 | (1u << 16));
        put32(c.rate);
        put32(c.rate * block);
        put32(block | (uint32_t(c.bits) << 16));
        tag("data");
        put32(c.dataBytes);
        out.insert(out.end(), c.dataBytes + pad, c.bits == 8 ? 128 : 0);
        return WriteFile(path, out);
    }
    return false;
}
