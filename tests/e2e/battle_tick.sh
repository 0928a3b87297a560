#!/bin/bash
# The real program's game tick, measured from outside: in battle every tick presents one frame,
# so the times between presents are the ticks. A small preloaded library notes the time each
# present begins (SDL's renderer or window surface); the program itself is as shipped. On a
# busy machine without a GPU the drawing itself can take longer than a tick. Logs the
# mean tick, its spread and the share of late ticks over ten seconds of battle (the seconds
# can be set with KESTOR_TICK_SECONDS), and how often the main thread wakes, without and with
# a joystick; asserts only that the battle ticked.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for the artifacts.
set -u
KESTOR=$1
ARTIFACTS=$3/battle-tick
SECONDS_OF_BATTLE=${KESTOR_TICK_SECONDS:-10}
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

cat >"$ARTIFACTS/presents.c" <<'EOF'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int out = -1;

static void note(void) {
    if (out < 0) out = open(getenv("PRESENT_LOG"), O_WRONLY | O_CREAT | O_APPEND, 0644);
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    char line[32];
    int n = snprintf(line, sizeof line, "%lld\n", (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000);
    if (out >= 0 && write(out, line, (size_t)n) < 0) out = -1;
}

void SDL_RenderPresent(void* renderer) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    note();
    real(renderer);
}

int SDL_UpdateWindowSurface(void* window) {
    static int (*real)(void*);
    if (!real) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
    note();
    return real(window);
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
    static int (*real)(void*, const void*, int);
    if (!real) real = (int (*)(void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
    note();
    return real(window, rects, count);
}
EOF
cc -shared -fPIC -O2 -o "$ARTIFACTS/presents.so" "$ARTIFACTS/presents.c" -ldl ||
    fail "could not build the present logger"

# One battle: its ticks and the main thread's wake-ups (the kernel's count of its sleeps).
# Arguments: a label, then what to preload besides the present logger.
battle() {
    local label=$1 preload="$ARTIFACTS/presents.so${2:+ $2}" log="$ARTIFACTS/presents-$1.log"
    rm -f "$log"
    start_game env SDL_AUDIODRIVER=dummy PRESENT_LOG="$log" LD_PRELOAD="$preload" "$KESTOR"
    xdotool key F1
    sleep 6 # DishRise and MissionIntro: the battle has begun
    local from to woken slept
    woken=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$game/task/$game/status")
    from=$(wc -l <"$log")
    sleep "$SECONDS_OF_BATTLE"
    to=$(wc -l <"$log")
    slept=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$game/task/$game/status")
    xdotool key Escape
    expect_exit 0 Escape
    echo "$label: the main thread woke $(((slept - woken) / SECONDS_OF_BATTLE)) times a second"
    sed -n "$((from + 1)),${to}p" "$log" | awk -v seconds="$SECONDS_OF_BATTLE" -v label="$label" '
        NR > 1 { d = ($1 - last) / 1000; if (d < 20) next # a second present in one tick
                 n++; sum += d; squares += d * d
                 if (n == 1 || d < lo) lo = d; if (d > hi) hi = d; if (d >= 41) late++ }
        { last = $1 }
        END {
            if (n < seconds * 5) { print "only " n " ticks in " seconds " s of battle"; exit 1 }
            mean = sum / n
            printf "%s: battle tick over %d s: mean %.3f ms, sd %.3f, min %.3f, max %.3f, %d of %d ticks 41 ms or more\n",
                   label, seconds, mean, sqrt(squares / n - mean * mean), lo, hi, late, n
        }' || fail "the battle did not tick"
}

start_xvfb
battle "no joystick"
# The soak's virtual joystick, plugged in when the program first counts its joysticks.
joystick=$(dirname "$KESTOR")/../tests/soak/libkestor-virtual-joystick.so
[ -f "$joystick" ] && battle "a joystick" "$joystick"
echo "PASS"
