#!/bin/bash
# The real program in a real X server: it starts on the title picture, F1 leaves the title for
# the first mission, Escape ends it with exit code 0. Without any display it must give up at
# once with the display's error box on standard error.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for screenshots.
set -u
KESTOR=$1
ARTIFACTS=$3
mkdir -p "$ARTIFACTS"

source "$(dirname "$0")/xvfb.bash"

# ---- no display at all ----------------------------------------------------------------------
timeout 30 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy \
    "$KESTOR" 2>"$ARTIFACTS/no-display.err"
status=$?
[ "$status" -eq 124 ] && fail "without a display the program hangs"
[ "$status" -eq 1 ] || fail "without a display the exit code is $status, not 1"
grep -q "DirectDraw Error" "$ARTIFACTS/no-display.err" ||
    fail "without a display no \"DirectDraw Error\" on standard error: $(cat "$ARTIFACTS/no-display.err")"

# ---- a 1280x960 screen: the 640x480 picture exactly doubled ---------------------------------
start_xvfb

# The disk driver writes what the mixer plays, so the title music can be heard in a file.
start_game env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$ARTIFACTS/sound.raw" "$KESTOR"
sleep 1

shoot title
# Every pixel of the title picture must stand on the screen as a 2x2 block of its own colour.
title_bmp=$(dirname "$KESTOR")/Tilte.bmp
if [ -f "$title_bmp" ]; then
    differ=$(compare -metric AE "$ARTIFACTS/title.png" "$title_bmp" null: 2>&1)
    [ "$differ" = "0" ] || fail "the screen differs from Tilte.bmp in $differ pixels"
fi

xdotool key F1
sleep 4
shoot mission
changed=$(compare -metric AE "$ARTIFACTS/title.png" "$ARTIFACTS/mission.png" null: 2>&1)
[ "$changed" != "0" ] || fail "F1 did not leave the title screen"

xdotool key Escape
expect_exit 0 Escape

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
