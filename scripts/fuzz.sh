#!/usr/bin/env bash
# The libFuzzer programs of tests/fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), built and run:
#   scripts/fuzz.sh build FUZZ_DIR
#       builds only the fuzz_NAME programs (and the libraries they link) in
#       FUZZ_DIR, configured already (the Makefile's fuzz and test-fuzz).
#   scripts/fuzz.sh run FUZZ_DIR SECONDS [merge]
#       runs every program two at a time, each for SECONDS with -seed=1 on a
#       copy of its corpus (tests/fuzz/corpus/DIR, DIR as the .cmake file
#       names it), and prints its executions per second. Any crash, sanitizer
#       report, leak, timeout or failed check fails the run; the input that
#       did it is kept in FUZZ_DIR/fuzz-work/NAME/ (commit it to the corpus as
#       found-HASH once mended). Without "merge" the repository's corpora are
#       only read (checked: a change fails the run); with it, the inputs that
#       add coverage are merged into them (-merge=1).
# FUZZ_JOBS (default 2) programs run at once; FUZZ_TARGETS (names separated
# by spaces) limits both commands to those targets. With FUZZ_BUILD_LOCK set
# to a file, the build holds that lock (a machine shared with other builds).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
command="${1:?build or run}"
dir="${2:?fuzz build folder}"

# NAME CORPUS_DIR for every target of tests/fuzz/*.cmake.
targets() {
    local cmake name corpus
    for cmake in tests/fuzz/*.cmake; do
        # Targets span lines: join each call into one.
        { tr '\n' ' ' <"$cmake"; echo; } | sed 's/frothwick_add_fuzzer(/\n&/g' |
            sed -n 's/^frothwick_add_fuzzer(NAME \([_[:alnum:]]*\).*CORPUS [^)]*corpus}\?\/\([-_[:alnum:]]*\).*/\1 \2/p'
    done | sort | while read -r name corpus; do
        if [[ -z "${FUZZ_TARGETS:-}" || " $FUZZ_TARGETS " == *" $name "* ]]; then
            echo "$name $corpus"
        fi
    done
}

case "$command" in
    build)
        programs=()
        while read -r name _; do
            programs+=("fuzz_$name")
        done < <(targets)
        if [[ ${#programs[@]} -eq 0 ]]; then
            echo "fuzz: no targets found" >&2
            exit 1
        fi
        # With a lock, the time the build itself took is printed apart from
        # the wait for the lock.
        lock=()
        [[ -n "${FUZZ_BUILD_LOCK:-}" ]] && lock=(flock "$FUZZ_BUILD_LOCK" scripts/timed.sh "fuzz build, lock held")
        exec "${lock[@]}" cmake --build "$dir" -j "${FUZZ_JOBS:-2}" --target "${programs[@]}"
        ;;
    run) ;;
    *)
        echo "usage: scripts/fuzz.sh build|run FUZZ_DIR [SECONDS [merge]]" >&2
        exit 2
        ;;
esac

seconds="${3:?seconds per target}"
merge="${4:-}"
work="$dir/fuzz-work"
corpora=tests/fuzz/corpus
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
listing() { find "$corpora" -printf '%p %s %T@\n' | sort; }
before="$(listing)"
start=$(date +%s)

# One target: fuzz a copy of its corpus; with merge, fold what it found
# into the corpus. Prints one summary line; the full log stays in its folder.
one() {
    local name="$1" corpus="$2"
    local program="$dir/fuzz/fuzz_$name" here="$work/$name"
    mkdir -p "$here/corpus"
    cp -r "$corpora/$corpus/." "$here/corpus/" 2>/dev/null
    local inputs
    inputs=$(find "$here/corpus" -type f | wc -l)
    "$program" -seed=1 -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$here/" "$here/corpus" >"$here/log" 2>&1
    local status=$?
    local execs rate
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$here/log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$here/log")
    if [[ $status -ne 0 ]]; then
        echo "fuzz $name: FAILED (exit $status); log and input in $here"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|.*deadly signal|.*Test unit written)' "$here/log" |
            head -8 | sed 's/^/    /'
        return 1
    fi
    local after
    after=$(find "$here/corpus" -type f | wc -l)
    local merged=""
    if [[ -n "$merge" ]]; then
        "$program" -merge=1 "$corpora/$corpus" "$here/corpus" >"$here/merge-log" 2>&1 || {
            echo "fuzz $name: merge FAILED; log in $here/merge-log"
            return 1
        }
        merged=", $(($(find "$corpora/$corpus" -type f | wc -l) - inputs)) merged"
    fi
    printf 'fuzz %-20s %8s exec/s %9s runs  corpus %d -> %d%s\n' "$name" "${rate:-?}" "${execs:-?}" "$inputs" \
        "$after" "$merged"
}
export -f one
export dir work corpora seconds merge

# Two at a time: each line "name corpus" becomes one job; xargs reports a
# failure of any job through its exit status.
targets | xargs -P "${FUZZ_JOBS:-2}" -L 1 bash -c 'one "$0" "$1"'
status=$?
echo "[time] fuzz run: $(($(date +%s) - start)) s"
if [[ -z "$merge" && "$before" != "$(listing)" ]]; then
    echo "fuzz: the run changed $corpora:" >&2
    diff <(echo "$before") <(listing) >&2
    status=1
fi
exit $status
