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
rm -f "$MIX"
start_xvfb
start_game env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$MIX" "$KESTOR"
system_keys_leave_the_title

# ---- the swish of a swat in MissionIntro --------------------------------------------------------
swat_and_hear_swish "$MIX" "$(dirname "$KESTOR")/../assets/wav105.wav"
echo "PASS"
