// The fill and the sharp scaler of present.h.
#include "platform/host/present.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

PictureRect FitPicture(int width, int height, bool whole) {
    int w, h;
    if (whole) {
        int scale = std::max(1, std::min(width / FrameWidth, height / FrameHeight));
        w = FrameWidth * scale;
        h = FrameHeight * scale;
    } else if (int64_t{width} * 3 >= int64_t{height} * 4) {
        h = height;
        w = (height * 4 + 1) / 3;
    } else {
        w = width;
        h = (width * 3 + 2) / 4;
    }
    w = std::max(w, FrameWidth);
    h = std::max(h, FrameHeight);
    return {(width - w) / 2, (height - h) / 2, w, h};
}

bool WholeScaleAsked(const char* setting) {
    return setting && std::strcmp(setting, "whole") == 0;
}

namespace {

// Output pixel j of `size` covers the frame's [j * n / size, (j + 1) * n / size): it lies
// wholly in one of the frame's pixels, or straddles the edge after pixel `from`, which then
// covers `weight` of 256 of it. A weight that rounds to all or nothing counts as whole.
struct Tap {
    int from, weight;
};
Tap TapOf(int j, int n, int size) {
    const int64_t left = int64_t{j} * n, right = left + n;
    const int from = static_cast<int>(left / size);
    const int64_t edge = int64_t{from + 1} * size;
    if (right <= edge || from + 1 >= n) return {from, 256};
    const int weight = static_cast<int>(((edge - left) * 256 + n / 2) / n);
    if (weight >= 256) return {from, 256};
    if (weight <= 0) return {from + 1, 256};
    return {from, weight};
}

// Two colours mixed, `weight` of 256 the first, rounded: two channels at a time in one word,
// which works for any order of four 8-bit channels.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t rest = 256 - weight;
    const uint32_t half = 0x800080u;
    const uint32_t oddChannels = ((a & 0xFF00FFu) * weight + (b & 0xFF00FFu) * rest + half) >> 8;
    const uint32_t evenChannels =
        ((a >> 8) & 0xFF00FFu) * weight + ((b >> 8) & 0xFF00FFu) * rest + half;
    return (oddChannels & 0xFF00FFu) | (evenChannels & 0xFF00FF00u);
}

// Bit x of the answer is set where pixel x of the row differs from pixel x + 1, and bit 639
// always: the ends of the row's runs of one colour, eight pixels at a time, so that no run waits
// on the reading of the one before.
void RunEnds(const uint8_t* row, uint64_t ends[FrameWidth / 64]) {
    std::fill(ends, ends + FrameWidth / 64, 0);
    for (int x = 0; x + 9 <= FrameWidth; x += 8) {
        uint64_t here, next;
        std::memcpy(&here, row + x, 8);
        std::memcpy(&next, row + x + 1, 8);
        const uint64_t differ = here ^ next;
        // The top bit of each byte that is not zero, then the eight top bits gathered in one byte.
        const uint64_t low = 0x7F7F7F7F7F7F7F7Fu;
        const uint64_t tops = (((differ & low) + low) | differ) & ~low;
        ends[x / 64] |= ((tops >> 7) * 0x0102040810204080u >> 56) << (x % 64);
    }
    for (int x = FrameWidth - 8; x < FrameWidth - 1; ++x)
        ends[x / 64] |= uint64_t{row[x] != row[x + 1]} << (x % 64);
    ends[FrameWidth / 64 - 1] |= uint64_t{1} << 63;
}

// One of the frame's rows across, through the colours, a run of one colour at a time: the game's
// pictures are mostly runs (the black of the sky, flat paint), and inside a run every output
// pixel, straddling or not, is the run's colour. Only the pixel on the edge to the next run mixes.
// The row's buffer has room for what a short run writes past the end.
void ExpandAcross(const SharpScaler& s, const uint8_t* row, const uint32_t colors[256],
                  uint32_t* out) {
    uint64_t ends[FrameWidth / 64];
    RunEnds(row, ends);
    int x = 0;
    for (int word = 0; word < FrameWidth / 64; ++word)
        for (uint64_t bits = ends[word]; bits; bits &= bits - 1) {
            const int last = word * 64 + std::countr_zero(bits), end = last + 1;
            const uint32_t color = colors[row[x]];
            const int edgeAt = s.pureFrom[end] - (s.edge[last] != 0);
            uint32_t* from = out + s.pureFrom[x];
            // Most runs are short: four stores, what is too many written over by what comes
            // next, cost less than a loop's reckoning.
            if (edgeAt - s.pureFrom[x] <= 4)
                from[0] = from[1] = from[2] = from[3] = color;
            else
                std::fill(from, out + edgeAt, color);
            if (s.edge[last]) out[edgeAt] = Mix(color, colors[row[end]], s.edge[last]);
            x = end;
        }
}

const uint32_t* ExpandedRow(SharpScaler* s, const uint8_t* pixels, int pitch,
                            const uint32_t colors[256], int from) {
    for (int k = 0; k < 2; ++k)
        if (s->expandedFrom[k] == from) return s->expanded[k].data();
    // The rows come in order: the older of the two is the one to give up. A row like the newer
    // one (every other row of the battle's star field) is a copy of it.
    const int k = s->expandedFrom[0] < s->expandedFrom[1] ? 0 : 1, newer = 1 - k;
    const uint8_t* row = pixels + static_cast<ptrdiff_t>(from) * pitch;
    const int alike = s->expandedFrom[newer];
    if (alike >= 0 &&
        std::memcmp(row, pixels + static_cast<ptrdiff_t>(alike) * pitch, FrameWidth) == 0)
        s->expanded[k] = s->expanded[newer];
    else
        ExpandAcross(*s, row, colors, s->expanded[k].data());
    s->expandedFrom[k] = from;
    return s->expanded[k].data();
}

// Byte by byte, so that the compiler can mix many channels at once, twice as many where the
// processor has AVX2 (picked as the program loads, where the system can).
#if defined(__x86_64__) && defined(__linux__)
__attribute__((target_clones("avx2", "default")))
#endif
void MixRows(const uint8_t* a, const uint8_t* b, unsigned weight, size_t bytes, uint8_t* out) {
    const unsigned rest = 256 - weight;
    for (size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>((a[i] * weight + b[i] * rest + 128) >> 8);
}

// A finished row into the output. The output is the window's own memory, which the X server
// reads on another core after every frame: written past the caches, a row's lines need not be
// fetched back from there first.
void StoreRow(uint8_t* out, const uint8_t* row, size_t bytes) {
#if defined(__SSE2__)
    const size_t head = std::min(bytes, (16 - reinterpret_cast<uintptr_t>(out) % 16) % 16);
    std::memcpy(out, row, head);
    size_t i = head;
    for (; i + 16 <= bytes; i += 16)
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)));
    std::memcpy(out + i, row + i, bytes - i);
#else
    std::memcpy(out, row, bytes);
#endif
}

} // namespace

void LayOutScaler(SharpScaler* s, int width, int height) {
    width = std::max(width, FrameWidth);
    height = std::max(height, FrameHeight);
    if (s->width == width && s->height == height) return;
    s->width = width;
    s->height = height;
    const int scale = width / FrameWidth;
    s->whole = width == FrameWidth * scale && height == FrameHeight * scale ? scale : 0;
    std::fill(std::begin(s->edge), std::end(s->edge), 0);
    // A column's output pixels begin with the first whose tap starts in it; a column that starts
    // none (a weight rounded away) begins where the next one does.
    std::fill(std::begin(s->pureFrom), std::end(s->pureFrom), static_cast<uint16_t>(width));
    for (int j = width - 1; j >= 0; --j) {
        Tap t = TapOf(j, FrameWidth, width);
        s->pureFrom[t.from] = static_cast<uint16_t>(j);
        if (t.weight != 256) s->edge[t.from] = static_cast<uint16_t>(t.weight);
    }
    for (int x = FrameWidth - 1; x >= 0; --x)
        s->pureFrom[x] = std::min(s->pureFrom[x], s->pureFrom[x + 1]);
    s->rows.resize(height);
    for (int j = 0; j < height; ++j) {
        Tap t = TapOf(j, FrameHeight, height);
        s->rows[j] = {static_cast<int16_t>(t.from), static_cast<uint16_t>(t.weight)};
    }
    for (auto& row : s->expanded) row.assign(width + 4, 0);
    s->mixed.assign(width, 0);
    s->shown.assign(FrameWidth * FrameHeight, 0);
    s->showing = false;
}

void ScaleFrame(SharpScaler* s, const uint8_t* pixels, int pitch, const uint32_t colors[256],
                uint8_t* out, int outPitch) {
    if (s->whole) {
        ExpandFrame(pixels, pitch, colors, s->whole, out, outPitch);
        return;
    }
    // The rows this frame changed; all of them when the colours did or the output is new.
    if (!s->showing || std::memcmp(colors, s->shownColors, sizeof s->shownColors) != 0) {
        s->showing = false;
        std::memcpy(s->shownColors, colors, sizeof s->shownColors);
    }
    bool changed[FrameHeight + 1] = {};
    for (int y = 0; y < FrameHeight; ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* kept = s->shown.data() + static_cast<ptrdiff_t>(y) * FrameWidth;
        changed[y] = !s->showing || std::memcmp(row, kept, FrameWidth) != 0;
        if (changed[y]) std::memcpy(kept, row, FrameWidth);
    }
    s->showing = true;
    s->expandedFrom[0] = s->expandedFrom[1] = -1;
    const size_t rowBytes = static_cast<size_t>(s->width) * sizeof(uint32_t);
    for (int y = 0; y < s->height; ++y) {
        const SharpScaler::Row r = s->rows[y];
        if (!changed[r.from] && !(r.weight != 256 && changed[r.from + 1])) continue;
        uint8_t* line = out + static_cast<ptrdiff_t>(y) * outPitch;
        const auto* upper =
            reinterpret_cast<const uint8_t*>(ExpandedRow(s, pixels, pitch, colors, r.from));
        // Two rows alike mix into either: the battle's star field is drawn on every other row
        // in turn, the rows between left as the row above.
        const uint8_t* source = pixels + static_cast<ptrdiff_t>(r.from) * pitch;
        if (r.weight == 256 || std::memcmp(source, source + pitch, FrameWidth) == 0) {
            StoreRow(line, upper, rowBytes);
            continue;
        }
        const auto* lower =
            reinterpret_cast<const uint8_t*>(ExpandedRow(s, pixels, pitch, colors, r.from + 1));
        MixRows(upper, lower, r.weight, rowBytes, reinterpret_cast<uint8_t*>(s->mixed.data()));
        StoreRow(line, reinterpret_cast<const uint8_t*>(s->mixed.data()), rowBytes);
    }
#if defined(__SSE2__)
    _mm_sfence();
#endif
}
