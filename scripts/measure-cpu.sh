#!/usr/bin/env bash
# Measures the processor time of the running program under Xvfb.
#   scripts/measure-cpu.sh BUILD_BIN_DIR [window|fullscreen|idle] [SECONDS] [PROGRAM]
# Starts Xvfb on a free display with jwm as window manager, runs PROGRAM
# (default frothwick; frothwick_gallery shows the widget gallery) for a warm-up of
# WARMUP seconds (environment, default 2; the game's start-up picture and
# loading take about 3) plus SECONDS (default 20), and prints the program's
# and the X server's CPU use over that span (utime + stime from
# /proc/PID/stat) and the update rate from the program's own statistics. "idle" is the window with
# the gallery's marker kept still (FROTHWICK_STILL=1).
set -euo pipefail
bin="$(cd "${1:?build bin folder}" && pwd)"
mode="${2:-window}"
seconds="${3:-20}"
name="${4:-frothwick}"
tmp="$(mktemp -d)"
xvfb="" wm="" program=""
cleanup() {
    for pid in $program $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
    [[ -s "$tmp/display" ]] && break
    sleep 0.1
done
[[ -s "$tmp/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(head -n1 "$tmp/display")"
DISPLAY="$display" jwm >/dev/null 2>&1 &
wm=$!
sleep 1

# The screen mode is written down: a first run would choose one itself.
mkdir -p "$tmp/config/frothwick"
screenmode=0
[[ "$mode" == fullscreen ]] && screenmode=1
printf 'FROTHWICK-SETTINGS 1\n4\tScreenMode\t%s\n' "$screenmode" >"$tmp/config/frothwick/settings"
warmup="${WARMUP:-2}"
ticks=$(((seconds + warmup + 1) * 100))
still=""
[[ "$mode" == idle ]] && still=1
# The program runs on its own copy of the data tree, with user folders in the
# scratch folder: nothing of the build's bin/ or the user's files changes.
"$(dirname "$0")/program-tree.sh" "$bin" "$name" "$tmp/tree" >/dev/null
(cd "$tmp/tree" && FROTHWICK_STILL="$still" DISPLAY="$display" XDG_CONFIG_HOME="$tmp/config" \
    XDG_DATA_HOME="$tmp/data" XDG_STATE_HOME="$tmp/state" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp" \
    SDL_AUDIODRIVER=dummy FROTHWICK_STATS=1 FROTHWICK_EXIT_AFTER_TICKS=$ticks exec "./$name" 2>"$tmp/stats") &
program=$!
sleep 0.5
[[ -e "/proc/$program/stat" ]] || { echo "$name did not start" >&2; cat "$tmp/stats" >&2; exit 1; }
hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep "$(awk -v w="$warmup" 'BEGIN { print (w > 0.5 ? w - 0.5 : 0) }')"
p0=$(cpu "$program"); x0=$(cpu "$xvfb"); t0=$(date +%s.%N)
sleep "$seconds"
p1=$(cpu "$program"); x1=$(cpu "$xvfb"); t1=$(date +%s.%N)
wait "$program" 2>/dev/null || true
program=""
awk -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v mode="$mode" -v name="$name" \
    'BEGIN { s = t1 - t0; printf "%s: %s %.1f %% of a core, Xvfb %.1f %% over %.1f s\n", mode, name, 100 * p / hz / s, 100 * x / hz / s, s }'
grep -E 'Seconds|Update Count|Draw Count' "$tmp/stats" | tr -s ' ' | paste -sd ' ' -
