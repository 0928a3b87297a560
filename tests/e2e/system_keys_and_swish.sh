#!/bin/bash
# The real program heard and keyed as a player would: on the title, Alt+F1, F10 and Alt+F2 are
# the system's keys and leave the title as it is; F1 then opens the first mission, and a swat
# in MissionIntro sounds the whole swish, as long as its clip, in the mix the sound device
# played (SDL's disk driver).
# Arguments: the kestor program, kestor-sim (not needed here), the folder for the artifacts.
set -u
KESTOR=$1
ARTIFACTS=$3/system-keys-and-swish
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

MIX=$ARTIFACTS/mix.raw
RATE=44100
rm -f "$MIX"
start_xvfb
start_game env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$MIX" "$KESTOR"

# ---- the system's keys on the title -----------------------------------------------------------
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

# ---- the swish of a swat in MissionIntro --------------------------------------------------------
# DishRise lasts three seconds; the mission's fanfare (1.27 s) opens MissionIntro, which lasts
# two. The swat comes once the fanfare is over, and Escape before the battle can make a sound.
xdotool key F1
sleep 4.6
mark=$(stat -c %s "$MIX")
xdotool mousedown 1 # held over a tick or two, as a hand would
sleep 0.1
xdotool mouseup 1
sleep 0.3
xdotool key Escape
expect_exit 0 Escape

# Seconds from the first to the last sample louder than two 8-bit steps, by sox.
audible() {
    sox "$@" -n silence 1 0 1.6% reverse silence 1 0 1.6% reverse stat 2>&1 |
        awk '/^Length/ { print $3 }'
}
# A third of a second from the swat on (the device is one channel of 16 bits): the swish and
# nothing of the battle.
tail -c +$((mark + 1)) "$MIX" | head -c $((RATE * 2 / 3)) >"$ARTIFACTS/swish.raw"
heard=$(audible -t raw -r $RATE -e signed -b 16 -c 1 "$ARTIFACTS/swish.raw")
clip=$(dirname "$KESTOR")/../assets/wav105.wav
whole=$(audible "$clip")
echo "swish: heard ${heard}s of the clip's ${whole}s"
[ -n "$heard" ] && [ -n "$whole" ] || fail "no swish to measure"
awk -v h="$heard" -v w="$whole" 'BEGIN { exit !(h > w - 0.015 && h < w + 0.015) }' ||
    fail "the swish was heard for ${heard}s, its clip lasts ${whole}s"
echo "PASS"
