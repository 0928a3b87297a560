// Writes 8-bit RGB or RGBA pictures as PNG (stored deflate blocks: no compression library needed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// pixels holds width * height * 3 bytes (4 with alpha), rows top to bottom.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
              bool alpha = false);
