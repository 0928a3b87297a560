// What the bitmap fuzzers check after every load. A picture that loads is the file's own; a
// failed load leaves what its code says (nothing changed before the header is read, the new
// header over the old pixels or over no pixels after it, and from a file the pixel bytes that
// were there); and either way the Dib keeps a drawable size, unless there was no memory for its
// header at all, and draws without reading past its pixel block.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/dib.h"

namespace fuzz {

static_assert(sizeof(BitmapInfoHeader) == 40, "the info header is compared byte for byte");

enum class Loader { Resource, File };

inline void Expect(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "dib check failed: %s\n", what);
    std::abort();
}

inline uint32_t Read32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// An input is one picture, and whatever follows the end its own size field gives is a second
// one loaded over what the first left: loading over an existing picture is tested too.
inline size_t FirstPictureBytes(const uint8_t* data, size_t size) {
    if (size < 6) return size;
    uint32_t fileSize = Read32(data + 2);
    return fileSize > 0 && fileSize < size ? fileSize : size;
}

// The Dib as it was before a load, kept for the whole run so its blocks are reused.
struct Before {
    std::vector<uint8_t> header, table, bits;
};

inline void Remember(const Dib& dib, Before* before) {
    BitmapInfoHeader h = dib.Header();
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&h);
    before->header.assign(raw, raw + 40);
    if (dib.HasHeader())
        before->table.assign(dib.ColorTable(), dib.ColorTable() + 1024);
    else
        before->table.assign(1024, 0);
    before->bits.assign(dib.Bits(), dib.Bits() + dib.BitsSize());
}

inline bool BitsAre(const Dib& dib, const uint8_t* from, const uint8_t* to) {
    return dib.BitsSize() == static_cast<size_t>(to - from) &&
           (from == to || std::memcmp(dib.Bits(), from, dib.BitsSize()) == 0);
}

inline void CheckLoad(const Dib& dib, const Before& before, const uint8_t* data, size_t size,
                      bool ok, Loader loader) {
    bool oldBits = BitsAre(dib, before.bits.data(), before.bits.data() + before.bits.size());
    if (!ok && dib.lastError == 8) {
        Expect(!dib.HasHeader() && dib.Width() == 0 && oldBits,
               "no memory for the header leaves no header and the old pixels");
        return;
    }
    Expect(dib.HasHeader() && dib.Width() > 0 && dib.Width() <= 8192 && dib.Height() > 0 &&
               dib.Height() <= 8192,
           "a drawable size");
    Expect((dib.Bits() == nullptr) == (dib.BitsSize() == 0), "a pixel block of its own size");
    BitmapInfoHeader h = dib.Header();
    bool oldHeader = std::memcmp(&h, before.header.data(), 40) == 0 &&
                     std::memcmp(dib.ColorTable(), before.table.data(), 1024) == 0;
    bool newHeader = size >= 54 && std::memcmp(&h, data + 14, 40) == 0;
    if (ok) {
        Expect(newHeader, "a loaded picture has the file's header");
        size_t table = std::min<uint32_t>(Dib::NumColors(h), 256) * 4;
        Expect(std::memcmp(dib.ColorTable(), data + 54, table) == 0, "the file's colours");
        Expect(std::all_of(dib.ColorTable() + table, dib.ColorTable() + 1024,
                           [](uint8_t b) { return b == 0; }),
               "black beyond the file's colours");
        uint32_t offBits = Read32(data + 10), fileSize = Read32(data + 2);
        Expect(fileSize > offBits && BitsAre(dib, data + offBits, data + fileSize),
               "the pixel bytes from the offset to the file's end");
        return;
    }
    switch (dib.lastError) {
    case 1:
    case 3:
    case 4:
    case 5:
        Expect(oldHeader && oldBits, "a load refused before the header changes nothing");
        break;
    case 6:
        Expect(newHeader && oldBits, "a short colour table leaves the old pixels");
        break;
    case 11:
        Expect(newHeader && dib.BitsSize() == 0, "no pixel block leaves the new header alone");
        break;
    case 12:
        Expect(newHeader, "a short pixel block comes with the new header");
        if (loader == Loader::Resource) {
            Expect(oldBits, "a resource is never read past its end");
        } else {
            size_t from = std::min<size_t>(Read32(data + 10), size);
            Expect(BitsAre(dib, data + from, data + size), "the pixel bytes that were there");
        }
        break;
    default:
        Expect(false, "a known failure code");
    }
}

// Both corners and the whole picture shrunk: the first and the last rows and columns are read.
inline void DrawCorners(const Dib& dib) {
    constexpr int W = 8, H = 6;
    static uint8_t surface[W * H];
    dib.Draw(surface, W, W, H, 0, 0);
    dib.Draw(surface, W, W, H, W - dib.Width(), H - dib.Height());
    dib.Stretch(surface, W, W, H, 1, 1, W - 2, H - 2);
}

// Each picture of an input loaded in turn into one Dib kept for the whole campaign, every input
// starting from the same blank picture; what each load leaves is checked and drawn.
template <typename Load>
void LoadEachPicture(const uint8_t* data, size_t size, Loader loader, Load load) {
    static Dib dib;
    static Before before;
    dib.Create(64, 48);
    size_t first = FirstPictureBytes(data, size);
    for (auto [p, n] : {std::pair{data, first}, std::pair{data + first, size - first}}) {
        if (p != data && n == 0) break;
        Remember(dib, &before);
        bool ok = load(dib, p, n);
        CheckLoad(dib, before, p, n, ok, loader);
        DrawCorners(dib);
    }
}

} // namespace fuzz
