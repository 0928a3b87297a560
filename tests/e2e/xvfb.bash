# Shared by the end-to-end scripts: a private X server at 1280x960, where the game's 640x480
# picture stands exactly doubled, and the bookkeeping of the game under test.
# Sourcing scripts set ARTIFACTS first.

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

start_xvfb() {
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1280x960x24 -nolisten tcp >"$ARTIFACTS/xvfb.log" 2>&1 &
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

# How many pixels of a region (WxH+X+Y) differ between two pictures.
region_difference() {
    compare -metric AE -extract "$3" "$1" "$2" null: 2>&1
}
