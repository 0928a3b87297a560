# Shared by the end-to-end scripts that time the real program's tick: in battle every tick
# presents one frame, so the times between presents are the ticks. A small preloaded library
# notes the time each present begins (SDL's renderer or window surface) in the file named by
# PRESENT_LOG; the program itself is as shipped. Sourcing scripts set ARTIFACTS first.

# Builds the logger as $ARTIFACTS/presents.so.
build_present_logger() {
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
}

# The ticks between two lines of a present log, as figures under a label: how many, their mean,
# spread, shortest and longest, and how many were late. Fails when there were fewer than
# `least` ticks (5 a second if not given) or, given `longest`, one took longer than that (ms).
# Arguments: the log, the lines before the first and up to the last, the seconds they span, the
# label, then optionally least and longest.
tick_figures() {
    local log=$1 from=$2 to=$3 seconds=$4 label=$5 least=${6:-$(($4 * 5))} longest=${7:-0}
    sed -n "$((from + 1)),${to}p" "$log" | awk -v seconds="$seconds" -v label="$label" \
        -v least="$least" -v longest="$longest" '
        NR > 1 { d = ($1 - last) / 1000; if (d < 20) next # a second present in one tick
                 n++; sum += d; squares += d * d
                 if (n == 1 || d < lo) lo = d; if (d > hi) hi = d; if (d >= 41) late++ }
        { last = $1 }
        END {
            if (n < least) { print "only " n " ticks in " seconds " s"; exit 1 }
            mean = sum / n
            printf "%s over %g s: mean %.3f ms, sd %.3f, min %.3f, max %.3f, %d of %d ticks 41 ms or more\n",
                   label, seconds, mean, sqrt(squares / n - mean * mean), lo, hi, late, n
            if (longest > 0 && hi > longest) { print "a tick took " hi " ms"; exit 1 }
        }'
}
