// The 8-bit bitmap in memory: an info header with room for 256 colours, and the pixel rows
// as a BMP file stores them. The sprite sheet and the title picture are Dibs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t DibHeaderBytes = 40 + 256 * 4;

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

class Dib {
  public:
    Dib();
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    int Create(int width, int height);
    // `size` bounds every read: a resource is never read past its end.
    int LoadResource(const uint8_t* image, size_t size);
    int LoadFile(const char* name);
    void Free();
    int Width() const;
    int Height() const;
    static uint32_t NumColors(const BitmapInfoHeader& header);

    // The whole image onto an 8-bit surface at (x, y), at its own size or stretched.
    void Draw(uint8_t* pixels, int pitch, int surfaceWidth, int surfaceHeight, int x, int y) const;
    void Stretch(uint8_t* pixels, int pitch, int surfaceWidth, int surfaceHeight, int x, int y,
                 int width, int height) const;

    BitmapInfoHeader Header() const;   // zeroes when there is no header
    const uint8_t* ColorTable() const; // 256 RGBQUADs at header + 40, or null
    const uint8_t* Bits() const { return bits_.empty() ? nullptr : bits_.data(); }
    size_t BitsSize() const { return bits_.size(); }
    bool HasHeader() const { return !header_.empty(); }

    uint32_t lastError = 0;

  private:
    // A zeroed header with the 40 info bytes given (none: all zero); 0 when there's no memory.
    int ReplaceHeader(const uint8_t* info);
    // A pixel block of `bytes`, copied from `from` (null: zeroes); 0 when there's no memory.
    int ReplaceBits(const uint8_t* from, size_t bytes);
    // The info header and colour table of a whole image in memory; 0, or the error code.
    uint32_t ReadInfoAndTable(const uint8_t* image, size_t size);

    std::vector<uint8_t> header_;
    std::vector<uint8_t> bits_;
};
