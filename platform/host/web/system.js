// The page's measure of itself (system.cpp): ticks, those that came more than 50 ms after the
// one before, the game's busy time between its sleeps, and the page's clock when the game's
// read 0.
mergeInto(LibraryManager.library, {
    StartClock: function() {
        var now = performance.now();
        Module.kestor.stats =
            { ticks: 0, lateTicks: 0, lastTickAt: 0, busyMs: 0, sliceStart: now, startedAt: now };
        return now;
    },

    CountTick: function() {
        var stats = Module.kestor.stats;
        var now = performance.now();
        if (stats.ticks > 0 && now - stats.lastTickAt > 50) stats.lateTicks += 1;
        stats.lastTickAt = now;
        stats.ticks += 1;
    },
});
