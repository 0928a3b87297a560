#!/bin/bash
# The real program's game tick, measured from outside by the times of its presents
# (presents.bash). On a
# busy machine without a GPU the drawing itself can take longer than a tick. Logs the
# mean tick, its spread and the share of late ticks over ten seconds of battle (the seconds
# can be set with KESTOR_TICK_SECONDS), and how often the main thread wakes, without and with
# a joystick; asserts only that the battle ticked.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for the artifacts.
set -u
KESTOR=$1
ARTIFACTS=$3/battle-tick
SECONDS_OF_BATTLE=${KESTOR_TICK_SECONDS:-10}
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"
source "$(dirname "$0")/presents.bash"

build_present_logger

# One battle: its ticks and the main thread's wake-ups (the kernel's count of its sleeps).
# Arguments: a label, then what to preload besides the present logger.
battle() {
    local label=$1 preload="$ARTIFACTS/presents.so${2:+ $2}" log="$ARTIFACTS/presents-$1.log"
    rm -f "$log"
    start_game env SDL_AUDIODRIVER=dummy PRESENT_LOG="$log" LD_PRELOAD="$preload" "$KESTOR"
    xdotool key F1
    sleep 6 # DishRise and MissionIntro: the battle has begun
    local from to woken slept
    woken=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$game/task/$game/status")
    from=$(wc -l <"$log")
    sleep "$SECONDS_OF_BATTLE"
    to=$(wc -l <"$log")
    slept=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$game/task/$game/status")
    xdotool key Escape
    expect_exit 0 Escape
    echo "$label: the main thread woke $(((slept - woken) / SECONDS_OF_BATTLE)) times a second"
    tick_figures "$log" "$from" "$to" "$SECONDS_OF_BATTLE" "$label: battle tick" ||
        fail "the battle did not tick"
}

start_xvfb
battle "no joystick"
# The soak's virtual joystick, plugged in when the program first counts its joysticks.
joystick=$(dirname "$KESTOR")/../tests/soak/libkestor-virtual-joystick.so
[ -f "$joystick" ] && battle "a joystick" "$joystick"
echo "PASS"
