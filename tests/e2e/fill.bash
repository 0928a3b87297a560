# Shared by the scripts that hold the picture filling a screen against kestor-sim's title: where
# the fill rule puts it, the title drawn ideally at that size (each of its pixels an exact
# square, the screen's pixels sampled by area), and the likeness in dB of the screen to it.
# Sourcing scripts set ARTIFACTS and SIM, and source xvfb.bash first.
BOUND=38 # dB

# kestor-sim's title as $ARTIFACTS/title.png.
simulate_title() {
    printf 'wait 1500\nshot title\n' >"$ARTIFACTS/title.script"
    "$SIM" --no-sound --shots "$ARTIFACTS" "$ARTIFACTS/title.script" >/dev/null ||
        fail "kestor-sim could not show the title"
}

# The picture's place on a W x H screen: height-limited, 4:3, centred (as the program's own rule).
place() {
    local width=$1 height=$2 w h
    if [ $((width * 3)) -ge $((height * 4)) ]; then
        h=$height w=$(((height * 4 + 1) / 3))
    else
        w=$width h=$(((width * 3 + 2) / 4))
    fi
    echo "$w $h $(((width - w) / 2)) $(((height - h) / 2))"
}

# kestor-sim's title as it should look at W x H.
ideal() {
    local file="$ARTIFACTS/ideal-$1x$2.png"
    [ -f "$file" ] || convert "$ARTIFACTS/title.png" -filter point -resize 800% -filter box \
        -resize "$1x$2!" "$file"
    echo "$file"
}

# The screen now: the picture at W x H + X + Y with only black around it, and its likeness to
# the ideal in dB; an empty answer when something is lit outside it.
likeness() {
    local shot=$1 w=$2 h=$3 x=$4 y=$5 lit
    import -window root "$shot" || fail "no screenshot $shot"
    lit=$(convert "$shot" -fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" \
        -format '%[fx:maxima.intensity]' info:)
    [ "$lit" = "0" ] || return
    convert "$shot" -crop "${w}x${h}+$x+$y" +repage "$shot.picture.png"
    compare -metric PSNR "$shot.picture.png" "$(ideal "$w" "$h")" null: 2>&1
}

# The title, shown by the game just started, fills a W x H screen and is as like the ideal as
# BOUND asks, given a few seconds to show. Arguments: the screen's WxH, a label for the shot.
title_fills() {
    local screen=$1 label=$2 w h x y db=""
    read -r w h x y <<<"$(place "${screen%x*}" "${screen#*x}")"
    local shot="$ARTIFACTS/$screen-$label.png"
    for _ in $(seq 10); do
        db=$(likeness "$shot" "$w" "$h" "$x" "$y")
        [ -n "$db" ] && good_enough "$db" && break
        sleep 0.5
    done
    [ -n "$db" ] || fail "$screen, $label: lit outside ${w}x${h}+$x+$y, where the picture should fill"
    good_enough "$db" || fail "$screen, $label: the title at ${w}x${h}+$x+$y is $db dB from the ideal, below $BOUND"
    echo "$screen, $label: ${w}x${h}+$x+$y, $db dB"
}

good_enough() { [ "$1" = "inf" ] || awk -v d="$1" -v b="$BOUND" 'BEGIN { exit !(d + 0 >= b) }'; }
