# Shared by the Windows host's tests: the end-to-end scripts' private X server and game
# bookkeeping (tests/e2e/xvfb.bash), and a Wine prefix of the script's own, made afresh in its
# artifacts folder. Wine's own chatter is left out of the logs. Sourcing scripts set ARTIFACTS.
source "$(dirname "${BASH_SOURCE[0]}")/../../../tests/e2e/xvfb.bash"

export WINEDEBUG=-all
trap 'cleanup; [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null' EXIT

# stop_wine: Wine's processes and the X server ended, and waited for: a prefix started again
# at once on a dying server can lose its first window.
stop_wine() {
    wineserver -k
    wineserver -w
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null
    xvfb=
}

# start_wine [WxH]: an X server of that size (1280x960), then Wine ready on it.
start_wine() {
    start_xvfb "${1:-1280x960}"
    export WINEPREFIX=$ARTIFACTS/wine-prefix
    # The first start makes the prefix, a few seconds' work; later ones find it made.
    wineboot -i >"$ARTIFACTS/wineboot.log" 2>&1 || fail "Wine could not start: $(cat "$ARTIFACTS/wineboot.log")"
}
