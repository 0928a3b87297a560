#!/bin/bash
# Runs the host contract on the SDL host: every test in a process of its own, each with an X
# server of its own (so tests can run side by side without taking each other's focus), the
# sound device SDL's disk driver. The output of each test is kept in the artifacts folder.
# Arguments: the contract program, the folder for its output.
set -u
PROGRAM=$1
ARTIFACTS=$2
mkdir -p "$ARTIFACTS"
parallel=${KESTOR_CONTRACT_JOBS:-3}

run_one() {
    local test=$1 log="$ARTIFACTS/$1.log" displayfd number xvfb status
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1280x960x24 -nolisten tcp >"$log.xvfb" 2>&1 &
    xvfb=$!
    if ! read -r -t 20 -u "$displayfd" number; then
        echo "FAIL $test: Xvfb did not start" >"$log"
        kill "$xvfb" 2>/dev/null
        return 1
    fi
    DISPLAY=:$number "$PROGRAM" --gtest_filter="$test" >"$log" 2>&1
    status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    return $status
}

tests=$("$PROGRAM" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
pids=()
names=()
for test in $tests; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do sleep 0.2; done
    run_one "$test" &
    pids+=($!)
    names+=("$test")
done
failed=0
for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
        grep -q '\[  SKIPPED \]' "$ARTIFACTS/${names[$i]}.log" && echo "skipped ${names[$i]}: $(grep -m1 -A0 'Skipped' "$ARTIFACTS/${names[$i]}.log")" || echo "passed  ${names[$i]}"
    else
        echo "FAILED  ${names[$i]}"
        cat "$ARTIFACTS/${names[$i]}.log"
        failed=$((failed + 1))
    fi
done
[ "$failed" -eq 0 ] || { echo "$failed of ${#pids[@]} contract tests failed on the SDL host"; exit 1; }
echo "all ${#pids[@]} contract tests passed on the SDL host"
