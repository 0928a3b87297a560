// The page's side of the keys, the focus and the game's sleep (events.cpp).
mergeInto(LibraryManager.library, {
    PageHasFocus: function() {
        return document.hasFocus() ? 1 : 0;
    },

    // The game's sleep: until a timer shortly before the page's clock reads `due`, cut short by
    // the next message. Timers fire late, the more so the busier or slower the machine, and the
    // next tick is timed from this one's grant, so every late wake-up slows the game down: the
    // timer is set early by a millisecond more than timers have lately been late, at most 8. The
    // time between two sleeps is the game's busy time.
    SleepUntilWoken__deps: ["$Asyncify"],
    SleepUntilWoken: function(due) {
        return Asyncify.handleAsync(async () => {
            var stats = Module.kestor.stats;
            stats.busyMs += performance.now() - stats.sliceStart;
            await new Promise(function(resolve) {
                Module.kestor.wake = resolve;
                var early = Math.min(8, 1 + Module.kestor.timerLate);
                var at = due - early;
                setTimeout(function() {
                    var late = Math.max(0, performance.now() - at);
                    Module.kestor.timerLate = Math.max(late, Module.kestor.timerLate * 0.98);
                    resolve();
                }, Math.max(0, at - performance.now()));
            });
            Module.kestor.wake = null;
        });
    },

    SliceStarts: function() {
        Module.kestor.stats.sliceStart = performance.now();
    },

    Wake: function() {
        if (Module.kestor.wake) Module.kestor.wake();
    },
});
