#!/usr/bin/env bash
# Measures the processor time of the running program under Xvfb.
#   scripts/measure-cpu.sh BUILD_BIN_DIR [window|fullscreen] [SECONDS]
# Starts Xvfb on a free display with jwm as window manager, runs frothwick for
# a warm-up of 2 s plus SECONDS (default 20), and prints the program's and the
# X server's CPU use over that span (utime + stime from /proc/PID/stat) and the
# update rate from the program's own statistics.
set -euo pipefail
bin="${1:?build bin folder}"
mode="${2:-window}"
seconds="${3:-20}"
display=":$((90 + RANDOM % 9))"
tmp="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"' EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY="$display" jwm >/dev/null 2>&1 &
sleep 1

mkdir -p "$tmp/config/SOFTWARE/Tamsery Games/Frothwick"
if [[ "$mode" == fullscreen ]]; then
    printf 'FROTHWICK-SETTINGS 1\n4\tScreenMode\t1\n' >"$tmp/config/SOFTWARE/Tamsery Games/Frothwick/.values"
fi
ticks=$(((seconds + 3) * 100))
(cd "$bin" && DISPLAY="$display" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp" SDL_AUDIODRIVER=dummy \
    FROTHWICK_EXIT_AFTER_TICKS=$ticks ./frothwick 2>"$tmp/stats") &
sleep 0.5
pid=$(pgrep -n -f "^./frothwick" || true)
[[ -n "$pid" ]] || { echo "frothwick did not start" >&2; cat "$tmp/stats" >&2; exit 1; }
hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep 1.5
p0=$(cpu "$pid"); x0=$(cpu "$xvfb"); t0=$(date +%s.%N)
sleep "$seconds"
p1=$(cpu "$pid"); x1=$(cpu "$xvfb"); t1=$(date +%s.%N)
wait %3 2>/dev/null || true
awk -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v mode="$mode" \
    'BEGIN { s = t1 - t0; printf "%s: frothwick %.1f %% of a core, Xvfb %.1f %% over %.1f s\n", mode, 100 * p / hz / s, 100 * x / hz / s, s }'
grep -E 'Seconds|Update Count|Draw Count' "$tmp/stats" | tr -s ' ' | paste -sd ' ' -
