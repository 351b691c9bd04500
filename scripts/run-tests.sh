#!/usr/bin/env bash
# Runs one stage of the test suite with CTest and proves it left the data
# trees alone:
#   scripts/run-tests.sh STAGE BUILD_DIR [CTEST_ARGS...]
# Every folder in GUARDED (space-separated; default BUILD_DIR/bin) is listed
# with names, sizes and modification times before and after the run; any
# difference fails the stage and shows what changed. The stage's wall time
# is printed as "[time] STAGE: N s". The scratch folders of an earlier run
# (BUILD_DIR/test-tmp) go first.
set -uo pipefail
stage="${1:?stage name}"
build="${2:?build folder}"
shift 2
guarded="${GUARDED:-$build/bin}"
listing() {
    for dir in $guarded; do
        [[ -d "$dir" ]] && find "$dir" -printf '%p %s %T@\n'
    done | sort
}
rm -rf "$build/test-tmp"
before="$(listing)"
start=$(date +%s)
ctest --test-dir "$build" --output-on-failure "$@"
status=$?
echo "[time] $stage: $(($(date +%s) - start)) s"
after="$(listing)"
if [[ "$before" != "$after" ]]; then
    echo "$stage: the suite changed files in $guarded:" >&2
    diff <(echo "$before") <(echo "$after") >&2
    status=1
fi
exit $status
