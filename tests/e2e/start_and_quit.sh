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

# How closely the device's output follows a clip (8-bit mono WAV): the best correlation, -1
# to 1, of a third of a second of the clip from its first sound with the output from its own
# first sound, give or take two samples of the clip.
follows_clip() {
    local raw=$1 wav=$2 data rate
    data=$(LC_ALL=C grep -obUa data "$wav" | head -n 1 | cut -d: -f1)
    rate=$(od -An -tu4 -j 24 -N 4 "$wav")
    { od -An -v -tu1 -j $((data + 8)) "$wav"; echo "--"; od -An -v -td2 "$raw"; } |
        awk -v rate="$rate" '
        $1 == "--" { output = 1; next }
        { for (i = 1; i <= NF; i++) if (output) out[m++] = $i; else clip[n++] = ($i - 128) * 256 }
        END {
            step = 44100 / rate
            for (c = 0; c < n && (clip[c] < 512 && clip[c] > -512); c++);
            for (o = 0; o < m && (out[o] < 512 && out[o] > -512); o++);
            best = -1
            for (lag = -int(2 * step); lag <= 2 * step; lag++) {
                sxy = sxx = syy = 0
                for (k = 0; k < rate / 3; k++) {
                    x = clip[c + k]; y = out[o + lag + int(k * step + 0.5)]
                    sxy += x * y; sxx += x * x; syy += y * y
                }
                if (sxx > 0 && syy > 0 && sxy / sqrt(sxx * syy) > best) best = sxy / sqrt(sxx * syy)
            }
            printf "%.3f\n", best
        }'
}

# ---- a 1280x960 screen: the 640x480 picture exactly doubled ---------------------------------
start_xvfb

# The disk driver writes what the mixer plays, so the title music can be heard in a file.
start_game env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$ARTIFACTS/sound.raw" "$KESTOR"
sleep 1

shoot title
# Every pixel of the title picture must stand on the screen as a 2x2 block of its own colour.
title_bmp=$(dirname "$KESTOR")/Tilte.bmp
[ -f "$title_bmp" ] || fail "no $title_bmp beside the program"
differ=$(compare -metric AE "$ARTIFACTS/title.png" "$title_bmp" null: 2>&1)
[ "$differ" = "0" ] || fail "the screen differs from Tilte.bmp in $differ pixels"

xdotool key F1
sleep 4
shoot mission
changed=$(compare -metric AE "$ARTIFACTS/title.png" "$ARTIFACTS/mission.png" null: 2>&1)
[ "$changed" != "0" ] || fail "F1 did not leave the title screen"

xdotool key Escape
expect_exit 0 Escape

# The title music is what the mixer played: the device (one channel of 16-bit samples at
# 44100 Hz, as the host asks for) follows the clip's own samples from its first sound on. The
# build keeps the clips in assets/ beside bin/.
music=$(dirname "$KESTOR")/../assets/wav134.wav
[ -f "$music" ] || fail "no $music to listen for"
[ -s "$ARTIFACTS/sound.raw" ] || fail "no sound reached the audio device"
likeness=$(follows_clip "$ARTIFACTS/sound.raw" "$music")
echo "title music: likeness $likeness of 1"
awk -v r="$likeness" 'BEGIN { exit !(r >= 0.95) }' ||
    fail "the audio device did not play the title music (likeness $likeness of 1)"
echo "PASS"
