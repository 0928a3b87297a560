#!/bin/bash
# The picture fills the screens people have, sharp, on every way to the screen: the window
# surface (no GPU), and SDL's software and OpenGL renderers asked for by name. On each screen the
# title must stand where the fill puts it, black around it, and look like kestor-sim's title
# drawn ideally at that size: each of its pixels an exact square, the screen's pixels sampled by
# area. Measured on the title at 1024x768, uneven nearest-neighbour comes to 27 dB against that
# and plain bilinear to 33 dB; a whole-multiple prescale shrunk linearly to 42 dB, the host's
# own scaler to 61 dB. KESTOR_SCALE=whole shows today's whole multiples, pixel for pixel.
# Arguments: the kestor program, kestor-sim, the folder for screenshots.
set -u
KESTOR=$1
SIM=$2
ARTIFACTS=$3/fill-screen
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"
source "$(dirname "$0")/fill.bash"
simulate_title

# The title on one screen and path, given a few seconds to show.
title_on() {
    local screen=$1 path=$2 driver=$3
    start_game env SDL_AUDIODRIVER=dummy ${driver:+SDL_RENDER_DRIVER=$driver} "$KESTOR"
    title_fills "$screen" "$path"
    xdotool key Escape
    expect_exit 0 "Escape on $screen, $path"
}

for screen in 1366x768 1600x900 1920x1080 2560x1440 1280x960; do
    start_xvfb "$screen"
    title_on "$screen" window-surface ""
    title_on "$screen" software software
    title_on "$screen" opengl opengl
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null
    xvfb=
done

# Whole multiples asked for: on a 1366x768 screen that is the picture itself, centred.
start_xvfb 1366x768
start_game env SDL_AUDIODRIVER=dummy KESTOR_SCALE=whole "$KESTOR"
sleep 1
import -window root "$ARTIFACTS/whole.png" || fail "no screenshot whole"
lit=$(convert "$ARTIFACTS/whole.png" -fill black -draw "rectangle 363,144 1002,623" \
    -format '%[fx:maxima.intensity]' info:)
[ "$lit" = "0" ] || fail "KESTOR_SCALE=whole: lit outside 640x480+363+144"
convert "$ARTIFACTS/whole.png" -crop 640x480+363+144 +repage "$ARTIFACTS/whole.picture.png"
differ=$(compare -metric AE "$ARTIFACTS/whole.picture.png" "$ARTIFACTS/title.png" null: 2>&1)
[ "$differ" = "0" ] || fail "KESTOR_SCALE=whole: the title differs from kestor-sim's in $differ pixels"
xdotool key Escape
expect_exit 0 "Escape with KESTOR_SCALE=whole"
echo "PASS"
