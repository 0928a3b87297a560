// Writes 8-bit bottom-up BMP files with a 256-colour table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
};
using Palette = std::array<Rgb, 256>;

// pixels: width * height palette indices, rows top to bottom.
std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& pixels,
                                const Palette& palette);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
