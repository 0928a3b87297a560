# Shared by the end-to-end scripts: a private X server at 1280x960, where the game's 640x480
# picture stands exactly doubled, the bookkeeping of the game under test, and kestor-sim's
# frames of the opening to hold the real screen against.
# Sourcing scripts set ARTIFACTS (and SIM, for the frames) first.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

game=
xvfb=
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# An optional WxH gives the screen another size.
start_xvfb() {
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 "${1:-1280x960}x24" -nolisten tcp >"$ARTIFACTS/xvfb.log" 2>&1 &
    xvfb=$!
    local number
    read -r -t 20 -u "$displayfd" number || fail "Xvfb did not start"
    export DISPLAY=:$number
}

# Starts the program given, in the background, and waits for its window.
start_game() {
    "$@" 2>"$ARTIFACTS/kestor.err" &
    game=$!
    timeout 20 xdotool search --sync --name '^Kestor$' >/dev/null || fail "no window named Kestor"
    sleep 1
    kill -0 "$game" 2>/dev/null || fail "the program ended on its own: $(cat "$ARTIFACTS/kestor.err")"
}

# Waits up to ten seconds for the game to end and checks its exit code.
expect_exit() {
    local want=$1 why=$2
    for _ in $(seq 100); do
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game" 2>/dev/null && fail "$why did not end the program"
    wait "$game"
    local status=$?
    game=
    [ "$status" -eq "$want" ] || fail "exit code $status after $why: $(cat "$ARTIFACTS/kestor.err")"
}

# The screen as the game's own 640x480 picture.
shoot() {
    import -window root "$ARTIFACTS/$1-full.png" || fail "no screenshot $1"
    convert "$ARTIFACTS/$1-full.png" -sample 50% "$ARTIFACTS/$1.png"
}

# Pause holds the frame on the screen. A screenshot can take a second on a busy machine, and
# one taken while a frame is presented can hold parts of two: a moment to compare with
# kestor-sim's frames is frozen first. Any key but Pause goes on.
freeze() {
    xdotool key Pause
    sleep 0.3
}

DISH=320x128+160+352
SCORE_LINE=640x32+0+8

# kestor-sim's frames of the opening, one every tick, from the dish standing whole in DishRise
# to the end of MissionIntro; the star field moves under every region from frame to frame.
# Arguments given are script lines put in before the first frame (the mouse moved, say).
simulate_opening() {
    local script="$ARTIFACTS/opening.script"
    {
        echo "wait 1000"
        echo "key F1"
        echo "wait 1520"
        for line in "$@"; do echo "$line"; done
        for i in $(seq -w 0 89); do
            echo "shot sim-$i"
            echo "wait 40"
        done
    } >"$script"
    "$SIM" --no-sound --shots "$ARTIFACTS" "$script" >/dev/null ||
        fail "kestor-sim could not run the opening"
}

# The region must match one of the simulated frames exactly; if not, prints the least
# difference in pixels. All the frames are held against the shot in one go.
matches_sim() {
    local shot=$1 region=$2 best
    best=$(convert "$ARTIFACTS"/sim-*.png -crop "$region" +repage null: \( "$shot" -crop "$region" \
        +repage \) -compose difference -layers composite -colorspace gray -threshold 0 \
        -format "%[fx:round(mean*w*h)]\n" info: | sort -n | head -n 1)
    [ "$best" = "0" ] && return 0
    echo "${best:-no frames}"
    return 1
}

# Seconds from the first to the last sample louder than two 8-bit steps, by sox.
audible() {
    sox "$@" -n silence 1 0 1.6% reverse silence 1 0 1.6% reverse stat 2>&1 |
        awk '/^Length/ { print $3 }'
}

# From the title: F1 opens the first mission, a swat in MissionIntro must sound the whole swish,
# as long as its clip, in the mix the sound device played (SDL's disk driver: one channel of
# 16 bits at 44100 Hz, in the file `mix`), and Escape then ends the game with 0. DishRise lasts
# three seconds; the mission's fanfare (1.27 s) opens MissionIntro, which lasts two. The swat
# comes once the fanfare is over, and Escape before the battle can make a sound.
# Arguments: the mix file, the swish's clip.
swat_and_hear_swish() {
    local mix=$1 clip=$2 rate=44100 mark heard whole
    xdotool key F1
    sleep 4.6
    mark=$(stat -c %s "$mix")
    xdotool mousedown 1 # held over a tick or two, as a hand would
    sleep 0.1
    xdotool mouseup 1
    sleep 0.3
    xdotool key Escape
    expect_exit 0 Escape
    # A third of a second from the swat on: the swish and nothing of the battle.
    tail -c +$((mark + 1)) "$mix" | head -c $((rate * 2 / 3)) >"$ARTIFACTS/swish.raw"
    heard=$(audible -t raw -r $rate -e signed -b 16 -c 1 "$ARTIFACTS/swish.raw")
    whole=$(audible "$clip")
    echo "swish: heard ${heard}s of the clip's ${whole}s"
    [ -n "$heard" ] && [ -n "$whole" ] || fail "no swish to measure"
    awk -v h="$heard" -v w="$whole" 'BEGIN { exit !(h > w - 0.015 && h < w + 0.015) }' ||
        fail "the swish was heard for ${heard}s, its clip lasts ${whole}s"
}

# On the title, Alt+F1, F10 and Alt+F2 are the system's keys: they leave the title as it is
# and the game running.
system_keys_leave_the_title() {
    shoot title
    for chord in alt+F1 F10 alt+F2; do
        xdotool key "$chord"
        sleep 0.5
        kill -0 "$game" 2>/dev/null || fail "$chord ended the program"
    done
    sleep 1
    shoot after-system-keys
    [ "$(compare -metric AE "$ARTIFACTS/title.png" "$ARTIFACTS/after-system-keys.png" null: 2>&1)" = "0" ] ||
        fail "Alt+F1, F10 or Alt+F2 changed the title"
}
