#!/bin/bash
# Runs the real game under Xvfb and prints the share of one processor core it uses in each
# scenario: the start screen, busy play (a move every 100 ms), waiting on the board, paused, and
# the tutorial with no input; and how long it takes from start to a window on screen.
#
#   scripts/measure-cpu.sh [BUILD_DIR] [SECONDS]     (defaults: build, 10)
#
# The share is the process's user and system time (all its threads) over the wall time of the
# scenario. On a machine shared with other work the figures are noisy: run it more than once.
set -euo pipefail

if [ -z "${GLIMMERDROP_IN_XVFB:-}" ]; then
    export GLIMMERDROP_IN_XVFB=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

build=$(cd "${1:-build}" && pwd)
seconds=${2:-10}
work=$(mktemp -d /tmp/glimmerdrop-cpu-XXXXXX)
trap 'kill "$game" 2>/dev/null || true; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)

# utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
    local name=$1 before after start end
    before=$(cpu_ticks "$game")
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(cpu_ticks "$game")
    end=$(date +%s.%N)
    awk -v n="$name" -v t="$((after - before))" -v hz="$ticks" -v s="$start" -v e="$end" \
        'BEGIN { printf "%-34s %6.2f %%\n", n, 100 * t / hz / (e - s) }'
}

# The game with a registry of its own; $1 says whether the tutorial was already played.
launch() {
    local tutorial=$1 began
    rm -rf "$work/run" && mkdir -p "$work/run"
    {
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n'
        [ "$tutorial" = done ] && printf '"Did Tutorial"=hex:01,00,00,00\n'
        printf '"Sound Enabled"=hex:00,00,00,00\n"Music Enabled"=hex:00,00,00,00\n'
    } > "$work/run/registry.reg"
    began=$(date +%s%N)
    (cd "$work/run" && GLIMMERDROP_REGISTRY="$work/run/registry.reg" HOME="$work/run" SDL_AUDIODRIVER=dummy \
        exec "$build/glimmerdrop" > output.txt 2>&1) &
    game=$!
    window=$(xdotool search --sync --onlyvisible --name Glimmerdrop | head -1)
    startup_ms=$((($(date +%s%N) - began) / 1000000))
    xdotool mousemove --window "$window" 600 40
    sleep 2
}

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

stop() {
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
}

launch done
echo "start-up to a window on screen      ${startup_ms} ms"
measure "start screen"
click 233 408               # the start button
sleep 4.5                   # the level's introduction
xdotool mousemove --window "$window" 600 40
keys=(Left Right Up Down)
# Without a window manager keys reach only the window that holds the focus.
xdotool windowfocus --sync "$window"
(
    end=$(($(date +%s) + seconds + 1))
    while [ "$(date +%s)" -lt "$end" ]; do
        xdotool key "${keys[RANDOM % 4]}"
        sleep 0.1
    done
) &
player=$!
measure "busy play (a move every 100 ms)"
wait "$player" 2>/dev/null || true
sleep 3                     # crunches and popups settle
measure "waiting on the board"
click 538 328               # the pause button
xdotool mousemove --window "$window" 600 40
sleep 1
measure "paused"
stop

launch fresh
click 233 408
sleep 5
xdotool mousemove --window "$window" 600 40
measure "tutorial, no input"
stop
