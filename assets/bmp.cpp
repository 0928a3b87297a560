#include "assets/bmp.h"

#include <cstdio>

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
} // namespace

std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& pixels,
                                const Palette& palette) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) & ~3u;
    const uint32_t offBits = 14 + 40 + 256 * 4;
    // Two bytes beyond the rows, as the original sheet carried: the loaders read by bfSize.
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height) + 2;
    std::vector<uint8_t> out;
    out.reserve(offBits + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + pixelBytes);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, rowBytes * static_cast<uint32_t>(height));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels.data() + static_cast<size_t>(y) * width;
        out.insert(out.end(), row, row + width);
        out.insert(out.end(), rowBytes - width, 0);
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
