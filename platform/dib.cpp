#include "platform/dib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/host/host.h"

namespace {

constexpr int MaxSide = 8192; // anything larger is not a picture this game could show

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

BitmapInfoHeader ParseInfo(const uint8_t* p) {
    return {Read32(p),
            static_cast<int32_t>(Read32(p + 4)),
            static_cast<int32_t>(Read32(p + 8)),
            Read16(p + 12),
            Read16(p + 14),
            Read32(p + 16),
            Read32(p + 20),
            static_cast<int32_t>(Read32(p + 24)),
            static_cast<int32_t>(Read32(p + 28)),
            Read32(p + 32),
            Read32(p + 36)};
}

// A header whose sides are zero, negative or absurd can't be drawn; a negative height only
// says the rows run top-down.
bool UsableInfo(const BitmapInfoHeader& info) {
    long long height = std::llabs(static_cast<long long>(info.biHeight));
    return info.biWidth > 0 && info.biWidth <= MaxSide && height > 0 && height <= MaxSide;
}

// The colour table holds at most 256 entries; a file that claims more has the rest skipped.
uint32_t TableEntries(const BitmapInfoHeader& info) {
    uint32_t n = Dib::NumColors(info);
    return n > 256 ? 256 : n;
}

} // namespace

Dib::Dib() {
    Create(640, 480);
}
Dib::~Dib() {
    Free();
}

uint32_t Dib::NumColors(const BitmapInfoHeader& header) {
    if (header.biClrUsed != 0) return header.biClrUsed;
    switch (header.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int Dib::Create(int width, int height) {
    Free();
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return 0;
    if (!ReplaceHeader(nullptr)) return 0;
    uint8_t* h = header_.data();
    auto put32 = [](uint8_t* p, uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(h, 40);
    put32(h + 4, static_cast<uint32_t>(width));
    put32(h + 8, static_cast<uint32_t>(height));
    h[12] = 1;
    h[14] = 8;
    for (int i = 0; i < 256; ++i) {
        uint8_t* q = h + 40 + 4 * i;
        q[0] = q[1] = q[2] = static_cast<uint8_t>(i);
    }
    if (!ReplaceBits(nullptr,
                     static_cast<size_t>((width + 3) & ~3) * static_cast<size_t>(height))) {
        Free();
        return 0;
    }
    return 1;
}

// Memory that can't be had is a failure of the load, with its code, not the end of the program.
int Dib::ReplaceHeader(const uint8_t* info) {
    std::vector<uint8_t>().swap(header_);
    try {
        header_.assign(DibHeaderBytes, 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (info) std::memcpy(header_.data(), info, 40);
    return 1;
}

int Dib::ReplaceBits(const uint8_t* from, size_t bytes) {
    std::vector<uint8_t>().swap(bits_);
    try {
        if (from)
            bits_.assign(from, from + bytes);
        else
            bits_.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

uint32_t Dib::ReadInfoAndTable(const uint8_t* image, size_t size) {
    if (size < 54) return 5;
    BitmapInfoHeader info = ParseInfo(image + 14);
    if (!UsableInfo(info)) return 5;
    if (!ReplaceHeader(image + 14)) return 8;
    size_t table = size_t{TableEntries(info)} * 4;
    if (size - 54 < table) return 6;
    std::memcpy(header_.data() + 40, image + 54, table);
    return 0;
}

int Dib::LoadResource(const uint8_t* image, size_t size) {
    if (size < 2 || Read16(image) != 0x4D42) return lastError = 4, 0;
    if (size < 14) return lastError = 3, 0;
    if (uint32_t code = ReadInfoAndTable(image, size)) return lastError = code, 0;
    uint32_t fileSize = Read32(image + 2), offBits = Read32(image + 10);
    // No pixel bytes at all, or "fewer than none", is a block that can't be had.
    if (fileSize <= offBits) return ReplaceBits(nullptr, 0), lastError = 11, 0;
    // The image must hold what its own header promises, or the copy would run off its end.
    if (offBits > size || fileSize > size) return lastError = 12, 0;
    if (!ReplaceBits(image + offBits, fileSize - offBits)) return lastError = 11, 0;
    return 1;
}

int Dib::LoadFile(const char* name) {
    std::vector<uint8_t> file;
    if (!HostReadFile(name, &file)) return lastError = 1, 0;
    const size_t size = file.size();
    const uint8_t* f = file.data();
    if (size < 14) return lastError = 3, 0;
    if (Read16(f) != 0x4D42) return lastError = 4, 0;
    if (uint32_t code = ReadInfoAndTable(f, size)) return lastError = code, 0;
    uint32_t fileSize = Read32(f + 2), offBits = Read32(f + 10);
    if (fileSize <= offBits) return ReplaceBits(nullptr, 0), lastError = 11, 0;
    size_t want = fileSize - offBits;
    size_t have = offBits < size ? size - offBits : 0;
    if (!ReplaceBits(f + std::min<size_t>(offBits, size), std::min(have, want)))
        return lastError = 11, 0;
    if (have < want) return lastError = 12, 0;
    return 1;
}

void Dib::Free() {
    header_.clear();
    bits_.clear();
}

BitmapInfoHeader Dib::Header() const {
    return header_.empty() ? BitmapInfoHeader{} : ParseInfo(header_.data());
}

const uint8_t* Dib::ColorTable() const {
    return header_.empty() ? nullptr : header_.data() + 40;
}

int Dib::Width() const {
    return header_.empty() ? 0 : Header().biWidth;
}

int Dib::Height() const {
    if (header_.empty()) return 0;
    int h = Header().biHeight;
    return h < 0 ? -h : h;
}

void Dib::Stretch(uint8_t* pixels, int pitch, int surfaceWidth, int surfaceHeight, int x, int y,
                  int width, int height) const {
    int srcWidth = Width(), srcHeight = Height();
    if (srcWidth <= 0 || srcHeight <= 0 || width <= 0 || height <= 0) return;
    BitmapInfoHeader info = Header();
    int bitCount = info.biBitCount;
    // Only uncompressed 1-, 4- and 8-bit rows are read; any other picture draws nothing.
    if (info.biCompression != 0 || (bitCount != 1 && bitCount != 4 && bitCount != 8)) return;
    const size_t rowBytes = ((static_cast<size_t>(srcWidth) * bitCount + 31) / 32) * 4;
    const uint8_t* bits = bits_.data();
    const size_t have = bits_.size();
    const int mask = (1 << bitCount) - 1;
    // Only the part of the rectangle that lands on the surface is walked: a picture far larger
    // than the surface costs no more than one that fits.
    int dyEnd = std::min(height, surfaceHeight - y), dxEnd = std::min(width, surfaceWidth - x);
    for (int dy = std::max(0, -y); dy < dyEnd; ++dy) {
        int sy = static_cast<int>(static_cast<long long>(dy) * srcHeight / height);
        size_t rowStart =
            static_cast<size_t>(info.biHeight > 0 ? srcHeight - 1 - sy : sy) * rowBytes;
        ptrdiff_t row = static_cast<ptrdiff_t>(y + dy) * pitch + x;
        for (int dx = std::max(0, -x); dx < dxEnd; ++dx) {
            size_t bit =
                static_cast<size_t>(static_cast<long long>(dx) * srcWidth / width) * bitCount;
            size_t at = rowStart + bit / 8;
            // A short pixel block draws what it holds; the rest of the surface is left alone.
            if (at >= have) break;
            int shift = 8 - bitCount - static_cast<int>(bit % 8);
            pixels[row + dx] = static_cast<uint8_t>((bits[at] >> shift) & mask);
        }
    }
}

void Dib::Draw(uint8_t* pixels, int pitch, int surfaceWidth, int surfaceHeight, int x,
               int y) const {
    Stretch(pixels, pitch, surfaceWidth, surfaceHeight, x, y, Width(), Height());
}
