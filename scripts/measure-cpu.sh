#!/usr/bin/env bash
# Measures the processor time of the running program under Xvfb.
#   scripts/measure-cpu.sh BUILD_BIN_DIR [window|fullscreen|idle|game|game-fullscreen|demo|menus|menus-fullscreen]
#       [SECONDS] [PROGRAM]
# Starts Xvfb on a free display with jwm as window manager, runs PROGRAM
# (default frothwick; frothwick_gallery shows the widget gallery) for a warm-up of
# WARMUP seconds (environment, default 2; the game's start-up picture and
# loading take about 3) plus SECONDS (default 20), and prints the program's
# and the X server's CPU use over that span (utime + stime from
# /proc/PID/stat) and the update rate from the program's own statistics. "idle" is the window with
# the gallery's marker kept still (FROTHWICK_STILL=1).
#
# "game" (in a window) and "game-fullscreen" measure the game's main screen
# first, then walk with xdotool to an arcade game on easy in the earth world
# (a new player "Ada", ARCADE, EASY, the earth sphere; the program's input
# trace tells when the stage has started) and measure SECONDS more while a
# shot is fired straight up every 1.5 s; both lines come from the same run.
#
# "demo" records that "game" run as a demo ("-record"), then plays it back in
# a window at real time ("-play") and measures SECONDS of the playback from
# the replayed stage start: the main screen's, the game's and the playback's
# lines all come from the same run, each beside the X server's.
#
# "menus" (in a window) and "menus-fullscreen" make the player "Ada" with
# xdotool and measure three spans of SECONDS in one run: the main screen at
# rest with the pointer off every button, the pointer resting on START, and
# the world selection (START, QUEST) once its spheres have grown.
set -euo pipefail
bin="$(cd "${1:?build bin folder}" && pwd)"
mode="${2:-window}"
seconds="${3:-20}"
name="${4:-frothwick}"
game=""
[[ "$mode" == game || "$mode" == game-fullscreen || "$mode" == demo || "$mode" == menus || "$mode" == menus-fullscreen ]] &&
    game=1
record=()
[[ "$mode" == demo ]] && record=(-record "-demofile=$(mktemp -u /tmp/frothwick-measure-XXXXXX.dmo)")
if [[ -n "$game" ]] && ! command -v xdotool >/dev/null; then
    echo "the game modes need xdotool (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
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
[[ "$mode" == fullscreen || "$mode" == game-fullscreen || "$mode" == menus-fullscreen ]] && screenmode=1
printf 'FROTHWICK-SETTINGS 1\n4\tScreenMode\t%s\n' "$screenmode" >"$tmp/config/frothwick/settings"
warmup="${WARMUP:-2}"
ticks=$(((seconds + warmup + 1) * 100))
trace=""
if [[ -n "$game" ]]; then
    # Up to three spans, and the walks between them.
    ticks=$(((3 * seconds + warmup + 60) * 100))
    trace=1
fi
still=""
[[ "$mode" == idle ]] && still=1
# The program runs on its own copy of the data tree, with user folders in the
# scratch folder: nothing of the build's bin/ or the user's files changes.
"$(dirname "$0")/program-tree.sh" "$bin" "$name" "$tmp/tree" >/dev/null
(cd "$tmp/tree" && FROTHWICK_STILL="$still" DISPLAY="$display" XDG_CONFIG_HOME="$tmp/config" \
    XDG_DATA_HOME="$tmp/data" XDG_STATE_HOME="$tmp/state" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp" \
    SDL_AUDIODRIVER=dummy FROTHWICK_STATS=1 FROTHWICK_INPUT_TRACE="$trace" FROTHWICK_EXIT_AFTER_TICKS=$ticks \
    exec "./$name" "${record[@]}" 2>"$tmp/stats") &
program=$!
sleep 0.5
[[ -e "/proc/$program/stat" ]] || { echo "$name did not start" >&2; cat "$tmp/stats" >&2; exit 1; }
hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep "$(awk -v w="$warmup" 'BEGIN { print (w > 0.5 ? w - 0.5 : 0) }')"

# Waits up to $2 seconds (default 20) for a line of the program's output.
wait_for() {
    local limit=$((${2:-20} * 10))
    for _ in $(seq "$limit"); do
        grep -q "$1" "$tmp/stats" && return 0
        sleep 0.1
    done
    return 1
}

x() { DISPLAY="$display" timeout 20 "$@"; }

# The game's 800 x 600 picture may be scaled into a bigger window (full
# screen, letterboxed): a click at a game point lands where that point shows.
window="" scale=1 left=0 top=0
find_window() {
    local id w h best=0
    for id in $(x xdotool search --onlyvisible --name '^Frothwick( - .*)?$' 2>/dev/null); do
        eval "$(x xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
        w=$WIDTH h=$HEIGHT
        if ((w >= 800 && w * h > best)); then
            best=$((w * h)) window=$id
            read -r scale left top < <(awk -v w="$w" -v h="$h" \
                'BEGIN { s = w / 800 < h / 600 ? w / 800 : h / 600; printf "%f %f %f\n", s, (w - 800 * s) / 2, (h - 600 * s) / 2 }')
        fi
    done
    [[ -n "$window" ]]
}
click() {
    local px py
    read -r px py < <(awk -v x="$1" -v y="$2" -v s="$scale" -v l="$left" -v t="$top" \
        'BEGIN { printf "%d %d\n", l + x * s, t + y * s }')
    x xdotool mousemove --window "$window" "$px" "$py" click 1 >/dev/null 2>&1 || true
}

# measure LABEL [shoot]: the program's and the X server's CPU over SECONDS.
measure() {
    local p0 x0 t0 p1 x1 t1 end
    p0=$(cpu "$program"); x0=$(cpu "$xvfb"); t0=$(date +%s.%N)
    if [[ "${2:-}" == shoot ]]; then
        # Tenths of a second (awk's %d stops at 2^31).
        end=$(($(date +%s%1N) + seconds * 10))
        while (($(date +%s%1N) < end - 15)); do
            click 265 137
            sleep 1.5
        done
        while (($(date +%s%1N) < end)); do sleep 0.1; done
    else
        sleep "$seconds"
    fi
    p1=$(cpu "$program"); x1=$(cpu "$xvfb"); t1=$(date +%s.%N)
    awk -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v mode="$1" -v name="$name" \
        'BEGIN { s = t1 - t0; printf "%s: %s %.1f %% of a core, Xvfb %.1f %% over %.1f s\n", mode, name, 100 * p / hz / s, 100 * x / hz / s, s }'
}

if [[ "$mode" == menus || "$mode" == menus-fullscreen ]]; then
    wait_for "Main Screen Time" 30 || { echo "no main screen" >&2; tail -5 "$tmp/stats" >&2; exit 1; }
    find_window || { echo "no game window" >&2; exit 1; }
    x xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    sleep 1
    # A newcomer: NEW PLAYER, the name, CREATE; the pointer to the left edge.
    click 508 465
    sleep 1.5
    x xdotool type --delay 40 Ada
    sleep 0.5
    click 344 330
    sleep 1.5
    point() {
        local px py
        read -r px py < <(awk -v x="$1" -v y="$2" -v s="$scale" -v l="$left" -v t="$top" \
            'BEGIN { printf "%d %d\n", l + x * s, t + y * s }')
        x xdotool mousemove --window "$window" "$px" "$py" >/dev/null 2>&1 || true
    }
    point 5 300
    sleep 1.5
    measure "$mode (main screen at rest)"
    point 383 465
    sleep 1.5
    measure "$mode (START hovered)"
    click 383 465
    sleep 1.5
    click 401 444
    sleep 1.5
    point 400 590
    sleep 1.5
    measure "$mode (world selection, spheres grown)"
    kill "$program" 2>/dev/null || true
elif [[ -n "$game" ]]; then
    wait_for "Main Screen Time" 30 || { echo "no main screen" >&2; tail -5 "$tmp/stats" >&2; exit 1; }
    find_window || { echo "no game window" >&2; exit 1; }
    x xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    sleep 1
    measure "$mode (main screen)"
    # A newcomer: NEW PLAYER, the name, CREATE, START; ARCADE, EASY, earth.
    click 508 465
    sleep 1.5
    x xdotool type --delay 40 Ada
    sleep 0.5
    for point in "344 330" "383 465" "402 424" "400 424"; do
        # shellcheck disable=SC2086
        click $point
        sleep 1.5
    done
    for _ in 1 2 3; do
        click 669 450
        wait_for "trace: stage start" 5 && break
    done
    grep -q "trace: stage start" "$tmp/stats" || { echo "no game started" >&2; tail -5 "$tmp/stats" >&2; exit 1; }
    sleep 1
    measure "$mode (arcade, a shot every 1.5 s)" shoot
    # A SIGTERM ends the game in order: its statistics still come out.
    kill "$program" 2>/dev/null || true
    if ((${#record[@]})); then
        demo="${record[1]#-demofile=}"
        wait "$program" 2>/dev/null || true
        (cd "$tmp/tree" && DISPLAY="$display" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
            XDG_STATE_HOME="$tmp/state" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp" SDL_AUDIODRIVER=dummy \
            FROTHWICK_INPUT_TRACE=1 exec "./$name" -play "-demofile=$demo" >"$tmp/playback" 2>&1) &
        program=$!
        for _ in $(seq 600); do
            grep -q "trace: stage start" "$tmp/playback" && break
            sleep 0.1
        done
        grep -q "trace: stage start" "$tmp/playback" || { echo "the playback never reached the game" >&2; tail -5 "$tmp/playback" >&2; rm -f "$demo"; exit 1; }
        sleep 1
        seconds=$((seconds - 3))
        measure "$mode (the game played back in a window at real time)"
        wait "$program" 2>/dev/null || true
        program=""
        grep '^demo:' "$tmp/playback" || { echo "the playback did not finish" >&2; tail -5 "$tmp/playback" >&2; }
        rm -f "$demo"
    fi
else
    measure "$mode"
fi
wait "$program" 2>/dev/null || true
program=""
grep -E 'Seconds|Update Count|Draw Count' "$tmp/stats" | tr -s ' ' | paste -sd ' ' -
