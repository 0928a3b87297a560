// One seeded run pinned to its pixels and its trace: the title, two players in battle, a boss,
// items, pauses and random hands. Work on the speed of drawing or updating must leave every
// checksum here as it is; a rule or a pixel that moves shows up as a changed number.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "platform/host/headless/headless.h"
#include "tools/sim/sim.h"

namespace {

uint64_t Fnv(uint64_t hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    return hash;
}

constexpr uint64_t FnvStart = 0xcbf29ce484222325ull;

// The presented frame with its palette, as one number.
uint64_t FrameSum() {
    const std::vector<uint8_t>& screen = HeadlessScreen();
    uint64_t hash = Fnv(FnvStart, screen.data(), screen.size());
    return Fnv(hash, HeadlessScreenPalette(), 256 * sizeof(HostColor));
}

struct Pinned {
    uint64_t trace = FnvStart;          // every row of the trace
    uint64_t frames = FnvStart;         // the frame after every fifth tick
    std::map<uint32_t, uint64_t> shown; // single frames, by tick count
    int rows = 0;
    int exitCode = -1;
};

Pinned RunPinned() {
    const std::string script = "wait 1500\n"
                               "key F2\n"
                               "autoplay 2\n"
                               "wait 60000\n"
                               "key PAUSE\n"
                               "wait 2000\n"
                               "key A\n"
                               "chaos 30000 11\n"
                               "autoplay 2\n"
                               "wait 30000\n";
    SimOptions options;
    options.haveSeed = true;
    options.seed = 1234;
    options.joystick = true;
    Pinned pinned;
    int ticks = 0;
    SimResult r = RunSim(script, options, nullptr, [&](const TraceRow& row) {
        std::string line = TraceJson(row);
        pinned.trace = Fnv(pinned.trace, line.data(), line.size());
        ++pinned.rows;
        if (row.key >= 0) return;
        if (++ticks % 5 != 0) return;
        uint64_t sum = FrameSum();
        pinned.frames = Fnv(pinned.frames, &sum, sizeof sum);
        if (ticks % 500 == 0) pinned.shown[static_cast<uint32_t>(ticks)] = sum;
    });
    pinned.exitCode = r.exitCode;
    return pinned;
}

TEST(PinnedRun, FramesAndTraceStayAsTheyWere) {
    Pinned p = RunPinned();
    EXPECT_EQ(p.exitCode, 0);
    EXPECT_EQ(p.rows, 2998);
    EXPECT_EQ(p.trace, 0x5eb162915454b08dull);
    EXPECT_EQ(p.frames, 0xd871d41fe2d4fac6ull);
    // Single frames first lead to where a change began: mission 1, its win, mission 2, its
    // loss and the restart.
    const std::map<uint32_t, uint64_t> shown = {{500, 0x8f6962f694b89024ull},
                                                {1000, 0x7dcf0f68d048004dull},
                                                {1500, 0xaa57d64a90d9defcull},
                                                {2000, 0x34c90a4b8b77062cull},
                                                {2500, 0x24956496441e1e58ull}};
    EXPECT_EQ(p.shown, shown);
}

} // namespace
