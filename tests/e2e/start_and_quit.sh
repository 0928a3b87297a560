#!/bin/bash
# The real program in a real X server: it starts on the title picture, F1 leaves the title for
# the first mission, Escape ends it with exit code 0. Without any display it must give up at
# once with the display's error box on standard error.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for screenshots.
set -u
KESTOR=$1
ARTIFACTS=$3
mkdir -p "$ARTIFACTS"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# ---- no display at all ----------------------------------------------------------------------
timeout 30 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy \
    "$KESTOR" 2>"$ARTIFACTS/no-display.err"
status=$?
[ "$status" -eq 124 ] && fail "without a display the program hangs"
[ "$status" -eq 1 ] || fail "without a display the exit code is $status, not 1"
grep -q "DirectDraw Error" "$ARTIFACTS/no-display.err" ||
    fail "without a display no \"DirectDraw Error\" on standard error: $(cat "$ARTIFACTS/no-display.err")"

# ---- a 1280x960 screen: the 640x480 picture exactly doubled ---------------------------------
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x960x24 -nolisten tcp >"$ARTIFACTS/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 20 -u "$displayfd" number || fail "Xvfb did not start"
export DISPLAY=:$number
game=
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# The disk driver writes what the mixer plays, so the title music can be heard in a file.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$ARTIFACTS/sound.raw" "$KESTOR" 2>"$ARTIFACTS/kestor.err" &
game=$!
timeout 20 xdotool search --sync --name '^Kestor$' >/dev/null || fail "no window named Kestor"
sleep 2
kill -0 "$game" 2>/dev/null || fail "the program ended on its own: $(cat "$ARTIFACTS/kestor.err")"

import -window root "$ARTIFACTS/title.png" || fail "no screenshot of the title"
# Every pixel of the title picture must stand on the screen as a 2x2 block of its own colour.
title_bmp=$(dirname "$KESTOR")/Tilte.bmp
if [ -f "$title_bmp" ]; then
    convert "$ARTIFACTS/title.png" -sample 50% "$ARTIFACTS/title-halved.png"
    differ=$(compare -metric AE "$ARTIFACTS/title-halved.png" "$title_bmp" null: 2>&1)
    [ "$differ" = "0" ] || fail "the screen differs from Tilte.bmp in $differ pixels"
fi

xdotool key F1
sleep 4
import -window root "$ARTIFACTS/mission.png" || fail "no screenshot of the mission"
changed=$(compare -metric AE "$ARTIFACTS/title.png" "$ARTIFACTS/mission.png" null: 2>&1)
[ "$changed" != "0" ] || fail "F1 did not leave the title screen"

xdotool key Escape
for _ in $(seq 100); do
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game" 2>/dev/null && fail "Escape did not end the program"
wait "$game"
status=$?
game=
[ "$status" -eq 0 ] || fail "exit code $status after Escape: $(cat "$ARTIFACTS/kestor.err")"

# The mixer ran, and the title music came out of it unless the clip is itself silent
# (8-bit silence is 0x80). The build keeps the clips in assets/ beside bin/.
[ -s "$ARTIFACTS/sound.raw" ] || fail "no sound reached the audio device"
music=$(dirname "$KESTOR")/../assets/wav134.wav
if [ -f "$music" ]; then
    data=$(LC_ALL=C grep -obUa data "$music" | head -n 1 | cut -d: -f1)
    if [ -n "$(tail -c +$((data + 9)) "$music" | LC_ALL=C tr -d '\200' | head -c 1)" ]; then
        [ -n "$(LC_ALL=C tr -d '\000' <"$ARTIFACTS/sound.raw" | head -c 1)" ] ||
            fail "the title music is not silent, but the audio device heard only silence"
    fi
fi
echo "PASS"
