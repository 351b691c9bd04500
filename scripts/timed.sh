#!/usr/bin/env bash
# Runs a command and prints its wall time: scripts/timed.sh LABEL COMMAND...
# ("[time] LABEL: N s" on standard error, so it shows when the output is
# discarded; the form the test stages print too).
set -uo pipefail
label="${1:?label}"
shift
start=$(date +%s)
"$@"
status=$?
echo "[time] $label: $(($(date +%s) - start)) s" >&2
exit $status
