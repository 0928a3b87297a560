#!/bin/bash
# A player at the real program: the title waits without using the processor, F1 opens the
# first mission, and the dish and the score line on the real screen are the very pixels that
# kestor-sim draws for the same moment. Mouse motion and clicks then move and swing the
# swatter, and switching to another window ends the program with exit code 0. A broken title
# picture beside the program leaves the title black and the game playable. The picture stays
# sharp where the environment asks for smooth scaling.
# Arguments: the kestor program, kestor-sim, the folder for screenshots.
set -u
KESTOR=$1
SIM=$2
ARTIFACTS=$3/play-opening
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

simulate_opening

start_xvfb
# A desktop that asks SDL for smooth scaling must still get whole, sharp pixels.
start_game env SDL_AUDIODRIVER=dummy SDL_RENDER_SCALE_QUALITY=linear "$KESTOR"

# ---- the title waits: its cost over five seconds, in the log -----------------------------------
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
before=$(cpu_ticks)
sleep 5
after=$(cpu_ticks)
hz=$(getconf CLK_TCK)
echo "title screen: $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 5 }')% of a core while waiting"

# ---- F1: the opening, against kestor-sim -------------------------------------------------------
xdotool key F1
sleep 4 # MissionIntro: the dish at rest and the score line, the swatter far from both
shoot opening
if ! best=$(matches_sim "$ARTIFACTS/opening.png" "$DISH"); then
    fail "the dish differs from every simulated frame (at best in $best pixels)"
fi
if ! best=$(matches_sim "$ARTIFACTS/opening.png" "$SCORE_LINE"); then
    fail "the score line differs from every simulated frame (at best in $best pixels)"
fi

# ---- the mouse: the swatter moves, and a click swings it ------------------------------------------
SWATTER_START=64x48+181+216
xdotool mousemove 640 480
sleep 0.3
xdotool mousemove_relative -- -200 -100
sleep 0.5
shoot moved
[ "$(region_difference "$ARTIFACTS/opening.png" "$ARTIFACTS/moved.png" "$SWATTER_START")" != "0" ] ||
    fail "mouse motion did not move the swatter"
xdotool mousedown 1
sleep 0.1
shoot swinging
xdotool mouseup 1
[ "$(compare -metric AE "$ARTIFACTS/moved.png" "$ARTIFACTS/swinging.png" null: 2>&1)" != "0" ] ||
    fail "a click did not change the picture"

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
sleep 4
shoot broken-opening
if ! best=$(matches_sim "$ARTIFACTS/broken-opening.png" "$DISH"); then
    fail "after a broken title the dish differs from every simulated frame (at best in $best pixels)"
fi
xdotool key Escape
expect_exit 0 Escape
echo "PASS"
