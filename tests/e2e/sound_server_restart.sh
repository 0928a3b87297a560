#!/bin/bash
# The sound server restarting under the running game. A PulseAudio server of the test's own
# plays into a null sink whose monitor parec records; the game plays through it as on a
# desktop. In battle: a swat is heard whole, the server is killed, the game ticks on time
# while it is gone (the present log, presents.bash), the server comes back and a swat soon
# after is heard whole again; Escape then ends the game with 0. On the title: the looped music,
# gone with the server, is heard again once it is back, and the time it took is logged.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for the artifacts.
set -u
KESTOR=$1
ARTIFACTS=$3/sound-server-restart
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"
source "$(dirname "$0")/presents.bash"
for tool in pulseaudio parec pactl python3; do
    command -v "$tool" >/dev/null || fail "no $tool (tools/setup --tests installs it)"
done

RATE=44100
SWISH=$(dirname "$KESTOR")/../assets/wav105.wav
# The server's socket is named outright, so no client looks for, or starts, another server.
# A tenth of a second buffered in the server keeps a busy machine's scheduling out of what is
# heard.
PULSE=$(mktemp -d)
export PULSE_SERVER=unix:$PULSE/native PULSE_RUNTIME_PATH=$PULSE/runtime HOME=$PULSE
export PULSE_LATENCY_MSEC=100
server=
recorder=
stop_all() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
    [ -n "$server" ] && kill -KILL "$server" 2>/dev/null
    cleanup
    rm -rf "$PULSE"
}
trap stop_all EXIT

start_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=info --log-time \
        -L module-null-sink -L "module-native-protocol-unix socket=$PULSE/native auth-anonymous=1" \
        >"$ARTIFACTS/pulseaudio-$1.log" 2>&1 &
    server=$!
    for _ in $(seq 200); do
        pactl info >/dev/null 2>&1 && return
        sleep 0.05
    done
    fail "the sound server did not start"
}

# As a crash would: no goodbye to its clients. The recorder goes with it.
kill_server() {
    kill -KILL "$server"
    wait "$server" 2>/dev/null
    server=
    kill "$recorder" 2>/dev/null
    wait "$recorder" 2>/dev/null
    recorder=
}

# Everything the sink plays from now on, one channel of 16 bits.
record() {
    parec -d null.monitor --raw --format=s16le --rate=$RATE --channels=1 --latency-msec=10 \
        >"$ARTIFACTS/$1.raw" 2>>"$ARTIFACTS/parec.log" &
    recorder=$!
}

# Bytes recorded so far.
recorded() {
    stat -c %s "$ARTIFACTS/$1.raw"
}

# A swat as a hand makes it, the mouse button held over a tick or two; prints where it falls
# in the recording.
swat() {
    recorded "$1"
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

# How much of the swish the recording holds from near a byte offset on: the recording around
# the swish's onset projected onto the clip as the device plays it, for the clip's first and
# second half. 1 and 1 is the clip whole at its own level; a clip not heard, or cut short, or
# begun late, gives 0 for a half. Other sounds of the battle hardly move the figures.
swish_heard() {
    python3 - "$SWISH" "$ARTIFACTS/$1.raw" "$2" "$RATE" <<'EOF'
import array, sys, wave
clip_file, recording, offset, rate = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
with wave.open(clip_file) as w:
    own_rate, width, frames = w.getframerate(), w.getsampwidth(), w.readframes(w.getnframes())
source = [(b - 128) * 256 for b in frames] if width == 1 else list(array.array("h", frames))
# The clip at the device's rate, by straight lines between its samples.
clip = []
for i in range(len(source) * rate // own_rate):
    at = i * own_rate / rate
    n = int(at)
    a, b = source[n], source[min(n + 1, len(source) - 1)]
    clip.append(a + (b - a) * (at - n))
data = array.array("h", open(recording, "rb").read())
start = offset // 2
heard = data[start : start + rate // 2 + len(clip)]
if len(heard) < len(clip):
    print("0 0")
    sys.exit()

def dot(x, y, at, step=1):
    return sum(x[i] * y[at + i] for i in range(0, len(x), step))

# The onset: the best match over a coarse grid, then to the sample.
coarse = max(range(0, len(heard) - len(clip), 8), key=lambda at: dot(clip, heard, at, 8))
onset = max(range(max(0, coarse - 8), min(len(heard) - len(clip), coarse + 8) + 1),
            key=lambda at: dot(clip, heard, at))
half = len(clip) // 2
first, second = clip[:half], clip[half:]
print("%.2f %.2f %.0f" % (dot(first, heard, onset) / dot(first, first, 0),
                          dot(second, heard, onset + half) / dot(second, second, 0),
                          onset * 1000 / rate))
EOF
}

# Fails unless the swat at that offset was heard whole.
expect_swish() {
    local figures
    figures=$(swish_heard "$1" "$2")
    echo "$3: the swish's halves heard at $(echo "$figures" | awk '{ print $1 " and " $2 " of their level, " $3 " ms after the swat" }')"
    echo "$figures" | awk '{ exit !($1 > 0.75 && $1 < 1.25 && $2 > 0.75 && $2 < 1.25) }' ||
        fail "$3: the swish was not heard whole"
}

# Milliseconds from the start of a recording to its first sample louder than two 8-bit steps.
first_sound() {
    python3 - "$ARTIFACTS/$1.raw" "$RATE" <<'EOF'
import array, sys
data = array.array("h", open(sys.argv[1], "rb").read())
loud = next((i for i, s in enumerate(data) if abs(s) > 512), None)
print(-1 if loud is None else loud * 1000 // int(sys.argv[2]))
EOF
}

# Milliseconds from a server's start-up to the game's stream on it, by the server's own log.
stream_back() {
    awk -F'[(|]' '/Daemon startup complete/ { up = $2 }
        /Created input/ && up != "" { printf "%d\n", ($2 - up) * 1000; exit }' \
        "$ARTIFACTS/pulseaudio-$1.log"
}

build_present_logger
start_xvfb

# ---- in battle ----------------------------------------------------------------------------------
log=$ARTIFACTS/presents.log
rm -f "$log"
start_server battle
record before
start_game env SDL_AUDIODRIVER=pulseaudio PRESENT_LOG="$log" LD_PRELOAD="$ARTIFACTS/presents.so" "$KESTOR"
xdotool key F1
# DishRise lasts three seconds, then the mission's fanfare (1.27 s) opens MissionIntro.
sleep 4.6
before=$(swat before)
sleep 0.8
kill_server
# MissionIntro is over: the battle has begun.
from=$(wc -l <"$log")
sleep 3
to=$(wc -l <"$log")
kill -0 "$game" 2>/dev/null || fail "the program ended with its sound server: $(cat "$ARTIFACTS/kestor.err")"
tick_figures "$log" "$from" "$to" 3 "battle tick while the server was gone" 55 250 ||
    fail "the game did not tick on time while its sound server was gone"
start_server battle-again
record after
sleep 1.6
after=$(swat after)
sleep 0.8
xdotool key Escape
expect_exit 0 Escape
kill_server
expect_swish before "$before" "before the server went"
expect_swish after "$after" "1.6 s after the server came back"
echo "in battle, the game played into the server again $(stream_back battle-again) ms after it was back"

# ---- on the title -------------------------------------------------------------------------------
start_server title
record title
start_game env SDL_AUDIODRIVER=pulseaudio "$KESTOR"
sleep 1
[ "$(first_sound title)" -ge 0 ] || fail "no title music before the server went"
kill_server
sleep 3
start_server title-again
record title-again
sleep 3
[ "$(first_sound title-again)" -ge 0 ] || fail "no title music in the 3 s after the server came back"
echo "on the title, the music played into the server again $(stream_back title-again) ms after it was back"
xdotool key Escape
expect_exit 0 Escape
echo "PASS"
