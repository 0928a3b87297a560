// The bitmap loaders against crafted and hostile files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include <unistd.h>

#include "platform/dib.h"
#include "platform/host/headless/headless.h"

namespace {

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    Put16(v, at, x & 0xFFFF);
    Put16(v, at + 2, x >> 16);
}

// A BMP image: `colors` table entries (entry i = (i, 2i, 3i)), rows of `width` bytes padded.
std::vector<uint8_t> Bitmap(int width, int height, int bits = 8, uint32_t clrUsed = 0,
                            uint32_t colors = 256) {
    uint32_t rowBytes = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
    uint32_t off = 54 + colors * 4;
    uint32_t rows = rowBytes * static_cast<uint32_t>(height < 0 ? -height : height);
    std::vector<uint8_t> v(off + rows, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, off + rows);
    Put32(v, 10, off);
    Put32(v, 14, 40);
    Put32(v, 18, static_cast<uint32_t>(width));
    Put32(v, 22, static_cast<uint32_t>(height));
    Put16(v, 26, 1);
    Put16(v, 28, static_cast<uint32_t>(bits));
    Put32(v, 46, clrUsed);
    for (uint32_t i = 0; i < colors; ++i) {
        v[54 + 4 * i] = static_cast<uint8_t>(3 * i);
        v[55 + 4 * i] = static_cast<uint8_t>(2 * i);
        v[56 + 4 * i] = static_cast<uint8_t>(i);
    }
    for (uint32_t k = 0; k < rows; ++k) v[off + k] = static_cast<uint8_t>(k);
    return v;
}

std::string WriteTemp(const std::vector<uint8_t>& bytes, size_t keep) {
    // ctest runs other test programs at the same time: each process writes a file of its own.
    std::string path = testing::TempDir() + "dib_test_" + std::to_string(getpid()) + ".bmp";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, std::min(keep, bytes.size()), f);
    std::fclose(f);
    return path;
}

} // namespace

// The allocator of this test program, with one fault it can be asked for: the next allocation
// of exactly a given size fails as an exhausted heap would.
namespace {
size_t FailingSize = 0;
void FailNextAllocationOf(size_t bytes) {
    FailingSize = bytes;
}
} // namespace

void* operator new(size_t bytes) {
    if (bytes != 0 && bytes == FailingSize) {
        FailingSize = 0;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t bytes) {
    return operator new(bytes);
}
void* operator new(size_t bytes, const std::nothrow_t&) noexcept {
    try {
        return operator new(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t bytes, const std::nothrow_t& nothrow) noexcept {
    return operator new(bytes, nothrow);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

TEST(Dib, NumColorsFollowsBitCountUnlessTheCountIsGiven) {
    BitmapInfoHeader h{};
    h.biBitCount = 8;
    EXPECT_EQ(Dib::NumColors(h), 256u);
    h.biBitCount = 4;
    EXPECT_EQ(Dib::NumColors(h), 16u);
    h.biBitCount = 1;
    EXPECT_EQ(Dib::NumColors(h), 2u);
    h.biBitCount = 24;
    EXPECT_EQ(Dib::NumColors(h), 0u);
    h.biClrUsed = 100;
    EXPECT_EQ(Dib::NumColors(h), 100u);
}

TEST(Dib, CreateMakesPaddedRowsAndAGreyRamp) {
    Dib dib;
    EXPECT_EQ(dib.Width(), 640);
    EXPECT_EQ(dib.Height(), 480);
    EXPECT_EQ(dib.BitsSize(), 307200u);
    EXPECT_EQ(dib.ColorTable()[4 * 255], 255);
    EXPECT_EQ(dib.ColorTable()[4 * 255 + 2], 255);
    for (size_t i = 0; i < dib.BitsSize(); ++i) ASSERT_EQ(dib.Bits()[i], 0);
    ASSERT_TRUE(dib.Create(3, 2));
    EXPECT_EQ(dib.BitsSize(), 8u);
}

TEST(Dib, LoadResourceTakesPixelCountFromTheFileSize) {
    std::vector<uint8_t> image = Bitmap(4, 2);
    image.insert(image.end(), {7, 7}); // two bytes beyond the rows, as in the sheet
    Put32(image, 2, static_cast<uint32_t>(image.size()));
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(image.data(), image.size()));
    EXPECT_EQ(dib.BitsSize(), 10u);
    EXPECT_EQ(dib.ColorTable()[4 * 10 + 2], 10); // red of entry 10
}

TEST(Dib, SixteenColoursLeaveTheRestOfTheTableBlack) {
    std::vector<uint8_t> image = Bitmap(8, 2, 4, 0, 16);
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(image.data(), image.size()));
    EXPECT_EQ(dib.ColorTable()[4 * 15 + 2], 15);
    for (int i = 16; i < 256; ++i) ASSERT_EQ(dib.ColorTable()[4 * i + 2], 0);
}

TEST(Dib, HostileResourcesFailWithoutReadingPastTheirEnd) {
    Dib dib;
    std::vector<uint8_t> good = Bitmap(4, 2);
    std::vector<uint8_t> notBmp = good;
    notBmp[0] = 'X';
    EXPECT_FALSE(dib.LoadResource(notBmp.data(), notBmp.size()));
    EXPECT_EQ(dib.lastError, 4u);
    EXPECT_EQ(dib.Width(), 640); // nothing replaced

    for (size_t cut : {1ul, 13ul, 40ul, 100ul, good.size() - 1}) {
        std::vector<uint8_t> shortImage(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_FALSE(dib.LoadResource(shortImage.data(), shortImage.size())) << cut;
    }
    std::vector<uint8_t> offPast = good;
    Put32(offPast, 2, (1u << 30) + 8);
    Put32(offPast, 10, 1u << 30);
    EXPECT_FALSE(dib.LoadResource(offPast.data(), offPast.size()));
    EXPECT_EQ(dib.lastError, 12u);

    for (int32_t w : {0, -5, 9000}) {
        std::vector<uint8_t> bad = good;
        Put32(bad, 18, static_cast<uint32_t>(w));
        EXPECT_FALSE(dib.LoadResource(bad.data(), bad.size())) << w;
        EXPECT_EQ(dib.lastError, 5u);
    }
}

TEST(Dib, AColourCountAbove256ReadsOnly256Entries) {
    std::vector<uint8_t> image = Bitmap(4, 2, 8, 65535);
    Dib dib;
    EXPECT_TRUE(dib.LoadResource(image.data(), image.size()));
    EXPECT_EQ(dib.ColorTable()[4 * 255 + 2], 255);
}

TEST(Dib, LoadFileErrorCodes) {
    HeadlessReset();
    Dib dib;
    EXPECT_FALSE(dib.LoadFile("/nonexistent/none.bmp"));
    EXPECT_EQ(dib.lastError, 1u);
    std::vector<uint8_t> good = Bitmap(4, 2);
    struct Case {
        size_t keep;
        uint32_t code;
    };
    for (Case c : {Case{10, 3}, Case{30, 5}, Case{60, 6}, Case{good.size() - 3, 12}}) {
        EXPECT_FALSE(dib.LoadFile(WriteTemp(good, c.keep).c_str())) << c.keep;
        EXPECT_EQ(dib.lastError, c.code) << c.keep;
    }
    std::vector<uint8_t> notBmp = good;
    notBmp[1] = 'X';
    Dib fresh;
    EXPECT_FALSE(fresh.LoadFile(WriteTemp(notBmp, notBmp.size()).c_str()));
    EXPECT_EQ(fresh.lastError, 4u);
    EXPECT_EQ(fresh.Width(), 640);
    EXPECT_TRUE(dib.LoadFile(WriteTemp(good, good.size()).c_str()));
    EXPECT_EQ(dib.Width(), 4);
}

// bfSize at or below bfOffBits asks for a pixel block of no bytes, or of "fewer than none":
// a block that can't be had. The new header stays, with no pixels.
TEST(Dib, AFileSizeNotPastThePixelOffsetFailsWithCode11) {
    HeadlessReset();
    std::vector<uint8_t> good = Bitmap(4, 2);
    for (uint32_t size : {1078u, 1077u, 10u, 0u}) {
        std::vector<uint8_t> image = good;
        Put32(image, 2, size);
        Dib fromResource, fromFile;
        EXPECT_FALSE(fromResource.LoadResource(image.data(), image.size())) << size;
        EXPECT_EQ(fromResource.lastError, 11u) << size;
        EXPECT_EQ(fromResource.Width(), 4);
        EXPECT_EQ(fromResource.BitsSize(), 0u);
        EXPECT_FALSE(fromFile.LoadFile(WriteTemp(image, image.size()).c_str())) << size;
        EXPECT_EQ(fromFile.lastError, 11u) << size;
        EXPECT_EQ(fromFile.Width(), 4);
        EXPECT_EQ(fromFile.BitsSize(), 0u);
    }
}

// Memory that can't be had ends a load with its code, not the program: 8 for the header
// (leaving no header and the old pixels), 11 for the pixels (the new header, no pixels).
TEST(Dib, MemoryThatCannotBeHadFailsTheLoadWithItsCode) {
    std::vector<uint8_t> image = Bitmap(4, 2);
    Dib dib;
    size_t oldBits = dib.BitsSize();
    FailNextAllocationOf(DibHeaderBytes);
    EXPECT_FALSE(dib.LoadResource(image.data(), image.size()));
    EXPECT_EQ(dib.lastError, 8u);
    EXPECT_FALSE(dib.HasHeader());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.BitsSize(), oldBits);

    FailNextAllocationOf(image.size() - 1078);
    EXPECT_FALSE(dib.LoadResource(image.data(), image.size()));
    EXPECT_EQ(dib.lastError, 11u);
    EXPECT_EQ(dib.Width(), 4);
    EXPECT_EQ(dib.BitsSize(), 0u);

    FailNextAllocationOf(640 * 480);
    EXPECT_EQ(dib.Create(640, 480), 0);
    EXPECT_FALSE(dib.HasHeader());
    EXPECT_TRUE(dib.LoadResource(image.data(), image.size())); // and memory comes back
}

TEST(Dib, StretchDoublesEveryPixelAndTopDownRowsStandUpright) {
    std::vector<uint8_t> image = Bitmap(2, 2); // rows bottom-up: bytes 0,1 bottom; 4,5 top
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(image.data(), image.size()));
    uint8_t out[16] = {};
    dib.Stretch(out, 4, 4, 4, 0, 0, 4, 4);
    const uint8_t want[16] = {4, 4, 5, 5, 4, 4, 5, 5, 0, 0, 1, 1, 0, 0, 1, 1};
    EXPECT_EQ(std::memcmp(out, want, 16), 0);

    Put32(image, 22, static_cast<uint32_t>(-2)); // the same bytes, stored top-down
    ASSERT_TRUE(dib.LoadResource(image.data(), image.size()));
    uint8_t top[4] = {};
    dib.Draw(top, 2, 2, 2, 0, 0);
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[2], 4);
}

TEST(Dib, AShortPixelBlockDrawsOnlyTheRowsThatAreThere) {
    std::vector<uint8_t> image = Bitmap(4, 4);
    image.resize(image.size() - 8); // the two top rows are missing
    Put32(image, 2, static_cast<uint32_t>(image.size()));
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(image.data(), image.size()));
    std::vector<uint8_t> out(16, 99);
    dib.Draw(out.data(), 4, 4, 4, 0, 0);
    EXPECT_EQ(out[0], 99); // top row untouched
    EXPECT_EQ(out[12], 0); // bottom row drawn
}

TEST(Dib, DrawClipsAtEveryEdgeAndUnpacksSmallPixels) {
    std::vector<uint8_t> nibbles = Bitmap(4, 2, 4, 0, 16);
    const size_t off = nibbles.size() - 8; // rows of 4 bytes, the bottom row stored first
    nibbles[off] = 0x56, nibbles[off + 1] = 0x78, nibbles[off + 4] = 0x12, nibbles[off + 5] = 0x34;
    Dib dib;
    ASSERT_TRUE(dib.LoadResource(nibbles.data(), nibbles.size()));
    std::vector<uint8_t> out(9, 99);
    dib.Draw(out.data(), 3, 3, 3, -1, -1); // only the bottom row's last three pixels land
    EXPECT_EQ(out, (std::vector<uint8_t>{6, 7, 8, 99, 99, 99, 99, 99, 99}));
    out.assign(9, 99);
    dib.Draw(out.data(), 3, 3, 3, 2, 1); // only the first column lands
    EXPECT_EQ(out, (std::vector<uint8_t>{99, 99, 99, 99, 99, 1, 99, 99, 5}));

    std::vector<uint8_t> bitsImage = Bitmap(10, 1, 1, 0, 2);
    bitsImage[bitsImage.size() - 4] = 0b10110000;
    bitsImage[bitsImage.size() - 3] = 0b01000000;
    ASSERT_TRUE(dib.LoadResource(bitsImage.data(), bitsImage.size()));
    out.assign(4, 99);
    dib.Draw(out.data(), 4, 4, 1, -6, 0);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0, 1}));
    out.assign(4, 99);
    dib.Draw(out.data(), 4, 4, 1, 0, 0);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 0, 1, 1}));
}
