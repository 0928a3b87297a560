#!/bin/bash
# A player at the real program: the title waits without using the processor, F1 opens the
# first mission, and the dish, the score line and the swatter moved by the mouse on the real
# screen are the very pixels that kestor-sim draws for the same moment; in the battle a click
# swings the swatter as kestor-sim draws it. Switching to another
# window ends the program with exit code 0. A broken title picture beside the program leaves
# the title black and the game playable. The picture stays sharp where the environment asks
# for smooth scaling.
# Arguments: the kestor program, kestor-sim, the folder for screenshots.
set -u
KESTOR=$1
SIM=$2
ARTIFACTS=$3/play-opening
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

# The mouse moves the swatter in MissionIntro: kestor-sim moves it in DishRise, before the frames,
# as the test does below; the counts wait for the first tick that reads them.
MOTION=(-120 30)
simulate_opening "mouse ${MOTION[*]}"
# The swatter where it starts and where the motion takes it.
SWATTERS=184x78+61+216
# The battle's first moments, with and without a click, and a click later on the star field
# scrolled on: the swing is where the click changed the picture, the same on both backgrounds.
battle_frame() {
    printf 'wait 1000\nkey F1\nwait 1520\nmouse %s\nwait %s\n%s\nwait 30\n%s\nshot %s\n' \
        "${MOTION[*]}" "$2" "$3" "$4" "$1" >"$ARTIFACTS/$1.script"
    "$SIM" --no-sound --shots "$ARTIFACTS" "$ARTIFACTS/$1.script" >/dev/null || fail "kestor-sim could not run $1"
}
battle_frame swung 4000 "button down" "button up"
battle_frame ready 4000 "wait 0" "wait 0"
battle_frame swung-later 4400 "button down" "button up"
convert "$ARTIFACTS/swung.png" "$ARTIFACTS/ready.png" -compose difference -composite -colorspace gray \
    -threshold 0 \( "$ARTIFACTS/swung.png" "$ARTIFACTS/swung-later.png" -compose difference -composite \
    -colorspace gray -threshold 0 -negate \) -compose multiply -composite "$ARTIFACTS/swing-mask.png"
count() { convert "$@" -format '%[fx:round(mean*w*h)]' info:; }
swing_pixels=$(count "$ARTIFACTS/swing-mask.png")
[ "$swing_pixels" -gt 500 ] || fail "kestor-sim's click swung no swatter ($swing_pixels pixels changed)"
# The pixels of the swing that a shot shares with kestor-sim's swing; a fly or a star crossing it
# may take a few.
swing_shown() {
    local same
    same=$(count "$1" "$ARTIFACTS/swung.png" -compose difference -composite -colorspace gray -threshold 0 \
        -negate "$ARTIFACTS/swing-mask.png" -compose multiply -composite)
    echo "$same of $swing_pixels"
    [ $((same * 10)) -ge $((swing_pixels * 9)) ]
}

start_xvfb
# A desktop that asks SDL for smooth scaling must still get whole, sharp pixels.
start_game env SDL_AUDIODRIVER=dummy SDL_RENDER_SCALE_QUALITY=linear "$KESTOR"

# ---- the title waits: its cost over five seconds ------------------------------------------------
# It sleeps until a key arrives, waking once a second: half a percent of a core. A title that
# polled would take all a core could give it, on a busy machine still a tenth or more.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
# The start-up's own work is done first: on a busy machine it can take seconds. Half a second
# without a tick of the processor (ten seconds at most) says the title is shown and waiting.
for _ in $(seq 20); do
    before=$(cpu_ticks)
    sleep 0.5
    [ "$(cpu_ticks)" = "$before" ] && break
done
before=$(cpu_ticks)
sleep 5
after=$(cpu_ticks)
share=$(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * t / hz / 5 }')
echo "title screen: $share% of a core while waiting"
awk -v s="$share" 'BEGIN { exit !(s <= 3) }' || fail "the title took $share% of a core, more than 3%, to wait"

# ---- F1: the opening, and the mouse, against kestor-sim ---------------------------------------
xdotool key F1
sleep 1.5 # DishRise
xdotool mousemove_relative -- "${MOTION[@]}"
sleep 2 # MissionIntro, from 3.04 s to 5.08 s after F1
freeze
shoot opening
if ! best=$(matches_sim "$ARTIFACTS/opening.png" "$DISH"); then
    fail "the dish differs from every simulated frame (at best in $best pixels)"
fi
if ! best=$(matches_sim "$ARTIFACTS/opening.png" "$SCORE_LINE"); then
    fail "the score line differs from every simulated frame (at best in $best pixels)"
fi
if ! best=$(matches_sim "$ARTIFACTS/opening.png" "$SWATTERS"); then
    fail "mouse motion of (${MOTION[*]}) counts did not move the swatter by as many pixels (at best $best pixels differ)"
fi

# ---- a click in the battle swings the swatter ---------------------------------------------------
# The click goes down and up at once, as a touchpad's tap does, so it lies between two of the
# game's looks at the button. The swing is on the screen for two ticks, less than a key takes to
# reach the game: the game is stopped where it stands instead, and a moment that missed the
# swing (a late tick on a busy machine) is tried again.
xdotool key Shift
sleep 2.5 # the battle
swung=
for try in 1 2 3 4 5; do
    xdotool mousedown 1 mouseup 1
    sleep 0.05
    kill -STOP "$game"
    shoot "click-$try"
    kill -CONT "$game"
    if seen=$(swing_shown "$ARTIFACTS/click-$try.png"); then
        swung=$try
        break
    fi
    echo "click $try: $seen pixels of the swing"
    sleep 0.3
done
[ -n "$swung" ] || fail "five clicks in the battle never showed the swatter's swing (the last: $seen pixels of it)"
echo "click $swung showed the swing: $seen pixels of it"

# ---- another window takes the focus: the game ends as a player would expect -------------------------
display -geometry 64x64+0+0 -title other logo: &
other=$!
timeout 10 xdotool search --sync --name '^other$' >/dev/null || fail "no second window"
xdotool windowfocus --sync "$(xdotool search --name '^other$' | head -n 1)"
expect_exit 0 "losing the focus"
kill "$other" 2>/dev/null

# ---- a broken title picture beside a copy of the program -------------------------------------------
copy="$ARTIFACTS/broken"
mkdir -p "$copy"
cp "$KESTOR" "$copy/kestor"
head -c 600 "$(dirname "$KESTOR")/Tilte.bmp" >"$copy/Tilte.bmp"
start_game env SDL_AUDIODRIVER=dummy "$copy/kestor"
shoot broken-title
[ "$(convert "$ARTIFACTS/broken-title.png" -format '%[fx:maxima.intensity]' info:)" = "0" ] ||
    fail "a truncated Tilte.bmp did not leave the title black"
xdotool key F1
sleep 3.5
freeze
shoot broken-opening
if ! best=$(matches_sim "$ARTIFACTS/broken-opening.png" "$DISH"); then
    fail "after a broken title the dish differs from every simulated frame (at best in $best pixels)"
fi
xdotool key Escape
expect_exit 0 Escape
echo "PASS"
