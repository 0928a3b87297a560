#!/bin/bash
# Runs the host contract on the Windows host under Wine: every test in a Wine process of its
# own, one after another on one X server (Wine's processes of one prefix share a desktop, and
# the focus tests would take it from each other side by side).
# Arguments: the contract program (.exe), the folder for its output.
set -u
PROGRAM=$1
ARTIFACTS=$2
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/wine.bash"
start_wine

tests=$(wine "$PROGRAM" --gtest_list_tests 2>/dev/null | tr -d '\r' | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
[ -n "$tests" ] || { echo "the contract program lists no tests under Wine"; exit 1; }
failed=0 count=0
for test in $tests; do
    count=$((count + 1))
    log=$ARTIFACTS/$test.log
    if timeout 300 wine "$PROGRAM" --gtest_filter="$test" >"$log" 2>&1; then
        grep -q '\[  SKIPPED \]' "$log" && echo "skipped $test: $(grep -m1 -a -A0 'Skipped' "$log")" || echo "passed  $test"
    else
        echo "FAILED  $test"
        grep -a -v '^ALSA' "$log"
        failed=$((failed + 1))
    fi
done
[ "$failed" -eq 0 ] || { echo "$failed of $count contract tests failed on the Windows host"; exit 1; }
echo "all $count contract tests passed on the Windows host"
