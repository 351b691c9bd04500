#!/usr/bin/env bash
# A long run of the game playing itself under the sanitizers: `make soak`.
#
# usage: soak.sh [SHOTS]            (default 10000)
#   MONKEY_MINUTES (default 30): minutes of the monkey's part
#   BUILD (build), ASAN (build-asan): the normal build, whose bin/ holds the
#   data tree, and the sanitizer build, configured as `make test-asan` does.
#
# frothwick_autoplay of the sanitizer build (leak checking on, headless
# dummy drivers, no X needed) fires SHOTS shots over every mode and world,
# two stage ends per game, recorded as a demo. It fails on any sanitizer
# report or leak, a non-zero exit, or when the peak RSS after the last shot
# is more than 5 % above the peak after the first 1000 shots. The demo is
# then played back headless by the normal build and must match every
# checkpoint. Then the seeded monkey (frothwick_autoplay --monkey) gives
# MONKEY_MINUTES minutes of random hands to every screen and dialog (menus,
# typing in the name fields, sliders, drags, window buttons, mode changes,
# quitting always cancelled) in the same sanitizer build, recorded and played
# back the same way. On failure the demos and the logs stay in ASAN/soak/;
# on success only the logs do. Figures go to standard output.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/${BUILD:-build}
asan=$root/${ASAN:-build-asan}
shots=${1:-10000}
monkeyMinutes=${MONKEY_MINUTES:-30}
out=$asan/soak
lock=/tmp/frothwick-build.lock

fail() {
    echo "soak: FAILED: $*" >&2
    echo "soak: the demo and logs are kept in $out" >&2
    exit 1
}

[[ -f $build/bin/properties/resources.xml ]] || fail "no data tree in $build/bin (make build first)"
[[ -f $asan/CMakeCache.txt ]] || fail "no sanitizer build in $asan (make test-asan configures it)"

echo "soak: building frothwick_autoplay in $asan and $build"
flock "$lock" cmake --build "$asan" --target frothwick_autoplay >/dev/null || fail "sanitizer build"
flock "$lock" cmake --build "$build" --target frothwick_autoplay >/dev/null || fail "build"

rm -rf "$out"
mkdir -p "$out"

# run NAME ARGS...: the sanitizer build's autoplay with ARGS, recorded to
# $out/NAME.dmo; its summary in $out/NAME.txt, its log in $out/NAME.log.
run() {
    local name=$1
    shift
    local start end status
    start=$(date +%s)
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$root/tests/support/lsan-suppressions.txt:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$asan/bin/frothwick_autoplay" --data="$build/bin" "$@" --record="$out/$name.dmo" \
        >"$out/$name.txt" 2>"$out/$name.log"
    status=$?
    end=$(date +%s)
    cat "$out/$name.txt"
    echo "soak: $name: recorded run $((end - start)) s, exit $status"
    if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: .*Sanitizer" "$out/$name.log"; then
        grep -E "ERROR: |runtime error:|SUMMARY:" "$out/$name.log" | head -20 >&2
        fail "$name: sanitizer report (see $out/$name.log)"
    fi
    [[ $status -eq 0 ]] || fail "$name: frothwick_autoplay exited with $status (see $out/$name.log)"
}

# play NAME: the normal build plays $out/NAME.dmo back headless; every
# checkpoint must match.
play() {
    local name=$1 start end status
    echo "soak: $name: playing the demo back headless"
    start=$(date +%s)
    "$build/bin/frothwick_autoplay" --data="$build/bin" --play="$out/$name.dmo" \
        >"$out/$name-playback.txt" 2>"$out/$name-playback.log"
    status=$?
    end=$(date +%s)
    grep -h "demo:\|out of step" "$out/$name-playback.log" "$out/$name-playback.txt"
    echo "soak: $name: playback $((end - start)) s, exit $status"
    [[ $status -eq 0 ]] || fail "$name: the playback exited with $status"
    grep -q "checkpoints matched" "$out/$name-playback.log" "$out/$name-playback.txt" ||
        fail "$name: the playback did not reach the end"
    grep -q "out of step" "$out/$name-playback.log" "$out/$name-playback.txt" &&
        fail "$name: the playback went out of step"
}

echo "soak: $shots shots, every mode and world, recorded to $out/shots.dmo"
run shots --mode=all --world=all --per-game=2 --shots="$shots" --seed=2026 --progress=1000
[[ $(awk '$1 == "shots" {print $2}' "$out/shots.txt") -ge $shots ]] || fail "fewer than $shots shots"

# Peak RSS after the first 1000 shots against the end.
first=$(awk '$1 == "autoplay:" && $3 >= 1000 {print $7; exit}' "$out/shots.log")
last=$(awk '$1 == "peak_rss_kb" {print $2}' "$out/shots.txt")
[[ -n $first && -n $last ]] || fail "no peak RSS figures (see $out/shots.log)"
growth=$(awk -v a="$first" -v b="$last" 'BEGIN {printf "%.1f", (b - a) * 100 / a}')
echo "soak: peak RSS ${first} kB after 1000 shots, ${last} kB at the end: ${growth} %"
awk -v a="$first" -v b="$last" 'BEGIN {exit !(b <= a * 1.05)}' || fail "peak RSS grew ${growth} % after the first 1000 shots"
play shots

echo "soak: the monkey, $monkeyMinutes minutes over every screen, recorded to $out/monkey.dmo"
run monkey --monkey --minutes="$monkeyMinutes" --seed=2027
play monkey

rm -f "$out"/*.dmo "$out"/*.dmo.options
echo "soak: passed"
