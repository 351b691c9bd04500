#!/usr/bin/env bash
# A long run of the game playing itself under the sanitizers: `make soak`.
#
# usage: soak.sh [SHOTS]            (default 10000)
#   BUILD (build), ASAN (build-asan): the normal build, whose bin/ holds the
#   data tree, and the sanitizer build, configured as `make test-asan` does.
#
# frothwick_autoplay of the sanitizer build (leak checking on, headless
# dummy drivers, no X needed) fires SHOTS shots over every mode and world,
# two stage ends per game, recorded as a demo. It fails on any sanitizer
# report or leak, a non-zero exit, or when the peak RSS after the last shot
# is more than 5 % above the peak after the first 1000 shots. The demo is
# then played back headless by the normal build and must match every
# checkpoint. On failure the demo and the logs stay in ASAN/soak/; on
# success only the logs do. Figures go to standard output.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/${BUILD:-build}
asan=$root/${ASAN:-build-asan}
shots=${1:-10000}
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
demo=$out/soak.dmo
log=$out/record.log

echo "soak: $shots shots, every mode and world, recorded to $demo"
start=$(date +%s)
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$root/tests/support/lsan-suppressions.txt:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$asan/bin/frothwick_autoplay" --data="$build/bin" --mode=all --world=all --per-game=2 \
    --shots="$shots" --seed=2026 --progress=1000 --record="$demo" >"$out/summary.txt" 2>"$log"
status=$?
end=$(date +%s)
cat "$out/summary.txt"
echo "soak: recorded run $((end - start)) s, exit $status"

if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: .*Sanitizer" "$log"; then
    grep -E "ERROR: |runtime error:|SUMMARY:" "$log" | head -20 >&2
    fail "sanitizer report (see $log)"
fi
[[ $status -eq 0 ]] || fail "frothwick_autoplay exited with $status (see $log)"
[[ $(awk '$1 == "shots" {print $2}' "$out/summary.txt") -ge $shots ]] || fail "fewer than $shots shots"

# Peak RSS after the first 1000 shots against the end.
first=$(awk '$1 == "autoplay:" && $3 >= 1000 {print $7; exit}' "$log")
last=$(awk '$1 == "peak_rss_kb" {print $2}' "$out/summary.txt")
[[ -n $first && -n $last ]] || fail "no peak RSS figures (see $log)"
growth=$(awk -v a="$first" -v b="$last" 'BEGIN {printf "%.1f", (b - a) * 100 / a}')
echo "soak: peak RSS ${first} kB after 1000 shots, ${last} kB at the end: ${growth} %"
awk -v a="$first" -v b="$last" 'BEGIN {exit !(b <= a * 1.05)}' || fail "peak RSS grew ${growth} % after the first 1000 shots"

echo "soak: playing the demo back headless"
start=$(date +%s)
"$build/bin/frothwick_autoplay" --data="$build/bin" --play="$demo" >"$out/playback.txt" 2>"$out/playback.log"
status=$?
end=$(date +%s)
grep -h "demo:\|out of step" "$out/playback.log" "$out/playback.txt"
echo "soak: playback $((end - start)) s, exit $status"
[[ $status -eq 0 ]] || fail "the playback exited with $status"
grep -q "checkpoints matched" "$out/playback.log" "$out/playback.txt" || fail "the playback did not reach the end"
grep -q "out of step" "$out/playback.log" "$out/playback.txt" && fail "the playback went out of step"

rm -f "$demo" "$demo.options"
echo "soak: passed"
