#!/bin/bash
# Both ways to the screen show kestor-sim's very pixels: the window surface, which the program
# takes on a machine without a GPU, and the streaming texture, taken here through Mesa's
# software OpenGL because SDL_RENDER_DRIVER names it (and with a desktop that asks for smooth
# scaling, which must not blur it). Whole multiples are asked for, so that the pixels are the
# game's own: on a 1400x1000 screen the doubled picture stands centred on black. Without a GPU the program never loads OpenGL at all: that is what makes it start fast.
# Arguments: the kestor program, kestor-sim, the folder for screenshots.
set -u
KESTOR=$1
SIM=$2
ARTIFACTS=$3/present-paths
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

simulate_opening
start_xvfb 1400x1000

# The picture cut out of the screen and brought back to 640x480; everything around it black.
shoot_picture() {
    import -window root "$ARTIFACTS/$1-full.png" || fail "no screenshot $1"
    convert "$ARTIFACTS/$1-full.png" -crop 1280x960+60+20 +repage -sample 50% "$ARTIFACTS/$1.png"
    local lit
    lit=$(convert "$ARTIFACTS/$1-full.png" -fill black -draw "rectangle 60,20 1339,979" \
        -format '%[fx:maxima.intensity]' info:)
    [ "$lit" = "0" ] || fail "$1: the picture is not centred on black"
}

gl_loaded() { grep -qE 'libGL|_dri\.so' "/proc/$game/maps"; }
has_gpu() { compgen -G '/dev/dri/renderD*' >/dev/null || [ -e /dev/nvidiactl ]; }

# Plays the opening on one path and holds the dish and the score line against kestor-sim.
opening_on() {
    local path=$1
    xdotool key F1
    sleep 3.5 # MissionIntro, from 3.04 s to 5.08 s after F1
    freeze
    shoot_picture "$path"
    local best
    if ! best=$(matches_sim "$ARTIFACTS/$path.png" "$DISH"); then
        fail "$path: the dish differs from every simulated frame (at best in $best pixels)"
    fi
    if ! best=$(matches_sim "$ARTIFACTS/$path.png" "$SCORE_LINE"); then
        fail "$path: the score line differs from every simulated frame (at best in $best pixels)"
    fi
    xdotool key Escape
    expect_exit 0 "Escape on the $path path"
}

start_game env SDL_AUDIODRIVER=dummy KESTOR_SCALE=whole "$KESTOR"
if ! has_gpu && gl_loaded; then
    fail "without a GPU the program loaded OpenGL: $(grep -oE '[^/]*(libGL|_dri\.so)[^ ]*' "/proc/$game/maps" | sort -u | tr '\n' ' ')"
fi
opening_on window-surface

start_game env SDL_AUDIODRIVER=dummy KESTOR_SCALE=whole SDL_RENDER_DRIVER=opengl SDL_RENDER_SCALE_QUALITY=linear "$KESTOR"
gl_loaded || fail "SDL_RENDER_DRIVER=opengl did not take the texture path"
opening_on texture
echo "PASS"
