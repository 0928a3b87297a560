#!/bin/bash
# The X server dying under the running game, as when the session ends: on the title and in
# battle, the program is gone within a second, with exit code 0, no core and no word from a
# sanitizer. The program given may be a sanitized build.
# Arguments: the kestor program, kestor-sim (not needed here), the folder for the artifacts.
set -u
KESTOR=$1
ARTIFACTS=$3/window-system-gone
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/xvfb.bash"

# Arguments: a label, then the keys that bring the game where the server is to die.
server_dies() {
    local label=$1
    shift
    start_xvfb
    start_game env SDL_AUDIODRIVER=dummy "$KESTOR"
    for key in "$@"; do
        xdotool key "$key"
        sleep 6
    done
    kill -KILL "$xvfb"
    local died=$(date +%s%N) gone
    wait "$xvfb" 2>/dev/null
    xvfb=
    while kill -0 "$game" 2>/dev/null && [ $(($(date +%s%N) - died)) -lt 1000000000 ]; do
        sleep 0.01
    done
    gone=$(date +%s%N)
    kill -0 "$game" 2>/dev/null && fail "$label: the program was still there a second after its X server died"
    wait "$game"
    local status=$?
    game=
    echo "$label: gone within $(((gone - died) / 1000000)) ms of its X server, exit code $status"
    [ "$status" -eq 0 ] || fail "$label: exit code $status: $(cat "$ARTIFACTS/kestor.err")"
    ! grep -E -q 'Sanitizer|runtime error|core dumped' "$ARTIFACTS/kestor.err" ||
        fail "$label: $(cat "$ARTIFACTS/kestor.err")"
}

server_dies "on the title"
server_dies "in battle" F1
echo "PASS"
